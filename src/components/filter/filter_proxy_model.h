#pragma once

#include "row_filter.h"

#include <QSortFilterProxyModel>

namespace corvane::components {

// Reads every row of a model that reads its rows in pages (canFetchMore /
// fetchMore). A dataset model's dataset reads the rows not read yet in one
// statement (Dataset::fetchAll). False, with the reason in `error`, when the
// rows could not be read to the end (the rows read stay).
bool fetchAll(QAbstractItemModel& model, QString* error = nullptr);

// Shows the rows of any source model that a RowFilter takes; without a
// filter, every row. The filter runs over the rows the source holds: setting
// one first reads every row of the source (fetchAll), and so does a reset of
// the source while a filter is set. The number of rows shown is rowCount().
class FilterProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FilterProxyModel(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;

    // False when the source could not be read to its end: the filter then
    // shows the rows read, and readError() says why.
    bool setFilter(RowFilter filter);
    // Back to every row.
    void clear();
    const RowFilter& filter() const { return filter_; }
    bool isFiltering() const { return !filter_.isEmpty(); }
    // Why the source was last not read to its end; empty when it was.
    const QString& readError() const { return readError_; }

    // The role the filter reads the source's values in (display by default).
    void setValueRole(int role);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool fetchSource();

    RowFilter filter_;
    int role_ = Qt::DisplayRole;
    QString readError_;
    QMetaObject::Connection reset_;
};

} // namespace corvane::components
