#include "operation_steps.h"

#include "screens/field_input.h"
#include "screens/field_rule.h"
#include "shell/data_modules.h"

#include <QCollator>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace corvane::techsheet {

namespace {

const QString kArticleColumns =
    QStringLiteral("Select CODIGO,DESIGNACAO, PMCUSTO, PULENTRA, CUSTOPADRAO, UNCOMPRA From ARTIGOSCLS ");
const QString kByType = QStringLiteral("Where TIPOMAT = :WFtTMat Order By ");
// The packaging types' subsidiary materials are articles of types 120 to 139.
const QString kPackagingMaterials = QStringLiteral("Where TIPOMAT >= 120 and TIPOMAT <= 139 Order By ");
const QString kGrid = QStringLiteral("DBGrid1");
const QString kNoArticle = QStringLiteral("Artigo Inexistente ...");
const QString kUnknownArticle = QStringLiteral("Artigo inexistente ...");
const QString kNoPrice = QStringLiteral("Artigo sem preço definido. Continua ?");
const QString kNoCode = QStringLiteral("Insira o código do material ...");
const QString kNoQuantity = QStringLiteral("Insira a Quantidade de Consumo ...");
const QString kNoPriceTyped = QStringLiteral("Insira o Preço de Custo ...");
const QString kNoCost = QStringLiteral("Insira o Custo ...");
const QString kNoMaterial = QStringLiteral("Não inseriu o Material .Deseja Continuar ?");

} // namespace

double priceByBasis(const QString& basis, double standard, double average, double lastEntry) {
    if (basis == QLatin1String("CUP"))
        return standard;
    if (basis == QLatin1String("PMC"))
        return average;
    if (basis == QLatin1String("PUE"))
        return lastEntry;
    return 0;
}

namespace {

bool sameCode(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Reads every row of a select as values in column order.
bool readRows(db::Database& db, const QString& sql, const QVariantMap& params, QList<QVariantList>& out,
              QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q, sql, params, error))
        return false;
    const int columns = q.record().count();
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < columns; ++c)
            row << q.value(c);
        out << row;
    }
    return true;
}

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
    : ctx_(&ctx), data_(data), factura_(factura), user_(std::move(user)), view_(view), step_(ctx.StepCode),
      sheets_(data.db), work_(data.db, user_), byCode_(factura, QStringLiteral("ARTIGOSNUM"), {}),
      byName_(factura, QStringLiteral("ARTIGOSALFA"), {}) {}

void OperationStepScreen::show(const Notes& notes) {
    for (const QString& m : notes.messages) {
        view_.beep();
        view_.message(m);
    }
}

bool OperationStepScreen::readNumberOf(const QString& text, double* out) {
    QString message;
    if (screens::readNumber(text.trimmed(), out, &message))
        return true;
    view_.beep();
    view_.message(message);
    return false;
}

bool OperationStepScreen::readCostTypes(CostTypes& out, QString* error) {
    QList<QVariantList> rows;
    if (!readRows(data_.db, QStringLiteral("Select CODIGO, DESPERD, CLAS_ORC From TIPOCUSTO Order By CODIGO"),
                  {}, rows, error))
        return false;
    for (const QVariantList& r : rows)
        out.push_back({r.value(0).toInt(), r.value(1).toDouble(), r.value(2).toInt()});
    return true;
}

bool OperationStepScreen::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    QString error;
    const std::optional<QVariant> basis =
        data_.db.scalar(QStringLiteral("Select TIPOPRECO From PARGER Where CODIGO = 1"), {}, &error);
    if (!basis && !error.isEmpty())
        return notOpened(error);
    priceBasis_ = basis ? basis->toString().trimmed().toUpper() : QString();

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
    applySort();
    // The user's work rows are this screen's, marked as shown.
    if (!work_.fillArticles(rows_, &error))
        return notOpened(error);
    materialsFromSheet(*lines);
    opened();
    return true;
}

bool OperationStepScreen::notOpened(const QString& error) {
    view_.message(error);
    ctx_->StepCancelled = true; // the screen closes and writes nothing
    return false;
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
    if (column != QLatin1String("CODIGO") && column != QLatin1String("DESIGNACAO"))
        return;
    sortColumn_ = column;
    applySort();
}

void OperationStepScreen::applySort() {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const bool byName = sortColumn_ == QLatin1String("DESIGNACAO");
    std::stable_sort(rows_.begin(), rows_.end(), [&](const WorkArticleRow& a, const WorkArticleRow& b) {
        return byName ? collator.compare(a.DESIGNACAO, b.DESIGNACAO) < 0 : a.CODIGO < b.CODIGO;
    });
}

bool OperationStepScreen::gridLeft() {
    QString error;
    if (work_.fillArticles(rows_, &error))
        return true;
    view_.message(error);
    return false;
}

bool OperationStepScreen::finish() {
    ctx_->StepCancelled = false;
    if (!gridLeft())
        return false;
    Notes chosen;
    if (!checkOperationChosen(step_, rows_, chosen)) {
        show(chosen);
        view_.focusField(kGrid);
        return false;
    }
    if (!closingQuestions()) {
        view_.focusField(kGrid);
        return false;
    }
    // Rows whose operation or packaging type no longer exists write no line.
    QString error;
    CostTypes costTypes;
    std::vector<WorkArticleRow> existing;
    if (!readCostTypes(costTypes, &error) || !readCandidates(existing, &error)) {
        view_.message(error);
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
    show(notes);
    if (!sheets_.replaceStep(ctx_->ArticleCode, step_, std::move(lines), &error)) {
        view_.message(error);
        return false;
    }
    written_ = true;
    return true;
}

void OperationStepScreen::cancel() {
    ctx_->StepCancelled = true;
}

std::optional<MaterialArticle> OperationStepScreen::findArticle(const QString& code) {
    QString error;
    const std::optional<QVariantMap> row = factura_.firstRow(
        QStringLiteral("Select CODIGO,DESIGNACAO,  TIPOMAT, UNCOMPRA , PMCUSTO, CUSTOPADRAO, PULENTRA From "
                       "ARTIGOSCLS Where Codigo = :WMpNro"),
        {{QStringLiteral("WMpNro"), code.trimmed()}}, &error);
    if (!row) {
        view_.message(error);
        return std::nullopt;
    }
    if (row->isEmpty())
        return std::nullopt;
    MaterialArticle a;
    a.code = row->value(QStringLiteral("CODIGO")).toString().trimmed();
    a.designation = row->value(QStringLiteral("DESIGNACAO")).toString().trimmed();
    a.unit = row->value(QStringLiteral("UNCOMPRA")).toString().trimmed();
    a.type = row->value(QStringLiteral("TIPOMAT")).toInt();
    a.price = priceByBasis(priceBasis_, row->value(QStringLiteral("CUSTOPADRAO")).toDouble(),
                           row->value(QStringLiteral("PMCUSTO")).toDouble(),
                           row->value(QStringLiteral("PULENTRA")).toDouble());
    return a;
}

MaterialArticle OperationStepScreen::articleOf(db::Dataset& articles, int row) const {
    MaterialArticle a;
    a.code = articles.text(row, QStringLiteral("CODIGO")).trimmed();
    a.designation = articles.text(row, QStringLiteral("DESIGNACAO")).trimmed();
    a.unit = articles.text(row, QStringLiteral("UNCOMPRA")).trimmed();
    a.price = priceByBasis(priceBasis_, articles.number(row, QStringLiteral("CUSTOPADRAO")),
                           articles.number(row, QStringLiteral("PMCUSTO")),
                           articles.number(row, QStringLiteral("PULENTRA")));
    return a;
}

bool OperationStepScreen::openArticles(QString* error) {
    return byCode_.reopen(error) && byCode_.fetchAll(error) && byName_.reopen(error) &&
           byName_.fetchAll(error);
}

bool OperationStepScreen::refuse(const QString& message) {
    view_.beep();
    view_.message(message);
    return false;
}

bool OperationStepScreen::quantityOf(MaterialEntry& m, const QString& typed) {
    double q = 0;
    if (!typed.trimmed().isEmpty() && !readNumberOf(typed, &q))
        return false;
    if (q == 0)
        return refuse(kNoQuantity);
    m.quantity = q;
    m.cost = q * m.price;
    return true;
}

OperationStepScreen::PriceAnswer OperationStepScreen::priceOf(MaterialEntry& m, const QString& typed) {
    double p = 0;
    if (typed.trimmed().isEmpty()) {
        refuse(kNoPriceTyped);
        return PriceAnswer::Refused;
    }
    if (!readNumberOf(typed, &p))
        return PriceAnswer::Refused;
    if (p == 0 && !view_.confirm(kNoPrice)) {
        m = {};
        return PriceAnswer::Dropped;
    }
    m.price = p;
    m.cost = m.quantity * p;
    return PriceAnswer::Taken;
}

bool OperationStepScreen::costOf(MaterialEntry& m, const QString& typed, bool zeroRefused) {
    double c = 0;
    if (typed.trimmed().isEmpty())
        return refuse(kNoCost);
    if (!readNumberOf(typed, &c))
        return false;
    if (zeroRefused && c == 0)
        return refuse(kNoCost);
    m.cost = c;
    return true;
}

// ---- TCORVF035_OPERACOES -------------------------------------------------------

OperationStep::OperationStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                             QString user, ScreenView& view)
    : OperationStepScreen(ctx, data, factura, std::move(user), view),
      types_(data.db, QStringLiteral("TIPOMATERIAL"),
             QStringLiteral(
                 "Select * From TIPOMATERIAL Where Codigo >=:WTMat1 and Codigo <=:WTMat2 Order By CODIGO")) {
    // The material types of the step: hangers 160 to 179, cardboard labels 11 to 20.
    const bool hanger = step_ == QLatin1String("D");
    types_.setParam(QStringLiteral("WTMat1"), hanger ? 160 : 11);
    types_.setParam(QStringLiteral("WTMat2"), hanger ? 179 : 20);
    byCode_.setSelectSql(kArticleColumns + kByType + QStringLiteral("CODIGO"));
    byName_.setSelectSql(kArticleColumns + kByType + QStringLiteral("DESIGNACAO"));
}

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
    for (const FictecDetLine& line : lines) {
        if (line.TIPO != costType() || line.OPERACAO == QLatin1String("S"))
            continue;
        material_ = {line.CODIGOMP, line.DESIGN, line.UNIDADE, line.QUANT, line.PRECO, line.VALOR};
        materialType_ = 0;
        materialLabel_ = kNoArticle;
        if (const std::optional<MaterialArticle> a = findArticle(line.CODIGOMP)) {
            material_.designation = materialLabel_ = a->designation;
            material_.unit = a->unit;
            materialType_ = a->type;
        }
    }
}

void OperationStep::opened() {
    QString error;
    if (hasMaterial() && (!types_.reopen(&error) || !types_.fetchAll(&error)))
        view_.message(error);
    if ((step_ == QLatin1String("H") || step_ == QLatin1String("D")) && ctx_->OperationMinutes == 0) {
        view_.beep();
        view_.message(
            QStringLiteral("Não vai poder seleccionar nenhuma Operação, use a tecla <CANCELAR> ..."));
    }
}

bool OperationStep::insertMaterial() {
    if (!hasMaterial())
        return false;
    materialEnabled_ = true;
    view_.focusField(QStringLiteral("Edit_TipoMat"));
    return true;
}

void OperationStep::typeEntered() {
    ctx_->StepCancelled = false;
}

bool OperationStep::openTypeArticles(int type) {
    if (articlesType_ == type && byCode_.isOpen())
        return true;
    QString error;
    byCode_.setParam(QStringLiteral("WFtTMat"), type);
    byName_.setParam(QStringLiteral("WFtTMat"), type);
    if (!openArticles(&error)) {
        view_.message(error);
        return false;
    }
    articlesType_ = type;
    return true;
}

bool OperationStep::typeLeft(const QString& typed) {
    if (suspended())
        return true;
    int type = 0;
    QString message;
    if (typed.trimmed().isEmpty() || !screens::readWholeNumber(typed, &type, &message) ||
        screens::findKey(types_, QStringLiteral("CODIGO"), type) < 0) {
        view_.beep();
        view_.message(QStringLiteral("Seleccione o Tipo de Material ..."));
        return false;
    }
    materialType_ = type;
    return openTypeArticles(type);
}

bool OperationStep::codeLeft(const QString& typed) {
    if (suspended())
        return true;
    const QString code = typed.trimmed();
    if (code.isEmpty()) {
        return refuse(kNoCode);
    }
    if (sameCode(code, material_.code) && !material_.code.isEmpty())
        return true; // the material shown stays
    const int row =
        openTypeArticles(materialType_) ? screens::findKey(byCode_, QStringLiteral("CODIGO"), code) : -1;
    if (row < 0) {
        return refuse(kUnknownArticle);
    }
    const MaterialArticle a = articleOf(byCode_, row);
    material_ = {a.code, a.designation, a.unit, 0, a.price, 0};
    materialLabel_ = a.designation;
    if (a.price == 0 && !view_.confirm(kNoPrice)) {
        cancelMaterial();
        return true;
    }
    return true;
}

bool OperationStep::quantityLeft(const QString& typed) {
    return suspended() || quantityOf(material_, typed);
}

bool OperationStep::priceLeft(const QString& typed) {
    if (suspended())
        return true;
    const PriceAnswer answer = priceOf(material_, typed);
    if (answer == PriceAnswer::Dropped) {
        materialType_ = 0;
        materialLabel_.clear();
        view_.focusField(QStringLiteral("Edit_TipoMat"));
    }
    return answer != PriceAnswer::Refused;
}

bool OperationStep::costLeft(const QString& typed) {
    return suspended() || costOf(material_, typed, false);
}

void OperationStep::cancelMaterial() {
    material_ = {};
    materialType_ = 0;
    materialLabel_.clear();
    ctx_->StepCancelled = true;
    view_.focusField(QStringLiteral("Edit_TipoMat"));
}

void OperationStep::backToGrid(bool fromType) {
    if (fromType)
        ctx_->StepCancelled = true;
    view_.focusField(kGrid);
}

bool OperationStep::closingQuestions() {
    if (!hasMaterial())
        return true;
    if (material_.code.isEmpty())
        return view_.confirm(kNoMaterial);
    if (material_.quantity == 0 &&
        !view_.confirm(QStringLiteral("Não inseriu o consumo de Material .Deseja Continuar ?")))
        return false;
    return material_.price != 0 ||
           view_.confirm(QStringLiteral("Não inseriu o Custo de Material .Deseja Continuar ?"));
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
    byCode_.setSelectSql(kArticleColumns + kPackagingMaterials + QStringLiteral("CODIGO"));
    byName_.setSelectSql(kArticleColumns + kPackagingMaterials + QStringLiteral("DESIGNACAO"));
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
        labels_[n] = kNoArticle;
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
    for (int n = 1; n <= kMaterials; ++n) {
        const QString code = mp.text(r, QStringLiteral("ARTNRO%1").arg(n)).trimmed();
        if (code.isEmpty())
            continue;
        MaterialEntry& m = materials_[n - 1];
        m.code = code;
        m.designation = labels_[n - 1] = mp.text(r, QStringLiteral("DESIGNACAO%1").arg(n)).trimmed();
        m.unit = mp.text(r, QStringLiteral("UND%1").arg(n)).trimmed();
        m.quantity = mp.number(r, QStringLiteral("QTD%1").arg(n));
        m.price = mp.number(r, QStringLiteral("PRECO%1").arg(n));
        m.cost = m.quantity * m.price;
    }
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
}

bool PackagingStep::codeLeft(int n, const QString& typed) {
    if (suspended() || n < 1 || n > kMaterials)
        return true;
    const QString code = typed.trimmed();
    MaterialEntry& m = materials_[n - 1];
    if (sameCode(code, m.code))
        return true;
    if (code.isEmpty()) {
        if (n == 1) {
            view_.beep();
            view_.message(kNoCode);
            return false;
        }
        for (int k = n; k <= kMaterials; ++k)
            if (n == 2 || k == 3)
                clearRow(k);
        view_.focusField(QStringLiteral("Edit_MpNro1"));
        return true;
    }
    const int row = screens::findKey(byCode_, QStringLiteral("CODIGO"), code);
    if (row < 0) {
        return refuse(kUnknownArticle);
    }
    const MaterialArticle a = articleOf(byCode_, row);
    m = {a.code, a.designation, a.unit, 0, a.price, 0};
    labels_[n - 1] = a.designation;
    if (a.price == 0 && !view_.confirm(kNoPrice))
        cancelMaterials();
    return true;
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
    return !materials_[0].code.isEmpty() || view_.confirm(kNoMaterial);
}

std::vector<MaterialEntry> PackagingStep::materialsToWrite() const {
    return {materials_.begin(), materials_.end()};
}

} // namespace corvane::techsheet
