#include "chart_data.h"
#include "core/number_input.h"

#include "core/rounding.h"

#include <algorithm>
#include <cmath>

namespace corvane::components {

std::optional<QList<PieSlice>> pieSlices(const ChartSeries& series) {
    QList<PieSlice> slices;
    double total = 0;
    for (qsizetype i = 0; i < series.size(); ++i) {
        const double value = roundTo(series.values.at(i), 2);
        if (!std::isfinite(value) || value < 0)
            return std::nullopt;
        total += value;
        slices.append({series.label(i), value, 0});
    }
    if (!(total > 0) || !std::isfinite(total))
        return std::nullopt;
    for (PieSlice& slice : slices)
        slice.percentage = roundTo(slice.value * 100 / total, 2);
    return slices;
}

QString pieLegend(const PieSlice& slice) {
    return slice.label + QLatin1Char(' ') + fixedNumberText(slice.value, 2);
}

QString periodLabel(int year, int month) {
    const QString y = QString::number(year);
    if (month < 1 || month > 12)
        return y;
    return QString::number(month) + QLatin1Char('/') + y;
}

ChartSeries recentPeriods(QList<PeriodTotal> rows, int count) {
    std::stable_sort(rows.begin(), rows.end(), [](const PeriodTotal& a, const PeriodTotal& b) {
        return a.year != b.year ? a.year > b.year : a.month > b.month;
    });
    ChartSeries series;
    for (const PeriodTotal& row : rows) {
        if (series.size() >= count)
            break;
        series.labels.append(periodLabel(row.year, row.month));
        series.values.append(row.value);
    }
    return series;
}

} // namespace corvane::components
