#include "grid_model.h"

#include <QColor>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace corvane::screens {

GridModel::GridModel(GridColumns table, QObject* parent)
    : QAbstractTableModel(parent), table_(std::move(table)) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !table_.rowCount ? 0 : table_.rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

bool GridModel::inRange(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.row() < rowCount() &&
           index.column() < columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!inRange(index))
        return {};
    const GridColumn& c = table_.columns[index.column()];
    if (c.isCheck())
        return role == Qt::CheckStateRole ? QVariant(c.checked(index.row()) ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return c.value ? c.value(index.row()) : QVariant();
    if (role == Qt::TextAlignmentRole && c.alignment)
        return QVariant(c.alignment.toInt());
    return {};
}

QVariantList GridModel::shown(int row) const {
    QVariantList cells;
    for (const GridColumn& c : table_.columns)
        cells << (c.isCheck() ? QVariant(c.checked(row)) : c.value ? c.value(row) : QVariant());
    return cells;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (readOnly_ || !inRange(index))
        return false;
    const int row = index.row();
    const GridColumn& c = table_.columns[index.column()];
    if (!c.editable(row) || role != (c.isCheck() ? Qt::CheckStateRole : Qt::EditRole))
        return false;
    const QVariantList before = shown(row);
    const bool taken = c.set(row, c.isCheck() ? QVariant(value.toInt() == Qt::Checked) : value);
    if (shown(row) != before) {
        emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
        emit edited();
    }
    return taken;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (readOnly_ || !inRange(index))
        return f;
    const GridColumn& c = table_.columns[index.column()];
    if (c.editable(index.row()))
        f |= c.isCheck() ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::ForegroundRole && section == sortedColumn_)
        return QColor(0xE0, 0x70, 0x00);
    if (role == Qt::DisplayRole)
        return table_.columns[section].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void GridModel::sort(int column, Qt::SortOrder) {
    if (!table_.sortBy || column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged();
    table_.sortBy(column);
    emit layoutChanged();
}

void GridModel::reload() {
    beginResetModel();
    if (table_.reread)
        table_.reread();
    endResetModel();
}

void GridModel::refresh() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void GridModel::setSortedColumn(int column) {
    sortedColumn_ = column;
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void sizeGridColumns(QTableView* view, const GridModel& model, bool atLeastTitle) {
    const int character = view->fontMetrics().averageCharWidth();
    const QList<GridColumn>& columns = model.table().columns;
    for (int c = 0; c < columns.size(); ++c) {
        int width = columns[c].pixels > 0  ? columns[c].pixels
                    : columns[c].width > 0 ? character * (columns[c].width + 1)
                                           : 0;
        if (atLeastTitle)
            width = std::max(width, view->horizontalHeader()->sectionSizeHint(c));
        if (width > 0)
            view->setColumnWidth(c, width);
    }
}

} // namespace corvane::screens
