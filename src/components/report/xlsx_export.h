#pragma once

#include "line_sink.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace corvane::report {

// A spreadsheet written row by row (the workbook keeps no rows in memory):
// numbers as numbers, dates as dates, headings in bold. The file is written
// beside the target and put in its place only when complete.
class XlsxSink : public LineSink {
public:
    explicit XlsxSink(QString path) : path_(std::move(path)) {}
    ~XlsxSink() override;
    bool begin(const ReportDefinition& def, const SheetHeader& header, QString* error) override;
    void headingLine(const LineLayout& layout) override;
    void line(const LineLayout& layout, const QVariantList& values) override;
    void blank() override { ++row_; }
    bool finish(QString* error) override;

private:
    void text(int col, const QString& s, lxw_format* format);
    void cell(int col, const QVariant& value, const Column& column);

    QString path_;
    QString partPath_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    lxw_format* title_ = nullptr;
    lxw_format* date_ = nullptr;
    lxw_format* dateTime_ = nullptr;
    unsigned row_ = 0;
};

} // namespace corvane::report
