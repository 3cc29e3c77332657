#include "shell/ui/tgerfversao.h"
#include "support/signon_run.h"

#include <QLabel>
#include <QStatusBar>
#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

class TestTGERFVERSAO : public QObject {
    Q_OBJECT
private slots:
    void runsTheStepsWhenShown_data() { addBackendRows(); }
    void runsTheStepsWhenShown() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        const QDate today(2026, 5, 4);
        TestSite site(backend, today, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        TDTVERSAO versao(site.program());
        WorkingContext ctx;
        ctx.CompanyNumber = 1;
        ctx.WorkingDate = QDateTime(today, QTime(9, 0));
        ctx.ProgramVersion = QStringLiteral("01.010");
        QString error;
        QVERIFY(versao.TESTACTUAL_VERSAO(1, &error));
        QVERIFY(versao.ACTUAL_VERSAO(1, &ctx.DatabaseVersion, &error));

        TGERFVERSAO screen(versao, ctx);
        QCOMPARE(screen.windowTitle(), QStringLiteral("Actualização de Versão ..."));
        auto* previous = screen.findChild<QLabel*>(QStringLiteral("Label_Anterior"));
        auto* finished = screen.findChild<QLabel*>(QStringLiteral("Label_Finalizada"));
        auto* success = screen.findChild<QLabel*>(QStringLiteral("Label_Sucesso"));
        auto* newLabel = screen.findChild<QLabel*>(QStringLiteral("Label_Nova"));
        auto* newVersion = screen.findChild<QLabel*>(QStringLiteral("Label_VersaoNova"));
        QVERIFY(previous && finished && success && newLabel && newVersion);
        QCOMPARE(previous->text(), QStringLiteral("Versão  Anterior : "));
        QVERIFY(finished->isHidden() && success->isHidden() && newLabel->isHidden());

        QCOMPARE(screen.exec(), int(QDialog::Accepted));
        QVERIFY(previous->isHidden());
        QVERIFY(!finished->isHidden() && !success->isHidden() && !newLabel->isHidden());
        QCOMPARE(finished->text(), QStringLiteral("Actualização da Versão finalizada"));
        QCOMPARE(success->text(), QStringLiteral("com Sucesso !!! "));
        QCOMPARE(newLabel->text(), QStringLiteral("Nova Versão :"));
        QCOMPARE(newVersion->text(), QStringLiteral("01.010"));
        QCOMPARE(screen.findChild<QStatusBar*>()->currentMessage(), QString());
        QString recorded;
        QVERIFY(versao.ACTUAL_VERSAO(1, &recorded, &error));
        QCOMPARE(recorded, QStringLiteral("01.010"));
        QVERIFY(site.program().dialect().tableExists(site.program().sql(), QStringLiteral("ORCAMMAS")));
    }

    // The screen as the sign-on shows it.
    void signOnShowsTheScreen() {
        TestSite site(QStringLiteral("sqlite"), QDate::currentDate(), setup::DemoCompany::New);
        REQUIRE_SITE(site);
        SignOnRun run(site, {},
                      [](WorkingContext& ctx, DataModules& m) { return runVersionUpdate(nullptr, ctx, m); });
        QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
        QCOMPARE(run.versionUpdates, 1);
        QCOMPARE(run.ctx.DatabaseVersion, QStringLiteral("01.011"));
    }
};

QTEST_MAIN(TestTGERFVERSAO)
#include "test_tgerfversao.moc"
