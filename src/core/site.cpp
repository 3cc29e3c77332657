#include "site.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvane {

QString Site::defaultRoot() {
    // Same rule as the credential library, which cannot use Qt.
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    if (!xdg.isEmpty())
        return QString::fromLocal8Bit(xdg) + QStringLiteral("/Corvane");
    return QDir::homePath() + QStringLiteral("/.local/share/Corvane");
}

Site Site::fromEnvironment() {
    const QByteArray env = qgetenv("CORVANE_SITE");
    if (!env.isEmpty())
        return Site(QDir(QString::fromLocal8Bit(env)).absolutePath());
    return Site(defaultRoot());
}

QString Site::path(const QString& relative) const {
    return QDir(root_).filePath(relative);
}

bool Site::exists() const {
    return QFileInfo(aliasFile()).isFile();
}

QString Site::missingMessage() const {
    return QStringLiteral("Não há um local do Corvane em %1 (falta config/aliases.ini).\n"
                          "Indique a pasta do local em CORVANE_SITE, ou crie um local de demonstração "
                          "nessa pasta com:\n  corvane-admin create-demo %1")
        .arg(QDir::toNativeSeparators(root_));
}

WorkstationValue readWorkstationFile(const QString& fileName, int maxChars) {
    WorkstationValue result;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result; // missing: empty value, no error
    const QByteArray raw = file.readAll();
    QString text = QString::fromLatin1(raw);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.isEmpty())
        return result;
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not open an empty one.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        const QString taken = line.left(maxChars);
        if (taken.isEmpty()) {
            result.emptyLine = true;
            return result;
        }
        result.value = taken;
    }
    return result;
}

} // namespace corvane
