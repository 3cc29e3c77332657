#pragma once

// The reference data the technical-sheet screen reads when it opens: the
// general parameters it costs with and the work types of a woven scarf.
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace corvane::techsheet {

// One TIPOTRABALHO row.
struct WorkType {
    int code = 0;          // CODIGO
    QString designation;   // DESIGNACAO
    int passagesPerCm = 0; // PASSAG_CM, weft passages per cm
};

// The values of the general parameters row (PARGER CODIGO 1) the sheet uses.
struct SheetParameters {
    double generalWaste = 0;   // DESP_GERAL, %
    int yarnCostType = 0;      // FIOS_TC
    int inkCostType = 0;       // TINTAS_TC
    int labelCostType = 0;     // ETIQ_TC
    int cardLabelCostType = 0; // ETIQCART_TC
    int hangerCostType = 0;    // CABIDE_TC
    int fringeCostType = 0;    // FRANJA_TC
    int machineCostType = 0;   // MAQUINAS_TC
    int clothCostType = 0;     // TECIDO_TC

    // From a PARGER row read as column -> value.
    static SheetParameters fromRow(const QVariantMap& row);
};

// The reference data the screen reads: the parameters row (empty when it is
// missing) and the work types.
struct SheetReference {
    std::optional<SheetParameters> parameters;
    QList<WorkType> workTypes;
};

} // namespace corvane::techsheet
