#pragma once

// The impact of a change of prices on the quotations still pending: each
// pending quotation priced at what it quotes, its margin with the sheet
// costed today and with the sheet re-costed from the changed reference, and
// the price that would keep its margin. Nothing is written.
#include "db/database.h"
#include "quotation/quotation_types.h"
#include "techsheet/recost.h"

#include <functional>
#include <optional>
#include <vector>

namespace corvane::quotation {

// One level of a quotation: the quoted unit price, the margin (% of the sale
// value) today and after the change, and the unit price that would keep the
// quotation's margin after it.
struct LevelImpact {
    double quantity = 0;
    double price = 0;
    double marginToday = 0;
    double marginAfter = 0;
    double priceKeepingMargin = 0;
};

struct QuotationImpact {
    int number = 0;
    int customer = 0;
    QString customerName;
    QString article;
    QDateTime issued;
    double targetMargin = 0; // MARGEMLIQ
    std::array<LevelImpact, 3> levels{};
    // The sheet's cost a piece (sum of VALOR_FINAL) today and after.
    double sheetToday = 0;
    double sheetAfter = 0;
    // Some level's margin after the change is under the threshold.
    bool flagged = false;
    // Why the quotation could not be judged (no sheet, a sheet that cannot
    // be costed, a refused calculation); its figures are then 0.
    QString problem;
};

struct ImpactReport {
    std::vector<QuotationImpact> quotations;
    int flagged = 0;
    int changed = 0; // quotations whose sheet cost changes
};

using ImpactProgress = std::function<void(qint64 done, qint64 total)>;

// What a change replaces: an article's price (per purchase unit), a
// machine's rate (per hour or per minute, as its steps use it), a cost
// type's waste (%).
enum class ChangeKind { Article, Machine, Waste };

struct PriceChange {
    ChangeKind kind = ChangeKind::Article;
    QString code;
    double today = 0;
    double proposed = 0;
};

// One line of the table: a level of a quotation whose sheet cost changes
// (or a quotation that could not be judged, with its reason).
struct ImpactLine {
    int number = 0;
    int customer = 0;
    QString customerName;
    QString article;
    int level = 0;
    double quantity = 0;
    double price = 0;
    double marginToday = 0;
    double marginAfter = 0;
    double priceKeepingMargin = 0;
    bool flagged = false;
    QString problem;
};

// The table's lines of a report: flagged first, then by margin after,
// lowest first; a level is flagged under `threshold` (% margin).
std::vector<ImpactLine> impactLines(const ImpactReport& report, double threshold);

// Every pending quotation (not approved) that quotes a price, by number.
bool priceImpact(db::Database& corvane, const techsheet::CostReference& today,
                 const techsheet::CostReference& after, double marginThreshold, ImpactReport& report,
                 const ImpactProgress& progress = {}, QString* error = nullptr);

} // namespace corvane::quotation
