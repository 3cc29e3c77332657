#include "sheet_reference.h"

namespace corvane::techsheet {

SheetParameters SheetParameters::fromRow(const QVariantMap& row) {
    SheetParameters p;
    p.generalWaste = row.value(QStringLiteral("DESP_GERAL")).toDouble();
    p.yarnCostType = row.value(QStringLiteral("FIOS_TC")).toInt();
    p.inkCostType = row.value(QStringLiteral("TINTAS_TC")).toInt();
    p.labelCostType = row.value(QStringLiteral("ETIQ_TC")).toInt();
    p.cardLabelCostType = row.value(QStringLiteral("ETIQCART_TC")).toInt();
    p.hangerCostType = row.value(QStringLiteral("CABIDE_TC")).toInt();
    p.fringeCostType = row.value(QStringLiteral("FRANJA_TC")).toInt();
    p.machineCostType = row.value(QStringLiteral("MAQUINAS_TC")).toInt();
    p.clothCostType = row.value(QStringLiteral("TECIDO_TC")).toInt();
    return p;
}

} // namespace corvane::techsheet
