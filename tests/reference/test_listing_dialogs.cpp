#include "reference_fixture.h"

#include "reference/listings/listings.h"
#include "reference/listings/packaging_selection.h"
#include "reference/listings/page_size_dialog.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using namespace corvane;
using namespace corvane::reference;

namespace {
// Clicks a choice on its indicator (the button may be wider than its text).
void choose(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}
} // namespace

class TestListingDialogs : public QObject {
    Q_OBJECT
private slots:
    void factorsMultiplyTheStartingSize();
    void pageSizeDialogAppliesAndRestoresTheSize();
    void packagingSelectionReopensInTheOrderChosen();
    void enterMovesToTheNextControl();
};

void TestListingDialogs::factorsMultiplyTheStartingSize() {
    QCOMPARE(PageSizeChoice::captions(),
             (QStringList{"Tamanho Original", "X 2", "X 3", "X 4", "X 5", "X 6"}));
    PageSizeChoice c;
    c.activate(QSize(100, 50));
    QCOMPARE(c.choice(), PageSizeChoice::kOriginal);
    QCOMPARE(c.choose(2), QSize(300, 150)); // "X 3"
    QCOMPARE(c.choose(5), QSize(600, 300)); // "X 6"
    QCOMPARE(c.choose(PageSizeChoice::kOriginal), QSize(100, 50));
    c.activate(QSize(7, 9)); // a new activation takes the size afresh
    QCOMPARE(c.choose(1), QSize(14, 18));
}

void TestListingDialogs::pageSizeDialogAppliesAndRestoresTheSize() {
    TPrintersize dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Seleccione o Tamanho"));
    QVERIFY(dlg.sizeChoice()->button(0)->isChecked());
    dlg.WidthSpinEdit->setValue(100);
    dlg.HeigthSpinEdit->setValue(50);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* x3 = qobject_cast<QRadioButton*>(dlg.sizeChoice()->button(2));
    QCOMPARE(x3->text(), QStringLiteral("X 3"));
    choose(x3);
    QCOMPARE(dlg.WidthSpinEdit->value(), 300);
    QCOMPARE(dlg.HeigthSpinEdit->value(), 150);
    auto* original = qobject_cast<QRadioButton*>(dlg.sizeChoice()->button(0));
    QCOMPARE(original->text(), QStringLiteral("Tamanho Original"));
    choose(original);
    QCOMPARE(dlg.WidthSpinEdit->value(), 100);
    QCOMPARE(dlg.HeigthSpinEdit->value(), 50);
    choose(x3);
    dlg.hide();

    // Used again for another picture: the last choice stays, the size is new.
    dlg.WidthSpinEdit->setValue(40);
    dlg.HeigthSpinEdit->setValue(-20); // the inputs have no bounds
    dlg.show();
    QVERIFY(x3->isChecked());
    QCOMPARE(dlg.choice().start(), QSize(40, -20));
    choose(dlg.sizeChoice()->button(1));
    QCOMPARE(dlg.WidthSpinEdit->value(), 80);
    QCOMPARE(dlg.HeigthSpinEdit->value(), -40);
}

void TestListingDialogs::packagingSelectionReopensInTheOrderChosen() {
    ReferenceFixture fx;
    QVERIFY2(fx.ok(), qPrintable(fx.error()));
    QVERIFY(fx.exec({QStringLiteral("INSERT INTO EMBALAGEM VALUES (3, 'Bolsa de pano', 0.8, 40)")}));
    auto embalagem = fx.dataset(QStringLiteral("EMBALAGEM"));
    auto materials = fx.dataset(QStringLiteral("EMBALAGEMMP"));
    QVERIFY(embalagem->open());
    TCORVFPR007 listing(*embalagem, *materials);
    TCORVFSPR007 dlg(*embalagem, listing);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tipos de Embalagem"));
    QVERIFY(dlg.RadioNumerica->isChecked());
    QCOMPARE(dlg.BitImprimir->toolTip(), QStringLiteral("Imprimir"));
    QCOMPARE(dlg.BitTerminar->toolTip(), QStringLiteral("Terminar"));

    QStringList notes, firstRows;
    dlg.setPreviewer([&](Listing& l) {
        auto r = l.report();
        notes << r->definition().orderNote;
        report::Block block;
        r->source().rewind(nullptr);
        r->source().next(&block);
        firstRows << block.lines.first().values.value(1).toString();
    });
    dlg.RadioAlfabetica->setChecked(true);
    QTest::mouseClick(dlg.BitImprimir, Qt::LeftButton);
    QCOMPARE(embalagem->selectSql(), QStringLiteral("Select * From EMBALAGEM Order By DESIGNACAO"));
    QCOMPARE(embalagem->text(0, QStringLiteral("DESIGNACAO")), QStringLiteral("Bolsa de pano"));
    dlg.RadioNumerica->setChecked(true);
    QTest::mouseClick(dlg.BitImprimir, Qt::LeftButton);
    QCOMPARE(embalagem->selectSql(), QStringLiteral("Select * From EMBALAGEM Order By CODIGO"));
    QCOMPARE(notes, (QStringList{"Ord.Alfabética", "Ord.Numérica"}));
    QCOMPARE(firstRows, (QStringList{"Bolsa de pano", "Caixa individual"}));
    QTest::mouseClick(dlg.BitTerminar, Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestListingDialogs::enterMovesToTheNextControl() {
    ReferenceFixture fx;
    QVERIFY(fx.ok());
    auto embalagem = fx.dataset(QStringLiteral("EMBALAGEM"));
    auto materials = fx.dataset(QStringLiteral("EMBALAGEMMP"));
    TCORVFPR007 listing(*embalagem, *materials);
    TCORVFSPR007 dlg(*embalagem, listing);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.activateWindow();
    dlg.RadioNumerica->setFocus();
    QTRY_VERIFY(dlg.RadioNumerica->hasFocus());
    QTest::keyClick(dlg.RadioNumerica, Qt::Key_Return);
    QVERIFY(!dlg.RadioNumerica->hasFocus());
    QVERIFY(dlg.isVisible()); // Enter does not close the screen
}

QTEST_MAIN(TestListingDialogs)
#include "test_listing_dialogs.moc"
