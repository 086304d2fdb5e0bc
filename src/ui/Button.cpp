#include "ui/Button.h"

#include "ui/Form.h"
#include "ui/Text.h"

namespace tarnsel::ui {

void TBitBtn::setKind(TBitBtnKind kind) {
  default_ = kind == TBitBtnKind::bkOK;
  const char* kindCaption = kind == TBitBtnKind::bkOK ? "OK" : "中止";
  if (kind != TBitBtnKind::bkCustom && caption.empty()) caption = kindCaption;
  modalResult_ = kind == TBitBtnKind::bkOK ? mrOk : kind == TBitBtnKind::bkAbort ? mrAbort : mrNone;
}

void TBitBtn::click() {
  form().modalResult = modalResult_;
  if (OnClick) OnClick();
}

void TBitBtn::createWindow(HWND parent, const RECT& bounds) {
  const DWORD style =
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  createSystem(L"BUTTON", style, 0, Widen(caption), parent, bounds, 0);
}

std::optional<LRESULT> TBitBtn::reflected(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    click();
    return 0;
  }
  return std::nullopt;
}

void TSpeedButton::createWindow(HWND parent, const RECT& bounds) {
  createSystem(L"BUTTON", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, Widen(caption), parent, bounds,
               0);
}

std::optional<LRESULT> TSpeedButton::reflected(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (OnClick) OnClick();
    return 0;
  }
  return std::nullopt;
}

}  // namespace tarnsel::ui
