#include "price_chart.h"

#include "core/rounding.h"

namespace corvane::quotation {

QList<ChartSlice> priceChartSlices(const LevelValues& values, int level) {
    if (level < 1 || level > 3)
        return {};
    const std::size_t i = std::size_t(level - 1);
    return {{1, QStringLiteral("Cust.Base"), roundTo(values.cost[i].Base, 2)},
            {2, QStringLiteral("C.Comerc."), roundTo(values.Chg[i], 2)},
            {3, QStringLiteral("Margem"), roundTo(values.Mg[i], 2)}};
}

} // namespace corvane::quotation
