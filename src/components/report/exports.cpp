#include "exports.h"

#include "rtf_export.h"
#include "text_export.h"
#include "xlsx_export.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace corvane::report {

std::optional<ExportFormat> formatForPath(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    for (ExportFormat f : {ExportFormat::Xlsx, ExportFormat::Rtf, ExportFormat::Text, ExportFormat::Pdf})
        if (ext == extensionOf(f))
            return f;
    return std::nullopt;
}

QString extensionOf(ExportFormat format) {
    switch (format) {
    case ExportFormat::Xlsx:
        return QStringLiteral("xlsx");
    case ExportFormat::Rtf:
        return QStringLiteral("rtf");
    case ExportFormat::Text:
        return QStringLiteral("txt");
    case ExportFormat::Pdf:
        return QStringLiteral("pdf");
    }
    return {};
}

QStringList exportFilters() {
    return {QStringLiteral("Folha de cálculo (*.xlsx)"), QStringLiteral("Texto formatado (*.rtf)"),
            QStringLiteral("Texto (*.txt)"), QStringLiteral("PDF (*.pdf)")};
}

SheetHeader sheetHeaderOf(const Report& report) {
    SheetHeader h;
    h.title = report.definition().title;
    if (!report.definition().orderNote.isEmpty())
        h.subtitles << report.definition().orderNote;
    h.company = report.info().company;
    return h;
}

bool paintPages(Report& report, QPagedPaintDevice& device, int dotsPerInch, int first, int last,
                QString* error) {
    if (!report.isLaidOut() && !report.layout(error))
        return false;
    first = std::max(first, 1);
    last = std::min(last, report.pageCount());
    QPainter painter;
    if (first > last) // nothing to paint: no pages
        return true;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("Não foi possível iniciar a impressão");
        return false;
    }
    painter.scale(Report::scaleFor(dotsPerInch), Report::scaleFor(dotsPerInch));
    for (int p = first; p <= last; ++p) {
        if (p > first)
            device.newPage();
        if (!report.paintPage(painter, p - 1, error))
            return false;
    }
    return painter.end();
}

namespace {
bool exportPdf(Report& report, const QString& path, QString* error) {
    if (!report.isLaidOut() && !report.layout(error))
        return false;
    if (report.pageCount() == 0) {
        if (error)
            *error = QStringLiteral("A listagem não tem páginas");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeError(path, file.errorString());
        return false;
    }
    constexpr int kDpi = 300;
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(report.definition().page.pageLayout());
        pdf.setResolution(kDpi);
        pdf.setTitle(report.definition().title);
        pdf.setCreator(QStringLiteral("Corvane"));
        if (!paintPages(report, pdf, kDpi, 1, report.pageCount(), error))
            return false;
    }
    if (!file.commit()) {
        if (error)
            *error = writeError(path, file.errorString());
        return false;
    }
    return true;
}
} // namespace

bool exportReport(Report& report, ExportFormat format, const QString& path, QString* error) {
    const SheetHeader header = sheetHeaderOf(report);
    switch (format) {
    case ExportFormat::Xlsx: {
        XlsxSink sink(path);
        return streamReport(report.definition(), report.source(), header, sink, error);
    }
    case ExportFormat::Rtf: {
        RtfSink sink(path);
        return streamReport(report.definition(), report.source(), header, sink, error);
    }
    case ExportFormat::Text: {
        TextSink sink(path);
        return streamReport(report.definition(), report.source(), header, sink, error);
    }
    case ExportFormat::Pdf:
        return exportPdf(report, path, error);
    }
    return false;
}

bool printReport(Report& report, QPrinter& printer, QString* error) {
    if (!report.isLaidOut() && !report.layout(error))
        return false;
    printer.setFullPage(true);
    printer.setPageLayout(report.definition().page.pageLayout());
    int first = 1;
    int last = report.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = std::min(printer.toPage() > 0 ? printer.toPage() : last, last);
    }
    return paintPages(report, printer, printer.resolution(), first, last, error);
}

} // namespace corvane::report
