#pragma once

#include "database.h"
#include "schema.h"

#include <optional>

namespace corvane::db {

// One change that bringing a database to its table descriptions made.
struct SchemaChange {
    enum class Kind { Table, Column, Index };
    Kind kind = Kind::Table;
    QString table;
    QString name; // the column or index; the table's own name for a table
};

// The table with its indexes, unconditionally.
bool createTable(Database& db, const Table& table, QString* error = nullptr);
// The table with its indexes when the database lacks it: true when it was
// made, false when it was there, nullopt (and the server's message) on failure.
std::optional<bool> createTableIfMissing(Database& db, const Table& table, QString* error = nullptr);
// The column when the table lacks it, with the same answers.
std::optional<bool> addColumnIfMissing(Database& db, const QString& table, const Column& column,
                                       QString* error = nullptr);

// The index on an existing table when the database lacks one of its name,
// with the same answers.
std::optional<bool> addIndexIfMissing(Database& db, const QString& table, const Index& index,
                                      QString* error = nullptr);

// Every table in one transaction: a new database gets its tables.
bool createTables(Database& db, const QList<Table>& tables, QString* error = nullptr);

// Brings an existing database to the descriptions without touching its rows,
// in one transaction: each missing table is created; an existing one gains
// the columns and indexes it lacks (its key and the types of the columns it
// has are left as they are). `changes` (may be null) receives what was done;
// on failure nothing is.
bool completeTables(Database& db, const QList<Table>& tables, QList<SchemaChange>* changes,
                    QString* error = nullptr);

} // namespace corvane::db
