// Every screen of the main menu walked with the keyboard alone: Alt and the
// menu's letter, the entry's letter; the screen opens with the focus where
// the user types first, and Esc closes it without a question when nothing
// was typed.
#include "articles/ui/screens.h"
#include "quotation/ui/screens.h"
#include "reference/ui/screens.h"
#include "support/menu_window.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

using namespace corvane;

namespace {

Qt::Key keyOf(QChar letter) {
    return static_cast<Qt::Key>(Qt::Key_A + (letter.unicode() - 'A'));
}

// Where a user can type: an enabled input that takes typing, or a grid.
bool typesThere(const QWidget* w) {
    if (!w || !w->isEnabled())
        return false;
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return !edit->isReadOnly();
    return qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QDateEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

QString nameOf(const QWidget* w) {
    return w ? QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName()
             : QStringLiteral("nothing");
}

} // namespace

class TestKeyboardWalk : public QObject {
    Q_OBJECT
private slots:
    void everyMenuScreen() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        shell::ScreenTable screens;
        reference::registerScreens(screens);
        articles::registerScreens(screens);
        quotation::registerScreens(screens);
        MenuWindow menu(site, screens);
        QVERIFY(menu.show());
        QVERIFY(QTest::qWaitForWindowActive(menu.window.get()));

        QStringList faults, walked;
        QString entry;      // the entry being walked
        QChar entryLetter;  // pressed once its menu is open
        QStringList opened; // the screens this entry opened
        bool returned = false;
        QPointer<QWidget> inspected;

        // The menu: its entry's letter, once it is open.
        QTimer menuKeys;
        connect(&menuKeys, &QTimer::timeout, [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!popup || entryLetter.isNull())
                return;
            const QChar letter = entryLetter;
            entryLetter = QChar();
            QTest::keyClick(popup, keyOf(letter));
            returned = true; // the screen it opened has closed
        });
        // The screen: where the focus is, then Esc; a question nobody caused
        // is a fault, answered by Esc as well.
        QTimer screenKeys;
        connect(&screenKeys, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                faults << entry + QStringLiteral(": asked \"") + box->text() + QLatin1Char('"');
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            if (modal == inspected)
                return; // Esc is on its way
            inspected = modal;
            opened << modal->objectName();
            QWidget* focus = modal->focusWidget();
            if (!typesThere(focus))
                faults << entry + QLatin1Char('/') + modal->objectName() + QStringLiteral(": the focus on ") +
                              nameOf(focus);
            QTest::keyClick(focus ? focus : modal, Qt::Key_Escape);
        });
        menuKeys.start(20);
        screenKeys.start(20);

        for (QAction* top : menu.window->menuBar()->actions()) {
            if (!top->menu())
                continue;
            for (QAction* a : top->menu()->actions()) {
                if (!screens.contains(a->objectName()) || !a->isEnabled())
                    continue;
                entry = a->objectName();
                opened.clear();
                returned = false;
                entryLetter = mnemonicOf(a->text());
                // The desktop gives the main window the keyboard back after a screen.
                QApplication::setActiveWindow(menu.window.get());
                QVERIFY(QTest::qWaitForWindowActive(menu.window.get()));
                QTest::keyClick(menu.window.get(), keyOf(mnemonicOf(top->text())), Qt::AltModifier);
                QTRY_VERIFY2_WITH_TIMEOUT(returned, qPrintable(entry), 20000);
                if (opened.isEmpty())
                    faults << entry + QStringLiteral(": no screen opened");
                walked << entry;
                QTRY_VERIFY(!QApplication::activeModalWidget());
            }
        }
        QCOMPARE(walked.size(), screens.size());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestKeyboardWalk)
#include "test_keyboard_walk.moc"
