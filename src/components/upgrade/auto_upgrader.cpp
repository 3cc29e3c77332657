#include "auto_upgrader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace corvane::components {

TauAutoUpgrader::TauAutoUpgrader(QObject* parent) : QObject(parent), net_(new QNetworkAccessManager(this)) {
    launch = [](const QString& program, const QStringList& args) { return QProcess::startDetached(program, args); };
}

void TauAutoUpgrader::check(Mode mode) {
    if (busy())
        return;
    mode_ = mode;
    if (!infoFile_.isValid() || infoFile_.isEmpty()) {
        // Reported on the next turn of the event loop, like every other outcome.
        pendingLocal_ = true;
        QTimer::singleShot(0, this, [this] {
            pendingLocal_ = false;
            fail(QStringLiteral("endereço do ficheiro de actualização não definido"));
        });
        return;
    }
    fetch(infoFile_, [this](const QByteArray& text) { infoArrived(text); });
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
    reply_ = net_->get(request);
    // Sites keep their own certificates: those of unrecognised authorities are accepted.
    connect(reply_, &QNetworkReply::sslErrors, reply_, [r = reply_.data()](const QList<QSslError>&) { r->ignoreSslErrors(); });
    connect(reply_, &QNetworkReply::finished, this, [this, r = reply_.data(), done] {
        r->deleteLater();
        reply_ = nullptr;
        if (r->error() != QNetworkReply::NoError) {
            fail(QStringLiteral("%1: %2").arg(r->url().toString(), r->errorString()));
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

void TauAutoUpgrader::setupArrived(const QByteArray& data) {
    const QByteArray digest = QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
    if (digest != info_.sha256) {
        const QString text = QStringLiteral("O programa de instalação descarregado não corresponde ao publicado "
                                            "(SHA-256 diferente). A actualização não foi instalada.");
        if (inform)
            inform(text);
        fail(text);
        return;
    }
    const QString folder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath(QStringLiteral("corvane-upgrade"));
    QDir().mkpath(folder);
    const QString program = QDir(folder).filePath(QStringLiteral("SetupCorvane.exe"));
    QFile f(program);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size()) {
        fail(QStringLiteral("%1: %2").arg(program, f.errorString()));
        return;
    }
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    bool restartNow = true;
    emit endUpgrade(restartNow);
    if (!launch || !launch(program, restartParameters_.split(QLatin1Char(' '), Qt::SkipEmptyParts))) {
        fail(QStringLiteral("não foi possível iniciar %1").arg(program));
        return;
    }
    emit setupStarted(program);
    if (quit)
        quit();
}

} // namespace corvane::components
