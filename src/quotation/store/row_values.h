#pragma once

// The values of a row read as a column map (Database::firstRow), as the
// quotation code takes them: text trimmed, numbers as doubles or integers.
#include <QVariantMap>

namespace corvane::quotation {

inline QString textOf(const QVariantMap& row, const QString& column) {
    return row.value(column).toString().trimmed();
}
inline double realOf(const QVariantMap& row, const QString& column) {
    return row.value(column).toDouble();
}
inline int intOf(const QVariantMap& row, const QString& column) {
    return row.value(column).toInt();
}

} // namespace corvane::quotation
