#pragma once

#include "report_model.h"

#include <QStringList>

#include <functional>

namespace corvane::report {

// Where a report's rows come from. The layout pass reads every row once from
// the start; a page is painted by seeking to its first row; the exports read
// the rows once more from the start. Nothing here holds all rows at once.
class RowSource {
public:
    virtual ~RowSource() = default;
    // Back to the first row; false with the reason when the rows cannot be read.
    virtual bool rewind(QString* error) = 0;
    // The next row's block; false after the last row.
    virtual bool next(Block* block) = 0;
    // Positions so that next() returns row index (0-based).
    virtual bool seek(qint64 index) = 0;
    // Why next() returned false before the last row; empty at the end.
    virtual QString readError() const { return {}; }
};

// A row source over numbered rows that a function turns into blocks; the
// function is asked for one row at a time.
class IndexedRowSource : public RowSource {
public:
    using BlockOf = std::function<void(qint64 row, Block* block)>;
    IndexedRowSource(std::function<qint64()> rowCount, BlockOf blockOf)
        : rowCount_(std::move(rowCount)), blockOf_(std::move(blockOf)) {}

    bool rewind(QString*) override {
        next_ = 0;
        return true;
    }
    bool next(Block* block) override {
        if (next_ >= rowCount_())
            return false;
        *block = Block{};
        blockOf_(next_++, block);
        return true;
    }
    bool seek(qint64 index) override {
        next_ = index;
        return index >= 0 && index <= rowCount_();
    }

private:
    std::function<qint64()> rowCount_;
    BlockOf blockOf_;
    qint64 next_ = 0;
};

// A plain result set: named columns and rows of values, read once in order.
class TableSource {
public:
    virtual ~TableSource() = default;
    virtual QStringList columnNames() const = 0;
    virtual ValueKind columnKind(int column) const = 0;
    virtual bool rewind(QString* error) = 0;
    virtual bool next(QVariantList* values) = 0;
    // Why next() returned false before the last row; empty at the end.
    virtual QString readError() const { return {}; }
};

} // namespace corvane::report
