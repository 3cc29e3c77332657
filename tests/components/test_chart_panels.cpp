#include "components/charts/chart_panels.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QPieSeries>
#include <QPieSlice>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtTest>

using namespace corvane::components;

namespace {

// The values and labels the panel's chart really holds.
ChartSeries drawnBars(QChartView& view) {
    ChartSeries drawn;
    const auto series = view.chart()->series();
    if (series.size() != 1)
        return drawn;
    auto* bars = qobject_cast<QBarSeries*>(series.first());
    if (!bars || bars->count() != 1)
        return drawn;
    const QBarSet* set = bars->barSets().first();
    for (int i = 0; i < set->count(); ++i)
        drawn.values.append(set->at(i));
    const auto axes = view.chart()->axes(Qt::Horizontal);
    if (auto* categories = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.first()))
        drawn.labels = categories->categories();
    return drawn;
}

QString axisTitle(QChartView& view, Qt::Orientation orientation) {
    const auto axes = view.chart()->axes(orientation);
    return axes.size() == 1 ? axes.first()->titleText() : QStringLiteral("<%1 axes>").arg(axes.size());
}

ChartSeries drawnPie(QChartView& view) {
    ChartSeries drawn;
    const auto series = view.chart()->series();
    if (series.size() != 1)
        return drawn;
    auto* pie = qobject_cast<QPieSeries*>(series.first());
    if (!pie)
        return drawn;
    const auto slices = pie->slices();
    for (const QPieSlice* slice : slices) {
        drawn.labels.append(slice->label());
        drawn.values.append(slice->value());
    }
    return drawn;
}

ChartSeries priceLevel(double base, double charges, double margin) {
    return {{QStringLiteral("Cust.Base"), QStringLiteral("C.Comerc."), QStringLiteral("Margem")},
            {base, charges, margin}};
}

} // namespace

class TestChartPanels : public QObject {
    Q_OBJECT
private slots:
    // A bar panel is hidden until it has a series, draws exactly that series
    // with its labels and axis titles, and is hidden again when cleared.
    void barPanelShowsItsSeries() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* panel = new BarChartPanel(&window);
        layout->addWidget(panel);
        window.resize(500, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(panel->isHidden());
        QVERIFY(!panel->isDrawn());

        panel->setAxisTitles(QStringLiteral("Armazens"), QStringLiteral("Quantidade"));
        const ChartSeries stock{{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("05")},
                                {120, 0, 37.5}};
        panel->setSeries(stock);
        QVERIFY(!panel->isHidden());
        QVERIFY(panel->isVisible());
        QVERIFY(panel->isDrawn());
        QCOMPARE(panel->shown(), stock);
        QCOMPARE(drawnBars(*panel), stock);
        QCOMPARE(axisTitle(*panel, Qt::Horizontal), QStringLiteral("Armazens"));
        QCOMPARE(axisTitle(*panel, Qt::Vertical), QStringLiteral("Quantidade"));
        auto* values = qobject_cast<QValueAxis*>(panel->chart()->axes(Qt::Vertical).first());
        QVERIFY(values);
        QVERIFY(values->min() <= 0);
        QVERIFY(values->max() >= 120);
        QVERIFY(!panel->grab().isNull());

        // A second series replaces the first; the titles stay.
        const ChartSeries years{{QStringLiteral("2026"), QStringLiteral("2025")}, {320, -15}};
        panel->setSeries(years);
        QCOMPARE(panel->chart()->series().size(), 1);
        QCOMPARE(drawnBars(*panel), years);
        QCOMPARE(axisTitle(*panel, Qt::Horizontal), QStringLiteral("Armazens"));
        values = qobject_cast<QValueAxis*>(panel->chart()->axes(Qt::Vertical).first());
        QVERIFY(values->min() <= -15);

        panel->clear();
        QVERIFY(panel->isHidden());
        QVERIFY(!panel->isDrawn());
        QVERIFY(panel->shown().isEmpty());
        QVERIFY(panel->chart()->series().isEmpty());
        QVERIFY(panel->chart()->axes().isEmpty());

        // Nine bars of 0 (receivables all settled) are drawn on an axis from 0 to 1.
        ChartSeries settled;
        for (const char* label :
             {"Prazo", "  0  30", " 30  60", " 60  90", " 90 120", "120 180", "  +180", "Tit.", "Pré-Dat."}) {
            settled.labels.append(QString::fromUtf8(label));
            settled.values.append(0);
        }
        panel->setSeries(settled);
        QVERIFY(!panel->isHidden());
        QCOMPARE(drawnBars(*panel), settled);
        values = qobject_cast<QValueAxis*>(panel->chart()->axes(Qt::Vertical).first());
        QCOMPARE(values->min(), 0.0);
        QCOMPARE(values->max(), 1.0);
        QVERIFY(!panel->grab().isNull());
        panel->setSeries(ChartSeries{});
        QVERIFY(panel->isHidden());
        QVERIFY(panel->chart()->series().isEmpty());
    }

    // Axis titles given while a series is drawn apply at once.
    void barAxisTitlesFollow() {
        BarChartPanel panel;
        panel.setSeries({{QStringLiteral("Prazo")}, {10}});
        QCOMPARE(axisTitle(panel, Qt::Horizontal), QString());
        panel.setAxisTitles(QStringLiteral("Armazens"), QStringLiteral("Quantidade"));
        QCOMPARE(axisTitle(panel, Qt::Horizontal), QStringLiteral("Armazens"));
        QCOMPARE(axisTitle(panel, Qt::Vertical), QStringLiteral("Quantidade"));
        QCOMPARE(panel.categoryTitle(), QStringLiteral("Armazens"));
        QCOMPARE(panel.valueTitle(), QStringLiteral("Quantidade"));
    }

    // A pie draws the rounded slices with label and value in the legend; a
    // later level replaces the slices, never adds to them.
    void piePanelDrawsSlices() {
        PieChartPanel panel;
        panel.resize(400, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const ChartSeries level1 = priceLevel(10.004, 2.5, 7.499);
        panel.setSeries(level1);
        QVERIFY(panel.isDrawn());
        QCOMPARE(panel.shown(), level1);
        QCOMPARE(panel.slices().size(), 3);
        QCOMPARE(panel.slices().at(2).percentage, 37.5);
        const ChartSeries expected{{QStringLiteral("Cust.Base 10,00"), QStringLiteral("C.Comerc. 2,50"),
                                    QStringLiteral("Margem 7,50")},
                                   {10.0, 2.5, 7.5}};
        QCOMPARE(drawnPie(panel), expected);
        QVERIFY(panel.chart()->title().isEmpty());
        QVERIFY(!panel.grab().isNull());

        panel.setSeries(priceLevel(8, 2, 10));
        QCOMPARE(panel.chart()->series().size(), 1);
        QCOMPARE(drawnPie(panel).values, (QList<double>{8, 2, 10}));
        QCOMPARE(panel.slices().at(2).percentage, 50.0);

        panel.clear();
        QVERIFY(!panel.isDrawn());
        QVERIFY(panel.shown().isEmpty());
        QVERIFY(panel.slices().isEmpty());
        QVERIFY(panel.chart()->series().isEmpty());
        QCOMPARE(panel.chart()->title(), QStringLiteral("Sem dados"));
    }

    // A refused series (total 0, a negative slice) leaves an empty chart that
    // still paints.
    void pieRefusedDrawsNothing() {
        PieChartPanel panel;
        panel.resize(400, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.setSeries(priceLevel(10, 2, 3));
        QVERIFY(panel.isDrawn());

        const ChartSeries zero = priceLevel(0, 0, 0);
        panel.setSeries(zero);
        QVERIFY(!panel.isDrawn());
        QCOMPARE(panel.shown(), zero);
        QVERIFY(panel.slices().isEmpty());
        QVERIFY(panel.chart()->series().isEmpty());
        QCOMPARE(panel.chart()->title(), QStringLiteral("Sem dados"));
        QVERIFY(!panel.grab().isNull());

        panel.setSeries(priceLevel(10, 2, -3));
        QVERIFY(!panel.isDrawn());
        QVERIFY(panel.chart()->series().isEmpty());
        QVERIFY(!panel.grab().isNull());
    }
};

QTEST_MAIN(TestChartPanels)
#include "test_chart_panels.moc"
