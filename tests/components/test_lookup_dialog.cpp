#include "components/grid_delegate.h"
#include "components/lookup_dialog.h"
#include "db/dataset.h"
#include "support/test_site.h"

#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using namespace corvane;
using components::LookupColumn;
using components::LookupDialog;
using db::Dataset;

namespace {

const QList<LookupColumn> kColumns{{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                                   {QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")}};

// A plain VARCHAR column: any order without regard to case comes from the lookup.
void createArticles(TestSite& site, const QStringList& names) {
    db::Database& db = site.program();
    site.exec(db,
              QStringLiteral("CREATE TABLE ARTIGOS_LK (CODIGO INTEGER NOT NULL, DESIGNACAO VARCHAR(40))"));
    QString error;
    QVERIFY(db.beginTransaction(&error));
    for (int i = 0; i < names.size(); ++i)
        site.exec(db, QStringLiteral("INSERT INTO ARTIGOS_LK (CODIGO, DESIGNACAO) VALUES (:C, :D)"),
                  {{QStringLiteral("C"), i + 1}, {QStringLiteral("D"), names[i]}});
    QVERIFY(db.commit(&error));
}

QStringList numbered(int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("Item %1").arg(i, 3, 10, QLatin1Char('0'));
    return names;
}

// The articles in code order, read 20 rows a page.
Dataset articlesByCode(TestSite& site) {
    Dataset ds(site.program(), QStringLiteral("ARTIGOS_LK"),
               QStringLiteral("Select * From ARTIGOS_LK Order By CODIGO"), QStringLiteral("ARTIGOS_LK"),
               {QStringLiteral("CODIGO")});
    ds.setPageSize(20);
    return ds;
}

QString gridText(LookupDialog& dialog, int line, int column) {
    auto* grid = dialog.findChild<QTableView*>(QStringLiteral("Grid"));
    return grid->model()->data(grid->model()->index(line, column), Qt::DisplayRole).toString();
}

int gridLine(LookupDialog& dialog) {
    return dialog.findChild<QTableView*>(QStringLiteral("Grid"))->currentIndex().row();
}

} // namespace

class TestLookupDialog : public QObject {
    Q_OBJECT
private slots:
    // Dates in a grid read as the users write them, however the driver gives
    // them; text that merely starts with digits stays as it is.
    void gridTexts() {
        using components::GridDelegate;
        QCOMPARE(GridDelegate::textOf(QDateTime(QDate(2026, 3, 5), QTime(0, 0))),
                 QStringLiteral("05/03/2026"));
        QCOMPARE(GridDelegate::textOf(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
        QCOMPARE(GridDelegate::textOf(QStringLiteral("2026-03-05T00:00:00")), QStringLiteral("05/03/2026"));
        QCOMPARE(GridDelegate::textOf(QStringLiteral("2026-03-05 14:20:00")),
                 QStringLiteral("05/03/2026 14:20"));
        QCOMPARE(GridDelegate::textOf(QStringLiteral("2026-03-05")), QStringLiteral("05/03/2026"));
        QCOMPARE(GridDelegate::textOf(QStringLiteral("2026-03-05 lote")), QStringLiteral("2026-03-05 lote"));
        QCOMPARE(GridDelegate::textOf(QStringLiteral("SILVA & FILHOS")), QStringLiteral("SILVA & FILHOS"));
        QCOMPARE(GridDelegate::textOf(QStringLiteral("2026-02-31")), QStringLiteral("2026-02-31"));
    }

    void typingFindsARowBeyondTheFirstPage_data() { addBackendRows(); }
    void typingFindsARowBeyondTheFirstPage() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createArticles(site, numbered(600));
        Dataset ds = articlesByCode(site);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));

        LookupDialog dialog(ds, kColumns, QStringLiteral("DESIGNACAO"), false, nullptr, true);
        QCOMPARE(dialog.objectName(), QStringLiteral("Localizar"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Localizar"));
        auto* input = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
        QVERIFY(input);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(ds.rowCount(), 20); // the list opened on the rows already read
        QCOMPARE(dialog.currentDatasetRow(), 0);

        // The arrows in the search input move in the grid.
        QTest::keyClick(input, Qt::Key_Down);
        QTest::keyClick(input, Qt::Key_Down);
        QCOMPARE(dialog.currentDatasetRow(), 2);
        QTest::keyClick(input, Qt::Key_Up);
        QCOMPARE(dialog.currentDatasetRow(), 1);
        QTest::keyClick(input, Qt::Key_PageDown);
        QVERIFY(dialog.currentDatasetRow() > 2);

        // Numeric order searches the first column, by seeking the codes: the
        // list starts again at the code, the rows before it are not read.
        auto code = [&] { return ds.value(dialog.currentDatasetRow(), QStringLiteral("CODIGO")).toInt(); };
        QTest::keyClicks(input, QStringLiteral("45"));
        QCOMPARE(code(), 45);
        QTest::keyClick(input, Qt::Key_7);
        QCOMPARE(code(), 457);
        QCOMPARE(gridText(dialog, gridLine(dialog), 1), QStringLiteral("Item 457"));
        QVERIFY(ds.rowCount() < 100);
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")),
                 QStringLiteral("Item 457"));
        // No code 601 nor 6010..6019 among 1..600; none begins with "0".
        QVERIFY(dialog.search(QStringLiteral("61")));
        QCOMPARE(code(), 61);
        QVERIFY(!dialog.search(QStringLiteral("601")));
        QCOMPARE(code(), 61);
        QVERIFY(!dialog.search(QStringLiteral("0")));

        // Trimmed; a text nothing starts with leaves the cursor where it was.
        QVERIFY(dialog.search(QStringLiteral(" 599 ")));
        QCOMPARE(code(), 599);
        QVERIFY(!dialog.search(QStringLiteral("6010")));
        QCOMPARE(code(), 599);
        // Codes of more digits than typed: the gaps are seeked, not read.
        site.exec(site.program(), QStringLiteral("DELETE FROM ARTIGOS_LK WHERE CODIGO BETWEEN 7 AND 75"));
        QVERIFY(ds.reopen(&error));
        QVERIFY(dialog.search(QStringLiteral("7")));
        QCOMPARE(code(), 76);
        QVERIFY(!dialog.search(QStringLiteral("  ")));

        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void typingSeeksText_data() { addBackendRows(); }
    // A list read by key in the order of a text column: typing seeks the text
    // instead of reading the rows up to it; the rows above come back when
    // the grid goes up; a text no row starts with leaves the list on its line.
    void typingSeeksText() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createArticles(site, numbered(600));
        Dataset ds(site.program(), QStringLiteral("ARTIGOS_LK"),
                   QStringLiteral("Select * From ARTIGOS_LK Order By DESIGNACAO"),
                   QStringLiteral("ARTIGOS_LK"), {QStringLiteral("CODIGO")});
        ds.setPageSize(20);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        const QList<LookupColumn> columns{{QStringLiteral("DESIGNACAO"), QStringLiteral("Designação")},
                                          {QStringLiteral("CODIGO"), QStringLiteral("Código")}};
        LookupDialog dialog(ds, columns, QStringLiteral("DESIGNACAO"), false, nullptr, true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* input = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
        QTest::keyClicks(input, QStringLiteral("item 45"));
        QCoreApplication::processEvents();
        const int row = dialog.currentDatasetRow();
        QCOMPARE(ds.text(row, QStringLiteral("DESIGNACAO")), QStringLiteral("Item 450"));
        QVERIFY2(ds.rowCount() <= 60, qPrintable(QString::number(ds.rowCount()))); // no read-through
        QVERIFY(dialog.search(QStringLiteral("Item 599")));
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("CODIGO")), QStringLiteral("599"));
        QVERIFY(!dialog.search(QStringLiteral("Xyz")));
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")),
                 QStringLiteral("Item 599"));
        // Up from the first row read brings the rows above.
        QVERIFY(dialog.search(QStringLiteral("Item 300")));
        for (int i = 0; i < 25; ++i)
            QTest::keyClick(input, Qt::Key_Up);
        QCoreApplication::processEvents();
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")),
                 QStringLiteral("Item 275"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("CODIGO")), QStringLiteral("275"));

        // A dataset the caller shows elsewhere is not sought: read up to the row.
        QVERIFY(ds.reopen(&error));
        LookupDialog shared(ds, columns, QStringLiteral("DESIGNACAO"), false);
        QVERIFY(shared.search(QStringLiteral("item 450")));
        QCOMPARE(shared.currentDatasetRow(), 449);
        QCOMPARE(ds.text(0, QStringLiteral("DESIGNACAO")), QStringLiteral("Item 001"));
    }

    void chooseReturnsTheRowTypedFor_data() { addBackendRows(); }
    void chooseReturnsTheRowTypedFor() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createArticles(site, numbered(300));
        Dataset ds = articlesByCode(site);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));

        bool typed = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<LookupDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
            QTest::keyClicks(input, QStringLiteral("250"));
            typed = true;
            QTest::keyClick(input, Qt::Key_Enter);
        });
        const int row =
            LookupDialog::choose(nullptr, ds, kColumns, QStringLiteral("DESIGNACAO"), false, true);
        QVERIFY(typed);
        QCOMPARE(ds.text(row, QStringLiteral("CODIGO")), QStringLiteral("250"));
        QCOMPARE(ds.text(row, QStringLiteral("DESIGNACAO")), QStringLiteral("Item 250"));

        // Esc leaves without a row.
        QTimer::singleShot(0, this, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("Edit_Procura")),
                                Qt::Key_Escape);
        });
        QCOMPARE(LookupDialog::choose(nullptr, ds, kColumns, QStringLiteral("DESIGNACAO"), false), -1);

        // A double click chooses the line under the pointer.
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<LookupDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* grid = dialog->findChild<QTableView*>(QStringLiteral("Grid"));
            const QPoint at = grid->visualRect(grid->model()->index(3, 1)).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        });
        QCOMPARE(LookupDialog::choose(nullptr, ds, kColumns, QStringLiteral("DESIGNACAO"), false), 3);
    }

    void alphabeticalOrderIgnoresCase_data() { addBackendRows(); }
    void alphabeticalOrderIgnoresCase() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        // The named rows come after the numbered ones in the table's order,
        // beyond the first page.
        QStringList names = numbered(200);
        names << QStringLiteral("delta") << QStringLiteral("CHARLIE") << QStringLiteral("zulu")
              << QStringLiteral("Beta") << QStringLiteral("alfa");
        createArticles(site, names);
        Dataset ds(
            site.program(), QStringLiteral("ARTIGOS_LK"),
            QStringLiteral("Select CODIGO, DESIGNACAO From ARTIGOS_LK Where CODIGO <= :WAte Order By CODIGO"),
            QStringLiteral("ARTIGOS_LK"), {QStringLiteral("CODIGO")});
        ds.setParam(QStringLiteral("WAte"), 205);
        ds.setPageSize(20);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));

        LookupDialog dialog(ds, kColumns, QStringLiteral("DESIGNACAO"), true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList first;
        for (int line = 0; line < 5; ++line)
            first << gridText(dialog, line, 1);
        QCOMPARE(first.join(QLatin1Char(',')), QStringLiteral("alfa,Beta,CHARLIE,delta,Item 001"));
        QCOMPARE(ds.rowCount(), 20); // the dataset given was not read to its end to sort it

        // The first line is a row of the dataset given, found there.
        QCOMPARE(dialog.currentDatasetRow(), 204);
        QCOMPARE(ds.text(204, QStringLiteral("DESIGNACAO")), QStringLiteral("alfa"));

        // Typing searches the alphabetical column, without regard to case.
        auto* input = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
        QTest::keyClicks(input, QStringLiteral("char"));
        QCOMPARE(gridText(dialog, gridLine(dialog), 1), QStringLiteral("CHARLIE"));
        QCOMPARE(dialog.currentDatasetRow(), 201);
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")),
                 QStringLiteral("CHARLIE"));
        QVERIFY(dialog.search(QStringLiteral("ZU")));
        QCOMPARE(gridText(dialog, gridLine(dialog), 1), QStringLiteral("zulu"));
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")), QStringLiteral("zulu"));
        QVERIFY(dialog.search(QStringLiteral("item 150")));
        QCOMPARE(gridText(dialog, gridLine(dialog), 1), QStringLiteral("Item 150"));
        QCOMPARE(dialog.currentDatasetRow(), 149);

        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<LookupDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
            QTest::keyClicks(input, QStringLiteral("b"));
            QTest::keyClick(input, Qt::Key_Return);
        });
        const int row = LookupDialog::choose(nullptr, ds, kColumns, QStringLiteral("DESIGNACAO"), true);
        QCOMPARE(row, 203);
        QCOMPARE(ds.text(row, QStringLiteral("DESIGNACAO")), QStringLiteral("Beta"));
    }

    void enterWithoutRowsChoosesNothing_data() { addBackendRows(); }
    void enterWithoutRowsChoosesNothing() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createArticles(site, {});
        Dataset ds = articlesByCode(site);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));

        for (const bool alphabetical : {false, true}) {
            bool stillOpen = false;
            QTimer::singleShot(0, this, [&] {
                QWidget* dialog = QApplication::activeModalWidget();
                if (!dialog)
                    return;
                auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("Edit_Procura"));
                QTest::keyClicks(input, QStringLiteral("1"));
                QTest::keyClick(input, Qt::Key_Return);
                stillOpen = dialog->isVisible();
                QTest::keyClick(input, Qt::Key_Escape);
            });
            QCOMPARE(LookupDialog::choose(nullptr, ds, kColumns, QStringLiteral("DESIGNACAO"), alphabetical),
                     -1);
            QVERIFY(stillOpen);
        }

        LookupDialog dialog(ds, kColumns, QStringLiteral("DESIGNACAO"), true);
        QCOMPARE(dialog.currentDatasetRow(), -1);
        QVERIFY(!dialog.search(QStringLiteral("a")));
    }
};

QTEST_MAIN(TestLookupDialog)
#include "test_lookup_dialog.moc"
