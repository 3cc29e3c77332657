#include "alias.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace corvane::db {

AliasRegistry AliasRegistry::load(const QString& iniFile, const QString& siteRoot, QString* error) {
    AliasRegistry reg;
    reg.siteRoot_ = siteRoot;
    if (!QFileInfo::exists(iniFile)) {
        if (error)
            *error = QStringLiteral("Ficheiro de aliases inexistente : %1").arg(iniFile);
        return reg;
    }
    QSettings ini(iniFile, QSettings::IniFormat);
    for (const QString& group : ini.childGroups()) {
        ini.beginGroup(group);
        AliasTarget t;
        const QString backend = ini.value(QStringLiteral("backend"), QStringLiteral("sqlite")).toString().toLower();
        t.backend = backend == QLatin1String("postgres") || backend == QLatin1String("postgresql")
                        ? Backend::PostgreSQL
                        : Backend::SQLite;
        t.file = ini.value(QStringLiteral("file")).toString();
        if (!t.file.isEmpty() && QFileInfo(t.file).isRelative())
            t.file = QDir(siteRoot).filePath(t.file);
        t.host = ini.value(QStringLiteral("host")).toString();
        t.port = ini.value(QStringLiteral("port"), 5432).toInt();
        t.database = ini.value(QStringLiteral("database")).toString();
        t.schema = ini.value(QStringLiteral("schema")).toString();
        ini.endGroup();
        reg.targets_.insert(group.toUpper(), t);
    }
    return reg;
}

bool AliasRegistry::save(const QString& iniFile, QString* error) const {
    QDir().mkpath(QFileInfo(iniFile).absolutePath());
    QSettings ini(iniFile, QSettings::IniFormat);
    ini.clear();
    for (auto it = targets_.cbegin(); it != targets_.cend(); ++it) {
        const AliasTarget& t = it.value();
        ini.beginGroup(it.key());
        if (t.backend == Backend::SQLite) {
            ini.setValue(QStringLiteral("backend"), QStringLiteral("sqlite"));
            QString file = t.file;
            if (!siteRoot_.isEmpty() && file.startsWith(siteRoot_ + QLatin1Char('/')))
                file = file.mid(siteRoot_.size() + 1);
            ini.setValue(QStringLiteral("file"), file);
        } else {
            ini.setValue(QStringLiteral("backend"), QStringLiteral("postgres"));
            ini.setValue(QStringLiteral("host"), t.host);
            ini.setValue(QStringLiteral("port"), t.port);
            ini.setValue(QStringLiteral("database"), t.database);
            ini.setValue(QStringLiteral("schema"), t.schema);
        }
        ini.endGroup();
    }
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("Não foi possível escrever %1").arg(iniFile);
        return false;
    }
    return true;
}

} // namespace corvane::db
