// The internal quotation report over the demo quotations, on both backends:
// its text export compared with checked-in files (one with three levels, one
// of level 1 only, one of a technical product record), one PDF page per
// quotation, the photograph, and the chart slices it leaves for the user.
#include "quotation/report/quotation_report.h"
#include "quotation/store/quotation_store.h"
#include "support/pdf_pages.h"
#include "support/test_site.h"
#include "support/text_file.h"

#include "components/report/exports.h"
#include "core/rounding.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane;
using namespace corvane::quotation;

namespace {

const QString kYear = QString::number(QDate::currentDate().year());

report::ReportInfo info() {
    return report::ReportInfo{QStringLiteral("Malhas Teste, Lda"),
                              QStringLiteral("Processado por computador"),
                              QDateTime(QDate(2026, 1, 5), QTime(9, 30))};
}

std::vector<QuotationPrint> read(TestSite& site, const QList<int>& numbers) {
    std::vector<QuotationPrint> out;
    for (int n : numbers) {
        QString error;
        const auto q = readQuotationPrint(site.program(), site.invoicing(), n, kYear, &error);
        if (!q)
            qWarning("%s", qPrintable(error));
        else
            out.push_back(*q);
    }
    return out;
}

// The text export; the demo's dates move with the day it was made.
QString textOf(std::vector<QuotationPrint> quotations, const QString& folder) {
    auto report = quotationReport(std::move(quotations), 2, info());
    const QString path = folder + QStringLiteral("/orcamento.txt");
    QString error;
    if (!report::exportReport(*report, report::ExportFormat::Text, path, &error))
        return QStringLiteral("error: ") + error;
    QString text = readTextFile(path);
    text.replace(QRegularExpression(QStringLiteral("\\d\\d/\\d\\d/\\d{4}")), QStringLiteral("dd/mm/aaaa"));
    return text;
}

QString expectedPath(const QString& name) {
    return qEnvironmentVariable("CORVANE_SOURCE_DIR") + QStringLiteral("/tests/quotation/expected/") + name;
}

} // namespace

class TestQuotationReport : public QObject {
    Q_OBJECT
private slots:
    void goldenTexts_data() { addBackendRows(); }
    // Three levels (1001), level 1 only (1002) and a technical product
    // record (1003) print as the checked-in files say.
    void goldenTexts() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        QTemporaryDir dir;
        for (int n : {1001, 1002, 1003}) {
            const QString name = QStringLiteral("orcamento-%1.txt").arg(n);
            const QString text = textOf(read(site, {n}), dir.path());
            if (qEnvironmentVariableIsSet("CORVANE_WRITE_EXPECTED")) {
                QFile f(expectedPath(name));
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(text.toUtf8());
            }
            QCOMPARE(text, readTextFile(expectedPath(name)));
        }
    }

    void valuesOfALevel_data() { addBackendRows(); }
    // The printed sums come from the stored totals; a level never quoted
    // prints zeros; the chart slices of level 1 are the printed ones.
    void valuesOfALevel() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        const std::vector<QuotationPrint> qs = read(site, {1001, 1002, 1003});
        QCOMPARE(int(qs.size()), 3);
        for (const QuotationPrint& q : qs) {
            const PrintedLevel p = printedLevel(q, 1);
            const QVariantMap& t = q.totals;
            QVERIFY(p.base > 0);
            QCOMPARE(p.base, roundTo(t["MATERIAIS1"].toDouble() + t["TRANSFORM1"].toDouble() +
                                         t["CUSTFIXOS1"].toDouble() + t["DESPERDIC1"].toDouble() +
                                         t["SUBCONT1"].toDouble() + t["EMBALAGEM1"].toDouble() +
                                         t["QUALIDADE1"].toDouble() + t["ESTRUTURA1"].toDouble(),
                                     2));
            // The order total is what the customer pays for the level, as
            // stored; margin, base and commercial cost are rounded each on
            // their own.
            QCOMPARE(p.orderTotal, roundTo(q.master["VALORCLI1"].toDouble(), 2));
            QVERIFY(qAbs(p.orderTotal - (p.margin + p.base + p.commercial)) < 0.03);
            const QList<ChartSlice> chart = printedChart(q);
            QCOMPARE(chart.size(), 3);
            QCOMPARE(chart[0].VALOR, roundTo(p.base, 2));
            QCOMPARE(chart[1].VALOR, roundTo(p.commercial, 2));
            QCOMPARE(chart[2].VALOR, roundTo(p.margin, 2));
        }
        const PrintedLevel second = printedLevel(qs[1], 2);
        QCOMPARE(second.base, 0.0);
        QCOMPARE(second.orderTotal, 0.0);
        QCOMPARE(second.marginPercent, 0.0);
        // The record prints its article from the records, without sheet data.
        QCOMPARE(qs[2].master["TIPOFT"].toString(), QStringLiteral("T"));
        QVERIFY(!qs[2].article.isEmpty());
        QVERIFY(qs[2].sheetKind.isEmpty() && qs[2].computerReference.isEmpty());
        QCOMPARE(sheetKindText(qs[0].sheetKind), QStringLiteral("Velisca Tricotado"));
        // The demo's photo folder and extension find the article's first photograph.
        QVERIFY(reportPhoto(qs[0]).endsWith(QStringLiteral("CHCLA01.PRE1.jpg")));
        QVERIFY(!QImage(reportPhoto(qs[0])).isNull());
        // A quotation that does not exist.
        QString error;
        QVERIFY(!readQuotationPrint(site.program(), site.invoicing(), 999999, kYear, &error));
        QCOMPARE(error, QStringLiteral("Registo não Existe 999999"));
    }

    // Each quotation on a page of its own, whatever the order of kinds.
    void onePagePerQuotation() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        QTemporaryDir dir;
        auto report = quotationReport(read(site, {1001, 1003, 1002}), 2, info());
        QString error;
        QVERIFY2(report->layout(&error), qPrintable(error));
        QCOMPARE(report->pageCount(), 3);
        const QString pdf = dir.path() + QStringLiteral("/orcamentos.pdf");
        QVERIFY2(report::exportReport(*report, report::ExportFormat::Pdf, pdf, &error), qPrintable(error));
        QCOMPARE(pdfPageCount(pdf), 3);
    }

    // Photo 1 of the article prints when its file exists; a missing file, an
    // unreadable one or a code that would leave the folder print none.
    void photograph() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        QTemporaryDir dir;
        std::vector<QuotationPrint> qs = read(site, {1001});
        QCOMPARE(int(qs.size()), 1);
        QuotationPrint& q = qs[0];
        q.photoFolder = dir.path() + QLatin1Char('/');
        q.photoExtension.clear();
        QCOMPARE(reportPhoto(q), QString());
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        const QString file = dir.path() + QLatin1Char('/') + q.articleCode() + QStringLiteral("1.bmp");
        QVERIFY(image.save(file, "BMP"));
        QCOMPARE(reportPhoto(q), file);
        // With a picture and nine classification lines it still fits its page.
        for (ClassificationLine& c : q.classification)
            c = ClassificationLine{QStringLiteral("Nível"), QStringLiteral("12"),
                                   QStringLiteral("Designação")};
        {
            auto full = quotationReport({q}, 2, info());
            const report::Block block = quotationBlock(q, file, 2);
            QVERIFY(full->definition().blockHeight(block) <= full->bodyHeight());
            QVERIFY(full->layout());
            QCOMPARE(full->pageCount(), 1);
        }
        q.master[QStringLiteral("ARTIGO")] = QStringLiteral("../") + q.articleCode();
        QCOMPARE(reportPhoto(q), QString());
        // A picture that cannot be read paints nothing and fails nothing.
        QFile broken(dir.path() + QStringLiteral("/BROKEN1.Bmp"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        q.master[QStringLiteral("ARTIGO")] = QStringLiteral("BROKEN");
        auto report = quotationReport({q}, 2, info());
        QString error;
        const QString pdf = dir.path() + QStringLiteral("/foto.pdf");
        QVERIFY2(report::exportReport(*report, report::ExportFormat::Pdf, pdf, &error), qPrintable(error));
        QCOMPARE(pdfPageCount(pdf), 1);
    }
};

QTEST_MAIN(TestQuotationReport)
#include "test_quotation_report.moc"
