#pragma once

#include <QString>

namespace corvane {

// What a screen's logic may ask of whatever shows it. The Qt views implement it
// with widgets and message boxes; tests implement it by recording the calls.
class ScreenView {
public:
    virtual ~ScreenView() = default;
    virtual void beep() = 0;
    // An informative or error message, acknowledged with OK.
    virtual void message(const QString& text) = 0;
    // The "Yes/No" question; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // Puts the focus on the named input (its objectName).
    virtual void focusField(const QString& field) = 0;
    // Writes a status-bar panel (0 = hints, 1 = signature, ...).
    virtual void statusText(int panel, const QString& text) = 0;
};

inline const QString kDeleteQuestion = QStringLiteral("ELIMINAÇÃO !!! Confirma ?");
// Asked before changes not written are thrown away (the answer No keeps them).
inline const QString kAbandonQuestion = QStringLiteral("Abandonar as alterações ?");
// The hint of an entry or button whose screen this version does not have yet.
inline const QString kNotAvailableYet = QStringLiteral("Ecrã ainda não disponível nesta versão do programa");

} // namespace corvane
