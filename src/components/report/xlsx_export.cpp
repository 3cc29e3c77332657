#include "xlsx_export.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <xlsxwriter.h>

namespace corvane::report {

namespace {
constexpr double kMmPerChar = 1.9;

lxw_datetime toLxw(const QDateTime& dt) {
    const QDate d = dt.date();
    const QTime t = dt.time();
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
}
} // namespace

XlsxSink::~XlsxSink() {
    if (book_) { // never finished: drop the partial file
        workbook_close(book_);
        QFile::remove(partPath_);
    }
}

bool XlsxSink::begin(const ReportDefinition& def, const SheetHeader& header, QString* error) {
    const QFileInfo target(path_);
    if (!QFileInfo(target.absolutePath()).isWritable() || (target.exists() && !target.isWritable())) {
        if (error)
            *error = writeError(path_, QStringLiteral("sem permissão de escrita"));
        return false;
    }
    partPath_ = path_ + QStringLiteral(".part");
    const QByteArray part = QFile::encodeName(partPath_);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    book_ = workbook_new_opt(part.constData(), &options);
    if (!book_) {
        if (error)
            *error = writeError(path_, QStringLiteral("erro ao criar o livro"));
        return false;
    }
    sheet_ = workbook_add_worksheet(book_, nullptr);
    bold_ = workbook_add_format(book_);
    format_set_bold(bold_);
    title_ = workbook_add_format(book_);
    format_set_bold(title_);
    format_set_font_size(title_, 14);
    date_ = workbook_add_format(book_);
    format_set_num_format(date_, "dd/mm/yyyy");
    dateTime_ = workbook_add_format(book_);
    format_set_num_format(dateTime_, "dd/mm/yyyy hh:mm:ss");

    QMap<int, double> widths; // sheet column -> characters
    for (const LineLayout& l : def.layouts)
        for (int i = 0; i < l.columns.size(); ++i) {
            double& w = widths[l.sheetOffset + i];
            w = std::max(
                {w, l.columns[i].width / kMmPerChar, static_cast<double>(l.columns[i].heading.size())});
        }
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
        worksheet_set_column(sheet_, static_cast<lxw_col_t>(it.key()), static_cast<lxw_col_t>(it.key()),
                             it.value() + 1, nullptr);

    text(0, header.title, title_);
    ++row_;
    for (const QString& s : header.subtitles) {
        text(0, s, nullptr);
        ++row_;
    }
    text(0, QStringLiteral("Empresa : ") + header.company, nullptr);
    row_ += 2;
    return true;
}

void XlsxSink::text(int col, const QString& s, lxw_format* format) {
    if (s.isEmpty())
        return;
    worksheet_write_string(sheet_, row_, static_cast<lxw_col_t>(col), s.toUtf8().constData(), format);
}

void XlsxSink::cell(int col, const QVariant& value, const Column& column) {
    if (value.isNull() || !value.isValid())
        return;
    const auto c = static_cast<lxw_col_t>(col);
    if (column.kind == ValueKind::Number) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (ok) {
            worksheet_write_number(sheet_, row_, c, d, nullptr);
            return;
        }
    } else if (column.kind == ValueKind::Date || column.kind == ValueKind::DateTime) {
        const QDateTime dt = dateValue(value);
        if (dt.isValid()) {
            lxw_datetime lx = toLxw(dt);
            worksheet_write_datetime(sheet_, row_, c, &lx,
                                     column.kind == ValueKind::Date ? date_ : dateTime_);
            return;
        }
    }
    if (column.kind != ValueKind::Image)
        text(col, cellText(value, column), nullptr);
}

void XlsxSink::headingLine(const LineLayout& layout) {
    for (int i = 0; i < layout.columns.size(); ++i)
        text(layout.sheetOffset + i, layout.columns[i].heading, bold_);
    ++row_;
}

void XlsxSink::line(const LineLayout& layout, const QVariantList& values) {
    for (int i = 0; i < layout.columns.size(); ++i)
        cell(layout.sheetOffset + i, values.value(i), layout.columns[i]);
    ++row_;
}

bool XlsxSink::finish(QString* error) {
    const lxw_error rc = workbook_close(book_);
    book_ = nullptr;
    if (rc != LXW_NO_ERROR) {
        QFile::remove(partPath_);
        if (error)
            *error = writeError(path_, QString::fromUtf8(lxw_strerror(rc)));
        return false;
    }
    QFile::remove(path_);
    if (!QFile::rename(partPath_, path_)) {
        if (error)
            *error = writeError(path_, QStringLiteral("não foi possível substituir o ficheiro"));
        return false;
    }
    return true;
}

} // namespace corvane::report
