#include "reference/screens/packaging_screen.h"
#include "screen_fixture.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::reference;

class TestPackagingScreens : public QObject {
    Q_OBJECT
private slots:
    void packagingTypes_data() { addBackendRows(); }
    void packagingTypes() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        PackagingScreen s(f.corvane().EMBALAGEM, f.corvane().TIPOCUSTO, f.corvane().EMBALAGEMMP,
                          f.modules().database->DbFacturacao, f.view);
        QVERIFY(s.activate(allRights(), {}));
        QVERIFY(s.gridEnter());
        s.insert();
        s.gridExit();
        QVERIFY(!s.codeExit(QStringLiteral("1")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Registo já foi aberto ... <Enter>"));
        QVERIFY(s.gridEnter());
        s.insert();
        s.gridExit();
        QVERIFY(!s.codeExit(QStringLiteral("-4")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Codigo Inválido ... <Enter>"));
        QVERIFY(s.codeExit(QStringLiteral("90")));
        QVERIFY(!s.fieldExit(QStringLiteral("DESIGNACAO"), QString()));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Designação Inválida ..."));
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Caixa Dupla")));
        QVERIFY(!s.fieldExit(QStringLiteral("TIPOCUSTO"), QStringLiteral("150")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [1..99]"));
        QVERIFY(s.fieldExit(QStringLiteral("TIPOCUSTO"), QStringLiteral("40")));
        QCOMPARE(s.costTypeLabel(), QStringLiteral("Embalagem"));
        QVERIFY(s.gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM EMBALAGEM WHERE DESIGNACAO = 'Caixa Dupla' AND "
                                       "TIPOCUSTO = 40"))
                     .toInt(),
                 1);
        s.close();
    }

    void materials_data() { addBackendRows(); }
    void materials() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        PackagingMaterials m(f.corvane().EMBALAGEMMP, f.modules().database->DbFacturacao, 2, f.view);
        QVERIFY(m.activate());
        const QString article = QStringLiteral("ARTNRO");
        const QString name = QStringLiteral("DESIGNACAO");
        const QString qty = QStringLiteral("QTD");
        const QString price = QStringLiteral("PRECO");

        // Typing the article a line already had keeps the line.
        QVERIFY(m.designationExit(1, QStringLiteral("Caixa Especial")));
        m.enterArticle(1);
        m.articleExit(1, QStringLiteral("EMB.CXOFERTA"));
        QCOMPARE(m.text(name, 1), QStringLiteral("Caixa Especial"));
        QCOMPARE(m.text(price, 1), QStringLiteral("0,62"));

        // Another article: last entry price, else average cost, else standard cost.
        m.enterArticle(3);
        m.articleExit(3, QStringLiteral("EMB.FITA"));
        QCOMPARE(m.text(qty, 3), QStringLiteral("0,6"));
        m.enterArticle(2);
        m.articleExit(2, QStringLiteral("EMB.FITA"));
        QCOMPARE(m.text(price, 2), QStringLiteral("1,25"));
        QCOMPARE(m.text(QStringLiteral("UND"), 2), QStringLiteral("Mt"));
        QCOMPARE(m.text(name, 2), QStringLiteral("Fita de Cetim 10 mm"));
        m.enterArticle(3);
        m.articleExit(3, QStringLiteral("EMB.CARTAO"));
        QCOMPARE(m.text(price, 3), QString());
        QCOMPARE(m.text(name, 3), QStringLiteral("Cartão de Embalagem"));

        // Emptying line 1 clears it alone; then it needs an article first.
        m.enterArticle(1);
        m.articleExit(1, QString());
        QVERIFY(m.text(name, 1).isEmpty());
        QVERIFY(m.text(qty, 1).isEmpty());
        QCOMPARE(m.text(article, 2), QStringLiteral("EMB.FITA"));
        QVERIFY(!m.numberExit(1, qty, QStringLiteral("0")));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_ArtNro"));
        QVERIFY(!m.designationExit(1, QString()));
        QVERIFY(!m.numberExit(2, qty, QStringLiteral("dois")));
        QVERIFY(m.numberExit(2, qty, QStringLiteral("1,5")));

        // An article of another family is kept as typed and fills nothing.
        m.enterArticle(1);
        m.articleExit(1, QStringLiteral("FIO.ACR2/28"));
        QCOMPARE(m.text(article, 1), QStringLiteral("FIO.ACR2/28"));
        QVERIFY(m.text(name, 1).isEmpty());
        QVERIFY(m.finish());
        QCOMPARE(f.cell(QStringLiteral("SELECT QTD2 FROM EMBALAGEMMP WHERE CODIGO = 2")).toDouble(), 1.5);
        QCOMPARE(f.cell(QStringLiteral("SELECT PRECO2 FROM EMBALAGEMMP WHERE CODIGO = 2")).toDouble(), 1.25);
        QCOMPARE(f.cell(QStringLiteral("SELECT ARTNRO1 FROM EMBALAGEMMP WHERE CODIGO = 2")).toString(),
                 QStringLiteral("FIO.ACR2/28"));
    }
};

QTEST_GUILESS_MAIN(TestPackagingScreens)
#include "test_packaging_screens.moc"
