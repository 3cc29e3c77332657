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

bool ParametersStore::raiseCounter(const QString& column, int number, QString* error) {
    return db_->exec(QStringLiteral("UPDATE PARGER SET %1 = :WOrcNro WHERE CODIGO = 1 AND COALESCE(%1, 0) < :WOrcNro")
                         .arg(column),
                     {{QStringLiteral("WOrcNro"), number}}, error);
}

} // namespace corvane::shell
