#pragma once

#include <QFile>
#include <QString>

// A file's whole text (UTF-8); empty when it cannot be read.
inline QString readTextFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}
