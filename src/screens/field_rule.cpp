#include "field_rule.h"

#include "core/number_input.h"
#include "db/dataset.h"
#include "field_input.h"

#include <QtDebug>

namespace corvane::screens {

LookupSpec lookupOf(const QString& dataset, const QString& key, const QStringList& columns,
                    const QStringList& titles, const QString& alphabeticalColumn) {
    LookupSpec s;
    s.dataset = dataset;
    s.keyColumn = key;
    s.columns = columns;
    s.titles = titles;
    s.alphabeticalColumn = alphabeticalColumn;
    return s;
}

int inputLength(const db::Column& column) {
    switch (column.type) {
    case db::ColType::Text:
        return column.length;
    case db::ColType::Integer:
        return 11; // -2147483648
    case db::ColType::SmallInt:
        return 6; // -32768
    case db::ColType::Float:
    case db::ColType::Money:
        return 24;
    case db::ColType::DateTime:
        return 10; // a day typed as dd/MM/yyyy; the screens take no time of day
    }
    return 0;
}

FieldKind fieldKind(const db::Column& column) {
    switch (column.type) {
    case db::ColType::Integer:
        return FieldKind::Whole;
    case db::ColType::SmallInt:
        return FieldKind::SmallWhole;
    case db::ColType::Float:
    case db::ColType::Money:
        return FieldKind::Number;
    case db::ColType::Text:
    case db::ColType::DateTime:
        break;
    }
    return FieldKind::Text;
}

namespace {
const db::Column* columnOf(const db::Table& table, const QString& name) {
    for (const db::Column& c : table.columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    qWarning("Table %s has no column %s", qPrintable(table.name), qPrintable(name));
    return nullptr;
}
} // namespace

FieldRule fieldOf(const db::Table& table, const QString& column, const QString& input, const QString& label) {
    FieldRule f;
    f.column = column;
    f.input = input;
    f.label = label;
    if (const db::Column* c = columnOf(table, column)) {
        f.kind = fieldKind(*c);
        f.maxLength = inputLength(*c);
    }
    return f;
}

void describeFields(QList<FieldRule>& rules, const db::Table& table) {
    for (FieldRule& rule : rules) {
        const db::Column* c = columnOf(table, rule.column);
        if (!c)
            continue;
        rule.maxLength = inputLength(*c);
        if (rule.kind == FieldKind::Text)
            rule.kind = fieldKind(*c);
    }
}

bool convertField(const FieldRule& rule, const QString& text, QVariant* out, QString* message) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (!rule.emptyMessage.isEmpty()) {
            *message = rule.emptyMessage;
            return false;
        }
        if (!rule.allowed.isEmpty()) {
            *message = rule.allowedMessage;
            return false;
        }
        *out =
            rule.kind == FieldKind::Text || rule.kind == FieldKind::Upper ? QVariant(QString()) : QVariant();
        return true;
    }
    switch (rule.kind) {
    case FieldKind::Text:
        *out = rule.maxLength > 0 ? text.left(rule.maxLength) : text;
        break;
    case FieldKind::Upper:
        *out = (rule.maxLength > 0 ? text.left(rule.maxLength) : text).toUpper();
        break;
    case FieldKind::Whole:
    case FieldKind::SmallWhole: {
        int n = 0;
        if (!readWholeNumber(text, &n, message))
            return false;
        if (rule.kind == FieldKind::SmallWhole && !withinSmallInteger(n, message))
            return false;
        if (rule.max >= rule.min && (n < rule.min || n > rule.max)) {
            *message = rule.rangeMessage;
            return false;
        }
        if (rule.positive && n <= 0) {
            *message = rule.emptyMessage;
            return false;
        }
        *out = n;
        break;
    }
    case FieldKind::Number: {
        double d = 0;
        if (!readNumber(text, &d, message))
            return false;
        if (rule.positive && d <= 0) {
            *message = rule.emptyMessage;
            return false;
        }
        *out = d;
        break;
    }
    }
    if (!rule.allowed.isEmpty() && !rule.allowed.contains(out->toString())) {
        *message = rule.allowedMessage;
        return false;
    }
    return true;
}

bool sameKey(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    bool na = false, nb = false;
    const double da = a.toDouble(&na), db = b.toDouble(&nb);
    if (na && nb && a.metaType().id() != QMetaType::QString)
        return da == db;
    return a.toString().trimmed().compare(b.toString().trimmed(), Qt::CaseInsensitive) == 0;
}

int findKey(db::Dataset& ds, const QString& column, const QVariant& key) {
    if (key.isNull() || !ds.isOpen())
        return -1;
    for (int r = 0;; ++r) {
        while (r >= ds.rowCount())
            if (!ds.canFetchMore() || !ds.fetchMore())
                return -1;
        if (sameKey(key, ds.value(r, column)))
            return r;
    }
}

int seekKey(db::Dataset& ds, const QString& column, const QVariant& key) {
    if (key.isNull() || !ds.isOpen())
        return -1;
    if (!ds.readsByKey() || ds.orderFields().value(0) != column.toUpper() || ds.hasPendingUpdates())
        return findKey(ds, column, key);
    QVariantList tries{key};
    if (key.metaType().id() == QMetaType::QString) {
        const QString text = key.toString().trimmed();
        tries = {text};
        for (const QString& other : {text.toUpper(), text.toLower()})
            if (!tries.contains(other))
                tries << other;
    }
    for (const QVariant& k : tries)
        if (ds.seek({k}) == 0 && sameKey(key, ds.value(0, column)))
            return 0;
    return -1;
}

QString displayText(const QVariant& v) {
    if (v.isNull())
        return {};
    const int type = v.metaType().id();
    if (type == QMetaType::Double || type == QMetaType::Float)
        return numberText(v.toDouble());
    return v.toString();
}

} // namespace corvane::screens
