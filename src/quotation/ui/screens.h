#pragma once

#include "shell/ui/tfacfmenu.h"

namespace corvane::quotation {

// The quotation screens the main menu opens ("&A - Orçamentação", BotOrcam).
void registerScreens(shell::ScreenTable& table);

} // namespace corvane::quotation
