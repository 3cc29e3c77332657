#include "articles/ui/satellite_forms.h"
#include "satellite_fixture.h"
#include "screens/ui/detail_grid.h"
#include "support/modal_closer.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace corvane;

namespace {

const QString kArticle = QStringLiteral("GOR-77");

// The open editor of the grid (closed ones wait hidden for their deletion).
QLineEdit* currentEditor(screens::DetailGrid* grid) {
    for (QLineEdit* e : grid->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

QLineEdit* openEditor(screens::DetailGrid* grid, int row) {
    const QModelIndex cell = grid->model()->index(row, 1);
    grid->setCurrentIndex(cell); // entering a cell edits it
    if (!grid->editing())
        grid->edit(cell);
    return currentEditor(grid);
}

// A screen opened by a user who may (or may not) change articles.
screens::ScreenSetting changing(bool allowed) {
    screens::ScreenSetting setting;
    setting.rights = shell::AccessRights::none();
    setting.rights.ACEDER = QStringLiteral("S");
    setting.rights.ALTERAR = allowed ? QStringLiteral("S") : QStringLiteral("N");
    return setting;
}

void arrange(SatelliteFixture& f) {
    for (const char* currency : {"GBP", "USD"})
        f.exec(f.contab(),
               QStringLiteral("INSERT INTO cntpmoeda (ANO, DESCRI, CAMBEURO) VALUES ('2026', :D, 1)"),
               {{QStringLiteral("D"), QString::fromLatin1(currency)}});
    for (const char* country : {"ESPANHA", "FRANÇA"})
        f.exec(f.factura(), QStringLiteral("INSERT INTO PAISES (PAIS) VALUES (:P)"),
               {{QStringLiteral("P"), QString::fromUtf8(country)}});
}

// The tables arranged and the article's price rows made for this year.
bool preparePrices(SatelliteFixture& f) {
    arrange(f);
    return articles::prepareCurrencyPrices(f.factura(), f.contab(), QStringLiteral("2026"), kArticle, f.view);
}

} // namespace

class TestArticleSatelliteScreens : public QObject {
    Q_OBJECT
private slots:
    void designationsTypedInTheGrid_data() { addBackendRows(); }
    void designationsTypedInTheGrid() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        arrange(f);
        QVERIFY(articles::prepareCountryDesignations(f.factura(), kArticle, f.view));
        articles::TCORVF035PAIS form(f.factura(), kArticle, changing(true));
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Designação do Artigo por País"));
        screens::DetailGrid* grid = form.grid();
        QTRY_COMPARE(form.focusWidget(), grid);
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("País"));
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Designação"));
        QCOMPARE(grid->model()->rowCount(), 2);
        QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));

        QLineEdit* editor = openEditor(grid, 0);
        QVERIFY(editor);
        QCOMPARE(editor->maxLength(), 40);
        QTest::keyClicks(editor, QStringLiteral("Bufanda de lana merino tejida a mano con flecos"));
        QCOMPARE(editor->text().size(), 40);
        QTest::keyClick(editor, Qt::Key_Down); // to the next line: written at once
        QTRY_COMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(
            f.pairs(f.factura(), QStringLiteral("SELECT PAIS, DESIGNACAO FROM ARTIGOSPAIS ORDER BY PAIS")),
            (QStringList{QStringLiteral("ESPANHA=Bufanda de lana merino tejida a mano con"),
                         QStringLiteral("FRANÇA=")}));

        editor = openEditor(grid, 1);
        QVERIFY(editor);
        editor->setText(QStringLiteral("Écharpe"));
        form.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click(); // the open cell is written too
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(
            f.pairs(f.factura(), QStringLiteral("SELECT PAIS, DESIGNACAO FROM ARTIGOSPAIS ORDER BY PAIS"))
                .value(1),
            QStringLiteral("FRANÇA=Écharpe"));
    }

    void aPriceThatIsNoNumberKeepsTheCell_data() { addBackendRows(); }
    void aPriceThatIsNoNumberKeepsTheCell() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        QVERIFY(preparePrices(f));
        articles::TCORVF035MOEDA form(f.factura(), kArticle, changing(true));
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Preços por Moeda"));
        screens::DetailGrid* grid = form.grid();
        QTRY_COMPARE(form.focusWidget(), grid);
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("MOE"));
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("PREÇO (Moe)"));
        ModalCloser closer;
        QLineEdit* editor = openEditor(grid, 0);
        QVERIFY(editor);
        editor->setText(QStringLiteral("doze"));
        QTest::keyClick(editor, Qt::Key_Down);
        QTRY_COMPARE(closer.texts, QStringList{QStringLiteral("'doze' não é um número válido")});
        // Back on the refused cell, its editor holding what was typed; nothing written.
        QTRY_COMPARE(grid->currentIndex(), grid->model()->index(0, 1));
        QTRY_VERIFY(currentEditor(grid));
        editor = currentEditor(grid);
        QCOMPARE(editor->text(), QStringLiteral("doze"));
        const QString prices = QStringLiteral("SELECT MOEDA, PRECO FROM ARTIGOSMOE ORDER BY MOEDA");
        QCOMPARE(f.pairs(f.factura(), prices), (QStringList{"GBP=0", "USD=0"}));
        // "&Terminar" with the refused text does not close.
        form.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        QTRY_COMPARE(closer.texts.size(), 2);
        QVERIFY(form.isVisible());

        QTRY_VERIFY(currentEditor(grid));
        editor = currentEditor(grid);
        editor->setText(QStringLiteral("12,5"));
        form.close(); // the close box writes as "&Terminar" does
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(f.pairs(f.factura(), prices), (QStringList{"GBP=12.5", "USD=0"}));
    }

    void withoutTheRightToChangeThePricesAreOnlyShown_data() { addBackendRows(); }
    void withoutTheRightToChangeThePricesAreOnlyShown() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        SatelliteFixture f(backend);
        REQUIRE_SITE(f.site);
        QVERIFY(preparePrices(f));
        articles::TCORVF035MOEDA form(f.factura(), kArticle, changing(false));
        form.show();
        screens::DetailGrid* grid = form.grid();
        QTRY_COMPARE(form.focusWidget(), grid);
        QCOMPARE(grid->model()->rowCount(), 2);
        QVERIFY(!(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(!form.logic().lines().setText(0, 1, QStringLiteral("12,5")));
        // Nor does the dataset write a change that reached it another way.
        db::Dataset& rows = form.logic().rows();
        rows.setValue(0, QStringLiteral("PRECO"), 12.5);
        QString error;
        QVERIFY(!rows.applyUpdates({}, &error));
        QCOMPARE(error, db::notAllowedText(db::UpdateKind::Modified));
        rows.cancelUpdates();
        form.close();
        QTRY_VERIFY(!form.isVisible());
        const QString prices = QStringLiteral("SELECT MOEDA, PRECO FROM ARTIGOSMOE ORDER BY MOEDA");
        QCOMPARE(f.pairs(f.factura(), prices), (QStringList{"GBP=0", "USD=0"}));
    }
};

QTEST_MAIN(TestArticleSatelliteScreens)
#include "test_satellite_screens.moc"
