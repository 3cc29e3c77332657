#include "unit_of_work.h"

#include <QSqlQuery>

#include <algorithm>

namespace corvane::db {

void UnitOfWork::add(Dataset& dataset) {
    const bool known =
        std::any_of(steps_.cbegin(), steps_.cend(), [&](const Step& s) { return s.dataset == &dataset; });
    if (!known)
        steps_.push_back({&dataset, {}, {}});
}

void UnitOfWork::addStatement(const QString& sql, const QVariantMap& params) {
    steps_.push_back({nullptr, sql, params});
}

bool UnitOfWork::apply(const UpdateErrorHandler& handler, QString* error) {
    bool pending = false;
    for (const Step& s : steps_) {
        if (s.dataset && &s.dataset->database() != db_) {
            if (error)
                *error = QStringLiteral("O conjunto de dados %1 não pertence à base de dados %2.")
                             .arg(s.dataset->name(), db_->logicalName());
            return false;
        }
        pending = pending || !s.dataset || s.dataset->hasPendingUpdates();
        if (s.dataset)
            s.dataset->failureReported_ = false;
    }
    if (!pending) {
        steps_.clear();
        return true;
    }
    QString failure;
    if (!db_->beginTransaction(&failure)) {
        if (error)
            *error = failure;
        return false;
    }
    for (const Step& s : steps_) {
        // As with a dataset's rows, a refused statement is freed only after
        // the rollback.
        QSqlQuery q(db_->sql());
        const bool ok =
            s.dataset ? s.dataset->writePending(handler, &failure) : db_->exec(q, s.sql, s.params, &failure);
        if (!ok) {
            db_->rollback();
            if (error)
                *error = failure;
            return false;
        }
    }
    if (!db_->commit(&failure)) {
        if (error)
            *error = failure;
        return false;
    }
    // Only now, with the rows in the database, do the buffers forget them.
    for (const Step& s : steps_)
        if (s.dataset)
            s.dataset->markWritten();
    steps_.clear();
    return true;
}

} // namespace corvane::db
