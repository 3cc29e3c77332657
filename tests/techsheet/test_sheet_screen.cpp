#include "sheet_screen_fixture.h"

using namespace corvane::techsheet;

class TestSheetScreen : public QObject {
    Q_OBJECT
private slots:
    void fieldTable() {
        // every input and button lies on one page and is found by name
        QSet<QString> names;
        for (const SheetInput& in : sheetInputs()) {
            QVERIFY2(!names.contains(in.rule.input), qPrintable(in.rule.input));
            names << in.rule.input;
            QCOMPARE(sheetInput(in.rule.input), &in);
            QCOMPARE(pageInput(in.page, in.rule.column), &in); // one input per column on a page
            QVERIFY(sheetKinds().contains(in.page));
            // what a flag turns on and where "N" sends the focus lie on its page
            for (const QString& column : {in.opens, in.afterNo})
                QVERIFY2(column.isEmpty() || pageInput(in.page, column), qPrintable(in.rule.input));
        }
        for (const char* input : {"Edit_TipoTrabalho", "Edit_PassagCm", "Edit_Contracoes", "Edit_DespFioCA",
                                  "Edit_DespFioCT", "Edit_DespFioGT", "Edit_RefInformat", "Edit_RefInf_CT",
                                  "Edit_RefInf_CI", "Edit_RefInf_GT", "Edit_CorteSerraGT", "Edit_SubBrd_GT",
                                  "Edit_PesoGT", "Edit_SupImpr", "Edit_NPassadas", "Edit_Velocid_TiragemGT"})
            QVERIFY2(sheetInput(input), input);
        QCOMPARE(sheetInput("Edit_CorteSerraGT")->rule.column, QString("CORTEULTRA"));
        QCOMPARE(sheetInput("Edit_SupImpr")->rule.column, QString("SUPIMPR"));
        QCOMPARE(stepButtons().size(), 41);
        QCOMPARE(buttonOf(kKnittedHat, StepRole::Saw), QString("Bot_SerraGT"));
        QCOMPARE(buttonOf(kKnittedHat, StepRole::Fringe), QString());
        QCOMPARE(stepButton("BotTecido")->kind, kPrintedScarf);
    }

    void openingWithoutSheet() {
        Sheet s;
        QCOMPARE(s.ctx.SheetKind, kNoKind);
        QCOMPARE(s.ctx.LinesOrder, QString("CODIGOMP"));
        QCOMPARE(s.ctx.FringeMeasure, 120.0);
        QCOMPARE(s.ctx.GeneralWastePercent, 3.5);
        QCOMPARE(s.ctx.YarnCostType, 11);
        QCOMPARE(s.ctx.ClothCostType, 18);
        QCOMPARE(s.ctx.MachineCostType, 17);
        QVERIFY(!s.ctx.Cancelling);
        QVERIFY(s.screen.kindChoiceEnabled());
        QVERIFY(!s.screen.notebookEnabled());
        QCOMPARE(s.view.pages, QStringList{kNoKind});
        QVERIFY(!s.screen.fieldEnabled("Edit_TipoTrabalho"));
        QVERIFY(!s.screen.buttonEnabled("BotTool_g"));
        QVERIFY(s.screen.saveColumns().isEmpty());
        QCOMPARE(s.screen.prepareStep("BotTool_g"), StepScreen::None);

        // no parameters row: the message, and the screen does not open
        TechSheetContext ctx;
        SheetRecordingView view;
        SheetScreen screen(ctx, view);
        QVERIFY(!screen.activate({std::nullopt, {}}, {}, false));
        QCOMPARE(view.messages, QStringList{"Parâmetros Gerais do Módulo de Tamarel Inexistentes ..."});
    }

    void choosingKinds() {
        Sheet s;
        QVERIFY(s.screen.chooseKind(kWovenScarf));
        QCOMPARE(s.ctx.SheetKind, kWovenScarf);
        QCOMPARE(s.view.pages.last(), kWovenScarf);
        QCOMPARE(s.view.focus, QStringList{"Edit_TipoTrabalho"});
        QCOMPARE(s.screen.text("Edit_DespFioCA"), QString("3,5"));
        QCOMPARE(s.screen.text("Edit_LargFranja"), QString("120"));
        QCOMPARE(s.ctx.YarnWastePercent, 3.5);
        QVERIFY(s.screen.fieldEnabled("Edit_TipoTrabalho"));
        QVERIFY(!s.screen.fieldEnabled("Edit_DespFioCT"));
        QVERIFY(!s.screen.fieldEnabled("Edit_LargFranja")); // until the fringe is "S"
        QVERIFY(!s.screen.fieldEnabled("Edit_Raport"));
        QVERIFY(s.screen.buttonEnabled("BotTool_g"));
        QVERIFY(s.screen.buttonEnabled("BotDesenho_A"));
        QVERIFY(!s.screen.buttonEnabled("Bot_Franja"));
        QVERIFY(!s.screen.buttonEnabled("Bot_Costura"));

        // another kind while nothing is saved: its first input
        const QList<std::pair<QString, QString>> first{{kKnittedScarf, "Edit_DespFioCT"},
                                                       {kPrintedScarf, "Edit_RefInf_CI"},
                                                       {kKnittedHat, "Edit_DespFioGT"}};
        for (const auto& [kind, input] : first) {
            s.view.clear();
            QVERIFY(s.screen.chooseKind(kind));
            QCOMPARE(s.view.focus, QStringList{input});
            QVERIFY(!s.screen.buttonEnabled("BotTool_g"));
        }
        QCOMPARE(s.ctx.YarnWastePercent, 0.0); // the hat's input is empty
        QVERIFY(!s.screen.chooseKind("XX"));
        QCOMPARE(s.ctx.SheetKind, kKnittedHat);
    }

    void kindLockedByLinesOrHeader() {
        Sheet s;
        QVERIFY(s.screen.chooseKind(kKnittedScarf));
        s.screen.setHasLines(true);
        QVERIFY(!s.screen.kindChoiceEnabled());
        QVERIFY(!s.screen.chooseKind(kWovenScarf));
        QCOMPARE(s.ctx.SheetKind, kKnittedScarf);
        s.screen.setHasLines(false);
        QVERIFY(s.screen.chooseKind(kWovenScarf));

        Sheet saved(fullHeader(kPrintedScarf));
        QVERIFY(!saved.screen.kindChoiceEnabled());
        QVERIFY(!saved.screen.chooseKind(kWovenScarf));
        QCOMPARE(saved.ctx.SheetKind, kPrintedScarf);

        // lines at opening without a header: the choice is off too
        Sheet lines({}, true);
        QVERIFY(!lines.screen.chooseKind(kWovenScarf));
        QVERIFY(lines.view.focus.isEmpty());
    }

    void workTypeAndWeave() {
        Sheet s;
        s.screen.chooseKind(kWovenScarf);
        s.view.clear();
        s.screen.fieldEnter("Edit_TipoTrabalho");
        QCOMPARE(s.view.status[0].last(), QString("<Ins> Localizar Tipo de Trabalho"));
        s.screen.fieldEnter("Edit_PassagCm");
        QCOMPARE(s.view.status[0].last(), QString());
        QCOMPARE(s.screen.workTypes().size(), 2);
        QCOMPARE(s.screen.workTypes()[1].designation, QString("Liso"));

        const QList<std::pair<QString, QString>> refused{{"", "Tipo de Trabalho Inválido ..."},
                                                         {"0", "Tipo de Trabalho Inválido ..."},
                                                         {"ab", "'ab' não é um número inteiro válido"},
                                                         {"9", "Tipo de Trabalho Inexistente ..."}};
        for (const auto& [text, message] : refused) {
            s.view.clear();
            s.ctx.CheckFailed = false;
            QVERIFY(!s.type("Edit_TipoTrabalho", text));
            QCOMPARE(s.view.messages, QStringList{message});
            QCOMPARE(s.view.focus, QStringList{"Edit_TipoTrabalho"});
            QCOMPARE(s.view.beeps, 1);
            QVERIFY(s.ctx.CheckFailed);
            QCOMPARE(s.ctx.WorkType, 0);
        }
        QVERIFY(s.type("Edit_TipoTrabalho", "2"));
        QCOMPARE(s.screen.text("Label_TipoTrabalho"), QString("Liso"));
        QCOMPARE(s.screen.text("Edit_PassagCm"), QString("24"));
        QCOMPARE(s.ctx.WorkType, 2);
        QCOMPARE(s.ctx.PassagesPerCm, 24);
        QVERIFY(!s.ctx.CheckFailed);

        const QList<std::tuple<QString, QString, QString>> numbers{
            {"Edit_PassagCm", "", "Digite o Nº de Passagens ..."},
            {"Edit_PassagCm", "0", "Digite o Nº de Passagens ..."},
            {"Edit_PassagCm", "x1", "'x1' não é um número inteiro válido"},
            {"Edit_PassagCm", "40000", "O valor 40000 está fora dos limites de -32768 a 32767"},
            {"Edit_Contracoes", "", "Digite a % de Contracoes ..."},
            {"Edit_Contracoes", "0,0", "Digite a % de Contracoes ..."},
            {"Edit_Contracoes", "abc", "'abc' não é um número válido"},
            {"Edit_DespFioCA", "2%", "'2%' não é um número válido"}};
        for (const auto& [input, text, message] : numbers) {
            s.view.clear();
            QVERIFY(!s.type(input, text));
            QCOMPARE(s.view.messages, QStringList{message});
            QCOMPARE(s.view.focus, QStringList{input});
        }
        QVERIFY(s.ctx.CheckFailed);
        QCOMPARE(s.ctx.PassagesPerCm, 24);
        // the weaving button runs the same checks
        s.screen.setText("Edit_PassagCm", "0");
        s.view.clear();
        QCOMPARE(s.screen.prepareStep("BotTool_g"), StepScreen::None);
        QCOMPARE(s.view.messages, QStringList{"Digite o Nº de Passagens ..."});
        s.fill({{"Edit_PassagCm", "30"}});
        s.screen.setText("Edit_Contracoes", "");
        s.view.clear();
        QCOMPARE(s.screen.prepareStep("BotTool_g"), StepScreen::None);
        QCOMPARE(s.view.messages, QStringList{"Digite a % de Contracoes ..."});
        s.fill({{"Edit_Contracoes", "6,5"}, {"Edit_DespFioCA", ""}});
        QCOMPARE(s.screen.text("Edit_DespFioCA"), QString("0"));
        QCOMPARE(s.ctx.YarnWastePercent, 0.0);
        QCOMPARE(s.ctx.PassagesPerCm, 30);
        QCOMPARE(s.ctx.ContractionPercent, 6.5);
        s.ctx.StepCancelled = true;
        QCOMPARE(s.screen.prepareStep("BotTool_g"), StepScreen::Weaving);
        QCOMPARE(s.ctx.MachineGroupType, 4);
        QVERIFY(!s.ctx.StepCancelled);

        // raports and strips of the chosen loom; a cancelled step leaves them
        // as they were, since its loom line stays
        s.ctx.LoomRaports = "3";
        s.ctx.LoomStrips = "6";
        s.screen.weavingClosed();
        QCOMPARE(s.screen.text("Edit_Raport"), QString("3"));
        QCOMPARE(s.screen.text("Edit_Fitas"), QString("6"));
        QCOMPARE(s.screen.saveColumns().value("RAPORT"), QVariant(3));
        QCOMPARE(s.screen.saveColumns().value("FITAS"), QVariant(6));
        QCOMPARE(s.screen.prepareStep("BotTool_g"), StepScreen::Weaving);
        QCOMPARE(s.ctx.LoomStrips, QString("6"));
        s.ctx.LoomRaports = "4"; // computed, then cancelled
        s.ctx.LoomStrips = "8";
        s.ctx.StepCancelled = true;
        s.screen.weavingClosed();
        QVERIFY(!s.ctx.StepCancelled);
        QCOMPARE(s.ctx.LoomRaports, QString("3"));
        QCOMPARE(s.screen.text("Edit_Raport"), QString("3"));
        QCOMPARE(s.screen.saveColumns().value("RAPORT"), QVariant(3));
        QCOMPARE(s.screen.saveColumns().value("FITAS"), QVariant(6));
    }

    void yesNoInputs() {
        Sheet s;
        s.screen.chooseKind(kWovenScarf);
        s.view.clear();
        // lower case is taken as upper case; one character only
        s.screen.setText("Edit_Costura", "s");
        QCOMPARE(s.screen.text("Edit_Costura"), QString("S"));
        QVERIFY(s.screen.fieldExit("Edit_Costura"));
        QVERIFY(s.screen.buttonEnabled("Bot_Costura"));
        QVERIFY(s.view.messages.isEmpty());
        s.screen.setText("Edit_Etiq", "nS");
        QCOMPARE(s.screen.text("Edit_Etiq"), QString("N"));

        for (const QString text : {"", "X", "1", "?"}) {
            s.view.clear();
            QVERIFY(!s.type("Edit_VaporCA", text));
            QCOMPARE(s.view.messages, QStringList{"Insira [S/N] ..."});
            QCOMPARE(s.view.focus, QStringList{"Edit_VaporCA"});
            QCOMPARE(s.view.beeps, 1);
        }
        QVERIFY(s.type("Edit_VaporCA", "S"));
        QVERIFY(s.screen.buttonEnabled("BotVaporCA"));
        QVERIFY(s.type("Edit_VaporCA", "N"));
        QVERIFY(!s.screen.buttonEnabled("BotVaporCA"));

        // "S" turns a button on, "N" off; some move the focus on after "N"
        const QList<std::tuple<QString, QString, QString, QString>> flags{
            {kWovenScarf, "Edit_Costura", "Bot_Costura", "Edit_Franja"},
            {kWovenScarf, "Edit_Etiq", "Bot_Etiq", "Edit_EtqCart_Ca"},
            {kWovenScarf, "Edit_EtqCart_Ca", "Bot_EtiqCart_CA", "Edit_Franja"},
            {kWovenScarf, "Edit_Franja", "Bot_Franja", "Edit_Cabide"},
            {kWovenScarf, "Edit_Cabide", "Bot_Cabide", "Edit_EmbalCA"},
            {kWovenScarf, "Edit_CorteUltSom", "Bot_UltSom", ""},
            {kWovenScarf, "Edit_EmbalCA", "Bot_EmbalCA", ""},
            {kKnittedScarf, "Edit_CosturaCT", "Bot_CosturaCt", "Edit_FranjaCt"},
            {kKnittedScarf, "Edit_EtiqCT", "Bot_EtiqCt", "Edit_EtqCart_Ct"},
            {kKnittedScarf, "Edit_EtqCart_Ct", "Bot_EtiqCart_CT", ""},
            {kKnittedScarf, "Edit_FranjaCt", "Bot_FranjaCt", "Edit_CabideCT"},
            {kKnittedScarf, "Edit_CabideCT", "Bot_CabideCT", ""},
            {kKnittedScarf, "Edit_Remalha", "", "Edit_TmpDesenhoCT"},
            {kKnittedScarf, "Edit_BordadoCt", "", "Edit_Remalha"},
            {kKnittedScarf, "Edit_VaporCT", "Bot_VaporCt", ""},
            {kPrintedScarf, "Edit_CorteUltSomCI", "Bot_UltSomCI", ""},
            {kPrintedScarf, "Edit_FranjaCi", "Bot_FranjaCI", "Edit_CabideCI"},
            {kPrintedScarf, "Edit_EmbalCI", "Bot_EmbalCI", ""},
            {kKnittedHat, "Edit_CorteSerraGT", "Bot_SerraGT", ""},
            {kKnittedHat, "Edit_BordadoGT", "", "Edit_EtiqGT"},
            {kKnittedHat, "Edit_EtiqGT", "Bot_EtiqGT", "Edit_EtqCart_GT"},
            {kKnittedHat, "Edit_VaporGT", "Bot_VaporGT", ""},
        };
        for (const auto& [kind, input, button, next] : flags) {
            Sheet k;
            k.screen.chooseKind(kind);
            k.view.clear();
            QVERIFY2(k.type(input, "S"), qPrintable(input));
            if (!button.isEmpty())
                QVERIFY2(k.screen.buttonEnabled(button), qPrintable(button));
            QVERIFY2(k.view.focus.isEmpty(), qPrintable(input));
            QVERIFY(k.type(input, "n"));
            if (!button.isEmpty())
                QVERIFY2(!k.screen.buttonEnabled(button), qPrintable(button));
            QCOMPARE(k.view.focus, next.isEmpty() ? QStringList() : QStringList{next});
        }
    }

    void fringe() {
        Sheet s;
        s.screen.chooseKind(kWovenScarf);
        QVERIFY(s.type("Edit_Franja", "N"));
        QCOMPARE(s.ctx.FringeMeasure, 0.0);
        QCOMPARE(s.screen.text("Edit_LargFranja"), QString());
        QVERIFY(!s.screen.fieldEnabled("Edit_LargFranja"));
        QVERIFY(s.type("Edit_Franja", "S"));
        QCOMPARE(s.ctx.FringeMeasure, 120.0); // 4 × 30 cm
        QCOMPARE(s.screen.text("Edit_LargFranja"), QString("120"));
        QVERIFY(s.screen.fieldEnabled("Edit_LargFranja"));
        QVERIFY(s.screen.buttonEnabled("Bot_Franja"));
        // a measure typed is kept when the flag is said again
        s.fill({{"Edit_LargFranja", "95,5"}, {"Edit_Franja", "S"}});
        QCOMPARE(s.ctx.FringeMeasure, 95.5);
        QCOMPARE(s.screen.text("Edit_LargFranja"), QString("95,5"));
        for (const QString text : {"", "0"}) {
            s.view.clear();
            QVERIFY(!s.type("Edit_LargFranja", text));
            QCOMPARE(s.view.messages, QStringList{"Insira a medida da Franja ..."});
            QCOMPARE(s.view.focus.last(), QString("Edit_Franja"));
        }
        QCOMPARE(s.ctx.FringeMeasure, 95.5);

        // an article without a width: the fringe button does nothing while the measure is 0
        Sheet n({}, false, 0);
        n.screen.chooseKind(kKnittedScarf);
        QVERIFY(n.type("Edit_FranjaCt", "S"));
        QCOMPARE(n.screen.text("Edit_LargFranjaCT"), QString("0"));
        QVERIFY(n.screen.buttonEnabled("Bot_FranjaCt"));
        n.ctx.StepCode = "X";
        n.view.clear();
        QCOMPARE(n.screen.prepareStep("Bot_FranjaCt"), StepScreen::None);
        QCOMPARE(n.ctx.StepCode, QString("X"));
        QCOMPARE(n.view.messages, QStringList{"Insira a medida da Franja ..."});
        QCOMPARE(n.view.focus.last(), QString("Edit_FranjaCt"));
        n.screen.setText("Edit_LargFranjaCT", "50");
        QCOMPARE(n.screen.prepareStep("Bot_FranjaCt"), StepScreen::MachineStep);
        QCOMPARE(n.ctx.StepCode, QString("F"));
        QCOMPARE(n.ctx.MachineGroupType, 5);
        QCOMPARE(n.ctx.FringeMeasure, 50.0);
    }

    void printSurface() {
        Sheet s;
        s.screen.chooseKind(kPrintedScarf);
        QVERIFY(!s.screen.buttonEnabled("Bot_Impr"));
        QVERIFY(s.type("Edit_SupImpr", "100"));
        QCOMPARE(s.ctx.PrintSurfacePercent, 100.0);
        QVERIFY(s.screen.buttonEnabled("Bot_Impr"));
        QCOMPARE(s.screen.prepareStep("Bot_Impr"), StepScreen::Printing);
        QCOMPARE(s.ctx.StepCode, QString("T"));
        QCOMPARE(s.ctx.MachineGroupType, 8);

        const QList<std::pair<QString, QString>> refused{
            {"100.5", " % de Superficie Total de Impressão inválida ..."},
            {"-5", " % de Superficie Total de Impressão inválida ..."},
            {"0", "Defina a % de Superficie Total de Impressão ..."},
            {"", "Defina a % de Superficie Total de Impressão ..."},
            {"abc", "'abc' não é um número válido"}};
        for (const auto& [text, message] : refused) {
            s.type("Edit_SupImpr", "40");
            s.view.clear();
            QVERIFY(!s.type("Edit_SupImpr", text));
            QCOMPARE(s.view.messages, QStringList{message});
            QCOMPARE(s.view.focus, QStringList{"Edit_SupImpr"});
            if (text != "abc")
                QVERIFY(!s.screen.buttonEnabled("Bot_Impr"));
            QCOMPARE(s.ctx.PrintSurfacePercent, 40.0);
        }
    }

    void timesAndWeights() {
        Sheet s;
        s.screen.chooseKind(kWovenScarf);
        QVERIFY(!s.screen.fieldEnabled("Edit_TmpCabide"));
        QVERIFY(s.type("Edit_Cabide", "S"));
        QVERIFY(s.screen.fieldEnabled("Edit_TmpCabide"));
        for (const QString text : {"", "0", "-5"}) { // a negative time is no time either
            s.view.clear();
            QVERIFY(!s.type("Edit_TmpCabide", text));
            QCOMPARE(s.view.messages, QStringList{"Insira o tempo para a operação seleccionada ..."});
        }
        QVERIFY(!s.type("Edit_TmpCabide", "5m"));
        QVERIFY(s.type("Edit_TmpCabide", "5"));
        QCOMPARE(s.ctx.OperationMinutes, 5);
        QCOMPARE(s.screen.prepareStep("Bot_Cabide"), StepScreen::Operations);
        QCOMPARE(s.ctx.StepCode, QString("D"));
        // the woven scarf's design time is checked by its button only
        s.view.clear();
        QVERIFY(s.type("Edit_TmpDesenho", ""));
        QVERIFY(s.view.messages.isEmpty());
        QCOMPARE(s.screen.prepareStep("BotDesenho_A"), StepScreen::None);
        QCOMPARE(s.view.messages, QStringList{"Insira o tempo para a operação seleccionada ..."});
        QCOMPARE(s.ctx.StepCode, QString("D"));
        s.screen.setText("Edit_TmpDesenho", "12");
        QCOMPARE(s.screen.prepareStep("BotDesenho_A"), StepScreen::Operations);
        QCOMPARE(s.ctx.StepCode, QString("H"));
        QCOMPARE(s.ctx.OperationMinutes, 12);
        QVERIFY(s.type("Edit_Cabide", "N"));
        QVERIFY(!s.screen.fieldEnabled("Edit_TmpCabide"));
        QCOMPARE(s.screen.prepareStep("Bot_Cabide"), StepScreen::None);

        Sheet k;
        k.screen.chooseKind(kKnittedScarf);
        QVERIFY(!k.type("Edit_TmpDesenhoCT", ""));
        QCOMPARE(k.view.messages, QStringList{"Insira o tempo para a operação seleccionada ..."});
        // the weight: empty keeps the focus silently, 0 is refused
        k.view.clear();
        QVERIFY(!k.type("Edit_PesoCT", ""));
        QVERIFY(k.view.messages.isEmpty());
        QCOMPARE(k.view.focus, QStringList{"Edit_PesoCT"});
        QVERIFY(!k.type("Edit_PesoCT", "0"));
        QCOMPARE(k.view.messages, QStringList{"Insira o Peso da Peça ..."});
        k.view.clear();
        QVERIFY(!k.type("Edit_PesoCT", "-0.2"));
        QCOMPARE(k.view.messages, QStringList{"Insira o Peso da Peça ..."});
        QVERIFY(!k.screen.buttonEnabled("Bot_TearCt"));
        QVERIFY(k.type("Edit_PesoCT", "0,35"));
        QCOMPARE(k.ctx.PieceWeight, 0.35);
        QVERIFY(k.screen.buttonEnabled("Bot_TearCt"));
        QCOMPARE(k.screen.prepareStep("Bot_TearCt"), StepScreen::Knitting);
        QCOMPARE(k.ctx.StepCode, QString("A"));
        QCOMPARE(k.ctx.MachineGroupType, 3);
        k.screen.setText("Edit_PesoCT", "0");
        QCOMPARE(k.screen.prepareStep("Bot_TearCt"), StepScreen::None);
        QVERIFY(!k.type("Edit_PesoAmo", "x"));
        QVERIFY(k.type("Edit_PesoAmo", ""));
    }

    void linkingAndEmbroidery() {
        Sheet s;
        s.screen.chooseKind(kKnittedScarf);
        QVERIFY(!s.screen.fieldEnabled("Edit_SubCont"));
        QVERIFY(s.type("Edit_Remalha", "S"));
        QVERIFY(s.screen.fieldEnabled("Edit_SubCont"));
        QVERIFY(!s.screen.buttonEnabled("Bot_RemalhaCT"));
        QVERIFY(s.type("Edit_SubCont", "N"));
        QVERIFY(s.screen.buttonEnabled("Bot_RemalhaCT"));
        QCOMPARE(s.screen.prepareStep("Bot_RemalhaCT"), StepScreen::MachineStep);
        QCOMPARE(s.ctx.StepCode, QString("R"));
        QCOMPARE(s.ctx.MachineGroupType, 7);
        QVERIFY(s.type("Edit_SubCont", "s"));
        QCOMPARE(s.screen.prepareStep("Bot_RemalhaCT"), StepScreen::Subcontract);
        QVERIFY(s.type("Edit_Remalha", "N"));
        QCOMPARE(s.screen.text("Edit_SubCont"), QString("N"));
        QVERIFY(!s.screen.fieldEnabled("Edit_SubCont"));
        QVERIFY(!s.screen.buttonEnabled("Bot_RemalhaCT"));
        QCOMPARE(s.screen.prepareStep("Bot_RemalhaCT"), StepScreen::None);

        Sheet h;
        h.screen.chooseKind(kKnittedHat);
        QVERIFY(h.type("Edit_BordadoGT", "S"));
        QVERIFY(h.type("Edit_SubBrd_GT", "S"));
        QCOMPARE(h.screen.prepareStep("BotBordado_GT"), StepScreen::Subcontract);
        QCOMPARE(h.ctx.StepCode, QString("M"));
        QVERIFY(h.type("Edit_SubBrd_GT", "N"));
        QCOMPARE(h.screen.prepareStep("BotBordado_GT"), StepScreen::MachineStep);
        QVERIFY(h.type("Edit_BordadoGT", "N"));
        QCOMPARE(h.screen.text("Edit_SubBrd_GT"), QString("N"));
        QVERIFY(!h.screen.buttonEnabled("BotBordado_GT"));
    }

    void loadedSheetButtons() {
        // What each step is on the sheet: the window it opens, the step code
        // of its lines ("" : left as it was), its machine group type (0 : left
        // as it was).
        struct Step {
            StepScreen screen;
            const char* code;
            int group;
        };
        const QHash<StepRole, Step> steps{
            {StepRole::Weaving, {StepScreen::Weaving, "", 4}},
            {StepRole::Knitting, {StepScreen::Knitting, "A", 3}},
            {StepRole::Ultrasound, {StepScreen::UltrasoundCut, "", 1}},
            {StepRole::SideSeam, {StepScreen::MachineStep, "C", 2}},
            {StepRole::Labels, {StepScreen::MachineStep, "E", 5}},
            {StepRole::Fringe, {StepScreen::MachineStep, "F", 5}},
            {StepRole::Steaming, {StepScreen::MachineStep, "V", 6}},
            {StepRole::Linking, {StepScreen::MachineStep, "R", 7}},
            {StepRole::Embroidery, {StepScreen::Subcontract, "M", 7}}, // subcontracted on the full header
            {StepRole::Saw, {StepScreen::MachineStep, "S", 9}},
            {StepRole::Printing, {StepScreen::Printing, "T", 8}},
            {StepRole::Design, {StepScreen::Operations, "H", 0}},
            {StepRole::Hanger, {StepScreen::Operations, "D", 0}},
            {StepRole::CardLabels, {StepScreen::Operations, "I", 0}},
            {StepRole::Packaging, {StepScreen::Packaging, "B", 0}},
            {StepRole::Fabric, {StepScreen::Fabric, "L", 0}},
        };
        // Every flag "S", every measure given: each button of the page is on
        // and opens its step; the other pages' buttons are off.
        for (const QString& kind : sheetKinds()) {
            Sheet s(fullHeader(kind));
            QCOMPARE(s.ctx.SheetKind, kind);
            QCOMPARE(s.view.pages, QStringList{kind});
            QVERIFY(!s.screen.kindChoiceEnabled());
            for (const StepButton& b : stepButtons()) {
                const QByteArray name = b.name.toLatin1();
                QCOMPARE(s.screen.buttonEnabled(b.name), b.kind == kind);
                if (b.kind != kind)
                    continue;
                const Step st = steps.value(b.role);
                s.ctx.StepCode = "?";
                s.ctx.MachineGroupType = -1;
                QVERIFY2(s.screen.prepareStep(b.name) == st.screen, name.constData());
                QCOMPARE(s.ctx.StepCode, *st.code ? QString(st.code) : QString("?"));
                QCOMPARE(s.ctx.MachineGroupType, st.group ? st.group : -1);
            }
        }
        // flags "N", no weight, no surface: only the buttons without a flag
        QVariantMap off = fullHeader(kKnittedScarf);
        for (auto it = off.begin(); it != off.end(); ++it)
            if (it.value() == QVariant("S"))
                it.value() = "N";
        off["PESOKGS"] = 0.0;
        Sheet n(off);
        QStringList enabled;
        for (const StepButton& b : stepButtons())
            if (n.screen.buttonEnabled(b.name))
                enabled << b.name;
        QCOMPARE(enabled, QStringList{"Bot_DesenhoCt"});
        QVERIFY(!n.screen.fieldEnabled("Edit_SubCont"));
        QVERIFY(!n.screen.fieldEnabled("Edit_LargFranjaCT"));
        QVERIFY(n.screen.fieldEnabled("Edit_PesoCT"));
    }

    void loadingHeader() {
        Sheet s(fullHeader(kWovenScarf));
        QCOMPARE(s.screen.text("Edit_TipoTrabalho"), QString("2"));
        QCOMPARE(s.screen.text("Label_TipoTrabalho"), QString("Liso"));
        QCOMPARE(s.screen.text("Edit_Contracoes"), QString("7,5"));
        QCOMPARE(s.screen.text("Edit_LargFranja"), QString("80"));
        QCOMPARE(s.screen.text("Edit_RefInformat"), QString("REF 9"));
        QCOMPARE(s.screen.text("Edit_Raport"), QString("4"));
        QCOMPARE(s.screen.text("Edit_PesoCT"), QString()); // another page
        QCOMPARE(s.ctx.WorkType, 2);
        QCOMPARE(s.ctx.PassagesPerCm, 24);
        QCOMPARE(s.ctx.ContractionPercent, 7.5);
        QCOMPARE(s.ctx.YarnWastePercent, 2.5);
        QCOMPARE(s.ctx.FringeMeasure, 80.0);
        QCOMPARE(s.ctx.PieceWeight, 0.3);
        QCOMPARE(s.ctx.PrintSurfacePercent, 60.0);
        QCOMPARE(s.ctx.ClothArticle, QString("TEC-1"));
        QCOMPARE(s.ctx.ClothMetres, 1.25);
        // saving untouched writes back what was loaded
        const QVariantMap saved = s.screen.saveColumns();
        for (const char* column :
             {"TIPOTRABALHO", "NROPASSAG", "CONTRACOES", "DESPERD", "LARG_FRANJA", "FITAS", "RAPORT",
              "TMPDESENHO", "TMPCABIDE", "REF_INFORMAT", "CORTEULTRA", "VAPORIZA"})
            QVERIFY2(saved.value(column) == fullHeader(kWovenScarf).value(column), column);

        Sheet g(fullHeader(kKnittedHat));
        QCOMPARE(g.screen.text("Edit_CorteSerraGT"), QString("S"));
        QCOMPARE(g.screen.text("Edit_PesoGT"), QString("0,3"));
        QCOMPARE(g.screen.text("Edit_PesoAmoGT"), QString("25"));
        QCOMPARE(g.screen.text("Edit_SubBrd_GT"), QString("S"));
        QVERIFY(g.screen.fieldEnabled("Edit_SubBrd_GT"));
        QCOMPARE(g.screen.text("Label_TipoTrabalho"), QString());
    }

    void inputWidths() {
        Sheet s;
        s.screen.chooseKind(kWovenScarf);
        s.screen.setText("Edit_RefInformat", QString(45, 'x'));
        QCOMPARE(s.screen.text("Edit_RefInformat").size(), 40);
        s.screen.setText("Edit_TipoTrabalho", "123456789");
        QCOMPARE(s.screen.text("Edit_TipoTrabalho"), QString("123456"));
        s.screen.setText("Edit_Raport", "9"); // filled by the weaving step only
        QCOMPARE(s.screen.text("Edit_Raport"), QString());
        // every input takes what its column holds: a flag one letter, a
        // small integer 6 characters (-32768), a number 24
        const QHash<QString, int> widths{{"CORTEULTRA", 1}, {"SUBCONT_BORDADO", 1}, {"REF_INFORMAT", 40},
                                         {"RESOLUCAO", 10}, {"TMPDESENHO", 6},      {"NRPASSADAS", 11},
                                         {"SUPIMPR", 24},   {"LARG_FRANJA", 24}};
        int checked = 0;
        for (const SheetInput& in : sheetInputs()) {
            if (in.rule.allowed == QStringList{"S", "N"})
                QCOMPARE(in.rule.maxLength, 1);
            if (widths.contains(in.rule.column)) {
                QCOMPARE(in.rule.maxLength, widths.value(in.rule.column));
                ++checked;
            }
        }
        QCOMPARE(checked, 20);
    }

    void deletingAndChoosingAgain() {
        Sheet s(fullHeader(kWovenScarf), true);
        s.ctx.SheetKind = kWovenScarf;
        s.screen.sheetDeleted(reference());
        QVERIFY(s.view.questions.isEmpty());
        QVERIFY(s.ctx.StepCancelled);
        QCOMPARE(s.ctx.SheetKind, kNoKind);
        QCOMPARE(s.view.pages, (QStringList{kWovenScarf, kNoKind}));
        QCOMPARE(s.view.focus, QStringList{"RadFictec"});
        QCOMPARE(s.ctx.FringeMeasure, 120.0);
        QCOMPARE(s.ctx.WorkType, 0);
        QCOMPARE(s.screen.text("Edit_TipoTrabalho"), QString());
        QVERIFY(!s.screen.hasHeader());
        QVERIFY(s.screen.kindChoiceEnabled());
        QVERIFY(!s.screen.buttonEnabled("BotTool_g"));
        QVERIFY(s.screen.saveColumns().isEmpty());
        QVERIFY(s.screen.chooseKind(kKnittedHat));
        QCOMPARE(s.screen.saveColumns().value("TIPOFICTEC"), QVariant("GT"));
        QCOMPARE(s.screen.saveColumns().value("DESPERD"), QVariant(0.0));
    }

    void cancelling() {
        Sheet s(fullHeader(kKnittedScarf));
        s.fill({{"Edit_RefInf_CT", "changed"}, {"Edit_EtiqCT", "N"}});
        QVERIFY(!s.screen.buttonEnabled("Bot_EtiqCt"));
        QVERIFY(s.screen.cancel(reference(), fullHeader(kKnittedScarf), true));
        QVERIFY(s.ctx.Cancelling);
        QCOMPARE(s.screen.text("Edit_RefInf_CT"), QString("REF 9"));
        QVERIFY(s.screen.buttonEnabled("Bot_EtiqCt"));
        QCOMPARE(s.ctx.LinesOrder, QString("CODIGOMP"));
        s.view.clear();
        // no check while cancelling
        QVERIFY(s.type("Edit_EtiqCT", "X"));
        QVERIFY(s.type("Edit_PesoCT", "0"));
        QVERIFY(s.type("Edit_TmpDesenhoCT", "abc"));
        QVERIFY(s.view.messages.isEmpty());
        QVERIFY(s.view.focus.isEmpty());
        QCOMPARE(s.view.beeps, 0);
        QCOMPARE(s.ctx.PieceWeight, 0.3);

        // a new sheet: choosing the kind ends it
        Sheet n;
        n.screen.chooseKind(kPrintedScarf);
        n.screen.cancel(reference(), {}, false);
        QCOMPARE(n.ctx.SheetKind, kNoKind);
        QVERIFY(n.ctx.Cancelling);
        QVERIFY(n.screen.chooseKind(kPrintedScarf));
        QVERIFY(!n.ctx.Cancelling);
        QVERIFY(!n.type("Edit_EtiqCI", "X"));
        // lines made for the chosen kind keep it
        n.screen.setHasLines(true);
        n.screen.cancel(reference(), {}, true);
        QCOMPARE(n.ctx.SheetKind, kPrintedScarf);
        QVERIFY(n.screen.buttonEnabled("BotTecido"));
        // a missing parameters row refuses the reload
        QVERIFY(!n.screen.cancel({std::nullopt, {}}, {}, false));
    }

    void fabricAndLines() {
        Sheet s;
        s.screen.chooseKind(kPrintedScarf);
        QCOMPARE(s.screen.prepareStep("BotTecido"), StepScreen::Fabric);
        QCOMPARE(s.ctx.StepCode, QString("L"));
        QCOMPARE(s.ctx.ClothWidth, 0.0);
        s.ctx.ClothWidth = 140;
        s.ctx.ClothPieces = 4;
        s.ctx.ClothFitting = "S";
        s.ctx.ClothMetres = 0.5;
        QVERIFY(s.screen.fabricClosed(true).isEmpty());
        QCOMPARE(s.ctx.ClothWidth, 0.0);
        s.ctx.ClothWidth = 140;
        s.ctx.ClothPieces = 4;
        s.ctx.ClothFitting = "S";
        s.ctx.ClothMetres = 0.5;
        compareColumns(s.screen.fabricClosed(false), {{"CODIGO", "ART-1"},
                                                      {"TIPOFICTEC", "CI"},
                                                      {"LARG_TECIDO", 140.0},
                                                      {"PECAS_TECIDO", 4},
                                                      {"ENQ_TECIDO", "S"},
                                                      {"MTL_TECIDO", 0.5}});
        QVERIFY(s.screen.hasHeader());
        QVERIFY(!s.screen.chooseKind(kWovenScarf));
        const QVariantMap saved = s.screen.saveColumns();
        for (const char* column : {"LARG_TECIDO", "PECAS_TECIDO", "ENQ_TECIDO", "MTL_TECIDO", "TECIDO"})
            QVERIFY2(!saved.contains(column), column);
        // an existing header: only the fabric values
        Sheet h(fullHeader(kPrintedScarf));
        QCOMPARE(h.screen.prepareStep("BotTecido"), StepScreen::Fabric);
        QCOMPARE(h.ctx.ClothArticle, QString("TEC-1"));
        QCOMPARE(h.ctx.ClothPieces, 5);
        QCOMPARE(h.screen.fabricClosed(false).keys(),
                 (QStringList{"ENQ_TECIDO", "LARG_TECIDO", "MTL_TECIDO", "PECAS_TECIDO"}));

        QVERIFY(s.screen.sortLines("DESIGN"));
        QCOMPARE(s.ctx.LinesOrder, QString("DESIGN"));
        QVERIFY(s.screen.sortLines("tipo"));
        QCOMPARE(s.ctx.LinesOrder, QString("TIPO"));
        QVERIFY(!s.screen.sortLines("QUANT"));
        QCOMPARE(s.ctx.LinesOrder, QString("TIPO"));
    }
};

QTEST_GUILESS_MAIN(TestSheetScreen)
#include "test_sheet_screen.moc"
