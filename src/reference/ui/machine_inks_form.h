#pragma once

#include "reference/screens/machine_inks.h"
#include "screens/ui/screen_dialog.h"

class QLineEdit;

namespace corvane::reference {

// TCORVF003A: the inks of one printing machine, five lines of code,
// designation and share; "Terminar" writes them when they add up to 100%.
class TCORVF003A : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF003A(db::Dataset& maquinasMp, db::Database& factura, const QString& machine,
               const QString& machineName, const screens::ScreenSetting& setting, QWidget* parent = nullptr);

    MachineInks& logic() { return inks_; }

protected:
    bool activateScreen() override;
    bool closeRequested() override { return inks_.closeRequested(); }

private:
    void refresh();

    MachineInks inks_;
    QLineEdit* codes_[MachineInks::kLines] = {};
    QLineEdit* names_[MachineInks::kLines] = {};
    QLineEdit* shares_[MachineInks::kLines] = {};
};

} // namespace corvane::reference
