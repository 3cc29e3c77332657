#include "components/upgrade/auto_upgrader.h"
#include "shell/ui/tfacfmenu.h"
#include "shell/ui/tupdate_error_form.h"
#include "support/http_server.h"
#include "support/menu_window.h"
#include "support/modal_closer.h"
#include "support/test_site.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCryptographicHash>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

namespace {
const QStringList kDispatched = {
    QStringLiteral("TAB000"),    QStringLiteral("TAB001"), QStringLiteral("TAB002"), QStringLiteral("TAB003"),
    QStringLiteral("TAB004"),    QStringLiteral("TAB005"), QStringLiteral("TAB006"), QStringLiteral("TAB007"),
    QStringLiteral("FICTEC001"), QStringLiteral("ORC002")};

struct Menu : MenuWindow {
    QStringList opened;

    // The entries only record that they were opened (the list is filled later).
    Menu(TestSite& site, bool withScreens)
        : MenuWindow(site, withScreens ? recorders(&opened) : ScreenTable{}) {}
    static ScreenTable recorders(QStringList* opened) {
        ScreenTable screens;
        for (const QString& entry : kDispatched)
            screens.insert(entry, [opened, entry](TFACFMENU&) { *opened << entry; });
        return screens;
    }
    QAction* action(const QString& name) { return window->findChild<QAction*>(name); }
    QToolButton* button(const QString& name) { return window->findChild<QToolButton*>(name); }
};
} // namespace

class TestMainMenuScreen : public QObject {
    Q_OBJECT
private slots:
    void entriesFollowTheUsersRights() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        {
            Menu menu(site, true);
            QVERIFY(menu.show());
            QCOMPARE(menu.window->windowTitle(), QStringLiteral("Corvane e Gorros"));
            QCOMPARE(menu.button(QStringLiteral("BotPassord"))->text(), QStringLiteral("DEMO"));
            QCOMPARE(menu.window->findChild<QLabel*>(QStringLiteral("Label_Computador"))->text(),
                     site.workstation());
            QCOMPARE(menu.window->findChild<QLineEdit*>(QStringLiteral("Edit_EmpNom"))->text(),
                     QStringLiteral("Malhas e Tecidos do Vale, Lda."));
            // The demo user: everything but the approval of quotations.
            for (const QString& entry : kDispatched)
                QVERIFY2(menu.action(entry)->isEnabled(), qPrintable(entry));
            QVERIFY(menu.action(QStringLiteral("ORC001"))->isEnabled());
            QVERIFY(menu.action(QStringLiteral("ORC004"))->isEnabled());
            QVERIFY(!menu.action(QStringLiteral("ORC003"))->isEnabled());
            QVERIFY(!menu.button(QStringLiteral("BotAprova"))->isEnabled());
            QVERIFY(menu.action(QStringLiteral("FICTEC002"))->isEnabled());
            // The demo user may upgrade: "Actualizar" is there.
            QVERIFY(menu.button(QStringLiteral("BotBusca"))->isVisibleTo(menu.window.get()));

            // Entry and button open the same screen.
            menu.action(QStringLiteral("TAB004"))->trigger();
            menu.button(QStringLiteral("BotTab004"))->click();
            menu.button(QStringLiteral("BotOrcam"))->click();
            QCOMPARE(menu.opened, (QStringList{QStringLiteral("TAB004"), QStringLiteral("TAB004"),
                                               QStringLiteral("ORC002")}));

            // A day of another year turns the calendar panel red.
            auto* calendar = menu.window->findChild<QCalendarWidget*>(QStringLiteral("Edit_Data"));
            auto* panel = menu.window->findChild<QFrame*>(QStringLiteral("PanelData"));
            calendar->setSelectedDate(QDate(QDate::currentDate().year() - 1, 6, 15));
            menu.window->Edit_DataChange();
            QCOMPARE(panel->palette().color(QPalette::Window), QColor(Qt::red));
            QCOMPARE(menu.window->context().WorkingYear, QString::number(QDate::currentDate().year() - 1));
            calendar->setSelectedDate(QDate::currentDate());
            menu.window->Edit_DataChange();
            QCOMPARE(panel->palette().color(QPalette::Window), QColor(175, 202, 228));

            menu.window->close();
            QCOMPARE(menu.window->exitCode(), 0);
        }
        QCOMPARE(site.program().scalar(QStringLiteral("SELECT COUNT(*) FROM PARAMTMP"))->toInt(), 0);

        // Ana may read the tables but not approve; the version is already recorded.
        site.exec(site.general(), QStringLiteral("UPDATE PARAMUTIL SET UTIL = 'ANA', PASSWOR = 'ANA2026'"));
        site.exec(site.program(),
                  QStringLiteral("UPDATE APLICACAODET SET ACEDER = 'N' WHERE UTIL = 'ANA' AND "
                                 "PROGRAMA IN ('Maquinas', 'Emissao Orcamento Cliente')"));
        Menu ana(site, true);
        QVERIFY(ana.show());
        QCOMPARE(ana.button(QStringLiteral("BotPassord"))->text(), QStringLiteral("ANA"));
        QVERIFY(!ana.action(QStringLiteral("TAB004"))->isEnabled());
        QVERIFY(!ana.button(QStringLiteral("BotTab004"))->isEnabled());
        QVERIFY(!ana.action(QStringLiteral("ORC001"))->isEnabled());
        QVERIFY(!ana.button(QStringLiteral("BotPropostaCli"))->isEnabled());
        QVERIFY(ana.action(QStringLiteral("TAB001"))->isEnabled());
        QVERIFY(ana.action(QStringLiteral("FICTEC001"))->isEnabled());
        QVERIFY(!ana.button(QStringLiteral("BotBusca"))->isVisibleTo(ana.window.get()));
    }

    // Alt and a letter opens one menu of the bar, and one entry of a menu.
    void mnemonicsAreUnique() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site, true);
        QVERIFY(menu.show());
        const auto unique = [](const QList<QAction*>& actions) {
            QHash<QChar, QString> seen;
            QStringList clashes;
            for (QAction* a : actions) {
                const QChar letter = mnemonicOf(a->text());
                if (letter.isNull())
                    continue;
                if (seen.contains(letter))
                    clashes << seen.value(letter) + QStringLiteral(" / ") + a->text();
                seen.insert(letter, a->text());
            }
            return clashes;
        };
        const QList<QAction*> bar = menu.window->menuBar()->actions();
        QVERIFY(bar.size() >= 5);
        QStringList clashes = unique(bar);
        for (QAction* top : bar)
            if (top->menu())
                clashes << unique(top->menu()->actions());
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral(", "))));
    }

    void entriesWithoutScreenAreDisabledWithAHint() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site, false);
        QVERIFY(menu.show());
        for (const QString& entry : kDispatched) {
            QVERIFY2(!menu.action(entry)->isEnabled(), qPrintable(entry));
            QVERIFY(menu.action(entry)->toolTip().contains(QStringLiteral("ainda não disponível")));
        }
        QVERIFY(!menu.button(QStringLiteral("BotTab001"))->isEnabled());
        QVERIFY(menu.action(QStringLiteral("ORC004"))->isEnabled()); // an entry without action, by rights
    }

    void updateErrorDialogAnswers() {
        TUpdateErrorForm form;
        db::UpdateFailure f;
        f.kind = db::UpdateKind::Modified;
        f.error = QStringLiteral("violação da chave primária");
        f.fields = {QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")};
        f.newValues = {7, QStringLiteral("Novo")};
        f.oldValues = {5, QStringLiteral("Antigo")};
        QCOMPARE(form.windowTitle(), QStringLiteral("Erro de actualização no Servidor"));
        auto click = [&](const QString& name) {
            QTimer::singleShot(0, &form, [&form, name] { form.findChild<QPushButton*>(name)->click(); });
        };
        click(QStringLiteral("RetryButton"));
        QCOMPARE(form.ask(f), db::UpdateAction::Retry);
        auto* grid = form.findChild<QTableWidget*>(QStringLiteral("UpdateData"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("New Value"));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("Novo"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("Antigo"));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("UpdateType"))->text(), QStringLiteral("Modified"));
        QCOMPARE(form.findChild<QPlainTextEdit*>(QStringLiteral("ErrorText"))->toPlainText(), f.error);
        click(QStringLiteral("SkipButton"));
        QCOMPARE(form.handler()(f), db::UpdateAction::Skip);
        QTimer::singleShot(0, &form, [&form] { form.reject(); }); // closed any other way
        QCOMPARE(form.ask(f), db::UpdateAction::Abort);
        f.kind = db::UpdateKind::Deleted;
        form.fill(f);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("UpdateType"))->text(), QStringLiteral("Deleted"));
    }

    // "Actualizar" while the check at start still runs is refused with a
    // word, and the start check's outcome is not shown as if asked for.
    void askedForCheckWhileTheStartCheckRuns() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        TestHttpServer server;
        QVERIFY(server.start());
        const QByteArray setup = "#!/bin/sh\n";
        const QByteArray info = "version=01.009\nsetup=SetupCorvane.exe\nsha256=" +
                                QCryptographicHash::hash(setup, QCryptographicHash::Sha256).toHex() + "\n";
        server.answers.insert(QStringLiteral("/UCorvane.txt"), {200, info, 1500});
        {
            QSettings settings(site.site().upgradeSettingsFile(), QSettings::IniFormat);
            settings.setValue(QStringLiteral("location"), server.base());
        }
        ModalCloser closer;
        Menu menu(site, true);
        QSignalSpy current(&menu.window->upgrader(), &components::TauAutoUpgrader::upToDate);
        QVERIFY(menu.show());
        QVERIFY(menu.window->upgrader().busy());
        menu.button(QStringLiteral("BotBusca"))->click();
        QCOMPARE(closer.texts,
                 QStringList{QStringLiteral("Já está a decorrer uma procura de actualizações. Tente "
                                            "de novo dentro de momentos.")});
        QVERIFY(current.wait(10000));
        QTest::qWait(100);
        QCOMPARE(closer.texts.size(), 1);
        QCOMPARE(server.requested.size(), 1);

        // Once it ended, a check the user asks for says how it ended.
        server.answers[QStringLiteral("/UCorvane.txt")].delayMs = 0;
        menu.button(QStringLiteral("BotBusca"))->click();
        QVERIFY(current.wait(10000));
        QTRY_COMPARE(closer.texts.size(), 2);
        QCOMPARE(closer.texts.last(),
                 QStringLiteral("O programa está actualizado (versão publicada 01.009)."));
    }
};

QTEST_MAIN(TestMainMenuScreen)
#include "test_main_menu_screen.moc"
