#include "step_lines.h"

#include "tech_sheet_context.h"

#include "core/rounding.h"

#include <algorithm>

namespace corvane::techsheet {

const Yarn* findYarn(const std::vector<Yarn>& yarns, const QString& code) {
    const auto it =
        std::find_if(yarns.begin(), yarns.end(), [&code](const Yarn& y) { return y.CODIGO == code; });
    return it == yarns.end() ? nullptr : &*it;
}

int tickedCount(const std::vector<WorkMachineRow>& rows) {
    return static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.ticked(); }));
}

MachineRate lineRate(const QString& step, const QString& sheetKind) {
    static const QStringList perHour{"A", "C", "E", "F", "V", "R", "M", "S"};
    const QString s = step.trimmed().toUpper();
    if (perHour.contains(s) || (s == QLatin1String("T") && sheetKind.trimmed().toUpper() == kPrintedScarf))
        return MachineRate::PerHour;
    return MachineRate::PerMinute;
}

int productionModeOf(const WorkMachineRow& row, const FictecDetLine& line) {
    return line.TMPACE.value_or(row.ACERTO1) == row.ACERTO1 ? 1 : 2;
}

FictecDetLine machineTimeLine(const WorkMachineRow& row, int costTypeCode, double wastePercent,
                              MachineRate rate, WasteForm form) {
    const double w = wastePercent;
    double qf = row.QTD;
    if (w > 0)
        qf = form == WasteForm::Factor ? row.QTD * (1 + w / 100) : row.QTD + w * row.QTD / 100;
    const double pricePerMinute = rate == MachineRate::PerHour ? row.PRECO / 60 : row.PRECO;

    FictecDetLine line = costedLine(costTypeCode, row.CODIGO, row.DESIGNACAO, "Min");
    line.QUANT = roundTo(row.QTD, 4);
    line.PRECO = roundTo(row.PRECO, 2);
    line.VALOR = roundTo(row.CUSTO, 2);
    line.QUANT_FINAL = roundTo(qf, 4);
    line.VALOR_FINAL = roundTo(row.CUSTO + pricePerMinute * w * qf / 100, 2);
    line.TMPACE = row.setUp();
    line.TMP_SEMACERTO = row.QTD_SEMACERTO;
    return line;
}

FictecDetLine yarnLine(const Yarn& yarn, double kg, int costTypeCode, double wastePercent,
                       int finalDecimals) {
    const double qf = quantityWithWaste(kg, wastePercent);
    FictecDetLine line = costedLine(costTypeCode, yarn.CODIGO, yarn.DESIGNACAO, yarn.UNCOMPRA);
    line.QUANT = kg;
    line.PRECO = yarn.CUSTOPADRAO;
    line.VALOR = roundTo(kg * yarn.CUSTOPADRAO, 2);
    line.QUANT_FINAL = roundTo(qf, finalDecimals);
    line.VALOR_FINAL = roundTo(line.VALOR + wastePercent * qf * yarn.CUSTOPADRAO / 100, 2);
    return line;
}

const Yarn* checkedYarn(const std::vector<Yarn>& yarns, const QString& code, const QString& invalidText,
                        const QString& unknownPrefix, Notes& notes) {
    if (code.trimmed().isEmpty()) {
        notes.refuse(invalidText);
        return nullptr;
    }
    const Yarn* yarn = findYarn(yarns, code);
    if (!yarn)
        notes.refuse(unknownPrefix + code);
    return yarn;
}

QString yarnPosition(const char* prefix, int position) {
    return QString("%1-%2").arg(QLatin1String(prefix)).arg(position, 2, 10, QLatin1Char('0'));
}

} // namespace corvane::techsheet
