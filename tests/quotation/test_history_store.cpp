// The customer's and the article's history on both backends, read from the
// demo company of 15 June 2026: invoices and orders of an article, order
// totals per month and year, stock, the open order book, receivables, the
// customer's quotations, and the per-user sales and receipts tables; on
// PostgreSQL two sessions of one user refilling them (and the price chart)
// at once.
#include "core/rounding.h"
#include "quotation/price_chart.h"
#include "quotation/store/history_store.h"
#include "quotation/store/quotation_store.h"
#include "support/test_site.h"

#include <QMutex>
#include <QThread>
#include <QtTest>

using namespace corvane;
using namespace corvane::quotation;

namespace {

const QDate kToday(2026, 6, 15);

QDateTime at(int year, int month, int day) {
    return QDateTime(QDate(year, month, day), QTime(0, 0));
}

int scalarInt(corvane::db::Database& db, const QString& sql, const QVariantMap& p = {}) {
    return selectRows(db, sql, p).value(0).value(0).toInt();
}

// "DOCNRO ENCOMENDA ORCNRO" of each line ("-" for no quotation).
QStringList invoiceKeys(const QList<InvoiceLine>& lines) {
    QStringList out;
    for (const InvoiceLine& l : lines)
        out << QStringLiteral("%1 %2 %3")
                   .arg(l.DOCNRO)
                   .arg(l.ENCOMENDA)
                   .arg(l.ORCNRO ? QString::number(*l.ORCNRO) : QStringLiteral("-"));
    return out;
}

// "ANO/MES VALOR QUANTID" of each total.
QStringList totals(const QList<PeriodTotal>& rows) {
    QStringList out;
    for (const PeriodTotal& t : rows)
        out << QStringLiteral("%1/%2 %3 %4").arg(t.ANO).arg(t.MES).arg(t.VALOR).arg(t.QUANTID);
    return out;
}

// "ANO/MES VALOR" of each scratch row.
QStringList periods(const QList<CustomerPeriod>& rows) {
    QStringList out;
    for (const CustomerPeriod& p : rows)
        out << QStringLiteral("%1/%2 %3").arg(p.ANO).arg(p.MES).arg(p.VALOR);
    return out;
}

// The user's rows in a scratch table, as "CLINRO ANO/MES VALUE".
QStringList scratchRows(corvane::db::Database& db, const QString& table, const QString& user) {
    const bool monthly = table.endsWith(QLatin1String("MES"));
    const QString value =
        table.startsWith(QLatin1String("WORKVENDAS")) ? QStringLiteral("VALOR") : QStringLiteral("VALREC");
    QStringList out;
    for (const QVariantList& r : selectRows(
             db,
             QStringLiteral("SELECT CLINRO, ANO, %1, %2 FROM %3 WHERE UTIL = :U ORDER BY CLINRO, ANO, 3")
                 .arg(monthly ? QStringLiteral("MES") : QStringLiteral("0"), value, table),
             {{QStringLiteral("U"), user}}))
        out << QStringLiteral("%1 %2/%3 %4")
                   .arg(r.value(0).toInt())
                   .arg(r.value(1).toString().trimmed())
                   .arg(r.value(2).toInt())
                   .arg(r.value(3).toDouble());
    return out;
}

const QStringList kSales5Months{"2025/3 6400",  "2025/7 2970", "2025/10 4860",
                                "2025/12 2880", "2026/5 3300", "2026/6 645"};
const QStringList kSales5Years{"2025/0 17110", "2026/0 3945"};
const QStringList kReceipts5Months{"2025/4 6400", "2025/9 2970", "2025/12 4860", "2026/5 2880",
                                   "2026/6 1000"};
const QStringList kReceipts5Years{"2025/0 14230", "2026/0 3880"};

} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT
private slots:
    void invoicesAndOrders_data() { addBackendRows(); }
    // Every invoice line of the article once: one of an order with two lines
    // of the article is not doubled, one without an order is there without
    // a quotation, and an order line made from a quotation names it.
    void invoicesAndOrders() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kToday);
        REQUIRE_SITE(site);
        HistoryStore store(site.invoicing(), site.program());

        const QList<InvoiceLine> merino = *store.invoices(5, "CHCLA01.PRE");
        QCOMPARE(invoiceKeys(merino), QStringList({"3101 601 0", "3102 602 0", "3106 603 0"}));
        const InvoiceLine& last = merino.last();
        QCOMPARE(last.TIPDOC, QStringLiteral("FAC"));
        QCOMPARE(last.ARTIGO, QStringLiteral("CHCLA01.PRE"));
        QCOMPARE(last.PRECOVENDA, 16.5);
        QCOMPARE(last.QUANTID, 200.0);
        QCOMPARE(last.DATEMI, at(2026, 5, 6));
        QCOMPARE(last.CLINRO, 5);
        QCOMPARE(merino.first().DATEMI, at(2025, 3, 20));
        QCOMPARE(invoiceKeys(*store.invoices(5, "GORAC02.PRE")), QStringList({"3104 604 0", "3105 604 0"}));
        QCOMPARE(invoiceKeys(*store.invoices(5, "ECHVI01.PRE")), QStringList({"3107 0 -"}));
        QCOMPARE(invoiceKeys(*store.invoices(5, "CHCAC01.PRE")), QStringList({"3103 440 0"}));
        QCOMPARE(invoiceKeys(*store.invoices(1, "ECHVI01.PRE")), QStringList({"3108 605 0"}));
        // Another customer's invoices of the article are not there.
        QVERIFY(store.invoices(1, "CHCLA01.PRE")->isEmpty());
        QCOMPARE(invoiceKeys(*store.invoices(2, "CHCLA01.PRE")), QStringList({"3110 608 0"}));

        // A delivery of the order of D'Almeida's approved quotation.
        const QList<QVariantList> approved =
            selectRows(site.invoicing(), "SELECT D.ENCNRO, D.ORCNRO FROM ENCCLIDET D JOIN ENCCLIMAS M ON "
                                         "M.ENCNRO = D.ENCNRO WHERE M.CLINRO = "
                                         "5 AND D.ORCNRO > 0");
        QCOMPARE(approved.size(), 1);
        const int order = approved[0][0].toInt(), quotation = approved[0][1].toInt();
        site.exec(site.invoicing(),
                  "INSERT INTO FACMOVIM (TIPDOC, DOCNRO, DATEMI, CLINRO) VALUES ('FAC', 3901, :D, 5)",
                  {{"D", at(2026, 6, 14)}});
        site.exec(site.invoicing(),
                  "INSERT INTO FACMOVDET (TIPDOC, DOCNRO, DETAIL, ARTIGO, PRECOVENDA, QUANTID, ENCOMENDA, "
                  "VAL_VENDA) "
                  "VALUES ('FAC', 3901, 1, 'CHCAC01.PRE', 9, 100, :E, 900)",
                  {{"E", order}});
        QCOMPARE(invoiceKeys(*store.invoices(5, "CHCAC01.PRE")),
                 QStringList({"3103 440 0", QStringLiteral("3901 %1 %2").arg(order).arg(quotation)}));

        const QList<OrderLine> orders = *store.orders(5, "CHCLA01.PRE");
        QStringList numbers;
        for (const OrderLine& l : orders)
            numbers << QStringLiteral("%1/%2 %3 %4").arg(l.ENCNRO).arg(l.DETAIL).arg(l.ANO).arg(l.MES);
        QCOMPARE(numbers, QStringList({"601/1 2025 3", "602/1 2025 10", "603/1 2026 5"}));
        const OrderLine& open = orders.last();
        QCOMPARE(open.DATAENTRG, at(2026, 5, 1));
        QCOMPARE(open.SEMANA, QDate(2026, 5, 1).weekNumber());
        QCOMPARE(open.PRECOVENDA, 16.5);
        QCOMPARE(open.QUANTID, 500.0);
        QCOMPARE(open.UNVEND, QStringLiteral("Und"));
        QCOMPARE(open.MARGEMPRC, 26.0);
        QCOMPARE(open.ORCNRO, 0);
        QCOMPARE(open.ARTIGO, QStringLiteral("CHCLA01.PRE"));
        QCOMPARE(open.CLINRO, 5);
        QCOMPARE(open.TOTENT, QStringLiteral("N"));
        QCOMPARE(orders.first().TOTENT, QStringLiteral("S"));
        const QList<OrderLine> hats = *store.orders(5, "GORAC02.PRE");
        QCOMPARE(hats.size(), 2);
        QCOMPARE(hats[0].DATAENTRG, at(2025, 11, 28));
        QCOMPARE(hats[1].DATAENTRG, at(2025, 12, 12));
        QCOMPARE(hats[1].QUANTID, 150.0);
        const QList<OrderLine> quoted = *store.orders(5, "CHCAC01.PRE");
        QCOMPARE(quoted.size(), 2);
        QCOMPARE(quoted[0].ENCNRO, 440);
        QCOMPARE(quoted[1].ORCNRO, quotation);
        QVERIFY(store.orders(4, "CHCLA01.PRE")->isEmpty());
    }

    void totalsStockAndReceivables_data() { addBackendRows(); }
    // Order totals per month and year, the most recent first; the open order
    // book; the stock of the working year; receivables, none for customer 2.
    void totalsStockAndReceivables() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kToday);
        REQUIRE_SITE(site);
        HistoryStore store(site.invoicing(), site.program());

        QCOMPARE(totals(*store.orderTotalsByYear(5, "CHCLA01.PRE")),
                 QStringList({"2026/0 8250 500", "2025/0 11260 700"}));
        QCOMPARE(totals(*store.orderTotalsByMonth(5, "CHCLA01.PRE")),
                 QStringList({"2026/5 8250 500", "2025/10 4860 300", "2025/3 6400 400"}));
        QCOMPARE(totals(*store.orderTotalsByYear(5, "GORAC02.PRE")), QStringList({"2025/0 2880 400"}));
        QCOMPARE(totals(*store.orderTotalsByMonth(5, "GORAC02.PRE")),
                 QStringList({"2025/12 1080 150", "2025/11 1800 250"}));
        // Order 440 of last year and the approved quotation's order of this year.
        const QList<PeriodTotal> quoted = *store.orderTotalsByYear(5, "CHCAC01.PRE");
        QCOMPARE(quoted.size(), 2);
        QCOMPARE(quoted[0].ANO, 2026);
        QCOMPARE(quoted[0].QUANTID, 250.0);
        QCOMPARE(totals({quoted[1]}), QStringList({"2025/0 2970 300"}));
        QVERIFY(store.orderTotalsByYear(3, "GORAC02.PRE")->isEmpty());

        QCOMPARE(totals(*store.openOrdersByMonth(1)), QStringList({"2026/6 10080 800"}));
        QCOMPARE(totals(*store.openOrdersByMonth(3)), QStringList({"2026/7 0 0", "2026/6 1900 200"}));
        const QList<PeriodTotal> open5 = *store.openOrdersByMonth(5);
        QCOMPARE(open5.size(), 2);
        QCOMPARE(open5[0].MES, 7);
        QCOMPARE(open5[0].QUANTID, 250.0);
        QCOMPARE(totals({open5[1]}), QStringList({"2026/5 4950 300"}));
        QVERIFY(store.openOrdersByMonth(4)->isEmpty());

        const double cost = selectRows(site.invoicing(),
                                       "SELECT CASE WHEN PMCUSTO > 0 THEN PMCUSTO ELSE CUSTOPADRAO END FROM "
                                       "ARTIGOSCLS WHERE CODIGO = 'CHCLA01.PRE'")
                                .value(0)
                                .value(0)
                                .toDouble();
        QVERIFY(cost > 0);
        for (const auto& [year, expected] :
             {std::pair{QStringLiteral("2026"), QList<QList<double>>{{1, 60, 35}, {2, 24, 24}}},
              std::pair{QStringLiteral("2025"), QList<QList<double>>{{1, 80, 60}, {2, 36, 24}}}}) {
            const QList<WarehouseStock> stock = *store.stock("CHCLA01.PRE", year);
            QCOMPARE(stock.size(), expected.size());
            for (int i = 0; i < stock.size(); ++i) {
                QCOMPARE(stock[i].ARTIGO, QStringLiteral("CHCLA01.PRE"));
                QCOMPARE(stock[i].ANO, year);
                QCOMPARE(stock[i].CODIGO, int(expected[i][0]));
                QCOMPARE(stock[i].EXIQTD00, expected[i][1]);
                QCOMPARE(stock[i].EXIQTD, expected[i][2]);
                QCOMPARE(stock[i].EXIVAL00, roundTo(expected[i][1] * cost, 2));
                QCOMPARE(stock[i].EXIVAL, roundTo(expected[i][2] * cost, 2));
            }
        }
        QCOMPARE(store.stock("CHCAC01.PRE", "2026")->size(), 2);
        QVERIFY(store.stock("ECHVI01.PRE", "2026")->isEmpty());

        const std::optional<Receivables> owed = *store.receivables(5);
        QVERIFY(owed.has_value());
        QCOMPARE(owed->CODIGO, 5);
        QCOMPARE(QList<double>({owed->DEB0, owed->DEB30, owed->DEB3060, owed->DEB6090, owed->DEB90120,
                                owed->DEB120180, owed->DEB180, owed->TITULOS, owed->PREDAT}),
                 QList<double>({645, 3300, 0, 1080, 0, 0, 350, 1200, 400}));
        QCOMPARE(owed->total(), 5375.0);
        QCOMPARE((*store.receivables(7))->total(), 3230.75);
        for (int customer : {2, 3, 4, 6})
            QVERIFY(!store.receivables(customer)->has_value());
    }

    void quotations_data() { addBackendRows(); }
    // The customer's quotations of the article, approved and pending, in issue-date order.
    void quotations() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kToday);
        REQUIRE_SITE(site);
        HistoryStore store(site.invoicing(), site.program());
        auto keys = [](const QList<QuotationLine>& lines) {
            QStringList out;
            for (const QuotationLine& l : lines)
                out << QStringLiteral("%1 %2 %3").arg(l.CLINRO).arg(l.ARTIGO, l.APROVADO);
            return out;
        };
        const QList<QuotationLine> pending = *store.pendingQuotations(1);
        QCOMPARE(keys(pending), QStringList({"1 CHCLA01.PRE N", "1 CHCAC01.PRE N"}));
        QCOMPARE(pending[0].DATAEMI, QDateTime(kToday.addDays(-40), QTime(0, 0)));
        QCOMPARE(pending[1].DATAEMI, QDateTime(kToday.addDays(-20), QTime(0, 0)));
        QCOMPARE(pending[0].QUANT, (Levels{200, 500, 1000}));
        QVERIFY(store.approvedQuotations(1)->isEmpty());
        const QList<QVariantList> stored =
            selectRows(site.program(),
                       "SELECT ORCNRO, PRECOCLI1, PRECOCLI2, PRECOCLI3 FROM ORCAMMAS WHERE CLINRO = 1 AND "
                       "ARTIGO = 'CHCLA01.PRE'");
        QCOMPARE(stored.size(), 1);
        const QList<QuotationLine> ofArticle = *store.quotations(1, "CHCLA01.PRE");
        QCOMPARE(ofArticle.size(), 1);
        QCOMPARE(ofArticle[0].ORCNRO, stored[0][0].toInt());
        QVERIFY(ofArticle[0].PRECOCLI[0] > ofArticle[0].PRECOCLI[2]);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(ofArticle[0].PRECOCLI[std::size_t(i)], stored[0][1 + i].toDouble());

        const QList<QuotationLine> approved = *store.approvedQuotations(5);
        QCOMPARE(keys(approved), QStringList({"5 CHCAC01.PRE S"}));
        QVERIFY(approved[0].PRECOAPROV > 0);
        QCOMPARE(approved[0].PRECOAPROV, approved[0].PRECOCLI[1]);
        QVERIFY(store.pendingQuotations(5)->isEmpty());
        QCOMPARE(keys(*store.quotations(5, "CHCAC01.PRE")), QStringList({"5 CHCAC01.PRE S"}));
        QVERIFY(store.quotations(5, "CHCLA01.PRE")->isEmpty());
        QCOMPARE(keys(*store.approvedQuotations(7)), QStringList({"7 ECHVI01.PRE S"}));
    }

    void scratchTables_data() { addBackendRows(); }
    // Sales and receipts per year and month: each user's rows apart, a
    // user's rows replaced by the next customer's.
    void scratchTables() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kToday);
        REQUIRE_SITE(site);
        HistoryStore store(site.invoicing(), site.program());
        db::Database& db = site.invoicing();

        const CustomerHistory sales = *store.salesHistory("ANA", 5);
        QCOMPARE(periods(sales.months), kSales5Months);
        QCOMPARE(periods(sales.years), kSales5Years);
        const CustomerHistory rui = *store.salesHistory("RUI", 1);
        QCOMPARE(periods(rui.months), QStringList({"2025/6 12400", "2026/5 990"}));
        QCOMPARE(periods(rui.years), QStringList({"2025/0 12400", "2026/0 990"}));
        QCOMPARE(scratchRows(db, "WORKVENDASMES", "ANA").size(), 6);
        QCOMPARE(scratchRows(db, "WORKVENDASANO", "ANA"), QStringList({"5 2025/0 17110", "5 2026/0 3945"}));
        // Ana turns to customer 2: her rows are its rows; Rui's stay.
        const CustomerHistory two = *store.salesHistory("ANA", 2);
        QCOMPARE(periods(two.months), QStringList({"2025/5 1980", "2026/5 2940"}));
        QCOMPARE(scratchRows(db, "WORKVENDASMES", "ANA"), QStringList({"2 2025/5 1980", "2 2026/5 2940"}));
        QCOMPARE(scratchRows(db, "WORKVENDASANO", "RUI"), QStringList({"1 2025/0 12400", "1 2026/0 990"}));
        QCOMPARE(scratchRows(db, "WORKVENDASMES", "RUI").size(), 2);
        // A customer without invoices: no rows.
        const CustomerHistory none = *store.salesHistory("RUI", 6);
        QVERIFY(none.months.isEmpty() && none.years.isEmpty());
        QVERIFY(scratchRows(db, "WORKVENDASMES", "RUI").isEmpty());

        const CustomerHistory receipts = *store.receiptsHistory("ANA", 5);
        QCOMPARE(periods(receipts.months), kReceipts5Months);
        QCOMPARE(periods(receipts.years), kReceipts5Years);
        QCOMPARE(periods(store.receiptsHistory("RUI", 2)->years), QStringList({"2025/0 1980"}));
        QCOMPARE(scratchRows(db, "WORKCLIRECANO", "ANA"), QStringList({"5 2025/0 14230", "5 2026/0 3880"}));
        QCOMPARE(scratchRows(db, "WORKCLIRECMES", "RUI"), QStringList({"2 2025/6 1980"}));
        // The sales tables are not touched by the receipts.
        QCOMPARE(scratchRows(db, "WORKVENDASMES", "ANA").size(), 2);

        // A failed statement leaves the user's rows as they were.
        db.setFailureHook([](const QString& sql, QString* message) {
            *message = QStringLiteral("falha simulada");
            return sql.startsWith(QLatin1String("INSERT INTO WORKVENDASANO"));
        });
        QString error;
        QVERIFY(!store.salesHistory("ANA", 5, &error));
        QCOMPARE(error, QStringLiteral("falha simulada"));
        db.setFailureHook({});
        QCOMPARE(scratchRows(db, "WORKVENDASMES", "ANA"), QStringList({"2 2025/5 1980", "2 2026/5 2940"}));
    }

    // Two sessions of one user refilling the scratch tables and the price
    // chart at once on PostgreSQL: each reads back one set of rows, and one
    // set stays.
    void oneUserTwoSessions() {
        if (!postgresAvailable())
            QSKIP("CORVANE_TEST_PG not set: no PostgreSQL test server");
        TestSite site(QStringLiteral("postgres"), kToday);
        REQUIRE_SITE(site);
        constexpr int kRounds = 30;
        QMutex lock;
        QStringList errors;
        auto session = [&](int customer) {
            std::unique_ptr<db::Database> invoicing = site.connectInvoicing();
            std::unique_ptr<db::Database> program = site.connectProgram();
            HistoryStore store(*invoicing, *program);
            QuotationStore quotations(*program);
            LevelValues values;
            values.cost[0].Base = 100 + customer;
            auto failed = [&](const QString& e) {
                QMutexLocker hold(&lock);
                errors << e;
            };
            for (int n = 0; n < kRounds; ++n) {
                QString error;
                const std::optional<CustomerHistory> sales = store.salesHistory("ANA", 5, &error);
                const std::optional<CustomerHistory> receipts =
                    sales ? store.receiptsHistory("ANA", 5, &error) : std::nullopt;
                if (!receipts || !quotations.writePriceChart("ANA", priceChartSlices(values, 1), &error))
                    return failed(error);
                if (periods(sales->months) != kSales5Months || periods(receipts->years) != kReceipts5Years)
                    return failed(periods(sales->months).join(',') + " | " +
                                  periods(receipts->years).join(','));
            }
        };
        std::unique_ptr<QThread> a(QThread::create(session, 1));
        std::unique_ptr<QThread> b(QThread::create(session, 2));
        a->start();
        b->start();
        QVERIFY(a->wait(180000) && b->wait(180000));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        db::Database& db = site.invoicing();
        QCOMPARE(scratchRows(db, "WORKVENDASMES", "ANA").size(), kSales5Months.size());
        QCOMPARE(scratchRows(db, "WORKVENDASANO", "ANA").size(), kSales5Years.size());
        QCOMPARE(scratchRows(db, "WORKCLIRECMES", "ANA").size(), kReceipts5Months.size());
        QCOMPARE(scratchRows(db, "WORKCLIRECANO", "ANA").size(), kReceipts5Years.size());
        QCOMPARE(scalarInt(site.program(), "SELECT COUNT(*) FROM SALDOS WHERE UTIL = 'ANA'"), 3);
    }
};

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "test_history_store.moc"
