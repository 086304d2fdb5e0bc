// What a model asks of the screen besides drawing: the screen cursor and the
// line height of its control's font.
#pragma once

#include "screen/Cursor.h"

namespace tarnsel::screen {

class ScreenServices {
 public:
  virtual ~ScreenServices() = default;
  virtual TCursor screenCursor() = 0;
  virtual void setScreenCursor(TCursor cursor) = 0;
  // FontLineHeight of the control's font: text-metric height without external leading.
  virtual int fontLineHeight() = 0;
};

}  // namespace tarnsel::screen
