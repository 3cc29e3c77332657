#pragma once

#include "db/database.h"

namespace corvane::setup {

// The demo data's rows: one value per column, in the columns' order.
using Row = QVariantList;

// Inserts the rows with one statement of bound parameters.
bool insertRows(db::Database& db, const QString& table, const QStringList& columns, const QList<Row>& rows,
                QString* error);
// The same with the columns as one comma-separated list.
bool insertRows(db::Database& db, const QString& table, const QString& columns, const QList<Row>& rows,
                QString* error);

} // namespace corvane::setup
