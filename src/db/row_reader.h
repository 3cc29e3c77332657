#pragma once

#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <memory>

class QSqlQuery;
struct sqlite3;
struct sqlite3_stmt;

namespace corvane::db {

class Database;

// One select read forward, row by row, its parameters bound by name. Values
// come as the Qt drivers give them: whole numbers as 64-bit integers, real
// numbers as doubles, text as strings, nulls as null strings. On SQLite the
// statement is stepped on the connection's own handle, because the driver's
// bookkeeping for every row costs more than reading the row does.
class RowReader {
public:
    explicit RowReader(Database& db);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    bool exec(const QString& sql, const QVariantMap& params, QString* error);
    // The column names as the statement gives them.
    const QStringList& fields() const { return fields_; }
    // The next row into *values; false after the last row, or on a failure
    // (then *error says why).
    bool next(QVariantList* values, QString* error);

private:
    bool prepareSqlite(const QString& sql, const QVariantMap& params, QString* error);
    bool bindSqlite(const QVariantMap& params, QString* error);
    QString sqliteError() const;
    void finish();

    Database* db_;
    sqlite3* handle_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    std::unique_ptr<QSqlQuery> query_;
    QStringList fields_;
};

} // namespace corvane::db
