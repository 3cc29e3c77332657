#include "components/report/dataset_table.h"
#include "db/dataset.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;

class TestDatasetTable : public QObject {
    Q_OBJECT
private slots:
    // A page that cannot be read ends the export with the server's message:
    // never a shorter file that looks complete.
    void readErrorEndsTheExport_data() { addBackendRows(); }
    void readErrorEndsTheExport() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const db::Table table{
            QStringLiteral("CORES"),
            {db::integer(QStringLiteral("CODIGO"), true), db::text(QStringLiteral("DESIGNACAO"), 20)},
            {QStringLiteral("CODIGO")},
            QStringLiteral("PK_CORES"),
            {}};
        site.exec(db, db.dialect().createTable(table));
        for (int i = 1; i <= 300; ++i)
            site.exec(db, QStringLiteral("INSERT INTO CORES (CODIGO, DESIGNACAO) VALUES (:C, 'Cor')"),
                      {{QStringLiteral("C"), i}});
        db::Dataset ds(db, QStringLiteral("CORES"), QStringLiteral("Select * From CORES Order By CODIGO"),
                       QStringLiteral("CORES"), {QStringLiteral("CODIGO")});
        ds.setPageSize(100);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cores.xlsx"));
        QFile before(path);
        QVERIFY(before.open(QIODevice::WriteOnly));
        before.write("a file of the user's");
        before.close();
        int selects = 0;
        db.setFailureHook([&selects](const QString& sql, QString* message) {
            *message = QStringLiteral("a ligação ao servidor foi interrompida");
            return sql.contains(QStringLiteral("CORES")) && ++selects > 1;
        });
        QString error;
        QVERIFY(!report::exportDataset(ds, path, QStringLiteral("Cores"), QStringLiteral("Malhas Teste, Lda"),
                                       {}, &error));
        QCOMPARE(error, QStringLiteral("a ligação ao servidor foi interrompida"));
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), QByteArray("a file of the user's"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("cores.xlsx")});

        // With the server back, every row is written.
        db.setFailureHook({});
        ds.close();
        QVERIFY2(report::exportDataset(ds, path, QStringLiteral("Cores"), QStringLiteral("Malhas Teste, Lda"),
                                       {}, &error),
                 qPrintable(error));
        QCOMPARE(ds.rowCount(), 300);
    }
};

QTEST_GUILESS_MAIN(TestDatasetTable)
#include "test_dataset_table.moc"
