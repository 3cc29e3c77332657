// Two users editing one table through two connections: what each writes
// keeps what the other wrote, and a conflict writes nothing.
#include "db/dataset.h"
#include "db/document_claim.h"
#include "support/test_site.h"

#include <QProcess>
#include <QtTest>

using namespace corvane;
using db::Dataset;
using db::UpdateAction;
using db::UpdateFailure;

namespace {

// A price as the real tables keep it (a float and a money column), a
// nullable text and a date-time, so the conditions meet every kind of value
// as each backend reads it back.
const db::Table kTable{QStringLiteral("FIOS"),
                       {db::integer(QStringLiteral("CODIGO"), true), db::text(QStringLiteral("DESIGNACAO"), 20),
                        db::real(QStringLiteral("PRECO")), db::money(QStringLiteral("CUSTO")),
                        db::datetime(QStringLiteral("DTALTER")), db::text(QStringLiteral("NOTA"), 20)},
                       {QStringLiteral("CODIGO")},
                       QStringLiteral("PK_FIOS"),
                       {}};

struct TwoUsers {
    TestSite site;
    std::unique_ptr<db::Database> other;
    explicit TwoUsers(const QString& backend) : site(backend) {
        if (!site.ok())
            return;
        db::Database& db = site.program();
        site.exec(db, db.dialect().createTable(kTable));
        // 0.1 + 0.2 has no short decimal form: it must compare exactly as read.
        for (int i = 1; i <= 3; ++i)
            site.exec(db,
                      QStringLiteral("INSERT INTO FIOS (CODIGO, DESIGNACAO, PRECO, CUSTO, DTALTER, NOTA) "
                                     "VALUES (:C, :D, :P, :K, :T, NULL)"),
                      {{QStringLiteral("C"), i},
                       {QStringLiteral("D"), QStringLiteral("Lã %1").arg(i)},
                       {QStringLiteral("P"), 0.1 + 0.2 * i},
                       {QStringLiteral("K"), 12.3456},
                       {QStringLiteral("T"), QDateTime(QDate(2026, 12, 1), QTime(10, 42, 7, 250))}});
        other = site.connectProgram();
    }
    bool ok() const { return site.ok() && other; }
    Dataset dataset(db::Database& db) {
        Dataset ds(db, QStringLiteral("FIOS"), QStringLiteral("Select * From FIOS Order By CODIGO"),
                   QStringLiteral("FIOS"), {QStringLiteral("CODIGO")});
        ds.open();
        return ds;
    }
    QVariant cell(const QString& column, int code) {
        return site.program()
            .scalar(QStringLiteral("SELECT %1 FROM FIOS WHERE CODIGO = :C").arg(column), {{QStringLiteral("C"), code}})
            .value_or(QVariant());
    }
};

} // namespace

// The start of a test on each backend: the two users `t`.
#define TWO_USERS(t)                                                                                         \
    QFETCH(QString, backend);                                                                                \
    SKIP_UNLESS_BACKEND(backend);                                                                            \
    TwoUsers t(backend);                                                                                     \
    QVERIFY2(t.ok(), qPrintable(t.site.error()))

class TestTwoUsers : public QObject {
    Q_OBJECT
private slots:
    void differentColumnsAreBothKept_data() { addBackendRows(); }
    void differentColumnsAreBothKept() {
        TWO_USERS(t);
        Dataset a = t.dataset(t.site.program());
        Dataset b = t.dataset(*t.other);
        a.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Lã merino"));
        b.setValue(0, QStringLiteral("PRECO"), 9.5);
        b.setValue(0, QStringLiteral("NOTA"), QStringLiteral("nova"));
        QString error;
        QVERIFY2(a.applyUpdates({}, &error), qPrintable(error));
        QVERIFY2(b.applyUpdates({}, &error), qPrintable(error));
        QCOMPARE(t.cell(QStringLiteral("DESIGNACAO"), 1).toString(), QStringLiteral("Lã merino"));
        QCOMPARE(t.cell(QStringLiteral("PRECO"), 1).toDouble(), 9.5);
        QCOMPARE(t.cell(QStringLiteral("NOTA"), 1).toString(), QStringLiteral("nova"));

        // A row visited and left as it was writes nothing at all.
        Dataset c = t.dataset(t.site.program());
        c.setValue(1, QStringLiteral("PRECO"), c.value(1, QStringLiteral("PRECO")));
        t.site.exec(*t.other, QStringLiteral("UPDATE FIOS SET PRECO = 4 WHERE CODIGO = 2"));
        QVERIFY2(c.applyUpdates({}, &error), qPrintable(error));
        QCOMPARE(t.cell(QStringLiteral("PRECO"), 2).toDouble(), 4.0);
    }

    void sameColumnIsRefusedWithWhatIsStored_data() { addBackendRows(); }
    void sameColumnIsRefusedWithWhatIsStored() {
        TWO_USERS(t);
        Dataset a = t.dataset(t.site.program());
        Dataset b = t.dataset(*t.other);
        a.setValue(1, QStringLiteral("PRECO"), 7.25);
        b.setValue(1, QStringLiteral("PRECO"), 8.0);
        b.setValue(1, QStringLiteral("DESIGNACAO"), QStringLiteral("Algodão"));
        b.setReportsErrors(true);
        QString error;
        QVERIFY2(a.applyUpdates({}, &error), qPrintable(error));

        QList<UpdateFailure> seen;
        QVERIFY(!b.applyUpdates(
            [&](const UpdateFailure& f) {
                seen << f;
                return UpdateAction::Abort;
            },
            &error));
        QCOMPARE(error, db::kChangedByOther);
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen[0].conflict);
        const int price = static_cast<int>(seen[0].fields.indexOf(QStringLiteral("PRECO")));
        QCOMPARE(seen[0].storedValues.value(price).toDouble(), 7.25);
        QCOMPARE(seen[0].newValues.value(price).toDouble(), 8.0);
        // Nothing of B's went in, and B keeps its entries.
        QCOMPARE(t.cell(QStringLiteral("PRECO"), 2).toDouble(), 7.25);
        QCOMPARE(t.cell(QStringLiteral("DESIGNACAO"), 2).toString(), QStringLiteral("Lã 2"));
        QCOMPARE(b.text(1, QStringLiteral("DESIGNACAO")), QStringLiteral("Algodão"));

        // Having seen the stored row, B applies again over it.
        QVERIFY2(b.applyUpdates([](const UpdateFailure&) { return UpdateAction::Retry; }, &error),
                 qPrintable(error));
        QCOMPARE(t.cell(QStringLiteral("PRECO"), 2).toDouble(), 8.0);
        QCOMPARE(t.cell(QStringLiteral("DESIGNACAO"), 2).toString(), QStringLiteral("Algodão"));
    }

    void changeAndDeletionRefuseEachOther_data() { addBackendRows(); }
    void changeAndDeletionRefuseEachOther() {
        TWO_USERS(t);
        Dataset a = t.dataset(t.site.program());
        Dataset b = t.dataset(*t.other);
        QString error;
        // A deletes row 1; B's change of it is refused as a deletion.
        a.remove(0);
        QVERIFY2(a.applyUpdates({}, &error), qPrintable(error));
        b.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Seda"));
        QVERIFY(!b.applyUpdates({}, &error));
        QCOMPARE(error, db::kDeletedByOther);
        QCOMPARE(t.cell(QStringLiteral("COUNT(*)"), 1).toInt(), 0);
        b.cancelUpdates();

        // A changes the note of row 2 (null before); B's deletion of the row
        // as it read it is refused, and the row stays.
        a.setValue(0, QStringLiteral("NOTA"), QStringLiteral("ver"));
        QVERIFY2(a.applyUpdates({}, &error), qPrintable(error));
        b.remove(1);
        QVERIFY(!b.applyUpdates({}, &error));
        QCOMPARE(error, db::kChangedByOther);
        QCOMPARE(t.cell(QStringLiteral("NOTA"), 2).toString(), QStringLiteral("ver"));

        // A deletion of a row nobody touched goes, whatever its reals, money,
        // date-time and nulls read back as.
        b.cancelUpdates();
        b.remove(b.locate(QStringLiteral("CODIGO"), 3));
        QVERIFY2(b.applyUpdates({}, &error), qPrintable(error));
        QCOMPARE(t.cell(QStringLiteral("COUNT(*)"), 3).toInt(), 0);
    }

    void rowReadAgainWhenEditingStarts_data() { addBackendRows(); }
    void rowReadAgainWhenEditingStarts() {
        TWO_USERS(t);
        Dataset a = t.dataset(t.site.program());
        t.site.exec(*t.other, QStringLiteral("UPDATE FIOS SET PRECO = 5.5, NOTA = 'outro' WHERE CODIGO = 1"));
        t.site.exec(*t.other, QStringLiteral("DELETE FROM FIOS WHERE CODIGO = 3"));
        a.setValue(0, QStringLiteral("NOTA"), QStringLiteral("meu"));
        QString error;
        QCOMPARE(a.refreshRow(0, &error), Dataset::RowRead::Current);
        QCOMPARE(a.number(0, QStringLiteral("PRECO")), 5.5);
        QCOMPARE(a.text(0, QStringLiteral("NOTA")), QStringLiteral("meu"));
        QVERIFY2(a.applyUpdates({}, &error), qPrintable(error));
        QCOMPARE(t.cell(QStringLiteral("NOTA"), 1).toString(), QStringLiteral("meu"));
        QCOMPARE(t.cell(QStringLiteral("PRECO"), 1).toDouble(), 5.5);

        QCOMPARE(a.refreshRow(2, &error), Dataset::RowRead::Gone);
        QCOMPARE(error, db::kDeletedByOther);
        QCOMPARE(a.rowCount(), 2);
    }

    void writesOutsideTheRightsAreRefused_data() { addBackendRows(); }
    void writesOutsideTheRightsAreRefused() {
        TWO_USERS(t);
        Dataset a = t.dataset(t.site.program());
        a.setWriteRights({true, false, false});
        QString error;
        a.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("FiosX"));
        QVERIFY(!a.applyUpdates({}, &error));
        QCOMPARE(error, db::notAllowedText(db::UpdateKind::Modified));
        a.cancelUpdates();
        a.remove(0);
        QVERIFY(!a.applyUpdates({}, &error));
        QCOMPARE(error, db::notAllowedText(db::UpdateKind::Deleted));
        a.cancelUpdates();
        // An insertion is allowed, with a change beside it refused: all or nothing.
        const int row = a.append();
        a.setValue(row, QStringLiteral("CODIGO"), 9);
        QVERIFY2(a.applyUpdates({}, &error), qPrintable(error));
        a.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("FiosX"));
        const int another = a.append();
        a.setValue(another, QStringLiteral("CODIGO"), 10);
        QVERIFY(!a.applyUpdates({}, &error));
        QCOMPARE(t.cell(QStringLiteral("DESIGNACAO"), 1).toString(), QStringLiteral("Lã 1"));
        QCOMPARE(t.cell(QStringLiteral("COUNT(*)"), 10).toInt(), 0);
        QCOMPARE(t.cell(QStringLiteral("COUNT(*)"), 9).toInt(), 1);
    }

    void documentHeldByOneProgram_data() { addBackendRows(); }
    void documentHeldByOneProgram() {
        TWO_USERS(t);
        auto first = std::make_unique<db::DocumentClaims>(
            *t.other, db::ClaimSession::current(QStringLiteral("ANA"), QStringLiteral("POSTO-2")));
        db::DocumentClaims second(t.site.program(),
                                  db::ClaimSession::current(QStringLiteral("DEMO"), QStringLiteral("POSTO-1")));
        QString error;
        QCOMPARE(first->claim(QStringLiteral("orcamento:1:1008"), nullptr, &error), db::DocumentClaims::Outcome::Held);
        db::ClaimHolder holder;
        QCOMPARE(second.claim(QStringLiteral("ORCAMENTO:1:1008"), &holder, &error),
                 db::DocumentClaims::Outcome::HeldByOther);
        QCOMPARE(holder.user, QStringLiteral("ANA"));
        QCOMPARE(db::DocumentClaims::inUseText(QStringLiteral("Orçamento"), holder, holder.since),
                 QStringLiteral("Orçamento em uso por ANA desde %1").arg(holder.since.toString(QStringLiteral("HH:mm"))));
        // Another document is free; a released one can be taken.
        QCOMPARE(second.claim(QStringLiteral("ORCAMENTO:1:1009"), nullptr, &error), db::DocumentClaims::Outcome::Held);
        QVERIFY(second.holds(QStringLiteral("ORCAMENTO:1:1009")));
        first->release(QStringLiteral("ORCAMENTO:1:1008"));
        QCOMPARE(second.claim(QStringLiteral("ORCAMENTO:1:1008"), nullptr, &error), db::DocumentClaims::Outcome::Held);
        QCOMPARE(first->claim(QStringLiteral("ORCAMENTO:1:1008"), &holder, &error),
                 db::DocumentClaims::Outcome::HeldByOther);
        QCOMPARE(holder.user, QStringLiteral("DEMO"));
    }

    void deadHoldersClaimIsTakenOver_data() { addBackendRows(); }
    void deadHoldersClaimIsTakenOver() {
        TWO_USERS(t);
        db::DocumentClaims alive(t.site.program(),
                                 db::ClaimSession::current(QStringLiteral("DEMO"), QStringLiteral("POSTO-1")));
        QString error;
        if (t.site.postgres()) {
            // The holder's connection ends as a killed program's would: the
            // server lets its lock go, and the row is taken over.
            db::ClaimSession gone = db::ClaimSession::current(QStringLiteral("ANA"), QStringLiteral("POSTO-2"));
            {
                db::DocumentClaims dying(*t.other, gone);
                QCOMPARE(dying.claim(QStringLiteral("FICHA:P:ECHVI01")), db::DocumentClaims::Outcome::Held);
                QCOMPARE(alive.claim(QStringLiteral("FICHA:P:ECHVI01")), db::DocumentClaims::Outcome::HeldByOther);
                t.other->disconnect(); // no release: the connection simply goes
            }
        } else {
            // A process of this machine that no longer runs.
            QProcess finished;
            finished.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
            QVERIFY(finished.waitForStarted());
            db::ClaimSession gone = db::ClaimSession::current(QStringLiteral("ANA"), QStringLiteral("POSTO-2"));
            gone.pid = finished.processId();
            QVERIFY(finished.waitForFinished());
            {
                db::DocumentClaims dying(*t.other, gone);
                QCOMPARE(dying.claim(QStringLiteral("FICHA:P:ECHVI01")), db::DocumentClaims::Outcome::Held);
                t.other->disconnect();
            }
            // Another machine's claim holds while it is renewed, not after.
            QVERIFY(t.site.program().exec(
                QStringLiteral("INSERT INTO DOCUMENTOS_EM_USO (DOCUMENTO, UTIL, SESSAO, MAQUINA, PROCESSO, DESDE, "
                               "VISTO) VALUES ('FICHA:P:Y', 'RUI', 'y', 'OUTRA-MAQUINA', 1, :T, :T)"),
                {{QStringLiteral("T"), QDateTime::currentDateTime()}}));
            QCOMPARE(alive.claim(QStringLiteral("FICHA:P:Y")), db::DocumentClaims::Outcome::HeldByOther);
            alive.setClock([] { return QDateTime::currentDateTime().addSecs(db::DocumentClaims::kStaleSeconds + 5); });
            QCOMPARE(alive.claim(QStringLiteral("FICHA:P:Y")), db::DocumentClaims::Outcome::Held);
            alive.setClock({});
        }
        // The server may take a moment to end the other connection.
        QVERIFY(QTest::qWaitFor(
            [&] { return alive.claim(QStringLiteral("FICHA:P:ECHVI01"), nullptr, &error) ==
                         db::DocumentClaims::Outcome::Held; },
            5000));
        QVERIFY(alive.holds(QStringLiteral("FICHA:P:ECHVI01")));
        QCOMPARE(t.site.program()
                     .scalar(QStringLiteral("SELECT UTIL FROM DOCUMENTOS_EM_USO WHERE DOCUMENTO = 'FICHA:P:ECHVI01'"))
                     .value_or(QVariant())
                     .toString(),
                 QStringLiteral("DEMO"));
    }
};

QTEST_GUILESS_MAIN(TestTwoUsers)
#include "test_two_users.moc"
