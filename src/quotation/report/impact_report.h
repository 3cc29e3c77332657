#pragma once

// The listing of "Impacto de Preços": the changes tried, then a line per
// level of each pending quotation whose sheet cost they change (the quoted
// price, the margin today and after, the price that keeps the margin, "!"
// under the threshold), A4 landscape; the screen exports it to a spreadsheet.
#include "components/report/report.h"
#include "quotation/store/price_impact.h"

#include <memory>
#include <vector>

namespace corvane::quotation {

report::ReportDefinition impactReportDefinition(double threshold);

std::unique_ptr<report::Report> impactReport(std::vector<PriceChange> changes, std::vector<ImpactLine> lines,
                                             double threshold, report::ReportInfo info);

} // namespace corvane::quotation
