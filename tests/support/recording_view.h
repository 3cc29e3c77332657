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

// A RecordingView for a screen whose view also selects pages and is told to
// show the state again (View: the screen's view interface).
template <typename View> struct RecordingPagedView : RecordingView, View {
    QStringList pages;
    int refreshes = 0;
    void beep() override { RecordingView::beep(); }
    void message(const QString& text) override { RecordingView::message(text); }
    bool confirm(const QString& text) override { return RecordingView::confirm(text); }
    void focusField(const QString& field) override { RecordingView::focusField(field); }
    void statusText(int panel, const QString& text) override { RecordingView::statusText(panel, text); }
    void selectPage(const QString& page) override { pages << page; }
    void refresh() override { ++refreshes; }
};
