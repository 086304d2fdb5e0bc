// The control models' canvas on a device context.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/Canvas.h"
#include "ui/Gdi.h"

namespace tarnsel::ui {

// Draws on a borrowed device context and gives it back, at the end, with the
// brush, pen, text colour and other state it had at the start.
class GdiCanvas final : public controls::Canvas {
 public:
  explicit GdiCanvas(HDC dc);
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override;

  void fillRect(const controls::Rect& rect) override;
  void drawPicture(controls::Picture picture, int x, int y) override;
  void textOut(int x, int y, const std::string& text) override;
  void drawTextLine(const controls::Rect& rect, const std::string& text) override;
  controls::Color brushColor() const override { return brushColor_; }
  void setBrushColor(controls::Color color) override;
  void setFontColor(controls::Color color) override;
  controls::Pen pen() const override { return pen_; }
  void setPen(const controls::Pen& pen) override;
  int textWidth(const std::string& text) override;
  int textHeight(const std::string& text) override;
  void drawLine(int fromX, int fromY, int toX, int toY) override;
  void drawFocusRect(const controls::Rect& rect) override;
  void drawBitmap(const controls::Bitmap& bitmap, const controls::Rect& target,
                  controls::BitmapFit fit) override;

 private:
  SIZE textExtent(const std::string& text);

  HDC dc_;  // not owned
  int savedState_;
  controls::Color brushColor_;
  controls::Pen pen_;
  // Declared after the state above, so freed after the DC got its own objects back.
  Brush brush_;
  Pen penObject_;
};

COLORREF ToColorRef(controls::Color color);

// The bitmap resource name of a picture.
const wchar_t* ResourceName(controls::Picture picture);

// Draws a bitmap with the colour of its bottom-left pixel left out.
void DrawTransparent(HDC dc, HBITMAP bitmap, int x, int y);

// A bitmap resource of the program as pixels; nothing when there is none.
std::optional<controls::Bitmap> LoadBitmapResource(const wchar_t* name);

}  // namespace tarnsel::ui
