#pragma once

#include "alias.h"
#include "dialect.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>

class QSqlQuery;
class QSqlError;

namespace corvane::db {

// One logical database (DBGERAL, DBPRDXCORVANE, ...): an alias resolved through
// the site's alias file, and the two parameter lines "USER NAME=" and
// "PASSWORD=" that the server checks. The connection stays open until
// disconnect() or destruction.
class Database {
public:
    Database(QString logicalName, QString designAlias);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& logicalName() const { return logicalName_; }
    const QString& alias() const { return alias_; }
    void setAlias(const QString& alias) { alias_ = alias; }
    void setRegistry(const AliasRegistry* registry) { registry_ = registry; }
    // Replaces the parameters by exactly these lines.
    void setParams(const QStringList& lines) { params_ = lines; }
    const QStringList& params() const { return params_; }
    QString paramValue(const QString& key) const; // "USER NAME" -> value

    // Connects; a missing SQLite file is an error unless createIfMissing.
    bool connect(QString* error, bool createIfMissing = false);
    void disconnect();
    bool isConnected() const;

    QSqlDatabase sql() const { return QSqlDatabase::database(connectionName_, false); }
    Backend backend() const { return target_.backend; }
    const Dialect& dialect() const { return dialect_; }
    const AliasTarget& target() const { return target_; }

    // A prepared query with the parameters bound by name (":NAME" or "NAME").
    bool exec(const QString& sql, const QVariantMap& params = {}, QString* error = nullptr);
    bool exec(QSqlQuery& query, const QString& sql, const QVariantMap& params, QString* error);
    // The first column of the first row, if any.
    std::optional<QVariant> scalar(const QString& sql, const QVariantMap& params = {}, QString* error = nullptr);
    // The first row of a select, its columns by upper-case name; an empty map
    // when there is none; nullopt with the server's message on failure.
    std::optional<QVariantMap> firstRow(const QString& sql, const QVariantMap& params = {}, QString* error = nullptr);

    bool beginTransaction(QString* error = nullptr);
    bool commit(QString* error = nullptr);
    bool rollback();
    bool inTransaction() const { return inTransaction_; }
    // Runs `work` in one transaction: committed when it answers true, rolled
    // back when it answers false (its own message then stays in *error).
    bool transaction(const std::function<bool()>& work, QString* error = nullptr);
    // In the open transaction: waits for, then holds until the transaction
    // ends, the lock of that name (Dialect::transactionLock); nothing to do
    // where the first write already locks out every other writer.
    bool lockInTransaction(const QString& name, QString* error = nullptr);

    // The server's own message for an error.
    static QString errorText(const QSqlError& e);

    // For tests: a statement for which the hook answers true fails as if the
    // server had refused it, with the hook's message.
    using FailureHook = std::function<bool(const QString& sql, QString* message)>;
    void setFailureHook(FailureHook hook) { failureHook_ = std::move(hook); }

private:
    friend class RowReader;
    bool injectedFailure(const QString& sql, QString* error) const;

    QString logicalName_;
    QString alias_;
    QString connectionName_;
    QStringList params_;
    const AliasRegistry* registry_ = nullptr;
    AliasTarget target_;
    Dialect dialect_{Backend::SQLite};
    bool inTransaction_ = false;
    FailureHook failureHook_;
};

} // namespace corvane::db
