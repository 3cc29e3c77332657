// The generated company: its sizes, the skew of the business, sheets that
// are the demo's computed sheets, history the quotation panels can read.
#include "quotation/store/history_store.h"
#include "setup/generate_site.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;

namespace {

int count(db::Database& db, const QString& sql) {
    return db.scalar(sql)->toInt();
}

} // namespace

class TestGenerate : public QObject {
    Q_OBJECT
private slots:
    void sizes() {
        const setup::GeneratedSizes full = setup::GeneratedSizes::at(1);
        QCOMPARE(full.customers, 2000);
        QCOMPARE(full.articles, 100000);
        QCOMPARE(full.invoiceLines, 1000000);
        const setup::GeneratedSizes tiny = setup::GeneratedSizes::at(0.00001);
        QVERIFY(tiny.customers >= 2 && tiny.articles >= 4 && tiny.invoiceLines >= 8);
    }

    void generated_data() { addBackendRows(); }
    void generated() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        const QDate today(2026, 12, 11);
        TestSite site(backend, today);
        REQUIRE_SITE(site);
        db::Database& program = site.program();
        db::Database& invoicing = site.invoicing();
        const int demoLines = count(program, QStringLiteral("SELECT COUNT(*) FROM FICTECDET"));
        const double scale = 0.0008; // 2 customers, 80 articles, 800 invoice lines
        const setup::GeneratedSizes s = setup::GeneratedSizes::at(scale);
        QString error;
        qint64 lastDone = -1;
        const setup::GenerateProgress progress = [&](const QString&, qint64 done, qint64 total) {
            QVERIFY(done <= total);
            lastDone = done;
        };
        QVERIFY2(setup::generateCompanyData(program, invoicing, scale, today, progress, &error),
                 qPrintable(error));
        QVERIFY(lastDone > 0);

        QCOMPARE(count(invoicing, QStringLiteral("SELECT COUNT(*) FROM CLIENTES WHERE CODIGO >= 10000")),
                 s.customers);
        QCOMPARE(count(invoicing, QStringLiteral("SELECT COUNT(*) FROM FACMOVDET WHERE DOCNRO >= 100000")),
                 s.invoiceLines);
        QCOMPARE(count(invoicing, QStringLiteral("SELECT COUNT(*) FROM ENCCLIDET WHERE ENCNRO >= 100000")),
                 s.orderLines);
        QCOMPARE(count(program, QStringLiteral("SELECT COUNT(*) FROM ORCAMMAS WHERE ORCNRO >= 100000")),
                 s.quotations);
        // Every article a sheet of its kind's lines: as many as the demo's four sheets, once per kind.
        QCOMPARE(count(program, QStringLiteral("SELECT COUNT(*) FROM FICTECMAS")), 4 + s.articles);
        QCOMPARE(count(program, QStringLiteral("SELECT COUNT(*) FROM FICTECDET")),
                 demoLines * (1 + s.articles / 4));
        const QList<QVariantList> woven = selectRows(
            program,
            QStringLiteral("SELECT M.TIPOFICTEC, COUNT(*), SUM(D.VALOR) FROM FICTECMAS M JOIN FICTECDET D "
                           "ON D.ARTIGO = M.CODIGO WHERE M.CODIGO IN ('CHCAC01.PRE', 'CHCAC00101.CIN') "
                           "GROUP BY M.CODIGO, M.TIPOFICTEC"));
        QCOMPARE(woven.size(), 2);
        QCOMPARE(woven[0], woven[1]);

        // The first customer does the most business; no line names an
        // article or customer that does not exist.
        const QList<QVariantList> shares = selectRows(
            invoicing,
            QStringLiteral("SELECT M.CLINRO, COUNT(*) FROM FACMOVDET D JOIN FACMOVIM M ON M.TIPDOC = "
                           "D.TIPDOC AND M.DOCNRO = D.DOCNRO WHERE M.DOCNRO >= 100000 GROUP BY M.CLINRO "
                           "ORDER BY 2 DESC"));
        QCOMPARE(shares.first().first().toInt(), setup::kFirstGeneratedCustomer);
        QCOMPARE(count(invoicing, QStringLiteral("SELECT COUNT(*) FROM FACMOVDET D LEFT JOIN ARTIGOSCLS A ON "
                                                 "A.CODIGO = D.ARTIGO WHERE A.CODIGO IS NULL")),
                 0);
        QCOMPARE(count(invoicing,
                       QStringLiteral("SELECT COUNT(*) FROM FACMOVIM M LEFT JOIN CLIENTES C ON C.CODIGO "
                                      "= M.CLINRO WHERE C.CODIGO IS NULL")),
                 0);
        QVERIFY(
            count(invoicing, QStringLiteral("SELECT COUNT(*) FROM ENCCLIDET WHERE TOTENT = 'N' AND ENCNRO >= "
                                            "100000")) > 0);

        // The panels read the history: the largest customer's invoices of an
        // article it bought, with the quotation of their order line.
        const QList<QVariantList> bought = selectRows(
            invoicing,
            QStringLiteral("SELECT D.ARTIGO FROM FACMOVDET D JOIN FACMOVIM M ON M.TIPDOC = D.TIPDOC AND "
                           "M.DOCNRO = D.DOCNRO WHERE M.CLINRO = 10000 AND D.ENCOMENDA > 0 ORDER BY "
                           "D.DOCNRO"));
        QVERIFY(!bought.isEmpty());
        quotation::HistoryStore history(invoicing, program);
        const auto lines =
            history.invoices(setup::kFirstGeneratedCustomer, bought.first().first().toString(), &error);
        QVERIFY2(lines, qPrintable(error));
        QVERIFY(!lines->isEmpty());

        // A second run is refused and adds nothing.
        QVERIFY(!setup::generateCompanyData(program, invoicing, scale, today, progress, &error));
        QCOMPARE(error, QStringLiteral("Esta empresa já tem dados gerados."));
        QCOMPARE(count(invoicing, QStringLiteral("SELECT COUNT(*) FROM CLIENTES WHERE CODIGO >= 10000")),
                 s.customers);
    }
};

QTEST_GUILESS_MAIN(TestGenerate)
#include "test_generate.moc"
