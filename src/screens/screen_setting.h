#pragma once

#include "core/site_log.h"
#include "db/dataset.h"
#include "shell/access_rights.h"

namespace corvane::screens {

// What a screen needs from the signed-on program: the user's rights for its
// program, the status-bar signature, the update-error dialog and the log.
struct ScreenSetting {
    shell::AccessRights rights;
    QString signature;
    db::UpdateErrorHandler onError;
    const SiteLog* log = nullptr;
};

} // namespace corvane::screens
