#include "subcontract_step_forms.h"

#include "components/form_conventions.h"
#include "screens/ui/field_widgets.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/step_grid_model.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace corvane::techsheet {

namespace {

QString number(double v) {
    return stepNumber(v);
}

// A number shown only when there is something to show.
QString numberOr(bool has, double v) {
    return has ? number(v) : QString();
}

} // namespace

// ---- both windows --------------------------------------------------------------

StepFieldsForm::StepFieldsForm(const QString& name, const LogicFactory& makeLogic,
                               const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(name, QString(), setting, parent), base_(makeLogic(view())) {
    setWindowTitle(base_->caption());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(articleHeader(this, base_->context(), QStringLiteral("Artigo : ")));
    fields_ = new QGridLayout;
    layout->addLayout(fields_);
    layout->addStretch(1);
    addCloseAndCancel(
        layout, QStringLiteral("&Terminar"), QStringLiteral("BitTerminar"),
        [this] {
            const bool closes = base_->finish();
            refresh();
            return closes;
        },
        [this] { base_->cancel(); });
    lookups_ = new screens::LookupWiring(this);
    addStatusBar(layout);
}

StepFieldsForm::~StepFieldsForm() = default;

QLineEdit* StepFieldsForm::addInput(const QString& name, int row, int column,
                                    const std::function<bool(const QString&)>& check) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->installEventFilter(this);
    inputs_.insert(name, edit);
    fields_->addWidget(edit, row, column);
    installConventions()->setCheck(edit, [this, edit, check] {
        const QString typed = edit->text();
        const bool ok = check(typed);
        refresh();
        if (!ok)
            edit->setText(typed); // a refused value stays to be corrected
        return ok;
    });
    return edit;
}

QLabel* StepFieldsForm::addLabel(const QString& text, int row, int column, const QString& name) {
    auto* label = new QLabel(text, this);
    if (!name.isEmpty())
        label->setObjectName(name);
    fields_->addWidget(label, row, column);
    return label;
}

void StepFieldsForm::showText(const QString& name, const QString& text) {
    QLineEdit* e = input(name);
    if (e && e->text() != text)
        e->setText(text);
}

bool StepFieldsForm::activateScreen() {
    if (!base_->open())
        return false;
    showLookOnly(this, base_->context(), {});
    view().statusText(0, setting().signature);
    refresh();
    return true;
}

bool StepFieldsForm::closeRequested() {
    if (!abandonAsked())
        return false;
    base_->cancel(); // the close box leaves as "&Cancelar" does
    return true;
}

bool StepFieldsForm::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && inputs_.contains(edit->objectName())) {
        if (event->type() == QEvent::FocusIn)
            entered(edit);
        if (event->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(event)->key();
            if (k == Qt::Key_F1 || k == Qt::Key_F7) {
                key(edit, k);
                refresh();
                return true;
            }
        }
    }
    return ScreenDialog::eventFilter(watched, event);
}

// ---- TCORVF035_SUBCONT ---------------------------------------------------------

TCORVF035_SUBCONT::TCORVF035_SUBCONT(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                     const QString& user, const screens::ScreenSetting& setting,
                                     QWidget* parent)
    : StepFieldsForm(
          QStringLiteral("TCORVF035_SUBCONT"),
          [&](ScreenView& view) { return std::make_unique<SubcontractStep>(ctx, data, factura, user, view); },
          setting, parent) {
    SubcontractStep& l = logic();
    addLabel(QStringLiteral("Serviço : "), 0, 0);
    addLabel(QStringLiteral("Código"), 0, 1);
    addLabel(QStringLiteral("Designação"), 0, 3);
    addLabel(QStringLiteral("Preço €"), 0, 6);
    QLineEdit* service =
        addInput(QStringLiteral("Edit_Servico"), 1, 1, [&l](const QString& t) { return l.serviceLeft(t); });
    service_ = addLabel(QString(), 1, 3, QStringLiteral("Label_Servico"));
    fields()->addWidget(service_, 1, 3, 1, 3);
    addInput(QStringLiteral("Edit_ServPreco"), 1, 6,
             [&l](const QString& t) { return l.servicePriceLeft(t); });
    screens::LookupSpec services;
    services.dataset = QStringLiteral("SERVICOSNUM");
    services.alphabeticalDataset = QStringLiteral("SERVICOSALFA");
    services.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    services.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    services.alphabeticalColumn = QStringLiteral("DESIGNACAO");
    services.menuEntries = QStringList{QStringLiteral("Procurar ( &Código )")};
    services.alphabeticalMenuEntry = QStringLiteral("Procurar ( &Designação )");
    lookups()->attach(
        service, services,
        [&l](const QString& name) { return &l.services(name == QLatin1String("SERVICOSALFA")); },
        [this, service] {
            logic().serviceLeft(service->text());
            refresh();
        });

    addLabel(QStringLiteral("Material a Enviar: "), 2, 0);
    int column = 0;
    for (const char* title : {"Tipo Mat.", "Código", "Designação", "Qtd.", "Und.", "Preço €", "Custo"})
        addLabel(QString::fromUtf8(title), 3, column++);
    screens::LookupSpec types;
    types.dataset = QStringLiteral("TIPOMATERIAL");
    types.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
    types.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação")};
    types.labelColumn = QStringLiteral("DESIGNACAO");
    types.menuEntries = QStringList{QStringLiteral("Procurar")};
    for (int n = 1; n <= SubcontractStep::kMaterials; ++n) {
        const int row = 3 + n;
        QLineEdit* type = addInput(QStringLiteral("Edit_TMat%1").arg(n), row, 0,
                                   [&l, n](const QString& t) { return l.typeLeft(n, t); });
        QLineEdit* code = addInput(QStringLiteral("Edit_MpNro%1").arg(n), row, 1,
                                   [&l, n](const QString& t) { return l.codeLeft(n, t); });
        labels_[n - 1] = addLabel(QString(), row, 2, QStringLiteral("Label_MpNro%1").arg(n));
        addInput(QStringLiteral("Edit_QtdMp%1").arg(n), row, 3,
                 [&l, n](const QString& t) { return l.quantityLeft(n, t); });
        auto* unit = new QLineEdit(this);
        unit->setObjectName(QStringLiteral("Edit_Und%1").arg(n));
        unit->setReadOnly(true);
        unit->setFocusPolicy(Qt::NoFocus);
        fields()->addWidget(unit, row, 4);
        addInput(QStringLiteral("Edit_PrecoMp%1").arg(n), row, 5,
                 [&l, n](const QString& t) { return l.priceLeft(n, t); });
        addInput(QStringLiteral("Edit_CustoMp%1").arg(n), row, 6,
                 [&l, n](const QString& t) { return l.costLeft(n, t); });
        lookups()->attach(
            type, types, [&l](const QString&) { return &l.materialTypes(); },
            [this, type, n] {
                logic().typeLeft(n, type->text());
                refresh();
            });
        lookups()->attach(
            code, articleLookup(),
            [&l](const QString& name) { return &l.materialArticles(name == QLatin1String("ARTIGOSALFA")); },
            [this, code, n] {
                logic().codeLeft(n, code->text());
                refresh();
            });
    }
    fields()->setColumnMinimumWidth(2, 260);
    resize(980, 330);
}

void TCORVF035_SUBCONT::refresh() {
    const SubcontractStep& l = logic();
    showText(QStringLiteral("Edit_Servico"), l.entry().SERVICO);
    showText(QStringLiteral("Edit_ServPreco"), numberOr(!l.entry().SERVICO.isEmpty(), l.entry().PRECO));
    service_->setText(l.serviceLabel());
    for (int n = 1; n <= SubcontractStep::kMaterials; ++n) {
        const MaterialEntry& m = l.material(n);
        const bool has = !m.code.isEmpty();
        if (l.materialType(n) != 0 || has)
            showText(QStringLiteral("Edit_TMat%1").arg(n), QString::number(l.materialType(n)));
        else
            showText(QStringLiteral("Edit_TMat%1").arg(n), QString());
        showText(QStringLiteral("Edit_MpNro%1").arg(n), m.code);
        showText(QStringLiteral("Edit_QtdMp%1").arg(n), numberOr(has, m.quantity));
        showText(QStringLiteral("Edit_PrecoMp%1").arg(n), numberOr(has, m.price));
        showText(QStringLiteral("Edit_CustoMp%1").arg(n), numberOr(has, m.cost));
        if (auto* unit = findChild<QLineEdit*>(QStringLiteral("Edit_Und%1").arg(n)))
            unit->setText(m.unit);
        labels_[n - 1]->setText(l.materialLabel(n));
    }
}

void TCORVF035_SUBCONT::key(QLineEdit* input, int key) {
    const QString name = input->objectName();
    if (name.startsWith(QLatin1String("Edit_TMat")) || name.startsWith(QLatin1String("Edit_Serv")))
        return;
    if (key == Qt::Key_F7) {
        logic().cancelMaterials();
        input->setText(QString()); // what was typed goes with the materials
    } else if (name.startsWith(QLatin1String("Edit_MpNro"))) {
        logic().changeService();
    }
}

void TCORVF035_SUBCONT::entered(QLineEdit* input) {
    const QString name = input->objectName();
    if (name.startsWith(QLatin1String("Edit_TMat")))
        logic().typeEntered(name.mid(9).toInt());
}

// ---- TCORVF035_TECIDO ------------------------------------------------------------

TCORVF035_TECIDO::TCORVF035_TECIDO(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                   const QString& user, const screens::ScreenSetting& setting,
                                   QWidget* parent)
    : StepFieldsForm(
          QStringLiteral("TCORVF035_TECIDO"),
          [&](ScreenView& view) { return std::make_unique<FabricStep>(ctx, data, factura, user, view); },
          setting, parent) {
    FabricStep& l = logic();
    addLabel(QStringLiteral("Tecido  : "), 0, 0);
    QLineEdit* code =
        addInput(QStringLiteral("Edit_Tecido"), 0, 1, [&l](const QString& t) { return l.codeLeft(t); });
    fabric_ = addLabel(QString(), 0, 2, QStringLiteral("Label_Tecido"));
    fields()->addWidget(fabric_, 0, 2, 1, 3);
    addLabel(QStringLiteral("Preço   : "), 1, 0);
    addInput(QStringLiteral("Edit_PrecoTecido"), 1, 1, [&l](const QString& t) { return l.priceLeft(t); });
    addLabel(QStringLiteral("Custo   : "), 2, 0);
    addInput(QStringLiteral("Edit_CustoTecido"), 2, 1, [&l](const QString& t) { return l.costLeft(t); });
    addLabel(QStringLiteral("Largura : "), 3, 0);
    addInput(QStringLiteral("Edit_LargTecido"), 3, 1, [&l](const QString& t) { return l.widthLeft(t); });
    addLabel(QStringLiteral("(mtr)"), 3, 2);
    addLabel(QStringLiteral("Enquadramento do Tecido "), 4, 0);
    addLabel(QStringLiteral("Tipo Enquad. : "), 5, 0);
    QLineEdit* fitting =
        addInput(QStringLiteral("Edit_EnqTecido"), 5, 1, [&l](const QString& t) { return l.fittingLeft(t); });
    fitting->setMaxLength(1);
    connect(fitting, &QLineEdit::textEdited, fitting, [fitting](const QString& t) {
        if (t != t.toUpper())
            fitting->setText(t.toUpper()); // the field is upper case
    });
    addLabel(QStringLiteral("L) - Largura "), 5, 2);
    addLabel(QStringLiteral("C) - Comprimento"), 5, 3);
    addLabel(QStringLiteral("Nr.Peças Enquadradas  : "), 6, 0);
    addInput(QStringLiteral("Edit_PecasTecido"), 6, 1, [&l](const QString& t) { return l.piecesLeft(t); });
    metres_ = addLabel(QString(), 6, 2, QStringLiteral("Label_Mtl"));
    addLabel(QStringLiteral("Consumo : "), 7, 0);
    addInput(QStringLiteral("Edit_QuantTecido"), 7, 1,
             [&l](const QString& t) { return l.consumptionLeft(t); });
    unit_ = addLabel(QString(), 7, 2, QStringLiteral("Label_Und"));
    lookups()->attach(
        code, articleLookup(),
        [&l](const QString& name) { return &l.fabrics(name == QLatin1String("ARTIGOSALFA")); },
        [this, code] {
            logic().codeLeft(code->text());
            refresh();
        });
    fields()->setColumnMinimumWidth(2, 200);
    resize(620, 360);
}

void TCORVF035_TECIDO::refresh() {
    const FabricStep& l = logic();
    const FabricLayout& f = l.layout();
    showText(QStringLiteral("Edit_Tecido"), l.fabric().code);
    fabric_->setText(l.fabricLabel());
    showText(QStringLiteral("Edit_PrecoTecido"), number(f.price));
    showText(QStringLiteral("Edit_CustoTecido"), number(f.cost));
    showText(QStringLiteral("Edit_LargTecido"), number(f.ClothWidth));
    showText(QStringLiteral("Edit_EnqTecido"), f.ClothFitting);
    showText(QStringLiteral("Edit_PecasTecido"), QString::number(f.ClothPieces));
    showText(QStringLiteral("Edit_QuantTecido"), number(f.consumption));
    metres_->setText(number(f.ClothMetres) + QStringLiteral(" Mtl"));
    unit_->setText(l.fabric().unit);
}

void TCORVF035_TECIDO::key(QLineEdit* input, int key) {
    if (key == Qt::Key_F7 && input->objectName() != QLatin1String("Edit_Tecido") &&
        input->objectName() != QLatin1String("Edit_PecasTecido"))
        logic().cancelFabric();
}

void TCORVF035_TECIDO::entered(QLineEdit* input) {
    if (input->objectName() == QLatin1String("Edit_Tecido"))
        logic().codeEntered();
}

// ---- openers ---------------------------------------------------------------------

bool openSubcontractStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data,
                         db::Database& factura, const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_SUBCONT form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

bool openFabricStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                    const QString& user, const screens::ScreenSetting& setting) {
    TCORVF035_TECIDO form(ctx, data, factura, user, setting, parent);
    form.exec();
    return form.logic().written();
}

} // namespace corvane::techsheet
