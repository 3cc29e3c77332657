#include "knitting_step_form.h"

#include "yarn_fields.h"

#include "components/form_conventions.h"
#include "screens/ui/field_widgets.h"
#include "shell/data_modules.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::techsheet {

namespace {

QString number(double v) {
    return stepNumber(v);
}

} // namespace

// ---- the window ----------------------------------------------------------------

TCORVF035FIOS_CT::TCORVF035FIOS_CT(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                   const QString& user, const screens::ScreenSetting& setting,
                                   QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF035FIOS_CT"), QString(), setting, parent),
      logic_(std::make_unique<KnittingStep>(ctx, data, factura, user, view())) {
    setWindowTitle(logic_->caption());
    auto* layout = new QVBoxLayout(this);
    QGridLayout* head = articleHeader(this, ctx, QStringLiteral("Artigo : "));
    auto* weight = new QLabel(QStringLiteral("Peso (Kgs) : ") + number(ctx.PieceWeight), this);
    weight->setObjectName(QStringLiteral("Label_Peso"));
    head->addWidget(weight, 1, 2);
    layout->addLayout(head);

    components::FormConventions* conventions = installConventions();
    lookups_ = new screens::LookupWiring(this);
    auto* yarns = new QGridLayout;
    const QStringList titles{QString(),
                             QStringLiteral("% Consumo"),
                             QStringLiteral("Referência do Fio"),
                             QString(),
                             QStringLiteral("Nm"),
                             QStringLiteral("Graduação"),
                             QStringLiteral("Consumo"),
                             QStringLiteral("Unid.")};
    for (int c = 0; c < titles.size(); ++c)
        yarns->addWidget(new QLabel(titles[c], this), 0, c);
    yarns->addWidget(new QLabel(QStringLiteral("Guia de Fios"), this), 0, titles.size());
    auto edit = [this](const StepInput& in) {
        QLineEdit* e = screens::makeInput(in.rule, this);
        e->installEventFilter(this);
        return e;
    };
    auto label = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    for (int n = 1; n <= KnittingStep::kRows; ++n) {
        RowWidgets& w = rows_[static_cast<std::size_t>(n - 1)];
        const StepInput percent = logic_->percentInput(n);
        const StepInput yarn = logic_->yarnInput(n);
        const StepInput gradation = logic_->gradationInput(n);
        w.percent = edit(percent);
        w.yarn = edit(yarn);
        w.gradation = edit(gradation);
        w.designation = label(QStringLiteral("Label_TR%1Artigo").arg(n));
        w.count = label(QStringLiteral("Label_TR%1Nm").arg(n));
        w.consumption = label(QStringLiteral("Label_TR%1Consumo").arg(n));
        w.unit = label(QStringLiteral("Label_TR%1Unid").arg(n));
        int c = 0;
        yarns->addWidget(new QLabel(QStringLiteral("( %1 )").arg(n), this), n, c++);
        for (QWidget* x : std::initializer_list<QWidget*>{w.percent, w.yarn, w.designation, w.count,
                                                          w.gradation, w.consumption, w.unit})
            yarns->addWidget(x, n, c++);
        for (const auto& [input, widget] : {std::pair{percent, w.percent}, std::pair{yarn, w.yarn}})
            conventions->setCheck(widget, [this, left = input.left, widget = widget] {
                const bool ok = left(widget->text());
                refresh();
                return ok;
            });
        conventions->setCheck(w.gradation, [left = gradation.left, widget = w.gradation] {
            return left(widget->text()); // nothing else changes
        });
        lookups_->attach(w.yarn, yarn.rule.lookup, screens::datasetsNamed(logic_->lookupDatasets()),
                         [this, left = yarn.left, widget = w.yarn] {
                             left(widget->text());
                             refresh();
                         });
    }
    layout->addLayout(yarns);
    auto* totals = new QHBoxLayout;
    totals->addStretch();
    totals->addWidget(new QLabel(QStringLiteral("Total Consumo : "), this));
    total_ = label(QStringLiteral("Label_TotalConsumo"));
    totals->addWidget(total_);
    totals->addWidget(new QLabel(QStringLiteral("Kgs"), this));
    layout->addLayout(totals);

    KnittingStep* logic = logic_.get();
    model_ = new screens::GridModel(
        machineColumns(
            logic->machines(), MachineGrid::Knitting,
            [logic](int row, bool ticked) { logic->okLeft(row, ticked); },
            [logic](int row, const QString& typed) { return logic->timeLeft(row, typed); }),
        this);
    grid_ = makeStepGrid(this, model_, [this](const QString& column) { logic_->sortBy(column); });
    layout->addWidget(grid_, 1);

    QAbstractButton* save = addCloseAndCancel(
        layout, QStringLiteral("&Gravar"), QStringLiteral("BitTerminar"),
        [this] {
            leaveGridEditor(this, grid_); // an open editor's time is left first
            const bool closes = logic_->finish();
            refresh();
            return closes;
        },
        [this] { logic_->cancel(); });
    save->setToolTip(QStringLiteral("Gravar e Sair"));
    addStatusBar(layout);
    resize(980, 640);
}

TCORVF035FIOS_CT::~TCORVF035FIOS_CT() = default;

bool TCORVF035FIOS_CT::activateScreen() {
    if (!logic_->open())
        return false;
    showLookOnly(this, logic_->context(), {model_});
    model_->reload();
    view().statusText(1, setting().signature);
    refresh();
    rows_[0].percent->setFocus();
    return true;
}

bool TCORVF035FIOS_CT::closeRequested() {
    if (!abandonAsked())
        return false;
    logic_->cancel(); // the close box leaves as "&Cancelar" does
    return true;
}

void TCORVF035FIOS_CT::refresh() {
    for (int n = 1; n <= KnittingStep::kRows; ++n) {
        RowWidgets& w = rows_[static_cast<std::size_t>(n - 1)];
        const KnitRow& r = logic_->row(n);
        const KnittingStep::RowView& v = logic_->rowView(n);
        if (w.percent != focusWidget())
            w.percent->setText(r.percent > 0 ? number(r.percent) : QString());
        if (w.yarn != focusWidget())
            w.yarn->setText(r.yarn);
        if (w.gradation != focusWidget())
            w.gradation->setText(r.gradation);
        w.yarn->setEnabled(v.enabled);
        w.designation->setText(v.designation);
        w.count->setText(v.count > 0 ? number(v.count) : QString());
        w.consumption->setText(v.kg > 0 ? kgText(v.kg) : QString());
        w.unit->setText(v.unit);
    }
    total_->setText(kgText(logic_->totalKg()));
    model_->refresh();
}

bool TCORVF035FIOS_CT::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1) {
            rows_[0].gradation->setFocus(); // "Fios"
            return true;
        }
        if (key == Qt::Key_Delete && !qobject_cast<QLineEdit*>(watched)) {
            logic_->deleteLayout(); // "Eliminar"; in a text field Delete edits the text
            refresh();
            return true;
        }
        if (key == Qt::Key_F12) {
            logic_->compute(); // "Gravar"
            refresh();
            return true;
        }
    }
    if (watched == grid_ && event->type() == QEvent::FocusOut)
        logic_->gridLeft();
    return ScreenDialog::eventFilter(watched, event);
}

bool openKnittingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035FIOS_CT form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

} // namespace corvane::techsheet
