#include "techsheet/knitting_calc.h"
#include "techsheet/step_lines.h"
#include "techsheet/weaving_calc.h"

#include "core/rounding.h"

#include <QtTest>

using namespace corvane::techsheet;

namespace {

WorkMachineRow loom(const char* code, double width, double raport, double production, double setUp,
                    bool ticked) {
    WorkMachineRow r;
    r.CODIGO = code;
    r.DESIGNACAO = QString("Tear %1").arg(code);
    r.LARGURA = width;
    r.LARG_RAPORT = raport;
    r.PRODUCAO1 = production;
    r.ACERTO1 = setUp;
    r.CUSTOPADRAO = 0.5;
    r.OK = ticked ? "S" : "N";
    return r;
}

const std::vector<Yarn> kYarns = {{"FIO30", "Fio Nm 30", "KG", 30, 10},
                                  {"FIO0", "Fio sem Nm", "KG", 0, 10},
                                  {"FINO", "Fio muito fino", "KG", 100000, 10}};

WeavingInput article(double width, double length) {
    WeavingInput in;
    in.ArticleCode = "ART1";
    in.ArticleWidth = width;
    in.ArticleLength = length;
    in.ContractionPercent = 10;
    return in;
}

} // namespace

class TestWeavingCalc : public QObject {
    Q_OBJECT
private slots:
    void raportsStripsAndTime() {
        // 1800 mm loom, 600 mm raport, a scarf 30 cm wide and 180 cm long:
        // 3 raports of 20, 6 strips across the loom
        WeavingInput in = article(30, 180);
        in.weft[0] = {2400, "FIO30"}; // 20 picks per cm over 180 cm in two needles
        in.weft[1] = {1200, "FIO30"};
        std::vector<WorkMachineRow> looms = {loom("T1", 1800, 600, 400, 15, true)};
        LoomChoice choice;
        Notes notes;
        QVERIFY(computeLooms(in, looms, choice, notes));
        QCOMPARE(looms[0].RAPORT, 3);
        QCOMPARE(looms[0].FITAS, 6.0);
        QCOMPARE(choice.LoomRaports, QString("3"));
        QCOMPARE(choice.LoomStrips, QString("6"));
        QCOMPARE(choice.strips, 6);
        // 3600 picks at 400 a minute weave six scarves in 9 minutes:
        // 1.5 minutes a scarf, + 15 minutes of set-up, at 0.50 a minute
        QCOMPARE(looms[0].QTD_SEMACERTO, 1.5);
        QCOMPARE(looms[0].QTD, 16.5);
        QCOMPARE(looms[0].CUSTO, 8.25);

        // 5 strips (article 24 cm, raport 600: 25 per raport, 2 raports): 1.8 minutes
        in.ArticleWidth = 24;
        looms = {loom("T2", 1200, 600, 400, 15, true)};
        QVERIFY(computeLooms(in, looms, choice, notes));
        QCOMPARE(looms[0].FITAS, 5.0);
        QCOMPARE(looms[0].QTD_SEMACERTO, 1.8);
        QCOMPARE(looms[0].QTD, 16.8);
    }

    void loomRowsThatCannotBeComputed() {
        WeavingInput in = article(30, 160);
        in.weft[0] = {100, "FIO30"};
        // not ticked: no raport width, no production, fractional strips
        std::vector<WorkMachineRow> looms = {
            loom("A", 1800, 0, 400, 15, false), loom("B", 1800, 600, 0, 15, false),
            loom("C", 750, 250, 400, 0, false), loom("D", 1800, 600, 400, 0, true)};
        looms[0].QTD = 7;
        LoomChoice choice;
        Notes notes;
        QVERIFY(computeLooms(in, looms, choice, notes));
        QCOMPARE(looms[0].QTD, 0.0);
        QCOMPARE(looms[1].CUSTO, 0.0);
        QCOMPARE(looms[2].FITAS, 2.4); // 3 raports × 8 / 10, kept fractional
        QCOMPARE(choice.strips, 6);

        const struct {
            WorkMachineRow row;
            const char* message;
        } refused[] = {
            {loom("E", 1800, 0, 400, 15, true), "Largura do Raport não está definida ..."},
            {loom("F", 1800, 600, 0, 15, true), "Produção do Tear não está definida ..."},
            {loom("G", 750, 250, 400, 0, true), "Verifique medidas da máquina seleccionada..."},
            {loom("H", 100, 600, 400, 0, true), "Verifique medidas da máquina seleccionada..."},
        };
        for (const auto& r : refused) {
            std::vector<WorkMachineRow> one = {r.row};
            Notes n;
            QVERIFY(!computeLooms(in, one, choice, n));
            QCOMPARE(n.messages, QStringList{r.message});
        }
        Notes n;
        QVERIFY(!computeLooms(article(0, 160), looms, choice, n));
        QCOMPARE(n.messages, QStringList{"Largura do Artigo não está definida ..."});
    }

    void weftAndWarpConsumption() {
        WeavingInput in = article(25, 160);
        in.weft[0] = {300, "FIO30"};
        in.warp[0] = {200, "FIO30"};
        std::vector<WorkMachineRow> looms = {loom("T1", 1800, 600, 400, 15, true)};
        std::array<double, 8> weft{}, warp{};
        Notes notes;
        QVERIFY(computeWeft(in, kYarns, weft, notes));
        QCOMPARE(weft[0], 0.00275);
        QVERIFY(computeWarp(in, kYarns, looms, 6, warp, notes));
        QCOMPARE(warp[0], 0.00195556);
        QVERIFY(notes.messages.isEmpty());

        // the warp needs exactly one ticked loom before it divides
        looms[0].OK = "N";
        QVERIFY(!computeWarp(in, kYarns, looms, 0, warp, notes));
        QCOMPARE(notes.messages.last(), QString("Nº de Teares seleccionado inválido !!!"));
        looms = {loom("T1", 1800, 600, 400, 15, true), loom("T2", 1800, 600, 400, 15, true)};
        QVERIFY(!computeWarp(in, kYarns, looms, 6, warp, notes));
    }

    void weftChecksStopTheCalculation() {
        const struct {
            YarnPosition pos;
            int needle;
            double width;
            QString message;
        } cases[] = {
            {{10, ""}, 3, 25, "Artigo-3 da Trama Inválido !!!"},
            {{10, "NADA"}, 2, 25, "Artigo-2 da Trama Inexistente : NADA"},
            {{10, "FIO0"}, 1, 25, "Na Trama, o Fio : FIO0 o Nºmétrico do Fio está errado"},
            {{10, "FIO30"}, 1, 0.5, "Largura de Consumo Inválida, no Artigo : ART1"},
            {{1, "FINO"}, 1, 1, "Calculo de Consumo Errado, no Fio : FINO"},
        };
        for (const auto& c : cases) {
            WeavingInput in = article(c.width, 160);
            in.weft[static_cast<std::size_t>(c.needle - 1)] = c.pos;
            std::array<double, 8> kg{};
            Notes notes;
            QVERIFY(!computeWeft(in, kYarns, kg, notes));
            QCOMPARE(notes.messages, QStringList{c.message});
        }
    }

    void weavingLines() {
        WeavingInput in = article(25, 160);
        in.weft[0] = {300, "FIO30"};
        in.weft[1] = {0, ""}; // a needle without passages writes no line
        in.warp[2] = {200, "FIO30"};
        std::vector<WorkMachineRow> looms = {loom("T1", 1800, 600, 400, 15, true)};
        looms[0].QTD = 18;
        looms[0].QTD_SEMACERTO = 3;
        looms[0].PRECO = 0.5;
        looms[0].CUSTO = 9;
        const CostTypes types = {{7, 10, 2}, {3, 5, 1}};
        std::vector<FictecDetLine> lines;
        int detail = 8;
        Notes notes;
        QVERIFY(weavingLoomLine(in, looms, types, 7, detail, lines, notes));
        QVERIFY(weavingYarnLines(in, {0.00275}, {0, 0, 0.00195556}, kYarns, types, 3, detail, lines, notes));
        QCOMPARE(lines.size(), std::size_t(3));
        const FictecDetLine& l = lines[0];
        QCOMPARE(l.DETAIL, 8);
        QCOMPARE(l.RELACFICTEC, QString("T"));
        QCOMPARE(l.UNIDADE, QString("Min"));
        QCOMPARE(l.QUANT_FINAL, 19.8);
        QCOMPARE(l.VALOR_FINAL, 9.99); // 9 + 0.5 × 10 × 19.8 / 100
        QCOMPARE(*l.TMPACE, 15.0);
        QCOMPARE(*l.TMP_SEMACERTO, 3.0);
        const FictecDetLine& y = lines[1];
        QCOMPARE(y.DETAIL, 9);
        QCOMPARE(y.RELACFICTEC, QString("G"));
        QCOMPARE(y.TECELAGEM, QString("TR-01"));
        QCOMPARE(y.VALOR, 0.03);
        QCOMPARE(y.QUANT_FINAL, 0.0028875);
        QCOMPARE(y.VALOR_FINAL, 0.03);
        QCOMPARE(y.FACTCONV, 1000.0);
        QVERIFY(!y.TMPACE);
        QCOMPARE(lines[2].TECELAGEM, QString("TE-03"));

        // the price, not the value, carries the waste: 0.5 kg at 10 with 5%
        // gives 5 + 5 × 0.525 × 10 / 100 = 5.2625 (the value would give 5.13)
        QCOMPARE(yarnLine(kYarns[0], 0.5, 3, 5, 7).VALOR_FINAL, 5.26);

        // missing cost types skip only their lines; no loom or two refuse
        lines.clear();
        notes = {};
        QVERIFY(weavingLoomLine(in, looms, {}, 7, detail, lines, notes));
        QVERIFY(weavingYarnLines(in, {0.00275}, {}, kYarns, {}, 3, detail, lines, notes));
        QVERIFY(lines.empty());
        QCOMPARE(notes.messages, QStringList({"Ainda não parametrizou o Desperdício das Máquinas ...",
                                              "Ainda não parametrizou o Desperdício do Fio ...",
                                              "Ainda não parametrizou o Desperdício do Fio ..."}));
        looms[0].OK = "N";
        QVERIFY(!weavingLoomLine(in, looms, types, 7, detail, lines, notes));
    }

    void knitting() {
        KnittingInput in;
        in.ArticleCode = "GORRO";
        in.PieceWeight = 180;
        in.YarnWastePercent = 5;
        in.rows[0] = {60, "FIO30", "A1"};
        std::array<double, 8> kg{};
        Notes notes;
        QVERIFY(computeKnitConsumption(in, kYarns, kg, notes));
        QCOMPARE(kg[0], 0.108);

        WorkMachineRow m;
        m.CODIGO = "K1";
        m.CUSTOPADRAO = 12.5;
        m.ACERTO1 = 10;
        m.ACERTO2 = 20;
        m.OK = "S";
        m.QTD = 90;
        std::vector<WorkMachineRow> machines = {m};
        QVERIFY(costKnittingMachines(machines, notes));
        QCOMPARE(machines[0].CUSTO, 18.75);
        QCOMPARE(machines[0].TIPOPRD, 0);
        QCOMPARE(machines[0].QTD_SEMACERTO, 90.0);

        std::vector<FictecDetLine> lines;
        int detail = 1;
        const CostTypes types = {{7, 0, 2}, {3, 0, 1}};
        QVERIFY(knittingLines(in, kg, machines, kYarns, types, 7, 3, detail, lines, notes));
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[0].QUANT_FINAL, 94.5);
        QCOMPARE(lines[0].VALOR_FINAL, 19.73); // per-hour price: 18.75 + 12.5/60 × 5 × 94.5 / 100
        QCOMPARE(lines[0].FACTCONV, 1000.0);
        QCOMPARE(*lines[0].TMPACE, 20.0);        // TIPOPRD 0 records mode 2's set-up
        QCOMPARE(*lines[0].TMP_SEMACERTO, 90.0); // the minutes per piece
        machines[0].QTD = 90.25;
        machines[0].QTD_SEMACERTO = 0; // as read back from a row never costed
        lines.clear();
        QVERIFY(knittingLines(in, kg, machines, kYarns, types, 7, 3, detail, lines, notes));
        QCOMPARE(*lines[0].TMP_SEMACERTO, lines[0].QUANT);
        QCOMPARE(lines[0].QUANT, 90.25);
        QCOMPARE(lines[1].QUANT_FINAL, 0.1134);
        QCOMPARE(lines[1].VALOR_FINAL, 1.14); // 1.08 + 5 × 0.1134 × 10 / 100
        QCOMPARE(lines[1].FACTCONV, 0.0);
        QCOMPARE(lines[1].RELACFICTEC, QString("A"));
        QVERIFY(notes.messages.isEmpty());
    }

    void knittingRefusals() {
        KnittingInput in;
        in.PieceWeight = 180;
        in.rows[0] = {60, "FIO30", ""};
        in.rows[1] = {50, "", ""};
        std::array<double, 8> kg{};
        Notes notes;
        QVERIFY(!computeKnitConsumption(in, kYarns, kg, notes));
        QCOMPARE(notes.messages.last(), QString("O Total de % de Consumo excedeu os 100%"));
        in.rows[1].percent = 40;
        QVERIFY(!computeKnitConsumption(in, kYarns, kg, notes));
        QCOMPARE(notes.messages.last(), QString("Artigo-2 Inválido !!!"));
        in.rows[1].yarn = "NADA";
        QVERIFY(!computeKnitConsumption(in, kYarns, kg, notes));
        QCOMPARE(notes.messages.last(), QString("Artigo-2 Inexistente : NADA"));

        std::vector<WorkMachineRow> machines(1);
        machines[0].OK = "S";
        QVERIFY(!costKnittingMachines(machines, notes));
        QCOMPARE(notes.messages.last(), QString("Insira o tempo [min] por cada operação..."));

        double percent = -1;
        QVERIFY(knitPercentOnExit(0.5, percent, notes));
        QCOMPARE(percent, 0.0);
        QVERIFY(knitPercentOnExit(60.7, percent, notes));
        QCOMPARE(percent, 60.0);
        QVERIFY(!knitPercentOnExit(101, percent, notes));
        QCOMPARE(notes.messages.last(), QString("% de consumo inválida !!!"));

        // writing the lines checks row 1 with its own wording
        in.rows = {};
        in.rows[0] = {60, "NADA", ""};
        machines[0].QTD = 10;
        std::vector<FictecDetLine> lines;
        int detail = 1;
        QVERIFY(!knittingLines(in, kg, machines, kYarns, {}, 7, 3, detail, lines, notes));
        QCOMPARE(notes.messages.last(), QString("Artigo-1  Inexistente : NADA"));
        machines.push_back(machines[0]);
        QVERIFY(!knittingLines(in, kg, machines, kYarns, {}, 7, 3, detail, lines, notes));
        QCOMPARE(notes.messages.last(), QString("Nº de Teares seleccionado inválido !!!"));
    }
};

QTEST_GUILESS_MAIN(TestWeavingCalc)
#include "test_weaving_calc.moc"
