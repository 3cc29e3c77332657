#include "dataset_table.h"

#include "db/dataset.h"
#include "spreadsheet_export.h"

#include <optional>

namespace corvane::report {

namespace {
constexpr int kRowsToProbe = 64;

// The kind one value shows, or nothing for a null.
std::optional<ValueKind> kindOf(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
        return ValueKind::Number;
    case QMetaType::QDate:
        return ValueKind::Date;
    case QMetaType::QDateTime:
        return ValueKind::DateTime;
    default:
        break;
    }
    const QString s = v.toString();
    if (s.size() >= 10 && s[4] == QLatin1Char('-') && s[7] == QLatin1Char('-')) {
        const QDateTime dt = dateValue(v);
        if (dt.isValid())
            return dt.time() == QTime(0, 0) && s.size() == 10 ? ValueKind::Date : ValueKind::DateTime;
    }
    return ValueKind::Text;
}
} // namespace

QStringList DatasetTable::columnNames() const {
    return ds_.fields();
}

void DatasetTable::findKinds() const {
    if (kinds_.size() == ds_.fields().size())
        return;
    kinds_.clear();
    const int probe = std::min(ds_.rowCount(), kRowsToProbe);
    for (const QString& field : ds_.fields()) {
        ValueKind kind = ValueKind::Text;
        for (int r = 0; r < probe; ++r)
            if (const auto k = kindOf(ds_.value(r, field))) {
                kind = *k;
                break;
            }
        kinds_ << kind;
    }
}

ValueKind DatasetTable::columnKind(int column) const {
    findKinds();
    return kinds_.value(column, ValueKind::Text);
}

bool DatasetTable::rewind(QString* error) {
    row_ = 0;
    readError_.clear();
    if (!ds_.isOpen() && !ds_.open(error))
        return false;
    findKinds();
    return true;
}

bool DatasetTable::next(QVariantList* values) {
    if (row_ >= ds_.rowCount() && ds_.canFetchMore() && !ds_.fetchMore(&readError_))
        return false;
    if (row_ >= ds_.rowCount())
        return false;
    values->clear();
    for (const QString& field : ds_.fields())
        *values << ds_.value(row_, field);
    ++row_;
    return true;
}

bool exportDataset(db::Dataset& dataset, const QString& path, const QString& title, const QString& company,
                   const QStringList& subtitles, QString* error) {
    DatasetTable table(dataset);
    if (!table.rewind(error)) // opens it, so its fields are known
        return false;
    return exportSpreadsheet(table, path, SheetHeader{title, company, subtitles}, error);
}

} // namespace corvane::report
