// The values on this screen of the colours and cursors that layouts and models name.
#include "ui/ScreenValues.h"

namespace tarnsel::ui {

COLORREF ToColorRef(screen::TColor color) {
  if (!color.isSystem()) {
    const std::uint32_t rgb = color.rgb();
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  switch (color.systemColor()) {
    case screen::SystemColor::BtnFace:
      return GetSysColor(COLOR_BTNFACE);
    case screen::SystemColor::BtnText:
      return GetSysColor(COLOR_BTNTEXT);
    case screen::SystemColor::ActiveCaption:
      return GetSysColor(COLOR_ACTIVECAPTION);
    case screen::SystemColor::Window:
      return GetSysColor(COLOR_WINDOW);
    case screen::SystemColor::WindowText:
      return GetSysColor(COLOR_WINDOWTEXT);
    case screen::SystemColor::Highlight:
      return GetSysColor(COLOR_HIGHLIGHT);
    case screen::SystemColor::HighlightText:
      return GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  return GetSysColor(COLOR_WINDOW);
}

HCURSOR LoadTCursor(screen::TCursor cursor) {
  switch (cursor) {
    case screen::TCursor::crHandPoint:
      return LoadCursorW(nullptr, IDC_HAND);
    case screen::TCursor::crNo:
      return LoadCursorW(nullptr, IDC_NO);
    case screen::TCursor::crHourGlass:
      return LoadCursorW(nullptr, IDC_WAIT);
    default:
      break;
  }
  return LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace tarnsel::ui
