#pragma once

// The inputs and step buttons of the technical-sheet screen: one page per
// kind of sheet, each input with the header column it shows and the part it
// plays, each button with the step it opens.
#include <QList>
#include <QString>

namespace corvane::techsheet {

// What an input holds; inputs of different pages with the same role show the
// same column and follow the same rule.
enum class FieldRole {
    WorkType,              // TIPOTRABALHO
    Passages,              // NROPASSAG
    Contraction,           // CONTRACOES
    YarnWaste,             // DESPERD
    Reference,             // REF_INFORMAT
    UltrasoundCut,         // CORTEULTRA
    SawCut,                // CORTEULTRA on a hat
    SideSeam,              // COSTURA
    Fringe,                // FRANJA
    FringeMeasure,         // LARG_FRANJA
    Labels,                // ETIQUETA
    CardLabels,            // ETIQ_CARTOLINA
    Hanger,                // CABIDE
    HangerTime,            // TMPCABIDE
    DesignTime,            // TMPDESENHO
    Packaging,             // EMBALAGEM
    Steaming,              // VAPORIZA
    Raports,               // RAPORT (filled by the weaving step)
    Strips,                // FITAS (filled by the weaving step)
    Weight,                // PESOKGS
    SampleWeight,          // PESOAMOSTRA
    CarriageSpeed,         // VELOCID_CARRO
    TakeDownSpeed,         // VELOCID_TIRAGEM
    Linking,               // REMALHA
    LinkingSubcontract,    // SUBCONTRATO
    Embroidery,            // BORDADO
    EmbroiderySubcontract, // SUBCONT_BORDADO
    Resolution,            // RESOLUCAO
    PrintPasses,           // NRPASSADAS
    PrintSurface,          // SUPIMPR
};

// How an input's text becomes its column's value.
enum class FieldType {
    YesNo,    // "S" or "N", shown in upper case
    Text,     // as typed
    SmallInt, // smallint column
    Integer,  // integer column
    Real,     // float column
};

struct SheetField {
    QString input; // objectName, e.g. "Edit_TipoTrabalho"
    QString kind;  // the page: kWovenScarf ..
    FieldRole role;
    QString column;
    QString label;
    FieldType type;
    int width = 0; // characters the input takes
    bool readOnly = false;
};

// Every input of the four pages, page by page in the order of the pages
// (CA, CT, CI, GT) and within a page in tab order.
const QList<SheetField>& sheetFields();
// The input of that name; nullptr for an unknown name.
const SheetField* sheetField(const QString& input);
// The input of a page that plays the role; nullptr when the page has none.
const SheetField* fieldOf(const QString& kind, FieldRole role);
// The objectName of that input; empty when the page has none.
QString inputOf(const QString& kind, FieldRole role);
// The four kinds in the order of their pages.
const QStringList& sheetKinds();
// The radio button of a kind: "RAD_CA" ..
QString kindButton(const QString& kind);

// The step a button opens.
enum class StepRole {
    Weaving,
    Knitting,
    Ultrasound,
    SideSeam,
    Labels,
    Fringe,
    Steaming,
    Linking,
    Embroidery,
    Saw,
    Printing,
    Design,
    Hanger,
    CardLabels,
    Packaging,
    Fabric,
};

struct StepButton {
    QString name; // objectName, e.g. "Bot_FranjaCt"
    QString kind;
    StepRole role;
    QString hint;
};
const QList<StepButton>& stepButtons();
const StepButton* stepButton(const QString& name);
// The button of a page for a step; empty when the page has none.
QString buttonOf(const QString& kind, StepRole role);

// Widgets of the screen besides the inputs.
inline const QString kKindGroup = QStringLiteral("RadFictec");
inline const QString kWorkTypeLabel = QStringLiteral("Label_TipoTrabalho");
inline const QString kWorkTypeHint = QStringLiteral("<Ins> Localizar Tipo de Trabalho");
// The lookup list of Edit_TipoTrabalho: TIPOTRABALHO's columns and titles.
inline const QStringList kWorkTypeColumns{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"),
                                          QStringLiteral("PASSAG_CM")};
inline const QStringList kWorkTypeTitles{QStringLiteral("Tipo Trab."), QStringLiteral("Designação"),
                                         QStringLiteral("Passag. P/ Cm")};

} // namespace corvane::techsheet
