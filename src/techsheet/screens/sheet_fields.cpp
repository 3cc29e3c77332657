#include "sheet_fields.h"

#include "sheet_screen.h"
#include "shell/version_steps.h"
#include "shell/version_tables.h"

namespace corvane::techsheet {

namespace {

using S = StepRole;
using screens::FieldKind;

// The header as the program's current version has it: the inputs take its
// columns' kinds and widths.
const db::Table& headerTable() {
    static const db::Table table = shell::atCurrentVersion(shell::fictecMasTable());
    return table;
}

SheetInput input(const char* column, const char* name, const char* label, SheetInput::Check check = nullptr) {
    SheetInput in;
    in.rule = screens::fieldOf(headerTable(), QString::fromLatin1(column), QString::fromLatin1(name),
                               QString::fromUtf8(label));
    in.check = check;
    return in;
}

// An input that may be neither empty nor 0 (nor less): `message` otherwise.
SheetInput required(const char* column, const char* name, const char* label, const QString& message,
                    SheetInput::Check check) {
    SheetInput in = input(column, name, label, check);
    in.rule.emptyMessage = message;
    in.rule.positive = true;
    return in;
}

// A yes/no input: "S" or "N", typed in either case.
SheetInput yesNo(const char* column, const char* name, const char* label, std::optional<StepRole> button,
                 const char* afterNo = "", SheetInput::Check check = &SheetScreen::flagStep) {
    SheetInput in = input(column, name, label, check);
    in.rule.kind = FieldKind::Upper;
    in.rule.allowed = QStringList{QStringLiteral("S"), QStringLiteral("N")};
    in.rule.allowedMessage = kYesNoMessage;
    in.button = button;
    in.afterNo = QString::fromLatin1(afterNo);
    return in;
}

// ---- the inputs, by the header column they show ----

SheetInput workType(const char* name) {
    SheetInput in = input("TIPOTRABALHO", name, "Tipo de Trabalho : ", &SheetScreen::takeWorkType);
    in.rule.emptyMessage = QStringLiteral("Tipo de Trabalho Inválido ...");
    in.rule.hint = QStringLiteral("<Ins> Localizar Tipo de Trabalho");
    screens::LookupSpec& l = in.rule.lookup;
    l.dataset = QStringLiteral("TIPOTRABALHO");
    l.labelColumn = QStringLiteral("DESIGNACAO");
    l.labelName = kWorkTypeLabel;
    l.columns =
        QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"), QStringLiteral("PASSAG_CM")};
    l.titles = QStringList{QStringLiteral("Tipo Trab."), QStringLiteral("Designação"),
                           QStringLiteral("Passag. P/ Cm")};
    l.notFoundMessage = QStringLiteral("Tipo de Trabalho Inexistente ...");
    return in;
}
SheetInput passages(const char* name) {
    return required("NROPASSAG", name, "Nº Passag. p/ Cm : ", QStringLiteral("Digite o Nº de Passagens ..."),
                    &SheetScreen::takePassages);
}
SheetInput contraction(const char* name) {
    return required("CONTRACOES", name, "% de Contrações : ", QStringLiteral("Digite a % de Contracoes ..."),
                    &SheetScreen::takeContraction);
}
SheetInput yarnWaste(const char* name) {
    return input("DESPERD", name, "Encolhimento Fio : ", &SheetScreen::takeYarnWaste);
}
SheetInput reference(const char* name) {
    return input("REF_INFORMAT", name, "Ref.Inform.: ");
}
SheetInput ultrasound(const char* name) {
    return yesNo("CORTEULTRA", name, "Corte Ultrasom ? ", S::Ultrasound);
}
SheetInput saw(const char* name) {
    return yesNo("CORTEULTRA", name, "Corte Serra Eléctrica ? ", S::Saw);
}
SheetInput sideSeam(const char* name) {
    return yesNo("COSTURA", name, "Costura Lateral ? ", S::SideSeam, "FRANJA");
}
SheetInput fringe(const char* name) {
    SheetInput in = yesNo("FRANJA", name, "Franja ? ", S::Fringe, "CABIDE", &SheetScreen::flagFringe);
    in.opens = QStringLiteral("LARG_FRANJA");
    return in;
}
SheetInput fringeMeasure(const char* name) {
    return required("LARG_FRANJA", name, "Medida : ", QStringLiteral("Insira a medida da Franja ..."),
                    &SheetScreen::takeFringeMeasure);
}
SheetInput labels(const char* name) {
    return yesNo("ETIQUETA", name, "Tecida / Estampada ? ", S::Labels, "ETIQ_CARTOLINA");
}
SheetInput cardLabels(const char* name, const char* afterNo = "") {
    return yesNo("ETIQ_CARTOLINA", name, "Cartolina  ? ", S::CardLabels, afterNo);
}
SheetInput hanger(const char* name, const char* afterNo = "") {
    SheetInput in = yesNo("CABIDE", name, "Cabide ? ", S::Hanger, afterNo);
    in.opens = QStringLiteral("TMPCABIDE");
    return in;
}
SheetInput hangerTime(const char* name) {
    return required("TMPCABIDE", name, "Tempo : ", kTimeMessage, &SheetScreen::takeTime);
}
// The woven scarf's design time is checked when its button is pressed: when
// left, only that it is a number.
SheetInput designTime(const char* name, SheetInput::Check check = &SheetScreen::takeTime) {
    return required("TMPDESENHO", name, "Tempo Desenho : ", kTimeMessage, check);
}
SheetInput packaging(const char* name) {
    return yesNo("EMBALAGEM", name, "Embalagem ? ", S::Packaging);
}
SheetInput steaming(const char* name) {
    return yesNo("VAPORIZA", name, "Vaporizadora ? ", S::Steaming);
}
// Filled by the weaving step only.
SheetInput loomValue(const char* column, const char* name, const char* label) {
    SheetInput in = input(column, name, label);
    in.rule.readOnly = true;
    return in;
}
SheetInput weight(const char* name) {
    return required("PESOKGS", name, "Peso  : ", QStringLiteral("Insira o Peso da Peça ..."),
                    &SheetScreen::takeWeight);
}
SheetInput sampleWeight(const char* name) {
    return input("PESOAMOSTRA", name, "Peso Amostra  : ");
}
SheetInput carriageSpeed(const char* name) {
    return input("VELOCID_CARRO", name, "Velocidade Carro  : ");
}
SheetInput takeDownSpeed(const char* name) {
    return input("VELOCID_TIRAGEM", name, "Velocidade Tiragem  : ");
}
// Linking and embroidery: "S" asks whether they are subcontracted, whose
// answer turns the button on.
SheetInput linking(const char* name) {
    SheetInput in =
        yesNo("REMALHA", name, "Ramalhar ? ", S::Linking, "TMPDESENHO", &SheetScreen::flagOwnWork);
    in.opens = QStringLiteral("SUBCONTRATO");
    return in;
}
SheetInput linkingSubcontract(const char* name) {
    return yesNo("SUBCONTRATO", name, "Subcontrato ?", std::nullopt, "", &SheetScreen::flagSubcontract);
}
SheetInput embroidery(const char* name, const char* afterNo) {
    SheetInput in = yesNo("BORDADO", name, "Bordado ? ", S::Embroidery, afterNo, &SheetScreen::flagOwnWork);
    in.opens = QStringLiteral("SUBCONT_BORDADO");
    return in;
}
SheetInput embroiderySubcontract(const char* name) {
    return yesNo("SUBCONT_BORDADO", name, "Subcontrato ?", std::nullopt, "", &SheetScreen::flagSubcontract);
}
SheetInput resolution(const char* name) {
    return input("RESOLUCAO", name, "Resolução : ");
}
SheetInput printPasses(const char* name) {
    return input("NRPASSADAS", name, "Nº Passadas : ");
}
// A share of the scarf's surface (%): empty or 0, or outside 0 to 100, is refused.
SheetInput printSurface(const char* name) {
    SheetInput in = input("SUPIMPR", name, " Sup.Impressão : ", &SheetScreen::takePrintSurface);
    in.rule.emptyMessage = QStringLiteral("Defina a % de Superficie Total de Impressão ...");
    in.rule.rangeMessage = QStringLiteral(" % de Superficie Total de Impressão inválida ...");
    return in;
}

QList<SheetInput> page(const QString& kind, QList<SheetInput> inputs) {
    for (SheetInput& in : inputs)
        in.page = kind;
    return inputs;
}

QList<SheetInput> buildInputs() {
    return page(kWovenScarf,
                {workType("Edit_TipoTrabalho"), passages("Edit_PassagCm"), contraction("Edit_Contracoes"),
                 yarnWaste("Edit_DespFioCA"), reference("Edit_RefInformat"), ultrasound("Edit_CorteUltSom"),
                 sideSeam("Edit_Costura"), labels("Edit_Etiq"), cardLabels("Edit_EtqCart_Ca", "FRANJA"),
                 fringe("Edit_Franja"), fringeMeasure("Edit_LargFranja"), hanger("Edit_Cabide", "EMBALAGEM"),
                 hangerTime("Edit_TmpCabide"), packaging("Edit_EmbalCA"), steaming("Edit_VaporCA"),
                 designTime("Edit_TmpDesenho", &SheetScreen::takeNumberOnly),
                 loomValue("RAPORT", "Edit_Raport", "Raport : "),
                 loomValue("FITAS", "Edit_Fitas", "Nº de Fitas : ")}) +
           page(kKnittedScarf, {yarnWaste("Edit_DespFioCT"),
                                reference("Edit_RefInf_CT"),
                                weight("Edit_PesoCT"),
                                sampleWeight("Edit_PesoAmo"),
                                carriageSpeed("Edit_Velocid_Carro"),
                                takeDownSpeed("Edit_Velocid_Tiragem"),
                                ultrasound("Edit_CorteUltSomCT"),
                                sideSeam("Edit_CosturaCT"),
                                fringe("Edit_FranjaCt"),
                                fringeMeasure("Edit_LargFranjaCT"),
                                hanger("Edit_CabideCT"),
                                hangerTime("Edit_TmpCabideCt"),
                                labels("Edit_EtiqCT"),
                                cardLabels("Edit_EtqCart_Ct"),
                                embroidery("Edit_BordadoCt", "REMALHA"),
                                embroiderySubcontract("Edit_SubBrd_CT"),
                                linking("Edit_Remalha"),
                                linkingSubcontract("Edit_SubCont"),
                                designTime("Edit_TmpDesenhoCT"),
                                steaming("Edit_VaporCT"),
                                packaging("Edit_EmbalCT")}) +
           page(kPrintedScarf,
                {reference("Edit_RefInf_CI"), resolution("Edit_Resolucao"), printPasses("Edit_NPassadas"),
                 printSurface("Edit_SupImpr"), ultrasound("Edit_CorteUltSomCI"), sideSeam("Edit_CosturaCI"),
                 fringe("Edit_FranjaCi"), fringeMeasure("Edit_LargFranjaCI"), hanger("Edit_CabideCI"),
                 hangerTime("Edit_TmpCabideCI"), labels("Edit_EtiqCI"), cardLabels("Edit_EtqCart_Ci"),
                 designTime("Edit_TmpDesenhoCI"), packaging("Edit_EmbalCI")}) +
           page(kKnittedHat,
                {yarnWaste("Edit_DespFioGT"), reference("Edit_RefInf_GT"), weight("Edit_PesoGT"),
                 sampleWeight("Edit_PesoAmoGT"), carriageSpeed("Edit_Velocid_CarroGT"),
                 takeDownSpeed("Edit_Velocid_TiragemGT"), saw("Edit_CorteSerraGT"),
                 embroidery("Edit_BordadoGT", "ETIQUETA"), embroiderySubcontract("Edit_SubBrd_GT"),
                 labels("Edit_EtiqGT"), cardLabels("Edit_EtqCart_GT"), hanger("Edit_CabideGT"),
                 hangerTime("Edit_TmpCabideGT"), designTime("Edit_TmpDesenhoGT"), steaming("Edit_VaporGT"),
                 packaging("Edit_EmbalGT")});
}

QList<StepButton> buildButtons() {
    const QString yarnsLooms = QStringLiteral("Fios/Teares");
    const QString cutOnly = QStringLiteral("Só Corte");
    const QString ultrasound = QStringLiteral("Corte Ultra Som");
    const QString creasing = QStringLiteral("Corte e Vinco");
    const QString burnisher = QStringLiteral("Brunideira");
    const QString design = QStringLiteral("Operações de Desenho");
    const QString hanger = QStringLiteral("Operação - Colocação de Cabides");
    const QString ca = kWovenScarf, ct = kKnittedScarf, ci = kPrintedScarf, gt = kKnittedHat;
    return {
        {"BotTool_g", ca, S::Weaving, yarnsLooms},
        {"Bot_TearCt", ct, S::Knitting, yarnsLooms},
        {"Bot_TearGT", gt, S::Knitting, yarnsLooms},
        {"Bot_UltSom", ca, S::Ultrasound, ultrasound},
        {"Bot_UltSomCT", ct, S::Ultrasound, ultrasound},
        {"Bot_UltSomCI", ci, S::Ultrasound, ultrasound},
        {"Bot_Costura", ca, S::SideSeam, cutOnly},
        {"Bot_CosturaCt", ct, S::SideSeam, cutOnly},
        {"Bot_CosturaCI", ci, S::SideSeam, cutOnly},
        {"Bot_Etiq", ca, S::Labels, creasing},
        {"Bot_EtiqCt", ct, S::Labels, creasing},
        {"Bot_EtiqCi", ci, S::Labels, creasing},
        {"Bot_EtiqGT", gt, S::Labels, creasing},
        {"Bot_Franja", ca, S::Fringe, burnisher},
        {"Bot_FranjaCt", ct, S::Fringe, burnisher},
        {"Bot_FranjaCI", ci, S::Fringe, burnisher},
        {"BotVaporCA", ca, S::Steaming, {}},
        {"Bot_VaporCt", ct, S::Steaming, {}},
        {"Bot_VaporGT", gt, S::Steaming, {}},
        {"Bot_RemalhaCT", ct, S::Linking, cutOnly},
        {"BotBordado_Ct", ct, S::Embroidery, cutOnly},
        {"BotBordado_GT", gt, S::Embroidery, cutOnly},
        {"Bot_SerraGT", gt, S::Saw, {}},
        {"Bot_Impr", ci, S::Printing, {}},
        {"BotDesenho_A", ca, S::Design, design},
        {"Bot_DesenhoCt", ct, S::Design, design},
        {"Bot_DesenhoCI", ci, S::Design, design},
        {"Bot_DesenhoGT", gt, S::Design, design},
        {"Bot_Cabide", ca, S::Hanger, hanger},
        {"Bot_CabideCT", ct, S::Hanger, hanger},
        {"Bot_CabideCI", ci, S::Hanger, hanger},
        {"Bot_CabideGT", gt, S::Hanger, hanger},
        {"Bot_EtiqCart_CA", ca, S::CardLabels, {}},
        {"Bot_EtiqCart_CT", ct, S::CardLabels, {}},
        {"Bot_EtiqCart_CI", ci, S::CardLabels, {}},
        {"Bot_EtiqCart_GT", gt, S::CardLabels, {}},
        {"Bot_EmbalCA", ca, S::Packaging, {}},
        {"Bot_EmbalCT", ct, S::Packaging, {}},
        {"Bot_EmbalCI", ci, S::Packaging, {}},
        {"Bot_EmbalGT", gt, S::Packaging, {}},
        {"BotTecido", ci, S::Fabric, QStringLiteral("Tecido")},
    };
}

} // namespace

const QList<SheetInput>& sheetInputs() {
    static const QList<SheetInput> inputs = buildInputs();
    return inputs;
}

const SheetInput* sheetInput(const QString& name) {
    for (const SheetInput& in : sheetInputs())
        if (in.rule.input == name)
            return &in;
    return nullptr;
}

const SheetInput* pageInput(const QString& kind, const QString& column) {
    for (const SheetInput& in : sheetInputs())
        if (in.page == kind && in.rule.column == column)
            return &in;
    return nullptr;
}

QString inputOf(const QString& kind, const QString& column) {
    const SheetInput* in = pageInput(kind, column);
    return in ? in->rule.input : QString();
}

const QStringList& sheetKinds() {
    static const QStringList kinds{kWovenScarf, kKnittedScarf, kPrintedScarf, kKnittedHat};
    return kinds;
}

QString kindButton(const QString& kind) {
    return QStringLiteral("RAD_") + kind;
}

const QList<StepButton>& stepButtons() {
    static const QList<StepButton> buttons = buildButtons();
    return buttons;
}

const StepButton* stepButton(const QString& name) {
    for (const StepButton& b : stepButtons())
        if (b.name == name)
            return &b;
    return nullptr;
}

QString buttonOf(const QString& kind, StepRole role) {
    for (const StepButton& b : stepButtons())
        if (b.kind == kind && b.role == role)
            return b.name;
    return {};
}

} // namespace corvane::techsheet
