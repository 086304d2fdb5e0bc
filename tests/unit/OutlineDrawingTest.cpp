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
    if (outline.Style() == TOutlineType::otOwnerDraw && outline.OnDrawItem) return canvas.calls;
    EXPECT_EQ(canvas.brush,
              outline.Row() == row && outline.ItemCount() > 0 ? clHighlight : clWindow)
        << "pictures give the brush back";
    EXPECT_EQ(canvas.currentPen, (Pen{Color::Rgb(7, 8, 9), 3})) << "tree lines give the pen back";
    return canvas.calls;
  }

  // The current row is x, in a focused control.
  Texts drawCurrentX(TOutlineDrawStyle style) {
    outline.setDrawStyle(style);
    outline.setSelectedIndex(3);
    return draw(2);
  }

  FakeServices services;
  FakeView view;
  TestOutline outline{services};
};

// Rows and columns

TEST_F(OutlineDrawing, RowHeightIs120PercentOfTheFontsPixelHeight) {
  EXPECT_EQ(outline.FontPixelHeight(), 12);
  EXPECT_EQ(outline.ItemHeight(), 14);
  services.ppi = 100;  // 9 * 100 / 72 = 12.5
  view.events.clear();
  outline.FontChanged();
  EXPECT_EQ(outline.FontPixelHeight(), 13) << "rounded, not cut";
  EXPECT_EQ(outline.ItemHeight(), 16) << "15.6";
  EXPECT_EQ(view.events, (Texts{"height 16", "width 70"})) << "the column follows the font";
}

TEST_F(OutlineDrawing, StandardStyleIgnoresAnAssignedItemHeight) {
  outline.setItemHeight(30);
  EXPECT_EQ(outline.ItemHeight(), 14);
  EXPECT_EQ(outline.FontPixelHeight(), 12);
}

TEST_F(OutlineDrawing, OwnerDrawStyleTakesTheItemHeightUntilStandardAgain) {
  outline.setStyle(TOutlineType::otOwnerDraw);
  const int repaints = view.repaints;
  outline.setItemHeight(30);
  EXPECT_EQ(outline.ItemHeight(), 30);
  EXPECT_EQ(outline.FontPixelHeight(), 25);
  EXPECT_EQ(view.repaints, repaints + 1);
  outline.setStyle(TOutlineType::otStandard);
  EXPECT_EQ(outline.ItemHeight(), 14);
  EXPECT_EQ(outline.FontPixelHeight(), 12);
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
  outline.setDrawStyle(dsLinesText);
  EXPECT_EQ(outline.DisplayWidth(node), 26);
  outline.setDrawStyle(dsTextOnly);
  EXPECT_EQ(outline.DisplayWidth(outline.RootNode()), 0) << "never below 0";
}

TEST_F(OutlineDrawing, ColumnIsAsWideAsTheWidestShownItem) {
  // dsLinesIconText with the root column: 14 * (level + 1) - 1 + text + 1.
  EXPECT_EQ(outline.ColWidth(), 14 * 4 + 6) << "x, level 3";
  outline.ItemAt(5).setText("a long top item");
  EXPECT_EQ(outline.ColWidth(), 28 + 90);
  outline.AppendChild(5, "a hidden item far longer than the rest");
  EXPECT_EQ(outline.ColWidth(), 28 + 90) << "B is collapsed";
  outline.ItemAt(5).setExpanded(true);
  EXPECT_EQ(outline.ColWidth(), 42 + 6 * 38);
}

TEST_F(OutlineDrawing, WithoutAHorizontalScrollBarTheColumnFillsTheClientArea) {
  outline.setScrollBars(TScrollStyle::ssVertical);
  outline.Resized();
  EXPECT_EQ(outline.ColWidth(), 100);
  outline.ItemAt(5).setText("a long top item");
  EXPECT_EQ(outline.ColWidth(), 100);
  outline.setScrollBars(TScrollStyle::ssNone);
  view.width = 120;
  EXPECT_EQ(outline.ColWidth(), 100) << "until the size message";
  outline.Resized();
  EXPECT_EQ(outline.ColWidth(), 120);
}

TEST_F(OutlineDrawing, OwnerDrawnRowsTakeTheClientWidth) {
  outline.setStyle(TOutlineType::otOwnerDraw);
  outline.OnDrawItem = [](Canvas&, int, const Rect&, unsigned) {};
  outline.Resized();
  EXPECT_EQ(outline.ColWidth(), 100);
  outline.ItemAt(5).setText("a long top item");
  EXPECT_EQ(outline.ColWidth(), 100);
}

// Painting rows

TEST_F(OutlineDrawing, EmptyControlPaintsOneBlankRowInItsColour) {
  outline.ClearItems();
  EXPECT_EQ(draw(0), Texts{"fill 0,0,200,14 window"});
}

TEST_F(OutlineDrawing, TextOnlyIndentsByLevel) {
  EXPECT_EQ(drawCurrentX(dsTextOnly),
            (Texts{"fill 0,28,200,42 window", "fill 28,28,35,42 highlight",
                   "text 28,28,200,42 x in highlighttext", "focus 28,28,35,42"}));
}

TEST_F(OutlineDrawing, ButtonTextDrawsNoButtonWithoutChildren) {
  EXPECT_EQ(drawCurrentX(dsButtonText),
            (Texts{"fill 0,28,200,42 window", "fill 42,28,49,42 highlight",
                   "text 42,28,200,42 x in highlighttext", "focus 42,28,49,42"}));
}

TEST_F(OutlineDrawing, IconTextDrawsTheLeafBeforeTheText) {
  EXPECT_EQ(drawCurrentX(dsIconText),
            (Texts{"fill 0,28,200,42 window", "bitmap LEAF 28,29,40,41 part on window",
                   "fill 42,28,49,42 highlight", "text 42,28,200,42 x in highlighttext",
                   "focus 42,28,49,42"}));
}

TEST_F(OutlineDrawing, ButtonIconTextLeavesTheButtonCellEmptyWithoutChildren) {
  EXPECT_EQ(drawCurrentX(dsButtonIconText),
            (Texts{"fill 0,28,200,42 window", "bitmap LEAF 42,29,54,41 part on window",
                   "fill 56,28,63,42 highlight", "text 56,28,200,42 x in highlighttext",
                   "focus 56,28,63,42"}));
}

TEST_F(OutlineDrawing, LinesTextDrawsTreeLinesAndHighlightsFromTheMarginBefore) {
  EXPECT_EQ(drawCurrentX(dsLinesText),
            (Texts{"fill 0,28,200,42 window", "line 21,28-21,42 #000000 1",
                   "line 7,28-7,42 #000000 1", "line 35,28-35,35 #000000 1",
                   "line 35,35-41,35 #000000 1", "fill 41,28,49,42 highlight",
                   "text 42,28,200,42 x in highlighttext", "focus 41,28,49,42"}));
}

TEST_F(OutlineDrawing, LinesIconTextDrawsLinesThenTheIconThenTheText) {
  EXPECT_EQ(
      drawCurrentX(dsLinesIconText),
      (Texts{"fill 0,28,200,42 window", "line 21,28-21,42 #000000 1", "line 7,28-7,42 #000000 1",
             "line 35,28-35,35 #000000 1", "line 35,35-41,35 #000000 1",
             "bitmap LEAF 42,29,54,41 part on window", "fill 55,28,63,42 highlight",
             "text 55,28,200,42 x in highlighttext", "focus 55,28,63,42"}));
}

TEST_F(OutlineDrawing, TreeLinesWithoutTheRootColumnStartAtTheSecondLevel) {
  outline.setOptions(ooDrawFocusRect);
  outline.setDrawStyle(dsLinesText);
  outline.setSelectedIndex(5);
  EXPECT_EQ(draw(2), (Texts{"fill 0,28,200,42 window", "line 7,28-7,42 #000000 1",
                            "line 21,28-21,35 #000000 1", "line 21,35-27,35 #000000 1",
                            "text 28,28,200,42 x in windowtext"}));
  EXPECT_EQ(draw(0), (Texts{"fill 0,0,200,14 window", "text 0,0,200,14 A in windowtext"}));
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
}

TEST_F(OutlineDrawing, ButtonsAndIconsShowWhetherAnItemIsExpanded) {
  outline.setDrawStyle(dsButtonIconText);
  EXPECT_EQ(draw(1), (Texts{"fill 0,14,200,28 window", "bitmap MINUS 14,15,26,27 part on window",
                            "bitmap OPEN 28,15,40,27 part on window",
                            "text 42,14,200,28 a1 in windowtext"}));
  outline.ItemAt(2).setExpanded(false);
  EXPECT_EQ(draw(1), (Texts{"fill 0,14,200,28 window", "bitmap PLUS 14,15,26,27 part on window",
                            "bitmap CLOSED 28,15,40,27 part on window",
                            "text 42,14,200,28 a1 in windowtext"}));
  outline.setDrawStyle(dsButtonText);
  EXPECT_EQ(draw(1), (Texts{"fill 0,14,200,28 window", "bitmap PLUS 14,15,26,27 part on window",
                            "text 28,14,200,28 a1 in windowtext"}));
}

TEST_F(OutlineDrawing, PicturesAreCutToTheFontHeightOrStretchedIntoIt) {
  outline.setDrawStyle(dsIconText);
  auto leafCall = [&] { return draw(2).at(1); };
  EXPECT_EQ(leafCall(), "bitmap LEAF 28,29,40,41 part on window") << "14 x 14 cut to 12 x 12";
  const Bitmap small = FilledBitmap(10, 10, 0xABCDEF);
  outline.setPicture(OutlinePicture::Leaf, &small);
  EXPECT_EQ(leafCall(), "bitmap 10x10 28,30,38,40 part on window") << "re-centred in the row";
  const Bitmap odd = FilledBitmap(11, 11, 0xABCDEF);
  outline.setPicture(OutlinePicture::Leaf, &odd);
  EXPECT_EQ(leafCall(), "bitmap 11x11 28,29,39,40 part on window") << "half a pixel: stays";
  outline.setOptions(outline.Options() | ooStretchBitmaps);
  EXPECT_EQ(leafCall(), "bitmap 11x11 28,29,40,41 stretched on window");
  outline.setPicture(OutlinePicture::Leaf, nullptr);
  EXPECT_EQ(draw(2), (Texts{"fill 0,28,200,42 window", "text 42,28,200,42 x in windowtext"}))
      << "an empty slot draws nothing";
}

TEST_F(OutlineDrawing, EmptyTextGetsNoHighlightAndNoFocusRectangle) {
  outline.ItemAt(3).setText("");
  EXPECT_EQ(drawCurrentX(dsTextOnly),
            (Texts{"fill 0,28,200,42 window", "text 28,28,200,42  in highlighttext"}));
}

TEST_F(OutlineDrawing, FocusRectangleNeedsTheFocusAndTheOption) {
  view.hasFocus = false;
  EXPECT_EQ(drawCurrentX(dsTextOnly),
            (Texts{"fill 0,28,200,42 window", "fill 28,28,35,42 highlight",
                   "text 28,28,200,42 x in highlighttext"}));
  view.hasFocus = true;
  outline.setOptions(ooDrawTreeRoot);
  EXPECT_EQ(draw(2).size(), 3u);
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

// Owner drawing

class OwnerDrawnOutline : public OutlineDrawing {
 protected:
  OwnerDrawnOutline() {
    outline.setStyle(TOutlineType::otOwnerDraw);
    outline.OnDrawItem = [this](Canvas& canvas, int row, const Rect& rect, unsigned state) {
      canvas.textOut(rect.left, rect.top, "row " + std::to_string(row));
      states.push_back(state);
    };
    outline.setSelectedIndex(3);
  }
  std::vector<unsigned> states;
};

TEST_F(OwnerDrawnOutline, HandlerGetsTheGridRowAndTheSelectedAndFocusedStates) {
  EXPECT_EQ(draw(2), (Texts{"textout 0,28 row 2", "focus 0,28,200,42"}));
  EXPECT_EQ(draw(4), Texts{"textout 0,56 row 4"});
  view.hasFocus = false;
  EXPECT_EQ(draw(2), Texts{"textout 0,28 row 2"});
  EXPECT_EQ(states, (std::vector<unsigned>{17, 0, 1}));
  view.hasFocus = true;
  outline.setOptions(0);
  EXPECT_EQ(draw(2), Texts{"textout 0,28 row 2"}) << "no focus rectangle without the option";
}

TEST_F(OwnerDrawnOutline, EmptyControlIsFilledWithoutTheHandler) {
  outline.ClearItems();
  EXPECT_EQ(draw(0), Texts{"fill 0,0,200,14 window"});
  EXPECT_TRUE(states.empty());
}

TEST_F(OwnerDrawnOutline, OwnerDrawStyleWithoutAHandlerDrawsAsStandard) {
  outline.OnDrawItem = nullptr;
  outline.setDrawStyle(dsTextOnly);
  EXPECT_EQ(draw(4), (Texts{"fill 0,56,200,70 window", "text 0,56,200,70 B in windowtext"}));
}

}  // namespace
}  // namespace tarnsel::controls
