#pragma once

#include "upgrade_info.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <QNetworkReply>
#include <QSslCertificate>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QNetworkAccessManager;

namespace corvane::components {

// Looks for a newer version of the program without ever blocking the caller.
// A full check asks the user (through `ask`), downloads the setup program,
// refuses it unless its SHA-256 matches the information file, starts it with
// the restart parameters and asks the program to end (through `quit`). A
// check-only run just finds out. Failures (no network, no file, a malformed
// file, a server error) are reported by checkFailed() and change nothing.
//
// The information file may lie on an http or https server or in a folder.
// An https connection is verified as any other, against the system's
// certificate authorities and those the site names (setAuthorities): a
// certificate of an unknown authority, for another host name or out of date
// refuses the check. The setup program is written into a folder of its own
// that only this user may enter, and the file there is checked again just
// before it starts.
class TauAutoUpgrader : public QObject {
    Q_OBJECT
public:
    enum class Mode { Full, CheckOnly };

    explicit TauAutoUpgrader(QObject* parent = nullptr);

    void setVersionNumber(const QString& v) { version_ = v; }
    const QString& versionNumber() const { return version_; }
    void setInfoFile(const QUrl& url) { infoFile_ = url; }
    const QUrl& infoFile() const { return infoFile_; }
    void setRestartParameters(const QString& p) { restartParameters_ = p; }
    const QString& restartParameters() const { return restartParameters_; }
    // The site's own certificate authorities, trusted besides the system's.
    void setAuthorities(const QList<QSslCertificate>& certificates) { authorities_ = certificates; }

    // The question before upgrading (true: go on), messages for the user, and
    // how the program ends itself; set by the owner.
    std::function<bool(const QString& question)> ask;
    std::function<void(const QString& text)> inform;
    std::function<void()> quit;
    // Starts the verified setup program; the default runs it detached.
    std::function<bool(const QString& program, const QStringList& args)> launch;

    // Starts a check and returns at once; false, and nothing started, while
    // another check is under way.
    bool check(Mode mode);
    bool busy() const { return reply_ != nullptr || pendingLocal_; }

signals:
    void upToDate(const QString& published);
    void newVersionAvailable(const QString& published);
    void checkFailed(const QString& reason);
    void declined(const QString& published);
    // The setup program was downloaded and verified; it starts after the
    // handlers ran (they may change the restart parameters).
    void endUpgrade(bool& restartNow);
    void setupStarted(const QString& program);

private:
    void fetch(const QUrl& url, std::function<void(const QByteArray&)> done);
    void infoArrived(const QByteArray& text);
    void setupArrived(const QByteArray& data);
    // The setup program in a new owner-only folder; its path, or empty.
    QString writeSetup(const QByteArray& data, QString* error);
    void fail(const QString& reason);

    QNetworkAccessManager* net_;
    QPointer<QNetworkReply> reply_;
    bool pendingLocal_ = false;
    QString version_;
    QUrl infoFile_;
    QString restartParameters_ = QStringLiteral("/verysilent");
    Mode mode_ = Mode::Full;
    UpgradeInfo info_;
    QList<QSslCertificate> authorities_;
    std::unique_ptr<QTemporaryDir> setupFolder_;
};

} // namespace corvane::components
