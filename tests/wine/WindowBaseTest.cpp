// The window base against the real window manager: the one paint path, the
// window's destruction by the object's destructor, and where errors thrown by
// handlers end.
#include "ui/Window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Panel.h"

namespace tarnsel::ui {
namespace {

constexpr COLORREF kPaintColor = RGB(0, 128, 128);
constexpr UINT kThrowMessage = WM_APP + 1;

// A window of our own class that paints itself in one colour (or leaves its
// painting to the default handling), throws from its handler on request, and
// records what reached it.
class ProbeWindow final : public Window {
 public:
  explicit ProbeWindow(HWND parent, bool paintsItself = true) : paintsItself_(paintsItself) {
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    createOwn(L"TarnselProbeWindow", {}, style, 0, L"", parent, {0, 0, 60, 40}, 0);
  }

  int paints = 0;
  int destroyedCalls = 0;
  // For each child whose destruction was notified: the object its handle led to.
  std::vector<Window*> objectsOfDestroyedChildren;

 protected:
  bool paintsItself() const override { return paintsItself_; }
  void paint(HDC dc) override {
    ++paints;
    RECT client;
    GetClientRect(handle(), &client);
    Brush brush(CreateSolidBrush(kPaintColor));
    FillRect(dc, &client, brush.get());
  }
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrowMessage) throw std::runtime_error("handler failed");
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_DESTROY) {
      objectsOfDestroyedChildren.push_back(fromHandle(reinterpret_cast<HWND>(lParam)));
    }
    return Window::handleMessage(message, wParam, lParam);
  }
  void onDestroyed() override { ++destroyedCalls; }

 private:
  bool paintsItself_;
};

// A system edit control routed through its object.
class SystemProbe final : public Window {
 public:
  explicit SystemProbe(HWND parent) {
    createSystem(L"EDIT", WS_CHILD | WS_VISIBLE, 0, L"", parent, {0, 0, 50, 20}, 7);
  }
};

// The colour of each pixel that `window` prints into a 32-bit image of its
// client area, rows from the top.
struct Printed {
  int width = 0;
  std::vector<std::uint32_t> pixels;
  int height() const { return width > 0 ? static_cast<int>(pixels.size()) / width : 0; }
  COLORREF at(int x, int y) const {
    const std::uint32_t bgr = pixels[static_cast<std::size_t>(y * width + x)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }
};

Printed PrintClient(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  void* bits = nullptr;
  Bitmap section(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  SelectedObject selected(dc.get(), section.get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  return {client.right, {first, first + client.right * client.bottom}};
}

class WindowBaseTest : public testing::Test {
 protected:
  void TearDown() override { Window::setErrorSink(nullptr); }
};

TEST_F(WindowBaseTest, WindowThatPaintsItselfServesPaintAndPrintFromOneRoutine) {
  ProbeWindow window(nullptr);
  // Never erased: the routine covers the client area.
  EXPECT_NE(SendMessageW(window.handle(), WM_ERASEBKGND, 0, 0), 0);
  EXPECT_EQ(window.paints, 0);

  const Printed printed = PrintClient(window.handle());
  EXPECT_EQ(window.paints, 1);
  EXPECT_EQ(printed.at(0, 0), kPaintColor);
  ASSERT_GT(printed.height(), 0);
  EXPECT_EQ(printed.at(printed.width - 1, printed.height() - 1), kPaintColor);

  // Painted in BeginPaint's DC, which validates the window.
  InvalidateRect(window.handle(), nullptr, FALSE);
  UpdateWindow(window.handle());
  EXPECT_EQ(window.paints, 2);
  EXPECT_FALSE(GetUpdateRect(window.handle(), nullptr, FALSE));
}

TEST_F(WindowBaseTest, WindowThatDoesNotPaintItselfIsLeftToTheDefaultHandling) {
  ProbeWindow window(nullptr, false);
  // No class background: the default handling erases nothing and says so.
  EXPECT_EQ(SendMessageW(window.handle(), WM_ERASEBKGND, 0, 0), 0);
  PrintClient(window.handle());
  EXPECT_EQ(window.paints, 0);
}

TEST_F(WindowBaseTest, DestructorDestroysTheWindowOutOfReachOfTheObject) {
  ProbeWindow parent(nullptr);
  auto own = std::make_unique<ProbeWindow>(parent.handle());
  auto system = std::make_unique<SystemProbe>(parent.handle());
  HWND ownWindow = own->handle();
  HWND systemWindow = system->handle();
  own.reset();
  system.reset();
  EXPECT_FALSE(IsWindow(ownWindow));
  EXPECT_FALSE(IsWindow(systemWindow));
  // While the windows went, their handles led to no object in destruction.
  EXPECT_EQ(parent.objectsOfDestroyedChildren, (std::vector<Window*>{nullptr, nullptr}));
}

TEST_F(WindowBaseTest, WindowDestroyedWhileItsObjectLivesReachesItsHandlers) {
  ProbeWindow parent(nullptr);
  ProbeWindow child(parent.handle());
  DestroyWindow(child.handle());
  EXPECT_EQ(parent.objectsOfDestroyedChildren, (std::vector<Window*>{&child}));
  EXPECT_EQ(child.destroyedCalls, 1);
  EXPECT_FALSE(child.hasHandle());
}

TEST_F(WindowBaseTest, ErrorThrownByHandlerEndsInTheSinkAndTheWindowGoesOn) {
  std::vector<std::string> reported;
  Window::setErrorSink([&](const std::exception& error) { reported.push_back(error.what()); });
  ProbeWindow window(nullptr);
  EXPECT_EQ(SendMessageW(window.handle(), kThrowMessage, 0, 0), 0);
  EXPECT_EQ(reported, (std::vector<std::string>{"handler failed"}));
  EXPECT_TRUE(IsWindow(window.handle()));

  // Without a sink the error is dropped after the debugger output.
  Window::setErrorSink(nullptr);
  EXPECT_EQ(SendMessageW(window.handle(), kThrowMessage, 0, 0), 0);
  EXPECT_TRUE(IsWindow(window.handle()));
}

TEST_F(WindowBaseTest, ApplicationOwnsTheSinkWhileItLives) {
  int reported = 0;
  Window::setErrorSink([&](const std::exception&) { ++reported; });
  { Application application; }
  // The application took the sink over and left none behind.
  ProbeWindow window(nullptr);
  EXPECT_EQ(SendMessageW(window.handle(), kThrowMessage, 0, 0), 0);
  EXPECT_EQ(reported, 0);
}

class TestForm final : public Form {
 public:
  TestForm() { createForm("WindowBaseTest", 0, 0, 200, 100); }
};

TEST_F(WindowBaseTest, FormAndPanelPrintTheirColourAndWindowlessChildren) {
  Application application;
  TestForm form;
  form.color = screen::clOlive;
  TPanel& panel = form.add<TPanel>(nullptr, "Panel1");
  panel.raisedBevel = false;
  panel.color = screen::clAqua;
  panel.layout().bounds = {100, 0, 100, 100};
  TSpeedButton& button = form.add<TSpeedButton>(&panel, "SpeedButton1");
  button.layout().bounds = {10, 10, 40, 20};
  form.showAtStart(SW_SHOWNORMAL);
  ASSERT_TRUE(IsWindow(panel.handle()));

  EXPECT_EQ(PrintClient(form.handle()).at(50, 50), RGB(128, 128, 0));
  const Printed printed = PrintClient(panel.handle());
  EXPECT_EQ(printed.at(5, 5), RGB(0, 255, 255));
  EXPECT_EQ(printed.at(70, 50), RGB(0, 255, 255));
  // The button's face covers the panel's colour within its bounds.
  EXPECT_NE(printed.at(30, 20), RGB(0, 255, 255));
}

}  // namespace
}  // namespace tarnsel::ui
