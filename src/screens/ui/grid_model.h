#pragma once

#include "screens/grid_columns.h"

#include <QAbstractTableModel>

class QTableView;

namespace corvane::screens {

// The model of an editable grid over its column table: text cells shown
// and typed, check-box columns ticked, input going to the columns' setters.
// A grid only looked at takes nothing.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(GridColumns table, QObject* parent = nullptr);

    const GridColumns& table() const { return table_; }
    // The column named `key` ("OK", "QTD"), -1 when there is none.
    int column(const QString& key) const { return table_.indexOf(key); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Typed text (Qt::EditRole) or a ticked box (Qt::CheckStateRole) goes to
    // the column's setter; what it answers is returned.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Orders the rows through the table's sortBy, when it has one.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // After the rows were replaced, added or reordered outside the grid (the
    // table's rows read again first, when it reads them).
    void reload();
    // After the rows' values changed outside the grid: every cell shown again.
    void refresh();
    // A grid only looked at: nothing is ticked or typed.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    // The column the rows are ordered by: its title is shown in orange (-1: none).
    void setSortedColumn(int column);

signals:
    // The user's tick or typing changed what a row shows.
    void edited();

private:
    bool inRange(const QModelIndex& index) const;
    // What a row's cells show, to tell whether input changed it.
    QVariantList shown(int row) const;

    GridColumns table_;
    bool readOnly_ = false;
    int sortedColumn_ = -1;
};

// Gives the view's columns the widths their table declares: characters (one
// more for the margin) at the view's font, or pixels. `atLeastTitle`: no
// column narrower than its title.
void sizeGridColumns(QTableView* view, const GridModel& model, bool atLeastTitle);

} // namespace corvane::screens
