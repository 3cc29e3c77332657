// Every window of the technical sheet against what its logic declares: the
// sheet's inputs and step buttons, and each step window's inputs (in the
// window, as wide as their columns, with a caption and a tab position, their
// lookups over datasets that have the columns they list).
#include "reference/screen_fixture.h"
#include "screens/ui/field_widgets.h"
#include "shell/version_steps.h"
#include "shell/version_tables.h"
#include "support/declared_inputs.h"
#include "support/modal_closer.h"
#include "techsheet/screens/sheet_fields.h"
#include "techsheet/steps/ui/knitting_step_form.h"
#include "techsheet/steps/ui/machine_step_forms.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/subcontract_step_forms.h"
#include "techsheet/steps/ui/weaving_step_form.h"
#include "techsheet/ui/sheet_form.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

QList<db::Table> stepTables() {
    QList<db::Table> tables;
    for (const db::Table& t : {shell::fictecDetTable(), shell::fictecMasTable(), shell::fictecFiosTable(),
                               shell::fictecSubcontTable(), shell::workftArtigosTable()})
        tables << shell::atCurrentVersion(t);
    return tables;
}

// The faults of a shown step window against its step's declaration.
template <typename Form> QStringList stepFaults(Form& form) {
    QList<screens::FieldRule> rules;
    for (const StepInput& in : form.logic().inputs())
        rules << in.rule;
    const QList<db::Dataset*> datasets = form.logic().lookupDatasets();
    return declaredInputFaults(form, rules, stepTables(), screens::datasetsNamed(datasets));
}

} // namespace

class TestEveryWindow : public QObject {
    Q_OBJECT
private slots:
    // The sheet: every input of the four pages, and every step button on the
    // page of its kind with its caption.
    void sheet() {
        ScreenFixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        ModalCloser closer;
        TechSheetContext c;
        c.ArticleCode = QStringLiteral("CHCLA01.PRE");
        c.ArticleLength = 180;
        c.ArticleWidth = 30;
        screens::ScreenSetting setting;
        setting.rights = allRights();
        TCORVF035FICTEC form(c, f.db(), f.corvane().TIPOTRABALHO, {}, setting);
        form.show();
        QTest::qWait(50);
        QList<screens::FieldRule> rules;
        for (const SheetInput& in : sheetInputs())
            rules << in.rule;
        QStringList faults =
            declaredInputFaults(form, rules, {shell::atCurrentVersion(shell::fictecMasTable())},
                                screens::datasetsNamed({&f.corvane().TIPOTRABALHO}));
        QTabWidget* pages = form.pages();
        for (const StepButton& b : stepButtons()) {
            QAbstractButton* button = form.button(b.name);
            if (!button) {
                faults << b.name + QStringLiteral(": not in the window");
                continue;
            }
            if (button->text().isEmpty())
                faults << b.name + QStringLiteral(": no caption");
            QWidget* page = pages->widget(int(sheetKinds().indexOf(b.kind)));
            if (!page || !page->isAncestorOf(button))
                faults << b.name + QStringLiteral(": not on the page of ") + b.kind;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
    }

    // Each step window, opened as the sheet opens it.
    void steps() {
        ScreenFixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        ModalCloser closer;
        db::Database& factura = f.modules().database->DbFacturacao;
        const QString user = QStringLiteral("DEMO");
        screens::ScreenSetting setting;
        setting.rights = allRights();
        TechSheetContext ctx;
        ctx.ArticleCode = QStringLiteral("CHCLA01.PRE");
        ctx.ArticleLength = 180;
        ctx.ArticleWidth = 30;
        ctx.PieceWeight = 180;
        ctx.MachineCostType = 10;
        const auto check = [&](auto& form, const char* name) {
            form.show();
            QTest::qWait(20);
            QStringList faults = stepFaults(form);
            // Opened with the focus where the user types first.
            QWidget* focus = form.focusWidget();
            const auto* edit = qobject_cast<QLineEdit*>(focus);
            if (!focus || !focus->isEnabled() || (edit && edit->isReadOnly()) ||
                (!edit && !qobject_cast<QAbstractItemView*>(focus)))
                faults << QStringLiteral("the focus on ") +
                              (focus ? QString::fromLatin1(focus->metaObject()->className())
                                     : QStringLiteral("nothing"));
            form.close();
            QVERIFY2(faults.isEmpty(), qPrintable(QString::fromLatin1(name) + QStringLiteral(": ") +
                                                  faults.join(QStringLiteral(", "))));
        };
        ctx.StepCode = QStringLiteral("A");
        ctx.MachineGroupType = 3;
        {
            TCORVF035FIOS_CT form(ctx, f.corvane(), factura, user, setting);
            check(form, "knitting");
        }
        ctx.MachineGroupType = 4;
        ctx.ContractionPercent = 10;
        {
            TCORVF035FIOS_CA form(ctx, f.corvane(), factura, user, setting);
            check(form, "weaving");
        }
        ctx.StepCode = QStringLiteral("C");
        ctx.MachineGroupType = 2;
        {
            TCORVF035_MAQUINAS form(ctx, f.corvane(), factura, user, setting);
            check(form, "machine");
        }
        ctx.MachineGroupType = 1;
        {
            TCORVF035_CORTEULTSOM form(ctx, f.corvane(), factura, user, setting);
            check(form, "ultrasound");
        }
        ctx.StepCode = QStringLiteral("T");
        ctx.MachineGroupType = 8;
        ctx.PrintSurfacePercent = 85;
        {
            TCORVF035_MAQIMPR form(ctx, f.corvane(), factura, user, setting);
            check(form, "printing");
        }
        ctx.StepCode = QStringLiteral("H");
        ctx.OperationMinutes = 30;
        {
            TCORVF035_OPERACOES form(ctx, f.corvane(), factura, user, setting);
            check(form, "operations");
        }
        ctx.StepCode = QStringLiteral("B");
        {
            TCORVF035_EMBALAGEM form(ctx, f.corvane(), factura, user, setting);
            check(form, "packaging");
        }
        ctx.StepCode = QStringLiteral("R");
        {
            TCORVF035_SUBCONT form(ctx, f.corvane(), factura, user, setting);
            check(form, "subcontract");
        }
        ctx.StepCode = QStringLiteral("L");
        ctx.ClothCostType = 8;
        {
            TCORVF035_TECIDO form(ctx, f.corvane(), factura, user, setting);
            check(form, "fabric");
        }
    }
};

QTEST_MAIN(TestEveryWindow)
#include "test_every_window.moc"
