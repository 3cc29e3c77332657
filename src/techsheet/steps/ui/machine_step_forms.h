#pragma once

// The windows of the machine steps and the openers the technical-sheet
// screen calls.
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/ui/operation_step_forms.h"

namespace corvane::techsheet {

// Opens the machine step ctx.StepCode ("C", "E", "F", "V", "R", "M", "S")
// over the machines of ctx.MachineGroupType modally; true when the step's
// lines were written. ctx.StepCancelled tells whether it was cancelled.
bool openMachineStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting);
// The same for ultrasound cutting, step "J".
bool openUltrasoundStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data,
                        db::Database& factura, const QString& user, const screens::ScreenSetting& setting);

// The grid DBGrid1 over the machines a machine step holds; the ultrasound
// grid has the mode "T.P.?" between "OK" and the time.
class MachineRowsModel : public StepRowsModel {
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
    explicit MachineRowsModel(MachineStepScreen& logic, QObject* parent = nullptr);

    // The column shown at `section` (the ultrasound grid shows TipoPrd).
    Column columnAt(int section) const;
    int sectionOf(Column column) const;
    int okColumn() const override { return sectionOf(Ok); }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool ultrasound() const;
    MachineStepScreen& logic_;
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

} // namespace corvane::techsheet
