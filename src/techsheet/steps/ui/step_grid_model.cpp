#include "step_grid_model.h"

#include <QWidget>

namespace corvane::techsheet {

StepGridModel::StepGridModel(QStringList titles, int okColumn, int typedColumn, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(titles)), okColumn_(okColumn),
      typedColumn_(typedColumn) {}

int StepGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int StepGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant StepGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (index.column() == okColumn_)
        return role == Qt::CheckStateRole ? QVariant(ticked(index.row()) ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return cell(index.row(), index.column());
}

bool StepGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    bool accepted = false;
    if (index.column() == okColumn_ && role == Qt::CheckStateRole) {
        okLeft(index.row(), value.toInt() == Qt::Checked);
        accepted = true;
    } else if (index.column() == typedColumn_ && role == Qt::EditRole) {
        accepted = typedLeft(index.row(), value.toString());
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return accepted;
}

Qt::ItemFlags StepGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == okColumn_)
        f |= Qt::ItemIsUserCheckable;
    if (index.column() == typedColumn_)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant StepGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return titles_[section];
}

void StepGridModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace corvane::techsheet

namespace corvane::techsheet {

void leaveGridEditor(QWidget* dialog, QWidget* grid) {
    if (QWidget* f = dialog->focusWidget(); f && grid->isAncestorOf(f))
        grid->setFocus();
}

} // namespace corvane::techsheet
