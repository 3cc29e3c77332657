#include "dataset.h"

#include "unit_of_work.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtDebug>

namespace corvane::db {

QString updateKindText(UpdateKind kind) {
    switch (kind) {
    case UpdateKind::Modified:
        return QStringLiteral("Modified");
    case UpdateKind::Inserted:
        return QStringLiteral("Inserted");
    case UpdateKind::Deleted:
        return QStringLiteral("Deleted");
    }
    return {};
}

Dataset::Dataset(Database& db, QString name, QString selectSql, QString updateTable, QStringList keyFields)
    : db_(&db), name_(std::move(name)), selectSql_(std::move(selectSql)), table_(std::move(updateTable)),
      keyFields_(std::move(keyFields)) {
    for (QString& k : keyFields_)
        k = k.toUpper();
}

void Dataset::setParam(const QString& name, const QVariant& value) {
    params_.insert(name.startsWith(QLatin1Char(':')) ? name.mid(1) : name, value);
}

bool Dataset::open(QString* error) {
    close();
    open_ = true;
    if (!fetchPage(error, pageSize_)) {
        close();
        return false;
    }
    return true;
}

void Dataset::close() {
    open_ = false;
    atEnd_ = false;
    fetchedFromDb_ = 0;
    rows_.clear();
    deleted_.clear();
}

bool Dataset::reopen(QString* error) { return open(error); }

bool Dataset::fetchPage(QString* error, int limit) {
    if (!open_ || atEnd_)
        return true;
    QSqlQuery q(db_->sql());
    // `limit` rows, or everything not read yet in one statement (so reading a
    // large table to the end does not pay for every skipped page again).
    const QString sql = selectSql_ + db_->dialect().limitOffset(limit, fetchedFromDb_);
    if (!db_->exec(q, sql, params_, error))
        return false;
    if (fields_.isEmpty() || fetchedFromDb_ == 0) {
        const QSqlRecord rec = q.record();
        fields_.clear();
        for (int i = 0; i < rec.count(); ++i)
            fields_ << rec.fieldName(i).toUpper();
    }
    int read = 0;
    while (q.next()) {
        ++read;
        Row row;
        row.values.reserve(fields_.size());
        for (int i = 0; i < fields_.size(); ++i)
            row.values << q.value(i);
        if (filter_ && !filter_(*this, row.values))
            continue;
        row.original = row.values;
        rows_.push_back(std::move(row));
    }
    fetchedFromDb_ += read;
    if (limit < 0 || read < limit)
        atEnd_ = true;
    return true;
}

bool Dataset::fetchMore(QString* error) { return fetchPage(error, pageSize_); }

bool Dataset::fetchAll(QString* error) { return fetchPage(error, -1); }

int Dataset::find(const std::function<bool(const QVariantList& values)>& match, QString* error) {
    // Each batch four times the last; past a quarter of a million rows the
    // rest is read at once, as each statement skips the rows already read.
    constexpr int kLastBatch = 262144;
    int batch = pageSize_;
    for (int r = 0;; ++r) {
        while (r == rowCount()) { // again when the row filter left out a whole batch
            if (!canFetchMore())
                return -1;
            batch = qMin(batch * 4, kLastBatch);
            if (!fetchPage(error, batch >= kLastBatch ? -1 : batch))
                return -1;
        }
        if (match(rows_[static_cast<size_t>(r)].values))
            return r;
    }
}

Dataset Dataset::reordered(const QString& orderBy) const {
    QStringList keys{orderBy};
    for (int i = 1; i <= fields_.size(); ++i)
        keys << QString::number(i);
    Dataset out(
        *db_, name_,
        QStringLiteral("SELECT * FROM (%1) lk ORDER BY %2").arg(selectSql_, keys.join(QStringLiteral(", "))));
    out.params_ = params_;
    out.filter_ = filter_;
    out.pageSize_ = pageSize_;
    return out;
}

int Dataset::fieldIndex(const QString& field) const { return fields_.indexOf(field.toUpper()); }

void Dataset::requireField(int index, const QString& field) const {
    if (index < 0)
        qWarning("Dataset %s has no field %s", qPrintable(name_), qPrintable(field));
}

QVariant Dataset::value(int row, const QString& field) const {
    const int f = fieldIndex(field);
    requireField(f, field);
    if (f < 0 || row < 0 || row >= rowCount())
        return {};
    return rows_[static_cast<size_t>(row)].values.at(f);
}

QString Dataset::text(int row, const QString& field) const {
    const QVariant v = value(row, field);
    return v.isNull() ? QString() : v.toString();
}

double Dataset::number(int row, const QString& field) const { return value(row, field).toDouble(); }

int Dataset::integer(int row, const QString& field) const { return value(row, field).toInt(); }

QDateTime Dataset::dateTime(int row, const QString& field) const {
    const QVariant v = value(row, field);
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.metaType().id() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    // SQLite keeps date-times as ISO text
    QString s = v.toString().trimmed();
    s.replace(QLatin1Char(' '), QLatin1Char('T'));
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

QVariant Dataset::oldValue(int row, const QString& field) const {
    const int f = fieldIndex(field);
    requireField(f, field);
    if (f < 0 || row < 0 || row >= rowCount())
        return {};
    const Row& r = rows_[static_cast<size_t>(row)];
    return r.state == State::Inserted ? QVariant() : r.original.at(f);
}

void Dataset::setValue(int row, const QString& field, const QVariant& value) {
    const int f = fieldIndex(field);
    requireField(f, field);
    if (f < 0 || row < 0 || row >= rowCount())
        return;
    Row& r = rows_[static_cast<size_t>(row)];
    r.values[f] = value;
    if (r.state == State::Unchanged)
        r.state = State::Modified;
    r.skipped = false;
}

UpdateKind Dataset::rowKind(int row) const {
    return rows_[static_cast<size_t>(row)].state == State::Inserted ? UpdateKind::Inserted : UpdateKind::Modified;
}

bool Dataset::rowChanged(int row) const {
    return row >= 0 && row < rowCount() && rows_[static_cast<size_t>(row)].state != State::Unchanged;
}

int Dataset::append() {
    fetchAll();
    Row row;
    for (int i = 0; i < fields_.size(); ++i)
        row.values << QVariant();
    row.original = row.values;
    row.state = State::Inserted;
    rows_.push_back(std::move(row));
    return rowCount() - 1;
}

void Dataset::remove(int row) {
    if (row < 0 || row >= rowCount())
        return;
    Row r = std::move(rows_[static_cast<size_t>(row)]);
    rows_.erase(rows_.begin() + row);
    if (r.state != State::Inserted) {
        r.skipped = false;
        deleted_.push_back(std::move(r));
    }
}

bool Dataset::sameValue(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    const int ta = a.metaType().id();
    const int tb = b.metaType().id();
    const bool textA = ta == QMetaType::QString || ta == QMetaType::QByteArray;
    const bool textB = tb == QMetaType::QString || tb == QMetaType::QByteArray;
    if (textA && textB)
        return a.toString() == b.toString();
    bool okA = false, okB = false;
    const double da = a.toDouble(&okA);
    const double db = b.toDouble(&okB);
    if (okA && okB)
        return da == db;
    return a.toString() == b.toString();
}

int Dataset::locate(const QString& field, const QVariant& value) {
    return locate(QStringList{field}, QVariantList{value});
}

int Dataset::locate(const QStringList& fields, const QVariantList& values) {
    fetchAll();
    QList<int> idx;
    for (const QString& f : fields) {
        idx << fieldIndex(f);
        requireField(idx.last(), f);
        if (idx.last() < 0)
            return -1;
    }
    for (int r = 0; r < rowCount(); ++r) {
        const Row& row = rows_[static_cast<size_t>(r)];
        bool match = true;
        for (int i = 0; i < idx.size() && match; ++i)
            match = sameValue(row.values.at(idx[i]), values.value(i));
        if (match)
            return r;
    }
    return -1;
}

bool Dataset::hasPendingUpdates() const { return pendingCount() > 0; }

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
    QStringList sets;
    for (const QString& f : fields_)
        sets << QStringLiteral("%1 = :%1").arg(f);
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table_, sets.join(QLatin1Char(',')), keyCondition(keyFields_));
}

QString Dataset::deleteSql() const {
    if (!deleteSql_.isEmpty())
        return deleteSql_;
    return QStringLiteral("DELETE FROM %1 WHERE %2").arg(table_, keyCondition(keyFields_));
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

bool Dataset::applyOne(const Row& row, UpdateKind kind, QString* error) {
    const QString sql = kind == UpdateKind::Inserted   ? insertSql()
                        : kind == UpdateKind::Modified ? modifySql()
                                                       : deleteSql();
    // Only the parameters the statement names are bound.
    QVariantMap all = bindings(row, kind);
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
    // Each row under a savepoint: a refused row can be retried or skipped
    // without losing the rest of the transaction. The savepoint is rolled back
    // before the failed statement is freed.
    db_->exec(QStringLiteral("SAVEPOINT corvane_row"));
    QSqlQuery q(db_->sql());
    bool ok = db_->exec(q, sql, used, error);
    if (ok && kind != UpdateKind::Inserted && q.numRowsAffected() == 0) {
        if (error)
            *error = QStringLiteral("O registo foi alterado ou eliminado por outro utilizador.");
        ok = false;
    }
    if (!ok)
        db_->exec(QStringLiteral("ROLLBACK TO SAVEPOINT corvane_row"));
    db_->exec(QStringLiteral("RELEASE SAVEPOINT corvane_row"));
    return ok;
}

bool Dataset::applyUpdates(const UpdateErrorHandler& handler, QString* error) {
    // A unit of work of this dataset alone.
    UnitOfWork work(*db_);
    work.add(*this);
    return work.apply(handler, error);
}

bool Dataset::writePending(const UpdateErrorHandler& handler, QString* error) {
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
    struct Change {
        Row* row;
        UpdateKind kind;
    };
    std::vector<Change> changes;
    for (Row& r : deleted_)
        changes.push_back({&r, UpdateKind::Deleted});
    for (Row& r : rows_)
        if (r.state == State::Modified)
            changes.push_back({&r, UpdateKind::Modified});
    for (Row& r : rows_)
        if (r.state == State::Inserted)
            changes.push_back({&r, UpdateKind::Inserted});

    for (const Change& c : changes)
        c.row->skipped = false;
    for (const Change& c : changes) {
        for (;;) {
            QString err;
            if (applyOne(*c.row, c.kind, &err))
                break;
            UpdateAction action = UpdateAction::Abort;
            if (reportsErrors_ && handler) {
                UpdateFailure f;
                f.dataset = this;
                f.kind = c.kind;
                f.error = err;
                f.fields = fields_;
                f.newValues = c.kind == UpdateKind::Deleted ? QVariantList() : c.row->values;
                f.oldValues = c.kind == UpdateKind::Inserted ? QVariantList() : c.row->original;
                action = handler(f);
            }
            if (action == UpdateAction::Retry)
                continue;
            if (action == UpdateAction::Skip) {
                c.row->skipped = true;
                break;
            }
            if (error)
                *error = err;
            return false;
        }
    }
    return true;
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
