#pragma once

// The quotation's records as rows: each record has one column table (which
// column each member holds, quotation_rows.cpp), from which both the values
// its statements bind and the record read from a row are derived. Texts are
// written cut to their columns' widths as the quotation tables describe them.
#include "quotation/quotation_types.h"

#include <QDateTime>
#include <QVariantMap>

namespace corvane::quotation::rows {

QVariant textOrNull(const QString& s);
QVariant dateOrNull(const QDateTime& d);
// A text as a column of a quotation table takes it: cut to the column's
// width, NULL for a null text.
QVariant columnText(const QString& table, const QString& column, const QString& text);

// For the records OrcamMas, OrcamCom, OrcamTransp, OrcamCndPgt, OrcamDesc
// and OrcamTot:
// the values a write of the record binds, by column: every column this
// program writes (the master row's approval and ordering columns are only
// read; the satellites' ORCNRO is the caller's);
template <class Record> QVariantMap values(const Record& r);
// the record of a row read as a column map (texts trimmed; a missing column
// or NULL reads as 0 or empty).
template <class Record> void read(const QVariantMap& row, Record& r);

template <class Record> Record recordOf(const QVariantMap& row) {
    Record r;
    read(row, r);
    return r;
}

// A row as read, as the values a write of it binds: what is stored of it.
template <class Record> QVariantMap storedValues(const QVariantMap& row) {
    return values(recordOf<Record>(row));
}

} // namespace corvane::quotation::rows
