#include "ui/Panel.h"

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
}

LRESULT TPanel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDC dc(handle());
      paint(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return Control::handleMessage(message, wParam, lParam);
  }
}

}  // namespace tarnsel::ui
