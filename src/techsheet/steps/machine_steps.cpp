#include "machine_steps.h"

#include "core/rounding.h"
#include "shell/data_modules.h"

#include <algorithm>

namespace corvane::techsheet {

// ---- both screens ------------------------------------------------------------

MachineStepScreen::MachineStepScreen(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                     QString user, ScreenView& view, MachineScreen kind, int groupType)
    : StepScreenBase(ctx, data, factura, std::move(user), view), kind_(kind), groupType_(groupType) {}

bool MachineStepScreen::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    Notes measures;
    machineMeasuresNote(kind_, ctx_->ArticleLength, ctx_->ArticleWidth, measures);
    show(measures);
    QString error;
    if (!readPriceBasis(&error))
        return notOpened(error);
    std::vector<WorkMachineRow> rows;
    const std::optional<std::vector<FictecDetLine>> lines =
        sheets_.stepLines(ctx_->ArticleCode, step_, &error);
    if (!lines || !readMachines(groupType_, rows, &error))
        return notOpened(error);
    rows_ = std::move(rows);
    for (const FictecDetLine& line : *lines) {
        if (marksRow(line))
            tickMachines(rows_, line, [&](WorkMachineRow& r) { restoreRow(r, line); });
    }
    sortRows(rows_, sortColumn_);
    if (!work_.fillMachines(rows_, &error))
        return notOpened(error);
    materialsFromSheet(*lines);
    opened();
    return true;
}

void MachineStepScreen::refineRestored(WorkMachineRow& row, const WorkMachineRow& computed) {
    if (computed.QTD == row.QTD && computed.QTD_SEMACERTO == row.QTD_SEMACERTO &&
        roundTo(computed.PRECO, 2) == row.PRECO && roundTo(computed.CUSTO, 2) == row.CUSTO) {
        row.PRECO = computed.PRECO;
        row.CUSTO = computed.CUSTO;
    }
}

void MachineStepScreen::okLeft(int row, bool ticked) {
    if (!validRow(row))
        return;
    WorkMachineRow& r = rows_[row];
    if (ticked)
        r.OK = QStringLiteral("S");
    else
        untickMachine(r, kind_);
}

void MachineStepScreen::sortBy(const QString& column) {
    sortMachines(rows_, column);
}

bool MachineStepScreen::gridLeft() {
    return keepMachines(rows_);
}

bool MachineStepScreen::finish() {
    ctx_->StepCancelled = false;
    if (!gridLeft())
        return false;
    Notes chosen;
    if (!checkMachineChosen(rows_, chosen) || !closingQuestions())
        return refusedInGrid(chosen);
    QString error;
    CostTypes costTypes;
    if (!reported(readCostTypes(costTypes, &error), error))
        return false;
    std::vector<FictecDetLine> lines;
    int detail = 1; // the store numbers them after the article's greatest number
    Notes notes;
    machineTimeLines(kind_, ctx_->ArticleCode, step_, rows_, costTypes, ctx_->MachineCostType, detail, lines,
                     notes);
    materialLines(costTypes, detail, lines, notes);
    return writeStep(std::move(lines), notes);
}

// ---- TCORVF035_MAQUINAS ------------------------------------------------------

MachineStep::MachineStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                         ScreenView& view)
    : OneMaterialStep(
          QStringLiteral(
              "Select * From TIPOMATERIAL where codigo >=:WTMat1 and codigo <=:WTmat2 Order By CODIGO"),
          QStringLiteral("WTmat2"), machineMaterialTypes(ctx.StepCode), ctx, data, factura, std::move(user),
          view, MachineScreen::Machines, ctx.MachineGroupType) {}

QString MachineStep::caption() const {
    switch (groupType_) {
    case 2:
        return QStringLiteral("Maquinas Corte e Coze");
    case 5:
        return QStringLiteral("Maquinas Ponto Corrido");
    case 6:
        return QStringLiteral("Vaporizar");
    case 7:
        return QStringLiteral("Ramalhar / Bordar");
    default:
        return QStringLiteral("Corte e Coze");
    }
}

QString MachineStep::unitShown() const {
    return freeMachineMaterial(step_) && !material_.code.isEmpty() ? QStringLiteral("Und") : material_.unit;
}

MaterialCostTypes MachineStep::materialCostTypes() const {
    return {ctx_->YarnCostType, ctx_->FringeCostType, ctx_->LabelCostType};
}

bool MachineStep::timeLeft(int row, const QString& typed) {
    if (!validRow(row))
        return false;
    double minutes = 0;
    if (!typed.trimmed().isEmpty() && !readNumberOf(typed, &minutes))
        return false;
    WorkMachineRow& r = rows_[row];
    WorkMachineRow costed = r;
    costed.QTD = minutes;
    Notes notes;
    const bool taken = costTypedMinutes(costed, notes);
    show(notes);
    if (taken)
        r = costed;
    else
        view_.focusField(kStepGrid);
    return taken;
}

void MachineStep::restoreRow(WorkMachineRow& row, const FictecDetLine& line) const {
    // Typed minutes keep mode 0; the line's time without set-up is its minutes.
    row.TIPOPRD = 0;
    row.QTD_SEMACERTO = line.TMP_SEMACERTO.value_or(0);
    WorkMachineRow computed = row;
    Notes ignored;
    if (costTypedMinutes(computed, ignored)) {
        computed.QTD_SEMACERTO = row.QTD_SEMACERTO;
        refineRestored(row, computed);
    }
}

bool MachineStep::marksRow(const FictecDetLine& line) const {
    return line.TIPO == ctx_->MachineCostType;
}

void MachineStep::materialsFromSheet(const std::vector<FictecDetLine>& lines) {
    for (const FictecDetLine& line : lines)
        if (!marksRow(line) && hasMaterial())
            takeSheetMaterial(line); // the last one read wins
    if (fringe() && material_.code.isEmpty())
        material_.quantity = ctx_->FringeMeasure;
}

QString MachineStep::unitOf(const MaterialArticle& a) const {
    return fringe() ? QStringLiteral("Cm") : a.unit;
}

void MachineStep::opened() {
    openMaterialTypes();
}

void MachineStep::materialInserted() {
    if (fringe() && material_.quantity == 0)
        material_.quantity = ctx_->FringeMeasure;
}

void MachineStep::materialCleared() {
    if (fringe())
        material_.quantity = ctx_->FringeMeasure;
}

void MachineStep::materialChosen(const MaterialArticle& a) {
    const double quantity = material_.quantity;
    material_ = machineMaterial(step_, a.code, a.designation, a.unit, a.price, ctx_->FringeMeasure);
    if (fringe() && quantity != 0) {
        material_.quantity = quantity; // the fringe measure shown stays
        material_.cost = material_.quantity * material_.price;
    }
    if (freeMachineMaterial(step_)) {
        if (view_.confirm(QStringLiteral("Deseja Gravar ?")))
            finish();
        else
            view_.focusField(kStepGrid);
        return;
    }
    if (material_.price == 0 && !view_.confirm(kNoArticlePrice))
        cancelMaterial();
}

bool MachineStep::closingQuestions() {
    const QStringList questions = machineClosingQuestions(step_, material_);
    return std::all_of(questions.cbegin(), questions.cend(),
                       [this](const QString& q) { return view_.confirm(q); });
}

void MachineStep::materialLines(const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                                Notes& notes) const {
    if (!hasMaterial() || material_.code.isEmpty())
        return;
    machineMaterialLine(ctx_->ArticleCode, step_, material_, costTypes, materialCostTypes(), detail, lines,
                        notes);
}

// ---- TCORVF035_CORTEULTSOM ---------------------------------------------------

UltrasoundStep::UltrasoundStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                               QString user, ScreenView& view)
    : MachineStepScreen(ctx, data, factura, std::move(user), view, MachineScreen::Ultrasound, 1) {
    step_ = QStringLiteral("J");
}

QString UltrasoundStep::caption() const {
    return QStringLiteral("Seleccione a Máquina de Corte Ultra Som");
}

bool UltrasoundStep::modeLeft(int row, const QString& typed) {
    if (!validRow(row))
        return false;
    const QString t = typed.trimmed();
    const int mode = t == QLatin1String("1") ? 1 : t == QLatin1String("2") ? 2 : 0;
    WorkMachineRow costed = rows_[row];
    Notes notes;
    const bool taken = costUltrasound(costed, mode, ctx_->ArticleLength, notes);
    show(notes);
    if (taken)
        rows_[row] = costed;
    else
        view_.focusField(kStepGrid);
    return taken;
}

void UltrasoundStep::restoreRow(WorkMachineRow& row, const FictecDetLine& line) const {
    // The mode whose set-up the line holds; the time without set-up it wrote.
    row.TIPOPRD = line.TMPACE.value_or(row.ACERTO1) == row.ACERTO1 ? 1 : 2;
    row.QTD_SEMACERTO = line.TMP_SEMACERTO.value_or(0);
    WorkMachineRow computed = row;
    Notes ignored;
    if (costUltrasound(computed, row.TIPOPRD, ctx_->ArticleLength, ignored))
        refineRestored(row, computed);
}

bool UltrasoundStep::marksRow(const FictecDetLine&) const {
    return true; // every line of the step
}

} // namespace corvane::techsheet
