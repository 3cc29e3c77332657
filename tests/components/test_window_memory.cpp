// Window sizes and column widths kept per signed-on user.
#include "components/window_memory.h"

#include <QDialog>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace corvane::components;

namespace {

// A window "TCORVF001" with a grid "DBGrid1" of `columns` columns.
struct Window {
    QDialog dialog;
    QTableView* grid;
    QStandardItemModel model;
    explicit Window(int columns, const QStringList& titles = {}) : model(2, columns) {
        dialog.setObjectName(QStringLiteral("TCORVF001"));
        auto* layout = new QVBoxLayout(&dialog);
        grid = new QTableView(&dialog);
        grid->setObjectName(QStringLiteral("DBGrid1"));
        model.setHorizontalHeaderLabels(titles);
        grid->setModel(&model);
        layout->addWidget(grid);
        dialog.resize(400, 300);
    }
};

} // namespace

class TestWindowMemory : public QObject {
    Q_OBJECT
    QTemporaryDir settings_;

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }

    // Without the program's name (tests, tools) nothing is kept or read.
    void nothingKeptWithoutTheProgramsName() {
        QCoreApplication::setOrganizationName(QString());
        {
            Window w(3);
            w.dialog.resize(700, 500);
            rememberWindow(&w.dialog);
        }
        Window w(3);
        restoreWindow(&w.dialog);
        QCOMPARE(w.dialog.size(), QSize(400, 300));
        QVERIFY(QDir(settings_.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }

    // A user's size and widths come back to that user only; a grid whose
    // columns changed keeps its built widths.
    void keptPerUser() {
        QCoreApplication::setOrganizationName(QStringLiteral("CorvaneTeste"));
        setWindowUser(QStringLiteral("DEMO"));
        {
            Window w(3);
            w.dialog.resize(700, 500);
            w.grid->setColumnWidth(0, 50);
            w.grid->setColumnWidth(1, 260);
            rememberWindow(&w.dialog);
        }
        {
            Window w(3);
            restoreWindow(&w.dialog);
            QCOMPARE(w.dialog.size(), QSize(700, 500));
            QCOMPARE(w.grid->columnWidth(0), 50);
            QCOMPARE(w.grid->columnWidth(1), 260);
        }
        {
            Window w(4); // a column more since
            const int built = w.grid->columnWidth(1);
            restoreWindow(&w.dialog);
            QCOMPARE(w.dialog.size(), QSize(700, 500));
            QCOMPARE(w.grid->columnWidth(1), built);
        }
        setWindowUser(QStringLiteral("ANA"));
        {
            Window w(3);
            restoreWindow(&w.dialog);
            QCOMPARE(w.dialog.size(), QSize(400, 300));
        }
        setWindowUser(QString());
        QCoreApplication::setOrganizationName(QString());
    }

    // The designation takes the width beyond the columns'; without one, the
    // last column does.
    void designationStretches() {
        Window w(3, {QStringLiteral("Código"), QStringLiteral("Designação"), QStringLiteral("Preço €")});
        stretchDesignation(w.grid);
        QCOMPARE(w.grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
        QCOMPARE(w.grid->horizontalHeader()->sectionResizeMode(2), QHeaderView::Interactive);
        QVERIFY(!w.grid->horizontalHeader()->stretchLastSection());
        w.dialog.resize(900, 300);
        w.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.dialog));
        QVERIFY(w.grid->columnWidth(1) > w.grid->columnWidth(0) + w.grid->columnWidth(2));

        Window plain(2, {QStringLiteral("Código"), QStringLiteral("Preço €")});
        stretchDesignation(plain.grid);
        QVERIFY(plain.grid->horizontalHeader()->stretchLastSection());
    }
};

QTEST_MAIN(TestWindowMemory)
#include "test_window_memory.moc"
