#include "table_screen_configs.h"

#include "reference/reference_tables.h"
#include "shell/version_steps.h"
#include "shell/version_tables.h"

#include <limits>

namespace corvane::reference {

namespace {

const QString kDesignation = QStringLiteral("Designação : ");

// Widths and kinds of the inputs come from the table's description.
FieldRule designation() {
    FieldRule f;
    f.column = QStringLiteral("DESIGNACAO");
    f.input = QStringLiteral("Edit_Designacao");
    f.label = kDesignation;
    f.emptyMessage = QStringLiteral("Designação Inválida !!!");
    return f;
}

FieldRule oneToSeven(const QString& column, const QString& input, const QString& label) {
    FieldRule f;
    f.column = column;
    f.input = input;
    f.label = label;
    f.kind = FieldKind::SmallWhole;
    f.emptyMessage = QStringLiteral("Valor Inválido");
    f.min = 1;
    f.max = 7;
    f.rangeMessage = QStringLiteral("Digite de [1 a 7]");
    return f;
}

FieldRule plain(const QString& column, const QString& input, const QString& label,
                FieldKind kind = FieldKind::Text) {
    FieldRule f;
    f.column = column;
    f.input = input;
    f.label = label;
    f.kind = kind;
    return f;
}

} // namespace

TableScreenConfig referenceScreen(const char* name, const char* caption, const char* program,
                                  const db::Table& table) {
    TableScreenConfig c;
    c.name = QString::fromLatin1(name);
    c.caption = QString::fromUtf8(caption);
    c.chapter = kRightsChapter;
    c.program = QString::fromLatin1(program);
    c.table = shell::atCurrentVersion(table);
    return c;
}

LookupSpec costTypeLookup() {
    LookupSpec l;
    l.dataset = QStringLiteral("TIPOCUSTO");
    l.labelColumn = QStringLiteral("DESIGNACAO");
    l.labelName = QStringLiteral("LabelTipoCusto");
    l.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"), QStringLiteral("CLAS")};
    l.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação"), QStringLiteral("Classe")};
    l.notFoundMessage = QStringLiteral("Tipo de Custo Inexistente");
    return l;
}

FieldRule costTypeField(const QString& column) {
    FieldRule f = plain(column, QStringLiteral("Edit_TC"), QStringLiteral("Tipo de Custo : "), FieldKind::Whole);
    f.emptyMessage = QStringLiteral("Valor Inválido");
    f.min = std::numeric_limits<int>::min();
    f.max = 99;
    f.rangeMessage = QStringLiteral("Digite [1..99]");
    f.lookup = costTypeLookup();
    return f;
}

TableScreenConfig costTypesScreen() {
    TableScreenConfig c =
        referenceScreen("TCORVF001", "Tabela de Tipos de Custo", "Tipos de Custos", tipoCustoTable());
    FieldRule tu = plain(QStringLiteral("TU"), QStringLiteral("Edit_TU"),
                         QStringLiteral("Tipo de Unidade : "), FieldKind::Upper);
    tu.hint = QStringLiteral("Tipo de Unidade, [N-Numérica, P-Percentual, V-Valor Fixo, F-Preço Fixo]");
    tu.allowed =
        QStringList{QStringLiteral("N"), QStringLiteral("P"), QStringLiteral("F"), QStringLiteral("V")};
    tu.allowedMessage = QStringLiteral("Digite [N]/[P]/[V]/[F]");
    FieldRule waste = plain(QStringLiteral("DESPERD"), QStringLiteral("Edit_Desperd"),
                            QStringLiteral("Desperdício : "), FieldKind::Number);
    waste.hint = QStringLiteral("Indique a % de desperdício ...");
    waste.suffix = QStringLiteral("(%)");
    c.fields = {
        designation(),
        oneToSeven(QStringLiteral("CLAS"), QStringLiteral("Edit_Clas"), QStringLiteral("Classificação : ")),
        tu, waste,
        oneToSeven(QStringLiteral("CLAS_ORC"), QStringLiteral("Edit_Orcam"),
                   QStringLiteral("Palete Orçamento : "))};
    c.setGrid({"CODIGO=Código", "DESIGNACAO=Designação", "CLAS=Clas.", "TU=T.U.", "DESPERD=Desperd."});
    c.panels = {
        {QStringLiteral("Panel3"), QStringLiteral("Edit_Codigo"), QStringLiteral("Códigos Fixos"),
         QStringList{QStringLiteral("20 , Desenho"), QStringLiteral("40 , Embalagem"),
                     QStringLiteral("50 , SubContratos")}},
        {QStringLiteral("PanelLabel"), QStringLiteral("Edit_Clas"), QStringLiteral("Classificação"),
         QStringList{QStringLiteral("1, Artigos-Matéria Prima"), QStringLiteral("2, Artigos-Acessórios"),
                     QStringLiteral("3, Tab.Operações - Estrutura"),
                     QStringLiteral("4, Tab.Operações-Serviços"), QStringLiteral("5, Tab.Operações-Desenho"),
                     QStringLiteral("6, Tabela Máquinas"), QStringLiteral("7, Tab.Operações-Embalagem")}},
        {QStringLiteral("Panel2"), QStringLiteral("Edit_Orcam"), QStringLiteral("Custos Orçamento"),
         QStringList{QStringLiteral("1, Materais"), QStringLiteral("2, Transformação"),
                     QStringLiteral("3, Custos Fixos"), QStringLiteral("4, Qualid./Defeit."),
                     QStringLiteral("5, Estrutura"), QStringLiteral("6, Embalagem"),
                     QStringLiteral("7, Subcontratos")}},
    };
    return c;
}

TableScreenConfig operationsScreen() {
    TableScreenConfig c = referenceScreen("TCORVF002", "Tabela de Operações", "Operacoes", shell::operacoesTable());
    FieldRule tc = costTypeField(QStringLiteral("TC"));
    tc.hint = QStringLiteral("Tecla <INSERT> Para Procurar Tipo de Custo");
    FieldRule price = plain(QStringLiteral("PRECO"), QStringLiteral("Edit_Preco"),
                            QStringLiteral("Preço/% : "), FieldKind::Number);
    price.hint = QStringLiteral("Preço Padrão");
    FieldRule composite = plain(QStringLiteral("TIPOCUSTO"), QStringLiteral("Edit_TipoCusto"),
                                QStringLiteral("Referência : "));
    composite.readOnly = true;
    c.fields = {designation(),
                tc,
                plain(QStringLiteral("UNIDADE"), QStringLiteral("Edit_Und"), QStringLiteral("Unidade : ")),
                plain(QStringLiteral("TU"), QStringLiteral("Edit_TU"), QStringLiteral("Tipo de Unidade : "),
                      FieldKind::Upper),
                price,
                composite};
    c.setGrid({"CODIGO=Operação Nº", "DESIGNACAO=Designação da Operação", "TC=TC", "UNIDADE=Unid.",
                "TU=T.Unid.", "TIPOCUSTO=Referência"});
    return c;
}

TableScreenConfig machineGroupsScreen() {
    TableScreenConfig c = referenceScreen("TCORVF004", "Grupo de Máquinas", "Grupo de Maquinas", grupoMaquinasTable());
    c.smallIntegerCode = true;
    FieldRule name = designation();
    name.checkWhileSettling = true;
    FieldRule type = plain(QStringLiteral("TIPOMAQ"), QStringLiteral("Edit_TipoMaq"),
                           QStringLiteral("Tipo Máquina : "), FieldKind::SmallWhole);
    type.emptyMessage = QStringLiteral("Tipo de Máquina Inválida ...");
    type.min = 1;
    type.max = 9;
    type.rangeMessage = type.emptyMessage;
    c.fields = {name, type};
    c.setGrid({"CODIGO=Código", "DESIGNACAO=Designação", "TIPOMAQ=Tip.Máq."});
    c.orderChoice = false;
    c.panels = {
        {QStringLiteral("PanelTipoMaq"), QStringLiteral("Edit_TipoMaq"), QStringLiteral("Tipos de Máquinas"),
         QStringList{QStringLiteral("1, Corte"), QStringLiteral("2, Corte e Coze"),
                     QStringLiteral("3, Tear ( Tricotados )"), QStringLiteral("4, Tear (Alt.Def e 100%Acr)"),
                     QStringLiteral("5, Ponto Corrido"), QStringLiteral("6, Vaporizar"),
                     QStringLiteral("7, Remalhar"), QStringLiteral("8, Impressão"),
                     QStringLiteral("9, Corte c/Serra Eléctrica")}}};
    return c;
}

TableScreenConfig materialTypesScreen() {
    TableScreenConfig c = referenceScreen("TCORVF005", "Tipo de Material", "Tipo de Material", tipoMaterialTable());
    c.codeMax = 179;
    c.smallIntegerCode = true;
    c.codeHint = QStringLiteral("Digite de 1 a 99 ...");
    c.fields = {designation()};
    c.setGrid({"CODIGO=Código", "DESIGNACAO=Designação"});
    c.orderChoice = false;
    c.panels = {{QStringLiteral("PanelLegenda"), QString(), QStringLiteral("Digite no Código"),
                 QStringList{QStringLiteral("1 a 10, Etiquetas Tecidas/Estampadas"),
                             QStringLiteral("11 a 20, Etiquetas Cartão"), QStringLiteral("21 a 40, Tintas"),
                             QStringLiteral("41 a 99, Fios"), QStringLiteral("100 a 119, Tecidos"),
                             QStringLiteral("120 a 139, Embalagens"), QStringLiteral("140 a 159, Franjas"),
                             QStringLiteral("160 a 179, Cabides")}}};
    return c;
}

TableScreenConfig workTypesScreen() {
    TableScreenConfig c = referenceScreen("TCORVF006", "Tipos de Trabalho", "Tipo de Trabalho", tipoTrabalhoTable());
    c.smallIntegerCode = true;
    c.codeHint = QStringLiteral("Digite de 1 a 99999 ...");
    c.fields = {designation(), plain(QStringLiteral("PASSAG_CM"), QStringLiteral("Edit_PassagCm"),
                                       QStringLiteral("Passag. P/ Cm. : "), FieldKind::SmallWhole)};
    c.setGrid({"CODIGO=Código", "DESIGNACAO=Designação", "PASSAG_CM=Passag./Cm"});
    c.orderChoice = false;
    return c;
}

} // namespace corvane::reference
