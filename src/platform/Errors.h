// The program's error kinds. Messages are UTF-8; a path embedded in a message is
// converted from the ANSI code page by the code that raises the error.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarnsel {

// Every error records the code address where it was raised: each kind's
// constructor is kept out of line and takes its own return address, which lies in
// the function that made the error (right after the call). The fatal error box
// shows it.
class TarnselError : public std::runtime_error {
 public:
  TarnselError(const char* className, const std::string& message, const void* raisedAt)
      : std::runtime_error(message), className_(className), raisedAt_(raisedAt) {}
  // The error's class name, as the fatal error box names it.
  const char* className() const { return className_; }
  // The code address in the function that raised the error.
  const void* raisedAt() const { return raisedAt_; }

 private:
  const char* className_;
  const void* raisedAt_;
};

// A failed change of directory or another input/output failure, carrying the
// platform's error code.
class EInOutError : public TarnselError {
 public:
  [[gnu::noinline]] explicit EInOutError(std::uint32_t code);
  std::uint32_t code() const { return code_; }

 private:
  std::uint32_t code_;
};

// The message for an input/output error code.
std::string InOutErrorMessage(std::uint32_t code);

class EInvalidOperation : public TarnselError {
 public:
  [[gnu::noinline]] explicit EInvalidOperation(const std::string& message);
};

class EOutlineError : public TarnselError {
 public:
  [[gnu::noinline]] explicit EOutlineError(const std::string& message);
};

// A failure of an embedded OLE control that has no system error code.
class EOleError : public TarnselError {
 public:
  [[gnu::noinline]] explicit EOleError(const std::string& message);
};

// A failed OLE call, carrying its result code; the message is the system's text
// for that code.
class EOleSysError : public TarnselError {
 public:
  [[gnu::noinline]] EOleSysError(const std::string& message, std::int32_t result);
  std::int32_t result() const { return result_; }

 private:
  std::int32_t result_;
};

}  // namespace tarnsel
