#include "parameters_form.h"

#include "components/form_conventions.h"
#include "components/lookup_dialog.h"
#include "shell/data_modules.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane::reference {

namespace {
enum Lookup { None, CostType, Operation, Department, Movement, Warehouse };
const char* const kHints[] = {"",
                              "Tecla <INS> Localizar Tipo de Custo",
                              "Tecla <INS> Localizar Operação ...",
                              "Tecla <INS> Localizar Departamento",
                              "",
                              ""};
} // namespace

TCORVF000::TCORVF000(shell::TDTCORVANE& data, db::Database& factura, Links links, ScreenSetting setting,
                     QWidget* parent)
    : QDialog(parent), data_(data), links_(std::move(links)), setting_(std::move(setting)),
      view_(this, QStringLiteral("TCORVF000"), setting_.log),
      logic_(data.PARGER, data.TIPOCUSTO, data.OPERACOES, factura, view_, setting_.onError) {
    setObjectName(QStringLiteral("TCORVF000"));
    setWindowTitle(QStringLiteral("Parâmetros Gerais"));
    components::paintBackground(this, components::kScreenColour);
    auto* outer = new QVBoxLayout(this);
    PanelInput = new QFrame(this);
    PanelInput->setObjectName(QStringLiteral("PanelInput"));
    auto* panel = new QVBoxLayout(PanelInput);
    TB = new QTabWidget(PanelInput);
    TB->setObjectName(QStringLiteral("TB"));
    panel->addWidget(TB);
    outer->addWidget(PanelInput, 1);

    QWidget* sheets = page(QStringLiteral(" Fichas Técnicas "));
    add(sheets, "Edit_TipoPreco", "Preço p/Cálculo Mát.Prima : ", "TIPOPRECO");
    add(sheets, "DBEdit23", "% Encolhimento Fio : ", "DESP_GERAL");
    add(sheets, "DBEdit6", "Conversão de Tintas (Lts / M2) : ", "CONV_KGS_TINTAS");
    add(sheets, "Edit_Fio_TC", "Fio : ", "FIOS_TC", CostType, "Label_Fio_TC");
    add(sheets, "Edit_Tintas_TC", "Tintas : ", "TINTAS_TC", CostType, "Label_Tintas_TC");
    add(sheets, "Edit_Maquinas_TC", "Máquinas : ", "MAQUINAS_TC", CostType, "Label_Maquinas_TC");
    add(sheets, "Edit_Estrutura_TC", "Operação Estrutura : ", "ESTRUTURA", Operation, "Label_Estrutura_TC");
    add(sheets, "Edit_Etiq_TC", "Etiquetas Tecidas/Impressas : ", "ETIQ_TC", CostType, "Label_Etiq_TC");
    add(sheets, "Edit_EtiqCart_TC", "Etiquetas Cartão : ", "ETIQCART_TC", CostType, "Label_EtiqCart_TC");
    add(sheets, "Edit_Franja_TC", "Franja : ", "FRANJA_TC", CostType, "Label_Franja_TC");
    add(sheets, "Edit_Cabide_TC", "Cabide : ", "CABIDE_TC", CostType, "Label_Cabide_TC");
    add(sheets, "Edit_Tecido_Tc", "Tecido : ", "TECIDO_TC", CostType, "Label_Tecido_Tc");
    add(sheets, "Edit_Depart", "Departamento : ", "DEPARTAMENTO", Department);
    QWidget* numbers = page(QStringLiteral(" Orçamentos (Num)"));
    for (int n = 1; n <= 5; ++n) {
        add(numbers, qPrintable(QStringLiteral("Edit_OrcamNro%1").arg(n)),
            "Numeração : ", qPrintable(QStringLiteral("ORCAMNRO%1").arg(n)));
        add(numbers, qPrintable(QStringLiteral("Edit_OrcamVia%1").arg(n)),
            "Descrição das Vias : ", qPrintable(QStringLiteral("ORCAMVIA%1").arg(n)));
    }
    QWidget* notes = page(QStringLiteral("Orçamentos (Obs)"));
    for (int n = 1; n <= 5; ++n)
        add(notes, qPrintable(QStringLiteral("Edit_CndPgt%1").arg(n)),
            "Cond.Pagamento : ", qPrintable(QStringLiteral("CNDPGT%1").arg(n)));
    for (int n = 1; n <= 4; ++n)
        add(notes, qPrintable(QStringLiteral("Edit_Observ%1").arg(n)),
            "Condições de Venda : ", qPrintable(QStringLiteral("OBSERV%1").arg(n)));
    add(notes, "Edit_PrzEnt", "Prazo de Entrega : ", "PRZENT");
    add(notes, "Edit_Transporte", "Transporte : ", "TRANSPORTE");
    QWidget* planning = page(QStringLiteral("Planeamento"));
    add(planning, "Edit_TrsConsumo", "Cod.Mov. para Consumo : ", "TRS_CONSUMO", Movement, "Label_TrsConsumo");
    add(planning, "Edit_TrsDevol", "Cod.Mov. para Devolução Armz. : ", "TRS_DEVOL", Movement,
        "Label_TrsDevol");
    add(planning, "Edit_ArmNro", "Armazém  Consumo : ", "ARMNRO", Warehouse, "Label_Armazem");
    add(planning, "Edit_TrsEnt", "Cod.Mov. para Entrada : ", "TRS_PRODUTO", Movement, "Label_TrsEnt");
    add(planning, "Edit_ArmzPrd", "Armazém  : ", "ARMZ_PRODUTO", Warehouse, "Label_ArmzPrd");
    for (int n = 1; n <= 5; ++n) {
        add(planning, qPrintable(QStringLiteral("Edit_ReqVia%1").arg(n)),
            "Vias - Req. Armazém : ", qPrintable(QStringLiteral("REQVIA%1").arg(n)));
        add(planning, qPrintable(QStringLiteral("Edit_OrdFabVia%1").arg(n)),
            "Vias - Ord.Fabrico : ", qPrintable(QStringLiteral("ORDFABVIA%1").arg(n)));
    }
    connect(TB, &QTabWidget::currentChanged, this,
            [this, planning](int) { logic_.setPlanningShown(TB->currentWidget() == planning); });

    auto* buttons = new QHBoxLayout;
    auto* costTypes = new QPushButton(QStringLiteral("Tipos de Custo"), this);
    costTypes->setObjectName(QStringLiteral("BotTipoCusto"));
    costTypes->setToolTip(QStringLiteral("Abertura de Tipos de Custo"));
    costTypes->setEnabled(links_.costTypesAllowed);
    auto* operations = new QPushButton(QStringLiteral("Operações"), this);
    operations->setObjectName(QStringLiteral("BotOperacoes"));
    operations->setToolTip(QStringLiteral("Abertura de Operacoes"));
    operations->setEnabled(links_.operationsAllowed);
    auto* finish = new QPushButton(QStringLiteral("&Terminar"), this);
    finish->setObjectName(QStringLiteral("BitTerminar"));
    for (QPushButton* b : {costTypes, operations, finish}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    connect(costTypes, &QPushButton::clicked, this, &TCORVF000::openCostTypes);
    connect(operations, &QPushButton::clicked, this, &TCORVF000::openCostTypes);
    connect(finish, &QPushButton::clicked, this, &QDialog::accept);
    outer->addLayout(buttons);
    auto* status = new QStatusBar(this);
    view_.setStatusPanels(status, 2);
    outer->addWidget(status);

    auto* conventions = new components::FormConventions(this, &view_);
    conventions_ = conventions;
    for (auto it = inputs_.begin(); it != inputs_.end(); ++it) {
        Input* in = &it.value();
        conventions->bindLabel(in->edit, nullptr, QString::fromUtf8(kHints[in->lookup]));
        conventions->setCheck(in->edit, [this, in] {
            const bool ok = logic_.fieldExit(in->column, in->edit->text());
            if (ok)
                refresh();
            return ok;
        });
    }
    resize(760, 560);
}

QWidget* TCORVF000::page(const QString& title) {
    auto* w = new QWidget(TB);
    new QFormLayout(w);
    TB->addTab(w, title);
    return w;
}

void TCORVF000::add(QWidget* page, const char* name, const char* caption, const char* column, int lookup,
                    const char* description) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    edit->installEventFilter(this);
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    Input in{QString::fromLatin1(column), edit, nullptr, lookup};
    if (description) {
        in.description = new QLabel(page);
        in.description->setObjectName(QString::fromLatin1(description));
        row->addWidget(in.description, 1);
    }
    static_cast<QFormLayout*>(page->layout())->addRow(QString::fromUtf8(caption), row);
    inputs_.insert(edit->objectName(), in);
}

void TCORVF000::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    if (!logic_.activate(setting_.rights, setting_.signature)) {
        closed_ = true;
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    PanelInput->setEnabled(logic_.inputsEnabled());
    refresh();
}

void TCORVF000::refresh() {
    for (const Input& in : std::as_const(inputs_)) {
        if (in.edit != focusWidget())
            in.edit->setText(logic_.text(in.column));
        if (in.description)
            in.description->setText(logic_.label(in.column));
    }
}

bool TCORVF000::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
        auto it = inputs_.find(watched->objectName());
        if (it != inputs_.end() && it->lookup != None)
            return lookup(*it, static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier);
    }
    return QDialog::eventFilter(watched, event);
}

bool TCORVF000::lookup(Input& in, bool alphabetical) {
    using components::LookupColumn;
    db::Dataset* ds = nullptr;
    QList<LookupColumn> columns;
    switch (in.lookup) {
    case CostType:
        ds = &logic_.costTypes();
        columns = {{QStringLiteral("CODIGO"), QStringLiteral("Tipo Custo")},
                   {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                   {QStringLiteral("DESPERD"), QStringLiteral("% Desperd.")}};
        break;
    case Operation:
        ds = &logic_.operations();
        columns = {{QStringLiteral("CODIGO"), QStringLiteral("Operação")},
                   {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                   {QStringLiteral("PRECO"), QStringLiteral("Valor")}};
        break;
    case Department:
        ds = &logic_.departments();
        columns = {{ds->fields().value(0), QStringLiteral("Departamento")}};
        break;
    case Movement:
        ds = &logic_.movements();
        columns = {{ds->fields().value(0), QStringLiteral("Cód.")},
                   {ds->fields().value(1), QStringLiteral("Designação")},
                   {ds->fields().value(6), QStringLiteral("Tipo Mov.")}};
        break;
    default:
        ds = &logic_.warehouses();
        columns = {{ds->fields().value(0), QStringLiteral("Codigo")},
                   {ds->fields().value(1), QStringLiteral("Nome")}};
        break;
    }
    const int row = components::LookupDialog::choose(this, *ds, columns,
                                                     columns.value(1, columns.first()).field, alphabetical);
    if (row >= 0) {
        in.edit->setText(ds->text(row, columns.first().field).trimmed());
        if (logic_.fieldExit(in.column, in.edit->text()))
            refresh();
    }
    return true;
}

void TCORVF000::openCostTypes() {
    data_.TIPOCUSTO.close();
    data_.OPERACOES.close();
    if (links_.openCostTypes)
        links_.openCostTypes();
    data_.OPERACOES.reopen();
    data_.OPERACOES.fetchAll();
    data_.TIPOCUSTO.reopen();
    data_.TIPOCUSTO.fetchAll();
    refresh();
}

TCORVF000::~TCORVF000() {
    delete conventions_;
}

void TCORVF000::done(int result) {
    if (!closed_) {
        closed_ = true;
        conventions_->setChecksEnabled(false);
        logic_.close();
    }
    QDialog::done(result);
}

} // namespace corvane::reference
