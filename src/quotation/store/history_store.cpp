#include "history_store.h"

#include "core/rounding.h"

#include <QSqlQuery>

#include <functional>

namespace corvane::quotation {

namespace {

const QString kCustomer = QStringLiteral("WCliNro");
const QString kArticle = QStringLiteral("WArtigo");
const QString kUser = QStringLiteral("WUtil");

// A sum of amounts as the company's currency shows it.
double cents(double amount) {
    return roundTo(amount, 2);
}

QString textAt(const QSqlQuery& q, int column) {
    return q.value(column).toString().trimmed();
}

// Every row of a select, each made by `make`.
template <typename Row>
std::optional<QList<Row>> rowsOf(db::Database& db, const QString& sql, const QVariantMap& params,
                                 const std::function<Row(const QSqlQuery&)>& make, QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q, sql, params, error))
        return std::nullopt;
    QList<Row> out;
    while (q.next())
        out << make(q);
    return out;
}

} // namespace

double Receivables::total() const {
    return cents(DEB0 + DEB30 + DEB3060 + DEB6090 + DEB90120 + DEB120180 + DEB180);
}

// ---- invoices and orders of the article -----------------------------------------

std::optional<QList<InvoiceLine>> HistoryStore::invoices(int customer, const QString& article,
                                                         QString* error) {
    // Every invoice line once: the order line is the first of the order's
    // lines of the article, and an invoice without an order keeps its line.
    return rowsOf<InvoiceLine>(
        *factura_,
        QStringLiteral(
            "SELECT D.TIPDOC, D.DOCNRO, D.ARTIGO, D.PRECOVENDA, D.QUANTID, M.DATEMI, M.CLINRO, D.ENCOMENDA, "
            "E.ORCNRO, E.ENCNRO FROM FACMOVDET D JOIN FACMOVIM M ON M.TIPDOC = D.TIPDOC AND M.DOCNRO = "
            "D.DOCNRO LEFT JOIN ENCCLIDET E ON E.ENCNRO = D.ENCOMENDA AND E.ARTIGO = D.ARTIGO AND E.DETAIL = "
            "(SELECT MIN(F.DETAIL) FROM ENCCLIDET F WHERE F.ENCNRO = D.ENCOMENDA AND F.ARTIGO = D.ARTIGO) "
            "WHERE M.CLINRO = :WCliNro AND D.ARTIGO = :WArtigo ORDER BY M.DATEMI, D.TIPDOC, D.DOCNRO, "
            "D.DETAIL"),
        {{kCustomer, customer}, {kArticle, article}},
        [](const QSqlQuery& q) {
            InvoiceLine l;
            l.TIPDOC = textAt(q, 0);
            l.DOCNRO = q.value(1).toInt();
            l.ARTIGO = textAt(q, 2);
            l.PRECOVENDA = q.value(3).toDouble();
            l.QUANTID = q.value(4).toDouble();
            l.DATEMI = q.value(5).toDateTime();
            l.CLINRO = q.value(6).toInt();
            l.ENCOMENDA = q.value(7).toInt();
            if (!q.value(9).isNull())
                l.ORCNRO = q.value(8).toInt();
            return l;
        },
        error);
}

std::optional<QList<OrderLine>> HistoryStore::orders(int customer, const QString& article, QString* error) {
    const QString month = factura_->dialect().month(QStringLiteral("D.DATAENTRG"));
    return rowsOf<OrderLine>(
        *factura_,
        QStringLiteral(
            "SELECT D.ENCNRO, D.DETAIL, D.DATAENTRG, D.ANO, %1, D.SEMANA, D.PRECOVENDA, D.QUANTID, "
            "D.UNVEND, D.MARGEMPRC, D.ORCNRO, D.ARTIGO, M.CLINRO, D.TOTENT FROM ENCCLIDET D JOIN "
            "ENCCLIMAS M ON M.ENCNRO = D.ENCNRO WHERE M.CLINRO = :WCliNro AND D.ARTIGO = :WArtigo "
            "ORDER BY D.ENCNRO, D.DATAENTRG, D.DETAIL")
            .arg(month),
        {{kCustomer, customer}, {kArticle, article}},
        [](const QSqlQuery& q) {
            OrderLine l;
            l.ENCNRO = q.value(0).toInt();
            l.DETAIL = q.value(1).toInt();
            l.DATAENTRG = q.value(2).toDateTime();
            l.ANO = textAt(q, 3);
            l.MES = q.value(4).toInt();
            l.SEMANA = q.value(5).toInt();
            l.PRECOVENDA = q.value(6).toDouble();
            l.QUANTID = q.value(7).toDouble();
            l.UNVEND = textAt(q, 8);
            l.MARGEMPRC = q.value(9).toDouble();
            l.ORCNRO = q.value(10).toInt();
            l.ARTIGO = textAt(q, 11);
            l.CLINRO = q.value(12).toInt();
            l.TOTENT = textAt(q, 13);
            return l;
        },
        error);
}

// ---- totals per period ----------------------------------------------------------

std::optional<QList<PeriodTotal>> HistoryStore::orderTotals(const OrderSums& sums, const QVariantMap& params,
                                                            bool monthly, QString* error) {
    // The customer's order lines with a delivery date, per year (and month).
    const db::Dialect& d = factura_->dialect();
    const QString year = d.year(QStringLiteral("D.DATAENTRG"));
    const QString month = monthly ? d.month(QStringLiteral("D.DATAENTRG")) : QStringLiteral("0");
    return rowsOf<PeriodTotal>(
        *factura_,
        QStringLiteral(
            "SELECT %1, %2, COALESCE(SUM(%3), 0), COALESCE(SUM(%4), 0) FROM ENCCLIDET D JOIN ENCCLIMAS "
            "M ON M.ENCNRO = D.ENCNRO JOIN CLIENTES C ON C.CODIGO = M.CLINRO WHERE M.CLINRO = "
            ":WCliNro AND D.DATAENTRG IS NOT NULL AND %5 GROUP BY %6 ORDER BY 1 DESC, 2 DESC")
            .arg(year, month, sums.value, sums.quantity, sums.where,
                 monthly ? year + QStringLiteral(", ") + month : year),
        params,
        [](const QSqlQuery& q) {
            return PeriodTotal{q.value(0).toInt(), q.value(1).toInt(), cents(q.value(2).toDouble()),
                               q.value(3).toDouble()};
        },
        error);
}

// The article's orders, and the open order book.
const HistoryStore::OrderSums HistoryStore::kArticleOrders{
    QStringLiteral("D.ARTIGO = :WArtigo"), QStringLiteral("D.VALLIQUIDO"), QStringLiteral("D.QUANTID")};
const HistoryStore::OrderSums HistoryStore::kOpenOrders{
    QStringLiteral("D.TOTENT = 'N'"), QStringLiteral("D.VALLIQCAR"), QStringLiteral("D.QTDCAR")};

std::optional<QList<PeriodTotal>> HistoryStore::orderTotalsByMonth(int customer, const QString& article,
                                                                   QString* error) {
    return orderTotals(kArticleOrders, {{kCustomer, customer}, {kArticle, article}}, true, error);
}

std::optional<QList<PeriodTotal>> HistoryStore::orderTotalsByYear(int customer, const QString& article,
                                                                  QString* error) {
    return orderTotals(kArticleOrders, {{kCustomer, customer}, {kArticle, article}}, false, error);
}

std::optional<QList<PeriodTotal>> HistoryStore::openOrdersByMonth(int customer, QString* error) {
    return orderTotals(kOpenOrders, {{kCustomer, customer}}, true, error);
}

// ---- stock and receivables ------------------------------------------------------

std::optional<QList<WarehouseStock>> HistoryStore::stock(const QString& article, const QString& year,
                                                         QString* error) {
    return rowsOf<WarehouseStock>(
        *factura_,
        QStringLiteral(
            "SELECT ARTIGO, ANO, CODIGO, EXIQTD00, EXIVAL00, EXIQTD, EXIVAL FROM STKARTGARMZ WHERE "
            "ARTIGO = :WArtigo AND ANO = :WAno ORDER BY ARTIGO, CODIGO"),
        {{kArticle, article}, {QStringLiteral("WAno"), year}},
        [](const QSqlQuery& q) {
            return WarehouseStock{textAt(q, 0),          textAt(q, 1),          q.value(2).toInt(),
                                  q.value(3).toDouble(), q.value(4).toDouble(), q.value(5).toDouble(),
                                  q.value(6).toDouble()};
        },
        error);
}

std::optional<std::optional<Receivables>> HistoryStore::receivables(int customer, QString* error) {
    const std::optional<QVariantMap> row = factura_->firstRow(
        QStringLiteral("SELECT CODIGO, DEB0, DEB30, DEB3060, DEB6090, DEB90120, DEB120180, "
                       "DEB180, TITULOS, PREDAT FROM CLIVALCOB WHERE CODIGO = :WCliNro"),
        {{kCustomer, customer}}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty())
        return std::optional<Receivables>{};
    auto v = [&row](const char* column) { return row->value(QLatin1String(column)).toDouble(); };
    return std::optional<Receivables>{Receivables{customer, v("DEB0"), v("DEB30"), v("DEB3060"), v("DEB6090"),
                                                  v("DEB90120"), v("DEB120180"), v("DEB180"), v("TITULOS"),
                                                  v("PREDAT")}};
}

// ---- quotations -------------------------------------------------------------------

std::optional<QList<QuotationLine>> HistoryStore::quotationList(const QString& where,
                                                                const QVariantMap& params, QString* error) {
    return rowsOf<QuotationLine>(
        *corvane_,
        QStringLiteral(
            "SELECT ORCNRO, ARTIGO, CLINRO, DATAEMI, QUANT1, QUANT2, QUANT3, PRECOCLI1, PRECOCLI2, "
            "PRECOCLI3, PRECOAPROV, APROVADO FROM ORCAMMAS WHERE CLINRO = :WCliNro AND %1 ORDER BY "
            "CLINRO, DATAEMI, ORCNRO")
            .arg(where),
        params,
        [](const QSqlQuery& q) {
            QuotationLine l;
            l.ORCNRO = q.value(0).toInt();
            l.ARTIGO = textAt(q, 1);
            l.CLINRO = q.value(2).toInt();
            l.DATAEMI = q.value(3).toDateTime();
            for (int i = 0; i < 3; ++i) {
                l.QUANT[std::size_t(i)] = q.value(4 + i).toDouble();
                l.PRECOCLI[std::size_t(i)] = q.value(7 + i).toDouble();
            }
            l.PRECOAPROV = q.value(10).toDouble();
            l.APROVADO = textAt(q, 11);
            return l;
        },
        error);
}

std::optional<QList<QuotationLine>> HistoryStore::quotations(int customer, const QString& article,
                                                             QString* error) {
    return quotationList(QStringLiteral("ARTIGO = :WArtigo"), {{kCustomer, customer}, {kArticle, article}},
                         error);
}

std::optional<QList<QuotationLine>> HistoryStore::approvedQuotations(int customer, QString* error) {
    return quotationList(kApprovedCondition, {{kCustomer, customer}}, error);
}

std::optional<QList<QuotationLine>> HistoryStore::pendingQuotations(int customer, QString* error) {
    return quotationList(kPendingCondition, {{kCustomer, customer}}, error);
}

// ---- the per-user scratch tables --------------------------------------------------

// One pair of scratch tables: their names, the value column, the statements
// that empty them for the user, and what fills them (the rows summed, their
// date, the customer's column and the summed value).
struct HistoryStore::ScratchTables {
    QString lock;
    QString months, years, value;
    QString deleteMonths, deleteYears;
    QString from, date, customer, sum;
};

std::optional<CustomerHistory> HistoryStore::refill(const ScratchTables& t, const QString& user, int customer,
                                                    QString* error) {
    const db::Dialect& d = factura_->dialect();
    const QString year = d.year(t.date);
    const QString month = d.month(t.date);
    const QString code = user.left(15);
    const QVariantMap userOnly{{kUser, code}};
    const QVariantMap both{{kUser, code}, {kCustomer, customer}};
    // The user code is cast so that both backends know the parameter's type in a select list.
    const QString fill = QStringLiteral(
        "SELECT CAST(:WUtil AS VARCHAR(15)), %1, CAST(%2 AS VARCHAR(4))%3, COALESCE(SUM(%4), 0) "
        "FROM %5 WHERE %1 = :WCliNro AND %6 IS NOT NULL GROUP BY %1, %2%3");
    auto read = [&](const QString& table, bool monthly) -> std::optional<QList<CustomerPeriod>> {
        return rowsOf<CustomerPeriod>(
            *factura_,
            QStringLiteral(
                "SELECT ANO, %1, %2 FROM %3 WHERE UTIL = :WUtil AND CLINRO = :WCliNro ORDER BY ANO%4")
                .arg(monthly ? QStringLiteral("MES") : QStringLiteral("0"), t.value, table,
                     monthly ? QStringLiteral(", MES") : QString()),
            both,
            [](const QSqlQuery& q) {
                return CustomerPeriod{textAt(q, 0), q.value(1).toInt(), cents(q.value(2).toDouble())};
            },
            error);
    };
    CustomerHistory out;
    const bool ok = factura_->transaction(
        [&] {
            if (!factura_->lockInTransaction(t.lock + code, error) ||
                !factura_->exec(t.deleteMonths, userOnly, error) ||
                !factura_->exec(
                    QStringLiteral("INSERT INTO %1 (UTIL,CLINRO,ANO,MES,%2) ").arg(t.months, t.value) +
                        fill.arg(t.customer, year, QStringLiteral(", ") + month, t.sum, t.from, t.date),
                    both, error) ||
                !factura_->exec(t.deleteYears, userOnly, error) ||
                // The years from the months just written: the rows are summed once.
                !factura_->exec(
                    QStringLiteral("INSERT INTO %1 (UTIL,CLINRO,ANO,%2) SELECT UTIL, CLINRO, ANO, "
                                   "COALESCE(SUM(%2), 0) FROM %3 WHERE UTIL = :WUtil AND CLINRO = "
                                   ":WCliNro GROUP BY UTIL, CLINRO, ANO")
                        .arg(t.years, t.value, t.months),
                    both, error))
                return false;
            std::optional<QList<CustomerPeriod>> months = read(t.months, true);
            std::optional<QList<CustomerPeriod>> years = months ? read(t.years, false) : std::nullopt;
            if (!years)
                return false;
            out = CustomerHistory{*months, *years};
            return true;
        },
        error);
    if (!ok)
        return std::nullopt;
    return out;
}

std::optional<CustomerHistory> HistoryStore::salesHistory(const QString& user, int customer, QString* error) {
    static const ScratchTables sales{QStringLiteral("WORKVENDAS:"),
                                     QStringLiteral("WORKVENDASMES"),
                                     QStringLiteral("WORKVENDASANO"),
                                     QStringLiteral("VALOR"),
                                     QStringLiteral("DELETE FROM WORKVENDASMES WHERE UTIL=:WUtil"),
                                     QStringLiteral("DELETE FROM WORKVENDASANO WHERE UTIL=:WUtil"),
                                     QStringLiteral("FACMOVIM M JOIN FACMOVDET D ON D.TIPDOC = M.TIPDOC AND "
                                                    "D.DOCNRO = M.DOCNRO"),
                                     QStringLiteral("M.DATEMI"),
                                     QStringLiteral("M.CLINRO"),
                                     QStringLiteral("D.VAL_VENDA")};
    return refill(sales, user, customer, error);
}

std::optional<CustomerHistory> HistoryStore::receiptsHistory(const QString& user, int customer,
                                                             QString* error) {
    static const ScratchTables receipts{QStringLiteral("WORKCLIREC:"),
                                        QStringLiteral("WORKCLIRECMES"),
                                        QStringLiteral("WORKCLIRECANO"),
                                        QStringLiteral("VALREC"),
                                        QStringLiteral("DELETE FROM WORKCLIRECMES Where UTIL=:WUtil"),
                                        QStringLiteral("DELETE FROM WORKCLIRECANO Where UTIL=:WUtil"),
                                        QStringLiteral("CLICOBREC R"),
                                        QStringLiteral("R.DATEMI"),
                                        QStringLiteral("R.CLIENTE"),
                                        QStringLiteral("R.VALTOT")};
    return refill(receipts, user, customer, error);
}

} // namespace corvane::quotation
