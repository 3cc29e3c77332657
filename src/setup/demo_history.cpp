// The demo customers' history over this year and the last: orders (some
// still open), invoices of those orders and one without an order, an order
// with two lines of one article, open receivables by age for some customers
// and receipts. The orders of demo_quotations (440 and those of the
// approved quotations) and of demo_articles (1001) stay as they are; the
// invoice lines of demo_articles get their headers.
#include "demo_rows.h"
#include "demo_site.h"

#include "core/rounding.h"

#include <QDate>

namespace corvane::setup {

namespace {

QDateTime at(const QDate& d) {
    return QDateTime(d, QTime(0, 0));
}

// The demo's dates: a day of last year, and a number of days before today
// kept within this year.
struct Calendar {
    QDate today;
    QDate lastYear(int month, int day) const { return QDate(today.year() - 1, month, day); }
    QDate daysAgo(int days) const {
        const QDate d = today.addDays(-days);
        return d.year() == today.year() ? d : QDate(today.year(), 1, 1);
    }
};

// An order line: ENCNRO, DETAIL, ARTIGO, delivery date, price, quantity,
// margin, and what is still to deliver (none when the order is complete).
Row orderLine(int order, int detail, const char* article, const QDate& delivery, double price,
              double quantity, double margin, double toDeliver) {
    const bool open = toDeliver > 0;
    return Row{order,
               detail,
               article,
               at(delivery),
               QString::number(delivery.year()),
               delivery.weekNumber(),
               price,
               quantity,
               "Und",
               margin,
               0,
               open ? "N" : "S",
               roundTo(price * quantity, 2),
               roundTo(price * toDeliver, 2),
               toDeliver};
}

// An invoice line: TIPDOC, DOCNRO, DETAIL, ARTIGO, price, quantity, order.
Row invoiceLine(int document, int detail, const char* article, double price, double quantity, int order) {
    return Row{"FAC", document, detail, article, price, quantity, order, roundTo(price * quantity, 2)};
}

} // namespace

bool insertDemoHistory(db::Database& factura, const QDate& today, QString* error) {
    const Calendar c{today};
    // Order 440's delivery, as demo_quotations dates it.
    const QDate delivered440 = today.addYears(-1).addDays(40);
    const QList<Row> orders{
        {601, 5, at(c.lastYear(2, 10))}, {602, 5, at(c.lastYear(9, 5))}, {603, 5, at(c.daysAgo(60))},
        {604, 5, at(c.lastYear(11, 3))}, {605, 1, at(c.lastYear(5, 4))}, {606, 1, at(c.daysAgo(45))},
        {607, 3, at(c.daysAgo(20))},     {608, 2, at(c.lastYear(4, 2))},
    };
    const QList<Row> orderLines{
        // D'Almeida's black merino scarf over two years, this year's order half delivered.
        orderLine(601, 1, "CHCLA01.PRE", c.lastYear(3, 15), 16.0, 400, 24.0, 0),
        orderLine(602, 1, "CHCLA01.PRE", c.lastYear(10, 20), 16.2, 300, 25.0, 0),
        orderLine(603, 1, "CHCLA01.PRE", c.daysAgo(45), 16.5, 500, 26.0, 300),
        // One order, two deliveries of the same hat.
        orderLine(604, 1, "GORAC02.PRE", c.lastYear(11, 28), 7.2, 250, 22.0, 0),
        orderLine(604, 2, "GORAC02.PRE", c.lastYear(12, 12), 7.2, 150, 22.0, 0),
        orderLine(605, 1, "ECHVI01.PRE", c.lastYear(6, 1), 12.4, 1000, 20.0, 0),
        orderLine(606, 1, "ECHVI01.PRE", c.daysAgo(10), 12.6, 800, 21.0, 800),
        orderLine(607, 1, "CHCAC01.PRE", today.addDays(15), 9.5, 200, 23.0, 200),
        orderLine(608, 1, "CHCLA01.PRE", c.lastYear(4, 30), 16.5, 120, 27.0, 0),
    };
    const QList<Row> invoices{
        {"FAC", 2001, at(today.addDays(-20)), 2}, {"FAC", 2002, at(today.addDays(-20)), 2},
        {"FAC", 2003, at(today.addDays(-20)), 2}, {"FAC", 3101, at(c.lastYear(3, 20)), 5},
        {"FAC", 3102, at(c.lastYear(10, 25)), 5}, {"FAC", 3103, at(delivered440), 5},
        {"FAC", 3104, at(c.lastYear(12, 1)), 5},  {"FAC", 3105, at(c.lastYear(12, 15)), 5},
        {"FAC", 3106, at(c.daysAgo(40)), 5},      {"FAC", 3107, at(c.daysAgo(5)), 5},
        {"FAC", 3108, at(c.lastYear(6, 5)), 1},   {"FAC", 3109, at(c.daysAgo(30)), 1},
        {"FAC", 3110, at(c.lastYear(5, 2)), 2},
    };
    const QList<Row> invoiceLines{
        invoiceLine(3101, 1, "CHCLA01.PRE", 16.0, 400, 601),
        invoiceLine(3102, 1, "CHCLA01.PRE", 16.2, 300, 602),
        invoiceLine(3103, 1, "CHCAC01.PRE", 9.9, 300, 440),
        invoiceLine(3104, 1, "GORAC02.PRE", 7.2, 250, 604),
        invoiceLine(3105, 1, "GORAC02.PRE", 7.2, 150, 604),
        invoiceLine(3106, 1, "CHCLA01.PRE", 16.5, 200, 603),
        // A sale over the counter: no order.
        invoiceLine(3107, 1, "ECHVI01.PRE", 12.9, 50, 0),
        invoiceLine(3108, 1, "ECHVI01.PRE", 12.4, 1000, 605),
        invoiceLine(3109, 1, "CHCLA01.CIN", 16.5, 60, 0),
        invoiceLine(3110, 1, "CHCLA01.PRE", 16.5, 120, 608),
    };
    // Customers 2, 3, 4 and 6 owe nothing.
    const QList<Row> receivables{
        {1, 990.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 2500.0, 0.0},
        {5, 645.0, 3300.0, 0.0, 1080.0, 0.0, 0.0, 350.0, 1200.0, 400.0},
        {7, 0.0, 0.0, 2300.5, 0.0, 780.0, 150.25, 0.0, 0.0, 0.0},
    };
    const QList<Row> receipts{
        {1, 5, at(c.lastYear(4, 30)), 6400.0},  {2, 5, at(c.lastYear(9, 1)), 2970.0},
        {3, 5, at(c.lastYear(12, 20)), 4860.0}, {4, 5, at(c.daysAgo(20)), 2880.0},
        {5, 5, at(c.daysAgo(2)), 1000.0},       {6, 1, at(c.lastYear(7, 15)), 12400.0},
        {7, 2, at(c.lastYear(6, 1)), 1980.0},
    };
    return factura.transaction(
        [&] {
            return insertRows(factura, QStringLiteral("ENCCLIMAS"), QStringLiteral("ENCNRO,CLINRO,DATAENC"),
                              orders, error) &&
                   insertRows(
                       factura, QStringLiteral("ENCCLIDET"),
                       QStringLiteral("ENCNRO,DETAIL,ARTIGO,DATAENTRG,ANO,SEMANA,PRECOVENDA,QUANTID,UNVEND,"
                                      "MARGEMPRC,ORCNRO,TOTENT,VALLIQUIDO,VALLIQCAR,QTDCAR"),
                       orderLines, error) &&
                   insertRows(factura, QStringLiteral("FACMOVIM"),
                              QStringLiteral("TIPDOC,DOCNRO,DATEMI,CLINRO"), invoices, error) &&
                   insertRows(
                       factura, QStringLiteral("FACMOVDET"),
                       QStringLiteral("TIPDOC,DOCNRO,DETAIL,ARTIGO,PRECOVENDA,QUANTID,ENCOMENDA,VAL_VENDA"),
                       invoiceLines, error) &&
                   insertRows(factura, QStringLiteral("CLIVALCOB"),
                              QStringLiteral("CODIGO,DEB0,DEB30,DEB3060,DEB6090,DEB90120,DEB120180,DEB180,"
                                             "TITULOS,PREDAT"),
                              receivables, error) &&
                   insertRows(factura, QStringLiteral("CLICOBREC"),
                              QStringLiteral("RECNRO,CLIENTE,DATEMI,VALTOT"), receipts, error);
        },
        error);
}

} // namespace corvane::setup
