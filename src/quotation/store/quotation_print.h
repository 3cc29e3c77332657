#pragma once

// What the internal quotation report prints of one quotation, read from the
// program database (the quotation, its totals, the sheet or the product
// record) and the invoicing database (the article, its classification, the
// customer, the photo folder).
#include "db/database.h"
#include "quotation/price_chart.h"
#include "quotation/quotation_figures.h"

#include <QVariantMap>

#include <array>
#include <optional>

namespace corvane::quotation {

// One of the nine classification lines: the group's label for the position,
// the article's code and its name.
struct ClassificationLine {
    QString label;
    QString code;
    QString name;
};

// An article as the quotation shows it: its row (ARTIGOSCLS of the invoicing
// database for a product, O_ARTIGOSCLS of the program database for a
// technical product record; empty when missing) and its classification.
struct ArticleIdentity {
    QVariantMap article;
    std::array<ClassificationLine, 9> classification;
};
std::optional<ArticleIdentity> readArticleIdentity(db::Database& corvane, db::Database& factura,
                                                   const QString& code, bool record,
                                                   QString* error = nullptr);

struct QuotationPrint {
    QVariantMap master;        // ORCAMMAS, columns by upper-case name
    QVariantMap totals;        // ORCAMTOT; empty when the quotation was never closed
    QVariantMap costing;       // ORCAMCUSTO, what it was closed on; empty as totals
    QVariantMap article;       // ARTIGOSCLS ("P") or O_ARTIGOSCLS ("T"); empty when missing
    QString sheetKind;         // FICTECMAS.TIPOFICTEC of a product's sheet
    QString computerReference; // FICTECMAS.REF_INFORMAT of a product's sheet
    QString customerName;
    std::array<ClassificationLine, 9> classification;
    QString photoFolder;    // FACPARGER.PATHFOTO of the working year
    QString photoExtension; // FACPARGER.EXTFOTO, empty when not set
    int priceDecimals = 2;

    int number() const;
    QString articleCode() const;
};

// Reads the quotation `number`; nullopt with the reason when it cannot be
// read, "Registo não Existe " + number when it does not exist, and
// kNoParametersMessage when PARGER has no row 1.
std::optional<QuotationPrint> readQuotationPrint(db::Database& corvane, db::Database& factura, int number,
                                                 const QString& workingYear, QString* error = nullptr);

// The values of a level (1..3) as the report prints them: the figures of the
// stored totals and the master row (quotation_figures.h), the ones the price
// page showed when the quotation was closed. A level never quoted prints zeros.
using PrintedLevel = LevelFigures;
PrintedLevel printedLevel(const QuotationPrint& q, int level, int currencyDecimals = 2);

// The price chart of level 1 as the report leaves it: "Cust.Base", "C.Comerc."
// and "Margem" of the printed figures, each rounded to 2 decimals.
QList<ChartSlice> printedChart(const QuotationPrint& q, int currencyDecimals = 2);

} // namespace corvane::quotation
