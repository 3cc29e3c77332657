// Opening a dataset over a large table costs what one page costs: the grid
// reads further pages as it scrolls. Measured on an SQLite table of ten rows
// and of a million rows; a full fetch of the large one is shown for scale.
#include "article_table.h"
#include "db/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace corvane::db;

namespace {
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
    TemporaryDatabase bench;
    Database& db = bench.db();
    QString error;
    if (!bench.connect(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    fillArticles(db, QStringLiteral("PEQUENA"), 10);
    fillArticles(db, QStringLiteral("GRANDE"), 1000000);
    std::printf("open, 10 rows:            %8.3f ms\n", openMs(db, QStringLiteral("PEQUENA"), false));
    std::printf("open, 1,000,000 rows:     %8.3f ms\n", openMs(db, QStringLiteral("GRANDE"), false));
    std::printf("fetch all, 1,000,000 rows: %8.1f ms\n", openMs(db, QStringLiteral("GRANDE"), true));
    return 0;
}
