#pragma once

#include "core/number_input.h"
#include "core/screen_view.h"
#include "sheet_fields.h"
#include "techsheet/sheet_reference.h"
#include "techsheet/tech_sheet_context.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QVariantMap>

#include <optional>

namespace corvane::techsheet {

// What the technical-sheet screen asks of its window besides a ScreenView's.
class SheetView : public ScreenView {
public:
    // Shows the page of a kind (kNoKind: the first page, with the notebook off).
    virtual void selectPage(const QString& kind) = 0;
    // The state changed: inputs, labels, radio group, buttons.
    virtual void refresh() = 0;
};

// The step screen a step button opens.
enum class StepScreen {
    None,          // the button's check failed, or the button is off
    Weaving,       // yarns and looms of a woven scarf
    Knitting,      // yarns and knitting machine
    UltrasoundCut, // sets its own step code
    MachineStep,   // side seam, labels, fringe, steaming, linking, embroidery, saw
    Printing,
    Operations, // design, hanger, cardboard labels
    Packaging,
    Subcontract, // linking or embroidery done outside
    Fabric,
};

inline const QString kMissingParameters =
    QStringLiteral("Parâmetros Gerais do Módulo de Tamarel Inexistentes ...");
inline const QString kYesNoMessage = QStringLiteral("Insira [S/N] ...");
inline const QString kTimeMessage = QStringLiteral("Insira o tempo para a operação seleccionada ...");

// The technical-sheet screen TCORVF035FICTEC ("Ficha Técnica") without its
// widgets. It keeps the text of every input of the four pages, checks an input
// when the focus leaves it, says which step buttons are on, prepares the
// context before a step screen opens and gives the header columns to save.
// The caller reads and writes the sheet: it hands in the stored header
// (FICTECMAS column -> value, empty when the article has no sheet) and writes
// what saveColumns() returns.
class SheetScreen {
public:
    // The context must outlive the screen; the article screen has filled its
    // article values.
    SheetScreen(TechSheetContext& context, SheetView& view);

    // FormActivate. False (after the message) when the parameters row is
    // missing: the screen closes.
    bool activate(const SheetReference& reference, const QVariantMap& header, bool hasLines);
    // "&Cancelar": reloads as at opening from the stored header; the checks
    // stay silent until a kind is chosen or the screen is opened again.
    bool cancel(const SheetReference& reference, const QVariantMap& header, bool hasLines);
    // After the store deleted the sheet ("&Eliminar"; the caller asks the
    // question): no header, no lines, no kind; a new kind may be chosen.
    void sheetDeleted(const SheetReference& reference);

    TechSheetContext& context() { return ctx_; }
    const TechSheetContext& context() const { return ctx_; }
    SheetView& view() { return view_; }
    // Another user holds the sheet (context().LookOnlyReason): it is shown,
    // nothing can be typed or chosen.
    bool lookOnly() const { return !ctx_.LookOnlyReason.isEmpty(); }
    // What saveColumns() gives differs from what was opened or last saved.
    bool changed() const { return saveColumns() != opened_; }
    // The header was written with `columns` (a first header before a step).
    void headerWritten(const QVariantMap& columns);
    // saveColumns() were written: nothing typed is left unsaved.
    void saved();
    bool hasHeader() const { return !header_.isEmpty(); }
    const QVariantMap& header() const { return header_; }
    // Lines exist: the kind can no longer be changed. The caller says so
    // whenever it reads the lines again.
    void setHasLines(bool hasLines);
    bool hasLines() const { return hasLines_; }

    // The radio group RadFictec and the notebook.
    bool kindChoiceEnabled() const { return !hasHeader() && !hasLines_ && !lookOnly(); }
    bool notebookEnabled() const { return ctx_.SheetKind != kNoKind; }
    // The kind whose radio button is checked; kNoKind when none is.
    const QString& kind() const { return ctx_.SheetKind; }
    // RAD_CA .. RAD_GT: false (nothing changes) while the choice is off.
    bool chooseKind(const QString& kind);

    // The text of an input or of Label_TipoTrabalho.
    QString text(const QString& name) const { return texts_.value(name); }
    bool fieldEnabled(const QString& input) const;
    // Typing: held to the input's width; yes/no inputs in upper case.
    void setText(const QString& input, const QString& text);
    // Entering an input: its hint in the first status panel.
    void fieldEnter(const QString& input);
    // Leaving an input: its check on the text it holds. False keeps the focus
    // in it (the view has been told where the focus goes).
    bool fieldExit(const QString& input);
    // The work types the lookup of Edit_TipoTrabalho lists.
    const QList<WorkType>& workTypes() const { return workTypes_; }

    bool buttonEnabled(const QString& button) const;
    // A step button was pressed: its check, then StepCode and
    // MachineGroupType set for the step screen to open. None when the check
    // failed or the button is off.
    StepScreen prepareStep(const QString& button);
    // The screen a step button would open now, without its checks (linking
    // and embroidery by their "Subcontrato ?" input).
    StepScreen screenOf(const QString& button) const;
    // The weaving screen closed: raports and strips shown, or cleared when
    // it was cancelled.
    void weavingClosed();
    // The fabric screen closed. Cancelled: the fabric values come back from
    // the header. Otherwise the FICTECMAS columns to write at once (with
    // CODIGO and TIPOFICTEC when there is no header yet, which then exists).
    QVariantMap fabricClosed(bool cancelled);

    // A title of the lines grid: "TIPO", "CODIGOMP" or "DESIGN" becomes the
    // order of the lines; false for other columns.
    bool sortLines(const QString& column);

    // "&Gravar": the FICTECMAS columns to write for the kind (with CODIGO),
    // the others left as they are; empty while no kind is chosen.
    QVariantMap saveColumns() const;

    // The checks the inputs' declarations name (sheetInputs()), run when
    // the focus leaves an input: each first applies the input's rule, then
    // takes the value into the context. False keeps the focus in the input
    // (or where the check sends it).
    bool takeWorkType(const SheetInput& input);
    bool takePassages(const SheetInput& input);
    bool takeContraction(const SheetInput& input);
    bool takeYarnWaste(const SheetInput& input);
    bool takeFringeMeasure(const SheetInput& input);
    bool takeTime(const SheetInput& input); // hanger or design minutes
    bool takeNumberOnly(const SheetInput& input);
    bool takeWeight(const SheetInput& input);
    bool takePrintSurface(const SheetInput& input);
    // Yes/no inputs: "S" turns the input's step button and input on, "N"
    // turns them off and moves the focus on.
    bool flagStep(const SheetInput& input);
    // The fringe: its measure shown (4 × the article's width when none) or cleared.
    bool flagFringe(const SheetInput& input);
    // Linking or embroidery: "S" asks whether it is subcontracted, "N" says
    // it is not.
    bool flagOwnWork(const SheetInput& input);
    // Whether linking or embroidery is subcontracted: either answer turns
    // its button on.
    bool flagSubcontract(const SheetInput& input);

private:
    inline static const QString kYes = QStringLiteral("S");
    inline static const QString kNo = QStringLiteral("N");
    // A number as an input shows it.
    static QString shown(double value) { return numberText(value); }

    bool open(const SheetReference& reference, const QVariantMap& header, bool hasLines, bool cancelling);
    void takeParameters(const SheetParameters& p);
    void takeCloth(const QVariantMap& header);
    void clearInputs();
    void loadHeader();
    void setFlag(const QString& kind, StepRole step, bool on);
    bool refuse(const QString& input, const QString& message, const QString& focus = {});
    // The input's text read by `rule`; false after the message when refused.
    bool converted(const SheetInput& input, const screens::FieldRule& rule, QVariant* value);
    bool converted(const SheetInput& input, QVariant* value) { return converted(input, input.rule, value); }
    // The same, recorded in context().CheckFailed.
    bool recorded(const SheetInput& input, QVariant* value);
    // The value of a page's input over `column` by its rule, as a button's
    // check reads it; false after the message.
    bool required(const QString& kind, const QString& column, double* value);
    // The input's text as a number, empty 0, whatever else its rule says;
    // false after the message.
    bool typedNumber(const SheetInput& input, double* value);
    // A yes/no input's answer, shown in upper case; false after the message.
    bool answer(const SheetInput& input, bool* yes);
    void turnOn(const SheetInput& flag, bool on);
    double number(const QString& kind, const QString& column) const;
    QString yesNo(const QString& kind, const QString& column) const;
    QString textOf(const QString& kind, const QString& column) const;
    bool requiredTime(const QString& kind, const QString& column);
    const WorkType* workType(int code) const;

    TechSheetContext& ctx_;
    SheetView& view_;
    QVariantMap header_;
    bool hasLines_ = false;
    QList<WorkType> workTypes_;
    QHash<QString, QString> texts_;
    QSet<QString> onButtons_; // buttons that follow a flag and are on
    QSet<QString> onInputs_;  // inputs that follow a flag and are on
    QVariantMap opened_;      // saveColumns() as opened or last saved
};

} // namespace corvane::techsheet
