#include "components/form_conventions.h"
#include "components/widget_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace corvane::components;

namespace {
// Records each message with the widget that had the focus when it was shown.
struct RecordingWidgetView : WidgetView {
    using WidgetView::WidgetView;
    QStringList shown;
    QStringList focusAtMessage;
    void showMessage(const QString& text) override {
        shown << text;
        QWidget* f = QApplication::focusWidget();
        focusAtMessage << (f ? f->objectName() : QString());
    }
};
} // namespace

class TestFormConventions : public QObject {
    Q_OBJECT
private slots:
    // A field asked for on a page not shown brings its page forward, in a
    // notebook and in a plain stack.
    void focusBringsThePageForward() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* tabs = new QTabWidget(&window);
        auto* first = new QLineEdit;
        first->setObjectName(QStringLiteral("Edit_Primeira"));
        auto* page = new QWidget;
        auto* inner = new QStackedWidget(page);
        auto* hidden = new QLineEdit;
        inner->addWidget(new QLabel(QStringLiteral("vazio")));
        inner->addWidget(hidden);
        hidden->setObjectName(QStringLiteral("Edit_Fundo"));
        tabs->addTab(first, QStringLiteral("<F1>"));
        tabs->addTab(page, QStringLiteral("<F2>"));
        layout->addWidget(tabs);
        RecordingWidgetView view(&window, QStringLiteral("TESTE"), nullptr);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(tabs->currentIndex(), 0);
        view.focusField(QStringLiteral("Edit_Fundo"));
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(inner->currentWidget(), hidden);
        QTRY_COMPARE(QApplication::focusWidget(), hidden);
        view.focusField(QStringLiteral("Edit_Primeira"));
        QCOMPARE(tabs->currentIndex(), 0);
    }

    // A refused field on a page the user clicked away from gets its page back.
    void refusedFieldBringsItsPageBack() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* tabs = new QTabWidget(&window);
        auto* first = new QLineEdit;
        first->setObjectName(QStringLiteral("Edit_Primeira"));
        auto* second = new QLineEdit;
        second->setObjectName(QStringLiteral("Edit_Segunda"));
        tabs->addTab(first, QStringLiteral("Informação"));
        tabs->addTab(second, QStringLiteral("Orçamento"));
        layout->addWidget(tabs);
        RecordingWidgetView view(&window, QStringLiteral("TESTE"), nullptr);
        auto* conventions = new FormConventions(&window, &view);
        conventions->setCheck(second, [&] {
            if (second->text() != QLatin1String("x"))
                return true;
            view.message(QStringLiteral("'x' não é um número válido"));
            return false;
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        tabs->setCurrentIndex(1);
        second->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), second);
        second->setText(QStringLiteral("x"));
        tabs->setCurrentIndex(0); // a click on the other tab
        QTRY_COMPARE(view.shown, QStringList{"'x' não é um número válido"});
        QTRY_COMPARE(tabs->currentIndex(), 1);
        QTRY_COMPARE(QApplication::focusWidget(), second);
    }

    void refusedFieldKeepsTheFocus() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* label = new QLabel(QStringLiteral("Classificação"), &window);
        auto* a = new QLineEdit(&window);
        a->setObjectName(QStringLiteral("Edit_Clas"));
        auto* b = new QLineEdit(&window);
        b->setObjectName(QStringLiteral("Edit_Designacao"));
        auto* button = new QPushButton(QStringLiteral("&Gravar"), &window);
        layout->addWidget(label);
        layout->addWidget(a);
        layout->addWidget(b);
        layout->addWidget(button);
        RecordingWidgetView view(&window, QStringLiteral("TESTE"), nullptr);
        auto* conventions = new FormConventions(&window, &view);
        conventions->bindLabel(a, label, QStringLiteral("Classificação de 1 a 7"));
        int checks = 0;
        conventions->setCheck(a, [&] {
            ++checks;
            const int v = a->text().toInt();
            if (v >= 1 && v <= 7)
                return true;
            view.beep();
            view.message(QStringLiteral("Digite de [1 a 7]"));
            return false;
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        a->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), a);
        QCOMPARE(label->palette().color(QPalette::Window), kFocusColour);

        // Refused: the focus comes back, and the message shows only then.
        QTest::keyClicks(a, QStringLiteral("8"));
        QTest::keyClick(a, Qt::Key_Tab);
        QTRY_COMPARE(view.shown, QStringList{QStringLiteral("Digite de [1 a 7]")});
        QCOMPARE(view.focusAtMessage, QStringList{QStringLiteral("Edit_Clas")});
        QTRY_COMPARE(QApplication::focusWidget(), a);
        QCOMPARE(checks, 1);
        QCOMPARE(label->palette().color(QPalette::Window), kFocusColour);

        // Accepted: Enter moves on like Tab and the label turns back.
        a->clear();
        QTest::keyClicks(a, QStringLiteral("3"));
        QTest::keyClick(a, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), b);
        QCOMPARE(view.shown.size(), 1);
        QCOMPARE(label->palette().color(QPalette::Window), kScreenColour);

        // While settling, checks do not run.
        conventions->setChecksEnabled(false);
        a->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), a);
        a->setText(QStringLiteral("0"));
        QTest::keyClick(a, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), b);
        QCOMPARE(checks, 2);
        QCOMPARE(view.shown.size(), 1);

        // Enter on a button presses it, it does not move on.
        int pressed = 0;
        connect(button, &QPushButton::clicked, [&] { ++pressed; });
        button->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(pressed, 1);
        QCOMPARE(QApplication::focusWidget(), button);
    }

    // "S" enables the field after it: Tab (and Enter) lands there, not on the
    // field beyond; "N" disables it again and Tab passes it; Shift+Tab
    // follows the same rule backwards.
    void tabFollowsWhatTheCheckEnabled() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* fringe = new QLineEdit(&window);
        fringe->setObjectName(QStringLiteral("Edit_Franja"));
        auto* measure = new QLineEdit(&window);
        measure->setObjectName(QStringLiteral("Edit_LargFranja"));
        measure->setEnabled(false);
        auto* hanger = new QLineEdit(&window);
        hanger->setObjectName(QStringLiteral("Edit_Cabide"));
        for (QLineEdit* e : {fringe, measure, hanger})
            layout->addWidget(e);
        RecordingWidgetView view(&window, QStringLiteral("TESTE"), nullptr);
        auto* conventions = new FormConventions(&window, &view);
        conventions->setCheck(fringe, [&] {
            measure->setEnabled(fringe->text() == QLatin1String("S"));
            return true;
        });
        // The hanger must be answered: Tab passing over it on the way to the
        // measure does not ask for it.
        conventions->setCheck(hanger, [&] {
            if (!hanger->text().isEmpty())
                return true;
            view.message(QStringLiteral("Insira [S/N] ..."));
            return false;
        });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        fringe->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), fringe);

        QTest::keyClicks(fringe, QStringLiteral("S"));
        QTest::keyClick(fringe, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), measure);
        QTest::qWait(50);
        QCOMPARE(QApplication::focusWidget(), measure);
        QCOMPARE(view.shown, QStringList());
        QTest::keyClicks(measure, QStringLiteral("280"));
        QTest::keyClick(measure, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), hanger);
        hanger->setText(QStringLiteral("N"));

        fringe->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), fringe);
        fringe->setText(QStringLiteral("N"));
        QTest::keyClick(fringe, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), hanger);
        QVERIFY(!measure->isEnabled());

        // Backwards from the hanger after "S": the measure, enabled again.
        fringe->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), fringe);
        fringe->setText(QStringLiteral("S"));
        QTest::keyClick(fringe, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), measure);
        QTest::keyClick(measure, Qt::Key_Backtab);
        QTRY_COMPARE(QApplication::focusWidget(), fringe);
        QCOMPARE(view.shown, QStringList());
    }
};

QTEST_MAIN(TestFormConventions)
#include "test_form_conventions.moc"
