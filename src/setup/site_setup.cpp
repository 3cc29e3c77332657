#include "site_setup.h"

#include "articles/store/article_tables.h"
#include "core/site.h"
#include "costing_outside_tables.h"
#include "db/schema_update.h"
#include "quotation/store/quotation_tables.h"
#include "record_tables.h"
#include "reference/reference_tables.h"
#include "shell/shell_tables.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace corvane::setup {

QList<db::Table> generalDatabaseTables() {
    return shell::generalTables();
}
// The base version "01.000": the version steps create and extend the rest
// at the first sign-on.
QList<db::Table> programDatabaseTables() {
    return shell::programShellTables() + reference::referenceBaseTables() + productRecordTables();
}
QList<db::Table> invoicingDatabaseTables() {
    return shell::invoicingShellTables() + costingInvoicingTables() + articles::articleInvoicingTables() +
           quotation::customerTables();
}
QList<db::Table> accountingDatabaseTables() {
    return costingAccountingTables() + articles::articleAccountingTables();
}

bool parseConnInfo(const QString& conninfo, PgServer* out, QString* error) {
    PgServer s;
    const QStringList parts = conninfo.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            if (error)
                *error = QStringLiteral("Parâmetro de ligação inválido : %1").arg(part);
            return false;
        }
        const QString key = part.left(eq).toLower();
        const QString value = part.mid(eq + 1);
        if (key == QLatin1String("host"))
            s.host = value;
        else if (key == QLatin1String("port"))
            s.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            s.database = value;
        else if (key == QLatin1String("user"))
            s.user = value;
        else if (key == QLatin1String("password"))
            s.password = value;
        else {
            if (error)
                *error = QStringLiteral("Parâmetro de ligação desconhecido : %1").arg(key);
            return false;
        }
    }
    if (s.database.isEmpty()) {
        if (error)
            *error = QStringLiteral("A ligação ao servidor tem de indicar dbname=");
        return false;
    }
    *out = s;
    return true;
}

namespace {
// The advisory lock every installer's server-wide change is made under.
constexpr qint64 kAdminLock = 0x436F7276;

QString randomSecret() {
    static const char alphabet[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QString s;
    for (int i = 0; i < 20; ++i)
        s += QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet) - 1)]);
    return s;
}

QString sanitizePrefix(const QString& raw) {
    QString p = raw.toLower();
    p.replace(QRegularExpression(QStringLiteral("[^a-z0-9_]")), QStringLiteral("_"));
    if (p.isEmpty() || !p.at(0).isLetter())
        p.prepend(QStringLiteral("c"));
    return p.left(40);
}
} // namespace

SiteBuilder::SiteBuilder(QString root, std::optional<PgServer> server, QString prefix, Report report)
    : root_(QDir(root).absolutePath()), server_(std::move(server)), prefix_(sanitizePrefix(prefix)),
      report_(std::move(report)), registry_(root_) {}

SiteBuilder::~SiteBuilder() {
    if (!committed_)
        rollback();
    general_.reset();
    if (!adminConnection_.isEmpty()) {
        QSqlDatabase::database(adminConnection_, false).close();
        QSqlDatabase::removeDatabase(adminConnection_);
    }
}

bool SiteBuilder::adminExec(const QString& sql, QString* error) {
    QSqlQuery q(QSqlDatabase::database(adminConnection_, false));
    // Roles, grants on the database and extensions are rows shared by the
    // whole server: two installers changing them at once make the server
    // refuse one ("tuple concurrently updated"), so they take turns.
    QSqlQuery lock(QSqlDatabase::database(adminConnection_, false));
    lock.exec(QStringLiteral("SELECT pg_advisory_lock(%1)").arg(kAdminLock));
    const bool ok = q.exec(sql);
    if (!ok && error)
        *error = db::Database::errorText(q.lastError());
    lock.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(kAdminLock));
    return ok;
}

bool SiteBuilder::createRole(const QString& role, const QString& password, QString* error) {
    QSqlQuery q(QSqlDatabase::database(adminConnection_, false));
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM pg_roles WHERE rolname = :R"));
    q.bindValue(QStringLiteral(":R"), role);
    if (!q.exec() || !q.next()) {
        if (error)
            *error = db::Database::errorText(q.lastError());
        return false;
    }
    if (q.value(0).toInt() > 0) {
        if (error)
            *error =
                QStringLiteral("O utilizador %1 já existe no servidor (escolha outro prefixo com --prefix).")
                    .arg(role);
        return false;
    }
    QString quoted = password;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    if (!adminExec(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(role, quoted), error))
        return false;
    createdRoles_ << role;
    return adminExec(
        QStringLiteral("GRANT CONNECT, TEMPORARY ON DATABASE \"%1\" TO %2").arg(server_->database, role),
        error);
}

bool SiteBuilder::createSchema(const QString& schema, const QString& owner, QString* error) {
    if (!adminExec(QStringLiteral("CREATE SCHEMA %1 AUTHORIZATION %2").arg(schema, owner), error))
        return false;
    createdSchemas_ << schema;
    return true;
}

db::AliasTarget SiteBuilder::targetFor(const QString& alias, const QString& schemaOrFile) const {
    db::AliasTarget t;
    if (server_) {
        t.backend = db::Backend::PostgreSQL;
        t.host = server_->host;
        t.port = server_->port;
        t.database = server_->database;
        t.schema = schemaOrFile;
    } else {
        t.backend = db::Backend::SQLite;
        t.file = QDir(root_).filePath(QStringLiteral("data/%1.db").arg(alias));
    }
    return t;
}

bool SiteBuilder::createSite(QString* error) {
    QDir dir(root_);
    if (dir.exists() && !dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty()) {
        if (error)
            *error = QStringLiteral("A pasta %1 já existe e não está vazia.").arg(root_);
        return false;
    }
    rootExisted_ = dir.exists();
    createdRoot_ = true;
    for (const QString& sub : {QStringLiteral("config"), QStringLiteral("data"), QStringLiteral("log"),
                               QStringLiteral("programas/Computador"), QStringLiteral("Programas/Computador"),
                               QStringLiteral("Programas/Pdf")})
        if (!QDir().mkpath(dir.filePath(sub))) {
            if (error)
                *error = QStringLiteral("Não foi possível criar a pasta %1").arg(dir.filePath(sub));
            return false;
        }
    say(QStringLiteral("Pasta do local: %1").arg(root_));

    QString user = QStringLiteral("corvane");
    QString password = randomSecret();
    QString schema;
    if (server_) {
        if (!connectAdmin(error))
            return false;
        if (!adminExec(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public"), error))
            return false;
        user = prefix_ + QStringLiteral("_geral");
        schema = prefix_ + QStringLiteral("_geral");
        if (!createRole(user, password, error) || !createSchema(schema, user, error))
            return false;
        say(QStringLiteral("Servidor PostgreSQL: base %1, esquema %2, utilizador %3")
                .arg(server_->database, schema, user));
    }
    registry_.set(QStringLiteral("QTXGERAL"), targetFor(QStringLiteral("QTXGERAL"), schema));
    if (!registry_.save(Site(root_).aliasFile(), error))
        return false;

    // The credential library reads these two lines; only the owner may read them.
    QFile cred(Site(root_).credentialsFile());
    if (!cred.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("Não foi possível escrever %1").arg(cred.fileName());
        return false;
    }
    cred.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    cred.write((user + QLatin1Char('\n') + password + QLatin1Char('\n')).toUtf8());
    cred.close();

    if (!connectGeneral(user, password, true, error) ||
        !db::createTables(*general_, generalDatabaseTables(), error))
        return false;
    say(QStringLiteral("Base de dados geral QTXGERAL criada."));
    return true;
}

bool SiteBuilder::connectAdmin(QString* error) {
    adminConnection_ = QStringLiteral("corvane-admin-%1").arg(prefix_);
    QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), adminConnection_);
    admin.setHostName(server_->host);
    admin.setPort(server_->port);
    admin.setDatabaseName(server_->database);
    admin.setUserName(server_->user);
    admin.setPassword(server_->password);
    if (!admin.open()) {
        if (error)
            *error = db::Database::errorText(admin.lastError());
        return false;
    }
    return adminExec(QStringLiteral("SET client_min_messages TO warning"), error);
}

bool SiteBuilder::connectGeneral(const QString& user, const QString& password, bool create, QString* error) {
    general_ = std::make_unique<db::Database>(QStringLiteral("DBGERAL"), QStringLiteral("QTXGERAL"));
    general_->setRegistry(&registry_);
    general_->setParams({QStringLiteral("USER NAME=") + user, QStringLiteral("PASSWORD=") + password});
    return general_->connect(error, create);
}

bool SiteBuilder::openSite(QString* error) {
    const Site site(root_);
    registry_ = db::AliasRegistry::load(site.aliasFile(), root_, error);
    if (!registry_.contains(QStringLiteral("QTXGERAL"))) {
        if (error && error->isEmpty())
            *error = QStringLiteral("O local %1 não tem a base de dados geral QTXGERAL.").arg(root_);
        return false;
    }
    QFile cred(site.credentialsFile());
    if (!cred.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Credenciais inexistentes : %1").arg(cred.fileName());
        return false;
    }
    const QStringList lines = QString::fromUtf8(cred.readAll()).split(QLatin1Char('\n'));
    if (server_ && !connectAdmin(error))
        return false;
    return connectGeneral(lines.value(0), lines.value(1), false, error);
}

std::unique_ptr<db::Database> SiteBuilder::connectCompany(const CompanySpec& company, const QString& alias,
                                                          QString* error) {
    auto database = std::make_unique<db::Database>(alias, alias);
    database->setRegistry(&registry_);
    database->setParams(
        {QStringLiteral("USER NAME=") + company.dbUser, QStringLiteral("PASSWORD=") + company.dbPassword});
    if (!database->connect(error, !server_.has_value()))
        return nullptr;
    return database;
}

bool SiteBuilder::createCompany(CompanySpec& company, QString* error) {
    if (server_) {
        if (company.dbUser.isEmpty())
            company.dbUser = QStringLiteral("%1_emp%2").arg(prefix_).arg(company.number);
        if (company.dbPassword.isEmpty())
            company.dbPassword = randomSecret();
        if (!createRole(company.dbUser, company.dbPassword, error))
            return false;
    } else {
        if (company.dbUser.isEmpty())
            company.dbUser = QStringLiteral("corvane");
        if (company.dbPassword.isEmpty())
            company.dbPassword = randomSecret();
    }
    for (const QString& alias : {company.programAlias, company.invoicingAlias, company.accountingAlias})
        if (registry_.contains(alias)) {
            if (error)
                *error = QStringLiteral("O alias %1 já existe neste local.").arg(alias);
            return false;
        }
    const auto existing = general_->scalar(QStringLiteral("SELECT COUNT(*) FROM EMPRESAS WHERE EMPNRO = :E"),
                                           {{QStringLiteral("E"), company.number}}, error);
    if (!existing)
        return false;
    if (existing->toInt() > 0) {
        if (error)
            *error = QStringLiteral("A empresa %1 já existe neste local.").arg(company.number);
        return false;
    }
    struct Db {
        QString alias;
        QList<db::Table> tables;
    } dbs[] = {{company.programAlias, programDatabaseTables()},
               {company.invoicingAlias, invoicingDatabaseTables()},
               {company.accountingAlias, accountingDatabaseTables()}};
    for (Db& d : dbs) {
        const QString schema = server_ ? QStringLiteral("%1_%2").arg(prefix_, d.alias.toLower()) : QString();
        if (server_ && !createSchema(schema, company.dbUser, error))
            return false;
        registry_.set(d.alias, targetFor(d.alias, schema));
    }
    if (!registry_.save(Site(root_).aliasFile(), error))
        return false;
    aliasesAdded_ << company.programAlias << company.invoicingAlias << company.accountingAlias;
    for (Db& d : dbs) {
        auto database = connectCompany(company, d.alias, error);
        if (!database || !db::createTables(*database, d.tables, error))
            return false;
        say(QStringLiteral("Base de dados %1 da empresa %2 criada.").arg(d.alias).arg(company.number));
    }
    QVariantMap row{{QStringLiteral("EMPNRO"), company.number},
                    {QStringLiteral("NOME"), company.name},
                    {QStringLiteral("BDESPECIF01"), company.programAlias},
                    {QStringLiteral("BDFACTURA"), company.invoicingAlias},
                    {QStringLiteral("BDCONTAB"), company.accountingAlias},
                    {QStringLiteral("PATHFOTOSLOGO"), QDir(root_).filePath(QStringLiteral("Fotos"))},
                    {QStringLiteral("FICTEC"), QStringLiteral("S")}};
    companies_ << company;
    return general_->exec(
        QStringLiteral("INSERT INTO EMPRESAS (EMPNRO, NOME, BDESPECIF01, BDFACTURA, BDCONTAB, "
                       "PATHFOTOSLOGO, FICTEC) VALUES (:EMPNRO, :NOME, :BDESPECIF01, "
                       ":BDFACTURA, :BDCONTAB, :PATHFOTOSLOGO, :FICTEC)"),
        row, error);
}

std::optional<QList<int>> SiteBuilder::companyNumbers(QString* error) {
    QSqlQuery q(general_->sql());
    if (!general_->exec(q, QStringLiteral("SELECT EMPNRO FROM EMPRESAS ORDER BY EMPNRO"), {}, error))
        return std::nullopt;
    QList<int> out;
    while (q.next())
        out << q.value(0).toInt();
    return out;
}

bool SiteBuilder::findCompany(int number, CompanySpec* out, QString* error) {
    QSqlQuery q(general_->sql());
    const QVariantMap key{{QStringLiteral("E"), number}};
    if (!general_->exec(
            q,
            QStringLiteral("SELECT NOME, BDESPECIF01, BDFACTURA, BDCONTAB FROM EMPRESAS WHERE EMPNRO = :E"),
            key, error))
        return false;
    if (!q.next()) {
        if (error)
            *error = QStringLiteral("A empresa %1 não existe neste local.").arg(number);
        return false;
    }
    CompanySpec c;
    c.number = number;
    c.name = q.value(0).toString().trimmed();
    c.programAlias = q.value(1).toString().trimmed();
    c.invoicingAlias = q.value(2).toString().trimmed();
    c.accountingAlias = q.value(3).toString().trimmed();
    QSqlQuery users(general_->sql());
    if (!general_->exec(
            users,
            QStringLiteral("SELECT BDUSERNAME, BDPASSWORD FROM UTILPASSWORD WHERE EMPRESA = :E AND "
                           "COALESCE(BDUSERNAME, '') <> '' ORDER BY UTIL"),
            key, error))
        return false;
    if (users.next()) {
        c.dbUser = users.value(0).toString().trimmed();
        c.dbPassword = users.value(1).toString().trimmed();
    }
    *out = c;
    return true;
}

bool SiteBuilder::updateCompany(const CompanySpec& company, QList<db::SchemaChange>* changes,
                                QString* error) {
    const struct {
        QString alias;
        QList<db::Table> tables;
    } dbs[] = {{company.invoicingAlias, invoicingDatabaseTables()},
               {company.accountingAlias, accountingDatabaseTables()},
               // The program database's own tables come with the version
               // steps at sign-on, all but the technical product records.
               {company.programAlias, productRecordTables()}};
    for (const auto& d : dbs) {
        if (!registry_.contains(d.alias)) {
            if (error)
                *error = QStringLiteral("O alias %1 da empresa %2 não existe neste local.")
                             .arg(d.alias)
                             .arg(company.number);
            return false;
        }
        const db::AliasTarget target = registry_.target(d.alias);
        if (target.backend == db::Backend::SQLite && !QFile::exists(target.file)) {
            if (error)
                *error = QStringLiteral("A base de dados %1 não existe : %2").arg(d.alias, target.file);
            return false;
        }
        auto database = connectCompany(company, d.alias, error);
        QList<db::SchemaChange> done;
        if (!database || !db::completeTables(*database, d.tables, &done, error))
            return false;
        for (const db::SchemaChange& c : done)
            switch (c.kind) {
            case db::SchemaChange::Kind::Table:
                say(QStringLiteral("%1: tabela %2 criada.").arg(d.alias, c.table));
                break;
            case db::SchemaChange::Kind::Column:
                say(QStringLiteral("%1: coluna %2.%3 acrescentada.").arg(d.alias, c.table, c.name));
                break;
            case db::SchemaChange::Kind::Index:
                say(QStringLiteral("%1: índice %2 de %3 criado.").arg(d.alias, c.name, c.table));
                break;
            }
        if (done.isEmpty())
            say(QStringLiteral("%1: nada a acrescentar.").arg(d.alias));
        if (changes)
            *changes << done;
    }
    return true;
}

void SiteBuilder::rollback() {
    general_.reset();
    if (server_ && !adminConnection_.isEmpty() && QSqlDatabase::database(adminConnection_, false).isOpen()) {
        QString ignored;
        for (auto it = createdSchemas_.crbegin(); it != createdSchemas_.crend(); ++it)
            adminExec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(*it), &ignored);
        for (auto it = createdRoles_.crbegin(); it != createdRoles_.crend(); ++it) {
            adminExec(QStringLiteral("REVOKE ALL ON DATABASE \"%1\" FROM %2").arg(server_->database, *it),
                      &ignored);
            adminExec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(*it), &ignored);
        }
    }
    createdSchemas_.clear();
    createdRoles_.clear();
    if (!aliasesAdded_.isEmpty() && !createdRoot_) {
        for (const QString& alias : aliasesAdded_) {
            const db::AliasTarget t = registry_.target(alias);
            if (t.backend == db::Backend::SQLite && !t.file.isEmpty())
                QFile::remove(t.file);
            registry_.remove(alias);
        }
        registry_.save(Site(root_).aliasFile());
    }
    aliasesAdded_.clear();
    if (createdRoot_) {
        QDir(root_).removeRecursively();
        if (rootExisted_)
            QDir().mkpath(root_);
        createdRoot_ = false;
    }
}

bool writeSiteText(const QString& file, const QString& text, QString* error) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Não foi possível escrever %1").arg(file);
        return false;
    }
    f.write(text.toLatin1());
    return true;
}

} // namespace corvane::setup
