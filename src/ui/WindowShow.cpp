// Shows a top-level window in a wanted state without replaceable show commands.
#include "ui/WindowShow.h"

namespace tarnsel::ui {

screen::ShownState ShownStateOf(HWND window) {
  return {IsWindowVisible(window) != FALSE, IsIconic(window) != FALSE, IsZoomed(window) != FALSE};
}

void ShowInState(HWND window, screen::TWindowState state) {
  screen::BringToState([window] { return ShownStateOf(window); },
                       [window](int command) { ShowWindow(window, command); }, state);
}

}  // namespace tarnsel::ui
