#pragma once

#include "db/database.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

// "A TR{1-3}_QTD B" -> A TR1_QTD TR2_QTD TR3_QTD B: column lists written as
// the table descriptions give them.
inline QStringList expandColumns(const QString& list) {
    static const QRegularExpression range(QStringLiteral("\\{(\\d+)-(\\d+)\\}"));
    QStringList out;
    for (const QString& word : list.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = range.match(word);
        if (!m.hasMatch()) {
            out << word;
            continue;
        }
        for (int n = m.captured(1).toInt(); n <= m.captured(2).toInt(); ++n)
            out << QString(word).replace(m.capturedStart(), m.capturedLength(), QString::number(n));
    }
    return out;
}

// The columns of a table in table order, upper case; empty when it is missing.
inline QStringList tableColumns(corvane::db::Database& db, const QString& table) {
    QSqlQuery q(db.sql());
    QStringList out;
    if (!q.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table)))
        return out;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        out << rec.fieldName(i).toUpper();
    return out;
}
