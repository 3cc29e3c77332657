#include "dataset_model.h"

namespace corvane::db {

DatasetModel::DatasetModel(Dataset& ds, QStringList columns, QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), ds_(&ds), columns_(std::move(columns)), titles_(std::move(titles)) {
    shown_ = ds_->rowCount();
}

int DatasetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_ || index.row() >= ds_->rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole)
        return {};
    const QVariant v = ds_->value(index.row(), columns_.at(index.column()));
    const int type = v.metaType().id();
    const bool numeric = type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double ||
                         type == QMetaType::Short || type == QMetaType::UInt;
    if (role == Qt::TextAlignmentRole)
        return numeric ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return v;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return titles_.value(section, columns_.value(section));
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && (shown_ < ds_->rowCount() || ds_->canFetchMore());
}

void DatasetModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid())
        return;
    if (shown_ >= ds_->rowCount())
        ds_->fetchMore();
    const int available = ds_->rowCount();
    if (available <= shown_)
        return;
    beginInsertRows({}, shown_, available - 1);
    shown_ = available;
    endInsertRows();
}

int DatasetModel::fetchBefore(QString* error) {
    const int added = ds_->fetchBefore(error);
    if (added <= 0)
        return added;
    beginInsertRows({}, 0, added - 1);
    shown_ += added;
    endInsertRows();
    return added;
}

void DatasetModel::reload() {
    beginResetModel();
    shown_ = ds_->rowCount();
    endResetModel();
}

} // namespace corvane::db
