#include "auto_upgrader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSslConfiguration>
#include <QTimer>

#include <memory>

namespace corvane::components {

TauAutoUpgrader::TauAutoUpgrader(QObject* parent) : QObject(parent), net_(new QNetworkAccessManager(this)) {
    launch = [](const QString& program, const QStringList& args) { return QProcess::startDetached(program, args); };
}

bool TauAutoUpgrader::check(Mode mode) {
    if (busy())
        return false;
    mode_ = mode;
    if (!infoFile_.isValid() || infoFile_.isEmpty()) {
        // Reported on the next turn of the event loop, like every other outcome.
        pendingLocal_ = true;
        QTimer::singleShot(0, this, [this] {
            pendingLocal_ = false;
            fail(QStringLiteral("endereço do ficheiro de actualização não definido"));
        });
        return true;
    }
    fetch(infoFile_, [this](const QByteArray& text) { infoArrived(text); });
    return true;
}

void TauAutoUpgrader::fetch(const QUrl& url, std::function<void(const QByteArray&)> done) {
    if (url.isLocalFile() || url.scheme().isEmpty()) {
        const QString path = url.isLocalFile() ? url.toLocalFile() : url.toString();
        pendingLocal_ = true;
        QTimer::singleShot(0, this, [this, path, done] {
            pendingLocal_ = false;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) {
                fail(QStringLiteral("%1: %2").arg(path, f.errorString()));
                return;
            }
            done(f.readAll());
        });
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(30000);
    if (!authorities_.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(authorities_);
        request.setSslConfiguration(tls);
    }
    reply_ = net_->get(request);
    // Certificate errors are never ignored; they only name the reason.
    auto refused = std::make_shared<QStringList>();
    connect(reply_, &QNetworkReply::sslErrors, reply_, [refused](const QList<QSslError>& errors) {
        for (const QSslError& e : errors)
            *refused << e.errorString();
    });
    connect(reply_, &QNetworkReply::finished, this, [this, r = reply_.data(), done, refused] {
        r->deleteLater();
        reply_ = nullptr;
        if (r->error() != QNetworkReply::NoError) {
            QString reason = r->errorString();
            if (!refused->isEmpty())
                reason = QStringLiteral("certificado do servidor recusado (%1)")
                             .arg(refused->join(QStringLiteral("; ")));
            fail(QStringLiteral("%1: %2").arg(r->url().toString(), reason));
            return;
        }
        done(r->readAll());
    });
}

void TauAutoUpgrader::fail(const QString& reason) { emit checkFailed(reason); }

void TauAutoUpgrader::infoArrived(const QByteArray& text) {
    QString error;
    if (!parseUpgradeInfo(text, infoFile_, &info_, &error)) {
        fail(QStringLiteral("%1: %2").arg(infoFile_.toString(), error));
        return;
    }
    if (!versionIsNewer(info_.version, version_)) {
        emit upToDate(info_.version);
        return;
    }
    emit newVersionAvailable(info_.version);
    if (mode_ == Mode::CheckOnly)
        return;
    QString question = QStringLiteral("Está disponível a versão %1 do programa (esta é a %2).").arg(info_.version, version_);
    if (!info_.notes.isEmpty())
        question += QLatin1Char('\n') + info_.notes;
    question += QStringLiteral("\nDeseja actualizar agora ?");
    if (!ask || !ask(question)) {
        emit declined(info_.version);
        return;
    }
    fetch(info_.setup, [this](const QByteArray& data) { setupArrived(data); });
}

namespace {
QByteArray sha256Of(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

// The digest of a file as it lies on disk; empty when it cannot be read.
QByteArray sha256OfFile(const QString& path) {
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
        return {};
    return hash.result().toHex();
}

const QString kSetupMismatch =
    QStringLiteral("O programa de instalação descarregado não corresponde ao publicado "
                   "(SHA-256 diferente). A actualização não foi instalada.");
} // namespace

QString TauAutoUpgrader::writeSetup(const QByteArray& data, QString* error) {
    // A new folder of this user's only (never a fixed, shared path another
    // user could prepare), and a new file in it.
    auto folder = std::make_unique<QTemporaryDir>(
        QDir(QDir::tempPath()).filePath(QStringLiteral("corvane-upgrade-XXXXXX")));
    if (!folder->isValid()) {
        *error = QStringLiteral("%1: %2").arg(QDir::tempPath(), folder->errorString());
        return {};
    }
    QFile::setPermissions(folder->path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString program = folder->filePath(QStringLiteral("SetupCorvane.exe"));
    QFile f(program);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly) || f.write(data) != data.size() || !f.flush()) {
        *error = QStringLiteral("%1: %2").arg(program, f.errorString());
        return {};
    }
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setupFolder_ = std::move(folder);
    return program;
}

void TauAutoUpgrader::setupArrived(const QByteArray& data) {
    if (sha256Of(data) != info_.sha256) {
        if (inform)
            inform(kSetupMismatch);
        fail(kSetupMismatch);
        return;
    }
    QString error;
    const QString program = writeSetup(data, &error);
    if (program.isEmpty()) {
        fail(error);
        return;
    }
    bool restartNow = true;
    emit endUpgrade(restartNow);
    // What runs is the file on disk: it is checked again right before it starts.
    if (sha256OfFile(program) != info_.sha256) {
        setupFolder_.reset();
        if (inform)
            inform(kSetupMismatch);
        fail(kSetupMismatch);
        return;
    }
    if (!launch || !launch(program, restartParameters_.split(QLatin1Char(' '), Qt::SkipEmptyParts))) {
        setupFolder_.reset();
        fail(QStringLiteral("não foi possível iniciar %1").arg(program));
        return;
    }
    // The setup runs on after this program ends: its folder stays.
    setupFolder_->setAutoRemove(false);
    setupFolder_.reset();
    emit setupStarted(program);
    if (quit)
        quit();
}

} // namespace corvane::components
