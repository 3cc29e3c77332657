#include "upgrade_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace corvane::components {

bool readUpgradeSource(const QString& settingsFile, const QString& infoFileName, UpgradeSource* out,
                       QString* error) {
    const QSettings settings(settingsFile, QSettings::IniFormat);
    const QString location = settings.value(QStringLiteral("location")).toString().trimmed();
    const QString authority = settings.value(QStringLiteral("authority")).toString().trimmed();
    UpgradeSource source;
    if (!location.isEmpty())
        source.infoFile =
            location.contains(QStringLiteral("://"))
                ? QUrl(location.endsWith(QLatin1Char('/')) ? location : location + QLatin1Char('/'))
                      .resolved(QUrl(infoFileName))
                : QUrl::fromLocalFile(QDir(location).filePath(infoFileName));
    if (!authority.isEmpty()) {
        const QString path = QFileInfo(settingsFile).dir().filePath(authority);
        source.authorities =
            QSslCertificate::fromPath(path, QSsl::Pem, QSslCertificate::PatternSyntax::FixedString);
        if (source.authorities.isEmpty()) {
            if (error)
                *error = QStringLiteral("certificado da autoridade ilegível ou inexistente : %1").arg(path);
            return false;
        }
    }
    *out = source;
    return true;
}

} // namespace corvane::components
