#pragma once

// The cost types (TIPOCUSTO) as the lines of a detail grid, for the tests of
// DetailLines and of its grid.
#include "reference/reference_tables.h"
#include "screens/detail_lines.h"

namespace corvane::screens {

// "Código" shown (`codeWidth` characters wide), "Designação" and "Desperd."
// (%) typed, "S/N" (TU) a yes/no box.
inline QList<DetailColumn> costTypeColumns(int codeWidth = 0) {
    const db::Table table = reference::tipoCustoTable();
    return {{fieldOf(table, QStringLiteral("CODIGO"), {}), QStringLiteral("Código"), false, false, codeWidth},
            {fieldOf(table, QStringLiteral("DESIGNACAO"), {}), QStringLiteral("Designação"), true, false, 0},
            {fieldOf(table, QStringLiteral("DESPERD"), {}), QStringLiteral("Desperd."), true, false, 0},
            {fieldOf(table, QStringLiteral("TU"), {}), QStringLiteral("S/N"), true, true, 0}};
}

// A waste over 100 % refused with "Desperdício acima de 100%".
inline bool wasteAtMost100(int, const DetailColumn& c, const QVariant& v, QString* message) {
    if (c.rule.column == QLatin1String("DESPERD") && v.toDouble() > 100) {
        *message = QStringLiteral("Desperdício acima de 100%");
        return false;
    }
    return true;
}

} // namespace corvane::screens
