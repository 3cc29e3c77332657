#include "test_site.h"

#include "db/credentials.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace corvane;

bool postgresAvailable() {
    return !qEnvironmentVariableIsEmpty("CORVANE_TEST_PG");
}

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

std::unique_ptr<db::Database> TestSite::connect(const QString& alias) {
    QString error;
    auto db = builder_->connectCompany(company(), alias, &error);
    if (!db)
        qFatal("database %s: %s", qPrintable(alias), qPrintable(error));
    return db;
}

db::Database& TestSite::opened(std::unique_ptr<db::Database>& db, const QString& alias) {
    if (!db)
        db = connect(alias);
    return *db;
}

db::Database& TestSite::program() {
    return opened(program_, company().programAlias);
}
std::unique_ptr<db::Database> TestSite::connectProgram() {
    return connect(company().programAlias);
}
db::Database& TestSite::invoicing() {
    return opened(invoicing_, company().invoicingAlias);
}
db::Database& TestSite::accounting() {
    return opened(accounting_, company().accountingAlias);
}

std::unique_ptr<db::Database> TestSite::connectInvoicing() {
    return connect(company().invoicingAlias);
}

QList<QVariantList> selectRows(db::Database& db, const QString& sql, const QVariantMap& params) {
    QSqlQuery q(db.sql());
    QString error;
    if (!db.exec(q, sql, params, &error))
        qFatal("%s: %s", qPrintable(sql), qPrintable(error));
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i);
        rows << row;
    }
    return rows;
}

void TestSite::exec(db::Database& db, const QString& sql, const QVariantMap& params) {
    QString error;
    if (!db.exec(sql, params, &error))
        qFatal("%s: %s", qPrintable(sql), qPrintable(error));
}

bool siteCredentials(const Site& site, db::GeneralCredentials* out, QString* error) {
    QFile f(site.credentialsFile());
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("no credentials in ") + site.root();
        return false;
    }
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    out->userName = lines.value(0);
    out->password = lines.value(1);
    return true;
}

bool TestSite::credentials(db::GeneralCredentials* out, QString* error) const {
    return siteCredentials(site(), out, error);
}
