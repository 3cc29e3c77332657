#include "db/document_claim.h"
#include "shell/data_modules.h"
#include "support/recording_view.h"
#include "support/test_site.h"
#include "techsheet/screens/sheet_editing.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/store/sheet_claim.h"
#include "techsheet/store/sheet_store.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

// A demo woven scarf with a header and lines.
const QString kArticle = QStringLiteral("CHCAC01.PRE");

// One user at the sheet of kArticle: a connection of their own, their
// program run's claims (none when not `claimed`) and the sheet screen.
struct SheetUser {
    db::Database& db;
    QString name;
    std::unique_ptr<db::DocumentClaims> claims;
    shell::TDTCORVANE data;
    TechSheetContext ctx;
    RecordingPagedView<SheetView> view;
    SheetScreen screen{ctx, view};
    SheetStore store;
    SheetEditing editing;

    SheetUser(db::Database& connection, const QString& user, bool claimed = true)
        : db(connection), name(user),
          claims(claimed ? std::make_unique<db::DocumentClaims>(
                               connection, db::ClaimSession::current(user, QStringLiteral("POSTO-") + user))
                         : nullptr),
          data(connection), ctx(context(claims.get())), store(connection, claims.get()),
          editing(screen, store, data.TIPOTRABALHO) {}

    static TechSheetContext context(db::DocumentClaims* claims) {
        TechSheetContext c;
        c.ArticleCode = kArticle;
        c.ArticleWidth = 30;
        c.ArticleLength = 180;
        c.Claims = claims;
        return c;
    }
    // The design step "H" of the sheet with its first operation ticked;
    // whether "&Terminar" wrote it.
    bool writeDesignStep(db::Database& factura) {
        ctx.StepCode = QStringLiteral("H");
        ctx.OperationMinutes = 30;
        OperationStep step(ctx, data, factura, name, static_cast<RecordingView&>(view));
        if (!step.open())
            return false;
        step.okLeft(0, true);
        return step.finish();
    }
};

// The sheet of kArticle as stored: header and lines, as text.
QStringList stored(db::Database& db) {
    QStringList out;
    const QVariantMap a{{QStringLiteral("A"), kArticle}};
    for (const QVariantList& r :
         selectRows(db, QStringLiteral("SELECT * FROM FICTECMAS WHERE CODIGO = :A"), a))
        for (const QVariant& v : r)
            out << v.toString();
    for (const QVariantList& r :
         selectRows(db, QStringLiteral("SELECT * FROM FICTECDET WHERE ARTIGO = :A ORDER BY DETAIL"), a))
        for (const QVariant& v : r)
            out << v.toString();
    return out;
}

int count(db::Database& db, const QString& table, const QString& column) {
    return selectRows(db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = :A").arg(table, column),
                      {{QStringLiteral("A"), kArticle}})
        .value(0)
        .value(0)
        .toInt();
}

// The user of the stored claim of a document.
QString holderOf(db::Database& db, const QString& document) {
    return selectRows(db, QStringLiteral("SELECT UTIL FROM DOCUMENTOS_EM_USO WHERE DOCUMENTO = :D"),
                      {{QStringLiteral("D"), document}})
        .value(0)
        .value(0)
        .toString()
        .trimmed();
}

// The pid of a process that ran and is gone.
qint64 finishedPid() {
    QProcess p;
    p.start(QStringLiteral("true"), {});
    if (!p.waitForStarted())
        return 0;
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

} // namespace

class TestSheetClaims : public QObject {
    Q_OBJECT
private slots:
    void secondOpenerLooksOnly_data() { addBackendRows(); }
    // Two users open one sheet: the second is told who holds it and may only
    // look; neither the sheet screen nor a step screen writes for them.
    void secondOpenerLooksOnly() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        std::unique_ptr<db::Database> second = site.connectProgram();
        SheetUser ana(site.program(), QStringLiteral("ANA"));
        SheetUser rui(*second, QStringLiteral("RUI"));
        QVERIFY(ana.editing.open());
        QVERIFY(!ana.screen.lookOnly());
        QVERIFY(ana.view.messages.isEmpty());
        const QStringList before = stored(site.program());
        QVERIFY(!before.isEmpty());

        QVERIFY(rui.editing.open());
        QVERIFY(rui.screen.lookOnly());
        QCOMPARE(rui.view.messages.size(), 1);
        const QString inUse = rui.view.messages.first();
        QVERIFY2(QRegularExpression(QStringLiteral("^Ficha Técnica em uso por ANA desde \\d\\d:\\d\\d$"))
                     .match(inUse)
                     .hasMatch(),
                 qPrintable(inUse));
        // Shown as stored, nothing to type or choose.
        QCOMPARE(rui.screen.kind(), kWovenScarf);
        QCOMPARE(rui.screen.text("Edit_TmpDesenho"), ana.screen.text("Edit_TmpDesenho"));
        QVERIFY(!rui.screen.kindChoiceEnabled());
        for (const SheetInput& in : sheetInputs())
            QVERIFY2(!rui.screen.fieldEnabled(in.rule.input), qPrintable(in.rule.input));
        rui.screen.setText("Edit_TmpDesenho", "99");
        QCOMPARE(rui.screen.text("Edit_TmpDesenho"), ana.screen.text("Edit_TmpDesenho"));
        QVERIFY(rui.editing.leave()); // nothing typed: no question
        QVERIFY(rui.view.questions.isEmpty());

        // Saving, deleting and a step's "&Terminar" are refused by the logic.
        rui.view.messages.clear();
        QVERIFY(!rui.editing.save());
        QVERIFY(!rui.editing.remove());
        QVERIFY(rui.view.questions.isEmpty());
        std::unique_ptr<db::Database> invoicing = site.connectInvoicing();
        QVERIFY(!rui.writeDesignStep(*invoicing));
        QCOMPARE(rui.view.messages, (QStringList{inUse, inUse, inUse}));
        // The store itself refuses a writer that does not hold the sheet.
        QString error;
        QVERIFY(!rui.store.replaceStep(kArticle, QStringLiteral("H"), {}, &error));
        QCOMPARE(error, QStringLiteral("Ficha Técnica em uso por outro utilizador"));
        QCOMPARE(stored(site.program()), before);

        // The holder writes; once it closes, the other may change the sheet.
        QVERIFY(ana.writeDesignStep(site.invoicing()));
        QVERIFY(stored(site.program()) != before);
        ana.editing.close();
        SheetUser again(*second, QStringLiteral("RUI"));
        QVERIFY(again.editing.open());
        QVERIFY(!again.screen.lookOnly());
        QVERIFY(again.view.messages.isEmpty());
    }

    void firstStepWritesHeader_data() { addBackendRows(); }
    // A sheet made anew: the header its first step writes is the screen's
    // own, so the kind cannot be chosen again and "&Eliminar" deletes it.
    void firstStepWritesHeader() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        QVERIFY(SheetStore(site.program()).deleteSheet(kArticle));
        SheetUser ana(site.program(), QStringLiteral("ANA"));
        QVERIFY(ana.editing.open());
        QVERIFY(!ana.screen.hasHeader());
        QVERIFY(ana.screen.chooseKind(kWovenScarf));
        ana.screen.setText(QStringLiteral("Edit_EtqCart_Ca"), QStringLiteral("S"));
        QVERIFY(ana.screen.fieldExit(QStringLiteral("Edit_EtqCart_Ca")));
        QCOMPARE(ana.editing.beforeStep(QStringLiteral("Bot_EtiqCart_CA")), StepScreen::Operations);
        QCOMPARE(count(site.program(), QStringLiteral("FICTECMAS"), QStringLiteral("CODIGO")), 1);
        QVERIFY(ana.screen.hasHeader());
        QVERIFY(!ana.screen.kindChoiceEnabled());
        QVERIFY(!ana.screen.chooseKind(kKnittedScarf));
        QCOMPARE(ana.screen.kind(), kWovenScarf);
        QVERIFY(ana.editing.remove());
        QCOMPARE(count(site.program(), QStringLiteral("FICTECMAS"), QStringLiteral("CODIGO")), 0);
    }

    void deadHolderTakenOver_data() { addBackendRows(); }
    // The holder's program died (PostgreSQL: its connection closed; SQLite:
    // its process is gone): the next user takes the sheet over, and the old
    // holder, if it still ran, writes nothing.
    void deadHolderTakenOver() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        std::unique_ptr<db::Database> first = site.connectProgram();
        auto ana = std::make_unique<SheetUser>(*first, QStringLiteral("ANA"));
        QVERIFY(ana->editing.open());
        QVERIFY(!ana->screen.lookOnly());
        const QString document = sheetDocument(kArticle).toUpper();
        if (site.postgres()) {
            const qint64 backend = first->scalar(QStringLiteral("SELECT pg_backend_pid()"))->toLongLong();
            first->disconnect();
            ana.reset(); // gone without giving anything up
            // The server ends the session a moment after the connection closes.
            QTRY_COMPARE_WITH_TIMEOUT(
                site.program()
                    .scalar(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = :P"),
                            {{"P", backend}})
                    ->toInt(),
                0, 5000);
            QCOMPARE(holderOf(site.program(), document), QStringLiteral("ANA")); // its row stays
        } else {
            const qint64 gone = finishedPid();
            QVERIFY(gone > 0);
            site.exec(site.program(),
                      QStringLiteral("UPDATE DOCUMENTOS_EM_USO SET PROCESSO = :P WHERE DOCUMENTO = :D"),
                      {{"P", gone}, {"D", document}});
        }
        SheetUser rui(site.program(), QStringLiteral("RUI"));
        QVERIFY(rui.editing.open());
        QVERIFY2(!rui.screen.lookOnly(), qPrintable(rui.ctx.LookOnlyReason));
        QCOMPARE(holderOf(site.program(), document), QStringLiteral("RUI"));
        if (ana) {
            // Still running after all: its claim is no longer its own.
            const QStringList before = stored(site.program());
            ana->screen.setText("Edit_TmpDesenho", "77");
            QVERIFY(!ana->editing.save());
            QCOMPARE(ana->view.messages.last(), QStringLiteral("Ficha Técnica em uso por outro utilizador"));
            QCOMPARE(stored(site.program()), before);
        }
    }

    void stepAfterSheetDeleted_data() { addBackendRows(); }
    // Without claims (or before them), one user deletes the sheet while another
    // has it open: the other's step and header are refused, no lines are left
    // without their header, and the other can leave after saying so.
    void stepAfterSheetDeleted() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        std::unique_ptr<db::Database> second = site.connectProgram();
        SheetUser ana(site.program(), QStringLiteral("ANA"), false);
        QVERIFY(ana.editing.open());
        ana.screen.setText("Edit_TmpDesenho", "77");
        QVERIFY(ana.screen.changed());

        QString error;
        QVERIFY2(SheetStore(*second).deleteSheet(kArticle, &error), qPrintable(error));
        QVERIFY(!ana.writeDesignStep(site.invoicing()));
        QCOMPARE(ana.view.messages.last(), kSheetDeletedByOther);
        QCOMPARE(count(site.program(), "FICTECDET", "ARTIGO"), 0);
        QVERIFY(!ana.editing.save());
        QCOMPARE(ana.view.messages.last(), kSheetDeletedByOther);
        QCOMPARE(count(site.program(), "FICTECMAS", "CODIGO"), 0);
        ana.view.answers = {true};
        QVERIFY(!ana.editing.remove());
        QCOMPARE(ana.view.messages.last(), db::kDeletedByOther);

        // Leaving asks before the typed work goes; "no" keeps it.
        ana.view.questions.clear();
        ana.view.answers = {false, false};
        QVERIFY(!ana.editing.leave());
        QVERIFY(!ana.editing.cancel());
        QCOMPARE(ana.view.questions, (QStringList{kAbandonQuestion, kAbandonQuestion}));
        QCOMPARE(ana.screen.text("Edit_TmpDesenho"), QStringLiteral("77"));
        ana.view.answers = {true};
        QVERIFY(ana.editing.cancel());
        QVERIFY(!ana.screen.hasHeader());
        QVERIFY(!ana.screen.changed());
        QVERIFY(ana.editing.leave());
        QCOMPARE(ana.view.questions.size(), 3);
        QCOMPARE(count(site.program(), "FICTECMAS", "CODIGO"), 0);
        QCOMPARE(count(site.program(), "FICTECDET", "ARTIGO"), 0);
    }
};

QTEST_MAIN(TestSheetClaims)
#include "test_sheet_claims.moc"
