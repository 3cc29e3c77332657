#include "components/filter/filter_proxy_model.h"
#include "db/dataset.h"
#include "db/dataset_model.h"
#include "db/schema.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;
using components::FieldKind;
using components::FilterField;
using components::FilterJoin;
using components::FilterLine;
using components::FilterProxyModel;
using components::RowFilter;
using db::Dataset;

namespace {

const db::Table kTable{QStringLiteral("ORC_FILTRO"),
                       {db::integer(QStringLiteral("ORCNRO"), true), db::datetime(QStringLiteral("DATAEMI")),
                        db::text(QStringLiteral("CLINOM"), 40), db::real(QStringLiteral("MARGEMLIQ")),
                        db::text(QStringLiteral("APROVADO"), 1)},
                       {QStringLiteral("ORCNRO")},
                       QStringLiteral("PK_ORC_FILTRO"),
                       {}};

constexpr int kRows = 130;

// Quotation n: customers in turn, issue dates over five days, margins n + 0.5
// (none on every seventh); 21 to 40 (a whole page) and every tenth approved.
QString customerOf(int n) {
    switch (n % 3) {
    case 0:
        return QStringLiteral("SILVA & FILHOS");
    case 1:
        return QStringLiteral("Casa SILVA");
    default:
        return n % 2 ? QStringLiteral("COSTA") : QString();
    }
}
QDate issueOf(int n) {
    return QDate(2024, 3, 1).addDays(n % 5);
}
bool approved(int n) {
    return (n >= 21 && n <= 40) || n % 10 == 0;
}
QVariant marginOf(int n) {
    return n % 7 ? QVariant(n + 0.5) : QVariant();
}

void createQuotations(TestSite& site) {
    db::Database& db = site.program();
    site.exec(db, db.dialect().createTable(kTable));
    QString error;
    QVERIFY(db.beginTransaction(&error));
    for (int n = 1; n <= kRows; ++n)
        site.exec(db,
                  QStringLiteral("INSERT INTO ORC_FILTRO (ORCNRO, DATAEMI, CLINOM, MARGEMLIQ, APROVADO) "
                                 "VALUES (:N, :D, :C, :M, :A)"),
                  {{QStringLiteral("N"), n},
                   {QStringLiteral("D"), QDateTime(issueOf(n), QTime(9, 30))},
                   {QStringLiteral("C"), customerOf(n).isNull() ? QVariant() : QVariant(customerOf(n))},
                   {QStringLiteral("M"), marginOf(n)},
                   {QStringLiteral("A"), approved(n) ? QStringLiteral("S") : QStringLiteral("N")}});
    QVERIFY(db.commit(&error));
}

// The quotations in number order, read 20 rows a page.
Dataset quotations(TestSite& site) {
    Dataset ds(site.program(), QStringLiteral("ORC_FILTRO"),
               QStringLiteral("Select * From ORC_FILTRO Order By ORCNRO"), QStringLiteral("ORC_FILTRO"),
               {QStringLiteral("ORCNRO")});
    ds.setPageSize(20);
    return ds;
}

const QStringList kColumns{QStringLiteral("ORCNRO"), QStringLiteral("DATAEMI"), QStringLiteral("CLINOM"),
                           QStringLiteral("MARGEMLIQ")};
const QList<FilterField> kFields{
    {QStringLiteral("CLINOM"), QStringLiteral("Nome do Cliente"), 2, FieldKind::Text},
    {QStringLiteral("DATAEMI"), QStringLiteral("Dat.Emi."), 1, FieldKind::Date},
    {QStringLiteral("MARGEMLIQ"), QStringLiteral("(%) Marg."), 3, FieldKind::Real},
    {QStringLiteral("ORCNRO"), QStringLiteral("Orc. Nº"), 0, FieldKind::Integer},
};

RowFilter compiled(const QList<FilterLine>& lines) {
    QString error;
    const std::optional<RowFilter> f = RowFilter::compile(kFields, lines, &error);
    if (!f)
        qFatal("%s", qPrintable(error));
    return *f;
}

// The quotation numbers not approved for which `taken` holds.
QList<int> expected(const std::function<bool(int)>& taken) {
    QList<int> out;
    for (int n = 1; n <= kRows; ++n)
        if (!approved(n) && taken(n))
            out << n;
    return out;
}

QList<int> shown(const FilterProxyModel& proxy) {
    QList<int> out;
    for (int r = 0; r < proxy.rowCount(); ++r)
        out << proxy.index(r, 0).data().toInt();
    return out;
}

} // namespace

class TestFilterDataset : public QObject {
    Q_OBJECT
private slots:
    // A dataset read in pages, whose own row filter leaves a whole page out,
    // is read to its end before the filter runs over it; a failure to read
    // it is reported.
    void filtersEveryRowOfADataset_data() { addBackendRows(); }
    void filtersEveryRowOfADataset() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createQuotations(site);
        Dataset ds = quotations(site);
        ds.setRowFilter([](const Dataset& d, const QVariantList& v) {
            return v.value(d.fieldIndex(QStringLiteral("APROVADO"))).toString() != QLatin1String("S");
        });
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        db::DatasetModel model(ds, kColumns, kColumns);
        FilterProxyModel proxy;
        proxy.setSourceModel(&model);
        QCOMPARE(proxy.rowCount(), 18); // the first page, less two approved
        QVERIFY(ds.canFetchMore());

        QVERIFY2(proxy.setFilter(compiled({{QStringLiteral("CLINOM"), QStringLiteral("SIL")}})),
                 qPrintable(proxy.readError()));
        QVERIFY(!ds.canFetchMore());
        QCOMPARE(model.rowCount(), ds.rowCount());
        QCOMPARE(ds.rowCount(), expected([](int) { return true; }).size());
        const QList<int> silva = expected([](int n) { return n % 3 == 0; });
        QCOMPARE(shown(proxy), silva);
        QVERIFY(silva.last() > 100);

        // Dates read back from the backend, reals, empty names, numbers.
        proxy.setFilter(
            compiled({{QStringLiteral("DATAEMI"), QStringLiteral("03/03/2024")},
                      {QStringLiteral("CLINOM"), QStringLiteral("null or COSTA"), FilterJoin::And}}));
        QCOMPARE(shown(proxy), expected([](int n) { return n % 5 == 2 && n % 3 == 2; }));
        proxy.setFilter(compiled({{QStringLiteral("MARGEMLIQ"), QStringLiteral("55.50004 or null")}}));
        QCOMPARE(shown(proxy), expected([](int n) { return n == 55 || n % 7 == 0; }));
        proxy.setFilter(compiled({{QStringLiteral("ORCNRO"), QStringLiteral("30 or 41 or 129")},
                                  {QStringLiteral("CLINOM"), QStringLiteral("S%FILHOS"), FilterJoin::Or}}));
        QCOMPARE(shown(proxy), expected([](int n) { return n == 41 || n == 129 || n % 3 == 0; }));

        // Reopened, the dataset is read again to its end for the filter.
        QVERIFY2(ds.reopen(&error), qPrintable(error));
        model.reload();
        QVERIFY(!ds.canFetchMore());
        QCOMPARE(shown(proxy), expected([](int n) { return n == 41 || n == 129 || n % 3 == 0; }));
        proxy.clear();
        QCOMPARE(proxy.rowCount(), ds.rowCount());

        // A failure while reading the rest is reported; the rows read are filtered.
        QVERIFY2(ds.reopen(&error), qPrintable(error));
        model.reload();
        QCOMPARE(proxy.rowCount(), 18);
        site.program().setFailureHook([](const QString& sql, QString* message) {
            if (!sql.contains(QLatin1String("ORC_FILTRO")))
                return false;
            *message = QStringLiteral("ligação perdida");
            return true;
        });
        QVERIFY(!proxy.setFilter(compiled({{QStringLiteral("ORCNRO"), QStringLiteral("5 or 50")}})));
        QVERIFY2(proxy.readError().contains(QStringLiteral("ligação perdida")),
                 qPrintable(proxy.readError()));
        QCOMPARE(shown(proxy), QList<int>{5});
        site.program().setFailureHook({});
    }
};

QTEST_GUILESS_MAIN(TestFilterDataset)
#include "test_filter_dataset.moc"
