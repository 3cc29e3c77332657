#pragma once

// The window of the knitting step and the opener the technical-sheet screen calls.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/knitting_step.h"
#include "techsheet/steps/ui/step_grid_model.h"

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QTableView;

namespace corvane::screens {
class LookupWiring;
}

namespace corvane::techsheet {

// Opens the knitting step (step "A") modally; true when its lines were
// written. ctx.StepCancelled tells whether it was cancelled.
bool openKnittingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting);

// The grid DBGrid1 over the knitting machines.
class KnittingMachinesModel : public StepGridModel {
    Q_OBJECT
public:
    enum Column {
        Codigo,
        Designacao,
        Unidade,
        CustoPadrao,
        Producao1,
        Acerto1,
        Producao2,
        Acerto2,
        Ok,
        Tempo,
        Preco,
        Custo,
        Columns
    };
    explicit KnittingMachinesModel(KnittingStep& logic, QObject* parent = nullptr);

protected:
    int rows() const override { return static_cast<int>(logic_.machines().size()); }
    bool ticked(int row) const override { return logic_.machines()[static_cast<std::size_t>(row)].ticked(); }
    QVariant cell(int row, int column) const override;
    void okLeft(int row, bool ticked) override { logic_.okLeft(row, ticked); }
    bool timeLeft(int row, const QString& typed) override { return logic_.timeLeft(row, typed); }

private:
    KnittingStep& logic_;
};

// TCORVF035FIOS_CT.
class TCORVF035FIOS_CT : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF035FIOS_CT(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF035FIOS_CT() override;
    KnittingStep& logic() { return *logic_; }
    QTableView* grid() const { return grid_; }

protected:
    bool activateScreen() override;
    bool closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowWidgets {
        QLineEdit* percent = nullptr;
        QLineEdit* yarn = nullptr;
        QLineEdit* gradation = nullptr;
        QLabel* designation = nullptr;
        QLabel* count = nullptr;
        QLabel* consumption = nullptr;
        QLabel* unit = nullptr;
    };
    void refresh();

    std::unique_ptr<KnittingStep> logic_;
    KnittingMachinesModel* model_;
    QTableView* grid_;
    std::array<RowWidgets, KnittingStep::kRows> rows_;
    QLabel* total_;
    screens::LookupWiring* lookups_;
};

} // namespace corvane::techsheet
