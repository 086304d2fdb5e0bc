// Shows a top-level window in a wanted state with show commands that the system
// never replaces by the process's start-up show command.
#pragma once

#include <windows.h>

#include "screen/StartupShow.h"

namespace tarnsel::ui {

screen::ShownState ShownStateOf(HWND window);
void ShowInState(HWND window, screen::TWindowState state);

}  // namespace tarnsel::ui
