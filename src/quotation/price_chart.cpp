#include "price_chart.h"

#include "core/rounding.h"

namespace corvane::quotation {

QList<ChartSlice> priceChartSlices(const LevelFigures& f) {
    return {{1, QStringLiteral("Cust.Base"), roundTo(f.base, 2)},
            {2, QStringLiteral("C.Comerc."), roundTo(f.commercial, 2)},
            {3, QStringLiteral("Margem"), roundTo(f.margin, 2)}};
}

QList<ChartSlice> priceChartSlices(const LevelValues& values, int level, int currencyDecimals) {
    if (level < 1 || level > 3)
        return {};
    return priceChartSlices(levelFigures(values, OrcamMas{}, level, currencyDecimals));
}

} // namespace corvane::quotation
