#include "machine_step_forms.h"

#include "screens/ui/field_widgets.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace corvane::techsheet {

namespace {

QString number(double v) {
    return stepNumber(v);
}

screens::GridModel* machineRows(StepScreenBase& logic, QObject* parent) {
    return new screens::GridModel(machineColumns(static_cast<MachineStepScreen&>(logic)), parent);
}

} // namespace

// ---- TCORVF035_MAQUINAS --------------------------------------------------------

TCORVF035_MAQUINAS::TCORVF035_MAQUINAS(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                       const QString& user, const screens::ScreenSetting& setting,
                                       QWidget* parent)
    : OneMaterialForm(
          QStringLiteral("TCORVF035_MAQUINAS"),
          [&](ScreenView& view) { return std::make_unique<MachineStep>(ctx, data, factura, user, view); },
          machineRows, true, setting, parent) {
    minutes()->hide();
    gridTitle()->setText(QStringLiteral("Máquinas : "));
    gridTitle()->show();
    resize(1200, 520);
}

void TCORVF035_MAQUINAS::refresh() {
    OneMaterialForm::refresh();
    // A material found on "C" or "R" and "Deseja Gravar ?" answered yes.
    if (logic().written() && isVisible() && !closing())
        QTimer::singleShot(0, this, [this] {
            if (!closing())
                accept();
        });
}

// ---- TCORVF035_CORTEULTSOM -----------------------------------------------------

TCORVF035_CORTEULTSOM::TCORVF035_CORTEULTSOM(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                             db::Database& factura, const QString& user,
                                             const screens::ScreenSetting& setting, QWidget* parent)
    : StepForm(
          QStringLiteral("TCORVF035_CORTEULTSOM"),
          [&](ScreenView& view) { return std::make_unique<UltrasoundStep>(ctx, data, factura, user, view); },
          machineRows, setting, parent) {
    minutes()->hide();
    materialsTitle()->hide();
    gridTitle()->setText(QStringLiteral("Máquinas : "));
    gridTitle()->show();
    resize(1200, 480);
}

// ---- TCORVF035_MAQIMPR ---------------------------------------------------------

TCORVF035_MAQIMPR::TCORVF035_MAQIMPR(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                     const QString& user, const screens::ScreenSetting& setting,
                                     QWidget* parent)
    : StepForm(
          QStringLiteral("TCORVF035_MAQIMPR"),
          [&](ScreenView& view) { return std::make_unique<PrintingStep>(ctx, data, factura, user, view); },
          machineRows, setting, parent) {
    minutes()->setObjectName(QStringLiteral("LabelArea"));
    minutes()->setText(QStringLiteral("Àrea : %1   m²").arg(stepNumber(logic().area())));
    gridTitle()->setText(QStringLiteral("Máquinas : "));
    gridTitle()->show();
    materialsTitle()->setText(QStringLiteral("Tintas : "));
    auto* rows = new QGridLayout;
    int column = 0;
    for (const char* title : {"Código", "%/Total", "Designação", "Qtd.", "Preço", "Custo"})
        rows->addWidget(new QLabel(QString::fromUtf8(title), this), 0, column++);
    PrintingStep& l = logic();
    for (int n = 1; n <= kInkRows; ++n) {
        InkWidgets& w = inks_[static_cast<std::size_t>(n - 1)];
        const QList<StepInput> ink = l.inkInputs(n); // code, percent, quantity, price, cost
        for (const StepInput& in : ink)
            w.inputs << addInput(in);
        w.label = new QLabel(this);
        w.label->setObjectName(ink[0].rule.lookup.labelName); // the ink's designation
        w.label->setMinimumWidth(260);
        column = 0;
        for (QWidget* widget : std::initializer_list<QWidget*>{w.inputs[0], w.inputs[1], w.label, w.inputs[2],
                                                               w.inputs[3], w.inputs[4]})
            rows->addWidget(widget, n, column++);
        QLineEdit* code = w.inputs[0]; // its context menu is the lookup's
        auto* remove = new QAction(QStringLiteral("Remover Artigo"), code);
        connect(remove, &QAction::triggered, this, [this, n] {
            logic().removeInk(n);
            refresh();
        });
        code->addAction(remove);
    }
    materialsArea()->addLayout(rows);
    resize(1200, 600);
}

void TCORVF035_MAQIMPR::refresh() {
    StepForm::refresh();
    const PrintingStep& l = logic();
    for (int n = 1; n <= kInkRows; ++n) {
        const InkRow& ink = l.ink(n);
        const bool has = !ink.code.isEmpty();
        const InkWidgets& w = inks_[static_cast<std::size_t>(n - 1)];
        const QList<std::pair<QLineEdit*, QString>> typed{
            {w.inputs[0], ink.code},
            {w.inputs[1], has ? number(ink.percent) : QString()},
            {w.inputs[3], has ? number(ink.price) : QString()}};
        for (const auto& [e, text] : typed) {
            e->setEnabled(l.inksEnabled());
            if (e != focusWidget())
                e->setText(text);
        }
        w.inputs[2]->setText(has ? number(ink.quantity) : QString());
        w.inputs[4]->setText(has ? number(ink.cost) : QString());
        w.label->setText(l.inkLabel(n));
    }
    grid()->setEnabled(l.following());
}

int TCORVF035_MAQIMPR::codeRow(QObject* watched) const {
    for (int n = 1; n <= kInkRows; ++n)
        if (watched == inks_[static_cast<std::size_t>(n - 1)].inputs.value(0))
            return n;
    return 0;
}

void TCORVF035_MAQIMPR::gridKey(int key) {
    if (key == Qt::Key_F1)
        logic().insertInks();
}

void TCORVF035_MAQIMPR::materialKey(QLineEdit* edit, int key) {
    if (key == Qt::Key_F7) {
        logic().cancelInks();
    } else if (codeRow(edit) > 0) {
        logic().backToGrid();
        refresh(); // the grid usable again before it takes the focus
        grid()->setFocus();
    }
}

void TCORVF035_MAQIMPR::rowChanged(int row) {
    logic().currentRowChanged(row);
    refresh();
}

bool TCORVF035_MAQIMPR::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (const int n = codeRow(watched)) {
            logic().codeEntered(n);
            grid()->setEnabled(false);
        } else if (watched == grid()) {
            logic().gridEntered();
            refresh();
        }
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (const int n = codeRow(watched)) {
            logic().removeInk(n);
            static_cast<QLineEdit*>(watched)->clear(); // the field's text goes with the ink
            refresh();
            return true;
        }
    }
    return StepForm::eventFilter(watched, event);
}

// ---- openers ---------------------------------------------------------------------

bool openMachineStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_MAQUINAS form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

bool openPrintingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_MAQIMPR form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

bool openUltrasoundStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data,
                        db::Database& factura, const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_CORTEULTSOM form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

} // namespace corvane::techsheet
