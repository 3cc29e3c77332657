#pragma once

#include "core/screen_view.h"
#include "db/dataset.h"
#include "field_rule.h"
#include "grid_columns.h"

#include <functional>

namespace corvane::screens {

// One column of a detail grid: a column of the child dataset, its title,
// whether the user edits it, and the rule that converts what is typed (kind
// and width from the table's description). A yes/no column shows as a check
// box and stores "S" or "N".
struct DetailColumn {
    FieldRule rule; // rule.column is the dataset's column
    QString title;
    bool editable = false;
    bool yesNo = false;
    int width = 0; // characters of the grid column; 0: the grid's default
};

// The lines of a child dataset as an editable grid shows them: cells are
// converted and checked when they are left, a handler runs when the user
// leaves a column of a line, and the lines can be sorted by any column.
class DetailLines {
public:
    // Checks a cell's new value before it is stored; false refuses it with
    // *message (the cell keeps its old value).
    using CellCheck =
        std::function<bool(int row, const DetailColumn& column, const QVariant& value, QString* message)>;
    // After a cell's value was stored, or when a column of a line is left.
    using CellEvent = std::function<void(int row, const DetailColumn& column)>;

    DetailLines(db::Dataset& dataset, QList<DetailColumn> columns, ScreenView& view);

    db::Dataset& dataset() { return *ds_; }
    const QList<DetailColumn>& columns() const { return columns_; }
    void setCellCheck(CellCheck check) { check_ = std::move(check); }
    void setCellStored(CellEvent stored) { stored_ = std::move(stored); }
    void setColumnLeft(CellEvent left) { left_ = std::move(left); }
    // Lines only looked at (the user may not change them): no cell takes a value.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Whether the user edits a column's cells.
    bool editable(int column) const {
        return !readOnly_ && column >= 0 && column < columns_.size() && columns_[column].editable;
    }

    // The grid's column table: the lines' texts and yes/no boxes, numbers on
    // the right, editors held to the rules' lengths, input through setText
    // and setChecked, titles that sort, reloading through reload(). The
    // lines must outlive the grid.
    GridColumns gridColumns();

    // Reads the lines again (after the dataset was reopened or changed).
    void reload();
    int lineCount() const { return static_cast<int>(order_.size()); }
    int datasetRow(int line) const { return order_.value(line, -1); }
    QString text(int line, int column) const;
    bool checked(int line, int column) const;

    // Leaving an edited cell with a text: false with the message shown.
    bool setText(int line, int column, const QString& text);
    // A yes/no cell set or cleared.
    bool setChecked(int line, int column, bool on);
    // The user left a column of a line (moved to another column or line).
    void leaveColumn(int line, int column);
    // Orders the lines by a column (numbers by value, texts case-insensitively);
    // the same column again reverses the order.
    void sortBy(int column);
    int sortColumn() const { return sortColumn_; }
    bool descending() const { return descending_; }

private:
    bool store(int line, int column, const QVariant& value);

    db::Dataset* ds_;
    QList<DetailColumn> columns_;
    ScreenView& view_;
    CellCheck check_;
    CellEvent stored_;
    CellEvent left_;
    QList<int> order_;
    int sortColumn_ = -1;
    bool descending_ = false;
    bool readOnly_ = false;
};

} // namespace corvane::screens
