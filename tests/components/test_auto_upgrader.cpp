#include "components/upgrade/auto_upgrader.h"
#include "components/upgrade/upgrade_settings.h"
#include "support/http_server.h"
#include "support/test_authority.h"

#include <QCryptographicHash>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane::components;

namespace {
const QByteArray kSetup = "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/ran-with\"\n";

QByteArray info(const QString& version, const QByteArray& setupBody,
                const QByteArray& setupName = "SetupCorvane.exe") {
    return "# published by the site\nversion=" + version.toLatin1() + "\nsetup=" + setupName +
           "\nsha256=" + QCryptographicHash::hash(setupBody, QCryptographicHash::Sha256).toHex() + "\n";
}
} // namespace

class TestAutoUpgrader : public QObject {
    Q_OBJECT
    QTemporaryDir temp_; // the temporary folder of the programs under test
    QTemporaryDir certs_;
    std::unique_ptr<TestAuthority> authority_;

    // A check of `up` that ends; the reason when it failed, else empty.
    static QString outcome(TauAutoUpgrader& up,
                           TauAutoUpgrader::Mode mode = TauAutoUpgrader::Mode::CheckOnly) {
        QSignalSpy failed(&up, &TauAutoUpgrader::checkFailed);
        QSignalSpy current(&up, &TauAutoUpgrader::upToDate);
        QSignalSpy started(&up, &TauAutoUpgrader::setupStarted);
        if (!up.check(mode))
            return QStringLiteral("not started");
        QDeadlineTimer deadline(10000);
        while (failed.isEmpty() && current.isEmpty() && started.isEmpty() && !deadline.hasExpired())
            QTest::qWait(10);
        if (failed.isEmpty() && current.isEmpty() && started.isEmpty())
            return QStringLiteral("no outcome");
        return failed.isEmpty() ? QString() : failed.first().first().toString();
    }

    // A full upgrade from a server that publishes kSetup; the launched path.
    static QString upgradeFrom(TestHttpServer& server, TauAutoUpgrader& up, int* launches) {
        server.answers.insert(QStringLiteral("/UCorvane.txt"),
                              {200, info(QStringLiteral("01.010"), kSetup), 0});
        server.answers.insert(QStringLiteral("/SetupCorvane.exe"), {200, kSetup, 0});
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl(server.base() + QStringLiteral("UCorvane.txt")));
        up.ask = [](const QString&) { return true; };
        QString launched;
        up.launch = [&launched, launches](const QString& program, const QStringList&) {
            ++*launches;
            launched = program;
            return true;
        };
        outcome(up, TauAutoUpgrader::Mode::Full);
        return launched;
    }

private slots:
    void initTestCase() {
        QVERIFY(temp_.isValid());
        qputenv("TMPDIR", QFile::encodeName(temp_.path()));
        authority_ = std::make_unique<TestAuthority>(certs_.path());
        QVERIFY2(authority_->ok(), qPrintable(authority_->error()));
    }
    void infoFileAndVersions() {
        UpgradeInfo i;
        QString error;
        QVERIFY(parseUpgradeInfo(info(QStringLiteral("01.010"), kSetup),
                                 QUrl(QStringLiteral("http://h/x/UCorvane.txt")), &i, &error));
        QCOMPARE(i.version, QStringLiteral("01.010"));
        QCOMPARE(i.setup.toString(), QStringLiteral("http://h/x/SetupCorvane.exe"));
        QVERIFY(!parseUpgradeInfo("version=01.010\nsetup=a\n", QUrl(), &i, &error)); // no checksum
        QVERIFY(!parseUpgradeInfo("<html>erro</html>", QUrl(), &i, &error));
        QVERIFY(
            !parseUpgradeInfo("version=nova\nsetup=a\nsha256=" + QByteArray(64, 'a'), QUrl(), &i, &error));
        QVERIFY(versionIsNewer(QStringLiteral("01.010"), QStringLiteral("01.009")));
        QVERIFY(versionIsNewer(QStringLiteral("02.000"), QStringLiteral("01.999")));
        QVERIFY(!versionIsNewer(QStringLiteral("01.009"), QStringLiteral("01.009")));
        QVERIFY(!versionIsNewer(QStringLiteral("01.008"), QStringLiteral("01.009")));
        QVERIFY(!versionIsNewer(QStringLiteral("x"), QStringLiteral("01.009")));
    }

    void fullCheckAsksDownloadsVerifiesAndStarts() {
        TestHttpServer server;
        QVERIFY(server.start());
        server.answers.insert(QStringLiteral("/dl/UCorvane.txt"),
                              {200, info(QStringLiteral("01.010"), kSetup), 0});
        server.answers.insert(QStringLiteral("/dl/SetupCorvane.exe"), {200, kSetup, 0});
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl(server.base() + QStringLiteral("dl/UCorvane.txt")));
        QStringList questions;
        up.ask = [&](const QString& q) {
            questions << q;
            return true;
        };
        int quits = 0;
        up.quit = [&] { ++quits; };
        QString launched;
        QStringList launchedArgs;
        up.launch = [&](const QString& program, const QStringList& args) {
            launched = program;
            launchedArgs = args;
            return true;
        };
        connect(&up, &TauAutoUpgrader::endUpgrade, &up,
                [&](bool&) { up.setRestartParameters(QStringLiteral("/VerySilent")); });
        QSignalSpy started(&up, &TauAutoUpgrader::setupStarted);
        up.check(TauAutoUpgrader::Mode::Full);
        QVERIFY(started.wait(10000));
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.first().contains(QStringLiteral("01.010")));
        QCOMPARE(launchedArgs, QStringList{QStringLiteral("/VerySilent")});
        QFile setup(launched);
        QVERIFY(setup.open(QIODevice::ReadOnly));
        QCOMPARE(setup.readAll(), kSetup);
        QCOMPARE(quits, 1);
        QCOMPARE(server.requested,
                 (QStringList{QStringLiteral("/dl/UCorvane.txt"), QStringLiteral("/dl/SetupCorvane.exe")}));
    }

    void checkOnlyFindsOutAndNothingMore() {
        TestHttpServer server;
        QVERIFY(server.start());
        server.answers.insert(QStringLiteral("/UCorvane_MP.txt"),
                              {200, info(QStringLiteral("01.010"), kSetup), 0});
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl(server.base() + QStringLiteral("UCorvane_MP.txt")));
        int asked = 0;
        up.ask = [&](const QString&) { return ++asked, true; };
        QSignalSpy found(&up, &TauAutoUpgrader::newVersionAvailable);
        up.check(TauAutoUpgrader::Mode::CheckOnly);
        QVERIFY(found.wait(10000));
        QCOMPARE(found.first().first().toString(), QStringLiteral("01.010"));
        QTest::qWait(50);
        QCOMPARE(asked, 0);
        QCOMPARE(server.requested, QStringList{QStringLiteral("/UCorvane_MP.txt")});

        // A declined question downloads nothing either.
        up.ask = [&](const QString&) { return ++asked, false; };
        QSignalSpy declined(&up, &TauAutoUpgrader::declined);
        up.check(TauAutoUpgrader::Mode::Full);
        QVERIFY(declined.wait(10000));
        QCOMPARE(server.requested.size(), 2);
    }

    void wrongChecksumIsRefusedAndNothingStarts() {
        TestHttpServer server;
        QVERIFY(server.start());
        server.answers.insert(QStringLiteral("/UCorvane.txt"),
                              {200, info(QStringLiteral("01.011"), kSetup), 0});
        server.answers.insert(QStringLiteral("/SetupCorvane.exe"), {200, kSetup + "# altered\n", 0});
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl(server.base() + QStringLiteral("UCorvane.txt")));
        up.ask = [](const QString&) { return true; };
        int launches = 0, quits = 0;
        QStringList told;
        up.launch = [&](const QString&, const QStringList&) { return ++launches, true; };
        up.quit = [&] { ++quits; };
        up.inform = [&](const QString& t) { told << t; };
        QSignalSpy failed(&up, &TauAutoUpgrader::checkFailed);
        up.check(TauAutoUpgrader::Mode::Full);
        QVERIFY(failed.wait(10000));
        QVERIFY(failed.first().first().toString().contains(QStringLiteral("SHA-256")));
        QCOMPARE(told.size(), 1);
        QCOMPARE(launches, 0);
        QCOMPARE(quits, 0);
    }

    void failuresLeaveTheProgramRunning() {
        TestHttpServer server;
        QVERIFY(server.start());
        server.answers.insert(QStringLiteral("/bad/UCorvane.txt"), {200, "<html>Manutenção</html>", 0});
        server.answers.insert(QStringLiteral("/err/UCorvane.txt"), {500, "oops", 0});
        const QStringList addresses = {server.base() + QStringLiteral("missing/UCorvane.txt"),
                                       server.base() + QStringLiteral("bad/UCorvane.txt"),
                                       server.base() + QStringLiteral("err/UCorvane.txt"),
                                       QStringLiteral("http://127.0.0.1:1/UCorvane.txt")};
        for (const QString& address : addresses) {
            TauAutoUpgrader up;
            up.setVersionNumber(QStringLiteral("01.009"));
            up.setInfoFile(QUrl(address));
            int asked = 0;
            up.ask = [&](const QString&) { return ++asked, true; };
            QSignalSpy failed(&up, &TauAutoUpgrader::checkFailed);
            up.check(TauAutoUpgrader::Mode::Full);
            QVERIFY2(failed.wait(10000), qPrintable(address));
            QCOMPARE(asked, 0);
        }
        // A folder instead of a server; the same version is up to date.
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("UCorvane.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(info(QStringLiteral("01.009"), kSetup));
        f.close();
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl::fromLocalFile(f.fileName()));
        QSignalSpy current(&up, &TauAutoUpgrader::upToDate);
        up.check(TauAutoUpgrader::Mode::Full);
        QVERIFY(current.wait(5000));
    }

    // Whoever can answer for the server must hold a certificate for its name
    // from an authority the workstation trusts.
    void httpsRefusesServersItCannotVerify() {
        const struct {
            const char* name;
            const char* subjectAltName;
            bool expired;
            bool siteAuthority;
        } cases[] = {{"unknown authority", "IP:127.0.0.1", false, false},
                     {"another name", "DNS:actualizacoes.exemplo.invalid", false, true},
                     {"out of date", "IP:127.0.0.1", true, true}};
        for (const auto& c : cases) {
            const auto issued =
                authority_->issue(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('-')),
                                  QString::fromLatin1(c.subjectAltName), c.expired);
            QVERIFY2(!issued.certificate.isNull(), qPrintable(authority_->error()));
            TestHttpsServer server;
            QVERIFY(server.start(issued.certificate, issued.key));
            server.answers.insert(QStringLiteral("/UCorvane.txt"),
                                  {200, info(QStringLiteral("01.010"), kSetup), 0});
            TauAutoUpgrader up;
            up.setVersionNumber(QStringLiteral("01.009"));
            up.setInfoFile(QUrl(server.base() + QStringLiteral("UCorvane.txt")));
            if (c.siteAuthority)
                up.setAuthorities(QSslCertificate::fromPath(authority_->certificateFile()));
            const QString reason = outcome(up);
            QVERIFY2(reason.contains(QStringLiteral("certificado do servidor recusado")), c.name);
            QVERIFY2(server.requested.isEmpty(), c.name);
        }
    }

    void siteNamesItsOwnAuthority() {
        const auto issued = authority_->issue(QStringLiteral("servidor"), QStringLiteral("IP:127.0.0.1"));
        QVERIFY2(!issued.certificate.isNull(), qPrintable(authority_->error()));
        TestHttpsServer server;
        QVERIFY(server.start(issued.certificate, issued.key));
        server.answers.insert(QStringLiteral("/dl/UCorvane.txt"),
                              {200, info(QStringLiteral("01.009"), kSetup), 0});

        // config/upgrade.ini names the authority beside it.
        QTemporaryDir site;
        QDir(site.path()).mkpath(QStringLiteral("config"));
        QFile::copy(authority_->certificateFile(), site.filePath(QStringLiteral("config/autoridade.pem")));
        const QString ini = site.filePath(QStringLiteral("config/upgrade.ini"));
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue(QStringLiteral("location"), server.base() + QStringLiteral("dl"));
            s.setValue(QStringLiteral("authority"), QStringLiteral("autoridade.pem"));
        }
        UpgradeSource source;
        QString error;
        QVERIFY2(readUpgradeSource(ini, QStringLiteral("UCorvane.txt"), &source, &error), qPrintable(error));
        QCOMPARE(source.infoFile.toString(), server.base() + QStringLiteral("dl/UCorvane.txt"));
        QCOMPARE(source.authorities.size(), 1);
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(source.infoFile);
        up.setAuthorities(source.authorities);
        QCOMPARE(outcome(up), QString());
        QCOMPARE(server.requested, QStringList{QStringLiteral("/dl/UCorvane.txt")});

        // An authority that is named but cannot be read is an error, not a silence.
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue(QStringLiteral("authority"), QStringLiteral("falta.pem"));
        }
        QVERIFY(!readUpgradeSource(ini, QStringLiteral("UCorvane.txt"), &source, &error));
        QVERIFY(error.contains(QStringLiteral("falta.pem")));
    }

    // Another local user may create the old fixed path first, or swap the file
    // between its check and its start: neither ever runs.
    void setupRunsFromAFolderOfItsOwn() {
        const QString shared = QDir(QDir::tempPath()).filePath(QStringLiteral("corvane-upgrade"));
        QVERIFY(QDir().mkpath(shared));
        QFile::setPermissions(shared, QFileDevice::Permissions(0x7777));
        const QString planted = QDir(shared).filePath(QStringLiteral("SetupCorvane.exe"));
        const QByteArray trap = "#!/bin/sh\necho planted\n";
        {
            QFile f(planted);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(trap);
        }
        TestHttpServer server;
        QVERIFY(server.start());
        TauAutoUpgrader up;
        int launches = 0;
        const QString launched = upgradeFrom(server, up, &launches);
        QCOMPARE(launches, 1);
        QVERIFY(QFileInfo(launched).canonicalFilePath() != QFileInfo(planted).canonicalFilePath());
        QFile program(launched);
        QVERIFY(program.open(QIODevice::ReadOnly));
        QCOMPARE(program.readAll(), kSetup);
        const QFileInfo folder(QFileInfo(launched).absolutePath());
        QCOMPARE(folder.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        QCOMPARE(folder.permissions() &
                     (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                      QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther),
                 QFileDevice::Permissions());
        QFile kept(planted);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), trap);
    }

    void setupChangedBeforeItStartsNeverRuns() {
        TestHttpServer server;
        QVERIFY(server.start());
        TauAutoUpgrader up;
        int quits = 0;
        up.quit = [&] { ++quits; };
        // Between the download's check and the start, the file is replaced.
        connect(&up, &TauAutoUpgrader::endUpgrade, &up, [](bool&) {
            const QDir temp(QDir::tempPath());
            for (const QString& d : temp.entryList({QStringLiteral("corvane-upgrade*")}, QDir::Dirs)) {
                QFile f(temp.filePath(d + QStringLiteral("/SetupCorvane.exe")));
                if (f.exists() && f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                    f.write("#!/bin/sh\necho replaced\n");
            }
        });
        QSignalSpy failed(&up, &TauAutoUpgrader::checkFailed);
        int launches = 0;
        upgradeFrom(server, up, &launches);
        QCOMPARE(launches, 0);
        QCOMPARE(quits, 0);
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().contains(QStringLiteral("SHA-256")));
    }

    void checkNeverBlocks() {
        TestHttpServer server;
        QVERIFY(server.start());
        server.answers.insert(QStringLiteral("/UCorvane.txt"),
                              {200, info(QStringLiteral("01.009"), kSetup), 1500});
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl(server.base() + QStringLiteral("UCorvane.txt")));
        QSignalSpy current(&up, &TauAutoUpgrader::upToDate);
        up.check(TauAutoUpgrader::Mode::Full);
        QVERIFY(up.busy());
        QVERIFY(current.isEmpty()); // check() returned before the answer
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(50);
        QVERIFY(current.wait(10000));
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks))); // the event loop kept turning meanwhile
    }

    void secondCheckWhileOneRunsIsRefused() {
        TestHttpServer server;
        QVERIFY(server.start());
        server.answers.insert(QStringLiteral("/UCorvane.txt"),
                              {200, info(QStringLiteral("01.009"), kSetup), 300});
        TauAutoUpgrader up;
        up.setVersionNumber(QStringLiteral("01.009"));
        up.setInfoFile(QUrl(server.base() + QStringLiteral("UCorvane.txt")));
        QSignalSpy current(&up, &TauAutoUpgrader::upToDate);
        QVERIFY(up.check(TauAutoUpgrader::Mode::CheckOnly));
        QVERIFY(!up.check(TauAutoUpgrader::Mode::Full));
        QVERIFY(current.wait(10000));
        QTest::qWait(50);
        QCOMPARE(current.size(), 1);
        QCOMPARE(server.requested.size(), 1);
        QVERIFY(up.check(TauAutoUpgrader::Mode::Full)); // once it ended, another may start
        QVERIFY(current.wait(10000));
    }
};

QTEST_GUILESS_MAIN(TestAutoUpgrader)
#include "test_auto_upgrader.moc"
