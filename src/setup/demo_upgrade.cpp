#include "demo_site.h"

#include "core/site.h"
#include "core/working_context.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace corvane::setup {

namespace {
bool writeFile(const QString& name, const QByteArray& content, QString* error) {
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size()) {
        if (error)
            *error = QStringLiteral("Não foi possível escrever %1").arg(name);
        return false;
    }
    return true;
}
} // namespace

bool writeUpgradeFolder(const QString& siteRoot, const QString& version, QString* error) {
    const Site site(siteRoot);
    const QString folder = site.path(QStringLiteral("Programas/Actualizacoes"));
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Não foi possível criar a pasta %1").arg(folder);
        return false;
    }
    // The setup program a site publishes; this one only says what it is.
    const QByteArray setup = "#!/bin/sh\necho \"Instalação do Corvane " + version.toLatin1() + " ($*)\"\n";
    const QByteArray digest = QCryptographicHash::hash(setup, QCryptographicHash::Sha256).toHex();
    const QByteArray info = "# Versão publicada para os postos deste local\nversion=" + version.toLatin1() +
                            "\nsetup=SetupCorvane.exe\nsha256=" + digest + "\n";
    if (!writeFile(QDir(folder).filePath(QStringLiteral("SetupCorvane.exe")), setup, error) ||
        !writeFile(QDir(folder).filePath(QStringLiteral("UCorvane.txt")), info, error) ||
        !writeFile(QDir(folder).filePath(QStringLiteral("UCorvane_MP.txt")), info, error))
        return false;
    QSettings settings(site.upgradeSettingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("location"), folder);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace corvane::setup
