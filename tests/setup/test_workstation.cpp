// A second workstation on the demo databases, for a second user at once.
#include "setup/workstation_setup.h"
#include "support/signon_run.h"

#include <QtTest>

using namespace corvane;

class TestWorkstation : public QObject {
    Q_OBJECT
private slots:
    // The new folder signs on as ANA on the same company, while the first
    // folder still signs on as DEMO; its files reach the same databases.
    void secondUserSignsOn_data() { addBackendRows(); }
    void secondUserSignsOn() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, QDate::currentDate(), setup::DemoCompany::New);
        REQUIRE_SITE(site);
        QTemporaryDir tmp;
        const QString folder = tmp.filePath(QStringLiteral("posto-ana"));
        setup::SiteBuilder builder(site.root(), std::nullopt, QString(), [](const QString&) {});
        QString error;
        QVERIFY2(builder.openSite(&error), qPrintable(error));
        builder.commit(); // the site is the test's: nothing of it is removed here
        QVERIFY2(setup::addWorkstation(builder,
                                       {folder, QStringLiteral("POSTO-ANA"), QStringLiteral("ANA"), 1},
                                       QDate::currentDate(), &error),
                 qPrintable(error));
        QCOMPARE(QFile(Site(folder).credentialsFile()).permissions() &
                     (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());
        {
            SignOnRun demo(site); // brings the new company to the program's version
            QCOMPARE(demo.outcome, shell::MainMenuLogic::Outcome::SignedOn);
            QCOMPARE(demo.ctx.UserCode, QStringLiteral("DEMO"));
        }
        {
            SignOnRun ana(site, folder);
            QCOMPARE(ana.view.messages, QStringList());
            QCOMPARE(ana.outcome, shell::MainMenuLogic::Outcome::SignedOn);
            QCOMPARE(ana.ctx.UserCode, QStringLiteral("ANA"));
            QCOMPARE(ana.ctx.WorkstationName, QStringLiteral("POSTO-ANA"));
            QCOMPARE(ana.ctx.CompanyNumber, 1);
            QCOMPARE(ana.ctx.SuperUserFlag, QStringLiteral("N"));
            QCOMPARE(ana.versionUpdates, 0); // the databases DEMO brought up to date
        }

        // Refused, and nothing made: the same name again, an unknown user, a
        // folder that is not empty.
        const QString other = tmp.filePath(QStringLiteral("outro"));
        QVERIFY(!setup::addWorkstation(builder,
                                       {other, QStringLiteral("POSTO-ANA"), QStringLiteral("DEMO"), 1},
                                       QDate::currentDate(), &error));
        QVERIFY2(error.contains(QStringLiteral("já existe")), qPrintable(error));
        QVERIFY(!QDir(other).exists());
        QVERIFY(!setup::addWorkstation(builder,
                                       {other, QStringLiteral("POSTO-RUI"), QStringLiteral("RUI"), 1},
                                       QDate::currentDate(), &error));
        QCOMPARE(error, QStringLiteral("Utilizador Inexistente : RUI (empresa 1)"));
        QVERIFY(!setup::addWorkstation(builder, {folder, QStringLiteral("POSTO-3"), QStringLiteral("ANA"), 1},
                                       QDate::currentDate(), &error));
        QVERIFY2(error.contains(QStringLiteral("não está vazia")), qPrintable(error));
        QVERIFY(QFile::exists(Site(folder).aliasFile()));
    }
};

QTEST_GUILESS_MAIN(TestWorkstation)
#include "test_workstation.moc"
