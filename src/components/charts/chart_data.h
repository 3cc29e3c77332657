#pragma once

// What a chart shows, worked out without widgets so the screens' tests can
// check it without a display.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace corvane::components {

// One series: a label and a value per bar or slice, in drawing order. A
// value without a label is drawn with an empty label.
struct ChartSeries {
    QStringList labels;
    QList<double> values;

    bool isEmpty() const { return values.isEmpty(); }
    qsizetype size() const { return values.size(); }
    QString label(qsizetype i) const { return i < labels.size() ? labels.at(i) : QString(); }

    friend bool operator==(const ChartSeries&, const ChartSeries&) = default;
};

// One slice of a pie: its value rounded to 2 decimals and its share of the
// pie's total in percent, also rounded to 2 decimals.
struct PieSlice {
    QString label;
    double value = 0;
    double percentage = 0;

    friend bool operator==(const PieSlice&, const PieSlice&) = default;
};

// The slices of a pie over `series`, values rounded to 2 decimals first.
// Nothing to draw (nullopt) when the rounded total is 0, when a value is
// negative or not a finite number, or when the series is empty.
std::optional<QList<PieSlice>> pieSlices(const ChartSeries& series);

// The text of a slice in the legend: the label and the value with 2 decimals,
// e.g. "Margem 12.50".
QString pieLegend(const PieSlice& slice);

// The total of a period: a year, or a month of a year when `month` is 1..12.
struct PeriodTotal {
    int year = 0;
    int month = 0; // 0: the whole year
    double value = 0;
};

// How many periods the history charts show.
inline constexpr int kRecentPeriods = 6;

// The label of a period: "2026" for a year, "3/2026" for March 2026.
QString periodLabel(int year, int month = 0);

// The bars of the most recent periods first: `rows` ordered by year and month
// descending (the order given is kept between equal periods), the first
// `count` of them kept, each labelled with periodLabel().
ChartSeries recentPeriods(QList<PeriodTotal> rows, int count = kRecentPeriods);

} // namespace corvane::components
