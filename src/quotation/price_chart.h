#pragma once

// The price chart of a quantity level: three slices of its sale value.
#include "quotation_calc.h"

#include <QList>

namespace corvane::quotation {

struct ChartSlice {
    int SEQUENCIA = 0;
    QString LEGENDA;
    double VALOR = 0;
};

// Level `level` (1..3) of a full calculation: 1 "Cust.Base" the level's base
// cost, 2 "C.Comerc." its commercial charges, 3 "Margem" its net margin, each
// rounded to 2 decimals.
QList<ChartSlice> priceChartSlices(const LevelValues& values, int level);

} // namespace corvane::quotation
