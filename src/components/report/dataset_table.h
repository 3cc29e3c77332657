#pragma once

#include "line_sink.h"
#include "row_source.h"

namespace corvane::db {
class Dataset;
}

namespace corvane::report {

// A dataset read as a plain result set: its fields in order, the rows fetched
// page by page as they are read. A column's kind comes from the values of its
// first rows: numbers, dates (also ISO text) or text.
class DatasetTable : public TableSource {
public:
    explicit DatasetTable(db::Dataset& dataset) : ds_(dataset) {}
    QStringList columnNames() const override;
    ValueKind columnKind(int column) const override;
    bool rewind(QString* error) override;
    bool next(QVariantList* values) override;
    QString readError() const override { return readError_; }

private:
    void findKinds() const;

    db::Dataset& ds_;
    int row_ = 0;
    QString readError_;
    mutable QList<ValueKind> kinds_;
};

// The spreadsheet export of a result set: the routine screens call with their
// dataset, a title, the company name and any subtitles.
bool exportDataset(db::Dataset& dataset, const QString& path, const QString& title, const QString& company,
                   const QStringList& subtitles = {}, QString* error = nullptr);

} // namespace corvane::report
