#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace corvane::db {

// Column types as the tables are described; the dialect turns them into each
// backend's SQL types. Text columns compare case-insensitively on both backends.
enum class ColType { Text, Integer, SmallInt, Float, Money, DateTime };

struct Column {
    QString name;
    ColType type = ColType::Text;
    int length = 0; // text columns
    bool notNull = false;
    QString defaultValue; // SQL literal, e.g. "0"
    bool identity = false; // integer numbered by the database on insert
};

struct Index {
    QString name;
    QStringList columns;
    bool unique = true;
};

struct Table {
    QString name;
    QList<Column> columns;
    QStringList primaryKey; // may be empty
    QString primaryKeyName;
    QList<Index> indexes;

    QStringList columnNames() const {
        QStringList names;
        for (const Column& c : columns)
            names << c.name;
        return names;
    }
};

// Short builders so table descriptions read like the column lists they copy.
inline Column text(const QString& name, int length, bool notNull = false) {
    return Column{name, ColType::Text, length, notNull, {}, false};
}
inline Column integer(const QString& name, bool notNull = false) {
    return Column{name, ColType::Integer, 0, notNull, {}, false};
}
inline Column smallint(const QString& name, bool notNull = false) {
    return Column{name, ColType::SmallInt, 0, notNull, {}, false};
}
inline Column real(const QString& name, bool notNull = false, const QString& def = {}) {
    return Column{name, ColType::Float, 0, notNull, def, false};
}
inline Column money(const QString& name) { return Column{name, ColType::Money, 0, false, {}, false}; }
inline Column datetime(const QString& name) { return Column{name, ColType::DateTime, 0, false, {}, false}; }

// The columns pattern.arg(first) .. pattern.arg(last), each typed like `like`:
// numbered("QUANT%1", 1, 3, real({})) gives QUANT1, QUANT2, QUANT3.
inline QList<Column> numbered(const QString& pattern, int first, int last, Column like) {
    QList<Column> out;
    for (int n = first; n <= last; ++n) {
        like.name = pattern.arg(n);
        out << like;
    }
    return out;
}

} // namespace corvane::db
