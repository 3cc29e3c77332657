#include "quotation/quotation_calc.h"

#include <QtTest>

using namespace corvane::quotation;
using corvane::techsheet::FictecDetLine;
using corvane::techsheet::TipoCusto;

namespace {

FictecDetLine row(int tipo, double valor, double preco = 0, double quant = 0, double tmpace = 0,
                  double semAcerto = 0) {
    FictecDetLine r;
    r.TIPO = tipo;
    r.VALOR = valor;
    r.PRECO = preco;
    r.QUANT = quant;
    r.TMPACE = tmpace;
    r.TMP_SEMACERTO = semAcerto;
    return r;
}

// The sheet of the worked example: materials 2.00 with 5% waste, one machine
// time, fixed costs 50, structure 10%, packaging 0.30.
const CostTypes kTypes = {{1, 5, 1}, {2, 0, 2}, {3, 0, 3}, {5, 0, 5}, {6, 0, 6}};
const std::vector<FictecDetLine> kSheet = {row(1, 2.0), row(2, 0, 10, 0, 1, 0.01), row(3, 50),
                                           row(5, 0, 0, 10), row(6, 0.30)};

Quotation exampleQuotation() {
    Quotation q;
    q.mas.QUANT = {100, 0, 0};
    q.mas.MARGEMLIQ = 20;
    q.mas.DESENHO = "S";
    q.com.VND.PERC = 5;
    return q;
}

} // namespace

class TestQuotationCalc : public QObject {
    Q_OBJECT
private slots:
    void unitCostBuildUp() {
        corvane::techsheet::Notes notes;
        const UnitCosts u = buildUnitCosts(kSheet, kTypes, {100, 200, 0}, notes);
        QVERIFY(notes.messages.isEmpty());
        QCOMPARE(u.M, 2.0);
        QCOMPARE(u.F, 50.0);
        QCOMPARE(u.W, 0.1);
        QCOMPARE(u.E, 0.3);
        QCOMPARE(u.s, 10.0);
        QCOMPARE(u.Tr[0], 20.0);
        QCOMPARE(u.Tr[1], 30.0);
        QCOMPARE(u.Tr[2], 0.0);
    }

    // Machine time is charged at the price of a minute: per-minute lines (the
    // loom of a woven sheet, ultrasound cutting) as they are, per-hour lines
    // (knitting, the machine steps, the printing machine) at PRECO / 60.
    void machineTimeRates() {
        const auto line = [](const char* step) {
            FictecDetLine r = row(2, 1.25, 30, 2.5, 10, 2.5);
            r.RELACFICTEC = QString::fromLatin1(step);
            return r;
        };
        const Levels quantities{100, 0, 0};
        const double perMinute = 30 * (10 + 2.5 * 100);
        for (const auto& [step, kind, expected] :
             {std::tuple{"C", "CA", perMinute / 60}, std::tuple{"A", "CT", perMinute / 60},
              std::tuple{"S", "GT", perMinute / 60}, std::tuple{"T", "CI", perMinute / 60},
              std::tuple{"T", "CA", perMinute}, std::tuple{"J", "CA", perMinute},
              std::tuple{"J", "CI", perMinute}}) {
            corvane::techsheet::Notes notes;
            const UnitCosts u =
                buildUnitCosts({line(step)}, kTypes, quantities, notes, QString::fromLatin1(kind));
            QVERIFY2(qAbs(u.Tr[0] - expected) < 1e-9,
                     qPrintable(QStringLiteral("%1 on %2: %3").arg(step, kind).arg(u.Tr[0])));
        }
        // A row without a step (the worked example's) is a per-minute one.
        corvane::techsheet::Notes notes;
        QCOMPARE(buildUnitCosts({row(2, 0, 10, 0, 1, 0.01)}, kTypes, quantities, notes, QStringLiteral("CT"))
                     .Tr[0],
                 20.0);
    }

    void unknownAndMisconfiguredCostTypes() {
        // code 4 of class 1 counts as materials and as quality; code 9 is
        // unknown and class 8 is outside 1..7: both skipped, even for waste.
        const CostTypes types = {{4, 10, 1}, {8, 50, 8}, {5, 0, 5}};
        corvane::techsheet::Notes notes;
        const UnitCosts u = buildUnitCosts(
            {row(4, 3), row(9, 7), row(8, 5), row(5, 0, 0, 10), row(5, 0, 0, 12)}, types, {1, 0, 0}, notes);
        QCOMPARE(u.M, 3.0);
        QCOMPARE(u.QL, 3.0);
        QCOMPARE(u.W, 0.3);
        QCOMPARE(u.s, 12.0); // the last structure row counts
        QCOMPARE(notes.messages,
                 QStringList({"Tipo de Custo Inexistente : 9", "Tipo de Custo 8 mal parametrizado !!!"}));
        QVERIFY(!notes.refused);
    }

    void workedExampleMarginMode() {
        corvane::techsheet::Notes notes;
        Quotation q = exampleQuotation();
        const UnitCosts u = buildUnitCosts(kSheet, kTypes, q.mas.QUANT, notes);
        LevelValues v;
        QVERIFY(calculateQuotation(q, u, v, notes));
        const LevelCost& c = v.cost[0];
        QCOMPARE(c.Mat, 200.0);
        QCOMPARE(c.Tra, 20.0);
        QCOMPARE(c.Fix, 50.0);
        QCOMPARE(c.Was, 10.0);
        QCOMPARE(c.Pac, 30.0);
        QCOMPARE(c.Str, 31.0);
        QCOMPARE(c.Base, 341.0);
        QCOMPARE(v.V[0], 341 / 0.75);
        QCOMPARE(q.com.VND.VALTOT[0], 22.73);
        QCOMPARE(q.mas.VALORCLI[0], 454.67);
        QCOMPARE(q.mas.PRCORC[0], 4.55);
        QCOMPARE(q.mas.PRECOCLI[0], 4.55);
        const OrcamTot t = closingTotals(v, 2);
        QCOMPARE(t.MATERIAIS[0], 200.0);
        QCOMPARE(t.ESTRUTURA[0], 31.0);
        QCOMPARE(t.COMISSOES[0], 22.73);
        QCOMPARE(t.MARGEMLIQ[0], 90.93);
        QCOMPARE(t.MARGEMPRC[0], 20.0);
        // only Q1: levels 2 and 3 are zero everywhere
        for (std::size_t i = 1; i < 3; ++i) {
            QCOMPARE(v.V[i], 0.0);
            QCOMPARE(q.mas.VALORCLI[i], 0.0);
            QCOMPARE(q.mas.PRCORC[i], 0.0);
            QCOMPARE(q.com.VND.VALTOT[i], 0.0);
            QCOMPARE(t.MATERIAIS[i], 0.0);
            QCOMPARE(t.MARGEMPRC[i], 0.0);
        }
    }

    void workedExampleCustomerMode() {
        corvane::techsheet::Notes notes;
        Quotation q = exampleQuotation();
        q.mode = PriceMode::Customer;
        q.mas.PRCORC[0] = 4.55;
        q.mas.PRECOCLI[0] = 5.00;
        const UnitCosts u = buildUnitCosts(kSheet, kTypes, q.mas.QUANT, notes);
        LevelValues v;
        QVERIFY(calculateQuotation(q, u, v, notes));
        QCOMPARE(v.V[0], 500.0);
        QCOMPARE(q.com.VND.VALTOT[0], 25.0);
        QCOMPARE(v.Mg[0], 134.0);
        QCOMPARE(closingTotals(v, 2).MARGEMPRC[0], 26.8);
        QCOMPARE(q.mas.VALORCLI[0], 500.0);
        QCOMPARE(q.mas.PRCORC[0], 4.55);
        QCOMPARE(q.mas.PRECOCLI[0], 5.0);
    }

    void fixedCostsOnlyWithDesign() {
        corvane::techsheet::Notes notes;
        Quotation q = exampleQuotation();
        q.mas.DESENHO = "N";
        const UnitCosts u = buildUnitCosts(kSheet, kTypes, q.mas.QUANT, notes);
        LevelValues v;
        QVERIFY(calculateQuotation(q, u, v, notes));
        QCOMPARE(v.cost[0].Fix, 0.0);
        QCOMPARE(v.cost[0].Str, 26.0); // 10% of 260
        QCOMPARE(v.cost[0].Base, 286.0);
    }

    void fixedAmountWinsOnLevelsWithQuantity() {
        Quotation q = exampleQuotation();
        q.transp.METEXP.VALFIXO = 40;
        q.transp.SEG.PERC = 2;
        LevelValues v;
        corvane::techsheet::Notes notes;
        QVERIFY(calculateQuotation(q, UnitCosts{}, v, notes));
        QCOMPARE(q.transp.METEXP.VALTOT, (Levels{40, 0, 0}));
        // Q3 > 0 with nothing to sell at that level (customer mode, no price)
        q.mode = PriceMode::Customer;
        q.mas.QUANT = {100, 200, 300};
        q.mas.PRECOCLI = {5, 4, 0};
        QVERIFY(calculateQuotation(q, UnitCosts{}, v, notes));
        QCOMPARE(v.V[2], 0.0);
        QCOMPARE(q.transp.METEXP.VALTOT[2], 40.0);
        QCOMPARE(q.transp.SEG.VALTOT, (Levels{10, 16, 0}));
        QCOMPARE(v.Trp[2], 40.0);
        QCOMPARE(q.mas.VALORCLI[2], 0.0);
        QCOMPARE(v.Mg[2], 0.0);
    }

    void levelThreeValueHasThreeDecimals() {
        Quotation q;
        q.mode = PriceMode::Customer;
        q.mas.QUANT = {1, 2, 4};
        q.mas.PRECOCLI = {1234.5625, 617.28125, 308.640625};
        LevelValues v;
        corvane::techsheet::Notes notes;
        QVERIFY(calculateQuotation(q, UnitCosts{}, v, notes));
        QCOMPARE(q.mas.VALORCLI, (Levels{1234.56, 1234.56, 1234.563}));
    }

    void percentagesOfAHundredAreRefused() {
        Quotation q = exampleQuotation();
        q.mas.MARGEMLIQ = 95; // with the seller's 5%: P = 100
        q.mas.VALORCLI = {7, 0, 0};
        LevelValues v;
        corvane::techsheet::Notes notes;
        QVERIFY(!calculateQuotation(q, UnitCosts{}, v, notes));
        QVERIFY(notes.refused);
        QCOMPARE(notes.messages.size(), 1);
        QCOMPARE(q.mas.VALORCLI[0], 7.0); // nothing computed
        q.mas.MARGEMLIQ = 94.9;
        notes = {};
        QVERIFY(calculateQuotation(q, UnitCosts{}, v, notes));
        // customer-price mode does not divide: the same sum is accepted
        q.mas.MARGEMLIQ = 120;
        q.mode = PriceMode::Customer;
        QVERIFY(calculateQuotation(q, UnitCosts{}, v, notes));
    }

    void negativePercentSumIsNotDivided() {
        Quotation q = exampleQuotation();
        q.com.VND.PERC = 0;
        q.mas.MARGEMLIQ = -10;
        UnitCosts u;
        u.M = 1;
        LevelValues v;
        corvane::techsheet::Notes notes;
        QVERIFY(calculateQuotation(q, u, v, notes));
        QCOMPARE(v.V[0], 100.0);
        QCOMPARE(v.Mg[0], -10.0);
    }
};

QTEST_GUILESS_MAIN(TestQuotationCalc)
#include "test_quotation_calc.moc"
