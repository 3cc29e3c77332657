#include "widget_view.h"

#include "message_box.h"
#include <QApplication>
#include <QLabel>

#include <QStackedWidget>
#include <QTabWidget>

namespace corvane::components {

WidgetView::WidgetView(QWidget* window, QString screenName, const SiteLog* log)
    : window_(window), screen_(std::move(screenName)), log_(log) {}

void WidgetView::beep() {
    QApplication::beep();
}

void WidgetView::message(const QString& text) {
    if (log_)
        log_->write(screen_, text);
    if (deferring_) {
        pending_ << text;
        return;
    }
    showMessage(text);
}

void WidgetView::showMessage(const QString& text) {
    plainMessage(window_, QMessageBox::Information, window_ ? window_->windowTitle() : QString(), text);
}

void WidgetView::flushDeferred() {
    const QStringList texts = std::exchange(pending_, {});
    for (const QString& text : texts)
        showMessage(text);
}

bool WidgetView::confirm(const QString& text) {
    if (log_)
        log_->write(screen_, text);
    return askYesNo(text);
}

bool WidgetView::askYesNo(const QString& text) {
    return plainMessage(window_, QMessageBox::Question, window_ ? window_->windowTitle() : QString(), text,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void showPageOf(QWidget* field) {
    for (QWidget* a = field; a && !a->isWindow(); a = a->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(a->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(a);
        else
            stack->setCurrentWidget(a);
    }
}

void WidgetView::focusField(const QString& field) {
    if (deferring_) {
        requestedFocus_ = field;
        return;
    }
    if (!window_)
        return;
    QWidget* w = window_->findChild<QWidget*>(field);
    if (!w)
        return;
    showPageOf(w);
    w->setFocus(Qt::OtherFocusReason);
}

void WidgetView::setStatusPanels(QStatusBar* bar, int count) {
    panels_.clear();
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(i == 0 ? 300 : 160);
        bar->addWidget(label, i == 0 ? 1 : 0);
        panels_ << label;
    }
}

void WidgetView::statusText(int panel, const QString& text) {
    if (panel >= 0 && panel < panels_.size())
        panels_[panel]->setText(text);
}

} // namespace corvane::components
