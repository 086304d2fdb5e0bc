// The screen services a list model asks for: a screen cursor that remembers
// every change, and the line height of the control's font.
#pragma once

#include <vector>

#include "controls/FileListBox.h"

namespace tarnsel::test_support {

class FakeScreen : public controls::ScreenServices {
 public:
  int screenCursor() override { return cursor; }
  void setScreenCursor(int value) override {
    cursor = value;
    cursors.push_back(value);
  }
  int fontLineHeight() override { return lineHeight; }

  int cursor = controls::crDefault;  // set another to see that a model gives it back
  std::vector<int> cursors;          // every cursor set, in order
  int lineHeight = 13;
};

}  // namespace tarnsel::test_support
