#pragma once

#include "line_sink.h"

#include <QSaveFile>

namespace corvane::report {

// A rich-text file: the header as paragraphs, every printed line as a table
// row whose cells stand where the columns print.
class RtfSink : public LineSink {
public:
    explicit RtfSink(const QString& path) : file_(path) {}
    bool begin(const ReportDefinition& def, const SheetHeader& header, QString* error) override;
    void headingLine(const LineLayout& layout) override;
    void line(const LineLayout& layout, const QVariantList& values) override;
    void blank() override;
    bool finish(QString* error) override;

    // Text with RTF's special characters escaped and the rest as \uN.
    static QByteArray escape(const QString& text);

private:
    void row(const LineLayout& layout, const QStringList& cells, bool bold);
    void put(const QByteArray& bytes) { file_.write(bytes); }

    QSaveFile file_;
    double width_ = 0;
};

} // namespace corvane::report
