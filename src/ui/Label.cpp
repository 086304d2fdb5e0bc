#include "ui/Label.h"

#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Text.h"

namespace tarnsel::ui {

void TLabel::createWindow(HWND parent, const RECT& bounds) {
  createOwn(L"TarnselLabel", {CS_DBLCLKS}, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
            Widen(caption), parent, bounds, 0);
  fitToText();
}

void TLabel::fitToText() {
  WindowDC dc(handle());
  SelectedObject selected(dc.get(), font());
  const std::wstring text = Widen(caption);
  RECT measured = {0, 0, 0, 0};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  screen::Bounds& b = layout().bounds;
  b.width = measured.right;
  b.height = measured.bottom;
  SetWindowPos(handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  FillRect(dc, &client, form().brushFor(color));
  SelectedObject selected(dc, font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(fontColor));
  const std::wstring text = Widen(caption);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TLabel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Control::handleMessage(message, wParam, lParam);
  }
}

}  // namespace tarnsel::ui
