#pragma once

#include "core/screen_view.h"

#include <QStringList>

// A ScreenView that records what a user would see and answers questions with
// the prepared answers.
struct RecordingView : corvane::ScreenView {
    QStringList messages;
    QStringList questions;
    QStringList focus;
    QStringList status[4];
    int beeps = 0;
    QList<bool> answers; // answers to confirm(), in order; Yes when empty

    void beep() override { ++beeps; }
    void message(const QString& text) override { messages << text; }
    bool confirm(const QString& text) override {
        questions << text;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void focusField(const QString& field) override { focus << field; }
    void statusText(int panel, const QString& text) override {
        if (panel >= 0 && panel < 4)
            status[panel] << text;
    }
};
