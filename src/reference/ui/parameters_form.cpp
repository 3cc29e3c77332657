#include "parameters_form.h"

#include "components/form_conventions.h"
#include "screens/ui/field_widgets.h"
#include "shell/data_modules.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::reference {

namespace {

const char* const kHints[] = {"",
                              "Tecla <INS> Localizar Tipo de Custo",
                              "Tecla <INS> Localizar Operação ...",
                              "Tecla <INS> Localizar Departamento",
                              "",
                              ""};

// The list of a coded input: its columns with their titles; the first is the key.
screens::LookupSpec lookupSpec(const db::Dataset& ds,
                               std::initializer_list<std::pair<const char*, const char*>> columns) {
    screens::LookupSpec spec;
    spec.dataset = ds.name();
    for (const auto& [column, title] : columns) {
        spec.columns << QString::fromLatin1(column);
        spec.titles << QString::fromUtf8(title);
    }
    spec.keyColumn = spec.columns.value(0);
    spec.labelColumn = spec.columns.value(1, spec.keyColumn);
    spec.menuEntries = QStringList{QStringLiteral("Localizar"), QStringLiteral("&Procurar")};
    return spec;
}

} // namespace

TCORVF000::TCORVF000(shell::TDTCORVANE& data, db::Database& factura, Links links,
                     const screens::ScreenSetting& setting, QWidget* parent)
    : ScreenDialog(QStringLiteral("TCORVF000"), QStringLiteral("Parâmetros Gerais"), setting, parent), data_(data),
      links_(std::move(links)), logic_(data.PARGER, data.TIPOCUSTO, data.OPERACOES, factura, view(), setting.onError) {
    auto* outer = new QVBoxLayout(this);
    PanelInput = new QFrame(this);
    PanelInput->setObjectName(QStringLiteral("PanelInput"));
    auto* panel = new QVBoxLayout(PanelInput);
    TB = new QTabWidget(PanelInput);
    TB->setObjectName(QStringLiteral("TB"));
    panel->addWidget(TB);
    outer->addWidget(PanelInput, 1);

    QFormLayout* sheets = page(QStringLiteral(" Fichas Técnicas "));
    add(sheets, "Edit_TipoPreco", "Preço p/Cálculo Mát.Prima : ", "TIPOPRECO", None, nullptr,
        "(F.T)-(CUP)-(PMC)-(PUE)");
    add(sheets, "DBEdit23", "% Encolhimento Fio : ", "DESP_GERAL", None, nullptr, "(%)");
    add(sheets, "DBEdit6", "Conversão de Tintas (Lts / M2) : ", "CONV_KGS_TINTAS");
    QFormLayout* waste = group(sheets, QStringLiteral("Para inputação de desperdício (Tipos de Custo)"));
    add(waste, "Edit_Fio_TC", "Fio : ", "FIOS_TC", CostType, "Label_Fio_TC");
    add(waste, "Edit_Tintas_TC", "Tintas : ", "TINTAS_TC", CostType, "Label_Tintas_TC");
    add(waste, "Edit_Maquinas_TC", "Máquinas : ", "MAQUINAS_TC", CostType, "Label_Maquinas_TC");
    add(waste, "Edit_Estrutura_TC", "Operação Estrutura : ", "ESTRUTURA", Operation, "Label_Estrutura_TC");
    add(waste, "Edit_Etiq_TC", "Etiquetas Tecidas/Impressas : ", "ETIQ_TC", CostType, "Label_Etiq_TC");
    add(waste, "Edit_EtiqCart_TC", "Etiquetas Cartão : ", "ETIQCART_TC", CostType, "Label_EtiqCart_TC");
    add(waste, "Edit_Franja_TC", "Franja : ", "FRANJA_TC", CostType, "Label_Franja_TC");
    add(waste, "Edit_Cabide_TC", "Cabide : ", "CABIDE_TC", CostType, "Label_Cabide_TC");
    add(waste, "Edit_Tecido_Tc", "Tecido : ", "TECIDO_TC", CostType, "Label_Tecido_Tc");
    QFormLayout* requisitions = group(sheets, QStringLiteral("Logistica - Requisições Internas"));
    add(requisitions, "Edit_Depart", "Departamento : ", "DEPARTAMENTO", Department);
    QFormLayout* numbers = page(QStringLiteral(" Orçamentos (Num)"));
    for (int n = 1; n <= 5; ++n) {
        add(numbers, qPrintable(QStringLiteral("Edit_OrcamNro%1").arg(n)), "Numeração : ",
            qPrintable(QStringLiteral("ORCAMNRO%1").arg(n)));
        add(numbers, qPrintable(QStringLiteral("Edit_OrcamVia%1").arg(n)), "Descrição das Vias : ",
            qPrintable(QStringLiteral("ORCAMVIA%1").arg(n)));
    }
    QFormLayout* notes = page(QStringLiteral("Orçamentos (Obs)"));
    for (int n = 1; n <= 5; ++n)
        add(notes, qPrintable(QStringLiteral("Edit_CndPgt%1").arg(n)), "Cond.Pagamento : ",
            qPrintable(QStringLiteral("CNDPGT%1").arg(n)));
    for (int n = 1; n <= 4; ++n)
        add(notes, qPrintable(QStringLiteral("Edit_Observ%1").arg(n)), "Condições de Venda : ",
            qPrintable(QStringLiteral("OBSERV%1").arg(n)));
    add(notes, "Edit_PrzEnt", "Prazo de Entrega : ", "PRZENT");
    add(notes, "Edit_Transporte", "Transporte : ", "TRANSPORTE");
    QFormLayout* planning = page(QStringLiteral("Planeamento"));
    QWidget* planningPage = TB->widget(TB->count() - 1);
    QFormLayout* consumption = group(planning, QStringLiteral("Tratamento de Stock - Consumo de Materiais"));
    add(consumption, "Edit_TrsConsumo", "Cod.Mov. para Consumo : ", "TRS_CONSUMO", Movement, "Label_TrsConsumo");
    add(consumption, "Edit_TrsDevol", "Cod.Mov. para Devolução Armz. : ", "TRS_DEVOL", Movement,
        "Label_TrsDevol");
    add(consumption, "Edit_ArmNro", "Armazém  Consumo : ", "ARMNRO", Warehouse, "Label_Armazem");
    QFormLayout* finished = group(planning, QStringLiteral("Tratamento de Stock - Entrada de Produto Acabado"));
    add(finished, "Edit_TrsEnt", "Cod.Mov. para Entrada : ", "TRS_PRODUTO", Movement, "Label_TrsEnt");
    add(finished, "Edit_ArmzPrd", "Armazém  : ", "ARMZ_PRODUTO", Warehouse, "Label_ArmzPrd");
    for (int n = 1; n <= 5; ++n) {
        add(planning, qPrintable(QStringLiteral("Edit_ReqVia%1").arg(n)), "Vias - Req. Armazém : ",
            qPrintable(QStringLiteral("REQVIA%1").arg(n)));
        add(planning, qPrintable(QStringLiteral("Edit_OrdFabVia%1").arg(n)), "Vias - Ord.Fabrico : ",
            qPrintable(QStringLiteral("ORDFABVIA%1").arg(n)));
    }
    connect(TB, &QTabWidget::currentChanged, this,
            [this, planningPage](int) { logic_.setPlanningShown(TB->currentWidget() == planningPage); });

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
    connectChecked(costTypes, [this] { openCostTypes(); });
    connectChecked(operations, [this] { openCostTypes(); });
    connectClosing(finish, [this] { return logic_.write(); });
    outer->addLayout(buttons);
    addStatusBar(outer);

    components::FormConventions* conventions = installConventions();
    for (auto it = inputs_.begin(); it != inputs_.end(); ++it) {
        const Input in = it.value();
        conventions->setCheck(in.edit, [this, in] { return leave(in); });
    }
    auto* wiring = new screens::LookupWiring(this);
    for (const auto& [edit, kind] : std::as_const(lookups_)) {
        conventions->bindLabel(edit, nullptr, QString::fromUtf8(kHints[kind]));
        db::Dataset* ds = kind == CostType    ? &logic_.costTypes()
                          : kind == Operation ? &logic_.operations()
                          : kind == Department ? &logic_.departments()
                          : kind == Movement   ? &logic_.movements()
                                               : &logic_.warehouses();
        screens::LookupSpec spec;
        switch (kind) {
        case CostType:
            spec = lookupSpec(*ds, {{"CODIGO", "Tipo Custo"}, {"DESIGNACAO", "Designação"}, {"DESPERD", "% Desperd."}});
            break;
        case Operation:
            spec = lookupSpec(*ds, {{"CODIGO", "Operação"}, {"DESIGNACAO", "Designação"}, {"PRECO", "Valor"}});
            break;
        case Department:
            spec = lookupSpec(*ds, {{"DEPARTAMENTO", "Departamento"}});
            break;
        case Movement:
            spec = lookupSpec(*ds, {{"TRSCOD", "Cód."}, {"TRSNOM", "Designação"}, {"TIPOMOV", "Tipo Mov."}});
            break;
        default:
            spec = lookupSpec(*ds, {{"CODIGO", "Codigo"}, {"NOME", "Nome"}});
            break;
        }
        const Input in = inputs_.value(edit->objectName());
        wiring->attach(
            edit, spec, [ds](const QString&) { return ds; }, [this, in] { leave(in); });
    }
    resize(760, 600);
}

QFormLayout* TCORVF000::page(const QString& title) {
    auto* w = new QWidget(TB);
    auto* form = new QFormLayout(w);
    TB->addTab(w, title);
    return form;
}

QFormLayout* TCORVF000::group(QFormLayout* page, const QString& title) {
    auto* box = new QGroupBox(title, page->parentWidget());
    auto* form = new QFormLayout(box);
    page->addRow(box);
    return form;
}

QLineEdit* TCORVF000::add(QFormLayout* form, const char* name, const char* caption, const char* column,
                          Lookup lookup, const char* description, const char* suffix) {
    QWidget* parent = form->parentWidget();
    screens::FieldRule rule;
    rule.input = QString::fromLatin1(name);
    rule.column = QString::fromLatin1(column);
    rule.maxLength = logic_.inputLength(rule.column);
    QLineEdit* edit = screens::makeInput(rule, parent);
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    Input in{rule.column, edit, nullptr};
    if (suffix)
        row->addWidget(new QLabel(QString::fromUtf8(suffix), parent));
    if (description) {
        in.description = new QLabel(parent);
        in.description->setObjectName(QString::fromLatin1(description));
        row->addWidget(in.description, 1);
    }
    form->addRow(QString::fromUtf8(caption), row);
    inputs_.insert(edit->objectName(), in);
    if (lookup != None)
        lookups_ << std::pair{edit, lookup};
    return edit;
}

bool TCORVF000::activateScreen() {
    if (!logic_.activate(setting().rights, setting().signature))
        return false;
    PanelInput->setEnabled(logic_.inputsEnabled());
    refresh();
    return true;
}

bool TCORVF000::leave(const Input& in) {
    const bool ok = logic_.fieldExit(in.column, in.edit->text());
    if (ok)
        refresh();
    else if (in.description)
        in.description->setText(logic_.label(in.column));
    return ok;
}

void TCORVF000::refresh() {
    for (const Input& in : std::as_const(inputs_)) {
        if (in.edit != focusWidget())
            in.edit->setText(logic_.text(in.column));
        if (in.description)
            in.description->setText(logic_.label(in.column));
    }
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

void TCORVF000::closeScreen() {
    logic_.close();
}

} // namespace corvane::reference
