#pragma once

// The knitting step: consumption by share of the piece's weight, the typed
// machine time and its cost per hour, and the sheet lines with the sheet's waste.
#include "sheet_lines.h"
#include "work_rows.h"

#include <array>

namespace corvane::techsheet {

// A yarn row of the knitted layout (FICTECFIOS TRn_PERC, TRn_REFFIO, TEn_GRAD).
struct KnitRow {
    double percent = 0;
    QString yarn;
    QString gradation;
};

struct KnittingInput {
    QString ArticleCode;
    double PieceWeight = 0;
    double YarnWastePercent = 0;
    std::array<KnitRow, 8> rows;
};

// The percent field on leaving: below 1 gives 0, above 100 is refused
// ("% de consumo inválida !!!"); the value is read as a whole number.
bool knitPercentOnExit(double typed, double& percent, Notes& notes);

// kg per piece of every row with a percentage, rounded to 7 decimals.
bool computeKnitConsumption(const KnittingInput& input, const std::vector<Yarn>& yarns,
                            std::array<double, 8>& kg, Notes& notes);

// The typed time of one machine on leaving its time column, costed as below.
bool costKnittingMachine(WorkMachineRow& row, Notes& notes);

// The typed time of the ticked machine and of every row with a time is costed
// (minutes × price / 60) and kept as the time without set-up; a ticked row
// without time is refused.
bool costKnittingMachines(std::vector<WorkMachineRow>& machines, Notes& notes);

// The machine line and the yarn lines (step "A"), both with the sheet's waste.
// The machine line's time without set-up (TMP_SEMACERTO) is its QUANT.
bool knittingLines(const KnittingInput& input, const std::array<double, 8>& kg,
                   const std::vector<WorkMachineRow>& machines, const std::vector<Yarn>& yarns,
                   const CostTypes& costTypes, int machineCostType, int yarnCostType, int& detail,
                   std::vector<FictecDetLine>& lines, Notes& notes);

} // namespace corvane::techsheet
