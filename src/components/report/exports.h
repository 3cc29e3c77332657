#pragma once

#include "line_sink.h"
#include "report.h"

#include <optional>

class QPagedPaintDevice;
class QPrinter;

namespace corvane::report {

enum class ExportFormat { Xlsx, Rtf, Text, Pdf };

// The format a file name's ending asks for (.xlsx, .rtf, .txt, .pdf).
std::optional<ExportFormat> formatForPath(const QString& path);
QString extensionOf(ExportFormat format);
// The file-dialog filters, one per format, in the order of ExportFormat.
QStringList exportFilters();

// The header a report's exported files carry: title, order note, company.
SheetHeader sheetHeaderOf(const Report& report);

// Writes the report in the format; the rows are read as they are written.
bool exportReport(Report& report, ExportFormat format, const QString& path, QString* error = nullptr);

// Paints pages first..last (1-based, inclusive) on a device laid out as A4
// in the report's orientation; the PDF and the printer both go through here.
bool paintPages(Report& report, QPagedPaintDevice& device, int dotsPerInch, int first, int last,
                QString* error = nullptr);
// Prints the page range the printer holds (all pages when it holds none).
bool printReport(Report& report, QPrinter& printer, QString* error = nullptr);

} // namespace corvane::report
