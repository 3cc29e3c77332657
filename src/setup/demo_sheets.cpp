// The technical sheets of the demo company: one of each kind, with the lines
// of their steps written by the step screens' logic, run as a user would run
// them (see demo_steps.h), so every line is what a screen writes.
#include "demo_site.h"
#include "demo_steps.h"

#include "techsheet/store/sheet_store.h"
#include "techsheet/tech_sheet_context.h"

namespace corvane::setup {

namespace {

using namespace techsheet;

struct DemoSheet {
    const char* article;
    QString kind;
    QVariantMap header;
    // The steps of the sheet beyond design, hanger, cardboard labels and packaging.
    std::function<bool(SheetStepRunner&, QString*)> steps;
    std::optional<StepMaterial> hanger; // its type and code
    QString labelMinutes;               // cardboard labels: typed time
    int packaging;                      // EMBALAGEM code
};

QVariantMap yesNo(std::initializer_list<std::pair<const char*, bool>> flags) {
    QVariantMap out;
    for (const auto& [column, on] : flags)
        out.insert(QString::fromLatin1(column), on ? QStringLiteral("S") : QStringLiteral("N"));
    return out;
}

QVariantMap merged(QVariantMap a, const QVariantMap& b) {
    a.insert(b);
    return a;
}

// The steps of the woven scarf: loom and yarns, ultrasound cut, side seam
// with its thread, woven labels, twisted fringes and steaming.
bool wovenScarfSteps(SheetStepRunner& run, QString* error) {
    // Black and grey weft on a black warp, woven six strips wide on the
    // high-definition loom.
    return run.weaving({{QStringLiteral("480"), QStringLiteral("FIO.ACR2/28.PRE")},
                        {QStringLiteral("240"), QStringLiteral("FIO.ACR2/28.CIN")}},
                       {{QStringLiteral("3600"), QStringLiteral("FIO.ACR2/28.PRE")}},
                       {QStringLiteral("TEAR01"), QStringLiteral("1")}, error) &&
           run.ultrasound({{QStringLiteral("US01"), QStringLiteral("1")}}, error) &&
           run.machineStep(StepRole::SideSeam, {{QStringLiteral("CC01"), QStringLiteral("2")}},
                           StepMaterial{45, QStringLiteral("LIN.P120.PRE"), {}}, error) &&
           run.machineStep(StepRole::Labels, {{QStringLiteral("PC01"), QStringLiteral("0.8")}},
                           StepMaterial{1, QStringLiteral("ETQ.TEC.MARCA"), QStringLiteral("1")}, error) &&
           run.machineStep(StepRole::Fringe, {{QStringLiteral("PC01"), QStringLiteral("3")}},
                           StepMaterial{140, QStringLiteral("FRJ.TOR10.PRE"), {}}, error) &&
           run.machineStep(StepRole::Steaming, {{QStringLiteral("VAP01"), QStringLiteral("1.5")}},
                           std::nullopt, error);
}

// The knitted scarf: merino with a little acrylic on the scarf loom, its
// woven brand label sewn on, linked in the house with its linking thread,
// the monogram embroidered outside (the thread sent with it), steamed. Knitted
// flat and ribbed, it has no side seam.
bool knittedScarfSteps(SheetStepRunner& run, QString* error) {
    return run.knitting({{QStringLiteral("80"), QStringLiteral("FIO.MER2/48.PRE"), QStringLiteral("G1")},
                         {QStringLiteral("20"), QStringLiteral("FIO.ACR2/32.PRE"), QStringLiteral("G2")}},
                        {QStringLiteral("TRI01"), QStringLiteral("18")}, error) &&
           run.machineStep(StepRole::Labels, {{QStringLiteral("PC01"), QStringLiteral("0.8")}},
                           StepMaterial{1, QStringLiteral("ETQ.TEC.MARCA"), QStringLiteral("1")}, error) &&
           run.machineStep(StepRole::Linking, {{QStringLiteral("REM01"), QStringLiteral("6")}},
                           StepMaterial{45, QStringLiteral("LIN.REM.CRU"), {}}, error) &&
           run.subcontract(StepRole::Embroidery, QStringLiteral("SRV.BORDADO"), QStringLiteral("1.1"),
                           {{45, QStringLiteral("LIN.P120.BEG"), QStringLiteral("0.02")}}, error) &&
           run.machineStep(StepRole::Steaming, {{QStringLiteral("VAP01"), QStringLiteral("1.5")}},
                           std::nullopt, error);
}

// The knitted hat: black acrylic with a white band on the hat loom, its
// woven brand label sewn on, the brand embroidered in the house, steamed, the
// pompom trimmed on the saw.
bool knittedHatSteps(SheetStepRunner& run, QString* error) {
    return run.knitting({{QStringLiteral("60"), QStringLiteral("FIO.ACR2/28.PRE"), QStringLiteral("G1")},
                         {QStringLiteral("25"), QStringLiteral("FIO.ACR2/32.PRE"), QStringLiteral("G2")},
                         {QStringLiteral("15"), QStringLiteral("FIO.ACR2/28.BRA"), QStringLiteral("G3")}},
                        {QStringLiteral("TRI02"), QStringLiteral("9")}, error) &&
           run.machineStep(StepRole::Labels, {{QStringLiteral("PC01"), QStringLiteral("0.6")}},
                           StepMaterial{1, QStringLiteral("ETQ.TEC.MARCA"), QStringLiteral("1")}, error) &&
           run.machineStep(StepRole::Embroidery, {{QStringLiteral("BRD01"), QStringLiteral("3")}},
                           StepMaterial{45, QStringLiteral("LIN.P120.BRA"), QStringLiteral("0.02")}, error) &&
           run.machineStep(StepRole::Steaming, {{QStringLiteral("VAP01"), QStringLiteral("1")}}, std::nullopt,
                           error) &&
           run.machineStep(StepRole::Saw, {{QStringLiteral("SER01"), QStringLiteral("0.5")}}, std::nullopt,
                           error);
}

// The printed stole: the viscose cut two across the fabric's width, printed
// on the digital printer with the inks it proposes.
bool printedScarfSteps(SheetStepRunner& run, QString* error) {
    return run.fabric({QStringLiteral("TEC.VIS.CRU"), QStringLiteral("1.4"), QStringLiteral("L"),
                       QStringLiteral("2")},
                      error) &&
           run.printing({QStringLiteral("IMP01"), QStringLiteral("6")}, {}, error) &&
           run.ultrasound({{QStringLiteral("US01"), QStringLiteral("1")}}, error) &&
           run.machineStep(StepRole::Labels, {{QStringLiteral("PC01"), QStringLiteral("0.8")}},
                           StepMaterial{1, QStringLiteral("ETQ.TEC.MARCA"), QStringLiteral("1")}, error);
}

QList<DemoSheet> demoSheets() {
    const QVariantMap common{{"TEAR", "N"},       {"CORTE_MOLDE", "N"}, {"LARG_TECIDO", 0.0},
                             {"PECAS_TECIDO", 0}, {"MTL_TECIDO", 0.0},  {"ENQ_TECIDO", ""}};
    QList<DemoSheet> out;
    out << DemoSheet{"CHCAC01.PRE",
                     kWovenScarf,
                     merged(merged(common, yesNo({{"CORTEULTRA", true},
                                                  {"COSTURA", true},
                                                  {"FRANJA", true},
                                                  {"ETIQUETA", true},
                                                  {"ETIQ_CARTOLINA", true},
                                                  {"CABIDE", true},
                                                  {"EMBALAGEM", true},
                                                  {"VAPORIZA", true},
                                                  {"REMALHA", false},
                                                  {"SUBCONTRATO", false}})),
                            {{"TIPOTRABALHO", 4},
                             {"NROPASSAG", 28},
                             {"CONTRACOES", 8.0},
                             {"FITAS", 0},
                             {"RAPORT", 0},
                             {"TMPDESENHO", 45},
                             {"TMPCABIDE", 2},
                             {"DESPERD", 3.5},
                             {"LARG_FRANJA", 120.0},
                             {"REF_INFORMAT", "Jacquard Xadrez Inverno"},
                             {"PESOKGS", 0.0},
                             {"PESOAMOSTRA", 0.0},
                             {"VELOCID_CARRO", 0.0},
                             {"VELOCID_TIRAGEM", 0.0},
                             {"SUPIMPR", 0.0}}),
                     wovenScarfSteps,
                     StepMaterial{160, QStringLiteral("CAB.PLA.CACHECOL"), QStringLiteral("1")},
                     QStringLiteral("0.5"),
                     2};
    // The knitted pieces weigh in grams: the knitting step takes the weight as grams.
    out << DemoSheet{"CHCLA01.PRE",
                     kKnittedScarf,
                     merged(merged(common, yesNo({{"CORTEULTRA", false},
                                                  {"COSTURA", false},
                                                  {"FRANJA", false},
                                                  {"ETIQUETA", true},
                                                  {"ETIQ_CARTOLINA", true},
                                                  {"CABIDE", true},
                                                  {"EMBALAGEM", true},
                                                  {"VAPORIZA", true},
                                                  {"REMALHA", true},
                                                  {"SUBCONTRATO", false},
                                                  {"BORDADO", true},
                                                  {"SUBCONT_BORDADO", true}})),
                            {{"TIPOTRABALHO", 0},
                             {"NROPASSAG", 0},
                             {"FITAS", 0},
                             {"RAPORT", 0},
                             {"TMPDESENHO", 30},
                             {"TMPCABIDE", 2},
                             {"DESPERD", 3.5},
                             {"LARG_FRANJA", 0.0},
                             {"REF_INFORMAT", "Canelado Merino 2x2"},
                             {"PESOKGS", 160.0},
                             {"PESOAMOSTRA", 158.0},
                             {"VELOCID_CARRO", 0.8},
                             {"VELOCID_TIRAGEM", 0.6},
                             {"SUPIMPR", 0.0}}),
                     knittedScarfSteps,
                     StepMaterial{161, QStringLiteral("CAB.CAR.CACHECOL"), QStringLiteral("1")},
                     QStringLiteral("0.5"),
                     2};
    out << DemoSheet{"ECHVI01.PRE",
                     kPrintedScarf,
                     merged(yesNo({{"CORTEULTRA", true},
                                   {"COSTURA", false},
                                   {"FRANJA", false},
                                   {"ETIQUETA", true},
                                   {"ETIQ_CARTOLINA", true},
                                   {"CABIDE", false},
                                   {"EMBALAGEM", true},
                                   {"REMALHA", false},
                                   {"SUBCONTRATO", false},
                                   {"TEAR", false},
                                   {"CORTE_MOLDE", false}}),
                            {{"TIPOTRABALHO", 0},
                             {"NRPASSADAS", 2},
                             {"RESOLUCAO", "600x600"},
                             {"TMPDESENHO", 60},
                             {"TMPCABIDE", 0},
                             {"DESPERD", 0.0},
                             {"LARG_FRANJA", 0.0},
                             {"SUPIMPR", 85.0},
                             {"REF_INFORMAT", "Estampado Floral Primavera"},
                             {"PESOKGS", 0.0},
                             {"PESOAMOSTRA", 0.0},
                             {"VELOCID_CARRO", 0.0},
                             {"VELOCID_TIRAGEM", 0.0},
                             {"FITAS", 0},
                             {"RAPORT", 0}}),
                     printedScarfSteps,
                     std::nullopt,
                     QStringLiteral("0.4"),
                     2};
    // The hat's saw cut is its CORTEULTRA flag; its embroidery is done in the house.
    out << DemoSheet{"GORAC02.PRE",
                     kKnittedHat,
                     merged(merged(common, yesNo({{"CORTEULTRA", true},
                                                  {"COSTURA", false},
                                                  {"FRANJA", false},
                                                  {"ETIQUETA", true},
                                                  {"ETIQ_CARTOLINA", true},
                                                  {"CABIDE", true},
                                                  {"EMBALAGEM", true},
                                                  {"VAPORIZA", true},
                                                  {"REMALHA", false},
                                                  {"SUBCONTRATO", false},
                                                  {"BORDADO", true},
                                                  {"SUBCONT_BORDADO", false}})),
                            {{"TIPOTRABALHO", 0},
                             {"NRPASSADAS", 0},
                             {"FITAS", 0},
                             {"RAPORT", 0},
                             {"TMPDESENHO", 20},
                             {"TMPCABIDE", 1},
                             {"DESPERD", 3.5},
                             {"LARG_FRANJA", 0.0},
                             {"REF_INFORMAT", "Gorro Pompom Inverno"},
                             {"PESOKGS", 90.0},
                             {"PESOAMOSTRA", 92.0},
                             {"VELOCID_CARRO", 0.7},
                             {"VELOCID_TIRAGEM", 0.5},
                             {"SUPIMPR", 0.0}}),
                     knittedHatSteps,
                     StepMaterial{160, QStringLiteral("CAB.PLA.GORRO"), QStringLiteral("1")},
                     QStringLiteral("0.3"),
                     3};
    return out;
}

} // namespace

bool insertDemoSheets(db::Database& corvane, db::Database& factura, QString* error) {
    SheetStore store(corvane);
    SheetStepRunner run(corvane, factura, kDemoUser);
    for (const DemoSheet& s : demoSheets()) {
        const QString article = QString::fromLatin1(s.article);
        QVariantMap header = s.header;
        header.insert(QStringLiteral("CODIGO"), article);
        header.insert(QStringLiteral("TIPOFICTEC"), s.kind);
        if (!store.saveHeader(header, error) || !run.open(article, error))
            return false;
        // Design, hanger fitting, cardboard labels and packaging: the
        // operation for the product ticked (the hat's hanger on a hat).
        const QString product = s.kind == kKnittedHat ? QStringLiteral("Gorro") : QString();
        if (!run.operation(StepRole::Design, {}, std::nullopt, error) ||
            (s.hanger && !run.operation(StepRole::Hanger, {product, {}}, s.hanger, error)) ||
            !run.operation(StepRole::CardLabels, {{}, s.labelMinutes},
                           StepMaterial{11, QStringLiteral("ETQ.CAR.MARCA"), QStringLiteral("1")}, error) ||
            !run.packaging(s.packaging, QStringLiteral("1"), error) || (s.steps && !s.steps(run, error)) ||
            !run.save(error))
            return false;
    }
    return run.close(error);
}

} // namespace corvane::setup
