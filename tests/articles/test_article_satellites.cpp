#include "articles/satellites/satellite_rows.h"
#include "satellite_fixture.h"

#include <QtTest>

using namespace corvane;
using articles::SatelliteGrid;

namespace {

const QString kYear = QStringLiteral("2026");
const QString kArticle = QStringLiteral("ECH-001");

QString pricesSql() {
    return QStringLiteral("SELECT MOEDA, PRECO FROM ARTIGOSMOE WHERE ARTIGO = :A ORDER BY MOEDA");
}
QString designationsSql() {
    return QStringLiteral("SELECT PAIS, DESIGNACAO FROM ARTIGOSPAIS WHERE ARTIGO = :A ORDER BY PAIS");
}
QVariantMap article(const QString& code = kArticle) {
    return {{QStringLiteral("A"), code}};
}

void addCurrency(SatelliteFixture& f, const QString& year, const QString& code) {
    f.exec(f.contab(), QStringLiteral("INSERT INTO cntpmoeda (ANO, DESCRI, CAMBEURO) VALUES (:Y, :D, 1)"),
           {{QStringLiteral("Y"), year}, {QStringLiteral("D"), code}});
}

void addCountry(SatelliteFixture& f, const QString& country) {
    f.exec(f.factura(), QStringLiteral("INSERT INTO PAISES (PAIS) VALUES (:P)"),
           {{QStringLiteral("P"), country}});
}

// Currencies of this year and the last, countries, and the article's rows.
void arrange(SatelliteFixture& f) {
    addCurrency(f, kYear, QStringLiteral("USD"));
    addCurrency(f, kYear, QStringLiteral("GBP"));
    addCurrency(f, QStringLiteral("2025"), QStringLiteral("CHF"));
    addCountry(f, QStringLiteral("ESPANHA"));
    addCountry(f, QStringLiteral("FRANÇA"));
    QVERIFY(articles::prepareCurrencyPrices(f.factura(), f.contab(), kYear, kArticle, f.view));
    QVERIFY(articles::prepareCountryDesignations(f.factura(), kArticle, f.view));
}

} // namespace

class TestArticleSatellites : public QObject {
    Q_OBJECT
private slots:
    void pricesOfTheWorkingYearsCurrencies_data() { addBackendRows(); }
    void pricesOfTheWorkingYearsCurrencies() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        arrange(f);
        // Only this year's currencies, at 0; nothing said.
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), (QStringList{"GBP=0", "USD=0"}));
        QVERIFY(f.view.messages.isEmpty());
        QCOMPARE(f.view.beeps, 0);

        // A price given, then a currency added to the year: it comes at 0, the price stays.
        f.exec(f.factura(),
               QStringLiteral("UPDATE ARTIGOSMOE SET PRECO = 12.5 WHERE ARTIGO = :A AND MOEDA = 'USD'"),
               article());
        addCurrency(f, kYear, QStringLiteral("JPY"));
        addCurrency(f, QStringLiteral("2027"), QStringLiteral("BRL"));
        QVERIFY(articles::prepareCurrencyPrices(f.factura(), f.contab(), kYear, kArticle, f.view));
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), (QStringList{"GBP=0", "JPY=0", "USD=12.5"}));
        // Another article is not touched.
        QVERIFY(f.pairs(f.factura(), pricesSql(), article(QStringLiteral("OUTRO"))).isEmpty());
    }

    void withoutCurrencyNothingOpens_data() { addBackendRows(); }
    void withoutCurrencyNothingOpens() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        addCurrency(f, QStringLiteral("2025"), QStringLiteral("CHF"));
        addCurrency(f, kYear, QStringLiteral("   ")); // a currency without a name counts for nothing
        QVERIFY(!articles::prepareCurrencyPrices(f.factura(), f.contab(), kYear, kArticle, f.view));
        QCOMPARE(f.view.messages, QStringList{QStringLiteral("NÃO ABRIU A TABELA DE MOEDAS !!!")});
        QCOMPARE(f.view.beeps, 1);
        QVERIFY(f.pairs(f.factura(), QStringLiteral("SELECT ARTIGO, MOEDA FROM ARTIGOSMOE")).isEmpty());
    }

    void designationsOfEveryCountry_data() { addBackendRows(); }
    void designationsOfEveryCountry() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        QVERIFY(!articles::prepareCountryDesignations(f.factura(), kArticle, f.view));
        QCOMPARE(f.view.messages, QStringList{QStringLiteral("Não abriu a tabela de Países ...")});
        QCOMPARE(f.view.beeps, 1);
        QVERIFY(f.pairs(f.factura(), designationsSql(), article()).isEmpty());

        addCountry(f, QStringLiteral("ESPANHA"));
        QVERIFY(articles::prepareCountryDesignations(f.factura(), kArticle, f.view));
        f.exec(f.factura(), QStringLiteral("UPDATE ARTIGOSPAIS SET DESIGNACAO = 'Bufanda' WHERE ARTIGO = :A"),
               article());
        addCountry(f, QStringLiteral("ALEMANHA"));
        QVERIFY(articles::prepareCountryDesignations(f.factura(), kArticle, f.view));
        QCOMPARE(f.pairs(f.factura(), designationsSql(), article()),
                 (QStringList{"ALEMANHA=", "ESPANHA=Bufanda"}));
        QCOMPARE(f.view.messages.size(), 1);
    }

    void preparationIsOneTransaction_data() { addBackendRows(); }
    void preparationIsOneTransaction() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        addCurrency(f, kYear, QStringLiteral("GBP"));
        addCurrency(f, kYear, QStringLiteral("USD"));
        int inserts = 0;
        f.factura().setFailureHook([&inserts](const QString& sql, QString* message) {
            if (!sql.startsWith(QLatin1String("INSERT INTO ARTIGOSMOE")) || ++inserts < 2)
                return false;
            *message = QStringLiteral("disco cheio");
            return true;
        });
        QVERIFY(!articles::prepareCurrencyPrices(f.factura(), f.contab(), kYear, kArticle, f.view));
        QCOMPARE(inserts, 2);
        QVERIFY(f.view.messages.value(0).contains(QLatin1String("disco cheio")));
        f.factura().setFailureHook({});
        QVERIFY(f.pairs(f.factura(), pricesSql(), article()).isEmpty()); // the first insert went back too
    }

    void changesWrittenOnLeavingALineAndOnClosing_data() { addBackendRows(); }
    void changesWrittenOnLeavingALineAndOnClosing() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        arrange(f);
        SatelliteGrid prices(articles::currencyPrices(), f.factura(), kArticle, f.view);
        QVERIFY(prices.activate());
        screens::DetailLines& lines = prices.lines();
        QCOMPARE(lines.lineCount(), 2);
        QCOMPARE(lines.text(0, 0), QStringLiteral("GBP"));
        QVERIFY(!lines.columns().at(0).editable);
        QVERIFY(!lines.setText(0, 0, QStringLiteral("EUR"))); // the currency is fixed
        QVERIFY(!lines.setText(0, 1, QStringLiteral("abc")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("'abc' não é um número válido"));
        QVERIFY(lines.setText(0, 1, QStringLiteral("3,75")));
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), (QStringList{"GBP=0", "USD=0"}));
        lines.leaveColumn(0, 1); // Down
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), (QStringList{"GBP=3.75", "USD=0"}));
        QVERIFY(lines.setText(1, 1, QStringLiteral("8")));
        QVERIFY(prices.finish()); // "&Terminar"
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), (QStringList{"GBP=3.75", "USD=8"}));

        SatelliteGrid names(articles::countryDesignations(), f.factura(), kArticle, f.view);
        QVERIFY(names.activate());
        QCOMPARE(names.lines().text(1, 0), QStringLiteral("FRANÇA"));
        QVERIFY(names.lines().setText(1, 1, QStringLiteral("Écharpe en laine")));
        names.lines().leaveColumn(1, 1);
        QCOMPARE(f.pairs(f.factura(), designationsSql(), article()),
                 (QStringList{"ESPANHA=", "FRANÇA=Écharpe en laine"}));
        // Held to the column's 40 characters.
        const QString longer = QStringLiteral("Bufanda de lana merino tejida a mano con flecos");
        QVERIFY(longer.size() > 40);
        QVERIFY(names.lines().setText(0, 1, longer));
        QVERIFY(names.finish());
        QCOMPARE(f.pairs(f.factura(), designationsSql(), article()).value(0),
                 QStringLiteral("ESPANHA=") + longer.left(40));
        QCOMPARE(names.lines().columns().at(1).rule.maxLength, 40);
    }

    void aRefusedWriteKeepsTheChanges_data() { addBackendRows(); }
    void aRefusedWriteKeepsTheChanges() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        arrange(f);
        bool refuse = true;
        f.factura().setFailureHook([&refuse](const QString& sql, QString* message) {
            if (!refuse || !sql.startsWith(QLatin1String("UPDATE ")))
                return false;
            *message = QStringLiteral("registo bloqueado");
            return true;
        });
        // Designations: the database layer's message; the change stays for a later write.
        SatelliteGrid names(articles::countryDesignations(), f.factura(), kArticle, f.view);
        QVERIFY(names.activate());
        QVERIFY(names.lines().setText(0, 1, QStringLiteral("Bufanda")));
        QVERIFY(!names.lineLeft(0));
        QVERIFY(f.view.messages.last().contains(QLatin1String("registo bloqueado")));
        QVERIFY(!names.finish());
        QVERIFY(names.rows().hasPendingUpdates());
        QCOMPARE(names.lines().text(0, 1), QStringLiteral("Bufanda"));

        // Prices: the update-error dialog is asked, and aborting keeps the change too.
        int asked = 0;
        QString failedTable;
        SatelliteGrid prices(articles::currencyPrices(), f.factura(), kArticle, f.view,
                             [&](const db::UpdateFailure& failure) {
                                 ++asked;
                                 failedTable = failure.dataset->name();
                                 return db::UpdateAction::Abort;
                             });
        QVERIFY(prices.activate());
        const int messages = f.view.messages.size();
        QVERIFY(prices.lines().setText(1, 1, QStringLiteral("9,5")));
        QVERIFY(!prices.finish());
        QCOMPARE(asked, 1);
        QCOMPARE(failedTable, QStringLiteral("ARTIGOSMOE"));
        QCOMPARE(f.view.messages.size(), messages); // the dialog told the user
        QVERIFY(prices.rows().hasPendingUpdates());

        refuse = false;
        QVERIFY(names.finish());
        QVERIFY(prices.finish());
        QCOMPARE(f.pairs(f.factura(), designationsSql(), article()),
                 (QStringList{"ESPANHA=Bufanda", "FRANÇA="}));
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), (QStringList{"GBP=0", "USD=9.5"}));
    }

    void rowsDeletedByAnotherUserCanBeLeft_data() { addBackendRows(); }
    // Another user deleted the article (and its prices) meanwhile: closing
    // cannot write, says so, and asks before dropping what was typed.
    void rowsDeletedByAnotherUserCanBeLeft() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        arrange(f);
        SatelliteGrid prices(articles::currencyPrices(), f.factura(), kArticle, f.view);
        QVERIFY(prices.activate());
        QVERIFY(prices.lines().setText(0, 1, QStringLiteral("4,2")));
        std::unique_ptr<db::Database> other = f.site.connectInvoicing();
        QVERIFY(other);
        f.exec(*other, QStringLiteral("DELETE FROM ARTIGOSMOE"));
        f.view.answers = {false};
        QVERIFY(!prices.closeRequested());
        QCOMPARE(f.view.messages.last(), db::kDeletedByOther);
        QCOMPARE(f.view.questions.last(), kAbandonQuestion);
        QVERIFY(prices.rows().hasPendingUpdates());
        f.view.answers = {true};
        QVERIFY(prices.closeRequested());
        QVERIFY(!prices.rows().hasPendingUpdates());
        QCOMPARE(f.pairs(f.factura(), pricesSql(), article()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestArticleSatellites)
#include "test_article_satellites.moc"
