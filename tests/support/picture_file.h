#pragma once

// Saving a widget as it looks, for the programs that take the docs' pictures.
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdio>

inline void save(QWidget* w, const QString& file) {
    if (!w->grab().save(file))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}
