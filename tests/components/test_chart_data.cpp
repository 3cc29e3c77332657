#include "components/charts/chart_data.h"

#include <QtTest>

#include <limits>

using namespace corvane::components;

namespace {
ChartSeries series(QStringList labels, QList<double> values) {
    return {std::move(labels), std::move(values)};
}
} // namespace

class TestChartData : public QObject {
    Q_OBJECT
private slots:
    // Nothing to draw when there is no share to give: a total of 0 (also
    // after rounding, or with no slice at all), a negative slice, a value
    // that is not a number.
    void pieRefusesWhatItCannotShare() {
        const QStringList three{QStringLiteral("Cust.Base"), QStringLiteral("C.Comerc."),
                                QStringLiteral("Margem")};
        QVERIFY(!pieSlices(series(three, {0, 0, 0})));
        QVERIFY(!pieSlices(series(three, {0.001, 0.004, 0})));
        QVERIFY(!pieSlices(ChartSeries{}));
        QVERIFY(!pieSlices(series(three, {10, 5, -1})));
        QVERIFY(!pieSlices(series(three, {-10, 20, 30})));
        QVERIFY(!pieSlices(series(three, {10, std::numeric_limits<double>::quiet_NaN(), 3})));
        QVERIFY(!pieSlices(series(three, {10, std::numeric_limits<double>::infinity(), 3})));
        // A slice of 0 beside others is drawn, with 0 %.
        const auto withZero = pieSlices(series(three, {0, 4, 12}));
        QVERIFY(withZero);
        QCOMPARE(withZero->size(), 3);
        QCOMPARE(withZero->at(0).percentage, 0.0);
        QCOMPARE(withZero->at(1).percentage, 25.0);
        QCOMPARE(withZero->at(2).percentage, 75.0);
    }

    // Each slice keeps its label, its value rounded to 2 decimals and its
    // share of the rounded total in percent, rounded to 2 decimals.
    void pieSlicesAndPercentages() {
        const auto slices = pieSlices(
            series({QStringLiteral("Cust.Base"), QStringLiteral("C.Comerc."), QStringLiteral("Margem")},
                   {2.675, 1.005, 1.0 / 3.0}));
        QVERIFY(slices);
        QCOMPARE(slices->size(), 3);
        QCOMPARE(slices->at(0), (PieSlice{QStringLiteral("Cust.Base"), 2.68, 66.67}));
        QCOMPARE(slices->at(1), (PieSlice{QStringLiteral("C.Comerc."), 1.01, 25.12}));
        QCOMPARE(slices->at(2), (PieSlice{QStringLiteral("Margem"), 0.33, 8.21}));

        const auto halves = pieSlices(series({QStringLiteral("a"), QStringLiteral("b")}, {1, 1}));
        QVERIFY(halves);
        QCOMPARE(halves->at(0).percentage, 50.0);
        QCOMPARE(halves->at(1).percentage, 50.0);

        // A value without a label gets an empty one.
        const auto unlabelled = pieSlices(series({QStringLiteral("a")}, {3, 1}));
        QVERIFY(unlabelled);
        QCOMPARE(unlabelled->at(1).label, QString());
        QCOMPARE(unlabelled->at(1).percentage, 25.0);
    }

    void pieLegendShowsLabelAndValue() {
        QCOMPARE(pieLegend({QStringLiteral("Margem"), 12.5, 40}), QStringLiteral("Margem 12,50"));
        QCOMPARE(pieLegend({QStringLiteral("Cust.Base"), 1234.06, 60}), QStringLiteral("Cust.Base 1234,06"));
    }

    void periodLabels() {
        QCOMPARE(periodLabel(2026), QStringLiteral("2026"));
        QCOMPARE(periodLabel(2026, 3), QStringLiteral("3/2026"));
        QCOMPARE(periodLabel(2025, 12), QStringLiteral("12/2025"));
        QCOMPARE(periodLabel(2025, 0), QStringLiteral("2025"));
        QCOMPARE(periodLabel(2025, 13), QStringLiteral("2025"));
    }

    // Two years of orders: two bars, the most recent first, whatever order
    // the rows come in.
    void twoYearsMostRecentFirst() {
        const ChartSeries years = recentPeriods({{2025, 0, 1500.5}, {2026, 0, 320}});
        QCOMPARE(years.labels, (QStringList{QStringLiteral("2026"), QStringLiteral("2025")}));
        QCOMPARE(years.values, (QList<double>{320, 1500.5}));
        QCOMPARE(recentPeriods({{2026, 0, 320}, {2025, 0, 1500.5}}), years);
    }

    // Eight months across a new year: the six most recent, most recent first.
    void eightMonthsKeepSix() {
        QList<PeriodTotal> months;
        for (int m = 9; m <= 12; ++m)
            months.append({2025, m, double(m)});
        for (int m = 1; m <= 4; ++m)
            months.append({2026, m, 100.0 + m});
        const ChartSeries bars = recentPeriods(months);
        QCOMPARE(bars.size(), kRecentPeriods);
        QCOMPARE(bars.labels, (QStringList{QStringLiteral("4/2026"), QStringLiteral("3/2026"),
                                           QStringLiteral("2/2026"), QStringLiteral("1/2026"),
                                           QStringLiteral("12/2025"), QStringLiteral("11/2025")}));
        QCOMPARE(bars.values, (QList<double>{104, 103, 102, 101, 12, 11}));
        // Fewer rows than bars: all of them; another count; none.
        QCOMPARE(recentPeriods(months, 3).labels,
                 (QStringList{QStringLiteral("4/2026"), QStringLiteral("3/2026"), QStringLiteral("2/2026")}));
        QCOMPARE(recentPeriods(months.mid(0, 2)).size(), 2);
        QVERIFY(recentPeriods({}).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestChartData)
#include "test_chart_data.moc"
