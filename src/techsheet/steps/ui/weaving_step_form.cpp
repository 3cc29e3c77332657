#include "weaving_step_form.h"
#include "core/number_input.h"

#include "yarn_fields.h"

#include "components/form_conventions.h"
#include "screens/ui/field_widgets.h"
#include "shell/data_modules.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace corvane::techsheet {

namespace {

QString number(double v) {
    return stepNumber(v);
}

QString gramsText(double kg) {
    return fixedNumberText(kg * 1000, 4);
}

} // namespace

// ---- the window ----------------------------------------------------------------

TCORVF035FIOS_CA::TCORVF035FIOS_CA(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                   const QString& user, const screens::ScreenSetting& setting,
                                   QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF035FIOS_CA"), QString(), setting, parent),
      logic_(std::make_unique<WeavingStep>(ctx, data, factura, user, view())) {
    setWindowTitle(logic_->caption());
    auto* layout = new QVBoxLayout(this);
    QGridLayout* head = articleHeader(this, ctx, QStringLiteral("Cód.Artigo : "));
    head->setColumnStretch(3, 1);
    layout->addLayout(head);

    installConventions();
    lookups_ = new screens::LookupWiring(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("TB"));
    model_ = new screens::GridModel(loomColumns(*logic_), this);
    grid_ = makeStepGrid(this, model_, [this](const QString& column) { logic_->sortBy(column); });
    pages_->addTab(grid_, QStringLiteral("<F1> - Teares"));
    pages_->addTab(positionsPage(Side::Weft), QStringLiteral("<F2> - Trama"));
    pages_->addTab(positionsPage(Side::Warp), QStringLiteral("<F3> - Teia"));
    layout->addWidget(pages_, 1);

    QAbstractButton* save = addCloseAndCancel(
        layout, QStringLiteral("&Gravar"), QStringLiteral("BitTerminar"),
        [this] {
            leaveGridEditor(this, grid_); // an open editor's mode is left first
            const bool closes = logic_->finish();
            refresh();
            if (!closes)
                showPage(logic_->page());
            return closes;
        },
        [this] { logic_->cancel(); });
    save->setToolTip(QStringLiteral("Gravar e Sair"));
    addStatusBar(layout);
    resize(1120, 560);
}

TCORVF035FIOS_CA::~TCORVF035FIOS_CA() = default;

QWidget* TCORVF035FIOS_CA::positionsPage(Side side) {
    const bool weft = side == Side::Weft;
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    const QStringList titles{QString(),
                             weft ? QStringLiteral("Pass.Trama") : QStringLiteral("Nº de Fios"),
                             QStringLiteral("Referência do Fio"),
                             QString(),
                             QStringLiteral("Nm"),
                             QStringLiteral("Consumo Kgs"),
                             QStringLiteral("Consumo Grs")};
    for (int c = 0; c < titles.size(); ++c)
        grid->addWidget(new QLabel(titles[c], page), 0, c);
    components::FormConventions* conventions = this->conventions();
    auto label = [page](const QString& name) {
        auto* l = new QLabel(page);
        l->setObjectName(name);
        return l;
    };
    for (int n = 1; n <= WeavingStep::kPositions; ++n) {
        PositionWidgets& w = widgets(side, n);
        const StepInput count = logic_->countInput(side, n);
        const StepInput yarn = logic_->yarnInput(side, n);
        w.count = screens::makeInput(count.rule, page);
        w.count->installEventFilter(this);
        w.yarn = screens::makeInput(yarn.rule, page);
        w.yarn->setEnabled(false);
        const QString prefix = weft ? QStringLiteral("TR%1").arg(n) : QStringLiteral("TE%1").arg(n);
        w.designation = label(QStringLiteral("Label_%1Artigo").arg(prefix));
        w.nm = label(QStringLiteral("Label_%1Nm").arg(prefix));
        w.kg = label(QStringLiteral("Label_%1Kgs").arg(prefix));
        w.grams = label(QStringLiteral("Label_%1Grs").arg(prefix));
        w.count->setMaximumWidth(90);
        w.yarn->setMaximumWidth(170);
        w.designation->setMinimumWidth(300);
        for (QLabel* number : {w.nm, w.kg, w.grams}) {
            number->setMinimumWidth(90);
            number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        int c = 0;
        grid->addWidget(
            new QLabel(weft ? QStringLiteral("Agulha Nº %1").arg(n) : QStringLiteral("Côr Nº %1").arg(n),
                       page),
            n, c++);
        for (QWidget* x :
             std::initializer_list<QWidget*>{w.count, w.yarn, w.designation, w.nm, w.kg, w.grams})
            grid->addWidget(x, n, c++);
        for (const auto& [input, widget] : {std::pair{count, w.count}, std::pair{yarn, w.yarn}})
            conventions->setCheck(widget, [this, left = input.left, widget = widget] {
                const bool ok = left(widget->text());
                refresh();
                return ok;
            });
        lookups_->attach(w.yarn, yarn.rule.lookup, screens::datasetsNamed(logic_->lookupDatasets()),
                         [this, left = yarn.left, widget = w.yarn] {
                             left(widget->text());
                             refresh();
                         });
    }
    const int totals = WeavingStep::kPositions + 1;
    grid->addWidget(new QLabel(QStringLiteral("Total Consumo : "), page), totals, 3, Qt::AlignRight);
    const std::size_t s = weft ? 0 : 1;
    totalKg_[s] = label(weft ? QStringLiteral("Label_TotalTrKgs") : QStringLiteral("Label_TotalTeKgs"));
    totalGrams_[s] = label(weft ? QStringLiteral("Label_TotalTrGrs") : QStringLiteral("Label_TotalTeGrs"));
    grid->addWidget(totalKg_[s], totals, 5);
    grid->addWidget(totalGrams_[s], totals, 6);
    for (QLabel* number : {totalKg_[s], totalGrams_[s]})
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setColumnStretch(7, 1);
    grid->setRowStretch(totals + 1, 1);
    return page;
}

TCORVF035FIOS_CA::PositionWidgets& TCORVF035FIOS_CA::widgets(Side side, int n) {
    return (side == Side::Weft ? weft_ : warp_)[static_cast<std::size_t>(n - 1)];
}

bool TCORVF035FIOS_CA::activateScreen() {
    if (!logic_->open())
        return false;
    showLookOnly(this, logic_->context(), {model_});
    model_->reload();
    view().statusText(1, setting().signature);
    refresh();
    grid_->setFocus();
    return true;
}

bool TCORVF035FIOS_CA::closeRequested() {
    if (!abandonAsked())
        return false;
    logic_->cancel(); // the close box leaves as "&Cancelar" does
    return true;
}

void TCORVF035FIOS_CA::showPage(WeavingStep::Page page) {
    pages_->setCurrentIndex(static_cast<int>(page));
}

void TCORVF035FIOS_CA::refresh() {
    for (Side side : {Side::Weft, Side::Warp}) {
        for (int n = 1; n <= WeavingStep::kPositions; ++n) {
            PositionWidgets& w = widgets(side, n);
            const YarnPosition& p = logic_->position(side, n);
            const WeavingStep::PositionView& v = logic_->positionView(side, n);
            if (w.count != focusWidget())
                w.count->setText(p.count > 0 ? QString::number(p.count) : QString());
            if (w.yarn != focusWidget())
                w.yarn->setText(p.yarn);
            w.yarn->setEnabled(v.enabled || w.yarn == focusWidget());
            w.designation->setText(v.designation);
            w.nm->setText(v.count > 0 ? number(v.count) : QString());
            w.kg->setText(v.kg > 0 ? kgText(v.kg) : QString());
            w.grams->setText(v.kg > 0 ? gramsText(v.kg) : QString());
        }
        const std::size_t s = side == Side::Weft ? 0 : 1;
        const double total = logic_->totalKg(side);
        totalKg_[s]->setText(kgText(total));
        totalGrams_[s]->setText(gramsText(total));
    }
    model_->refresh();
}

bool TCORVF035FIOS_CA::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (Side side : {Side::Weft, Side::Warp})
            for (int n = 1; n <= WeavingStep::kPositions; ++n)
                if (watched == widgets(side, n).count) {
                    logic_->countEntered(side, n); // the needle's code may be given now
                    widgets(side, n).yarn->setEnabled(true);
                }
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1 || key == Qt::Key_F2 || key == Qt::Key_F3) {
            if (!conventions()->checkFocused())
                return true;
            if (key == Qt::Key_F1) {
                showPage(WeavingStep::Page::Looms);
                grid_->setFocus();
            } else {
                const Side side = key == Qt::Key_F2 ? Side::Weft : Side::Warp;
                showPage(side == Side::Weft ? WeavingStep::Page::Weft : WeavingStep::Page::Warp);
                widgets(side, 1).count->setFocus();
            }
            return true;
        }
        if (key == Qt::Key_F12) {
            if (conventions()->checkFocused()) {
                leaveGridEditor(this, grid_);
                if (!logic_->compute())
                    showPage(logic_->page());
                refresh();
            }
            return true;
        }
        if (key == Qt::Key_Delete && !qobject_cast<QLineEdit*>(watched)) {
            logic_->deleteLayout(); // "Eliminar"; in a text field Delete edits the text
            refresh();
            return true;
        }
    }
    if (watched == grid_ && event->type() == QEvent::FocusOut)
        logic_->gridLeft();
    return ScreenDialog::eventFilter(watched, event);
}

bool openWeavingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035FIOS_CA form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

} // namespace corvane::techsheet
