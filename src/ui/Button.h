// Push buttons of the forms: TBitBtn (a focusable button with a kind that gives
// its caption, default flag and modal result) and TSpeedButton (no focus).
#pragma once

#include <functional>

#include "ui/Control.h"

namespace tarnsel::ui {

enum class TBitBtnKind { bkCustom, bkOK, bkAbort };

// Modal results.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;

class TBitBtn : public Control {
 public:
  TBitBtn(Form& form, std::string name) : Control(form, std::move(name)) {}
  std::string caption;  // UTF-8; a stored empty caption takes the kind's
  std::function<void()> OnClick;

  // Applies a kind: caption (unless one is stored), default flag, modal result.
  void setKind(TBitBtnKind kind);
  bool isDefault() const { return default_; }
  int modalResult() const { return modalResult_; }
  void click();

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool default_ = false;
  int modalResult_ = mrNone;
};

class TSpeedButton : public Control {
 public:
  TSpeedButton(Form& form, std::string name) : Control(form, std::move(name)) {}
  std::string caption;
  std::function<void()> OnClick;

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tarnsel::ui
