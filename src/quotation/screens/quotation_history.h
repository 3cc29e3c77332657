#pragma once

// What the quotation screen shows of a customer's and an article's history
// while the user quotes: the data of the customer panel (receivables by age,
// open order book, sales and receipts per year and month) and of the article
// panel (identification, invoices, orders and their totals, stock, the
// customer's quotations, the photographs), and the series of their charts.
#include "components/charts/chart_data.h"
#include "quotation/store/history_store.h"
#include "quotation/store/quotation_print.h"

namespace corvane::quotation {

// The bar labels of the receivables chart, in drawing order.
const QStringList& agingLabels();

struct CustomerPanel {
    int customer = 0;
    std::optional<Receivables> receivables; // none: every label "0.00", no chart
    QList<PeriodTotal> openOrders;          // per month, the most recent first
    CustomerHistory sales;
    CustomerHistory receipts;
};

struct ArticlePanel {
    QString article;
    ArticleIdentity identity;
    QList<InvoiceLine> invoices;
    QList<OrderLine> orders;
    QList<PeriodTotal> totalsByMonth; // the most recent first
    QList<PeriodTotal> totalsByYear;
    QList<WarehouseStock> stock;
    QList<QuotationLine> quotations; // the customer's quotations of the article
    QList<QuotationLine> approved;   // all the customer's approved quotations
    QList<QuotationLine> pending;    // all the customer's pending quotations
    QStringList photos;              // files of photographs 1 to 4; empty where none
};

// The nine bars of the receivables: not yet due, the ages, bills, post-dated.
components::ChartSeries receivablesSeries(const Receivables& r);
// The bars of the most recent periods (up to six), labelled with the year or
// month "/" year, valued with the order value.
components::ChartSeries periodSeries(const QList<PeriodTotal>& totals);
// The stock per warehouse (EXIQTD).
components::ChartSeries stockSeries(const QList<WarehouseStock>& stock);

class QuotationHistory {
public:
    QuotationHistory(db::Database& corvane, db::Database& factura, QString user, QString year);

    std::optional<CustomerPanel> customer(int code, QString* error = nullptr);
    std::optional<ArticlePanel> article(int customer, const QString& code, bool record,
                                        QString* error = nullptr);
    // The photo folder and extension of the working year's invoicing parameters.
    const QString& photoFolder() const { return photoFolder_; }
    const QString& photoExtension() const { return photoExtension_; }

private:
    bool readPhotoParameters(QString* error);

    db::Database& corvane_;
    db::Database& factura_;
    HistoryStore store_;
    QString user_;
    QString year_;
    bool photoRead_ = false;
    QString photoFolder_;
    QString photoExtension_;
};

} // namespace corvane::quotation
