#include "reference/screen_fixture.h"
#include "support/modal_closer.h"
#include "techsheet/steps/ui/weaving_step_form.h"
#include "techsheet/store/sheet_store.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

int rowOf(QAbstractItemModel* m, const QString& code) {
    for (int row = 0; row < m->rowCount(); ++row)
        if (m->index(row, 0).data().toString() == code)
            return row;
    return -1;
}

void type(QWidget* form, const QString& field, const QString& text) {
    auto* edit = form->findChild<QLineEdit*>(field);
    QVERIFY2(edit, qPrintable(field));
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

} // namespace

class TestWeavingStepForm : public QObject {
    Q_OBJECT
private slots:
    void form_data() { addBackendRows(); }
    // The window through its opener: F2 and F3 bring the weft and warp
    // pages, a refused close keeps the window and the lines, F12 computes,
    // "&Gravar" writes and closes.
    void form() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'CACHECOL.FORM'"));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECFIOS WHERE ARTIGO = 'CACHECOL.FORM'"));
        // The sheet screen writes the header before a step's first lines.
        SheetStore(f.db()).ensureHeader(QStringLiteral("CACHECOL.FORM"), kWovenScarf);
        f.site.exec(f.db(), QStringLiteral("UPDATE MAQUINAS SET LARGURA = 1800, RAPORT = 600, PRDHOR1 = 400, "
                                           "TEMPO_ACERTO1 = 15 WHERE CODIGO = 'TEAR01'"));
        db::Database& factura = f.modules().database->DbFacturacao;
        const QString yarn =
            selectRows(factura,
                       QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE TIPOARTIGO = '6' AND NEFIO > 0 "
                                      "AND CUSTOPADRAO > 0 ORDER BY CODIGO"))
                .value(0)
                .value(0)
                .toString()
                .trimmed();
        QVERIFY(!yarn.isEmpty());
        f.site.exec(factura, QStringLiteral("UPDATE ARTIGOSCLS SET NEFIO = 30 WHERE CODIGO = :C"),
                    {{QStringLiteral("C"), yarn}});
        ModalCloser closer;
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("Corvane de teste");
        TechSheetContext ctx;
        ctx.ArticleCode = QStringLiteral("CACHECOL.FORM");
        ctx.SheetKind = kWovenScarf;
        ctx.MachineGroupType = 4;
        ctx.ArticleWidth = 30;
        ctx.ArticleLength = 160;
        ctx.ContractionPercent = 10;
        ctx.YarnCostType = f.cell(QStringLiteral("SELECT FIOS_TC FROM PARGER WHERE CODIGO = 1")).toInt();
        ctx.MachineCostType =
            f.cell(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1")).toInt();

        QString title, weftPage, warpPage, kg, grams, total, strips, focusAfterRefusal;
        QStringList refused;
        bool stayedOpen = false;
        QTimer::singleShot(200, [&] {
            auto* form = qobject_cast<TCORVF035FIOS_CA*>(QApplication::activeModalWidget());
            if (!form)
                return;
            title = form->windowTitle();
            QTest::keyClick(form->focusWidget(), Qt::Key_F2);
            weftPage = form->pages()->tabText(form->pages()->currentIndex());
            QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("Edit_Passagens1"));
            type(form, QStringLiteral("Edit_Passagens1"), QStringLiteral("120"));
            type(form, QStringLiteral("Edit_TR1Artigo"), yarn);
            QTest::keyClick(form->focusWidget(), Qt::Key_F3);
            warpPage = form->pages()->tabText(form->pages()->currentIndex());
            type(form, QStringLiteral("Edit_TE1NrFios"), QStringLiteral("200"));
            type(form, QStringLiteral("Edit_TE1Artigo"), yarn);

            // No loom ticked: refused, the window stays on the looms.
            form->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            QTest::qWait(100);
            refused = closer.texts;
            stayedOpen = form->isVisible();
            focusAfterRefusal = form->pages()->tabText(form->pages()->currentIndex());

            auto* m = qobject_cast<screens::GridModel*>(form->grid()->model());
            const int row = rowOf(m, QStringLiteral("TEAR01"));
            form->grid()->setFocus();
            form->grid()->setCurrentIndex(m->index(row, m->column(QStringLiteral("OK"))));
            QTest::keyClick(form->grid(), Qt::Key_Space);
            QTest::keyClick(form->grid(), Qt::Key_F12);
            kg = form->findChild<QLabel*>(QStringLiteral("Label_TR1Kgs"))->text();
            grams = form->findChild<QLabel*>(QStringLiteral("Label_TR1Grs"))->text();
            total = form->findChild<QLabel*>(QStringLiteral("Label_TotalTeKgs"))->text();
            strips = m->index(row, m->column(QStringLiteral("FITAS"))).data().toString();
            form->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        });
        QVERIFY(openWeavingStep(nullptr, ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting));
        QCOMPARE(title, QStringLiteral("Tecelagem ( Alta Def./100%Acr. )"));
        QCOMPARE(weftPage, QStringLiteral("<F2> - Trama"));
        QCOMPARE(warpPage, QStringLiteral("<F3> - Teia"));
        QCOMPARE(refused, QStringList{QStringLiteral("Nº de Teares seleccionado inválido !!!")});
        QVERIFY(stayedOpen);
        QCOMPARE(focusAfterRefusal, QStringLiteral("<F1> - Teares"));
        QCOMPARE(kg, QStringLiteral("0,0013200"));
        QCOMPARE(grams, QStringLiteral("1,3200"));
        QCOMPARE(total, QStringLiteral("0,0019556"));
        QCOMPARE(strips, QStringLiteral("6"));
        QCOMPARE(ctx.LoomStrips, QStringLiteral("6"));
        QVERIFY(!ctx.StepCancelled);
        const QList<QVariantList> lines = selectRows(
            f.db(), QStringLiteral("SELECT RELACFICTEC, CODIGOMP, QUANT FROM FICTECDET WHERE ARTIGO = "
                                   "'CACHECOL.FORM' ORDER BY DETAIL"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0][1].toString().trimmed(), QStringLiteral("TEAR01"));
        QCOMPARE(lines[0][2].toDouble(), 15.05); // 15 of set-up, 120 passages / 400 / 6 strips
        QCOMPARE(lines[1][2].toDouble(), 0.00132);
        QCOMPARE(lines[2][2].toDouble(), 0.00195556);
    }
};

QTEST_MAIN(TestWeavingStepForm)
#include "test_weaving_step_form.moc"
