#include "detail_grid.h"

#include <QHeaderView>

namespace corvane::screens {

DetailGridModel::DetailGridModel(DetailLines& lines, QObject* parent)
    : QAbstractTableModel(parent), lines_(&lines) {}

int DetailGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lines_->lineCount();
}

int DetailGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_->columns().size());
}

QVariant DetailGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const DetailColumn& c = lines_->columns().at(index.column());
    if (c.yesNo) {
        if (role == Qt::CheckStateRole)
            return lines_->checked(index.row(), index.column()) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return lines_->text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && c.rule.kind != FieldKind::Text && c.rule.kind != FieldKind::Upper)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool DetailGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    const DetailColumn& c = lines_->columns().at(index.column());
    bool stored = false;
    if (c.yesNo && role == Qt::CheckStateRole)
        stored = lines_->setChecked(index.row(), index.column(), value.toInt() == Qt::Checked);
    else if (!c.yesNo && role == Qt::EditRole)
        stored = lines_->setText(index.row(), index.column(), value.toString());
    if (stored)
        emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return stored;
}

Qt::ItemFlags DetailGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    const DetailColumn& c = lines_->columns().at(index.column());
    if (c.editable)
        f |= c.yesNo ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

QVariant DetailGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < lines_->columns().size())
        return lines_->columns().at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void DetailGridModel::sort(int column, Qt::SortOrder) {
    emit layoutAboutToBeChanged();
    lines_->sortBy(column);
    emit layoutChanged();
}

void DetailGridModel::reload() {
    beginResetModel();
    lines_->reload();
    endResetModel();
}

DetailGrid::DetailGrid(DetailLines& lines, QWidget* parent)
    : QTableView(parent), model_(new DetailGridModel(lines, this)) {
    setModel(model_);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { model_->sort(section, Qt::AscendingOrder); });
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void DetailGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (previous.isValid() && (previous.column() != current.column() || previous.row() != current.row()))
        model_->lines().leaveColumn(previous.row(), previous.column());
}

} // namespace corvane::screens
