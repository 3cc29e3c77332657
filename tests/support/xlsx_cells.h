#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

// The cells of a spreadsheet file's first sheet, read back by unzipping it.
struct XlsxCell {
    QString value;       // the text, or the number as written
    bool number = false; // a numeric cell (numbers and dates)
    int style = 0;       // the cell's format index; dates have one
};

inline QByteArray unzipMember(const QString& file, const QString& member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    unzip.waitForFinished(30000);
    return unzip.readAllStandardOutput();
}

inline QMap<QString, XlsxCell> readXlsxCells(const QString& file) {
    QStringList shared;
    QXmlStreamReader ss(unzipMember(file, QStringLiteral("xl/sharedStrings.xml")));
    while (!ss.atEnd())
        if (ss.readNext() == QXmlStreamReader::StartElement && ss.name() == QLatin1String("t"))
            shared << ss.readElementText();

    QMap<QString, XlsxCell> cells;
    QXmlStreamReader x(unzipMember(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref, type;
    XlsxCell cell;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("c")) {
            ref = x.attributes().value(QLatin1String("r")).toString();
            type = x.attributes().value(QLatin1String("t")).toString();
            cell = XlsxCell{};
            cell.style = x.attributes().value(QLatin1String("s")).toInt();
            cell.number = type.isEmpty() || type == QLatin1String("n");
        } else if (x.isStartElement() && (x.name() == QLatin1String("v") || x.name() == QLatin1String("t"))) {
            const QString text = x.readElementText();
            cell.value = type == QLatin1String("s") ? shared.value(text.toInt()) : text;
        } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
            cells.insert(ref, cell);
        }
    }
    return cells;
}

// The name of a spreadsheet column: 0 is A, 25 Z, 26 AA.
inline QString xlsxColumnName(int index) {
    QString name;
    for (int n = index + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QLatin1Char(char('A' + (n - 1) % 26)));
    return name;
}

// The texts of one spreadsheet row (columns A, B, ... up to the last filled).
inline QStringList xlsxRow(const QMap<QString, XlsxCell>& cells, int row) {
    QStringList out;
    const QString suffix = QString::number(row);
    for (int col = 0; col < 26 * 27; ++col)
        out << cells.value(xlsxColumnName(col) + suffix).value;
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}
