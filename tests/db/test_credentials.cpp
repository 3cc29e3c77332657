#include "db/credentials.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane::db;

class TestCredentials : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file() const { return dir.filePath(QStringLiteral("config/general.credentials")); }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("config"))));
        qputenv("CORVANE_SITE", dir.path().toLocal8Bit());
    }

    void libraryGivesTheTwoLines() {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("geral_user\nsegredo com espaços\n");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        GeneralCredentials c;
        QString error;
        QVERIFY2(loadGeneralCredentials(&c, &error), qPrintable(error));
        QCOMPARE(c.userName, QStringLiteral("geral_user"));
        QCOMPARE(c.password, QStringLiteral("segredo com espaços"));
    }

    void unsafeOrMissingCredentialsAreRefused() {
        GeneralCredentials c;
        QString error;
        // Readable by others: refused.
        QVERIFY(QFile(file()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadOther));
        QVERIFY(!loadGeneralCredentials(&c, &error));
        QVERIFY(error.contains(QStringLiteral("inexistentes ou desprotegidas")));
        // Only one line: refused.
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("so_o_utilizador\n");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(!loadGeneralCredentials(&c, &error));
        // Missing: refused.
        QVERIFY(QFile::remove(file()));
        QVERIFY(!loadGeneralCredentials(&c, &error));
    }
};

QTEST_GUILESS_MAIN(TestCredentials)
#include "test_credentials.moc"
