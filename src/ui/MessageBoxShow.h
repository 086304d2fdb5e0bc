// Keeps a message box in view: the system may replace the box's own first show by
// the process's start-up show command (hidden, minimised or maximised).
#pragma once

#include <windows.h>

namespace tarnsel::ui {

// While it lives, the first dialog window this thread creates (the box) is
// shown normally once the box's modal loop runs.
class MessageBoxShowGuard {
 public:
  MessageBoxShowGuard();
  MessageBoxShowGuard(const MessageBoxShowGuard&) = delete;
  MessageBoxShowGuard& operator=(const MessageBoxShowGuard&) = delete;
  ~MessageBoxShowGuard();

 private:
  static LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK correctShow(HWND, UINT, UINT_PTR timer, DWORD);

  MessageBoxShowGuard* outer_;  // a guard of a box shown while this one's was up
  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND box_ = nullptr;  // not owned
};

}  // namespace tarnsel::ui
