#include "line_sink.h"

namespace corvane::report {

QString writeError(const QString& path, const QString& reason) {
    return QStringLiteral("Não foi possível gravar o ficheiro %1 : %2").arg(path, reason);
}

QStringList headingTexts(const LineLayout& layout) {
    QStringList cells;
    for (const Column& c : layout.columns)
        cells << c.heading;
    return cells;
}

QStringList displayTexts(const LineLayout& layout, const QVariantList& values) {
    QStringList cells;
    for (int i = 0; i < layout.columns.size(); ++i)
        cells << cellText(values.value(i), layout.columns[i]);
    return cells;
}

bool streamReport(const ReportDefinition& def, RowSource& source, const SheetHeader& header, LineSink& sink,
                  QString* error) {
    const QString wrong = def.check();
    if (!wrong.isEmpty()) {
        if (error)
            *error = wrong;
        return false;
    }
    if (!source.rewind(error) || !sink.begin(def, header, error))
        return false;
    for (int l : def.headingLines)
        sink.headingLine(def.layouts[l]);
    Block block;
    while (source.next(&block)) {
        for (const Line& ln : block.lines)
            sink.line(def.layouts[ln.layout], ln.values);
        if (block.spaceAfter)
            sink.blank();
    }
    // Rows that could not be read end the export with the reason, never as
    // if the rows had ended; the unfinished file is dropped.
    const QString unread = source.readError();
    if (!unread.isEmpty()) {
        if (error)
            *error = unread;
        return false;
    }
    return sink.finish(error);
}

} // namespace corvane::report
