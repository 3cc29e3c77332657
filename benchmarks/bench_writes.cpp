// What keeping other users' work costs a save: a change written only while
// the columns the user changed still hold what was read, next to a change
// written by key alone (every column, whatever another user wrote). Measured
// on an SQLite table of 10,000 rows: every row changed and applied in one
// transaction, and one row saved at a time as a screen does.
#include "article_table.h"
#include "db/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace corvane::db;

namespace {
constexpr int kRows = 10000;
constexpr int kRuns = 5;
constexpr int kSingleSaves = 500;

Dataset articles(Database& db, bool keyOnly) {
    Dataset ds(db, QStringLiteral("ARTIGOS"), QStringLiteral("Select * From ARTIGOS Order By CODIGO"),
               QStringLiteral("ARTIGOS"), {QStringLiteral("CODIGO")});
    if (keyOnly)
        ds.setModifySql(QStringLiteral("UPDATE ARTIGOS SET CODIGO = :CODIGO, DESIGNACAO = :DESIGNACAO, PRECO = "
                                       ":PRECO WHERE CODIGO = :OLD_CODIGO"));
    return ds;
}

double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Every row's price changed, applied in one transaction.
double allRows(Database& db, bool keyOnly, int run) {
    Dataset ds = articles(db, keyOnly);
    ds.open();
    ds.fetchAll();
    for (int r = 0; r < ds.rowCount(); ++r)
        ds.setValue(r, QStringLiteral("PRECO"), r * 0.25 + run);
    QElapsedTimer t;
    t.start();
    QString error;
    if (!ds.applyUpdates({}, &error))
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return msSince(t);
}

// One row saved at a time, each in its own transaction.
double oneAtATime(Database& db, bool keyOnly, int run) {
    Dataset ds = articles(db, keyOnly);
    ds.open();
    ds.fetchAll();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kSingleSaves; ++i) {
        const int r = (i * 37) % ds.rowCount();
        ds.setValue(r, QStringLiteral("DESIGNACAO"), QStringLiteral("Artigo %1 v%2").arg(r).arg(run));
        ds.applyUpdates();
    }
    return msSince(t) / kSingleSaves;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TemporaryDatabase bench;
    QString error;
    if (!bench.connect(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    fillArticles(bench.db(), QStringLiteral("ARTIGOS"), kRows);
    double all[2] = {1e9, 1e9}, one[2] = {1e9, 1e9};
    for (int run = 0; run < kRuns; ++run)
        for (int keyOnly = 0; keyOnly < 2; ++keyOnly) {
            all[keyOnly] = qMin(all[keyOnly], allRows(bench.db(), keyOnly, run));
            one[keyOnly] = qMin(one[keyOnly], oneAtATime(bench.db(), keyOnly, run));
        }
    std::printf("10,000 rows changed, one apply:  by key %8.1f ms   changed columns checked %8.1f ms (%.2f times)\n",
                all[1], all[0], all[0] / all[1]);
    std::printf("one row saved:                   by key %8.3f ms   changed columns checked %8.3f ms (%.2f times)\n",
                one[1], one[0], one[0] / one[1]);
    return 0;
}
