// The window base: class registration, creation, the one window procedure and
// the reflection of notifications to the child they are about.
#include "ui/Window.h"

#include <stdexcept>
#include <utility>

#include "resources/ResourceIds.h"
#include "ui/Gdi.h"

namespace tarnsel::ui {

namespace {

constexpr wchar_t kObjectProperty[] = L"Tarnsel.Window";

// The child that a parent's notification is about, or nullptr.
HWND NotifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_MEASUREITEM:
      return GetDlgItem(parent, static_cast<int>(wParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<HWND>(lParam);
    default:
      return nullptr;
  }
}

// The program icon at the size of the given system metrics, picked by the system
// from the icon's images. Shared, so the system frees it with the module: class
// icons stay in use until the process ends.
HICON ProgramIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TARNSEL_PROGRAM_ICON), IMAGE_ICON,
                 GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

Window::ErrorSink& CurrentErrorSink() {
  static Window::ErrorSink sink;
  return sink;
}

}  // namespace

void Window::setErrorSink(ErrorSink sink) { CurrentErrorSink() = std::move(sink); }

void Window::reportError(const std::exception& error) noexcept {
  try {
    if (const ErrorSink& sink = CurrentErrorSink()) {
      sink(error);
      return;
    }
    OutputDebugStringA(error.what());
  } catch (...) {
    // A sink that fails in turn has nowhere left to report to.
  }
}

Window::~Window() {
  if (!handle_) return;
  // The derived parts of this object are gone already: the window is unhooked
  // first, so that none of the messages its destruction sends reaches them (or
  // this object, through its handle) and all go to the default procedure.
  HWND window = handle_;
  detach();
  DestroyWindow(window);
}

Window* Window::fromHandle(HWND window) {
  return window ? static_cast<Window*>(GetPropW(window, kObjectProperty)) : nullptr;
}

void Window::attach(HWND window) {
  handle_ = window;
  SetPropW(window, kObjectProperty, this);
}

void Window::detach() {
  RemovePropW(handle_, kObjectProperty);
  if (systemProc_) {
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
  }
  handle_ = nullptr;
}

void Window::createOwn(const wchar_t* className, const ClassStyle& classStyle, DWORD style,
                       DWORD exStyle, const std::wstring& text, HWND parent, const RECT& bounds,
                       UINT_PTR id) {
  // The system keeps the process's classes: a class is registered once, by the
  // first window of its kind.
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle.style;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = classStyle.cursor ? classStyle.cursor : LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = classStyle.background;
    windowClass.lpszClassName = className;
    if (classStyle.programIcon) {
      windowClass.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
      windowClass.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
    }
    RegisterClassExW(&windowClass);
  }
  CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                  reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), this);
  if (!handle_) throw std::runtime_error("CreateWindowEx failed");
}

void Window::createSystem(const wchar_t* className, DWORD style, DWORD exStyle,
                          const std::wstring& text, HWND parent, const RECT& bounds, UINT_PTR id) {
  HWND window = CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
  if (!window) throw std::runtime_error("CreateWindowEx failed");
  attach(window);
  systemProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc)));
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return defaultHandling(message, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  if (systemProc_) return CallWindowProcW(systemProc_, handle_, message, wParam, lParam);
  return DefWindowProcW(handle_, message, wParam, lParam);
}

std::optional<LRESULT> Window::reflected(UINT, WPARAM, LPARAM) { return std::nullopt; }

std::optional<LRESULT> Window::paintMessage(UINT message, WPARAM wParam) {
  if (!paintsItself()) return std::nullopt;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // paint() covers the whole client area: erasing would only flicker
    case WM_PAINT: {
      PaintDC dc(handle_);
      paint(dc.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return std::nullopt;
  }
}

LRESULT Window::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND child = NotifyingChild(handle_, message, wParam, lParam)) {
    Window* object = fromHandle(child);
    if (object && object != this) {
      if (auto result = object->reflected(message, wParam, lParam)) return *result;
    }
  }
  if (auto result = paintMessage(message, wParam)) return *result;
  return handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = fromHandle(window);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) self->attach(window);
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->dispatch(message, wParam, lParam);
  } catch (const std::exception& error) {
    reportError(error);
  }
  if (message == WM_NCDESTROY) {
    self->detach();
    self->onDestroyed();
  }
  return result;
}

}  // namespace tarnsel::ui
