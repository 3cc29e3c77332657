#pragma once

#include "core/working_context.h"
#include "screens/screen_setting.h"
#include "shell/data_modules.h"
#include "shell/ui/tfacfmenu.h"

#include <functional>

namespace corvane::screens {

// What a screen opened from the main menu is given: the signed-on program's
// databases and datasets, the working context, the user's rights for any
// chapter and program, and the setting of the screen's own program.
struct ScreenOpening {
    shell::TFACFMENU& menu;
    shell::DataModules& modules;
    const WorkingContext& context;
    shell::RightsOf rightsOf; // the signed-on user's rights, in this application
    ScreenSetting setting;    // the rights of the screen's chapter and program, signature, errors, log

    // The user's rights for another program (a button that opens it).
    shell::AccessRights rights(const QString& chapter, const QString& program) const;
    // Whether a button may open that program: allowed unless ACEDER is "N"
    // or the user has no row for it.
    bool allowed(const QString& chapter, const QString& program) const;
    // The setting of another program, for a screen this one opens.
    ScreenSetting settingOf(const QString& chapter, const QString& program) const;
};

// The one way a screen is opened from the main menu: once signed on, the
// screen's rights are read for its chapter and program and `open` runs with
// them. Before sign-on (no databases) nothing opens.
shell::ScreenOpener screenOpener(const QString& chapter, const QString& program,
                                 std::function<void(ScreenOpening&)> open);

// The chapters and programs of every opener made so far, as "chapter/program":
// what the screens registered in the menu read their rights as.
QStringList openedPrograms();

// The setting of a program for the user signed on in the menu.
ScreenSetting screenSetting(shell::TFACFMENU& menu, const QString& chapter, const QString& program);

} // namespace corvane::screens
