#include "support/test_site.h"

#include "articles/store/article_tables.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {
struct Result {
    int code;
    QString out;
    QString err;
};
Result admin(const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("CORVANE_BIN_DIR") + QStringLiteral("/corvane-admin"), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

class TestAdmin : public QObject {
    Q_OBJECT
private slots:
    void createDemo_data() { addBackendRows(); }
    void createDemo() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        QTemporaryDir tmp;
        const QString dir = tmp.filePath(QStringLiteral("demo"));
        QStringList args{QStringLiteral("create-demo"), dir};
        const QString prefix = QStringLiteral("adm%1").arg(QCoreApplication::applicationPid());
        if (backend == QLatin1String("postgres"))
            args << QStringLiteral("--postgres") << qEnvironmentVariable("CORVANE_TEST_PG")
                 << QStringLiteral("--prefix") << prefix;
        Result r = admin(args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("Local de demonstração criado")));
        // The command it prints works as typed: the program beside it by its
        // full path ("corvane", found on the PATH, where none was built).
        const QString enter =
            r.out.section(QStringLiteral("Para entrar: "), 1).section(QLatin1Char('\n'), 0, 0).trimmed();
        QVERIFY2(enter.startsWith(QStringLiteral("CORVANE_SITE=") + dir + QLatin1Char(' ')),
                 qPrintable(enter));
        const QString beside = qEnvironmentVariable("CORVANE_BIN_DIR") + QStringLiteral("/corvane");
        QCOMPARE(enter.section(QLatin1Char(' '), 1), QFileInfo(beside).isExecutable()
                                                         ? QFileInfo(beside).absoluteFilePath()
                                                         : QStringLiteral("corvane"));
        // The second user's workstation, by the command it prints as well.
        const QStringList second = r.out.section(QStringLiteral("num posto seu:\n"), 1)
                                       .trimmed()
                                       .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(second.value(1), QStringLiteral("add-workstation"));
        const Result ana = admin(second.mid(1));
        QVERIFY2(ana.code == 0, qPrintable(ana.err));
        QVERIFY2(
            ana.out.contains(QStringLiteral("Posto POSTO-ANA criado em ") + dir + QStringLiteral("-ana")),
            qPrintable(ana.out));
        QVERIFY(QFile::exists(dir + QStringLiteral("-ana/config/aliases.ini")));
        QSettings aliases(dir + QStringLiteral("/config/aliases.ini"), QSettings::IniFormat);
        QCOMPARE(aliases.value(QStringLiteral("CORVANE01/backend")).toString(),
                 backend == QLatin1String("postgres") ? QStringLiteral("postgres")
                                                      : QStringLiteral("sqlite"));
        QVERIFY(QFile::exists(dir + QStringLiteral("/programas/Computador/Computador.txt")));
        QFile changes(dir + QStringLiteral("/Programas/Pdf/Corvane.pdf"));
        QVERIFY(changes.open(QIODevice::ReadOnly));
        QVERIFY(changes.read(5) == "%PDF-");
        QCOMPARE(QFile(dir + QStringLiteral("/config/general.credentials")).permissions() &
                     (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());

        // A second company joins the site; the same number again is refused and changes nothing.
        QStringList company{QStringLiteral("create-company"), dir,
                            QStringLiteral("--number"),       QStringLiteral("2"),
                            QStringLiteral("--name"),         QStringLiteral("Tecelagem do Norte")};
        if (backend == QLatin1String("postgres"))
            company << QStringLiteral("--postgres") << qEnvironmentVariable("CORVANE_TEST_PG")
                    << QStringLiteral("--prefix") << prefix;
        r = admin(company);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        r = admin(company);
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("já existe")));

        // A demo over a folder that is not empty: refused, the folder untouched.
        r = admin({QStringLiteral("create-demo"), dir});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("não está vazia")));
        QVERIFY(QFile::exists(dir + QStringLiteral("/config/aliases.ini")));

        if (backend == QLatin1String("postgres")) {
            // Clean the server: the roles and schemas of this site.
            corvane::setup::PgServer s;
            QString error;
            QVERIFY(corvane::setup::parseConnInfo(qEnvironmentVariable("CORVANE_TEST_PG"), &s, &error));
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("cleanup"));
            db.setHostName(s.host);
            db.setPort(s.port);
            db.setDatabaseName(s.database);
            db.setUserName(s.user);
            db.setPassword(s.password);
            QVERIFY(db.open());
            QSqlQuery q(db);
            q.exec(QStringLiteral("SET client_min_messages TO warning"));
            QStringList schemas;
            q.exec(
                QStringLiteral("SELECT nspname FROM pg_namespace WHERE nspname LIKE '%1\\_%'").arg(prefix));
            while (q.next())
                schemas << q.value(0).toString();
            QCOMPARE(schemas.size(), 7);                                           // general + 3 per company
            q.exec(QStringLiteral("SELECT pg_advisory_lock(%1)").arg(0x436F7276)); // as the installer does
            for (const QString& s2 : schemas)
                q.exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(s2));
            for (const QString& role : {prefix + QStringLiteral("_geral"), prefix + QStringLiteral("_emp1"),
                                        prefix + QStringLiteral("_emp2")}) {
                q.exec(QStringLiteral("REVOKE ALL ON DATABASE \"%1\" FROM %2").arg(s.database, role));
                QVERIFY2(q.exec(QStringLiteral("DROP ROLE %1").arg(role)), qPrintable(q.lastError().text()));
            }
            q.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(0x436F7276));
            db.close();
        }
    }

    // An older company: a narrow article table with rows, no customization
    // parameters, cost centres without their type. The update adds what is
    // missing and keeps the rows; a second run finds nothing to add.
    void updateCompany_data() { addBackendRows(); }
    void updateCompany() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        using namespace corvane::db;
        TestSite site(backend, QDate::currentDate(), corvane::setup::DemoCompany::New);
        REQUIRE_SITE(site);
        Database& f = site.invoicing();
        Database& c = site.accounting();
        site.exec(f, QStringLiteral("DROP TABLE PARCUSTOM"));
        site.exec(f, QStringLiteral("DROP TABLE CLIENTES"));
        // Made before the customer's history was kept.
        site.exec(f, QStringLiteral("DROP TABLE FACMOVIM"));
        site.exec(f, QStringLiteral("DROP TABLE WORKVENDASMES"));
        // Technical product records made before their sheet kind was kept.
        Database& p = site.program();
        site.exec(p, QStringLiteral("DROP TABLE O_FICTECMAS"));
        site.exec(p, p.dialect().createTable(Table{QStringLiteral("O_FICTECMAS"),
                                                   {text(QStringLiteral("CODIGO"), 16, true)},
                                                   {QStringLiteral("CODIGO")},
                                                   QStringLiteral("PK_O_FICTECMAS"),
                                                   {}}));
        site.exec(f, QStringLiteral("DROP TABLE ARTIGOSCLS"));
        site.exec(f, f.dialect().createTable(Table{QStringLiteral("ARTIGOSCLS"),
                                                   {text(QStringLiteral("CODIGO"), 16, true),
                                                    text(QStringLiteral("DESIGNACAO"), 40),
                                                    text(QStringLiteral("TIPOARTIGO"), 2)},
                                                   {QStringLiteral("CODIGO")},
                                                   QStringLiteral("PK_ARTIGOSCLS"),
                                                   {}}));
        for (const char* code : {"A1", "A2", "A3"})
            site.exec(f,
                      QStringLiteral(
                          "INSERT INTO ARTIGOSCLS (CODIGO, DESIGNACAO, TIPOARTIGO) VALUES (:C, :D, '6')"),
                      {{QStringLiteral("C"), QString::fromLatin1(code)},
                       {QStringLiteral("D"), QStringLiteral("Fio ") + QString::fromLatin1(code)}});
        site.exec(c, QStringLiteral("DROP TABLE CCUSTO"));
        site.exec(c,
                  QStringLiteral("CREATE TABLE CCUSTO (ANO VARCHAR(4) NOT NULL, CODIGO VARCHAR(8) NOT NULL, "
                                 "DESIGN VARCHAR(40), PRIMARY KEY (ANO, CODIGO))"));
        site.exec(c, QStringLiteral(
                         "INSERT INTO CCUSTO (ANO, CODIGO, DESIGN) VALUES ('2025', '3210', 'Tecelagem')"));

        QStringList args{QStringLiteral("update-company"), site.root(), QStringLiteral("--number"),
                         QStringLiteral("1")};
        if (backend == QLatin1String("postgres"))
            args << QStringLiteral("--postgres") << qEnvironmentVariable("CORVANE_TEST_PG");
        Result r = admin(args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("CORVANEFACTURA01: tabela PARCUSTOM criada.")));
        QVERIFY(r.out.contains(QStringLiteral("CORVANEFACTURA01: coluna ARTIGOSCLS.GRELHA acrescentada.")));
        QVERIFY(r.out.contains(QStringLiteral("índice ARTIGOSCLS_DESIGNACAO de ARTIGOSCLS criado.")));
        QVERIFY(r.out.contains(QStringLiteral("CORVANECONTAB01: coluna CCUSTO.TIPO acrescentada.")));
        QVERIFY(r.out.contains(QStringLiteral("CORVANEFACTURA01: tabela CLIENTES criada.")));
        QVERIFY(r.out.contains(QStringLiteral("CORVANEFACTURA01: tabela FACMOVIM criada.")));
        QVERIFY(r.out.contains(QStringLiteral("CORVANEFACTURA01: tabela WORKVENDASMES criada.")));
        QVERIFY(*f.dialect().indexExists(f.sql(), QStringLiteral("WORKVENDASMES_UTIL")));
        QVERIFY(r.out.contains(QStringLiteral("CORVANE01: coluna O_FICTECMAS.TIPOFICTEC acrescentada.")));
        QVERIFY(!r.out.contains(QStringLiteral("ARTIGOSCLS.DESIGNACAO acrescentada")));

        // The rows are kept and the table is the whole article table now.
        const auto rows =
            f.scalar(QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE DESIGNACAO = 'Fio ' || CODIGO "
                                    "AND TIPOARTIGO = '6' AND GRELHA IS NULL"));
        QVERIFY(rows);
        QCOMPARE(rows->toInt(), 3);
        for (const Column& col : corvane::articles::artigosClsTable().columns)
            QVERIFY2(f.dialect().columnExists(f.sql(), QStringLiteral("ARTIGOSCLS"), col.name),
                     qPrintable(col.name));
        QVERIFY(f.dialect().tableExists(f.sql(), QStringLiteral("PARCUSTOM")));
        site.exec(f, QStringLiteral(
                         "UPDATE ARTIGOSCLS SET GRELHA = 'N', TIPOMAT = 41, NEFIO = 28 WHERE CODIGO = 'A1'"));
        const auto centre =
            c.scalar(QStringLiteral("SELECT DESIGN FROM CCUSTO WHERE CODIGO = '3210' AND TIPO IS NULL"));
        QVERIFY(centre);
        QCOMPARE(centre->toString(), QStringLiteral("Tecelagem"));

        // Again: nothing to add, nothing changed; every company when no number is given.
        r = admin({QStringLiteral("update-company"), site.root()});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out.count(QStringLiteral("nada a acrescentar")), 3);
        QVERIFY(r.out.contains(QStringLiteral("Empresa 1 actualizada: 0 alterações.")));
        QCOMPARE(f.scalar(QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS"))->toInt(), 3);

        r = admin(
            {QStringLiteral("update-company"), site.root(), QStringLiteral("--number"), QStringLiteral("9")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("A empresa 9 não existe")));
    }

    void failedDemoLeavesNothing() {
        QTemporaryDir tmp;
        const QString dir = tmp.filePath(QStringLiteral("falhado"));
        // An unreachable server: clear message, non-zero exit, no folder left behind.
        Result r = admin({QStringLiteral("create-demo"), dir, QStringLiteral("--postgres"),
                          QStringLiteral("host=/nonexistent port=1 dbname=nada user=ninguem")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("Erro: ")));
        QVERIFY(!QDir(dir).exists());
        r = admin(
            {QStringLiteral("create-demo"), dir, QStringLiteral("--postgres"), QStringLiteral("nonsense")});
        QCOMPARE(r.code, 2);
        QVERIFY(!QDir(dir).exists());
        QCOMPARE(admin({QStringLiteral("unknown")}).code, 2);
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "test_admin.moc"
