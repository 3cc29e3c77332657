#include "form_conventions.h"

#include "widget_view.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

namespace corvane::components {

void paintBackground(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

FormConventions::FormConventions(QWidget* window, WidgetView* view)
    : QObject(window), window_(window), view_(view) {
    window->installEventFilter(this);
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* w : children)
        install(w);
}

void FormConventions::install(QWidget* w) {
    if (w->focusPolicy() != Qt::NoFocus)
        w->installEventFilter(this);
}

void FormConventions::bindLabel(QWidget* field, QLabel* label, const QString& hint) {
    Binding& b = fields_[field];
    b.label = label;
    b.hint = hint;
    if (label)
        paintBackground(label, kScreenColour);
    install(field);
}

void FormConventions::setCheck(QWidget* field, std::function<bool()> check) {
    fields_[field].check = std::move(check);
    install(field);
}

bool FormConventions::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            tabbedFrom_ = w; // the user leaves this field by Tab
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (enter && plain && w != window_ && !qobject_cast<QAbstractButton*>(w) &&
            !qobject_cast<QTextEdit*>(w) && !qobject_cast<QPlainTextEdit*>(w)) {
            if (!qobject_cast<QAbstractItemView*>(w)) {
                // As Tab: the window decides where the focus goes next.
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(w, &tab);
                return true;
            }
            QWidget* next = w->nextInFocusChain();
            while (next && next != w && (next->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
                next = next->nextInFocusChain();
            if (next && next != w)
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
        break;
    }
    case QEvent::FocusIn: {
        auto it = fields_.find(w);
        if (it != fields_.end()) {
            if (it->label)
                paintBackground(it->label, kFocusColour);
            if (view_ && !it->hint.isEmpty())
                view_->statusText(0, it->hint);
        }
        break;
    }
    case QEvent::FocusOut: {
        auto it = fields_.find(w);
        if (it == fields_.end())
            break;
        if (it->label)
            paintBackground(it->label, kScreenColour);
        if (view_ && !it->hint.isEmpty())
            view_->statusText(0, QString());
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            break;
        leave(w, reason);
        break;
    }
    default:
        break;
    }
    return false;
}

bool FormConventions::checkFocused() {
    if (!window_ || !checksEnabled_)
        return true;
    if (checking_)
        return false; // a refusal is still on its way back to its field
    QWidget* focused = window_->focusWidget();
    auto it = fields_.find(focused);
    if (it == fields_.end() || !it->check)
        return true;
    checking_ = true;
    if (view_)
        view_->deferMessages(true);
    const bool accepted = it->check();
    QString requested;
    if (view_) {
        view_->deferMessages(false);
        requested = view_->takeRequestedFocus();
    }
    if (!accepted && !requested.isEmpty())
        if (auto* other = window_->findChild<QWidget*>(requested))
            other->setFocus(Qt::OtherFocusReason);
    checking_ = false;
    if (view_)
        view_->flushDeferred();
    return accepted;
}

namespace {

// Where Tab (or Shift+Tab) from `from` leads now: the next enabled, visible
// widget of the window that takes the focus by Tab.
QWidget* tabTarget(QWidget* window, QWidget* from, bool forward) {
    for (QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain(); w && w != from;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain())
        if (window->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(window) &&
            (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            return w;
    return nullptr;
}

} // namespace

void FormConventions::followTab(QWidget* field, Qt::FocusReason reason) {
    // The check may have enabled or disabled the fields after this one: Tab
    // goes where it leads now, not where it led before the check.
    const bool tabbed = tabbedFrom_ == field;
    tabbedFrom_ = nullptr;
    if (!tabbed || (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason))
        return; // not the user's Tab: a page switched, a field hidden
    QWidget* target = tabTarget(window_, field, reason == Qt::TabFocusReason);
    // The field Tab reached on the way is passed over: it is left unchecked
    // (it was never typed in) and without moving on from it.
    QWidget* reached = window_->focusWidget();
    if (!target || target == reached)
        return;
    passedOver_ = reached;
    QTimer::singleShot(0, target, [target] { target->setFocus(Qt::OtherFocusReason); });
}

void FormConventions::leave(QWidget* field, Qt::FocusReason reason) {
    if (passedOver_ == field) {
        passedOver_ = nullptr;
        return;
    }
    Binding& b = fields_[field];
    if (!b.check || !checksEnabled_ || checking_)
        return;
    checking_ = true;
    if (view_)
        view_->deferMessages(true);
    const bool accepted = b.check();
    QString requested;
    if (view_) {
        view_->deferMessages(false);
        requested = view_->takeRequestedFocus();
    }
    if (accepted && requested.isEmpty()) {
        checking_ = false;
        if (window_)
            followTab(field, reason);
        if (view_)
            view_->flushDeferred();
        return;
    }
    // Back to the refused field (or where the check sent the focus) once the
    // focus change is over; the messages follow with the focus already there.
    QPointer<QWidget> target(field);
    if (!requested.isEmpty() && window_)
        if (auto* other = window_->findChild<QWidget*>(requested))
            target = other;
    QTimer::singleShot(0, this, [this, target] {
        if (target) {
            showPageOf(target); // a page switched by a click goes back to the field
            target->setFocus(Qt::OtherFocusReason);
            if (auto it = fields_.find(target.data()); it != fields_.end() && it->label)
                paintBackground(it->label, kFocusColour);
        }
        if (view_)
            view_->flushDeferred();
        checking_ = false;
    });
}

} // namespace corvane::components
