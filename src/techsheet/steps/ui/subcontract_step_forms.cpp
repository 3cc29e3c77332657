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

QLineEdit* StepFieldsForm::addInput(const StepInput& in, int row, int column) {
    QLineEdit* edit = screens::makeInput(in.rule, this);
    fields_->addWidget(edit, row, column);
    if (!in.left)
        return edit; // it only shows a value
    edit->installEventFilter(this);
    inputs_.insert(in.rule.input, edit);
    installConventions()->setCheck(edit, [this, edit, left = in.left] {
        const QString typed = edit->text();
        const bool ok = left(typed);
        refresh();
        if (!ok)
            edit->setText(typed); // a refused value stays to be corrected
        return ok;
    });
    if (in.rule.lookup.isSet())
        lookups_->attach(edit, in.rule.lookup, screens::datasetsNamed(base_->lookupDatasets()),
                         [this, edit, left = in.left] {
                             left(edit->text());
                             refresh();
                         });
    if (in.rule.kind == screens::FieldKind::Upper)
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
            if (t != t.toUpper())
                edit->setText(t.toUpper()); // the field is upper case
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

void StepFieldsForm::showText(QLineEdit* input, const QString& text) {
    if (input && input->text() != text)
        input->setText(text);
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
    const QList<StepInput> service = l.serviceInputs(); // the service and its price
    service_[0] = addInput(service[0], 1, 1);
    serviceLabel_ = addLabel(QString(), 1, 3, service[0].rule.lookup.labelName);
    fields()->addWidget(serviceLabel_, 1, 3, 1, 3);
    service_[1] = addInput(service[1], 1, 6);

    addLabel(QStringLiteral("Material a Enviar: "), 2, 0);
    int column = 0;
    for (const char* title : {"Tipo Mat.", "Código", "Designação", "Qtd.", "Und.", "Preço €", "Custo"})
        addLabel(QString::fromUtf8(title), 3, column++);
    for (int n = 1; n <= SubcontractStep::kMaterials; ++n) {
        MaterialWidgets& w = rows_[static_cast<std::size_t>(n - 1)];
        column = 0;
        for (const StepInput& in : l.materialInputs(n)) { // type, code, quantity, unit, price, cost
            w.inputs << addInput(in, 3 + n, column++);
            if (!in.rule.lookup.labelName.isEmpty())
                w.label = addLabel(QString(), 3 + n, column++, in.rule.lookup.labelName);
        }
    }
    fields()->setColumnMinimumWidth(2, 260);
    resize(980, 330);
}

void TCORVF035_SUBCONT::refresh() {
    const SubcontractStep& l = logic();
    showText(service_[0], l.entry().SERVICO);
    showText(service_[1], numberOr(!l.entry().SERVICO.isEmpty(), l.entry().PRECO));
    serviceLabel_->setText(l.serviceLabel());
    for (int n = 1; n <= SubcontractStep::kMaterials; ++n) {
        const MaterialEntry& m = l.material(n);
        const bool has = !m.code.isEmpty();
        const QStringList texts{l.materialType(n) != 0 || has ? QString::number(l.materialType(n))
                                                              : QString(),
                                m.code,
                                numberOr(has, m.quantity),
                                m.unit,
                                numberOr(has, m.price),
                                numberOr(has, m.cost)};
        const MaterialWidgets& w = rows_[static_cast<std::size_t>(n - 1)];
        for (int i = 0; i < texts.size(); ++i)
            showText(w.inputs.value(i), texts[i]);
        w.label->setText(l.materialLabel(n));
    }
}

void TCORVF035_SUBCONT::key(QLineEdit* input, int key) {
    const int n = rowOf(input);
    if (n == 0 || input == rows_[static_cast<std::size_t>(n - 1)].inputs.value(0))
        return; // the service and the material types take neither key
    if (key == Qt::Key_F7) {
        logic().cancelMaterials();
        input->setText(QString()); // what was typed goes with the materials
    } else if (input == rows_[static_cast<std::size_t>(n - 1)].inputs.value(1)) {
        logic().changeService();
    }
}

void TCORVF035_SUBCONT::entered(QLineEdit* input) {
    const int n = rowOf(input);
    if (n > 0 && input == rows_[static_cast<std::size_t>(n - 1)].inputs.value(0))
        logic().typeEntered(n);
}

int TCORVF035_SUBCONT::rowOf(const QLineEdit* input) const {
    for (int n = 1; n <= SubcontractStep::kMaterials; ++n)
        if (rows_[static_cast<std::size_t>(n - 1)].inputs.contains(input))
            return n;
    return 0;
}

// ---- TCORVF035_TECIDO ------------------------------------------------------------

TCORVF035_TECIDO::TCORVF035_TECIDO(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                   const QString& user, const screens::ScreenSetting& setting,
                                   QWidget* parent)
    : StepFieldsForm(
          QStringLiteral("TCORVF035_TECIDO"),
          [&](ScreenView& view) { return std::make_unique<FabricStep>(ctx, data, factura, user, view); },
          setting, parent) {
    const QList<StepInput> inputs = logic().inputs();
    const int rows[] = {0, 1, 2, 3, 5, 6, 7}; // row 4 heads the fitting
    for (int i = 0; i < inputs.size(); ++i) {
        addLabel(inputs[i].rule.label, rows[i], 0);
        byColumn_.insert(inputs[i].rule.column, addInput(inputs[i], rows[i], 1));
    }
    fabric_ = addLabel(QString(), 0, 2, inputs[0].rule.lookup.labelName);
    fields()->addWidget(fabric_, 0, 2, 1, 3);
    addLabel(QStringLiteral("(mtr)"), 3, 2);
    addLabel(QStringLiteral("Enquadramento do Tecido "), 4, 0);
    addLabel(QStringLiteral("L) - Largura "), 5, 2);
    addLabel(QStringLiteral("C) - Comprimento"), 5, 3);
    metres_ = addLabel(QString(), 6, 2, QStringLiteral("Label_Mtl"));
    unit_ = addLabel(QString(), 7, 2, QStringLiteral("Label_Und"));
    fields()->setColumnMinimumWidth(2, 200);
    resize(620, 360);
}

void TCORVF035_TECIDO::refresh() {
    const FabricStep& l = logic();
    const FabricLayout& f = l.layout();
    const QHash<QString, QString> texts{
        {"TECIDO", l.fabric().code},     {"PRECO", number(f.price)},
        {"VALOR", number(f.cost)},       {"LARG_TECIDO", number(f.ClothWidth)},
        {"ENQ_TECIDO", f.ClothFitting},  {"PECAS_TECIDO", QString::number(f.ClothPieces)},
        {"QUANT", number(f.consumption)}};
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        showText(byColumn_.value(it.key()), it.value());
    fabric_->setText(l.fabricLabel());
    metres_->setText(number(f.ClothMetres) + QStringLiteral(" Mtl"));
    unit_->setText(l.fabric().unit);
}

void TCORVF035_TECIDO::key(QLineEdit* input, int key) {
    // F7 on the fabric code and the pieces does nothing.
    if (key == Qt::Key_F7 && input != byColumn_.value("TECIDO") && input != byColumn_.value("PECAS_TECIDO"))
        logic().cancelFabric();
}

void TCORVF035_TECIDO::entered(QLineEdit* input) {
    if (input == byColumn_.value("TECIDO"))
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
