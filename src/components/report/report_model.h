#pragma once

#include <QDateTime>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <QVariantList>

namespace corvane::report {

enum class Align { Left, Right };
// How a value is shown and exported: numbers stay numbers and dates stay
// dates in a spreadsheet; everything else is text.
// dates in a spreadsheet; everything else is text. An image column holds the
// path of a picture file: it is drawn on the page (nothing when the file
// cannot be read) and left out of exported text and cells.
enum class ValueKind { Text, Number, Date, DateTime, Image };

// One column of a printed line, placed in millimetres from the left margin.
struct Column {
    QString heading;
    double x = 0;
    double width = 0;
    ValueKind kind = ValueKind::Text;
    Align align = Align::Left;
    int decimals = -1; // numbers: so many decimals always; -1: as many as they have
};

// The columns one kind of line prints: a listing has one kind for its detail
// line, block listings have several (labelled lines, subsidiary lines, group
// headings). sheetOffset places the line's first cell in a spreadsheet column.
struct LineLayout {
    QList<Column> columns;
    bool bold = false;
    double height = 4.6; // mm
    int sheetOffset = 0;
};

// A printed line: the values of its layout's columns, in order.
struct Line {
    int layout = 0;
    QVariantList values;
};

// What one row of the source prints; a block is kept on one page.
struct Block {
    QList<Line> lines;
    bool spaceAfter = false; // a blank space follows the block
    bool ownPage = false;    // the block starts a page of its own
};

struct PageSetup {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{7, 10, 7, 10}; // mm: left, top, right, bottom
    double pageWidth() const;        // mm, A4 in the orientation
    double pageHeight() const;
    double printableWidth() const { return pageWidth() - margins.left() - margins.right(); }
    double printableHeight() const { return pageHeight() - margins.top() - margins.bottom(); }
    QPageLayout pageLayout() const; // A4 with no margins: pages are painted whole
};

// Everything that describes a listing but its rows.
struct ReportDefinition {
    QString caption;   // the preview's window title
    QString title;     // at the left of the page header
    QString orderNote; // at the right of the page header; may be empty
    PageSetup page;
    QList<LineLayout> layouts;
    QList<int> headingLines; // layouts whose headings print under the page header
    double blockSpace = 3.0; // mm after a block that asks for a blank space

    // Empty when every column lies inside the printable width and no two
    // columns of a layout overlap; otherwise what is wrong.
    QString check() const;
    double headingsHeight() const;
    double blockHeight(const Block& block) const;
};

// What changes from one printing to the next.
struct ReportInfo {
    QString company;
    QString notice;
    QDateTime printedAt;
};

// The default display of a value: numbers in the Portuguese way without
// thousands separators and with no more decimals than they have, dates as
// dd/MM/yyyy.
QString displayText(const QVariant& value, ValueKind kind);
// The text of a value in a column: displayText, numbers with the column's
// decimals when it fixes them.
QString cellText(const QVariant& value, const Column& column);
// The date a value holds (a date, a date-time or ISO text); invalid if none.
QDateTime dateValue(const QVariant& value);

} // namespace corvane::report
