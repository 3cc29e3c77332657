#pragma once

// The windows of the machine steps and the openers the technical-sheet
// screen calls.
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/step_grid_model.h"

namespace corvane::techsheet {

// Opens the machine step ctx.StepCode ("C", "E", "F", "V", "R", "M", "S")
// over the machines of ctx.MachineGroupType modally; true when the step's
// lines were written. ctx.StepCancelled tells whether it was cancelled.
bool openMachineStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting);
// The same for ultrasound cutting, step "J".
bool openUltrasoundStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data,
                        db::Database& factura, const QString& user, const screens::ScreenSetting& setting);

// The same for printing, step "T" of a printed scarf; a zero length or width
// closes it at once.
bool openPrintingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting);

// TCORVF035_MAQUINAS.
class TCORVF035_MAQUINAS : public OneMaterialForm {
    Q_OBJECT
public:
    TCORVF035_MAQUINAS(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                       const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    MachineStep& logic() { return static_cast<MachineStep&>(base()); }
    void refresh() override;
};

// TCORVF035_CORTEULTSOM.
class TCORVF035_CORTEULTSOM : public StepForm {
    Q_OBJECT
public:
    TCORVF035_CORTEULTSOM(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                          const QString& user, const screens::ScreenSetting& setting,
                          QWidget* parent = nullptr);
    UltrasoundStep& logic() { return static_cast<UltrasoundStep&>(base()); }
};

// TCORVF035_MAQIMPR: the printing machines above "Tintas : ", five ink rows
// (code, "%/Total", designation, quantity, price, cost). F1 on the grid
// enables code, percent and price; on a code Insert and Ctrl+Insert look the
// inks up, Delete removes the row's ink, F1 goes back to the grid and F7
// reads the inks again.
class TCORVF035_MAQIMPR : public StepForm {
    Q_OBJECT
public:
    TCORVF035_MAQIMPR(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    PrintingStep& logic() { return static_cast<PrintingStep&>(base()); }
    void refresh() override;

protected:
    void gridKey(int key) override;
    void materialKey(QLineEdit* input, int key) override;
    void rowChanged(int row) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The ink row (1 to 5) of an ink code field, 0 for any other widget.
    int codeRow(QObject* watched) const;

    struct InkWidgets {
        QList<QLineEdit*> inputs; // code, percent, quantity, price, cost
        QLabel* label = nullptr;  // the ink's designation
    };
    std::array<InkWidgets, kInkRows> inks_;
};

} // namespace corvane::techsheet
