#include "filter_proxy_model.h"

namespace corvane::components {

bool fetchAll(QAbstractItemModel& model) {
    while (model.canFetchMore({})) {
        const int before = model.rowCount();
        model.fetchMore({});
        if (model.rowCount() <= before)
            return false;
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

void FilterProxyModel::fetchSource() {
    if (QAbstractItemModel* source = sourceModel(); source && !fetchAll(*source))
        qWarning("FilterProxyModel: the source model stopped giving rows before its end");
}

void FilterProxyModel::setFilter(RowFilter filter) {
    filter_ = std::move(filter);
    if (isFiltering())
        fetchSource();
    invalidateRowsFilter();
}

void FilterProxyModel::clear() {
    setFilter({});
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
