// A form's keyboard handling around the hosted web browser, against the control
// Wine provides: the first focus, Tab into and out of the browser, and Enter
// typed inside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/WebBrowser.h"

namespace tarnsel::ui {
namespace {

class TestForm final : public Form {
 public:
  TestForm() { createForm("FormKeyboardTest", 0, 0, 400, 300); }
};

template <typename T>
T& Place(T& control, int tabOrder, screen::Bounds bounds) {
  control.tabOrder = tabOrder;
  control.layout().bounds = bounds;
  return control;
}

// The intro pane above a panel with a field and the default button, added in
// an order other than the tab order.
class FormKeyboardTest : public testing::Test {
 protected:
  void SetUp() override {
    form.defaultButtonClick = [this] { ++defaultClicks; };
    form.showAtStart(SW_SHOWNORMAL);
    ASSERT_TRUE(IsWindow(browser.handle()));
    ASSERT_TRUE(IsWindow(edit.handle()));
  }
  void TearDown() override { setShift(false); }

  // Sends a key down through the form's keyboard handling, as the message loop
  // does for a key typed at the focused window; true when the form used it.
  bool press(WPARAM key) {
    MSG message = {GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    return form.preTranslate(message);
  }
  static void setShift(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  bool focusInBrowser() const {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == browser.handle() || IsChild(browser.handle(), focus));
  }
  bool inSequence(const Control& control) const {
    const std::vector<Control*> members = form.tabSequence();
    return std::find(members.begin(), members.end(), &control) != members.end();
  }

  Application application;
  TestForm form;
  TPanel& panel2 = Place(form.add<TPanel>(nullptr, "Panel2"), 1, {0, 150, 400, 150});
  TBitBtn& button = Place(form.add<TBitBtn>(&panel2, "BitBtn1"), 1, {10, 50, 100, 30});
  TEdit& edit = Place(form.add<TEdit>(&panel2, "Edit1"), 0, {10, 10, 200, 20});
  TPanel& panel1 = Place(form.add<TPanel>(nullptr, "Panel1"), 0, {0, 0, 400, 150});
  TWebBrowser& browser = Place(form.add<TWebBrowser>(&panel1, "WebBrowser1"), 0, {0, 0, 400, 150});
  int defaultClicks = 0;
};

TEST_F(FormKeyboardTest, FirstFocusGoesInsideTheBrowser) {
  EXPECT_TRUE(focusInBrowser());
  EXPECT_EQ(form.tabSequence(), (std::vector<Control*>{&browser, &edit, &button}));
}

TEST_F(FormKeyboardTest, TabLeavesTheBrowserForTheNextControlAndShiftTabReturns) {
  ASSERT_TRUE(focusInBrowser());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ(GetFocus(), edit.handle());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ(GetFocus(), button.handle());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_TRUE(focusInBrowser());
  setShift(true);
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ(GetFocus(), button.handle());
  SetFocus(edit.handle());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_TRUE(focusInBrowser());
}

TEST_F(FormKeyboardTest, EnterInsideTheBrowserIsLeftToThePage) {
  ASSERT_TRUE(focusInBrowser());
  EXPECT_FALSE(press(VK_RETURN));
  EXPECT_EQ(defaultClicks, 0);
  SetFocus(edit.handle());
  EXPECT_TRUE(press(VK_RETURN));
  EXPECT_EQ(defaultClicks, 1);
}

// Named callbacks: the system calls them with its own calling convention, which a
// lambda cannot take on 32-bit Windows.
BOOL CALLBACK ClearTabStop(HWND inner, LPARAM) {
  SetWindowLongW(inner, GWL_STYLE, GetWindowLongW(inner, GWL_STYLE) & ~WS_TABSTOP);
  return TRUE;
}

// Wine's browser window is a tab stop itself; the form's sequence must not
// depend on the styles the control gives its own windows.
TEST_F(FormKeyboardTest, TabReachesTheBrowserWhateverTheStylesOfItsOwnWindows) {
  EnumChildWindows(browser.handle(), ClearTabStop, 0);
  SetFocus(button.handle());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_TRUE(focusInBrowser());
}

// A control that reports acting like a label gets a window without WS_TABSTOP.
TEST_F(FormKeyboardTest, BrowserWithoutTabStopIsPassedOverEvenIfItsOwnWindowsAreStops) {
  SetWindowLongW(browser.handle(), GWL_STYLE,
                 GetWindowLongW(browser.handle(), GWL_STYLE) & ~WS_TABSTOP);
  EXPECT_FALSE(inSequence(browser));
  SetFocus(button.handle());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ(GetFocus(), edit.handle());
}

// Another window of the program is activated and closed again, as the folder
// picker or a message box is.
void ActivateAnotherWindowAndCome(HWND back) {
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100,
                               100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  ASSERT_EQ(GetActiveWindow(), other);
  DestroyWindow(other);
  SetActiveWindow(back);
  ASSERT_EQ(GetActiveWindow(), back);
}

TEST_F(FormKeyboardTest, FocusComesBackToTheControlThatHadItWhenTheFormIsActivatedAgain) {
  ASSERT_TRUE(focusInBrowser());
  ActivateAnotherWindowAndCome(form.handle());
  EXPECT_TRUE(focusInBrowser());
  SetFocus(button.handle());
  ActivateAnotherWindowAndCome(form.handle());
  EXPECT_EQ(GetFocus(), button.handle());
  EXPECT_TRUE(press(VK_RETURN));
  EXPECT_EQ(defaultClicks, 0);
}

class ModalForm final : public Form {
 public:
  ModalForm() { createForm("ModalForm", 50, 50, 200, 100); }
};

// Runs `step` from inside the modal loop of `modal`, then ends the run with OK.
std::function<void()>& PendingModalStep() {
  static std::function<void()> pending;
  return pending;
}

void CALLBACK RunPendingModalStep(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  std::exchange(PendingModalStep(), nullptr)();
}

void RunModal(Form& modal, std::function<void()> step) {
  PendingModalStep() = [&modal, step = std::move(step)] {
    step();
    modal.modalResult = mrOk;
  };
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RunPendingModalStep);
  ASSERT_EQ(modal.showModal(), mrOk);
}

TEST_F(FormKeyboardTest, ModalFormGivesTheFocusBackToTheControlThatHadItWhenItEnded) {
  ModalForm picker;
  TEdit& first = Place(picker.add<TEdit>(nullptr, "Edit1"), 0, {10, 10, 100, 20});
  TEdit& second = Place(picker.add<TEdit>(nullptr, "Edit2"), 1, {10, 40, 100, 20});
  HWND focusAtFirstRun = nullptr;
  HWND focusAtSecondRun = nullptr;
  RunModal(picker, [&] {
    focusAtFirstRun = GetFocus();
    SetFocus(second.handle());
  });
  EXPECT_FALSE(IsWindowVisible(picker.handle()));
  RunModal(picker, [&] { focusAtSecondRun = GetFocus(); });
  EXPECT_EQ(focusAtFirstRun, first.handle());
  EXPECT_EQ(focusAtSecondRun, second.handle());
}

TEST_F(FormKeyboardTest, CollapsedBrowserStaysInTheSequence) {
  SetWindowPos(panel1.handle(), nullptr, 0, 0, 400, 0, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(browser.handle(), nullptr, 0, 0, 400, 0, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(inSequence(browser));
  SetFocus(button.handle());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_TRUE(focusInBrowser());
}

TEST_F(FormKeyboardTest, HiddenOrDisabledControlsAreSkipped) {
  ShowWindow(edit.handle(), SW_HIDE);
  EXPECT_FALSE(inSequence(edit));
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ(GetFocus(), button.handle());
  ShowWindow(edit.handle(), SW_SHOW);
  EnableWindow(edit.handle(), FALSE);
  EXPECT_FALSE(inSequence(edit));
  ShowWindow(panel2.handle(), SW_HIDE);
  EXPECT_EQ(form.tabSequence(), (std::vector<Control*>{&browser}));
}

}  // namespace
}  // namespace tarnsel::ui
