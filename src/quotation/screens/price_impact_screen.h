#pragma once

// The screen "Impacto de Preços" without its widgets: changes of article
// prices, machine rates and cost types' waste typed over today's reference,
// a margin threshold, and what they would do to every pending quotation
// (nothing written): the lines of the table, the bars of the chart.
#include "components/charts/chart_data.h"
#include "quotation/store/price_impact.h"

#include <optional>
#include <vector>

namespace corvane::quotation {

inline const QString kImpactCaption = QStringLiteral("Impacto de Preços");
inline const QString kNoChanges = QStringLiteral("Indique pelo menos uma alteração de preço ...");

class PriceImpactScreen {
public:
    PriceImpactScreen(db::Database& corvane, db::Database& factura) : corvane_(corvane), factura_(factura) {}

    // Reads today's reference; false with the message.
    bool open(QString* error);

    // Adds a change, or replaces the change of that code: an unknown code
    // or a value that is no number, negative (or a waste of 100 % or more) is
    // refused with its message and nothing changes.
    bool addChange(ChangeKind kind, const QString& code, const QString& typed, QString* message);
    void removeChange(int row);
    const std::vector<PriceChange>& changes() const { return changes_; }
    // The current value of a code, to show beside the input; nullopt when unknown.
    std::optional<double> todayOf(ChangeKind kind, const QString& code) const;

    // The margin (% of the sale value) under which a level is flagged.
    bool setThreshold(const QString& typed, QString* message);
    double threshold() const { return threshold_; }

    // Prices every pending quotation with and without the changes.
    bool run(const ImpactProgress& progress, QString* error);
    const ImpactReport& report() const { return report_; }
    // The table: flagged quotations first, then by margin after, lowest first.
    const std::vector<ImpactLine>& lines() const { return lines_; }
    // The chart: the fall of the margin (points of %) of the worst levels.
    components::ChartSeries marginFalls(int bars = 12) const;

private:
    db::Database& corvane_;
    db::Database& factura_;
    std::optional<techsheet::CostReference> today_;
    std::vector<PriceChange> changes_;
    double threshold_ = 10;
    ImpactReport report_;
    std::vector<ImpactLine> lines_;
};

} // namespace corvane::quotation
