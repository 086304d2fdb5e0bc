// The text of the application's error box, built from an error's message.
#pragma once

#include <string>

namespace tarnsel::screen {

// The message with "." appended when its last character sorts after "." (the last
// byte of a multi-byte UTF-8 character always does).
inline std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

// The text of the fatal error box: the error's class, the program's file name, the
// code address, and the message with a full stop added when it has none.
inline std::string FatalErrorText(const std::string& className, const std::string& fileName,
                                  const std::string& address, const std::string& message) {
  const bool stopped = message.ends_with(".") || message.ends_with("。");
  return className + "がモジュール " + fileName + " の " + address + " で発生しました。\n" +
         message + (stopped ? "" : ".");
}

}  // namespace tarnsel::screen
