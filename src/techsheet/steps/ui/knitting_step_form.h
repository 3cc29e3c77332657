#pragma once

// The window of the knitting step and the opener the technical-sheet screen calls.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/knitting_step.h"
#include "techsheet/steps/ui/machine_step_forms.h"

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
    screens::GridModel* model_;
    QTableView* grid_;
    std::array<RowWidgets, KnittingStep::kRows> rows_;
    QLabel* total_;
    screens::LookupWiring* lookups_;
};

} // namespace corvane::techsheet
