// The outline's grid window on a form that is never shown: its services, scroll
// bars, keys, mouse presses and scroll requests as window messages, and the rows
// it paints. The end-to-end script drives the same window by real input.
#include "controls/win32/OutlineGridView.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "unit/OutlineFakes.h"

namespace tarnsel::controls::win32 {
namespace {

using outline_testing::Build;

class TestForm final : public ui::Form {
 public:
  TestForm() { createForm("OutlineGridViewTest", 0, 0, 400, 300); }
};

// An outline with a constructor argument of its own that counts its expansions.
class CountingOutline final : public TCustomOutline {
 public:
  CountingOutline(OutlineServices& services, int& expansions)
      : TCustomOutline(services), expansions_(expansions) {}

 protected:
  void NotifyExpand(int index) override {
    ++expansions_;
    TCustomOutline::NotifyExpand(index);
  }

 private:
  int& expansions_;
};

SCROLLINFO ScrollInfo(HWND window, int bar) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(window, bar, &info);
  return info;
}

bool HasStyle(HWND window, LONG style) { return (GetWindowLongW(window, GWL_STYLE) & style) != 0; }

int ClientWidth(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client.right;
}

// How many pixels of each row the window prints in the highlight colour.
std::vector<int> HighlightPerRow(HWND window, int rowHeight) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ui::WindowDC screen(nullptr);
  ui::MemoryDC dc(screen.get());
  void* bits = nullptr;
  ui::Bitmap section(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ui::SelectedObject selected(dc.get(), section.get());
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  GdiFlush();
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const std::uint32_t rgb =
      (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  std::vector<int> counts(client.bottom / rowHeight);
  for (int y = 0; y < static_cast<int>(counts.size()) * rowHeight; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if ((pixels[y * client.right + x] & 0xFFFFFF) == rgb) ++counts[y / rowHeight];
    }
  }
  return counts;
}

class OutlineGridViewTest : public testing::Test {
 protected:
  OutlineGridViewTest() : view(form.add<OutlineGridViewOf<TCustomOutline>>(nullptr, "Outline1")) {
    outline().OnClick = [this] { ++clicks; };
  }

  TCustomOutline& outline() { return view.model(); }
  int rowHeight() { return outline().ItemHeight(); }
  HWND window() { return view.handle(); }

  // The window, its client area `rows` rows high and `width` wide.
  void createWindow(int rows, int width = 200) {
    const int edge = 2 * GetSystemMetrics(SM_CXEDGE);
    view.layout().bounds = {0, 0, width + edge, rows * rowHeight() + edge};
    view.createHandles();
    ASSERT_TRUE(view.hasHandle());
  }

  // Top-level items "Item 1" .. "Item n".
  void addItems(int count) {
    for (int n = 1; n <= count; ++n) outline().AppendChild(0, "Item " + std::to_string(n));
  }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(window(), message, wParam, lParam);
  }
  void key(WPARAM key) { send(WM_KEYDOWN, key); }
  void click(int x, int y) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  std::string selectedText() { return outline().ItemAt(outline().SelectedIndex()).Text(); }

  ui::Application application;
  TestForm form;
  OutlineGridViewOf<TCustomOutline>& view;
  int clicks = 0;
};

// Services and model

TEST_F(OutlineGridViewTest, TakesTheRowHeightFromTheControlsNinePointFont) {
  ui::WindowDC screen(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen.get(), LOGPIXELSY);
  EXPECT_EQ(outline().FontPixelHeight(), MulDiv(9, pixelsPerInch, 72));
  EXPECT_EQ(rowHeight(), MulDiv(outline().FontPixelHeight(), 120, 100));
}

TEST_F(OutlineGridViewTest, LoadsTheFivePicturesFromTheProgramsBitmaps) {
  for (OutlinePicture slot : {OutlinePicture::Plus, OutlinePicture::Minus, OutlinePicture::Open,
                              OutlinePicture::Closed, OutlinePicture::Leaf}) {
    const screen::Bitmap* picture = outline().Picture(slot);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 14);
    EXPECT_EQ(picture->height, 14);
  }
}

TEST_F(OutlineGridViewTest, HostsAModelOfAnyOutlineTypeWithItsOwnArguments) {
  int expansions = 0;
  auto& counting = form.add<OutlineGridViewOf<CountingOutline>>(nullptr, "Outline2", expansions);
  counting.model().AppendChild(0, "A");
  counting.model().ItemAt(1).setExpanded(true);
  EXPECT_EQ(expansions, 1);
  EXPECT_EQ(&counting.outline(), &counting.model());
}

TEST_F(OutlineGridViewTest, BeforeTheFormIsShownMeasuresWithoutCreatingItsWindow) {
  view.layout().bounds = {0, 0, 200, 100};
  outline().AppendChild(0, "A rather long item text");
  EXPECT_FALSE(view.hasHandle());
  EXPECT_TRUE(outline().hasWindow());
  const int H = rowHeight();
  const int F = outline().FontPixelHeight();
  EXPECT_EQ(outline().ColWidth(),
            2 * H - (H - F) / 2 + view.textWidth("A rather long item text") + 1);
  EXPECT_GT(view.textWidth("A rather long item text"), view.textWidth("A"));
}

// Scroll bars

TEST_F(OutlineGridViewTest, ShowsTheVerticalBarOnlyWhileTheRowsExceedTheClientArea) {
  createWindow(5);
  addItems(5);
  EXPECT_FALSE(HasStyle(window(), WS_VSCROLL));
  outline().AppendChild(0, "Item 6");
  ASSERT_TRUE(HasStyle(window(), WS_VSCROLL));
  const SCROLLINFO info = ScrollInfo(window(), SB_VERT);
  EXPECT_EQ(info.nMax, 5);
  EXPECT_EQ(info.nPage, 5u);
  outline().DeleteItem(6);
  EXPECT_FALSE(HasStyle(window(), WS_VSCROLL));
}

TEST_F(OutlineGridViewTest, WithOnlyAVerticalBarTheColumnTakesTheClientWidth) {
  createWindow(5, 100);
  outline().AppendChild(0, std::string(60, 'x'));
  outline().setScrollBars(TScrollStyle::ssVertical);
  EXPECT_FALSE(HasStyle(window(), WS_HSCROLL));
  EXPECT_EQ(outline().ColWidth(), ClientWidth(window()));
  SetWindowPos(window(), nullptr, 0, 0, 150, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(outline().ColWidth(), ClientWidth(window()));
  EXPECT_LT(ClientWidth(window()), 150);
}

TEST_F(OutlineGridViewTest, ScrollRequestsMoveTheTopRowAndLeaveTheCurrentRow) {
  createWindow(5);
  addItems(12);
  send(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(view.topRow(), 1);
  send(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(view.topRow(), 6);
  send(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(view.topRow(), 7);  // the last row at the bottom
  EXPECT_EQ(ScrollInfo(window(), SB_VERT).nPos, 7);
  send(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(view.topRow(), 7);
  send(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(view.topRow(), 0);
  EXPECT_EQ(outline().Row(), 0);
}

// Keys

TEST_F(OutlineGridViewTest, WantsArrowsAndCharactersButLeavesTabAndEnterToTheForm) {
  createWindow(5);
  const LRESULT wants = send(WM_GETDLGCODE, VK_RETURN);
  EXPECT_TRUE(wants & DLGC_WANTARROWS);
  EXPECT_TRUE(wants & DLGC_WANTCHARS);
  EXPECT_FALSE(wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB));
}

TEST_F(OutlineGridViewTest, ArrowAndPageKeysMoveTheRowAndKeepItInView) {
  createWindow(5);
  addItems(12);
  for (int n = 0; n < 5; ++n) key(VK_DOWN);
  EXPECT_EQ(outline().Row(), 5);
  EXPECT_EQ(view.topRow(), 1);
  EXPECT_EQ(selectedText(), "Item 6");
  key(VK_NEXT);
  EXPECT_EQ(outline().Row(), 10);
  EXPECT_EQ(view.topRow(), 6);
  key(VK_PRIOR);
  key(VK_UP);
  EXPECT_EQ(outline().Row(), 4);
  EXPECT_EQ(view.topRow(), 4);
  key(VK_END);
  EXPECT_EQ(selectedText(), "Item 12");
  EXPECT_EQ(view.topRow(), 7);
  key(VK_HOME);
  EXPECT_EQ(outline().Row(), 0);
  EXPECT_EQ(view.topRow(), 0);
}

TEST_F(OutlineGridViewTest, ControlWithArrowsMovesAmongSiblings) {
  createWindow(5);
  Build(outline(), {"A", ".a1", ".a2", "B"});
  outline().ItemAt(1).setExpanded(true);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  key(VK_DOWN);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(selectedText(), "B");
  key(VK_UP);
  EXPECT_EQ(selectedText(), "a2");
}

// Mouse

TEST_F(OutlineGridViewTest, PressBelowTheRowsOrBesideTheColumnSelectsNothing) {
  createWindow(5);
  addItems(2);
  outline().setSelectedIndex(2);
  clicks = 0;
  click(5, 3 * rowHeight() + 1);
  ASSERT_LT(outline().ColWidth() + 2, ClientWidth(window()));
  click(outline().ColWidth() + 2, rowHeight() / 2);
  EXPECT_EQ(outline().Row(), 1);
  EXPECT_EQ(clicks, 0);
  click(5, rowHeight() / 2);
  EXPECT_EQ(outline().Row(), 0);
  EXPECT_EQ(clicks, 1);
}

// Painting

TEST_F(OutlineGridViewTest, PaintsTheHighlightInTheCurrentRowsBand) {
  createWindow(5);
  addItems(12);
  const std::vector<int> first = HighlightPerRow(window(), rowHeight());
  ASSERT_EQ(first.size(), 5u);
  EXPECT_GT(first[0], 0);
  EXPECT_EQ(first[1] + first[2] + first[3] + first[4], 0);

  send(WM_VSCROLL, SB_LINEDOWN);
  send(WM_VSCROLL, SB_LINEDOWN);
  outline().setSelectedIndex(4);  // row 3, the second row shown
  const std::vector<int> scrolled = HighlightPerRow(window(), rowHeight());
  EXPECT_GT(scrolled[1], 0);
  EXPECT_EQ(scrolled[0] + scrolled[2] + scrolled[3] + scrolled[4], 0);
}

}  // namespace
}  // namespace tarnsel::controls::win32
