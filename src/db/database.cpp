#include "database.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corvane::db {

namespace {
QAtomicInt connectionCounter;

QString quoteIdent(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}
} // namespace

Database::Database(QString logicalName, QString designAlias)
    : logicalName_(std::move(logicalName)), alias_(std::move(designAlias)),
      connectionName_(
          QStringLiteral("%1#%2").arg(logicalName_).arg(connectionCounter.fetchAndAddRelaxed(1))) {}

Database::~Database() {
    disconnect();
}

QString Database::paramValue(const QString& key) const {
    const QString prefix = key + QLatin1Char('=');
    for (const QString& line : params_)
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    return {};
}

QString Database::errorText(const QSqlError& e) {
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    return text;
}

bool Database::connect(QString* error, bool createIfMissing) {
    disconnect();
    if (!registry_ || !registry_->contains(alias_)) {
        if (error)
            *error = QStringLiteral("Alias de base de dados desconhecido : %1").arg(alias_);
        return false;
    }
    target_ = registry_->target(alias_);
    dialect_ = Dialect(target_.backend);
    if (target_.backend == Backend::SQLite) {
        if (!createIfMissing && !QFileInfo::exists(target_.file)) {
            if (error)
                *error = QStringLiteral("Base de dados inexistente : %1").arg(target_.file);
            return false;
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        db.setDatabaseName(target_.file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        if (!db.open()) {
            if (error)
                *error = errorText(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connectionName_);
            return false;
        }
        QSqlQuery pragma(db);
        pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        return true;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName_);
    db.setHostName(target_.host);
    db.setPort(target_.port);
    db.setDatabaseName(target_.database);
    db.setUserName(paramValue(QStringLiteral("USER NAME")));
    db.setPassword(paramValue(QStringLiteral("PASSWORD")));
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    QString failure;
    if (!db.open()) {
        failure = errorText(db.lastError());
    } else {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT COUNT(*) FROM information_schema.schemata WHERE schema_name = :S"));
        q.bindValue(QStringLiteral(":S"), target_.schema);
        if (!q.exec() || !q.next())
            failure = errorText(q.lastError());
        else if (q.value(0).toInt() == 0)
            failure = QStringLiteral("Base de dados inexistente : %1").arg(target_.schema);
        else if (!q.exec(QStringLiteral("SET search_path TO %1, public").arg(quoteIdent(target_.schema))))
            failure = errorText(q.lastError());
        else
            q.exec(QStringLiteral("SET client_min_messages TO warning"));
    }
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        return false;
    }
    return true;
}

void Database::disconnect() {
    if (!QSqlDatabase::contains(connectionName_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        if (inTransaction_)
            db.rollback();
        db.close();
    }
    inTransaction_ = false;
    QSqlDatabase::removeDatabase(connectionName_);
}

bool Database::isConnected() const {
    return QSqlDatabase::contains(connectionName_) && QSqlDatabase::database(connectionName_, false).isOpen();
}

bool Database::injectedFailure(const QString& sql, QString* error) const {
    if (!failureHook_)
        return false;
    QString message;
    if (!failureHook_(sql, &message))
        return false;
    if (error)
        *error = message;
    return true;
}

bool Database::exec(QSqlQuery& q, const QString& sqlText, const QVariantMap& params, QString* error) {
    if (injectedFailure(sqlText, error))
        return false;
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    // Statements without parameters run as they are (the server cannot
    // prepare DDL).
    if (params.isEmpty()) {
        if (!q.exec(sqlText)) {
            if (error)
                *error = errorText(q.lastError());
            return false;
        }
        return true;
    }
    if (!q.prepare(sqlText)) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QString name = it.key().startsWith(QLatin1Char(':')) ? it.key() : QLatin1Char(':') + it.key();
        q.bindValue(name, it.value());
    }
    if (!q.exec()) {
        if (error)
            *error = errorText(q.lastError());
        return false;
    }
    return true;
}

bool Database::exec(const QString& sqlText, const QVariantMap& params, QString* error) {
    QSqlQuery q(sql());
    return exec(q, sqlText, params, error);
}

std::optional<QVariant> Database::scalar(const QString& sqlText, const QVariantMap& params, QString* error) {
    QSqlQuery q(sql());
    if (!exec(q, sqlText, params, error) || !q.next())
        return std::nullopt;
    return q.value(0);
}

std::optional<QVariantMap> Database::firstRow(const QString& sqlText, const QVariantMap& params, QString* error) {
    QSqlQuery q(sql());
    if (!exec(q, sqlText, params, error))
        return std::nullopt;
    QVariantMap out;
    if (q.next()) {
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            out.insert(rec.fieldName(i).toUpper(), rec.value(i));
    }
    return out;
}

bool Database::beginTransaction(QString* error) {
    QSqlDatabase db = sql();
    if (!db.transaction()) {
        if (error)
            *error = errorText(db.lastError());
        return false;
    }
    inTransaction_ = true;
    return true;
}

bool Database::commit(QString* error) {
    QSqlDatabase db = sql();
    const bool ok = db.commit();
    if (!ok) {
        if (error)
            *error = errorText(db.lastError());
        db.rollback();
    }
    inTransaction_ = false;
    return ok;
}

bool Database::transaction(const std::function<bool()>& work, QString* error) {
    if (!beginTransaction(error))
        return false;
    if (!work()) {
        rollback();
        return false;
    }
    return commit(error);
}

bool Database::lockInTransaction(const QString& name, QString* error) {
    const QString lock = dialect_.transactionLock();
    return lock.isEmpty() || exec(lock, {{QStringLiteral("WLOCK"), name}}, error);
}

bool Database::rollback() {
    QSqlDatabase db = sql();
    inTransaction_ = false;
    return db.rollback();
}

} // namespace corvane::db
