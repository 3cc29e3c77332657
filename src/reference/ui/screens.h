#pragma once

#include "screens/screen_setting.h"
#include "shell/ui/tfacfmenu.h"

namespace corvane::reference {

using screens::ScreenSetting;

// The costing reference screens the main menu opens.
void registerScreens(shell::ScreenTable& table);

// The rights and the rest of what a screen of the chapter "Tabelas
// Especificas" takes from the signed-on main menu.
ScreenSetting screenSetting(shell::TFACFMENU& menu, const QString& program);

} // namespace corvane::reference
