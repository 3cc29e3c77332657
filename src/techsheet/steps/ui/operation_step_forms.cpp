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

const QString kGrid = QStringLiteral("DBGrid1");

QString number(double v) {
    return QString::number(v, 'g', 15);
}

// The code lookups of a material input: by code (Insert) and by designation (Ctrl+Insert).
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

} // namespace

// ---- the grid ------------------------------------------------------------------

WorkRowsModel::WorkRowsModel(OperationStepScreen& logic, QObject* parent)
    : StepGridModel({QStringLiteral("Código"), QStringLiteral("Designação"), QStringLiteral("Und."),
                     QStringLiteral("C.Padrão"), QStringLiteral("OK"), QStringLiteral("Tempo (mm)"),
                     QStringLiteral("Preço"), QStringLiteral("Custo")},
                    Ok, Tempo, parent),
      logic_(logic) {}

int WorkRowsModel::rows() const {
    return static_cast<int>(logic_.rows().size());
}

bool WorkRowsModel::ticked(int row) const {
    return logic_.rows()[row].ticked();
}

QVariant WorkRowsModel::cell(int row, int column) const {
    const WorkArticleRow& r = logic_.rows()[row];
    switch (column) {
    case Codigo:
        return r.CODIGO;
    case Designacao:
        return r.DESIGNACAO;
    case Unidade:
        return r.UNCOMPRA;
    case CustoPadrao:
        return number(r.CUSTOPADRAO);
    case Tempo:
        return number(r.QTD);
    case Preco:
        return number(r.PRECO);
    case Custo:
        return number(r.CUSTO);
    default:
        return {};
    }
}

// ---- both windows --------------------------------------------------------------

OperationStepForm::OperationStepForm(const QString& name, const LogicFactory& makeLogic,
                                     const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(name, QString(), setting, parent), base_(makeLogic(view())) {
    setWindowTitle(base_->caption());
    const TechSheetContext& ctx = base_->context();
    auto* layout = new QVBoxLayout(this);
    auto* head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("Artigo : "), this), 0, 0);
    auto* article = new QLabel(
        QStringLiteral("%1  %2 %3").arg(ctx.ArticleCode, ctx.ArticleDesignation, ctx.ArticleDesignation2),
        this);
    article->setObjectName(QStringLiteral("Label_Artigo"));
    head->addWidget(article, 0, 1, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("Comprim : ") + number(ctx.ArticleLength), this), 1, 0);
    head->addWidget(new QLabel(QStringLiteral("Largura : ") + number(ctx.ArticleWidth), this), 1, 1);
    minutes_ = new QLabel(QStringLiteral("Tempo  : %1 mm").arg(ctx.OperationMinutes), this);
    minutes_->setObjectName(QStringLiteral("Label_Tempo"));
    head->addWidget(minutes_, 1, 2);
    layout->addLayout(head);

    model_ = new WorkRowsModel(*base_, this);
    grid_ = new QTableView(this);
    grid_->setObjectName(kGrid);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->installEventFilter(this);
    grid_->verticalHeader()->hide();
    const int widths[] = {90, 300, 50, 80, 40, 90, 80, 80};
    for (int c = 0; c < model_->columnCount() && c < 8; ++c)
        grid_->setColumnWidth(c, widths[c]);
    layout->addWidget(grid_, 1);
    resize(900, 480);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section != WorkRowsModel::Codigo && section != WorkRowsModel::Designacao)
            return;
        base_->sortBy(section == WorkRowsModel::Codigo ? QStringLiteral("CODIGO")
                                                       : QStringLiteral("DESIGNACAO"));
        grid_->horizontalHeader()->setSortIndicatorShown(true);
        grid_->horizontalHeader()->setSortIndicator(section, Qt::AscendingOrder);
        model_->reload();
        refresh();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    rowChanged(current.row());
            });

    layout->addWidget(new QLabel(QStringLiteral("Material : "), this));
    materials_ = new QVBoxLayout;
    layout->addLayout(materials_);

    auto* buttons = new QHBoxLayout;
    auto* finish = new QPushButton(QStringLiteral("&Terminar"), this);
    finish->setObjectName(QStringLiteral("BitTerminar"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("BotCancelar"));
    for (QPushButton* b : {finish, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connectClosing(finish, [this] {
        if (QWidget* f = focusWidget(); f && grid_->isAncestorOf(f))
            grid_->setFocus(); // an open editor's time is left first
        const bool closes = base_->finish();
        refresh();
        return closes;
    });
    connectDiscarding(cancel, [this] { base_->cancel(); });
    lookups_ = new screens::LookupWiring(this);
    addStatusBar(layout);
}

OperationStepForm::~OperationStepForm() = default;

QLineEdit* OperationStepForm::input(const QString& name) const {
    return inputs_.value(name);
}

QLineEdit* OperationStepForm::addInput(const QString& name,
                                       const std::function<bool(const QString&)>& check) {
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

bool OperationStepForm::activateScreen() {
    if (!base_->open())
        return false;
    model_->reload();
    view().statusText(0, setting().signature);
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, WorkRowsModel::Ok));
    refresh();
    grid_->setFocus();
    return true;
}

bool OperationStepForm::closeRequested() {
    base_->cancel(); // the close box leaves as "&Cancelar" does
    return true;
}

void OperationStepForm::refresh() {
    model_->dataChanged(model_->index(0, 0),
                        model_->index(model_->rowCount() - 1, WorkRowsModel::Columns - 1));
}

void OperationStepForm::showMaterial(const QHash<QString, QString>& texts, const QString& unitField,
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

void OperationStepForm::gridKey(int) {}

void OperationStepForm::materialKey(QLineEdit*, int) {}

bool OperationStepForm::eventFilter(QObject* watched, QEvent* event) {
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

// ---- TCORVF035_OPERACOES -------------------------------------------------------

TCORVF035_OPERACOES::TCORVF035_OPERACOES(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                         db::Database& factura, const QString& user,
                                         const screens::ScreenSetting& setting, QWidget* parent)
    : OperationStepForm(
          QStringLiteral("TCORVF035_OPERACOES"),
          [&](ScreenView& view) { return std::make_unique<OperationStep>(ctx, data, factura, user, view); },
          setting, parent) {
    minutes()->setVisible(logic().showsMinutes());
    auto* row = new QGridLayout;
    int column = 0;
    auto add = [&](const QString& caption, QWidget* w) {
        row->addWidget(new QLabel(caption, this), 0, column);
        row->addWidget(w, 1, column++);
    };
    OperationStep& l = logic();
    QLineEdit* type =
        addInput(QStringLiteral("Edit_TipoMat"), [&l](const QString& t) { return l.typeLeft(t); });
    QLineEdit* code =
        addInput(QStringLiteral("Edit_MpNro1"), [&l](const QString& t) { return l.codeLeft(t); });
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label_MpNro1"));
    QLineEdit* qty =
        addInput(QStringLiteral("Edit_QtdMp1"), [&l](const QString& t) { return l.quantityLeft(t); });
    auto* unit = new QLineEdit(this);
    unit->setObjectName(QStringLiteral("Edit_Und1"));
    unit->setReadOnly(true);
    unit->setFocusPolicy(Qt::NoFocus);
    QLineEdit* price =
        addInput(QStringLiteral("Edit_PrecoMp1"), [&l](const QString& t) { return l.priceLeft(t); });
    QLineEdit* cost =
        addInput(QStringLiteral("Edit_CustoMp"), [&l](const QString& t) { return l.costLeft(t); });
    add(QStringLiteral("Tipo Mat."), type);
    add(QStringLiteral("Código"), code);
    row->addWidget(label_, 1, column++);
    add(QStringLiteral("Qtd."), qty);
    add(QStringLiteral("Und."), unit);
    add(QStringLiteral("Preço €"), price);
    add(QStringLiteral("Custo"), cost);
    materialsArea()->addLayout(row);

    screens::LookupSpec types;
    types.dataset = QStringLiteral("TIPOMATERIAL");
    types.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    types.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    types.labelColumn = QStringLiteral("DESIGNACAO");
    lookups()->attach(
        type, types, [this](const QString&) { return &logic().materialTypes(); },
        [this, type] {
            logic().typeLeft(type->text());
            refresh();
        });
    lookups()->attach(
        code, articleLookup(),
        [this](const QString& name) {
            return name == QLatin1String("ARTIGOSALFA") ? &logic().articlesByName()
                                                        : &logic().articlesByCode();
        },
        [this, code] {
            logic().codeLeft(code->text());
            refresh();
        });
}

void TCORVF035_OPERACOES::refresh() {
    OperationStepForm::refresh();
    const OperationStep& l = logic();
    const MaterialEntry& m = l.material();
    const QHash<QString, QString> texts{
        {QStringLiteral("Edit_TipoMat"), l.materialType() ? QString::number(l.materialType()) : QString()},
        {QStringLiteral("Edit_MpNro1"), m.code},
        {QStringLiteral("Edit_QtdMp1"), m.code.isEmpty() ? QString() : number(m.quantity)},
        {QStringLiteral("Edit_PrecoMp1"), m.code.isEmpty() ? QString() : number(m.price)},
        {QStringLiteral("Edit_CustoMp"), m.code.isEmpty() ? QString() : number(m.cost)}};
    showMaterial(texts, QStringLiteral("Edit_Und1"), m.unit, l.materialEnabled());
    label_->setText(l.materialLabel());
}

void TCORVF035_OPERACOES::gridKey(int key) {
    if (key == Qt::Key_F1 && logic().insertMaterial())
        refresh();
}

void TCORVF035_OPERACOES::materialKey(QLineEdit* edit, int key) {
    if (key == Qt::Key_F7) {
        logic().cancelMaterial();
        edit->setText(QString()); // the field's text goes with the material
    } else {
        logic().backToGrid(edit->objectName() == QLatin1String("Edit_TipoMat"));
    }
    refresh();
}

bool TCORVF035_OPERACOES::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == input(QStringLiteral("Edit_TipoMat")))
        logic().typeEntered();
    return OperationStepForm::eventFilter(watched, event);
}

// ---- TCORVF035_EMBALAGEM -------------------------------------------------------

TCORVF035_EMBALAGEM::TCORVF035_EMBALAGEM(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                         db::Database& factura, const QString& user,
                                         const screens::ScreenSetting& setting, QWidget* parent)
    : OperationStepForm(
          QStringLiteral("TCORVF035_EMBALAGEM"),
          [&](ScreenView& view) { return std::make_unique<PackagingStep>(ctx, data, factura, user, view); },
          setting, parent) {
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
    OperationStepForm::refresh();
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
    return OperationStepForm::eventFilter(watched, event);
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
