#include "ui/Button.h"

#include "screen/ButtonFace.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Text.h"

namespace tarnsel::ui {

namespace {

constexpr int kGlyphSize = 18;

// The two-picture glyph of a kind, loaded on first use and shared by all buttons.
HBITMAP GlyphOf(TBitBtnKind kind) {
  const wchar_t* name = kind == TBitBtnKind::bkOK      ? L"BBOK"
                        : kind == TBitBtnKind::bkAbort ? L"BBABORT"
                                                       : nullptr;
  if (!name) return nullptr;
  static Bitmap glyphs[2];
  Bitmap& glyph = glyphs[kind == TBitBtnKind::bkOK ? 0 : 1];
  if (!glyph) {
    glyph = Bitmap(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, 0)));
  }
  return glyph.get();
}

// Copies one 18 × 18 picture of a glyph, its bottom-left colour left out.
void DrawGlyph(HDC dc, HBITMAP glyph, int picture, int x, int y) {
  BITMAP info = {};
  if (!GetObjectW(glyph, sizeof info, &info)) return;
  MemoryDC source(dc);
  SelectedObject selected(source.get(), glyph);
  const COLORREF transparent = GetPixel(source.get(), 0, info.bmHeight - 1);
  GdiTransparentBlt(dc, x, y, kGlyphSize, kGlyphSize, source.get(), picture * kGlyphSize, 0,
                    kGlyphSize, kGlyphSize, transparent);
}

SIZE CaptionSize(HDC dc, const std::wstring& text) {
  SIZE size = {0, 0};
  if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// The raised face of a push button, pushed in while held down.
void DrawFace(HDC dc, RECT& area, bool down) {
  DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
}

void DrawCaption(HDC dc, const std::wstring& text, int x, int y, COLORREF color, bool disabled) {
  SetBkMode(dc, TRANSPARENT);
  if (disabled) {
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    TextOutW(dc, x + 1, y + 1, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, color);
  }
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

void TBitBtn::setKind(TBitBtnKind kind) {
  kind_ = kind;
  default_ = kind == TBitBtnKind::bkOK;
  if (kind != TBitBtnKind::bkCustom && caption.empty()) {
    caption = kind == TBitBtnKind::bkOK ? "OK" : "中止";
  }
  modalResult_ = kind == TBitBtnKind::bkOK ? mrOk : kind == TBitBtnKind::bkAbort ? mrAbort : mrNone;
}

void TBitBtn::click() {
  form().modalResult = modalResult_;
  if (OnClick) OnClick();
}

void TBitBtn::createWindow(HWND parent, const RECT& bounds) {
  createSystem(L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, Widen(caption),
               parent, bounds, 0);
}

void TBitBtn::draw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool down = item.itemState & ODS_SELECTED;
  const bool focused = item.itemState & ODS_FOCUS;
  const bool disabled = item.itemState & ODS_DISABLED;
  RECT area = item.rcItem;
  if (default_ || focused) {
    FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&area, -1, -1);
  }
  DrawFace(dc, area, down);

  SelectedObject selectedFont(dc, font());
  const std::wstring text = Widen(caption);
  const SIZE textSize = CaptionSize(dc, text);
  HBITMAP glyph = GlyphOf(kind_);
  const int glyphSize = glyph ? kGlyphSize : 0;
  const RECT& r = item.rcItem;
  const screen::FacePlacement place = screen::PlaceFace(
      r.right - r.left, r.bottom - r.top, glyphSize, glyphSize, textSize.cx, textSize.cy, down);
  if (glyph)
    DrawGlyph(dc, glyph, disabled ? 1 : 0, r.left + place.glyphLeft, r.top + place.glyphTop);
  DrawCaption(dc, text, r.left + place.captionLeft, r.top + place.captionTop, ToColorRef(fontColor),
              disabled);
  if (focused) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

std::optional<LRESULT> TBitBtn::reflected(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    click();
    return 0;
  }
  if (message == WM_DRAWITEM) {
    draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return std::nullopt;
}

bool TSpeedButton::contains(POINT point) const {
  const screen::Bounds& b = const_cast<TSpeedButton*>(this)->layout().bounds;
  return point.x >= b.left && point.x < b.right() && point.y >= b.top && point.y < b.bottom();
}

void TSpeedButton::invalidate() {
  if (!parentControl() || !parentControl()->hasHandle()) return;
  const screen::Bounds& b = layout().bounds;
  const RECT area = {b.left, b.top, b.right(), b.bottom()};
  InvalidateRect(parentControl()->handle(), &area, FALSE);
}

void TSpeedButton::paintWindowless(HDC dc) {
  const screen::Bounds& b = layout().bounds;
  RECT area = {b.left, b.top, b.right(), b.bottom()};
  FillRect(dc, &area, form().brushFor(color));
  DrawFace(dc, area, down_);
  SelectedObject selectedFont(dc, font());
  const std::wstring text = Widen(caption);
  const SIZE textSize = CaptionSize(dc, text);
  const screen::FacePlacement place =
      screen::PlaceFace(b.width, b.height, 0, 0, textSize.cx, textSize.cy, down_);
  DrawCaption(dc, text, b.left + place.captionLeft, b.top + place.captionTop, ToColorRef(fontColor),
              false);
}

void TSpeedButton::mouseDown(POINT point) {
  tracking_ = true;
  down_ = contains(point);
  invalidate();
}

void TSpeedButton::mouseMove(POINT point) {
  if (!tracking_ || contains(point) == down_) return;
  down_ = !down_;
  invalidate();
}

void TSpeedButton::mouseUp(POINT point) {
  if (!tracking_) return;
  tracking_ = false;
  down_ = false;
  invalidate();
  // A release elsewhere fires nothing.
  if (contains(point) && OnClick) OnClick();
}

}  // namespace tarnsel::ui
