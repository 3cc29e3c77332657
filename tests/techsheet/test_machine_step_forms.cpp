#include "reference/screen_fixture.h"
#include "support/modal_closer.h"
#include "techsheet/steps/ui/machine_step_forms.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("CHCLA01.PRE");

QList<QVariantList> stepLines(ScreenFixture& f, const QString& step) {
    return selectRows(
        f.db(),
        QStringLiteral("SELECT CODIGOMP, QUANT, VALOR, TMP_SEMACERTO FROM FICTECDET WHERE ARTIGO = :A "
                       "AND RELACFICTEC = :S ORDER BY DETAIL"),
        {{QStringLiteral("A"), kArticle}, {QStringLiteral("S"), step}});
}

int rowOf(QTableView* grid, const QString& code) {
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (grid->model()->index(r, 0).data().toString() == code)
            return r;
    return -1;
}

// Ticks a row's OK box with the keyboard.
void tick(QTableView* grid, int row, int okColumn) {
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, okColumn));
    QTest::keyClick(grid, Qt::Key_Space);
}

} // namespace

class TestMachineStepForms : public QObject {
    Q_OBJECT
private slots:
    void forms_data() { addBackendRows(); }
    // Steaming through the opener: the minutes typed in the grid, the line
    // written by "&Terminar"; ultrasound with its mode column; "&Cancelar"
    // writes nothing.
    void forms() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'CHCLA01.PRE'"));
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO = 10"));
        f.site.exec(f.db(), QStringLiteral("INSERT INTO MAQUINAS (CODIGO, DESIGNACAO, GRUPO, UNDPRD, PRECO) "
                                           "VALUES ('VAP90', 'Vaporizador Teste', 6, 'UPM', 12.5)"));
        f.site.exec(f.db(),
                    QStringLiteral("INSERT INTO MAQUINAS (CODIGO, DESIGNACAO, GRUPO, UNDPRD, PRDHOR1, "
                                   "TEMPO_ACERTO1, PRECO, NROPASSAGENS) VALUES ('US90', 'Ultra-Sons "
                                   "Teste', 1, 'UPM', 20, 5, 0.35, 1)"));
        ModalCloser closer;
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("Corvane de teste");
        db::Database& factura = f.modules().database->DbFacturacao;

        TechSheetContext ctx;
        ctx.ArticleCode = kArticle;
        ctx.ArticleLength = 180;
        ctx.ArticleWidth = 30;
        ctx.StepCode = QStringLiteral("V");
        ctx.MachineGroupType = 6;
        ctx.MachineCostType = 10;
        QString title, cost, header;
        bool materialEnabled = true;
        QTimer::singleShot(200, [&] {
            auto* form = qobject_cast<TCORVF035_MAQUINAS*>(QApplication::activeModalWidget());
            if (!form)
                return;
            title = form->windowTitle();
            QTableView* grid = form->grid();
            auto* model = qobject_cast<screens::GridModel*>(grid->model());
            const int row = rowOf(grid, QStringLiteral("VAP90"));
            header = model->headerData(model->column(QStringLiteral("QTD")), Qt::Horizontal, Qt::DisplayRole)
                         .toString();
            tick(grid, row, model->column(QStringLiteral("OK")));
            QTest::keyClick(grid, Qt::Key_F1); // nothing on steaming
            materialEnabled = form->input(QStringLiteral("Edit_MpNro1"))->isEnabled();
            model->setData(model->index(row, model->column(QStringLiteral("QTD"))), QStringLiteral("90"),
                           Qt::EditRole);
            cost = model->index(row, model->column(QStringLiteral("CUSTO"))).data().toString();
            form->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        });
        QVERIFY(openMachineStep(nullptr, ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting));
        QCOMPARE(title, QStringLiteral("Vaporizar"));
        QCOMPARE(header, QStringLiteral("Tempo (Min)"));
        QVERIFY(!materialEnabled);
        QCOMPARE(cost, QStringLiteral("18,75"));
        QVERIFY(!ctx.StepCancelled);
        QList<QVariantList> lines = stepLines(f, QStringLiteral("V"));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0][0].toString().trimmed(), QStringLiteral("VAP90"));
        QCOMPARE(lines[0][2].toDouble(), 18.75);
        QCOMPARE(lines[0][3].toDouble(), 90.0);
        QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join(QLatin1Char('|'))));

        // Ultrasound: the mode typed in "T.P.?".
        TCORVF035_CORTEULTSOM cutter(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
        cutter.show();
        QVERIFY(cutter.isVisible());
        QCOMPARE(cutter.windowTitle(), QStringLiteral("Seleccione a Máquina de Corte Ultra Som"));
        auto* model = qobject_cast<screens::GridModel*>(cutter.grid()->model());
        QCOMPARE(model->headerData(model->column(QStringLiteral("TIPOPRD")), Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("T.P.?"));
        const int row = rowOf(cutter.grid(), QStringLiteral("US90"));
        tick(cutter.grid(), row, model->column(QStringLiteral("OK")));
        QVERIFY(model->setData(model->index(row, model->column(QStringLiteral("TIPOPRD"))),
                               QStringLiteral("1"), Qt::EditRole));
        QCOMPARE(model->index(row, model->column(QStringLiteral("QTD"))).data().toString(),
                 QStringLiteral("55"));
        cutter.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        QVERIFY(!cutter.isVisible());
        QVERIFY(cutter.logic().written());
        lines = stepLines(f, QStringLiteral("J"));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0][1].toDouble(), 55.0);
        QCOMPARE(lines[0][3].toDouble(), 50.0);

        // "&Cancelar" writes nothing.
        TCORVF035_MAQUINAS cancelled(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
        cancelled.show();
        auto* steam = qobject_cast<screens::GridModel*>(cancelled.grid()->model());
        tick(cancelled.grid(), rowOf(cancelled.grid(), QStringLiteral("VAP90")),
             steam->column(QStringLiteral("OK")));
        cancelled.findChild<QPushButton*>(QStringLiteral("BotCancelar"))->click();
        QVERIFY(!cancelled.isVisible());
        QVERIFY(ctx.StepCancelled);
        QCOMPARE(stepLines(f, QStringLiteral("V")).size(), 1);
    }
};

QTEST_MAIN(TestMachineStepForms)
#include "test_machine_step_forms.moc"
