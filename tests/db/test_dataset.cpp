#include "db/dataset.h"
#include "db/dataset_model.h"
#include "support/test_site.h"

#include <QSqlQuery>
#include <QtTest>

using namespace corvane;
using db::Dataset;
using db::UpdateAction;
using db::UpdateFailure;
using db::UpdateKind;

namespace {

const db::Table kTable{QStringLiteral("CORES"),
                       {db::integer(QStringLiteral("CODIGO"), true), db::text(QStringLiteral("DESIGNACAO"), 20),
                        db::real(QStringLiteral("PRECO"))},
                       {QStringLiteral("CODIGO")},
                       QStringLiteral("PK_CORES"),
                       {}};

void createTable(TestSite& site, int rows) {
    db::Database& db = site.program();
    site.exec(db, db.dialect().createTable(kTable));
    QString error;
    QVERIFY(db.beginTransaction(&error));
    for (int i = 1; i <= rows; ++i)
        site.exec(db, QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO, PRECO) VALUES (:C, :D, :P)"),
                  {{QStringLiteral("C"), i}, {QStringLiteral("D"), QStringLiteral("Cor %1").arg(i)},
                   {QStringLiteral("P"), i * 1.5}});
    QVERIFY(db.commit(&error));
}

QStringList contents(db::Database& db) {
    QStringList out;
    QSqlQuery q(db.sql());
    q.exec(QStringLiteral("SELECT CODIGO, DESIGNACAO FROM CORES ORDER BY CODIGO"));
    while (q.next())
        out << q.value(0).toString() + QLatin1Char('=') + q.value(1).toString();
    return out;
}

} // namespace

class TestDataset : public QObject {
    Q_OBJECT
private slots:
    void appliesInsertModifyDelete_data() { addBackendRows(); }
    void appliesInsertModifyDelete() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 3);
        Dataset ds(site.program(), QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        QCOMPARE(ds.fields(), (QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO"), QStringLiteral("PRECO")}));
        QCOMPARE(ds.rowCount(), 3);
        QCOMPARE(ds.number(1, QStringLiteral("PRECO")), 3.0);

        // Changing the key: the row is found by its old key.
        ds.setValue(0, QStringLiteral("CODIGO"), 10);
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Azul"));
        QCOMPARE(ds.oldValue(0, QStringLiteral("CODIGO")).toInt(), 1);
        ds.remove(ds.locate(QStringLiteral("CODIGO"), 2));
        const int added = ds.append();
        ds.setValue(added, QStringLiteral("CODIGO"), 2); // the freed key is taken again
        ds.setValue(added, QStringLiteral("DESIGNACAO"), QStringLiteral("Verde"));
        QCOMPARE(ds.pendingCount(), 3);
        QVERIFY2(ds.applyUpdates({}, &error), qPrintable(error));
        QVERIFY(!ds.hasPendingUpdates());
        QCOMPARE(contents(site.program()),
                 (QStringList{QStringLiteral("2=Verde"), QStringLiteral("3=Cor 3"), QStringLiteral("10=Azul")}));

        // Exact lookups: text is case-sensitive, numbers compare by value.
        QCOMPARE(ds.locate(QStringLiteral("DESIGNACAO"), QStringLiteral("azul")), -1);
        QCOMPARE(ds.locate(QStringLiteral("DESIGNACAO"), QStringLiteral("Azul")), 0);
        QCOMPARE(ds.locate(QStringLiteral("CODIGO"), 10.0), 0);

        // Cancel restores the rows as read.
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Preto"));
        ds.remove(1);
        ds.append();
        ds.cancelUpdates();
        QCOMPARE(ds.rowCount(), 3);
        QVERIFY(!ds.hasPendingUpdates());
        QCOMPARE(ds.text(0, QStringLiteral("DESIGNACAO")), QStringLiteral("Azul"));
    }

    void failureAbortsRetriesOrSkips_data() { addBackendRows(); }
    void failureAbortsRetriesOrSkips() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 2);
        Dataset ds(site.program(), QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setReportsErrors(true);
        QString error;
        QVERIFY(ds.open(&error));
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Branco"));
        const int dup = ds.append();
        ds.setValue(dup, QStringLiteral("CODIGO"), 2); // the key exists: the server refuses it
        ds.setValue(dup, QStringLiteral("DESIGNACAO"), QStringLiteral("Repetida"));
        const QStringList before = contents(site.program());

        // Abort: nothing written, every change still in the buffer.
        QList<UpdateFailure> seen;
        QVERIFY(!ds.applyUpdates(
            [&](const UpdateFailure& f) {
                seen << f;
                return UpdateAction::Abort;
            },
            &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].kind, UpdateKind::Inserted);
        QCOMPARE(db::updateKindText(seen[0].kind), QStringLiteral("Inserted"));
        QCOMPARE(seen[0].newValues.value(1).toString(), QStringLiteral("Repetida"));
        QCOMPARE(seen[0].dataset, &ds);
        QCOMPARE(contents(site.program()), before);
        QCOMPARE(ds.pendingCount(), 2);
        QCOMPARE(ds.text(0, QStringLiteral("DESIGNACAO")), QStringLiteral("Branco"));

        // Retry: the handler clears the obstacle, the row goes in.
        int calls = 0;
        QVERIFY2(ds.applyUpdates(
                     [&](const UpdateFailure&) {
                         ++calls;
                         site.exec(site.program(), QStringLiteral("UPDATE CORES SET CODIGO = 20 WHERE CODIGO = 2"));
                         return UpdateAction::Retry;
                     },
                     &error),
                 qPrintable(error));
        QCOMPARE(calls, 1);
        QVERIFY(!ds.hasPendingUpdates());
        QCOMPARE(contents(site.program()), (QStringList{QStringLiteral("1=Branco"), QStringLiteral("2=Repetida"),
                                                         QStringLiteral("20=Cor 2")}));

        // Skip: the other changes are written, the skipped one stays buffered.
        QVERIFY(ds.reopen(&error));
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Cinza"));
        const int again = ds.append();
        ds.setValue(again, QStringLiteral("CODIGO"), 20);
        QVERIFY(ds.applyUpdates([](const UpdateFailure&) { return UpdateAction::Skip; }, &error));
        QCOMPARE(contents(site.program()).first(), QStringLiteral("1=Cinza"));
        QCOMPARE(ds.pendingCount(), 1);

        // Without the handler (errors not reported) a failure aborts at once.
        ds.setReportsErrors(false);
        int asked = 0;
        QVERIFY(!ds.applyUpdates(
            [&](const UpdateFailure&) {
                ++asked;
                return UpdateAction::Skip;
            },
            &error));
        QCOMPARE(asked, 0);
        QCOMPARE(ds.pendingCount(), 1);
    }

    void rowChangedByAnotherUserIsRefused_data() { addBackendRows(); }
    void rowChangedByAnotherUserIsRefused() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 1);
        Dataset ds(site.program(), QStringLiteral("CORES"), QStringLiteral("Select * From CORES"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        QString error;
        QVERIFY(ds.open(&error));
        site.exec(site.program(), QStringLiteral("DELETE FROM CORES"));
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Lilás"));
        QVERIFY(!ds.applyUpdates({}, &error));
        QCOMPARE(error, QStringLiteral("O registo foi alterado ou eliminado por outro utilizador."));
        QCOMPARE(ds.pendingCount(), 1);
    }

    void largeTablesOpenOnePageAtATime_data() { addBackendRows(); }
    void largeTablesOpenOnePageAtATime() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 1000);
        Dataset ds(site.program(), QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setPageSize(100);
        QString error;
        QVERIFY(ds.open(&error));
        QCOMPARE(ds.rowCount(), 100);
        QVERIFY(ds.canFetchMore());

        db::DatasetModel model(ds, {QStringLiteral("CODIGO"), QStringLiteral("DESIGNACAO")},
                               {QStringLiteral("Código"), QStringLiteral("Designação")});
        QCOMPARE(model.rowCount(), 100);
        QVERIFY(model.canFetchMore({}));
        model.fetchMore({});
        QCOMPARE(model.rowCount(), 200);
        QCOMPARE(model.data(model.index(199, 1), Qt::DisplayRole).toString(), QStringLiteral("Cor 200"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Designação"));

        // A lookup reads the rest; a filter leaves rows out as they come.
        QCOMPARE(ds.locate(QStringLiteral("CODIGO"), 1000), 999);
        QVERIFY(!ds.canFetchMore());
        ds.setRowFilter([](const Dataset& d, const QVariantList& v) {
            return v.value(d.fieldIndex(QStringLiteral("CODIGO"))).toInt() % 10 == 0;
        });
        QVERIFY(ds.reopen(&error));
        QVERIFY(ds.fetchAll(&error));
        QCOMPARE(ds.rowCount(), 100);
    }

    void findReadsOnlyAsFarAsTheMatch_data() { addBackendRows(); }
    void findReadsOnlyAsFarAsTheMatch() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 1000);
        Dataset ds(site.program(), QStringLiteral("CORES"),
                   QStringLiteral("Select * From CORES Order By CODIGO"));
        ds.setPageSize(10);
        QString error;
        QVERIFY(ds.open(&error));
        const int code = ds.fieldIndex(QStringLiteral("CODIGO"));
        auto codeIs = [code](int wanted) {
            return [code, wanted](const QVariantList& v) { return v.value(code).toInt() == wanted; };
        };
        QCOMPARE(ds.find(codeIs(7), &error), 6);
        QCOMPARE(ds.rowCount(), 10); // found among the rows read
        QCOMPARE(ds.find(codeIs(45), &error), 44);
        QVERIFY(ds.rowCount() >= 45);
        QVERIFY(ds.rowCount() < 1000);
        QVERIFY(ds.canFetchMore());
        QCOMPARE(ds.find(codeIs(1000), &error), 999);
        QCOMPARE(ds.find(codeIs(1001), &error), -1);
        QCOMPARE(ds.rowCount(), 1000);
        QVERIFY(!ds.canFetchMore());

        // Batches the row filter leaves empty are read past.
        ds.setRowFilter(
            [code](const Dataset&, const QVariantList& v) { return v.value(code).toInt() > 900; });
        QVERIFY(ds.reopen(&error));
        QCOMPARE(ds.rowCount(), 0);
        QCOMPARE(ds.find(codeIs(950), &error), 49);
        QVERIFY(error.isEmpty());
    }

    void reorderedKeepsParametersAndFilter_data() { addBackendRows(); }
    void reorderedKeepsParametersAndFilter() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 30);
        Dataset ds(site.program(), QStringLiteral("CORES"),
                   QStringLiteral("Select * From CORES Where CODIGO <= :WAte Order By CODIGO"));
        ds.setParam(QStringLiteral("WAte"), 25);
        ds.setRowFilter([](const Dataset& d, const QVariantList& v) {
            return v.value(d.fieldIndex(QStringLiteral("CODIGO"))).toInt() % 2 == 1;
        });
        ds.setPageSize(4);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        Dataset byPrice = ds.reordered(QStringLiteral("PRECO DESC"));
        QVERIFY2(byPrice.open(&error), qPrintable(error));
        QCOMPARE(byPrice.rowCount(), 2); // a page of 4 rows, the even codes left out
        QVERIFY(byPrice.fetchAll(&error));
        QStringList codes;
        for (int r = 0; r < byPrice.rowCount(); ++r)
            codes << byPrice.text(r, QStringLiteral("CODIGO"));
        QCOMPARE(codes.join(QLatin1Char(',')), QStringLiteral("25,23,21,19,17,15,13,11,9,7,5,3,1"));
        QCOMPARE(byPrice.fields(), ds.fields());
        QCOMPARE(ds.rowCount(), 2); // the dataset itself is as it was
    }

    void parametersAreBoundByName_data() { addBackendRows(); }
    void parametersAreBoundByName() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 5);
        Dataset ds(site.program(), QStringLiteral("CORES"),
                   QStringLiteral("Select * From CORES Where CODIGO >= :WDesde and DESIGNACAO <> :WNome Order By CODIGO"));
        ds.setParam(QStringLiteral(":WDesde"), 2);
        ds.setParam(QStringLiteral("WNome"), QStringLiteral("Cor 4"));
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        QCOMPARE(ds.rowCount(), 3);
        // Text compares without regard to case in the server, as it always did.
        const auto n = site.program().scalar(QStringLiteral("SELECT COUNT(*) FROM CORES WHERE DESIGNACAO = 'COR 3'"));
        QCOMPARE(n->toInt(), 1);
        // A dataset without an update table cannot write.
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("X"));
        QVERIFY(!ds.applyUpdates({}, &error));
        QVERIFY(error.contains(QStringLiteral("não pode ser actualizado")));
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
