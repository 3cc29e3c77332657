#pragma once

#include "db/database.h"
#include "db/schema_update.h"

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
    // The numbers of the opened site's companies (EMPRESAS), in order.
    std::optional<QList<int>> companyNumbers(QString* error);
    // A company of the opened site: its name and aliases (EMPRESAS) and the
    // database user its users sign on with (UTILPASSWORD).
    bool findCompany(int number, CompanySpec* out, QString* error);
    // Brings the company's invoicing and accounting databases, and the
    // technical product records of its program database, to the tables a new
    // company gets (completeTables, one transaction per database), reporting
    // each table, column and index it adds; their rows stay.
    bool updateCompany(const CompanySpec& company, QList<db::SchemaChange>* changes, QString* error);
    void commit() { committed_ = true; }
    void rollback();

    const QString& root() const { return root_; }
    const QList<CompanySpec>& companies() const { return companies_; }
    bool postgres() const { return server_.has_value(); }
    const db::AliasRegistry& registry() const { return registry_; }
    db::Database& general() { return *general_; }
    // A connection to one of the company's databases, as its users connect.
    std::unique_ptr<db::Database> connectCompany(const CompanySpec& company, const QString& alias,
                                                 QString* error);

private:
    bool adminExec(const QString& sql, QString* error);
    bool connectAdmin(QString* error);
    bool connectGeneral(const QString& user, const QString& password, bool create, QString* error);
    bool createRole(const QString& role, const QString& password, QString* error);
    bool createSchema(const QString& schema, const QString& owner, QString* error);
    db::AliasTarget targetFor(const QString& alias, const QString& schemaOrFile) const;
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

// A site's small text file (workstation name and type), in Latin-1.
bool writeSiteText(const QString& file, const QString& text, QString* error);

} // namespace corvane::setup
