// The layout of the stored forms: alignment, anchors and scaling, on the main
// window's frame.
#include "screen/Layout.h"

#include <gtest/gtest.h>

namespace tarnsel::ui {
namespace {

// The main window's frame: the intro pane over the bottom-aligned setup panel,
// with a stretching field and a button kept at the right edge.
class MainWindowFrame : public ::testing::Test {
 protected:
  MainWindowFrame() {
    form.bounds = {0, 0, 668, 611};
    panel1 = {.name = "Panel1", .bounds = {0, 0, 668, 342}, .align = screen::TAlign::alClient, .inset = 1};
    panel4 = {.name = "Panel4", .bounds = {1, 1, 666, 340}, .align = screen::TAlign::alClient};
    panel2 = {
        .name = "Panel2", .bounds = {0, 342, 668, 269}, .align = screen::TAlign::alBottom, .inset = 1};
    edit1 = {.name = "Edit1", .bounds = {208, 221, 367, 20}, .anchors = {true, true, true, false}};
    browse = {.name = "SpeedButton1",
              .bounds = {583, 221, 73, 20},
              .anchors = {false, true, true, false}};
    abort = {.name = "BitBtn2", .bounds = {16, 208, 129, 33}};
    form.children = {&panel1, &panel2};
    panel1.children = {&panel4};
    panel2.children = {&edit1, &browse, &abort};
    screen::TakeAnchors(form);
    screen::Realign(form);
  }
  void resize(int width, int height) {
    form.bounds = {0, 0, width, height};
    screen::Realign(form);
  }
  screen::LayoutNode form, panel1, panel4, panel2, edit1, browse, abort;
};

TEST_F(MainWindowFrame, DesignedSizePlacesThePaneAboveThePanel) {
  EXPECT_EQ(panel1.bounds, (screen::Bounds{0, 0, 668, 342}));
  EXPECT_EQ(panel4.bounds, (screen::Bounds{1, 1, 666, 340})) << "inside the one-pixel bevel";
  EXPECT_EQ(panel2.bounds, (screen::Bounds{0, 342, 668, 269}));
}

TEST_F(MainWindowFrame, CollapseToThePanelHeightLeavesNoPane) {
  resize(668, panel2.bounds.height);
  EXPECT_EQ(panel2.bounds, (screen::Bounds{0, 0, 668, 269}));
  EXPECT_EQ(panel1.bounds.height, 0);
  resize(668, 400);
  EXPECT_EQ(panel1.bounds, (screen::Bounds{0, 0, 668, 131})) << "enlarging brings the pane back";
  EXPECT_EQ(panel2.bounds, (screen::Bounds{0, 131, 668, 269}));
}

TEST_F(MainWindowFrame, LowerThanThePanelCutsItsTopOff) {
  resize(668, 200);
  EXPECT_EQ(panel2.bounds, (screen::Bounds{0, -69, 668, 269}));
  EXPECT_EQ(panel1.bounds.height, 0);
}

TEST_F(MainWindowFrame, WideningStretchesFieldsAndMovesTheBrowseButton) {
  resize(768, 611);
  EXPECT_EQ(edit1.bounds, (screen::Bounds{208, 221, 467, 20}));
  EXPECT_EQ(browse.bounds, (screen::Bounds{683, 221, 73, 20}));
  EXPECT_EQ(abort.bounds, (screen::Bounds{16, 208, 129, 33}));
}

TEST_F(MainWindowFrame, ScalingMultipliesEveryPositionAndSize) {
  screen::ScaleTree(form, 15, 12);
  EXPECT_EQ(form.bounds, (screen::Bounds{0, 0, 835, 764}));
  EXPECT_EQ(edit1.bounds, (screen::Bounds{260, 276, 459, 25}));
  screen::Realign(form);
  EXPECT_EQ(browse.bounds.right(), 835 - 15) << "the right distance scaled too";
}

}  // namespace
}  // namespace tarnsel::ui
