#include "customer_store.h"

#include "articles/store/article_store.h"
#include "shell/parameters_store.h"
namespace corvane::quotation {

namespace {
QString trimmedText(const QVariantMap& row, const char* column) {
    return row.value(QLatin1String(column)).toString().trimmed();
}
} // namespace

std::optional<std::optional<double>> CustomerStore::commissionPercent(int code, QString* error) {
    const std::optional<QVariantMap> row =
        db_->firstRow(QStringLiteral("SELECT PRCCOM FROM COMISSOES WHERE CODIGO = :WCodigo"),
                      {{QStringLiteral("WCodigo"), code}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<double>{};
    return std::optional<double>{row->value(QStringLiteral("PRCCOM")).toDouble()};
}

std::optional<std::optional<Representative>> CustomerStore::representative(const QString& table, int code,
                                                                           QString* error) {
    // The table is one of two fixed names (VENDEDORES, AGENTES).
    const std::optional<QVariantMap> row = db_->firstRow(
        QStringLiteral("SELECT CODIGO, NOME, COMISSAO FROM %1 WHERE CODIGO = :WCodigo").arg(table),
        {{QStringLiteral("WCodigo"), code}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<Representative>{};
    Representative r;
    r.CODIGO = code;
    r.NOME = trimmedText(*row, "NOME");
    const QVariant commission = row->value(QStringLiteral("COMISSAO"));
    if (!commission.isNull()) {
        const auto percent = commissionPercent(commission.toInt(), error);
        if (!percent)
            return std::nullopt;
        r.PRCCOM = *percent;
    }
    return std::optional<Representative>{r};
}

std::optional<std::optional<Representative>> CustomerStore::seller(int code, QString* error) {
    return representative(QStringLiteral("VENDEDORES"), code, error);
}

std::optional<std::optional<Representative>> CustomerStore::agent(int code, QString* error) {
    return representative(QStringLiteral("AGENTES"), code, error);
}

std::optional<std::optional<ShippingMethod>> CustomerStore::shippingMethod(const QString& code,
                                                                           QString* error) {
    const std::optional<QVariantMap> row = db_->firstRow(
        QStringLiteral("SELECT METEXPEDICAO, PERCUSTO FROM METEXPEDICAO WHERE METEXPEDICAO = :WMetExp"),
        {{QStringLiteral("WMetExp"), code}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<ShippingMethod>{};
    return std::optional<ShippingMethod>{
        ShippingMethod{trimmedText(*row, "METEXPEDICAO"), row->value(QStringLiteral("PERCUSTO")).toDouble()}};
}

std::optional<std::optional<PaymentCondition>> CustomerStore::paymentCondition(int code, QString* error) {
    const std::optional<QVariantMap> row = db_->firstRow(
        QStringLiteral("SELECT CODIGO, NRDIAS, DESCRI, PRCDESC, TIPDOC FROM CNDPGT WHERE CODIGO = :WCndPgt"),
        {{QStringLiteral("WCndPgt"), code}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<PaymentCondition>{};
    PaymentCondition c;
    c.CODIGO = code;
    c.NRDIAS = row->value(QStringLiteral("NRDIAS")).toDouble();
    c.DESCRI = trimmedText(*row, "DESCRI");
    c.PRCDESC = row->value(QStringLiteral("PRCDESC")).toDouble();
    c.TIPDOC = trimmedText(*row, "TIPDOC");
    return std::optional<PaymentCondition>{c};
}

std::optional<std::optional<CustomerDefaults>> CustomerStore::customer(int code, QString* error) {
    const std::optional<QVariantMap> row =
        db_->firstRow(QStringLiteral("SELECT CODIGO, NOME, VENDEDOR, AGENTE, METEXPEDICAO, CNDPGT FROM "
                                     "CLIENTES WHERE CODIGO = :WCliNro"),
                      {{QStringLiteral("WCliNro"), code}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<CustomerDefaults>{};
    CustomerDefaults c;
    c.CODIGO = code;
    c.NOME = trimmedText(*row, "NOME");
    c.VENDEDOR = row->value(QStringLiteral("VENDEDOR")).toInt();
    c.AGENTE = row->value(QStringLiteral("AGENTE")).toInt();
    c.METEXPEDICAO = trimmedText(*row, "METEXPEDICAO");
    c.CNDPGT = row->value(QStringLiteral("CNDPGT")).toInt();
    const auto seller = this->seller(c.VENDEDOR, error);
    const auto agent = this->agent(c.AGENTE, error);
    const auto method = shippingMethod(c.METEXPEDICAO, error);
    const auto condition = paymentCondition(c.CNDPGT, error);
    if (!seller || !agent || !method || !condition)
        return std::nullopt;
    c.seller = *seller;
    c.agent = *agent;
    c.method = *method;
    c.condition = *condition;
    return std::optional<CustomerDefaults>{c};
}

std::optional<Satellites> CustomerStore::satellites(int customer, QString* error) {
    const auto found = this->customer(customer, error);
    if (!found)
        return std::nullopt;
    if (!*found) {
        if (error)
            *error = QStringLiteral("Cliente Inexistente : %1").arg(customer);
        return std::nullopt;
    }
    return customerSatellites(**found);
}

std::optional<std::optional<int>> CustomerStore::priceDecimals(const QString& year, QString* error) {
    const std::optional<QVariantMap> row = shell::ParametersStore(*db_).yearRow(year, error);
    if (!row)
        return std::nullopt;
    std::optional<std::optional<int>> out(std::in_place); // read: no row for the year
    if (!row->isEmpty()) {
        const QVariant decimals = row->value(QStringLiteral("PRC_DECIMAIS"));
        out->emplace(decimals.isNull() ? 2 : decimals.toInt());
    }
    return out;
}

std::optional<bool> CustomerStore::hasCustomization(QString* error) {
    const std::optional<QVariantMap> row =
        db_->firstRow(QStringLiteral("SELECT CODIGO FROM PARCUSTOM WHERE CODIGO = '1'"), {}, error);
    if (!row)
        return std::nullopt;
    return !row->isEmpty();
}

std::optional<std::optional<QString>> CustomerStore::article(const QString& code, QString* error) {
    return articles::ArticleStore(*db_).designation(code, error);
}

std::optional<bool> CustomerStore::hasOrdered(int customer, const QString& article, QString* error) {
    const std::optional<QVariant> n =
        db_->scalar(QStringLiteral("SELECT COUNT(*) FROM ENCCLIDET D JOIN ENCCLIMAS M ON M.ENCNRO = D.ENCNRO "
                                   "WHERE D.ARTIGO = :WArtigo AND M.CLINRO = :WCliente"),
                    {{QStringLiteral("WArtigo"), article}, {QStringLiteral("WCliente"), customer}}, error);
    if (!n)
        return std::nullopt;
    return n->toInt() > 0;
}

} // namespace corvane::quotation
