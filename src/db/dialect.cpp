#include "dialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace corvane::db {

QString Dialect::columnType(const Column& c) const {
    const bool pg = backend_ == Backend::PostgreSQL;
    switch (c.type) {
    case ColType::Text:
        // Text compares case-insensitively, as the columns of the original server did.
        if (pg)
            return QStringLiteral("CITEXT");
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(c.length > 0 ? c.length : 255);
    case ColType::Integer:
        return QStringLiteral("INTEGER");
    case ColType::SmallInt:
        return QStringLiteral("SMALLINT");
    case ColType::Float:
        return pg ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("FLOAT");
    case ColType::Money:
        return pg ? QStringLiteral("NUMERIC(19,4)") : QStringLiteral("FLOAT");
    case ColType::DateTime:
        return pg ? QStringLiteral("TIMESTAMP") : QStringLiteral("DATETIME");
    }
    return QStringLiteral("TEXT");
}

QString Dialect::columnDefinition(const Column& c) const {
    QString def = c.name + QLatin1Char(' ') + columnType(c);
    if (!c.defaultValue.isEmpty())
        def += QStringLiteral(" DEFAULT ") + c.defaultValue;
    def += c.notNull ? QStringLiteral(" NOT NULL") : QStringLiteral(" NULL");
    if (backend_ == Backend::PostgreSQL && c.type == ColType::Text && c.length > 0)
        def += QStringLiteral(" CHECK (char_length(%1) <= %2)").arg(c.name).arg(c.length);
    return def;
}

QString Dialect::createTable(const Table& t) const {
    QStringList parts;
    for (const Column& c : t.columns)
        parts << columnDefinition(c);
    if (!t.primaryKey.isEmpty()) {
        const QString name = t.primaryKeyName.isEmpty() ? QStringLiteral("PK_") + t.name : t.primaryKeyName;
        parts << QStringLiteral("CONSTRAINT %1 PRIMARY KEY (%2)").arg(name, t.primaryKey.join(QLatin1Char(',')));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(t.name, parts.join(QStringLiteral(", ")));
}

QStringList Dialect::createIndexes(const Table& t) const {
    QStringList out;
    for (const Index& ix : t.indexes)
        out << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                   .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(), ix.name, t.name,
                        ix.columns.join(QLatin1Char(',')));
    return out;
}

QString Dialect::addColumn(const QString& table, const Column& c) const {
    return QStringLiteral("ALTER TABLE %1 ADD %2").arg(table, columnDefinition(c));
}

QString Dialect::tableExistsQuery() const {
    if (backend_ == Backend::PostgreSQL)
        return QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = "
                              "current_schema() AND table_type = 'BASE TABLE' AND table_name = LOWER(:WTABLE)");
    return QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = :WTABLE "
                          "COLLATE NOCASE");
}

bool Dialect::tableExists(const QSqlDatabase& db, const QString& table, QString* error) const {
    QSqlQuery q(db);
    q.prepare(tableExistsQuery());
    q.bindValue(QStringLiteral(":WTABLE"), table);
    if (!q.exec() || !q.next()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return q.value(0).toInt() > 0;
}

bool Dialect::columnExists(const QSqlDatabase& db, const QString& table, const QString& column) const {
    QSqlQuery q(db);
    if (backend_ == Backend::PostgreSQL) {
        q.prepare(QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = "
                                 "current_schema() AND table_name = LOWER(:T) AND column_name = LOWER(:C)"));
        q.bindValue(QStringLiteral(":T"), table);
        q.bindValue(QStringLiteral(":C"), column);
        return q.exec() && q.next() && q.value(0).toInt() > 0;
    }
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return false;
    while (q.next())
        if (q.value(1).toString().compare(column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString Dialect::year(const QString& expr) const {
    if (backend_ == Backend::PostgreSQL)
        return QStringLiteral("CAST(EXTRACT(YEAR FROM %1) AS INTEGER)").arg(expr);
    return QStringLiteral("CAST(strftime('%Y', %1) AS INTEGER)").arg(expr);
}

QString Dialect::caseInsensitiveOrder(const QString& expr) const {
    // SQLite's NOCASE compares in place, where UPPER would make a string of every row.
    if (backend_ == Backend::PostgreSQL)
        return QStringLiteral("UPPER(%1)").arg(expr);
    return expr + QStringLiteral(" COLLATE NOCASE");
}

} // namespace corvane::db
