// A message box whose own show the system replaced by the start-up show command
// (hidden, minimised, maximised) is brought back to normal from its modal loop.
#include "ui/MessageBoxShow.h"

#include <gtest/gtest.h>

namespace tarnsel::ui {
namespace {

// A dialog window standing in for the box, shown as the replaced command would
// show it; messages are then processed as the box's modal loop would, until the
// guard has run or the loop gives up.
void ShowReplacedAndRunBoxLoop(int replacedCommand, HWND& box) {
  MessageBoxShowGuard guard;
  box = CreateWindowExW(0, L"#32770", L"box", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 200,
                        100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(box, nullptr);
  ShowWindow(box, replacedCommand);
  for (int round = 0; round < 100; ++round) {
    if (IsWindowVisible(box) && !IsIconic(box) && !IsZoomed(box)) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

TEST(MessageBoxShowTest, ReplacedShowsEndNormal) {
  for (const int replaced : {SW_HIDE, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE,
                             SW_FORCEMINIMIZE, SW_MINIMIZE}) {
    SCOPED_TRACE(replaced);
    HWND box = nullptr;
    ShowReplacedAndRunBoxLoop(replaced, box);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_FALSE(IsIconic(box));
    EXPECT_FALSE(IsZoomed(box));
    DestroyWindow(box);
  }
}

}  // namespace
}  // namespace tarnsel::ui
