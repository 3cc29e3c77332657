#pragma once

#include "shell/version_update.h"

#include <QStringList>

// What the update screen would have shown.
struct RecordingVersionView : corvane::shell::VersionUpdateView {
    QStringList status;
    QStringList versions; // beside "Versão  Anterior : ", in order
    QStringList finished;
    QStringList failures;

    void statusText(const QString& text) override { status << text; }
    void showVersion(const QString& version) override { versions << version; }
    void showFinished(const QString& version) override { finished << version; }
    void failure(const QString& message) override { failures << message; }
};
