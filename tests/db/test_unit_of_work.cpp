#include "db/unit_of_work.h"
#include "support/test_site.h"

#include <QSqlQuery>
#include <QtTest>

#include <memory>

using namespace corvane;
using db::Dataset;
using db::UnitOfWork;
using db::UpdateAction;
using db::UpdateFailure;
using db::UpdateKind;

namespace {

// Colours and sizes: two tables with a code and a designation of 20 characters.
void createTables(TestSite& site) {
    db::Database& db = site.program();
    for (const QString& name : {QStringLiteral("CORES"), QStringLiteral("TAMANHOS")}) {
        const db::Table table{name,
                              {db::integer(QStringLiteral("CODIGO"), true),
                               db::text(QStringLiteral("DESIGNACAO"), 20), db::real(QStringLiteral("PRECO"))},
                              {QStringLiteral("CODIGO")},
                              QStringLiteral("PK_") + name,
                              {}};
        site.exec(db, db.dialect().createTable(table));
        for (int i = 1; i <= 2; ++i)
            site.exec(
                db,
                QStringLiteral("INSERT INTO %1 (CODIGO, DESIGNACAO, PRECO) VALUES (:C, :D, :P)").arg(name),
                {{QStringLiteral("C"), i},
                 {QStringLiteral("D"), QStringLiteral("%1 %2").arg(name).arg(i)},
                 {QStringLiteral("P"), i * 1.5}});
    }
}

// "CODIGO=DESIGNACAO" of every row, by code.
QStringList contents(db::Database& db, const QString& table) {
    QStringList out;
    QSqlQuery q(db.sql());
    q.exec(QStringLiteral("SELECT CODIGO, DESIGNACAO FROM %1 ORDER BY CODIGO").arg(table));
    while (q.next())
        out << q.value(0).toString() + QLatin1Char('=') + q.value(1).toString();
    return out;
}

struct Tables {
    Dataset cores;
    Dataset tamanhos;
    explicit Tables(db::Database& db)
        : cores(db, QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                QStringLiteral("CORES"), {QStringLiteral("CODIGO")}),
          tamanhos(db, QStringLiteral("TAMANHOS"), QStringLiteral("Select * From TAMANHOS Order By CODIGO"),
                   QStringLiteral("TAMANHOS"), {QStringLiteral("CODIGO")}) {
        cores.setReportsErrors(true);
        tamanhos.setReportsErrors(true);
    }
    bool open(QString* error) { return cores.open(error) && tamanhos.open(error); }
    // A new row with the code and designation; returns its index.
    static int append(Dataset& ds, int code, const QString& name) {
        const int row = ds.append();
        ds.setValue(row, QStringLiteral("CODIGO"), code);
        ds.setValue(row, QStringLiteral("DESIGNACAO"), name);
        return row;
    }
};

// A test site with the two tables, read into their datasets.
struct Fixture {
    TestSite site;
    std::unique_ptr<Tables> tables;
    explicit Fixture(const QString& backend) : site(backend) {}
    bool ready(QString* error) {
        if (!site.ok()) {
            *error = QStringLiteral("test site: ") + site.error();
            return false;
        }
        createTables(site);
        tables = std::make_unique<Tables>(site.program());
        return tables->open(error);
    }
};

const QString kMoreExpensive = QStringLiteral("UPDATE CORES SET PRECO = PRECO * 2 WHERE CODIGO = :C");
const QString kDeleteSize = QStringLiteral("DELETE FROM TAMANHOS WHERE CODIGO = :C");

} // namespace

class TestUnitOfWork : public QObject {
    Q_OBJECT
private slots:
    void writesEverythingInOrder_data() { addBackendRows(); }
    void writesEverythingInOrder() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QString error;
        QVERIFY2(f.ready(&error), qPrintable(error));
        db::Database& db = f.site.program();
        Tables& t = *f.tables;
        t.cores.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Azul"));
        const int added = Tables::append(t.cores, 3, QStringLiteral("Verde"));
        t.cores.setValue(added, QStringLiteral("PRECO"), 1.5);
        Tables::append(t.tamanhos, 1, QStringLiteral("XL")); // the key the statement frees

        // The price doubles only if the new colour is there first; the new
        // size goes in only once the old one is gone.
        UnitOfWork work(db);
        work.add(t.cores);
        work.addStatement(kMoreExpensive, {{QStringLiteral("C"), 3}});
        work.addStatement(kDeleteSize, {{QStringLiteral("C"), 1}});
        work.add(t.tamanhos);
        work.add(t.cores); // already there: written once, in its first place
        int asked = 0;
        QVERIFY2(work.apply(
                     [&](const UpdateFailure&) {
                         ++asked;
                         return UpdateAction::Abort;
                     },
                     &error),
                 qPrintable(error));
        QCOMPARE(asked, 0);
        QVERIFY(!db.inTransaction());
        QCOMPARE(
            contents(db, QStringLiteral("CORES")),
            (QStringList{QStringLiteral("1=Azul"), QStringLiteral("2=CORES 2"), QStringLiteral("3=Verde")}));
        QCOMPARE(db.scalar(QStringLiteral("SELECT PRECO FROM CORES WHERE CODIGO = 3"))->toDouble(), 3.0);
        QCOMPARE(contents(db, QStringLiteral("TAMANHOS")),
                 (QStringList{QStringLiteral("1=XL"), QStringLiteral("2=TAMANHOS 2")}));
        QVERIFY(!t.cores.hasPendingUpdates());
        QVERIFY(!t.tamanhos.hasPendingUpdates());
        QCOMPARE(t.cores.oldValue(0, QStringLiteral("DESIGNACAO")).toString(), QStringLiteral("Azul"));

        // Once written the unit is empty: applying again repeats nothing.
        QVERIFY(work.isEmpty());
        QVERIFY(work.apply({}, &error));
        QCOMPARE(db.scalar(QStringLiteral("SELECT PRECO FROM CORES WHERE CODIGO = 3"))->toDouble(), 3.0);
        QCOMPARE(contents(db, QStringLiteral("TAMANHOS")).first(), QStringLiteral("1=XL"));
    }

    void failureInALaterDatasetUndoesEverything_data() { addBackendRows(); }
    void failureInALaterDatasetUndoesEverything() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QString error;
        QVERIFY2(f.ready(&error), qPrintable(error));
        db::Database& db = f.site.program();
        Tables& t = *f.tables;
        t.cores.setValue(1, QStringLiteral("DESIGNACAO"), QStringLiteral("Branco"));
        Tables::append(t.cores, 3, QStringLiteral("Preto"));
        t.tamanhos.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("S"));
        const int dup = Tables::append(t.tamanhos, 2, QStringLiteral("M")); // the key exists
        const QStringList cores = contents(db, QStringLiteral("CORES"));
        const QStringList tamanhos = contents(db, QStringLiteral("TAMANHOS"));

        UnitOfWork work(db);
        work.add(t.cores);
        work.addStatement(kMoreExpensive, {{QStringLiteral("C"), 1}});
        work.add(t.tamanhos);
        QList<UpdateFailure> seen;
        QVERIFY(!work.apply(
            [&](const UpdateFailure& f) {
                seen << f;
                return UpdateAction::Abort;
            },
            &error));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].dataset, &t.tamanhos);
        QCOMPARE(seen[0].kind, UpdateKind::Inserted);
        QVERIFY(!error.isEmpty());
        QCOMPARE(error, seen[0].error);
        QVERIFY(!db.inTransaction());
        // The first dataset's rows and the statement were undone...
        QCOMPARE(contents(db, QStringLiteral("CORES")), cores);
        QCOMPARE(contents(db, QStringLiteral("TAMANHOS")), tamanhos);
        QCOMPARE(db.scalar(QStringLiteral("SELECT PRECO FROM CORES WHERE CODIGO = 1"))->toDouble(), 1.5);
        // ...and both buffers still hold every change.
        QCOMPARE(t.cores.pendingCount(), 2);
        QCOMPARE(t.tamanhos.pendingCount(), 2);
        QCOMPARE(t.cores.text(1, QStringLiteral("DESIGNACAO")), QStringLiteral("Branco"));
        QCOMPARE(t.cores.oldValue(1, QStringLiteral("DESIGNACAO")).toString(), QStringLiteral("CORES 2"));
        QVERIFY(!work.isEmpty());

        // Corrected, the same unit goes in whole.
        t.tamanhos.setValue(dup, QStringLiteral("CODIGO"), 3);
        QVERIFY2(work.apply({}, &error), qPrintable(error));
        QCOMPARE(contents(db, QStringLiteral("CORES")),
                 (QStringList{QStringLiteral("1=CORES 1"), QStringLiteral("2=Branco"),
                              QStringLiteral("3=Preto")}));
        QCOMPARE(contents(db, QStringLiteral("TAMANHOS")),
                 (QStringList{QStringLiteral("1=S"), QStringLiteral("2=TAMANHOS 2"), QStringLiteral("3=M")}));
        QCOMPARE(db.scalar(QStringLiteral("SELECT PRECO FROM CORES WHERE CODIGO = 1"))->toDouble(), 3.0);
        QVERIFY(!t.cores.hasPendingUpdates());
        QVERIFY(!t.tamanhos.hasPendingUpdates());
    }

    void textTooLongUndoesEverything_data() { addBackendRows(); }
    void textTooLongUndoesEverything() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        if (backend != QLatin1String("postgres"))
            QSKIP("SQLite keeps a text of any length");
        // PostgreSQL checks the length of a text column.
        Fixture f(backend);
        QString error;
        QVERIFY2(f.ready(&error), qPrintable(error));
        db::Database& db = f.site.program();
        Tables& t = *f.tables;
        t.tamanhos.setReportsErrors(false); // the failure aborts at once
        Tables::append(t.cores, 3, QStringLiteral("Verde"));
        t.tamanhos.setValue(1, QStringLiteral("DESIGNACAO"), QString(21, QLatin1Char('X')));
        UnitOfWork work(db);
        work.add(t.cores);
        work.add(t.tamanhos);
        int asked = 0;
        QVERIFY(!work.apply(
            [&](const UpdateFailure&) {
                ++asked;
                return UpdateAction::Skip;
            },
            &error));
        QCOMPARE(asked, 0);
        QVERIFY2(error.contains(QStringLiteral("designacao"), Qt::CaseInsensitive), qPrintable(error));
        QCOMPARE(contents(db, QStringLiteral("CORES")).size(), 2);
        QCOMPARE(t.cores.pendingCount(), 1);
        QCOMPARE(t.tamanhos.pendingCount(), 1);
    }

    void skippedRowsStayPending_data() { addBackendRows(); }
    void skippedRowsStayPending() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QString error;
        QVERIFY2(f.ready(&error), qPrintable(error));
        db::Database& db = f.site.program();
        Tables& t = *f.tables;
        const int dup = Tables::append(t.cores, 1, QStringLiteral("Repetida"));
        t.cores.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Cinza"));
        Tables::append(t.tamanhos, 3, QStringLiteral("L"));
        UnitOfWork work(db);
        work.add(t.cores);
        work.addStatement(kMoreExpensive, {{QStringLiteral("C"), 2}});
        work.add(t.tamanhos);
        int asked = 0;
        QVERIFY2(work.apply(
                     [&](const UpdateFailure& f) {
                         ++asked;
                         return f.dataset == &t.cores ? UpdateAction::Skip : UpdateAction::Abort;
                     },
                     &error),
                 qPrintable(error));
        QCOMPARE(asked, 1);
        QCOMPARE(contents(db, QStringLiteral("CORES")),
                 (QStringList{QStringLiteral("1=Cinza"), QStringLiteral("2=CORES 2")}));
        QCOMPARE(db.scalar(QStringLiteral("SELECT PRECO FROM CORES WHERE CODIGO = 2"))->toDouble(), 6.0);
        QCOMPARE(contents(db, QStringLiteral("TAMANHOS")).last(), QStringLiteral("3=L"));
        // Only the skipped row is left in the buffer.
        QCOMPARE(t.cores.pendingCount(), 1);
        QVERIFY(t.cores.rowChanged(dup));
        QVERIFY(!t.cores.rowChanged(0));
        QVERIFY(!t.tamanhos.hasPendingUpdates());
    }

    void failedStatementUndoesEverything_data() { addBackendRows(); }
    void failedStatementUndoesEverything() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QString error;
        QVERIFY2(f.ready(&error), qPrintable(error));
        db::Database& db = f.site.program();
        Tables& t = *f.tables;
        t.cores.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Amarelo"));
        Tables::append(t.tamanhos, 3, QStringLiteral("L"));
        const QStringList cores = contents(db, QStringLiteral("CORES"));
        const QStringList tamanhos = contents(db, QStringLiteral("TAMANHOS"));

        UnitOfWork work(db);
        work.add(t.cores);
        work.addStatement(kDeleteSize, {{QStringLiteral("C"), 2}});
        // The key exists: the server refuses the row, and no dialog is asked.
        work.addStatement(QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (:C, :D)"),
                          {{QStringLiteral("C"), 2}, {QStringLiteral("D"), QStringLiteral("Outra")}});
        work.add(t.tamanhos);
        int asked = 0;
        QVERIFY(!work.apply(
            [&](const UpdateFailure&) {
                ++asked;
                return UpdateAction::Skip;
            },
            &error));
        QCOMPARE(asked, 0);
        QVERIFY(!error.isEmpty());
        QVERIFY(!db.inTransaction());
        QCOMPARE(contents(db, QStringLiteral("CORES")), cores);
        QCOMPARE(contents(db, QStringLiteral("TAMANHOS")), tamanhos);
        QCOMPARE(t.cores.pendingCount(), 1);
        QCOMPARE(t.tamanhos.pendingCount(), 1);

        // The connection is still good for the next write.
        QVERIFY2(t.cores.applyUpdates({}, &error), qPrintable(error));
        QCOMPARE(contents(db, QStringLiteral("CORES")).first(), QStringLiteral("1=Amarelo"));
    }

    void datasetOfAnotherDatabaseIsRefused_data() { addBackendRows(); }
    void datasetOfAnotherDatabaseIsRefused() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        Fixture f(backend);
        QString error;
        QVERIFY2(f.ready(&error), qPrintable(error));
        db::Database& db = f.site.program();
        Tables& t = *f.tables;
        Tables::append(t.cores, 3, QStringLiteral("Verde"));
        Dataset armazens(f.site.invoicing(), QStringLiteral("STKARMAZEM"),
                         QStringLiteral("Select * From STKARMAZEM"), QStringLiteral("STKARMAZEM"),
                         {QStringLiteral("CODIGO")});
        QVERIFY2(armazens.open(&error), qPrintable(error));
        UnitOfWork work(db);
        work.add(t.cores);
        work.add(armazens);
        QVERIFY(!work.apply({}, &error));
        QVERIFY2(error.contains(QStringLiteral("STKARMAZEM")), qPrintable(error));
        QCOMPARE(contents(db, QStringLiteral("CORES")).size(), 2);
        QCOMPARE(t.cores.pendingCount(), 1);

        // Outside a transaction a dataset does not write on its own.
        QVERIFY(!t.cores.writePending({}, &error));
        QCOMPARE(contents(db, QStringLiteral("CORES")).size(), 2);
        QCOMPARE(t.cores.pendingCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestUnitOfWork)
#include "test_unit_of_work.moc"
