#pragma once

#include "dataset.h"

#include <QVariantMap>

#include <vector>

namespace corvane::db {

// Writes that belong together: the pending changes of several datasets of one
// database and plain statements, applied in one transaction in the order they
// were added, all or nothing. A refused row of a dataset that reports errors
// still goes to the update-error handler (retry, skip or abort). An abort, a
// failed statement or a failed commit rolls everything back and leaves every
// dataset's buffer with all its changes, to be corrected and applied again.
// After the commit each buffer matches the database, except for the skipped
// rows, and the unit is empty.
class UnitOfWork {
public:
    explicit UnitOfWork(Database& db) : db_(&db) {}

    Database& database() const { return *db_; }
    // A dataset added again keeps its first place.
    void add(Dataset& dataset);
    void addStatement(const QString& sql, const QVariantMap& params = {});
    bool isEmpty() const { return steps_.empty(); }
    void clear() { steps_.clear(); }

    bool apply(const UpdateErrorHandler& handler = {}, QString* error = nullptr);

private:
    // A dataset's changes, or a statement when there is no dataset.
    struct Step {
        Dataset* dataset = nullptr;
        QString sql;
        QVariantMap params;
    };

    Database* db_;
    std::vector<Step> steps_;
};

} // namespace corvane::db
