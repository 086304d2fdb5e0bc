#include "ui/Application.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/Errors.h"
#include "platform/HexText.h"
#include "platform/win32/StartupTrace.h"
#include "ui/Form.h"
#include "ui/MessageBoxShow.h"
#include "ui/Text.h"
#include "ui/Window.h"

namespace tarnsel::ui {

namespace {
Application* currentApplication = nullptr;
}

ComApartment::ComApartment() {
  TARNSEL_STARTUP_STAMP("comctl32");
  initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  TARNSEL_STARTUP_STAMP("com");
}

ComApartment::~ComApartment() {
  if (initialised_) CoUninitialize();
}

Application::Application() {
  currentApplication = this;
  Window::setErrorSink([this](const std::exception& error) { showException(error); });
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  using InitCommonControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  if (const auto init = commonControls_.function<InitCommonControls>("InitCommonControlsEx")) {
    init(&controls);
  }
  STARTUPINFOW startup = {};
  GetStartupInfoW(&startup);
  if (startup.dwFlags & STARTF_USESHOWWINDOW) startupShowCommand_ = startup.wShowWindow;
}

Application::~Application() {
  if (currentApplication == this) {
    currentApplication = nullptr;
    Window::setErrorSink(nullptr);
  }
}

Application& Application::current() { return *currentApplication; }

void Application::setTitle(const std::string& title) { title_ = Widen(title); }

void Application::formCreated(Form& form) {
  if (!mainForm_) mainForm_ = &form;
}

void Application::mainFormClosed() { terminate(); }

void Application::terminate() {
  if (!terminated_) {
    terminated_ = true;
    PostQuitMessage(0);
  }
}

bool Application::processMessage(MSG& message) {
  if (!GetMessageW(&message, nullptr, 0, 0)) {
    terminated_ = true;
    return false;
  }
  // Keyboard navigation (Tab, Enter for the default button) within the form
  // that holds the focus.
  HWND top = GetAncestor(message.hwnd, GA_ROOT);
  Window* window = Window::fromHandle(top);
  Form* form = window ? window->asForm() : nullptr;
  if (form && form->preTranslate(message)) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

int Application::run() {
  // Failures while the child windows are first created are fatal.
  if (mainForm_) mainForm_->showAtStart(startupShowCommand_);
  MSG message = {};
  while (!terminated_ && processMessage(message)) {
  }
  return 0;
}

void Application::showException(const std::exception& error) noexcept {
  try {
    const std::wstring text = Widen(screen::ErrorBoxText(error.what()));
    HWND owner = mainForm_ && mainForm_->hasHandle() ? GetActiveWindow() : nullptr;
    MessageBoxShowGuard keepInView;
    MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
  } catch (...) {
    // Out of memory while reporting: nothing more can be said.
  }
}

void Application::fatal(const TarnselError& error) noexcept {
  showFatal(error.className(), error.raisedAt(), error.what());
}

void Application::fatal(const std::exception& error) noexcept {
  showFatal("Exception", __builtin_extract_return_addr(__builtin_return_address(0)), error.what());
}

void Application::showFatal(const char* className, const void* raisedAt,
                            const char* message) noexcept {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  const wchar_t* fileName = wcsrchr(module, L'\\') ? wcsrchr(module, L'\\') + 1 : module;
  const std::wstring text =
      Widen(screen::FatalErrorText(className, Narrow(fileName), AddressText(raisedAt), message));
  MessageBoxShowGuard keepInView;
  MessageBoxW(nullptr, text.c_str(), L"アプリケーション エラー",
              MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  ExitProcess(1);
}

}  // namespace tarnsel::ui
