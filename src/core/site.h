#pragma once

#include <QString>

namespace corvane {

// The site root folder stands for the drive folder of an installation: the
// workstation files, the alias file, the credentials and the log live under it.
// CORVANE_SITE overrides the default (the desktop's data folder + "/Corvane").
class Site {
public:
    explicit Site(QString root) : root_(std::move(root)) {}
    static QString defaultRoot();
    static Site fromEnvironment();

    const QString& root() const { return root_; }
    QString path(const QString& relative) const;

    QString workstationNameFile() const {
        return path(QStringLiteral("programas/Computador/Computador.txt"));
    }
    QString workstationTypeFile() const {
        return path(QStringLiteral("Programas/Computador/TipoComputador.txt"));
    }
    QString aliasFile() const { return path(QStringLiteral("config/aliases.ini")); }
    QString credentialsFile() const { return path(QStringLiteral("config/general.credentials")); }
    QString upgradeSettingsFile() const { return path(QStringLiteral("config/upgrade.ini")); }
    QString logFile() const { return path(QStringLiteral("log/corvane.log")); }
    QString changesDocument() const { return path(QStringLiteral("Programas/Pdf/Corvane.pdf")); }

    // Whether the folder holds a site (its alias file); when it does not, the
    // message names the folder looked at and how to make a site there.
    bool exists() const;
    QString missingMessage() const;

private:
    QString root_;
};

// One workstation file read line by line: each line gives at most maxChars
// characters, the last line read gives the value; an empty line is an error.
struct WorkstationValue {
    QString value;
    bool emptyLine = false;
};
WorkstationValue readWorkstationFile(const QString& fileName, int maxChars);

} // namespace corvane
