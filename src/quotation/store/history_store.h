#pragma once

// What the company already knows about a quotation's customer and article,
// for the quotation screen's history panels and charts: read from the
// invoicing database (invoices, orders, stock, receivables, receipts) and,
// for the customer's quotations, from the program database. Read only, but
// for the current user's rows of the scratch tables WORKVENDASMES,
// WORKVENDASANO, WORKCLIRECMES and WORKCLIRECANO, which salesHistory() and
// receiptsHistory() refill before reading them back.
//
// Every query binds its values; each answers nullopt with the server's
// message in *error on failure.
#include "db/database.h"
#include "quotation/quotation_types.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace corvane::quotation {

// An invoice line of the article (FACMOVDET with its header FACMOVIM) and
// the quotation behind its order line, if any.
struct InvoiceLine {
    QString TIPDOC;
    int DOCNRO = 0;
    QString ARTIGO;
    double PRECOVENDA = 0;
    double QUANTID = 0;
    QDateTime DATEMI;
    int CLINRO = 0;
    int ENCOMENDA = 0;
    // ENCCLIDET.ORCNRO of the order's line of the article; empty when the
    // invoice line names no order line of the article.
    std::optional<int> ORCNRO;
};

// A customer order line (ENCCLIDET) of the article.
struct OrderLine {
    int ENCNRO = 0;
    int DETAIL = 0;
    QDateTime DATAENTRG;
    QString ANO;
    int MES = 0; // month of DATAENTRG, 0 without a date
    int SEMANA = 0;
    double PRECOVENDA = 0;
    double QUANTID = 0;
    QString UNVEND;
    double MARGEMPRC = 0;
    int ORCNRO = 0;
    QString ARTIGO;
    int CLINRO = 0;
    QString TOTENT;
};

// A sum of order lines over a month (MES 1..12) or a year (MES 0): the net
// value, in cents, and the quantity (the article's orders: VALLIQUIDO,
// QUANTID; the open order book: VALLIQCAR, QTDCAR).
struct PeriodTotal {
    int ANO = 0;
    int MES = 0;
    double VALOR = 0;
    double QUANTID = 0;
};

// The article's stock in one warehouse (STKARTGARMZ).
struct WarehouseStock {
    QString ARTIGO;
    QString ANO;
    int CODIGO = 0;
    double EXIQTD00 = 0;
    double EXIVAL00 = 0;
    double EXIQTD = 0;
    double EXIVAL = 0;
};

// The customer's open receivables by age (CLIVALCOB).
struct Receivables {
    int CODIGO = 0;
    double DEB0 = 0; // not yet due
    double DEB30 = 0;
    double DEB3060 = 0;
    double DEB6090 = 0;
    double DEB90120 = 0;
    double DEB120180 = 0;
    double DEB180 = 0;
    double TITULOS = 0; // bills
    double PREDAT = 0;  // post-dated cheques
    // The total responsibility: DEB0 to DEB180, bills and post-dated
    // cheques left out, in cents.
    double total() const;
};

// A quotation of the customer (ORCAMMAS).
struct QuotationLine {
    int ORCNRO = 0;
    QString ARTIGO;
    int CLINRO = 0;
    QDateTime DATAEMI;
    Levels QUANT{};
    Levels PRECOCLI{};
    double PRECOAPROV = 0;
    QString APROVADO;
};

// A row of the per-user scratch tables: the customer's sales (VALOR) or
// receipts (VALREC) of a month (MES 1..12) or a year (MES 0), in cents.
struct CustomerPeriod {
    QString ANO;
    int MES = 0;
    double VALOR = 0;
};

// The user's rows for the customer, months and years each in year (and
// month) order.
struct CustomerHistory {
    QList<CustomerPeriod> months;
    QList<CustomerPeriod> years;
};

class HistoryStore {
public:
    HistoryStore(db::Database& factura, db::Database& corvane) : factura_(&factura), corvane_(&corvane) {}

    // The customer's invoice lines of the article, each once, in invoice
    // date order; an invoice line without an order is there with an empty
    // ORCNRO, and an order with several lines of the article gives the
    // quotation of its first one.
    std::optional<QList<InvoiceLine>> invoices(int customer, const QString& article,
                                               QString* error = nullptr);
    // The customer's order lines of the article, by order number and delivery date.
    std::optional<QList<OrderLine>> orders(int customer, const QString& article, QString* error = nullptr);
    // The customer's orders of the article (VALLIQUIDO, QUANTID) per month
    // and per year of delivery, the most recent first.
    std::optional<QList<PeriodTotal>> orderTotalsByMonth(int customer, const QString& article,
                                                         QString* error = nullptr);
    std::optional<QList<PeriodTotal>> orderTotalsByYear(int customer, const QString& article,
                                                        QString* error = nullptr);
    // The article's stock per warehouse in the working year.
    std::optional<QList<WarehouseStock>> stock(const QString& article, const QString& year,
                                               QString* error = nullptr);
    // The customer's open order book (lines with TOTENT 'N': VALLIQCAR,
    // QTDCAR) per month of delivery, the most recent first.
    std::optional<QList<PeriodTotal>> openOrdersByMonth(int customer, QString* error = nullptr);
    // The customer's receivables; an empty inner value when it has no row.
    std::optional<std::optional<Receivables>> receivables(int customer, QString* error = nullptr);

    // The customer's quotations of the article, its approved ones and its
    // pending ones, in customer and issue-date order.
    std::optional<QList<QuotationLine>> quotations(int customer, const QString& article,
                                                   QString* error = nullptr);
    std::optional<QList<QuotationLine>> approvedQuotations(int customer, QString* error = nullptr);
    std::optional<QList<QuotationLine>> pendingQuotations(int customer, QString* error = nullptr);

    // The user's scratch rows refilled with the customer's invoiced sales
    // (FACMOVDET.VAL_VENDA per month and year of FACMOVIM.DATEMI) or its
    // receipts (CLICOBREC.VALTOT per month and year of DATEMI), and read
    // back. One transaction under the user's lock: two sessions of one user
    // at once leave one set of rows; other users' rows stay.
    std::optional<CustomerHistory> salesHistory(const QString& user, int customer, QString* error = nullptr);
    std::optional<CustomerHistory> receiptsHistory(const QString& user, int customer,
                                                   QString* error = nullptr);

private:
    struct ScratchTables;
    std::optional<CustomerHistory> refill(const ScratchTables& tables, const QString& user, int customer,
                                          QString* error);
    // Which order lines are summed, and their value and quantity columns (fixed texts).
    struct OrderSums {
        QString where, value, quantity;
    };
    static const OrderSums kArticleOrders, kOpenOrders;
    std::optional<QList<PeriodTotal>> orderTotals(const OrderSums& sums, const QVariantMap& params,
                                                  bool monthly, QString* error);
    std::optional<QList<QuotationLine>> quotationList(const QString& where, const QVariantMap& params,
                                                      QString* error);

    db::Database* factura_;
    db::Database* corvane_;
};

} // namespace corvane::quotation
