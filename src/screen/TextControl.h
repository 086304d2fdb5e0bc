// An edit control that a model can show a text in, such as the file list's
// selection in its `FileEdit`.
#pragma once

#include <string>

namespace tarnsel::screen {

class TextControl {
 public:
  virtual ~TextControl() = default;
  virtual void setText(const std::string& text) = 0;
  virtual void selectAll() = 0;
};

}  // namespace tarnsel::screen
