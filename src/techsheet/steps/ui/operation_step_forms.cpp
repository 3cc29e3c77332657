#include "operation_step_forms.h"

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

screens::GridModel* operationRows(StepScreenBase& logic, QObject* parent) {
    return new screens::GridModel(workColumns(static_cast<OperationStepScreen&>(logic)), parent);
}

} // namespace

// ---- both windows --------------------------------------------------------------

StepForm::StepForm(const QString& name, const LogicFactory& makeLogic, const ModelFactory& makeModel,
                   const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(name, QString(), setting, parent), base_(makeLogic(view())) {
    setWindowTitle(base_->caption());
    const TechSheetContext& ctx = base_->context();
    auto* layout = new QVBoxLayout(this);
    QGridLayout* head = articleHeader(this, ctx, QStringLiteral("Artigo : "));
    minutes_ = new QLabel(QStringLiteral("Tempo  : %1 mm").arg(ctx.OperationMinutes), this);
    minutes_->setObjectName(QStringLiteral("Label_Tempo"));
    head->addWidget(minutes_, 1, 2);
    layout->addLayout(head);

    gridTitle_ = new QLabel(this);
    gridTitle_->hide();
    layout->addWidget(gridTitle_);
    model_ = makeModel(*base_, this);
    grid_ = makeStepGrid(
        this, model_, [this](const QString& column) { base_->sortBy(column); }, [this] { refresh(); });
    layout->addWidget(grid_, 1);
    resize(900, 480);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    rowChanged(current.row());
            });

    materialsTitle_ = new QLabel(QStringLiteral("Material : "), this);
    layout->addWidget(materialsTitle_);
    materials_ = new QVBoxLayout;
    layout->addLayout(materials_);

    addCloseAndCancel(
        layout, QStringLiteral("&Terminar"), QStringLiteral("BitTerminar"),
        [this] {
            leaveGridEditor(this, grid_); // an open editor's time is left first
            const bool closes = base_->finish();
            refresh();
            return closes;
        },
        [this] { base_->cancel(); });
    lookups_ = new screens::LookupWiring(this);
    addStatusBar(layout);
}

StepForm::~StepForm() = default;

QLineEdit* StepForm::input(const QString& name) const {
    return inputs_.value(name);
}

QLineEdit* StepForm::addInput(const StepInput& in) {
    QLineEdit* edit = screens::makeInput(in.rule, this);
    if (!in.left)
        return edit; // it only shows a value
    edit->installEventFilter(this);
    inputs_.insert(in.rule.input, edit);
    components::FormConventions* conventions = installConventions();
    conventions->setCheck(edit, [this, edit, left = in.left] {
        const bool ok = left(edit->text());
        refresh();
        return ok;
    });
    if (in.rule.lookup.isSet())
        lookups_->attach(edit, in.rule.lookup, screens::datasetsNamed(base_->lookupDatasets()),
                         [this, edit, left = in.left] {
                             left(edit->text());
                             refresh();
                         });
    return edit;
}

bool StepForm::activateScreen() {
    if (!base_->open())
        return false;
    showLookOnly(this, base_->context(), {model_});
    model_->reload();
    view().statusText(0, setting().signature);
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, model_->column(QStringLiteral("OK"))));
    refresh();
    grid_->setFocus();
    return true;
}

bool StepForm::closeRequested() {
    if (!abandonAsked())
        return false;
    base_->cancel(); // the close box leaves as "&Cancelar" does
    return true;
}

void StepForm::refresh() {
    model_->refresh();
}

void StepForm::showMaterial(const QList<std::pair<QLineEdit*, QString>>& texts, QLineEdit* unit,
                            const QString& unitText, bool enabled) {
    for (const auto& [input, text] : texts) {
        input->setEnabled(enabled);
        if (input != focusWidget())
            input->setText(text);
    }
    unit->setText(unitText);
}

void StepForm::gridKey(int) {}

void StepForm::materialKey(QLineEdit*, int) {}

bool StepForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1 || key == Qt::Key_F7) {
            if (watched == grid_) {
                gridKey(key);
                refresh();
                return true;
            }
            if (auto* edit = qobject_cast<QLineEdit*>(watched);
                edit && inputs_.contains(edit->objectName())) {
                materialKey(edit, key);
                refresh();
                return true;
            }
        }
    }
    if (watched == grid_ && event->type() == QEvent::FocusOut)
        base_->gridLeft();
    return ScreenDialog::eventFilter(watched, event);
}

// ---- one material ----------------------------------------------------------------

OneMaterialPanel::OneMaterialPanel(StepForm& form, OneMaterialFields& logic) : form_(form), logic_(logic) {
    auto* row = new QGridLayout;
    int column = 0;
    for (const StepInput& in : logic.materialInputs()) {
        QLineEdit* edit = form.addInput(in);
        inputs_.insert(in.rule.column, edit);
        row->addWidget(new QLabel(in.rule.label, &form), 0, column);
        row->addWidget(edit, 1, column++);
        if (!in.rule.lookup.labelName.isEmpty()) { // the designation of the code
            label_ = new QLabel(&form);
            label_->setObjectName(in.rule.lookup.labelName);
            row->addWidget(label_, 1, column++);
        }
    }
    form.materialsArea()->addLayout(row);
}

void OneMaterialPanel::refresh() {
    const MaterialEntry& m = logic_.material();
    const QList<std::pair<QLineEdit*, QString>> texts{
        {inputs_.value("TIPOMAT"),
         logic_.materialType() ? QString::number(logic_.materialType()) : QString()},
        {inputs_.value("CODIGOMP"), m.code},
        {inputs_.value("QUANT"), m.code.isEmpty() && m.quantity == 0 ? QString() : number(m.quantity)},
        {inputs_.value("PRECO"), m.code.isEmpty() ? QString() : number(m.price)},
        {inputs_.value("VALOR"), m.code.isEmpty() ? QString() : number(m.cost)}};
    form_.showMaterial(texts, inputs_.value("UNIDADE"), logic_.unitShown(), logic_.materialEnabled());
    if (!logic_.quantityEditable())
        inputs_.value("QUANT")->setEnabled(false);
    label_->setText(logic_.materialLabel());
}

void OneMaterialPanel::key(QLineEdit* edit, int key, bool f1SuspendsAll) {
    if (key == Qt::Key_F7) {
        logic_.cancelMaterial();
        edit->setText(QString()); // the field's text goes with the material
    } else {
        logic_.backToGrid(f1SuspendsAll || edit == inputs_.value("TIPOMAT"));
    }
    form_.refresh();
}

void OneMaterialPanel::focusIn(QObject* watched) {
    if (watched == inputs_.value("TIPOMAT"))
        logic_.typeEntered();
}

OneMaterialForm::OneMaterialForm(const QString& name, const LogicFactory& makeLogic,
                                 const ModelFactory& makeModel, bool f1SuspendsAll,
                                 const screens::ScreenSetting& setting, QWidget* parent)
    : StepForm(name, makeLogic, makeModel, setting, parent),
      material_(*this, dynamic_cast<OneMaterialFields&>(base())), f1SuspendsAll_(f1SuspendsAll) {}

void OneMaterialForm::refresh() {
    StepForm::refresh();
    material_.refresh();
}

void OneMaterialForm::gridKey(int key) {
    if (key == Qt::Key_F1 && dynamic_cast<OneMaterialFields&>(base()).insertMaterial())
        refresh();
}

void OneMaterialForm::materialKey(QLineEdit* edit, int key) {
    material_.key(edit, key, f1SuspendsAll_);
}

bool OneMaterialForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        material_.focusIn(watched);
    return StepForm::eventFilter(watched, event);
}

// ---- TCORVF035_OPERACOES -------------------------------------------------------

TCORVF035_OPERACOES::TCORVF035_OPERACOES(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                         db::Database& factura, const QString& user,
                                         const screens::ScreenSetting& setting, QWidget* parent)
    : OneMaterialForm(
          QStringLiteral("TCORVF035_OPERACOES"),
          [&](ScreenView& view) { return std::make_unique<OperationStep>(ctx, data, factura, user, view); },
          operationRows, false, setting, parent) {
    minutes()->setVisible(logic().showsMinutes());
}

// ---- TCORVF035_EMBALAGEM -------------------------------------------------------

TCORVF035_EMBALAGEM::TCORVF035_EMBALAGEM(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                         db::Database& factura, const QString& user,
                                         const screens::ScreenSetting& setting, QWidget* parent)
    : StepForm(
          QStringLiteral("TCORVF035_EMBALAGEM"),
          [&](ScreenView& view) { return std::make_unique<PackagingStep>(ctx, data, factura, user, view); },
          operationRows, setting, parent) {
    minutes()->hide();
    auto* rows = new QGridLayout;
    int column = 0;
    for (const char* title : {"Código", "Designação", "Qtd.", "Und.", "Preço €", "Custo"})
        rows->addWidget(new QLabel(QString::fromUtf8(title), this), 0, column++);
    PackagingStep& l = logic();
    for (int n = 1; n <= PackagingStep::kMaterials; ++n) {
        MaterialWidgets& w = rows_[static_cast<std::size_t>(n - 1)];
        column = 0;
        for (const StepInput& in : l.materialInputs(n)) { // code, quantity, unit, price, cost
            w.inputs << addInput(in);
            rows->addWidget(w.inputs.last(), n, column++);
            if (!in.rule.lookup.labelName.isEmpty()) { // the designation of the code
                w.label = new QLabel(this);
                w.label->setObjectName(in.rule.lookup.labelName);
                rows->addWidget(w.label, n, column++);
            }
        }
    }
    materialsArea()->addLayout(rows);
}

void TCORVF035_EMBALAGEM::refresh() {
    StepForm::refresh();
    const PackagingStep& l = logic();
    for (int n = 1; n <= PackagingStep::kMaterials; ++n) {
        const MaterialEntry& m = l.material(n);
        const bool has = !m.code.isEmpty();
        const MaterialWidgets& w = rows_[static_cast<std::size_t>(n - 1)];
        showMaterial({{w.inputs[0], m.code},
                      {w.inputs[1], has ? number(m.quantity) : QString()},
                      {w.inputs[3], has ? number(m.price) : QString()},
                      {w.inputs[4], has ? number(m.cost) : QString()}},
                     w.inputs[2], m.unit, l.materialEnabled());
        w.label->setText(l.materialLabel(n));
    }
}

void TCORVF035_EMBALAGEM::gridKey(int key) {
    if (key == Qt::Key_F1)
        logic().insertMaterial();
}

void TCORVF035_EMBALAGEM::materialKey(QLineEdit* edit, int key) {
    if (key == Qt::Key_F7) {
        logic().cancelMaterials();
        edit->setText(QString());
        refresh();
    } else if (codeRow(edit) > 0) {
        view().focusField(QStringLiteral("DBGrid1"));
    }
}

void TCORVF035_EMBALAGEM::rowChanged(int row) {
    logic().currentRowChanged(row);
    refresh();
}

bool TCORVF035_EMBALAGEM::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (const int n = codeRow(watched))
            logic().codeEntered(n);
    return StepForm::eventFilter(watched, event);
}

int TCORVF035_EMBALAGEM::codeRow(const QObject* watched) const {
    for (int n = 1; n <= PackagingStep::kMaterials; ++n)
        if (watched == rows_[static_cast<std::size_t>(n - 1)].inputs.value(0))
            return n;
    return 0;
}

// ---- openers ---------------------------------------------------------------------

bool openOperationStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                       const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_OPERACOES form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

bool openPackagingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                       const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_EMBALAGEM form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

} // namespace corvane::techsheet
