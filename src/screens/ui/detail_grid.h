#pragma once

#include "screens/detail_lines.h"

#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <QPointer>
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
// leaving a column of a line runs the lines' handler. A cell's editor takes
// no more characters than its column holds. A refused edit keeps the cell:
// it becomes current again with its editor open on the refused text, and the
// line is not left.
class DetailGrid : public QTableView {
    Q_OBJECT
public:
    DetailGrid(DetailLines& lines, QWidget* parent = nullptr);
    DetailGridModel* gridModel() const { return model_; }

    // Stores what the open editor holds (for closing and saving actions);
    // false when it was refused.
    bool commitEdit();
    // Whether a cell's editor is open.
    bool editing() const { return state() == QAbstractItemView::EditingState; }
    // Whether a refused edit is waiting to be shown again.
    bool editRefused() const { return refused_.isValid(); }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class DetailGridDelegate;
    void refuse(const QModelIndex& index, const QString& text);
    void restoreRefused();

    DetailGridModel* model_;
    QPointer<QWidget> editor_;
    QPersistentModelIndex refused_;
    QString refusedText_;
    QPersistentModelIndex reopened_; // the editor shows refusedText_ for this cell
};

} // namespace corvane::screens
