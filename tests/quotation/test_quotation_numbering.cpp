// Quotation numbers: the counters of the series, a number typed past them,
// and two users numbering at once.
#include "quotation_store_fixture.h"

#include <QMutex>
#include <QThread>

using namespace corvane;
using namespace corvane::quotation;

class TestQuotationNumbering : public QObject {
    Q_OBJECT
private slots:
    void numbering_data() { addBackendRows(); }
    // Proposing, claiming and opening numbers; the counter rises only for its
    // series and only upwards.
    void numbering() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        clean(site);
        QuotationStore store(site.program());
        CustomerStore customers(site.invoicing());
        QCOMPARE(QuotationStore::counterColumn(1), QStringLiteral("ORCAMNRO1"));
        QCOMPARE(QuotationStore::counterColumn(5), QStringLiteral("ORCAMNRO5"));
        QVERIFY(QuotationStore::counterColumn(0).isEmpty() && QuotationStore::counterColumn(6).isEmpty());
        QString error;
        QVERIFY(!store.proposeNumber(6, &error));
        QCOMPARE(error, QStringLiteral("INSIRA O Nº DA SÉRIE DE ORÇAMENTOS DE 1 A 5 !!!"));
        QCOMPARE(*store.proposeNumber(1), 1001);
        QCOMPARE(*store.proposeNumber(2), 2001);

        // A new number gets its master row with the defaults of a new quotation.
        const QDateTime issued(QDate(2026, 3, 2), QTime(0, 0));
        Entry e = store.enter(1, 1001, issued, true);
        QCOMPARE(int(e.outcome), int(Entry::Outcome::Created));
        QCOMPARE(e.record.mas.ORCNRO, 1001);
        QCOMPARE(e.record.mas.APROVADO, QStringLiteral("N"));
        QCOMPARE(e.record.mas.PRINTE, QStringLiteral("N"));
        QCOMPARE(e.record.mas.MANUAL_AUTO, QStringLiteral("M"));
        QCOMPARE(e.record.mas.DESENHO, QStringLiteral("S"));
        QCOMPARE(e.record.mas.DATAEMI.date(), issued.date());
        QVERIFY(!e.record.com && !e.record.tot);
        // Claimed: the next proposal skips it, and every number in use above the counter.
        site.exec(site.program(),
                  QStringLiteral("INSERT INTO ORCAMMAS (ORCNRO, APROVADO) VALUES (1002, 'N')"));
        site.exec(site.program(),
                  QStringLiteral("INSERT INTO ORCAMMAS (ORCNRO, APROVADO) VALUES (1004, 'N')"));
        QCOMPARE(*store.proposeNumber(1), 1003);
        QCOMPARE(counter(site, 1), 1000); // claiming raises no counter

        // The proposal accepted after another user took it: the next free number.
        e = store.enter(1, 1002, issued, true);
        QCOMPARE(int(e.outcome), int(Entry::Outcome::Taken));
        QCOMPARE(e.proposal, 1003);
        QCOMPARE(rowsOf(site, 1002), 1);
        // The same number typed by hand opens that quotation, from any series.
        e = store.enter(2, 1002, issued, false);
        QCOMPARE(int(e.outcome), int(Entry::Outcome::Opened));
        QCOMPARE(e.record.mas.ORCNRO, 1002);
        e = store.enter(7, 1003, issued, false);
        QCOMPARE(int(e.outcome), int(Entry::Outcome::Failed));
        QCOMPARE(rowsOf(site, 1003), 0);

        // Closing raises the counter of its series to its number, never lowers it.
        QuotationRecord r = created(store, customers, 1, 1003, 1);
        OrcamTot totals;
        QVERIFY2(store.close(1, priced(r, {100, 0, 0}, &totals), totals, &error), qPrintable(error));
        QCOMPARE(counter(site, 1), 1003);
        QCOMPARE(counter(site, 2), 2000);
        QVERIFY(store.addSatellites(1001, *customers.satellites(1)));
        r = *store.read(1001);
        QVERIFY2(store.close(1, priced(r, {100, 0, 0}, &totals), totals, &error), qPrintable(error));
        QCOMPARE(counter(site, 1), 1003);
        // Series 2 closing number 5000 raises ORCAMNRO2 to 5000; number 4000 then leaves it.
        for (int n : {5000, 4000}) {
            r = created(store, customers, 2, n, 2);
            QVERIFY2(store.close(2, priced(r, {100, 0, 0}, &totals), totals, &error), qPrintable(error));
        }
        QCOMPARE(counter(site, 2), 5000);
        QCOMPARE(counter(site, 1), 1003);
        QCOMPARE(*store.proposeNumber(1), 1005);
        QCOMPARE(*store.lastNumber(), 5000);

        // Without the parameters row: no proposal and no closing.
        site.exec(site.program(), QStringLiteral("UPDATE PARGER SET CODIGO = 2 WHERE CODIGO = 1"));
        QVERIFY(!store.proposeNumber(1, &error));
        QCOMPARE(error, kNoParametersMessage);
        r = created(store, customers, 1, 1005, 1);
        QVERIFY(!store.close(1, priced(r, {100, 0, 0}, &totals), totals, &error));
        QCOMPARE(error, kNoParametersMessage);
        QVERIFY(!store.read(1005)->tot);
        QCOMPARE(store.read(1005)->mas.QUANT[0], 0.0);
    }

    // Two users numbering series 1 at once on PostgreSQL: every quotation
    // gets its own number and its own charge rows; the counter ends at the
    // greatest; series 2 and a parameter changed meanwhile stay as they are.
    void concurrentNumbering() {
        if (!postgresAvailable())
            QSKIP("CORVANE_TEST_PG not set: no PostgreSQL test server");
        TestSite site(QStringLiteral("postgres"));
        REQUIRE_SITE(site);
        clean(site);
        constexpr int kEach = 25;
        QMutex lock;
        QStringList errors;
        QMap<int, int> customerOf; // number -> customer
        auto user = [&](const QString& code, int customer) {
            std::unique_ptr<db::Database> program = site.connectProgram();
            std::unique_ptr<db::Database> invoicing = site.connectInvoicing();
            QuotationStore store(*program);
            CustomerStore customers(*invoicing);
            auto failed = [&](const QString& e) {
                QMutexLocker hold(&lock);
                errors << code + ": " + e;
            };
            for (int n = 0; n < kEach; ++n) {
                QString error;
                std::optional<int> number = store.proposeNumber(1, &error);
                if (!number)
                    return failed(error);
                Entry e = store.enter(1, *number, QDateTime::currentDateTime(), true);
                while (e.outcome == Entry::Outcome::Taken)
                    e = store.enter(1, e.proposal, QDateTime::currentDateTime(), true);
                if (e.outcome != Entry::Outcome::Created)
                    return failed(QStringLiteral("%1 %2").arg(int(e.outcome)).arg(e.message));
                const int claimed = e.record.mas.ORCNRO;
                const std::optional<Satellites> s = customers.satellites(customer, &error);
                if (!s || !store.addSatellites(claimed, *s, &error))
                    return failed(error);
                QuotationRecord r = *store.read(claimed);
                r.mas.CLINRO = customer;
                OrcamTot totals;
                r = priced(r, {100.0 + n, 0, 0}, &totals);
                if (!store.close(1, r, totals, &error) ||
                    !store.writePriceChart(code, priceChartSlices(LevelValues{}, 1), &error))
                    return failed(error);
                QMutexLocker hold(&lock);
                customerOf.insert(claimed, customer);
            }
        };
        std::unique_ptr<QThread> a(QThread::create(user, QStringLiteral("DEMO"), 1));
        std::unique_ptr<QThread> b(QThread::create(user, QStringLiteral("ANA"), 4));
        a->start();
        b->start();
        // Meanwhile another program changes the parameters.
        QThread::msleep(50);
        site.exec(site.program(), "UPDATE PARGER SET ESTRUTURA = 33, ORCAMNRO2 = 2500 WHERE CODIGO = 1");
        QVERIFY(a->wait(180000) && b->wait(180000));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QCOMPARE(customerOf.size(), 2 * kEach);
        QCOMPARE(scalarInt(site, "SELECT COUNT(*) FROM ORCAMMAS"), 2 * kEach);
        for (auto it = customerOf.cbegin(); it != customerOf.cend(); ++it) {
            QCOMPARE(rowsOf(site, it.key()), 6);
            const QList<QVariantList> row =
                selectRows(site.program(),
                           "SELECT M.CLINRO, C.VNDNRO, P.CNDPGT FROM ORCAMMAS M JOIN ORCAMCOM C ON C.ORCNRO "
                           "= M.ORCNRO JOIN "
                           "ORCAMCNDPGT P ON P.ORCNRO = M.ORCNRO WHERE M.ORCNRO = :N",
                           {{"N", it.key()}});
            QCOMPARE(row.value(0).value(0).toInt(), it.value());
            QCOMPARE(row.value(0).value(1).toInt(), it.value() == 1 ? 1 : 2);
            QCOMPARE(row.value(0).value(2).toInt(), it.value() == 1 ? 2 : 4);
        }
        QCOMPARE(customerOf.firstKey(), 1001);
        QCOMPARE(customerOf.lastKey(), 1000 + 2 * kEach);
        QCOMPARE(counter(site, 1), 1000 + 2 * kEach);
        QCOMPARE(counter(site, 2), 2500);
        QCOMPARE(scalarInt(site, "SELECT ESTRUTURA FROM PARGER WHERE CODIGO = 1"), 33);
        QCOMPARE(scalarInt(site, "SELECT COUNT(*) FROM SALDOS WHERE UTIL = 'ANA'"), 3);
        QCOMPARE(scalarInt(site, "SELECT COUNT(*) FROM SALDOS WHERE UTIL = 'DEMO'"), 3);
    }
};

QTEST_GUILESS_MAIN(TestQuotationNumbering)
#include "test_quotation_numbering.moc"
