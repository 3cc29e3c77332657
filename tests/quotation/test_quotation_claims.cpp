// Two users on one quotation, each with connections and document claims of
// their own, on both backends: the second opener only looks; a holder that
// died is taken over; a holder that lost its claim writes and restores
// nothing; a quotation left mid-way hands no customer's charges to another;
// leaving the number again, Esc and the close box lose no typed work.
#include "db/document_claim.h"
#include "quotation/store/customer_store.h"
#include "quotation_driver.h"
#include "quotation_fixture.h"
#include "support/test_site.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace corvane;
using namespace corvane::quotation;

namespace {

// One program run: its own connections, its claims, its screen.
struct User {
    User(TestSite& site, const QString& code) {
        program = site.connectProgram();
        invoicing = site.connectInvoicing();
        claims = std::make_unique<db::DocumentClaims>(
            *program, db::ClaimSession::current(code, QStringLiteral("POSTO-") + code));
        QuotationSources src = sourcesOf(site, code);
        src.corvane = program.get();
        src.factura = invoicing.get();
        src.claims = claims.get();
        screen = std::make_unique<QuotationScreen>(src, view);
        ok = screen->activate([](const QString&, const QString&, const QString&) {
            shell::AccessRights r = shell::AccessRights::none();
            r.ELIMINAR = QStringLiteral("S");
            return r;
        });
    }
    QuotationScreen& operator*() { return *screen; }
    QuotationScreen* operator->() { return screen.get(); }

    std::unique_ptr<db::Database> program;
    std::unique_ptr<db::Database> invoicing;
    std::unique_ptr<db::DocumentClaims> claims;
    View view;
    std::unique_ptr<QuotationScreen> screen;
    bool ok = false;
};

// The program of `user` died: on PostgreSQL its connection ends; on SQLite
// its claim names a process that no longer runs.
void kill(TestSite& site, User& user) {
    if (site.postgres()) {
        user.program->disconnect();
        return;
    }
    QProcess finished;
    finished.start(QStringLiteral("true"), {});
    QVERIFY(finished.waitForStarted());
    const qint64 pid = finished.processId();
    QVERIFY(finished.waitForFinished());
    site.exec(site.program(), "UPDATE DOCUMENTOS_EM_USO SET PROCESSO = :P WHERE UTIL = :U",
              {{"P", pid}, {"U", user.claims->session().user}});
}

// `user` lost its claim while it went on running: on PostgreSQL its
// connection was made again (a new session); on SQLite it was not renewed
// for longer than DocumentClaims::kStaleSeconds, from another machine.
void lose(TestSite& site, User& user) {
    if (site.postgres()) {
        QString error;
        user.program->disconnect();
        QVERIFY2(user.program->connect(&error), qPrintable(error));
        return;
    }
    site.exec(site.program(),
              "UPDATE DOCUMENTOS_EM_USO SET MAQUINA = 'OUTRA-MAQUINA', VISTO = :V WHERE UTIL = :U",
              {{"V", QDateTime::currentDateTime().addSecs(-3 * db::DocumentClaims::kStaleSeconds)},
               {"U", user.claims->session().user}});
}

// Every stored row of the quotation, to tell that nothing changed.
QList<QVariantList> stored(TestSite& site, int number) {
    QList<QVariantList> all;
    for (const QString& t : kTables)
        all += selectRows(site.program(), QStringLiteral("SELECT * FROM %1 WHERE ORCNRO = :N").arg(t),
                          {{"N", number}});
    return all;
}

int claimsOf(TestSite& site) {
    return value(site, "SELECT COUNT(*) FROM DOCUMENTOS_EM_USO").toInt();
}

bool enter(QuotationScreen& s, int series, int number) {
    return type(s, "Edit_Serie", QString::number(series)) && type(s, "Edit_OrcNro", QString::number(number));
}

} // namespace

#define TWO_USERS(site)                                                                                      \
    QFETCH(QString, backend);                                                                                \
    SKIP_UNLESS_BACKEND(backend);                                                                            \
    TestSite site(backend);                                                                                  \
    REQUIRE_SITE(site);                                                                                      \
    prepare(site);                                                                                           \
    User ana(site, QStringLiteral("ANA"));                                                                   \
    User rui(site, QStringLiteral("RUI"));                                                                   \
    QVERIFY(ana.ok&& rui.ok)

class TestQuotationClaims : public QObject {
    Q_OBJECT
private slots:
    void secondOpenerLooks_data() { addBackendRows(); }
    // RUI opens the quotation ANA is writing: told who holds it, shown it,
    // every write refused and nothing stored changes; once ANA closed it,
    // RUI may change it.
    void secondOpenerLooks() {
        TWO_USERS(site);
        QVERIFY(quote(*ana, 1, 1, "P", kExample, "20", {"100", "", ""}));
        const QList<QVariantList> before = stored(site, 1001);
        QVERIFY(type(*rui, "Edit_Serie", "1"));
        QCOMPARE(rui->text("Edit_OrcNro"), QStringLiteral("1002"));
        QVERIFY(type(*rui, "Edit_OrcNro", "1001"));
        QVERIFY(rui->readOnly() && rui->hasQuotation());
        const QRegularExpression held(QStringLiteral("^Orçamento em uso por ANA desde \\d\\d:\\d\\d$"));
        QVERIFY2(held.match(rui.view.messages.last()).hasMatch(), qPrintable(rui.view.messages.last()));
        QCOMPARE(rui->text("Edit_Qtd1"), QStringLiteral("100"));
        QCOMPARE(rui->text("Edit_CliNro"), QStringLiteral("1"));
        QVERIFY(!rui->deleteEnabled() && !rui->closeEnabled());
        // Typing changes nothing; closing, deleting and cancelling write nothing.
        QVERIFY(type(*rui, "Edit_CliNro", "4"));
        QVERIFY(type(*rui, "Edit_Qtd1", "500"));
        QVERIFY(type(*rui, "Edit_Qtd3", ""));
        QCOMPARE(rui->text("Edit_Qtd1"), QStringLiteral("100"));
        QVERIFY(!rui->closeQuotation());
        QVERIFY(!rui->remove());
        QVERIFY(held.match(rui.view.messages.last()).hasMatch());
        rui->cancel();
        QCOMPARE(stored(site, 1001), before);
        // ANA still writes it.
        QVERIFY(type(*ana, "Edit_VndPerc", "7"));
        QCOMPARE(value(site, "SELECT VNDPERC FROM ORCAMCOM WHERE ORCNRO = 1001").toDouble(), 7.0);

        // Asked again while ANA holds it: still only looked at.
        QVERIFY(enter(*rui, 1, 1001));
        QVERIFY(rui->readOnly());
        // ANA closes it and gives it up: RUI may change it now.
        ana.view.answers = {false};
        QVERIFY(ana->closeQuotation());
        QCOMPARE(claimsOf(site), 0);
        QVERIFY(type(*rui, "Edit_OrcNro", "1001"));
        QVERIFY(!rui->readOnly());
        QVERIFY(type(*rui, "Edit_Qtd1", "300") && type(*rui, "Edit_Qtd2", "") && type(*rui, "Edit_Qtd3", ""));
        QCOMPARE(value(site, "SELECT QUANT1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 300.0);
        // Now ANA only looks; deleting it gives it up.
        QVERIFY(enter(*ana, 1, 1001));
        QVERIFY(ana->readOnly());
        QVERIFY(rui->remove());
        QCOMPARE(claimsOf(site), 0);
        QCOMPARE(rowsOf(site, 1001), 0);
    }

    void killedMidQuotation_data() { addBackendRows(); }
    // ANA's program dies after the customer and the article were typed: the
    // stored quotation names its customer, RUI takes it over, and another
    // customer typed brings that customer's charges.
    void killedMidQuotation() {
        TWO_USERS(site);
        QVERIFY(enter(*ana, 1, 1001));
        QVERIFY(type(*ana, "Edit_CliNro", "5") && type(*ana, "Edit_TipoFt", "P") &&
                type(*ana, "Edit_ArtNro", kExample));
        QCOMPARE(value(site, "SELECT CLINRO FROM ORCAMMAS WHERE ORCNRO = 1001").toInt(), 5);
        kill(site, ana);

        QVERIFY(enter(*rui, 1, 1001));
        QVERIFY2(!rui->readOnly(), qPrintable(rui.view.messages.join("; ")));
        QCOMPARE(rui->text("Edit_CliNro"), QStringLiteral("5"));
        QVERIFY(type(*rui, "Edit_CliNro", "1"));
        CustomerStore customers(site.invoicing());
        const Satellites one = *customers.satellites(1);
        const Satellites five = *customers.satellites(5);
        QVERIFY(one.com.VNDNRO != five.com.VNDNRO || one.com.AGTNRO != five.com.AGTNRO ||
                one.cndpgt.CNDPGTCODE != five.cndpgt.CNDPGTCODE);
        const QList<QVariantList> com = selectRows(
            site.program(), "SELECT VNDNRO, AGTNRO, VNDPERC, AGTPERC FROM ORCAMCOM WHERE ORCNRO = 1001");
        QCOMPARE(com,
                 (QList<QVariantList>{{one.com.VNDNRO, one.com.AGTNRO, one.com.VND.PERC, one.com.AGT.PERC}}));
        QCOMPARE(value(site, "SELECT CNDPGT FROM ORCAMCNDPGT WHERE ORCNRO = 1001").toInt(),
                 one.cndpgt.CNDPGTCODE);
        QCOMPARE(value(site, "SELECT CLINRO FROM ORCAMMAS WHERE ORCNRO = 1001").toInt(), 1);
        QCOMPARE(rui->quotation().com.VNDNRO, one.com.VNDNRO);
    }

    void cancelAfterLosing_data() { addBackendRows(); }
    // ANA's claim is taken over while she changes a closed quotation; RUI
    // changes and closes it. ANA's next write is refused and her "&Cancelar"
    // restores nothing: the prices stay those of RUI's totals. The same for a
    // new quotation: nothing of RUI's closing is deleted.
    void cancelAfterLosing() {
        TWO_USERS(site);
        ana.view.answers = {false};
        QVERIFY(quote(*ana, 1, 1, "P", kExample, "20", {"100", "", ""}));
        QVERIFY(ana->closeQuotation());
        QVERIFY(enter(*ana, 1, 1001));
        QVERIFY(type(*ana, "Edit_Qtd1", "200") && type(*ana, "Edit_Qtd2", "") && type(*ana, "Edit_Qtd3", ""));
        lose(site, ana);

        QVERIFY(enter(*rui, 1, 1001));
        QVERIFY2(!rui->readOnly(), qPrintable(rui.view.messages.join("; ")));
        QVERIFY(type(*rui, "Edit_Qtd1", "300") && type(*rui, "Edit_Qtd2", "") && type(*rui, "Edit_Qtd3", ""));
        rui.view.answers = {false};
        QVERIFY(rui->closeQuotation());
        const QList<QVariantList> closed = stored(site, 1001);
        QCOMPARE(value(site, "SELECT MATERIAIS1 FROM ORCAMTOT WHERE ORCNRO = 1001").toDouble(), 600.0);

        QVERIFY(!type(*ana, "Edit_VndPerc", "9"));
        QCOMPARE(ana.view.messages.last(), kClaimLostMessage);
        ana->cancel();
        QCOMPARE(ana.view.messages.last(), kClaimLostMessage + " " + kNothingRestored);
        QCOMPARE(stored(site, 1001), closed);
        QCOMPARE(value(site, "SELECT QUANT1 FROM ORCAMMAS WHERE ORCNRO = 1001").toDouble(), 300.0);

        // A new quotation of ANA's closed by RUI after taking it over.
        QVERIFY(quote(*ana, 1, 2, "P", kExample, "20", {"100", "", ""}));
        QCOMPARE(ana->number(), 1002);
        lose(site, ana);
        QVERIFY(enter(*rui, 1, 1002));
        QVERIFY(!rui->readOnly());
        QVERIFY(type(*rui, "Edit_Qtd3", ""));
        QVERIFY(rui->closeQuotation());
        ana->cancel();
        QCOMPARE(ana.view.messages.last(), kClaimLostMessage + " " + kNothingRestored);
        QCOMPARE(rowsOf(site, 1002), 6);
    }

    void leavingTheNumber_data() { addBackendRows(); }
    // Leaving the number again keeps one's new quotation; another number
    // abandons it only after the question, and then leaves nothing of it.
    void leavingTheNumber() {
        TWO_USERS(site);
        QVERIFY(enter(*ana, 1, 1001));
        QVERIFY(type(*ana, "Edit_CliNro", "1"));
        const int beeps = ana.view.beeps;
        QVERIFY(type(*ana, "Edit_OrcNro", "1001"));
        QVERIFY(ana->hasQuotation() && ana->isNew());
        QCOMPARE(ana->number(), 1001);
        QCOMPARE(ana->text("Edit_OrcNro"), QStringLiteral("1001"));
        QCOMPARE(ana->text("Edit_CliNro"), QStringLiteral("1"));
        QCOMPARE(ana.view.beeps, beeps);
        QCOMPARE(value(site, "SELECT COUNT(*) FROM ORCAMMAS").toInt(), 1);

        // The series entered again proposes 1002: No keeps 1001.
        QVERIFY(type(*ana, "Edit_Serie", "1"));
        ana.view.answers = {false};
        QVERIFY(!type(*ana, "Edit_OrcNro", "1002"));
        QCOMPARE(ana.view.questions.last(), kAbandonQuestion);
        QCOMPARE(ana->number(), 1001);
        QCOMPARE(ana->text("Edit_OrcNro"), QStringLiteral("1001"));
        QCOMPARE(rowsOf(site, 1001), 5);
        QCOMPARE(rowsOf(site, 1002), 0);
        // Yes: 1001 goes, 1002 is created and held.
        ana.view.answers = {true};
        QVERIFY(type(*ana, "Edit_OrcNro", "1002"));
        QCOMPARE(rowsOf(site, 1001), 0);
        QCOMPARE(rowsOf(site, 1002), 1);
        QCOMPARE(ana->number(), 1002);
        QVERIFY(enter(*rui, 1, 1002));
        QVERIFY(rui->readOnly());
    }

    void escAndCloseBox_data() { addBackendRows(); }
    // Esc and the close box: nothing open closes at once; a new quotation is
    // abandoned only after Yes; an existing one gets back what it had, asking
    // only when something was written; the quotation is given up.
    void escAndCloseBox() {
        TWO_USERS(site);
        QVERIFY(ana->leaveScreen());
        QVERIFY(ana.view.questions.isEmpty());
        QVERIFY(quote(*ana, 1, 1, "P", kExample, "20", {"100", "", ""}));
        ana.view.answers = {false};
        QVERIFY(!ana->leaveScreen());
        QCOMPARE(ana.view.questions.last(), kAbandonQuestion);
        QVERIFY(ana->hasQuotation());
        QCOMPARE(rowsOf(site, 1001), 5);
        ana.view.answers = {true};
        QVERIFY(ana->leaveScreen());
        QCOMPARE(rowsOf(site, 1001), 0);
        QCOMPARE(claimsOf(site), 0);

        ana.view.answers = {false};
        QVERIFY(quote(*ana, 1, 1, "P", kExample, "20", {"100", "", ""}));
        QVERIFY(ana->closeQuotation());
        const QList<QVariantList> closed = stored(site, 1001);
        // Opened and left untouched: no question.
        QVERIFY(enter(*ana, 1, 1001));
        const int questions = ana.view.questions.size();
        QVERIFY(ana->leaveScreen());
        QCOMPARE(ana.view.questions.size(), questions);
        // Changed: asked, then restored.
        QVERIFY(enter(*ana, 1, 1001));
        QVERIFY(type(*ana, "Edit_Qtd1", "250") && type(*ana, "Edit_Qtd2", "") && type(*ana, "Edit_Qtd3", ""));
        QVERIFY(stored(site, 1001) != closed);
        ana.view.answers = {true};
        QVERIFY(ana->leaveScreen());
        QCOMPARE(ana.view.questions.last(), kAbandonQuestion);
        QCOMPARE(stored(site, 1001), closed);
        QCOMPARE(claimsOf(site), 0);
        // The screen closed while a quotation is open gives it up.
        QVERIFY(enter(*ana, 1, 1001));
        QCOMPARE(claimsOf(site), 1);
        ana->screenClosed();
        QCOMPARE(claimsOf(site), 0);
    }
};

QTEST_GUILESS_MAIN(TestQuotationClaims)
#include "test_quotation_claims.moc"
