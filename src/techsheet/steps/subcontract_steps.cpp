#include "subcontract_steps.h"

#include "screens/field_input.h"
#include "screens/field_rule.h"
#include "shell/data_modules.h"

namespace corvane::techsheet {

namespace {

// The inputs the steps send the focus to.
screens::FieldRule serviceRule() {
    return stepRule(StepTable::Subcontract, "SERVICO", "Edit_Servico", 0, "Serviço");
}
screens::FieldRule typeRule(int n) {
    return stepRule(StepTable::Subcontract, "MPTMAT%1", "Edit_TMat%1", n, "Material %1: tipo");
}
screens::FieldRule codeRule(int n) {
    return stepRule(StepTable::Subcontract, "MPNRO%1", "Edit_MpNro%1", n, "Material %1: código");
}
screens::FieldRule fabricRule() {
    return stepRule(StepTable::SheetHeader, "TECIDO", "Edit_Tecido", 0, "Tecido  : ");
}
screens::FieldRule piecesRule() {
    return stepRule(StepTable::SheetHeader, "PECAS_TECIDO", "Edit_PecasTecido", 0,
                    "Nr.Peças Enquadradas  : ");
}
QString typeField(int n) {
    return typeRule(n).input;
}

} // namespace

// ---- TCORVF035_SUBCONT ---------------------------------------------------------

SubcontractStep::SubcontractStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                                 QString user, ScreenView& view)
    : StepScreenBase(ctx, data, factura, std::move(user), view),
      servicesByCode_(factura, QStringLiteral("SERVICOSNUM"),
                      articles::articleListSql(articles::ArticleList::Services)),
      servicesByName_(
          factura, QStringLiteral("SERVICOSALFA"),
          articles::articleListSql(articles::ArticleList::Services, articles::ArticleOrder::Designation)),
      types_(data.db, QStringLiteral("TIPOMATERIAL"),
             QStringLiteral("Select * From TIPOMATERIAL Order By CODIGO")) {
    setArticleList(articles::ArticleList::MaterialsOfType);
}

QString SubcontractStep::caption() const {
    return QStringLiteral("Ramalhar ( Subcontrato)");
}

bool SubcontractStep::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    QString error;
    if (!readPriceBasis(&error) || !servicesByCode_.reopen(&error) || !servicesByCode_.fetchAll(&error) ||
        !servicesByName_.reopen(&error) || !servicesByName_.fetchAll(&error) || !types_.reopen(&error) ||
        !types_.fetchAll(&error))
        return notOpened(error);
    const std::optional<QVariantMap> row = sheets_.subcontract(ctx_->ArticleCode, step_, &error);
    if (!row)
        return notOpened(error);
    stored_ = row->isEmpty() ? SubcontractEntry{} : subcontractOf(*row);
    entry_ = SubcontractEntry{};
    if (!row->isEmpty()) {
        entry_.SERVICO = stored_.SERVICO;
        entry_.PRECO = stored_.PRECO;
        const int r = screens::findKey(servicesByCode_, QStringLiteral("CODIGO"), entry_.SERVICO);
        entry_.serviceDesignation =
            r < 0 ? kNoService : servicesByCode_.text(r, QStringLiteral("DESIGNACAO")).trimmed();
    }
    loadMaterials(stored_);
    return true;
}

QList<StepInput> SubcontractStep::serviceInputs() {
    // Listed as articles are, from the services' own lists.
    screens::LookupSpec services = articleLookup();
    services.dataset = QStringLiteral("SERVICOSNUM");
    services.alphabeticalDataset = QStringLiteral("SERVICOSALFA");
    services.menuEntries = QStringList{QStringLiteral("Procurar ( &Código )")};
    services.alphabeticalMenuEntry = QStringLiteral("Procurar ( &Designação )");
    return {withLookup({serviceRule(), [this](const QString& typed) { return serviceLeft(typed); }}, services,
                       QStringLiteral("Label_Servico")),
            {stepRule(StepTable::Subcontract, "PRECO", "Edit_ServPreco", 0, "Preço do serviço"),
             [this](const QString& typed) { return servicePriceLeft(typed); }}};
}

QList<StepInput> SubcontractStep::inputs() {
    QList<StepInput> all = serviceInputs();
    for (int n = 1; n <= kMaterials; ++n)
        all << materialInputs(n);
    return all;
}

QList<StepInput> SubcontractStep::materialInputs(int n) {
    using T = StepTable;
    const auto left = [this, n](bool (SubcontractStep::*check)(int, const QString&)) {
        return [this, n, check](const QString& typed) { return (this->*check)(n, typed); };
    };
    return {withLookup({typeRule(n), left(&SubcontractStep::typeLeft)}, materialTypeLookup()),
            withLookup({codeRule(n), left(&SubcontractStep::codeLeft)}, articleLookup(),
                       QStringLiteral("Label_MpNro%1").arg(n)),
            {stepRule(T::Subcontract, "MPQTD%1", "Edit_QtdMp%1", n, "Material %1: quantidade"),
             left(&SubcontractStep::quantityLeft)},
            shownInput(T::Subcontract, "MPUND%1", "Edit_Und%1", n, "Material %1: unidade"),
            {stepRule(T::Subcontract, "MPPRECO%1", "Edit_PrecoMp%1", n, "Material %1: preço"),
             left(&SubcontractStep::priceLeft)},
            {stepRule(T::Subcontract, "MPCUSTO%1", "Edit_CustoMp%1", n, "Material %1: custo"),
             left(&SubcontractStep::costLeft)}};
}

void SubcontractStep::loadMaterials(const SubcontractEntry& stored) {
    for (int n = 1; n <= kMaterials; ++n) {
        const std::size_t i = index(n);
        materials_[i] = {};
        labels_[i].clear();
        entry_.MPTMAT[i] = 0;
        if (i >= stored.materials.size() || stored.materials[i].code.isEmpty())
            continue;
        materials_[i] = stored.materials[i];
        entry_.MPTMAT[i] = stored.MPTMAT[i];
        // Its designation among the articles of its type.
        const std::optional<MaterialArticle> a = findArticle(materials_[i].code);
        const bool found = a && a->type == stored.MPTMAT[i];
        labels_[i] = found ? a->designation : kNoArticleLabel;
        materials_[i].designation = found ? a->designation : QString();
    }
}

bool SubcontractStep::serviceLeft(const QString& typed) {
    if (suspended())
        return true;
    const int r = screens::findKey(servicesByCode_, QStringLiteral("CODIGO"), typed.trimmed());
    const QString designation =
        r < 0 ? QString() : servicesByCode_.text(r, QStringLiteral("DESIGNACAO")).trimmed();
    const QString code = r < 0 ? typed : servicesByCode_.text(r, QStringLiteral("CODIGO"));
    Notes notes;
    const bool ok = takeService(entry_, code, r < 0 ? nullptr : &designation, notes);
    if (!ok)
        refuse(notes.messages.value(0), serviceRule().input);
    return ok;
}

bool SubcontractStep::servicePriceLeft(const QString& typed) {
    if (suspended())
        return true;
    double price = 0;
    if (!typed.trimmed().isEmpty() && !readNumberOf(typed, &price))
        return false;
    Notes notes;
    const bool ok = takeServicePrice(entry_, price, notes);
    show(notes);
    return ok;
}

void SubcontractStep::typeEntered(int n) {
    if (validRow(n))
        editedRow_ = n;
    ctx_->StepCancelled = false;
}

bool SubcontractStep::openTypeArticles(int type) {
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

bool SubcontractStep::typeLeft(int n, const QString& typed) {
    if (suspended() || !validRow(n))
        return true;
    int type = 0;
    QString message;
    if (typed.trimmed().isEmpty() || !screens::readWholeNumber(typed, &type, &message) ||
        screens::findKey(types_, QStringLiteral("CODIGO"), type) < 0)
        return refuse(QStringLiteral("Seleccione o Tipo de Material ..."));
    editedRow_ = n;
    entry_.MPTMAT[index(n)] = type;
    return openTypeArticles(type);
}

bool SubcontractStep::codeLeft(int n, const QString& typed) {
    if (suspended() || !validRow(n))
        return true;
    if (!openTypeArticles(entry_.MPTMAT[index(n)]))
        return false;
    return rowCodeLeft(materials_, labels_, n, typed, byCode_, [this] { cancelMaterials(); });
}

bool SubcontractStep::quantityLeft(int n, const QString& typed) {
    return suspended() || !validRow(n) || quantityOf(materials_[index(n)], typed);
}

bool SubcontractStep::priceLeft(int n, const QString& typed) {
    if (suspended() || !validRow(n))
        return true;
    const PriceAnswer answer = priceOf(materials_[index(n)], typed);
    if (answer == PriceAnswer::Dropped) {
        labels_[index(n)].clear();
        view_.focusField(codeRule(n).input);
    }
    return answer != PriceAnswer::Refused;
}

bool SubcontractStep::costLeft(int n, const QString& typed) {
    return suspended() || !validRow(n) || costOf(materials_[index(n)], typed, true);
}

void SubcontractStep::cancelMaterials() {
    ctx_->StepCancelled = true;
    loadMaterials(stored_);
    view_.focusField(typeField(1));
}

void SubcontractStep::changeService() {
    view_.focusField(serviceRule().input);
}

SubcontractEntry SubcontractStep::entryToWrite() const {
    SubcontractEntry e = entry_;
    e.materials.assign(materials_.begin(), materials_.end());
    return e;
}

bool SubcontractStep::finishStep() {
    ctx_->StepCancelled = false;
    const SubcontractEntry e = entryToWrite();
    for (const QString& question : subcontractClosingQuestions(e))
        if (!view_.confirm(question)) {
            view_.focusField(serviceRule().input);
            return false;
        }
    QString error;
    CostTypes costTypes;
    if (!reported(readCostTypes(costTypes, &error), error))
        return false;
    std::vector<FictecDetLine> lines;
    int detail = 1; // the store numbers them after the article's greatest number
    Notes notes;
    if (!subcontractLines(ctx_->ArticleCode, step_, e, costTypes, detail, lines, notes)) {
        show(notes); // nothing written: the step keeps its lines
        return false;
    }
    const QVariantMap row = subcontractColumns(ctx_->ArticleCode, step_, e);
    if (!writeStep(std::move(lines), {},
                   [this, &row](QString* err) { return sheets_.putSubcontract(row, err); }))
        return false;
    stored_ = e;
    return true;
}

// ---- TCORVF035_TECIDO ------------------------------------------------------------

FabricStep::FabricStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                       ScreenView& view)
    : StepScreenBase(ctx, data, factura, std::move(user), view) {
    step_ = QStringLiteral("L");
    setArticleList(articles::ArticleList::Fabrics);
    for (db::Dataset* d : {&byCode_, &byName_}) {
        d->setParam(QStringLiteral("WTMat1"), 100);
        d->setParam(QStringLiteral("WTMat2"), 119);
    }
}

QList<StepInput> FabricStep::inputs() {
    using T = StepTable;
    const auto left = [this](bool (FabricStep::*check)(const QString&)) {
        return [this, check](const QString& typed) { return (this->*check)(typed); };
    };
    StepInput fitting{stepRule(T::SheetHeader, "ENQ_TECIDO", "Edit_EnqTecido", 0, "Tipo Enquad. : "),
                      left(&FabricStep::fittingLeft)};
    fitting.rule.kind = screens::FieldKind::Upper;
    return {
        withLookup({fabricRule(), left(&FabricStep::codeLeft)}, articleLookup(),
                   QStringLiteral("Label_Tecido")),
        {stepRule(T::SheetLines, "PRECO", "Edit_PrecoTecido", 0, "Preço   : "), left(&FabricStep::priceLeft)},
        {stepRule(T::SheetLines, "VALOR", "Edit_CustoTecido", 0, "Custo   : "), left(&FabricStep::costLeft)},
        {stepRule(T::SheetHeader, "LARG_TECIDO", "Edit_LargTecido", 0, "Largura : "),
         left(&FabricStep::widthLeft)},
        fitting,
        {piecesRule(), left(&FabricStep::piecesLeft)},
        {stepRule(T::SheetLines, "QUANT", "Edit_QuantTecido", 0, "Consumo : "),
         left(&FabricStep::consumptionLeft)}};
}

QString FabricStep::caption() const {
    return QStringLiteral("Seleccione o Tecido");
}

bool FabricStep::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    layout_ = {};
    layout_.ClothWidth = ctx_->ClothWidth;
    layout_.ClothFitting = ctx_->ClothFitting;
    layout_.ClothPieces = ctx_->ClothPieces;
    layout_.ClothMetres = ctx_->ClothMetres;
    if (ctx_->ArticleLength == 0 || ctx_->ArticleWidth == 0) {
        view_.beep();
        view_.message(QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura do Velisca nulo ..."));
    }
    QString error;
    if (!readPriceBasis(&error))
        return notOpened(error);
    // The line of step "L", whatever cost type it was written with.
    const std::optional<FictecDetLine> line = sheets_.fabricLine(ctx_->ArticleCode, &error);
    if (!line || !openArticles(&error))
        return notOpened(error);
    fabric_ = {line->CODIGOMP, line->DESIGN, line->UNIDADE, line->QUANT, line->PRECO, line->VALOR};
    label_ = fabric_.designation;
    layout_.consumption = line->QUANT;
    layout_.price = line->PRECO;
    layout_.cost = line->VALOR;
    return true;
}

bool FabricStep::typedNumber(const QString& typed, double* out) {
    *out = 0;
    return typed.trimmed().isEmpty() || readNumberOf(typed, out);
}

bool FabricStep::taken(bool ok, const Notes& notes) {
    show(notes);
    ctx_->ClothWidth = layout_.ClothWidth;
    ctx_->ClothFitting = layout_.ClothFitting;
    ctx_->ClothPieces = layout_.ClothPieces;
    ctx_->ClothMetres = layout_.ClothMetres;
    return ok;
}

void FabricStep::codeEntered() {
    ctx_->StepCancelled = false;
}

bool FabricStep::codeLeft(const QString& typed) {
    if (suspended())
        return true;
    const QString code = typed.trimmed();
    if (code.isEmpty())
        return refuse(kNoMaterialCode);
    const int row = screens::findKey(byCode_, QStringLiteral("CODIGO"), code);
    if (row < 0) {
        view_.message(kUnknownArticle);
        return false;
    }
    if (!fabric_.code.isEmpty() && sameCode(code, fabric_.code))
        return true; // the fabric of the line stays as it is
    const MaterialArticle a = articleOf(byCode_, row);
    const double largura = byCode_.number(row, QStringLiteral("LARGURA")); // cm
    // A fabric refused by its questions is not taken: the line keeps its own.
    if ((a.price == 0 && !view_.confirm(kNoArticlePrice)) ||
        (largura == 0 && !view_.confirm(QStringLiteral("Artigo sem largura definida. Continua ?")))) {
        cancelFabric();
        return true;
    }
    fabric_.code = a.code;
    fabric_.designation = label_ = a.designation;
    fabric_.unit = a.unit;
    takeFabric(layout_, a.price, largura);
    return taken(true, {});
}

bool FabricStep::widthLeft(const QString& typed) {
    double width = 0;
    if (suspended())
        return true;
    if (!typedNumber(typed, &width))
        return false;
    Notes notes;
    return taken(takeFabricWidth(layout_, width, notes), notes);
}

bool FabricStep::fittingLeft(const QString& typed) {
    if (suspended())
        return true;
    Notes notes;
    if (!takeFabricFitting(layout_, typed, notes)) {
        view_.message(notes.messages.value(0)); // without a beep
        return false;
    }
    return taken(true, {});
}

bool FabricStep::piecesLeft(const QString& typed) {
    if (suspended())
        return true;
    double pieces = 0;
    if (!typedNumber(typed, &pieces))
        return false;
    Notes notes;
    return taken(takeFabricPieces(layout_, int(pieces), ctx_->ArticleLength, ctx_->ArticleWidth, notes),
                 notes);
}

bool FabricStep::consumptionLeft(const QString& typed) {
    double consumption = 0;
    if (suspended())
        return true;
    if (!typedNumber(typed, &consumption))
        return false;
    Notes notes;
    if (!takeFabricConsumption(layout_, consumption, notes)) {
        show(notes);
        view_.focusField(piecesRule().input);
        return false;
    }
    return true;
}

bool FabricStep::priceLeft(const QString& typed) {
    double price = 0;
    if (suspended())
        return true;
    if (!typedNumber(typed, &price))
        return false;
    Notes notes;
    return taken(takeFabricPrice(layout_, price, notes), notes);
}

bool FabricStep::costLeft(const QString& typed) {
    double cost = 0;
    if (suspended())
        return true;
    if (!typedNumber(typed, &cost))
        return false;
    Notes notes;
    return taken(takeFabricCost(layout_, cost, notes), notes);
}

void FabricStep::cancelFabric() {
    ctx_->StepCancelled = true;
    view_.focusField(fabricRule().input);
}

bool FabricStep::finishStep() {
    ctx_->StepCancelled = false;
    taken(true, {});
    if (fabric_.code.isEmpty())
        return true; // no fabric chosen: no line
    QString error;
    CostTypes costTypes;
    if (!reported(readCostTypes(costTypes, &error), error))
        return false;
    MaterialEntry f = fabric_;
    f.quantity = layout_.consumption;
    f.price = layout_.price;
    f.cost = layout_.cost;
    FictecDetLine line;
    Notes notes;
    if (!fabricLine(ctx_->ArticleCode, 0, f, costTypes, ctx_->ClothCostType, line, notes)) {
        show(notes); // the layout still reaches the header
        return true;
    }
    written_ = reported(sheets_.saveFabricLine(line, &error), error);
    return written_;
}

} // namespace corvane::techsheet
