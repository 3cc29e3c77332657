#include "machines_screen.h"

#include "reference/reference_tables.h"

namespace corvane::reference {

namespace {

const QString kGroup = QStringLiteral("GRUPO");
const QString kCostCentre = QStringLiteral("CCUSTO");
const QString kLookupHint = QStringLiteral("Tecla <INS> Procurar ...");

// Kinds and widths come from the table's description.
FieldRule field(const char* column, const char* input, const char* label, const char* suffix = "") {
    FieldRule f;
    f.column = QString::fromLatin1(column);
    f.input = QString::fromLatin1(input);
    f.label = QString::fromUtf8(label);
    f.suffix = QString::fromUtf8(suffix);
    return f;
}

} // namespace

TableScreenConfig machinesScreen() {
    TableScreenConfig c = referenceScreen("TCORVF003", "Tabela de Máquinas", "Maquinas", maquinasTable());
    c.proposeCode = false;
    c.codeLabel = QStringLiteral("Máquina Nº : ");
    c.existsMessage = QStringLiteral("Registo já foi aberto ... <ENTER>");
    FieldRule name = field("DESIGNACAO", "Edit_Designacao", "Designação Máquina : ");
    name.emptyMessage = QStringLiteral("Designação Inválida !!!");
    FieldRule group = field("GRUPO", "Edit_GrupoMaquinas", "Grupo de Máquina : ");
    group.hint = kLookupHint;
    group.emptyMessage = QStringLiteral("Grupo de Máquinas Inválido !!!");
    group.lookup.dataset = QStringLiteral("GRUPOMAQUINAS");
    group.lookup.labelColumn = QStringLiteral("DESIGNACAO");
    group.lookup.labelName = QStringLiteral("Label_GrupoMaquinas");
    group.lookup.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"), QStringLiteral("TIPOMAQ")};
    group.lookup.titles = QStringList{QStringLiteral("Código"), QStringLiteral("Designação"), QStringLiteral("Tipo de Máquina")};
    group.lookup.notFoundMessage = QStringLiteral("Grupo de Máquinas Inexistente ...");
    FieldRule centre = field("CCUSTO", "Edit_CCusto", "Centro de Custo : ");
    centre.hint = kLookupHint;
    centre.lookup.dataset = QStringLiteral("CCUSTO");
    centre.lookup.labelColumn = QStringLiteral("DESIGN");
    centre.lookup.labelName = QStringLiteral("Label_CCusto");
    centre.lookup.columns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGN")};
    centre.lookup.titles = QStringList{QStringLiteral("C.Custo Nº"), QStringLiteral("Designação")};
    centre.lookup.notFoundMessage = QStringLiteral("CCusto Inexistente ...");
    centre.lookup.keyLength = 10;
    FieldRule unit = field("UNDPRD", "Edit_UndProd", "Unid.Prod. : ");
    unit.kind = FieldKind::Upper;
    unit.allowed = QStringList{QStringLiteral("RPM"), QStringLiteral("MTM"), QStringLiteral("UPM")};
    unit.allowedMessage = QStringLiteral("Digite [RPM] ou [MTM] ou [UPM] ");
    unit.checkWhileSettling = true;
    FieldRule price = field("PRECO", "Edit_Preco", "Custo : ");
    price.emptyMessage = QStringLiteral("Custo Hora Inválido");
    c.fields = {
        name,
        field("SIGLA", "DBEdit1", "Sigla : "),
        group,
        centre,
        field("COMPRIM", "Edit_Comprim", "Comprimento : ", "(mm)"),
        field("LARGURA", "Edit_Largura", "Largura : ", "(mm)"),
        field("PRDHOR1", "Edit_PrdHora1", "Produção Minuto, I : "),
        field("PRDHOR2", "Edit_PrdHora2", "II : "),
        unit,
        field("TEMPO_ACERTO1", "Edit_Tempo_Acerto1", "Tmp. Acerto (Minutos), I : "),
        field("TEMPO_ACERTO2", "Edit_Tempo_Acerto2", "II : "),
        price,
        field("PAINEL", "Edit_Painel", "Painel de Máquinas nº : "),
        field("INTERFACE_COD", "Edit_InterfaceCod", "Cod.Máq.Produção  : "),
        field("RAPORT", "Edit_Raport", "Largura do Raport : ", "(mm)"),
        field("LARG_PENTE", "Edit_LargPente", "Largura ao Pente : ", "(mtr)"),
        field("NROPASSAGENS", "Edit_NroPass", "Nº Passagens : ")};
    c.gridColumns = QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"), kGroup,
                                QStringLiteral("PRDHOR1"), QStringLiteral("UNDPRD")};
    c.gridTitles = QStringList{QStringLiteral("Máquina Nº"), QStringLiteral("Designação"),
                               QStringLiteral("Grp.Máquinas"), QStringLiteral("Prod.Min. I"),
                               QStringLiteral("Un.Prod.")};
    c.panels = {
        {QStringLiteral("PanelUnidade"), QString(), QStringLiteral("Unidade de Produção"),
         QStringList{QStringLiteral("RPM - Rotações p/minuto"), QStringLiteral("MTM - Metros p/minuto"),
                     QStringLiteral("UPM - Unidades p/minuto")}}};
    return c;
}

MachinesScreen::MachinesScreen(db::Dataset& maquinas, db::Dataset& grupoMaquinas, db::Database& contab,
                               const QString& workingYear, ScreenView& view, db::UpdateErrorHandler onError)
    : TableScreen(machinesScreen(), maquinas, view, std::move(onError)), groups_(&grupoMaquinas),
      costCentres_(
          contab, QStringLiteral("CCUSTO"),
          QStringLiteral("SELECT ANO, CODIGO, DESIGN FROM CCUSTO WHERE ANO = :WAno ORDER BY ANO, CODIGO")) {
    costCentres_.setParam(QStringLiteral("WAno"), workingYear);
    addDataset(grupoMaquinas);
    addDataset(costCentres_);
}

QString MachinesScreen::machineCode() const {
    return value(QStringLiteral("CODIGO")).toString();
}
QString MachinesScreen::machineName() const {
    return value(QStringLiteral("DESIGNACAO")).toString();
}

void MachinesScreen::showInks() {
    const FieldRule* group = config().field(kGroup);
    const int row = lookupRow(*group, value(kGroup));
    inksAllowed_ = row >= 0 && groups_->integer(row, QStringLiteral("TIPOMAQ")) == 8;
}

void MachinesScreen::rowShown() {
    showInks();
}

void MachinesScreen::fieldStored(const FieldRule& rule) {
    if (rule.column == kGroup)
        showInks();
}

bool MachinesScreen::gridEnter() {
    const bool written = TableScreen::gridEnter();
    inksAllowed_ = false;
    return written;
}

bool MachinesScreen::checkField(const FieldRule& rule, const QString& text, QVariant* out) {
    if (rule.column == QLatin1String("PRECO") && text.trimmed() == QLatin1String("0"))
        return refuse(rule.input, rule.emptyMessage);
    return TableScreen::checkField(rule, text, out);
}

void MachinesScreen::removeWith(db::UnitOfWork& work) {
    work.addStatement(QStringLiteral("DELETE FROM MAQUINASMP WHERE MAQNRO=:WCODIGO"),
                      {{QStringLiteral("WCODIGO"), machineCode()}});
}

} // namespace corvane::reference
