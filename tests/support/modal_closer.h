#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Answers the message boxes a screen shows during a test: each one is
// recorded with the widget that had the focus behind it, then closed.
class ModalCloser : public QObject {
public:
    QStringList texts;
    QStringList focusBehind;
    QString yesTo; // the question answered Yes; any other box is closed
    explicit ModalCloser(QObject* parent = nullptr) : QObject(parent) {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            QWidget* parent = box->parentWidget();
            QWidget* f = parent ? parent->focusWidget() : nullptr;
            focusBehind << (f ? f->objectName() : QString());
            if (!yesTo.isEmpty() && box->text() == yesTo && box->button(QMessageBox::Yes))
                box->button(QMessageBox::Yes)->click();
            else
                box->done(QMessageBox::Ok);
        });
        timer->start(20);
    }
};

// Answers the next question box with `answer`, recording its text in `asked`.
inline void answerNext(QMessageBox::StandardButton answer, QStringList* asked) {
    QTimer::singleShot(50, [answer, asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *asked << box->text();
            box->button(answer)->click();
        } else {
            answerNext(answer, asked);
        }
    });
}
