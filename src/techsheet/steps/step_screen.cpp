#include "step_screen.h"

#include "articles/store/article_store.h"
#include "screens/field_input.h"
#include "screens/field_rule.h"
#include "shell/data_modules.h"
#include "shell/parameters_store.h"
#include "techsheet/steps/yarn_lists.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace corvane::techsheet {

StepScreenBase::StepScreenBase(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                               QString user, ScreenView& view)
    : ctx_(&ctx), data_(data), factura_(factura), user_(std::move(user)), view_(view), step_(ctx.StepCode),
      sheets_(data.db, ctx.Claims), work_(data.db, user_), byCode_(factura, QStringLiteral("ARTIGOSNUM"), {}),
      byName_(factura, QStringLiteral("ARTIGOSALFA"), {}) {}

void StepScreenBase::setArticleList(articles::ArticleList list) {
    byCode_.setSelectSql(articles::articleListSql(list, articles::ArticleOrder::Code));
    byName_.setSelectSql(articles::articleListSql(list, articles::ArticleOrder::Designation));
}

bool StepScreenBase::mayChange() {
    return !lookOnly() || refuse(ctx_->LookOnlyReason);
}

bool StepScreenBase::sameCode(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

bool StepScreenBase::readRows(db::Database& db, const QString& sql, const QVariantMap& params,
                              QList<QVariantList>& out, QString* error) {
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

void StepScreenBase::show(const Notes& notes) {
    for (const QString& m : notes.messages) {
        view_.beep();
        view_.message(m);
    }
}

bool StepScreenBase::refuse(const QString& message, const QString& field) {
    view_.beep();
    view_.message(message);
    if (!field.isEmpty())
        view_.focusField(field);
    return false;
}

bool StepScreenBase::readNumberOf(const QString& text, double* out) {
    QString message;
    if (screens::readNumber(text.trimmed(), out, &message))
        return true;
    return refuse(message);
}

bool StepScreenBase::notOpened(const QString& error) {
    view_.message(error);
    ctx_->StepCancelled = true; // the screen closes and writes nothing
    return false;
}

bool StepScreenBase::readPriceBasis(QString* error) {
    const std::optional<QVariant> basis =
        shell::ParametersStore(data_.db).programValue(QStringLiteral("TIPOPRECO"), error);
    if (!basis && error && !error->isEmpty())
        return false;
    priceBasis_ = basis ? basis->toString().trimmed().toUpper() : QString();
    return true;
}

bool StepScreenBase::readCostTypes(CostTypes& out, QString* error) {
    QList<QVariantList> rows;
    if (!readRows(data_.db, QStringLiteral("Select CODIGO, DESPERD, CLAS_ORC From TIPOCUSTO Order By CODIGO"),
                  {}, rows, error))
        return false;
    for (const QVariantList& r : rows)
        out.push_back({r.value(0).toInt(), r.value(1).toDouble(), r.value(2).toInt()});
    return true;
}

bool StepScreenBase::readMachines(int groupType, std::vector<WorkMachineRow>& rows, QString* error) {
    QList<QVariantList> found;
    if (!readRows(
            data_.db,
            QStringLiteral("Select CODIGO, DESIGNACAO, UNDPRD, LARGURA, PRECO, PRDHOR1, TEMPO_ACERTO1, "
                           "PRDHOR2, TEMPO_ACERTO2, RAPORT, NROPASSAGENS From MAQUINAS Where GRUPO In "
                           "(Select CODIGO From GRUPOMAQUINAS Where TIPOMAQ = :WTipoMaq) Order By CODIGO"),
            {{QStringLiteral("WTipoMaq"), groupType}}, found, error))
        return false;
    rows.clear();
    for (const QVariantList& r : found) {
        WorkMachineRow m;
        m.CODIGO = r.value(0).toString().trimmed();
        m.DESIGNACAO = r.value(1).toString().trimmed();
        m.UNIDADE = r.value(2).toString().trimmed();
        m.LARGURA = r.value(3).toDouble();
        m.CUSTOPADRAO = r.value(4).toDouble();
        m.PRODUCAO1 = r.value(5).toDouble();
        m.ACERTO1 = r.value(6).toDouble();
        m.PRODUCAO2 = r.value(7).toDouble();
        m.ACERTO2 = r.value(8).toDouble();
        m.LARG_RAPORT = r.value(9).toDouble();
        m.NROPASSAGENS = r.value(10).isNull() ? 1 : r.value(10).toInt();
        rows.push_back(m);
    }
    return true;
}

void StepScreenBase::tickMachines(std::vector<WorkMachineRow>& rows, const FictecDetLine& line,
                                  const std::function<void(WorkMachineRow&)>& restore) {
    for (WorkMachineRow& r : rows) {
        if (!sameCode(r.CODIGO, line.CODIGOMP))
            continue;
        r.OK = QStringLiteral("S");
        r.QTD = line.QUANT;
        r.PRECO = line.PRECO;
        r.CUSTO = line.VALOR;
        restore(r);
    }
}

bool StepScreenBase::takeSortColumn(const QString& column) {
    if (column != QLatin1String("CODIGO") && column != QLatin1String("DESIGNACAO"))
        return false;
    sortColumn_ = column;
    return true;
}

void StepScreenBase::sortMachines(std::vector<WorkMachineRow>& rows, const QString& column) {
    if (takeSortColumn(column))
        sortRows(rows, sortColumn_);
}

bool StepScreenBase::keepMachines(const std::vector<WorkMachineRow>& rows) {
    QString error;
    return reported(work_.fillMachines(rows, &error), error);
}

bool StepScreenBase::deleteStoredLayout() {
    if (!mayChange() || !view_.confirm(QStringLiteral("Eliminação da Referência : ") + ctx_->ArticleCode +
                                       QStringLiteral(",  Confirma ?")))
        return false;
    QString error;
    return reported(sheets_.deleteYarnLayout(ctx_->ArticleCode, &error), error);
}

bool StepScreenBase::reported(bool ok, const QString& error) {
    if (!ok)
        view_.message(error);
    return ok;
}

bool StepScreenBase::refusedInGrid(const Notes& notes) {
    show(notes);
    view_.focusField(kStepGrid);
    return false;
}

bool StepScreenBase::writeStep(std::vector<FictecDetLine> lines, const Notes& notes,
                               const std::function<bool(QString*)>& alsoWrite) {
    show(notes);
    QString error;
    written_ = reported(
        sheets_.replaceStep(ctx_->ArticleCode, step_, std::move(lines), &error, nullptr, alsoWrite), error);
    return written_;
}

bool StepScreenBase::quantityOf(MaterialEntry& m, const QString& typed) {
    double q = 0;
    if (!typed.trimmed().isEmpty() && !readNumberOf(typed, &q))
        return false;
    Notes notes;
    const bool taken = takeMaterialQuantity(m, q, notes);
    show(notes);
    return taken;
}

StepScreenBase::PriceAnswer StepScreenBase::priceOf(MaterialEntry& m, const QString& typed) {
    double p = 0;
    if (typed.trimmed().isEmpty()) {
        refuse(QStringLiteral("Insira o Preço de Custo ..."));
        return PriceAnswer::Refused;
    }
    if (!readNumberOf(typed, &p))
        return PriceAnswer::Refused;
    if (p == 0 && !view_.confirm(kNoArticlePrice)) {
        m = {};
        return PriceAnswer::Dropped;
    }
    takeMaterialPrice(m, p);
    return PriceAnswer::Taken;
}

bool StepScreenBase::costOf(MaterialEntry& m, const QString& typed, bool zeroRefused) {
    double c = 0;
    if (typed.trimmed().isEmpty())
        return refuse(QStringLiteral("Insira o Custo ..."));
    if (!readNumberOf(typed, &c))
        return false;
    Notes notes;
    const bool taken = takeMaterialCost(m, c, zeroRefused, notes);
    show(notes);
    return taken;
}

bool StepScreenBase::takeYarn(YarnLists& yarns, const QString& typed, QString& code, const QString& field,
                              const QString& backField) {
    code.clear();
    const QString wanted = typed.trimmed();
    if (wanted.isEmpty()) {
        view_.beep();
        view_.focusField(backField);
        return false;
    }
    const int found = yarns.find(wanted);
    if (found < 0)
        return refuse(QStringLiteral("Artigo Inexistente .... : ") + wanted, field);
    code = yarns.byCode().text(found, QStringLiteral("CODIGO")).trimmed();
    if (yarns.price(priceBasis_, found) == 0) {
        view_.beep();
        view_.message(QStringLiteral("Atenção está a seleccionar um Fio sem Preço"));
    }
    return true;
}

bool StepScreenBase::rowCodeLeft(std::array<MaterialEntry, 3>& rows, std::array<QString, 3>& labels, int n,
                                 const QString& typed, db::Dataset& articles,
                                 const std::function<void()>& cancel) {
    const QString code = typed.trimmed();
    MaterialEntry& m = rows[static_cast<std::size_t>(n - 1)];
    if (sameCode(code, m.code))
        return true;
    if (code.isEmpty()) {
        if (n == 1)
            return refuse(kNoMaterialCode);
        for (int k = n; k <= 3; ++k)
            if (n == 2 || k == 3) {
                rows[static_cast<std::size_t>(k - 1)] = {};
                labels[static_cast<std::size_t>(k - 1)].clear();
            }
        view_.focusField(QStringLiteral("Edit_MpNro1"));
        return true;
    }
    const int row = screens::findKey(articles, QStringLiteral("CODIGO"), code);
    if (row < 0)
        return refuse(kUnknownArticle);
    const MaterialArticle a = articleOf(articles, row);
    m = {a.code, a.designation, a.unit, 0, a.price, 0};
    labels[static_cast<std::size_t>(n - 1)] = a.designation;
    if (a.price == 0 && !view_.confirm(kNoArticlePrice))
        cancel();
    return true;
}

QList<StepInput> StepScreenBase::materialRow(int n, const RowLeft& code, const RowLeft& quantity,
                                             const RowLeft& price, const RowLeft& cost) {
    const auto left = [n](const RowLeft& check) {
        return [check, n](const QString& typed) { return check(n, typed); };
    };
    using T = StepTable;
    return {withLookup(
                {stepRule(T::SheetLines, "CODIGOMP", "Edit_MpNro%1", n, "Material %1: código"), left(code)},
                articleLookup(), QStringLiteral("Label_MpNro%1").arg(n)),
            {stepRule(T::SheetLines, "QUANT", "Edit_QtdMp%1", n, "Material %1: quantidade"), left(quantity)},
            shownInput(T::SheetLines, "UNIDADE", "Edit_Und%1", n, "Material %1: unidade"),
            {stepRule(T::SheetLines, "PRECO", "Edit_PrecoMp%1", n, "Material %1: preço"), left(price)},
            {stepRule(T::SheetLines, "VALOR", "Edit_CustoMp%1", n, "Material %1: custo"), left(cost)}};
}

std::optional<MaterialArticle> StepScreenBase::findArticle(const QString& code) {
    QString error;
    const std::optional<QVariantMap> row = articles::ArticleStore(factura_).read(code, &error);
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

MaterialArticle StepScreenBase::articleOf(db::Dataset& articles, int row) const {
    MaterialArticle a;
    a.code = articles.text(row, QStringLiteral("CODIGO")).trimmed();
    a.designation = articles.text(row, QStringLiteral("DESIGNACAO")).trimmed();
    a.unit = articles.text(row, QStringLiteral("UNCOMPRA")).trimmed();
    a.price = priceByBasis(priceBasis_, articles.number(row, QStringLiteral("CUSTOPADRAO")),
                           articles.number(row, QStringLiteral("PMCUSTO")),
                           articles.number(row, QStringLiteral("PULENTRA")));
    return a;
}

bool StepScreenBase::openArticles(QString* error) {
    return byCode_.reopen(error) && byCode_.fetchAll(error) && byName_.reopen(error) &&
           byName_.fetchAll(error);
}

} // namespace corvane::techsheet
