// The drawing surface that control models paint on: a few calls in control
// coordinates. The Win32 views implement it on a device context; tests record it.
#pragma once

#include <cstdint>
#include <string>

namespace tarnsel::controls {

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
};

}  // namespace tarnsel::controls
