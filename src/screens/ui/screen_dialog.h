#pragma once

#include "components/widget_view.h"
#include "screens/screen_setting.h"

#include <QDialog>

#include <functional>

class QAbstractButton;
class QBoxLayout;
class QStatusBar;

namespace corvane::components {
class FormConventions;
}

namespace corvane::screens {

// The window of a screen, with what every screen shares:
// - its view (messages, beeps, focus, status panels, the site log) and the
//   form conventions (Enter as Tab, lit labels, hints, checks on leaving);
// - activation once, when the screen is first shown;
// - closing and saving actions that first run the check of the focused
//   input: refused, the focus stays there and nothing closes; discarding
//   actions run no check;
// - the close box and Esc, which check and then ask closeRequested();
// - closeScreen() once, however the screen closes, with the checks off.
class ScreenDialog : public QDialog {
    Q_OBJECT
public:
    ScreenDialog(const QString& name, const QString& caption, const ScreenSetting& setting,
                 QWidget* parent = nullptr);
    ~ScreenDialog() override;

    components::WidgetView& view() { return view_; }
    const ScreenSetting& setting() const { return setting_; }
    components::FormConventions* conventions() const { return conventions_; }

    // Runs the check of the focused input, then the action; true when the
    // action ran and answered true.
    bool closingAction(const std::function<bool()>& action);

    // Whether the user typed, ticked or chose anything in the screen since it
    // was shown (inputs are watched; a grid reports its edits by noteTyped).
    bool typedWork() const { return typed_; }
    void noteTyped() { typed_ = true; }
    // Leaving by the close box or Esc: true when nothing was typed, or when
    // the user agrees to abandon it (kAbandonQuestion).
    bool abandonAsked();
    // Every input of the screen takes no typing from now on (a screen only
    // looked at); buttons are left alone.
    void makeInputsReadOnly();

protected:
    // After the widgets were made: the conventions for every input.
    components::FormConventions* installConventions();
    // The two-panel status bar at the foot of the layout.
    QStatusBar* addStatusBar(QBoxLayout* layout, int panels = 2);
    // A button that closes (or saves and closes) when `action` answers true,
    // after the focused input's check.
    void connectClosing(QAbstractButton* button, std::function<bool()> action);
    // A button that discards and closes, without checks.
    void connectDiscarding(QAbstractButton* button, std::function<void()> action);
    // The row of a closing button and a discarding "&Cancelar" (objectNames
    // `closeName` and "BotCancelar") added to `layout`; the closing button's
    // action runs after the focused input's check.
    QAbstractButton* addCloseAndCancel(QBoxLayout* layout, const QString& closeText, const QString& closeName,
                                       std::function<bool()> close, std::function<void()> cancel);
    // A button that acts without closing, after the focused input's check.
    void connectChecked(QAbstractButton* button, std::function<void()> action);

    // The focus left a widget and the logic reacts (`leave`) while the focus
    // change is under way: its messages wait; then `show` redraws, the focus
    // goes where the logic asked (unless `keep` answers true for that input)
    // and the messages show.
    void leaveHoldingMessages(const std::function<void()>& leave, const std::function<void()>& show,
                              const std::function<bool(const QString& target)>& keep = {});

    // Once, on the first show; false closes the screen at once.
    virtual bool activateScreen() { return true; }
    // The close box or Esc, after the focused input was accepted: true closes.
    virtual bool closeRequested() { return true; }
    // Whether the close box runs the focused input's check first.
    virtual bool checkOnCloseBox() const { return true; }
    // Once, when the screen closes.
    virtual void closeScreen() {}

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void done(int result) override;

    bool activated() const { return activated_; }
    bool closing() const { return closed_; }

    // The first enabled input in the order of Tab (a button only when the
    // screen has no input) takes the focus; the framework does this after
    // activation when the screen put the focus nowhere.
    void focusFirstInput();

private:
    bool closeBox();
    void watchTyping();

    ScreenSetting setting_;
    components::WidgetView view_;
    components::FormConventions* conventions_ = nullptr;
    bool activated_ = false;
    bool finished_ = false; // a closing action decided; close without asking
    bool closed_ = false;
    bool typed_ = false;
};

// A screen's view interface (View: a ScreenView with selectPage and refresh)
// served by its window (Form: a ScreenDialog with selectPage and refresh):
// messages, beeps, focus and status panels through the window's view.
template <typename View, typename Form> class FormView : public View {
public:
    explicit FormView(Form& form) : form_(form) {}
    void beep() override { form_.view().beep(); }
    void message(const QString& text) override { form_.view().message(text); }
    bool confirm(const QString& text) override { return form_.view().confirm(text); }
    void focusField(const QString& field) override { form_.view().focusField(field); }
    void statusText(int panel, const QString& text) override { form_.view().statusText(panel, text); }
    void selectPage(const QString& page) override { form_.selectPage(page); }
    void refresh() override { form_.refresh(); }

protected:
    Form& form() { return form_; }

private:
    Form& form_;
};

} // namespace corvane::screens
