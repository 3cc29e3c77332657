#include "machine_steps.h"

#include "core/rounding.h"
#include "shell/data_modules.h"
#include "shell/parameters_store.h"
#include "techsheet/step_lines.h"

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

bool MachineStepScreen::finishStep() {
    ctx_->StepCancelled = false;
    if (!gridLeft())
        return false;
    Notes chosen;
    if (!checkMachineChosen(rows_, chosen))
        return refusedInGrid(chosen);
    if (!closingQuestions())
        return false; // the step says where the focus goes
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

// ---- typed minutes -------------------------------------------------------------

bool TypedMinutesStep::timeLeft(int row, const QString& typed) {
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

void TypedMinutesStep::restoreRow(WorkMachineRow& row, const FictecDetLine& line) const {
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

bool TypedMinutesStep::marksRow(const FictecDetLine& line) const {
    return line.TIPO == ctx_->MachineCostType;
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
    if (std::all_of(questions.cbegin(), questions.cend(),
                    [this](const QString& q) { return view_.confirm(q); }))
        return true;
    view_.focusField(kStepGrid);
    return false;
}

void MachineStep::materialLines(const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                                Notes& notes) const {
    if (!hasMaterial() || material_.code.isEmpty())
        return;
    machineMaterialLine(ctx_->ArticleCode, step_, material_, costTypes, materialCostTypes(), detail, lines,
                        notes);
}

// ---- TCORVF035_MAQIMPR -------------------------------------------------------

PrintingStep::PrintingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                           QString user, ScreenView& view)
    : TypedMinutesStep(ctx, data, factura, std::move(user), view, MachineScreen::Printing,
                       ctx.MachineGroupType) {
    setArticleList(articles::ArticleList::StepInks);
}

bool PrintingStep::open() {
    if (ctx_->ArticleLength == 0 || ctx_->ArticleWidth == 0) {
        view_.beep();
        return notOpened(QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura Nulo ..."));
    }
    return TypedMinutesStep::open();
}

QString PrintingStep::caption() const {
    return QStringLiteral("Impressão");
}

InkCosting PrintingStep::costing() const {
    return {printArea(ctx_->ArticleLength, ctx_->ArticleWidth), ctx_->PrintSurfacePercent, convKgsTintas_};
}

void PrintingStep::opened() {
    QString error;
    const std::optional<QVariant> k =
        shell::ParametersStore(data_.db).programValue(QStringLiteral("CONV_KGS_TINTAS"), &error);
    convKgsTintas_ = k ? k->toDouble() : 0;
    db::Dataset& mp = data_.MAQUINASMP;
    const bool mpOpen = mp.isOpen() || mp.open(&error);
    if (!error.isEmpty() || !openArticles(&error) || !mpOpen || !mp.fetchAll(&error))
        view_.message(error);
    current_ = 0;
    following_ = true;
    reloadInks(); // the screen opens in the grid
}

std::optional<MaterialEntry> PrintingStep::inkArticle(const QString& code) {
    const std::optional<MaterialArticle> a = findArticle(code);
    if (!a)
        return std::nullopt;
    return MaterialEntry{a->code, a->designation, a->unit, 0, a->price, 0};
}

void PrintingStep::reloadInks() {
    inks_.assign(kInkRows, InkRow{});
    labels_ = {};
    QString error;
    const std::optional<std::vector<FictecDetLine>> lines =
        sheets_.stepLines(ctx_->ArticleCode, step_, &error);
    if (!lines) {
        view_.message(error);
        return;
    }
    const InkCosting c = costing();
    std::size_t r = 0;
    for (const FictecDetLine& line : *lines) {
        if (line.TIPO != ctx_->InkCostType || line.TIPO == ctx_->MachineCostType || r >= kInkRows)
            continue;
        inks_[r] = inkFromLine(line, c);
        const std::optional<MaterialEntry> a = inkArticle(line.CODIGOMP);
        labels_[r] = a ? a->designation : QStringLiteral("Tinta Inexistente ...");
        if (a)
            inks_[r].designation = a->designation;
        ++r;
    }
    if (!inks_[0].code.isEmpty() || current_ < 0 || current_ >= static_cast<int>(rows_.size()))
        return;
    db::Dataset& mp = data_.MAQUINASMP;
    const int found =
        mp.isOpen() ? screens::findKey(mp, QStringLiteral("MAQNRO"), rows_[current_].CODIGO) : -1;
    if (found < 0)
        return;
    std::vector<std::pair<QString, double>> proposal;
    for (int n = 1; n <= kInkRows; ++n)
        proposal.emplace_back(mp.text(found, QStringLiteral("CODIGO%1").arg(n)).trimmed(),
                              mp.number(found, QStringLiteral("CONS_PERC%1").arg(n)));
    proposeInks(
        inks_, proposal, [this](const QString& code) { return inkArticle(code); }, c);
    for (std::size_t n = 0; n < kInkRows; ++n)
        if (!inks_[n].code.isEmpty())
            labels_[n] = inks_[n].designation.isEmpty() ? QStringLiteral("Tinta Inexistente ...")
                                                        : inks_[n].designation;
}

void PrintingStep::gridEntered() {
    inksEnabled_ = false;
    if (following_)
        reloadInks();
}

void PrintingStep::currentRowChanged(int row) {
    if (row == current_ || !following_)
        return;
    current_ = row;
    reloadInks();
}

QList<StepInput> PrintingStep::inputs() {
    QList<StepInput> all;
    for (int n = 1; n <= kInkRows; ++n)
        all << inkInputs(n);
    return all;
}

QList<StepInput> PrintingStep::inkInputs(int n) {
    using T = StepTable;
    return {withLookup({stepRule(T::SheetLines, "CODIGOMP", "Edit_MpNro%1", n, "Tinta %1: código"),
                        [this, n](const QString& typed) { return codeLeft(n, typed); }},
                       articleLookup(), QStringLiteral("Label_MpNro%1").arg(n)),
            {stepRule(T::SheetLines, "PERC_IMPR", "Edit_PercMp%1", n, "Tinta %1: % da área"),
             [this, n](const QString& typed) { return percentLeft(n, typed); }},
            shownInput(T::SheetLines, "QUANT", "Edit_QtdMp%1", n, "Tinta %1: litros"),
            {stepRule(T::SheetLines, "PRECO", "Edit_PrecoMp%1", n, "Tinta %1: preço"),
             [this, n](const QString& typed) { return priceLeft(n, typed); }},
            shownInput(T::SheetLines, "VALOR", "Edit_CustoMp%1", n, "Tinta %1: custo")};
}

void PrintingStep::insertInks() {
    inksEnabled_ = true;
    view_.focusField(QStringLiteral("Edit_MpNro1"));
}

void PrintingStep::codeEntered(int) {
    following_ = false;
}

bool PrintingStep::taken(bool ok, const Notes& notes) {
    show(notes);
    return ok;
}

bool PrintingStep::codeLeft(int n, const QString& typed) {
    if (suspended() || !validInk(n))
        return true;
    const QString code = typed.trimmed();
    InkRow& ink = inks_[index(n)];
    if (!code.isEmpty() && sameCode(code, ink.code))
        return true; // the ink shown stays
    std::optional<MaterialEntry> found;
    if (!code.isEmpty()) {
        const int row = screens::findKey(byCode_, QStringLiteral("CODIGO"), code);
        if (row >= 0) {
            const MaterialArticle a = articleOf(byCode_, row);
            found = MaterialEntry{a.code, a.designation, a.unit, 0, a.price, 0};
        }
    }
    Notes notes;
    if (!taken(takeInkCode(inks_, n, code, found ? &*found : nullptr, costing(), notes), notes))
        return false;
    labels_[index(n)] = ink.designation;
    if (found && found->price == 0 && !view_.confirm(kNoArticlePrice))
        cancelInks();
    return true;
}

bool PrintingStep::numberLeft(int n, const QString& typed, const InkField& take) {
    if (suspended() || !validInk(n) || inks_[index(n)].code.isEmpty())
        return true; // a row without ink has nothing to check
    std::optional<double> value;
    double number = 0;
    if (!typed.trimmed().isEmpty()) {
        if (!readNumberOf(typed, &number))
            return false;
        value = number;
    }
    Notes notes;
    return taken(take(inks_[index(n)], value, costing(), notes), notes);
}

bool PrintingStep::percentLeft(int n, const QString& typed) {
    return numberLeft(n, typed, takeInkPercent);
}

bool PrintingStep::priceLeft(int n, const QString& typed) {
    return numberLeft(n, typed, takeInkPrice);
}

void PrintingStep::removeInk(int n) {
    if (!validInk(n))
        return;
    inks_[index(n)] = {};
    labels_[index(n)].clear();
}

void PrintingStep::cancelInks() {
    ctx_->StepCancelled = true;
    following_ = true;
    reloadInks();
    view_.focusField(QStringLiteral("Edit_MpNro1"));
}

void PrintingStep::backToGrid() {
    ctx_->StepCancelled = true;
    following_ = true;
    view_.focusField(kStepGrid);
}

bool PrintingStep::closingQuestions() {
    if (inks_[0].code.isEmpty() && !view_.confirm(kNoInks)) {
        view_.focusField(kStepGrid);
        return false;
    }
    Notes notes;
    if (checkInkShares(inks_, notes))
        return true;
    show(notes);
    insertInks(); // the ink fields enabled as by F1
    return false;
}

void PrintingStep::materialLines(const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                                 Notes& notes) const {
    inkLines(ctx_->ArticleCode, step_, inks_, costTypes, ctx_->InkCostType, detail, lines, notes);
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
    row.TIPOPRD = productionModeOf(row, line);
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
