#pragma once

// Typing into a step window's input as a user does, so its check runs.
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

// Types `text` into the input `input` of `form` and moves the focus to `next`.
template <typename Form>
void typeInto(Form& form, const QString& input, const QString& text, const QString& next) {
    QLineEdit* e = form.input(input);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    e->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), e);
    e->selectAll();
    QTest::keyClicks(e, text);
    form.input(next)->setFocus();
    QTest::qWait(30);
}
