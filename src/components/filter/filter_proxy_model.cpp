#include "filter_proxy_model.h"

#include "db/dataset_model.h"

namespace corvane::components {

bool fetchAll(QAbstractItemModel& model, QString* error) {
    if (auto* datasetModel = qobject_cast<db::DatasetModel*>(&model)) {
        // A dataset's row filter may skip a whole page: read the rest at once.
        db::Dataset& dataset = datasetModel->dataset();
        const bool read = dataset.fetchAll(error);
        if (datasetModel->rowCount() < dataset.rowCount())
            datasetModel->fetchMore({}); // shows the rows read
        if (!read)
            return false;
    }
    while (model.canFetchMore({})) {
        const int before = model.rowCount();
        model.fetchMore({});
        if (model.rowCount() <= before && model.canFetchMore({})) {
            if (error)
                *error = QStringLiteral("As linhas da lista não puderam ser lidas até ao fim.");
            return false;
        }
    }
    return true;
}

FilterProxyModel::FilterProxyModel(QObject* parent) : QSortFilterProxyModel(parent) {}

void FilterProxyModel::setSourceModel(QAbstractItemModel* source) {
    disconnect(reset_);
    QSortFilterProxyModel::setSourceModel(source);
    if (source)
        reset_ = connect(source, &QAbstractItemModel::modelReset, this, [this] {
            if (isFiltering())
                fetchSource();
        });
    if (isFiltering())
        fetchSource();
}

bool FilterProxyModel::fetchSource() {
    readError_.clear();
    QAbstractItemModel* source = sourceModel();
    return !source || fetchAll(*source, &readError_);
}

bool FilterProxyModel::setFilter(RowFilter filter) {
    filter_ = std::move(filter);
    const bool read = !isFiltering() || fetchSource();
    invalidateRowsFilter();
    return read;
}

void FilterProxyModel::clear() {
    setFilter({});
    readError_.clear();
}

void FilterProxyModel::setValueRole(int role) {
    role_ = role;
    invalidateRowsFilter();
}

bool FilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QAbstractItemModel* source = sourceModel();
    return !source || filter_.matches(*source, sourceRow, sourceParent, role_);
}

} // namespace corvane::components
