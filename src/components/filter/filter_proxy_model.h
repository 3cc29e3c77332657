#pragma once

#include "row_filter.h"

#include <QSortFilterProxyModel>

namespace corvane::components {

// Reads every row of a model that reads its rows in pages (canFetchMore /
// fetchMore, as a dataset model does). False when the model stopped giving
// rows while it still said there were more.
bool fetchAll(QAbstractItemModel& model);

// Shows the rows of any source model that a RowFilter takes; without a
// filter, every row. The filter runs over the rows the source holds: setting
// one first reads every row of the source (fetchAll), and so does a reset of
// the source while a filter is set. The number of rows shown is rowCount().
class FilterProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FilterProxyModel(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;

    void setFilter(RowFilter filter);
    // Back to every row.
    void clear();
    const RowFilter& filter() const { return filter_; }
    bool isFiltering() const { return !filter_.isEmpty(); }

    // The role the filter reads the source's values in (display by default).
    void setValueRole(int role);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void fetchSource();

    RowFilter filter_;
    int role_ = Qt::DisplayRole;
    QMetaObject::Connection reset_;
};

} // namespace corvane::components
