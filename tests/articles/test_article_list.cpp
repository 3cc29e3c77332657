#include "satellite_fixture.h"
#include "db/dataset.h"
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
};

QTEST_GUILESS_MAIN(TestArticleList)
#include "test_article_list.moc"
