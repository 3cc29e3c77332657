#include "operation_steps.h"

#include "screens/field_input.h"
#include "screens/field_rule.h"
#include "shell/data_modules.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace corvane::techsheet {

namespace {

// The packaging types' subsidiary materials are articles of types 120 to 139.

// Candidate rows from CODIGO, DESIGNACAO, UNCOMPRA, CUSTOPADRAO.
std::vector<WorkArticleRow> candidatesOf(const QList<QVariantList>& rows) {
    std::vector<WorkArticleRow> out;
    for (const QVariantList& r : rows) {
        WorkArticleRow w;
        w.CODIGO = r.value(0).toString().trimmed();
        w.DESIGNACAO = r.value(1).toString().trimmed();
        w.UNCOMPRA = r.value(2).toString().trimmed();
        w.CUSTOPADRAO = r.value(3).toDouble();
        out.push_back(w);
    }
    return out;
}

} // namespace

// ---- both screens ------------------------------------------------------------

OperationStepScreen::OperationStepScreen(TechSheetContext& ctx, shell::TDTCORVANE& data,
                                         db::Database& factura, QString user, ScreenView& view)
    : StepScreenBase(ctx, data, factura, std::move(user), view) {}

bool OperationStepScreen::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    QString error;
    if (!readPriceBasis(&error))
        return notOpened(error);

    std::vector<WorkArticleRow> rows;
    const std::optional<std::vector<FictecDetLine>> lines =
        sheets_.stepLines(ctx_->ArticleCode, step_, &error);
    if (!lines || !readCandidates(rows, &error))
        return notOpened(error);
    rows_ = std::move(rows);
    for (const FictecDetLine& line : *lines) {
        if (!marksRow(line))
            continue;
        const int r = rowOf(line.CODIGOMP);
        if (r < 0)
            continue;
        rows_[r].OK = QStringLiteral("S");
        rows_[r].QTD = line.QUANT;
        rows_[r].PRECO = line.PRECO;
        rows_[r].CUSTO = line.VALOR;
    }
    sortRows(rows_, sortColumn_);
    // The user's work rows are this screen's, marked as shown.
    if (!work_.fillArticles(rows_, &error))
        return notOpened(error);
    materialsFromSheet(*lines);
    opened();
    return true;
}

int OperationStepScreen::rowOf(const QString& code) const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (sameCode(rows_[r].CODIGO, code))
            return static_cast<int>(r);
    return -1;
}

void OperationStepScreen::okLeft(int row, bool ticked) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    WorkArticleRow& r = rows_[row];
    if (!ticked) {
        r.OK = QStringLiteral("N");
        r.QTD = r.PRECO = r.CUSTO = 0;
        return;
    }
    Notes notes;
    costOperationRow(r, step_, r.QTD, ctx_->OperationMinutes, notes);
    show(notes);
}

bool OperationStepScreen::timeLeft(int row, const QString& typed) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    WorkArticleRow& r = rows_[row];
    std::optional<double> time;
    if (!typed.trimmed().isEmpty()) {
        double value = 0;
        if (!readNumberOf(typed, &value))
            return false;
        time = value;
    }
    if (!r.ticked()) {
        r.QTD = time.value_or(0);
        return true;
    }
    Notes notes;
    const bool costed = costOperationRow(r, step_, time, ctx_->OperationMinutes, notes);
    show(notes);
    return costed;
}

void OperationStepScreen::sortBy(const QString& column) {
    if (takeSortColumn(column))
        sortRows(rows_, sortColumn_);
}

bool OperationStepScreen::gridLeft() {
    QString error;
    return reported(work_.fillArticles(rows_, &error), error);
}

bool OperationStepScreen::finishStep() {
    ctx_->StepCancelled = false;
    if (!gridLeft())
        return false;
    Notes chosen;
    if (!checkOperationChosen(step_, rows_, chosen) || !closingQuestions())
        return refusedInGrid(chosen);
    // Rows whose operation or packaging type no longer exists write no line.
    QString error;
    CostTypes costTypes;
    std::vector<WorkArticleRow> existing;
    if (!reported(readCostTypes(costTypes, &error) && readCandidates(existing, &error), error))
        return false;
    Notes costType;
    if (!checkPackagingCostType(step_, costTypes, costType)) {
        show(costType); // nothing written: the step keeps its lines
        return false;
    }
    std::vector<WorkArticleRow> kept;
    for (const WorkArticleRow& r : rows_)
        if (std::any_of(existing.begin(), existing.end(),
                        [&r](const WorkArticleRow& e) { return sameCode(e.CODIGO, r.CODIGO); }))
            kept.push_back(r);

    const OperationCostTypes types{ctx_->HangerCostType, ctx_->CardLabelCostType};
    std::vector<FictecDetLine> lines;
    int detail = 1; // the store numbers them after the article's greatest number
    Notes notes;
    operationLines(ctx_->ArticleCode, step_, kept, costTypes, types, detail, lines);
    operationMaterialLines(ctx_->ArticleCode, step_, materialsToWrite(), costTypes, types, detail, lines,
                           notes);
    return writeStep(std::move(lines), notes);
}

// ---- TCORVF035_OPERACOES -------------------------------------------------------

bool OperationStepScreen::confirmAll(const QStringList& questions) {
    return std::all_of(questions.cbegin(), questions.cend(),
                       [this](const QString& q) { return view_.confirm(q); });
}

OperationStep::OperationStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                             QString user, ScreenView& view)
    : OneMaterialStep(
          QStringLiteral(
              "Select * From TIPOMATERIAL Where Codigo >=:WTMat1 and Codigo <=:WTMat2 Order By CODIGO"),
          QStringLiteral("WTMat2"), operationMaterialTypes(ctx.StepCode), ctx, data, factura, std::move(user),
          view) {}

QString OperationStep::caption() const {
    if (step_ == QLatin1String("H"))
        return QStringLiteral("Seleccione a Operação (Desenho)");
    if (step_ == QLatin1String("D"))
        return QStringLiteral("Seleccione a Operação (Colocação Cabide)");
    return QStringLiteral("Seleccione a Operação (Colocação Etiqueta Cartolina)");
}

int OperationStep::costType() const {
    return operationCostType(step_, {ctx_->HangerCostType, ctx_->CardLabelCostType});
}

bool OperationStep::readCandidates(std::vector<WorkArticleRow>& rows, QString* error) {
    QList<QVariantList> found;
    if (!readRows(
            data_.db,
            QStringLiteral("Select TIPOCUSTO, DESIGNACAO, UNIDADE, PRECO From OPERACOES Where TC = :WTC "
                           "Order By TIPOCUSTO"),
            {{QStringLiteral("WTC"), costType()}}, found, error))
        return false;
    rows = candidatesOf(found);
    return true;
}

bool OperationStep::marksRow(const FictecDetLine&) const {
    return true; // every line of the step
}

void OperationStep::materialsFromSheet(const std::vector<FictecDetLine>& lines) {
    if (!hasMaterial())
        return;
    for (const FictecDetLine& line : lines)
        if (line.TIPO == costType() && line.OPERACAO != QLatin1String("S"))
            takeSheetMaterial(line);
}

void OperationStep::opened() {
    openMaterialTypes();
    Notes notes;
    operationMinutesNote(step_, ctx_->OperationMinutes, notes);
    show(notes);
}

void OperationStep::materialChosen(const MaterialArticle& a) {
    material_ = {a.code, a.designation, a.unit, 0, a.price, 0};
    if (a.price == 0 && !view_.confirm(kNoArticlePrice))
        cancelMaterial();
}

bool OperationStep::closingQuestions() {
    return confirmAll(operationClosingQuestions(step_, materialsToWrite()));
}

std::vector<MaterialEntry> OperationStep::materialsToWrite() const {
    if (!hasMaterial() || material_.code.isEmpty())
        return {};
    return {material_};
}

// ---- TCORVF035_EMBALAGEM -------------------------------------------------------

PackagingStep::PackagingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                             QString user, ScreenView& view)
    : OperationStepScreen(ctx, data, factura, std::move(user), view) {
    setArticleList(articles::ArticleList::StepPackaging);
}

QList<StepInput> PackagingStep::inputs() {
    QList<StepInput> all;
    for (int n = 1; n <= kMaterials; ++n)
        all << materialInputs(n);
    return all;
}

QList<StepInput> PackagingStep::materialInputs(int n) {
    return materialRow(
        n, [this](int row, const QString& typed) { return codeLeft(row, typed); },
        [this](int row, const QString& typed) { return quantityLeft(row, typed); },
        [this](int row, const QString& typed) { return priceLeft(row, typed); },
        [this](int row, const QString& typed) { return costLeft(row, typed); });
}

QString PackagingStep::caption() const {
    return QStringLiteral("Seleccione a Operação (Embalagem)");
}

bool PackagingStep::readCandidates(std::vector<WorkArticleRow>& rows, QString* error) {
    QList<QVariantList> found;
    if (!readRows(
            data_.db,
            QStringLiteral("Select CODIGO, DESIGNACAO, 'Min', CUSTOFIXO From EMBALAGEM Where TIPOCUSTO = 40 "
                           "Order By CODIGO"),
            {}, found, error))
        return false;
    rows = candidatesOf(found);
    return true;
}

bool PackagingStep::marksRow(const FictecDetLine& line) const {
    return line.OPERACAO == QLatin1String("S");
}

void PackagingStep::materialsFromSheet(const std::vector<FictecDetLine>&) {
    // The reload reads the step's lines itself, when the rows are shown.
}

void PackagingStep::opened() {
    QString error;
    db::Dataset& mp = data_.EMBALAGEMMP;
    const bool mpOpen = mp.isOpen() || mp.open(&error);
    if (!openArticles(&error) || !mpOpen || !mp.fetchAll(&error))
        view_.message(error);
    current_ = 0;
    following_ = true;
    reloadMaterials();
}

void PackagingStep::clearRow(int n) {
    materials_[n - 1] = {};
    labels_[n - 1].clear();
}

void PackagingStep::reloadMaterials() {
    for (int n = 1; n <= kMaterials; ++n)
        clearRow(n);
    QString error;
    const std::optional<std::vector<FictecDetLine>> lines =
        sheets_.stepLines(ctx_->ArticleCode, step_, &error);
    if (!lines) {
        view_.message(error);
        return;
    }
    int n = 0;
    for (const FictecDetLine& line : *lines) {
        if (line.OPERACAO == QLatin1String("S") || n >= kMaterials)
            continue;
        MaterialEntry& m = materials_[n];
        m = {line.CODIGOMP, line.DESIGN, line.UNIDADE, line.QUANT, line.PRECO, line.VALOR};
        labels_[n] = kNoArticleLabel;
        if (const std::optional<MaterialArticle> a = findArticle(line.CODIGOMP)) {
            m.designation = labels_[n] = a->designation;
            m.unit = a->unit;
        }
        ++n;
    }
    if (n == 0)
        propose();
}

void PackagingStep::propose() {
    if (current_ < 0 || current_ >= static_cast<int>(rows_.size()))
        return;
    db::Dataset& mp = data_.EMBALAGEMMP;
    const int r = screens::findKey(mp, QStringLiteral("CODIGO"), rows_[current_].CODIGO.toInt());
    if (r < 0)
        return;
    PackagingSubsidiaries subsidiaries{rows_[current_].CODIGO, {}};
    for (int n = 1; n <= kMaterials; ++n)
        subsidiaries.materials[n - 1] = {mp.text(r, QStringLiteral("ARTNRO%1").arg(n)).trimmed(),
                                         mp.text(r, QStringLiteral("DESIGNACAO%1").arg(n)).trimmed(),
                                         mp.text(r, QStringLiteral("UND%1").arg(n)).trimmed(),
                                         mp.number(r, QStringLiteral("QTD%1").arg(n)),
                                         mp.number(r, QStringLiteral("PRECO%1").arg(n)),
                                         0};
    materials_ = proposedPackagingMaterials(subsidiaries);
    for (int n = 1; n <= kMaterials; ++n)
        labels_[n - 1] = materials_[n - 1].designation;
}

void PackagingStep::currentRowChanged(int row) {
    if (row == current_)
        return;
    current_ = row;
    if (following_)
        reloadMaterials();
}

void PackagingStep::insertMaterial() {
    materialEnabled_ = true;
    following_ = false;
    view_.focusField(QStringLiteral("Edit_MpNro1"));
}

void PackagingStep::codeEntered(int n) {
    if (n == 1)
        following_ = false;
    // As the material type on the other steps: entering a code ends the
    // suspension of F7, so the reloaded rows can be edited again.
    ctx_->StepCancelled = false;
}

bool PackagingStep::codeLeft(int n, const QString& typed) {
    if (suspended() || n < 1 || n > kMaterials)
        return true;
    return rowCodeLeft(materials_, labels_, n, typed, byCode_, [this] { cancelMaterials(); });
}

bool PackagingStep::quantityLeft(int n, const QString& typed) {
    return suspended() || n < 1 || n > kMaterials || quantityOf(materials_[n - 1], typed);
}

bool PackagingStep::priceLeft(int n, const QString& typed) {
    if (suspended() || n < 1 || n > kMaterials)
        return true;
    const PriceAnswer answer = priceOf(materials_[n - 1], typed);
    if (answer == PriceAnswer::Dropped) {
        labels_[n - 1].clear();
        view_.focusField(QStringLiteral("Edit_MpNro%1").arg(n));
    }
    return answer != PriceAnswer::Refused;
}

bool PackagingStep::costLeft(int n, const QString& typed) {
    return suspended() || n < 1 || n > kMaterials || costOf(materials_[n - 1], typed, true);
}

void PackagingStep::cancelMaterials() {
    ctx_->StepCancelled = true;
    following_ = true;
    reloadMaterials();
    view_.focusField(QStringLiteral("Edit_MpNro1"));
}

bool PackagingStep::closingQuestions() {
    return confirmAll(operationClosingQuestions(step_, materialsToWrite()));
}

std::vector<MaterialEntry> PackagingStep::materialsToWrite() const {
    return {materials_.begin(), materials_.end()};
}

} // namespace corvane::techsheet
