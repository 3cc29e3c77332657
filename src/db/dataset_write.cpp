// The write side of a dataset: its statements, the conditions that keep one
// user from overwriting what another changed, and the buffer's bookkeeping.
#include "dataset.h"

#include "row_reader.h"
#include "unit_of_work.h"

#include <QSqlQuery>

namespace corvane::db {

const QString kChangedByOther = QStringLiteral("O registo foi alterado por outro utilizador.");
const QString kDeletedByOther = QStringLiteral("O registo foi eliminado por outro utilizador.");

QString notAllowedText(UpdateKind kind) {
    switch (kind) {
    case UpdateKind::Inserted:
        return QStringLiteral("Sem autorização para inserir registos ...");
    case UpdateKind::Deleted:
        return QStringLiteral("Sem autorização para eliminar registos ...");
    case UpdateKind::Modified:
        break;
    }
    return QStringLiteral("Sem autorização para alterar registos ...");
}

bool Dataset::hasPendingUpdates() const {
    return pendingCount() > 0;
}

int Dataset::pendingCount() const {
    int n = static_cast<int>(deleted_.size());
    for (const Row& r : rows_)
        if (r.state != State::Unchanged)
            ++n;
    return n;
}

QString Dataset::insertSql() const {
    if (!insertSql_.isEmpty())
        return insertSql_;
    QStringList names, params;
    for (const QString& f : fields_) {
        names << f;
        params << QLatin1Char(':') + f;
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table_, names.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
}

static QString keyCondition(const QStringList& keys) {
    QStringList parts;
    for (const QString& k : keys)
        parts << QStringLiteral("%1 = :OLD_%1").arg(k);
    return parts.join(QStringLiteral(" AND "));
}

QString Dataset::modifySql() const {
    if (!modifySql_.isEmpty())
        return modifySql_;
    return modifySqlOf(fields_);
}

QString Dataset::deleteSql() const {
    if (!deleteSql_.isEmpty())
        return deleteSql_;
    return QStringLiteral("DELETE FROM %1 WHERE %2").arg(table_, unchangedCondition(fields_));
}

QString Dataset::unchangedCondition(const QStringList& columns) const {
    QStringList parts{keyCondition(keyFields_)};
    for (const QString& c : columns)
        if (!keyFields_.contains(c))
            parts << db_->dialect().sameValue(c, QStringLiteral(":OLD_") + c);
    return parts.join(QStringLiteral(" AND "));
}

QString Dataset::modifySqlOf(const QStringList& columns) const {
    QStringList sets;
    for (const QString& f : columns)
        sets << QStringLiteral("%1 = :%1").arg(f);
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3")
        .arg(table_, sets.join(QLatin1Char(',')), unchangedCondition(columns));
}

namespace {
// Whether a column's value differs from the value read (a null differs from
// an empty text or a zero).
bool changedValue(const QVariant& now, const QVariant& read) {
    return !Dataset::sameValue(now, read) || now.isNull() != read.isNull();
}
} // namespace

QStringList Dataset::changedFields(const Row& row) const {
    QStringList changed;
    for (int i = 0; i < fields_.size(); ++i)
        if (changedValue(row.values.at(i), row.original.at(i)))
            changed << fields_[i];
    return changed;
}

QVariantMap Dataset::bindings(const Row& row, UpdateKind kind) const {
    QVariantMap p;
    for (int i = 0; i < fields_.size(); ++i) {
        if (kind != UpdateKind::Deleted)
            p.insert(fields_[i], row.values.at(i));
        p.insert(QStringLiteral("OLD_") + fields_[i], row.original.at(i));
    }
    return p;
}

// Only the parameters the statement names are bound.
static QVariantMap usedParams(const QString& sql, const QVariantMap& all) {
    QVariantMap used;
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const QString token = QLatin1Char(':') + it.key();
        qsizetype pos = sql.indexOf(token, 0, Qt::CaseInsensitive);
        while (pos >= 0) {
            const qsizetype end = pos + token.size();
            if (end >= sql.size() || !(sql.at(end).isLetterOrNumber() || sql.at(end) == QLatin1Char('_'))) {
                used.insert(it.key(), it.value());
                break;
            }
            pos = sql.indexOf(token, end, Qt::CaseInsensitive);
        }
    }
    return used;
}

Dataset::WriteResult Dataset::applyOne(const Row& row, UpdateKind kind, QString* error) {
    QString sql;
    if (kind == UpdateKind::Inserted) {
        sql = insertSql();
    } else if (kind == UpdateKind::Deleted) {
        sql = deleteSql();
    } else if (!modifySql_.isEmpty()) {
        sql = modifySql_;
    } else {
        // Only the columns this user changed are written, and only while they
        // still hold what the user started from; the others keep whatever
        // another user wrote meanwhile.
        const QStringList changed = changedFields(row);
        if (changed.isEmpty())
            return WriteResult::Written;
        sql = modifySqlOf(changed);
    }
    // Each row under a savepoint: a refused row can be retried or skipped
    // without losing the rest of the transaction. The savepoint is rolled back
    // before the failed statement is freed.
    db_->exec(QStringLiteral("SAVEPOINT corvane_row"));
    QSqlQuery q(db_->sql());
    WriteResult result = db_->exec(q, sql, usedParams(sql, bindings(row, kind)), error) ? WriteResult::Written
                                                                                        : WriteResult::Failed;
    if (result == WriteResult::Written && kind != UpdateKind::Inserted && q.numRowsAffected() == 0) {
        if (error)
            *error = kChangedByOther;
        result = WriteResult::Conflict;
    }
    if (result != WriteResult::Written)
        db_->exec(QStringLiteral("ROLLBACK TO SAVEPOINT corvane_row"));
    db_->exec(QStringLiteral("RELEASE SAVEPOINT corvane_row"));
    return result;
}

std::optional<QVariantList> Dataset::storedValues(const Row& row, QString* error) const {
    if (table_.isEmpty() || keyFields_.isEmpty())
        return row.original;
    QVariantMap params;
    for (const QString& k : keyFields_)
        params.insert(QStringLiteral("OLD_") + k, row.original.value(fields_.indexOf(k)));
    RowReader reader(*db_);
    const QString sql = QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table_, keyCondition(keyFields_));
    if (!reader.exec(sql, params, error))
        return std::nullopt;
    QVariantList read;
    QString failure;
    if (!reader.next(&read, &failure)) {
        if (!failure.isEmpty()) {
            if (error)
                *error = failure;
            return std::nullopt;
        }
        return QVariantList();
    }
    // Columns the table does not hold (a join's, a computed one) keep theirs.
    QVariantList stored = row.original;
    for (int i = 0; i < reader.fields().size(); ++i) {
        const int f = fieldIndex(reader.fields().at(i));
        if (f >= 0)
            stored[f] = read.at(i);
    }
    return stored;
}

void Dataset::rebase(Row& row, const QVariantList& stored) {
    for (int i = 0; i < fields_.size(); ++i) {
        if (!changedValue(row.values.at(i), row.original.at(i)))
            row.values[i] = stored.at(i);
        row.original[i] = stored.at(i);
    }
}

Dataset::RowRead Dataset::refreshRow(int row, QString* error) {
    if (row < 0 || row >= rowCount())
        return RowRead::Failed;
    Row& r = rows_[static_cast<size_t>(row)];
    if (r.state == State::Inserted)
        return RowRead::Current;
    const std::optional<QVariantList> stored = storedValues(r, error);
    if (!stored)
        return RowRead::Failed;
    if (stored->isEmpty()) {
        rows_.erase(rows_.begin() + row);
        if (error)
            *error = kDeletedByOther;
        return RowRead::Gone;
    }
    rebase(r, *stored);
    if (r.state == State::Modified && changedFields(r).isEmpty())
        r.state = State::Unchanged;
    return RowRead::Current;
}

bool Dataset::applyUpdates(const UpdateErrorHandler& handler, QString* error) {
    // A unit of work of this dataset alone.
    failureReported_ = false;
    UnitOfWork work(*db_);
    work.add(*this);
    return work.apply(handler, error);
}

bool Dataset::writePending(const UpdateErrorHandler& handler, QString* error) {
    failureReported_ = false;
    if (!hasPendingUpdates())
        return true;
    if (table_.isEmpty() && (insertSql_.isEmpty() || modifySql_.isEmpty() || deleteSql_.isEmpty())) {
        if (error)
            *error = QStringLiteral("O conjunto de dados %1 não pode ser actualizado.").arg(name_);
        return false;
    }
    // The savepoint of each row needs the transaction around it.
    if (!db_->inTransaction()) {
        if (error)
            *error =
                QStringLiteral("O conjunto de dados %1 só é gravado dentro de uma transacção.").arg(name_);
        return false;
    }
    // Deletions first, then modifications, then insertions: a key freed by a
    // deletion or a modification can be taken by a new row.
    std::vector<Change> changes;
    for (Row& r : deleted_)
        changes.push_back({&r, UpdateKind::Deleted});
    for (Row& r : rows_)
        if (r.state == State::Modified)
            changes.push_back({&r, UpdateKind::Modified});
    for (Row& r : rows_)
        if (r.state == State::Inserted)
            changes.push_back({&r, UpdateKind::Inserted});

    for (const Change& c : changes) {
        const bool allowed = c.kind == UpdateKind::Inserted ? rights_.insert
                             : c.kind == UpdateKind::Deleted
                                 ? rights_.remove
                                 : changedFields(*c.row).isEmpty() || rights_.modify;
        if (!allowed) {
            if (error)
                *error = notAllowedText(c.kind);
            return false;
        }
    }
    for (const Change& c : changes)
        c.row->skipped = false;
    for (const Change& c : changes)
        if (!writeChange(c, handler, error))
            return false;
    return true;
}

bool Dataset::writeChange(const Change& c, const UpdateErrorHandler& handler, QString* error) {
    for (;;) {
        QString err;
        const WriteResult result = applyOne(*c.row, c.kind, &err);
        if (result == WriteResult::Written)
            return true;
        UpdateFailure f;
        f.dataset = this;
        f.kind = c.kind;
        f.fields = fields_;
        f.newValues = c.kind == UpdateKind::Deleted ? QVariantList() : c.row->values;
        f.oldValues = c.kind == UpdateKind::Inserted ? QVariantList() : c.row->original;
        if (result == WriteResult::Conflict) {
            // What the other user left: the row as stored now, or nothing.
            QString readError;
            const std::optional<QVariantList> stored = storedValues(*c.row, &readError);
            f.conflict = true;
            if (stored && stored->isEmpty())
                err = kDeletedByOther;
            else if (stored)
                f.storedValues = *stored;
        }
        f.error = err;
        UpdateAction action = UpdateAction::Abort;
        if (reportsErrors_ && handler) {
            action = handler(f);
            failureReported_ = true;
        }
        if (action == UpdateAction::Retry) {
            // Retrying a conflict applies this user's changes over the row as
            // it is now stored, which the dialog has shown.
            if (f.conflict && !f.storedValues.isEmpty())
                rebase(*c.row, f.storedValues);
            continue;
        }
        if (action == UpdateAction::Skip) {
            c.row->skipped = true;
            return true;
        }
        if (error)
            *error = err;
        return false;
    }
}

void Dataset::markWritten() {
    std::vector<Row> keptDeleted;
    for (Row& r : deleted_)
        if (r.skipped)
            keptDeleted.push_back(std::move(r));
    deleted_ = std::move(keptDeleted);
    for (Row& r : rows_) {
        if (r.state == State::Unchanged || r.skipped)
            continue;
        r.original = r.values;
        r.state = State::Unchanged;
    }
}

void Dataset::cancelUpdates() {
    std::vector<Row> kept;
    for (Row& r : rows_) {
        if (r.state == State::Inserted)
            continue;
        r.values = r.original;
        r.state = State::Unchanged;
        kept.push_back(std::move(r));
    }
    for (Row& r : deleted_) {
        r.values = r.original;
        r.state = State::Unchanged;
        kept.push_back(std::move(r));
    }
    rows_ = std::move(kept);
    deleted_.clear();
}

} // namespace corvane::db
