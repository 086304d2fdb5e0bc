// A canvas that records every drawing call as one line of text, with the
// colours and pen in force, and measures text at a fixed width per byte.
#pragma once

#include <string>
#include <vector>

#include "screen/Canvas.h"

namespace tarnsel::test_support {

// "window", "highlighttext", ... for the system's colours, else "#RRGGBB".
std::string ColourName(screen::TColor colour);
// "left,top,right,bottom".
std::string RectText(const screen::Rect& rect);
// The resource name of a picture: "EXECUTABLE", "HARD", ...
std::string PictureName(screen::Picture picture);

// Lines recorded, one per call:
//   fill L,T,R,B <brush>             drawTextLine: text L,T,R,B <text> in <font>
//   picture <NAME> x,y               textOut:      textout x,y <text>
//   line x1,y1-x2,y2 <pen colour> <pen width>     focus L,T,R,B
//   bitmap <name> L,T,R,B stretched|part on <brush>
class RecordingCanvas : public screen::Canvas {
 public:
  void fillRect(const screen::Rect& rect) override;
  void drawPicture(screen::Picture picture, int x, int y) override;
  void textOut(int x, int y, const std::string& text) override;
  void drawTextLine(const screen::Rect& rect, const std::string& text) override;
  screen::TColor brushColor() const override { return brush; }
  void setBrushColor(screen::TColor colour) override { brush = colour; }
  void setFontColor(screen::TColor colour) override { font = colour; }
  screen::Pen pen() const override { return currentPen; }
  void setPen(const screen::Pen& pen) override { currentPen = pen; }
  int textWidth(const std::string& text) override;
  int textHeight(const std::string&) override { return lineHeight; }
  void drawLine(int fromX, int fromY, int toX, int toY) override;
  void drawFocusRect(const screen::Rect& rect) override;
  void drawBitmap(const screen::Bitmap& bitmap, const screen::Rect& target,
                  screen::BitmapFit fit) override;

  std::vector<std::string> calls;
  // The caller's colours and pen, until the control picks its own.
  screen::TColor brush = screen::TColor::Rgb(1, 2, 3);
  screen::TColor font = screen::TColor::Rgb(4, 5, 6);
  screen::Pen currentPen{screen::TColor::Rgb(7, 8, 9), 3};
  int charWidth = 6;
  int lineHeight = 12;
};

}  // namespace tarnsel::test_support
