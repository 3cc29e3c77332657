#pragma once

// A demo site signed on in a main window, for programs that take pictures of
// screens for the docs: the first argument is the folder of the pictures.

#include "menu_window.h"

#include <QDir>

#include <cstdio>
#include <memory>

struct PictureSession {
    QString folder;
    TestSite site{QStringLiteral("sqlite")};
    std::unique_ptr<MenuWindow> menu;

    PictureSession(int argc, char** argv, corvane::shell::ScreenTable screens)
        : folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/images")) {
        QDir().mkpath(folder);
        if (!site.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(site.error()));
            return;
        }
        menu = std::make_unique<MenuWindow>(site, std::move(screens));
        if (!menu->show())
            menu.reset();
    }
    bool ok() const { return menu != nullptr; }
    QString path(const QString& name) const { return QDir(folder).filePath(name); }
};
