// The outline model: item numbering, adding and deleting, expansion, selection,
// keys and mouse, pictures, and handlers that rebuild the items under it.
#include "controls/Outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "OutlineFakes.h"
#include "platform/Errors.h"

namespace tarnsel::controls {
namespace {

using namespace outline_testing;
using Ints = std::vector<int>;
using Texts = std::vector<std::string>;

const std::string NotFound = "アウトライン インデックスが見つかりません";
const std::string InvalidIndex = "アウトライン インデックスが不正です";
const std::string InvalidSelection = "選択範囲が不正です";
const std::string ParentNotExpanded = "親が展開されていません";
const std::string TooDeep = "アウトラインの深さが限界を超えました";

// The message of the outline error that `action` raises; "" when it raises none.
std::string OutlineErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EOutlineError& error) {
    return error.what();
  }
  return "";
}

class Outline : public ::testing::Test {
 protected:
  Outline() {
    view.outline = &outline;
    outline.setView(&view);
    outline.ReportError = [this](const std::exception& error) { reported.push_back(error.what()); };
    outline.OnExpand = [this](int index) { expanded.push_back(index); };
    outline.OnCollapse = [this](int index) { collapsed.push_back(index); };
    outline.OnClick = [this] { ++clicks; };
  }

  void build(const std::vector<std::string>& lines) { Build(outline, lines); }
  TOutlineNode& item(int index) { return outline.ItemAt(index); }
  std::string rows() { return Rows(outline); }
  // A chain of items from level 1 down to level 256.
  void buildDeepestChain() {
    for (int index = 0, level = 1; level <= 256; ++level) index = outline.AppendChild(index, "n");
  }

  FakeServices services;
  FakeView view;
  TestOutline outline{services};
  Texts reported;
  Ints expanded;
  Ints collapsed;
  int clicks = 0;
};

TEST_F(Outline, EmptyControlKeepsOneBlankRowAndAClickSelectsNothing) {
  EXPECT_EQ(outline.RowCount(), 1);
  outline.MouseDown(0, false);
  outline.MouseUp();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(outline.SelectedIndex(), 0);
  outline.KeyDown(OutlineKey::Left, false);
  outline.KeyPress('+');
  EXPECT_EQ(view.beeps, 0);
  EXPECT_EQ(OutlineErrorOf([&] { outline.setSelectedIndex(0); }), InvalidSelection);
}

// Numbering and adding

TEST_F(Outline, NumbersItemsInPreOrderIncludingCollapsedSubtrees) {
  build({"A", ".a1", "..x", ".a2", "B"});
  EXPECT_EQ(Items(outline), "A .a1 ..x .a2 B");
  EXPECT_EQ(rows(), "A B");
  EXPECT_EQ(outline.AppendChild(1, "a3"), 5) << "A's new last child goes before B";
  EXPECT_EQ(outline.AppendSibling(2, "a4"), 6);
  EXPECT_EQ(outline.InsertBefore(3, "new"), 3) << "takes over the index of x";
  EXPECT_EQ(Items(outline), "A .a1 ..new ..x .a2 .a3 .a4 B");
  EXPECT_EQ(outline.InsertBefore(0, "Z"), 9);
  EXPECT_EQ(outline.AppendSibling(0, "Y"), 10);
  EXPECT_EQ(Items(outline), "A .a1 ..new ..x .a2 .a3 .a4 B Z Y");
  EXPECT_EQ(outline.ItemCount(), 10);
  EXPECT_TRUE(reported.empty());
}

TEST_F(Outline, NodesAnswerForTheirChildrenAndTheirPath) {
  build({"c:\\", ".windows", "..system", ".users"});
  TOutlineNode& drive = item(1);
  EXPECT_EQ(drive.FirstChildIndex(), 2);
  EXPECT_EQ(drive.LastChildIndex(), 4);
  EXPECT_EQ(drive.NextChildIndex(2), 4) << "steps over the grandchild";
  EXPECT_EQ(drive.NextChildIndex(4), -1) << "the last child";
  EXPECT_EQ(drive.NextChildIndex(3), -1) << "a grandchild is not a child";
  EXPECT_EQ(item(4).FirstChildIndex(), -1);
  EXPECT_EQ(item(3).Level(), 3);
  EXPECT_EQ(item(3).FullPath(), "c:\\\\windows\\system");
  outline.setPathSeparator("/");
  EXPECT_EQ(item(3).FullPath(), "c:\\/windows/system");
  EXPECT_EQ(outline.RootNode().FullPath(), "");
}

TEST_F(Outline, ItemsReachLevel256AndNoDeeper) {
  buildDeepestChain();
  ASSERT_EQ(item(256).Level(), 256);
  EXPECT_EQ(outline.AppendChild(256, "too deep"), 0);
  EXPECT_EQ(reported, Texts{TooDeep});
  EXPECT_EQ(outline.ItemCount(), 256);
  EXPECT_EQ(outline.AppendChild(255, "beside"), 257) << "a level-255 item still takes a child";
  EXPECT_EQ(outline.AppendSibling(256, "sibling"), 258);
  EXPECT_EQ(reported.size(), 1u);

  outline.ReportError = nullptr;
  EXPECT_EQ(OutlineErrorOf([&] { outline.AppendChild(256, "x"); }), TooDeep)
      << "without an error box the failure reaches the caller";
  EXPECT_EQ(outline.ItemCount(), 258);
}

TEST_F(Outline, AddFailuresAreRaisedShownOrBoth) {
  build({"A", "B"});
  EXPECT_EQ(OutlineErrorOf([&] { outline.AppendChild(-1, "x"); }), InvalidIndex);
  EXPECT_EQ(OutlineErrorOf([&] { outline.InsertBefore(-1, "x"); }), InvalidIndex);
  EXPECT_TRUE(reported.empty());
  EXPECT_EQ(OutlineErrorOf([&] { outline.AppendChild(9, "x"); }), NotFound)
      << "placing the cached item raises after the attach step showed it";
  EXPECT_EQ(reported, Texts{NotFound});

  // A click handler that fails, like a directory change that cannot be made:
  // inserting before the selected row moves the row and clicks.
  outline.setSelectedIndex(2);
  outline.OnClick = [] { throw EInOutError(21); };
  EXPECT_EQ(outline.InsertBefore(2, "new"), 0);
  EXPECT_EQ(reported.back(), InOutErrorMessage(21));
  EXPECT_EQ(Items(outline), "A B") << "the attached item is taken out again";
}

TEST_F(Outline, AChildPlacedByPositionTakesTheIndexAfterTheSubtreesBeforeIt) {
  build({"c:\\", ".a", "..a1", "..a2", ".c"});
  TOutlineNode& drive = item(1);
  EXPECT_EQ(outline.InsertChildAt(drive, 1, "b"), 5) << "after a's subtree";
  EXPECT_EQ(outline.InsertChildAt(drive, 0, "0"), 2);
  EXPECT_EQ(outline.InsertChildAt(drive, drive.ChildCount(), "z"), 8);
  EXPECT_EQ(outline.InsertChildAt(item(8), 0, "z1"), 9) << "a first child";
  EXPECT_EQ(outline.InsertChildAt(outline.RootNode(), 0, "A"), 1) << "a top-level item";
  EXPECT_EQ(Items(outline), "A c:\\ .0 .a ..a1 ..a2 .b .c .z ..z1");
  EXPECT_TRUE(reported.empty());

  // Shown children add rows and repaint, as any add does.
  item(2).setExpanded(true);
  const int repaints = view.repaints;
  EXPECT_EQ(outline.InsertChildAt(item(2), 2, "a5"), 7);
  EXPECT_EQ(rows(), "A c:\\ 0 a a5 b c z");
  EXPECT_EQ(view.repaints, repaints + 1);
}

TEST_F(Outline, APositionOutsideTheChildrenOrAnotherOutlinesNodeIsRejected) {
  build({"A", ".a1", "B"});
  EXPECT_EQ(OutlineErrorOf([&] { outline.InsertChildAt(item(1), -1, "x"); }), InvalidIndex);
  EXPECT_EQ(OutlineErrorOf([&] { outline.InsertChildAt(item(1), 2, "x"); }), InvalidIndex);
  FakeServices otherServices;
  TestOutline other{otherServices};
  other.AppendChild(0, "elsewhere");
  EXPECT_EQ(OutlineErrorOf([&] { outline.InsertChildAt(other.ItemAt(1), 0, "x"); }), InvalidIndex);
  EXPECT_TRUE(reported.empty()) << "raised, not shown";
  EXPECT_EQ(Items(outline), "A .a1 B");
  EXPECT_EQ(Items(other), "elsewhere");

  outline.ClearItems();
  buildDeepestChain();
  EXPECT_EQ(outline.InsertChildAt(item(256), 0, "too deep"), 0);
  EXPECT_EQ(reported, Texts{TooDeep});
  EXPECT_EQ(outline.ItemCount(), 256);
}

// Finding and deleting

TEST_F(Outline, LookupsByIndexRejectTheRootAndUnknownIndices) {
  build({"A", ".a1"});
  EXPECT_EQ(OutlineErrorOf([&] { outline.ItemAt(0); }), InvalidIndex);
  EXPECT_EQ(OutlineErrorOf([&] { outline.ItemAt(3); }), NotFound);
  EXPECT_EQ(OutlineErrorOf([&] { outline.ItemAt(-1); }), NotFound);
  EXPECT_EQ(OutlineErrorOf([&] { outline.DeleteItem(0); }), InvalidIndex);
  EXPECT_EQ(OutlineErrorOf([&] { outline.DeleteItem(3); }), NotFound);
  EXPECT_EQ(OutlineErrorOf([&] { outline.setSelectedIndex(3); }), NotFound);
  EXPECT_EQ(OutlineErrorOf([&] { outline.setSelectedIndex(-1); }), InvalidSelection);
  EXPECT_EQ(outline.FindByIndex(item(2), 1), nullptr) << "searches only below the node";
  EXPECT_EQ(Items(outline), "A .a1");
}

TEST_F(Outline, DeletingTheLastChildCollapsesTheParentAndMovesTheRowToIt) {
  build({"A", ".a1", "..x", "B"});
  item(1).setExpanded(true);
  outline.setSelectedIndex(2);
  outline.DeleteItem(2);
  EXPECT_EQ(Items(outline), "A B");
  EXPECT_EQ(collapsed, Ints{1});
  EXPECT_FALSE(item(1).Expanded());
  EXPECT_EQ(outline.Row(), 0);
  EXPECT_EQ(outline.SelectedIndex(), 1);
}

TEST_F(Outline, DeletingTheSelectedLastChildSelectsTheNewLastChild) {
  build({"A", ".a1", ".a2", "B"});
  item(1).setExpanded(true);
  outline.setSelectedIndex(3);
  const int before = clicks;
  outline.DeleteItem(3);
  EXPECT_EQ(outline.Row(), 1);
  EXPECT_EQ(outline.SelectedIndex(), 2);
  EXPECT_EQ(clicks, before + 1);
}

TEST_F(Outline, DeletingAShownSubtreeWithTheSelectionInsideKeepsTheRowInRange) {
  build({"A", ".a1", ".a2", ".a3", "B"});
  item(1).setExpanded(true);
  outline.setSelectedIndex(4);
  EXPECT_EQ(OutlineErrorOf([&] { outline.DeleteItem(1); }), "");
  EXPECT_EQ(outline.RowCount(), 1);
  EXPECT_EQ(outline.SelectedIndex(), 1);
  EXPECT_EQ(item(1).Text(), "B");
}

TEST_F(Outline, ClearingRemovesEverythingAndRepaints) {
  build({"A", ".a1", "B"});
  outline.setSelectedIndex(3);
  const int repaints = view.repaints;
  outline.ClearItems();
  EXPECT_EQ(outline.ItemCount(), 0);
  EXPECT_EQ(outline.Row(), 0);
  EXPECT_EQ(outline.SelectedIndex(), 0);
  EXPECT_EQ(view.repaints, repaints + 1) << "the one row lost its item";
  EXPECT_EQ(outline.AppendChild(0, "c:\\"), 1);
}

// Expanding, collapsing and selecting

TEST_F(Outline, ExpandingNotifiesFirstAndNeedsShownAncestors) {
  build({"A", ".a1", "..x", "B"});
  EXPECT_EQ(OutlineErrorOf([&] { item(2).setExpanded(true); }), ParentNotExpanded);
  item(4).setExpanded(true);
  EXPECT_TRUE(item(4).Expanded()) << "a childless item expands too";
  EXPECT_EQ(outline.RowCount(), 2);
  outline.OnExpand = [this](int index) {
    expanded.push_back(index);
    EXPECT_FALSE(item(index).Expanded()) << "notified before being marked expanded";
    outline.AppendChild(index, "listed");
  };
  item(1).setExpanded(true);
  item(1).setExpanded(true);
  EXPECT_EQ(expanded, (Ints{4, 1})) << "once each";
  EXPECT_EQ(rows(), "A a1 listed B");
}

TEST_F(Outline, CollapseAndExpandAgainShowsOnlyTheChildrenAllCollapsed) {
  build({"A", ".a1", "..x", ".a2", "B"});
  item(1).setExpanded(true);
  item(2).setExpanded(true);
  outline.setSelectedIndex(3);
  item(1).setExpanded(false);
  EXPECT_EQ(collapsed, Ints{1}) << "descendants collapse without notification";
  EXPECT_EQ(rows(), "A B");
  EXPECT_EQ(outline.SelectedIndex(), 1) << "the hidden selection goes to its shown ancestor";
  item(1).setExpanded(true);
  EXPECT_EQ(rows(), "A a1 a2 B");
  outline.ExpandAll();
  EXPECT_EQ(expanded, (Ints{1, 2, 1, 2})) << "top-down, only items with children";
  EXPECT_EQ(rows(), "A a1 x a2 B");
}

TEST_F(Outline, SelectingMovesTheRowToTheItemOrItsShownAncestor) {
  build({"A", ".a1", "B"});
  outline.setSelectedIndex(0);
  EXPECT_EQ(outline.SelectedIndex(), 1) << "0 with items present means the first";
  outline.setSelectedIndex(2);
  EXPECT_EQ(outline.SelectedIndex(), 1) << "a1 is hidden in A";
  outline.setSelectedIndex(3);
  EXPECT_EQ(outline.Row(), 1);
  EXPECT_EQ(clicks, 1) << "a programmatic row change clicks";
  outline.setSelectedIndex(3);
  EXPECT_EQ(clicks, 1);
}

TEST_F(Outline, TheSizeMessageDuringItsOwnRowCountChangeIsIgnored) {
  outline.setScrollBars(TScrollStyle::ssVertical);
  outline.Resized();
  ASSERT_EQ(outline.ColWidth(), 100);
  view.sizeMessages = true;
  view.width = 150;
  build({"A", "B"});
  EXPECT_EQ(outline.ColWidth(), 100);
  outline.Resized();
  EXPECT_EQ(outline.ColWidth(), 150);
}

// Keyboard and mouse

class OutlineKeys : public Outline {
 protected:
  // Rows: A a1 a2 B C.
  OutlineKeys() {
    build({"A", ".a1", ".a2", "..y", "B", ".b1", "C"});
    item(1).setExpanded(true);
  }
  void key(OutlineKey k, bool ctrl = false) { outline.KeyDown(k, ctrl); }
};

TEST_F(OutlineKeys, EnterTogglesAndHomeAndEndGoToTheEnds) {
  outline.setSelectedIndex(5);
  key(OutlineKey::Enter);
  EXPECT_EQ(rows(), "A a1 a2 B b1 C");
  key(OutlineKey::Enter);
  EXPECT_EQ(rows(), "A a1 a2 B C");
  key(OutlineKey::End);
  EXPECT_EQ(outline.SelectedIndex(), 7);
  key(OutlineKey::Home);
  EXPECT_EQ(outline.SelectedIndex(), 1);
  outline.DeleteItem(7);
  item(5).setExpanded(true);
  key(OutlineKey::End);
  EXPECT_EQ(outline.SelectedIndex(), 6) << "down through expanded last items";
}

TEST_F(OutlineKeys, LeftRightAndCtrlArrowsWalkTheTreeAndBeepAtItsEdges) {
  outline.setSelectedIndex(1);
  key(OutlineKey::Right);
  EXPECT_EQ(outline.SelectedIndex(), 2) << "into the expanded A";
  key(OutlineKey::Right);
  key(OutlineKey::Up, true);
  EXPECT_EQ(view.beeps, 2) << "a1 has no children and is the first child";
  EXPECT_EQ(outline.Row(), 1) << "Ctrl+Up does not move the row by itself";
  key(OutlineKey::Down, true);
  EXPECT_EQ(outline.SelectedIndex(), 3);
  key(OutlineKey::Right);
  key(OutlineKey::Down, true);
  EXPECT_EQ(view.beeps, 4) << "a2 is collapsed and the last child";
  key(OutlineKey::Left);
  EXPECT_EQ(outline.SelectedIndex(), 1);
  key(OutlineKey::Down, true);
  EXPECT_EQ(outline.SelectedIndex(), 5) << "steps over A's subtree";
  key(OutlineKey::Left);
  EXPECT_EQ(view.beeps, 5) << "B is on the top level";
  key(OutlineKey::Up, true);
  EXPECT_EQ(outline.SelectedIndex(), 1) << "Ctrl+Up steps back over A's subtree to A";
  outline.setSelectedIndex(3);
  key(OutlineKey::Up, true);
  EXPECT_EQ(outline.SelectedIndex(), 2) << "from a2 to its previous sibling a1";
  EXPECT_EQ(view.beeps, 5);
}

TEST_F(OutlineKeys, ArrowAndPageKeysMoveTheRowAndClick) {
  outline.setSelectedIndex(1);
  const int before = clicks;
  key(OutlineKey::Down);
  EXPECT_EQ(outline.SelectedIndex(), 2);
  key(OutlineKey::PageDown);
  EXPECT_EQ(outline.Row(), 4) << "three rows a page, held at the last row";
  key(OutlineKey::Down);
  EXPECT_EQ(clicks, before + 2) << "no move, no click";
  key(OutlineKey::PageUp);
  key(OutlineKey::Up);
  EXPECT_EQ(outline.SelectedIndex(), 1);
}

TEST_F(OutlineKeys, ExpandAllKeysAndCharacters) {
  outline.setSelectedIndex(5);
  key(OutlineKey::Multiply);
  EXPECT_EQ(rows(), "A a1 a2 B C") << "the multiply key alone only selects";
  key(OutlineKey::Multiply, true);
  EXPECT_EQ(rows(), "A a1 a2 y B b1 C");
  outline.setSelectedIndex(1);
  outline.KeyPress('-');
  EXPECT_EQ(rows(), "A B b1 C");
  outline.KeyPress('+');
  EXPECT_EQ(rows(), "A a1 a2 B b1 C");
  outline.KeyPress('*');
  EXPECT_EQ(rows(), "A a1 a2 y B b1 C");
}

// Handlers that free items while the outline is at work on them: the
// operation stops where its items went, and what the handler built stands.

class OutlineFreedByHandlers : public Outline {
 protected:
  // Replaces every item by a fresh "X" with a child, as a rebuilding handler does.
  void rebuild() {
    outline.ClearItems();
    build({"X", ".x1"});
  }
  // Whether there was an item with this text to delete.
  bool deleteItemNamed(const std::string& text) {
    for (int index = 1; index <= outline.ItemCount(); ++index) {
      if (item(index).Text() == text) {
        outline.DeleteItem(index);
        return true;
      }
    }
    return false;
  }
};

TEST_F(OutlineFreedByHandlers, ExpandingStopsWhenOnExpandRebuildsOrDeletesTheItem) {
  build({"A", ".a1", "B", ".b1", "C"});
  outline.OnExpand = [this](int index) { outline.DeleteItem(index); };
  item(3).setExpanded(true);
  EXPECT_EQ(Items(outline), "A .a1 C");
  EXPECT_EQ(rows(), "A C");

  outline.OnExpand = [this](int) { deleteItemNamed("C"); };
  item(1).setExpanded(true);
  EXPECT_TRUE(item(1).Expanded()) << "another item's deletion does not stop the expansion";
  EXPECT_EQ(rows(), "A a1");

  outline.OnExpand = [this](int) { rebuild(); };
  outline.setSelectedIndex(1);
  outline.KeyPress('-');
  outline.KeyPress('+');
  EXPECT_EQ(Items(outline), "X .x1");
  EXPECT_FALSE(item(1).Expanded()) << "the new X is not the item that was expanding";
  EXPECT_EQ(rows(), "X");
  EXPECT_EQ(outline.RowCount(), 1);
}

TEST_F(OutlineFreedByHandlers, CollapsingStopsWhenOnCollapseRebuilds) {
  build({"A", ".a1", "..x", "B"});
  item(1).setExpanded(true);
  item(2).setExpanded(true);
  outline.OnCollapse = [this](int) { rebuild(); };
  outline.setSelectedIndex(1);
  outline.KeyDown(OutlineKey::Enter, false);
  EXPECT_EQ(Items(outline), "X .x1");
  EXPECT_EQ(rows(), "X");
  EXPECT_EQ(outline.SelectedIndex(), 1);

  // Deleting a last child collapses its parent, whose handler rebuilds again.
  item(1).setExpanded(true);
  outline.DeleteItem(2);
  EXPECT_EQ(Items(outline), "X .x1");
  EXPECT_EQ(rows(), "X");
}

TEST_F(OutlineFreedByHandlers, ExpandAllStopsWhereAnExpansionRebuilds) {
  const std::vector<std::function<void()>> expandAlls = {
      [this] { outline.ExpandAll(); },
      [this] { outline.KeyDown(OutlineKey::Multiply, true); },
      [this] {
        outline.setSelectedIndex(1);
        outline.KeyPress('*');
      },
  };
  for (std::size_t way = 0; way < expandAlls.size(); ++way) {
    outline.ClearItems();
    build({"A", ".a1", "..x", ".a2", "..y", "B", ".b1"});
    expanded.clear();
    outline.OnExpand = [this](int index) {
      expanded.push_back(index);
      if (item(index).Text() == "a1") rebuild();
    };
    expandAlls[way]();
    EXPECT_EQ(expanded, (Ints{1, 2})) << "way " << way << ": nothing after the rebuild";
    EXPECT_EQ(Items(outline), "X .x1") << way;
    EXPECT_EQ(rows(), "X") << way;
  }
}

TEST_F(OutlineFreedByHandlers, AnItemThatTheClickOfItsAddDeletesIsNotReturnedNorFreedTwice) {
  build({"A", ".a1", "B"});
  item(1).setExpanded(true);
  outline.setSelectedIndex(3);  // B, whose row a new child of A moves down
  outline.OnClick = [this] { deleteItemNamed("new"); };
  EXPECT_EQ(outline.AppendChild(1, "new"), 0);
  EXPECT_EQ(Items(outline), "A .a1 B");

  outline.setSelectedIndex(3);
  outline.OnClick = [this] {
    if (deleteItemNamed("new")) throw EOutlineError("failed after deleting");
  };
  EXPECT_EQ(outline.InsertBefore(2, "new"), 0);
  EXPECT_EQ(reported.back(), "failed after deleting");
  EXPECT_EQ(Items(outline), "A .a1 B");
}

TEST_F(OutlineFreedByHandlers, AnAddWhoseClickAddsAnItemBeforeItReturnsTheIndexAfterThat) {
  build({"A", ".a1", "B"});
  item(1).setExpanded(true);
  EXPECT_EQ(outline.InsertBefore(2, "n"), 2);
  EXPECT_EQ(outline.CachedItem().Text(), "n") << "the new item took the index passed";
  EXPECT_EQ(outline.AppendSibling(2, "s"), 4);
  EXPECT_EQ(outline.CachedItem().Text(), "n") << "the item at the index passed stays";
  outline.DeleteItem(4);
  outline.DeleteItem(2);

  outline.setSelectedIndex(3);  // B, whose row a new child of A moves down
  bool added = false;
  outline.OnClick = [&] {
    if (!std::exchange(added, true)) outline.InsertBefore(1, "Z");
  };
  EXPECT_EQ(outline.AppendChild(1, "new"), 4) << "Z came before it during the add";
  EXPECT_EQ(Items(outline), "Z A .a1 .new B");
  EXPECT_EQ(outline.CachedItem().Text(), "Z") << "the item now at the index passed";
  EXPECT_EQ(outline.AppendChild(2, "after"), 5);
  EXPECT_EQ(outline.CachedItem().Text(), "A");
}

TEST_F(Outline, MousePressSelectsTheRowAndTheReleaseClicks) {
  build({"A", ".a1", "B"});
  outline.MouseDown(1, false);
  EXPECT_EQ(outline.SelectedIndex(), 3) << "the selection follows the row at once";
  EXPECT_EQ(clicks, 0);
  outline.MouseUp();
  EXPECT_EQ(clicks, 1);
  outline.MouseDown(-1, false);
  outline.MouseUp();
  EXPECT_EQ(clicks, 1) << "a press below the rows selects nothing";
  int doubleClicks = 0;
  outline.OnDblClick = [&] { ++doubleClicks; };
  outline.MouseDown(0, false);
  outline.MouseUp();
  outline.MouseDown(0, true);
  outline.MouseUp();
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(clicks, 2) << "the double click's press does not select";
  EXPECT_EQ(rows(), "A a1 B");
}

// Text, lifecycle and pictures

TEST_F(Outline, NewTextRepaintsTheRowOfAShownItemAndWidensTheColumn) {
  build({"A", ".a1", "B"});
  view.events.clear();
  item(3).setText("Bravo");
  EXPECT_EQ(view.repaintedRows, Ints{1});
  EXPECT_EQ(view.events, Texts{"width 58"}) << "dsLinesIconText: 2*14 - 1 + 30 + 1";
  item(2).setText("hidden");
  EXPECT_EQ(view.repaintedRows, Ints{1});
}

TEST_F(Outline, EndOfLoadingSelectsTheFirstItemAndMeasuresThroughTheWindow) {
  outline.BeginLoading();
  outline.Loaded();
  EXPECT_EQ(outline.windowCreations, 1) << "even the empty control measures its root";
  EXPECT_EQ(outline.ColWidth(), 14);
  build({"A", ".a1", "B"});
  outline.setDesigning(true);
  outline.Loaded();
  EXPECT_EQ(&outline.SelectedNode(), &item(1));
  EXPECT_EQ(rows(), "A a1 B") << "while designing everything is expanded";
}

TEST_F(Outline, PicturesComeFromTheResourcesAndUserSetSlotsAreRemembered) {
  EXPECT_EQ(services.loaded, (Texts{"PLUS", "MINUS", "OPEN", "CLOSED", "LEAF"}));
  outline.setPicture(OutlinePicture::Leaf, outline.Picture(OutlinePicture::Closed));
  EXPECT_EQ(NameOf(*outline.Picture(OutlinePicture::Leaf)), "CLOSED");
  outline.setPicture(OutlinePicture::Open, nullptr);
  EXPECT_EQ(outline.Picture(OutlinePicture::Open), nullptr);
  const screen::Bitmap other = FilledBitmap(10, 10, 0x123456);
  outline.setPicture(OutlinePicture::Open, &other);
  EXPECT_EQ(*outline.Picture(OutlinePicture::Open), other) << "an emptied slot can be filled";
  EXPECT_EQ(outline.WriteData(), 16 | 4);
  EXPECT_FALSE(outline.PictureStored(OutlinePicture::Closed));
  EXPECT_TRUE(outline.DataStored(std::nullopt));
  EXPECT_FALSE(outline.DataStored(16)) << "the ancestor lacks nothing";
  EXPECT_TRUE(outline.DataStored(16 | 1));
}

TEST_F(Outline, DataByteEmptiesTheSlotsThatTheFormFileDidNotFill) {
  outline.BeginLoading();
  outline.ReadData(16 | 8 | 2);
  outline.Picture(OutlinePicture::Leaf);  // the reader reads the stored leaf picture
  outline.Loaded();
  EXPECT_NE(outline.Picture(OutlinePicture::Leaf), nullptr);
  EXPECT_EQ(outline.Picture(OutlinePicture::Closed), nullptr);
  EXPECT_EQ(outline.Picture(OutlinePicture::Minus), nullptr);
  EXPECT_NE(outline.Picture(OutlinePicture::Plus), nullptr);
  EXPECT_EQ(outline.StoredPictures(), 0);
  EXPECT_EQ(outline.UserPictures(), 16);
}

// The index structure under load

// How a folder listing places a new child: binary search by index over the
// (childless) children, ordinal comparison.
int FindSortedPosition(TCustomOutline& outline, TOutlineNode& node, const std::string& name) {
  const int first = node.FirstChildIndex();
  if (first < 0) return -1;
  if (name <= outline.ItemAt(first).Text()) return first;
  const int last = node.LastChildIndex();
  if (name >= outline.ItemAt(last).Text()) return -1;
  int lo = first;
  int hi = last;
  do {
    const int mid = (lo + hi) / 2 == lo ? lo + 1 : (lo + hi) / 2;
    (name > outline.ItemAt(mid).Text() ? lo : hi) = mid;
  } while (lo < hi - 1);
  return hi;
}

TEST_F(Outline, ManyChildrenPlacedByBinarySearchEndUpSortedAndNumbered) {
  build({"c:\\", ".before", "..x", "after"});
  Texts names;
  for (int i = 0; i < 20000; ++i) names.push_back("f" + std::to_string(i * 7919 % 20000));
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  for (const std::string& name : names) {
    TOutlineNode& node = outline.ItemAt(2);
    if (const int position = FindSortedPosition(outline, node, name); position >= 0) {
      outline.InsertBefore(position, name);
    } else {
      outline.AppendSibling(node.LastChildIndex(), name);
    }
  }
  std::sort(names.begin(), names.end());
  for (int i = 0; i < 20000; i += 997) EXPECT_EQ(item(3 + i).Text(), names[i]);
  EXPECT_EQ(item(20003).Text(), "x") << "the earlier child came last in byte order";
  EXPECT_EQ(item(20004).Text(), "after");
}

TEST_F(Outline, PartitionPointOfOrderedChildrenIsTheFirstNotBefore) {
  // Even numbers as ordered texts, every third with a child of its own, so that
  // positions and indices part ways.
  const int folder = outline.AppendChild(0, "c:\\");
  Texts texts;
  for (int i = 0; i < 3000; i += 2) {
    char text[8];
    std::snprintf(text, sizeof text, "%05d", i);
    texts.push_back(text);
    const int child = outline.AppendChild(folder, text);
    if (i % 3 == 0) outline.AppendChild(child, "below");
  }
  TOutlineNode& node = item(folder);
  for (int probe = -1; probe <= 3001; probe += 7) {
    char name[8];
    std::snprintf(name, sizeof name, "%05d", std::max(probe, 0));
    const std::string key = probe < 0 ? std::string() : std::string(name);
    const int expected =
        static_cast<int>(std::lower_bound(texts.begin(), texts.end(), key) - texts.begin());
    EXPECT_EQ(
        node.ChildPartitionPoint([&](const TOutlineNode& child) { return child.Text() < key; }),
        expected)
        << key;
  }
  EXPECT_EQ(node.ChildPartitionPoint([](const TOutlineNode&) { return true; }), node.ChildCount());
  EXPECT_EQ(item(2).ChildPartitionPoint([](const TOutlineNode&) { return true; }), 1)
      << "a single child";
  EXPECT_EQ(item(3).ChildPartitionPoint([](const TOutlineNode&) { return true; }), 0)
      << "no children";
}

// A plain tree that numbers and shows items the slow, obvious way.
struct PlainNode {
  std::string text;
  bool expanded = false;
  PlainNode* parent = nullptr;
  std::vector<std::unique_ptr<PlainNode>> children;
};

void PreOrder(PlainNode& node, std::vector<PlainNode*>& all, bool shownOnly) {
  for (auto& child : node.children) {
    all.push_back(child.get());
    if (!shownOnly || child->expanded) PreOrder(*child, all, shownOnly);
  }
}

void CollapseAll(PlainNode& node) {
  node.expanded = false;
  for (auto& child : node.children) CollapseAll(*child);
}

TEST_F(Outline, TextPartitionPointOrdersBytesUnsignedAndFollowsNewTexts) {
  // Shorter first, bytes above 0x7f after ASCII, and texts alike in their first
  // 16 bytes told apart by what follows.
  const Texts ordered = {
      "a",        "ab",  "abcdefghijklmnop", "abcdefghijklmnopq", "abcdefghijklmnopr", "b",
      "\x81\x40", "\xff"};
  const int folder = outline.AppendChild(0, "folder");
  for (const std::string& text : ordered) outline.AppendChild(folder, text);
  const TOutlineNode& node = item(folder);
  for (std::size_t at = 0; at < ordered.size(); ++at) {
    EXPECT_EQ(node.ChildTextPartitionPoint(ordered[at]), static_cast<int>(at)) << at;
    EXPECT_EQ(node.ChildTextPartitionPoint(ordered[at] + '\0'), static_cast<int>(at) + 1) << at;
  }
  EXPECT_EQ(node.ChildTextPartitionPoint(""), 0);
  EXPECT_EQ(node.ChildTextPartitionPoint("abcdefghijklmnopqa"), 4);

  // A new text keeps the order here, but its first bytes differ from the old.
  item(folder + 6).setText("bz");
  EXPECT_EQ(node.ChildTextPartitionPoint("bm"), 5);
  EXPECT_EQ(node.ChildTextPartitionPoint("c"), 6);
}

TEST_F(Outline, RandomEditsKeepIndicesAndRowsInStepWithAPlainTree) {
  PlainNode plain{"", true, nullptr, {}};
  std::mt19937 random(2024);
  for (int step = 0; step < 3000; ++step) {
    std::vector<PlainNode*> all, shown, below;
    PreOrder(plain, all, false);
    PreOrder(plain, shown, true);
    const int action = static_cast<int>(random() % 10);
    const int index = all.empty() ? 0 : 1 + static_cast<int>(random() % all.size());
    const std::string text = "n" + std::to_string(step);
    auto newNode = [&](PlainNode& parent) {
      return std::make_unique<PlainNode>(PlainNode{text, false, &parent, {}});
    };
    if (action == 3) {
      // A child at a random position of a random parent, the root included.
      PlainNode& parent = index == 0 ? plain : *all[index - 1];
      const int position = static_cast<int>(random() % (parent.children.size() + 1));
      int expected = index + 1;
      for (int child = 0; child < position; ++child) {
        below.clear();
        PreOrder(*parent.children[child], below, false);
        expected += 1 + static_cast<int>(below.size());
      }
      TOutlineNode& node = index == 0 ? outline.RootNode() : item(index);
      ASSERT_EQ(outline.InsertChildAt(node, position, text), expected) << "step " << step;
      parent.children.insert(parent.children.begin() + position, newNode(parent));
    } else if (action < 3 || index == 0) {
      PlainNode& parent = index == 0 ? plain : *all[index - 1];
      PreOrder(parent, below, false);
      ASSERT_EQ(outline.AppendChild(index, text), index + static_cast<int>(below.size()) + 1);
      parent.children.push_back(newNode(parent));
    } else if (action < 7) {
      PlainNode& target = *all[index - 1];
      auto& siblings = target.parent->children;
      auto at = std::find_if(siblings.begin(), siblings.end(),
                             [&](const auto& child) { return child.get() == &target; });
      if (action < 6) {
        ASSERT_EQ(outline.InsertBefore(index, text), index);
        siblings.insert(at, newNode(*target.parent));
      } else {
        PlainNode& parent = *target.parent;
        outline.DeleteItem(index);
        siblings.erase(at);
        if (siblings.empty() && parent.parent != nullptr) parent.expanded = false;
      }
    } else {
      const int row = static_cast<int>(random() % shown.size());
      outline.setSelectedIndex(outline.VisibleNodeAt(outline.RootNode(), row + 1).Index());
      outline.KeyDown(OutlineKey::Enter, false);
      if (shown[row]->expanded) {
        CollapseAll(*shown[row]);
      } else {
        shown[row]->expanded = true;
      }
    }

    all.clear();
    shown.clear();
    PreOrder(plain, all, false);
    PreOrder(plain, shown, true);
    ASSERT_EQ(outline.ItemCount(), static_cast<int>(all.size())) << "step " << step;
    for (int i = 0; i < static_cast<int>(all.size()); ++i) {
      ASSERT_EQ(item(i + 1).Text(), all[i]->text) << "step " << step;
      ASSERT_EQ(item(i + 1).Expanded(), all[i]->expanded) << "step " << step;
    }
    ASSERT_EQ(outline.RowCount(), std::max<int>(1, static_cast<int>(shown.size())));
    for (int row = 0; row < static_cast<int>(shown.size()); ++row) {
      TOutlineNode& node = outline.VisibleNodeAt(outline.RootNode(), row + 1);
      ASSERT_EQ(node.Text(), shown[row]->text) << "step " << step;
      ASSERT_EQ(outline.RowOfNode(node), row);
    }
  }
  EXPECT_TRUE(reported.empty());
}

}  // namespace
}  // namespace tarnsel::controls
