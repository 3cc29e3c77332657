#pragma once

// The quotation calculation: unit costs from a technical sheet, level costs,
// sale values in both price modes, the commercial charges, margins, prices and
// the totals stored at closing.
#include "quotation_types.h"
#include "techsheet/sheet_lines.h"

namespace corvane::quotation {

using techsheet::CostTypes;
using techsheet::FictecDetLine;
using techsheet::Notes;

// Per-unit components of a technical sheet; Tr holds the transformation cost
// of each level (it depends on the quantity through the set-up time).
struct UnitCosts {
    double M = 0;  // materials
    double F = 0;  // fixed costs
    double W = 0;  // waste
    double QL = 0; // quality
    double E = 0;  // packaging
    double C = 0;  // subcontract
    double s = 0;  // structure percent
    Levels Tr{};
};

// Builds the unit components from the sheet's rows (FICTECDET or O_FICTECDET,
// in RELACFICTEC order) of a sheet of kind `sheetKind` (FICTECMAS.TIPOFICTEC).
// Rows with an unknown cost type or a budget class outside 1..7 are left out,
// with their message. A machine-time row (class 2) costs its set-up and its
// minutes at the price of a minute: its PRECO, or PRECO / 60 where the step
// gives PRECO per hour (techsheet::lineRate).
UnitCosts buildUnitCosts(const std::vector<FictecDetLine>& rows, const CostTypes& costTypes,
                         const Levels& quantities, Notes& notes, const QString& sheetKind = {});

struct LevelCost {
    double Mat = 0, Tra = 0, Fix = 0, Was = 0, Qua = 0, Sub = 0, Pac = 0, Str = 0, Base = 0;
};

// Costs of each level; all 0 where the quantity is not positive.
std::array<LevelCost, 3> levelCosts(const UnitCosts& unit, const Levels& quantities, bool chargeFixedCosts);

enum class PriceMode { Margin, Customer };

struct Quotation {
    PriceMode mode = PriceMode::Margin;
    int priceDecimals = 2;
    OrcamMas mas;
    OrcamCom com;
    OrcamTransp transp;
    OrcamCndPgt cndpgt;
    OrcamDesc desc;
};

// The values of a full calculation besides those written into the rows.
struct LevelValues {
    std::array<LevelCost, 3> cost{};
    Levels V{}, Com{}, Trp{}, Pag{}, Dsc{}, Chg{}, Mg{}, MgPerc{};
};

// Sum P of the percentages that share the sale value in margin-driven mode.
double percentSum(const Quotation& q);

// A full calculation (level costs, sale values, charges, margin and prices),
// writing the computed columns of `q`. In margin-driven mode a percentage sum
// of 100 or more is refused and nothing is computed.
bool calculateQuotation(Quotation& q, const UnitCosts& unit, LevelValues& values, Notes& notes);

// The ORCAMTOT row of a closed quotation: money to `currencyDecimals`,
// MARGEMPRC to 1 decimal.
OrcamTot closingTotals(const LevelValues& values, int currencyDecimals);

} // namespace corvane::quotation
