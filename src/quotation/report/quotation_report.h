#pragma once

// The internal quotation report "Orçamento Interno": one closed quotation
// on one A4 portrait page with the article's identification, the cost
// build-up of each quantity level, the commercial charges, margins and
// prices, and the approval and order data.
#include "components/report/report.h"
#include "quotation/price_chart.h"
#include "quotation/store/quotation_print.h"

#include <memory>
#include <vector>

namespace corvane::quotation {

inline const QString kReportTitle = QStringLiteral("Orçamento Interno");
inline const QString kPrintQuestion = QStringLiteral("Deseja Imprimir  Orçamento !!! Confirma ?");

// The page and its kinds of line.
report::ReportDefinition quotationReportDefinition(int currencyDecimals, int priceDecimals);

// "Tipo : " of a sheet kind: "CA" "Velisca - Alta Definição / 100% Acrílico",
// "CT" "Velisca Tricotado", "CI" "Velisca Impresso", "GT" "Gorro Tricotado";
// empty otherwise.
QString sheetKindText(const QString& kind);

// The values of a level (1..3) as the report prints them: the totals of the
// closing, the base cost and commercial cost as their sums, the order total
// as margin + base + commercial. A level never closed prints zeros.
struct PrintedLevel {
    double materials = 0, transformation = 0, fixedCosts = 0, waste = 0, subcontracts = 0, quality = 0,
           structure = 0, packaging = 0, base = 0;
    double commissions = 0, transport = 0, payment = 0, discounts = 0, commercial = 0;
    double margin = 0, marginPercent = 0, quotedPrice = 0, customerPrice = 0, orderTotal = 0;
};
PrintedLevel printedLevel(const QuotationPrint& q, int level);

// The price chart of level 1 as the report leaves it: "Cust.Base", "C.Comerc."
// and "Margem", each rounded to 2 decimals.
QList<ChartSlice> printedChart(const QuotationPrint& q);

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
