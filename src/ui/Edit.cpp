#include "ui/Edit.h"

#include <vector>

#include "ui/Text.h"

namespace tarnsel::ui {

void TEdit::createWindow(HWND parent, const RECT& bounds) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  if (readOnly) style |= ES_READONLY;
  createSystem(L"EDIT", style, WS_EX_CLIENTEDGE, FromAnsi(text_), parent, bounds, 0);
}

std::string TEdit::text() const {
  if (!hasHandle()) return text_;
  const int length = GetWindowTextLengthW(handle());
  std::vector<wchar_t> buffer(length + 1);
  GetWindowTextW(handle(), buffer.data(), length + 1);
  return ToAnsi(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), length + 1)));
}

void TEdit::setText(const std::string& text) {
  text_ = text;
  if (hasHandle()) SetWindowTextW(handle(), FromAnsi(text).c_str());
}

void TEdit::selectAll() {
  if (hasHandle()) SendMessageW(handle(), EM_SETSEL, 0, -1);
}

std::optional<LRESULT> TEdit::reflected(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
    return controlColors(reinterpret_cast<HDC>(wParam));
  }
  return std::nullopt;
}

}  // namespace tarnsel::ui
