#pragma once

// Grows the demo company of a site to the size of a real maker, for the
// benchmarks: customers with a skewed share of the business, best-selling
// articles, technical sheets of the four kinds, quotations, orders and
// invoices over ten years.
#include "db/database.h"

#include <QDate>

#include <functional>

namespace corvane::setup {

// The rows made at a scale; scale 1 is a mid-size maker.
struct GeneratedSizes {
    int customers = 0;    // 2,000 at scale 1
    int articles = 0;     // products with a sheet each: 100,000
    int quotations = 0;   // 50,000
    int orderLines = 0;   // 300,000
    int invoiceLines = 0; // 1,000,000, a share of them from the order lines
    static GeneratedSizes at(double scale);
};

// What a phase has done of its total, for a progress bar.
using GenerateProgress = std::function<void(const QString& phase, qint64 done, qint64 total)>;

// Adds the rows to the demo company's program and invoicing databases (each
// phase in a transaction of its own). The sheets and quotations are copies of
// the demo's four products' sheets (computed by the step screens' logic) and
// of their quotations, for new articles of the same kind; the customers,
// dates and quantities are drawn from a fixed seed, so that two runs give the
// same rows. Refused when the company already holds generated rows.
bool generateCompanyData(db::Database& corvane, db::Database& factura, double scale, const QDate& today,
                         const GenerateProgress& progress, QString* error);

// The first code of the generated customers and quotation numbers.
constexpr int kFirstGeneratedCustomer = 10000;
constexpr int kFirstGeneratedQuotation = 100000;
constexpr int kFirstGeneratedOrder = 100000;
constexpr int kFirstGeneratedInvoice = 100000;

} // namespace corvane::setup
