#include "rtf_export.h"

namespace corvane::report {

namespace {
int twips(double mm) {
    return qRound(mm * 1440.0 / 25.4);
}
} // namespace

QByteArray RtfSink::escape(const QString& text) {
    QByteArray out;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
        }
    }
    return out;
}

bool RtfSink::begin(const ReportDefinition& def, const SheetHeader& header, QString* error) {
    if (!file_.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeError(file_.fileName(), file_.errorString());
        return false;
    }
    width_ = def.page.printableWidth();
    const bool landscape = def.page.orientation == QPageLayout::Landscape;
    put("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n");
    put("\\paperw" + QByteArray::number(twips(def.page.pageWidth())) + "\\paperh" +
        QByteArray::number(twips(def.page.pageHeight())) + (landscape ? "\\landscape" : "") + "\\margl" +
        QByteArray::number(twips(def.page.margins.left())) + "\\margr" +
        QByteArray::number(twips(def.page.margins.right())) + "\\margt" +
        QByteArray::number(twips(def.page.margins.top())) + "\\margb" +
        QByteArray::number(twips(def.page.margins.bottom())) + "\n");
    put("\\pard\\f0\\fs28\\b " + escape(header.title) + "\\b0\\par\n");
    for (const QString& s : header.subtitles)
        put("\\pard\\fs18 " + escape(s) + "\\par\n");
    put("\\pard\\fs18 " + escape(QStringLiteral("Empresa : ") + header.company) + "\\par\n\\pard\\par\n");
    return true;
}

void RtfSink::row(const LineLayout& layout, const QStringList& cells, bool bold) {
    if (layout.columns.isEmpty())
        return;
    QByteArray r = "\\trowd\\trgaph57\\trleft" + QByteArray::number(twips(layout.columns.first().x));
    for (const Column& c : layout.columns)
        r += "\\cellx" + QByteArray::number(twips(c.x + c.width));
    r += "\n\\pard\\intbl\\fs16";
    r += bold ? "\\b" : "\\b0";
    for (int i = 0; i < layout.columns.size(); ++i) {
        r += layout.columns[i].align == Align::Right ? "\\qr " : "\\ql ";
        r += escape(cells.value(i)) + "\\cell";
    }
    r += "\\b0\\row\n";
    put(r);
}

void RtfSink::headingLine(const LineLayout& layout) {
    row(layout, headingTexts(layout), true);
}

void RtfSink::line(const LineLayout& layout, const QVariantList& values) {
    row(layout, displayTexts(layout, values), layout.bold);
}

void RtfSink::blank() {
    put("\\trowd\\trgaph57\\cellx" + QByteArray::number(twips(width_)) + "\n\\pard\\intbl\\cell\\row\n");
}

bool RtfSink::finish(QString* error) {
    put("\\pard\\par\n}\n");
    if (!file_.commit()) {
        if (error)
            *error = writeError(file_.fileName(), file_.errorString());
        return false;
    }
    return true;
}

} // namespace corvane::report
