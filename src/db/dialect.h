#pragma once

#include "alias.h"
#include "schema.h"

#include <QStringList>

#include <optional>

class QSqlDatabase;

namespace corvane::db {

// What differs between the backends, in one place: the SQL texts elsewhere are
// written once (single-quoted literals, COALESCE, plain identifiers).
class Dialect {
public:
    explicit Dialect(Backend backend) : backend_(backend) {}
    Backend backend() const { return backend_; }

    // DDL
    QString columnType(const Column& c) const;
    QString columnDefinition(const Column& c) const;
    QString createTable(const Table& t) const;
    QStringList createIndexes(const Table& t) const;
    QString addColumn(const QString& table, const Column& c) const;

    // Whether a user table exists in the connection's own schema.
    QString tableExistsQuery() const; // one parameter :WTABLE, returns a count
    bool tableExists(const QSqlDatabase& db, const QString& table, QString* error = nullptr) const;
    bool columnExists(const QSqlDatabase& db, const QString& table, const QString& column) const;
    // Whether an index of that name exists; nullopt (and the message) when it cannot tell.
    std::optional<bool> indexExists(const QSqlDatabase& db, const QString& index,
                                    QString* error = nullptr) const;

    // Expressions
    // The year (month 1..12) of a date-time expression, as an integer.
    QString year(const QString& expr) const;
    QString month(const QString& expr) const;
    // An ordered select cut to its first row, so that the server stops there
    // instead of ordering the whole list.
    QString firstOnly(const QString& select) const;
    // A statement that makes the open transaction wait for, then hold until
    // it ends, the lock named by its one parameter :WLOCK (case aside); empty
    // where the first write of a transaction already locks out every other
    // writer (SQLite).
    QString transactionLock() const;
    // Whether two expressions hold the same value, two nulls counting as the
    // same: the condition a write puts on the values a user started from.
    QString sameValue(const QString& lhs, const QString& rhs) const;
    // An ORDER BY key that sorts text without regard to case.
    QString caseInsensitiveOrder(const QString& expr) const;
    // Whether NULL comes before every value in an ascending order (SQLite) or
    // after them (PostgreSQL).
    bool nullsSortFirst() const { return backend_ == Backend::SQLite; }

private:
    Backend backend_;
};

} // namespace corvane::db
