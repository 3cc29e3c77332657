#include "test_site.h"

#include "db/credentials.h"

#include <QFile>
#include <QRandomGenerator>

using namespace corvane;

bool postgresAvailable() { return !qEnvironmentVariableIsEmpty("CORVANE_TEST_PG"); }

void addBackendRows() {
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgres") << QStringLiteral("postgres");
}

TestSite::TestSite(const QString& backend, const QDate& today, setup::DemoCompany level)
    : postgres_(backend == QLatin1String("postgres")) {
    std::optional<setup::PgServer> server;
    if (postgres_) {
        setup::PgServer s;
        if (!setup::parseConnInfo(qEnvironmentVariable("CORVANE_TEST_PG"), &s, &error_))
            return;
        server = s;
    }
    const QString prefix = QStringLiteral("t%1").arg(QRandomGenerator::global()->generate() % 100000000u);
    builder_ = std::make_unique<setup::SiteBuilder>(dir_.path() + QStringLiteral("/site"), server, prefix,
                                                    setup::SiteBuilder::Report{});
    ok_ = setup::createDemoSite(*builder_, workstation(), today, &error_, level);
}

TestSite::~TestSite() {
    program_.reset();
    invoicing_.reset();
    accounting_.reset();
    builder_.reset(); // not committed: drops what it made
}

namespace {
db::Database& connected(std::unique_ptr<db::Database>& db, setup::SiteBuilder& builder,
                        const setup::CompanySpec& company, const QString& alias, const char* what) {
    if (!db) {
        QString error;
        db = builder.connectCompany(company, alias, &error);
        if (!db)
            qFatal("%s database: %s", what, qPrintable(error));
    }
    return *db;
}
} // namespace

db::Database& TestSite::program() {
    return connected(program_, *builder_, company(), company().programAlias, "program");
}

std::unique_ptr<db::Database> TestSite::connectProgram() {
    QString error;
    auto db = builder_->connectCompany(company(), company().programAlias, &error);
    if (!db)
        qFatal("program database: %s", qPrintable(error));
    return db;
}

db::Database& TestSite::invoicing() {
    return connected(invoicing_, *builder_, company(), company().invoicingAlias, "invoicing");
}

db::Database& TestSite::accounting() {
    return connected(accounting_, *builder_, company(), company().accountingAlias, "accounting");
}

void TestSite::exec(db::Database& db, const QString& sql, const QVariantMap& params) {
    QString error;
    if (!db.exec(sql, params, &error))
        qFatal("%s: %s", qPrintable(sql), qPrintable(error));
}

bool TestSite::credentials(db::GeneralCredentials* out, QString* error) const {
    QFile f(site().credentialsFile());
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("no credentials");
        return false;
    }
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    out->userName = lines.value(0);
    out->password = lines.value(1);
    return true;
}
