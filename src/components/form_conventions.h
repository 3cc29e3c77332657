#pragma once

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QLabel;
class QWidget;

namespace corvane::components {

class WidgetView;

inline const QColor kScreenColour(175, 202, 228);
inline const QColor kFocusColour(255, 255, 128);

// Paints a widget's background (labels, panels) with a solid colour.
void paintBackground(QWidget* w, const QColor& colour);

// The behaviour every screen shares, installed once per window:
// - Enter moves to the next input like Tab (not on buttons or multi-line text);
// - a field's label turns light yellow while the field has the focus, and the
//   field's hint shows in the first status panel;
// - fields with a check are checked when the focus leaves them: a refusal puts
//   the focus back (queued, guarded against re-entry) and only then shows the
//   check's messages. Focus moving to a pop-up or another window is no leave.
class FormConventions : public QObject {
    Q_OBJECT
public:
    FormConventions(QWidget* window, WidgetView* view);

    // The label lit while `field` has the focus, and the hint shown then.
    void bindLabel(QWidget* field, QLabel* label, const QString& hint = {});
    // The check run when the focus leaves `field`; false keeps the focus there.
    void setCheck(QWidget* field, std::function<bool()> check);
    // Turns the checks off (the settling state after activation and Cancel).
    void setChecksEnabled(bool on) { checksEnabled_ = on; }
    bool checking() const { return checking_; }
    // Runs the check of the field that has the focus, as leaving it would
    // (a closing or saving button calls this first). False: refused, and the
    // focus stays on the field; true: accepted, or no check to run.
    bool checkFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void install(QWidget* w);
    void leave(QWidget* field, Qt::FocusReason reason);
    void followTab(QWidget* field, Qt::FocusReason reason);

    QPointer<QWidget> window_;
    WidgetView* view_;
    struct Binding {
        QPointer<QLabel> label;
        QString hint;
        std::function<bool()> check;
    };
    QHash<QWidget*, Binding> fields_;
    bool checksEnabled_ = true;
    bool checking_ = false;
    QPointer<QWidget> tabbedFrom_; // the field a Tab key left last
    QPointer<QWidget> passedOver_; // reached by Tab before a check enabled a field before it
};

} // namespace corvane::components
