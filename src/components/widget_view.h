#pragma once

#include "core/screen_view.h"
#include "core/site_log.h"

#include <QPointer>
#include <QStatusBar>
#include <QStringList>
#include <QWidget>

class QLabel;

namespace corvane::components {

// Brings forward the notebook or stack pages that hold `field`, so that it
// can take the focus.
void showPageOf(QWidget* field);

// The ScreenView of a real window: message boxes, the beep, the focus and the
// status-bar panels. Every message shown is also written to the site log.
// While a field's focus-out check runs, messages wait until the focus is back
// in the field (a modal box inside a focus change would move the focus again).
class WidgetView : public ScreenView {
public:
    WidgetView(QWidget* window, QString screenName, const SiteLog* log);

    void beep() override;
    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    void focusField(const QString& field) override;
    void statusText(int panel, const QString& text) override;

    // Status-bar panels: labels added to the window's status bar.
    void setStatusPanels(QStatusBar* bar, int count);

    // While a focus-out check runs, messages wait and a focus request is kept
    // for the check's owner to honour once the focus change is over.
    void deferMessages(bool on) { deferring_ = on; }
    QString takeRequestedFocus() { return std::exchange(requestedFocus_, {}); }
    void flushDeferred();
    bool hasDeferred() const { return !pending_.isEmpty(); }

protected:
    // Shows one message modally (tests record it instead).
    virtual void showMessage(const QString& text);
    virtual bool askYesNo(const QString& text);

private:
    QPointer<QWidget> window_;
    QString screen_;
    const SiteLog* log_;
    QList<QLabel*> panels_;
    bool deferring_ = false;
    QStringList pending_;
    QString requestedFocus_;
};

} // namespace corvane::components
