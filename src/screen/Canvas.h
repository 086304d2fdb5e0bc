// The drawing surface that control models paint on: a few calls in control
// coordinates. The Win32 views implement it on a device context; tests record it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "screen/Color.h"

namespace tarnsel::screen {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// Bitmaps from the program's resources, by their resource names.
enum class Picture {
  Executable,    // "EXECUTABLE", 16 x 15
  ClosedFolder,  // "CLOSEDFOLDER", 16 x 15
  UnknownFile,   // "UNKNOWNFILE", 16 x 15
  Floppy,        // "FLOPPY", 16 x 11
  Hard,          // "HARD", 16 x 11
  Network,       // "NETWORK", 16 x 11
  CDROM,         // "CDROM", 16 x 11
  RAM,           // "RAM", 16 x 11
};

struct PictureSize {
  int width = 0;
  int height = 0;
};

PictureSize SizeOf(Picture picture);

struct Pen {
  TColor color = clBlack;
  int width = 1;
  bool operator==(const Pen&) const = default;
};

// A picture held by a control: pixels 0xRRGGBB, rows from the top. The colour of
// its bottom-left pixel is its transparent colour.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  // Whether there are width x height pixels to draw.
  bool drawable() const;
  std::uint32_t transparentColor() const;
  bool operator==(const Bitmap&) const = default;
};

enum class BitmapFit {
  Stretch,      // the whole bitmap scaled into the target
  TopLeftPart,  // the bitmap's top-left part of the target's size, unscaled
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Fills with the current brush.
  virtual void fillRect(const Rect& rect) = 0;
  // Draws with the colour of its bottom-left pixel transparent.
  virtual void drawPicture(Picture picture, int x, int y) = 0;
  // One line of ANSI text with its top-left corner at (x, y), no prefix processing.
  virtual void textOut(int x, int y, const std::string& text) = 0;
  // One line of ANSI text from the rectangle's left edge, vertically centred in
  // it, "&" shown as it is.
  virtual void drawTextLine(const Rect& rect, const std::string& text) = 0;

  virtual TColor brushColor() const = 0;
  virtual void setBrushColor(TColor color) = 0;
  virtual void setFontColor(TColor color) = 0;
  virtual Pen pen() const = 0;
  virtual void setPen(const Pen& pen) = 0;
  // Extent of one line of ANSI text in the current font.
  virtual int textWidth(const std::string& text) = 0;
  virtual int textHeight(const std::string& text) = 0;
  // A line in the current pen from the first point up to, not including, the second.
  virtual void drawLine(int fromX, int fromY, int toX, int toY) = 0;
  // The dotted rectangle that marks the keyboard focus.
  virtual void drawFocusRect(const Rect& rect) = 0;
  // Copies a bitmap into the target; pixels of its transparent colour show the
  // current brush.
  virtual void drawBitmap(const Bitmap& bitmap, const Rect& target, BitmapFit fit) = 0;
};

}  // namespace tarnsel::screen
