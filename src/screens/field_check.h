#pragma once

#include "field_rule.h"

#include <QString>
#include <QVariant>

namespace corvane::screens {

// A screen's own rule for one input, declared beside the input's FieldRule:
// a member of the screen run when the focus leaves the input. It gets the
// text as typed and, unless it takes the raw text, the value the conversion
// gave (a text the conversion refuses never reaches it).
template <class Screen> struct FieldCheck {
    using Member = bool (Screen::*)(const FieldRule& rule, const QString& text, const QVariant& value);
    Member run = nullptr;
    bool rawText = false; // run before (and instead of) the conversion

    bool isSet() const { return run != nullptr; }
};

// Runs an input's checks: the conversion the rule describes (a refusal goes
// to `refuse` with its message), then the screen's own rule, if any.
template <class Screen, class Refuse>
bool runFieldCheck(Screen& screen, const FieldRule& rule, const FieldCheck<Screen>& check,
                   const QString& text, Refuse&& refuse) {
    QVariant value;
    if (!check.rawText) {
        QString message;
        if (!convertField(rule, text, &value, &message))
            return refuse(message);
    }
    return !check.isSet() || (screen.*check.run)(rule, text, value);
}

} // namespace corvane::screens
