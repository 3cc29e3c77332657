#include "report_fixture.h"

#include "components/report/page_view.h"
#include "components/report/preview_window.h"

#include <QLabel>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane::report;

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void opensMaximisedAtThePageWidth();
    void pagesThroughTheReport();
    void largeReportPaintsOnlyTheShownPage();
    void emptyReportShowsNoPages();
    void savesInTheFormatOfTheEnding();
};

void TestPreview::opensMaximisedAtThePageWidth() {
    FixtureRows rows{20};
    PreviewWindow w(fixtureReport(rows));
    QVERIFY(w.prepare());
    QCOMPARE(w.windowTitle(), QStringLiteral("Teste"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    auto* scroll = w.findChild<QScrollArea*>();
    QVERIFY(scroll);
    const int available = scroll->viewport()->width();
    QVERIFY(w.pageView()->width() <= available);
    QVERIFY(w.pageView()->width() >= available - 40);
    QCOMPARE(w.pageView()->height(), qRound(w.pageView()->width() * 297.0 / 210.0));
    w.zoomIn();
    QVERIFY(w.pageView()->width() > available);
    w.fitWidth();
    QVERIFY(w.pageView()->width() <= available);
}

void TestPreview::pagesThroughTheReport() {
    FixtureRows rows{200};
    auto report = fixtureReport(rows);
    QVERIFY(report->layout());
    const int pages = report->pageCount();
    PreviewWindow w(std::move(report));
    QVERIFY(w.prepare());
    QCOMPARE(w.pageCount(), pages);
    auto* label = w.findChild<QLabel*>(QStringLiteral("LabelPagina"));
    QCOMPARE(label->text().trimmed(), QStringLiteral("Página 1 de %1").arg(pages));
    w.nextPage();
    QCOMPARE(w.currentPage(), 1);
    w.lastPage();
    QCOMPARE(w.currentPage(), pages - 1);
    w.nextPage(); // stays on the last page
    QCOMPARE(w.currentPage(), pages - 1);
    QCOMPARE(label->text().trimmed(), QStringLiteral("Página %1 de %1").arg(pages));
    w.firstPage();
    w.previousPage();
    QCOMPARE(w.currentPage(), 0);
}

void TestPreview::largeReportPaintsOnlyTheShownPage() {
    FixtureRows rows{10000};
    PreviewWindow w(fixtureReport(rows));
    QVERIFY(w.prepare());
    QVERIFY(w.pageCount() > 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.pageView()->paintCount() > 0);
    QCOMPARE(rows.seeks, w.pageView()->paintCount()); // one page read per paint, no more
    QVERIFY(rows.seeks < 5);
}

void TestPreview::emptyReportShowsNoPages() {
    FixtureRows rows{0};
    PreviewWindow w(fixtureReport(rows));
    QVERIFY(w.prepare());
    QCOMPARE(w.pageCount(), 0);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("LabelPagina"))->text().trimmed(),
             QStringLiteral("Página 0 de 0"));
    w.print(); // nothing to print: returns without a dialog
}

void TestPreview::savesInTheFormatOfTheEnding() {
    QTemporaryDir dir;
    FixtureRows rows{5};
    PreviewWindow w(fixtureReport(rows));
    QVERIFY(w.prepare());
    QString error;
    QVERIFY(!w.saveTo(dir.filePath(QStringLiteral("lista.doc")), &error));
    QVERIFY(error.startsWith(QStringLiteral("Tipo de ficheiro desconhecido")));
    for (const char* name : {"lista.xlsx", "lista.rtf", "lista.txt", "lista.pdf"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QVERIFY2(w.saveTo(path, &error), qPrintable(error));
        QVERIFY(QFileInfo(path).size() > 0);
    }
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
