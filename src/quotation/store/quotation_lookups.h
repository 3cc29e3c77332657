#pragma once

// The lists "Localizar" of the quotation screen's inputs: pending quotations,
// customers, articles with a technical sheet, product records, sellers,
// agents, shipping methods and payment conditions. Each list is read afresh
// when it opens, so quotations closed or deleted meanwhile (here or by
// another user) show as they now are.
#include "db/dataset.h"

#include <QSet>

#include <memory>

namespace corvane::quotation {

class QuotationLookups {
public:
    QuotationLookups(db::Database& corvane, db::Database& factura);

    // Dataset names, as the inputs' lists name them.
    static const QString kQuotations; // ORCNRO, CLINOM, DATAEMI, APROVADO of the pending quotations
    static const QString kCustomers;  // CODIGO, NOME
    static const QString kArticles;   // CODIGO, DESIGNACAO, FICTEC of the articles with a sheet
    static const QString kRecords;    // CODIGO, DESIGNACAO of the technical product records
    static const QString kSellers;    // CODIGO, NOME
    static const QString kAgents;     // CODIGO, NOME
    static const QString kMethods;    // METEXPEDICAO, PERCUSTO
    static const QString kConditions; // CODIGO, DESCRI, NRDIAS, PRCDESC

    // The named list, reopened; null (with the reason) when it cannot be read.
    db::Dataset* open(const QString& name, QString* error = nullptr);

private:
    db::Database& corvane_;
    std::vector<std::unique_ptr<db::Dataset>> lists_;
    QSet<QString> sheets_; // codes of the articles that have a technical sheet
};

} // namespace corvane::quotation
