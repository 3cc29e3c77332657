#include "core/rounding.h"
#include "techsheet/machine_step_calc.h"
#include "techsheet/operation_calc.h"
#include "techsheet/subcontract_calc.h"

#include <QtTest>

using namespace corvane::techsheet;

namespace {

WorkMachineRow machine(double price, double minutes) {
    WorkMachineRow r;
    r.CODIGO = "M1";
    r.DESIGNACAO = "Corte e Coze";
    r.CUSTOPADRAO = price;
    r.QTD = minutes;
    r.OK = "S";
    return r;
}

} // namespace

class TestStepCalc : public QObject {
    Q_OBJECT
private slots:
    void lineNumbers() {
        std::vector<FictecDetLine> lines(3);
        lines[0].DETAIL = 1;
        lines[1].DETAIL = 7;
        lines[2].DETAIL = 2;
        QCOMPARE(nextDetail(lines), 8);
        QCOMPARE(nextDetail({}), 1);
    }

    void roundingTraps() {
        // binary values just below a half still round away from zero
        QCOMPARE(corvane::roundTo(0.0028875, 7), 0.0028875);
        QCOMPARE(corvane::roundTo(1.005, 2), 1.01);
        QCOMPARE(corvane::roundTo(2.5, 0), 3.0); // whole minutes
        MaterialEntry m{"MAT", "Linha", "UN", 1, 1.005, 1.005};
        QCOMPARE(materialLine(m, {9, 0, 1}, {2, 2}).PRECO, 1.01);
        QCOMPARE(materialLine(m, {9, 0, 1}, {5, 4}).VALOR, 1.005);
    }

    void typedMinutes() {
        WorkMachineRow r = machine(30, 2.5);
        Notes notes;
        QVERIFY(costTypedMinutes(r, notes));
        QCOMPARE(r.QTD, 2.5);
        QCOMPARE(r.CUSTO, 1.5); // 3 minutes × 30 / 60
        std::vector<FictecDetLine> lines;
        int detail = 4;
        machineTimeLines(MachineScreen::Machines, "ART", "C", {r}, {{7, 0, 2}}, 7, detail, lines, notes);
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines[0].QUANT, 2.5);
        QCOMPARE(lines[0].VALOR, 1.5);
        QCOMPARE(*lines[0].TMP_SEMACERTO, 2.5);
        QCOMPARE(lines[0].OPERACAO, QString("M"));
        QCOMPARE(lines[0].DETAIL, 4);

        r.QTD = 0;
        QVERIFY(!costTypedMinutes(r, notes));
        QCOMPARE(notes.messages.last(), QString("Insira o tempo [min] por cada operação..."));
    }

    void machineTimeWaste() {
        // 20 minutes with 10% waste: 22 minutes; the price is per hour
        WorkMachineRow r = machine(12.5, 90);
        Notes notes;
        QVERIFY(costTypedMinutes(r, notes));
        std::vector<FictecDetLine> lines;
        int detail = 1;
        machineTimeLines(MachineScreen::Printing, "ART", "T", {r}, {{7, 5, 2}}, 7, detail, lines, notes);
        QCOMPARE(lines[0].VALOR, 18.75);
        QCOMPARE(lines[0].VALOR_FINAL, 19.73);
        QCOMPARE(lines[0].OPERACAO, QString());
        r = machine(1, 20);
        r.CUSTO = 20;
        r.PRECO = 1;
        machineTimeLines(MachineScreen::Ultrasound, "ART", "J", {r}, {{7, 10, 2}}, 7, detail, lines, notes);
        QCOMPARE(lines[1].QUANT_FINAL, 22.0);
        QCOMPARE(lines[1].VALOR_FINAL, 22.2); // per minute: 20 + 1 × 10 × 22 / 100
        machineTimeLines(MachineScreen::Machines, "ART", "C", {r}, {}, 7, detail, lines, notes);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(notes.messages, QStringList{"Ainda não parametrizou o Desperdício das Máquinas ..."});
        QVERIFY(!checkMachineChosen({}, notes));
    }

    void ultrasound() {
        WorkMachineRow r = machine(0.25, 0);
        r.UNIDADE = "UPM";
        r.PRODUCAO1 = 20;
        r.ACERTO1 = 5;
        Notes notes;
        QVERIFY(costUltrasound(r, 1, 150, notes));
        QCOMPARE(r.QTD, 55.0);
        QCOMPARE(r.QTD_SEMACERTO, 50.0);
        QCOMPARE(r.CUSTO, 13.75);
        QCOMPARE(r.TIPOPRD, 1);
        r.UNIDADE = "MTM";
        r.PRODUCAO2 = 3;
        r.ACERTO2 = 2;
        r.NROPASSAGENS = 2;
        QVERIFY(costUltrasound(r, 2, 150, notes));
        QCOMPARE(r.QTD, 3.0); // 2 of set-up + 1.5 m / 3 m a minute × 2 passages
        QCOMPARE(r.QTD_SEMACERTO, 1.0);
        r.UNIDADE = "RPM";
        QVERIFY(costUltrasound(r, 1, 150, notes));
        QCOMPARE(r.QTD, 0.0);
        QCOMPARE(r.CUSTO, 0.0);
        QVERIFY(notes.messages.isEmpty());
        QVERIFY(!costUltrasound(r, 3, 150, notes));
        QCOMPARE(notes.messages.last(), QString("Digite entre [1] e [2] ..."));
        r.UNIDADE = "UPM";
        r.PRODUCAO1 = 0;
        r.QTD = 9;
        QVERIFY(!costUltrasound(r, 1, 150, notes));
        QCOMPARE(r.QTD, 9.0); // row unchanged
    }

    // A negative time is refused as an empty one, and leaves the row as it was.
    void negativeMinutes() {
        WorkMachineRow r = machine(30, -2.5);
        Notes notes;
        QVERIFY(!costTypedMinutes(r, notes));
        QCOMPARE(notes.messages, QStringList{"Insira o tempo [min] por cada operação..."});
        QCOMPARE(r.CUSTO, 0.0);
    }

    // A 180 cm scarf cut at 12 m a minute with 10 minutes of set-up, at 0.35 a
    // minute: 1.8 m / 12 = 0.15 minutes of cut, 10.15 in all, 3.553 a piece.
    void ultrasoundCutOfAScarf() {
        WorkMachineRow r = machine(0.35, 0);
        r.UNIDADE = "MTM";
        r.PRODUCAO1 = 12;
        r.ACERTO1 = 10;
        r.NROPASSAGENS = 1;
        Notes notes;
        QVERIFY(costUltrasound(r, 1, 180, notes));
        QCOMPARE(r.QTD_SEMACERTO, 0.15);
        QCOMPARE(r.QTD, 10.15);
        QCOMPARE(r.CUSTO, 3.553);
        // two passages at 7 m a minute: 0.514285... to 2 decimals, not to whole minutes
        r.NROPASSAGENS = 2;
        r.PRODUCAO1 = 7;
        QVERIFY(costUltrasound(r, 1, 180, notes));
        QCOMPARE(r.QTD_SEMACERTO, 0.51);
        QCOMPARE(r.QTD, 10.51);
        // "UPM": the minutes of a thousand units at R units a minute
        r.UNIDADE = "UPM";
        r.PRODUCAO1 = 20;
        r.ACERTO1 = 5;
        r.NROPASSAGENS = 1;
        QVERIFY(costUltrasound(r, 1, 180, notes));
        QCOMPARE(r.QTD_SEMACERTO, 50.0);
        QCOMPARE(r.QTD, 55.0);
        QVERIFY(notes.messages.isEmpty());
    }

    void machineMaterials() {
        const MaterialCostTypes types{3, 4, 5};
        QCOMPARE(machineMaterialCostType("F", types), 4);
        QCOMPARE(machineMaterialCostType("E", types), 5);
        QCOMPARE(machineMaterialCostType("S", types), 3);
        QCOMPARE(machineMaterialCostType("V", types), 0);
        const MaterialEntry thread = machineMaterial("C", "LINHA", "Linha", "UN", 2.5, 0);
        QCOMPARE(thread.quantity, 1.0);
        QCOMPARE(thread.price, 0.0);
        const MaterialEntry fringe = machineMaterial("F", "FR", "Franja", "MT", 50, 120);
        QCOMPARE(fringe.unit, QString("Cm"));
        QCOMPARE(fringe.price, 0.5);
        QCOMPARE(fringe.cost, 60.0);
        std::vector<FictecDetLine> lines;
        int detail = 1;
        Notes notes;
        QVERIFY(machineMaterialLine("ART", "F", fringe, {{4, 10, 1}}, types, detail, lines, notes));
        QCOMPARE(lines[0].QUANT_FINAL, 132.0);
        QCOMPARE(lines[0].VALOR_FINAL, 66.6);
        QCOMPARE(lines[0].OPERACAO, QString("N"));
        QVERIFY(!machineMaterialLine("ART", "E", fringe, {{4, 10, 1}}, types, detail, lines, notes));
        QCOMPARE(notes.messages, QStringList{"Ainda não parametrizou o Desperdício dos Materiais ..."});
    }

    // The printed stole: 200 × 70 cm is 1.4 m², 85 % printed, 0.0125 litres
    // a m²; four inks at 8 to 9.50 a litre cost 0.135 a piece in all.
    void printedStoleInks() {
        const double area = printArea(200, 70);
        QCOMPARE(area, 1.4);
        const InkCosting c{area, 85, 0.0125};
        const std::vector<std::pair<double, double>> shares = {{30, 9.5}, {25, 9.5}, {25, 9}, {20, 8}};
        std::vector<InkRow> inks;
        double litres = 0;
        for (const auto& [percent, price] : shares) {
            InkRow ink{"T", "", percent, 0, inkPrice(price), 0};
            costInk(ink, c);
            litres += ink.quantity;
            inks.push_back(ink);
        }
        QVERIFY(qAbs(litres - 0.014875) < 1e-12); // 1.4 × 0.85 × 0.0125
        QVERIFY(qAbs(inks[0].quantity - 0.0044625) < 1e-12);
        QCOMPARE(inks[0].cost, 0.04239); // 0.0044625 l × 9.50
        double cost = 0;
        for (const InkRow& ink : inks)
            cost += ink.cost;
        QVERIFY(qAbs(cost - 0.13499) < 1e-9);

        // The lines: litres to 4, values to 5 from the unrounded litres; with 10 %
        // of waste QF = 0.00490875 l -> 0.0049, VALOR_FINAL 0.00466331 + 0.04239.
        std::vector<FictecDetLine> lines;
        int detail = 1;
        Notes notes;
        inkLines("ECHVI01", "T", {inks[0], inks[3]}, {{2, 10, 1}}, 2, detail, lines, notes);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[0].QUANT, 0.0045);
        QCOMPARE(lines[0].PRECO, 9.5);
        QCOMPARE(lines[0].VALOR, 0.04239);
        QCOMPARE(lines[0].QUANT_FINAL, 0.0049);
        QCOMPARE(lines[0].VALOR_FINAL, 0.04705); // 10 × 0.00490875 × 9.5 / 100 + 0.04239
        QCOMPARE(lines[1].QUANT, 0.003);
        QCOMPARE(lines[1].VALOR, 0.0238);
        QVERIFY(notes.messages.isEmpty());
    }

    void printingInks() {
        const double area = printArea(100, 30);
        QCOMPARE(area, 0.3);
        InkRow ink{"TINTA", "Azul", 40, 0, 3, 0};
        costInk(ink, area, 50, 2);
        QCOMPARE(ink.quantity, 0.12); // 0.3 m² × 50 % × 40 % × 2 l/m²
        QCOMPARE(ink.cost, 0.36);
        QCOMPARE(inkPrice(9.123456), 9.12346); // the price per unit, no division by k

        Notes notes;
        std::vector<WorkMachineRow> rows = {machine(1, 1)};
        InkRow second{"T2", "", 50, 0, 1, 0};
        QVERIFY(!checkPrintingClose(rows, {InkRow{"T1", "", 60, 0, 1, 0}, second}, notes));
        QCOMPARE(notes.messages.last(),
                 QString("A % Total de Consumo de Tintas não pode ultrapassar os 100%"));
        second.percent = 40;
        QVERIFY(checkPrintingClose(rows, {InkRow{"T1", "", 60, 0, 1, 0}, second}, notes));

        std::vector<FictecDetLine> lines;
        int detail = 1;
        inkLines("ART", "T", {ink, InkRow{}}, {{6, 10, 1}}, 6, detail, lines, notes);
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines[0].UNIDADE, QString("Lts"));
        QCOMPARE(lines[0].QUANT_FINAL, 0.132);
        QCOMPARE(lines[0].VALOR_FINAL, 0.3996); // 10 × 0.132 × 3 / 100 + 0.36
        QCOMPARE(lines[0].PERC_IMPR, 40.0);
    }

    // Ink rows as they are left: a row left empty between inks that share
    // 100 % (in decimals that do not add up exactly), a repeated ink, the
    // price kept to the 5 decimals the line keeps, a line read back unrounded.
    void inkRows() {
        const InkCosting c{printArea(100, 30), 50, 2};
        const MaterialEntry cyan{"TC", "Ciano", "Kg", 0, 6.01, 0};
        const MaterialEntry magenta{"TM", "Magenta", "Kg", 0, 6, 0};
        const MaterialEntry yellow{"TA", "Amarelo", "Kg", 0, 6, 0};
        std::vector<InkRow> inks;
        Notes notes;
        QVERIFY(!takeInkCode(inks, 1, "", nullptr, c, notes));
        QVERIFY(takeInkCode(inks, 1, "TC", &cyan, c, notes));
        QCOMPARE(inks.size(), std::size_t(kInkRows));
        QCOMPARE(inks[0].price, 6.01); // the article's price, whatever k is
        QVERIFY(takeInkPercent(inks[0], 0.1, c, notes));
        QVERIFY(!takeInkCode(inks, 2, "", nullptr, c, notes));
        QCOMPARE(notes.messages.last(), QString("Insira o código do material ..."));
        QVERIFY(!takeInkCode(inks, 2, "tc", &cyan, c, notes));
        QCOMPARE(notes.messages.last(), QString("A Tinta tc já está na linha 1 ..."));
        QVERIFY(!takeInkCode(inks, 3, "TX", nullptr, c, notes));
        QCOMPARE(notes.messages.last(), QString("Artigo inexistente ..."));
        QVERIFY(takeInkCode(inks, 3, "TM", &magenta, c, notes) && takeInkPercent(inks[2], 64.1, c, notes));
        QVERIFY(takeInkCode(inks, 4, "TA", &yellow, c, notes) && takeInkPercent(inks[3], 35.8, c, notes));
        QVERIFY(0.1 + 64.1 + 35.8 != 100.0);
        QVERIFY(takeInkCode(inks, 2, "", nullptr, c, notes));
        QVERIFY(checkInkShares(inks, notes));
        QVERIFY(!takeInkPercent(inks[1], std::nullopt, c, notes));
        QVERIFY(!takeInkPercent(inks[3], 0, c, notes));
        QCOMPARE(notes.messages.last(), QString("% de Impressão Inválida ..."));
        QVERIFY(!takeInkPrice(inks[3], 0, c, notes));
        QVERIFY(takeInkPrice(inks[3], 2.4567891, c, notes));
        QCOMPARE(inks[3].price, 2.45679);

        std::vector<InkRow> repeated{InkRow{"TC", "", 50, 0, 1, 0}, InkRow{}, InkRow{"tc", "", 50, 0, 1, 0}};
        Notes refused;
        QVERIFY(!checkInkShares(repeated, refused));
        QCOMPARE(refused.messages.last(), QString("A Tinta tc já está na linha 1 ..."));

        // The line of an ink at 0.1 % read back: its quantity unrounded again.
        std::vector<FictecDetLine> lines;
        int detail = 1;
        inkLines("ART", "T", inks, {{2, 10, 1}}, 2, detail, lines, notes);
        QCOMPARE(lines.size(), std::size_t(3));
        const InkRow back = inkFromLine(lines[0], c);
        QCOMPARE(back.quantity, inks[0].quantity);
        QCOMPARE(back.percent, 0.1);

        // Proposed inks: those found priced, an unknown one kept without price.
        std::vector<InkRow> proposed;
        proposeInks(
            proposed, {{"TC", 60}, {"", 0}, {"TZ", 40}},
            [&](const QString& code) -> std::optional<MaterialEntry> {
                return code == "TC" ? std::optional<MaterialEntry>(cyan) : std::nullopt;
            },
            c);
        QVERIFY(qAbs(proposed[0].quantity - 0.18) < 1e-12); // 0.3 m² × 50 % × 60 % × 2 l/m²
        QCOMPARE(proposed[0].price, 6.01);
        QVERIFY(proposed[1].code.isEmpty());
        QCOMPARE(proposed[2].code, QString("TZ"));
        QCOMPARE(proposed[2].cost, 0.0);
    }

    void designAndPackagingOperations() {
        WorkArticleRow design{"X200001", "Desenho", "Min", 0.2};
        Notes notes;
        QVERIFY(costOperationRow(design, "H", 12, 30, notes));
        QCOMPARE(design.QTD, 30.0);
        QCOMPARE(design.CUSTO, 6.0);
        WorkArticleRow label{"X110001", "Cartolina", "Min", 0.333};
        QVERIFY(costOperationRow(label, "I", 1.5, 30, notes));
        QCOMPARE(label.QTD, 1.5);
        QCOMPARE(label.CUSTO, 0.5); // 0.4995 rounded to 3
        QVERIFY(!costOperationRow(label, "I", std::nullopt, 30, notes));
        QCOMPARE(notes.messages.last(), QString("Introduza o tempo da operação ..."));
        notes.messages.clear();
        QVERIFY(!costOperationRow(label, "B", -1.5, 30, notes)); // refused as an empty time
        QCOMPARE(notes.messages, QStringList{"Introduza o tempo da operação ..."});

        // two design operations give two lines; a marked row at 0 none
        WorkArticleRow other = design;
        other.CODIGO = "X200002";
        WorkArticleRow idle = design;
        idle.QTD = 0;
        std::vector<FictecDetLine> lines;
        int detail = 5;
        operationLines("ART", "H", {design, other, idle}, {{20, 0, 3}}, {}, detail, lines);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[0].DETAIL, 5);
        QCOMPARE(lines[1].DETAIL, 6);
        QCOMPARE(lines[0].OPERACAO, QString("S"));
        QVERIFY(!lines[0].TMPACE);

        WorkArticleRow box{"3", "Caixa", "Min", 0.5};
        QVERIFY(costOperationRow(box, "B", 2, 0, notes));
        lines.clear();
        operationLines("ART", "B", {box}, {{40, 10, 6}}, {}, detail, lines);
        QCOMPARE(lines[0].QUANT_FINAL, 2.2);
        QCOMPARE(lines[0].VALOR_FINAL, 1.1);
        operationLines("ART", "B", {box}, {}, {}, detail, lines);
        QCOMPARE(lines.size(), std::size_t(1));

        // packaging materials: rows with a code, cost type 40
        const std::vector<MaterialEntry> mats = {
            {"SACO", "Saco", "UN", 1, 0.125, 0.125}, {}, {"FITA", "Fita", "MT", 0.5, 1, 0.5}};
        operationMaterialLines("ART", "B", mats, {{40, 10, 6}}, {}, detail, lines, notes);
        QCOMPARE(lines.size(), std::size_t(3));
        QCOMPARE(lines[1].PRECO, 0.13);
        QCOMPARE(lines[1].VALOR_FINAL, 0.14); // 10 × 1.1 × 0.125 / 100 + 0.13
        QCOMPARE(lines[2].CODIGOMP, QString("FITA"));
        QVERIFY(!checkOperationChosen("B", {idle}, notes) || idle.ticked());
    }

    void subcontractAndFabric() {
        SubcontractEntry entry{"SRV", "Ramalhar", 2.5, {}};
        QCOMPARE(subcontractClosingQuestions(entry),
                 QStringList{"Não inseriu o Material .Deseja Continuar ?"});
        std::vector<FictecDetLine> lines;
        int detail = 1;
        Notes refused;
        QVERIFY(!subcontractLines("ART", "R", entry, {{40, 0, 7}}, detail, lines, refused));
        QCOMPARE(refused.messages, QStringList{"Ainda não parametrizou o Tipo de Custo ..."});
        QVERIFY(lines.empty());
        QVERIFY(subcontractLines("ART", "R", entry, {{50, 0, 7}}, detail, lines, refused));
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines[0].QUANT, 1.0);
        QCOMPARE(lines[0].PRECO, 2.5);
        QCOMPARE(lines[0].VALOR, 2.5);
        QCOMPARE(lines[0].UNIDADE, QString("UND"));
        QCOMPARE(lines[0].OPERACAO, QString("S"));
        QCOMPARE(lines[0].TIPO, 50);

        // A 150 cm fabric at 4 a metre, three 150 cm pieces laid by length:
        // 4.5 m of fabric 1.5 m wide, 2.25 a piece, costing 9.
        FabricLayout layout;
        layout.ClothWidth = fabricWidth(150);
        layout.ClothFitting = "c";
        layout.ClothPieces = 3;
        layout.price = 4;
        Notes notes;
        QVERIFY(computeFabricLayout(layout, 150, 30, notes));
        QCOMPARE(layout.ClothFitting, QString("C"));
        QCOMPARE(layout.ClothMetres, 4.5);
        QCOMPARE(layout.ClothWidth, 1.5);
        QCOMPARE(layout.consumption, 2.25);
        QCOMPARE(layout.cost, 9.0);
        // The stole's fabric: 140 cm, two 70 cm pieces across at 4.10.
        FabricLayout stole;
        takeFabric(stole, 4.1, 140);
        stole.ClothFitting = "L";
        stole.ClothPieces = 2;
        QVERIFY(computeFabricLayout(stole, 200, 70, notes));
        QCOMPARE(stole.ClothWidth, 1.4);
        QCOMPARE(stole.ClothMetres, 1.4);
        QVERIFY(qAbs(stole.consumption - 0.98) < 1e-12);
        QVERIFY(qAbs(stole.cost - 4.018) < 1e-12);
        // A negative width or number of pieces is refused as 0 is.
        QVERIFY(!takeFabricWidth(stole, -1.4, notes));
        QCOMPARE(notes.messages.last(), QString("Insira a Largura do Tecido ..."));
        QCOMPARE(stole.ClothWidth, 1.4);
        QVERIFY(!takeFabricPieces(stole, -2, 200, 70, notes));
        QCOMPARE(notes.messages.last(), QString("Insira o nº de peças para enquadramento pela Largura ..."));
        QCOMPARE(stole.ClothPieces, 2);
        layout.ClothFitting = "X";
        QVERIFY(!computeFabricLayout(layout, 150, 30, notes));
        QCOMPARE(notes.messages.last(), QString("Insira <L> para Largura ; <C> para Comprimento ..."));
        layout.ClothFitting = "L";
        layout.ClothPieces = 0;
        QVERIFY(!computeFabricLayout(layout, 150, 30, notes));
        QCOMPARE(notes.messages.last(), QString("Insira o nº de peças para enquadramento pela Largura ..."));

        FictecDetLine line;
        const MaterialEntry fabric{"TEC", "Tecido", "MT", 1.0 / 3, 4, 4.0 / 3};
        QVERIFY(fabricLine("ART", 9, fabric, {{8, 10, 1}}, 8, line, notes));
        QCOMPARE(line.QUANT, 0.3333);
        QCOMPARE(line.VALOR, 1.33333);
        QCOMPARE(line.QUANT_FINAL, 1.0 / 3 + 10 * (1.0 / 3) / 100); // not rounded
        QCOMPARE(line.VALOR_FINAL, 1.48);                           // 10 × 0.366667 × 4 / 100 + 1.333333
        QCOMPARE(line.DETAIL, 9);
        QVERIFY(!fabricLine("ART", 9, fabric, {}, 8, line, notes));
        QCOMPARE(notes.messages.last(), QString("Ainda não parametrizou o Desperdício  ..."));
    }
};

QTEST_GUILESS_MAIN(TestStepCalc)
#include "test_step_calc.moc"
