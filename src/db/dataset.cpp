#include "dataset.h"

#include "row_reader.h"
#include "unit_of_work.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QtDebug>

#include <algorithm>
#include <iterator>
#include <optional>

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

namespace {

struct Word {
    QString upper;
    qsizetype begin;
    qsizetype end;
};

// The words of a statement outside quotes, comments and parentheses.
QList<Word> topLevelWords(const QString& sql) {
    QList<Word> words;
    int depth = 0;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = sql.indexOf(c, i + 1);
            i = close < 0 ? n : close + 1;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype eol = sql.indexOf(QLatin1Char('\n'), i);
            i = eol < 0 ? n : eol + 1;
        } else if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
        } else if (c == QLatin1Char(')')) {
            --depth;
            ++i;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype e = i + 1;
            while (e < n && (sql.at(e).isLetterOrNumber() || sql.at(e) == QLatin1Char('_')))
                ++e;
            if (depth == 0)
                words.append({sql.mid(i, e - i).toUpper(), i, e});
            i = e;
        } else {
            ++i;
        }
    }
    return words;
}

// "CODIGO", "t.CODIGO DESC": a plain column of an order, or nothing.
std::optional<QString> orderItem(const QString& text, QString* expr, bool* descending) {
    static const QRegularExpression form(
        QStringLiteral(
            "^\\s*((?:[A-Za-z_][A-Za-z0-9_]*\\.)?([A-Za-z_][A-Za-z0-9_]*))(?:\\s+(ASC|DESC))?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    *expr = m.captured(1);
    *descending = m.captured(3).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    return m.captured(2).toUpper();
}

} // namespace

void Dataset::planReading() {
    plan_ = ReadPlan{};
    plan_.whole = selectSql_;
    // The select's closing ORDER BY. A select that limits its own rows is
    // read whole, as written.
    const QList<Word> words = topLevelWords(selectSql_);
    qsizetype orderAt = -1, orderEnd = -1;
    for (qsizetype w = 0; w < words.size(); ++w) {
        const QString& u = words[w].upper;
        if (u == QLatin1String("LIMIT") || u == QLatin1String("OFFSET") || u == QLatin1String("FETCH") ||
            u == QLatin1String("FOR"))
            return;
        if (u == QLatin1String("ORDER") && w + 1 < words.size() &&
            words[w + 1].upper == QLatin1String("BY")) {
            orderAt = words[w].begin;
            orderEnd = words[w + 1].end;
        }
    }
    plan_.base = orderAt < 0 ? selectSql_ : selectSql_.left(orderAt).trimmed();
    QStringList items;
    if (!orderKey_.isEmpty())
        items = orderKey_;
    else if (orderAt >= 0)
        items = selectSql_.mid(orderEnd).split(QLatin1Char(','));
    for (const QString& item : items) {
        OrderColumn c;
        const auto field = orderItem(item, &c.expr, &c.descending);
        if (!field) {
            plan_.order.clear();
            return; // an order by expressions: read whole, as written
        }
        c.field = *field;
        plan_.order << c;
    }
    // The key fields make the order total; explicit order keys end in one.
    bool unique = !orderKey_.isEmpty();
    for (const QString& key : keyFields_) {
        auto it = std::find_if(plan_.order.begin(), plan_.order.end(),
                               [&](const OrderColumn& c) { return c.field == key; });
        if (it == plan_.order.end())
            it = plan_.order.insert(plan_.order.end(), OrderColumn{key, key, false, false, -1});
        it->notNull = true;
        unique = true;
    }
    if (!plan_.order.isEmpty()) {
        QStringList parts;
        for (const OrderColumn& c : plan_.order)
            parts << c.expr + (c.descending ? QStringLiteral(" DESC") : QString());
        plan_.whole = plan_.base + QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
    }
    plan_.paged = unique && !readWhole_;
}

// Rows after a key (or before it) in the dataset's order. For order columns
// c1..cn: c1 beyond v1 OR (c1 = v1 AND (c2 beyond v2 OR (...))), where a null
// sorts where the backend puts it; a key of fewer values compares only the
// leading columns.
QString Dataset::keysetCondition(const QVariantList& key, bool forward, bool inclusive,
                                 QVariantMap* params) const {
    auto bind = [&](const QVariant& v) {
        const QString name = QStringLiteral("CORVANE_K%1").arg(params->size());
        params->insert(name, v);
        return QLatin1Char(':') + name;
    };
    const int n = static_cast<int>(qMin(key.size(), plan_.order.size()));
    const bool nullsFirst = db_->dialect().nullsSortFirst();
    bool plain = true;
    for (int i = 0; i < n; ++i) {
        const OrderColumn& c = plan_.order[i];
        plain = plain && c.notNull && !key.at(i).isNull() && c.descending == plan_.order.first().descending;
    }
    if (plain) {
        // Row values: one range over an index on the columns.
        QStringList cols, values;
        for (int i = 0; i < n; ++i) {
            cols << plan_.order[i].field;
            values << bind(key.at(i));
        }
        QString op = forward != plan_.order.first().descending ? QStringLiteral(">") : QStringLiteral("<");
        if (inclusive)
            op += QLatin1Char('=');
        if (cols.size() == 1)
            return QStringLiteral("%1 %2 %3").arg(cols.first(), op, values.first());
        return QStringLiteral("(%1) %2 (%3)")
            .arg(cols.join(QStringLiteral(", ")), op, values.join(QStringLiteral(", ")));
    }
    auto beyond = [&](const OrderColumn& c, const QVariant& v) {
        // Whether nulls come first in the direction read.
        const bool nullsLead = (nullsFirst != c.descending) == forward;
        if (v.isNull())
            return nullsLead ? QStringLiteral("%1 IS NOT NULL").arg(c.field) : QStringLiteral("1 = 0");
        const QString cmp = QStringLiteral("%1 %2 %3")
                                .arg(c.field, forward != c.descending ? QStringLiteral(">") : QStringLiteral("<"),
                                     bind(v));
        return c.notNull || nullsLead ? cmp : QStringLiteral("(%1 OR %2 IS NULL)").arg(cmp, c.field);
    };
    auto equal = [&](const OrderColumn& c, const QVariant& v) {
        return v.isNull() ? QStringLiteral("%1 IS NULL").arg(c.field)
                          : QStringLiteral("%1 = %2").arg(c.field, bind(v));
    };
    const int last = n - 1;
    QString cond = beyond(plan_.order[last], key.at(last));
    if (inclusive)
        cond = QStringLiteral("%1 OR %2").arg(cond, equal(plan_.order[last], key.at(last)));
    for (int i = last - 1; i >= 0; --i)
        cond = QStringLiteral("%1 OR (%2 AND (%3))")
                   .arg(beyond(plan_.order[i], key.at(i)), equal(plan_.order[i], key.at(i)), cond);
    return cond;
}

// The select as a derived table, so its own WHERE, joins and parameters stay
// as they are; a negative limit reads to the end.
QString Dataset::windowSql(const QVariantList& key, bool forward, bool inclusive, int limit,
                           QVariantMap* params) const {
    const QString rows = QStringLiteral("SELECT * FROM (%1) AS corvane_rows").arg(plan_.base);
    QStringList order;
    for (const OrderColumn& c : plan_.order)
        order << c.field + (c.descending == forward ? QStringLiteral(" DESC") : QString());
    QString tail = QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    if (limit >= 0)
        tail += QStringLiteral(" LIMIT %1").arg(limit);
    if (key.isEmpty())
        return rows + tail;
    const QString condition = keysetCondition(key, forward, inclusive, params);
    // A first column that may hold nulls, with the nulls after the key in
    // the direction read: the rows past the key are read as two ranges an
    // index serves, the values from the key's on and then the nulls, rather
    // than through one condition with OR, for which a server reads the
    // index from its first entry.
    const OrderColumn& first = plan_.order.first();
    const bool nullsLead = (db_->dialect().nullsSortFirst() != first.descending) == forward;
    if (first.notNull || key.first().isNull() || nullsLead)
        return rows + QStringLiteral(" WHERE ") + condition + tail;
    const QString name = QStringLiteral("CORVANE_K%1").arg(params->size());
    params->insert(name, key.first());
    const QString from = QStringLiteral("%1 %2 :%3")
                             .arg(first.field, forward != first.descending ? QStringLiteral(">=") : QStringLiteral("<="),
                                  name);
    return QStringLiteral("SELECT * FROM (SELECT * FROM (%1 WHERE %2 AND (%3)%4) AS corvane_values UNION ALL "
                          "SELECT * FROM (%1 WHERE %5 IS NULL%4) AS corvane_nulls) AS corvane_window%4")
        .arg(rows, from, condition, tail, first.field);
}

// The next rows: after the last row read, or from where a seek starts.
QString Dataset::pageSql(int limit, QVariantMap* params) const {
    if (lastKey_.isEmpty() && !startKey_.isEmpty())
        return windowSql(startKey_, true, true, limit, params);
    return windowSql(lastKey_, true, false, limit, params);
}

QVariantList Dataset::orderKeyOf(const QVariantList& values) const {
    QVariantList key;
    for (const OrderColumn& c : plan_.order)
        key << values.at(c.index);
    return key;
}

bool Dataset::open(QString* error) {
    close();
    planReading();
    open_ = true;
    if (!fetchPage(error)) {
        close();
        return false;
    }
    return true;
}

void Dataset::close() {
    open_ = false;
    atEnd_ = false;
    atStart_ = true;
    lastKey_.clear();
    startKey_.clear();
    firstKey_.clear();
    rows_.clear();
    deleted_.clear();
}

bool Dataset::reopen(QString* error) { return open(error); }

bool Dataset::fetchPage(QString* error, bool rest) {
    if (!open_ || atEnd_)
        return true;
    const bool fromStart = lastKey_.isEmpty();
    QVariantMap params = params_;
    // A page, or everything not read yet in one statement.
    const QString sql = plan_.paged ? pageSql(rest ? -1 : pageSize_, &params) : plan_.whole;
    RowReader reader(*db_);
    if (!reader.exec(sql, params, error))
        return false;
    if (fromStart) {
        fields_.clear();
        for (const QString& f : reader.fields())
            fields_ << f.toUpper();
        for (OrderColumn& c : plan_.order) {
            c.index = static_cast<int>(fields_.indexOf(c.field));
            if (c.index < 0 && plan_.paged) {
                if (error)
                    *error = QStringLiteral("O conjunto de dados %1 não lê a coluna %2 pela qual é ordenado.")
                                 .arg(name_, c.field);
                return false;
            }
        }
    }
    int read = 0;
    QVariantList values, skipped;
    bool lastKept = false;
    QString failure;
    while (reader.next(&values, &failure)) {
        if (++read == 1 && fromStart && !startKey_.isEmpty())
            firstKey_ = orderKeyOf(values); // the rows before it come with fetchBefore
        lastKept = !filter_ || filter_(*this, values);
        if (!lastKept) {
            skipped = std::move(values);
            continue;
        }
        Row row;
        row.original = values;
        row.values = std::move(values);
        rows_.push_back(std::move(row));
    }
    // Rows read before a failure stay when paging (the next page continues
    // after them); a whole read starts again.
    if (!failure.isEmpty() && !plan_.paged)
        rows_.clear();
    if (read > 0 && plan_.paged)
        lastKey_ = orderKeyOf(lastKept ? rows_.back().original : skipped);
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return false;
    }
    if (!plan_.paged || rest || read < pageSize_)
        atEnd_ = true;
    return true;
}

bool Dataset::fetchMore(QString* error) { return fetchPage(error); }

int Dataset::seek(const QVariantList& key, QString* error) {
    QString why;
    if (!open_ || !plan_.paged)
        why = QStringLiteral("O conjunto de dados %1 não é lido por chave.").arg(name_);
    else if (hasPendingUpdates())
        why = QStringLiteral("O conjunto de dados %1 tem alterações por gravar.").arg(name_);
    else if (key.isEmpty() || key.size() > plan_.order.size())
        why = QStringLiteral("O conjunto de dados %1 é ordenado por %2 colunas.").arg(name_).arg(plan_.order.size());
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return -1;
    }
    rows_.clear();
    deleted_.clear();
    lastKey_.clear();
    firstKey_.clear();
    atEnd_ = false;
    atStart_ = false;
    startKey_ = key;
    if (!fetchPage(error))
        return -1;
    return rows_.empty() ? -1 : 0;
}

QStringList Dataset::orderFields() const {
    QStringList out;
    for (const OrderColumn& c : plan_.order)
        out << c.field;
    return out;
}

int Dataset::fetchBefore(QString* error) {
    if (!canFetchBefore())
        return 0;
    QVariantMap params = params_;
    // Backwards from the first row read (from the end when the seek found none).
    const QString sql = windowSql(firstKey_, false, false, pageSize_, &params);
    RowReader reader(*db_);
    if (!reader.exec(sql, params, error))
        return -1;
    std::vector<Row> before;
    int read = 0;
    QVariantList values, earliest;
    QString failure;
    while (reader.next(&values, &failure)) {
        ++read;
        earliest = orderKeyOf(values);
        if (filter_ && !filter_(*this, values))
            continue;
        Row row;
        row.original = values;
        row.values = std::move(values);
        before.push_back(std::move(row));
    }
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return -1;
    }
    if (read > 0)
        firstKey_ = earliest;
    if (read < pageSize_)
        atStart_ = true;
    rows_.insert(rows_.begin(), std::make_move_iterator(before.rbegin()), std::make_move_iterator(before.rend()));
    return static_cast<int>(before.size());
}

int Dataset::find(const std::function<bool(const QVariantList& values)>& match, QString* error) {
    // Each batch four times the last; past a quarter of a million rows the
    // rest is read at once.
    constexpr int kLastBatch = 262144;
    const int pageSize = pageSize_;
    int batch = pageSize_;
    for (int r = 0;; ++r) {
        while (r == rowCount()) { // again when the row filter left out a whole batch
            if (!canFetchMore())
                return -1;
            batch = qMin(batch * 4, kLastBatch);
            pageSize_ = batch;
            const bool read = fetchPage(error, batch >= kLastBatch);
            pageSize_ = pageSize;
            if (!read)
                return -1;
        }
        if (match(rows_[static_cast<size_t>(r)].values))
            return r;
    }
}

Dataset Dataset::reordered(const QString& orderBy) const {
    if (!keyFields_.isEmpty()) {
        // The order as a column of its own, followed by the key: pages then
        // continue after the last row read, even for an order by an expression.
        QString expr = orderBy.trimmed();
        const bool descending = expr.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
        if (descending)
            expr.chop(5);
        // SQLite takes the column's name in the page's WHERE and sorts sooner
        // without a second level of select; PostgreSQL needs that level.
        const QString inner = QStringLiteral("SELECT lk.*, %1 AS CORVANE_SORT FROM (%2) lk").arg(expr, selectSql_);
        const QString select = db_->backend() == Backend::PostgreSQL
                                   ? QStringLiteral("SELECT * FROM (%1) lk2").arg(inner)
                                   : inner;
        Dataset out(*db_, name_,
                    select + QStringLiteral(" ORDER BY CORVANE_SORT") +
                        (descending ? QStringLiteral(" DESC") : QString()),
                    {}, keyFields_);
        out.params_ = params_;
        out.filter_ = filter_;
        out.pageSize_ = pageSize_;
        return out;
    }
    // Without a key the rows are told apart by every column, and read whole.
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

bool Dataset::fetchAll(QString* error) { return fetchPage(error, true); }

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

int Dataset::locate(const QString& field, const QVariant& value, QString* error) {
    return locate(QStringList{field}, QVariantList{value}, error);
}

int Dataset::locate(const QStringList& fields, const QVariantList& values, QString* error) {
    if (!fetchAll(error))
        return -1;
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

} // namespace corvane::db
