#pragma once

// Which file holds photograph n (1 to 4) of an article, and reading it.
#include <QImage>
#include <QString>
#include <QStringList>

namespace corvane::components {

// How many photographs an article has at the most.
inline constexpr int kPhotoCount = 4;
// The photographs' extension unless the working context says otherwise.
inline constexpr const char* kDefaultPhotoExtension = ".Bmp";

// The name of photograph `n` of article `code`: folder + code + n + extension,
// e.g. "/fotos/ECH001" + "2" + ".Bmp". Empty (no file) when the folder or the
// code is empty, when the code holds "/", "\" or "..", or when n is not 1..4.
// Surrounding blanks of the code are dropped; an empty extension is the default.
QString photoFileName(const QString& folder, const QString& code, int n,
                      const QString& extension = QString::fromLatin1(kDefaultPhotoExtension));

// The existing file of photograph `n`: photoFileName() when it exists,
// otherwise a file of the folder with the same name but for the case of the
// extension (".bmp", ".BMP"); empty when there is none.
QString findPhotoFile(const QString& folder, const QString& code, int n,
                      const QString& extension = QString::fromLatin1(kDefaultPhotoExtension));

// findPhotoFile() for photographs 1 to 4: always four entries, empty where a
// photograph has no file.
QStringList articlePhotoFiles(const QString& folder, const QString& code,
                              const QString& extension = QString::fromLatin1(kDefaultPhotoExtension));

// The picture of a file; a null image when the file is missing, empty or
// cannot be read as a picture.
QImage readPhoto(const QString& path);

} // namespace corvane::components
