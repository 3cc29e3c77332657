#include "site_check.h"

#include <QDir>
#include <QFileInfo>

namespace corvane {

bool siteExists(const Site& site) {
    return QFileInfo(site.aliasFile()).isFile();
}

QString missingSiteMessage(const Site& site) {
    return QStringLiteral("Não há um local do Corvane em %1 (falta config/aliases.ini).\n"
                          "Indique a pasta do local em CORVANE_SITE, ou crie um local de demonstração "
                          "nessa pasta com:\n  corvane-admin create-demo %1")
        .arg(QDir::toNativeSeparators(site.root()));
}

} // namespace corvane
