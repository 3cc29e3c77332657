#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace corvane::components {

// The information file a site publishes for each kind of workstation
// ("UCorvane.txt", "UCorvane_MP.txt"): plain "key=value" lines,
//
//   version=01.010
//   setup=SetupCorvane.exe
//   sha256=<64 hexadecimal digits of the setup program>
//   notes=free text shown with the question (optional)
//
// Blank lines and lines starting with '#' are ignored. `setup` is resolved
// against the information file's own address.
struct UpgradeInfo {
    QString version;
    QUrl setup;
    QByteArray sha256; // lower-case hexadecimal
    QString notes;
};

// Reads the file; false with the reason when a key is missing or malformed.
bool parseUpgradeInfo(const QByteArray& text, const QUrl& infoFile, UpgradeInfo* out, QString* error);

// Versions compare by number, part by part ("01.010" > "01.009"); false when
// either is not made of numbers.
bool versionIsNewer(const QString& published, const QString& own);

} // namespace corvane::components
