#pragma once

#include "db/database.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvane::setup {

// A PostgreSQL server reached with an administrator's connection string
// ("host=... port=... dbname=... user=... password=...").
struct PgServer {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
};
bool parseConnInfo(const QString& conninfo, PgServer* out, QString* error);

struct CompanySpec {
    int number = 1;
    QString name;
    QString programAlias;    // EMPRESAS.BDESPECIF01
    QString invoicingAlias;  // EMPRESAS.BDFACTURA
    QString accountingAlias; // EMPRESAS.BDCONTAB
    QString dbUser;          // UTILPASSWORD.BDUSERNAME of the company's users
    QString dbPassword;
};

// Creates a site: its folders, alias file, credentials and databases, either
// as SQLite files under the site or as schemas of one PostgreSQL database
// owned by login roles of their own. Whatever it made is removed again by
// rollback() (and by the destructor unless commit() was called).
class SiteBuilder {
public:
    using Report = std::function<void(const QString&)>;
    SiteBuilder(QString root, std::optional<PgServer> server, QString prefix, Report report);
    ~SiteBuilder();

    bool createSite(QString* error);
    // An existing site, to add companies to it.
    bool openSite(QString* error);
    bool createCompany(CompanySpec& company, QString* error);
    void commit() { committed_ = true; }
    void rollback();

    const QString& root() const { return root_; }
    const QList<CompanySpec>& companies() const { return companies_; }
    bool postgres() const { return server_.has_value(); }
    const db::AliasRegistry& registry() const { return registry_; }
    db::Database& general() { return *general_; }
    // A connection to one of the company's databases, as its users connect.
    std::unique_ptr<db::Database> connectCompany(const CompanySpec& company, const QString& alias, QString* error);

private:
    bool adminExec(const QString& sql, QString* error);
    bool connectAdmin(QString* error);
    bool connectGeneral(const QString& user, const QString& password, bool create, QString* error);
    bool createRole(const QString& role, const QString& password, QString* error);
    bool createSchema(const QString& schema, const QString& owner, QString* error);
    db::AliasTarget targetFor(const QString& alias, const QString& schemaOrFile) const;
    bool createTables(db::Database& db, const QList<db::Table>& tables, QString* error);
    void say(const QString& text) const {
        if (report_)
            report_(text);
    }

    QString root_;
    std::optional<PgServer> server_;
    QString prefix_;
    Report report_;
    db::AliasRegistry registry_;
    QString adminConnection_;
    std::unique_ptr<db::Database> general_;
    bool createdRoot_ = false;
    bool rootExisted_ = false;
    bool committed_ = false;
    QStringList createdSchemas_;
    QStringList createdRoles_;
    QStringList aliasesAdded_;
    QList<CompanySpec> companies_;
};

// The tables of each database as a new site or company gets them.
QList<db::Table> generalDatabaseTables();
QList<db::Table> programDatabaseTables();
QList<db::Table> invoicingDatabaseTables();
QList<db::Table> accountingDatabaseTables();

} // namespace corvane::setup
