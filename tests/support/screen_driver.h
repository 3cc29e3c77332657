#pragma once

// Driving screens in tests as a user would: menu entries, typing, leaving
// inputs, buttons that open other screens.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

// Triggers a menu entry of `window` and runs `work` on the screen it opens
// (by objectName), then closes it; false when that screen did not open.
inline bool openEntry(QWidget& window, const QString& entry, const QString& screen,
                      const std::function<void(QDialog*)>& work) {
    bool seen = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != screen) {
            if (dialog)
                dialog->close();
            return;
        }
        seen = true;
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::qWait(50);
        work(dialog);
        dialog->close();
    });
    window.findChild<QAction*>(entry)->trigger();
    return seen;
}

// Types into an input and leaves it with Tab, as a user would. The screen
// is active again after a message box closed, as the desktop would make it.
inline void typeAndLeave(QDialog* d, const QString& input, const QString& text) {
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    auto* edit = d->findChild<QLineEdit*>(input);
    QVERIFY2(edit, qPrintable(input));
    QTRY_COMPARE(d->focusWidget(), edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::qWait(20);
}

// Types into an input without leaving it, as a user does before a button.
inline void typeOnly(QDialog* d, const QString& input, const QString& text) {
    QApplication::setActiveWindow(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    auto* edit = d->findChild<QLineEdit*>(input);
    QVERIFY2(edit, qPrintable(input));
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(d->focusWidget(), edit);
    QTest::qWait(20); // what leaving the last widget started runs first
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Runs `work` on the modal screen a button of `d` opens.
inline void onModal(QDialog* d, const QString& button, const QString& screen,
                    const std::function<void(QDialog*)>& work) {
    bool seen = false;
    QTimer::singleShot(0, d, [&] {
        auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!form || form->objectName() != screen)
            return;
        seen = true;
        QVERIFY(QTest::qWaitForWindowActive(form));
        work(form);
        if (form->isVisible())
            form->findChild<QPushButton*>(QStringLiteral("BitCancelar"))->click();
    });
    d->findChild<QPushButton*>(button)->click();
    QVERIFY2(seen, qPrintable(screen));
}
