#include "text_export.h"

namespace corvane::report {

namespace {
constexpr double kMmPerChar = 1.8;
}

QList<TextColumn> textColumns(const LineLayout& layout) {
    QList<TextColumn> out;
    int end = 0;
    for (const Column& c : layout.columns) {
        TextColumn t;
        t.start = std::max(qRound(c.x / kMmPerChar), out.isEmpty() ? 0 : end + 1);
        t.width = std::max(qRound(c.width / kMmPerChar), static_cast<int>(c.heading.size()));
        end = t.start + t.width;
        out << t;
    }
    return out;
}

bool TextSink::begin(const ReportDefinition& def, const SheetHeader& header, QString* error) {
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (error)
            *error = writeError(file_.fileName(), file_.errorString());
        return false;
    }
    out_.setDevice(&file_);
    out_.setEncoding(QStringConverter::Utf8);
    for (const LineLayout& l : def.layouts) {
        const QList<TextColumn> cols = textColumns(l);
        if (!cols.isEmpty())
            ruleWidth_ = std::max(ruleWidth_, cols.last().start + cols.last().width);
    }
    out_ << header.title << '\n';
    for (const QString& s : header.subtitles)
        out_ << s << '\n';
    out_ << "Empresa : " << header.company << "\n\n";
    return true;
}

void TextSink::write(const LineLayout& layout, const QStringList& cells) {
    const QList<TextColumn> cols = textColumns(layout);
    QString text;
    for (int i = 0; i < cols.size(); ++i) {
        const QString cell = cells.value(i).left(cols[i].width);
        const bool right = layout.columns[i].align == Align::Right;
        text = text.leftJustified(cols[i].start, QLatin1Char(' '));
        text += right ? cell.rightJustified(cols[i].width, QLatin1Char(' ')) : cell;
    }
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    out_ << text << '\n';
}

void TextSink::headingLine(const LineLayout& layout) {
    write(layout, headingTexts(layout));
}

void TextSink::line(const LineLayout& layout, const QVariantList& values) {
    if (!headingsDone_) {
        out_ << QString(ruleWidth_, QLatin1Char('-')) << '\n';
        headingsDone_ = true;
    }
    write(layout, displayTexts(layout, values));
}

void TextSink::blank() {
    out_ << '\n';
}

bool TextSink::finish(QString* error) {
    out_.flush();
    if (!file_.commit()) {
        if (error)
            *error = writeError(file_.fileName(), file_.errorString());
        return false;
    }
    return true;
}

} // namespace corvane::report
