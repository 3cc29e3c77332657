#pragma once

#include "core/site.h"
#include "db/credentials.h"
#include "db/database.h"
#include "setup/demo_site.h"
#include "setup/site_setup.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The backends every database test runs on: "sqlite" always, "postgres" when
// CORVANE_TEST_PG names an administrator's connection to a test server.
void addBackendRows();
bool postgresAvailable();

// A demo site made in a temporary folder on the chosen backend; everything it
// created (files, schemas, roles) is removed when it goes. A New company is at
// the base version, without reference rows.
// A site's general-database credentials as the library would return them.
bool siteCredentials(const corvane::Site& site, corvane::db::GeneralCredentials* out, QString* error);

class TestSite {
public:
    explicit TestSite(const QString& backend, const QDate& today = QDate::currentDate(),
                      corvane::setup::DemoCompany level = corvane::setup::DemoCompany::Ready);
    ~TestSite();

    bool ok() const { return ok_; }
    const QString& error() const { return error_; }
    bool postgres() const { return postgres_; }
    corvane::Site site() const { return corvane::Site(builder_->root()); }
    const QString& root() const { return builder_->root(); }
    const corvane::db::AliasRegistry& registry() const { return builder_->registry(); }
    const corvane::setup::CompanySpec& company() const { return builder_->companies().first(); }
    QString workstation() const { return QStringLiteral("POSTO-TESTE"); }

    // Direct connections for arranging and checking rows.
    corvane::db::Database& general() { return builder_->general(); }
    corvane::db::Database& program();
    corvane::db::Database& invoicing();
    corvane::db::Database& accounting();
    // Another connection to the program database, as a second user has.
    std::unique_ptr<corvane::db::Database> connectProgram();
    std::unique_ptr<corvane::db::Database> connectInvoicing();
    // Runs a statement that must succeed.
    void exec(corvane::db::Database& db, const QString& sql, const QVariantMap& params = {});

    // The general database's credentials as the library would return them.
    bool credentials(corvane::db::GeneralCredentials* out, QString* error) const;

private:
    std::unique_ptr<corvane::db::Database> connect(const QString& alias);
    corvane::db::Database& opened(std::unique_ptr<corvane::db::Database>& db, const QString& alias);

    QTemporaryDir dir_;
    bool postgres_ = false;
    bool ok_ = false;
    QString error_;
    std::unique_ptr<corvane::setup::SiteBuilder> builder_;
    std::unique_ptr<corvane::db::Database> program_;
    std::unique_ptr<corvane::db::Database> invoicing_;
    std::unique_ptr<corvane::db::Database> accounting_;
};

// Every row of a select that must succeed, its values in column order.
QList<QVariantList> selectRows(corvane::db::Database& db, const QString& sql, const QVariantMap& params = {});

// Fails the test with the site's error when it could not be made.
#define REQUIRE_SITE(site)                                                                                   \
    do {                                                                                                     \
        if (!(site).ok())                                                                                    \
            QFAIL(qPrintable(QStringLiteral("test site: ") + (site).error()));                               \
    } while (0)

// QSKIP for the postgres row when no test server is given.
#define SKIP_UNLESS_BACKEND(backend)                                                                         \
    do {                                                                                                     \
        if ((backend) == QLatin1String("postgres") && !postgresAvailable())                                  \
            QSKIP("CORVANE_TEST_PG not set: no PostgreSQL test server");                                     \
    } while (0)
