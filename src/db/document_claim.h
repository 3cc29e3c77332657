#pragma once

#include "database.h"
#include "schema.h"

#include <QDateTime>
#include <QSet>

#include <functional>

namespace corvane::db {

// Who a program run is: the signed-on user, the workstation and a name of
// the run no other run has (with the machine and the process, so that a run
// that died on this machine is told at once).
struct ClaimSession {
    QString user;
    QString workstation;
    QString id;
    QString host;
    qint64 pid = 0;
    // The session of this process.
    static ClaimSession current(const QString& user, const QString& workstation);
};

// Who holds a document.
struct ClaimHolder {
    QString user;
    QString workstation;
    QDateTime since;
};

// Documents edited over many writes (a quotation, a technical sheet) are held
// by one program at a time: the holder writes, the others may only look.
// Claims live in DOCUMENTOS_EM_USO of the program database, one row a
// document. A claim of a program that died or lost its connection does not
// hold for ever:
// - on PostgreSQL the holder also keeps a session lock of the server, which
//   ends with its connection; a row without that lock is taken over;
// - on SQLite, whose files several programs share, the holder renews its rows
//   (renew(), every kRenewSeconds); a row of a process that no longer runs on
//   this machine, or not renewed for kStaleSeconds, is taken over.
class DocumentClaims {
public:
    static constexpr int kRenewSeconds = 30;
    static constexpr int kStaleSeconds = 120;

    DocumentClaims(Database& db, ClaimSession session);
    ~DocumentClaims();
    DocumentClaims(const DocumentClaims&) = delete;
    DocumentClaims& operator=(const DocumentClaims&) = delete;

    static Table table();
    const ClaimSession& session() const { return session_; }
    Database& database() const { return *db_; }

    enum class Outcome { Held, HeldByOther, Failed };
    // Claims the document for this run (already held: Held again). Another
    // live holder: HeldByOther with *holder; Failed with the server's message.
    Outcome claim(const QString& document, ClaimHolder* holder = nullptr, QString* error = nullptr);
    // Whether the stored claim is still this run's (nobody took it over).
    bool holds(const QString& document, QString* error = nullptr);
    // Gives the document up (nothing happens when this run does not hold it).
    void release(const QString& document);
    // Every document this run holds.
    void releaseAll();
    // Marks this run's claims as alive; the window calls it every kRenewSeconds.
    bool renew(QString* error = nullptr);
    const QSet<QString>& held() const { return held_; }

    // "Orçamento em uso por ANA desde 10:42" (the date too when not today).
    static QString inUseText(const QString& what, const ClaimHolder& holder, const QDateTime& now);

    // For tests: the clock claims are stamped and judged by.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

private:
    bool ensureTable(QString* error);
    bool serverLock(const QString& document, bool take, QString* error);
    std::optional<QVariantMap> stored(const QString& document, QString* error);
    bool alive(const QVariantMap& row) const;
    Outcome takeOver(const QString& document, const QVariantMap& row, ClaimHolder* holder, QString* error);

    Database* db_;
    ClaimSession session_;
    QSet<QString> held_; // upper case
    bool tableReady_ = false;
    std::function<QDateTime()> clock_;
};

} // namespace corvane::db
