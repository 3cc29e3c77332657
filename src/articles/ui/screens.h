#pragma once

#include "shell/ui/tfacfmenu.h"

namespace corvane::articles {

// The article screens the main menu opens.
void registerScreens(shell::ScreenTable& table);

} // namespace corvane::articles
