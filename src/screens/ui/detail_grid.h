#pragma once

#include "screens/detail_lines.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace corvane::screens {

// The model of an editable detail grid over DetailLines: editable cells,
// yes/no columns as check boxes, column titles that sort when clicked.
class DetailGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DetailGridModel(DetailLines& lines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // After the dataset was reopened or changed outside the grid.
    void reload();
    DetailLines& lines() const { return *lines_; }

private:
    DetailLines* lines_;
};

// The editable grid: a cell's edit is checked when the cell is left, and
// leaving a column of a line runs the lines' handler.
class DetailGrid : public QTableView {
    Q_OBJECT
public:
    DetailGrid(DetailLines& lines, QWidget* parent = nullptr);
    DetailGridModel* gridModel() const { return model_; }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    DetailGridModel* model_;
};

} // namespace corvane::screens
