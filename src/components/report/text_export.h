#pragma once

#include "line_sink.h"

#include <QSaveFile>
#include <QTextStream>

namespace corvane::report {

// Where a column stands in a plain-text line, in characters.
struct TextColumn {
    int start = 0;
    int width = 0;
};
// Columns keep their printed order and place (a character per 1.8 mm), are
// never narrower than their heading and never run into each other.
QList<TextColumn> textColumns(const LineLayout& layout);

// A plain-text file with the columns aligned in spaces (UTF-8).
class TextSink : public LineSink {
public:
    explicit TextSink(const QString& path) : file_(path) {}
    bool begin(const ReportDefinition& def, const SheetHeader& header, QString* error) override;
    void headingLine(const LineLayout& layout) override;
    void line(const LineLayout& layout, const QVariantList& values) override;
    void blank() override;
    bool finish(QString* error) override;

private:
    void write(const LineLayout& layout, const QStringList& cells);

    QSaveFile file_;
    QTextStream out_;
    bool headingsDone_ = false;
    int ruleWidth_ = 0;
};

} // namespace corvane::report
