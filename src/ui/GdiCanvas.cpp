#include "ui/GdiCanvas.h"

#include "ui/Gdi.h"
#include "ui/Text.h"

namespace tarnsel::ui {

const wchar_t* ResourceName(controls::Picture picture) {
  switch (picture) {
    case controls::Picture::Executable:
      return L"EXECUTABLE";
    case controls::Picture::ClosedFolder:
      return L"CLOSEDFOLDER";
    case controls::Picture::UnknownFile:
      return L"UNKNOWNFILE";
    case controls::Picture::Floppy:
      return L"FLOPPY";
    case controls::Picture::Hard:
      return L"HARD";
    case controls::Picture::Network:
      return L"NETWORK";
    case controls::Picture::CDROM:
      return L"CDROM";
    case controls::Picture::RAM:
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
  TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, info.bmWidth,
                 info.bmHeight, transparent);
}

void GdiCanvas::fillRect(const controls::Rect& rect) {
  const RECT area = {rect.left, rect.top, rect.right, rect.bottom};
  FillRect(dc_, &area, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void GdiCanvas::drawPicture(controls::Picture picture, int x, int y) {
  Bitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), ResourceName(picture),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (bitmap) DrawTransparent(dc_, bitmap.get(), x, y);
}

void GdiCanvas::textOut(int x, int y, const std::string& text) {
  const std::wstring wide = FromAnsi(text);
  SetBkMode(dc_, TRANSPARENT);
  TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void GdiCanvas::drawTextLine(const controls::Rect& rect, const std::string& text) {
  const std::wstring wide = FromAnsi(text);
  RECT area = {rect.left, rect.top, rect.right, rect.bottom};
  SetBkMode(dc_, TRANSPARENT);
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &area,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

}  // namespace tarnsel::ui
