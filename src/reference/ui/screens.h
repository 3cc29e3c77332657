#pragma once

#include "shell/ui/tfacfmenu.h"
#include "table_screen_form.h"

namespace corvane::reference {

// The costing reference screens the main menu opens (TAB001 to TAB006 so far).
void registerScreens(shell::ScreenTable& table);

// The rights and the rest of what a screen of the chapter "Tabelas
// Especificas" takes from the signed-on main menu.
// (ScreenSetting is declared with the table screen window.)
ScreenSetting screenSetting(shell::TFACFMENU& menu, const QString& program);

} // namespace corvane::reference
