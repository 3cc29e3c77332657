#pragma once

// The machine steps of a technical sheet: side seam "C", labels "E", fringe
// "F", steaming "V", linking "R", embroidery "M" and electric-saw cut "S"
// (TCORVF035_MAQUINAS), ultrasound cutting "J" (TCORVF035_CORTEULTSOM) and
// the printing of a printed scarf, step "T" (TCORVF035_MAQIMPR).
// As on the operation steps, the screen holds its machine rows in memory,
// writes the user's WORKFTMAQUINAS rows from them and builds the step's lines
// from the rows it shows.
#include "techsheet/machine_step_calc.h"
#include "techsheet/steps/one_material_step.h"

namespace corvane::techsheet {

// What both machine screens share: the machines of one group type, their
// grid, the opening, the closing checks and the writing of the step.
class MachineStepScreen : public StepScreenBase {
public:
    MachineStepScreen(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                      ScreenView& view, MachineScreen kind, int groupType);

    bool open() override;
    // The grid DBGrid1, in the order shown.
    const std::vector<WorkMachineRow>& rows() const { return rows_; }
    // Leaving the OK column: "N" clears the row's time, price and cost.
    void okLeft(int row, bool ticked);
    void sortBy(const QString& column) override;
    bool gridLeft() override;
    // The closing checks, then the step's lines replaced in one transaction;
    // false keeps the screen open with everything entered.
    bool finishStep() override;
    // The machine-group type whose machines are offered.
    int groupType() const { return groupType_; }

protected:
    // Restores a marked row's mode and time without set-up from its line.
    virtual void restoreRow(WorkMachineRow& row, const FictecDetLine& line) const = 0;
    // Whether a line of the step marks its machine.
    virtual bool marksRow(const FictecDetLine& line) const = 0;
    // The step's other lines when the screen opens.
    virtual void materialsFromSheet(const std::vector<FictecDetLine>&) {}
    virtual void opened() {}
    // The step's own closing questions; false keeps the screen open.
    virtual bool closingQuestions() { return true; }
    // The material lines of the step, after the machine-time lines.
    virtual void materialLines(const CostTypes&, int&, std::vector<FictecDetLine>&, Notes&) const {}
    bool validRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }
    // The row's stored price and cost replaced by the unrounded ones the
    // calculation gives, when it gives what the line holds.
    static void refineRestored(WorkMachineRow& row, const WorkMachineRow& computed);

    MachineScreen kind_;
    int groupType_;
    std::vector<WorkMachineRow> rows_;
};

// The machine screens whose minutes are typed (costed per hour), their
// machines marked by the step's lines of the machine cost type.
class TypedMinutesStep : public MachineStepScreen {
public:
    using MachineStepScreen::MachineStepScreen;
    // Leaving the time column with what was typed; false refuses it.
    bool timeLeft(int row, const QString& typed);

protected:
    void restoreRow(WorkMachineRow& row, const FictecDetLine& line) const override;
    bool marksRow(const FictecDetLine& line) const override;
};

// TCORVF035_MAQUINAS: typed minutes and at most one material.
class MachineStep : public OneMaterialStep<TypedMinutesStep> {
public:
    MachineStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                ScreenView& view);

    QString caption() const override;
    bool hasMaterial() const override { return machineStepHasMaterial(step_); }
    // On "F" the quantity is FringeMeasure and cannot be typed.
    bool quantityEditable() const override { return step_ != QLatin1String("F"); }
    // The unit field: "Und" on "C" and "R".
    QString unitShown() const override;

protected:
    void materialsFromSheet(const std::vector<FictecDetLine>& lines) override;
    void opened() override;
    bool closingQuestions() override;
    void materialLines(const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                       Notes& notes) const override;
    // On "C" and "R" a material found asks "Deseja Gravar ?": yes finishes
    // the step (written() tells whether the screen closes).
    void materialChosen(const MaterialArticle& a) override;
    void materialInserted() override;
    void materialCleared() override;
    QString unitOf(const MaterialArticle& a) const override;

private:
    bool fringe() const { return step_ == QLatin1String("F"); }
    MaterialCostTypes materialCostTypes() const;
};

// TCORVF035_CORTEULTSOM: ultrasound cutting, the minutes from the chosen mode.
class UltrasoundStep : public MachineStepScreen {
public:
    UltrasoundStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                   ScreenView& view);

    QString caption() const override;
    QList<StepInput> inputs() override { return {}; } // the grid only
    // Leaving the "T.P.?" column with the typed mode; false refuses it.
    bool modeLeft(int row, const QString& typed);

protected:
    void restoreRow(WorkMachineRow& row, const FictecDetLine& line) const override;
    bool marksRow(const FictecDetLine& line) const override;
};

// TCORVF035_MAQIMPR: the printing machine with its typed minutes and up to
// five inks costed from the printed area. The inks follow the current machine
// row: when the grid is entered and when its row changes, they are read again
// from the sheet, or proposed from the machine's inks (MAQUINASMP) while the
// sheet has none, until an ink code is entered (F1 or F7 end that). The
// machines are marked from the sheet once, when the screen opens, so a
// machine unticked stays unticked.
class PrintingStep : public TypedMinutesStep {
public:
    PrintingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                 ScreenView& view);

    // A zero length or width: a beep, its message, and the screen closes.
    bool open() override;
    QString caption() const override;
    // The area A in m² ("Àrea : ") and what the inks are costed with.
    double area() const { return costing().area; }
    InkCosting costing() const;

    // Ink rows 1 to 5 and their designation labels.
    const InkRow& ink(int n) const { return inks_[index(n)]; }
    const QString& inkLabel(int n) const { return labels_[index(n)]; }
    const std::vector<InkRow>& inks() const { return inks_; }
    bool inksEnabled() const { return inksEnabled_; }
    // Whether the inks follow the current machine row (the grid is usable).
    bool following() const { return following_; }
    // The inks (material types 21 to 40), by code or designation.
    db::Dataset& inkArticles(bool byName) { return byName ? byName_ : byCode_; }

    // The grid entered: the inks read again (or proposed), their fields disabled.
    void gridEntered();
    // The current machine row changed.
    void currentRowChanged(int row);
    // Grid F1 "Inserir Material ": the ink fields enabled, the focus on row 1.
    void insertInks();
    // The inputs of ink row n (FICTECDET): its code (looked up among the
    // inks), its share of the printed area (PERC_IMPR, %), its quantity
    // (only shown), its price and its cost (only shown).
    QList<StepInput> inkInputs(int n);
    QList<StepInput> inputs() override;
    // Entering the code of row n stops following the machine rows.
    void codeEntered(int n);
    bool codeLeft(int n, const QString& typed);
    bool percentLeft(int n, const QString& typed);
    bool priceLeft(int n, const QString& typed);
    // Delete "Remover Artigo" on the code of row n.
    void removeInk(int n);
    // F7 "Cancelar": checks suspended, the inks read again, the grid usable.
    void cancelInks();
    // F1 "Alterar Máquina" on a code: checks suspended, back to the grid.
    void backToGrid();

protected:
    void opened() override;
    bool closingQuestions() override;
    void materialLines(const CostTypes& costTypes, int& detail, std::vector<FictecDetLine>& lines,
                       Notes& notes) const override;

private:
    static std::size_t index(int n) { return static_cast<std::size_t>(std::clamp(n, 1, kInkRows) - 1); }
    static bool validInk(int n) { return n >= 1 && n <= kInkRows; }
    bool suspended() const { return ctx_->StepCancelled; }
    // The step's ink lines as rows 1 to 5, else the current machine's inks.
    void reloadInks();
    std::optional<MaterialEntry> inkArticle(const QString& code);
    bool taken(bool ok, const Notes& notes);
    // A percent or price of ink row n as it is left: a row without ink
    // checks nothing; the number, or none when empty, goes to `take`.
    using InkField = bool (*)(InkRow&, std::optional<double>, const InkCosting&, Notes&);
    bool numberLeft(int n, const QString& typed, const InkField& take);

    std::vector<InkRow> inks_ = std::vector<InkRow>(kInkRows);
    std::array<QString, kInkRows> labels_;
    double convKgsTintas_ = 0;
    int current_ = 0;
    bool following_ = true;
    bool inksEnabled_ = false;
};

} // namespace corvane::techsheet
