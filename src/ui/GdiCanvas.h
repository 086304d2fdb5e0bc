// The control models' canvas on a device context.
#pragma once

#include <windows.h>

#include <optional>

#include "screen/Canvas.h"
#include "ui/Gdi.h"

namespace tarnsel::ui {

// Draws on a borrowed device context and gives it back, at the end, with the
// brush, pen, text colour and other state it had at the start.
class GdiCanvas final : public screen::Canvas {
 public:
  explicit GdiCanvas(HDC dc);
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override;

  void fillRect(const screen::Rect& rect) override;
  void drawPicture(screen::Picture picture, int x, int y) override;
  void textOut(int x, int y, const std::string& text) override;
  void drawTextLine(const screen::Rect& rect, const std::string& text) override;
  screen::TColor brushColor() const override { return brushColor_; }
  void setBrushColor(screen::TColor color) override;
  void setFontColor(screen::TColor color) override;
  screen::Pen pen() const override { return pen_; }
  void setPen(const screen::Pen& pen) override;
  int textWidth(const std::string& text) override;
  int textHeight(const std::string& text) override;
  void drawLine(int fromX, int fromY, int toX, int toY) override;
  void drawFocusRect(const screen::Rect& rect) override;
  void drawBitmap(const screen::Bitmap& bitmap, const screen::Rect& target,
                  screen::BitmapFit fit) override;

 private:
  SIZE textExtent(const std::string& text);

  HDC dc_;  // not owned
  int savedState_;
  screen::TColor brushColor_;
  screen::Pen pen_;
  // Declared after the state above, so freed after the DC got its own objects back.
  Brush brush_;
  Pen penObject_;
};

// The bitmap resource name of a picture.
const wchar_t* ResourceName(screen::Picture picture);

// Draws a bitmap with the colour of its bottom-left pixel left out.
void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y);

// A bitmap resource of the program as pixels; nothing when there is none.
std::optional<screen::Bitmap> LoadBitmapResource(const wchar_t* name);

}  // namespace tarnsel::ui
