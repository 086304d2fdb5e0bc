// The browser control's host against the control Wine provides: creation,
// activation in a pane, resizing, focus and keys, navigation and teardown.
#include "platform/win32/WebBrowserHost.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <set>
#include <string>

#include "platform/Errors.h"
#include "screen/TabSequence.h"

namespace tarnsel::platform::win32 {
namespace {

static_assert(screen::kMiscActsLikeLabel == OLEMISC_ACTSLIKELABEL);
static_assert(screen::kMiscNoUiActivate == OLEMISC_NOUIACTIVATE);

class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

class OwnedWindow {
 public:
  explicit OwnedWindow(HWND window) : window_(window) {}
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  ~OwnedWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

HWND CreateTestWindow(HWND parent, DWORD style, int width, int height) {
  static const wchar_t* const className = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TarnselBrowserTestWindow";
    RegisterClassW(&windowClass);
    return windowClass.lpszClassName;
  }();
  return CreateWindowExW(0, className, L"", style, 0, 0, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

RECT RectInParent(HWND window, HWND parent) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::array<LONG, 4> Edges(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// A named callback: the system calls it with its own calling convention, which a
// lambda cannot take on 32-bit Windows.
BOOL CALLBACK AddIfVisibleInThisProcess(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window))
    reinterpret_cast<std::set<HWND>*>(found)->insert(window);
  return TRUE;
}

std::set<HWND> VisibleTopLevelWindowsOfThisProcess() {
  std::set<HWND> windows;
  EnumWindows(AddIfVisibleInThisProcess, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Runs this thread's messages for a while, as the program's loop would.
void PumpMessages(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// Whether the browser control's server module (ieframe.dll, on Windows as in
// Wine) still counts live objects; it answers S_FALSE to DllCanUnloadNow then.
bool BrowserServerHasObjects() {
  const HMODULE server = GetModuleHandleW(L"ieframe.dll");
  if (server == nullptr) return false;
  const auto canUnloadNow = reinterpret_cast<HRESULT(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(server, "DllCanUnloadNow")));
  return canUnloadNow != nullptr && canUnloadNow() == S_FALSE;
}

class TempHtmlFile {
 public:
  TempHtmlFile() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"tarnsel-intro-" + std::to_wstring(GetCurrentProcessId()) +
            L".html";
    std::ofstream(path_.c_str()) << "<html><body>intro</body></html>\n";
  }
  TempHtmlFile(const TempHtmlFile&) = delete;
  TempHtmlFile& operator=(const TempHtmlFile&) = delete;
  ~TempHtmlFile() { DeleteFileW(path_.c_str()); }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

class WebBrowserHostTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(apartment_.result()));
    ASSERT_NE(frame_.get(), nullptr);
    ASSERT_NE(pane_, nullptr);
  }

  const RECT bounds_ = {1, 1, 401, 301};
  ComApartment apartment_;
  OwnedWindow frame_{CreateTestWindow(nullptr, WS_OVERLAPPEDWINDOW, 640, 480)};
  // Destroyed with the frame.
  const HWND pane_ = CreateTestWindow(frame_.get(), WS_CHILD | WS_VISIBLE, 500, 400);
};

TEST_F(WebBrowserHostTest, CreatedControlHasNoWindowAndTakesTabStop) {
  const WebBrowserHost host;
  EXPECT_EQ(host.window(), nullptr);
  EXPECT_TRUE(screen::TakesTabStop(host.miscStatus()));
}

TEST_F(WebBrowserHostTest, ActivatesInPaneFillingBounds) {
  WebBrowserHost host;
  host.activate(pane_, bounds_);
  ASSERT_TRUE(IsWindow(host.window()));
  EXPECT_TRUE(IsChild(pane_, host.window()));
  wchar_t className[64] = {};
  GetClassNameW(host.window(), className, 64);
  EXPECT_STREQ(className, L"Shell Embedding");
  EXPECT_EQ(Edges(RectInParent(host.window(), pane_)), Edges(bounds_));
}

TEST_F(WebBrowserHostTest, SetBoundsMovesAndResizesControlWindow) {
  WebBrowserHost host;
  host.activate(pane_, bounds_);
  const RECT moved = {10, 20, 210, 120};
  host.setBounds(moved);
  EXPECT_EQ(Edges(RectInParent(host.window(), pane_)), Edges(moved));
}

TEST_F(WebBrowserHostTest, WithoutParentWindowActivationFails) {
  WebBrowserHost host;
  try {
    host.activate(nullptr, bounds_);
    FAIL() << "activated without a parent window";
  } catch (const EOleError& error) {
    EXPECT_STREQ(error.what(), "OLE コントロールのアクティベートに失敗しました");
  }
  EXPECT_EQ(host.window(), nullptr);
}

TEST_F(WebBrowserHostTest, NavigatesToLocalFileWithoutOpeningOtherWindows) {
  ShowWindow(frame_.get(), SW_SHOWNOACTIVATE);
  const std::set<HWND> before = VisibleTopLevelWindowsOfThisProcess();
  ASSERT_EQ(before.count(frame_.get()), 1u);
  TempHtmlFile page;
  ASSERT_NE(GetFileAttributesW(page.path().c_str()), INVALID_FILE_ATTRIBUTES);
  WebBrowserHost host;
  host.activate(pane_, bounds_);
  host.navigate(L"file:///" + page.path());
  // Long enough for the control to load, fail and report; an installer or
  // error dialog would be a new visible top-level window.
  PumpMessages(1500);
  EXPECT_EQ(VisibleTopLevelWindowsOfThisProcess(), before);
  EXPECT_TRUE(IsChild(pane_, host.window()));
  // Navigating puts the document view inside the control's window.
  EXPECT_NE(GetWindow(host.window(), GW_CHILD), nullptr);
}

TEST_F(WebBrowserHostTest, FocusGoesInsideTheControlsWindow) {
  ShowWindow(frame_.get(), SW_SHOWNORMAL);
  WebBrowserHost host;
  host.activate(pane_, bounds_);
  SetFocus(pane_);
  host.focus();
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == host.window() || IsChild(host.window(), focus));
}

TEST_F(WebBrowserHostTest, KeysBeforeActivationOrWithoutAPageAreLeftToTheHost) {
  WebBrowserHost host;
  MSG tab = {pane_, WM_KEYDOWN, VK_TAB, 1, 0, {}};
  EXPECT_FALSE(host.translateKey(tab));
  host.activate(pane_, bounds_);
  host.focus();
  tab.hwnd = GetFocus();
  EXPECT_FALSE(host.translateKey(tab));
}

TEST_F(WebBrowserHostTest, DestroyingFocusedHostReleasesControl) {
  ShowWindow(frame_.get(), SW_SHOWNORMAL);
  {
    WebBrowserHost host;
    host.activate(pane_, bounds_);
    host.focus();
    ASSERT_TRUE(BrowserServerHasObjects());
  }
  EXPECT_FALSE(BrowserServerHasObjects());
}

TEST_F(WebBrowserHostTest, DestroyingActiveHostRemovesWindowAndReleasesControl) {
  HWND window = nullptr;
  {
    WebBrowserHost host;
    host.activate(pane_, bounds_);
    window = host.window();
    ASSERT_TRUE(IsWindow(window));
    ASSERT_TRUE(BrowserServerHasObjects());
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetWindow(pane_, GW_CHILD), nullptr);
  EXPECT_FALSE(BrowserServerHasObjects());
}

TEST_F(WebBrowserHostTest, DestroyingHostNeverActivatedReleasesControl) {
  {
    const WebBrowserHost host;
    ASSERT_TRUE(BrowserServerHasObjects());
  }
  EXPECT_FALSE(BrowserServerHasObjects());
  EXPECT_EQ(GetWindow(pane_, GW_CHILD), nullptr);
}

TEST_F(WebBrowserHostTest, UnregisteredClassFailsWithClassNotRegistered) {
  const CLSID unregistered = {
      0x6d1a3b52, 0x0c4e, 0x4f0a, {0x9b, 0x1e, 0x3a, 0x55, 0x7c, 0x21, 0xd0, 0x44}};
  try {
    WebBrowserHost host(unregistered);
    FAIL() << "created an unregistered class";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(error.result(), static_cast<std::int32_t>(REGDB_E_CLASSNOTREG));
    const std::string message = error.what();
    EXPECT_FALSE(message.empty());
    EXPECT_NE(message.back(), '\n');
  }
}

}  // namespace
}  // namespace tarnsel::platform::win32
