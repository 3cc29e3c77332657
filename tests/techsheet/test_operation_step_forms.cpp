#include "core/screen_view.h"
#include "reference/screen_fixture.h"
#include "support/modal_closer.h"
#include "techsheet/steps/ui/operation_step_forms.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("CHCLA01.PRE");

int stepLineCount(ScreenFixture& f, const QString& step) {
    return selectRows(f.db(),
                      QStringLiteral("SELECT DETAIL FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = :S"),
                      {{QStringLiteral("A"), kArticle}, {QStringLiteral("S"), step}})
        .size();
}

// The grid's column named `key` ("OK", "QTD", "CUSTO").
int columnOf(const QAbstractItemModel* model, const QString& key) {
    return qobject_cast<const screens::GridModel*>(model)->column(key);
}

// Ticks a row's OK box with the keyboard.
void tick(QTableView* grid, int row) {
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, columnOf(grid->model(), QStringLiteral("OK"))));
    QTest::keyClick(grid, Qt::Key_Space);
}

} // namespace

class TestOperationStepForms : public QObject {
    Q_OBJECT
private slots:
    void forms_data() { addBackendRows(); }
    // Each window opens over the user's rows; a ticked row is written by "&Terminar".
    void forms() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'CHCLA01.PRE'"));
        f.site.exec(f.db(), QStringLiteral("UPDATE OPERACOES SET PRECO = 0.2 WHERE TC = 20"));
        ModalCloser closer;
        screens::ScreenSetting setting;
        setting.signature = QStringLiteral("Corvane de teste");
        db::Database& factura = f.modules().database->DbFacturacao;

        // Design, through the opener the sheet screen calls.
        TechSheetContext ctx;
        ctx.ArticleCode = kArticle;
        ctx.StepCode = QStringLiteral("H");
        ctx.OperationMinutes = 30;
        QString title;
        QString cost;
        QTimer::singleShot(200, [&] {
            auto* form = qobject_cast<TCORVF035_OPERACOES*>(QApplication::activeModalWidget());
            if (!form)
                return;
            title = form->windowTitle();
            tick(form->grid(), 0);
            cost = form->grid()
                       ->model()
                       ->index(0, columnOf(form->grid()->model(), QStringLiteral("CUSTO")))
                       .data()
                       .toString();
            form->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        });
        QVERIFY(openOperationStep(nullptr, ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting));
        QCOMPARE(title, QStringLiteral("Seleccione a Operação (Desenho)"));
        QCOMPARE(cost, QStringLiteral("6"));
        QVERIFY(!ctx.StepCancelled);
        QCOMPARE(stepLineCount(f, QStringLiteral("H")), 1);
        QVERIFY(closer.texts.isEmpty());

        // Packaging: the time typed in the grid, the proposed materials written too.
        ctx.StepCode = QStringLiteral("B");
        TCORVF035_EMBALAGEM form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
        form.show();
        QVERIFY(form.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral("Seleccione a Operação (Embalagem)"));
        QCOMPARE(form.input(QStringLiteral("Edit_MpNro1"))->text(), QStringLiteral("EMB.SACO3040"));
        QVERIFY(!form.input(QStringLiteral("Edit_MpNro1"))->isEnabled());
        tick(form.grid(), 0);
        QVERIFY(form.grid()->model()->setData(
            form.grid()->model()->index(0, columnOf(form.grid()->model(), QStringLiteral("QTD"))),
            QStringLiteral("2"), Qt::EditRole));
        QCOMPARE(form.grid()
                     ->model()
                     ->index(0, columnOf(form.grid()->model(), QStringLiteral("CUSTO")))
                     .data()
                     .toString(),
                 QStringLiteral("0,24"));
        form.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        QVERIFY(!form.isVisible());
        QVERIFY(form.logic().written());
        QCOMPARE(stepLineCount(f, QStringLiteral("B")), 3);
        QVERIFY2(closer.texts.isEmpty(), qPrintable(closer.texts.join(QLatin1Char('|'))));

        // "&Cancelar" writes nothing.
        ctx.StepCode = QStringLiteral("H");
        TCORVF035_OPERACOES cancelled(ctx, f.corvane(), factura, QStringLiteral("DEMO"), setting);
        cancelled.show();
        tick(cancelled.grid(), 1);
        cancelled.findChild<QPushButton*>(QStringLiteral("BotCancelar"))->click();
        QVERIFY(!cancelled.isVisible());
        QVERIFY(ctx.StepCancelled);
        QCOMPARE(stepLineCount(f, QStringLiteral("H")), 1);
    }

    void escapeAndLookingOnly_data() { addBackendRows(); }
    // Esc over ticked rows asks before dropping them; a sheet another user
    // holds opens with nothing to tick or type, and Esc leaves at once.
    void escapeAndLookingOnly() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'CHCLA01.PRE'"));
        db::Database& factura = f.modules().database->DbFacturacao;
        TechSheetContext ctx;
        ctx.ArticleCode = kArticle;
        ctx.StepCode = QStringLiteral("H");
        ctx.OperationMinutes = 30;
        {
            TCORVF035_OPERACOES form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), {});
            form.show();
            QTest::keyClick(&form, Qt::Key_Escape); // nothing typed: no question
            QVERIFY(!form.isVisible());
        }
        TCORVF035_OPERACOES form(ctx, f.corvane(), factura, QStringLiteral("DEMO"), {});
        form.show();
        tick(form.grid(), 0);
        QStringList asked;
        answerNext(QMessageBox::No, &asked);
        QTest::keyClick(form.grid(), Qt::Key_Escape);
        QTRY_COMPARE(asked, QStringList{kAbandonQuestion});
        QVERIFY(form.isVisible());
        answerNext(QMessageBox::Yes, &asked);
        QTest::keyClick(form.grid(), Qt::Key_Escape);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(asked.size(), 2);
        QCOMPARE(stepLineCount(f, QStringLiteral("H")), 0);

        ctx.LookOnlyReason = QStringLiteral("Ficha em uso por ANA desde 10:42");
        ctx.StepCode = QStringLiteral("B");
        TCORVF035_EMBALAGEM looked(ctx, f.corvane(), factura, QStringLiteral("DEMO"), {});
        looked.show();
        QAbstractItemModel* model = looked.grid()->model();
        QVERIFY(!(model->flags(model->index(0, columnOf(model, QStringLiteral("OK")))) &
                  Qt::ItemIsUserCheckable));
        QVERIFY(!model->setData(model->index(0, columnOf(model, QStringLiteral("QTD"))), QStringLiteral("2"),
                                Qt::EditRole));
        QVERIFY(looked.input(QStringLiteral("Edit_MpNro1"))->isReadOnly());
        QTest::keyClick(looked.grid(), Qt::Key_Escape);
        QTRY_VERIFY(!looked.isVisible());
        QCOMPARE(stepLineCount(f, QStringLiteral("B")), 0);
    }
};

QTEST_MAIN(TestOperationStepForms)
#include "test_operation_step_forms.moc"
