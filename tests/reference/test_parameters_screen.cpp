#include "reference/screens/parameters_screen.h"
#include "screen_fixture.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::reference;

namespace {
struct Fixture : ScreenFixture {
    using ScreenFixture::ScreenFixture;
    std::unique_ptr<ParametersScreen> screen(const shell::AccessRights& rights = allRights()) {
        auto s =
            std::make_unique<ParametersScreen>(corvane().PARGER, corvane().TIPOCUSTO, corvane().OPERACOES,
                                               modules().database->DbFacturacao, view);
        return s->activate(rights, {}) ? std::move(s) : nullptr;
    }
};
} // namespace

class TestParametersScreen : public QObject {
    Q_OBJECT
private slots:
    void checks_data() { addBackendRows(); }
    void checks() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        // No consumption movement yet: the one typed below is seen written.
        f.site.exec(f.db(), QStringLiteral("UPDATE PARGER SET TRS_CONSUMO = NULL WHERE CODIGO = 1"));
        auto s = f.screen();
        QVERIFY(s);
        QVERIFY(s->label(QStringLiteral("TRS_CONSUMO")).isEmpty());

        // Class checks of the cost types; empty or "0" clears.
        QVERIFY(!s->fieldExit(QStringLiteral("MAQUINAS_TC"), QStringLiteral("1")));
        QCOMPARE(f.view.messages.last(),
                 QStringLiteral("Escolha um Tipo de Custo para Máquinas ... Classificação =[6]"));
        QVERIFY(!s->fieldExit(QStringLiteral("FIOS_TC"), QStringLiteral("10")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Escolha um Tipo de Custo Fio ..."));
        QVERIFY(!s->fieldExit(QStringLiteral("TINTAS_TC"), QStringLiteral("10")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Escolha um Tipo de Custo para Tintas ..."));
        QVERIFY(!s->fieldExit(QStringLiteral("ETIQ_TC"), QStringLiteral("98")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Custo Inválido ..."));
        QVERIFY(!s->fieldExit(QStringLiteral("ESTRUTURA"), QStringLiteral("999")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Custo Inválido ..."));
        QVERIFY(s->fieldExit(QStringLiteral("MAQUINAS_TC"), QStringLiteral("10")));
        QCOMPARE(s->label(QStringLiteral("MAQUINAS_TC")), QStringLiteral("Tempo de Máquina"));
        QVERIFY(s->fieldExit(QStringLiteral("FRANJA_TC"), QStringLiteral("0")));
        QVERIFY(s->label(QStringLiteral("FRANJA_TC")).isEmpty());
        QVERIFY(s->fieldExit(QStringLiteral("ESTRUTURA"), QStringLiteral("30")));
        QCOMPARE(s->label(QStringLiteral("ESTRUTURA")), QStringLiteral("Estrutura Geral"));
        QVERIFY(!s->fieldExit(QStringLiteral("ORCAMNRO1"), QStringLiteral("um")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("'um' não é um número inteiro válido"));

        // The price basis is checked on leaving the two inputs after it.
        QVERIFY(s->fieldExit(QStringLiteral("TIPOPRECO"), QStringLiteral("xyz")));
        QVERIFY(!s->fieldExit(QStringLiteral("DESP_GERAL"), QStringLiteral("2,5")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [F.T]/[CUP]/[PMC]/[PUE] ..."));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TipoPreco"));
        QVERIFY(s->fieldExit(QStringLiteral("TIPOPRECO"), QStringLiteral("pmc")));
        QVERIFY(s->fieldExit(QStringLiteral("CONV_KGS_TINTAS"), QStringLiteral("0,000125")));

        // Stock inputs are checked only while "Planeamento" is shown; no beep.
        QVERIFY(s->fieldExit(QStringLiteral("TRS_CONSUMO"), QStringLiteral("77")));
        s->setPlanningShown(true);
        const int beeps = f.view.beeps;
        QVERIFY(!s->fieldExit(QStringLiteral("TRS_CONSUMO"), QStringLiteral("77")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Codigo de Movimento Inexistente ..."));
        QVERIFY(!s->fieldExit(QStringLiteral("TRS_CONSUMO"), QStringLiteral("10")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Codigo de Movimento Inválido ..."));
        QCOMPARE(f.view.beeps, beeps);
        QVERIFY(s->fieldExit(QStringLiteral("TRS_CONSUMO"), QStringLiteral("20")));
        QCOMPARE(s->label(QStringLiteral("TRS_CONSUMO")), QStringLiteral("Saída para Consumo"));
        QVERIFY(!s->fieldExit(QStringLiteral("ARMNRO"), QStringLiteral("9")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Armazém Inexistente ..."));
        QVERIFY(s->fieldExit(QStringLiteral("ARMNRO"), QStringLiteral("1")));
        QCOMPARE(s->label(QStringLiteral("ARMNRO")), QStringLiteral("Armazém de Matérias Primas"));
        QVERIFY(s->close());
        QCOMPARE(f.cell(QStringLiteral("SELECT TIPOPRECO FROM PARGER WHERE CODIGO = 1")).toString(),
                 QStringLiteral("PMC"));
        QCOMPARE(f.cell(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1")).toInt(), 10);
        QCOMPARE(f.cell(QStringLiteral("SELECT TRS_CONSUMO FROM PARGER WHERE CODIGO = 1")).toInt(), 20);
    }

    // The "Planeamento" page of the demo company names every stock code.
    void demoStockCodesHaveLabels_data() { addBackendRows(); }
    void demoStockCodesHaveLabels() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        auto s = f.screen();
        QVERIFY(s);
        QCOMPARE(s->label(QStringLiteral("TRS_CONSUMO")), QStringLiteral("Saída para Consumo"));
        QCOMPARE(s->label(QStringLiteral("TRS_DEVOL")), QStringLiteral("Devolução ao Armazém"));
        QCOMPARE(s->label(QStringLiteral("ARMNRO")), QStringLiteral("Armazém de Matérias Primas"));
        QCOMPARE(s->label(QStringLiteral("TRS_PRODUTO")), QStringLiteral("Entrada de Produto Acabado"));
        QCOMPARE(s->label(QStringLiteral("ARMZ_PRODUTO")), QStringLiteral("Armazém de Produto Acabado"));
        // Each passes the checks of the page as it stands.
        s->setPlanningShown(true);
        for (const char* column : {"TRS_CONSUMO", "TRS_DEVOL", "ARMNRO", "TRS_PRODUTO", "ARMZ_PRODUTO"}) {
            const QString c = QString::fromLatin1(column);
            QVERIFY2(s->fieldExit(c, s->text(c)), column);
        }
        QVERIFY(f.view.messages.isEmpty());
        QVERIFY(s->close());
    }

    void emptyTableGetsItsRow_data() { addBackendRows(); }
    void emptyTableGetsItsRow() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM PARGER"));
        {
            // Without INSERIR nothing is changed, but the row is still made.
            auto s = f.screen(shell::AccessRights::none());
            QVERIFY(s);
            QVERIFY(!s->inputsEnabled());
            QVERIFY(s->fieldExit(QStringLiteral("MAQUINAS_TC"), QStringLiteral("1")));
            QVERIFY(s->close());
        }
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM PARGER WHERE CODIGO = 1")).toInt(), 1);
        QVERIFY(f.cell(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER")).isNull());
    }

    // A refused write keeps the row's changes and reports it; the screen can
    // then stay open, and a later write succeeds.
    void failedWriteKeepsTheChanges_data() { addBackendRows(); }
    void failedWriteKeepsTheChanges() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        auto s = f.screen();
        QVERIFY(s);
        QVERIFY(s->fieldExit(QStringLiteral("PRZENT"), QStringLiteral("30 dias")));
        db::Database& db = f.corvane().db;
        db.setFailureHook([](const QString& sql, QString* message) {
            if (!sql.contains(QLatin1String("PARGER"), Qt::CaseInsensitive) ||
                !sql.startsWith(QLatin1String("UPDATE"), Qt::CaseInsensitive))
                return false;
            *message = QStringLiteral("recusado pelo servidor");
            return true;
        });
        QVERIFY(!s->write());
        QVERIFY(f.corvane().PARGER.hasPendingUpdates());
        QCOMPARE(s->text(QStringLiteral("PRZENT")), QStringLiteral("30 dias"));
        db.setFailureHook({});
        QVERIFY(s->close());
        QCOMPARE(f.cell(QStringLiteral("SELECT PRZENT FROM PARGER WHERE CODIGO = 1")).toString(),
                 QStringLiteral("30 dias"));
    }

    // Another user deleted the row meanwhile: the close box says so, asks,
    // and lets the user leave without the changes.
    void closingAfterARefusedWrite_data() { addBackendRows(); }
    void closingAfterARefusedWrite() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        auto s = f.screen();
        QVERIFY(s);
        QVERIFY(s->fieldExit(QStringLiteral("PRZENT"), QStringLiteral("45 dias")));
        std::unique_ptr<db::Database> other = f.site.connectProgram();
        f.site.exec(*other, QStringLiteral("DELETE FROM PARGER"));
        f.view.answers = {false};
        QVERIFY(!s->closeRequested());
        QCOMPARE(f.view.messages.last(), db::kDeletedByOther);
        QCOMPARE(f.view.questions.last(), kAbandonQuestion);
        f.view.answers = {true};
        QVERIFY(s->closeRequested());
        QVERIFY(s->close());
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM PARGER")).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestParametersScreen)
#include "test_parameters_screen.moc"
