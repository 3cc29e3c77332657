#pragma once

#include "db/database.h"

#include <QVariantMap>

#include <optional>

namespace corvane::shell {

// The general parameters, the one place their rows are read: row 1 of the
// program database's PARGER (costing, printing and quotation numbering) and
// the working year's row of the invoicing database's PARGER (decimals,
// photos, the year's modules). Every area reads them through it.
class ParametersStore {
public:
    explicit ParametersStore(db::Database& db) : db_(&db) {}

    // The program's row (CODIGO = 1) with every column; an empty map when
    // there is none; nullopt when it could not be read (*error).
    std::optional<QVariantMap> programRow(QString* error = nullptr);
    // One column of that row: a null value when there is no row.
    std::optional<QVariant> programValue(const QString& column, QString* error = nullptr);
    // The invoicing parameters of a year (ANO = year) with every column; an
    // empty map when the year has none; nullopt when they could not be read.
    std::optional<QVariantMap> yearRow(const QString& year, QString* error = nullptr);

    // Moves a numbering counter of the program's row (e.g. a quotation
    // series' last number) up to `number`, never down: a lower number, or a
    // higher one another user wrote meanwhile, leaves it alone. Meant to run
    // in the caller's transaction.
    bool raiseCounter(const QString& column, int number, QString* error = nullptr);

private:
    db::Database* db_;
};

} // namespace corvane::shell
