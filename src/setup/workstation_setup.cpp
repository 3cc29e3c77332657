#include "workstation_setup.h"

#include "core/site.h"
#include "db/database.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace corvane::setup {

namespace {

// The user's password, which the sign-on row must repeat; false when the
// company has no such user.
bool userPassword(SiteBuilder& builder, const CompanySpec& company, const QString& user, QString* password,
                  QString* error) {
    auto corvane = builder.connectCompany(company, company.programAlias, error);
    if (!corvane)
        return false;
    QSqlQuery q(corvane->sql());
    if (!corvane->exec(q, QStringLiteral("SELECT PASSWOR FROM UTILIZADORES WHERE NRO = :U"),
                       {{QStringLiteral("U"), user}}, error))
        return false;
    if (!q.next()) {
        *error = QStringLiteral("Utilizador Inexistente : %1 (empresa %2)").arg(user).arg(company.number);
        return false;
    }
    *password = q.value(0).toString().trimmed();
    return true;
}

bool nameIsFree(SiteBuilder& builder, const QString& name, QString* error) {
    QSqlQuery q(builder.general().sql());
    if (!builder.general().exec(
            q, QStringLiteral("SELECT UTIL FROM PARAMUTIL WHERE APLICACAO = 'CORVANE' AND COMP_NAME = :C"),
            {{QStringLiteral("C"), name}}, error))
        return false;
    if (q.next()) {
        *error = QStringLiteral("O posto %1 já existe (utilizador %2).")
                     .arg(name, q.value(0).toString().trimmed());
        return false;
    }
    return true;
}

bool copyFile(const QString& from, const QString& to, QString* error) {
    if (!QFileInfo::exists(from))
        return true;
    QFile::remove(to);
    if (QFile::copy(from, to))
        return true;
    *error = QStringLiteral("Não foi possível copiar %1 para %2").arg(from, to);
    return false;
}

// The folders and files of the new site: the same databases by absolute
// paths, the same credentials (readable by the owner only).
bool writeFolder(const SiteBuilder& builder, const WorkstationSpec& spec, QString* error) {
    const QString root = QFileInfo(spec.folder).absoluteFilePath();
    for (const QString& sub :
         {QStringLiteral("config"), QStringLiteral("log"), QStringLiteral("programas/Computador"),
          QStringLiteral("Programas/Computador"), QStringLiteral("Programas/Pdf")})
        if (!QDir().mkpath(QDir(root).filePath(sub))) {
            *error = QStringLiteral("Não foi possível criar a pasta %1").arg(QDir(root).filePath(sub));
            return false;
        }
    db::AliasRegistry aliases(root);
    for (const QString& alias : builder.registry().aliases()) {
        db::AliasTarget t = builder.registry().target(alias);
        if (t.backend == db::Backend::SQLite)
            t.file = QFileInfo(t.file).absoluteFilePath();
        aliases.set(alias, t);
    }
    const Site from(builder.root()), to(root);
    if (!aliases.save(to.aliasFile(), error) ||
        !copyFile(from.credentialsFile(), to.credentialsFile(), error) ||
        !copyFile(from.upgradeSettingsFile(), to.upgradeSettingsFile(), error) ||
        !copyFile(from.workstationTypeFile(), to.workstationTypeFile(), error))
        return false;
    QFile::setPermissions(to.credentialsFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QDir pdf(from.path(QStringLiteral("Programas/Pdf")));
    for (const QString& file : pdf.entryList(QDir::Files))
        if (!copyFile(pdf.filePath(file), to.path(QStringLiteral("Programas/Pdf/")) + file, error))
            return false;
    return writeSiteText(to.workstationNameFile(), spec.name + QLatin1Char('\n'), error);
}

} // namespace

bool addWorkstation(SiteBuilder& builder, const WorkstationSpec& spec, const QDate& today, QString* error) {
    if (spec.name.trimmed().isEmpty() || spec.name.size() > 30) {
        *error = QStringLiteral("O nome do posto tem de ter de 1 a 30 caracteres : '%1'").arg(spec.name);
        return false;
    }
    const QDir folder(spec.folder);
    if (folder.exists() && !folder.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        *error = QStringLiteral("A pasta %1 já existe e não está vazia.").arg(spec.folder);
        return false;
    }
    CompanySpec company;
    QString password;
    if (!builder.findCompany(spec.company, &company, error) ||
        !userPassword(builder, company, spec.user, &password, error) ||
        !nameIsFree(builder, spec.name, error))
        return false;
    const bool existed = folder.exists();
    if (!writeFolder(builder, spec, error) ||
        !builder.general().exec(
            QStringLiteral("INSERT INTO PARAMUTIL (COMP_NAME, UTIL, EMPNRO, APLICACAO, ANO, DATA, PASSWOR) "
                           "VALUES (:C, :U, :E, 'CORVANE', :A, :D, :P)"),
            {{QStringLiteral("C"), spec.name},
             {QStringLiteral("U"), spec.user},
             {QStringLiteral("E"), spec.company},
             {QStringLiteral("A"), QString::number(today.year())},
             {QStringLiteral("D"), QDateTime(today, QTime(0, 0))},
             {QStringLiteral("P"), password}},
            error)) {
        QDir(spec.folder).removeRecursively(); // as it was: absent, or empty
        if (existed)
            QDir().mkpath(spec.folder);
        return false;
    }
    return true;
}

} // namespace corvane::setup
