// How the outline draws its rows: row height, column width, tree lines, buttons,
// pictures, the highlight and focus rectangle, and owner drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OutlineFakes.h"
#include "controls/Outline.h"
#include "platform/Errors.h"

namespace tarnsel::controls {
namespace {

using namespace outline_testing;
using enum TOutlineDrawStyle;
using Texts = std::vector<std::string>;

// Nine points at 96 pixels per inch: FontPixelHeight 12, rows 14 high. In a cell
// 14 high the text margin M and the picture offset O are both 1.
class OutlineDrawing : public ::testing::Test {
 protected:
  OutlineDrawing() {
    view.outline = &outline;
    outline.setView(&view);
    // Rows: 0 A, 1 a1, 2 x, 3 a2, 4 B.
    Build(outline, {"A", ".a1", "..x", ".a2", "B"});
    outline.ItemAt(1).setExpanded(true);
    outline.ItemAt(2).setExpanded(true);
  }

  Texts draw(int row) {
    RecordingCanvas canvas;
    outline.DrawCell(canvas, row, {0, 14 * row, 200, 14 * row + 14});
    if (outline.Style() == TOutlineType::otStandard && outline.ItemCount() > 0) {
      EXPECT_EQ(canvas.brush, outline.Row() == row ? screen::clHighlight : screen::clWindow)
          << "pictures give the brush back";
      EXPECT_EQ(canvas.currentPen, (screen::Pen{screen::TColor::Rgb(7, 8, 9), 3}))
          << "lines give the pen back";
    }
    return canvas.calls;
  }

  FakeServices services;
  FakeView view;
  TestOutline outline{services};
};

TEST_F(OutlineDrawing, RowHeightFollowsTheFontUnlessOwnerDrawn) {
  EXPECT_EQ(outline.FontPixelHeight(), 12);
  EXPECT_EQ(outline.ItemHeight(), 14);
  outline.setItemHeight(30);
  EXPECT_EQ(outline.ItemHeight(), 14) << "a standard outline ignores the assignment";

  outline.setStyle(TOutlineType::otOwnerDraw);
  outline.setItemHeight(30);
  EXPECT_EQ(outline.ItemHeight(), 30);
  EXPECT_EQ(outline.FontPixelHeight(), 25);

  services.ppi = 100;  // 9 * 100 / 72 = 12.5
  outline.setStyle(TOutlineType::otStandard);
  EXPECT_EQ(outline.FontPixelHeight(), 13) << "rounded, not cut";
  EXPECT_EQ(outline.ItemHeight(), 16) << "15.6";
  view.events.clear();
  outline.FontChanged();
  EXPECT_EQ(view.events, Texts{"width 70"}) << "x at level 3: 4*16 - 1 + 6 + 1";
}

TEST_F(OutlineDrawing, DisplayWidthFollowsTheDrawStyle) {
  outline.ItemAt(2).setText("ab");  // level 2, 12 pixels of text
  const TOutlineNode& node = outline.ItemAt(2);
  const std::vector<std::pair<TOutlineDrawStyle, int>> widths = {
      {dsTextOnly, 27},       {dsButtonText, 41}, {dsIconText, 41},
      {dsButtonIconText, 55}, {dsLinesText, 40},  {dsLinesIconText, 54}};
  for (const auto& [style, width] : widths) {
    outline.setDrawStyle(style);
    EXPECT_EQ(outline.DisplayWidth(node), width) << static_cast<int>(style);
  }
  outline.setOptions(ooDrawFocusRect);
  EXPECT_EQ(outline.DisplayWidth(node), 40) << "no root column";
  outline.setDrawStyle(dsTextOnly);
  EXPECT_EQ(outline.DisplayWidth(outline.RootNode()), 0) << "never below 0";
}

TEST_F(OutlineDrawing, ColumnIsAsWideAsTheWidestShownItemOrFillsTheClient) {
  EXPECT_EQ(outline.ColWidth(), 14 * 4 + 6) << "x, level 3";
  outline.ItemAt(5).setText("a long top item");
  EXPECT_EQ(outline.ColWidth(), 28 + 90);
  outline.AppendChild(5, "a hidden item far longer than the rest");
  EXPECT_EQ(outline.ColWidth(), 28 + 90) << "B is collapsed";
  outline.ItemAt(5).setExpanded(true);
  EXPECT_EQ(outline.ColWidth(), 42 + 6 * 38);

  outline.setScrollBars(TScrollStyle::ssVertical);
  outline.Resized();
  EXPECT_EQ(outline.ColWidth(), 100) << "no horizontal scroll bar";
  outline.ItemAt(5).setText("B");
  EXPECT_EQ(outline.ColWidth(), 100);

  outline.setScrollBars(TScrollStyle::ssBoth);
  outline.setStyle(TOutlineType::otOwnerDraw);
  outline.OnDrawItem = [](screen::Canvas&, int, const screen::Rect&, unsigned) {};
  view.width = 120;
  outline.Resized();
  EXPECT_EQ(outline.ColWidth(), 120) << "owner-drawn rows fill the client";
}

TEST_F(OutlineDrawing, EmptyControlPaintsOneBlankRowInItsColour) {
  outline.ClearItems();
  EXPECT_EQ(draw(0), Texts{"fill 0,0,200,14 window"});
}

TEST_F(OutlineDrawing, EachStyleLaysOutTheCurrentRow) {
  // x: level 3, no children, the last child of a1; a1 and A have later siblings.
  const Texts lines = {"line 21,28-21,42 #000000 1", "line 7,28-7,42 #000000 1",
                       "line 35,28-35,35 #000000 1", "line 35,35-41,35 #000000 1"};
  struct Expected {
    TOutlineDrawStyle style;
    bool treeLines;
    std::string leaf;
    screen::Rect highlight;
    int textLeft;
  };
  const std::vector<Expected> styles = {
      {dsTextOnly, false, "", {28, 28, 35, 42}, 28},
      {dsButtonText, false, "", {42, 28, 49, 42}, 42},
      {dsIconText, false, "28,29,40,41", {42, 28, 49, 42}, 42},
      {dsButtonIconText, false, "42,29,54,41", {56, 28, 63, 42}, 56},
      {dsLinesText, true, "", {41, 28, 49, 42}, 42},
      {dsLinesIconText, true, "42,29,54,41", {55, 28, 63, 42}, 55},
  };
  outline.setSelectedIndex(3);
  for (const Expected& expected : styles) {
    Texts calls = {"fill 0,28,200,42 window"};
    if (expected.treeLines) calls.insert(calls.end(), lines.begin(), lines.end());
    if (!expected.leaf.empty()) calls.push_back("bitmap LEAF " + expected.leaf + " part on window");
    calls.push_back("fill " + RectText(expected.highlight) + " highlight");
    calls.push_back("text " + std::to_string(expected.textLeft) + ",28,200,42 x in highlighttext");
    calls.push_back("focus " + RectText(expected.highlight));
    outline.setDrawStyle(expected.style);
    EXPECT_EQ(draw(2), calls) << static_cast<int>(expected.style);
  }
}

TEST_F(OutlineDrawing, TreeLinesRunOnOnlyBelowItemsWithLaterSiblings) {
  outline.setDrawStyle(dsLinesText);
  outline.setSelectedIndex(3);
  EXPECT_EQ(draw(0), (Texts{"fill 0,0,200,14 window", "line 7,0-7,14 #000000 1",
                            "line 7,7-13,7 #000000 1", "text 14,0,200,14 A in windowtext"}));
  EXPECT_EQ(draw(3), (Texts{"fill 0,42,200,56 window", "line 7,42-7,56 #000000 1",
                            "line 21,42-21,49 #000000 1", "line 21,49-27,49 #000000 1",
                            "text 28,42,200,56 a2 in windowtext"}));
  EXPECT_EQ(draw(4), (Texts{"fill 0,56,200,70 window", "line 7,56-7,63 #000000 1",
                            "line 7,63-13,63 #000000 1", "text 14,56,200,70 B in windowtext"}));
  outline.AppendChild(5, "b1");
  outline.ItemAt(5).setExpanded(true);
  EXPECT_EQ(draw(5), (Texts{"fill 0,70,200,84 window", "line 21,70-21,77 #000000 1",
                            "line 21,77-27,77 #000000 1", "text 28,70,200,84 b1 in windowtext"}))
      << "B is the last item: no line runs on below it";

  outline.setOptions(ooDrawFocusRect);  // no root column: the top level gets no lines
  outline.setSelectedIndex(5);
  EXPECT_EQ(draw(0), (Texts{"fill 0,0,200,14 window", "text 0,0,200,14 A in windowtext"}));
  EXPECT_EQ(draw(2), (Texts{"fill 0,28,200,42 window", "line 7,28-7,42 #000000 1",
                            "line 21,28-21,35 #000000 1", "line 21,35-27,35 #000000 1",
                            "text 28,28,200,42 x in windowtext"}));
}

TEST_F(OutlineDrawing, ButtonsAndIconsShowWhetherAnItemIsExpanded) {
  outline.setDrawStyle(dsButtonIconText);
  EXPECT_EQ(draw(1), (Texts{"fill 0,14,200,28 window", "bitmap MINUS 14,15,26,27 part on window",
                            "bitmap OPEN 28,15,40,27 part on window",
                            "text 42,14,200,28 a1 in windowtext"}));
  outline.ItemAt(2).setExpanded(false);
  outline.setDrawStyle(dsButtonText);
  EXPECT_EQ(draw(1), (Texts{"fill 0,14,200,28 window", "bitmap PLUS 14,15,26,27 part on window",
                            "text 28,14,200,28 a1 in windowtext"}));
  outline.setDrawStyle(dsIconText);
  EXPECT_EQ(draw(1).at(1), "bitmap CLOSED 14,15,26,27 part on window");
}

TEST_F(OutlineDrawing, PicturesAreCutToTheFontHeightOrStretchedIntoIt) {
  outline.setDrawStyle(dsIconText);
  const screen::Bitmap small = FilledBitmap(10, 10, 0xABCDEF);
  outline.setPicture(OutlinePicture::Leaf, &small);
  EXPECT_EQ(draw(2).at(1), "bitmap 10x10 28,30,38,40 part on window") << "re-centred";
  const screen::Bitmap odd = FilledBitmap(11, 11, 0xABCDEF);
  outline.setPicture(OutlinePicture::Leaf, &odd);
  EXPECT_EQ(draw(2).at(1), "bitmap 11x11 28,29,39,40 part on window") << "half a pixel: stays";
  outline.setOptions(outline.Options() | ooStretchBitmaps);
  EXPECT_EQ(draw(2).at(1), "bitmap 11x11 28,29,40,41 stretched on window");
  outline.setPicture(OutlinePicture::Leaf, nullptr);
  EXPECT_EQ(draw(2), (Texts{"fill 0,28,200,42 window", "text 42,28,200,42 x in windowtext"}));
}

TEST_F(OutlineDrawing, HighlightNeedsATextAndTheFocusRectangleTheFocusAndTheOption) {
  outline.setDrawStyle(dsTextOnly);
  outline.setSelectedIndex(3);
  view.hasFocus = false;
  EXPECT_EQ(draw(2), (Texts{"fill 0,28,200,42 window", "fill 28,28,35,42 highlight",
                            "text 28,28,200,42 x in highlighttext"}));
  view.hasFocus = true;
  outline.setOptions(ooDrawTreeRoot);
  EXPECT_EQ(draw(2).size(), 3u);
  outline.setOptions(ooDrawFocusRect);
  outline.ItemAt(3).setText("");
  EXPECT_EQ(draw(2), (Texts{"fill 0,28,200,42 window", "text 28,28,200,42  in highlighttext"}));
}

TEST_F(OutlineDrawing, RowBeyondTheLastIsNotFound) {
  RecordingCanvas canvas;
  try {
    outline.DrawCell(canvas, 5, {0, 70, 200, 84});
    FAIL() << "row 5 drawn";
  } catch (const EOutlineError& error) {
    EXPECT_STREQ(error.what(), "アウトライン インデックスが見つかりません");
  }
}

TEST_F(OutlineDrawing, OwnerDrawingGetsTheGridRowAndTheSelectedAndFocusedStates) {
  std::vector<unsigned> states;
  outline.setStyle(TOutlineType::otOwnerDraw);
  outline.setDrawStyle(dsTextOnly);
  EXPECT_EQ(draw(4), (Texts{"fill 0,56,200,70 window", "text 0,56,200,70 B in windowtext"}))
      << "without a handler the row is drawn as usual";
  outline.OnDrawItem = [&](screen::Canvas& canvas, int row, const screen::Rect& rect,
                           unsigned state) {
    canvas.textOut(rect.left, rect.top, "row " + std::to_string(row));
    states.push_back(state);
  };
  outline.setSelectedIndex(3);
  EXPECT_EQ(draw(2), (Texts{"textout 0,28 row 2", "focus 0,28,200,42"}));
  EXPECT_EQ(draw(4), Texts{"textout 0,56 row 4"});
  view.hasFocus = false;
  EXPECT_EQ(draw(2), Texts{"textout 0,28 row 2"});
  EXPECT_EQ(states, (std::vector<unsigned>{17, 0, 1}));
  outline.ClearItems();
  EXPECT_EQ(draw(0), Texts{"fill 0,0,200,14 window"});
  EXPECT_EQ(states.size(), 3u) << "an empty control is only filled";
}

}  // namespace
}  // namespace tarnsel::controls
