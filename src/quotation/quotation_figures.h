#pragma once

// The figures of a quantity level as the price page shows them, the internal
// report prints them and the price chart draws them: one rounding of one
// calculation. Every money value is the closing total of the calculation
// (rounded once to the currency decimals, as ORCAMTOT stores it); the base
// cost and the commercial cost are the sums of the rounded parts, so a column
// adds up as printed; the order total is the level's sale value VALORCLI.
// The margin is rounded on its own, so base + commercial + margin may differ
// from the order total by a cent or two.
#include "quotation_calc.h"

namespace corvane::quotation {

struct LevelFigures {
    double materials = 0, transformation = 0, fixedCosts = 0, waste = 0, subcontracts = 0, quality = 0,
           structure = 0, packaging = 0, base = 0;
    double commissions = 0, transport = 0, payment = 0, discounts = 0, commercial = 0;
    double margin = 0;        // money
    double marginPercent = 0; // percent of the sale value, 1 decimal
    double quotedPrice = 0;   // PRCORC, per unit, in the price decimals
    double customerPrice = 0; // PRECOCLI, per unit
    double orderTotal = 0;    // VALORCLI, in the currency decimals
};

// Level `level` (1..3) of stored totals and the master row beside them.
LevelFigures levelFigures(const OrcamTot& totals, const OrcamMas& mas, int level, int currencyDecimals);
// Level `level` of a full calculation: the figures of its closing totals.
LevelFigures levelFigures(const LevelValues& values, const OrcamMas& mas, int level, int currencyDecimals);

} // namespace corvane::quotation
