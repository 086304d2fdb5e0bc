// What the outline tree model needs from around it: the window that shows it as
// a one-column grid (OutlineView) and the screen and resources (OutlineServices).
#pragma once

#include <optional>
#include <string>

#include "screen/Canvas.h"

namespace tarnsel::controls {

// Keys the outline reacts to; the view maps its key codes onto these.
enum class OutlineKey {
  Enter,
  Home,
  End,
  Left,
  Right,
  Up,
  Down,
  PageUp,
  PageDown,
  Multiply,  // the numeric keypad's "*"
  Other,
};

// The grid window. The model keeps the grid's row count, current row, row height
// and column width, and tells the window when they change; the window paints each
// visible row through TCustomOutline::DrawCell and passes on its input.
class OutlineView {
 public:
  virtual ~OutlineView() = default;
  // Creates the window when there is none; the view then calls
  // TCustomOutline::windowCreated().
  virtual void ensureWindow() = 0;
  // Width of a text in the control's font, measured on the window's surface.
  virtual int textWidth(const std::string& text) = 0;
  virtual bool focused() = 0;
  virtual int clientWidth() = 0;
  // Whole rows that fit the client area: the step of the page keys.
  virtual int pageRows() = 0;
  virtual void rowCountChanged() = 0;
  // The current row moved from `previous`: repaint both and scroll it into view.
  virtual void rowChanged(int previous) = 0;
  virtual void colWidthChanged() = 0;
  virtual void rowHeightChanged() = 0;
  virtual void scrollBarsChanged() = 0;
  virtual void repaint() = 0;
  virtual void repaintRow(int row) = 0;
  virtual void beep() = 0;
};

class OutlineServices {
 public:
  virtual ~OutlineServices() = default;
  // Size in points of the control's font.
  virtual int fontPointSize() = 0;
  // The screen's vertical pixels per logical inch.
  virtual int pixelsPerInch() = 0;
  // A bitmap from the program's resources; nothing when it cannot be loaded.
  virtual std::optional<screen::Bitmap> loadBitmap(const std::string& resourceName) = 0;
};

}  // namespace tarnsel::controls
