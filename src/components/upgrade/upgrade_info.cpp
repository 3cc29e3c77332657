#include "upgrade_info.h"

#include <QRegularExpression>
#include <QStringList>

namespace corvane::components {

bool parseUpgradeInfo(const QByteArray& text, const QUrl& infoFile, UpgradeInfo* out, QString* error) {
    UpgradeInfo info;
    QString setup;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *error = QStringLiteral("linha inválida no ficheiro de actualização: %1").arg(line.left(60));
            return false;
        }
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("version"))
            info.version = value;
        else if (key == QLatin1String("setup"))
            setup = value;
        else if (key == QLatin1String("sha256"))
            info.sha256 = value.toLower().toLatin1();
        else if (key == QLatin1String("notes"))
            info.notes = value;
    }
    static const QRegularExpression versionForm(QStringLiteral("^\\d+(\\.\\d+)*$"));
    static const QRegularExpression hexForm(QStringLiteral("^[0-9a-f]{64}$"));
    if (!versionForm.match(info.version).hasMatch()) {
        *error = QStringLiteral("versão publicada em falta ou inválida");
        return false;
    }
    if (setup.isEmpty()) {
        *error = QStringLiteral("programa de instalação em falta");
        return false;
    }
    if (!hexForm.match(QString::fromLatin1(info.sha256)).hasMatch()) {
        *error = QStringLiteral("SHA-256 do programa de instalação em falta ou inválido");
        return false;
    }
    info.setup = infoFile.resolved(QUrl(setup));
    *out = info;
    return true;
}

bool versionIsNewer(const QString& published, const QString& own) {
    const QStringList a = published.split(QLatin1Char('.'));
    const QStringList b = own.split(QLatin1Char('.'));
    for (int i = 0; i < qMax(a.size(), b.size()); ++i) {
        bool okA = true, okB = true;
        const qlonglong x = i < a.size() ? a[i].toLongLong(&okA) : 0;
        const qlonglong y = i < b.size() ? b[i].toLongLong(&okB) : 0;
        if (!okA || !okB)
            return false;
        if (x != y)
            return x > y;
    }
    return false;
}

} // namespace corvane::components
