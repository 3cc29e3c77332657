#pragma once

#include <QMap>
#include <QString>

namespace corvane::db {

enum class Backend { SQLite, PostgreSQL };

// Where an alias leads: an SQLite file, or a schema of a PostgreSQL database.
struct AliasTarget {
    Backend backend = Backend::SQLite;
    QString file; // SQLite: absolute, or relative to the site root
    QString host; // PostgreSQL
    int port = 5432;
    QString database;
    QString schema;
};

// The site's alias file (INI: one group per alias).
class AliasRegistry {
public:
    AliasRegistry() = default;
    explicit AliasRegistry(QString siteRoot) : siteRoot_(std::move(siteRoot)) {}
    static AliasRegistry load(const QString& iniFile, const QString& siteRoot, QString* error = nullptr);
    bool save(const QString& iniFile, QString* error = nullptr) const;

    bool contains(const QString& alias) const { return targets_.contains(alias.toUpper()); }
    AliasTarget target(const QString& alias) const { return targets_.value(alias.toUpper()); }
    void set(const QString& alias, const AliasTarget& t) { targets_.insert(alias.toUpper(), t); }
    void remove(const QString& alias) { targets_.remove(alias.toUpper()); }
    QStringList aliases() const { return targets_.keys(); }

private:
    QMap<QString, AliasTarget> targets_;
    QString siteRoot_;
};

} // namespace corvane::db
