#include "ui/Panel.h"

#include <utility>

#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Text.h"

namespace tarnsel::ui {

void TPanel::createWindow(HWND parent, const RECT& bounds) {
  layout().inset = raisedBevel ? 1 : 0;
  createOwn(L"TarnselPanel", {CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
            Widen(caption), parent, bounds, 0);
}

void TPanel::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  FillRect(dc, &client, form().brushFor(color));
  if (raisedBevel) DrawEdge(dc, &client, BDR_RAISEDOUTER, BF_RECT);
  if (!caption.empty()) {
    SelectedObject selected(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(fontColor));
    const std::wstring text = Widen(caption);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  paintWindowlessChildren(dc);
}

Control* TPanel::windowlessAt(POINT point) const {
  for (Control* child : children()) {
    if (!child->windowless() || !child->visible) continue;
    const screen::Bounds& b = child->layout().bounds;
    if (point.x >= b.left && point.x < b.right() && point.y >= b.top && point.y < b.bottom()) {
      return child;
    }
  }
  return nullptr;
}

LRESULT TPanel::mouse(UINT message, LPARAM lParam) {
  const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      captured_ = windowlessAt(point);
      if (captured_) {
        SetCapture(handle());
        captured_->mouseDown(point);
      }
      break;
    case WM_MOUSEMOVE:
      if (captured_) captured_->mouseMove(point);
      break;
    case WM_LBUTTONUP:
      if (Control* target = std::exchange(captured_, nullptr)) {
        ReleaseCapture();
        target->mouseUp(point);
      }
      break;
  }
  return 0;
}

LRESULT TPanel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      return mouse(message, lParam);
    case WM_CAPTURECHANGED:
      captured_ = nullptr;
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == handle() && LOWORD(lParam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(handle(), &point);
        if (Control* child = windowlessAt(point)) {
          SetCursor(LoadTCursor(child->cursor));
          return TRUE;
        }
      }
      return Control::handleMessage(message, wParam, lParam);
    default:
      return Control::handleMessage(message, wParam, lParam);
  }
}

}  // namespace tarnsel::ui
