#pragma once

#include "report_model.h"

#include <QFont>
#include <QFontMetricsF>

class QPainter;

namespace corvane::report {

// The longest start of text that fits width (in the metrics' units): long
// values are cut at the column's edge, never spilled into the next column.
QString cutToWidth(const QString& text, const QFontMetricsF& metrics, double width);

// Paints the bands of one page in tenths of a millimetre.
class PagePainter {
public:
    PagePainter(QPainter& painter, const ReportDefinition& def, const ReportInfo& info);

    void header();
    void footer(int pageNumber);
    // Paints the column headings from y (mm); returns the y below them.
    double headings(double y);
    // Paints a block from y, no line past bottom; returns the y below it.
    double block(const Block& block, double y, double bottom);

private:
    void line(const Line& line, double y, bool headings);
    void text(const QString& s, double x, double y, double width, double height, Align align,
              const QFont& font);
    void rule(double y);
    // A picture file fitted into a cell; nothing when it cannot be read.
    void picture(const QString& path, double x, double y, double width, double height);

    QPainter& p_;
    const ReportDefinition& def_;
    const ReportInfo& info_;
    QFont detail_, bold_, title_, footer_;
};

} // namespace corvane::report
