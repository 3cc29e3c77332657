#include "credentials.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace corvane::db {

QString credentialLibraryPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libveltrano.so"));
}

bool loadGeneralCredentials(GeneralCredentials* out, QString* error) {
    QLibrary lib(credentialLibraryPath());
    if (!lib.load()) {
        if (error)
            *error = QStringLiteral("Biblioteca de credenciais inexistente : %1\n%2")
                         .arg(credentialLibraryPath(), lib.errorString());
        return false;
    }
    using Ordinal = const char* (*)();
    auto ordinal1 = reinterpret_cast<Ordinal>(lib.resolve("VeltranoOrdinal1"));
    auto ordinal2 = reinterpret_cast<Ordinal>(lib.resolve("VeltranoOrdinal2"));
    if (!ordinal1 || !ordinal2) {
        if (error)
            *error = QStringLiteral("Biblioteca de credenciais inválida : %1").arg(credentialLibraryPath());
        return false;
    }
    // Copied at once: the library keeps its own buffers.
    const char* user = ordinal1();
    const QString userName = user ? QString::fromLocal8Bit(user) : QString();
    const char* pass = ordinal2();
    const QString password = pass ? QString::fromLocal8Bit(pass) : QString();
    if (!user || !pass) {
        if (error)
            *error = QStringLiteral("Credenciais da base de dados geral inexistentes ou desprotegidas "
                                    "(o ficheiro config/general.credentials do local deve ser legível só pelo dono).");
        return false;
    }
    out->userName = userName;
    out->password = password;
    return true;
}

} // namespace corvane::db
