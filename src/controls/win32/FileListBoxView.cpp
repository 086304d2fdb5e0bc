#include "controls/win32/FileListBoxView.h"

#include "controls/win32/ListItems.h"

#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/GdiCanvas.h"
#include "ui/Text.h"

namespace tarnsel::controls::win32 {

FileListBoxView::FileListBoxView(ui::Form& form, std::string name, platform::Platform platform)
    : ui::Control(form, std::move(name)), model_(platform, *this) {
  color = screen::clWindow;
  fontColor = screen::clBlack;
  model_.setView(this);
}

void FileListBoxView::createWindow(HWND parent, const RECT& bounds) {
  createSystem(L"LISTBOX",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                   LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
               WS_EX_CLIENTEDGE, L"", parent, bounds, 0);
  SendMessageW(handle(), LB_SETITEMHEIGHT, 0, model_.ItemHeight());
  model_.windowCreated();
}

void FileListBoxView::ensureWindow() {
  if (hasHandle()) return;
  if (parentControl() && !parentControl()->hasHandle()) {
    // No parent window to live in yet: list as if the window were there.
    model_.windowCreated();
    return;
  }
  createHandles();
}

void FileListBoxView::entriesCleared() {
  if (hasHandle()) SendMessageW(handle(), LB_RESETCONTENT, 0, 0);
}

void FileListBoxView::entryInserted(int index) {
  if (!hasHandle()) return;
  const std::wstring text = ui::FromAnsi(model_.entry(index).text);
  SendMessageW(handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
}

void FileListBoxView::selectionChanged(int index) {
  if (hasHandle()) SendMessageW(handle(), LB_SETCURSEL, index, 0);
}

void FileListBoxView::itemHeightChanged(int height) {
  if (hasHandle()) SendMessageW(handle(), LB_SETITEMHEIGHT, 0, height);
}

void FileListBoxView::repaint() {
  if (hasHandle()) InvalidateRect(handle(), nullptr, TRUE);
}

void FileListBoxView::listingStarted() {
  // A shown list box repaints itself and its scroll bar after every insertion:
  // under Wine that made filling a shown list with 10,000 files take about a
  // minute. Only a visible window is held, since turning redraw back on shows it.
  if (!hasHandle() || !IsWindowVisible(handle())) return;
  SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
  redrawHeld_ = true;
}

void FileListBoxView::listingEnded() {
  if (!redrawHeld_) return;
  redrawHeld_ = false;
  if (!hasHandle()) return;
  SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle(), nullptr, TRUE);
}

screen::TCursor FileListBoxView::screenCursor() { return CurrentScreenCursor(); }

void FileListBoxView::setScreenCursor(screen::TCursor cursor) { SetCurrentScreenCursor(cursor); }

int FileListBoxView::fontLineHeight() { return FontLineHeightOf(font()); }

void FileListBoxView::drawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  EntryPainter painter(item, *this);
  const RECT& r = item.rcItem;
  model_.DrawItem(painter.canvas(), static_cast<int>(item.itemID),
                  {r.left, r.top, r.right, r.bottom});
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &r);
}

std::optional<LRESULT> FileListBoxView::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = model_.ItemHeight();
      return TRUE;
    case WM_CTLCOLORLISTBOX:
      return controlColors(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE) {
        model_.userSelected(static_cast<int>(SendMessageW(handle(), LB_GETCURSEL, 0, 0)));
        model_.click();
        return 0;
      }
      if (HIWORD(wParam) == LBN_DBLCLK) {
        model_.doubleClick();
        return 0;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace tarnsel::controls::win32
