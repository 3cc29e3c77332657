#include "photo_files.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace corvane::components {

namespace {
QString extensionOr(const QString& extension) {
    return extension.isEmpty() ? QString::fromLatin1(kDefaultPhotoExtension) : extension;
}
} // namespace

QString photoFileName(const QString& folder, const QString& code, int n, const QString& extension) {
    const QString name = code.trimmed();
    if (folder.isEmpty() || name.isEmpty() || n < 1 || n > kPhotoCount)
        return {};
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1String("..")))
        return {};
    return QDir(folder).filePath(name + QString::number(n) + extensionOr(extension));
}

QString findPhotoFile(const QString& folder, const QString& code, int n, const QString& given) {
    const QString extension = extensionOr(given);
    const QString path = photoFileName(folder, code, n, extension);
    if (path.isEmpty())
        return {};
    const QFileInfo expected(path);
    if (expected.isFile())
        return path;
    // The same name with another case of the extension.
    const QString base = expected.fileName().chopped(extension.size());
    const QDir dir = expected.dir();
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (file.size() == expected.fileName().size() && file.startsWith(base) &&
            file.endsWith(extension, Qt::CaseInsensitive))
            return dir.filePath(file);
    }
    return {};
}

QStringList articlePhotoFiles(const QString& folder, const QString& code, const QString& extension) {
    QStringList files;
    for (int n = 1; n <= kPhotoCount; ++n)
        files.append(findPhotoFile(folder, code, n, extension));
    return files;
}

QImage readPhoto(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace corvane::components
