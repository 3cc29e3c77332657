#pragma once

// The windows of the machine steps and the openers the technical-sheet
// screen calls.
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/ui/operation_step_forms.h"
#include "techsheet/steps/ui/step_grid_model.h"

#include <functional>
#include <vector>

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

// The grid DBGrid1 over the machines a step holds (the machine steps,
// ultrasound cutting, knitting). The ultrasound grid has the mode "T.P.?"
// between "OK" and the time, and the mode is typed instead of the time.
class MachineRowsModel : public StepGridModel {
    Q_OBJECT
public:
    enum Column {
        Codigo,
        Designacao,
        Unidade,
        CustoPadrao,
        Prod1,
        Acerto1,
        Prod2,
        Acerto2,
        Ok,
        TipoPrd,
        Tempo,
        Preco,
        Custo
    };
    using OkLeft = std::function<void(int row, bool ticked)>;
    using TypedLeft = std::function<bool(int row, const QString& typed)>;
    MachineRowsModel(const std::vector<WorkMachineRow>& rows, bool modeColumn, OkLeft okLeft,
                     TypedLeft typedLeft, QObject* parent = nullptr);
    // The grid of a machine step or of ultrasound cutting.
    explicit MachineRowsModel(MachineStepScreen& logic, QObject* parent = nullptr);

    // The column shown at `section` (only the ultrasound grid shows TipoPrd).
    Column columnAt(int section) const { return columnAt(section, mode_); }
    int sectionOf(Column column) const { return sectionOf(column, mode_); }

protected:
    int rows() const override { return static_cast<int>(rows_.size()); }
    bool ticked(int row) const override { return rows_[static_cast<std::size_t>(row)].ticked(); }
    QVariant cell(int row, int section) const override;
    void okLeft(int row, bool ticked) override { okLeft_(row, ticked); }
    bool typedLeft(int row, const QString& typed) override { return typedLeft_(row, typed); }

private:
    static Column columnAt(int section, bool modeColumn);
    static int sectionOf(Column column, bool modeColumn);
    static QStringList titles(bool modeColumn);

    const std::vector<WorkMachineRow>& rows_;
    bool mode_;
    OkLeft okLeft_;
    TypedLeft typedLeft_;
};

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
