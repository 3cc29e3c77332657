#include "detail_lines.h"

#include <QCollator>

#include <algorithm>

namespace corvane::screens {

namespace {
const QString kYes = QStringLiteral("S");
const QString kNo = QStringLiteral("N");
} // namespace

DetailLines::DetailLines(db::Dataset& dataset, QList<DetailColumn> columns, ScreenView& view)
    : ds_(&dataset), columns_(std::move(columns)), view_(view) {
    reload();
}

GridColumns DetailLines::gridColumns() {
    GridColumns table{
        [this] { return lineCount(); }, {}, [this](int column) { sortBy(column); }, [this] { reload(); }};
    for (int i = 0; i < columns_.size(); ++i) {
        const DetailColumn& d = columns_[i];
        GridColumn c;
        c.key = d.rule.column;
        c.title = d.title;
        c.width = d.width;
        c.maxLength = d.rule.maxLength;
        if (d.yesNo) {
            c.checked = [this, i](int line) { return checked(line, i); };
            c.set = [this, i](int line, const QVariant& on) { return setChecked(line, i, on.toBool()); };
        } else {
            c.value = [this, i](int line) { return QVariant(text(line, i)); };
            c.set = [this, i](int line, const QVariant& typed) { return setText(line, i, typed.toString()); };
            if (d.rule.kind != FieldKind::Text && d.rule.kind != FieldKind::Upper)
                c.alignment = Qt::AlignRight | Qt::AlignVCenter;
        }
        c.editableRow = [this, i](int) { return editable(i); };
        table.columns << c;
    }
    return table;
}

void DetailLines::reload() {
    order_.clear();
    if (ds_->isOpen())
        ds_->fetchAll();
    for (int r = 0; r < ds_->rowCount(); ++r)
        order_ << r;
    if (sortColumn_ >= 0) {
        const int column = sortColumn_;
        sortColumn_ = -1;
        const bool down = descending_;
        sortBy(column);
        if (down)
            sortBy(column);
    }
}

QString DetailLines::text(int line, int column) const {
    const int row = datasetRow(line);
    if (row < 0 || column < 0 || column >= columns_.size())
        return {};
    const DetailColumn& c = columns_[column];
    const QVariant v = ds_->value(row, c.rule.column);
    if (c.rule.kind == FieldKind::Number && !v.isNull())
        return gridNumber(v.toDouble());
    return displayText(v);
}

bool DetailLines::checked(int line, int column) const {
    return text(line, column).trimmed().compare(kYes, Qt::CaseInsensitive) == 0;
}

bool DetailLines::store(int line, int column, const QVariant& value) {
    const int row = datasetRow(line);
    const DetailColumn& c = columns_[column];
    QString message;
    if (check_ && !check_(row, c, value, &message)) {
        view_.beep();
        if (!message.isEmpty())
            view_.message(message);
        return false;
    }
    ds_->setValue(row, c.rule.column, value);
    if (stored_)
        stored_(row, c);
    return true;
}

bool DetailLines::setText(int line, int column, const QString& text) {
    if (datasetRow(line) < 0 || !editable(column))
        return false;
    const DetailColumn& c = columns_[column];
    if (c.yesNo)
        return setChecked(line, column, text.trimmed().compare(kYes, Qt::CaseInsensitive) == 0);
    QVariant value;
    QString message;
    if (!convertField(c.rule, text, &value, &message)) {
        view_.beep();
        view_.message(message);
        return false;
    }
    return store(line, column, value);
}

bool DetailLines::setChecked(int line, int column, bool on) {
    if (datasetRow(line) < 0 || !editable(column))
        return false;
    return store(line, column, on ? kYes : kNo);
}

void DetailLines::leaveColumn(int line, int column) {
    const int row = datasetRow(line);
    if (left_ && row >= 0 && column >= 0 && column < columns_.size())
        left_(row, columns_[column]);
}

void DetailLines::sortBy(int column) {
    if (column < 0 || column >= columns_.size())
        return;
    descending_ = column == sortColumn_ ? !descending_ : false;
    sortColumn_ = column;
    const DetailColumn& c = columns_[column];
    const bool numeric = c.rule.kind == FieldKind::Whole || c.rule.kind == FieldKind::SmallWhole ||
                         c.rule.kind == FieldKind::Number;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const QVariant va = ds_->value(a, c.rule.column), vb = ds_->value(b, c.rule.column);
        const int cmp = numeric ? (va.toDouble() < vb.toDouble()   ? -1
                                   : va.toDouble() > vb.toDouble() ? 1
                                                                   : 0)
                                : collator.compare(va.toString(), vb.toString());
        return descending_ ? cmp > 0 : cmp < 0;
    });
}

} // namespace corvane::screens
