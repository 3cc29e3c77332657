// Opening a dataset over a large table costs what one page costs: the grid
// reads further pages as it scrolls. Measured on an SQLite table of ten rows
// and of a million rows; a full fetch of the large one is shown for scale.
#include "db/alias.h"
#include "db/database.h"
#include "db/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace corvane::db;

namespace {
void fill(Database& db, const QString& table, int rows) {
    db.exec(QStringLiteral("CREATE TABLE %1 (CODIGO INTEGER PRIMARY KEY, DESIGNACAO VARCHAR(40), PRECO FLOAT)").arg(table));
    db.beginTransaction();
    db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO %2 SELECT i, 'Artigo ' || i, i * 0.5 FROM n")
                .arg(rows)
                .arg(table));
    db.commit();
}

double openMs(Database& db, const QString& table, bool all) {
    QElapsedTimer t;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        Dataset ds(db, table, QStringLiteral("Select * From %1 Order By CODIGO").arg(table), table,
                   {QStringLiteral("CODIGO")});
        t.start();
        ds.open();
        if (all)
            ds.fetchAll();
        best = qMin(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    AliasRegistry registry(dir.path());
    AliasTarget target;
    target.file = dir.filePath(QStringLiteral("bench.db"));
    registry.set(QStringLiteral("BENCH"), target);
    Database db(QStringLiteral("BENCH"), QStringLiteral("BENCH"));
    db.setRegistry(&registry);
    QString error;
    if (!db.connect(&error, true)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    fill(db, QStringLiteral("PEQUENA"), 10);
    fill(db, QStringLiteral("GRANDE"), 1000000);
    std::printf("open, 10 rows:            %8.3f ms\n", openMs(db, QStringLiteral("PEQUENA"), false));
    std::printf("open, 1,000,000 rows:     %8.3f ms\n", openMs(db, QStringLiteral("GRANDE"), false));
    std::printf("fetch all, 1,000,000 rows: %8.1f ms\n", openMs(db, QStringLiteral("GRANDE"), true));
    return 0;
}
