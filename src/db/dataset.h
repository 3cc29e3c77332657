#pragma once

#include "database.h"

#include <QDateTime>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <optional>
#include <vector>

namespace corvane::db {

enum class UpdateKind { Modified, Inserted, Deleted };
enum class UpdateAction { Retry, Skip, Abort };

class Dataset;

// What the update-error dialog is shown when a buffered change fails.
struct UpdateFailure {
    const Dataset* dataset = nullptr;
    UpdateKind kind = UpdateKind::Modified;
    QString error;
    QStringList fields;
    QVariantList newValues;
    QVariantList oldValues;
    // The row no longer holds what the user started from: another user
    // changed (storedValues: the row as stored now) or deleted it (empty).
    bool conflict = false;
    QVariantList storedValues;
};
using UpdateErrorHandler = std::function<UpdateAction(const UpdateFailure&)>;

QString updateKindText(UpdateKind kind); // "Modified", "Inserted", "Deleted"

// What a write says when another user changed or deleted the row meanwhile.
extern const QString kChangedByOther; // "O registo foi alterado por outro utilizador."
extern const QString kDeletedByOther; // "O registo foi eliminado por outro utilizador."
// What a write says when the user's rights do not allow it.
QString notAllowedText(UpdateKind kind); // "Sem autorização para alterar registos ..."

// A dataset with buffered updates: rows are read from a select, edited in a
// local buffer and written on request by insert, modify and delete statements
// (key parameters of the row as read are prefixed OLD_), all in one
// transaction.
//
// Several users write the same tables, so no write overwrites what another
// user changed since this one read it: a modification writes only the columns
// this user changed, and only while each of them still holds the value read
// (the others keep whatever another user wrote); a deletion only while the
// whole row does. A row that fails that test is a conflict, reported with the
// row as stored now; retrying it applies this user's changes over that row.
//
// Rows are fetched page by page, so a large table opens at once. Each page
// continues after the last row read, in the select's ORDER BY followed by the
// key fields (which identify one row), so rows that others insert or delete
// meanwhile never make a row vanish or come twice, and the last page of a
// large table costs what the first does. A dataset whose order cannot be told
// (no key fields and no order key, or a select that ends in LIMIT or orders by
// expressions) is read whole in one statement.
class Dataset {
public:
    Dataset(Database& db, QString name, QString selectSql, QString updateTable = {}, QStringList keyFields = {});

    const QString& name() const { return name_; }
    Database& database() const { return *db_; }
    const QString& selectSql() const { return selectSql_; }
    void setSelectSql(const QString& sql) { selectSql_ = sql; }
    void setParam(const QString& name, const QVariant& value);
    // Rows for which the filter answers false are left out as they are read.
    void setRowFilter(std::function<bool(const Dataset&, const QVariantList&)> filter) { filter_ = std::move(filter); }
    void setPageSize(int rows) { pageSize_ = rows > 0 ? rows : 256; }
    // The columns the rows come in ("NAME" or "NAME DESC"), ending with ones
    // that identify a row; they take the place of the select's ORDER BY from
    // the next open on. The key fields are added when missing.
    void setOrderKey(const QStringList& columns) { orderKey_ = columns; }
    // Every row in one statement when the dataset opens, in the select's order
    // followed by the key fields: for datasets that are searched in memory.
    void setReadWhole(bool on) { readWhole_ = on; }
    // Whether the open dataset reads page by page after the last key read.
    bool readsByKey() const { return open_ && plan_.paged; }
    // Whether apply failures go to the update-error handler (else they abort).
    void setReportsErrors(bool on) { reportsErrors_ = on; }
    bool reportsErrors() const { return reportsErrors_; }
    // Which kinds of change the user may write here (the rights of the
    // screen that edits the dataset); a change of another kind fails the
    // write before any statement runs.
    struct WriteRights {
        bool insert = true;
        bool modify = true;
        bool remove = true;
    };
    void setWriteRights(const WriteRights& rights) { rights_ = rights; }
    const WriteRights& writeRights() const { return rights_; }
    // Statements that differ from the generated ones.
    void setInsertSql(const QString& s) { insertSql_ = s; }
    void setModifySql(const QString& s) { modifySql_ = s; }
    void setDeleteSql(const QString& s) { deleteSql_ = s; }

    bool open(QString* error = nullptr);
    void close();
    bool reopen(QString* error = nullptr);
    bool isOpen() const { return open_; }

    const QStringList& fields() const { return fields_; }
    int fieldIndex(const QString& field) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool canFetchMore() const { return open_ && !atEnd_; }
    bool fetchMore(QString* error = nullptr);
    bool fetchAll(QString* error = nullptr);
    // The first row whose values satisfy `match`, reading further rows as
    // needed in growing batches (a row far down a large select costs a few
    // statements, not one per page); -1 when no row does.
    int find(const std::function<bool(const QVariantList& values)>& match, QString* error = nullptr);
    // Positions the dataset on a key without reading the rows before it: the
    // rows held are dropped and reading starts again at the first row whose
    // leading order columns (the select's ORDER BY, then the key fields) are
    // at or after `key` (one value for each of the leading columns given).
    // Answers 0, the row it starts with, or -1 when no row is at or after
    // the key (nothing is held then) or on failure (*error). Rows after it
    // come with fetchMore as usual; the rows before it with fetchBefore (find
    // and locate look at the rows from the first one held on). Only for a
    // dataset read by key, and not while changes are buffered; open and
    // reopen read from the start again.
    int seek(const QVariantList& key, QString* error = nullptr);
    // The columns the open dataset is read in, upper case (the select's
    // ORDER BY, then the key fields).
    QStringList orderFields() const;
    // Whether rows come before the first row held (after a seek).
    bool canFetchBefore() const { return open_ && plan_.paged && !atStart_; }
    // Reads a page of the rows before the first row held, in the dataset's
    // order; they come first, so every row held moves down by the number
    // answered (-1 on failure).
    int fetchBefore(QString* error = nullptr);

    // The same rows (select, parameters and row filter) in another order, as
    // a new dataset to open and read: ORDER BY `orderBy` (an expression, with
    // DESC or not), then the key, which it reads page by page; the order's
    // value comes as one more field, CORVANE_SORT. Without key fields it
    // orders by every column after `orderBy` and reads whole. Changes
    // buffered here are not in it.
    Dataset reordered(const QString& orderBy) const;

    QVariant value(int row, const QString& field) const;
    QString text(int row, const QString& field) const;
    double number(int row, const QString& field) const;
    int integer(int row, const QString& field) const;
    QDateTime dateTime(int row, const QString& field) const;
    QVariant oldValue(int row, const QString& field) const;
    void setValue(int row, const QString& field, const QVariant& value);
    UpdateKind rowKind(int row) const;
    bool rowChanged(int row) const;
    // Reads the row again from the table by the key it was read with, so its
    // editing starts from what is stored now: the columns this user has not
    // changed take the stored values, and the changed ones are kept over
    // them. A row another user deleted leaves the dataset (Gone, with
    // kDeletedByOther in *error). A new row is left alone.
    enum class RowRead { Current, Gone, Failed };
    RowRead refreshRow(int row, QString* error = nullptr);

    // New row at the end (all rows are fetched first); returns its index.
    int append();
    void remove(int row);
    // Exact match (text is case-sensitive, numbers compare by value) after
    // reading every row; -1 if none, or if the rows could not be read (then
    // *error holds the server's message).
    int locate(const QString& field, const QVariant& value, QString* error = nullptr);
    int locate(const QStringList& fields, const QVariantList& values, QString* error = nullptr);
    // Whether two values are equal as locate compares them.
    static bool sameValue(const QVariant& a, const QVariant& b);

    bool hasPendingUpdates() const;
    int pendingCount() const;
    // Writes the buffer in one transaction; a failure asks the handler (when
    // errors are reported) or aborts. On abort the transaction is rolled back
    // and the buffer keeps every change. Skipped changes stay in the buffer.
    bool applyUpdates(const UpdateErrorHandler& handler = {}, QString* error = nullptr);
    // The two halves of applyUpdates, for writes that share a transaction with
    // others (see UnitOfWork). writePending writes the buffer inside the
    // transaction the caller has opened, asking the handler as applyUpdates
    // does, and marks the skipped changes; it changes nothing else in the
    // buffer and leaves the rollback to the caller. After the commit,
    // markWritten makes the buffer match the database, except for the skipped
    // changes.
    bool writePending(const UpdateErrorHandler& handler = {}, QString* error = nullptr);
    void markWritten();
    void cancelUpdates();
    // Whether the last failed write was answered through the update-error
    // handler (which showed it), so the caller need not show it again.
    bool failureReported() const { return failureReported_; }

    QString insertSql() const;
    // The modification of every column (a row's own writes only the columns
    // it changed, under the same conditions).
    QString modifySql() const;
    QString deleteSql() const;

private:
    friend class UnitOfWork;
    enum class State { Unchanged, Modified, Inserted };
    struct Row {
        QVariantList values;
        QVariantList original;
        State state = State::Unchanged;
        bool skipped = false;
    };
    // One column of the reading order; `index` is its place among the fields.
    struct OrderColumn {
        QString expr;  // as written in the select
        QString field; // the result column, upper case
        bool descending = false;
        bool notNull = false;
        int index = -1;
    };
    struct ReadPlan {
        bool paged = false;
        QString base; // the select without its ORDER BY
        QList<OrderColumn> order;
        QString whole; // the statement that reads every row
    };
    void planReading();
    QString pageSql(int limit, QVariantMap* params) const;
    // The rows after `key` in the dataset's order (forward) or before it,
    // `key` holding the leading order columns; inclusive: the rows equal to
    // it too. Read in that direction, at most `limit` (negative: all).
    QString windowSql(const QVariantList& key, bool forward, bool inclusive, int limit, QVariantMap* params) const;
    QString keysetCondition(const QVariantList& key, bool forward, bool inclusive, QVariantMap* params) const;
    QVariantList orderKeyOf(const QVariantList& values) const;
    bool fetchPage(QString* error, bool rest = false);
    struct Change {
        Row* row;
        UpdateKind kind;
    };
    enum class WriteResult { Written, Conflict, Failed };
    WriteResult applyOne(const Row& row, UpdateKind kind, QString* error);
    bool writeChange(const Change& change, const UpdateErrorHandler& handler, QString* error);
    QVariantMap bindings(const Row& row, UpdateKind kind) const;
    QStringList changedFields(const Row& row) const;
    // The key as read, and each of `columns` (other than the key) still
    // holding what was read, null-safe.
    QString unchangedCondition(const QStringList& columns) const;
    QString modifySqlOf(const QStringList& columns) const;
    // The row as the table holds it now, aligned with the fields; empty when
    // it is gone, nullopt when it could not be read.
    std::optional<QVariantList> storedValues(const Row& row, QString* error) const;
    // The row's starting values become `stored`; its unchanged columns too.
    void rebase(Row& row, const QVariantList& stored);
    void requireField(int index, const QString& field) const;

    Database* db_;
    QString name_;
    QString selectSql_;
    QString table_;
    QStringList keyFields_;
    QVariantMap params_;
    std::function<bool(const Dataset&, const QVariantList&)> filter_;
    int pageSize_ = 256;
    QStringList orderKey_;
    bool readWhole_ = false;
    bool reportsErrors_ = false;
    WriteRights rights_;
    bool failureReported_ = false;
    QString insertSql_, modifySql_, deleteSql_;

    bool open_ = false;
    bool atEnd_ = false;
    ReadPlan plan_;
    QVariantList lastKey_; // the order columns of the last row read, empty before the first
    QVariantList startKey_; // after a seek: where reading starts (inclusive)
    QVariantList firstKey_; // the order columns of the first row read, when rows come before it
    bool atStart_ = true;   // no row before the first row held
    QStringList fields_;
    std::vector<Row> rows_;
    std::vector<Row> deleted_;
};

} // namespace corvane::db
