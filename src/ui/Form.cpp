#include "ui/Form.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Errors.h"
#include "platform/win32/StartupTrace.h"
#include "screen/TabSequence.h"
#include "ui/Application.h"
#include "ui/Text.h"
#include "ui/WindowShow.h"

namespace tarnsel::ui {

namespace {

constexpr wchar_t kFormClass[] = L"TarnselForm";

bool IsButton(HWND window) {
  return (SendMessageW(window, WM_GETDLGCODE, 0, 0) &
          (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool IsComboBox(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return _wcsicmp(name, L"ComboBox") == 0;
}

bool ModifierDown() {
  return (GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000;
}

}  // namespace

Form::~Form() {
  // Children go before the form's window, which destroys theirs anyway.
  controls_.clear();
}

Control* Form::find(const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

Control* Form::bindControl(const char* name, ClassId classId) const {
  Control* found = find(name);
  if (found && (!classId || found->classId() == classId)) return found;
  throw std::logic_error((found ? "wrong class for component " : "no component ") +
                         std::string(name));
}

HFONT Form::fontFor(int height) {
  for (const auto& [made, font] : fonts_) {
    if (made == height) return font.get();
  }
  WindowDC screen(nullptr);
  LOGFONTW description = {};
  description.lfHeight = MulDiv(height, GetDeviceCaps(screen.get(), LOGPIXELSY), 96);
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = SHIFTJIS_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH;
  wcscpy(description.lfFaceName, L"ＭＳ Ｐゴシック");
  return fonts_.emplace_back(height, Font(CreateFontIndirectW(&description))).second.get();
}

HBRUSH Form::brushFor(screen::TColor color) {
  for (const auto& [made, brush] : brushes_) {
    if (made == color) return brush.get();
  }
  return brushes_.emplace_back(color, Brush(CreateSolidBrush(ToColorRef(color)))).second.get();
}

void Form::createForm(const std::string& caption, int left, int top, int width, int height,
                      bool outerSize, HWND owner) {
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT outer = {0, 0, width, height};
  if (!outerSize) AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  createOwn(kFormClass, {CS_DBLCLKS, nullptr, nullptr, true}, style, exStyle, Widen(caption), owner,
            {left, top, left + outer.right - outer.left, top + outer.bottom - outer.top}, 0);
  RECT client;
  GetClientRect(handle(), &client);
  client_.bounds = {0, 0, client.right, client.bottom};
  Application::current().formCreated(*this);
}

void Form::scaleForDisplay(int designedTextHeight) {
  WindowDC screen(nullptr);
  SelectedObject selected(screen.get(), fontFor(-12));
  SIZE digit = {};
  GetTextExtentPoint32W(screen.get(), L"0", 1, &digit);
  if (digit.cy == designedTextHeight || digit.cy <= 0) return;
  screen::TakeAnchors(client_);
  screen::ScaleTree(client_, digit.cy, designedTextHeight);
  RECT outer = {0, 0, client_.bounds.width, client_.bounds.height};
  AdjustWindowRectEx(&outer, GetWindowLongW(handle(), GWL_STYLE), FALSE,
                     GetWindowLongW(handle(), GWL_EXSTYLE));
  SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::createChildren() {
  if (childrenCreated_) return;
  childrenCreated_ = true;
  screen::TakeAnchors(client_);
  screen::Realign(client_);
  std::vector<Control*> ordered = topLevel_;
  screen::SortByTabOrder(ordered);
  for (Control* control : ordered) control->createHandles();
  // A control whose window existed already (made early, while loading) takes its
  // place in the tab order too.
  HWND previous = HWND_TOP;
  for (Control* control : ordered) {
    if (!control->hasHandle()) continue;
    SetWindowPos(control->handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control->handle();
  }
}

void Form::realign() {
  RECT client;
  GetClientRect(handle(), &client);
  client_.bounds = {0, 0, client.right, client.bottom};
  if (!childrenCreated_) return;
  screen::Realign(client_);
  for (Control* control : topLevel_) control->applyBounds();
}

void Form::placeAtDesktopCenter() {
  RECT outer;
  GetWindowRect(handle(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int left = std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
  const int top = std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
  SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::showAtStart(int startupShowCommand) {
  if (shownOnce_) return;
  const screen::FirstShowPlan plan = screen::PlanFirstShow(startupShowCommand);
  if (plan.deferred) {
    // Only a taskbar button: the window is shown, and its show handler runs,
    // when the user restores it.
    showDeferred_ = true;
    ShowWindow(handle(), plan.command);
    return;
  }
  runFirstShow(plan.state);
}

void Form::runFirstShow(screen::TWindowState state) {
  if (shownOnce_) return;
  shownOnce_ = true;
  showDeferred_ = false;
  pendingState_ = state;
  // A failure here escapes to the caller: the program can't go on without its
  // child windows.
  createChildren();
  const bool mainForm = Application::current().mainForm() == this;
  if (mainForm) TARNSEL_STARTUP_STAMP("children");
  showing_ = true;
  try {
    if (OnShow) OnShow();
  } catch (const std::exception& error) {
    // The show handler stops; the window is still placed and shown.
    Application::current().showException(error);
  }
  showing_ = false;
  if (mainForm) TARNSEL_STARTUP_STAMP("onshow");
  if (position == TPosition::poDesktopCenter) placeAtDesktopCenter();
  ShowInState(handle(), pendingState_);
  if (mainForm) TARNSEL_STARTUP_STAMP("shown");
  if (!focusedOnce_) {
    focusedOnce_ = true;
    focusNextControl(nullptr, false);
  }
}

screen::TWindowState Form::hiddenState() const {
  return IsZoomed(handle()) ? screen::TWindowState::wsMaximized : screen::TWindowState::wsNormal;
}

void Form::show() {
  if (!shownOnce_) {
    runFirstShow(screen::TWindowState::wsNormal);
    return;
  }
  // While the first show is under way the window becomes visible at its end; a
  // visible window stays as it is.
  if (!showing_ && !IsWindowVisible(handle())) ShowInState(handle(), hiddenState());
}

namespace {

struct DisabledWindows {
  HWND except;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOther(HWND window, LPARAM state) {
  auto& disabled = *reinterpret_cast<DisabledWindows*>(state);
  if (window != disabled.except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled.windows.push_back(window);
  }
  return TRUE;
}

}  // namespace

TModalResult Form::showModal() {
  if (IsWindowVisible(handle()) || !IsWindowEnabled(handle()) || modal_) {
    throw EInvalidOperation("表示されているウィンドウをモーダルにすることはできません");
  }
  ReleaseCapture();
  modal_ = true;
  HWND activeBefore = GetActiveWindow();
  HCURSOR cursorBefore = SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  DisabledWindows disabled{handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&disabled));

  if (!shownOnce_) {
    runFirstShow(screen::TWindowState::wsNormal);
  } else {
    // Activation gives the focus back to the control that had it when the form
    // was hidden: hiding deactivated the form, which kept that control.
    ShowInState(handle(), hiddenState());
  }
  modalResult = mrNone;
  Application& application = Application::current();
  MSG message = {};
  while (modalResult == mrNone) {
    if (!application.processMessage(message)) {
      // The application is terminating: end with "cancelled" and let the outer
      // loop see the request too.
      modalResult = mrCancel;
      PostQuitMessage(0);
    }
  }
  const TModalResult result = modalResult;

  const bool stillActive = GetActiveWindow() == handle();
  for (HWND window : disabled.windows) EnableWindow(window, TRUE);
  ShowWindow(handle(), SW_HIDE);
  SetCursor(cursorBefore);
  if (stillActive && activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
  modal_ = false;
  return result;
}

void Form::bringToFront() {
  SetWindowPos(handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(handle());
}

void Form::setWindowState(screen::TWindowState state) {
  if (showing_) {
    // Not visible yet: the first show ends in this state.
    pendingState_ = state;
    return;
  }
  if (state == screen::TWindowState::wsNormal && (IsIconic(handle()) || IsZoomed(handle()))) {
    ShowWindow(handle(), SW_RESTORE);
  } else if (state == screen::TWindowState::wsMaximized) {
    ShowWindow(handle(), SW_MAXIMIZE);
  } else if (state == screen::TWindowState::wsMinimized) {
    ShowWindow(handle(), SW_MINIMIZE);
  }
}

void Form::close() {
  // A request: a show that is under way completes first.
  PostMessageW(handle(), WM_CLOSE, 0, 0);
}

int Form::clientWidth() const {
  RECT client;
  GetClientRect(handle(), &client);
  return client.right;
}

int Form::clientHeight() const {
  RECT client;
  GetClientRect(handle(), &client);
  return client.bottom;
}

void Form::setClientHeight(int height) {
  RECT outer;
  GetWindowRect(handle(), &outer);
  const int change = height - clientHeight();
  SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + change,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<Control*> Form::tabSequence() const {
  return screen::TabSequence(topLevel_,
                             [](const Control& control) { return control.takesFocus(); });
}

Control* Form::controlHolding(HWND window) const {
  for (HWND inner = window; inner != nullptr && inner != handle(); inner = GetParent(inner)) {
    Window* window = Window::fromHandle(inner);
    Control* control = window ? window->asControl() : nullptr;
    if (control && &control->form() == this) return control;
  }
  return nullptr;
}

void Form::focusNextControl(HWND focus, bool backward) {
  const std::vector<Control*> members = tabSequence();
  // The innermost member holding the focus: members come parents first.
  std::optional<std::size_t> current;
  for (std::size_t i = 0; focus != nullptr && i < members.size(); ++i) {
    HWND member = members[i]->handle();
    if (member == focus || IsChild(member, focus)) current = i;
  }
  if (const auto next = screen::NextTabStop(members.size(), current, backward))
    SetFocus(members[*next]->handle());
}

bool Form::onActivate(bool active, bool minimized) {
  if (!active) {
    HWND focus = GetFocus();
    focusWhenDeactivated_ = focus != nullptr && IsChild(handle(), focus) ? focus : nullptr;
    return false;
  }
  // The default handling would put the focus on the form itself, where Enter
  // clicks the default button whatever control the user had left the focus on.
  HWND saved = std::exchange(focusWhenDeactivated_, nullptr);
  if (minimized || saved == nullptr || !IsChild(handle(), saved) || !IsWindowVisible(saved) ||
      !IsWindowEnabled(saved))
    return false;
  SetFocus(saved);
  return true;
}

bool Form::preTranslate(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND focus = GetFocus();
  Control* holder = focus != nullptr ? controlHolding(focus) : nullptr;
  // Keys typed inside a hosted control's own windows go to that control first
  // (a page moves between its links with Tab and follows one with Enter).
  if (holder != nullptr && holder->translateKey(message)) return true;
  // Keys handled here are not translated, so they never arrive as characters.
  if (message.message != WM_KEYDOWN) return false;
  const auto key = static_cast<UINT>(message.wParam);
  if (key == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_MENU) & 0x8000)) {
    focusNextControl(focus, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  if (key == VK_RETURN && !ModifierDown()) {
    if (holder != nullptr && holder->keepsEnter()) return false;
    // A dropped-down list keeps its own Enter.
    if (focus && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) && IsComboBox(focus)) return false;
    if (focus && IsButton(focus)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
    const LRESULT wants =
        focus ? SendMessageW(focus, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&message)) : 0;
    if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    if (defaultButtonClick) defaultButtonClick();
    return true;
  }
  return false;
}

void Form::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  FillRect(dc, &client, brushFor(color));
#ifdef TARNSEL_STARTUP_TRACE
  static bool firstPaint = true;
  if (firstPaint && Application::current().mainForm() == this) {
    firstPaint = false;
    TARNSEL_STARTUP_STAMP("painted");
  }
#endif
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (showDeferred_ && wParam != SIZE_MINIMIZED) runFirstShow(screen::TWindowState::wsNormal);
      realign();
      if (OnResize) OnResize();
      return 0;
    case WM_CLOSE:
      // The main form ends the program; a modal form ends its run with
      // "cancelled"; any other form is only hidden.
      if (Application::current().mainForm() == this) {
        DestroyWindow(handle());
      } else if (modal_) {
        modalResult = mrCancel;
      } else {
        ShowWindow(handle(), SW_HIDE);
      }
      return 0;
    case WM_ACTIVATE:
      if (onActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0)) return 0;
      return defaultHandling(message, wParam, lParam);
    case WM_DESTROY:
      if (Application::current().mainForm() == this) Application::current().mainFormClosed();
      return 0;
    default:
      return defaultHandling(message, wParam, lParam);
  }
}

}  // namespace tarnsel::ui
