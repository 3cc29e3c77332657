#include "password_change.h"

namespace corvane::shell {

void PasswordChange::FormActivate() {
    outcome_ = kUndecided;
    view_.focusField(QStringLiteral("Edit_Pass1"));
}

bool PasswordChange::checkLength(const QString& text, const QString& field) {
    if (text.isEmpty()) {
        view_.beep();
        view_.message(QStringLiteral("Palavra passe inválida ..."));
        view_.focusField(field);
        error_ = true;
        return false;
    }
    if (text.size() > kMaxLength) {
        view_.beep();
        view_.message(QStringLiteral("Excedeu o Nº de caracteres = 15 ..."));
        view_.focusField(field);
        error_ = true;
        return false;
    }
    return true;
}

bool PasswordChange::Edit_Pass1Exit(const QString& text) {
    if (outcome_ == kCancelled)
        return true;
    error_ = false;
    newPassword_ = text.left(kMaxLength);
    return checkLength(text, QStringLiteral("Edit_Pass1"));
}

bool PasswordChange::Edit_Pass2Exit(const QString& text) {
    if (outcome_ == kCancelled)
        return true;
    error_ = false;
    confirmation_ = text.left(kMaxLength);
    if (!checkLength(text, QStringLiteral("Edit_Pass2")))
        return false;
    if (confirmation_ != newPassword_) {
        view_.beep();
        view_.message(QStringLiteral("Confirmação <> da nova palavra passe, tente novamente ..."));
        view_.focusField(QStringLiteral("Edit_Pass1"));
        error_ = true;
        return false;
    }
    return true;
}

bool PasswordChange::BitTerminarClick(const QString& pass1, const QString& pass2) {
    if (!Edit_Pass1Exit(pass1) || !Edit_Pass2Exit(pass2))
        return false;
    outcome_ = kConfirmed;
    return true;
}

void PasswordChange::BotCancelarClick() { outcome_ = kCancelled; }

bool writeNewPassword(TDTEMPRESAS& m, const QString& userCode, int outcome, const QString& newPassword,
                      const db::UpdateErrorHandler& onError, QString* error) {
    if (outcome != PasswordChange::kConfirmed)
        return true;
    db::Dataset& util = m.UTIL;
    if (!util.open(error))
        return false;
    QString readError;
    const int row = util.locate(QStringLiteral("NRO"), userCode, &readError);
    if (row < 0) {
        util.close();
        if (readError.isEmpty())
            return true; // the user is gone: nothing to write
        if (error)
            *error = readError;
        return false;
    }
    util.setValue(row, QStringLiteral("PASSWOR"), newPassword);
    util.setReportsErrors(true);
    // The update-error dialog shows the server's message: when the user
    // aborts there, it is not told a second time.
    bool abortedInDialog = false;
    db::UpdateErrorHandler ask;
    if (onError)
        ask = [&](const db::UpdateFailure& f) {
            const db::UpdateAction action = onError(f);
            abortedInDialog = action == db::UpdateAction::Abort;
            return action;
        };
    const bool ok = util.applyUpdates(ask, error);
    if (!ok && abortedInDialog && error)
        error->clear();
    util.close();
    return ok;
}

} // namespace corvane::shell
