#pragma once

// The machine steps of a technical sheet: side seam "C", labels "E", fringe
// "F", steaming "V", linking "R", embroidery "M" and electric-saw cut "S"
// (TCORVF035_MAQUINAS), and ultrasound cutting "J" (TCORVF035_CORTEULTSOM).
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
    bool finish() override;
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

// TCORVF035_MAQUINAS: typed minutes and at most one material.
class MachineStep : public OneMaterialStep<MachineStepScreen> {
public:
    MachineStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                ScreenView& view);

    QString caption() const override;
    bool hasMaterial() const override { return machineStepHasMaterial(step_); }
    // Leaving the time column with what was typed; false refuses it.
    bool timeLeft(int row, const QString& typed);
    // On "F" the quantity is FringeMeasure and cannot be typed.
    bool quantityEditable() const override { return step_ != QLatin1String("F"); }
    // The unit field: "Und" on "C" and "R".
    QString unitShown() const override;

protected:
    void restoreRow(WorkMachineRow& row, const FictecDetLine& line) const override;
    bool marksRow(const FictecDetLine& line) const override;
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
    // Leaving the "T.P.?" column with the typed mode; false refuses it.
    bool modeLeft(int row, const QString& typed);

protected:
    void restoreRow(WorkMachineRow& row, const FictecDetLine& line) const override;
    bool marksRow(const FictecDetLine& line) const override;
};

} // namespace corvane::techsheet
