// Approval is one rule on both backends: APROVADO "S" (either case) is
// approved; "N", an empty text and NULL are pending. The search, the
// quotation list "Localizar", the customer's approved and pending lists,
// entering a number and the report's "Aprovado ?" all agree.
#include "quotation/report/quotation_report.h"
#include "quotation/screens/quotation_search.h"
#include "quotation/store/history_store.h"
#include "quotation/store/quotation_lookups.h"
#include "quotation/store/quotation_store.h"
#include "quotation_fixture.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::quotation;

namespace {

// Quotations of customer 1, by the approval they carry.
const QList<std::pair<int, QVariant>> kQuotations{{3001, QVariant(QMetaType::fromType<QString>())},
                                                  {3002, QStringLiteral("N")},
                                                  {3003, QStringLiteral("S")},
                                                  {3004, QStringLiteral("s")},
                                                  {3005, QStringLiteral("")}};
const QList<int> kPending{3001, 3002, 3005};
const QList<int> kApproved{3003, 3004};

QList<int> numbersOf(const db::Dataset& ds) {
    QList<int> out;
    for (int r = 0; r < ds.rowCount(); ++r)
        out << ds.value(r, QStringLiteral("ORCNRO")).toInt();
    std::sort(out.begin(), out.end());
    return out;
}

QList<int> numbersOf(const QList<QuotationLine>& lines) {
    QList<int> out;
    for (const QuotationLine& l : lines)
        out << l.ORCNRO;
    std::sort(out.begin(), out.end());
    return out;
}

// The value the report prints beside "Aprovado ?".
QString printedApproval(TestSite& site, int number) {
    QString error;
    const auto q = readQuotationPrint(site.program(), site.invoicing(), number,
                                      QString::number(QDate::currentDate().year()), &error);
    if (!q)
        return error;
    for (const report::Line& l : quotationBlock(*q, QString(), 2).lines)
        if (l.values.value(0).toString() == QLatin1String("Aprovado ?"))
            return l.values.value(1).toString();
    return QStringLiteral("?");
}

} // namespace

class TestQuotationApproval : public QObject {
    Q_OBJECT
private slots:
    void oneRule_data() { addBackendRows(); }
    void oneRule() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        prepare(site);
        for (const auto& [number, approval] : kQuotations)
            site.exec(
                site.program(),
                "INSERT INTO ORCAMMAS (ORCNRO, CLINRO, ARTIGO, TIPOFT, APROVADO, DATAEMI) VALUES (:N, 1, "
                ":A, 'P', :S, :D)",
                {{"N", number},
                 {"A", kExample},
                 {"S", approval},
                 {"D", QDateTime(QDate(2026, 3, 2), QTime(0, 0))}});

        QuotationSearch search(site.program());
        QString error;
        QVERIFY2(search.open(&error), qPrintable(error));
        QCOMPARE(numbersOf(search.list()), kPending);

        QuotationLookups lookups(site.program(), site.invoicing());
        const db::Dataset* list = lookups.open(QuotationLookups::kQuotations, &error);
        QVERIFY2(list, qPrintable(error));
        QCOMPARE(numbersOf(*list), kPending);

        HistoryStore history(site.invoicing(), site.program());
        QCOMPARE(numbersOf(history.pendingQuotations(1).value()), kPending);
        QCOMPARE(numbersOf(history.approvedQuotations(1).value()), kApproved);

        QuotationStore store(site.program());
        const QDateTime today(QDate::currentDate(), QTime(0, 0));
        for (int n : kPending) {
            const Entry e = store.enter(1, n, today, false);
            QCOMPARE(int(e.outcome), int(Entry::Outcome::Opened));
            QVERIFY(!e.record.mas.approved());
            QCOMPARE(printedApproval(site, n), QStringLiteral("Não"));
        }
        for (int n : kApproved) {
            const Entry e = store.enter(1, n, today, false);
            QCOMPARE(int(e.outcome), int(Entry::Outcome::Approved));
            QCOMPARE(printedApproval(site, n), QStringLiteral("Sim"));
            // Nothing writes an approved quotation, whatever the case of its "S".
            QVERIFY(!store.remove(n, &error));
            QCOMPARE(error, kApprovedMessage);
        }
    }
};

QTEST_MAIN(TestQuotationApproval)
#include "test_quotation_approval.moc"
