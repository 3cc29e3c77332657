#pragma once

// Driving the quotation screen's logic as a user types: a view that records
// what it was asked to show, typing into an input, a quotation typed in.
#include "quotation/screens/quotation_screen.h"
#include "support/recording_view.h"

#include <vector>

namespace {

using corvane::quotation::QuotationScreen;

// Records the reports it was asked to show.
struct View : RecordingPagedView<corvane::quotation::QuotationView> {
    std::vector<corvane::quotation::QuotationPrint> previews;
    std::vector<corvane::quotation::CustomerPanel> customers;
    std::vector<corvane::quotation::ArticlePanel> articles;
    QList<std::pair<int, QList<corvane::quotation::ChartSlice>>> charts;
    int clears = 0;
    void previewQuotation(const corvane::quotation::QuotationPrint& q) override { previews.push_back(q); }
    void showCustomerHistory(const corvane::quotation::CustomerPanel& p) override { customers.push_back(p); }
    void showArticleHistory(const corvane::quotation::ArticlePanel& p) override { articles.push_back(p); }
    void showPriceChart(int level, const QList<corvane::quotation::ChartSlice>& slices) override {
        charts << std::pair{level, slices};
    }
    void clearHistory() override { ++clears; }
};

// Entering an input, typing into it and leaving it; false when refused.
inline bool type(QuotationScreen& s, const QString& input, const QString& text) {
    s.fieldEnter(input);
    s.setText(input, text);
    return s.fieldExit(input);
}

// Series, number (the proposal unless given), customer, kind, article,
// margin and quantities, as typed; false at the first refusal.
inline bool quote(QuotationScreen& s, int series, int customer, const QString& kind, const QString& code,
                  const QString& margin, const QStringList& quantities, int number = 0) {
    s.fieldEnter(QStringLiteral("Edit_Serie"));
    if (!type(s, QStringLiteral("Edit_Serie"), QString::number(series)))
        return false;
    s.fieldEnter(QStringLiteral("Edit_OrcNro"));
    if (number)
        s.setText(QStringLiteral("Edit_OrcNro"), QString::number(number));
    if (!s.fieldExit(QStringLiteral("Edit_OrcNro")) ||
        !type(s, QStringLiteral("Edit_CliNro"), QString::number(customer)) ||
        !type(s, QStringLiteral("Edit_TipoFt"), kind) || !type(s, QStringLiteral("Edit_ArtNro"), code) ||
        !type(s, QStringLiteral("Edit_MargemLiq"), margin))
        return false;
    for (int i = 0; i < 3; ++i)
        if (!type(s, QStringLiteral("Edit_Qtd%1").arg(i + 1), quantities.value(i)))
            return false;
    return true;
}

} // namespace
