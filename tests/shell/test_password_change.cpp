#include "shell/password_change.h"
#include "shell/ui/talterfpass.h"
#include "support/modal_closer.h"
#include "support/recording_view.h"
#include "support/test_site.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

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
        QCOMPARE(view.messages.last(), QStringLiteral("Confirmação <> da nova palavra passe, tente novamente ..."));
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
        QCOMPARE(closer.texts.first(), QStringLiteral("Confirmação <> da nova palavra passe, tente novamente ..."));
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
            return site.program().scalar(QStringLiteral("SELECT PASSWOR FROM UTILIZADORES WHERE NRO = 'DEMO'"))->toString();
        };
        QVERIFY(writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kCancelled, QStringLiteral("X"), {}, &error));
        QVERIFY(writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kUndecided, QStringLiteral("X"), {}, &error));
        QCOMPARE(password(), QStringLiteral("DEMO"));
        QVERIFY(writeNewPassword(m, QStringLiteral("DEMO"), PasswordChange::kConfirmed, QStringLiteral("ABC"), {}, &error));
        QCOMPARE(password(), QStringLiteral("ABC"));
        // A user that is gone: nothing written, nothing said.
        QVERIFY(writeNewPassword(m, QStringLiteral("NINGUEM"), PasswordChange::kConfirmed, QStringLiteral("Z"), {}, &error));
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
                return f.error == QStringLiteral("sem permissão") ? db::UpdateAction::Abort : db::UpdateAction::Retry;
            },
            &error));
        QCOMPARE(asked, 1);
        site.program().setFailureHook({});
        QCOMPARE(password(), QStringLiteral("ABC"));
    }
};

QTEST_MAIN(TestPasswordChange)
#include "test_password_change.moc"
