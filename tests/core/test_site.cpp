#include "core/site.h"
#include "core/site_log.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace corvane;

class TestSite : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString write(const QByteArray& content) {
        const QString name = dir.filePath(QStringLiteral("f%1.txt").arg(counter++));
        QFile f(name);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return name;
    }
    int counter = 0;

private slots:
    void workstationFiles() {
        // One name and a line break: that name.
        WorkstationValue v = readWorkstationFile(write("PC-TECELAGEM\n"), 30);
        QCOMPARE(v.value, QStringLiteral("PC-TECELAGEM"));
        QVERIFY(!v.emptyLine);
        // Windows line ends are the same line breaks.
        QCOMPARE(readWorkstationFile(write("PC-A\r\nPC-B\r\n"), 30).value, QStringLiteral("PC-B"));
        // The last line gives the value; each line is cut to its first characters.
        v = readWorkstationFile(write("PRIMEIRO\n12345678901234567890123456789012345"), 30);
        QCOMPARE(v.value, QStringLiteral("123456789012345678901234567890"));
        QCOMPARE(readWorkstationFile(write("Servidor\nMP\n"), 1).value, QStringLiteral("M"));
        // An empty line anywhere is an error, at the end too.
        QVERIFY(readWorkstationFile(write("PC\n\n"), 30).emptyLine);
        QVERIFY(readWorkstationFile(write("\nPC\n"), 30).emptyLine);
        QVERIFY(readWorkstationFile(write("\n"), 30).emptyLine);
        // Missing or empty file: an empty value and no error.
        v = readWorkstationFile(dir.filePath(QStringLiteral("nao-existe.txt")), 30);
        QVERIFY(v.value.isEmpty() && !v.emptyLine);
        v = readWorkstationFile(write(""), 30);
        QVERIFY(v.value.isEmpty() && !v.emptyLine);
    }

    void siteRootAndFiles() {
        qputenv("CORVANE_SITE", dir.path().toLocal8Bit());
        const Site s = Site::fromEnvironment();
        QCOMPARE(s.root(), dir.path());
        QCOMPARE(s.workstationNameFile(),
                 dir.path() + QStringLiteral("/programas/Computador/Computador.txt"));
        QCOMPARE(s.workstationTypeFile(),
                 dir.path() + QStringLiteral("/Programas/Computador/TipoComputador.txt"));
        // A folder without its alias file is no site: the message names it
        // and the command that makes one there.
        QVERIFY(!s.exists());
        QVERIFY(s.missingMessage().contains(dir.path()));
        QVERIFY(s.missingMessage().contains(QStringLiteral("corvane-admin create-demo ") + dir.path()));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("config")));
        QFile aliases(s.aliasFile());
        QVERIFY(aliases.open(QIODevice::WriteOnly));
        aliases.close();
        QVERIFY(s.exists());
        qunsetenv("CORVANE_SITE");
        qputenv("XDG_DATA_HOME", "/srv/dados");
        QCOMPARE(Site::fromEnvironment().root(), QStringLiteral("/srv/dados/Corvane"));
        qunsetenv("XDG_DATA_HOME");
    }

    void logLines() {
        SiteLog log(dir.filePath(QStringLiteral("log/corvane.log")));
        log.setIdentity(QStringLiteral("DEMO"), QStringLiteral("PC-1"));
        log.write(QStringLiteral("TCORVF001"), QStringLiteral("Digite de [1 a 7]\nsegunda linha"));
        log.write(QStringLiteral("TFACFMENU"), QStringLiteral("Palavra-passe Inválida"));
        QFile f(log.fileName());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QStringList cols = lines[0].split(QLatin1Char('\t'));
        QCOMPARE(cols.size(), 6);
        QVERIFY(QDate::fromString(cols[0], QStringLiteral("yyyy-MM-dd")).isValid());
        QCOMPARE(cols.mid(2),
                 (QStringList{QStringLiteral("DEMO"), QStringLiteral("PC-1"), QStringLiteral("TCORVF001"),
                              QStringLiteral("Digite de [1 a 7] segunda linha")}));
        QVERIFY(lines[1].endsWith(QStringLiteral("Palavra-passe Inválida")));
    }
};

QTEST_GUILESS_MAIN(TestSite)
#include "test_site.moc"
