// Opening a dataset over a large table costs what one page costs: the grid
// reads further pages as it scrolls, each after the last key read, so the
// last page of a million rows costs what the first does. Measured on an
// SQLite table of ten rows and of a million rows; the full read of the large
// one is shown next to a loop of the SQLite C API over the same rows.
#include "article_table.h"
#include "db/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <cstdio>

using namespace corvane::db;

namespace {
constexpr int kRuns = 5;

struct Times {
    double open = 1e9;     // the first page
    double lastPage = 1e9; // the page that reaches the end, after all the others
    int lastPageRows = 0;
    double all = 1e9;      // the first page and the rest in one statement
    double raw = 1e9;      // the SQLite C API over the same rows
};

Dataset dataset(Database& db, const QString& table) {
    return Dataset(db, table, QStringLiteral("Select * From %1 Order By CODIGO").arg(table), table,
                   {QStringLiteral("CODIGO")});
}

double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// Steps the same select and reads every column of every row.
double rawLoop(const QString& file, const QString& table, long long* checksum) {
    sqlite3* h = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return -1;
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("Select * From %1 Order By CODIGO").arg(table).toUtf8();
    sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
    long long sum = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        sum += sqlite3_column_int64(st, 0);
        const unsigned char* text = sqlite3_column_text(st, 1);
        sum += sqlite3_column_bytes(st, 1) + (text ? text[0] : 0);
        sum += static_cast<long long>(sqlite3_column_double(st, 2));
    }
    sqlite3_finalize(st);
    const double ms = msSince(t);
    sqlite3_close(h);
    *checksum += sum;
    return ms;
}

Times measure(Database& db, const QString& file, const QString& table, bool large) {
    Times best;
    QElapsedTimer t;
    long long checksum = 0;
    for (int run = 0; run < kRuns; ++run) {
        {
            Dataset ds = dataset(db, table);
            t.start();
            ds.open();
            best.open = qMin(best.open, msSince(t));
            if (!large)
                continue;
            double last = 0;
            while (ds.canFetchMore()) {
                const int before = ds.rowCount();
                t.start();
                ds.fetchMore();
                last = msSince(t);
                best.lastPageRows = ds.rowCount() - before;
            }
            best.lastPage = qMin(best.lastPage, last);
        }
        {
            Dataset ds = dataset(db, table);
            t.start();
            ds.open();
            ds.fetchAll();
            best.all = qMin(best.all, msSince(t));
        }
        best.raw = qMin(best.raw, rawLoop(file, table, &checksum));
    }
    return best;
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
    Database& db = bench.db();
    fillArticles(db, QStringLiteral("PEQUENA"), 10);
    fillArticles(db, QStringLiteral("GRANDE"), 1000000);
    const Times small = measure(db, bench.file(), QStringLiteral("PEQUENA"), false);
    const Times large = measure(db, bench.file(), QStringLiteral("GRANDE"), true);
    std::printf("open, 10 rows:                      %8.3f ms\n", small.open);
    std::printf("open, 1,000,000 rows (first page):  %8.3f ms\n", large.open);
    std::printf("last page, 1,000,000 rows:          %8.3f ms (%d rows)\n", large.lastPage,
                large.lastPageRows);
    std::printf("read all, 1,000,000 rows:           %8.1f ms\n", large.all);
    std::printf("SQLite C API loop, same rows:       %8.1f ms (read all: %.1f times)\n", large.raw,
                large.all / large.raw);
    return 0;
}
