#pragma once

#include <QString>

namespace corvane::db {

struct GeneralCredentials {
    QString userName;
    QString password;
};

// Loads the credential library that sits beside the program and asks it for the
// general database's user name (ordinal 1) and then its password (ordinal 2).
// Fails, with a message for the user, when the library or the credentials are missing.
bool loadGeneralCredentials(GeneralCredentials* out, QString* error);

// The file name of the credential library beside the running program.
QString credentialLibraryPath();

} // namespace corvane::db
