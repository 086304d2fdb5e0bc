// The screen services a list model asks for: a screen cursor that remembers
// every change, and the line height of the control's font.
#pragma once

#include <vector>

#include "screen/ScreenServices.h"

namespace tarnsel::test_support {

class FakeScreen : public screen::ScreenServices {
 public:
  screen::TCursor screenCursor() override { return cursor; }
  void setScreenCursor(screen::TCursor value) override {
    cursor = value;
    cursors.push_back(value);
  }
  int fontLineHeight() override { return lineHeight; }

  screen::TCursor cursor = screen::TCursor::crDefault;  // another shows a model gives it back
  std::vector<screen::TCursor> cursors;                  // every cursor set, in order
  int lineHeight = 13;
};

}  // namespace tarnsel::test_support
