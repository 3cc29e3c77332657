#pragma once

#include <QList>
#include <QSslCertificate>
#include <QUrl>

namespace corvane::components {

// Where a site publishes its versions, from its config/upgrade.ini:
//
//   location=https://intranet.example/corvane/
//   authority=corvane-ca.pem
//
// `location` is an http or https address or a folder. `authority`, optional,
// names the certificate (PEM) of the authority that signed a private
// server's certificate, relative to the settings file's folder; it is trusted
// besides the system's authorities.
struct UpgradeSource {
    QUrl infoFile; // empty when no location is given
    QList<QSslCertificate> authorities;
};

// The information file `infoFileName` at the site's location; false with the
// reason when the named authority cannot be read.
bool readUpgradeSource(const QString& settingsFile, const QString& infoFileName, UpgradeSource* out,
                       QString* error);

} // namespace corvane::components
