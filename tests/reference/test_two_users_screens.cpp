// Two users on the cost types at once, and a user who may only read them.
#include "reference/screens/table_screen_configs.h"
#include "screen_fixture.h"
#include "screens/table_screen.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::reference;
using namespace corvane::screens;

namespace {

// The second user: another connection, with its own dataset and view.
struct SecondUser {
    std::unique_ptr<db::Database> db;
    std::unique_ptr<db::Dataset> costTypes;
    RecordingView view;
    std::unique_ptr<TableScreen> screen;
    explicit SecondUser(TestSite& site) : db(site.connectProgram()) {
        if (!db)
            return;
        costTypes = std::make_unique<db::Dataset>(
            *db, QStringLiteral("TIPOCUSTO"), QStringLiteral("Select * From TIPOCUSTO ORDER BY CODIGO"),
            QStringLiteral("TIPOCUSTO"), QStringList{QStringLiteral("CODIGO")});
        screen = std::make_unique<TableScreen>(costTypesScreen(), *costTypes, view);
    }
};

void showCode(TableScreen& s, int code) {
    s.setCurrentRow(s.dataset().locate(QStringLiteral("CODIGO"), code));
}

// Both users on the cost types, each with every right, on the same code.
struct BothOnOneCode {
    ScreenFixture f;
    SecondUser b;
    std::unique_ptr<TableScreen> a;
    BothOnOneCode(const QString& backend, int code) : f(backend), b(f.site) {
        if (!f.ready() || !b.screen)
            return;
        a = std::make_unique<TableScreen>(costTypesScreen(), f.corvane().TIPOCUSTO, f.view);
        for (TableScreen* s : {a.get(), b.screen.get()}) {
            s->activate(allRights(), {});
            s->gridEnter();
            showCode(*s, code);
        }
    }
    bool ready() const { return a != nullptr; }
};

} // namespace

class TestTwoUsersScreens : public QObject {
    Q_OBJECT
private slots:
    void sameCostTypeChangedByTwo_data() { addBackendRows(); }
    void sameCostTypeChangedByTwo() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        BothOnOneCode both(backend, 1);
        QVERIFY2(both.ready(), qPrintable(both.f.site.error()));
        ScreenFixture& f = both.f;
        SecondUser& b = both.b;
        TableScreen& a = *both.a;

        // Both start editing; A's change of the waste and B's of the name both stay.
        a.gridExit();
        b.screen->gridExit();
        QVERIFY(a.fieldExit(QStringLiteral("DESPERD"), QStringLiteral("2,5")));
        QVERIFY(b.screen->fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Fios de B")));
        QVERIFY(a.gridEnter());
        QVERIFY(b.screen->gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT DESPERD FROM TIPOCUSTO WHERE CODIGO = 1")).toDouble(), 2.5);
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 1")).toString(),
                 QStringLiteral("Fios de B"));

        // Editing starts from what is stored now, not from the list read before.
        a.gridExit();
        QCOMPARE(a.fieldText(QStringLiteral("DESIGNACAO")), QStringLiteral("Fios de B"));

        // The same column: B saves first, A is refused and nothing of A's goes in.
        b.screen->gridExit();
        QVERIFY(b.screen->fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Fios (B)")));
        QVERIFY(a.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Fios (A)")));
        QVERIFY(b.screen->gridEnter());
        QVERIFY(!a.gridEnter());
        QVERIFY(f.view.messages.contains(db::kChangedByOther));
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 1")).toString(),
                 QStringLiteral("Fios (B)"));
        // A keeps the entry; going back to the grid again writes it over B's.
        QCOMPARE(a.fieldText(QStringLiteral("DESIGNACAO")), QStringLiteral("Fios (A)"));
        QVERIFY(a.gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 1")).toString(),
                 QStringLiteral("Fios (A)"));
    }

    void rowDeletedByTheOtherUser_data() { addBackendRows(); }
    void rowDeletedByTheOtherUser() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        BothOnOneCode both(backend, 2);
        QVERIFY2(both.ready(), qPrintable(both.f.site.error()));
        ScreenFixture& f = both.f;
        SecondUser& b = both.b;
        TableScreen& a = *both.a;
        a.gridExit();
        QVERIFY(a.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Malha")));
        b.view.answers = {true};
        QVERIFY(b.screen->remove());
        // A's change of a deleted row is refused, and A may drop it.
        QVERIFY(!a.gridEnter());
        QVERIFY(f.view.messages.contains(db::kDeletedByOther));
        a.cancel(); // the focus goes back to the grid
        QVERIFY(a.gridEnter());
        QVERIFY(!a.editing());
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM TIPOCUSTO WHERE CODIGO = 2")).toInt(), 0);
        QCOMPARE(a.dataset().locate(QStringLiteral("CODIGO"), 2), -1);

        // B deleted code 3 after A read the list: A cannot start editing it.
        showCode(a, 3);
        QVERIFY(b.screen->gridEnter());
        showCode(*b.screen, 3);
        QVERIFY(b.screen->remove());
        a.gridExit();
        QVERIFY(!a.editing());
        QCOMPARE(f.view.messages.last(), db::kDeletedByOther);
    }

    void readOnlyUserWritesNothing_data() { addBackendRows(); }
    void readOnlyUserWritesNothing() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        // ANA's rights on the cost types, as the demo site keeps them.
        const TableScreenConfig config = costTypesScreen();
        const shell::AccessRights ana =
            shell::ReadAcessosUtil(f.modules().empresas->APLICACAODET, QStringLiteral("CORVANE"),
                                   config.chapter, config.program, QStringLiteral("ANA"));
        QCOMPARE(ana.ACEDER, QStringLiteral("S"));
        QCOMPARE(ana.ALTERAR, QStringLiteral("N"));
        TableScreen s(config, f.corvane().TIPOCUSTO, f.view);
        QVERIFY(s.activate(ana, {}) && s.gridEnter());
        showCode(s, 1);
        const QString before = s.fieldText(QStringLiteral("DESIGNACAO"));
        s.gridExit();
        QVERIFY(s.inputsReadOnly());
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("FiosX")));
        QVERIFY(s.gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 1")).toString(),
                 before);
        const int rows = s.dataset().rowCount();
        s.insert();
        QVERIFY(!s.inserting());
        QCOMPARE(f.view.messages.last(), db::notAllowedText(db::UpdateKind::Inserted));
        QVERIFY(!s.remove());
        QCOMPARE(f.view.messages.last(), db::notAllowedText(db::UpdateKind::Deleted));
        QCOMPARE(s.dataset().rowCount(), rows);

        // A window that wrote into the dataset behind the screen's back gets nowhere.
        s.dataset().setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("FiosX"));
        QString error;
        QVERIFY(!s.dataset().applyUpdates({}, &error));
        QCOMPARE(error, db::notAllowedText(db::UpdateKind::Modified));
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 1")).toString(),
                 before);
    }
};

QTEST_GUILESS_MAIN(TestTwoUsersScreens)
#include "test_two_users_screens.moc"
