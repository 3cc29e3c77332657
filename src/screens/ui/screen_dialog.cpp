#include "screen_dialog.h"

#include "components/form_conventions.h"
#include "components/window_memory.h"
#include "core/screen_view.h"
#include "field_widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace corvane::screens {

namespace {

// Where a user types: an input that takes typing, a choice or a grid.
bool takesTyping(const QWidget* w) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return !edit->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(w))
        return !text->isReadOnly();
    return qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

} // namespace

ScreenDialog::ScreenDialog(const QString& name, const QString& caption, const ScreenSetting& setting,
                           QWidget* parent)
    : QDialog(parent), setting_(setting), view_(this, name, setting.log) {
    setObjectName(name);
    setWindowTitle(caption);
    components::paintBackground(this, components::kScreenColour);
}

ScreenDialog::~ScreenDialog() {
    delete conventions_;
}

components::FormConventions* ScreenDialog::installConventions() {
    if (!conventions_)
        conventions_ = new components::FormConventions(this, &view_);
    return conventions_;
}

QStatusBar* ScreenDialog::addStatusBar(QBoxLayout* layout, int panels) {
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    view_.setStatusPanels(status, panels);
    layout->addWidget(status);
    return status;
}

bool ScreenDialog::closingAction(const std::function<bool()>& action) {
    if (closed_ || (conventions_ && !conventions_->checkFocused()))
        return false;
    return action();
}

void ScreenDialog::connectClosing(QAbstractButton* button, std::function<bool()> action) {
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] {
        if (!closingAction(action))
            return;
        finished_ = true;
        accept();
    });
}

void ScreenDialog::connectDiscarding(QAbstractButton* button, std::function<void()> action) {
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] {
        if (conventions_)
            conventions_->setChecksEnabled(false);
        if (action)
            action();
        finished_ = true;
        QDialog::reject();
    });
}

QAbstractButton* ScreenDialog::addCloseAndCancel(QBoxLayout* layout, const QString& closeText,
                                                 const QString& closeName, std::function<bool()> close,
                                                 std::function<void()> cancel) {
    auto* row = new QHBoxLayout;
    auto* closing = new QPushButton(closeText, this);
    closing->setObjectName(closeName);
    auto* discarding = new QPushButton(QStringLiteral("&Cancelar"), this);
    discarding->setObjectName(QStringLiteral("BotCancelar"));
    for (QPushButton* b : {closing, discarding}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);
    connectClosing(closing, std::move(close));
    connectDiscarding(discarding, std::move(cancel));
    return closing;
}

void ScreenDialog::connectChecked(QAbstractButton* button, std::function<void()> action) {
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] {
        closingAction([&action] {
            action();
            return true;
        });
    });
}

void ScreenDialog::leaveHoldingMessages(const std::function<void()>& leave, const std::function<void()>& show,
                                        const std::function<bool(const QString&)>& keep) {
    view_.deferMessages(true);
    leave();
    view_.deferMessages(false);
    QString target = view_.takeRequestedFocus();
    if (keep && keep(target))
        target.clear();
    show();
    if (QWidget* w = target.isEmpty() ? nullptr : findChild<QWidget*>(target))
        w->setFocus(Qt::OtherFocusReason);
    view_.flushDeferred();
}

bool ScreenDialog::abandonAsked() {
    return !typed_ || view_.confirm(kAbandonQuestion);
}

void ScreenDialog::makeInputsReadOnly() {
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QDateEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QCheckBox*>(w) || qobject_cast<QComboBox*>(w))
            setFieldReadOnly(w, true);
}

void ScreenDialog::watchTyping() {
    // Only what the user does: programs setting texts emit none of these.
    auto typed = [this] { typed_ = true; };
    for (QLineEdit* e : findChildren<QLineEdit*>())
        connect(e, &QLineEdit::textEdited, this, typed);
    for (QCheckBox* b : findChildren<QCheckBox*>())
        connect(b, &QCheckBox::clicked, this, typed);
    for (QComboBox* c : findChildren<QComboBox*>())
        connect(c, &QComboBox::activated, this, typed);
    for (QPlainTextEdit* t : findChildren<QPlainTextEdit*>())
        connect(t, &QPlainTextEdit::textChanged, this, [this, t, typed] {
            if (t->hasFocus())
                typed();
        });
}

void ScreenDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    watchTyping();
    if (!activateScreen()) {
        finished_ = true;
        QTimer::singleShot(0, this, [this] { QDialog::reject(); });
        return;
    }
    components::restoreWindow(this);
    if (!focusWidget() || !takesTyping(focusWidget()))
        focusFirstInput();
}

void ScreenDialog::focusFirstInput() {
    QWidget* other = nullptr; // a button or a tab bar, when there is no input
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w) || !w->isEnabled() || !w->isVisibleTo(this) ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (takesTyping(w)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (!other)
            other = w;
    }
    if (other)
        other->setFocus(Qt::OtherFocusReason);
}

bool ScreenDialog::closeBox() {
    if (finished_ || closed_)
        return true;
    if (checkOnCloseBox() && conventions_ && !conventions_->checkFocused())
        return false;
    if (!closeRequested())
        return false;
    finished_ = true;
    return true;
}

void ScreenDialog::closeEvent(QCloseEvent* event) {
    if (closeBox())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void ScreenDialog::reject() {
    // Esc leaves as the close box does.
    if (closeBox())
        QDialog::reject();
}

void ScreenDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        if (activated_)
            components::rememberWindow(this);
        if (conventions_)
            conventions_->setChecksEnabled(false); // nothing is checked on the way out
        closeScreen();
    }
    QDialog::done(result);
}

} // namespace corvane::screens
