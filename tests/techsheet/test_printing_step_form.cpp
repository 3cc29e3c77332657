// The printing step's window (TCORVF035_MAQIMPR) offscreen, on both backends.
#include "reference/screen_fixture.h"
#include "support/modal_closer.h"
#include "techsheet/steps/ui/machine_step_forms.h"
#include "techsheet/typed_input.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("ECHVI01.PRE");

QList<QVariantList> printingLines(ScreenFixture& f) {
    return selectRows(f.db(),
                      QStringLiteral("SELECT CODIGOMP, QUANT, PRECO, VALOR, PERC_IMPR FROM FICTECDET WHERE "
                                     "ARTIGO = :A AND RELACFICTEC = 'T' ORDER BY DETAIL"),
                      {{QStringLiteral("A"), kArticle}});
}

int rowOf(QTableView* grid, const QString& code) {
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, 0).data().toString() == code)
            return r;
    return -1;
}

} // namespace

class TestPrintingStepForm : public QObject {
    Q_OBJECT
private slots:
    void form_data() { addBackendRows(); }
    // A zero width closes the window at once; otherwise the printers with the
    // inks of the current one, the area, F1 on the grid enabling the inks,
    // the inks typed and "&Terminar" writing the machine and ink lines.
    void form() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        db::Database& factura = f.modules().database->DbFacturacao;
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'ECHVI01.PRE'"));
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO IN (2, 10)"));
        f.site.exec(
            f.db(),
            QStringLiteral("UPDATE PARGER SET CONV_KGS_TINTAS = 0.0125, TIPOPRECO = 'CUP' WHERE CODIGO = 1"));
        f.site.exec(factura,
                    QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 9.5 WHERE CODIGO IN ('TIN.CIANO', "
                                   "'TIN.MAGENTA')"));
        ModalCloser closer;
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("Corvane de teste");

        TechSheetContext ctx;
        ctx.ArticleCode = kArticle;
        ctx.ArticleLength = 200;
        ctx.ArticleWidth = 0;
        ctx.PrintSurfacePercent = 85;
        ctx.StepCode = QStringLiteral("T");
        ctx.MachineGroupType = 8;
        ctx.MachineCostType = 10;
        ctx.InkCostType = 2;
        QVERIFY(!openPrintingStep(nullptr, ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting));
        QTRY_VERIFY(
            closer.texts.contains(QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura Nulo ...")));
        QVERIFY(ctx.StepCancelled);
        QVERIFY(printingLines(f).isEmpty());

        ctx.ArticleWidth = 70; // the stole: 1.4 m², 1.19 m² printed
        closer.texts.clear();
        {
            TCORVF035_MAQIMPR form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.windowTitle(), QStringLiteral("Impressão"));
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("LabelArea"))->text(),
                     QStringLiteral("Àrea : 1,4   m²"));
            QTableView* grid = form.grid();
            auto* model = qobject_cast<screens::GridModel*>(grid->model());
            QCOMPARE(model->headerData(model->column(QStringLiteral("QTD")), Qt::Horizontal, Qt::DisplayRole)
                         .toString(),
                     QStringLiteral("Tempo (Min)"));
            const int row = rowOf(grid, QStringLiteral("IMP01"));
            QVERIFY(row >= 0);
            grid->setFocus();
            grid->setCurrentIndex(model->index(row, model->column(QStringLiteral("OK"))));
            // The printer's inks proposed, their fields disabled until F1.
            QTRY_COMPARE(form.input(QStringLiteral("Edit_MpNro1"))->text(), QStringLiteral("TIN.CIANO"));
            QCOMPARE(form.input(QStringLiteral("Edit_PercMp1"))->text(), QStringLiteral("30"));
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label_MpNro1"))->text(),
                     QStringLiteral("Tinta Reactiva Ciano"));
            // 1.19 m² × 30 % × 0.0125 l/m²
            QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Edit_QtdMp1"))->text(),
                     QStringLiteral("0,0044625"));
            QVERIFY(!form.input(QStringLiteral("Edit_MpNro1"))->isEnabled());
            QTest::keyClick(grid, Qt::Key_Space);
            QVERIFY(model->setData(model->index(row, model->column(QStringLiteral("QTD"))),
                                   QStringLiteral("6"), Qt::EditRole));
            QCOMPARE(model->index(row, model->column(QStringLiteral("CUSTO"))).data().toString(),
                     QStringLiteral("2,4"));
            QTest::keyClick(grid, Qt::Key_F1);
            QVERIFY(form.input(QStringLiteral("Edit_MpNro1"))->isEnabled());

            // Cyan at 50 % instead of 30; black removed with Delete, leaving 100 %.
            typeInto(form, QStringLiteral("Edit_PercMp1"), QStringLiteral("50"),
                     QStringLiteral("Edit_MpNro4"));
            QVERIFY(!grid->isEnabled()); // an ink code entered: the grid waits for F1
            QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Edit_CustoMp1"))->text(),
                     QStringLiteral("0,07066")); // 0.0074375 l × 9.50
            QLineEdit* black = form.input(QStringLiteral("Edit_MpNro4"));
            QTest::keyClick(black, Qt::Key_Delete);
            QVERIFY(black->text().isEmpty());
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label_MpNro4"))->text(), QString());
            QCOMPARE(form.input(QStringLiteral("Edit_PercMp4"))->text(), QString());
            // The same ink twice is refused; the row left empty is accepted.
            typeInto(form, QStringLiteral("Edit_MpNro4"), QStringLiteral("TIN.CIANO"),
                     QStringLiteral("Edit_PercMp4"));
            QTRY_VERIFY2(closer.texts.contains(QStringLiteral("A Tinta TIN.CIANO já está na linha 1 ...")),
                         qPrintable(closer.texts.join(QLatin1Char('|'))));
            typeInto(form, QStringLiteral("Edit_MpNro4"), QString(), QStringLiteral("Edit_PercMp4"));
            QCOMPARE(closer.texts.size(), 1);
            form.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            QVERIFY(!form.isVisible());
            QVERIFY(form.logic().written());
        }
        QVERIFY(!ctx.StepCancelled);
        const QList<QVariantList> lines = printingLines(f);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0][0].toString().trimmed(), QStringLiteral("IMP01"));
        QCOMPARE(lines[0][3].toDouble(), 2.4);
        QCOMPARE(lines[1][0].toString().trimmed(), QStringLiteral("TIN.CIANO"));
        QCOMPARE(lines[1][1].toDouble(), 0.0074);
        QCOMPARE(lines[1][3].toDouble(), 0.07066);
        QCOMPARE(lines[2][0].toString().trimmed(), QStringLiteral("TIN.MAGENTA"));
        QCOMPARE(lines[2][1].toDouble(), 0.0037);
        QCOMPARE(lines[2][2].toDouble(), 9.5);
        QCOMPARE(lines[2][3].toDouble(), 0.03533);
        QCOMPARE(lines[2][4].toDouble(), 25.0);
        QCOMPARE(lines[3][0].toString().trimmed(), QStringLiteral("TIN.AMARELO"));
        QCOMPARE(lines[3][2].toDouble(), 9.0); // the price per kg, whatever k is

        // "&Cancelar" writes nothing.
        {
            TCORVF035_MAQIMPR form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.input(QStringLiteral("Edit_MpNro2"))->text(), QStringLiteral("TIN.MAGENTA"));
            form.findChild<QPushButton*>(QStringLiteral("BotCancelar"))->click();
            QVERIFY(!form.isVisible());
        }
        QVERIFY(ctx.StepCancelled);
        QCOMPARE(printingLines(f), lines);
    }
};

QTEST_MAIN(TestPrintingStepForm)
#include "test_printing_step_form.moc"
