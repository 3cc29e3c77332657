#include "report_fixture.h"
#include "support/pdf_pages.h"
#include "support/text_file.h"
#include "support/xlsx_cells.h"

#include "components/report/exports.h"
#include "components/report/page_painter.h"
#include "components/report/rtf_export.h"
#include "components/report/spreadsheet_export.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane::report;

namespace {} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void columnsMayNotOverlapOrLeaveThePage();
    void valuesShowInTheirDefaultDisplay();
    void longValuesAreCutAtTheColumn();
    void emptySourceGivesNoPages();
    void pagesBreakOnRowHeightsAndKeepBlocksWhole();
    void pdfAndPrinterHaveThePreviewPageCount();
    void textExportAlignsTheColumns();
    void xlsxKeepsNumbersAndDates();
    void rtfHoldsATableRowPerLine();
    void unwritableFileIsReportedAndNothingIsLost();
    void spreadsheetRoutineWritesEveryColumn();
    void fixedDecimalsPicturesAndOwnPages();

private:
    // The three-row fixture exported to a file of the folder; its path.
    QString exported(ExportFormat format, const QString& name);
    QTemporaryDir dir_;
};

QString TestReport::exported(ExportFormat format, const QString& name) {
    FixtureRows rows{3};
    auto report = fixtureReport(rows);
    const QString path = dir_.filePath(name);
    QString error;
    if (!exportReport(*report, format, path, &error))
        qWarning("%s", qPrintable(error));
    return path;
}

void TestReport::columnsMayNotOverlapOrLeaveThePage() {
    ReportDefinition def = fixtureDefinition();
    QCOMPARE(def.check(), QString());
    def.layouts[0].columns[1].x = 15; // runs into "Código" (0..20)
    QVERIFY(def.check().contains(QStringLiteral("sobrepostas")));
    def = fixtureDefinition();
    def.layouts[0].columns[3].width = 100; // past 196 mm
    QVERIFY(def.check().contains(QStringLiteral("fora da página")));

    FixtureRows rows{3};
    Report report(def, std::make_unique<CountingSource>(rows), fixtureInfo());
    QString error;
    QVERIFY(!report.layout(&error));
    QVERIFY(!error.isEmpty());
}

// Numbers with the column's decimals, a picture drawn on the page but not
// exported, and blocks that each start a page of their own.
void TestReport::fixedDecimalsPicturesAndOwnPages() {
    Column money{QStringLiteral("Valor"), 40, 30, ValueKind::Number, Align::Right};
    money.decimals = 2;
    QCOMPARE(cellText(341.0, money), QStringLiteral("341,00"));
    QCOMPARE(cellText(0.005, money), QStringLiteral("0,01"));
    QCOMPARE(cellText(QVariant(), money), QString());
    money.decimals = -1;
    QCOMPARE(cellText(341.0, money), QStringLiteral("341"));

    const QString picture = dir_.filePath(QStringLiteral("foto.png"));
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    ReportDefinition def;
    def.title = QStringLiteral("Fichas");
    LineLayout l;
    l.columns << Column{QStringLiteral("Nome"), 0, 30, ValueKind::Text, Align::Left}
              << Column{QStringLiteral("Foto"), 40, 40, ValueKind::Image, Align::Left};
    l.height = 20;
    def.layouts << l;
    auto blocks = std::make_shared<QList<Block>>();
    for (const QString& name : {QStringLiteral("Um"), QStringLiteral("Dois"), QStringLiteral("Três")}) {
        Block b;
        b.ownPage = true;
        b.lines << Line{0, {name, name == QLatin1String("Dois") ? dir_.filePath("nada.png") : picture}};
        *blocks << b;
    }
    auto source = std::make_unique<IndexedRowSource>([blocks] { return qint64(blocks->size()); },
                                                     [blocks](qint64 r, Block* b) { *b = (*blocks)[r]; });
    Report report(def, std::move(source), ReportInfo{});
    QVERIFY(report.layout());
    QCOMPARE(report.pageCount(), 3);
    // The picture is painted where its cell is; a missing file paints nothing.
    QImage page(2100, 2970, QImage::Format_RGB32);
    for (int n : {0, 1}) {
        page.fill(Qt::white);
        QPainter painter(&page);
        QVERIFY(report.paintPage(painter, n));
        painter.end();
        const QPoint inCell(int((7 + 45) * 10), int((10 + Report::kHeaderHeight + 2) * 10));
        QCOMPARE(page.pixelColor(inCell) == QColor(Qt::red), n == 0);
    }
    const QString text = dir_.filePath(QStringLiteral("fichas.txt"));
    QVERIFY(exportReport(report, ExportFormat::Text, text));
    QVERIFY(!readTextFile(text).contains(QStringLiteral(".png")));
    QVERIFY(readTextFile(text).contains(QStringLiteral("Três")));
}

void TestReport::valuesShowInTheirDefaultDisplay() {
    QCOMPARE(displayText(2.5, ValueKind::Number), QStringLiteral("2,5"));
    QCOMPARE(displayText(12, ValueKind::Number), QStringLiteral("12"));
    QCOMPARE(displayText(1234567.125, ValueKind::Number), QStringLiteral("1234567,125"));
    QCOMPARE(displayText(0.0375, ValueKind::Number), QStringLiteral("0,0375"));
    QCOMPARE(displayText(0.000012, ValueKind::Number), QStringLiteral("0,000012"));
    QCOMPARE(displayText(1.2, ValueKind::Number), QStringLiteral("1,2"));
    QCOMPARE(displayText(1e20, ValueKind::Number), QStringLiteral("100000000000000000000"));
    QCOMPARE(displayText(QVariant(), ValueKind::Number), QString());
    QCOMPARE(displayText(QDate(2024, 3, 5), ValueKind::Date), QStringLiteral("05/03/2024"));
    QCOMPARE(displayText(QStringLiteral("2024-03-05 14:20:00"), ValueKind::DateTime),
             QStringLiteral("05/03/2024 14:20:00"));
    QCOMPARE(displayText(QStringLiteral("X050012"), ValueKind::Text), QStringLiteral("X050012"));
}

void TestReport::longValuesAreCutAtTheColumn() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(28);
    const QFontMetricsF fm(f);
    const QString longText = QStringLiteral("Uma designação muito comprida que não cabe na coluna");
    const QString cut = cutToWidth(longText, fm, 200);
    QVERIFY(cut.size() < longText.size());
    QVERIFY(longText.startsWith(cut));
    QVERIFY(fm.horizontalAdvance(cut) <= 200);
    QVERIFY(fm.horizontalAdvance(longText.left(cut.size() + 1)) > 200);
    QCOMPARE(cutToWidth(QStringLiteral("Curto"), fm, 200), QStringLiteral("Curto"));
}

void TestReport::emptySourceGivesNoPages() {
    FixtureRows rows{0};
    auto report = fixtureReport(rows);
    QVERIFY(report->layout());
    QCOMPARE(report->pageCount(), 0);
    QString error;
    QVERIFY(!exportReport(*report, ExportFormat::Pdf, dir_.filePath(QStringLiteral("vazio.pdf")), &error));
    QCOMPARE(error, QStringLiteral("A listagem não tem páginas"));
}

void TestReport::pagesBreakOnRowHeightsAndKeepBlocksWhole() {
    FixtureRows rows{200};
    auto report = fixtureReport(rows);
    QVERIFY(report->layout());
    const double lineHeight = report->definition().layouts[0].height;
    const int perPage = static_cast<int>(report->bodyHeight() / lineHeight);
    QCOMPARE(report->pageCount(), (200 + perPage - 1) / perPage);
    QCOMPARE(report->page(1).firstRow, qint64(perPage));
    QCOMPARE(rows.seeks, 0); // laid out without painting

    FixtureRows blocks{50, 0, 4};
    auto blockReport = fixtureReport(blocks);
    QVERIFY(blockReport->layout());
    const int blocksPerPage = static_cast<int>(blockReport->bodyHeight() / (4 * lineHeight));
    QCOMPARE(blockReport->page(0).rows, blocksPerPage);
    QCOMPARE(blockReport->page(1).firstRow, qint64(blocksPerPage));
}

void TestReport::pdfAndPrinterHaveThePreviewPageCount() {
    FixtureRows rows{200};
    auto report = fixtureReport(rows);
    QVERIFY(report->layout());
    const int pages = report->pageCount();
    QVERIFY(pages > 2);
    const QString pdf = dir_.filePath(QStringLiteral("lista.pdf"));
    QString error;
    QVERIFY2(exportReport(*report, ExportFormat::Pdf, pdf, &error), qPrintable(error));
    QCOMPARE(pdfPageCount(pdf), pages);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath(QStringLiteral("impressa.pdf")));
    QVERIFY(printReport(*report, printer, &error));
    QCOMPARE(pdfPageCount(printer.outputFileName()), pages);

    printer.setOutputFileName(dir_.filePath(QStringLiteral("intervalo.pdf")));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, pages + 5); // a range past the end stops at the last page
    QVERIFY(printReport(*report, printer, &error));
    QCOMPARE(pdfPageCount(printer.outputFileName()), pages - 1);
}

void TestReport::textExportAlignsTheColumns() {
    const QString path = exported(ExportFormat::Text, QStringLiteral("lista.txt"));
    // Código 0..11 right, Designação 12..45, Preço 47..58 right, Data 59..73.
    const QString expected =
        QStringLiteral("Tabela de Teste\n"
                       "Ord.Numérica\n"
                       "Empresa : Malhas Teste, Lda\n"
                       "\n"
                       "     Código Designação                               Preço Data\n") +
        QString(73, QLatin1Char('-')) +
        QStringLiteral("\n"
                       "          1 Fio de algodão                             2,5 05/03/2024\n"
                       "         12 Uma designação muito comprida que     1234,125 31/12/2024\n"
                       "         13 Sem preço nem data\n");
    QCOMPARE(readTextFile(path), expected);
}

void TestReport::xlsxKeepsNumbersAndDates() {
    const QString path = exported(ExportFormat::Xlsx, QStringLiteral("lista.xlsx"));
    const auto cells = readXlsxCells(path);
    QCOMPARE(cells.value(QStringLiteral("A1")).value, QStringLiteral("Tabela de Teste"));
    QCOMPARE(cells.value(QStringLiteral("A2")).value, QStringLiteral("Ord.Numérica"));
    QCOMPARE(cells.value(QStringLiteral("A3")).value, QStringLiteral("Empresa : Malhas Teste, Lda"));
    QCOMPARE(xlsxRow(cells, 5), (QStringList{"Código", "Designação", "Preço", "Data"}));
    const XlsxCell code = cells.value(QStringLiteral("A6"));
    QVERIFY(code.number);
    QCOMPARE(code.value, QStringLiteral("1"));
    QCOMPARE(cells.value(QStringLiteral("C7")).value, QStringLiteral("1234.125"));
    const XlsxCell date = cells.value(QStringLiteral("D6"));
    QVERIFY(date.number);
    QCOMPARE(date.value.toDouble(), 45356.0); // 2024-03-05 as a spreadsheet serial date
    QVERIFY(date.style > 0);
    QCOMPARE(cells.value(QStringLiteral("D7")).value.toDouble(), 45657.0);
    QVERIFY(!cells.value(QStringLiteral("B7")).number);
    QCOMPARE(xlsxRow(cells, 8), (QStringList{"13", "Sem preço nem data"}));
    QVERIFY(!cells.contains(QStringLiteral("A9")));
}

void TestReport::rtfHoldsATableRowPerLine() {
    const QString path = exported(ExportFormat::Rtf, QStringLiteral("lista.rtf"));
    const QString rtf = readTextFile(path);
    QVERIFY(rtf.startsWith(QStringLiteral("{\\rtf1")));
    QVERIFY(rtf.trimmed().endsWith(QLatin1Char('}')));
    QCOMPARE(rtf.count(QStringLiteral("\\row")), 4); // headings and three rows
    QVERIFY(rtf.contains(QStringLiteral("C\\u243?digo\\cell")));
    QVERIFY(rtf.contains(QStringLiteral("\\qr 2,5\\cell")));
    QCOMPARE(RtfSink::escape(QStringLiteral("a{b}\\")), QByteArray("a\\{b\\}\\\\"));
}

void TestReport::unwritableFileIsReportedAndNothingIsLost() {
    FixtureRows rows{3};
    auto report = fixtureReport(rows);
    QString error;
    const QString missingDir = dir_.filePath(QStringLiteral("nao/existe/lista"));
    for (ExportFormat f : {ExportFormat::Xlsx, ExportFormat::Rtf, ExportFormat::Text, ExportFormat::Pdf}) {
        error.clear();
        const QString path = missingDir + QLatin1Char('.') + extensionOf(f);
        QVERIFY(!exportReport(*report, f, path, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Não foi possível gravar o ficheiro ") + path),
                 qPrintable(error));
    }
    // A failed export leaves a file already there as it was.
    const QString kept = dir_.filePath(QStringLiteral("guardado.txt"));
    QFile f(kept);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("anterior");
    f.close();
    ReportDefinition bad = fixtureDefinition();
    bad.layouts[0].columns[1].x = 10;
    Report broken(bad, std::make_unique<CountingSource>(rows), fixtureInfo());
    QVERIFY(!exportReport(broken, ExportFormat::Text, kept, &error));
    QCOMPARE(readTextFile(kept), QStringLiteral("anterior"));
}

namespace {
// Two columns of numbers and dates and one of text, in memory.
class ListTable : public TableSource {
public:
    QStringList columnNames() const override { return {"NUMERO", "NOME", "DATA"}; }
    ValueKind columnKind(int c) const override {
        return c == 0 ? ValueKind::Number : c == 2 ? ValueKind::DateTime : ValueKind::Text;
    }
    bool rewind(QString*) override {
        row_ = 0;
        return true;
    }
    bool next(QVariantList* values) override {
        if (row_ >= 2)
            return false;
        *values = {row_ + 7, QStringLiteral("Linha %1").arg(row_),
                   QDateTime(QDate(2024, 1, 1), QTime(12, 0))};
        ++row_;
        return true;
    }

private:
    int row_ = 0;
};
} // namespace

void TestReport::spreadsheetRoutineWritesEveryColumn() {
    ListTable table;
    const QString path = dir_.filePath(QStringLiteral("tabela.xlsx"));
    QString error;
    QVERIFY2(exportSpreadsheet(table, path,
                               SheetHeader{"Consulta", "Malhas Teste, Lda", {"Ano 2024", "Série 1"}}, &error),
             qPrintable(error));
    const auto cells = readXlsxCells(path);
    QCOMPARE(xlsxRow(cells, 1), QStringList{"Consulta"});
    QCOMPARE(xlsxRow(cells, 2), QStringList{"Ano 2024"});
    QCOMPARE(xlsxRow(cells, 3), QStringList{"Série 1"});
    QCOMPARE(xlsxRow(cells, 4), QStringList{"Empresa : Malhas Teste, Lda"});
    QCOMPARE(xlsxRow(cells, 6), (QStringList{"NUMERO", "NOME", "DATA"}));
    QCOMPARE(xlsxRow(cells, 7), (QStringList{"7", "Linha 0", "45292.5"}));
    QVERIFY(cells.value(QStringLiteral("A8")).number);
    QVERIFY(cells.value(QStringLiteral("C8")).number);
    QVERIFY(!cells.contains(QStringLiteral("A9")));
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
