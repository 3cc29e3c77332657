#pragma once

// The inputs and step buttons of the technical-sheet screen: one page per
// kind of sheet, each input a rule over the FICTECMAS column it shows (its
// kind and width from the table's description) with the check the screen
// runs when the focus leaves it, each button with the step it opens.
#include "screens/field_rule.h"

#include <QList>
#include <QString>

#include <optional>

namespace corvane::techsheet {

class SheetScreen;

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

// One input of a page. Inputs of different pages over the same column show
// the same header value and follow the same rules.
struct SheetInput {
    // A check of the screen; false keeps the focus in the input.
    using Check = bool (SheetScreen::*)(const SheetInput& input);

    QString page;            // the kind of sheet: kWovenScarf ..
    screens::FieldRule rule; // column, objectName, caption, kind, width, messages
    Check check = nullptr;   // nullptr: only the rule's own checks
    // A yes/no input: the step button "S" turns on and "N" off, the input
    // (by column) it turns on and off with it, and the input (by column)
    // the focus goes to after "N".
    std::optional<StepRole> button;
    QString opens;
    QString afterNo;
};

// Every input of the four pages, page by page in the order of the pages
// (CA, CT, CI, GT) and within a page in tab order.
const QList<SheetInput>& sheetInputs();
// The input of that objectName; nullptr for an unknown name.
const SheetInput* sheetInput(const QString& name);
// The input of a page over a FICTECMAS column; nullptr when the page has none.
const SheetInput* pageInput(const QString& kind, const QString& column);
// The objectName of that input; empty when the page has none.
QString inputOf(const QString& kind, const QString& column);
// The four kinds in the order of their pages.
const QStringList& sheetKinds();
// The radio button of a kind: "RAD_CA" ..
QString kindButton(const QString& kind);

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

} // namespace corvane::techsheet
