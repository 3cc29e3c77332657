#pragma once

#include <QProcess>
#include <QRegularExpression>

// The page count pdfinfo reports for a PDF file; -1 when it cannot tell.
inline int pdfPageCount(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return -1;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}
