#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>

// A certificate authority of the test's own, made with openssl in a folder
// of the test, and the server certificates it issues.
class TestAuthority {
public:
    struct Issued {
        QSslCertificate certificate;
        QSslKey key;
    };

    explicit TestAuthority(const QString& folder) : dir_(folder) {
        QDir().mkpath(folder);
        write(QStringLiteral("index.txt"), {});
        write(QStringLiteral("serial"), "01\n");
        write(QStringLiteral("ca.cnf"),
              "[ ca ]\ndefault_ca = test_ca\n[ test_ca ]\ndatabase = index.txt\n"
              "new_certs_dir = .\nserial = serial\ndefault_md = sha256\npolicy = any\n"
              "unique_subject = no\n[ any ]\ncommonName = supplied\n");
        ok_ = run({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), QStringLiteral("ca.key"), QStringLiteral("-out"),
                   QStringLiteral("ca.pem"), QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=Autoridade de teste"),
                   QStringLiteral("-addext"), QStringLiteral("basicConstraints=critical,CA:TRUE"),
                   QStringLiteral("-addext"), QStringLiteral("keyUsage=critical,keyCertSign,cRLSign")});
    }

    bool ok() const { return ok_; }
    const QString& error() const { return error_; }
    // The authority's certificate (PEM), as a site would name it.
    QString certificateFile() const { return dir_.filePath(QStringLiteral("ca.pem")); }

    // A server certificate for `subjectAltName` ("IP:127.0.0.1", "DNS:name"),
    // valid for two days from now or, when `expired`, only in January 2020.
    Issued issue(const QString& stem, const QString& subjectAltName, bool expired = false) {
        write(stem + QStringLiteral(".ext"),
              "subjectAltName=" + subjectAltName.toLatin1() +
                  "\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n");
        QStringList validity = {QStringLiteral("-days"), QStringLiteral("2")};
        if (expired)
            validity = {QStringLiteral("-startdate"), QStringLiteral("20200101000000Z"),
                        QStringLiteral("-enddate"), QStringLiteral("20200102000000Z")};
        const bool made =
            run({QStringLiteral("req"), QStringLiteral("-new"), QStringLiteral("-newkey"),
                 QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                 QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                 QStringLiteral("-keyout"), stem + QStringLiteral(".key"), QStringLiteral("-out"),
                 stem + QStringLiteral(".csr"), QStringLiteral("-subj"), QStringLiteral("/CN=") + stem}) &&
            run(QStringList{QStringLiteral("ca"), QStringLiteral("-batch"), QStringLiteral("-notext"),
                            QStringLiteral("-config"), QStringLiteral("ca.cnf"), QStringLiteral("-cert"),
                            QStringLiteral("ca.pem"), QStringLiteral("-keyfile"), QStringLiteral("ca.key"),
                            QStringLiteral("-in"), stem + QStringLiteral(".csr"), QStringLiteral("-out"),
                            stem + QStringLiteral(".pem"), QStringLiteral("-extfile"),
                            stem + QStringLiteral(".ext")} +
                validity);
        Issued out;
        if (!made)
            return out;
        const QList<QSslCertificate> certs =
            QSslCertificate::fromPath(dir_.filePath(stem + QStringLiteral(".pem")));
        QFile key(dir_.filePath(stem + QStringLiteral(".key")));
        if (certs.isEmpty() || !key.open(QIODevice::ReadOnly)) {
            error_ = QStringLiteral("%1: no certificate or key").arg(stem);
            return out;
        }
        out.certificate = certs.first();
        out.key = QSslKey(key.readAll(), QSsl::Ec);
        return out;
    }

private:
    void write(const QString& name, const QByteArray& text) {
        QFile f(dir_.filePath(name));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text);
    }
    bool run(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir_.path());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("openssl"), args);
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return true;
        error_ = QStringLiteral("openssl %1: %2").arg(args.first(), QString::fromUtf8(p.readAll()));
        return false;
    }

    QDir dir_;
    bool ok_ = false;
    QString error_;
};
