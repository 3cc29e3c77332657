#include "db/dataset.h"
#include "db/dataset_model.h"
#include "support/test_site.h"

#include <QSqlQuery>
#include <QSignalSpy>
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

QList<int> codes(const Dataset& ds) {
    QList<int> out;
    for (int r = 0; r < ds.rowCount(); ++r)
        out << ds.integer(r, QStringLiteral("CODIGO"));
    return out;
}

QList<int> selectCodes(db::Database& db, const QString& sql) {
    QList<int> out;
    QSqlQuery q(db.sql());
    if (!q.exec(sql))
        qFatal("%s", qPrintable(sql));
    while (q.next())
        out << q.value(0).toInt();
    return out;
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
        QCOMPARE(error, db::kDeletedByOther);
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

    void pagesContinueAfterTheLastKeyRead_data() { addBackendRows(); }
    void pagesContinueAfterTheLastKeyRead() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 1000);
        auto other = site.connectProgram();
        Dataset ds(site.program(), QStringLiteral("CORES"),
                   QStringLiteral("Select * From CORES Order By CODIGO"), QStringLiteral("CORES"),
                   {QStringLiteral("CODIGO")});
        ds.setPageSize(100);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        QVERIFY(ds.readsByKey());
        QCOMPARE(ds.rowCount(), 100);

        // Another user, between two pages: ten rows already read go, two come
        // before them.
        site.exec(*other, QStringLiteral("DELETE FROM CORES WHERE CODIGO BETWEEN 5 AND 14"));
        site.exec(*other,
                  QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (-1, 'Nova'), (0, 'Nova')"));
        QVERIFY2(ds.fetchMore(&error), qPrintable(error));
        QCOMPARE(ds.rowCount(), 200);
        QCOMPARE(ds.integer(100, QStringLiteral("CODIGO")), 101);
        // Then one read row and one further on go, and one comes at the end.
        site.exec(*other, QStringLiteral("DELETE FROM CORES WHERE CODIGO IN (150, 700)"));
        site.exec(*other, QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (1500, 'Nova')"));
        QVERIFY2(ds.fetchAll(&error), qPrintable(error));

        QList<int> expected;
        for (int c = 1; c <= 1000; ++c)
            if (c != 700)
                expected << c;
        expected << 1500;
        QCOMPARE(codes(ds), expected);
    }

    // A select without ORDER BY is paged in the order of its key; an order
    // column with ties and nulls is paged as one statement would order it,
    // ascending and descending, whatever others change between the pages.
    void orderWithTiesAndNullsPagesAsOneStatement_data() { addBackendRows(); }
    void orderWithTiesAndNullsPagesAsOneStatement() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 0);
        db::Database& db = site.program();
        for (int i = 1; i <= 60; ++i)
            site.exec(db, QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (:C, :D)"),
                      {{QStringLiteral("C"), i},
                       {QStringLiteral("D"),
                        i % 7 == 0 ? QVariant() : QVariant(QStringLiteral("Grupo %1").arg(i % 5))}});
        auto other = site.connectProgram();
        const QStringList orders = {QString(), QStringLiteral(" Order By DESIGNACAO"),
                                    QStringLiteral(" Order By DESIGNACAO DESC")};
        int next = 100;
        for (const QString& order : orders) {
            const QString keyed =
                order.isEmpty() ? QStringLiteral(" ORDER BY CODIGO") : order + QStringLiteral(", CODIGO");
            const QList<int> before = selectCodes(db, QStringLiteral("SELECT CODIGO FROM CORES") + keyed);
            Dataset ds(db, QStringLiteral("CORES"), QStringLiteral("Select * From CORES") + order,
                       QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
            ds.setPageSize(7);
            QString error;
            QVERIFY2(ds.open(&error), qPrintable(error));
            while (ds.canFetchMore())
                QVERIFY2(ds.fetchMore(&error), qPrintable(error));
            QCOMPARE(codes(ds), before);

            // Again, with rows of every kind going and coming between pages.
            QVERIFY(ds.reopen(&error));
            QList<int> gone;
            while (ds.canFetchMore()) {
                const int read = codes(ds).last();
                gone << read << before.value(before.indexOf(read) + 3);
                site.exec(
                    *other, QStringLiteral("DELETE FROM CORES WHERE CODIGO IN (:A, :B)"),
                    {{QStringLiteral("A"), gone.at(gone.size() - 2)}, {QStringLiteral("B"), gone.last()}});
                site.exec(*other,
                          QStringLiteral(
                              "INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (:C, NULL), (:D, 'grupo 2')"),
                          {{QStringLiteral("C"), next++}, {QStringLiteral("D"), next++}});
                QVERIFY2(ds.fetchMore(&error), qPrintable(error));
            }
            const QList<int> got = codes(ds);
            // Nothing twice; every row there all along, in the server's order.
            QCOMPARE(QSet<int>(got.begin(), got.end()).size(), got.size());
            for (int c : before)
                QVERIFY2(got.contains(c) || gone.contains(c), qPrintable(QString::number(c)));
            const QList<int> now = selectCodes(db, QStringLiteral("SELECT CODIGO FROM CORES") + keyed);
            QList<int> gotStill, nowRead;
            for (int c : got)
                if (now.contains(c))
                    gotStill << c;
            for (int c : now)
                if (got.contains(c))
                    nowRead << c;
            QCOMPARE(gotStill, nowRead);
        }
    }

    void readErrorOnALaterPageIsReported_data() { addBackendRows(); }
    void readErrorOnALaterPageIsReported() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 300);
        db::Database& db = site.program();
        Dataset ds(db, QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setPageSize(100);
        QString error;
        QVERIFY(ds.open(&error));
        db.setFailureHook([](const QString& sql, QString* message) {
            *message = QStringLiteral("a ligação ao servidor foi interrompida");
            return sql.contains(QStringLiteral("CORES"));
        });
        QVERIFY(!ds.fetchMore(&error));
        QCOMPARE(error, QStringLiteral("a ligação ao servidor foi interrompida"));
        QCOMPARE(ds.rowCount(), 100);
        QVERIFY(ds.canFetchMore());
        // A search says the rows could not be read, not that the row is missing.
        error.clear();
        QCOMPARE(ds.locate(QStringLiteral("CODIGO"), 250, &error), -1);
        QCOMPARE(error, QStringLiteral("a ligação ao servidor foi interrompida"));
        // Once the server answers again, the reading goes on where it stopped.
        db.setFailureHook({});
        error.clear();
        QCOMPARE(ds.locate(QStringLiteral("CODIGO"), 250, &error), 249);
        QVERIFY(error.isEmpty());
        QList<int> all;
        for (int c = 1; c <= 300; ++c)
            all << c;
        QCOMPARE(codes(ds), all);
    }

    void searchedInMemoryMeansOneStatementInKeyOrder_data() { addBackendRows(); }
    void searchedInMemoryMeansOneStatementInKeyOrder() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 0);
        db::Database& db = site.program();
        for (int i = 600; i >= 1; --i) // stored against the key's order
            site.exec(db, QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (:C, 'x')"),
                      {{QStringLiteral("C"), i}});
        QStringList statements;
        db.setFailureHook([&](const QString& sql, QString*) {
            statements << sql;
            return false;
        });
        QList<int> all;
        for (int c = 1; c <= 600; ++c)
            all << c;
        Dataset ds(db, QStringLiteral("CORES"), QStringLiteral("Select * From CORES"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setPageSize(100);
        ds.setReadWhole(true);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        QVERIFY(!ds.readsByKey());
        QVERIFY(!ds.canFetchMore());
        QCOMPARE(statements, QStringList{QStringLiteral("Select * From CORES ORDER BY CODIGO")});
        QCOMPARE(codes(ds), all);
        QCOMPARE(ds.locate(QStringLiteral("CODIGO"), 600, &error), 599);
        QCOMPARE(statements.size(), 1);

        // Without a key nor an order key the order cannot be told: one
        // statement too. An order key of its own pages it.
        statements.clear();
        Dataset unkeyed(db, QStringLiteral("CORES"),
                        QStringLiteral("Select * From CORES Order By DESIGNACAO"));
        unkeyed.setPageSize(100);
        QVERIFY(unkeyed.open(&error));
        QCOMPARE(unkeyed.rowCount(), 600);
        QCOMPARE(statements.size(), 1);
        unkeyed.setOrderKey({QStringLiteral("CODIGO DESC")});
        QVERIFY(unkeyed.reopen(&error));
        QVERIFY(unkeyed.readsByKey());
        QVERIFY(unkeyed.fetchAll(&error));
        std::reverse(all.begin(), all.end());
        QCOMPARE(codes(unkeyed), all);
        db.setFailureHook({});
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
    void findReadsOnlyAsFarAsTheMatch_data() { addBackendRows(); }
    void findReadsOnlyAsFarAsTheMatch() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 1000);
        Dataset ds(site.program(), QStringLiteral("CORES"),
                   QStringLiteral("Select * From CORES Order By CODIGO"), QStringLiteral("CORES"),
                   {QStringLiteral("CODIGO")});
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
                   QStringLiteral("Select * From CORES Where CODIGO <= :WAte Order By CODIGO"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setParam(QStringLiteral("WAte"), 25);
        ds.setRowFilter([](const Dataset& d, const QVariantList& v) {
            return v.value(d.fieldIndex(QStringLiteral("CODIGO"))).toInt() % 2 == 1;
        });
        ds.setPageSize(4);
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        Dataset byPrice = ds.reordered(QStringLiteral("PRECO DESC"));
        QVERIFY2(byPrice.open(&error), qPrintable(error));
        QVERIFY(byPrice.fetchAll(&error));
        QStringList codes;
        for (int r = 0; r < byPrice.rowCount(); ++r)
            codes << byPrice.text(r, QStringLiteral("CODIGO"));
        QCOMPARE(codes.join(QLatin1Char(',')), QStringLiteral("25,23,21,19,17,15,13,11,9,7,5,3,1"));
        QCOMPARE(byPrice.fields().mid(0, ds.fields().size()), ds.fields());
        QCOMPARE(ds.rowCount(), 2); // the dataset itself is as it was
        // Ordered by an expression, it still reads page by page.
        Dataset byName = ds.reordered(site.program().dialect().caseInsensitiveOrder(QStringLiteral("DESIGNACAO")));
        QVERIFY2(byName.open(&error), qPrintable(error));
        QVERIFY(byName.readsByKey());
        QVERIFY(byName.fetchAll(&error));
        QCOMPARE(byName.rowCount(), 13);
    }


    // Seeking a key reads from it without the rows before it; those come
    // backwards page by page, and the window grows into the very rows, in
    // the very order, that reading from the start gives.
    void seekStartsAtAKeyAndReadsBackwards_data() { addBackendRows(); }
    void seekStartsAtAKeyAndReadsBackwards() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 1000);
        // Designations with nulls and repeats: the order's nulls and ties on the key.
        site.exec(site.program(), QStringLiteral("UPDATE CORES SET DESIGNACAO = NULL WHERE CODIGO % 7 = 0"));
        site.exec(site.program(), QStringLiteral("UPDATE CORES SET DESIGNACAO = 'Cor 5' WHERE CODIGO % 11 = 0"));
        const auto whole = [&](const QString& select) {
            Dataset all(site.program(), QStringLiteral("CORES"), select, QStringLiteral("CORES"),
                        {QStringLiteral("CODIGO")});
            QString error;
            if (!all.open(&error) || !all.fetchAll(&error))
                qFatal("%s", qPrintable(error));
            return codes(all);
        };
        struct Case {
            QString select;
            QVariantList key;
            int first; // the code of the row the seek starts with
        };
        const QList<Case> cases{
            {QStringLiteral("Select * From CORES Order By CODIGO"), {995}, 995},
            {QStringLiteral("Select * From CORES Order By CODIGO DESC"), {500}, 500},
            {QStringLiteral("Select * From CORES Order By DESIGNACAO"), {QStringLiteral("Cor 5")}, 5},
            {QStringLiteral("Select * From CORES Order By DESIGNACAO DESC"), {QStringLiteral("Cor 5"), 700}, 704},
            {QStringLiteral("Select * From CORES Order By PRECO DESC"), {300.25}, 200},
        };
        for (const Case& c : cases) {
            Dataset ds(site.program(), QStringLiteral("CORES"), c.select, QStringLiteral("CORES"),
                       {QStringLiteral("CODIGO")});
            ds.setPageSize(16);
            QString error;
            QVERIFY2(ds.open(&error), qPrintable(error));
            QVERIFY(!ds.canFetchBefore());
            QCOMPARE(ds.seek(c.key, &error), 0);
            QCOMPARE(ds.integer(0, QStringLiteral("CODIGO")), c.first);
            QVERIFY(ds.rowCount() <= 16);
            QVERIFY(ds.canFetchBefore());
            int pages = 0;
            while (ds.canFetchBefore()) {
                const int held = ds.rowCount();
                const int before = ds.fetchBefore(&error);
                QVERIFY2(before >= 0, qPrintable(error));
                QCOMPARE(ds.rowCount(), held + before);
                ++pages;
            }
            QVERIFY(pages > 1);
            QVERIFY(ds.fetchAll(&error));
            const QList<int> expected = whole(c.select);
            QCOMPARE(expected.size(), 1000);
            QVERIFY2(codes(ds) == expected, qPrintable(c.select));
        }
    }

    void seekPastTheEndAndItsRefusals_data() { addBackendRows(); }
    void seekPastTheEndAndItsRefusals() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        createTable(site, 100);
        Dataset ds(site.program(), QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                   QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setPageSize(8);
        ds.setRowFilter([](const Dataset& d, const QVariantList& v) {
            return v.value(d.fieldIndex(QStringLiteral("CODIGO"))).toInt() % 3 != 0;
        });
        QString error;
        QVERIFY2(ds.open(&error), qPrintable(error));
        // Nothing at or after the key: nothing held, the last rows come backwards.
        QCOMPARE(ds.seek({500}, &error), -1);
        QCOMPARE(ds.rowCount(), 0);
        QVERIFY(!ds.canFetchMore());
        QVERIFY(ds.fetchBefore(&error) > 0);
        QCOMPARE(ds.integer(ds.rowCount() - 1, QStringLiteral("CODIGO")), 100);
        // The row filter holds in both directions.
        QCOMPARE(ds.seek({51}, &error), 0);
        QCOMPARE(ds.integer(0, QStringLiteral("CODIGO")), 52);
        QVERIFY(ds.fetchBefore(&error) > 0);
        QCOMPARE(ds.integer(0, QStringLiteral("CODIGO")), 43); // 50 down to 43 read, 48 and 45 left out
        // A grid's model shows the rows before above the ones it shows.
        QCOMPARE(ds.seek({70}, &error), 0);
        db::DatasetModel model(ds, {QStringLiteral("CODIGO")}, {QStringLiteral("Código")});
        const int shown = model.rowCount();
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QCOMPARE(model.fetchBefore(&error), 5); // 69 down to 62 read, 69, 66 and 63 left out
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 0);
        QCOMPARE(model.rowCount(), shown + 5);
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toInt(), 62);
        QCOMPARE(model.data(model.index(5, 0), Qt::DisplayRole).toInt(), 70);
        ds.seek({51}, &error);
        ds.fetchBefore(&error);
        // Buffered changes are not dropped by a seek.
        ds.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Alterada"));
        QCOMPARE(ds.seek({90}, &error), -1);
        QVERIFY(!error.isEmpty());
        QVERIFY(ds.hasPendingUpdates());
        QCOMPARE(ds.integer(0, QStringLiteral("CODIGO")), 43);
        ds.cancelUpdates();
        // A dataset read whole has no key to seek.
        Dataset whole(site.program(), QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                      QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        whole.setReadWhole(true);
        QVERIFY(whole.open(&error));
        error.clear();
        QCOMPARE(whole.seek({5}, &error), -1);
        QVERIFY(!error.isEmpty());
        QCOMPARE(whole.rowCount(), 100);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
