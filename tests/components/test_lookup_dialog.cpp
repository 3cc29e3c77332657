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

        LookupDialog dialog(ds, kColumns, QStringLiteral("DESIGNACAO"), false);
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

        // Numeric order searches the first column.
        QTest::keyClicks(input, QStringLiteral("45"));
        QCOMPARE(dialog.currentDatasetRow(), 44);
        QTest::keyClick(input, Qt::Key_7);
        QCOMPARE(dialog.currentDatasetRow(), 456);
        QCOMPARE(gridText(dialog, gridLine(dialog), 1), QStringLiteral("Item 457"));
        QVERIFY(ds.rowCount() > 456);
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")),
                 QStringLiteral("Item 457"));

        // Trimmed; a text nothing starts with leaves the cursor where it was.
        QVERIFY(dialog.search(QStringLiteral(" 599 ")));
        QCOMPARE(dialog.currentDatasetRow(), 598);
        QVERIFY(!dialog.search(QStringLiteral("601")));
        QCOMPARE(dialog.currentDatasetRow(), 598);
        QVERIFY(!dialog.search(QStringLiteral("  ")));

        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
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
        const int row = LookupDialog::choose(nullptr, ds, kColumns, QStringLiteral("DESIGNACAO"), false);
        QVERIFY(typed);
        QCOMPARE(row, 249);
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
        QCOMPARE(gridLine(dialog), 2);
        QCOMPARE(dialog.currentDatasetRow(), 201);
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")),
                 QStringLiteral("CHARLIE"));
        QVERIFY(dialog.search(QStringLiteral("ZU")));
        QCOMPARE(gridLine(dialog), 204);
        QCOMPARE(ds.text(dialog.currentDatasetRow(), QStringLiteral("DESIGNACAO")), QStringLiteral("zulu"));
        QVERIFY(dialog.search(QStringLiteral("item 150")));
        QCOMPARE(gridLine(dialog), 153);
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
