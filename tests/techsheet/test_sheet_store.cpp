#include "db/dataset.h"
#include "shell/version_steps.h"
#include "shell/version_tables.h"
#include "support/recording_view.h"
#include "support/test_site.h"
#include "techsheet/screens/sheet_screen.h"
#include "techsheet/store/sheet_store.h"
#include "techsheet/tech_sheet_context.h"

#include <QThread>
#include <QtTest>

#include <atomic>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("CHCLA01.PRE");

FictecDetLine line(int tipo, const QString& code, double quant) {
    FictecDetLine l = costedLine(tipo, code, QStringLiteral("Linha ") + code, QStringLiteral("Min"));
    l.QUANT = quant;
    l.PRECO = 0.2;
    l.VALOR = quant * 0.2;
    l.OPERACAO = QStringLiteral("S");
    return l;
}

QList<int> details(SheetStore& store, const QString& article) {
    QList<int> out;
    const std::optional<std::vector<FictecDetLine>> lines = store.lines(article);
    for (const FictecDetLine& l : *lines)
        out << l.DETAIL;
    std::sort(out.begin(), out.end());
    return out;
}

void clean(TestSite& site) {
    for (const char* t : {"FICTECDET", "FICTECMAS", "FICTECFIOS", "FICTECSUBCONT", "WORKFTARTIGOS"})
        site.exec(site.program(), QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)));
}

} // namespace

class TestSheetStore : public QObject {
    Q_OBJECT
private slots:
    void sheets_data() { addBackendRows(); }
    // Header, numbering, replacement and deletion of one sheet.
    void sheets() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        SheetStore store(site.program());
        QVERIFY(store.header(kArticle)->isEmpty());
        QVERIFY(store.ensureHeader(kArticle, kWovenScarf));
        QCOMPARE(store.header(kArticle)->value("TIPOFICTEC").toString(), kWovenScarf);
        QVERIFY(store.ensureHeader(kArticle, kKnittedHat)); // an existing header stays
        QCOMPARE(store.header(kArticle)->value("TIPOFICTEC").toString(), kWovenScarf);
        QVERIFY(store.saveHeader({{"CODIGO", kArticle},
                                  {"TIPOFICTEC", kWovenScarf},
                                  {"TMPDESENHO", 30},
                                  {"CONTRACOES", 8.5},
                                  {"NAO_EXISTE", 1}}));
        QCOMPARE(store.header(kArticle)->value("TMPDESENHO").toInt(), 30);
        QCOMPARE(store.header(kArticle)->value("CONTRACOES").toDouble(), 8.5);

        // Lines numbered 1, 2 and 7 by other steps: the next step starts at 8.
        for (const auto& [detail, step] : {std::pair{1, "G"}, std::pair{2, "G"}, std::pair{7, "T"}})
            site.exec(
                site.program(),
                QStringLiteral("INSERT INTO FICTECDET (TIPO, ARTIGO, DETAIL, RELACFICTEC, FACTCONV) VALUES "
                               "(10, :A, :D, :S, 0)"),
                {{"A", kArticle}, {"D", detail}, {"S", QString::fromLatin1(step)}});
        std::vector<FictecDetLine> written;
        QString error;
        QVERIFY2(store.replaceStep(kArticle, QStringLiteral("H"),
                                   {line(20, "DES01", 30), line(20, "DES02", 10)}, &error, &written),
                 qPrintable(error));
        QCOMPARE(written.size(), size_t(2));
        QCOMPARE(written[0].DETAIL, 8);
        QCOMPARE(written[1].DETAIL, 9);
        QCOMPARE(details(store, kArticle), (QList<int>{1, 2, 7, 8, 9}));
        const auto h = store.stepLines(kArticle, QStringLiteral("H"));
        QCOMPARE(h->size(), size_t(2));
        QCOMPARE(h->at(0).CODIGOMP, QStringLiteral("DES01"));
        QCOMPARE(h->at(0).QUANT, 30.0);
        QCOMPARE(h->at(0).OPERACAO, QStringLiteral("S"));
        QVERIFY(!h->at(0).TMPACE.has_value());

        // Replacing a step again numbers after what the others keep.
        QVERIFY(store.replaceStep(kArticle, QStringLiteral("H"), {line(20, "DES03", 5)}));
        QCOMPARE(details(store, kArticle), (QList<int>{1, 2, 7, 8}));
        // A step left with nothing chosen leaves no lines.
        QVERIFY(store.replaceStep(kArticle, QStringLiteral("H"), {}));
        QCOMPARE(details(store, kArticle), (QList<int>{1, 2, 7}));

        // A failure on the second insert keeps the old lines, with the server's message.
        QVERIFY(store.replaceStep(kArticle, QStringLiteral("B"), {line(40, "1", 2)}));
        int inserts = 0;
        site.program().setFailureHook([&inserts](const QString& sql, QString* message) {
            if (!sql.startsWith(QLatin1String("INSERT INTO FICTECDET")) || ++inserts < 2)
                return false;
            *message = QStringLiteral("falha simulada");
            return true;
        });
        QVERIFY(
            !store.replaceStep(kArticle, QStringLiteral("B"), {line(40, "2", 1), line(40, "3", 1)}, &error));
        site.program().setFailureHook({});
        QCOMPARE(error, QStringLiteral("falha simulada"));
        const auto b = store.stepLines(kArticle, QStringLiteral("B"));
        QCOMPARE(b->size(), size_t(1));
        QCOMPARE(b->at(0).CODIGOMP, QStringLiteral("1"));

        // Two steps at once (a loom and its yarns): both or neither.
        std::vector<SheetStore::StepLines> steps;
        steps.push_back({QStringLiteral("T"), {line(10, "TEAR01", 18)}});
        steps.push_back({QStringLiteral("G"), {line(3, "FIO.A", 0.5), line(3, "FIO.B", 0.25)}});
        inserts = 0;
        site.program().setFailureHook([&inserts](const QString& sql, QString* message) {
            if (!sql.startsWith(QLatin1String("INSERT INTO FICTECDET")) || ++inserts < 3)
                return false;
            *message = QStringLiteral("falha simulada");
            return true;
        });
        QVERIFY(!store.replaceSteps(kArticle, steps, &error));
        site.program().setFailureHook({});
        QCOMPARE(details(store, kArticle), (QList<int>{1, 2, 7, 8}));
        QCOMPARE(store.stepLines(kArticle, QStringLiteral("T"))->size(), size_t(1));
        bool alsoWritten = false;
        QVERIFY(store.replaceSteps(kArticle, steps, &error,
                                   [&alsoWritten](QString*) { return alsoWritten = true; }));
        QVERIFY(alsoWritten);
        // Both steps' old lines go before the new ones are numbered.
        QCOMPARE(details(store, kArticle), (QList<int>{8, 9, 10, 11}));
        QCOMPARE(store.stepLines(kArticle, QStringLiteral("G"))->at(1).CODIGOMP, QStringLiteral("FIO.B"));
        QCOMPARE(store.stepLines(kArticle, QStringLiteral("T"))->at(0).DETAIL, 9);

        // Deleting the sheet keeps its subcontracted services.
        site.exec(site.program(), QStringLiteral("INSERT INTO FICTECFIOS (ARTIGO) VALUES (:A)"),
                  {{"A", kArticle}});
        site.exec(site.program(),
                  QStringLiteral(
                      "INSERT INTO FICTECSUBCONT (ARTIGO, RELACFICTEC, SERVICO) VALUES (:A, 'R', 'SRV.01')"),
                  {{"A", kArticle}});
        QVERIFY(store.deleteSheet(kArticle));
        QVERIFY(store.header(kArticle)->isEmpty());
        QVERIFY(store.lines(kArticle)->empty());
        QCOMPARE(selectRows(site.program(), QStringLiteral("SELECT COUNT(*) FROM FICTECFIOS"))
                     .value(0)
                     .value(0)
                     .toInt(),
                 0);
        QCOMPARE(selectRows(site.program(), QStringLiteral("SELECT COUNT(*) FROM FICTECSUBCONT"))
                     .value(0)
                     .value(0)
                     .toInt(),
                 1);
        // A sheet deleted since it was read: a step, the header and another
        // deletion are refused and write nothing.
        QVERIFY(!store.replaceStep(kArticle, QStringLiteral("H"), {line(20, "Z", 1)}, &error));
        QCOMPARE(error, kSheetDeletedByOther);
        QVERIFY(!store.updateHeader({{"CODIGO", kArticle}, {"TMPDESENHO", 5}}, &error));
        QCOMPARE(error, kSheetDeletedByOther);
        QVERIFY(!store.deleteSheet(kArticle, &error));
        QCOMPARE(error, db::kDeletedByOther);
        QVERIFY(store.header(kArticle)->isEmpty());
        QVERIFY(store.lines(kArticle)->empty());

        // The lines are read in the order asked for.
        QVERIFY(store.ensureHeader(kArticle, kWovenScarf));
        QVERIFY(store.replaceStep(kArticle, QStringLiteral("H"), {line(20, "Z", 1), line(20, "A", 2)}));
        QCOMPARE(store.lines(kArticle, QStringLiteral("CODIGOMP"))->front().CODIGOMP, QStringLiteral("A"));
    }

    void kindsWriteTheirColumns_data() { addBackendRows(); }
    // What the sheet screen saves for each kind is what the header holds
    // afterwards, and nothing else is written.
    void kindsWriteTheirColumns() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        SheetStore store(site.program());
        SheetReference reference;
        reference.parameters = SheetParameters::fromRow(
            *site.program().firstRow(QStringLiteral("SELECT * FROM PARGER WHERE CODIGO = 1")));
        const QStringList all = shell::atCurrentVersion(shell::fictecMasTable()).columnNames();
        for (const QString& kind : sheetKinds()) {
            const QString article = QStringLiteral("ART.") + kind;
            TechSheetContext context;
            context.ArticleCode = article;
            context.ArticleWidth = 30;
            RecordingPagedView<SheetView> view;
            SheetScreen screen(context, view);
            QVERIFY(screen.activate(reference, {}, false));
            QVERIFY(screen.chooseKind(kind));
            const QVariantMap columns = screen.saveColumns();
            QVERIFY(!columns.isEmpty());
            QVERIFY(store.saveHeader(columns));
            const QVariantMap stored = *store.header(article);
            for (const QString& column : all) {
                const QVariant written = columns.value(column);
                const QVariant held = stored.value(column);
                if (!columns.contains(column)) {
                    // SUPIMPR and FACTCONV have defaults; the rest stay empty.
                    if (column != QLatin1String("SUPIMPR"))
                        QVERIFY2(held.isNull(), qPrintable(kind + QLatin1Char(' ') + column));
                } else if (written.metaType().id() == QMetaType::QString) {
                    QCOMPARE(held.toString().trimmed(), written.toString());
                } else {
                    QVERIFY2(qFuzzyCompare(1 + held.toDouble(), 1 + written.toDouble()),
                             qPrintable(kind + QLatin1Char(' ') + column));
                }
            }
        }
    }

    void workRows_data() { addBackendRows(); }
    // Each user's candidate rows are their own.
    void workRows() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        WorkRowsStore demo(site.program(), QStringLiteral("DEMO"));
        WorkRowsStore ana(site.program(), QStringLiteral("ANA"));
        WorkArticleRow r;
        r.CODIGO = QStringLiteral("20.01");
        r.DESIGNACAO = QString(50, QLatin1Char('D')); // held to its column
        r.UNCOMPRA = QStringLiteral("Min");
        r.CUSTOPADRAO = 0.2;
        QVERIFY(demo.fillArticles({r}));
        r.CODIGO = QStringLiteral("20.02");
        QVERIFY(ana.fillArticles({r, WorkArticleRow{QStringLiteral("20.03"), {}, {}, 0, "N", 0, 0, 0}}));
        QCOMPARE(demo.articles()->size(), size_t(1));
        QCOMPARE(demo.articles()->front().CODIGO, QStringLiteral("20.01"));
        QCOMPARE(demo.articles()->front().DESIGNACAO.size(), 40);
        QCOMPARE(ana.articles()->size(), size_t(2));
        QVERIFY(demo.fillArticles({}));
        QVERIFY(demo.articles()->empty());
        QCOMPARE(ana.articles()->size(), size_t(2));

        WorkMachineRow m;
        m.CODIGO = QStringLiteral("TEAR01");
        m.DESIGNACAO = QStringLiteral("Tear Jacquard");
        m.PRODUCAO1 = 120;
        m.ACERTO1 = 15;
        QVERIFY(ana.fillMachines({m}));
        QCOMPARE(ana.machines()->front().ACERTO1, 15.0);
        QVERIFY(demo.machines()->empty());
        QVERIFY(ana.clear());
        QVERIFY(ana.articles()->empty() && ana.machines()->empty());
    }

    // Two users replacing steps of one article at once: every replacement
    // is whole and the line numbers stay unique.
    void concurrentSteps() {
        if (!postgresAvailable())
            QSKIP("CORVANE_TEST_PG not set: no PostgreSQL test server");
        TestSite site(QStringLiteral("postgres"));
        REQUIRE_SITE(site);
        clean(site);
        QVERIFY(SheetStore(site.program()).ensureHeader(kArticle, kWovenScarf));
        std::atomic<int> failures{0};
        QStringList errors;
        QMutex lock;
        auto writer = [&](const QString& step, int tipo) {
            std::unique_ptr<db::Database> db = site.connectProgram();
            SheetStore store(*db);
            for (int n = 0; n < 200; ++n) {
                QString error;
                if (!store.replaceStep(kArticle, step, {line(tipo, step + "1", n), line(tipo, step + "2", n)},
                                       &error)) {
                    ++failures;
                    QMutexLocker hold(&lock);
                    errors << error;
                }
            }
        };
        std::unique_ptr<QThread> a(QThread::create(writer, QStringLiteral("H"), 20));
        std::unique_ptr<QThread> b(QThread::create(writer, QStringLiteral("B"), 40));
        a->start();
        b->start();
        QVERIFY(a->wait(120000) && b->wait(120000));
        QVERIFY2(failures == 0, qPrintable(errors.join(QLatin1Char('\n'))));
        SheetStore store(site.program());
        const auto lines = store.lines(kArticle);
        QCOMPARE(lines->size(), size_t(4));
        QSet<int> numbers;
        for (const FictecDetLine& l : *lines)
            numbers << l.DETAIL;
        QCOMPARE(numbers.size(), 4);
        QCOMPARE(store.stepLines(kArticle, QStringLiteral("H"))->size(), size_t(2));
        QCOMPARE(store.stepLines(kArticle, QStringLiteral("B"))->size(), size_t(2));
    }
};

QTEST_GUILESS_MAIN(TestSheetStore)
#include "test_sheet_store.moc"
