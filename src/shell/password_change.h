#pragma once

#include "core/screen_view.h"
#include "data_modules.h"

namespace corvane::shell {

// The password change dialog's logic: two inputs, their checks on leaving,
// "&Confirmar" and "&Anular". The outcome outlives the dialog: 9 undecided,
// 1 cancelled, 0 confirmed.
class PasswordChange {
public:
    static constexpr int kUndecided = 9;
    static constexpr int kCancelled = 1;
    static constexpr int kConfirmed = 0;
    static constexpr int kMaxLength = 15;

    explicit PasswordChange(ScreenView& view) : view_(view) {}

    void FormActivate();
    // Checks on leaving the inputs; false keeps the user there (the view has
    // been told which field gets the focus).
    bool Edit_Pass1Exit(const QString& text);
    bool Edit_Pass2Exit(const QString& text);
    // True when the dialog closes.
    bool BitTerminarClick(const QString& pass1, const QString& pass2);
    void BotCancelarClick();

    int outcome() const { return outcome_; }
    const QString& newPassword() const { return newPassword_; }
    const QString& confirmation() const { return confirmation_; }
    bool error() const { return error_; }

private:
    bool checkLength(const QString& text, const QString& field);

    ScreenView& view_;
    int outcome_ = kUndecided;
    QString newPassword_;
    QString confirmation_;
    bool error_ = false;
};

// After the dialog: with a confirmed outcome, the user's row gets the new
// password (nothing is said; a missing user writes nothing). A failed write
// goes through the update-error handler and leaves the row as it was; error
// is then left empty when the user aborted in the handler's dialog, which
// has already shown the server's message, and holds what to show otherwise.
bool writeNewPassword(TDTEMPRESAS& m, const QString& userCode, int outcome, const QString& newPassword,
                      const db::UpdateErrorHandler& onError, QString* error);

} // namespace corvane::shell
