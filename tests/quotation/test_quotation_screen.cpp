// The quotation screen's logic on both backends, typed as a user would and
// checked in the database afterwards: the worked example in both price modes,
// the machine time of a knitted product, a technical product record, the
// checks of the top fields and of the price page, closing, cancelling and
// deleting, an approval made meanwhile and a closing that fails.
#include "core/rounding.h"
#include "quotation/report/quotation_report.h"
#include "quotation/screens/quotation_screen.h"
#include "quotation/screens/quotation_search.h"
#include "screen_fixture.h"
#include "support/test_site.h"

#include <QtTest>

#include <memory>

using namespace corvane;
using namespace corvane::quotation;

namespace {

const QString kFailure = QStringLiteral("falha simulada");

// The worked example typed in: customer 1 brings a seller at 5 %, an agent at
// 2.5 % and shipping at 3.5 %; the last two are typed away.
bool typeWorkedExample(QuotationScreen& s) {
    return quote(s, 1, 1, "P", kExample, "20", {"100", "", ""}) && type(s, "Edit_AgtPerc", "0") &&
           type(s, "Edit_MetExpPerc", "0");
}

} // namespace

class TestQuotationScreen : public QObject {
    Q_OBJECT
private slots:
    void activation_data() { addBackendRows(); }
    // Rights, the series and its proposal, the parameters the screen needs.
    void activation() {
        QUOTATION_FIXTURE(f, s);
        // The user's chart slices are emptied at activation.
        f.site.exec(
            f.site.program(),
            "INSERT INTO SALDOS (UTIL, PROGRAMA, SEQUENCIA, LEGENDA, VALOR) VALUES ('ANA', 'CORVP040', 1, "
            "'x', 1)");
        s = f.open();
        QVERIFY(s);
        QVERIFY(s->deleteVisible());
        QCOMPARE(s->text("Edit_Serie"), QStringLiteral("1"));
        QCOMPARE(s->text("Edit_DatOrc"), QDate::currentDate().toString("dd/MM/yyyy"));
        QCOMPARE(value(f.site, "SELECT COUNT(*) FROM SALDOS WHERE UTIL = 'ANA'").toInt(), 0);
        QVERIFY(!type(*s, "Edit_Serie", "6"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("INSIRA O Nº DA SÉRIE DE ORÇAMENTOS DE 1 A 5 !!!"));
        QVERIFY(type(*s, "Edit_Serie", "2"));
        QCOMPARE(s->text("Edit_OrcNro"), QStringLiteral("2001"));
        s->fieldEnter("Edit_OrcNro");
        QCOMPARE(f.view.status[0].last(),
                 QStringLiteral(
                     "<INS> Procura Numérica, <CTRL+INS> Procura p/ Cliente, <F1> Procura Selectiva ..."));
        // A number of 0 goes back to the series.
        QVERIFY(!type(*s, "Edit_OrcNro", "0"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Serie"));

        f.mayDelete = false;
        s = f.open();
        QVERIFY(s && !s->deleteVisible());
        f.site.exec(f.site.invoicing(), "DELETE FROM PARCUSTOM");
        QVERIFY(f.open());
        QVERIFY(f.view.messages.contains(QStringLiteral("Problemas c/ leitura Tabelas Customizadas")));
        f.site.exec(f.site.invoicing(), "DELETE FROM PARGER");
        QVERIFY(!f.open());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Parâmetros Gerais, Inexistentes"));
    }

    void workedExample_data() { addBackendRows(); }
    // Margin-driven: Base 341, V 454.67, commission 22.73, margin 90.93 (20.0 %),
    // price 4.55, saved after each calculation and stored at closing.
    void workedExample() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY2(typeWorkedExample(*s), qPrintable(f.view.messages.join("; ")));
        QCOMPARE(s->number(), 1001);
        QVERIFY(s->isNew());
        QCOMPARE(f.view.pages.last(), kPageQuotation);
        QVERIFY(s->closeEnabled());
        QCOMPARE(s->levelHeading(1), QStringLiteral("( 100 )"));
        QVERIFY(s->levelHeading(2).isEmpty());
        const LevelValues& v = s->values();
        QCOMPARE(v.cost[0].Mat, 200.0);
        QCOMPARE(v.cost[0].Tra, 20.0);
        QCOMPARE(v.cost[0].Was, 10.0);
        QCOMPARE(v.cost[0].Str, 31.0);
        QCOMPARE(v.cost[0].Base, 341.0);
        QVERIFY(qAbs(v.V[0] - 454.6666667) < 1e-6);
        QVERIFY(qAbs(v.Mg[0] - 90.9333333) < 1e-6);
        QCOMPARE(s->quotation().com.VND.VALTOT[0], 22.73);

        // In the database after the calculation.
        const QList<QVariantList> mas =
            selectRows(f.site.program(), "SELECT VALORCLI1, PRCORC1, PRECOCLI1, CLINRO, ARTIGO, CLINOM, "
                                         "DESIGN, VNDNRO, QUANT2 FROM ORCAMMAS "
                                         "WHERE ORCNRO = 1001");
        QCOMPARE(mas[0][0].toDouble(), 454.67);
        QCOMPARE(mas[0][1].toDouble(), 4.55);
        QCOMPARE(mas[0][2].toDouble(), 4.55);
        QCOMPARE(mas[0][3].toInt(), 1);
        QCOMPARE(mas[0][4].toString().trimmed(), kExample);
        QCOMPARE(mas[0][6].toString().trimmed(), QStringLiteral("Cachecol de Exemplo"));
        QCOMPARE(mas[0][7].toInt(), 1);
        QCOMPARE(mas[0][8].toDouble(), 0.0);
        QCOMPARE(value(f.site, "SELECT VNDVALTOT1 FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 22.73);
        QCOMPARE(value(f.site, "SELECT AGTPERC FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 0.0);
        QCOMPARE(value(f.site, "SELECT METEXPVALTOT1 FROM ORCAMTRANSP WHERE ORCNRO = 1001").toDouble(), 0.0);
        // The level-1 chart of the user.
        const QList<QVariantList> chart = selectRows(
            f.site.program(), "SELECT LEGENDA, VALOR FROM SALDOS WHERE UTIL = 'ANA' AND PROGRAMA = "
                              "'CORVP040' ORDER BY SEQUENCIA");
        QCOMPARE(chart.size(), 3);
        QCOMPARE(chart[0][1].toDouble(), 341.0);
        QCOMPARE(chart[1][1].toDouble(), 22.73);
        QCOMPARE(chart[2][1].toDouble(), 90.93);

        // Closing as calculated (what confirming on leaving the last customer price does);
        // printing is offered and the report leaves its level-1 chart.
        f.site.exec(f.site.program(), "UPDATE SALDOS SET VALOR = 0 WHERE UTIL = 'ANA'");
        QVERIFY(s->closeQuotation());
        QCOMPARE(f.view.questions.last(), kPrintQuestion);
        QCOMPARE(int(f.view.previews.size()), 1);
        QCOMPARE(f.view.previews[0].number(), 1001);
        QCOMPARE(printedLevel(f.view.previews[0], 1).base, 341.0);
        QCOMPARE(selectRows(f.site.program(), "SELECT VALOR FROM SALDOS WHERE UTIL = 'ANA' AND PROGRAMA = "
                                              "'CORVP040' ORDER BY SEQUENCIA"),
                 (QList<QVariantList>{{341.0}, {22.73}, {90.93}}));
        const QList<QVariantList> tot =
            selectRows(f.site.program(),
                       "SELECT MATERIAIS1, ESTRUTURA1, COMISSOES1, MARGEMLIQ1, MARGEMPRC1, MATERIAIS2 FROM "
                       "ORCAMTOT WHERE ORCNRO = 1001");
        QCOMPARE(tot.size(), 1);
        QCOMPARE(tot[0][0].toDouble(), 200.0);
        QCOMPARE(tot[0][1].toDouble(), 31.0);
        QCOMPARE(tot[0][2].toDouble(), 22.73);
        QCOMPARE(tot[0][3].toDouble(), 90.93);
        QCOMPARE(tot[0][4].toDouble(), 20.0);
        QCOMPARE(tot[0][5].toDouble(), 0.0);
        QCOMPARE(counter(f.site, 1), 1001);
        QCOMPARE(counter(f.site, 2), 2000);
        QVERIFY(!s->hasQuotation() && !s->closeEnabled());
        QCOMPARE(f.view.pages.last(), kPageInformation);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_OrcNro"));
        // "&Cancelar" right after closing a new quotation leaves it.
        s->cancel();
        QCOMPARE(rowsOf(f.site, 1001), 6);
    }

    void customerPrice_data() { addBackendRows(); }
    // The worked example in customer-price mode at 5.00, closed from the last
    // customer price.
    void customerPrice() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(typeWorkedExample(*s));
        QVERIFY(!s->priceFieldsEnabled());
        QVERIFY(s->closeButton());
        QVERIFY(s->priceFieldsEnabled());
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_MargLiq"));
        QVERIFY(type(*s, "Edit_PrecoCli1", "5"));
        QCOMPARE(s->mode(), PriceMode::Customer);
        const LevelValues& v = s->values();
        QCOMPARE(v.V[0], 500.0);
        QCOMPARE(s->quotation().com.VND.VALTOT[0], 25.0);
        QVERIFY(qAbs(v.Mg[0] - 134) < 1e-9);
        QCOMPARE(s->quotation().mas.PRCORC[0], 4.55);
        QCOMPARE(value(f.site, "SELECT VALORCLI1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 500.0);
        // Leaving the last customer price asks whether to close: no keeps it open.
        f.view.answers = {false};
        QVERIFY(type(*s, "Edit_PrecoCli2", ""));
        QVERIFY(type(*s, "Edit_PrecoCli3", ""));
        QCOMPARE(f.view.questions.last(), kCloseQuestion);
        QVERIFY(s->hasQuotation());
        QCOMPARE(counter(f.site, 1), 1000);
        // Yes to closing, no to printing.
        f.view.answers = {true, false};
        QVERIFY(type(*s, "Edit_PrecoCli3", ""));
        QVERIFY(!s->hasQuotation());
        QCOMPARE(f.view.questions.last(), kPrintQuestion);
        QVERIFY(f.view.previews.empty());
        const QList<QVariantList> tot = selectRows(
            f.site.program(), "SELECT COMISSOES1, MARGEMLIQ1, MARGEMPRC1 FROM ORCAMTOT WHERE ORCNRO = 1001");
        QCOMPARE(tot[0][0].toDouble(), 25.0);
        QCOMPARE(tot[0][1].toDouble(), 134.0);
        QCOMPARE(tot[0][2].toDouble(), 26.8);
        QCOMPARE(value(f.site, "SELECT PRCORC1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 4.55);
        QCOMPARE(counter(f.site, 1), 1001);
        // Entering the margin field goes back to margin-driven mode.
        QVERIFY(quote(*s, 1, 1, "P", kExample, "20", {"100", "", ""}));
        s->closeButton();
        s->fieldEnter("Edit_PrecoCli1");
        QCOMPARE(s->mode(), PriceMode::Customer);
        s->fieldEnter("Edit_MargLiq");
        QCOMPARE(s->mode(), PriceMode::Margin);
    }

    void levelsAndSheets_data() { addBackendRows(); }
    // A knitted seam priced per hour; the transformation cost follows
    // quantities changed after the price page; a technical product record.
    void levelsAndSheets() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY2(quote(*s, 1, 2, "P", kKnitted, "20", {"100", "200", "400"}),
                 qPrintable(f.view.messages.join(";")));
        // 2.5 minutes at 30 per hour: 1.25 a piece, not 75.
        QCOMPARE(s->values().cost[0].Tra, 125.0);
        QCOMPARE(s->values().cost[1].Tra, 250.0);
        QCOMPARE(s->values().cost[2].Tra, 500.0);
        QCOMPARE(s->levelHeading(3), QStringLiteral("( 400 )"));
        // Quantities changed after the price page: the next calculation costs them.
        QVERIFY(type(*s, "Edit_Qtd2", "300"));
        QVERIFY(type(*s, "Edit_PrecoPerc", "1"));
        QCOMPARE(s->values().cost[1].Tra, 375.0);
        QCOMPARE(value(f.site, "SELECT QUANT2 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 300.0);
        // Level 1 changed after the price page stays below level 2 (300) and level 3.
        QVERIFY(!type(*s, "Edit_Qtd1", "300"));
        QCOMPARE(f.view.messages.last(), kInvalidQuantity);
        QVERIFY(!type(*s, "Edit_Qtd1", "500"));
        QVERIFY(type(*s, "Edit_Qtd1", "250"));
        // Level 2 stays between level 1 and level 3 (400).
        QVERIFY(!type(*s, "Edit_Qtd2", "400"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Qtd1"));
        QVERIFY(type(*s, "Edit_Qtd2", ""));
        QVERIFY(type(*s, "Edit_Qtd1", "300"));
        QVERIFY(!type(*s, "Edit_Qtd2", "250")); // not above level 1
        QCOMPARE(f.view.messages.last(), kInvalidQuantity);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Qtd1"));
        QVERIFY(type(*s, "Edit_Qtd2", ""));
        // Level 3 without level 2 is refused.
        QVERIFY(!type(*s, "Edit_Qtd3", "400"));
        QCOMPARE(f.view.messages.last(), kInvalidQuantity);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Qtd1"));
        QVERIFY(type(*s, "Edit_Qtd3", ""));
        QCOMPARE(s->values().cost[0].Tra, 375.0);
        QCOMPARE(s->values().cost[1].Base, 0.0);
        QCOMPARE(s->values().cost[2].Base, 0.0);
        QVERIFY(type(*s, "Edit_QtdPerc", "1"));
        QCOMPARE(value(f.site, "SELECT QUANT1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 300.0);
        QCOMPARE(value(f.site, "SELECT VALORCLI2 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 0.0);
        QCOMPARE(value(f.site, "SELECT QTDVALTOT2 FROM ORCAMDESC WHERE ORCNRO = 1001").toDouble(), 0.0);
        QVERIFY(value(f.site, "SELECT QTDVALTOT1 FROM ORCAMDESC WHERE ORCNRO = 1001").toDouble() > 0);
        s->cancel();
        QCOMPARE(rowsOf(f.site, 1001), 0);

        // A technical product record: its own lines, its own kind.
        const Levels q{100, 0, 0};
        Notes notes;
        const UnitCosts expected = *sheetUnitCosts(f.site.program(), "GORAC02.PRE", "T", q, notes);
        QVERIFY(quote(*s, 1, 1, "T", "GORAC02.PRE", "20", {"100", "", ""}));
        QCOMPARE(s->quotation().mas.TIPOFT, QStringLiteral("T"));
        QVERIFY(s->unitCosts().M > 0);
        QCOMPARE(s->unitCosts().M, expected.M);
        QCOMPARE(s->values().cost[0].Tra, expected.Tr[0]);
        QCOMPARE(value(f.site, "SELECT TIPOFT FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QStringLiteral("T"));
        // A product code is not a record, and a record's kind is checked.
        QVERIFY(!type(*s, "Edit_TipoFt", "X"));
        QCOMPARE(f.view.messages.last(),
                 QStringLiteral("Insira <P> para Produto ou <T> para Registo Técnico de Produto !!"));
        QVERIFY(!type(*s, "Edit_ArtNro", kExample));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo Inexistente ...") + kExample);
    }

    void percentageSum_data() { addBackendRows(); }
    // Percentages of 100 or more refused on leaving Qtd. III: the margin is
    // the one to change (customer 1 brings 5 + 2.5 + 3.5 %).
    void percentageSum() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(!quote(*s, 1, 1, "P", kExample, "90", {"100", "", ""}));
        QVERIFY(f.view.messages.last().startsWith(QStringLiteral("A soma das percentagens")));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_MargemLiq"));
        QCOMPARE(f.view.pages.last(), kPageInformation);
        QVERIFY(!s->pricePageEnabled() && !s->closeEnabled());
        QVERIFY(type(*s, "Edit_MargemLiq", "20") && type(*s, "Edit_Qtd3", ""));
        QVERIFY(s->pricePageEnabled());
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_VndNro"));
    }

    void topFields_data() { addBackendRows(); }
    // The checks of the top fields.
    void topFields() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(type(*s, "Edit_Serie", "1"));
        QVERIFY(type(*s, "Edit_OrcNro", "1001"));
        QCOMPARE(rowsOf(f.site, 1001), 1);
        QVERIFY(!type(*s, "Edit_CliNro", ""));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Cliente Inválido"));
        QVERIFY(!type(*s, "Edit_CliNro", "99"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Cliente Inexistente : 99"));
        QCOMPARE(s->customerName(), QStringLiteral("Cliente Inxistente ..."));
        QCOMPARE(rowsOf(f.site, 1001), 1);
        QVERIFY(type(*s, "Edit_CliNro", "4"));
        QCOMPARE(s->customerName(), QStringLiteral("SILVA & FILHOS"));
        QCOMPARE(rowsOf(f.site, 1001), 5);
        QVERIFY(type(*s, "Edit_TipoFt", "p"));
        QCOMPARE(s->text("Edit_TipoFt"), QStringLiteral("P"));
        QVERIFY(!type(*s, "Edit_ArtNro", "NAOEXISTE"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo Inexistente ...NAOEXISTE"));
        QVERIFY(type(*s, "Edit_ArtNro", kExample));
        QCOMPARE(s->text("Edit_Desenho"), QStringLiteral("S"));
        QVERIFY(!type(*s, "Edit_MargemLiq", "0"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Indique que margem quer aplicar"));
        QVERIFY(!type(*s, "Edit_MargemLiq", "-5"));
        QCOMPARE(f.view.messages.last(), kNegativeMessage);
        QVERIFY(!type(*s, "Edit_Qtd1", "0"));
        QCOMPARE(f.view.messages.last(), kInvalidQuantity);
        s->setText("Edit_MargemLiq", "");
        QVERIFY(!type(*s, "Edit_Qtd1", "100"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Indique a Margem por favor"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_MargemLiq"));
        QVERIFY(type(*s, "Edit_MargemLiq", "20"));
        QVERIFY(type(*s, "Edit_Qtd1", "100"));
        QVERIFY(type(*s, "Edit_Qtd2", ""));
        QVERIFY(!type(*s, "Edit_Desenho", "X"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite [S] ou [N]"));
        QVERIFY(type(*s, "Edit_Desenho", "n"));
        QVERIFY(type(*s, "Edit_Qtd3", ""));
        // No fixed costs, and the structure charge shrinks with them.
        QCOMPARE(s->values().cost[0].Fix, 0.0);
        QCOMPARE(s->values().cost[0].Str, 26.0);
        QCOMPARE(value(f.site, "SELECT DESENHO FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QStringLiteral("N"));
        // Cancelling the new quotation removes its five rows.
        s->cancel();
        QCOMPARE(rowsOf(f.site, 1001), 0);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Serie"));
    }

    void searchChosen_data() { addBackendRows(); }
    // What the quotation search answers: nothing keeps the number; a number
    // opens that quotation and moves on to the date.
    void searchChosen() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(quote(*s, 1, 1, "P", kExample, "20", {"100", "", ""}));
        QVERIFY(s->closeButton());
        f.view.answers = {true, false};
        QVERIFY(s->closeQuotation());
        QVERIFY(type(*s, "Edit_Serie", "1"));
        QVERIFY(!s->searchChosen(0));
        QCOMPARE(f.view.messages.last(), kNothingFound);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_OrcNro"));
        QVERIFY(!s->hasQuotation());
        QVERIFY(s->searchChosen(1001));
        QVERIFY(s->hasQuotation() && !s->isNew());
        QCOMPARE(s->text("Edit_CliNro"), QStringLiteral("1"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_DatOrc"));
        // The stored quotation prints from the screen too.
        QVERIFY(s->printEnabled());
        QVERIFY(s->printButton());
        QCOMPARE(f.view.previews.back().number(), 1001);
    }

    void historyAndPie_data() { addBackendRows(); }
    // The customer's and the article's history reach the view when they are
    // chosen; the pie follows every calculation and the chart buttons, each
    // drawing replacing the user's slices; cancelling clears them all.
    void historyAndPie() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(quote(*s, 1, 5, "P", kExample, "20", {"100", "200", ""}));
        QCOMPARE(int(f.view.customers.size()), 1);
        const CustomerPanel& c = f.view.customers.back();
        QCOMPARE(c.customer, 5);
        QVERIFY(c.receivables);
        QVERIFY(!c.sales.years.isEmpty());
        QCOMPARE(f.view.articles.back().article, kExample);
        QCOMPARE(f.view.articles.back().identity.article.value("DESIGNACAO").toString().trimmed(),
                 QStringLiteral("Cachecol de Exemplo"));
        QVERIFY(f.view.articles.back().invoices.isEmpty());
        // The first calculation draws level 1.
        QVERIFY(!f.view.charts.isEmpty());
        QCOMPARE(f.view.charts.back().first, 1);
        QCOMPARE(f.view.charts.back().second.size(), 3);
        QCOMPARE(f.view.charts.back().second[0].VALOR, roundTo(s->values().cost[0].Base, 2));
        // Level 2 replaces the slices; a level not quoted draws nothing.
        QVERIFY(s->chartButton(2));
        QCOMPARE(f.view.charts.back().first, 2);
        QCOMPARE(f.view.charts.back().second[0].VALOR, roundTo(s->values().cost[1].Base, 2));
        QCOMPARE(value(f.site, "SELECT COUNT(*) FROM SALDOS WHERE UTIL = 'ANA'").toInt(), 3);
        QCOMPARE(value(f.site, "SELECT VALOR FROM SALDOS WHERE UTIL = 'ANA' AND SEQUENCIA = 1").toDouble(),
                 roundTo(s->values().cost[1].Base, 2));
        const qsizetype drawn = f.view.charts.size();
        QVERIFY(!s->chartButton(3));
        QCOMPARE(f.view.charts.size(), drawn);
        const int clears = f.view.clears;
        s->cancel();
        QCOMPARE(f.view.clears, clears + 1);

        // A customer without receivables.
        QVERIFY(quote(*s, 1, 2, "P", kExample, "20", {"100", "", ""}));
        QCOMPARE(f.view.customers.back().customer, 2);
        QVERIFY(!f.view.customers.back().receivables);
        s->cancel();
    }

    void drawingFromOrders_data() { addBackendRows(); }
    // The design costs are charged only the first time: a customer with an
    // order line of the article gets "N"; orders of other customers or of
    // other articles do not count.
    void drawingFromOrders() {
        QUOTATION_FIXTURE(f, s);
        for (const auto& [order, customer, article] :
             {std::tuple{901, 4, kExample}, std::tuple{902, 2, QStringLiteral("OUTRO")},
              std::tuple{903, 3, kExample}}) {
            f.site.exec(f.site.invoicing(), "INSERT INTO ENCCLIMAS (ENCNRO, CLINRO) VALUES (:E, :C)",
                        {{"E", order}, {"C", customer}});
            f.site.exec(
                f.site.invoicing(),
                "INSERT INTO ENCCLIDET (ENCNRO, DETAIL, ARTIGO, QUANTID, TOTENT) VALUES (:E, 1, :A, 10, "
                "'S')",
                {{"E", order}, {"A", article}});
        }
        QVERIFY(quote(*s, 1, 4, "P", kExample, "20", {"100", "", ""}));
        QCOMPARE(s->quotation().mas.DESENHO, QStringLiteral("N"));
        QCOMPARE(s->values().cost[0].Fix, 0.0);
        s->cancel();
        QVERIFY(quote(*s, 1, 2, "P", kExample, "20", {"100", "", ""}));
        QCOMPARE(s->quotation().mas.DESENHO, QStringLiteral("S"));
        QVERIFY(s->values().cost[0].Fix > 0);
        QCOMPARE(value(f.site, "SELECT DESENHO FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QStringLiteral("S"));
        s->cancel();
    }

    void charges_data() { addBackendRows(); }
    // The price page's handlers: fixed amount or percent, lookups, negative
    // values and a percentage sum of 100 refused in margin-driven mode.
    void charges() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(typeWorkedExample(*s));
        const Quotation& q = s->quotation();
        // A fixed amount clears the percent, a percent the fixed amount.
        QVERIFY(type(*s, "Edit_MetExpPerc", "3"));
        QVERIFY(type(*s, "Edit_MetExpValFixo", "40"));
        QCOMPARE(q.transp.METEXP.PERC, 0.0);
        QVERIFY(s->text("Edit_MetExpPerc").isEmpty());
        QCOMPARE(q.transp.METEXP.VALTOT[0], 40.0);
        QCOMPARE(q.transp.METEXP.VALTOT[2], 0.0);
        QVERIFY(type(*s, "Edit_SegPerc", "1"));
        QVERIFY(type(*s, "Edit_SegValFixo", "0"));
        QCOMPARE(q.transp.SEG.PERC, 1.0); // a zero amount clears nothing
        QVERIFY(type(*s, "Edit_MetExpPerc", "2"));
        QCOMPARE(q.transp.METEXP.VALFIXO, 0.0);
        QVERIFY(s->text("Edit_MetExpValFixo").isEmpty());
        QCOMPARE(value(f.site, "SELECT METEXPPERC FROM ORCAMTRANSP WHERE ORCNRO = 1001").toDouble(), 2.0);
        QCOMPARE(value(f.site, "SELECT METEXPVALFIXO FROM ORCAMTRANSP WHERE ORCNRO = 1001").toDouble(), 0.0);
        // A payment condition chosen from its list: its early-payment percent
        // clears the fixed discount as typing does.
        QVERIFY(type(*s, "Edit_Desc1ValFixo", "12"));
        QCOMPARE(q.cndpgt.DESC.VALTOT[0], 12.0);
        QVERIFY(s->lookupChosen("Edit_CndPgt", "1")); // paid at once, 2 %
        QCOMPARE(q.cndpgt.CNDPGTCODE, 1);
        QCOMPARE(q.cndpgt.CNDPGTDES, QStringLiteral("Dinheiro"));
        QCOMPARE(q.cndpgt.DESC.PERC, 2.0);
        QCOMPARE(q.cndpgt.DESC.VALFIXO, 0.0);
        QVERIFY(q.cndpgt.DESC.VALTOT[0] > 0 && q.cndpgt.DESC.VALTOT[0] != 12.0);
        QCOMPARE(value(f.site, "SELECT DESCVALFIXO FROM ORCAMCNDPGT WHERE ORCNRO = 1001").toDouble(), 0.0);
        // A shipping method chosen sets its percent; a missing one is emptied.
        QVERIFY(type(*s, "Edit_MetExpValFixo", "40"));
        QVERIFY(s->lookupChosen("Edit_MetExp", "TRANSITARIO"));
        QCOMPARE(q.transp.METEXP.PERC, 3.5);
        QCOMPARE(q.transp.METEXP.VALFIXO, 0.0);
        QVERIFY(!type(*s, "Edit_MetExp", "AVIAO"));
        QVERIFY(q.transp.METEXPCODE.isEmpty());
        QCOMPARE(q.transp.METEXP.PERC, 0.0);
        // Seller: missing keeps the focus; found takes its commission.
        QVERIFY(!type(*s, "Edit_VndNro", "9"));
        QCOMPARE(q.com.VND.PERC, 0.0);
        QVERIFY(q.com.VNDNOM.isEmpty());
        QVERIFY(type(*s, "Edit_VndNro", "1"));
        QCOMPARE(q.com.VNDNOM, QStringLiteral("Rui Martins"));
        QCOMPARE(q.com.VND.PERC, 5.0);
        QVERIFY(!type(*s, "Edit_AgtNro", ""));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_RoyNom"));
        // Negative percentages and margins are refused in margin-driven mode.
        const int messages = f.view.messages.size();
        QVERIFY(!type(*s, "Edit_VndPerc", "-2"));
        QCOMPARE(f.view.messages.last(), kNegativeMessage);
        QCOMPARE(q.com.VND.PERC, 5.0);
        QVERIFY(!type(*s, "Edit_PrzPerc", "-1"));
        QVERIFY(s->closeButton());
        QVERIFY(!type(*s, "Edit_MargLiq", "-3"));
        QCOMPARE(f.view.messages.size(), messages + 3);
        // A percentage sum of 100 is refused and the previous value kept.
        QVERIFY(!type(*s, "Edit_RoyPerc", "80"));
        QCOMPARE(q.com.ROY.PERC, 0.0);
        QCOMPARE(q.mas.MARGEMLIQ, 20.0);
        QVERIFY(type(*s, "Edit_MargLiq", "25"));
        QCOMPARE(s->text("Edit_MargemLiq"), QStringLiteral("25"));
        QCOMPARE(value(f.site, "SELECT MARGEMLIQ FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 25.0);
    }

    void existing_data() { addBackendRows(); }
    // Opening a quotation, cancelling it back to its stored rows, an approval
    // made meanwhile, a closing that fails, deleting.
    void existing() {
        QUOTATION_FIXTURE(f, s);
        QVERIFY(typeWorkedExample(*s));
        QVERIFY(s->closeQuotation());

        // Opened from another series by its number: every value back.
        QVERIFY(type(*s, "Edit_Serie", "2"));
        QVERIFY(type(*s, "Edit_OrcNro", "1001"));
        QVERIFY(!s->isNew());
        QCOMPARE(s->text("Edit_ArtNro"), kExample);
        QCOMPARE(s->text("Edit_Qtd1"), QStringLiteral("100"));
        QCOMPARE(s->text("Edit_MargemLiq"), QStringLiteral("20"));
        QCOMPARE(s->designation(), QStringLiteral("Cachecol de Exemplo"));
        QCOMPARE(s->unitCosts().M, 2.0);
        QVERIFY(type(*s, "Edit_Qtd1", "100"));
        QVERIFY(type(*s, "Edit_Qtd2", "150"));
        QVERIFY(type(*s, "Edit_Qtd3", ""));
        QVERIFY(type(*s, "Edit_VndPerc", "10"));
        QCOMPARE(value(f.site, "SELECT VNDPERC FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 10.0);
        QCOMPARE(value(f.site, "SELECT QUANT2 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 150.0);
        // "&Cancelar" puts back the rows it had when it was opened.
        s->cancel();
        QCOMPARE(value(f.site, "SELECT VNDPERC FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 5.0);
        QCOMPARE(value(f.site, "SELECT QUANT2 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 0.0);
        QCOMPARE(rowsOf(f.site, 1001), 6);

        // A failure at closing: its message, the values kept, no counter raised.
        QVERIFY(type(*s, "Edit_Serie", "2"));
        QVERIFY(type(*s, "Edit_OrcNro", "2500"));
        QVERIFY(type(*s, "Edit_CliNro", "1") && type(*s, "Edit_TipoFt", "P") &&
                type(*s, "Edit_ArtNro", kExample) && type(*s, "Edit_MargemLiq", "20") &&
                type(*s, "Edit_Qtd1", "100") && type(*s, "Edit_Qtd2", "") && type(*s, "Edit_Qtd3", ""));
        f.site.program().setFailureHook([](const QString& sql, QString* message) {
            *message = kFailure;
            return sql.startsWith(QLatin1String("UPDATE PARGER"));
        });
        QVERIFY(!s->closeQuotation());
        f.site.program().setFailureHook({});
        QCOMPARE(f.view.messages.last(), kFailure);
        QCOMPARE(counter(f.site, 2), 2000);
        QCOMPARE(value(f.site, "SELECT COUNT(*) FROM ORCAMTOT WHERE ORCNRO = 2500").toInt(), 0);
        QVERIFY(s->hasQuotation() && s->closeEnabled());
        QCOMPARE(s->values().cost[0].Base, 341.0);
        QVERIFY(s->closeQuotation());
        QCOMPARE(counter(f.site, 2), 2500);
        QCOMPARE(counter(f.site, 1), 1001);

        // Approved by another program while it is open: saving and deleting
        // refuse, the approval stays.
        QVERIFY(type(*s, "Edit_Serie", "1"));
        QVERIFY(type(*s, "Edit_OrcNro", "1001"));
        QVERIFY(type(*s, "Edit_Qtd3", ""));
        f.site.exec(f.site.program(),
                    "UPDATE ORCAMMAS SET APROVADO = 'S', VALORAPROV = 455 WHERE ORCNRO = 1001");
        QVERIFY(!type(*s, "Edit_VndPerc", "7"));
        QCOMPARE(f.view.messages.last(), kApprovedMessage);
        QVERIFY(!s->closeQuotation());
        QCOMPARE(f.view.messages.last(), kApprovedMessage);
        QVERIFY(!s->remove());
        QCOMPARE(f.view.messages.last(), kApprovedMessage);
        QCOMPARE(f.view.questions.last(), kDeleteQuestion);
        QCOMPARE(rowsOf(f.site, 1001), 6);
        QCOMPARE(value(f.site, "SELECT VNDPERC FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 5.0);
        QCOMPARE(value(f.site, "SELECT APROVADO FROM ORCAMMAS WHERE ORCNRO = 1001").toString(),
                 QStringLiteral("S"));
        s->cancel();
        QCOMPARE(value(f.site, "SELECT VALORAPROV FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 455.0);
        // Its number is refused from now on.
        QVERIFY(type(*s, "Edit_Serie", "1"));
        QVERIFY(!type(*s, "Edit_OrcNro", "1001"));
        QCOMPARE(f.view.messages.last(), kApprovedMessage);

        // Deleting: "no" keeps it, "yes" removes its six rows.
        QVERIFY(type(*s, "Edit_OrcNro", "2500"));
        f.view.answers = {false};
        QVERIFY(!s->remove());
        QCOMPARE(rowsOf(f.site, 2500), 6);
        QVERIFY(s->remove());
        QCOMPARE(rowsOf(f.site, 2500), 0);
        QCOMPARE(s->number(), 1001);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Serie"));
        s->cancel(); // nothing open: nothing to undo
        QCOMPARE(rowsOf(f.site, 1001), 6);
    }
};

QTEST_GUILESS_MAIN(TestQuotationScreen)
#include "test_quotation_screen.moc"
