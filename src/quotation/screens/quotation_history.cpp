#include "quotation_history.h"

#include "components/photos/photo_files.h"
#include "shell/parameters_store.h"

namespace corvane::quotation {

const QStringList& agingLabels() {
    static const QStringList labels{
        QStringLiteral("Prazo"),   QStringLiteral("  0  30"), QStringLiteral(" 30  60"),
        QStringLiteral(" 60  90"), QStringLiteral(" 90 120"), QStringLiteral("120 180"),
        QStringLiteral("  +180"),  QStringLiteral("Tit."),    QStringLiteral("Pré-Dat.")};
    return labels;
}

components::ChartSeries receivablesSeries(const Receivables& r) {
    return components::ChartSeries{
        agingLabels(),
        {r.DEB0, r.DEB30, r.DEB3060, r.DEB6090, r.DEB90120, r.DEB120180, r.DEB180, r.TITULOS, r.PREDAT}};
}

components::ChartSeries periodSeries(const QList<PeriodTotal>& totals) {
    QList<components::PeriodTotal> rows;
    for (const PeriodTotal& t : totals)
        rows << components::PeriodTotal{t.ANO, t.MES, t.VALOR};
    return components::recentPeriods(rows);
}

components::ChartSeries stockSeries(const QList<WarehouseStock>& stock) {
    components::ChartSeries out;
    for (const WarehouseStock& s : stock) {
        out.labels << QString::number(s.CODIGO);
        out.values << s.EXIQTD;
    }
    return out;
}

QuotationHistory::QuotationHistory(db::Database& corvane, db::Database& factura, QString user, QString year)
    : corvane_(corvane), factura_(factura), store_(factura, corvane), user_(std::move(user)),
      year_(std::move(year)) {}

bool QuotationHistory::readPhotoParameters(QString* error) {
    if (photoRead_)
        return true;
    const std::optional<QVariantMap> row = shell::ParametersStore(factura_).yearRow(year_, error);
    if (!row)
        return false;
    photoFolder_ = row->value(QStringLiteral("PATHFOTO")).toString().trimmed();
    photoExtension_ = row->value(QStringLiteral("EXTFOTO")).toString().trimmed();
    photoRead_ = true;
    return true;
}

std::optional<CustomerPanel> QuotationHistory::customer(int code, QString* error) {
    CustomerPanel out;
    out.customer = code;
    auto receivables = store_.receivables(code, error);
    if (!receivables)
        return std::nullopt;
    out.receivables = *receivables;
    auto open = store_.openOrdersByMonth(code, error);
    auto sales = open ? store_.salesHistory(user_, code, error) : std::nullopt;
    auto receipts = sales ? store_.receiptsHistory(user_, code, error) : std::nullopt;
    if (!receipts)
        return std::nullopt;
    out.openOrders = *open;
    out.sales = *sales;
    out.receipts = *receipts;
    return out;
}

std::optional<ArticlePanel> QuotationHistory::article(int customer, const QString& code, bool record,
                                                      QString* error) {
    ArticlePanel out;
    out.article = code;
    auto identity = readArticleIdentity(corvane_, factura_, code, record, error);
    if (!identity)
        return std::nullopt;
    out.identity = std::move(*identity);
    auto invoices = store_.invoices(customer, code, error);
    auto orders = invoices ? store_.orders(customer, code, error) : std::nullopt;
    auto byMonth = orders ? store_.orderTotalsByMonth(customer, code, error) : std::nullopt;
    auto byYear = byMonth ? store_.orderTotalsByYear(customer, code, error) : std::nullopt;
    auto stock = byYear ? store_.stock(code, year_, error) : std::nullopt;
    auto quotations = stock ? store_.quotations(customer, code, error) : std::nullopt;
    auto approved = quotations ? store_.approvedQuotations(customer, error) : std::nullopt;
    auto pending = approved ? store_.pendingQuotations(customer, error) : std::nullopt;
    if (!pending || !readPhotoParameters(error))
        return std::nullopt;
    out.invoices = *invoices;
    out.orders = *orders;
    out.totalsByMonth = *byMonth;
    out.totalsByYear = *byYear;
    out.stock = *stock;
    out.quotations = *quotations;
    out.approved = *approved;
    out.pending = *pending;
    out.photos = components::articlePhotoFiles(photoFolder_, code, photoExtension_);
    return out;
}

} // namespace corvane::quotation
