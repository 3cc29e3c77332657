#pragma once

#include "line_sink.h"
#include "row_source.h"

namespace corvane::report {

// Writes a result set to a spreadsheet file: the title, the company and the
// subtitles above, then one bold heading per column with the column's name and
// every row below, numbers as numbers and dates as dates. The rows are read
// once, as they are written.
bool exportSpreadsheet(TableSource& table, const QString& path, const SheetHeader& header,
                       QString* error = nullptr);

// A report line layout with one column per column of the table.
ReportDefinition tableDefinition(const TableSource& table);

} // namespace corvane::report
