#include "sheet_fields.h"

#include "techsheet/tech_sheet_context.h"

#include <QHash>

namespace corvane::techsheet {

namespace {

struct RoleColumn {
    QString column;
    FieldType type;
    QString label;
    int textWidth = 0; // text columns: their width
};

// The column, type and caption of each role (FICTECMAS).
RoleColumn roleColumn(FieldRole role) {
    using T = FieldType;
    switch (role) {
    case FieldRole::WorkType:
        return {"TIPOTRABALHO", T::SmallInt, "Tipo de Trabalho : "};
    case FieldRole::Passages:
        return {"NROPASSAG", T::SmallInt, "Nº Passag. p/ Cm : "};
    case FieldRole::Contraction:
        return {"CONTRACOES", T::Real, "% de Contrações : "};
    case FieldRole::YarnWaste:
        return {"DESPERD", T::Real, "Encolhimento Fio : "};
    case FieldRole::Reference:
        return {"REF_INFORMAT", T::Text, "Ref.Inform.: ", 40};
    case FieldRole::UltrasoundCut:
        return {"CORTEULTRA", T::YesNo, "Corte Ultrasom ? "};
    case FieldRole::SawCut:
        return {"CORTEULTRA", T::YesNo, "Corte Serra Eléctrica ? "};
    case FieldRole::SideSeam:
        return {"COSTURA", T::YesNo, "Costura Lateral ? "};
    case FieldRole::Fringe:
        return {"FRANJA", T::YesNo, "Franja ? "};
    case FieldRole::FringeMeasure:
        return {"LARG_FRANJA", T::Real, "Medida : "};
    case FieldRole::Labels:
        return {"ETIQUETA", T::YesNo, "Tecida / Estampada ? "};
    case FieldRole::CardLabels:
        return {"ETIQ_CARTOLINA", T::YesNo, "Cartolina  ? "};
    case FieldRole::Hanger:
        return {"CABIDE", T::YesNo, "Cabide ? "};
    case FieldRole::HangerTime:
        return {"TMPCABIDE", T::SmallInt, "Tempo : "};
    case FieldRole::DesignTime:
        return {"TMPDESENHO", T::SmallInt, "Tempo Desenho : "};
    case FieldRole::Packaging:
        return {"EMBALAGEM", T::YesNo, "Embalagem ? "};
    case FieldRole::Steaming:
        return {"VAPORIZA", T::YesNo, "Vaporizadora ? "};
    case FieldRole::Raports:
        return {"RAPORT", T::SmallInt, "Raport : "};
    case FieldRole::Strips:
        return {"FITAS", T::SmallInt, "Nº de Fitas : "};
    case FieldRole::Weight:
        return {"PESOKGS", T::Real, "Peso  : "};
    case FieldRole::SampleWeight:
        return {"PESOAMOSTRA", T::Real, "Peso Amostra  : "};
    case FieldRole::CarriageSpeed:
        return {"VELOCID_CARRO", T::Real, "Velocidade Carro  : "};
    case FieldRole::TakeDownSpeed:
        return {"VELOCID_TIRAGEM", T::Real, "Velocidade Tiragem  : "};
    case FieldRole::Linking:
        return {"REMALHA", T::YesNo, "Ramalhar ? "};
    case FieldRole::LinkingSubcontract:
        return {"SUBCONTRATO", T::YesNo, "Subcontrato ?"};
    case FieldRole::Embroidery:
        return {"BORDADO", T::YesNo, "Bordado ? "};
    case FieldRole::EmbroiderySubcontract:
        return {"SUBCONT_BORDADO", T::YesNo, "Subcontrato ?"};
    case FieldRole::Resolution:
        return {"RESOLUCAO", T::Text, "Resolução : ", 10};
    case FieldRole::PrintPasses:
        return {"NRPASSADAS", T::Integer, "Nº Passadas : "};
    case FieldRole::PrintSurface:
        return {"SUPIMPR", T::Real, " Sup.Impressão : "};
    }
    return {};
}

// Characters an input takes: a text column's width, enough for any value of
// a numeric column.
int widthOf(FieldType type, int textWidth) {
    switch (type) {
    case FieldType::YesNo:
        return 1;
    case FieldType::Text:
        return textWidth;
    case FieldType::SmallInt:
        return 6; // -32768
    case FieldType::Integer:
        return 11; // -2147483648
    case FieldType::Real:
        return 24;
    }
    return 0;
}

using R = FieldRole;

QList<SheetField> buildFields() {
    const QList<std::pair<QString, QList<std::pair<const char*, FieldRole>>>> pages{
        {kWovenScarf,
         {{"Edit_TipoTrabalho", R::WorkType},
          {"Edit_PassagCm", R::Passages},
          {"Edit_Contracoes", R::Contraction},
          {"Edit_DespFioCA", R::YarnWaste},
          {"Edit_RefInformat", R::Reference},
          {"Edit_CorteUltSom", R::UltrasoundCut},
          {"Edit_Costura", R::SideSeam},
          {"Edit_Etiq", R::Labels},
          {"Edit_EtqCart_Ca", R::CardLabels},
          {"Edit_Franja", R::Fringe},
          {"Edit_LargFranja", R::FringeMeasure},
          {"Edit_Cabide", R::Hanger},
          {"Edit_TmpCabide", R::HangerTime},
          {"Edit_EmbalCA", R::Packaging},
          {"Edit_VaporCA", R::Steaming},
          {"Edit_TmpDesenho", R::DesignTime},
          {"Edit_Raport", R::Raports},
          {"Edit_Fitas", R::Strips}}},
        {kKnittedScarf,
         {{"Edit_DespFioCT", R::YarnWaste},
          {"Edit_RefInf_CT", R::Reference},
          {"Edit_PesoCT", R::Weight},
          {"Edit_PesoAmo", R::SampleWeight},
          {"Edit_Velocid_Carro", R::CarriageSpeed},
          {"Edit_Velocid_Tiragem", R::TakeDownSpeed},
          {"Edit_CorteUltSomCT", R::UltrasoundCut},
          {"Edit_CosturaCT", R::SideSeam},
          {"Edit_FranjaCt", R::Fringe},
          {"Edit_LargFranjaCT", R::FringeMeasure},
          {"Edit_CabideCT", R::Hanger},
          {"Edit_TmpCabideCt", R::HangerTime},
          {"Edit_EtiqCT", R::Labels},
          {"Edit_EtqCart_Ct", R::CardLabels},
          {"Edit_BordadoCt", R::Embroidery},
          {"Edit_SubBrd_CT", R::EmbroiderySubcontract},
          {"Edit_Remalha", R::Linking},
          {"Edit_SubCont", R::LinkingSubcontract},
          {"Edit_TmpDesenhoCT", R::DesignTime},
          {"Edit_VaporCT", R::Steaming},
          {"Edit_EmbalCT", R::Packaging}}},
        {kPrintedScarf,
         {{"Edit_RefInf_CI", R::Reference},
          {"Edit_Resolucao", R::Resolution},
          {"Edit_NPassadas", R::PrintPasses},
          {"Edit_SupImpr", R::PrintSurface},
          {"Edit_CorteUltSomCI", R::UltrasoundCut},
          {"Edit_CosturaCI", R::SideSeam},
          {"Edit_FranjaCi", R::Fringe},
          {"Edit_LargFranjaCI", R::FringeMeasure},
          {"Edit_CabideCI", R::Hanger},
          {"Edit_TmpCabideCI", R::HangerTime},
          {"Edit_EtiqCI", R::Labels},
          {"Edit_EtqCart_Ci", R::CardLabels},
          {"Edit_TmpDesenhoCI", R::DesignTime},
          {"Edit_EmbalCI", R::Packaging}}},
        {kKnittedHat,
         {{"Edit_DespFioGT", R::YarnWaste},
          {"Edit_RefInf_GT", R::Reference},
          {"Edit_PesoGT", R::Weight},
          {"Edit_PesoAmoGT", R::SampleWeight},
          {"Edit_Velocid_CarroGT", R::CarriageSpeed},
          {"Edit_Velocid_TiragemGT", R::TakeDownSpeed},
          {"Edit_CorteSerraGT", R::SawCut},
          {"Edit_BordadoGT", R::Embroidery},
          {"Edit_SubBrd_GT", R::EmbroiderySubcontract},
          {"Edit_EtiqGT", R::Labels},
          {"Edit_EtqCart_GT", R::CardLabels},
          {"Edit_CabideGT", R::Hanger},
          {"Edit_TmpCabideGT", R::HangerTime},
          {"Edit_TmpDesenhoGT", R::DesignTime},
          {"Edit_VaporGT", R::Steaming},
          {"Edit_EmbalGT", R::Packaging}}},
    };
    QList<SheetField> fields;
    for (const auto& [kind, inputs] : pages) {
        for (const auto& [input, role] : inputs) {
            const RoleColumn c = roleColumn(role);
            fields.append({QString::fromLatin1(input), kind, role, c.column, c.label, c.type,
                           widthOf(c.type, c.textWidth), role == R::Raports || role == R::Strips});
        }
    }
    return fields;
}

using S = StepRole;

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

template <typename T> const T* byName(const QList<T>& list, const QString& name, QString T::*member) {
    for (const T& item : list)
        if (item.*member == name)
            return &item;
    return nullptr;
}

} // namespace

const QList<SheetField>& sheetFields() {
    static const QList<SheetField> fields = buildFields();
    return fields;
}

const SheetField* sheetField(const QString& input) {
    return byName(sheetFields(), input, &SheetField::input);
}

const SheetField* fieldOf(const QString& kind, FieldRole role) {
    for (const SheetField& f : sheetFields())
        if (f.kind == kind && f.role == role)
            return &f;
    return nullptr;
}

QString inputOf(const QString& kind, FieldRole role) {
    const SheetField* f = fieldOf(kind, role);
    return f ? f->input : QString();
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
    return byName(stepButtons(), name, &StepButton::name);
}

QString buttonOf(const QString& kind, StepRole role) {
    for (const StepButton& b : stepButtons())
        if (b.kind == kind && b.role == role)
            return b.name;
    return {};
}

} // namespace corvane::techsheet
