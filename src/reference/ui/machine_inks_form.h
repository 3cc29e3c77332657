#pragma once

#include "components/widget_view.h"
#include "reference/screens/machine_inks.h"
#include "table_screen_form.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace corvane::reference {

// TCORVF003A: the inks of one printing machine, five lines of code,
// designation and share; "Terminar" writes them when they add up to 100%.
class TCORVF003A : public QDialog {
    Q_OBJECT
public:
    TCORVF003A(db::Dataset& maquinasMp, db::Database& factura, const QString& machine,
               const QString& machineName, const ScreenSetting& setting, QWidget* parent = nullptr);

    ~TCORVF003A() override;
    MachineInks& logic() { return inks_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void lookup(int line);

    components::WidgetView view_;
    MachineInks inks_;
    QLineEdit* codes_[MachineInks::kLines] = {};
    QLineEdit* names_[MachineInks::kLines] = {};
    QLineEdit* shares_[MachineInks::kLines] = {};
    int line_ = 1;
    components::FormConventions* conventions_ = nullptr;
    bool activated_ = false;
    bool done_ = false;
};

} // namespace corvane::reference
