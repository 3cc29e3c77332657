#include "article_screen.h"

#include "articles/store/article_tables.h"
#include "screens/field_input.h"
#include "shell/parameters_store.h"

namespace corvane::articles {

using screens::displayText;
using screens::findKey;

namespace {

const QString kFicTecRights = QStringLiteral("Abertura Ficha Tecnica");
const QString kTables = QStringLiteral("Tabelas");

} // namespace

bool sameCode(const QString& a, const QString& b) {
    return screens::sameKey(a, b);
}

QString modeName(ArticleMode mode) {
    switch (mode) {
    case ArticleMode::Browsing:
        return QStringLiteral("browsing");
    case ArticleMode::Inserting:
        return QStringLiteral("inserting");
    case ArticleMode::Changing:
        return QStringLiteral("changing");
    case ArticleMode::Deleting:
        break;
    }
    return QStringLiteral("deleting");
}

ArticleScreen::ArticleScreen(ArticleSources sources, ArticleView& view)
    : src_(std::move(sources)), view_(view), store_(*src_.factura) {
    db::Database& f = *src_.factura;
    auto own = [this](std::unique_ptr<db::Dataset> ds) {
        lookups_.insert(ds->name(), ds.get());
        owned_.push_back(std::move(ds));
    };
    own(std::make_unique<db::Dataset>(f, kCommissions,
                                      QStringLiteral("Select * from comissoes ORDER BY CODIGO"), QString(),
                                      QStringList{QStringLiteral("CODIGO")}));
    own(std::make_unique<db::Dataset>(f, kFamilies, QStringLiteral("Select * From FAMILIAS Order By FAMILIA"),
                                      QString(), QStringList{QStringLiteral("FAMILIA")}));
    own(std::make_unique<db::Dataset>(f, kCompositions,
                                      QStringLiteral("Select * from ARTGCOMP ORDER BY CODIGO"), QString(),
                                      QStringList{QStringLiteral("CODIGO")}));
    own(std::make_unique<db::Dataset>(f, kVat, QStringLiteral("Select * from iva ORDER BY CODIGO"), QString(),
                                      QStringList{QStringLiteral("CODIGO")}));
    own(std::make_unique<db::Dataset>(f, kTariffs, QStringLiteral("Select * From PPAUTAL Order By CODIGO"),
                                      QString(), QStringList{QStringLiteral("CODIGO")}));
    own(std::make_unique<db::Dataset>(
        *src_.contab, kCostCentres,
        QStringLiteral(
            "Select ANO,CODIGO,DESIGN,TIPO from CCUSTO Where ANO = :WAno and TIPO = 'L' Order By ANO,CODIGO"),
        QString(), QStringList{QStringLiteral("ANO"), QStringLiteral("CODIGO")}));
    lookups_.value(kCostCentres)->setParam(QStringLiteral("WAno"), src_.workingYear);
    for (int n = 1; n <= 9; ++n) {
        auto ds = std::make_unique<db::Dataset>(
            f, levelDataset(n),
            QStringLiteral(
                "SELECT TABGRUPO, TABCOD, CODIGO, DESIGNACAO, REDUZDESIGN, REDUZCODIGO FROM CUSTARTG "
                "WHERE TABGRUPO =:WtabGrupo AND TABCOD = :WTabCod AND PAIS = 'PORTUGAL' "
                "ORDER BY TABGRUPO, TABCOD, CODIGO"),
            QString(),
            QStringList{QStringLiteral("TABGRUPO"), QStringLiteral("TABCOD"), QStringLiteral("CODIGO")});
        ds->setParam(QStringLiteral("WTabCod"), QString::number(n));
        ds->setParam(QStringLiteral("WtabGrupo"), QString());
        own(std::move(ds));
    }
    lookups_.insert(kMaterialTypes, src_.materialTypes);
    parGrupos_ = std::make_unique<db::Dataset>(
        f, QStringLiteral("PARGRUPOS"),
        QStringLiteral(
            "SELECT TABGRUPO, TABCOD, TABNOM FROM PARGRUPOS WHERE TABGRUPO =:WtabGrupo ORDER BY TABGRUPO, "
            "TABCOD"),
        QString(), QStringList{QStringLiteral("TABGRUPO"), QStringLiteral("TABCOD")});
    suppliers_ = std::make_unique<db::Dataset>(
        f, QStringLiteral("STKARTGFORN"),
        QStringLiteral(
            "SELECT CODARTG,CODFORN,PRECO,VOSREF,FORN.SIGLA AS SIGLA FROM STKARTGFORN STK JOIN "
            "FORNECEDORES FORN ON FORN.CODIGO=STK.CODFORN Where STK.CODARTG=:WArtigo ORDER BY CODFORN"));
    for (int n = 0; n < 9; ++n)
        captions_ << QString();
}

ArticleScreen::~ArticleScreen() = default;

bool ArticleScreen::readParameters(QString* error) {
    const std::optional<QVariantMap> custom =
        src_.factura->firstRow(QStringLiteral("SELECT * FROM PARCUSTOM WHERE CODIGO = '1'"), {}, error);
    if (!custom)
        return false;
    if (custom->isEmpty()) {
        *error = QStringLiteral("Parâmetros de customização de Artigos Inexistentes ...");
        return false;
    }
    parameters_ = *custom;
    const std::optional<QVariantMap> year =
        shell::ParametersStore(*src_.factura).yearRow(src_.workingYear, error);
    if (!year)
        return false;
    if (year->isEmpty()) {
        *error = QStringLiteral("Parâmetros Gerais Inexistentes");
        return false;
    }
    accounting_ = isYes(year->value(QStringLiteral("CONTABILIDADE")));
    stocks_ = isYes(year->value(QStringLiteral("STOCKS")));
    orders_ = isYes(year->value(QStringLiteral("ENCOMENDAS")));
    return true;
}

bool ArticleScreen::activate(const RightsOf& rightsOf, const QString& signature) {
    view_.statusText(2, signature);
    selectPage(kPageGeneral);
    const QString base = QStringLiteral("MODULO BASE");
    auto allowed = [&](const QString& program) { return rightsOf(base, kTables, program).mayAccess(); };
    buttons_.familyVisible = allowed(QStringLiteral("Familias de Artigos"));
    buttons_.tariffVisible = allowed(QStringLiteral("Posicoes Pautais"));
    buttons_.compositionVisible = allowed(QStringLiteral("Composicoes de Artigos"));
    buttons_.vatVisible = allowed(QStringLiteral("I.V.A."));
    for (int n = 1; n <= 9; ++n)
        buttons_.levelVisible[n - 1] = allowed(QStringLiteral("Custom. Artigos %1").arg(n));
    const shell::AccessRights own =
        rightsOf(QStringLiteral("CORVANE"), QStringLiteral("Fichas Tecnicas"), kFicTecRights);
    buttons_.insertVisible = own.mayInsert();
    buttons_.deleteVisible = own.mayDelete();
    buttons_.scannerVisible = own.mayScan();
    deleteRight_ = buttons_.deleteVisible;
    changeRight_ = own.mayChange();
    view_.statusText(1, changeRight_ ? QString() : kLookOnlyHint);
    store_.setWriteRights(shell::writeRights(own));

    QString error;
    for (auto& ds : owned_)
        if (!ds->name().startsWith(QLatin1String("NIVEL")) && ds->name() != kCostCentres &&
            !ds->reopen(&error)) {
            view_.message(error);
            return false;
        }
    if (src_.materialTypes && !src_.materialTypes->isOpen() && !src_.materialTypes->open(&error)) {
        view_.message(error);
        return false;
    }
    if (!readParameters(&error)) {
        view_.message(error);
        return false;
    }
    buttons_.costCentreEnabled = accounting_;
    if (accounting_ && !lookups_.value(kCostCentres)->reopen(&error)) {
        view_.message(error);
        return false;
    }
    order_ = ArticleOrder::Code;
    if (!openList(&error)) {
        view_.message(error);
        return false;
    }
    mode_ = ArticleMode::Browsing;
    saveGuard_ = 9;
    handlers_ = false;
    row_ = list_->rowCount() > 0 ? 0 : -1;
    showArticle();
    view_.focusField(kList);
    view_.refresh();
    return true;
}

void ArticleScreen::close() {
    handlers_ = false;
    for (auto& ds : owned_)
        ds->close();
    if (list_)
        list_->close();
    suppliers_->close();
    parGrupos_->close();
}

bool ArticleScreen::openList(QString* error) {
    list_ = std::make_unique<db::Dataset>(*src_.factura, QStringLiteral("ARTIGOSCLS"),
                                          articleListSql(ArticleList::Ordinary, order_), QString(),
                                          QStringList{QStringLiteral("CODIGO")});
    if (!list_->open(error))
        return false;
    countArticles();
    return true;
}

bool ArticleScreen::reopenList() {
    QString error;
    if (!openList(&error)) {
        view_.message(error);
        return false;
    }
    return true;
}

void ArticleScreen::countArticles() {
    const std::optional<int> n = store_.ordinaryCount();
    count_ = n ? *n : list_->rowCount();
}

int ArticleScreen::rowOf(const QString& code) {
    const QString column = QStringLiteral("CODIGO");
    for (int r = 0; r < list_->rowCount(); ++r)
        if (screens::sameKey(code, list_->value(r, column)))
            return r;
    if (!list_->readsByKey() || list_->hasPendingUpdates())
        return findKey(*list_, column, code);
    if (order_ == ArticleOrder::Code)
        return screens::seekKey(*list_, column, code);
    // By designation: the list continues at the article's designation and code.
    const std::optional<QVariantMap> row = store_.ordinaryKey(code);
    if (!row || row->isEmpty())
        return -1;
    if (list_->seek({row->value(QStringLiteral("DESIGNACAO")), row->value(column)}) != 0 ||
        !screens::sameKey(code, list_->value(0, column)))
        return -1;
    return 0;
}

bool ArticleScreen::locate(const QString& code) {
    const int row = rowOf(code);
    if (row >= 0) {
        setCurrentRow(row);
        return true;
    }
    // A failed search may have moved the list: back to the article shown.
    const int back = code_.isEmpty() || sameCode(code_, code) ? -1 : rowOf(code_);
    if (back >= 0)
        row_ = back;
    else if (!list_->isOpen() || row_ >= list_->rowCount())
        row_ = list_->rowCount() > 0 ? 0 : -1;
    return false;
}

int ArticleScreen::fetchBefore() {
    QString error;
    const int added = list_->fetchBefore(&error);
    if (added > 0 && row_ >= 0)
        row_ += added;
    return added;
}

void ArticleScreen::reread() {
    const QString keep = code_;
    if (!reopenList())
        return;
    row_ = list_->rowCount() > 0 ? 0 : -1;
    if (!locate(keep))
        showArticle();
}

void ArticleScreen::lastRow() {
    const std::optional<QString> last = store_.lastOrdinary(order_);
    if (last && !last->isEmpty())
        locate(*last);
}

void ArticleScreen::firstRow() {
    if (list_->canFetchBefore())
        reopenList();
    setCurrentRow(list_->rowCount() > 0 ? 0 : -1);
}

void ArticleScreen::sortBy(ArticleOrder order) {
    const QString keep = code_;
    order_ = order;
    if (!reopenList())
        return;
    row_ = list_->rowCount() > 0 ? 0 : -1;
    if (!locate(keep))
        showArticle();
    view_.refresh();
}

void ArticleScreen::setCurrentRow(int row) {
    row_ = row;
    if (mode_ == ArticleMode::Browsing)
        showArticle();
}

// ---- showing -------------------------------------------------------------

void ArticleScreen::clearInputs() {
    texts_.clear();
    for (int n = 0; n < 9; ++n)
        reduced_[n].clear();
}

int ArticleScreen::lookupRow(const QString& dataset, const QString& column, const QVariant& key) const {
    db::Dataset* ds = lookups_.value(dataset);
    if (!ds || !ds->isOpen() || key.toString().trimmed().isEmpty())
        return -1;
    return findKey(*ds, column, key);
}

QString ArticleScreen::lookupText(const QString& dataset, const QString& keyColumn, const QVariant& key,
                                  const QString& column) const {
    const int row = lookupRow(dataset, keyColumn, key);
    return row < 0 ? QString() : displayText(lookups_.value(dataset)->value(row, column));
}

void ArticleScreen::showArticle() {
    clearInputs();
    if (row_ < 0 || row_ >= list_->rowCount()) {
        code_.clear();
        group_.clear();
        layOutLevels();
        view_.refresh();
        return;
    }
    for (const ArticleField& f : articleFields()) {
        const QVariant v = shown(f.rule.column);
        QString t = displayText(v);
        // Codes of 0 are none: commission, composition and material type.
        if ((f.rule.column == QLatin1String("COMISSAO") || f.rule.column == QLatin1String("COMPOSICAO") ||
             f.rule.column == QLatin1String("TIPOMAT")) &&
            v.toInt() == 0)
            t.clear();
        if (f.rule.kind == screens::FieldKind::Text || f.rule.kind == screens::FieldKind::Upper)
            t = t.trimmed();
        texts_.insert(f.rule.input, t);
    }
    code_ = shown(QStringLiteral("CODIGO")).toString().trimmed();
    texts_.insert(kComposedLabel, displayText(shown(QStringLiteral("DESIGNACAO1"))).trimmed());
    texts_.insert(kAverageCost, displayText(shown(QStringLiteral("PMCUSTO"))));
    texts_.insert(kLastEntryPrice, displayText(shown(QStringLiteral("PULENTRA"))));
    opened_ = shown(QStringLiteral("DTABERTURA"));
    openedBy_ = displayText(shown(QStringLiteral("UTIL_ABERTURA"))).trimmed();
    for (const QString& input :
         {QStringLiteral("Edit_TipoMat"), QStringLiteral("Edit_CCusto"), QStringLiteral("Edit_Composicao"),
          QStringLiteral("Edit_Comissao"), QStringLiteral("Edit_Codiva"), kDesignInput, kDesign2Input})
        describe(input);
    if (!texts_.value(QStringLiteral("Edit_Composicao")).isEmpty() &&
        texts_.value(kCompositionName).isEmpty())
        texts_.insert(kCompositionName, QStringLiteral("Composição Inexistente!!!"));
    group_ = groupOfType(texts_.value(QStringLiteral("Edit_TipoArtigo")));
    layOutLevels();
    for (int n = 1; n <= 9; ++n)
        lookUpLevel(n);
    suppliers_->setParam(QStringLiteral("WArtigo"), code_);
    QString error;
    suppliers_->reopen(&error);
    view_.refresh();
}

QVariant ArticleScreen::shown(const QString& column) const {
    if (mode_ == ArticleMode::Changing && !stored_.isEmpty())
        return stored_.value(column);
    return list_->value(row_, column);
}

// The boxes beside an input.
void ArticleScreen::describe(const QString& input) {
    const QString t = texts_.value(input).trimmed();
    if (input == QLatin1String("Edit_TipoMat"))
        texts_.insert(kMaterialName,
                      lookupText(kMaterialTypes, QStringLiteral("CODIGO"), t, QStringLiteral("DESIGNACAO")));
    else if (input == QLatin1String("Edit_CCusto"))
        texts_.insert(kCostCentreName, accounting_ ? lookupText(kCostCentres, QStringLiteral("CODIGO"), t,
                                                                QStringLiteral("DESIGN"))
                                                   : QString());
    else if (input == QLatin1String("Edit_Composicao"))
        texts_.insert(kCompositionName,
                      lookupText(kCompositions, QStringLiteral("CODIGO"), t, QStringLiteral("DESIGNACAO")));
    else if (input == QLatin1String("Edit_Comissao"))
        texts_.insert(kCommissionRate,
                      lookupText(kCommissions, QStringLiteral("CODIGO"), t, QStringLiteral("PRCCOM")));
    else if (input == QLatin1String("Edit_Codiva"))
        texts_.insert(kVatRate, lookupText(kVat, QStringLiteral("CODIGO"), t, QStringLiteral("PRCIVA")));
    else if (input == kDesignInput)
        texts_.insert(kLength1, QString::number(texts_.value(input).size()));
    else if (input == kDesign2Input)
        texts_.insert(kLength2, QString::number(texts_.value(input).size()));
}

QString ArticleScreen::groupOfType(const QString& type) const {
    bool ok = false;
    const int n = type.trimmed().toInt(&ok);
    if (!ok || n < 1 || n > 11)
        return {};
    return parameters_.value(QStringLiteral("GRUPOTIPO%1").arg(n)).toString().trimmed();
}

void ArticleScreen::layOutLevels() {
    for (int n = 0; n < 9; ++n)
        captions_[n].clear();
    QString error;
    parGrupos_->setParam(QStringLiteral("WtabGrupo"), group_);
    if (!group_.isEmpty() && parGrupos_->reopen(&error) && parGrupos_->fetchAll(&error))
        for (int r = 0; r < parGrupos_->rowCount(); ++r) {
            bool ok = false;
            const int level = parGrupos_->text(r, QStringLiteral("TABCOD")).trimmed().toInt(&ok);
            if (ok && level >= 1 && level <= 9)
                captions_[level - 1] = parGrupos_->text(r, QStringLiteral("TABNOM")).trimmed();
        }
    for (int n = 1; n <= 9; ++n) {
        db::Dataset* ds = lookups_.value(levelDataset(n));
        ds->close();
        if (!captions_[n - 1].isEmpty()) {
            ds->setParam(QStringLiteral("WtabGrupo"), group_);
            ds->open(&error);
        }
    }
}

void ArticleScreen::lookUpLevel(int level) {
    const QString input = levelInput(level);
    reduced_[level - 1].clear();
    QString name;
    const int row = levelEnabled(level) ? lookupRow(levelDataset(level), QStringLiteral("CODIGO"),
                                                    texts_.value(input).trimmed())
                                        : -1;
    if (row >= 0) {
        db::Dataset* ds = lookups_.value(levelDataset(level));
        name = ds->text(row, QStringLiteral("DESIGNACAO")).trimmed();
        reduced_[level - 1] = ds->text(row, QStringLiteral("REDUZDESIGN")).trimmed();
    }
    texts_.insert(levelNameInput(level), name);
}

// ---- modes ------------------------------------------------------------------

void ArticleScreen::gridExit() {
    handlers_ = true;
    buttons_.listButtons = false;
    if (mode_ == ArticleMode::Inserting) {
        buttons_.codeEnabled = true;
    } else if (!changeRight_) {
        handlers_ = false; // only looked at: nothing is checked or written
    } else if (row_ >= 0) {
        if (!startChanging())
            return;
        view_.focusField(kDesignInput);
    }
    view_.refresh();
}

bool ArticleScreen::startChanging() {
    // The article as stored now, not as the list read it.
    QString error;
    const std::optional<QVariantMap> stored =
        store_.read(list_->text(row_, QStringLiteral("CODIGO")).trimmed(), &error);
    if (!stored || stored->isEmpty()) {
        view_.beep();
        view_.message(stored ? db::kDeletedByOther : error);
        handlers_ = false;
        buttons_.listButtons = true;
        reopenList();
        showArticle();
        view_.focusField(kList);
        return false;
    }
    stored_ = *stored;
    mode_ = ArticleMode::Changing;
    showArticle();
    openedTexts_ = texts_;
    collectValues(&shownValues_, true);
    return true;
}

bool ArticleScreen::gridEnter() {
    buttons_.listButtons = true;
    buttons_.satellitesEnabled = true;
    view_.statusText(0, QString());
    if (saveGuard_ < 2 && (mode_ == ArticleMode::Changing || mode_ == ArticleMode::Inserting)) {
        if (mode_ == ArticleMode::Inserting && code_.isEmpty()) {
            cancel();
            return true;
        }
        if (!save()) {
            buttons_.listButtons = false;
            view_.refresh();
            return false;
        }
        reopenList();
    }
    handlers_ = false;
    buttons_.codeEnabled = false;
    buttons_.deleteEnabled = true;
    buttons_.insertEnabled = true;
    mode_ = ArticleMode::Browsing;
    saveGuard_ = 0;
    const int row = code_.isEmpty() ? -1 : rowOf(code_);
    if (row >= 0)
        row_ = row;
    else if (row_ >= list_->rowCount())
        row_ = list_->rowCount() - 1;
    showArticle();
    return true;
}

void ArticleScreen::insert() {
    clearInputs();
    for (const QString& unit :
         {QStringLiteral("Edit_UnVenda"), QStringLiteral("Edit_UnCompra"), QStringLiteral("Edit_UnConv")})
        texts_.insert(unit, QStringLiteral("Und"));
    texts_.insert(QStringLiteral("Edit_ArtDescont1"), QStringLiteral("N"));
    for (int n = 1; n <= 9; ++n)
        texts_.insert(levelInput(n), QStringLiteral("0"));
    describe(kDesignInput);
    describe(kDesign2Input);
    code_.clear();
    opened_ = QVariant();
    openedBy_.clear();
    handlers_ = true;
    buttons_.insertEnabled = false;
    buttons_.deleteEnabled = false;
    buttons_.codeEnabled = true;
    mode_ = ArticleMode::Inserting;
    openedTexts_ = texts_;
    saveGuard_ = 0;
    codified_ = false;
    typedDesign_.clear();
    composedDesign_.clear();
    selectPage(kPageGeneral);
    view_.focusField(kCodeInput);
    view_.refresh();
}

void ArticleScreen::cancel() {
    handlers_ = false;
    saveGuard_ = 9;
    mode_ = ArticleMode::Browsing;
    buttons_.codeEnabled = false;
    view_.focusField(kList);
    selectPage(kPageGeneral);
    view_.refresh();
}

void ArticleScreen::composeDesignation() {
    // A save retried after a failure composes from what the user typed, not
    // from the designation composed the first time.
    const QString shown = texts_.value(kDesignInput);
    QString design = !composedDesign_.isEmpty() && shown == composedDesign_ ? typedDesign_ : shown;
    typedDesign_ = design;
    for (int n = 0; n < 9; ++n)
        if (!texts_.value(levelInput(n + 1)).trimmed().isEmpty() && !reduced_[n].isEmpty())
            design += QLatin1Char(',') + reduced_[n];
    design = design.left(kDesignWidth);
    composedDesign_ = design;
    texts_.insert(kDesignInput, design);
    texts_.insert(kComposedLabel, design);
}

bool ArticleScreen::collectValues(QVariantMap* values, bool quiet) {
    values->clear();
    for (const ArticleField& f : articleFields()) {
        QString t = texts_.value(f.rule.input);
        const bool numeric =
            f.rule.kind != screens::FieldKind::Text && f.rule.kind != screens::FieldKind::Upper;
        if (numeric && t.trimmed().isEmpty())
            t = QStringLiteral("0");
        if (f.rule.column == QLatin1String("CCUSTO") && !accounting_) {
            values->insert(f.rule.column, list_ && row_ >= 0 && mode_ == ArticleMode::Changing
                                              ? shown(QStringLiteral("CCUSTO"))
                                              : QVariant(QString()));
            continue;
        }
        QVariant v;
        QString message;
        if (!screens::convertField(f.rule, f.rule.maxLength > 0 && !numeric ? t.left(f.rule.maxLength) : t,
                                   &v, &message)) {
            if (quiet)
                continue;
            view_.beep();
            view_.message(message);
            view_.focusField(f.rule.input);
            return false;
        }
        if (!numeric && v.isNull())
            v = QString();
        values->insert(f.rule.column, v);
    }
    values->insert(QStringLiteral("CODIGO"), code_);
    values->insert(QStringLiteral("DESIGNACAO1"), texts_.value(kComposedLabel).left(kDesignWidth));
    return true;
}

bool ArticleScreen::save() {
    // An article is not written without a type and a designation, however
    // the focus came back to the list.
    if (articleTypeCaption(texts_.value(QStringLiteral("Edit_TipoArtigo"))).isEmpty())
        return refuse(QStringLiteral("Edit_TipoArtigo"),
                      QStringLiteral("Digite de [1...11] o Tipo de Artigo ..."));
    if (texts_.value(kDesignInput).trimmed().isEmpty())
        return refuse(kDesignInput, QStringLiteral("Insira a Designação do Artigo ..."));
    SaveStamp stamp;
    stamp.isNew = mode_ == ArticleMode::Inserting;
    if (!stamp.isNew && !changeRight_) {
        view_.message(db::notAllowedText(db::UpdateKind::Modified));
        return false;
    }
    const QDateTime now = src_.now();
    if (stamp.isNew) {
        if (!codified_)
            composeDesignation();
        stamp.opened = QDateTime(now.date(), QTime(0, 0));
        stamp.openedBy = src_.userCode;
    } else {
        stamp.opened = opened_.toDateTime();
        stamp.openedBy = openedBy_;
        stamp.changedAt = now;
        stamp.changedBy = src_.userCode;
    }
    QVariantMap values;
    if (!collectValues(&values))
        return false;
    if (!stamp.isNew) {
        stamp.changed = ArticleStore::changedColumns(values, shownValues_);
        stamp.original = stored_;
    }
    QString error;
    if (!store_.save(values, stamp, &error)) {
        if (error == db::kChangedByOther) {
            // What the other user wrote is read under this user's changes:
            // leaving again writes them over it, Cancel drops them.
            QString readError;
            const std::optional<QVariantMap> now = store_.read(code_, &readError);
            if (now && !now->isEmpty())
                stored_ = *now;
            error +=
                QStringLiteral("\nOs valores agora gravados foram lidos e os seus mantidos: volte à lista "
                               "para os gravar, ou Cancelar para os abandonar.");
        }
        view_.message(error);
        return false;
    }
    return true;
}

} // namespace corvane::articles
