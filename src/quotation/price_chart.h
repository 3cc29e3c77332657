#pragma once

// The price chart of a quantity level: three slices of its sale value.
#include "quotation_figures.h"

#include <QList>

namespace corvane::quotation {

struct ChartSlice {
    int SEQUENCIA = 0;
    QString LEGENDA;
    double VALOR = 0;
    bool operator==(const ChartSlice&) const = default;
};

// The slices of a level's figures: 1 "Cust.Base" the base cost, 2 "C.Comerc."
// the commercial charges, 3 "Margem" the net margin, each rounded to 2
// decimals.
QList<ChartSlice> priceChartSlices(const LevelFigures& figures);
// Level `level` (1..3) of a full calculation, through its figures.
QList<ChartSlice> priceChartSlices(const LevelValues& values, int level, int currencyDecimals = 2);

} // namespace corvane::quotation
