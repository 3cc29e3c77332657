#pragma once

#include "components/widget_view.h"
#include "shell/password_change.h"

#include <QDialog>

class QLineEdit;

namespace corvane::shell {

// "Alteração de Palavra Passe": the new password twice, upper case, each
// character shown as "#".
class TALTERFPASS : public QDialog {
    Q_OBJECT
public:
    explicit TALTERFPASS(SiteLog* log, QWidget* parent = nullptr);
    const PasswordChange& logic() const { return logic_; }
    components::WidgetView& view() { return view_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    components::WidgetView view_;
    PasswordChange logic_;
    QLineEdit* Edit_Pass1;
    QLineEdit* Edit_Pass2;
};

} // namespace corvane::shell
