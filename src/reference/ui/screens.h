#pragma once

#include "screens/screen_setting.h"
#include "shell/ui/tfacfmenu.h"

namespace corvane::reference {

using screens::ScreenSetting;

// The costing reference screens the main menu opens.
void registerScreens(shell::ScreenTable& table);

} // namespace corvane::reference
