#pragma once

#include "dataset.h"

#include <QAbstractTableModel>

namespace corvane::db {

// A grid's view of a Dataset: rows come in page by page as the grid scrolls.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DatasetModel(Dataset& ds, QStringList columns, QStringList titles, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // After the dataset was positioned on a key (Dataset::seek): reads the
    // page of rows before the first one shown and shows it above, for a grid
    // scrolled to its top. Answers the rows added (-1 on failure).
    int fetchBefore(QString* error = nullptr);
    // Call after the dataset was reopened or changed outside the model.
    void reload();
    Dataset& dataset() const { return *ds_; }

private:
    Dataset* ds_;
    QStringList columns_;
    QStringList titles_;
    int shown_ = 0;
};

} // namespace corvane::db
