#include "parameters_store.h"

namespace corvane::shell {

std::optional<QVariantMap> ParametersStore::programRow(QString* error) {
    return db_->firstRow(QStringLiteral("SELECT * FROM PARGER WHERE CODIGO = 1"), {}, error);
}

std::optional<QVariant> ParametersStore::programValue(const QString& column, QString* error) {
    const std::optional<QVariantMap> row = programRow(error);
    if (!row)
        return std::nullopt;
    return row->value(column);
}

std::optional<QVariantMap> ParametersStore::yearRow(const QString& year, QString* error) {
    return db_->firstRow(QStringLiteral("SELECT * FROM PARGER WHERE ANO = :WAno"),
                         {{QStringLiteral("WAno"), year}}, error);
}

} // namespace corvane::shell
