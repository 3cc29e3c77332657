#include "machines_screen.h"

#include "field_input.h"

namespace corvane::reference {

namespace {

const QString kGroup = QStringLiteral("GRUPO");
const QString kCostCentre = QStringLiteral("CCUSTO");
const QString kLookupHint = QStringLiteral("Tecla <INS> Procurar ...");

FieldRule field(const char* column, const char* input, const char* label, FieldKind kind, int length = 0,
                const char* suffix = "") {
    FieldRule f;
    f.column = QString::fromLatin1(column);
    f.input = QString::fromLatin1(input);
    f.label = QString::fromUtf8(label);
    f.kind = kind;
    f.maxLength = length;
    f.suffix = QString::fromUtf8(suffix);
    return f;
}

} // namespace

TableScreenConfig machinesScreen() {
    TableScreenConfig c;
    c.name = QStringLiteral("TCORVF003");
    c.caption = QStringLiteral("Tabela de Máquinas");
    c.program = QStringLiteral("Maquinas");
    c.codeLength = 10;
    c.proposeCode = false;
    c.codeLabel = QStringLiteral("Máquina Nº : ");
    c.existsMessage = QStringLiteral("Registo já foi aberto ... <ENTER>");
    FieldRule name = field("DESIGNACAO", "Edit_Designacao", "Designação Máquina : ", FieldKind::Text, 40);
    name.emptyMessage = QStringLiteral("Designação Inválida !!!");
    FieldRule group = field("GRUPO", "Edit_GrupoMaquinas", "Grupo de Máquina : ", FieldKind::SmallWhole);
    group.hint = kLookupHint;
    FieldRule centre = field("CCUSTO", "Edit_CCusto", "Centro de Custo : ", FieldKind::Text, 10);
    centre.hint = kLookupHint;
    FieldRule unit = field("UNDPRD", "Edit_UndProd", "Unid.Prod. : ", FieldKind::Upper, 3);
    unit.allowed = QStringList{QStringLiteral("RPM"), QStringLiteral("MTM"), QStringLiteral("UPM")};
    unit.allowedMessage = QStringLiteral("Digite [RPM] ou [MTM] ou [UPM] ");
    unit.checkWhileSettling = true;
    FieldRule price = field("PRECO", "Edit_Preco", "Custo : ", FieldKind::Number);
    price.emptyMessage = QStringLiteral("Custo Hora Inválido");
    c.fields = {
        name,
        field("SIGLA", "DBEdit1", "Sigla : ", FieldKind::Text, 12),
        group,
        centre,
        field("COMPRIM", "Edit_Comprim", "Comprimento : ", FieldKind::Whole, 0, "(mm)"),
        field("LARGURA", "Edit_Largura", "Largura : ", FieldKind::Whole, 0, "(mm)"),
        field("PRDHOR1", "Edit_PrdHora1", "Produção Minuto, I : ", FieldKind::Number),
        field("PRDHOR2", "Edit_PrdHora2", "II : ", FieldKind::Number),
        unit,
        field("TEMPO_ACERTO1", "Edit_Tempo_Acerto1", "Tmp. Acerto (Minutos), I : ", FieldKind::Number),
        field("TEMPO_ACERTO2", "Edit_Tempo_Acerto2", "II : ", FieldKind::Number),
        price,
        field("PAINEL", "Edit_Painel", "Painel de Máquinas nº : ", FieldKind::SmallWhole),
        field("INTERFACE_COD", "Edit_InterfaceCod", "Cod.Máq.Produção  : ", FieldKind::SmallWhole),
        field("RAPORT", "Edit_Raport", "Largura do Raport : ", FieldKind::Whole, 0, "(mm)"),
        field("LARG_PENTE", "Edit_LargPente", "Largura ao Pente : ", FieldKind::Number, 0, "(mtr)"),
        field("NROPASSAGENS", "Edit_NroPass", "Nº Passagens : ", FieldKind::Whole)};
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
}

bool MachinesScreen::openMore(QString* error) {
    return groups_->reopen(error) && groups_->fetchAll(error) && costCentres_.reopen(error) &&
           costCentres_.fetchAll(error);
}

void MachinesScreen::closeMore() {
    groups_->close();
    costCentres_.close();
}

QString MachinesScreen::machineCode() const {
    return value(QStringLiteral("CODIGO")).toString();
}
QString MachinesScreen::machineName() const {
    return value(QStringLiteral("DESIGNACAO")).toString();
}

bool MachinesScreen::showGroup(const QVariant& group) {
    const int row =
        group.isNull() || !groups_->isOpen() ? -1 : groups_->locate(QStringLiteral("CODIGO"), group);
    groupLabel_ = row >= 0 ? groups_->text(row, QStringLiteral("DESIGNACAO")) : QString();
    inksAllowed_ = row >= 0 && groups_->integer(row, QStringLiteral("TIPOMAQ")) == 8;
    return row >= 0;
}

bool MachinesScreen::showCostCentre(const QString& code) {
    costCentreLabel_.clear();
    if (code.trimmed().isEmpty() || !costCentres_.isOpen())
        return false;
    for (int r = 0; r < costCentres_.rowCount(); ++r)
        if (costCentres_.text(r, QStringLiteral("CODIGO")).trimmed() == code.left(10).trimmed()) {
            costCentreLabel_ = costCentres_.text(r, QStringLiteral("DESIGN"));
            return true;
        }
    return false;
}

void MachinesScreen::rowShown() {
    showGroup(value(kGroup));
    showCostCentre(value(kCostCentre).toString());
}

bool MachinesScreen::gridEnter() {
    const bool written = TableScreen::gridEnter();
    inksAllowed_ = false;
    return written;
}

bool MachinesScreen::checkField(const FieldRule& rule, const QString& text, QVariant* out) {
    if (rule.column == kGroup) {
        if (text.trimmed().isEmpty())
            return refuse(rule.input, QStringLiteral("Grupo de Máquinas Inválido !!!"));
        int group = 0;
        QString message;
        if (!readWholeNumber(text, &group, &message))
            return refuse(rule.input, message);
        if (!showGroup(group))
            return refuse(rule.input, QStringLiteral("Grupo de Máquinas Inexistente ..."));
        *out = group;
        return true;
    }
    if (rule.column == kCostCentre) {
        if (!showCostCentre(text) && !text.trimmed().isEmpty())
            return refuse(rule.input, QStringLiteral("CCusto Inexistente ..."));
        *out = text.trimmed().left(10);
        return true;
    }
    if (rule.column == QLatin1String("PRECO") && text.trimmed() == QLatin1String("0"))
        return refuse(rule.input, rule.emptyMessage);
    return TableScreen::checkField(rule, text, out);
}

bool MachinesScreen::beforeRemove(QString* error) {
    return dataset().database().exec(QStringLiteral("DELETE FROM MAQUINASMP WHERE MAQNRO=:WCODIGO"),
                                     {{QStringLiteral("WCODIGO"), machineCode()}}, error);
}

} // namespace corvane::reference
