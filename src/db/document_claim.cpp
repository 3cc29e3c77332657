#include "document_claim.h"

#include <QSqlQuery>
#include <QSysInfo>
#include <QUuid>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace corvane::db {

namespace {

const QString kTable = QStringLiteral("DOCUMENTOS_EM_USO");

QDateTime readDateTime(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime();
    QString s = v.toString().trimmed();
    s.replace(QLatin1Char(' '), QLatin1Char('T'));
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    return dt.isValid() ? dt : QDateTime::fromString(s, Qt::ISODate);
}

bool processRuns(qint64 pid) {
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

ClaimHolder holderOf(const QVariantMap& row) {
    return {row.value(QStringLiteral("UTIL")).toString().trimmed(),
            row.value(QStringLiteral("COMP_NAME")).toString().trimmed(),
            readDateTime(row.value(QStringLiteral("DESDE")))};
}

} // namespace

ClaimSession ClaimSession::current(const QString& user, const QString& workstation) {
    ClaimSession s;
    s.user = user;
    s.workstation = workstation;
    s.host = QSysInfo::machineHostName().left(60);
    s.pid = static_cast<qint64>(::getpid());
    s.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    return s;
}

DocumentClaims::DocumentClaims(Database& db, ClaimSession session) : db_(&db), session_(std::move(session)) {}

DocumentClaims::~DocumentClaims() {
    if (db_->isConnected())
        releaseAll();
}

Table DocumentClaims::table() {
    return {kTable,
            {text(QStringLiteral("DOCUMENTO"), 60, true), text(QStringLiteral("UTIL"), 15),
             text(QStringLiteral("COMP_NAME"), 30), text(QStringLiteral("SESSAO"), 40),
             text(QStringLiteral("MAQUINA"), 60), integer(QStringLiteral("PROCESSO")),
             datetime(QStringLiteral("DESDE")), datetime(QStringLiteral("VISTO"))},
            {QStringLiteral("DOCUMENTO")},
            {},
            {}};
}

bool DocumentClaims::ensureTable(QString* error) {
    if (tableReady_)
        return true;
    QString failure;
    const bool exists = db_->dialect().tableExists(db_->sql(), kTable, &failure);
    if (!exists && !failure.isEmpty()) {
        if (error)
            *error = failure;
        return false;
    }
    if (!exists && !db_->exec(db_->dialect().createTable(table()), {}, error))
        return false;
    tableReady_ = true;
    return true;
}

bool DocumentClaims::serverLock(const QString& document, bool take, QString* error) {
    if (db_->backend() != Backend::PostgreSQL)
        return true;
    const QString sql = take ? QStringLiteral("SELECT pg_try_advisory_lock(hashtext(current_schema() || "
                                              "':claim:' || :WDOC))")
                             : QStringLiteral("SELECT pg_advisory_unlock(hashtext(current_schema() || "
                                              "':claim:' || :WDOC))");
    const std::optional<QVariant> got = db_->scalar(sql, {{QStringLiteral("WDOC"), document}}, error);
    return got && got->toBool();
}

std::optional<QVariantMap> DocumentClaims::stored(const QString& document, QString* error) {
    return db_->firstRow(QStringLiteral("SELECT * FROM DOCUMENTOS_EM_USO WHERE DOCUMENTO = :WDOC"),
                         {{QStringLiteral("WDOC"), document}}, error);
}

bool DocumentClaims::alive(const QVariantMap& row) const {
    if (row.value(QStringLiteral("MAQUINA")).toString().trimmed() == session_.host)
        return processRuns(row.value(QStringLiteral("PROCESSO")).toLongLong());
    const QDateTime seen = readDateTime(row.value(QStringLiteral("VISTO")));
    return seen.isValid() && seen.secsTo(now()) < kStaleSeconds;
}

DocumentClaims::Outcome DocumentClaims::claim(const QString& document, ClaimHolder* holder, QString* error) {
    const QString key = document.trimmed().toUpper().left(60);
    if (held_.contains(key))
        return Outcome::Held;
    QString failure;
    if (!ensureTable(&failure)) {
        if (error)
            *error = failure;
        return Outcome::Failed;
    }
    const bool locked = serverLock(key, true, &failure);
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return Outcome::Failed;
    }
    const std::optional<QVariantMap> row = stored(key, &failure);
    if (!row) {
        if (locked)
            serverLock(key, false, nullptr);
        if (error)
            *error = failure;
        return Outcome::Failed;
    }
    // On PostgreSQL the server lock tells whether the holder lives; on SQLite
    // the row does.
    const bool pg = db_->backend() == Backend::PostgreSQL;
    if (!locked || (!pg && !row->isEmpty() && alive(*row) &&
                    row->value(QStringLiteral("SESSAO")).toString() != session_.id)) {
        if (holder)
            *holder = row->isEmpty() ? ClaimHolder{} : holderOf(*row);
        return Outcome::HeldByOther;
    }
    return takeOver(key, *row, holder, error);
}

DocumentClaims::Outcome DocumentClaims::takeOver(const QString& key, const QVariantMap& row, ClaimHolder* holder,
                                                 QString* error) {
    const QDateTime at = now();
    const QVariantMap params{{QStringLiteral("WDOC"), key},
                             {QStringLiteral("WUTIL"), session_.user.left(15)},
                             {QStringLiteral("WCOMP"), session_.workstation.left(30)},
                             {QStringLiteral("WSESSAO"), session_.id.left(40)},
                             {QStringLiteral("WMAQUINA"), session_.host.left(60)},
                             {QStringLiteral("WPROCESSO"), session_.pid},
                             {QStringLiteral("WAGORA"), at},
                             {QStringLiteral("WANTES"), row.value(QStringLiteral("SESSAO"))}};
    // A dead holder's row goes only if it is still that holder's: two runs
    // taking it over at once cannot both win.
    QString failure;
    const bool ok = db_->transaction(
        [&] {
            QSqlQuery q(db_->sql());
            if (!row.isEmpty() &&
                (!db_->exec(q, QStringLiteral("DELETE FROM DOCUMENTOS_EM_USO WHERE DOCUMENTO = :WDOC AND SESSAO = :WANTES"),
                            params, &failure) ||
                 q.numRowsAffected() != 1))
                return false;
            return db_->exec(QStringLiteral("INSERT INTO DOCUMENTOS_EM_USO (DOCUMENTO, UTIL, COMP_NAME, SESSAO, MAQUINA, "
                                            "PROCESSO, DESDE, VISTO) VALUES (:WDOC, :WUTIL, :WCOMP, :WSESSAO, "
                                            ":WMAQUINA, :WPROCESSO, :WAGORA, :WAGORA)"),
                             params, &failure);
        },
        &failure);
    if (ok) {
        held_.insert(key);
        return Outcome::Held;
    }
    serverLock(key, false, nullptr);
    // Someone came first: who holds it now.
    QString readError;
    const std::optional<QVariantMap> now = stored(key, &readError);
    if (now && !now->isEmpty()) {
        if (holder)
            *holder = holderOf(*now);
        return Outcome::HeldByOther;
    }
    if (error)
        *error = failure.isEmpty() ? readError : failure;
    return Outcome::Failed;
}

bool DocumentClaims::holds(const QString& document, QString* error) {
    const QString key = document.trimmed().toUpper().left(60);
    if (!held_.contains(key))
        return false;
    const std::optional<QVariantMap> row = stored(key, error);
    return row && row->value(QStringLiteral("SESSAO")).toString() == session_.id;
}

void DocumentClaims::release(const QString& document) {
    const QString key = document.trimmed().toUpper().left(60);
    if (!held_.remove(key))
        return;
    db_->exec(QStringLiteral("DELETE FROM DOCUMENTOS_EM_USO WHERE DOCUMENTO = :WDOC AND SESSAO = :WSESSAO"),
              {{QStringLiteral("WDOC"), key}, {QStringLiteral("WSESSAO"), session_.id}});
    serverLock(key, false, nullptr);
}

void DocumentClaims::releaseAll() {
    const QSet<QString> all = held_;
    for (const QString& key : all)
        release(key);
}

bool DocumentClaims::renew(QString* error) {
    if (held_.isEmpty())
        return true;
    return db_->exec(QStringLiteral("UPDATE DOCUMENTOS_EM_USO SET VISTO = :WAGORA WHERE SESSAO = :WSESSAO"),
                     {{QStringLiteral("WAGORA"), now()}, {QStringLiteral("WSESSAO"), session_.id}}, error);
}

QString DocumentClaims::inUseText(const QString& what, const ClaimHolder& holder, const QDateTime& now) {
    if (holder.user.isEmpty())
        return QStringLiteral("%1 em uso por outro utilizador").arg(what);
    const QString when = holder.since.date() == now.date()
                             ? holder.since.toString(QStringLiteral("HH:mm"))
                             : holder.since.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    return QStringLiteral("%1 em uso por %2 desde %3").arg(what, holder.user, when);
}

} // namespace corvane::db
