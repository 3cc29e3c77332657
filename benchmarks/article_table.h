#pragma once

// What the benchmarks over large tables share: an SQLite database in a
// temporary folder and a table of articles of any size.
#include "db/alias.h"
#include "db/database.h"

#include <QTemporaryDir>

// Gone, files and all, with the object.
class TemporaryDatabase {
public:
    TemporaryDatabase() : registry_(dir_.path()), db_(QStringLiteral("BENCH"), QStringLiteral("BENCH")) {
        corvane::db::AliasTarget target;
        target.file = file();
        registry_.set(QStringLiteral("BENCH"), target);
        db_.setRegistry(&registry_);
    }
    bool connect(QString* error) { return db_.connect(error, true); }
    corvane::db::Database& db() { return db_; }
    QString file() const { return dir_.filePath(QStringLiteral("bench.db")); }

private:
    QTemporaryDir dir_;
    corvane::db::AliasRegistry registry_;
    corvane::db::Database db_;
};

// CODIGO 1 to `rows`, DESIGNACAO 'Artigo <code>', PRECO half the code.
inline void fillArticles(corvane::db::Database& db, const QString& table, int rows) {
    db.exec(
        QStringLiteral("CREATE TABLE %1 (CODIGO INTEGER PRIMARY KEY, DESIGNACAO VARCHAR(40), PRECO FLOAT)")
            .arg(table));
    db.beginTransaction();
    db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO %2 SELECT i, 'Artigo ' || i, i * 0.5 FROM n")
                .arg(rows)
                .arg(table));
    db.commit();
}
