// The program's message boxes: their text as written, Qt's buttons in the
// program's language, No as the default answer of a question.
#include "components/message_box.h"
#include "components/qt_language.h"
#include "components/widget_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace corvane::components;

namespace {

struct Shown {
    Qt::TextFormat format = Qt::AutoText;
    QString label;
    QStringList buttons;
    QString defaultButton;
};

// Records the next message box and closes it with Esc.
void recordNext(Shown* shown) {
    QTimer::singleShot(50, [shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            recordNext(shown);
            return;
        }
        shown->format = box->textFormat();
        for (QLabel* l : box->findChildren<QLabel*>(QStringLiteral("qt_msgbox_label")))
            shown->label = l->text();
        for (QAbstractButton* b : box->buttons())
            shown->buttons << b->text();
        if (box->defaultButton())
            shown->defaultButton = box->defaultButton()->text();
        box->reject();
    });
}

} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installQtTranslations(*QCoreApplication::instance())); }

    // A message with angle brackets keeps them, in messages and questions.
    void plainText() {
        const QString text = QStringLiteral("Insira <P> para Produto ou <T> para Registo Técnico");
        QWidget window;
        window.setWindowTitle(QStringLiteral("Orçamentos"));
        WidgetView view(&window, QStringLiteral("TCORVF040"), nullptr);
        Shown message;
        recordNext(&message);
        view.message(text);
        QCOMPARE(message.format, Qt::PlainText);
        QCOMPARE(message.label, text);

        Shown question;
        recordNext(&question);
        QVERIFY(!view.confirm(QStringLiteral("Abandonar <sem gravar> ?")));
        QCOMPARE(question.format, Qt::PlainText);
        QCOMPARE(question.label, QStringLiteral("Abandonar <sem gravar> ?"));
        // Qt's own buttons in Portuguese; No the default, Esc answers no.
        QVERIFY2(question.buttons.contains(QStringLiteral("&Sim")) ||
                     question.buttons.contains(QStringLiteral("Sim")),
                 qPrintable(question.buttons.join(QLatin1Char(','))));
        QVERIFY(question.defaultButton.contains(QStringLiteral("Não")));
    }
};

QTEST_MAIN(TestMessageBox)
#include "test_message_box.moc"
