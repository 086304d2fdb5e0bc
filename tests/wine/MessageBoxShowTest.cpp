// A message box whose own show the system replaced by the start-up show command
// (hidden, minimised, maximised) is brought back to normal from its modal loop.
#include "ui/MessageBoxShow.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnsel::ui {
namespace {

void RunMessages(int rounds, const std::function<bool()>& done) {
  for (int round = 0; round < rounds && !done(); ++round) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

bool ShownNormal(HWND window) {
  return IsWindowVisible(window) && !IsIconic(window) && !IsZoomed(window);
}

// A dialog window standing in for the box, shown as the replaced command would
// show it; messages are then processed as the box's modal loop would, until the
// guard has run or the loop gives up. With `loopFirst`, a message loop runs
// before the box is made.
HWND ShowReplacedInBoxLoop(int replacedCommand, bool loopFirst) {
  MessageBoxShowGuard guard;
  if (loopFirst) RunMessages(5, [] { return false; });
  HWND box = CreateWindowExW(0, L"#32770", L"box", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100,
                             200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!box) return nullptr;
  ShowWindow(box, replacedCommand);
  RunMessages(100, [box] { return ShownNormal(box); });
  return box;
}

TEST(MessageBoxShowTest, ReplacedShowsEndNormal) {
  for (const int replaced : {SW_HIDE, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE,
                             SW_FORCEMINIMIZE, SW_MINIMIZE}) {
    SCOPED_TRACE(replaced);
    HWND box = ShowReplacedInBoxLoop(replaced, false);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(ShownNormal(box));
    DestroyWindow(box);
  }
}

TEST(MessageBoxShowTest, AMessageLoopBeforeTheBoxLeavesTheCorrectionForTheBox) {
  HWND box = ShowReplacedInBoxLoop(SW_HIDE, true);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(ShownNormal(box));
  DestroyWindow(box);
}

}  // namespace
}  // namespace tarnsel::ui
