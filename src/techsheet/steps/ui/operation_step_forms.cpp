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

screens::LookupSpec articleLookup() {
    screens::LookupSpec spec;
    spec.dataset = QStringLiteral("ARTIGOSNUM");
    spec.alphabeticalDataset = QStringLiteral("ARTIGOSALFA");
    spec.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    spec.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    spec.alphabeticalColumn = QStringLiteral("DESIGNACAO");
    spec.menuEntries = QStringList{QStringLiteral("Procurar &Codigo")};
    spec.alphabeticalMenuEntry = QStringLiteral("Procurar &Designação");
    return spec;
}

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

QLineEdit* StepForm::addInput(const QString& name, const std::function<bool(const QString&)>& check) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->installEventFilter(this);
    inputs_.insert(name, edit);
    components::FormConventions* conventions = installConventions();
    conventions->setCheck(edit, [this, edit, check] {
        const bool ok = check(edit->text());
        refresh();
        return ok;
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

void StepForm::showMaterial(const QHash<QString, QString>& texts, const QString& unitField,
                            const QString& unit, bool enabled) {
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        if (QLineEdit* e = input(it.key())) {
            e->setEnabled(enabled);
            if (e != focusWidget())
                e->setText(it.value());
        }
    if (auto* u = findChild<QLineEdit*>(unitField))
        u->setText(unit);
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
    auto add = [&](const QString& caption, QWidget* w) {
        row->addWidget(new QLabel(caption, &form), 0, column);
        row->addWidget(w, 1, column++);
    };
    OneMaterialFields& l = logic;
    QLineEdit* type =
        form.addInput(QStringLiteral("Edit_TipoMat"), [&l](const QString& t) { return l.typeLeft(t); });
    QLineEdit* code =
        form.addInput(QStringLiteral("Edit_MpNro1"), [&l](const QString& t) { return l.codeLeft(t); });
    label_ = new QLabel(&form);
    label_->setObjectName(QStringLiteral("Label_MpNro1"));
    QLineEdit* qty =
        form.addInput(QStringLiteral("Edit_QtdMp1"), [&l](const QString& t) { return l.quantityLeft(t); });
    auto* unit = new QLineEdit(&form);
    unit->setObjectName(QStringLiteral("Edit_Und1"));
    unit->setReadOnly(true);
    unit->setFocusPolicy(Qt::NoFocus);
    QLineEdit* price =
        form.addInput(QStringLiteral("Edit_PrecoMp1"), [&l](const QString& t) { return l.priceLeft(t); });
    QLineEdit* cost =
        form.addInput(QStringLiteral("Edit_CustoMp"), [&l](const QString& t) { return l.costLeft(t); });
    add(QStringLiteral("Tipo Mat."), type);
    add(QStringLiteral("Código"), code);
    row->addWidget(label_, 1, column++);
    add(QStringLiteral("Qtd."), qty);
    add(QStringLiteral("Und."), unit);
    add(QStringLiteral("Preço €"), price);
    add(QStringLiteral("Custo"), cost);
    form.materialsArea()->addLayout(row);

    screens::LookupSpec types;
    types.dataset = QStringLiteral("TIPOMATERIAL");
    types.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    types.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    types.labelColumn = QStringLiteral("DESIGNACAO");
    form.lookups()->attach(
        type, types, [&l](const QString&) { return &l.materialTypes(); },
        [this, type] {
            logic_.typeLeft(type->text());
            form_.refresh();
        });
    form.lookups()->attach(
        code, articleLookup(),
        [&l](const QString& name) { return &l.materialArticles(name == QLatin1String("ARTIGOSALFA")); },
        [this, code] {
            logic_.codeLeft(code->text());
            form_.refresh();
        });
}

void OneMaterialPanel::refresh() {
    const MaterialEntry& m = logic_.material();
    const QHash<QString, QString> texts{
        {QStringLiteral("Edit_TipoMat"),
         logic_.materialType() ? QString::number(logic_.materialType()) : QString()},
        {QStringLiteral("Edit_MpNro1"), m.code},
        {QStringLiteral("Edit_QtdMp1"), m.code.isEmpty() && m.quantity == 0 ? QString() : number(m.quantity)},
        {QStringLiteral("Edit_PrecoMp1"), m.code.isEmpty() ? QString() : number(m.price)},
        {QStringLiteral("Edit_CustoMp"), m.code.isEmpty() ? QString() : number(m.cost)}};
    form_.showMaterial(texts, QStringLiteral("Edit_Und1"), logic_.unitShown(), logic_.materialEnabled());
    if (!logic_.quantityEditable())
        form_.input(QStringLiteral("Edit_QtdMp1"))->setEnabled(false);
    label_->setText(logic_.materialLabel());
}

void OneMaterialPanel::key(QLineEdit* edit, int key, bool f1SuspendsAll) {
    if (key == Qt::Key_F7) {
        logic_.cancelMaterial();
        edit->setText(QString()); // the field's text goes with the material
    } else {
        logic_.backToGrid(f1SuspendsAll || edit->objectName() == QLatin1String("Edit_TipoMat"));
    }
    form_.refresh();
}

void OneMaterialPanel::focusIn(QObject* watched) {
    if (watched == form_.input(QStringLiteral("Edit_TipoMat")))
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
        QLineEdit* code = addInput(QStringLiteral("Edit_MpNro%1").arg(n),
                                   [&l, n](const QString& t) { return l.codeLeft(n, t); });
        labels_[n - 1] = new QLabel(this);
        labels_[n - 1]->setObjectName(QStringLiteral("Label_MpNro%1").arg(n));
        QLineEdit* qty = addInput(QStringLiteral("Edit_QtdMp%1").arg(n),
                                  [&l, n](const QString& t) { return l.quantityLeft(n, t); });
        auto* unit = new QLineEdit(this);
        unit->setObjectName(QStringLiteral("Edit_Und%1").arg(n));
        unit->setReadOnly(true);
        unit->setFocusPolicy(Qt::NoFocus);
        QLineEdit* price = addInput(QStringLiteral("Edit_PrecoMp%1").arg(n),
                                    [&l, n](const QString& t) { return l.priceLeft(n, t); });
        QLineEdit* cost = addInput(QStringLiteral("Edit_CustoMp%1").arg(n),
                                   [&l, n](const QString& t) { return l.costLeft(n, t); });
        column = 0;
        for (QWidget* w : std::initializer_list<QWidget*>{code, labels_[n - 1], qty, unit, price, cost})
            rows->addWidget(w, n, column++);
        lookups()->attach(
            code, articleLookup(),
            [this](const QString& name) {
                return name == QLatin1String("ARTIGOSALFA") ? &logic().articlesByName()
                                                            : &logic().articlesByCode();
            },
            [this, code, n] {
                logic().codeLeft(n, code->text());
                refresh();
            });
    }
    materialsArea()->addLayout(rows);
}

void TCORVF035_EMBALAGEM::refresh() {
    StepForm::refresh();
    const PackagingStep& l = logic();
    for (int n = 1; n <= PackagingStep::kMaterials; ++n) {
        const MaterialEntry& m = l.material(n);
        const bool has = !m.code.isEmpty();
        const QHash<QString, QString> texts{
            {QStringLiteral("Edit_MpNro%1").arg(n), m.code},
            {QStringLiteral("Edit_QtdMp%1").arg(n), has ? number(m.quantity) : QString()},
            {QStringLiteral("Edit_PrecoMp%1").arg(n), has ? number(m.price) : QString()},
            {QStringLiteral("Edit_CustoMp%1").arg(n), has ? number(m.cost) : QString()}};
        showMaterial(texts, QStringLiteral("Edit_Und%1").arg(n), m.unit, l.materialEnabled());
        labels_[n - 1]->setText(l.materialLabel(n));
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
    } else if (edit->objectName().startsWith(QLatin1String("Edit_MpNro"))) {
        view().focusField(QStringLiteral("DBGrid1"));
    }
}

void TCORVF035_EMBALAGEM::rowChanged(int row) {
    logic().currentRowChanged(row);
    refresh();
}

bool TCORVF035_EMBALAGEM::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int n = 1; n <= PackagingStep::kMaterials; ++n)
            if (watched == input(QStringLiteral("Edit_MpNro%1").arg(n)))
                logic().codeEntered(n);
    return StepForm::eventFilter(watched, event);
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
