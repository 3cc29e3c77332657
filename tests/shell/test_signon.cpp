#include "support/signon_run.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

using Run = SignOnRun;

class TestSignOn : public QObject {
    Q_OBJECT
private slots:
    void signsOnAndEnablesByRights_data() { addBackendRows(); }
    void signsOnAndEnablesByRights() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        const QDate today(2026, 12, 9);
        TestSite site(backend, today, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        {
            Run run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
            QCOMPARE(run.view.messages, QStringList());
            QCOMPARE(run.view.beeps, 0);
            const WorkingContext& c = run.ctx;
            QCOMPARE(c.UserCode, QStringLiteral("DEMO"));
            QCOMPARE(c.CompanyNumber, 1);
            QCOMPARE(c.CompanyName, QStringLiteral("Malhas e Tecidos do Vale, Lda."));
            QCOMPARE(c.WorkingYear, QStringLiteral("2026"));
            QCOMPARE(c.WorkingDate.date(), today);
            QCOMPARE(c.WorkstationName, site.workstation());
            QCOMPARE(c.WorkstationType, QStringLiteral("S"));
            QCOMPARE(c.SuperUserFlag, QStringLiteral("S"));
            QCOMPARE(c.ProgramDatabaseAlias, QStringLiteral("CORVANE01"));
            QCOMPARE(c.CompanyDbUserParam, QStringLiteral("USER NAME=") + site.company().dbUser);
            QCOMPARE(c.PhotoExtension, QStringLiteral(".jpg"));
            QCOMPARE(c.ApplicationCode, QStringLiteral("CORVANE"));
            QCOMPARE(c.ModuleName, QStringLiteral("MODULO BASE"));
            QCOMPARE(c.ProgramVersion, QStringLiteral("01.011"));
            // A new company starts at 01.000 and runs every step.
            QCOMPARE(run.versionUpdates, 1);
            QCOMPARE(run.versionView.versions,
                     (QStringList{"01.000", "01.001", "01.002", "01.003", "01.004", "01.005", "01.006",
                                  "01.007", "01.008", "01.009", "01.010", "01.011"}));
            QCOMPARE(run.versionView.finished, QStringList{"01.011"});
            QCOMPARE(c.DatabaseVersion, QStringLiteral("01.011"));
            QVERIFY(site.program().dialect().columnExists(site.program().sql(), "FICTECDET", "FACTCONV"));

            // Every entry but the approval of quotations.
            for (const MenuState& m : run.logic->menuStates())
                QVERIFY2(m.enabled == (m.entry != QLatin1String("ORC003")), qPrintable(m.entry));

            // The working context's row.
            const auto n = site.program().scalar(
                QStringLiteral("SELECT COUNT(*) FROM PARAMTMP WHERE UTIL = 'DEMO' AND APLICACAO = 'CORVANE' "
                               "AND EMPNRO = 1 AND EMPNOM = 'Malhas e Tecidos do Vale, Lda.'"));
            QCOMPARE(n->toInt(), 1);

            // A second activation does not sign on again.
            QCOMPARE(run.logic->activate(), MainMenuLogic::Outcome::Ready);
            run.logic->formClose();
            QVERIFY(!run.geral.isConnected());
        }
        const auto left = site.program().scalar(QStringLiteral("SELECT COUNT(*) FROM PARAMTMP"));
        QCOMPARE(left->toInt(), 0);
        // The version was recorded: no update at the next start.
        Run again(site);
        QCOMPARE(again.outcome, MainMenuLogic::Outcome::SignedOn);
        QCOMPARE(again.versionUpdates, 0);
        QCOMPARE(again.ctx.DatabaseVersion, QStringLiteral("01.011"));
    }

    void failuresEndTheSignOn_data() { addBackendRows(); }
    void failuresEndTheSignOn() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& g = site.general();

        struct Case {
            const char* name;
            QString arrange;
            QString restore;
            QString message;
        };
        const QList<Case> cases = {
            {"no workstation row", "UPDATE PARAMUTIL SET COMP_NAME = 'OUTRO'",
             "UPDATE PARAMUTIL SET COMP_NAME = 'POSTO-TESTE'", "Empresa Inexistente : 0"},
            {"unknown company", "UPDATE PARAMUTIL SET EMPNRO = 7", "UPDATE PARAMUTIL SET EMPNRO = 1",
             "Empresa Inexistente : 7"},
            {"no program database", "UPDATE EMPRESAS SET BDESPECIF01 = ''",
             "UPDATE EMPRESAS SET BDESPECIF01 = 'CORVANE01'", "Base de Dados Específica Inexistente ..."},
            {"no invoicing database", "UPDATE EMPRESAS SET BDFACTURA = NULL",
             "UPDATE EMPRESAS SET BDFACTURA = 'CORVANEFACTURA01'",
             "Base de Dados Facturação Inexistente ..."},
            {"no accounting database", "UPDATE EMPRESAS SET BDCONTAB = ''",
             "UPDATE EMPRESAS SET BDCONTAB = 'CORVANECONTAB01'",
             "Base de Dados Contabilidade Inexistente ..."},
            {"no credentials row", "UPDATE UTILPASSWORD SET EMPRESA = 2 WHERE UTIL = 'DEMO'",
             "UPDATE UTILPASSWORD SET EMPRESA = 1 WHERE UTIL = 'DEMO'",
             "Problemas com o acesso à empresa !! Contacte o seu Gestor de Sistema"},
            {"empty database user", "UPDATE UTILPASSWORD SET BDUSERNAME = '' WHERE UTIL = 'DEMO'",
             "UPDATE UTILPASSWORD SET BDUSERNAME = (SELECT BDUSERNAME FROM UTILPASSWORD WHERE UTIL = 'ANA') "
             "WHERE UTIL = 'DEMO'",
             "Problemas com o acesso à empresa !! Contacte o seu Gestor de Sistema"},
            {"password with a trailing blank", "UPDATE PARAMUTIL SET PASSWOR = 'DEMO '",
             "UPDATE PARAMUTIL SET PASSWOR = 'DEMO'", "Palavra-passe Inválida"},
            {"password in lower case", "UPDATE PARAMUTIL SET PASSWOR = 'demo'",
             "UPDATE PARAMUTIL SET PASSWOR = 'DEMO'", "Palavra-passe Inválida"},
        };
        for (const Case& c : cases) {
            site.exec(g, c.arrange);
            Run run(site);
            QVERIFY2(run.outcome == MainMenuLogic::Outcome::Close, c.name);
            QCOMPARE(run.view.messages, QStringList{c.message});
            QCOMPARE(run.view.beeps, 1);
            site.exec(g, c.restore);
        }

        // A user without a row in UTILIZADORES (the general database knows him).
        site.exec(g, QStringLiteral("UPDATE PARAMUTIL SET UTIL = 'ANA'"));
        site.exec(site.program(), QStringLiteral("DELETE FROM UTILIZADORES WHERE NRO = 'ANA'"));
        {
            Run run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::Close);
            QCOMPARE(run.view.messages, QStringList{QStringLiteral("Utilizador Inexistente : ANA")});
        }
        site.exec(g, QStringLiteral("UPDATE PARAMUTIL SET UTIL = 'DEMO'"));

        // The credential library fails: its message, nothing else.
        {
            Run run(site, [](db::GeneralCredentials*, QString* e) {
                *e = QStringLiteral("Credenciais da base de dados geral inexistentes");
                return false;
            });
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::Close);
            QCOMPARE(run.view.messages,
                     QStringList{QStringLiteral("Credenciais da base de dados geral inexistentes")});
            QVERIFY(!run.geral.isConnected());
        }

        // The company databases refuse the user: the server's own message.
        site.exec(g, QStringLiteral("UPDATE UTILPASSWORD SET BDPASSWORD = 'errada' WHERE UTIL = 'DEMO'"));
        if (site.postgres()) {
            Run run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::Close);
            QCOMPARE(run.view.messages.size(), 1);
            QVERIFY2(run.view.messages.first().contains(QStringLiteral("password authentication failed")),
                     qPrintable(run.view.messages.first()));
        }
        site.exec(g, QStringLiteral("UPDATE UTILPASSWORD SET BDPASSWORD = :P WHERE UTIL = 'DEMO'"),
                  {{QStringLiteral("P"), site.company().dbPassword}});

        // An update that cannot run ends the sign-on with its own message.
        site.exec(site.program(), QStringLiteral("UPDATE ACTUAL_VERSAO SET VERSAO = '02.000'"));
        {
            Run run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::Close);
            QCOMPARE(run.versionUpdates, 1);
            QCOMPARE(run.versionView.failures.size(), 1);
            QVERIFY(run.versionView.failures.first().contains(QStringLiteral("02.000")));
            const auto rows = site.program().scalar(QStringLiteral("SELECT COUNT(*) FROM PARAMTMP"));
            QCOMPARE(rows->toInt(), 0);
        }
        site.exec(site.program(), QStringLiteral("UPDATE ACTUAL_VERSAO SET VERSAO = '01.009'"));

        // No invoicing parameters for the working year: a warning, and on.
        site.exec(g, QStringLiteral("UPDATE PARAMUTIL SET ANO = '1999'"));
        {
            Run run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
            QCOMPARE(run.view.messages,
                     QStringList{QStringLiteral("Parâmetros Gerais Gestão Comercial Inexistentes ...")});
            QCOMPARE(run.ctx.PhotoExtension, QStringLiteral(".Bmp"));
            QCOMPARE(run.ctx.ArticleInfoPath, QString());
        }
    }

    void existingParamTmpRowIsKept_data() { addBackendRows(); }
    void existingParamTmpRowIsKept() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        site.exec(site.program(),
                  QStringLiteral("INSERT INTO PARAMTMP (UTIL, APLICACAO, EMPNRO, EMPNOM) "
                                 "VALUES ('DEMO', 'CORVANE', 9, 'Deixada por outra sessão')"));
        Run run(site);
        QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
        const auto name =
            site.program().scalar(QStringLiteral("SELECT EMPNOM FROM PARAMTMP WHERE UTIL = 'DEMO'"));
        QCOMPARE(name->toString(), QStringLiteral("Deixada por outra sessão"));
        const auto count = site.program().scalar(QStringLiteral("SELECT COUNT(*) FROM PARAMTMP"));
        QCOMPARE(count->toInt(), 1);
    }

    void chaptersAndProgramsAreGuaranteed_data() { addBackendRows(); }
    void chaptersAndProgramsAreGuaranteed() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        site.exec(site.program(),
                  QStringLiteral("DELETE FROM APLICACAOMST WHERE PROGRAMA = 'Consulta Ficha Tecnica'"));
        site.exec(site.program(), QStringLiteral("DELETE FROM APLICACAOCAP WHERE CAPITULO = 'Utilitarios'"));
        Run run(site);
        QCOMPARE(run.outcome, MainMenuLogic::Outcome::SignedOn);
        const auto mst = site.program().scalar(
            QStringLiteral("SELECT COUNT(*) FROM APLICACAOMST WHERE PROGRAMA = 'Consulta Ficha Tecnica'"));
        QCOMPARE(mst->toInt(), 1);
        const auto cap = site.program().scalar(
            QStringLiteral("SELECT COUNT(*) FROM APLICACAOCAP WHERE CAPITULO = 'Utilitarios'"));
        QCOMPARE(cap->toInt(), 1);
    }

    void workstationFileErrorsCloseTheWindow() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        QFile name(site.site().workstationNameFile());
        QVERIFY(name.open(QIODevice::WriteOnly));
        name.write("POSTO-TESTE\n\n");
        name.close();
        {
            Run run(site);
            QCOMPARE(run.outcome, MainMenuLogic::Outcome::Close);
            QCOMPARE(run.view.messages,
                     QStringList{QStringLiteral("Parâmetros de Pc_Name não definidos ...")});
            QVERIFY(!run.geral.isConnected());
        }
        QVERIFY(name.open(QIODevice::WriteOnly | QIODevice::Truncate));
        name.write("POSTO-TESTE\n");
        name.close();
        QFile type(site.site().workstationTypeFile());
        QVERIFY(type.open(QIODevice::WriteOnly | QIODevice::Truncate));
        type.write("\nS\n");
        type.close();
        Run run(site);
        QCOMPARE(run.outcome, MainMenuLogic::Outcome::Close);
        QCOMPARE(run.view.messages,
                 QStringList{QStringLiteral("Parâmetros de Tipo de Computador inválidos ...")});
    }

    void calendarOfAnotherYear() {
        WorkingContext ctx;
        RecordingView view;
        MainMenuLogic logic(ctx, view, Site(QStringLiteral("/nonexistent")), {});
        const QDate today(2026, 12, 9);
        QVERIFY(logic.changeWorkingDate(QDate(2025, 3, 14), today));
        QCOMPARE(ctx.WorkingYear, QStringLiteral("2025"));
        QCOMPARE(ctx.WorkingDate.date(), QDate(2025, 3, 14));
        QVERIFY(!logic.changeWorkingDate(QDate(2026, 1, 2), today));
        QCOMPARE(ctx.WorkingYear, QStringLiteral("2026"));
    }
};

QTEST_GUILESS_MAIN(TestSignOn)
#include "test_signon.moc"
