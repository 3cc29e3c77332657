#include "support/signon_run.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

class TestUpgradeCheck : public QObject {
    Q_OBJECT
private slots:
    void licenceAndWorkstationChooseTheCheck_data() { addBackendRows(); }
    void licenceAndWorkstationChooseTheCheck() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        {
            SignOnRun run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
            QCOMPARE(run.logic->upgradePlan().infoFile, QStringLiteral("UCorvane.txt"));
            QVERIFY(run.logic->upgradePlan().allowed); // the demo user may upgrade
        }
        const struct {
            const char* licence;
            bool allowed;
        } cases[] = {{"'N'", false}, {"NULL", false}, {"''", false}, {"'s'", false}, {"'S'", true}};
        for (const auto& c : cases) {
            site.exec(site.program(),
                      QStringLiteral("UPDATE UTILIZADORES SET UPGRADE_LICENSE = %1 WHERE NRO = 'DEMO'")
                          .arg(c.licence));
            SignOnRun run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
            QVERIFY2(run.logic->upgradePlan().allowed == c.allowed, c.licence);
        }
        // Any other workstation type reads the other information file.
        QFile type(site.site().workstationTypeFile());
        QVERIFY(type.open(QIODevice::WriteOnly | QIODevice::Truncate));
        type.write("M\n");
        type.close();
        SignOnRun run(site);
        QCOMPARE(run.logic->upgradePlan().infoFile, QStringLiteral("UCorvane_MP.txt"));

        // The user gone by the time of the check: its message, and the end.
        site.exec(site.program(), QStringLiteral("DELETE FROM UTILIZADORES WHERE NRO = 'DEMO'"));
        MainMenuLogic::UpgradePlan plan;
        QVERIFY(!run.logic->TesteActualizacoes(&plan));
        QCOMPARE(run.view.messages.last(),
                 QStringLiteral("Utilizador Inexistente (Teste Actualização) : DEMO"));
        QCOMPARE(run.view.beeps, 1);
    }
};

QTEST_GUILESS_MAIN(TestUpgradeCheck)
#include "test_upgrade_check.moc"
