#include "shell/version_steps.h"
#include "shell/version_tables.h"
#include "shell/version_update.h"
#include "support/column_lists.h"
#include "support/recording_version_view.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

namespace {

const QDate kWorkingDay(2026, 3, 14);

// The update as the sign-on runs it, on the demo company's program database.
struct Update {
    TDTVERSAO versao;
    WorkingContext ctx;
    RecordingVersionView view;
    QString error;

    explicit Update(db::Database& corvane) : versao(corvane) {
        ctx.CompanyNumber = 1;
        ctx.WorkingDate = QDateTime(kWorkingDay, QTime(15, 40));
        ctx.ProgramVersion = QString::fromLatin1(WorkingContext::kProgramVersion);
    }
    // Steps 10 of the sign-on: the version row, then the update loop.
    void load() {
        if (!versao.TESTACTUAL_VERSAO(1, &error) || !versao.ACTUAL_VERSAO(1, &ctx.DatabaseVersion, &error))
            qFatal("version row: %s", qPrintable(error));
    }
    bool loop() {
        view = RecordingVersionView{};
        return VersionUpdate(versao, ctx, view).run();
    }
    bool run() {
        load();
        return loop();
    }
    QString recorded() {
        QString v;
        versao.ACTUAL_VERSAO(1, &v, &error);
        return v;
    }
};

QStringList shownFrom(int first) {
    QStringList out;
    for (int n = first; n <= kLastVersionStep + 1; ++n)
        out << QStringLiteral("01.") + QString::number(n).rightJustified(3, QLatin1Char('0'));
    return out;
}

bool hasColumn(db::Database& db, const QString& table, const QString& column) {
    return tableColumns(db, table).contains(column);
}

// Every column the technical-sheet, work, quotation and chart tables are
// described with, and the columns the steps add to older tables.
const QList<QPair<const char*, const char*>> kTables = {
    {"FICTECMAS",
     "CODIGO TIPOFICTEC TIPOTRABALHO NROPASSAG FITAS RAPORT TMPDESENHO TMPCABIDE DESPERD CORTEULTRA COSTURA "
     "FRANJA "
     "LARG_FRANJA TEAR ETIQUETA CABIDE REF_INFORMAT PESOKGS PESOAMOSTRA NRPASSADAS VELOCID_CARRO "
     "VELOCID_TIRAGEM "
     "RESOLUCAO REMALHA VAPORIZA SUPIMPR SUBCONTRATO BORDADO CORTE_MOLDE ETIQ_CARTOLINA TECIDO LARG_TECIDO "
     "PECAS_TECIDO EMBALAGEM ENQ_TECIDO MTL_TECIDO SUBCONT_BORDADO CONTRACOES"},
    {"FICTECDET", "TIPO ARTIGO DETAIL RELACFICTEC CODIGOMP DESIGN UNIDADE QUANT PRECO VALOR TECELAGEM "
                  "QUANT_FINAL VALOR_FINAL "
                  "TMPACE TMP_SEMACERTO FAMILIA PERC_IMPR OPERACAO FACTCONV"},
    {"FICTECFIOS", "ARTIGO TR{1-8}_PASSAGENS TR{1-8}_REFFIO TR{1-8}_QTD TR{1-8}_PERC TE{1-8}_NROFIOS "
                   "TE{1-8}_REFFIO TE{1-8}_QTD "
                   "TE{1-8}_PERC TE{1-8}_GRAD"},
    {"FICTECSUBCONT", "ARTIGO RELACFICTEC SERVICO PRECO MPTMAT{1-3} MPNRO{1-3} MPQTD{1-3} MPUND{1-3} "
                      "MPPRECO{1-3} MPCUSTO{1-3}"},
    {"WORKFTMAQUINAS",
     "UTIL CODIGO DESIGNACAO UNIDADE COMPRI LARGURA CUSTOPADRAO PRODUCAO1 ACERTO1 PRODUCAO2 ACERTO2 TIPOPRD "
     "LARG_RAPORT LARG_PENTE NROPASSAGENS RAPORT FITAS OK QTD PRECO CUSTO QTD_SEMACERTO INSERIDO RENDIMENTO"},
    {"WORKFTARTIGOS", "UTIL CODIGO DESIGNACAO UNCOMPRA CUSTOPADRAO OK QTD PRECO CUSTO TIPOARTIGO COMPRIM "
                      "LARGURA PMCUSTO PULENTRA "
                      "EXIQTD TIPOMAT INSERIDO"},
    {"OPERACOES", "CODIGO DESIGNACAO TC UNIDADE TU PRECO TIPOCUSTO"},
    {"ORCAMMAS",
     "ORCNRO CLINRO ARTIGO DATAEMI QUANT{1-3} PRCORC{1-3} PRECOCLI{1-3} VALORCLI{1-3} OBSERV1 OBSERV2 "
     "MARGEMLIQ "
     "ENCANO ENCSEMANA ENCCNRO DATAAPROV APROVADO PRECOAPROV VALORAPROV PRINTE VNDNRO CLINOM DESIGN QTDAPROV "
     "MARGEMAPROVPRC MARGEMAPROVVAL DESENHO MANUAL_AUTO TIPOFT"},
    {"ORCAMTOT",
     "ORCNRO MATERIAIS{1-3} TRANSFORM{1-3} CUSTFIXOS{1-3} SUBCONT{1-3} DESPERDIC{1-3} QUALIDADE{1-3} "
     "ESTRUTURA{1-3} EMBALAGEM{1-3} COMISSOES{1-3} TRANSPORT{1-3} CONDPAGAM{1-3} DESCONTOS{1-3} "
     "MARGEMLIQ{1-3} "
     "MARGEMPRC{1-3}"},
    {"ORCAMCOM",
     "ORCNRO VNDNRO VNDNOM VNDPERC VNDVALTOT{1-3} AGTNRO AGTNOM AGTPERC AGTVALTOT{1-3} ROYNRO ROYNOM ROYPERC "
     "ROYVALTOT{1-3}"},
    {"ORCAMTRANSP",
     "ORCNRO METEXP METEXPVALFIXO METEXPPERC METEXPVALTOT{1-3} SEGVALFIXO SEGPERC SEGVALTOT{1-3} DESPVALFIXO "
     "DESPPERC DESPVALTOT{1-3}"},
    {"ORCAMCNDPGT",
     "ORCNRO CNDPGT CNDPGTDES CNDPGTDIAS CNDPGTVALFIXO CNDPGTPERC CNDPGTVALTOT{1-3} PRZVALFIXO PRZPERC "
     "PRZVALTOT{1-3} DESCVALFIXO DESCPERC DESCVALTOT{1-3}"},
    {"ORCAMDESC", "ORCNRO PRECOPERC PRECOVALTOT{1-3} QTDPERC QTDVALTOT{1-3}"},
    {"SALDOS", "UTIL PROGRAMA SEQUENCIA LEGENDA VALOR"},
    {"SALDOS1", "UTIL PROGRAMA SEQUENCIA LEGENDA VALOR"},
    {"SALDOS2", "UTIL PROGRAMA SEQUENCIA LEGENDA VALOR"},
    {"O_ARTIGOSCLS", "CODIGO CCUSTO DESIGNACAO TIPOARTIGO FAMILIA UNVENDA UNCOMPRA VOSREF PESO VOLUME "
                     "COMPRIM LARGURA ALTURA CODIVA "
                     "NROFOTOS COMPOSICAO FACTCONV UNCONV DTABERTURA CUSTOM{1-9} DESIGNACAO1 QTDCALCULO "
                     "NEFIO PMCUSTO PULENTRA "
                     "CUSTOPADRAO TIPOMAT"},
    {"O_FICTECMAS", "CODIGO TEC_TIPOTRABALHO TEC_NROPASSAG TEC_FITAS REF_INFORMAT TIPOFICTEC"},
    {"O_FICTECDET",
     "TIPO ARTIGO DETAIL RELACFICTEC DETTOT CODIGOMP DESIGN UNIDADE QUANT PRECO VALOR TECELAGEM FASEPROD "
     "QUANT_FINAL VALOR_FINAL TIPOARTIGO TMPACE TMP_SEMACERTO"},
    {"ACTUAL_VERSAO", "EMPRESA PROGRAMA VERSAO DATULTACT"},
};
// Tables of other descriptions that the steps extend: these columns at least.
const QList<QPair<const char*, const char*>> kExtended = {
    {"UTILIZADORES", "NRO PASSWOR SUPUTIL UPGRADE_LICENSE"},
    {"PARGER", "CODIGO CABIDE_TC FRANJA_TC COSTURA_TC ETIQ_TC ETIQCART_TC TECIDO_TC"},
    {"EMBALAGEM", "CODIGO TIPOCUSTO"},
    {"EMBALAGEMMP", "CODIGO UND{1-3}"},
};

} // namespace

class TestVersionUpdate : public QObject {
    Q_OBJECT
private slots:
    void stepReached() {
        QCOMPARE(versionStepReached("01.000"), std::optional<int>(0));
        QCOMPARE(versionStepReached("01.003"), std::optional<int>(3));
        QCOMPARE(versionStepReached("01.010"), std::optional<int>(10));
        QCOMPARE(versionStepReached("01.011"), std::optional<int>(11));
        for (const char* v : {"01.012", "02.000", "01.0a3", "1.003", "01.0031", "", " 01.003"})
            QVERIFY2(!versionStepReached(QString::fromLatin1(v)), v);
    }

    void newCompanyRunsEveryStep_data() { addBackendRows(); }
    void newCompanyRunsEveryStep() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kWorkingDay, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        // A packaging type of before the packaging cost type.
        site.exec(db, QStringLiteral(
                          "INSERT INTO EMBALAGEM (CODIGO, DESIGNACAO, CUSTOFIXO) VALUES (1, 'Saco', 0.1)"));

        Update u(db);
        QVERIFY(u.run());
        QCOMPARE(u.view.failures, QStringList());
        QCOMPARE(u.view.versions, QStringList{"01.000"} + shownFrom(1));
        QCOMPARE(u.view.status, (QStringList{kVersionWorking, QString()}));
        QCOMPARE(u.view.finished, QStringList{"01.011"});
        QCOMPARE(u.ctx.DatabaseVersion, QStringLiteral("01.011"));
        QCOMPARE(u.recorded(), QStringLiteral("01.011"));
        const auto date = db.scalar(QStringLiteral("SELECT DATULTACT FROM ACTUAL_VERSAO WHERE EMPRESA = 1"));
        QCOMPARE(date->toDateTime(), QDateTime(kWorkingDay, QTime(0, 0)));

        const auto licences = db.scalar(
            QStringLiteral("SELECT COUNT(*) FROM UTILIZADORES WHERE COALESCE(UPGRADE_LICENSE, '') <> 'N'"));
        QCOMPARE(licences->toInt(), 0);
        const auto packagingCost =
            db.scalar(QStringLiteral("SELECT TIPOCUSTO FROM EMBALAGEM WHERE CODIGO = 1"));
        QVERIFY(packagingCost->isNull());

        for (const auto& [table, columns] : kTables) {
            QStringList have = tableColumns(db, QString::fromLatin1(table));
            QStringList want = expandColumns(QString::fromLatin1(columns));
            have.sort();
            want.sort();
            QVERIFY2(have == want, qPrintable(QStringLiteral("%1: %2").arg(table, have.join(' '))));
        }
        for (const auto& [table, columns] : kExtended)
            for (const QString& c : expandColumns(QString::fromLatin1(columns)))
                QVERIFY2(hasColumn(db, QString::fromLatin1(table), c),
                         qPrintable(QStringLiteral("%1.%2").arg(table, c)));
    }

    void lastStepReachedRunsNoStep_data() { addBackendRows(); }
    void lastStepReachedRunsNoStep() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kWorkingDay, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        Update u(db);
        QVERIFY(u.versao.TESTACTUAL_VERSAO(1, &u.error));
        site.exec(db, QStringLiteral("UPDATE ACTUAL_VERSAO SET VERSAO = '01.010'"));
        // No statement of a step may run: any would fail.
        QStringList run;
        db.setFailureHook([&run](const QString& sql, QString* message) {
            run << sql;
            const QString s = sql.trimmed().toUpper();
            *message = QStringLiteral("step statement: ") + sql;
            return s.startsWith(QLatin1String("CREATE")) || s.startsWith(QLatin1String("ALTER")) ||
                   s.contains(QLatin1String("UPGRADE_LICENSE"));
        });
        QVERIFY(u.run());
        db.setFailureHook({});
        QCOMPARE(u.view.failures, QStringList());
        QCOMPARE(u.view.versions, (QStringList{"01.010", "01.011"}));
        QCOMPARE(u.recorded(), QStringLiteral("01.011"));
        QCOMPARE(run.filter(QStringLiteral("UPDATE ACTUAL_VERSAO")).size(), 1);
        QVERIFY(!db.dialect().tableExists(db.sql(), QStringLiteral("FICTECMAS")));
    }

    void indexStepKeepsEverythingElse_data() { addBackendRows(); }
    // A database of the previous version gets the reading indexes of the
    // sheet lines and the customer's quotations, and nothing else changes.
    void indexStepKeepsEverythingElse() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kWorkingDay, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        QString error;
        const int indexStep = 9;
        for (int n = 1; n < indexStep; ++n)
            QVERIFY2(applyVersionStep(db, versionStep(n), &error), qPrintable(error));
        site.exec(db,
                  QStringLiteral("INSERT INTO FICTECDET (TIPO, ARTIGO, DETAIL, RELACFICTEC, QUANT) VALUES "
                                 "(1, 'CHC01.PRE', 1, 'G', 0.0123)"));
        const QStringList names{QStringLiteral("FICTECDET_ARTIGO"), QStringLiteral("ORCAMMAS_CLINRO")};
        for (const QString& name : names)
            QCOMPARE(db.dialect().indexExists(db.sql(), name), std::optional<bool>(false));
        const QStringList detColumns = tableColumns(db, QStringLiteral("FICTECDET"));
        const QStringList masColumns = tableColumns(db, QStringLiteral("ORCAMMAS"));

        const VersionStep last = versionStep(indexStep);
        QVERIFY(last.creations.isEmpty() && last.additions.isEmpty() && last.followUps.isEmpty());
        QVERIFY2(applyVersionStep(db, last, &error), qPrintable(error));
        for (const QString& name : names)
            QCOMPARE(db.dialect().indexExists(db.sql(), name), std::optional<bool>(true));
        QCOMPARE(tableColumns(db, QStringLiteral("FICTECDET")), detColumns);
        QCOMPARE(tableColumns(db, QStringLiteral("ORCAMMAS")), masColumns);
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT QUANT FROM FICTECDET WHERE ARTIGO = 'CHC01.PRE'"))->toDouble(),
            0.0123);
        // Run again (an interrupted update): nothing to add, nothing fails.
        QVERIFY2(applyVersionStep(db, last, &error), qPrintable(error));
        // The descriptions of the current version carry the index.
        bool described = false;
        for (const db::Index& ix : atCurrentVersion(fictecDetTable()).indexes)
            described = described || ix.name == names.first();
        QVERIFY(described);
    }

    void costTableStep_data() { addBackendRows(); }
    // The table of what closed quotations were costed on comes to a database
    // of the previous version; its quotations stay as they were.
    void costTableStep() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kWorkingDay, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        QString error;
        for (int n = 1; n < 10; ++n)
            QVERIFY2(applyVersionStep(db, versionStep(n), &error), qPrintable(error));
        site.exec(db, QStringLiteral(
                          "INSERT INTO ORCAMMAS (ORCNRO, ARTIGO, QUANT1) VALUES (1001, 'CHC01.PRE', 200)"));
        const QString quotations = QStringLiteral("SELECT ORCNRO, ARTIGO, QUANT1 FROM ORCAMMAS");
        const QList<QVariantList> before = selectRows(db, quotations);
        QVERIFY(!db.dialect().tableExists(db.sql(), QStringLiteral("ORCAMCUSTO")));
        QVERIFY2(applyVersionStep(db, versionStep(10), &error), qPrintable(error));
        QVERIFY(db.dialect().tableExists(db.sql(), QStringLiteral("ORCAMCUSTO")));
        QVERIFY(tableColumns(db, QStringLiteral("ORCAMCUSTO")).contains(QStringLiteral("CUSTOFICHA")));
        QCOMPARE(selectRows(db, quotations), before);
        QVERIFY2(applyVersionStep(db, versionStep(10), &error), qPrintable(error)); // again: nothing to do
    }

    void failingStepIsUndone_data() { addBackendRows(); }
    void failingStepIsUndone() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kWorkingDay, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        Update u(db);
        auto failOn = [&db](const QString& start) {
            db.setFailureHook([start](const QString& sql, QString* message) {
                *message = QStringLiteral("Servidor recusou : ") + start;
                return sql.startsWith(start, Qt::CaseInsensitive);
            });
        };

        // Step 4 fails at its last statement, after its column additions.
        failOn(QStringLiteral("CREATE TABLE FICTECSUBCONT"));
        QVERIFY(!u.run());
        QCOMPARE(u.view.failures, QStringList{"Servidor recusou : CREATE TABLE FICTECSUBCONT"});
        QCOMPARE(u.view.versions.last(), QStringLiteral("01.004"));
        QCOMPARE(u.view.finished, QStringList());
        QCOMPARE(u.recorded(), QStringLiteral("01.000"));
        QVERIFY(hasColumn(db, "FICTECMAS", "SUPIMPR"));   // step 2
        QVERIFY(hasColumn(db, "FICTECDET", "PERC_IMPR")); // step 3
        QVERIFY(!hasColumn(db, "FICTECMAS", "SUBCONTRATO"));
        QVERIFY(!hasColumn(db, "PARGER", "ETIQCART_TC"));
        QVERIFY(!hasColumn(db, "EMBALAGEM", "TIPOCUSTO"));
        QVERIFY(!db.dialect().tableExists(db.sql(), QStringLiteral("FICTECSUBCONT")));

        // The next run goes through steps 1 to 3 again, then fails in step 7
        // after adding the column: the addition is undone too.
        failOn(QStringLiteral("UPDATE UTILIZADORES SET UPGRADE_LICENSE"));
        QVERIFY(!u.run());
        QCOMPARE(u.view.versions.last(), QStringLiteral("01.007"));
        QCOMPARE(u.recorded(), QStringLiteral("01.000"));
        QVERIFY(db.dialect().tableExists(db.sql(), QStringLiteral("ORCAMMAS")));
        QVERIFY(hasColumn(db, "FICTECMAS", "CONTRACOES"));
        QVERIFY(!hasColumn(db, "UTILIZADORES", "UPGRADE_LICENSE"));

        db.setFailureHook({});
        QVERIFY(u.run());
        QCOMPARE(u.view.versions, QStringList{"01.000"} + shownFrom(1));
        QCOMPARE(u.recorded(), QStringLiteral("01.011"));
        QVERIFY(hasColumn(db, "FICTECDET", "FACTCONV"));
        const auto licences =
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM UTILIZADORES WHERE UPGRADE_LICENSE = 'N'"));
        QCOMPARE(licences->toInt(), 2);
    }

    void impossibleVersionsLeaveTheDatabase_data() { addBackendRows(); }
    void impossibleVersionsLeaveTheDatabase() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, kWorkingDay, setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        Update u(db);
        u.load();
        struct Case {
            const char* version;
            const char* message;
        };
        const QList<Case> cases = {
            {"01.012",
             "A Base de Dados está na versão 01.012, mais recente que a do programa (01.011). Instale a "
             "versão actual do programa ..."},
            {"02.000",
             "A Base de Dados está na versão 02.000, mais recente que a do programa (01.011). Instale a "
             "versão actual do programa ..."},
            {"01.0a3",
             "Versão da Base de Dados inválida : \"01.0a3\". Não é possível actualizá-la para a versão "
             "01.011 ..."},
            {"",
             "Versão da Base de Dados inválida : \"\". Não é possível actualizá-la para a versão 01.011 ..."},
        };
        for (const Case& c : cases) {
            site.exec(db, QStringLiteral("UPDATE ACTUAL_VERSAO SET VERSAO = :V"),
                      {{QStringLiteral("V"), QString::fromLatin1(c.version)}});
            u.load();
            QStringList statements;
            db.setFailureHook([&statements](const QString& sql, QString*) {
                statements << sql;
                return false;
            });
            QVERIFY2(!u.loop(), c.version);
            db.setFailureHook({});
            QCOMPARE(u.view.failures, QStringList{QString::fromUtf8(c.message)});
            QCOMPARE(u.view.versions, QStringList{QString::fromLatin1(c.version)});
            QCOMPARE(statements, QStringList());
            QCOMPARE(u.recorded(), QString::fromLatin1(c.version));
        }
        QVERIFY(!db.dialect().tableExists(db.sql(), QStringLiteral("OPERACOES")));
    }
};

QTEST_GUILESS_MAIN(TestVersionUpdate)
#include "test_version_update.moc"
