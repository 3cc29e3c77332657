#include "shell/password_change.h"
#include "shell/ui/talterfpass.h"
#include "shell/ui/tupdate_error_form.h"
#include "support/menu_window.h"
#include "support/modal_closer.h"
#include "support/recording_view.h"
#include "support/test_site.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

namespace {
// Answers the password dialog with a new password and the update-error
// dialog with "&Abortar", noting the server messages the latter showed.
class DialogAnswers : public QObject {
public:
    QStringList updateErrors;
    explicit DialogAnswers(const QString& password) {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, password] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<TALTERFPASS*>(modal)) {
                // Once its activation has run.
                if (std::exchange(seen_, dialog) != dialog)
                    return;
                for (const QString& name : {QStringLiteral("Edit_Pass1"), QStringLiteral("Edit_Pass2")})
                    dialog->findChild<QLineEdit*>(name)->setText(password);
                dialog->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            } else if (auto* form = qobject_cast<TUpdateErrorForm*>(modal)) {
                updateErrors << form->findChild<QPlainTextEdit*>(QStringLiteral("ErrorText"))->toPlainText();
                form->findChild<QPushButton*>(QStringLiteral("AbortButton"))->click();
            }
        });
        timer->start(20);
    }

private:
    QWidget* seen_ = nullptr;
};
} // namespace

class TestPasswordChange : public QObject {
    Q_OBJECT
private slots:
    void checksInTheirOrder() {
        RecordingView view;
        PasswordChange p(view);
        p.FormActivate();
        QCOMPARE(p.outcome(), PasswordChange::kUndecided);
        QCOMPARE(view.focus, QStringList{QStringLiteral("Edit_Pass1")});

        QVERIFY(!p.Edit_Pass1Exit(QString()));
        QCOMPARE(view.messages.last(), QStringLiteral("Palavra passe inválida ..."));
        QVERIFY(p.error());
        QVERIFY(!p.Edit_Pass1Exit(QStringLiteral("ABCDEFGHIJKLMNOP"))); // 16
        QCOMPARE(view.messages.last(), QStringLiteral("Excedeu o Nº de caracteres = 15 ..."));
        QCOMPARE(view.focus.last(), QStringLiteral("Edit_Pass1"));
        QVERIFY(p.Edit_Pass1Exit(QStringLiteral("ABCDEFGHIJKLMNO"))); // 15
        QVERIFY(!p.error());

        // A differing confirmation sends the focus to the new password.
        QVERIFY(!p.Edit_Pass2Exit(QStringLiteral("ABCDEFGHIJKLMNX")));
        QCOMPARE(view.messages.last(),
                 QStringLiteral("Confirmação <> da nova palavra passe, tente novamente ..."));
        QCOMPARE(view.focus.last(), QStringLiteral("Edit_Pass1"));
        QVERIFY(!p.Edit_Pass2Exit(QString()));
        QCOMPARE(view.focus.last(), QStringLiteral("Edit_Pass2"));
        QCOMPARE(view.beeps, 4);

        // "&Confirmar" runs both checks and stops at the first refusal.
        QVERIFY(!p.BitTerminarClick(QStringLiteral("NOVA"), QStringLiteral("OUTRA")));
        QCOMPARE(p.outcome(), PasswordChange::kUndecided);
        QVERIFY(p.BitTerminarClick(QStringLiteral("NOVA"), QStringLiteral("NOVA")));
        QCOMPARE(p.outcome(), PasswordChange::kConfirmed);
        QCOMPARE(p.newPassword(), QStringLiteral("NOVA"));

        // Once cancelled, leaving the inputs checks nothing.
        PasswordChange c(view);
        c.FormActivate();
        c.BotCancelarClick();
        const int before = view.messages.size();
        QVERIFY(c.Edit_Pass1Exit(QString()));
        QCOMPARE(view.messages.size(), before);
        QCOMPARE(c.outcome(), PasswordChange::kCancelled);
    }

    void dialogUpperCasesAndMasks() {
        TALTERFPASS dialog(nullptr);
        ModalCloser closer;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Alteração de Palavra Passe"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* p1 = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_Pass1"));
        auto* p2 = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_Pass2"));
        QTRY_COMPARE(QApplication::focusWidget(), p1);
        QCOMPARE(p1->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, p1), int('#'));
        QCOMPARE(p1->echoMode(), QLineEdit::Password);
        QTest::keyClicks(p1, QStringLiteral("abc"));
        QCOMPARE(p1->text(), QStringLiteral("ABC"));
        QTest::keyClick(p1, Qt::Key_Return); // Enter moves on
        QTRY_COMPARE(QApplication::focusWidget(), p2);
        QTest::keyClicks(p2, QStringLiteral("abd"));
        QTest::keyClick(p2, Qt::Key_Tab);
        QTRY_COMPARE(closer.texts.size(), 1);
        QCOMPARE(closer.texts.first(),
                 QStringLiteral("Confirmação <> da nova palavra passe, tente novamente ..."));
        // The focus went to the new password before the message showed.
        QCOMPARE(closer.focusBehind.first(), QStringLiteral("Edit_Pass1"));
        QTRY_COMPARE(dialog.focusWidget(), p1);
        p2->clear();
        QTest::keyClicks(p2, QStringLiteral("abc"));
        dialog.findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.logic().outcome(), PasswordChange::kConfirmed);
        QCOMPARE(dialog.logic().newPassword(), QStringLiteral("ABC"));
    }

    void anularClosesAtOnce() {
        TALTERFPASS dialog(nullptr);
        ModalCloser closer;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QPushButton*>(QStringLiteral("BotCancelar"))->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.logic().outcome(), PasswordChange::kCancelled);
        QTest::qWait(50);
        QVERIFY(closer.texts.isEmpty());
    }

    void writesOnlyAConfirmedPassword_data() { addBackendRows(); }
    void writesOnlyAConfirmedPassword() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        TDTEMPRESAS m(site.program(), site.invoicing());
        QString error;
        auto password = [&] {
            return site.program()
                .scalar(QStringLiteral("SELECT PASSWOR FROM UTILIZADORES WHERE NRO = 'DEMO'"))
                ->toString();
        };
        QVERIFY(writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kCancelled, QStringLiteral("X"),
                                 {}, &error));
        QVERIFY(writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kUndecided, QStringLiteral("X"),
                                 {}, &error));
        QCOMPARE(password(), QStringLiteral("DEMO"));
        QVERIFY(writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kConfirmed, QStringLiteral("ABC"),
                                 {}, &error));
        QCOMPARE(password(), QStringLiteral("ABC"));
        // A user that is gone: nothing written, nothing said.
        QVERIFY(writeNewPassword(m, QStringLiteral("NINGUEM"), PasswordChange::kConfirmed,
                                 QStringLiteral("Z"), {}, &error));
        QVERIFY(error.isEmpty());
        // A refused write reaches the update-error handler and changes nothing.
        site.program().setFailureHook([](const QString& sql, QString* message) {
            if (!sql.startsWith(QStringLiteral("UPDATE UTILIZADORES")))
                return false;
            *message = QStringLiteral("sem permissão");
            return true;
        });
        int asked = 0;
        QVERIFY(!writeNewPassword(
            m, QStringLiteral("DEMO"), PasswordChange::kConfirmed, QStringLiteral("DEF"),
            [&](const db::UpdateFailure& f) {
                ++asked;
                return f.error == QStringLiteral("sem permissão") ? db::UpdateAction::Abort
                                                                  : db::UpdateAction::Retry;
            },
            &error));
        QCOMPARE(asked, 1);
        // The dialog has shown the server's message: nothing is left to tell.
        QVERIFY(error.isEmpty());
        QCOMPARE(password(), QStringLiteral("ABC"));
        // Without the dialog the message is the caller's to show.
        QVERIFY(!writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kConfirmed,
                                  QStringLiteral("DEF"), {}, &error));
        QCOMPARE(error, QStringLiteral("sem permissão"));
        site.program().setFailureHook({});
        QCOMPARE(password(), QStringLiteral("ABC"));
    }

    // From the main window: a refused write is told once, by the update-error
    // dialog, or by a message when that dialog had no part in it.
    void refusedWriteIsToldOnce() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        QString refused = QStringLiteral("UPDATE UTILIZADORES"); // the statements the server refuses
        MenuWindow menu(site, {});
        QVERIFY(menu.show());
        db::Database& db = menu.window->logic().modules()->empresas->UTIL.database();
        auto password = [&] {
            return site.program()
                .scalar(QStringLiteral("SELECT PASSWOR FROM UTILIZADORES WHERE NRO = 'DEMO'"))
                ->toString();
        };
        db.setFailureHook([&](const QString& sql, QString* message) {
            if (!sql.startsWith(refused))
                return false;
            *message = QStringLiteral("sem permissão");
            return true;
        });
        {
            ModalCloser closer;
            DialogAnswers answers(QStringLiteral("NOVA"));
            menu.window->BotPassordClick();
            QCOMPARE(answers.updateErrors, QStringList{QStringLiteral("sem permissão")});
            QTest::qWait(100);
            QCOMPARE(closer.texts, QStringList());
        }
        QCOMPARE(password(), QStringLiteral("DEMO"));
        {
            refused = QStringLiteral("Select NRO,PASSWOR");
            ModalCloser closer;
            DialogAnswers answers(QStringLiteral("NOVA"));
            menu.window->BotPassordClick();
            QVERIFY(answers.updateErrors.isEmpty());
            QTest::qWait(100);
            QCOMPARE(closer.texts, QStringList{QStringLiteral("sem permissão")});
        }
        db.setFailureHook({});
        QCOMPARE(password(), QStringLiteral("DEMO"));
    }
};

QTEST_MAIN(TestPasswordChange)
#include "test_password_change.moc"
