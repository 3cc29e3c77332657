#include "reference/screen_fixture.h"
#include "support/modal_closer.h"
#include "techsheet/steps/ui/subcontract_step_forms.h"
#include "techsheet/typed_input.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

QList<QVariantList> stepLines(ScreenFixture& f, const QString& article, const QString& step) {
    return selectRows(
        f.db(),
        QStringLiteral("SELECT CODIGOMP, QUANT, VALOR, OPERACAO FROM FICTECDET WHERE ARTIGO = :A "
                       "AND RELACFICTEC = :S ORDER BY DETAIL"),
        {{QStringLiteral("A"), article}, {QStringLiteral("S"), step}});
}

} // namespace

class TestSubcontractStepForms : public QObject {
    Q_OBJECT
private slots:
    void forms_data() { addBackendRows(); }
    // The fabric window: the fitting typed in lower case shown upper, "X"
    // refused, the layout computed, F7 then "&Terminar" writes the line; the
    // subcontract window writes the service and its material.
    void forms() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        db::Database& factura = f.modules().database->DbFacturacao;
        f.site.exec(f.db(),
                    QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO IN ('CHCLA01.PRE', 'ECHVI01.PRE')"));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECSUBCONT"));
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO IN (8, 50)"));
        f.site.exec(f.db(), QStringLiteral("UPDATE PARGER SET TIPOPRECO = 'CUP' WHERE CODIGO = 1"));
        f.site.exec(factura,
                    QStringLiteral("UPDATE ARTIGOSCLS SET LARGURA = 150, CUSTOPADRAO = 4 WHERE CODIGO = "
                                   "'TEC.VIS.CRU'"));
        ModalCloser closer;
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("Corvane de teste");

        TechSheetContext ctx;
        ctx.ArticleCode = QStringLiteral("ECHVI01.PRE");
        ctx.ArticleLength = 150;
        ctx.ArticleWidth = 30;
        ctx.StepCode = QStringLiteral("L");
        ctx.ClothCostType = 8;
        {
            TCORVF035_TECIDO form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.windowTitle(), QStringLiteral("Seleccione o Tecido"));
            typeInto(form, QStringLiteral("Edit_Tecido"), QStringLiteral("TEC.VIS.CRU"),
                     QStringLiteral("Edit_EnqTecido"));
            QCOMPARE(form.input(QStringLiteral("Edit_LargTecido"))->text(), QStringLiteral("1,5"));
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label_Tecido"))->text(),
                     QStringLiteral("Tecido Viscose 140 cm Cru"));
            typeInto(form, QStringLiteral("Edit_EnqTecido"), QStringLiteral("x"),
                     QStringLiteral("Edit_PecasTecido"));
            QTRY_VERIFY(
                closer.texts.contains(QStringLiteral("Insira <L> para Largura ; <C> para Comprimento ...")));
            QCOMPARE(form.input(QStringLiteral("Edit_EnqTecido"))->text(), QStringLiteral("X"));
            typeInto(form, QStringLiteral("Edit_EnqTecido"), QStringLiteral("c"),
                     QStringLiteral("Edit_PecasTecido"));
            QCOMPARE(form.input(QStringLiteral("Edit_EnqTecido"))->text(), QStringLiteral("C"));
            QCOMPARE(ctx.ClothFitting, QStringLiteral("C"));
            typeInto(form, QStringLiteral("Edit_PecasTecido"), QStringLiteral("3"),
                     QStringLiteral("Edit_QuantTecido"));
            // Three 150 cm pieces one after the other: 4.5 m of the 1.5 m fabric.
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label_Mtl"))->text(), QStringLiteral("4,5 Mtl"));
            QCOMPARE(form.input(QStringLiteral("Edit_QuantTecido"))->text(), QStringLiteral("2,25"));
            QCOMPARE(form.input(QStringLiteral("Edit_CustoTecido"))->text(), QStringLiteral("9"));
            // F7 on the price, then "&Terminar".
            form.input(QStringLiteral("Edit_PrecoTecido"))->setFocus();
            QTest::keyClick(form.input(QStringLiteral("Edit_PrecoTecido")), Qt::Key_F7);
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), form.input(QStringLiteral("Edit_Tecido")));
            form.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            QVERIFY(!form.isVisible());
            QVERIFY(form.logic().written());
        }
        QVERIFY(!ctx.StepCancelled);
        QList<QVariantList> lines = stepLines(f, QStringLiteral("ECHVI01.PRE"), QStringLiteral("L"));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0][1].toDouble(), 2.25);
        QCOMPARE(lines[0][2].toDouble(), 9.0);

        ctx.ArticleCode = QStringLiteral("CHCLA01.PRE");
        ctx.StepCode = QStringLiteral("R");
        closer.texts.clear();
        {
            TCORVF035_SUBCONT form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QCOMPARE(form.windowTitle(), QStringLiteral("Ramalhar ( Subcontrato)"));
            typeInto(form, QStringLiteral("Edit_Servico"), QStringLiteral("SRV.REMALHAR"),
                     QStringLiteral("Edit_ServPreco"));
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label_Servico"))->text(),
                     QStringLiteral("Remalhar (Subcontrato)"));
            typeInto(form, QStringLiteral("Edit_ServPreco"), QStringLiteral("2.5"),
                     QStringLiteral("Edit_TMat1"));
            typeInto(form, QStringLiteral("Edit_TMat1"), QStringLiteral("101"),
                     QStringLiteral("Edit_MpNro1"));
            typeInto(form, QStringLiteral("Edit_MpNro1"), QStringLiteral("TEC.VIS.CRU"),
                     QStringLiteral("Edit_QtdMp1"));
            QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Edit_Und1"))->text(), QStringLiteral("Mt"));
            typeInto(form, QStringLiteral("Edit_QtdMp1"), QStringLiteral("0.5"),
                     QStringLiteral("Edit_PrecoMp1"));
            QCOMPARE(form.input(QStringLiteral("Edit_CustoMp1"))->text(), QStringLiteral("2"));
            form.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            QVERIFY(!form.isVisible());
        }
        QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join(QLatin1Char('|'))));
        lines = stepLines(f, QStringLiteral("CHCLA01.PRE"), QStringLiteral("R"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0][0].toString().trimmed(), QStringLiteral("SRV.REMALHAR"));
        QCOMPARE(lines[0][2].toDouble(), 2.5);
        QCOMPARE(lines[0][3].toString().trimmed(), QStringLiteral("S"));
        QCOMPARE(lines[1][2].toDouble(), 2.0);
    }
};

QTEST_MAIN(TestSubcontractStepForms)
#include "test_subcontract_step_forms.moc"
