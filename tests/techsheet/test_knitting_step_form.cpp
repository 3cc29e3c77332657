#include "reference/screen_fixture.h"
#include "support/modal_closer.h"
#include "techsheet/steps/ui/knitting_step_form.h"
#include "techsheet/store/sheet_store.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

class TestKnittingStepForm : public QObject {
    Q_OBJECT
private slots:
    void form_data() { addBackendRows(); }
    // The window through its opener: a share and a yarn typed, a machine
    // ticked with its minutes, "&Gravar" writes and closes.
    void form() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'GORRO.FORM'"));
        // The sheet screen writes the header before a step's first lines.
        SheetStore(f.db()).ensureHeader(QStringLiteral("GORRO.FORM"), kKnittedHat);
        f.site.exec(f.db(), QStringLiteral("UPDATE MAQUINAS SET PRECO = 12.5 WHERE CODIGO = 'TRI01'"));
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
        ModalCloser closer;
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("Corvane de teste");
        TechSheetContext ctx;
        ctx.ArticleCode = QStringLiteral("GORRO.FORM");
        ctx.StepCode = QStringLiteral("A");
        ctx.MachineGroupType = 3;
        ctx.PieceWeight = 180;
        ctx.YarnCostType = f.cell(QStringLiteral("SELECT FIOS_TC FROM PARGER WHERE CODIGO = 1")).toInt();
        ctx.MachineCostType =
            f.cell(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1")).toInt();

        QString title, header, consumption, cost;
        QTimer::singleShot(200, [&] {
            auto* form = qobject_cast<TCORVF035FIOS_CT*>(QApplication::activeModalWidget());
            if (!form)
                return;
            title = form->windowTitle();
            auto* percent = form->findChild<QLineEdit*>(QStringLiteral("Edit_TrPerc1"));
            auto* code = form->findChild<QLineEdit*>(QStringLiteral("Edit_TR1Artigo"));
            percent->setFocus();
            QTest::keyClicks(percent, QStringLiteral("60"));
            QTest::keyClick(percent, Qt::Key_Tab);
            QTest::keyClicks(code, yarn);
            QTest::keyClick(code, Qt::Key_Tab);
            QTest::keyClick(form->focusWidget(), Qt::Key_F12);
            consumption = form->findChild<QLabel*>(QStringLiteral("Label_TR1Consumo"))->text();
            auto* m = qobject_cast<screens::GridModel*>(form->grid()->model());
            header =
                m->headerData(m->column(QStringLiteral("QTD")), Qt::Horizontal, Qt::DisplayRole).toString();
            int row = 0;
            while (row < m->rowCount() && m->index(row, 0).data().toString() != QLatin1String("TRI01"))
                ++row;
            form->grid()->setFocus();
            form->grid()->setCurrentIndex(m->index(row, m->column(QStringLiteral("OK"))));
            QTest::keyClick(form->grid(), Qt::Key_Space);
            m->setData(m->index(row, m->column(QStringLiteral("QTD"))), QStringLiteral("90"), Qt::EditRole);
            cost = m->index(row, m->column(QStringLiteral("CUSTO"))).data().toString();
            form->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        });
        QVERIFY(openKnittingStep(nullptr, ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting));
        QCOMPARE(title, QStringLiteral("Tecelagem ( Tricotados )"));
        QCOMPARE(header, QStringLiteral("Tempo (Min)"));
        QCOMPARE(consumption, QStringLiteral("0,1080000"));
        QCOMPARE(cost, QStringLiteral("18,75"));
        QVERIFY(!ctx.StepCancelled);
        QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join(QLatin1Char('|'))));
        const QList<QVariantList> lines = selectRows(
            f.db(), QStringLiteral("SELECT CODIGOMP, QUANT, TMP_SEMACERTO FROM FICTECDET WHERE ARTIGO = "
                                   "'GORRO.FORM' AND RELACFICTEC = 'A' ORDER BY DETAIL"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0][0].toString().trimmed(), QStringLiteral("TRI01"));
        QCOMPARE(lines[0][2].toDouble(), 90.0);
        QCOMPARE(lines[1][0].toString().trimmed(), yarn);
        QCOMPARE(lines[1][1].toDouble(), 0.108);
        QCOMPARE(
            f.cell(QStringLiteral("SELECT TR1_PERC FROM FICTECFIOS WHERE ARTIGO = 'GORRO.FORM'")).toDouble(),
            60.0);
    }
};

QTEST_MAIN(TestKnittingStepForm)
#include "test_knitting_step_form.moc"
