#include "reference/screens/operations_screen.h"
#include "screen_fixture.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::reference;
using namespace corvane::screens;

namespace {

using Fixture = ScreenFixture;

// Leaves the grid, changes one field, and goes back to it.
bool editAndSave(TableScreen& s, const QString& column, const QString& text) {
    s.gridExit();
    if (!s.fieldExit(column, text))
        return false;
    return s.gridEnter();
}

} // namespace

class TestTableScreens : public QObject {
    Q_OBJECT
private slots:
    void insertion_data() { addBackendRows(); }
    void insertion() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("DELETE FROM TIPOMATERIAL"));

        TableScreen s(materialTypesScreen(), f.corvane().TIPOMATERIAL, f.view);
        QVERIFY(s.activate(allRights(), QStringLiteral("assinatura")));
        QCOMPARE(f.view.status[1].last(), QStringLiteral("assinatura"));
        QVERIFY(s.settling());
        QVERIFY(s.gridEnter());
        QVERIFY(!s.settling());

        // An empty table proposes 1; the row is written when the grid is back.
        s.insert();
        QCOMPARE(s.codeText(), QStringLiteral("1"));
        QCOMPARE(f.view.focus.last(), kCodeInput);
        s.gridExit();
        QVERIFY(s.codeExit(s.codeText()));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Designacao"));
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Fios de Algodão")));
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM TIPOMATERIAL")).toInt(), 0);
        QVERIFY(s.gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOMATERIAL WHERE CODIGO = 1")).toString(),
                 QStringLiteral("Fios de Algodão"));
        QVERIFY(!s.inserting());

        // The next code follows the last; codes outside 1..179 and text are refused.
        s.insert();
        QCOMPARE(s.codeText(), QStringLiteral("2"));
        s.gridExit();
        QVERIFY(!s.codeExit(QString()));
        QCOMPARE(f.view.messages.size(), 0);
        QVERIFY(!s.codeExit(QStringLiteral("180")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Codigo Inválido ... <ENTER>"));
        QVERIFY(!s.codeExit(QStringLiteral("doze")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("'doze' não é um número inteiro válido"));

        // An existing code ends the insertion, shows that row and writes nothing.
        QVERIFY(!s.codeExit(QStringLiteral("1")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("REGISTO JÁ FOI ABERTO ... <ENTER>"));
        QCOMPARE(f.view.focus.last(), kGrid);
        QVERIFY(s.gridEnter());
        QVERIFY(!s.inserting());
        QCOMPARE(s.codeText(), QStringLiteral("1"));
        QCOMPARE(s.fieldText(QStringLiteral("DESIGNACAO")), QStringLiteral("Fios de Algodão"));
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM TIPOMATERIAL")).toInt(), 1);
        s.close();
        QVERIFY(!f.corvane().TIPOMATERIAL.isOpen());
    }

    void validationsAndCancel_data() { addBackendRows(); }
    void validationsAndCancel() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TableScreen s(costTypesScreen(), f.corvane().TIPOCUSTO, f.view);
        QVERIFY(s.activate(allRights(), {}));
        QVERIFY(s.gridEnter());
        const int row = f.corvane().TIPOCUSTO.locate(QStringLiteral("CODIGO"), 3);
        s.setCurrentRow(row);
        s.gridExit();
        QVERIFY(!s.buttonsEnabled());
        for (const QString& bad : {QStringLiteral("0"), QStringLiteral("8")}) {
            QVERIFY(!s.fieldExit(QStringLiteral("CLAS"), bad));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Digite de [1 a 7]"));
        }
        QVERIFY(!s.fieldExit(QStringLiteral("CLAS_ORC"), QString()));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Valor Inválido"));
        QVERIFY(!s.fieldExit(QStringLiteral("CLAS"), QStringLiteral("2,5")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("'2,5' não é um número inteiro válido"));
        QVERIFY(!s.fieldExit(QStringLiteral("TU"), QStringLiteral("x")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [N]/[P]/[V]/[F]"));
        QVERIFY(!s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("  ")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Designação Inválida !!!"));
        QVERIFY(!s.fieldExit(QStringLiteral("DESPERD"), QStringLiteral("muito")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("'muito' não é um número válido"));
        QVERIFY(s.fieldExit(QStringLiteral("TU"), QStringLiteral("p")));
        QCOMPARE(s.fieldText(QStringLiteral("TU")), QStringLiteral("P"));
        QCOMPARE(f.view.beeps, 7);

        // Cancel restores the row as stored and checks nothing on the way out.
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Alterada")));
        s.cancel();
        QVERIFY(s.settling());
        const int before = f.view.messages.size();
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QString()));
        QCOMPARE(f.view.messages.size(), before);
        QVERIFY(s.gridEnter());
        QCOMPARE(s.fieldText(QStringLiteral("DESIGNACAO")), QStringLiteral("Etiquetas Tecidas e Impressas"));
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 3")).toString(),
                 QStringLiteral("Etiquetas Tecidas e Impressas"));

        // An edit is written on the return to the grid, which keeps the row.
        QVERIFY(editAndSave(s, QStringLiteral("DESPERD"), QStringLiteral("1,5")));
        QCOMPARE(f.cell(QStringLiteral("SELECT DESPERD FROM TIPOCUSTO WHERE CODIGO = 3")).toDouble(), 1.5);
        QCOMPARE(s.codeText(), QStringLiteral("3"));

        // Delete asks first and writes at once.
        f.view.answers = {false, true};
        QVERIFY(!s.remove());
        QCOMPARE(f.view.questions.last(), kDeleteQuestion);
        QVERIFY(s.remove());
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM TIPOCUSTO WHERE CODIGO = 3")).toInt(), 0);
    }

    void rangesOfTheOtherTables_data() { addBackendRows(); }
    void rangesOfTheOtherTables() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TableScreen groups(machineGroupsScreen(), f.corvane().GRUPOMAQUINAS, f.view);
        QVERIFY(groups.activate(allRights(), {}));
        QVERIFY(groups.gridEnter());
        groups.insert();
        groups.gridExit();
        QVERIFY(!groups.codeExit(QStringLiteral("40000")));
        QVERIFY(f.view.messages.last().contains(QStringLiteral("32767")));
        QVERIFY(groups.codeExit(QStringLiteral("30")));
        QVERIFY(!groups.fieldExit(QStringLiteral("TIPOMAQ"), QStringLiteral("10")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Máquina Inválida ..."));
        QVERIFY(!groups.fieldExit(QStringLiteral("TIPOMAQ"), QString()));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Máquina Inválida ..."));
        // The designation of a group is checked even while settling.
        groups.cancel();
        QVERIFY(!groups.fieldExit(QStringLiteral("DESIGNACAO"), QString()));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Designação Inválida !!!"));
        groups.close();

        TableScreen work(workTypesScreen(), f.corvane().TIPOTRABALHO, f.view);
        QVERIFY(work.activate(allRights(), {}));
        QVERIFY(work.gridEnter());
        work.gridExit();
        QVERIFY(!work.fieldExit(QStringLiteral("PASSAG_CM"), QStringLiteral("3.5")));
        QVERIFY(editAndSave(work, QStringLiteral("PASSAG_CM"), QStringLiteral("12")));
        const QString first = work.codeText();
        QCOMPARE(f.cell(QStringLiteral("SELECT PASSAG_CM FROM TIPOTRABALHO WHERE CODIGO = ") + first).toInt(),
                 12);
    }

    void operations_data() { addBackendRows(); }
    void operations() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        OperationsScreen s(f.corvane().OPERACOES, f.corvane().TIPOCUSTO, f.view);
        QVERIFY(s.activate(allRights(), {}));
        QVERIFY(s.gridEnter());
        s.insert();
        s.gridExit();
        QVERIFY(s.codeExit(QStringLiteral("5")));
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Lavagem")));
        QVERIFY(!s.fieldExit(QStringLiteral("TC"), QString()));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Valor Inválido"));
        QVERIFY(!s.fieldExit(QStringLiteral("TC"), QStringLiteral("100")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [1..99]"));
        QVERIFY(!s.fieldExit(QStringLiteral("TC"), QStringLiteral("99")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Custo Inexistente"));
        QVERIFY(s.costTypeLabel().isEmpty());
        QVERIFY(s.fieldExit(QStringLiteral("TC"), QStringLiteral("7")));
        QCOMPARE(s.costTypeLabel(), QStringLiteral("Franjas"));
        QCOMPARE(s.fieldText(QStringLiteral("TU")), QStringLiteral("N"));
        QVERIFY(s.fieldExit(QStringLiteral("PRECO"), QStringLiteral("0,3")));
        QCOMPARE(s.fieldText(QStringLiteral("TIPOCUSTO")), QStringLiteral("X070005"));
        QVERIFY(s.gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT TIPOCUSTO FROM OPERACOES WHERE CODIGO = 5")).toString(),
                 QStringLiteral("X070005"));

        // A large code is cut to seven characters.
        s.insert();
        s.gridExit();
        QVERIFY(s.codeExit(QStringLiteral("123456")));
        QVERIFY(s.fieldExit(QStringLiteral("DESIGNACAO"), QStringLiteral("Longa")));
        QVERIFY(s.fieldExit(QStringLiteral("TC"), QStringLiteral("12")));
        QVERIFY(s.fieldExit(QStringLiteral("PRECO"), QStringLiteral("1")));
        QCOMPARE(s.fieldText(QStringLiteral("TIPOCUSTO")), QStringLiteral("X121234"));
        // A lookup offers only cost types 1 to 99.
        const int twelve = s.costTypes().locate(QStringLiteral("CODIGO"), 12);
        QCOMPARE(s.chosenCostType(twelve), QStringLiteral("12"));
        s.close();
        QVERIFY(!f.corvane().TIPOCUSTO.isOpen());
    }

    void failedWriteKeepsTheChanges() {
        Fixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        int asked = 0;
        TableScreen s(costTypesScreen(), f.corvane().TIPOCUSTO, f.view, [&asked](const db::UpdateFailure&) {
            ++asked;
            return db::UpdateAction::Abort;
        });
        QVERIFY(s.activate(allRights(), {}));
        QVERIFY(s.gridEnter());
        f.corvane().TIPOCUSTO.database().setFailureHook([](const QString& sql, QString* message) {
            if (!sql.startsWith(QLatin1String("UPDATE")))
                return false;
            *message = QStringLiteral("sem acesso");
            return true;
        });
        QVERIFY(!editAndSave(s, QStringLiteral("DESIGNACAO"), QStringLiteral("Nova")));
        QCOMPARE(asked, 1);
        QCOMPARE(s.fieldText(QStringLiteral("DESIGNACAO")), QStringLiteral("Nova"));
        QVERIFY(!s.buttonsEnabled());
        f.corvane().TIPOCUSTO.database().setFailureHook({});
        QVERIFY(s.gridEnter());
        QCOMPARE(f.cell(QStringLiteral("SELECT DESIGNACAO FROM TIPOCUSTO WHERE CODIGO = 1")).toString(),
                 QStringLiteral("Nova"));
    }
};

QTEST_GUILESS_MAIN(TestTableScreens)
#include "test_table_screens.moc"
