#include "schema_update.h"

namespace corvane::db {

namespace {

// Runs the table's index statements, skipping those already there.
bool createIndexes(Database& db, const Table& table, bool onlyMissing, QList<SchemaChange>* changes,
                   QString* error) {
    const Dialect& d = db.dialect();
    const QStringList statements = d.createIndexes(table);
    for (int i = 0; i < statements.size(); ++i) {
        const QString& name = table.indexes.at(i).name;
        if (onlyMissing) {
            const std::optional<bool> exists = d.indexExists(db.sql(), name, error);
            if (!exists)
                return false;
            if (*exists)
                continue;
        }
        if (!db.exec(statements.at(i), {}, error))
            return false;
        if (changes)
            *changes << SchemaChange{SchemaChange::Kind::Index, table.name, name};
    }
    return true;
}

} // namespace

std::optional<bool> addIndexIfMissing(Database& db, const QString& table, const Index& index,
                                      QString* error) {
    QList<SchemaChange> done;
    if (!createIndexes(db, Table{table, {}, {}, {}, {index}}, true, &done, error))
        return std::nullopt;
    return !done.isEmpty();
}

bool createTable(Database& db, const Table& table, QString* error) {
    return db.exec(db.dialect().createTable(table), {}, error) &&
           createIndexes(db, table, false, nullptr, error);
}

std::optional<bool> createTableIfMissing(Database& db, const Table& table, QString* error) {
    QString lookup;
    const bool exists = db.dialect().tableExists(db.sql(), table.name, &lookup);
    if (!lookup.isEmpty()) {
        if (error)
            *error = lookup;
        return std::nullopt;
    }
    if (exists)
        return false;
    if (!createTable(db, table, error))
        return std::nullopt;
    return true;
}

std::optional<bool> addColumnIfMissing(Database& db, const QString& table, const Column& column,
                                       QString* error) {
    const Dialect& d = db.dialect();
    if (d.columnExists(db.sql(), table, column.name))
        return false;
    if (!db.exec(d.addColumn(table, column), {}, error))
        return std::nullopt;
    return true;
}

bool createTables(Database& db, const QList<Table>& tables, QString* error) {
    return db.transaction(
        [&] {
            for (const Table& t : tables)
                if (!createTable(db, t, error))
                    return false;
            return true;
        },
        error);
}

bool completeTables(Database& db, const QList<Table>& tables, QList<SchemaChange>* changes, QString* error) {
    QList<SchemaChange> done;
    const bool ok = db.transaction(
        [&] {
            for (const Table& t : tables) {
                const std::optional<bool> created = createTableIfMissing(db, t, error);
                if (!created)
                    return false;
                if (*created) {
                    done << SchemaChange{SchemaChange::Kind::Table, t.name, t.name};
                    continue;
                }
                for (const Column& c : t.columns) {
                    const std::optional<bool> added = addColumnIfMissing(db, t.name, c, error);
                    if (!added)
                        return false;
                    if (*added)
                        done << SchemaChange{SchemaChange::Kind::Column, t.name, c.name};
                }
                if (!createIndexes(db, t, true, &done, error))
                    return false;
            }
            return true;
        },
        error);
    if (ok && changes)
        *changes = done;
    return ok;
}

} // namespace corvane::db
