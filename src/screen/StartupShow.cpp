// The show commands a window is shown with, chosen so that the system never
// replaces them by the process's start-up show command.
#include "screen/StartupShow.h"

namespace tarnsel::screen {

using namespace show_command;

bool SystemMaySubstitute(int command) {
  return command == kShowNormal || command == kShow || command == kShowDefault;
}

FirstShowPlan PlanFirstShow(int startupShowCommand) {
  if (startupShowCommand == kShowMinNoActive) {
    return {TWindowState::wsMinimized, true, kShowMinNoActive};
  }
  const TWindowState state =
      startupShowCommand == kShowMaximized ? TWindowState::wsMaximized : TWindowState::wsNormal;
  return {state, false, ShowCommandFor(state)};
}

int ShowCommandFor(TWindowState state) {
  // SW_RESTORE shows a hidden window normal and active, as SW_SHOWNORMAL would.
  switch (state) {
    case TWindowState::wsMaximized:
      return kShowMaximized;
    case TWindowState::wsMinimized:
      return kShowMinimized;
    case TWindowState::wsNormal:
      break;
  }
  return kRestore;
}

std::optional<int> CommandToReach(const ShownState& now, TWindowState wanted) {
  if (!now.visible) return ShowCommandFor(wanted);
  switch (wanted) {
    case TWindowState::wsNormal:
      if (now.minimized || now.maximized) return kRestore;
      break;
    case TWindowState::wsMaximized:
      if (!now.maximized) return kShowMaximized;
      break;
    case TWindowState::wsMinimized:
      if (!now.minimized) return kShowMinimized;
      break;
  }
  return std::nullopt;
}

void BringToState(const std::function<ShownState()>& now, const std::function<void(int)>& show,
                  TWindowState wanted) {
  for (int step = 0; step < 2; ++step) {
    const std::optional<int> command = CommandToReach(now(), wanted);
    if (!command) return;
    show(*command);
  }
}

}  // namespace tarnsel::screen
