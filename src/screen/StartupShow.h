// How a window is made visible without the system replacing the show command:
// the first show's answer to the process's start-up show command, and the
// commands that bring a window into a wanted state. No Windows headers here.
#pragma once

#include <functional>
#include <optional>

namespace tarnsel::screen {

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// The system's show commands, by value.
namespace show_command {
constexpr int kHide = 0;
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kShowNoActivate = 4;
constexpr int kShow = 5;
constexpr int kMinimize = 6;
constexpr int kShowMinNoActive = 7;
constexpr int kShowNA = 8;
constexpr int kRestore = 9;
constexpr int kShowDefault = 10;
constexpr int kForceMinimize = 11;
}  // namespace show_command

// True for the commands that the system may replace by the show command of the
// process's start-up information (shortcut "maximised", start /min, a caller's
// 0 …): 1 and 5 on the process's first show, 10 always. The program never
// issues them for a top-level window.
bool SystemMaySubstitute(int command);

// The main window's first show for the show command the process was started
// with: maximised for 3; for 7 only a taskbar button, the real show (and the
// show handler) waiting until the user restores the window; normal otherwise.
struct FirstShowPlan {
  TWindowState state;  // the state the first show ends in, unless its handler sets another
  bool deferred;       // the first show waits for the user's restore
  int command;         // what to issue: at once when deferred, else after the show handler
};
FirstShowPlan PlanFirstShow(int startupShowCommand);

// What a top-level window looks like now.
struct ShownState {
  bool visible = false;
  bool minimized = false;
  bool maximized = false;
};

// The command that makes a hidden window visible in `state`.
int ShowCommandFor(TWindowState state);

// The command that brings a window from `now` to visible in `wanted`; nothing
// when it is there already.
std::optional<int> CommandToReach(const ShownState& now, TWindowState wanted);

// Issues the commands that bring a window to visible in `wanted`: at most two,
// since a restore from minimised lands maximised when the window was maximised
// before.
void BringToState(const std::function<ShownState()>& now, const std::function<void(int)>& show,
                  TWindowState wanted);

}  // namespace tarnsel::screen
