#pragma once

#include "report_model.h"
#include "row_source.h"

#include <QStringList>

namespace corvane::report {

// What an exported file carries above its column headings.
struct SheetHeader {
    QString title;
    QString company;
    QStringList subtitles;
};

// One exported file format: it receives the lines of a report in the order
// they print, once, and writes them as they come. A sink that is never
// finished leaves no file behind (a file there before stays as it was).
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual bool begin(const ReportDefinition& def, const SheetHeader& header, QString* error) = 0;
    virtual void headingLine(const LineLayout& layout) = 0;
    virtual void line(const LineLayout& layout, const QVariantList& values) = 0;
    virtual void blank() = 0;
    virtual bool finish(QString* error) = 0;
};

// Reads every row of the source from the start into the sink; rows that
// cannot be read end it with the source's reason.
bool streamReport(const ReportDefinition& def, RowSource& source, const SheetHeader& header, LineSink& sink,
                  QString* error);

// The headings of a layout's columns, and the display texts of a line.
QStringList headingTexts(const LineLayout& layout);
QStringList displayTexts(const LineLayout& layout, const QVariantList& values);

// The message of a file that could not be written.
QString writeError(const QString& path, const QString& reason);

} // namespace corvane::report
