// The control models' canvas on a device context.
#pragma once

#include <windows.h>

#include "controls/Canvas.h"

namespace tarnsel::ui {

class GdiCanvas final : public controls::Canvas {
 public:
  explicit GdiCanvas(HDC dc) : dc_(dc) {}
  void fillRect(const controls::Rect& rect) override;
  void drawPicture(controls::Picture picture, int x, int y) override;
  void textOut(int x, int y, const std::string& text) override;
  void drawTextLine(const controls::Rect& rect, const std::string& text) override;

 private:
  HDC dc_;  // not owned
};

// The bitmap resource name of a picture.
const wchar_t* ResourceName(controls::Picture picture);

// Draws a bitmap with the colour of its bottom-left pixel left out.
void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y);

}  // namespace tarnsel::ui
