#include "controls/win32/OutlineGridView.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/GdiCanvas.h"
#include "ui/Text.h"

namespace tarnsel::controls::win32 {

namespace {

constexpr wchar_t kOutlineClass[] = L"TarnselOutline";
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kExStyle = WS_EX_CLIENTEDGE;
// Fonts are sized for 96 pixels per inch and scaled to the screen (ui::Form::fontFor).
constexpr int kDesignedPixelsPerInch = 96;

OutlineKey KeyOf(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      return OutlineKey::Enter;
    case VK_HOME:
      return OutlineKey::Home;
    case VK_END:
      return OutlineKey::End;
    case VK_LEFT:
      return OutlineKey::Left;
    case VK_RIGHT:
      return OutlineKey::Right;
    case VK_UP:
      return OutlineKey::Up;
    case VK_DOWN:
      return OutlineKey::Down;
    case VK_PRIOR:
      return OutlineKey::PageUp;
    case VK_NEXT:
      return OutlineKey::PageDown;
    case VK_MULTIPLY:
      return OutlineKey::Multiply;
    default:
      return OutlineKey::Other;
  }
}

// The position a scroll bar request asks for; the caller keeps it in range.
int RequestedPosition(HWND window, int bar, int request, int position, int line, int page) {
  switch (request) {
    case SB_LINEUP:
      return position - line;
    case SB_LINEDOWN:
      return position + line;
    case SB_PAGEUP:
      return position - page;
    case SB_PAGEDOWN:
      return position + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The message carries only 16 bits of the position; the bar has all 32.
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window, bar, &info);
      return info.nTrackPos;
    }
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return std::numeric_limits<int>::max();
    default:
      return position;
  }
}

}  // namespace

OutlineGridView::OutlineGridView(ui::Form& form, std::string name, const ModelFactory& makeModel)
    : ui::Control(form, std::move(name)) {
  color = screen::clWindow;
  layout().bounds.width = TCustomOutline::DefaultWidth;
  layout().bounds.height = TCustomOutline::DefaultHeight;
  model_ = makeModel(*this);
  model_->ReportError = [](const std::exception& error) { ui::Window::reportError(error); };
  model_->setView(this);
}

void OutlineGridView::setFontHeight(int height) {
  fontHeight = height;
  model_->FontChanged();
  repaint();
}

void OutlineGridView::createWindow(HWND parent, const RECT& bounds) {
  createOwn(kOutlineClass, {CS_DBLCLKS, nullptr, nullptr}, kStyle, kExStyle, L"", parent, bounds,
            0);
  model_->windowCreated();
  updateScrollBars();
}

// The grid's geometry

OutlineGridView::Extent OutlineGridView::clientSize() {
  if (hasHandle()) {
    RECT client;
    GetClientRect(handle(), &client);
    return {static_cast<int>(client.right), static_cast<int>(client.bottom)};
  }
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const screen::Bounds& bounds = layout().bounds;
  return {std::max(0, bounds.width - static_cast<int>(frame.right - frame.left)),
          std::max(0, bounds.height - static_cast<int>(frame.bottom - frame.top))};
}

int OutlineGridView::rowHeight() const { return std::max(1, model_->ItemHeight()); }

int OutlineGridView::rowAt(int x, int y) const {
  // Beside the column or below the last row there is no cell.
  if (x < 0 || y < 0 || x + leftOffset_ >= model_->ColWidth()) return -1;
  const int row = topRow_ + y / rowHeight();
  return row < model_->RowCount() ? row : -1;
}

bool OutlineGridView::showsVerticalBar() const {
  const TScrollStyle bars = model_->ScrollBars();
  return bars == TScrollStyle::ssVertical || bars == TScrollStyle::ssBoth;
}

bool OutlineGridView::showsHorizontalBar() const {
  const TScrollStyle bars = model_->ScrollBars();
  return bars == TScrollStyle::ssHorizontal || bars == TScrollStyle::ssBoth;
}

void OutlineGridView::clampScrollPositions() {
  topRow_ = std::clamp(topRow_, 0, std::max(0, model_->RowCount() - pageRows()));
  leftOffset_ = std::clamp(leftOffset_, 0, std::max(0, model_->ColWidth() - clientSize().width));
}

void OutlineGridView::updateScrollBars() {
  if (!hasHandle()) return;
  // A bar shows only while its page is smaller than its range. Showing or hiding
  // one changes the client area and sends WM_SIZE at once, so each bar is
  // measured just before it is set.
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  const bool vertical = showsVerticalBar();
  info.nMax = vertical ? model_->RowCount() - 1 : 0;
  info.nPage = vertical ? pageRows() : 1;
  info.nPos = topRow_;
  SetScrollInfo(handle(), SB_VERT, &info, TRUE);
  const bool horizontal = showsHorizontalBar();
  info.nMax = horizontal ? model_->ColWidth() - 1 : 0;
  info.nPage = horizontal ? clientSize().width : 1;
  info.nPos = leftOffset_;
  SetScrollInfo(handle(), SB_HORZ, &info, TRUE);
}

void OutlineGridView::scrollTo(int topRow, int leftOffset) {
  const int previousTop = topRow_;
  const int previousLeft = leftOffset_;
  topRow_ = topRow;
  leftOffset_ = leftOffset;
  clampScrollPositions();
  if (topRow_ == previousTop && leftOffset_ == previousLeft) return;
  updateScrollBars();
  repaint();
}

void OutlineGridView::scrollIntoView(int row) {
  const int page = pageRows();
  int top = topRow_;
  if (row < top) {
    top = row;
  } else if (row >= top + page) {
    top = row - page + 1;
  }
  scrollTo(top, leftOffset_);
}

// OutlineView

void OutlineGridView::ensureWindow() {
  if (hasHandle()) return;
  const bool parentReady = parentControl() ? parentControl()->hasHandle() : form().hasHandle();
  if (!form().shown() || !parentReady) {
    // The form creates its children's windows at its first show, in tab order; one
    // made now would come first in that order. Until then the model goes on as if
    // the window were there, and text is measured on the screen in the same font.
    model_->windowCreated();
    return;
  }
  createHandles();
}

int OutlineGridView::textWidth(const std::string& text) {
  ui::WindowDC surface(hasHandle() ? handle() : nullptr);
  ui::SelectedObject selected(surface.get(), font());
  const std::wstring wide = ui::FromAnsi(text);
  SIZE size = {};
  GetTextExtentPoint32W(surface.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

bool OutlineGridView::focused() { return hasHandle() && GetFocus() == handle(); }

int OutlineGridView::clientWidth() { return clientSize().width; }

int OutlineGridView::pageRows() { return std::max(1, clientSize().height / rowHeight()); }

void OutlineGridView::rowCountChanged() {
  clampScrollPositions();
  updateScrollBars();
  repaint();
}

void OutlineGridView::rowChanged(int previous) {
  repaintRow(previous);
  scrollIntoView(model_->Row());
  repaintRow(model_->Row());
}

void OutlineGridView::colWidthChanged() {
  clampScrollPositions();
  updateScrollBars();
  repaint();
}

void OutlineGridView::rowHeightChanged() {
  clampScrollPositions();
  updateScrollBars();
  repaint();
}

void OutlineGridView::scrollBarsChanged() {
  clampScrollPositions();
  updateScrollBars();
  // The size message sets the column width for the new bars, whether or not a bar
  // came or went.
  model_->Resized();
  repaint();
}

void OutlineGridView::repaint() {
  if (hasHandle()) InvalidateRect(handle(), nullptr, FALSE);
}

void OutlineGridView::repaintRow(int row) {
  if (!hasHandle() || row < topRow_) return;
  const Extent client = clientSize();
  const int top = (row - topRow_) * rowHeight();
  if (top >= client.height) return;
  const RECT area = {0, top, client.width, top + rowHeight()};
  InvalidateRect(handle(), &area, FALSE);
}

void OutlineGridView::beep() { MessageBeep(MB_OK); }

// OutlineServices

int OutlineGridView::fontPointSize() {
  return MulDiv(std::abs(fontHeight), 72, kDesignedPixelsPerInch);
}

int OutlineGridView::pixelsPerInch() {
  ui::WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

std::optional<screen::Bitmap> OutlineGridView::loadBitmap(const std::string& resourceName) {
  return ui::LoadBitmapResource(ui::Widen(resourceName).c_str());
}

// Painting

void OutlineGridView::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // Drawn off screen and copied in one go, so that a row is never seen filled
  // but not yet drawn.
  ui::MemoryDC buffer(dc);
  ui::Bitmap surface(CreateCompatibleBitmap(dc, client.right, client.bottom));
  if (!buffer.get() || !surface) {
    drawRows(dc, client);
    return;
  }
  ui::SelectedObject selected(buffer.get(), surface.get());
  drawRows(buffer.get(), client);
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
}

void OutlineGridView::drawRows(HDC dc, const RECT& client) {
  {
    // Beside the column and below the last row: the control's colour.
    ui::Brush background(CreateSolidBrush(ui::ToColorRef(model_->ControlColor())));
    FillRect(dc, &client, background.get());
  }
  ui::SelectedObject fontSelected(dc, font());
  const int height = rowHeight();
  const int left = -leftOffset_;
  const int right = left + model_->ColWidth();
  for (int row = topRow_, top = 0; row < model_->RowCount() && top < client.bottom;
       ++row, top += height) {
    ui::GdiCanvas canvas(dc);
    // Each row draws inside its own cell; the canvas gives the clipping back.
    IntersectClipRect(dc, left, top, right, top + height);
    model_->DrawCell(canvas, row, {left, top, right, top + height});
  }
}

// Input

void OutlineGridView::onSize() {
  clampScrollPositions();
  updateScrollBars();
  model_->Resized();
  repaint();
}

void OutlineGridView::onFocusChange() { repaintRow(model_->Row()); }

void OutlineGridView::onKeyDown(WPARAM key) {
  model_->KeyDown(KeyOf(key), GetKeyState(VK_CONTROL) < 0);
}

void OutlineGridView::onChar(WPARAM character) {
  if (character < 0x80) model_->KeyPress(static_cast<char>(character));
}

void OutlineGridView::onMouseDown(int x, int y, bool doubleClick) {
  // The press takes the focus only where a focus can be: on a shown, enabled window.
  if (IsWindowVisible(handle()) && IsWindowEnabled(handle()) && GetFocus() != handle()) {
    SetFocus(handle());
  }
  SetCapture(handle());
  model_->MouseDown(rowAt(x, y), doubleClick);
}

void OutlineGridView::onMouseUp() {
  if (GetCapture() == handle()) ReleaseCapture();
  model_->MouseUp();
}

void OutlineGridView::onVerticalScroll(int request) {
  scrollTo(RequestedPosition(handle(), SB_VERT, request, topRow_, 1, pageRows()), leftOffset_);
}

void OutlineGridView::onHorizontalScroll(int request) {
  const int page = std::max(1, clientSize().width);
  scrollTo(topRow_, RequestedPosition(handle(), SB_HORZ, request, leftOffset_, rowHeight(), page));
}

void OutlineGridView::onMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = lines == WHEEL_PAGESCROLL ? pageRows() : static_cast<int>(lines);
  scrollTo(topRow_ - delta * step / WHEEL_DELTA, leftOffset_);
}

LRESULT OutlineGridView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  switch (message) {
    case WM_SIZE:
      onSize();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      onFocusChange();
      return 0;
    case WM_GETDLGCODE:
      // Tab and Enter stay the form's: Enter presses its default button.
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      onKeyDown(wParam);
      return 0;
    case WM_CHAR:
      onChar(wParam);
      return 0;
    case WM_LBUTTONDOWN:
      onMouseDown(x, y, false);
      return 0;
    case WM_LBUTTONDBLCLK:
      onMouseDown(x, y, true);
      return 0;
    case WM_LBUTTONUP:
      onMouseUp();
      return 0;
    case WM_VSCROLL:
      onVerticalScroll(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      onHorizontalScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      onMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    default:
      return ui::Control::handleMessage(message, wParam, lParam);
  }
}

}  // namespace tarnsel::controls::win32
