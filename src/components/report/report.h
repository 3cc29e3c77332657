#pragma once

#include "report_model.h"
#include "row_source.h"

#include <memory>
#include <vector>

class QPainter;

namespace corvane::report {

// The rows one page prints.
struct PageSpan {
    qint64 firstRow = 0;
    int rows = 0;
};

// A listing ready to be shown: its definition, its rows and the values of this
// printing. The layout pass reads the rows once and keeps only where each page
// starts; a page is painted when it is asked for.
class Report {
public:
    Report(ReportDefinition definition, std::unique_ptr<RowSource> source, ReportInfo info);

    const ReportDefinition& definition() const { return def_; }
    const ReportInfo& info() const { return info_; }
    RowSource& source() { return *source_; }

    // Breaks the rows into pages; a source without rows gives no pages.
    bool layout(QString* error = nullptr);
    bool isLaidOut() const { return laidOut_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }
    PageSpan page(int index) const { return pages_.at(static_cast<size_t>(index)); }

    // Heights of the bands, in mm.
    static constexpr double kHeaderHeight = 10.0;
    static constexpr double kFooterHeight = 10.0;
    double bodyHeight() const;

    // Paints one page (0-based) whole, paper corner at the origin, on a
    // painter whose unit is a tenth of a millimetre.
    bool paintPage(QPainter& painter, int index, QString* error = nullptr);
    // The scale from tenths of a millimetre to a device of that resolution.
    static double scaleFor(double dotsPerInch) { return dotsPerInch / 254.0; }

private:
    ReportDefinition def_;
    std::unique_ptr<RowSource> source_;
    ReportInfo info_;
    std::vector<PageSpan> pages_;
    bool laidOut_ = false;
};

} // namespace corvane::report
