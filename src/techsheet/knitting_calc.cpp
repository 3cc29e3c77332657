#include "knitting_calc.h"

#include "core/rounding.h"
#include "machine_step_calc.h"
#include "step_lines.h"

#include <cmath>

namespace corvane::techsheet {

namespace {

QString rowInvalid(int n) {
    return QString("Artigo-%1 Inválido !!!").arg(n);
}
// The line writing checks row 1 with two spaces before "Inexistente".
QString rowUnknown(int n, bool writingLines) {
    return QString(writingLines && n == 1 ? "Artigo-%1  Inexistente : " : "Artigo-%1 Inexistente : ").arg(n);
}

} // namespace

bool knitPercentOnExit(double typed, double& percent, Notes& notes) {
    const double whole = std::trunc(typed);
    if (whole > 100)
        return notes.refuse("% de consumo inválida !!!");
    percent = whole < 1 ? 0 : whole;
    return true;
}

bool computeKnitConsumption(const KnittingInput& input, const std::vector<Yarn>& yarns,
                            std::array<double, 8>& kg, Notes& notes) {
    kg.fill(0);
    double total = 0;
    for (const auto& row : input.rows)
        total += row.percent;
    if (total > 100)
        return notes.refuse("O Total de % de Consumo excedeu os 100%");
    for (int i = 0; i < 8; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        const KnitRow& row = input.rows[idx];
        if (row.percent <= 0)
            continue;
        const Yarn* yarn = checkedYarn(yarns, row.yarn, rowInvalid(i + 1), rowUnknown(i + 1, false), notes);
        if (!yarn)
            return false;
        kg[idx] = roundTo(input.PieceWeight * row.percent / 100 / 1000, 7);
        if (kg[idx] == 0)
            return notes.refuse("Calculo de Consumo Errado, no Fio : " + yarn->CODIGO);
    }
    return true;
}

bool costKnittingMachine(WorkMachineRow& row, Notes& notes) {
    if (!costTypedMinutes(row, notes))
        return false;
    // The typed minutes are the time per piece, without set-up.
    row.QTD_SEMACERTO = row.QTD;
    return true;
}

bool costKnittingMachines(std::vector<WorkMachineRow>& machines, Notes& notes) {
    for (auto& row : machines) {
        if (row.QTD == 0 && !row.ticked())
            continue;
        if (!costKnittingMachine(row, notes))
            return false;
    }
    return true;
}

bool knittingLines(const KnittingInput& input, const std::array<double, 8>& kg,
                   const std::vector<WorkMachineRow>& machines, const std::vector<Yarn>& yarns,
                   const CostTypes& costTypes, int machineCostType, int yarnCostType, int& detail,
                   std::vector<FictecDetLine>& lines, Notes& notes) {
    if (tickedCount(machines) != 1)
        return notes.refuse(kMachineCountRefused);
    const double w = input.YarnWastePercent;
    if (!findCostType(costTypes, machineCostType)) {
        notes.say("Ainda não parametrizou o Desperdício das Máquinas ...");
    } else {
        for (const auto& row : machines) {
            if (!row.ticked())
                continue;
            FictecDetLine& line = appendLine(
                lines, machineTimeLine(row, machineCostType, w, MachineRate::PerHour, WasteForm::Factor),
                input.ArticleCode, detail, "A");
            line.FACTCONV = 1000;
            // The minutes per piece, which quotations multiply by the quantity.
            line.TMP_SEMACERTO = line.QUANT;
        }
    }
    for (int i = 0; i < 8; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        const KnitRow& row = input.rows[idx];
        if (row.percent <= 0)
            continue;
        const Yarn* yarn = checkedYarn(yarns, row.yarn, rowInvalid(i + 1), rowUnknown(i + 1, true), notes);
        if (!yarn)
            return false;
        if (!findCostType(costTypes, yarnCostType)) {
            notes.say("Ainda não parametrizou o Tipo de Custo do Fio ...");
            continue;
        }
        appendLine(lines, yarnLine(*yarn, kg[idx], yarnCostType, w, 4), input.ArticleCode, detail, "A")
            .TECELAGEM = yarnPosition("TR", i + 1);
    }
    return true;
}

} // namespace corvane::techsheet
