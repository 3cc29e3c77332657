#pragma once

#include "core/working_context.h"
#include "data_modules.h"

#include <optional>

namespace corvane::shell {

// Texts of the update screen.
inline const QString kVersionCaption = QStringLiteral("Actualização de Versão ...");
inline const QString kVersionWorking = QStringLiteral("Processamento em curso ... ");
inline const QString kVersionPrevious = QStringLiteral("Versão  Anterior : ");
inline const QString kVersionFinished = QStringLiteral("Actualização da Versão finalizada");
inline const QString kVersionSuccess = QStringLiteral("com Sucesso !!! ");
inline const QString kVersionNew = QStringLiteral("Nova Versão :");

// What the update loop shows; the update screen implements it with its
// labels and status bar, tests by recording.
class VersionUpdateView {
public:
    virtual ~VersionUpdateView() = default;
    virtual void statusText(const QString& text) = 0;
    // The version beside "Versão  Anterior : ".
    virtual void showVersion(const QString& version) = 0;
    // Hides "Versão  Anterior : " and shows the success labels with the version.
    virtual void showFinished(const QString& version) = 0;
    // Beep and a message the user acknowledges; the update then ends.
    virtual void failure(const QString& message) = 0;
};

// The step a version string has reached: "01.003" gives 3. Empty for anything
// the steps cannot start from ("01." and three digits, at most the program's).
std::optional<int> versionStepReached(const QString& version);

// The update loop of the update screen: runs the pending steps from the
// context's database version to the program's version and records the
// version with the working date. The recorded version changes only when the
// whole run succeeds; a failing step leaves the database as it was before that
// step and the server's message is shown.
class VersionUpdate {
public:
    VersionUpdate(TDTVERSAO& versao, WorkingContext& ctx, VersionUpdateView& view)
        : versao_(versao), ctx_(ctx), view_(view) {}

    // True when the database is at the program's version.
    bool run();

private:
    bool fail(const QString& message);
    bool record(const QString& version);

    TDTVERSAO& versao_;
    WorkingContext& ctx_;
    VersionUpdateView& view_;
};

} // namespace corvane::shell
