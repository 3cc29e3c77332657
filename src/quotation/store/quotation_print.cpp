#include "quotation_print.h"

#include "articles/store/article_store.h"
#include "quotation_store.h"
#include "row_values.h"
#include "shell/parameters_store.h"

namespace corvane::quotation {

namespace {

// The classification lines of an article of type 1..10 (its group from the
// customization parameters), empty for other types.
bool readClassification(db::Database& factura, const QVariantMap& article,
                        std::array<ClassificationLine, 9>& lines, QString* error) {
    bool ok = false;
    const int type = textOf(article, "TIPOARTIGO").toInt(&ok);
    if (!ok || type < 1 || type > 10)
        return true;
    const std::optional<QVariantMap> parameters = factura.firstRow(
        QStringLiteral("SELECT GRUPOTIPO%1 AS GRUPO FROM PARCUSTOM WHERE CODIGO = '1'").arg(type), {}, error);
    if (!parameters)
        return false;
    const QString group = textOf(*parameters, "GRUPO");
    if (group.isEmpty())
        return true;
    for (int n = 1; n <= 9; ++n) {
        ClassificationLine& line = lines[static_cast<size_t>(n - 1)];
        const QVariantMap key{{QStringLiteral("WGrupo"), group},
                              {QStringLiteral("WCod"), QString::number(n)}};
        const std::optional<QVariantMap> label = factura.firstRow(
            QStringLiteral("SELECT TABNOM FROM PARGRUPOS WHERE TABGRUPO = :WGrupo AND TABCOD = :WCod"), key,
            error);
        if (!label)
            return false;
        line.label = textOf(*label, "TABNOM");
        // A position the group does not use prints nothing.
        if (line.label.isEmpty())
            continue;
        const QVariant code = article.value(QStringLiteral("CUSTOM%1").arg(n));
        if (code.isNull() || code.toString().trimmed().isEmpty())
            continue;
        line.code = code.toString().trimmed();
        QVariantMap p = key;
        p.insert(QStringLiteral("WCodigo"), code.toInt());
        const std::optional<QVariantMap> name = factura.firstRow(
            QStringLiteral("SELECT DESIGNACAO FROM CUSTARTG WHERE TABGRUPO = :WGrupo AND TABCOD = :WCod AND "
                           "CODIGO = :WCodigo AND PAIS = 'PORTUGAL'"),
            p, error);
        if (!name)
            return false;
        line.name = textOf(*name, "DESIGNACAO");
    }
    return true;
}

} // namespace

std::optional<ArticleIdentity> readArticleIdentity(db::Database& corvane, db::Database& factura,
                                                   const QString& code, bool record, QString* error) {
    const QVariantMap key{{QStringLiteral("WArtigo"), code}};
    const std::optional<QVariantMap> row =
        record ? corvane.firstRow(QStringLiteral("SELECT * FROM O_ARTIGOSCLS WHERE CODIGO = :WArtigo"), key,
                                  error)
               : articles::ArticleStore(factura).read(code, error);
    if (!row)
        return std::nullopt;
    ArticleIdentity out;
    out.article = *row;
    if (!out.article.isEmpty() && !readClassification(factura, out.article, out.classification, error))
        return std::nullopt;
    return out;
}

int QuotationPrint::number() const {
    return master.value(QStringLiteral("ORCNRO")).toInt();
}

QString QuotationPrint::articleCode() const {
    return textOf(master, "ARTIGO");
}

std::optional<QuotationPrint> readQuotationPrint(db::Database& corvane, db::Database& factura, int number,
                                                 const QString& workingYear, QString* error) {
    QuotationPrint out;
    const QVariantMap key{{QStringLiteral("WOrcNro"), number}};
    const std::optional<QVariantMap> master =
        corvane.firstRow(QStringLiteral("Select * From ORCAMMAS Where  ORCNRO = :WOrcNro"), key, error);
    if (!master)
        return std::nullopt;
    if (master->isEmpty()) {
        if (error)
            *error = QStringLiteral("Registo não Existe %1").arg(number);
        return std::nullopt;
    }
    out.master = *master;
    // The general parameters the quotation screen closes with.
    const std::optional<QVariantMap> general = shell::ParametersStore(corvane).programRow(error);
    if (!general)
        return std::nullopt;
    if (general->isEmpty()) {
        if (error)
            *error = kNoParametersMessage;
        return std::nullopt;
    }
    const std::optional<QVariantMap> totals =
        corvane.firstRow(QStringLiteral("SELECT * FROM ORCAMTOT WHERE ORCNRO = :WOrcNro"), key, error);
    if (!totals)
        return std::nullopt;
    out.totals = *totals;
    const std::optional<QVariantMap> costing =
        corvane.firstRow(QStringLiteral("SELECT * FROM ORCAMCUSTO WHERE ORCNRO = :WOrcNro"), key, error);
    if (!costing)
        return std::nullopt;
    out.costing = *costing;

    const QString code = out.articleCode();
    const bool record = textOf(out.master, "TIPOFT") == QLatin1String("T");
    std::optional<ArticleIdentity> identity = readArticleIdentity(corvane, factura, code, record, error);
    if (!identity)
        return std::nullopt;
    out.article = std::move(identity->article);
    out.classification = identity->classification;
    if (!record) {
        const std::optional<QVariantMap> sheet = corvane.firstRow(
            QStringLiteral("SELECT TIPOFICTEC, REF_INFORMAT FROM FICTECMAS WHERE CODIGO = :WArtigo"),
            {{QStringLiteral("WArtigo"), code}}, error);
        if (!sheet)
            return std::nullopt;
        out.sheetKind = textOf(*sheet, "TIPOFICTEC");
        out.computerReference = textOf(*sheet, "REF_INFORMAT");
    }

    const std::optional<QVariantMap> customer = factura.firstRow(
        QStringLiteral("SELECT NOME FROM CLIENTES WHERE CODIGO = :WCliente"),
        {{QStringLiteral("WCliente"), out.master.value(QStringLiteral("CLINRO")).toInt()}}, error);
    if (!customer)
        return std::nullopt;
    out.customerName = textOf(*customer, "NOME");

    const std::optional<QVariantMap> parameters = shell::ParametersStore(factura).yearRow(workingYear, error);
    if (!parameters)
        return std::nullopt;
    out.photoFolder = textOf(*parameters, "PATHFOTO");
    out.photoExtension = textOf(*parameters, "EXTFOTO");
    const QVariant decimals = parameters->value(QStringLiteral("PRC_DECIMAIS"));
    if (!decimals.isNull() && !parameters->isEmpty())
        out.priceDecimals = decimals.toInt();
    return out;
}

PrintedLevel printedLevel(const QuotationPrint& q, int level, int currencyDecimals) {
    return levelFigures(totalsOfRow(q.totals), masterOfRow(q.master), level, currencyDecimals);
}

QList<ChartSlice> printedChart(const QuotationPrint& q, int currencyDecimals) {
    return priceChartSlices(printedLevel(q, 1, currencyDecimals));
}

} // namespace corvane::quotation
