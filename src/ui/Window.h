// The base of every window and control: owns its HWND, routes messages to one
// virtual handler, and reflects the notifications that a parent receives about a
// child (commands, owner drawing, colours) back to that child's object.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace tarnsel::ui {

class Control;
class Form;

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // Destroys the window, if it still exists, after unhooking it from this
  // object: no handler, neither a derived class's nor this base's, runs once the
  // object's destruction has begun, so a derived class whose handlers use its
  // members needs no destructor of its own for its window. A window destroyed
  // while its object lives reaches the handlers as usual, WM_NCDESTROY last.
  virtual ~Window();

  HWND handle() const { return handle_; }
  bool hasHandle() const { return handle_ != nullptr; }

  // The object behind a window of ours, or nullptr.
  static Window* fromHandle(HWND window);
  // This window as a form or a control, or nullptr: the programs are built
  // without run-time type information.
  virtual Form* asForm() { return nullptr; }
  virtual Control* asControl() { return nullptr; }

  // Where an error thrown by a message handler ends: nothing unwinds through
  // Windows, so the handler stops there and the program goes on. The application
  // sets its error box at start; an empty sink restores the default, which
  // writes the message to the debugger output.
  using ErrorSink = std::function<void(const std::exception&)>;
  static void setErrorSink(ErrorSink sink);
  static void reportError(const std::exception& error) noexcept;

 protected:
  Window() = default;

  struct ClassStyle {
    UINT style = CS_DBLCLKS;
    HCURSOR cursor = nullptr;  // nullptr: the arrow
    HBRUSH background = nullptr;
    bool programIcon = false;  // the program icon, large and small, for top-level windows
  };

  // Creates a window of a class of our own, registered on first use.
  void createOwn(const wchar_t* className, const ClassStyle& classStyle, DWORD style, DWORD exStyle,
                 const std::wstring& text, HWND parent, const RECT& bounds, UINT_PTR id);
  // Creates a system control (EDIT, LISTBOX, BUTTON, …) and routes its messages
  // through this object; unhandled ones go to the control's own procedure.
  void createSystem(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& text,
                    HWND parent, const RECT& bounds, UINT_PTR id);

  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  // A notification that the parent received about this control; nullopt leaves
  // it to the parent's default handling.
  virtual std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam);

  // A window that draws all of its client area says so: its background is then
  // never erased, and paint() serves both WM_PAINT (in BeginPaint's DC) and
  // WM_PRINTCLIENT (in the DC the message gives).
  virtual bool paintsItself() const { return false; }
  virtual void paint(HDC) {}

  // Called after WM_NCDESTROY, when the handle is gone.
  virtual void onDestroyed() {}

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // The paint messages of a window that paints itself; nullopt for any other.
  std::optional<LRESULT> paintMessage(UINT message, WPARAM wParam);
  void attach(HWND window);
  // Unhooks the object from its window: later messages go to the default
  // procedure (for a system control, the control's own).
  void detach();

  HWND handle_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // the system control's own procedure
};

}  // namespace tarnsel::ui
