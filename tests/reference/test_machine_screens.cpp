#include "reference/screens/machine_inks.h"
#include "reference/screens/machines_screen.h"
#include "screen_fixture.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::reference;

namespace {

struct Fixture : ScreenFixture {
    using ScreenFixture::ScreenFixture;
    std::unique_ptr<MachinesScreen> machines(const QString& year) {
        auto s = std::make_unique<MachinesScreen>(corvane().MAQUINAS, corvane().GRUPOMAQUINAS,
                                                  modules().database->DbContab, year, view);
        if (!s->activate(allRights(), {}) || !s->gridEnter())
            return nullptr;
        return s;
    }
    int count(const QString& sql) { return cell(sql).toInt(); }
};

const QString kThisYear = QString::number(QDate::currentDate().year());
const QString kLastYear = QString::number(QDate::currentDate().year() - 1);

} // namespace

class TestMachineScreens : public QObject {
    Q_OBJECT
private slots:
    void machineChecks_data() { addBackendRows(); }
    void machineChecks() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        auto s = f.machines(kThisYear);
        QVERIFY(s);

        // A printing machine shows its group and may have inks; the grid takes that back.
        const int printer = s->dataset().locate(QStringLiteral("CODIGO"), QStringLiteral("IMP01"));
        s->setCurrentRow(printer);
        QCOMPARE(s->groupLabel(), QStringLiteral("Impressoras Digitais"));
        QCOMPARE(s->costCentreLabel(), QStringLiteral("Estamparia Digital"));
        QVERIFY(s->inksAllowed());
        s->setCurrentRow(s->dataset().locate(QStringLiteral("CODIGO"), QStringLiteral("US01")));
        QVERIFY(!s->inksAllowed());

        s->gridExit();
        QVERIFY(!s->fieldExit(QStringLiteral("GRUPO"), QString()));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Grupo de Máquinas Inválido !!!"));
        QVERIFY(!s->fieldExit(QStringLiteral("GRUPO"), QStringLiteral("55")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Grupo de Máquinas Inexistente ..."));
        QVERIFY(s->fieldExit(QStringLiteral("GRUPO"), QStringLiteral("8")));
        QVERIFY(s->inksAllowed());
        QVERIFY(!s->fieldExit(QStringLiteral("PRECO"), QStringLiteral("0")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Custo Hora Inválido"));
        QVERIFY(!s->fieldExit(QStringLiteral("UNDPRD"), QStringLiteral("kgm")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [RPM] ou [MTM] ou [UPM] "));

        // Cost centres: blank accepted, this year's accepted, last year's only refused.
        QVERIFY(s->fieldExit(QStringLiteral("CCUSTO"), QString()));
        QVERIFY(s->costCentreLabel().isEmpty());
        QVERIFY(!s->fieldExit(QStringLiteral("CCUSTO"), QStringLiteral("3900")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("CCusto Inexistente ..."));
        QVERIFY(s->fieldExit(QStringLiteral("CCUSTO"), QStringLiteral("3310")));
        QCOMPARE(s->costCentreLabel(), QStringLiteral("Tricotagem"));
        QVERIFY(s->gridEnter());
        QVERIFY(!s->inksAllowed());
        QCOMPARE(f.site.program()
                     .scalar(QStringLiteral("SELECT CCUSTO FROM MAQUINAS WHERE CODIGO = 'US01'"))
                     ->toString(),
                 QStringLiteral("3310"));

        // The unit is checked even while settling; an existing machine ends the insertion.
        s->insert();
        QVERIFY(s->codeText().isEmpty());
        s->gridExit();
        QVERIFY(!s->codeExit(QStringLiteral("US01")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Registo já foi aberto ... <ENTER>"));
        s->cancel();
        QVERIFY(!s->fieldExit(QStringLiteral("UNDPRD"), QString()));
        s->close();

        // Another working year accepts its own cost centres.
        auto before = f.machines(kLastYear);
        QVERIFY(before);
        before->gridExit();
        QVERIFY(before->fieldExit(QStringLiteral("CCUSTO"), QStringLiteral("3900")));
        QCOMPARE(before->costCentreLabel(), QStringLiteral("Secção Encerrada"));
        before->close();
    }

    void inksAndDeletion_data() { addBackendRows(); }
    void inksAndDeletion() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        db::Dataset& mp = f.modules().corvane->MAQUINASMP;
        db::Database& factura = f.modules().database->DbFacturacao;
        const QString sum = QStringLiteral("A soma do consumo de todos os produtos tem de ser = 100%");
        {
            MachineInks inks(mp, factura, QStringLiteral("IMP01"), f.view);
            QVERIFY(inks.activate());
            QCOMPARE(inks.designation(1), QStringLiteral("Tinta Reactiva Ciano"));
            QCOMPARE(inks.percent(4), 20.0);
            // Lines 3 and 4 emptied: their shares go and the focus moves on.
            inks.codeExit(3, QString());
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Codigo4"));
            inks.codeExit(4, QStringLiteral("0"));
            QCOMPARE(inks.percent(4), 0.0);
            QVERIFY(inks.percentExit(1, QStringLiteral("60")));
            QVERIFY(inks.percentExit(2, QStringLiteral("30")));
            QVERIFY(!inks.finish());
            QCOMPARE(f.view.messages.last(), sum);
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Codigo1"));
            // A code with 0% is refused before the sum is looked at.
            const int messages = f.view.messages.size();
            inks.codeExit(3, QStringLiteral("TIN.BRANCO"));
            QCOMPARE(inks.designation(3), QStringLiteral("Tinta Pigmento Branco"));
            QVERIFY(!inks.finish());
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Cons_Perc3"));
            QCOMPARE(f.view.messages.size(), messages);
            inks.codeExit(3, QString());
            QVERIFY(!inks.percentExit(2, QStringLiteral("quarenta")));
            QVERIFY(inks.percentExit(2, QStringLiteral("40")));
            QVERIFY(inks.finish());
        }
        QCOMPARE(f.site.program()
                     .scalar(QStringLiteral("SELECT CONS_PERC1 + CONS_PERC2 + CONS_PERC3 + CONS_PERC4 "
                                            "FROM MAQUINASMP WHERE MAQNRO = 'IMP01'"))
                     ->toDouble(),
                 100.0);
        {
            // A machine without inks cannot end with none; Cancel leaves no row.
            MachineInks none(mp, factura, QStringLiteral("US01"), f.view);
            QVERIFY(none.activate());
            QVERIFY(!none.finish());
            QCOMPARE(f.view.messages.last(), sum);
            QVERIFY(!none.closeRequested());
            none.cancel();
            QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM MAQUINASMP WHERE MAQNRO = 'US01'")), 0);
        }

        {
            // Without the right to change machines the inks are only shown:
            // nothing typed is kept, and leaving writes nothing.
            MachineInks shown(mp, factura, QStringLiteral("IMP01"), f.view);
            shown.setWriteRights({true, false, true});
            QVERIFY(shown.activate());
            QVERIFY(shown.readOnly());
            shown.codeExit(1, QString());
            QVERIFY(shown.percentExit(2, QStringLiteral("70")));
            QCOMPARE(shown.percent(2), 40.0);
            QVERIFY(shown.finish());
            QVERIFY(!mp.hasPendingUpdates());
            // A machine without inks gets them only by the right to insert.
            MachineInks none(mp, factura, QStringLiteral("US01"), f.view);
            none.setWriteRights({false, true, true});
            QVERIFY(none.activate());
            QVERIFY(none.readOnly());
            QVERIFY(none.closeRequested());
            mp.setWriteRights({});
        }
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM MAQUINASMP WHERE MAQNRO = 'US01'")), 0);
        QCOMPARE(f.site.program()
                     .scalar(QStringLiteral("SELECT CONS_PERC2 FROM MAQUINASMP WHERE MAQNRO = 'IMP01'"))
                     ->toDouble(),
                 40.0);

        // Deleting the machine deletes its inks.
        auto s = f.machines(kThisYear);
        QVERIFY(s);
        s->setCurrentRow(s->dataset().locate(QStringLiteral("CODIGO"), QStringLiteral("IMP01")));
        QVERIFY(s->remove());
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM MAQUINAS WHERE CODIGO = 'IMP01'")), 0);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM MAQUINASMP WHERE MAQNRO = 'IMP01'")), 0);
    }
};

QTEST_GUILESS_MAIN(TestMachineScreens)
#include "test_machine_screens.moc"
