// The application object: COM for the user-interface thread, the title, the main
// window, the message loop, and the error boxes that exceptions end in.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "platform/Errors.h"
#include "platform/win32/PreloadedLibraries.h"
#include "platform/win32/SystemLibrary.h"
#include "screen/ErrorText.h"

namespace tarnsel::ui {

class Form;

// COM initialised apartment-threaded for this thread while the object lives.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  bool initialised_ = false;
};

class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  ~Application();

  // The one application object of the process.
  static Application& current();

  // The title names the taskbar entry and the error boxes. UTF-8.
  void setTitle(const std::string& title);
  const std::wstring& title() const { return title_; }

  // The first form created becomes the main form; closing it ends the loop.
  void formCreated(Form& form);
  Form* mainForm() const { return mainForm_; }
  void mainFormClosed();

  // Shows the main form and dispatches messages until the application terminates;
  // returns the exit code.
  int run();
  // Handles one message as the loop does (keyboard navigation first); false on WM_QUIT.
  bool processMessage(MSG& message);
  void terminate();
  bool terminated() const { return terminated_; }

  // The application's error box: the message, "." appended when its last
  // character sorts after ".", caption the title, stop icon, OK.
  void showException(const std::exception& error) noexcept;

  // The fatal error box for an error that escaped while the program was being
  // built; the process then ends with exit code 1. The program's own errors
  // name where they were raised.
  [[noreturn]] void fatal(const TarnselError& error) noexcept;
  // Any other error names the handler that caught it, the code right after the
  // call: kept out of line for that.
  [[noreturn, gnu::noinline]] void fatal(const std::exception& error) noexcept;

  // The show command that the process was started with.
  int startupShowCommand() const { return startupShowCommand_; }

 private:
  [[noreturn]] void showFatal(const char* className, const void* raisedAt,
                              const char* message) noexcept;
  // First, before anything of the system can load them by name from elsewhere.
  platform::win32::PreloadedLibraries preloadedLibraries_;
  // Loaded at run time rather than imported, so that the loader never looks for
  // it (or what it imports) beside the program.
  platform::win32::SystemLibrary commonControls_{
      L"comctl32.dll", platform::win32::SystemLibrary::Source::SideBySide};
  ComApartment com_;
  std::wstring title_;
  Form* mainForm_ = nullptr;  // not owned
  bool terminated_ = false;
  int startupShowCommand_ = SW_SHOWNORMAL;
};

}  // namespace tarnsel::ui
