#include "support/test_site.h"

#include <QDir>
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
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
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
            args << QStringLiteral("--postgres") << qEnvironmentVariable("CORVANE_TEST_PG") << QStringLiteral("--prefix")
                 << prefix;
        Result r = admin(args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("Local de demonstração criado")));
        QSettings aliases(dir + QStringLiteral("/config/aliases.ini"), QSettings::IniFormat);
        QCOMPARE(aliases.value(QStringLiteral("CORVANE01/backend")).toString(),
                 backend == QLatin1String("postgres") ? QStringLiteral("postgres") : QStringLiteral("sqlite"));
        QVERIFY(QFile::exists(dir + QStringLiteral("/programas/Computador/Computador.txt")));
        QFile changes(dir + QStringLiteral("/Programas/Pdf/Corvane.pdf"));
        QVERIFY(changes.open(QIODevice::ReadOnly));
        QVERIFY(changes.read(5) == "%PDF-");
        QCOMPARE(QFile(dir + QStringLiteral("/config/general.credentials")).permissions() &
                     (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());

        // A second company joins the site; the same number again is refused and changes nothing.
        QStringList company{QStringLiteral("create-company"), dir, QStringLiteral("--number"), QStringLiteral("2"),
                            QStringLiteral("--name"), QStringLiteral("Tecelagem do Norte")};
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
            q.exec(QStringLiteral("SELECT nspname FROM pg_namespace WHERE nspname LIKE '%1\\_%'").arg(prefix));
            while (q.next())
                schemas << q.value(0).toString();
            QCOMPARE(schemas.size(), 7); // general + 3 per company
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

    void failedDemoLeavesNothing() {
        QTemporaryDir tmp;
        const QString dir = tmp.filePath(QStringLiteral("falhado"));
        // An unreachable server: clear message, non-zero exit, no folder left behind.
        Result r = admin({QStringLiteral("create-demo"), dir, QStringLiteral("--postgres"),
                          QStringLiteral("host=/nonexistent port=1 dbname=nada user=ninguem")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("Erro: ")));
        QVERIFY(!QDir(dir).exists());
        r = admin({QStringLiteral("create-demo"), dir, QStringLiteral("--postgres"), QStringLiteral("nonsense")});
        QCOMPARE(r.code, 2);
        QVERIFY(!QDir(dir).exists());
        QCOMPARE(admin({QStringLiteral("unknown")}).code, 2);
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "test_admin.moc"
