#include "quotation_lookups.h"

#include "articles/store/article_lists.h"
#include "quotation/quotation_types.h"

#include <QSqlQuery>

namespace corvane::quotation {

const QString QuotationLookups::kQuotations = QStringLiteral("Orcamentos");
const QString QuotationLookups::kCustomers = QStringLiteral("Clientes");
const QString QuotationLookups::kArticles = QStringLiteral("Artigos");
const QString QuotationLookups::kRecords = QStringLiteral("RegistosTecnicos");
const QString QuotationLookups::kSellers = QStringLiteral("Vendedores");
const QString QuotationLookups::kAgents = QStringLiteral("Agentes");
const QString QuotationLookups::kMethods = QStringLiteral("MetExpedicao");
const QString QuotationLookups::kConditions = QStringLiteral("CndPgt");

namespace {
std::unique_ptr<db::Dataset> list(db::Database& database, const QString& name, const QString& sql,
                                  const QString& key) {
    auto ds = std::make_unique<db::Dataset>(database, name, sql, QString(), QStringList{key});
    ds->setOrderKey({key});
    return ds;
}
} // namespace

QuotationLookups::QuotationLookups(db::Database& corvane, db::Database& factura) : corvane_(corvane) {
    lists_.push_back(list(corvane, kQuotations,
                          QStringLiteral("SELECT ORCNRO, CLINOM, DATAEMI, APROVADO FROM ORCAMMAS WHERE ") +
                              kPendingCondition,
                          QStringLiteral("ORCNRO")));
    lists_.push_back(list(factura, kCustomers, QStringLiteral("SELECT CODIGO, NOME FROM CLIENTES"),
                          QStringLiteral("CODIGO")));
    // The sheets live in the program database, the articles in the invoicing
    // one: the articles are filtered by the codes read when the list opens.
    lists_.push_back(list(factura, kArticles, articles::articleListSql(articles::ArticleList::Products),
                          QStringLiteral("CODIGO")));
    lists_.back()->setRowFilter([this](const db::Dataset& ds, const QVariantList& values) {
        return sheets_.contains(values.value(ds.fieldIndex(QStringLiteral("CODIGO"))).toString().trimmed());
    });
    lists_.push_back(list(corvane, kRecords, QStringLiteral("SELECT CODIGO, DESIGNACAO FROM O_ARTIGOSCLS"),
                          QStringLiteral("CODIGO")));
    lists_.push_back(list(factura, kSellers, QStringLiteral("SELECT CODIGO, NOME FROM VENDEDORES"),
                          QStringLiteral("CODIGO")));
    lists_.push_back(
        list(factura, kAgents, QStringLiteral("SELECT CODIGO, NOME FROM AGENTES"), QStringLiteral("CODIGO")));
    lists_.push_back(list(factura, kMethods,
                          QStringLiteral("SELECT METEXPEDICAO, PERCUSTO FROM METEXPEDICAO"),
                          QStringLiteral("METEXPEDICAO")));
    lists_.push_back(list(factura, kConditions,
                          QStringLiteral("SELECT CODIGO, DESCRI, NRDIAS, PRCDESC FROM CNDPGT"),
                          QStringLiteral("CODIGO")));
}

db::Dataset* QuotationLookups::open(const QString& name, QString* error) {
    for (const auto& ds : lists_) {
        if (ds->name() != name)
            continue;
        if (name == kArticles) {
            QSqlQuery q(corvane_.sql());
            if (!corvane_.exec(q, QStringLiteral("SELECT CODIGO FROM FICTECMAS"), {}, error))
                return nullptr;
            sheets_.clear();
            while (q.next())
                sheets_.insert(q.value(0).toString().trimmed());
        }
        return ds->open(error) ? ds.get() : nullptr; // read afresh
    }
    if (error)
        *error = QStringLiteral("Lista desconhecida: ") + name;
    return nullptr;
}

} // namespace corvane::quotation
