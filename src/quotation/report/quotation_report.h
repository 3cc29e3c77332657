#pragma once

// The internal quotation report "Orçamento Interno": one closed quotation
// on one A4 portrait page with the article's identification, the cost
// build-up of each quantity level, the commercial charges, margins and
// prices, and the approval and order data.
#include "components/report/report.h"
#include "quotation/store/quotation_print.h"

#include <memory>
#include <vector>

namespace corvane::quotation {

inline const QString kReportTitle = QStringLiteral("Orçamento Interno");

// The page and its kinds of line.
report::ReportDefinition quotationReportDefinition(int currencyDecimals, int priceDecimals);

// "Tipo : " of a sheet kind: "CA" "Velisca - Alta Definição / 100% Acrílico",
// "CT" "Velisca Tricotado", "CI" "Velisca Impresso", "GT" "Gorro Tricotado";
// empty otherwise.
QString sheetKindText(const QString& kind);

// The block one quotation prints, on a page of its own; `photo` is the file of
// its picture (empty: none).
report::Block quotationBlock(const QuotationPrint& q, const QString& photo, int currencyDecimals);

// The photograph the report prints for the quotation's article: photo 1 in
// the photo folder, when its file exists.
QString reportPhoto(const QuotationPrint& q);

// The report of the quotations read, one page each.
std::unique_ptr<report::Report> quotationReport(std::vector<QuotationPrint> quotations, int currencyDecimals,
                                                report::ReportInfo info);

} // namespace corvane::quotation
