#include "../reference/screen_fixture.h"
#include "reference/screens/machines_screen.h"
#include "reference/screens/operations_screen.h"
#include "reference/screens/packaging_screen.h"
#include "cost_type_lines.h"
#include "screens/detail_lines.h"
#include "screens/field_rule.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::screens;

class TestScreenFramework : public QObject {
    Q_OBJECT
private slots:
    // A positive rule refuses 0 and less with its empty message, after the
    // number was read and held to its column's range.
    void positiveNumbers() {
        FieldRule weight;
        weight.kind = FieldKind::Number;
        weight.emptyMessage = QStringLiteral("Insira o Peso da Peça ...");
        weight.positive = true;
        FieldRule passages = weight;
        passages.kind = FieldKind::SmallWhole;
        passages.emptyMessage = QStringLiteral("Digite o Nº de Passagens ...");
        const QList<std::tuple<const FieldRule*, QString, QString>> refused{
            {&weight, "", "Insira o Peso da Peça ..."},
            {&weight, "0", "Insira o Peso da Peça ..."},
            {&weight, "-0,2", "Insira o Peso da Peça ..."},
            {&weight, "0,2 kg", "'0,2 kg' não é um número válido"},
            {&passages, "0", "Digite o Nº de Passagens ..."},
            {&passages, "-3", "Digite o Nº de Passagens ..."},
            {&passages, "2,5", "'2,5' não é um número inteiro válido"},
            {&passages, "40000", "O valor 40000 está fora dos limites de -32768 a 32767"}};
        for (const auto& [rule, text, expected] : refused) {
            QVariant value;
            QString message;
            QVERIFY2(!convertField(*rule, text, &value, &message), qPrintable(text));
            QCOMPARE(message, expected);
        }
        QVariant value;
        QString message;
        QVERIFY(convertField(weight, QStringLiteral(" 0,001 "), &value, &message));
        QCOMPARE(value.toDouble(), 0.001);
        QVERIFY(convertField(passages, QStringLiteral("24"), &value, &message));
        QCOMPARE(value.toInt(), 24);
        // Without the rule, 0 and less are values like any other.
        weight.positive = false;
        QVERIFY(convertField(weight, QStringLiteral("-1"), &value, &message));
        QCOMPARE(value.toDouble(), -1.0);
    }

    // Every input of every table screen takes at most its column's width.
    void inputsTakeTheirColumnsWidth_data() { addBackendRows(); }
    void inputsTakeTheirColumnsWidth() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        shell::TDTCORVANE& d = f.corvane();
        db::Database& factura = f.modules().database->DbFacturacao;
        std::vector<std::unique_ptr<TableScreen>> all;
        for (auto config : {&reference::costTypesScreen, &reference::machineGroupsScreen,
                            &reference::materialTypesScreen, &reference::workTypesScreen})
            all.push_back(std::make_unique<TableScreen>(config(), d.TIPOCUSTO, f.view));
        all.push_back(std::make_unique<reference::OperationsScreen>(d.OPERACOES, d.TIPOCUSTO, f.view));
        all.push_back(std::make_unique<reference::MachinesScreen>(d.MAQUINAS, d.GRUPOMAQUINAS,
                                                                  f.modules().database->DbContab,
                                                                  QStringLiteral("2026"), f.view));
        all.push_back(std::make_unique<reference::PackagingScreen>(d.EMBALAGEM, d.TIPOCUSTO, d.EMBALAGEMMP,
                                                                   factura, f.view));
        int checked = 0;
        for (const auto& s : all) {
            const TableScreenConfig& c = s->config();
            for (const db::Column& column : c.table.columns) {
                const FieldRule* rule = c.field(column.name);
                if (!rule || column.type != db::ColType::Text)
                    continue;
                QCOMPARE(rule->maxLength, column.length);
                // The longest text an input takes is stored whole on both backends.
                QVariant value;
                QString message;
                if (!convertField(*rule, QString(500, QLatin1Char('N')), &value, &message))
                    continue; // a rule with a list of values refuses it first
                QCOMPARE(value.toString().size(), column.length);
                ++checked;
            }
        }
        QVERIFY(checked >= 8);
        // The machine code takes the column's ten characters.
        QCOMPARE(all[5]->config().codeLength, 10);
    }

    void lookupLabelFollowsTheTypedCode_data() { addBackendRows(); }
    void lookupLabelFollowsTheTypedCode() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        reference::OperationsScreen s(f.corvane().OPERACOES, f.corvane().TIPOCUSTO, f.view);
        QVERIFY(s.activate(allRights(), {}));
        QVERIFY(s.gridEnter());
        s.gridExit();
        QVERIFY(s.fieldExit(QStringLiteral("TC"), QStringLiteral("40")));
        QVERIFY(!s.costTypeLabel().isEmpty());
        // A refused cost type leaves no description of the one before.
        QVERIFY(!s.fieldExit(QStringLiteral("TC"), QStringLiteral("98")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Custo Inexistente"));
        QVERIFY(s.costTypeLabel().isEmpty());
        QVERIFY(!s.fieldExit(QStringLiteral("TC"), QStringLiteral("120")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [1..99]"));
        QVERIFY(s.costTypeLabel().isEmpty());
        s.cancel();
        s.close();
    }

    void keysCompareByValueOrCaseInsensitively_data() { addBackendRows(); }
    void keysCompareByValueOrCaseInsensitively() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        db::Dataset& machines = f.corvane().MAQUINAS;
        QVERIFY(machines.open());
        const int row = findKey(machines, QStringLiteral("CODIGO"), QStringLiteral(" imp01 "));
        QVERIFY(row >= 0);
        QCOMPARE(machines.text(row, QStringLiteral("CODIGO")), QStringLiteral("IMP01"));
        QCOMPARE(findKey(machines, QStringLiteral("CODIGO"), QStringLiteral("NADA")), -1);
        db::Dataset& types = f.corvane().TIPOCUSTO;
        QVERIFY(types.open());
        QVERIFY(findKey(types, QStringLiteral("CODIGO"), 40.0) >= 0);
        QCOMPARE(findKey(types, QStringLiteral("CODIGO"), QVariant()), -1);
    }

    // An editable grid over a child dataset: cells converted and checked as
    // they are left, yes/no cells, sorting, handlers, written through the dataset.
    void detailLines_data() { addBackendRows(); }
    void detailLines() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        ScreenFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        db::Dataset& types = f.corvane().TIPOCUSTO;
        QVERIFY(types.open());
        DetailLines lines(types, costTypeColumns(), f.view);
        QVERIFY(lines.lineCount() > 3);
        QStringList left;
        lines.setColumnLeft([&](int row, const DetailColumn& c) { left << types.text(row, c.rule.column); });
        lines.setCellCheck(wasteAtMost100);
        QVERIFY(!lines.setText(0, 0, QStringLiteral("77"))); // not editable
        QVERIFY(!lines.setText(0, 2, QStringLiteral("muito")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("'muito' não é um número válido"));
        QVERIFY(!lines.setText(0, 2, QStringLiteral("150")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Desperdício acima de 100%"));
        QVERIFY(lines.setText(0, 2, QStringLiteral("2,5")));
        QVERIFY(lines.setText(0, 1, QString(60, QLatin1Char('z'))));
        QCOMPARE(lines.text(0, 1).size(), 40);
        QVERIFY(lines.setChecked(0, 3, true));
        QVERIFY(lines.checked(0, 3));
        lines.leaveColumn(0, 1);
        QCOMPARE(left, QStringList{QString(40, QLatin1Char('z'))});
        // Sorting by the designation puts the z's last; again, first.
        lines.sortBy(1);
        QCOMPARE(lines.text(lines.lineCount() - 1, 1), QString(40, QLatin1Char('z')));
        lines.sortBy(1);
        QVERIFY(lines.descending());
        QCOMPARE(lines.text(0, 1), QString(40, QLatin1Char('z')));
        QVERIFY(types.applyUpdates());
        const auto stored = f.cell(QStringLiteral("SELECT DESPERD FROM TIPOCUSTO WHERE TU = 'S'"));
        QCOMPARE(stored.toDouble(), 2.5);
    }
};

QTEST_GUILESS_MAIN(TestScreenFramework)
#include "test_screen_framework.moc"
