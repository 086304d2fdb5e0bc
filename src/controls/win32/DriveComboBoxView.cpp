#include "controls/win32/DriveComboBoxView.h"

#include "controls/win32/ListItems.h"

#include <windows.h>

#include <algorithm>

#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/GdiCanvas.h"
#include "ui/Text.h"

namespace tarnsel::controls::win32 {

namespace {

// Entries the dropped-down list shows before it scrolls.
constexpr int DropDownCount = 8;

}  // namespace

DriveComboBoxView::DriveComboBoxView(ui::Form& form, std::string name, platform::Platform platform)
    : ui::Control(form, std::move(name)), model_(platform, *this) {
  color = screen::clWindow;
  fontColor = screen::clWindowText;
  model_.setView(this);
}

void DriveComboBoxView::setFontHeight(int height) {
  fontHeight = height;
  model_.fontChanged();
}

void DriveComboBoxView::createWindow(HWND parent, const RECT& bounds) {
  createSystem(L"COMBOBOX",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                   CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
               0, L"", parent, bounds, 0);
  applyItemHeight();
  model_.windowCreated();
}

void DriveComboBoxView::applyItemHeight() {
  // WM_MEASUREITEM comes while the window is being created, before it is ours to
  // answer, so both heights are set here: -1 the selection field, 0 the entries.
  SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), model_.ItemHeight());
  SendMessageW(handle(), CB_SETITEMHEIGHT, 0, model_.ItemHeight());
}

void DriveComboBoxView::fitDroppedHeight() {
  // The combo box takes the height beyond its selection field for its list; a
  // layout that sizes the closed box leaves next to nothing, so the list gets
  // room for its entries, at most DropDownCount, before every drop.
  RECT closed;
  GetWindowRect(handle(), &closed);
  const int shown = std::clamp(model_.count(), 1, DropDownCount);
  SetWindowPos(handle(), nullptr, 0, 0, closed.right - closed.left,
               closed.bottom - closed.top + shown * model_.ItemHeight() + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DriveComboBoxView::entriesCleared() {
  if (hasHandle()) SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
}

void DriveComboBoxView::entryAdded(int index) {
  if (!hasHandle()) return;
  const std::wstring text = ui::FromAnsi(model_.entry(index).text);
  SendMessageW(handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void DriveComboBoxView::selectionChanged(int index) {
  if (hasHandle()) SendMessageW(handle(), CB_SETCURSEL, index, 0);
}

void DriveComboBoxView::recreateWindow() {
  if (!hasHandle()) return;
  // The new window takes the old one's place in the tab order and the focus.
  HWND previous = GetWindow(handle(), GW_HWNDPREV);
  const bool focused = GetFocus() == handle();
  DestroyWindow(handle());
  createHandles();
  SetWindowPos(handle(), previous ? previous : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (focused) SetFocus(handle());
}

screen::TCursor DriveComboBoxView::screenCursor() { return CurrentScreenCursor(); }

void DriveComboBoxView::setScreenCursor(screen::TCursor cursor) { SetCurrentScreenCursor(cursor); }

int DriveComboBoxView::fontLineHeight() { return FontLineHeightOf(font()); }

void DriveComboBoxView::drawItem(const DRAWITEMSTRUCT& item) {
  EntryPainter painter(item, *this);
  const RECT& r = item.rcItem;
  // itemID is -1 for the selection field when nothing is selected.
  model_.DrawItem(painter.canvas(), static_cast<int>(item.itemID),
                  {r.left, r.top, r.right, r.bottom});
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    DrawFocusRect(item.hDC, &r);
  }
}

LRESULT DriveComboBoxView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
    // Wine's combo box swallows every system key it does not use itself, so
    // Alt+F4 would not close the window while the list has the focus.
    return DefWindowProcW(handle(), message, wParam, lParam);
  }
  if (message == WM_SETFONT) {
    // Some combo box implementations fit the selection field to a new font; the
    // item height is the model's.
    const LRESULT result = Control::handleMessage(message, wParam, lParam);
    applyItemHeight();
    return result;
  }
  return Control::handleMessage(message, wParam, lParam);
}

std::optional<LRESULT> DriveComboBoxView::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = model_.ItemHeight();
      return TRUE;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return controlColors(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_DROPDOWN) {
        fitDroppedHeight();
        return 0;
      }
      // A pick by mouse or keys; a selection set by the model sends no notification.
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        model_.userPicked(static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0)));
        return 0;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace tarnsel::controls::win32
