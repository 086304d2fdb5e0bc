// The text of the application's error box, built from an error's message.
#pragma once

#include <string>

namespace tarnsel::ui {

// The message with "." appended when its last character sorts after "." (the last
// byte of a multi-byte UTF-8 character always does).
inline std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace tarnsel::ui
