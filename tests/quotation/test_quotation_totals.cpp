// What the quotation screen shows, stores and prints, on both backends: one
// rounding of one calculation on the price page, in ORCAMTOT and on paper;
// "&Imprimir" only for a quotation as it was closed; a calculation not
// written is not shown; the pie is the calculation's; printing without the
// general parameters.
#include "core/rounding.h"
#include "quotation/report/quotation_report.h"
#include "quotation/screens/quotation_screen.h"
#include "screen_fixture.h"
#include "support/test_site.h"

#include <QtTest>

#include <memory>

using namespace corvane;
using namespace corvane::quotation;

namespace {

// A scarf whose yarn costs 0.16235 a piece: 100 pieces cost 16.235, which
// the binary value holds just below the half.
const QString kHalfCent = QStringLiteral("ORC.MEIO");
const QString kFailure = QStringLiteral("falha simulada");

int totalsOf(Fixture& f, int number) {
    return value(f.site, "SELECT COUNT(*) FROM ORCAMTOT WHERE ORCNRO = :N", {{"N", number}}).toInt();
}

// The worked example closed as calculated, without printing; the screen back at the number.
bool closedExample(Fixture& f, QuotationScreen& s) {
    f.view.answers = {false};
    return quote(s, 1, 1, "P", kExample, "20", {"100", "", ""}) && s.closeQuotation();
}

bool reopen(QuotationScreen& s, int number) {
    return type(s, "Edit_Serie", "1") && type(s, "Edit_OrcNro", QString::number(number));
}

void compareFigures(const LevelFigures& shown, const LevelFigures& printed) {
    const std::pair<const char*, double LevelFigures::*> fields[] = {
        {"materials", &LevelFigures::materials},
        {"transformation", &LevelFigures::transformation},
        {"fixedCosts", &LevelFigures::fixedCosts},
        {"waste", &LevelFigures::waste},
        {"subcontracts", &LevelFigures::subcontracts},
        {"quality", &LevelFigures::quality},
        {"structure", &LevelFigures::structure},
        {"packaging", &LevelFigures::packaging},
        {"base", &LevelFigures::base},
        {"commissions", &LevelFigures::commissions},
        {"transport", &LevelFigures::transport},
        {"payment", &LevelFigures::payment},
        {"discounts", &LevelFigures::discounts},
        {"commercial", &LevelFigures::commercial},
        {"margin", &LevelFigures::margin},
        {"marginPercent", &LevelFigures::marginPercent},
        {"quotedPrice", &LevelFigures::quotedPrice},
        {"customerPrice", &LevelFigures::customerPrice},
        {"orderTotal", &LevelFigures::orderTotal}};
    for (const auto& [name, field] : fields)
        QVERIFY2(shown.*field == printed.*field, qPrintable(QStringLiteral("%1: %2 shown, %3 printed")
                                                                .arg(QLatin1String(name))
                                                                .arg(shown.*field, 0, 'f', 6)
                                                                .arg(printed.*field, 0, 'f', 6)));
}

} // namespace

class TestQuotationTotals : public QObject {
    Q_OBJECT
private slots:
    void oneRounding_data() { addBackendRows(); }
    // 100 pieces of yarn at 0.16235 are 16.235: 16.24 on the price page, in
    // ORCAMTOT and on paper; every figure of the level the same on all three.
    void oneRounding() {
        QUOTATION_FIXTURE(f, s);
        article(f.site, kHalfCent, QStringLiteral("Cachecol Meio Cêntimo"), QStringLiteral("CT"));
        line(f.site, kHalfCent, 1, 901, "F", 0.16235, 0, 0, 0, 0);
        QVERIFY2(quote(*s, 1, 1, "P", kHalfCent, "20", {"100", "", ""}),
                 qPrintable(f.view.messages.join(";")));
        const LevelFigures shown = s->figures(1);
        QCOMPARE(shown.materials, 16.24);
        QCOMPARE(shown.waste, 0.81); // 5 % of 16.235
        QCOMPARE(shown.base, roundTo(shown.materials + shown.waste, 2));
        QCOMPARE(shown.orderTotal, s->quotation().mas.VALORCLI[0]);
        f.view.answers = {true};
        QVERIFY(s->closeQuotation());
        QCOMPARE(int(f.view.previews.size()), 1);
        compareFigures(shown, printedLevel(f.view.previews[0], 1, 2));
        QCOMPARE(value(f.site, "SELECT MATERIAIS1 FROM ORCAMTOT WHERE ORCNRO = 1001").toDouble(), 16.24);
        QCOMPARE(value(f.site, "SELECT VALORCLI1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(),
                 shown.orderTotal);
        // The chart the report leaves is the pie the screen drew.
        QCOMPARE(f.view.charts.last().second, printedChart(f.view.previews[0], 2));
    }

    void printOnlyAsClosed_data() { addBackendRows(); }
    // "&Imprimir" prints a quotation as it was closed; once its rows change
    // it asks for closing first, and "&Cancelar" makes it printable again.
    void printOnlyAsClosed() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(closedExample(f, *s));
        QVERIFY(reopen(*s, 1001));
        QVERIFY(s->printEnabled());
        QVERIFY(s->printButton());
        QCOMPARE(int(f.view.previews.size()), 1);
        // Calculated again to the same rows: still as closed.
        QVERIFY(type(*s, "Edit_Qtd1", "100") && type(*s, "Edit_Qtd2", "") && type(*s, "Edit_Qtd3", ""));
        QCOMPARE(totalsOf(f, 1001), 1);
        QVERIFY(s->printButton());
        QCOMPARE(int(f.view.previews.size()), 2);
        // Another quantity calculated: the stored totals are not its.
        QVERIFY(type(*s, "Edit_Qtd1", "200"));
        QVERIFY(type(*s, "Edit_PrecoPerc", "1"));
        QCOMPARE(totalsOf(f, 1001), 0);
        QVERIFY(!s->printButton());
        QCOMPARE(f.view.messages.last(), kCloseFirstMessage);
        QCOMPARE(int(f.view.previews.size()), 2);
        // "&Cancelar": the rows and the totals as they were.
        s->cancel();
        QCOMPARE(rowsOf(f.site, 1001), 6);
        QVERIFY(reopen(*s, 1001));
        QVERIFY(s->printButton());
        QCOMPARE(int(f.view.previews.size()), 3);
        QCOMPARE(f.view.previews.back().master.value("QUANT1").toDouble(), 100.0);
        // Another customer accepted: open again until "&Cancelar".
        QVERIFY(reopen(*s, 1001));
        QVERIFY(type(*s, "Edit_CliNro", "2"));
        QCOMPARE(totalsOf(f, 1001), 0);
        s->cancel();
        QCOMPARE(totalsOf(f, 1001), 1);
        // Changed and left for another number: not printable when reopened.
        QVERIFY(reopen(*s, 1001));
        QVERIFY(type(*s, "Edit_Qtd1", "100") && type(*s, "Edit_Qtd2", "300") && type(*s, "Edit_Qtd3", ""));
        QVERIFY(type(*s, "Edit_OrcNro", "1002"));
        s->cancel();
        QVERIFY(reopen(*s, 1001));
        QVERIFY(!s->printButton());
        QCOMPARE(f.view.messages.last(), kCloseFirstMessage);
        QCOMPARE(int(f.view.previews.size()), 3);
    }

    void failedSave_data() { addBackendRows(); }
    // A calculation the database refused is not shown: the price page keeps
    // the one stored, all of it.
    void failedSave() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(quote(*s, 1, 1, "P", kExample, "20", {"100", "", ""}));
        QVERIFY(type(*s, "Edit_AgtPerc", "0") && type(*s, "Edit_MetExpPerc", "0"));
        const LevelFigures stored = s->figures(1);
        QCOMPARE(stored.commissions, 22.73);
        const int charts = f.view.charts.size();
        f.site.program().setFailureHook([](const QString& sql, QString* message) {
            *message = kFailure;
            return sql.startsWith(QLatin1String("UPDATE ORCAMCOM"));
        });
        QVERIFY(!type(*s, "Edit_VndPerc", "10"));
        f.site.program().setFailureHook({});
        QCOMPARE(f.view.messages.last(), kFailure);
        QCOMPARE(s->values().Com[0], 22.73);
        QVERIFY(qAbs(s->values().V[0] - 454.6666667) < 1e-6);
        QCOMPARE(s->quotation().mas.VALORCLI[0], 454.67);
        compareFigures(s->figures(1), stored);
        QCOMPARE(f.view.charts.size(), charts);
        QCOMPARE(value(f.site, "SELECT VNDVALTOT1 FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 22.73);
        // Typed again, it is written and shown.
        QVERIFY(type(*s, "Edit_VndPerc", "10"));
        QVERIFY(s->figures(1).commissions > 22.73);
        QCOMPARE(value(f.site, "SELECT VNDPERC FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 10.0);
    }

    void pieOfTheCalculation_data() { addBackendRows(); }
    // The pie draws the slices just computed, whatever the user's rows in
    // SALDOS hold or whether they could be written.
    void pieOfTheCalculation() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(quote(*s, 1, 1, "P", kExample, "20", {"100", "200", ""}));
        QCOMPARE(f.view.charts.last().first, 1);
        QCOMPARE(f.view.charts.last().second, priceChartSlices(s->figures(1)));
        f.site.program().setFailureHook([](const QString& sql, QString* message) {
            *message = kFailure;
            return sql.startsWith(QLatin1String("INSERT INTO SALDOS"));
        });
        QVERIFY(type(*s, "Edit_AgtPerc", "0"));
        QCOMPARE(f.view.messages.last(), kFailure);
        QCOMPARE(f.view.charts.last().second, priceChartSlices(s->figures(1)));
        QVERIFY(s->chartButton(2));
        QCOMPARE(f.view.charts.last().first, 2);
        QCOMPARE(f.view.charts.last().second, priceChartSlices(s->figures(2)));
        f.site.program().setFailureHook({});
    }

    void printWithoutParameters_data() { addBackendRows(); }
    // Printing with no general parameters row: its message, nothing printed.
    void printWithoutParameters() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(closedExample(f, *s));
        f.site.exec(f.site.program(), "DELETE FROM PARGER WHERE CODIGO = 1");
        const int beeps = f.view.beeps;
        QVERIFY(!s->printQuotation(1001));
        QCOMPARE(f.view.messages.last(), kNoParametersMessage);
        QVERIFY(f.view.beeps > beeps);
        QVERIFY(f.view.previews.empty());
    }
};

QTEST_GUILESS_MAIN(TestQuotationTotals)
#include "test_quotation_totals.moc"
