// The article list of the opening screen over a million articles: opening it
// by code and by designation costs one page of rows, and a code typed by the
// user near the end of the table is found by seeking the list on the code
// (the rows before it are not read) rather than by reading every row up to it.
// On SQLite always; on PostgreSQL too when a connection line is given (the
// first argument, or CORVANE_TEST_PG), in a schema of its own dropped at the end.
#include "article_table.h"
#include "articles/screens/article_screen.h"
#include "articles/store/article_store.h"
#include "articles/store/article_tables.h"
#include "db/dataset.h"
#include "screens/field_rule.h"
#include "setup/site_setup.h"
#include "shell/shell_tables.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <functional>
#include <memory>

using namespace corvane;

namespace {

constexpr int kRows = 1000000;
constexpr int kRowsPerInsert = 500;
constexpr int kRuns = 5;

double msSince(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

// Article codes as the company makes them: a kind and a number.
QString codeOf(int i) {
    static const char* const kinds[] = {"ECH", "GOR", "CAC", "FIO", "EMB", "ETQ", "LUV", "AMO"};
    return QStringLiteral("%1%2")
        .arg(QLatin1String(kinds[i % 8]))
        .arg(i / 8 + 100000, 7, 10, QLatin1Char('0'));
}

QString designationOf(int i) {
    static const char* const what[] = {"Echarpe", "Gorro",    "Cachecol", "Fio",
                                       "Caixa",   "Etiqueta", "Luvas",    "Amostra"};
    static const char* const yarn[] = {"lã merino", "acrílico", "algodão", "caxemira", "alpaca", "viscose"};
    static const char* const colour[] = {"azul", "cinza", "vermelho", "preto", "bege", "verde", "branco"};
    const unsigned h = static_cast<unsigned>(i) * 2654435761u;
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QString::fromUtf8(what[i % 8]), QString::fromUtf8(yarn[h % 6]),
             QString::fromUtf8(colour[(h >> 8) % 7]))
        .arg(h % 9973);
}

// The article table as the invoicing database has it, filled in one
// transaction by one prepared statement of many rows.
bool fill(db::Database& db, QString* error) {
    const db::Table table = articles::artigosClsTable();
    if (!db.exec(db.dialect().createTable(table), {}, error))
        return false;
    QStringList rows;
    for (int r = 0; r < kRowsPerInsert; ++r)
        rows << QStringLiteral("(?, ?, ?, ?, 'Und', 'Und', ?, ?, 0, 'N', 'S', 'N', 0, ?, 'Und', '', 'N', ?)");
    const QString sql =
        QStringLiteral("INSERT INTO ARTIGOSCLS (CODIGO, DESIGNACAO, TIPOARTIGO, FAMILIA, UNVENDA, "
                       "UNCOMPRA, PESO, PRECO1, NROFOTOS, DESCONTINUADO, MEDIDAS, GRELHA, "
                       "CODIGOGRELHA, CUSTOPADRAO, UNCONV, FICHABASE, USA_EXIST, DESIGNACAO1) "
                       "VALUES ") +
        rows.join(QStringLiteral(", "));
    if (!db.beginTransaction(error))
        return false;
    QSqlQuery q(db.sql());
    if (!q.prepare(sql)) {
        *error = db::Database::errorText(q.lastError());
        return false;
    }
    static const char* const families[] = {"MALHA", "TECIDO", "FIOS", "EMBALAGEM"};
    for (int first = 0; first < kRows; first += kRowsPerInsert) {
        int p = 0;
        for (int i = first; i < first + kRowsPerInsert; ++i) {
            const QString name = designationOf(i);
            q.bindValue(p++, codeOf(i));
            q.bindValue(p++, name);
            q.bindValue(p++, QString::number(i % 11 + 1));
            q.bindValue(p++, QLatin1String(families[i % 4]));
            q.bindValue(p++, 0.05 + (i % 40) / 100.0);
            q.bindValue(p++, 2.5 + (i % 500) / 10.0);
            q.bindValue(p++, 1.0 + (i % 300) / 10.0);
            q.bindValue(p++, name);
        }
        if (!q.exec()) {
            *error = db::Database::errorText(q.lastError());
            db.rollback();
            return false;
        }
    }
    if (!db.commit(error))
        return false;
    for (const QString& index : db.dialect().createIndexes(table))
        if (!db.exec(index, {}, error))
            return false;
    if (db.backend() == db::Backend::PostgreSQL)
        db.exec(QStringLiteral("ANALYZE ARTIGOSCLS"));
    return true;
}

db::Dataset articleList(db::Database& db, articles::ArticleOrder order) {
    return db::Dataset(db, QStringLiteral("ARTIGOSCLS"),
                       articles::articleListSql(articles::ArticleList::Ordinary, order),
                       QStringLiteral("ARTIGOSCLS"), {QStringLiteral("CODIGO")});
}

struct Timing {
    double best = 1e12;
    bool right = true;
};

// The best of `runs`; each run opens the list afresh (first page), then times
// `step` when given, else the opening itself.
Timing measure(db::Database& db, articles::ArticleOrder order, int runs,
               const std::function<bool(db::Dataset&)>& step = {}) {
    Timing out;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        db::Dataset ds = articleList(db, order);
        const bool opened = ds.open() && ds.rowCount() > 0;
        if (step) {
            t.start();
            out.right = opened && step(ds) && out.right;
        } else {
            out.right = opened && out.right;
        }
        out.best = qMin(out.best, msSince(t));
    }
    return out;
}

// What the article screen reads besides the articles: its parameters, the
// tables of its lookups (empty), the cost centres and the material types.
bool prepareScreen(db::Database& db, QString* error) {
    QList<db::Table> tables;
    for (const db::Table& t : articles::articleInvoicingTables())
        if (t.name != QLatin1String("ARTIGOSCLS"))
            tables << t;
    tables << shell::invoicingShellTables().first() << setup::accountingDatabaseTables();
    tables << db::Table{
        QStringLiteral("TIPOMATERIAL"),
        {db::integer(QStringLiteral("CODIGO"), true), db::text(QStringLiteral("DESIGNACAO"), 30)},
        {QStringLiteral("CODIGO")},
        QStringLiteral("PK_TIPOMATERIAL"),
        {}};
    for (const db::Table& t : tables)
        if (!db.dialect().tableExists(db.sql(), t.name) && !db.exec(db.dialect().createTable(t), {}, error))
            return false;
    return db.exec(QStringLiteral("INSERT INTO PARCUSTOM (CODIGO, GRUPOTIPO1, PAISBASE, REFARTIGO) VALUES "
                                  "('1', '1', 'PORTUGAL', 'N')"),
                   {}, error) &&
           db.exec(QStringLiteral("INSERT INTO PARGER (ANO, STOCKS, ENCOMENDAS, CONTABILIDADE) VALUES "
                                  "('2026', 'S', 'S', 'S')"),
                   {}, error);
}

struct QuietView : articles::ArticleView {
    void beep() override {}
    void message(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool confirm(const QString&) override { return false; }
    void focusField(const QString&) override {}
    void statusText(int, const QString&) override {}
    void selectPage(const QString&) override {}
    void refresh() override {}
};

// The best of `runs` of opening the article screen (parameters, lookups, the
// article count and the list), then of `step` on it when given.
Timing measureScreen(db::Database& db, int runs,
                     const std::function<bool(articles::ArticleScreen&)>& step = {}) {
    Timing out;
    db::Dataset materials(db, QStringLiteral("TIPOMATERIAL"),
                          QStringLiteral("Select * From TIPOMATERIAL Order By CODIGO"));
    for (int run = 0; run < runs; ++run) {
        QuietView view;
        articles::ArticleSources sources;
        sources.factura = sources.contab = sources.corvane = &db;
        sources.materialTypes = &materials;
        sources.workingYear = QStringLiteral("2026");
        sources.userCode = QStringLiteral("BENCH");
        QElapsedTimer t;
        t.start();
        articles::ArticleScreen screen(sources, view);
        const bool opened = screen.activate(
            [](const QString&, const QString&, const QString&) { return shell::AccessRights::none(); }, {});
        if (step) {
            t.start();
            out.right = opened && step(screen) && out.right;
        } else {
            out.right = opened && screen.articleCount() == kRows && out.right;
        }
        out.best = qMin(out.best, msSince(t));
        screen.close();
    }
    return out;
}

int report(const QString& backend, const char* what, const Timing& t) {
    std::printf("%-10s %-58s %10.1f ms%s\n", qPrintable(backend), what, t.best,
                t.right ? "" : "  WRONG RESULT");
    return t.right ? 0 : 1;
}

int run(db::Database& db, const QString& backend) {
    QString error;
    QElapsedTimer t;
    t.start();
    if (!fill(db, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(backend), qPrintable(error));
        return 1;
    }
    std::printf("%-10s %-58s %10.1f ms\n", qPrintable(backend), "insert 1,000,000 articles, one transaction",
                msSince(t));
    // The code the user types: the 100th from the end in code order.
    const std::optional<QVariant> target = db.scalar(
        QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE GRELHA = 'N' ORDER BY CODIGO LIMIT 1 OFFSET %1")
            .arg(kRows - 100));
    if (!target)
        return 1;
    const QString code = target->toString().trimmed();
    int wrong = 0;
    wrong += report(backend, "open the list by code, first page",
                    measure(db, articles::ArticleOrder::Code, kRuns));
    wrong += report(backend, "open the list by designation, first page",
                    measure(db, articles::ArticleOrder::Designation, kRuns));
    wrong += report(backend, "  its next page (scrolling down)",
                    measure(db, articles::ArticleOrder::Designation, kRuns, [](db::Dataset& ds) {
                        const int held = ds.rowCount();
                        return ds.fetchMore() && ds.rowCount() > held;
                    }));
    wrong += report(backend, "position the list by code on a code near the end",
                    measure(db, articles::ArticleOrder::Code, kRuns, [&](db::Dataset& ds) {
                        const int row = screens::seekKey(ds, QStringLiteral("CODIGO"), code.toLower());
                        return row == 0 && ds.text(row, QStringLiteral("CODIGO")).trimmed() == code &&
                               ds.canFetchBefore();
                    }));
    wrong += report(backend, "  the same by reading every row up to it (findKey)",
                    measure(db, articles::ArticleOrder::Code, 1, [&](db::Dataset& ds) {
                        const int row = screens::findKey(ds, QStringLiteral("CODIGO"), code.toLower());
                        return row == kRows - 100;
                    }));
    wrong +=
        report(backend, "  then the page before it (scrolling up)",
               measure(db, articles::ArticleOrder::Code, kRuns, [&](db::Dataset& ds) {
                   return screens::seekKey(ds, QStringLiteral("CODIGO"), code) == 0 && ds.fetchBefore() > 0;
               }));
    if (!prepareScreen(db, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(backend), qPrintable(error));
        return wrong + 1;
    }
    wrong +=
        report(backend, "open the article screen (count, list by code, lookups)", measureScreen(db, kRuns));
    wrong += report(backend, "  the screen looks up a typed code near the end",
                    measureScreen(db, kRuns, [&](articles::ArticleScreen& screen) {
                        return screen.locate(code.toLower()) && screen.currentCode() == code;
                    }));
    wrong += report(backend, "  reordered by designation, looks up the same code",
                    measureScreen(db, kRuns, [&](articles::ArticleScreen& screen) {
                        screen.sortBy(articles::ArticleOrder::Designation);
                        return screen.locate(code) && screen.currentCode() == code;
                    }));
    return wrong;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int wrong = 0;
    {
        TemporaryDatabase bench;
        QString error;
        if (!bench.connect(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        wrong += run(bench.db(), QStringLiteral("SQLite"));
    }
    const QString conninfo =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("CORVANE_TEST_PG");
    if (conninfo.isEmpty()) {
        std::printf("PostgreSQL: no connection line given (argument or CORVANE_TEST_PG), not measured\n");
        return wrong;
    }
    setup::PgServer server;
    QString error;
    if (!setup::parseConnInfo(conninfo, &server, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const QString schema = QStringLiteral("bench_articles_%1").arg(QCoreApplication::applicationPid());
    const auto connect = [&](const QString& name, const QString& inSchema) {
        auto db = std::make_unique<db::Database>(name, name);
        db::AliasTarget target;
        target.backend = db::Backend::PostgreSQL;
        target.host = server.host;
        target.port = server.port;
        target.database = server.database;
        target.schema = inSchema;
        auto* registry = new db::AliasRegistry;
        registry->set(name, target);
        db->setRegistry(registry);
        db->setParams(
            {QStringLiteral("USER NAME=") + server.user, QStringLiteral("PASSWORD=") + server.password});
        return std::make_pair(std::move(db), std::unique_ptr<db::AliasRegistry>(registry));
    };
    auto [admin, adminAliases] = connect(QStringLiteral("BENCHADMIN"), QStringLiteral("public"));
    if (!admin->connect(&error) || !admin->exec(QStringLiteral("CREATE SCHEMA %1").arg(schema), {}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    {
        auto [pg, pgAliases] = connect(QStringLiteral("BENCHPG"), schema);
        if (pg->connect(&error))
            wrong += run(*pg, QStringLiteral("PostgreSQL"));
        else
            std::fprintf(stderr, "%s\n", qPrintable(error));
    }
    admin->exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema));
    return wrong;
}
