// The window base against the real window manager: where errors thrown by
// handlers end.
#include "ui/Window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Application.h"

namespace tarnsel::ui {
namespace {

constexpr UINT kThrowMessage = WM_APP + 1;

// A window of our own class that throws from its handler on request.
class ProbeWindow final : public Window {
 public:
  explicit ProbeWindow(HWND parent) {
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    createOwn(L"TarnselProbeWindow", {}, style, 0, L"", parent, {0, 0, 60, 40}, 0);
  }

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrowMessage) throw std::runtime_error("handler failed");
    return Window::handleMessage(message, wParam, lParam);
  }
};

class WindowBaseTest : public testing::Test {
 protected:
  void TearDown() override { Window::setErrorSink(nullptr); }
};

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

}  // namespace
}  // namespace tarnsel::ui
