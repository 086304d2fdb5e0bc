// The first show against a simulated system that replaces the first plain show
// command of a process by its start-up show command, for all twelve commands.
#include "screen/StartupShow.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarnsel::ui {
namespace {

using namespace screen::show_command;

// ShowWindow as the system applies it to a top-level window, including the
// replacement of the process's first 1 or 5 (and of every 10) by the start-up
// show command.
class SimulatedShowWindow {
 public:
  struct Window {
    screen::ShownState state;
    bool restoresMaximized = false;  // minimised from maximised
  };

  explicit SimulatedShowWindow(std::optional<int> startupShowCommand)
      : startup_(startupShowCommand), pending_(startupShowCommand.has_value()) {}

  void show(Window& window, int command) {
    if (command == kShowDefault) {
      command = startup_.value_or(kShowNormal);
    } else if (pending_ && (command == kShowNormal || command == kShow)) {
      command = *startup_;
      pending_ = false;
    }
    screen::ShownState& s = window.state;
    switch (command) {
      case kHide:
        s.visible = false;
        return;
      case kShowNormal:
      case kShowNoActivate:
        s = {true, false, false};
        return;
      case kShowMaximized:
        s = {true, false, true};
        return;
      case kShowMinimized:
      case kMinimize:
      case kShowMinNoActive:
      case kForceMinimize:
        if (!s.minimized) window.restoresMaximized = s.maximized;
        s = {true, true, false};
        return;
      case kRestore:
        if (s.minimized) {
          s = {true, false, window.restoresMaximized};
        } else {
          s = {true, false, false};
        }
        return;
      default:  // kShow, kShowNA: visible in the state it has
        s.visible = true;
        return;
    }
  }

  // Shows through the program's own helper, as the forms do.
  void bringToState(Window& window, screen::TWindowState wanted) {
    screen::BringToState([&] { return window.state; }, [&](int command) { show(window, command); },
                         wanted);
  }

 private:
  std::optional<int> startup_;
  bool pending_;
};

bool IsNormal(const screen::ShownState& s) { return s.visible && !s.minimized && !s.maximized; }
bool IsMaximized(const screen::ShownState& s) { return s.visible && s.maximized; }

TEST(StartupShow, SimulatedSystemReplacesOnlyTheFirstPlainShow) {
  SimulatedShowWindow system(kShowMaximized);
  SimulatedShowWindow::Window first, second;
  system.show(first, kShowNormal);
  system.show(second, kShow);
  EXPECT_TRUE(IsMaximized(first.state));
  EXPECT_TRUE(IsNormal(second.state));
}

TEST(StartupShow, MainWindowFirstShowFollowsTheStartupCommand) {
  for (int startup = kHide; startup <= kForceMinimize; ++startup) {
    SCOPED_TRACE(startup);
    const screen::FirstShowPlan plan = screen::PlanFirstShow(startup);
    EXPECT_FALSE(screen::SystemMaySubstitute(plan.command));
    SimulatedShowWindow system(startup);
    SimulatedShowWindow::Window main;
    if (startup == kShowMinNoActive) {
      // Only a taskbar button; the user's restore shows it normal.
      ASSERT_TRUE(plan.deferred);
      system.show(main, plan.command);
      EXPECT_TRUE(main.state.minimized);
      system.show(main, kRestore);
      system.bringToState(main, screen::TWindowState::wsNormal);
      EXPECT_TRUE(IsNormal(main.state));
      continue;
    }
    ASSERT_FALSE(plan.deferred);
    EXPECT_EQ(plan.state == screen::TWindowState::wsMaximized, startup == kShowMaximized);
    // The show handler stopped before the start-up check: the planned state.
    SimulatedShowWindow::Window interrupted;
    system.show(interrupted, plan.command);
    if (startup == kShowMaximized) {
      EXPECT_TRUE(IsMaximized(interrupted.state));
    } else {
      EXPECT_TRUE(IsNormal(interrupted.state));
    }
    // The start-up check set the normal state while the window was being shown.
    SimulatedShowWindow fresh(startup);
    fresh.bringToState(main, screen::TWindowState::wsNormal);
    EXPECT_TRUE(IsNormal(main.state));
  }
}

TEST(StartupShow, LaterFirstShowsOfTheProcessAreNotReplaced) {
  for (int startup = kHide; startup <= kForceMinimize; ++startup) {
    SCOPED_TRACE(startup);
    SimulatedShowWindow system(startup);
    SimulatedShowWindow::Window main, picker;
    system.show(main, screen::PlanFirstShow(startup).command);
    // The picker's first modal show, then a later one after the user maximised it.
    system.bringToState(picker, screen::TWindowState::wsNormal);
    EXPECT_TRUE(IsNormal(picker.state));
    system.show(picker, kShowMaximized);
    system.show(picker, kHide);
    system.bringToState(picker, screen::TWindowState::wsMaximized);
    EXPECT_TRUE(IsMaximized(picker.state));
    // A message box shows itself with a plain show, which may be replaced; the
    // box is then brought back to normal.
    SimulatedShowWindow::Window box;
    system.show(box, kShowNormal);
    system.bringToState(box, screen::TWindowState::wsNormal);
    EXPECT_TRUE(IsNormal(box.state));
  }
}

TEST(StartupShow, CommandToReachUsesNoReplaceableCommand) {
  for (const bool visible : {false, true}) {
    for (const bool minimized : {false, true}) {
      for (const bool maximized : {false, true}) {
        for (const screen::TWindowState wanted :
             {screen::TWindowState::wsNormal, screen::TWindowState::wsMinimized,
              screen::TWindowState::wsMaximized}) {
          const auto command = screen::CommandToReach({visible, minimized, maximized}, wanted);
          if (command) {
            EXPECT_FALSE(screen::SystemMaySubstitute(*command));
          }
        }
      }
    }
  }
  EXPECT_EQ(screen::CommandToReach({true, false, false}, screen::TWindowState::wsNormal),
            std::nullopt);
  EXPECT_EQ(screen::CommandToReach({true, false, true}, screen::TWindowState::wsMaximized),
            std::nullopt);
}

TEST(StartupShow, RestoreFromMinimisedAfterMaximisedEndsNormal) {
  SimulatedShowWindow system(std::nullopt);
  SimulatedShowWindow::Window window;
  system.show(window, kShowMaximized);
  system.show(window, kMinimize);
  system.bringToState(window, screen::TWindowState::wsNormal);
  EXPECT_TRUE(IsNormal(window.state));
}

}  // namespace
}  // namespace tarnsel::ui
