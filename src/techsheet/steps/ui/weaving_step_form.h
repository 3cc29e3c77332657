#pragma once

// The window of the weaving step and the opener the technical-sheet screen calls.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/ui/step_grid_model.h"
#include "techsheet/steps/weaving_step.h"

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace corvane::screens {
class LookupWiring;
}

namespace corvane::techsheet {

// Opens the weaving step (steps "T" and "G") modally; true when its lines
// were written. ctx.StepCancelled tells whether it was cancelled.
bool openWeavingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting);

// TCORVF035FIOS_CA.
class TCORVF035FIOS_CA : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF035FIOS_CA(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF035FIOS_CA() override;
    WeavingStep& logic() { return *logic_; }
    QTableView* grid() const { return grid_; }
    QTabWidget* pages() const { return pages_; }

protected:
    bool activateScreen() override;
    bool closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Side = WeavingStep::Side;
    struct PositionWidgets {
        QLineEdit* count = nullptr;
        QLineEdit* yarn = nullptr;
        QLabel* designation = nullptr;
        QLabel* nm = nullptr;
        QLabel* kg = nullptr;
        QLabel* grams = nullptr;
    };
    QWidget* positionsPage(Side side);
    PositionWidgets& widgets(Side side, int n);
    void showPage(WeavingStep::Page page);
    void refresh();

    std::unique_ptr<WeavingStep> logic_;
    screens::GridModel* model_;
    QTableView* grid_;
    QTabWidget* pages_;
    std::array<PositionWidgets, WeavingStep::kPositions> weft_;
    std::array<PositionWidgets, WeavingStep::kPositions> warp_;
    std::array<QLabel*, 2> totalKg_{};
    std::array<QLabel*, 2> totalGrams_{};
    screens::LookupWiring* lookups_;
};

} // namespace corvane::techsheet
