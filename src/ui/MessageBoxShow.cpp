// Corrects a message box's first show when the system replaced it by the
// process's start-up show command.
#include "ui/MessageBoxShow.h"

#include "ui/WindowShow.h"

namespace tarnsel::ui {

namespace {
// Boxes are shown from the one UI thread only, so a plain static holds the
// innermost guard (a thread-local one would link the runtime's emulated TLS).
MessageBoxShowGuard* innermost = nullptr;
}  // namespace

MessageBoxShowGuard::MessageBoxShowGuard() : outer_(innermost) {
  innermost = this;
  hook_ = SetWindowsHookExW(WH_CBT, watchCreation, nullptr, GetCurrentThreadId());
  // Runs from the box's own message loop, after the box has shown itself.
  timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, correctShow);
}

MessageBoxShowGuard::~MessageBoxShowGuard() {
  if (timer_) KillTimer(nullptr, timer_);
  if (hook_) UnhookWindowsHookEx(hook_);
  innermost = outer_;
}

LRESULT CALLBACK MessageBoxShowGuard::watchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && innermost && !innermost->box_) {
    // The box is a dialog; the system may create other helper windows meanwhile.
    const auto window = reinterpret_cast<HWND>(wParam);
    const auto* created = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (!(created->lpcs->style & WS_CHILD) && wcscmp(className, L"#32770") == 0) {
      innermost->box_ = window;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxShowGuard::correctShow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  MessageBoxShowGuard* guard = innermost;
  if (!guard || guard->timer_ != timer) return;
  if (!guard->box_) {
    // A message loop ran before the box was made: wait for the box's own loop.
    guard->timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, correctShow);
    return;
  }
  guard->timer_ = 0;
  if (IsWindow(guard->box_)) ShowInState(guard->box_, screen::TWindowState::wsNormal);
}

}  // namespace tarnsel::ui
