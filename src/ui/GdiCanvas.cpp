#include "ui/GdiCanvas.h"

#include <algorithm>
#include <cstring>

#include "ui/ScreenValues.h"
#include "ui/Text.h"

namespace tarnsel::ui {

namespace {

screen::TColor FromColorRef(COLORREF color) {
  return screen::TColor::Rgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

// Pixels 0xRRGGBB are the byte order blue, green, red, unused of a 32-bit DIB.
BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

const wchar_t* ResourceName(screen::Picture picture) {
  switch (picture) {
    case screen::Picture::Executable:
      return L"EXECUTABLE";
    case screen::Picture::ClosedFolder:
      return L"CLOSEDFOLDER";
    case screen::Picture::UnknownFile:
      return L"UNKNOWNFILE";
    case screen::Picture::Floppy:
      return L"FLOPPY";
    case screen::Picture::Hard:
      return L"HARD";
    case screen::Picture::Network:
      return L"NETWORK";
    case screen::Picture::CDROM:
      return L"CDROM";
    case screen::Picture::RAM:
      return L"RAM";
  }
  return L"";
}

void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y) {
  BITMAP info = {};
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  MemoryDC source(dc);
  SelectedObject selected(source.get(), bitmap);
  const COLORREF transparent = GetPixel(source.get(), 0, info.bmHeight - 1);
  GdiTransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, info.bmWidth,
                    info.bmHeight, transparent);
}

std::optional<screen::Bitmap> LoadBitmapResource(const wchar_t* name) {
  Bitmap loaded(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info = {};
  if (!loaded || !GetObjectW(loaded.get(), sizeof info, &info)) return std::nullopt;
  screen::Bitmap bitmap{info.bmWidth, info.bmHeight, {}};
  bitmap.pixels.resize(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
  BITMAPINFO format = TopDownInfo(info.bmWidth, info.bmHeight);
  WindowDC screen(nullptr);
  if (!GetDIBits(screen.get(), loaded.get(), 0, info.bmHeight, bitmap.pixels.data(), &format,
                 DIB_RGB_COLORS)) {
    return std::nullopt;
  }
  for (std::uint32_t& pixel : bitmap.pixels) pixel &= 0xFFFFFF;
  return bitmap;
}

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), savedState_(SaveDC(dc)), brushColor_(screen::clWindow) {
  LOGBRUSH brush = {};
  if (GetObjectW(GetCurrentObject(dc_, OBJ_BRUSH), sizeof brush, &brush)) {
    brushColor_ = FromColorRef(brush.lbColor);
  }
  LOGPEN pen = {};
  if (GetObjectW(GetCurrentObject(dc_, OBJ_PEN), sizeof pen, &pen)) {
    pen_ = {FromColorRef(pen.lopnColor), static_cast<int>(pen.lopnWidth.x)};
  }
}

GdiCanvas::~GdiCanvas() {
  if (savedState_ != 0) RestoreDC(dc_, savedState_);
}

void GdiCanvas::fillRect(const screen::Rect& rect) {
  const RECT area = {rect.left, rect.top, rect.right, rect.bottom};
  FillRect(dc_, &area, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void GdiCanvas::drawPicture(screen::Picture picture, int x, int y) {
  Bitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), ResourceName(picture),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (bitmap) DrawTransparent(dc_, bitmap.get(), x, y);
}

void GdiCanvas::textOut(int x, int y, const std::string& text) {
  const std::wstring wide = FromAnsi(text);
  SetBkMode(dc_, TRANSPARENT);
  TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void GdiCanvas::drawTextLine(const screen::Rect& rect, const std::string& text) {
  const std::wstring wide = FromAnsi(text);
  RECT area = {rect.left, rect.top, rect.right, rect.bottom};
  SetBkMode(dc_, TRANSPARENT);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void GdiCanvas::setBrushColor(screen::TColor color) {
  Brush next(CreateSolidBrush(ToColorRef(color)));
  if (!next) return;
  SelectObject(dc_, next.get());
  brush_ = std::move(next);  // the brush it replaces is no longer selected
  brushColor_ = color;
}

void GdiCanvas::setFontColor(screen::TColor color) { SetTextColor(dc_, ToColorRef(color)); }

void GdiCanvas::setPen(const screen::Pen& pen) {
  Pen next(CreatePen(PS_SOLID, pen.width, ToColorRef(pen.color)));
  if (!next) return;
  SelectObject(dc_, next.get());
  penObject_ = std::move(next);
  pen_ = pen;
}

SIZE GdiCanvas::textExtent(const std::string& text) {
  const std::wstring wide = FromAnsi(text);
  SIZE size = {};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

int GdiCanvas::textWidth(const std::string& text) { return textExtent(text).cx; }

int GdiCanvas::textHeight(const std::string& text) { return textExtent(text).cy; }

void GdiCanvas::drawLine(int fromX, int fromY, int toX, int toY) {
  MoveToEx(dc_, fromX, fromY, nullptr);
  LineTo(dc_, toX, toY);
}

void GdiCanvas::drawFocusRect(const screen::Rect& rect) {
  const RECT area = {rect.left, rect.top, rect.right, rect.bottom};
  DrawFocusRect(dc_, &area);
}

void GdiCanvas::drawBitmap(const screen::Bitmap& bitmap, const screen::Rect& target,
                           screen::BitmapFit fit) {
  if (!bitmap.drawable() || target.width() <= 0 || target.height() <= 0) return;
  const BITMAPINFO info = TopDownInfo(bitmap.width, bitmap.height);
  void* bits = nullptr;
  Bitmap section(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return;
  std::memcpy(bits, bitmap.pixels.data(),
              static_cast<std::size_t>(bitmap.width) * bitmap.height * sizeof(std::uint32_t));
  MemoryDC source(dc_);
  SelectedObject selected(source.get(), section.get());
  fillRect(target);  // what the transparent pixels show
  const bool stretch = fit == screen::BitmapFit::Stretch;
  const int sourceWidth = stretch ? bitmap.width : std::min(target.width(), bitmap.width);
  const int sourceHeight = stretch ? bitmap.height : std::min(target.height(), bitmap.height);
  const std::uint32_t key = bitmap.transparentColor();
  GdiTransparentBlt(dc_, target.left, target.top, stretch ? target.width() : sourceWidth,
                    stretch ? target.height() : sourceHeight, source.get(), 0, 0, sourceWidth,
                    sourceHeight, RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF));
}

}  // namespace tarnsel::ui
