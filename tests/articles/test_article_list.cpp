#include "articles/store/article_store.h"
#include "db/dataset.h"
#include "satellite_fixture.h"
#include "screens/field_rule.h"

#include <QtTest>

using namespace corvane;

namespace {

// ART-0001 to ART-0300 besides the demo articles.
void addArticles(SatelliteFixture& f) {
    QString error;
    db::Database& db = f.factura();
    QVERIFY(db.beginTransaction(&error));
    for (int i = 1; i <= 300; ++i)
        f.exec(db, QStringLiteral("INSERT INTO ARTIGOSCLS (CODIGO, DESIGNACAO) VALUES (:C, :D)"),
               {{QStringLiteral("C"), QStringLiteral("ART-%1").arg(i, 4, 10, QLatin1Char('0'))},
                {QStringLiteral("D"), QStringLiteral("Gorro %1").arg(301 - i)}});
    QVERIFY(db.commit(&error));
}

db::Dataset list(SatelliteFixture& f, const QString& order) {
    db::Dataset ds(f.factura(), QStringLiteral("ARTIGOSCLS"),
                   QStringLiteral("Select CODIGO, DESIGNACAO From ARTIGOSCLS Order By %1").arg(order),
                   QStringLiteral("ARTIGOSCLS"), {QStringLiteral("CODIGO")});
    ds.setPageSize(16);
    return ds;
}

} // namespace

class TestArticleList : public QObject {
    Q_OBJECT
private slots:
    // A code typed to position the list: the list by code starts at it
    // without reading what comes before; by designation it is searched.
    void positionsOnATypedCode_data() { addBackendRows(); }
    void positionsOnATypedCode() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        addArticles(f);
        db::Dataset byCode = list(f, QStringLiteral("CODIGO"));
        QVERIFY(byCode.open());
        QCOMPARE(screens::seekKey(byCode, QStringLiteral("CODIGO"), QStringLiteral(" art-0290 ")), 0);
        QCOMPARE(byCode.text(0, QStringLiteral("CODIGO")), QStringLiteral("ART-0290"));
        QCOMPARE(byCode.text(0, QStringLiteral("DESIGNACAO")), QStringLiteral("Gorro 11"));
        QVERIFY(byCode.rowCount() <= 16);
        QVERIFY(byCode.canFetchBefore());
        QVERIFY(byCode.fetchBefore() > 0);
        QCOMPARE(byCode.text(15, QStringLiteral("CODIGO")), QStringLiteral("ART-0289"));
        QCOMPARE(byCode.text(16, QStringLiteral("CODIGO")), QStringLiteral("ART-0290"));
        // A code no article has.
        QCOMPARE(screens::seekKey(byCode, QStringLiteral("CODIGO"), QStringLiteral("ART-0290A")), -1);
        QCOMPARE(screens::seekKey(byCode, QStringLiteral("CODIGO"), QStringLiteral("ART-0002")), 0);

        db::Dataset byName = list(f, QStringLiteral("DESIGNACAO"));
        QVERIFY(byName.open());
        const int row = screens::seekKey(byName, QStringLiteral("CODIGO"), QStringLiteral("art-0290"));
        QVERIFY(row > 0);
        QCOMPARE(byName.text(row, QStringLiteral("CODIGO")), QStringLiteral("ART-0290"));
        QVERIFY(!byName.canFetchBefore()); // read from the start
    }

    // Every list of the article master runs on the backend, holds only the
    // articles it names (by reading each one's row again) and keeps its order.
    void everyListHoldsItsArticles_data() { addBackendRows(); }
    void everyListHoldsItsArticles() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        using articles::ArticleList;
        using articles::ArticleOrder;
        auto number = [](const QVariantMap& a, const char* column) {
            return a.value(QLatin1String(column)).toDouble();
        };
        auto type = [](const QVariantMap& a) {
            return a.value(QStringLiteral("TIPOARTIGO")).toString().trimmed();
        };
        struct Case {
            ArticleList list;
            std::function<bool(const QVariantMap&)> holds;
            bool demoHasSome;
        };
        auto material = [&](int from, int to) {
            return [=](const QVariantMap& a) {
                return number(a, "TIPOMAT") >= from && number(a, "TIPOMAT") <= to;
            };
        };
        const QList<Case> cases{
            {ArticleList::Yarns,
             [&](const QVariantMap& a) { return type(a) == QLatin1String("6") && number(a, "NEFIO") > 0; },
             true},
            {ArticleList::MaterialsOfType, material(121, 121), true},
            {ArticleList::StepInks, material(21, 40), true},
            {ArticleList::MachineInks, material(21, 40), true},
            {ArticleList::StepPackaging, material(120, 139), true},
            {ArticleList::PackagingMaterials, material(120, 139), true},
            {ArticleList::Fabrics, material(100, 119), true},
            {ArticleList::Services, [&](const QVariantMap& a) { return type(a) == QLatin1String("3"); },
             true},
            {ArticleList::PurchaseUnits, [&](const QVariantMap& a) { return type(a) > QLatin1String("5"); },
             true},
            {ArticleList::Ordinary,
             [](const QVariantMap& a) {
                 return a.value(QStringLiteral("GRELHA")).toString() == QLatin1String("N");
             },
             true},
        };
        articles::ArticleStore store(f.factura());
        for (const Case& c : cases) {
            for (ArticleOrder order : {ArticleOrder::Code, ArticleOrder::Designation}) {
                db::Dataset ds(f.factura(), QStringLiteral("LIST"), articles::articleListSql(c.list, order));
                ds.setParam(QStringLiteral("WFtTMat"), 121);
                ds.setParam(QStringLiteral("WTMat1"), 100);
                ds.setParam(QStringLiteral("WTMat2"), 119);
                QString error;
                QVERIFY2(ds.open(&error) && ds.fetchAll(&error), qPrintable(error));
                QVERIFY2(!c.demoHasSome || ds.rowCount() > 0,
                         qPrintable(articles::articleListSql(c.list, order)));
                for (int r = 0; r < ds.rowCount(); ++r) {
                    const QString code = ds.text(r, QStringLiteral("CODIGO"));
                    const std::optional<QVariantMap> article = store.read(code, &error);
                    QVERIFY2(article && !article->isEmpty(), qPrintable(code + error));
                    QVERIFY2(c.holds(*article), qPrintable(code));
                }
            }
        }
        // The designation of an article, of none, and the ordinary list's last code.
        QVERIFY(store.designation(QStringLiteral("NO-SUCH-CODE")).value() == std::nullopt);
        const std::optional<QString> last = store.lastOrdinary(ArticleOrder::Code);
        QVERIFY(last && !last->isEmpty());
        QVERIFY(store.designation(*last).value().has_value());
        QCOMPARE(store.ordinaryKey(*last).value().value(QStringLiteral("CODIGO")).toString().trimmed(),
                 last->trimmed());
    }
};

QTEST_GUILESS_MAIN(TestArticleList)
#include "test_article_list.moc"
