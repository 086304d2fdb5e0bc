// The keyboard's tab sequence of a form: its order, which controls take a tab
// stop, and the steps forward and backward around it.
#include "screen/TabSequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace tarnsel::ui {
namespace {

struct Node {
  explicit Node(std::string nodeName, int order = -1, bool stop = false)
      : name(std::move(nodeName)), tabOrder(order), focusable(stop) {}
  std::string name;
  int tabOrder;
  bool focusable;
  std::vector<Node*> below;
  const std::vector<Node*>& children() const { return below; }
};

std::vector<std::string> Names(const std::vector<Node*>& nodes) {
  std::vector<std::string> names;
  for (const Node* node : nodes) names.push_back(node->name);
  return names;
}

// The main window's tree as its stored layout builds it (children listed in
// the order the layout holds them, not in tab order).
class MainWindowTabs : public ::testing::Test {
 protected:
  MainWindowTabs() {
    panel1.below = {&panel4};
    panel4.below = {&browser};
    panel3.below = {&setup, &label4};
    panel2.below = {&panel3, &edit2, &list1, &list2, &abort, &edit1, &label1};
  }
  std::vector<std::string> sequence() {
    return Names(screen::TabSequence(std::vector<Node*>{&panel1, &panel2},
                                     [](const Node& node) { return node.focusable; }));
  }

  Node panel1{"Panel1", 0}, panel4{"Panel4", 0}, browser{"WebBrowser1", 0, true};
  Node panel2{"Panel2", 1}, panel3{"Panel3", 5}, setup{"BitBtn1", 0, true}, label4{"Label4"};
  Node edit2{"Edit2", 1, true}, list1{"FileListBox1", 0, true}, list2{"FileListBox2", 3, true};
  Node abort{"BitBtn2", 4, true}, edit1{"Edit1", 2, true}, label1{"Label1"};
};

TEST_F(MainWindowTabs, BrowserComesFirstThenTheSetupPanelParentsFirst) {
  EXPECT_EQ(sequence(), (std::vector<std::string>{"WebBrowser1", "FileListBox1", "Edit2", "Edit1",
                                                  "FileListBox2", "BitBtn2", "BitBtn1"}));
}

TEST_F(MainWindowTabs, BrowserThatTakesNoTabStopLeavesTheSequence) {
  browser.focusable = screen::TakesTabStop(screen::kMiscActsLikeLabel);
  ASSERT_EQ(sequence().size(), 6u);
  EXPECT_EQ(sequence().front(), "FileListBox1");
  EXPECT_EQ(sequence().back(), "BitBtn1");
}

TEST_F(MainWindowTabs, ChildrenOfAFocusableParentFollowIt) {
  panel3.focusable = true;
  const std::vector<std::string> names = sequence();
  ASSERT_EQ(names.size(), 8u);
  EXPECT_EQ(names[6], "Panel3");
  EXPECT_EQ(names[7], "BitBtn1");
}

TEST(TabOrder, SiblingsWithoutOrderGoLastInTheirOwnOrder) {
  Node a{"a"}, b{"b", 2}, c{"c"}, d{"d", 0}, e{"e", 2};
  std::vector<Node*> siblings = {&a, &b, &c, &d, &e};
  screen::SortByTabOrder(siblings);
  EXPECT_EQ(Names(siblings), (std::vector<std::string>{"d", "b", "e", "a", "c"}));
}

TEST(TabOrder, ManySiblingsSortLikeAStableSortOnTheirOrder) {
  std::vector<Node> nodes;
  for (int i = 0; i < 40; ++i) nodes.emplace_back(std::to_string(i), (i * 7) % 9 - 3);
  std::vector<Node*> siblings;
  for (Node& node : nodes) siblings.push_back(&node);
  std::vector<Node*> expected = siblings;
  const auto key = [](const Node* node) {  // all without an order (negative) last
    return node->tabOrder < 0 ? 1000 : node->tabOrder;
  };
  std::stable_sort(expected.begin(), expected.end(),
                   [&](const Node* a, const Node* b) { return key(a) < key(b); });
  screen::SortByTabOrder(siblings);
  EXPECT_EQ(Names(siblings), Names(expected));
}

TEST(TabOrder, HostedControlsThatActLikeLabelsOrNeverActivateTakeNoTabStop) {
  EXPECT_TRUE(screen::TakesTabStop(0));
  // Inside-out, activate-when-visible, set-client-site-first: the browser's own bits.
  EXPECT_TRUE(screen::TakesTabStop(0x80 | 0x100 | 0x20000));
  EXPECT_FALSE(screen::TakesTabStop(screen::kMiscActsLikeLabel));
  EXPECT_FALSE(screen::TakesTabStop(screen::kMiscNoUiActivate | 0x80));
}

TEST(TabStep, ForwardGoesToTheNextMemberAndRoundFromTheLast) {
  EXPECT_EQ(screen::NextTabStop(7, 0, false), 1u);
  EXPECT_EQ(screen::NextTabStop(7, 5, false), 6u);
  EXPECT_EQ(screen::NextTabStop(7, 6, false), 0u);
  EXPECT_EQ(screen::NextTabStop(1, 0, false), 0u);
}

TEST(TabStep, BackwardGoesToThePreviousMemberAndRoundFromTheFirst) {
  EXPECT_EQ(screen::NextTabStop(7, 1, true), 0u);
  EXPECT_EQ(screen::NextTabStop(7, 0, true), 6u);
  EXPECT_EQ(screen::NextTabStop(1, 0, true), 0u);
}

TEST(TabStep, FocusOutsideTheSequenceEntersAtTheStartOrTheEnd) {
  EXPECT_EQ(screen::NextTabStop(7, std::nullopt, false), 0u);
  EXPECT_EQ(screen::NextTabStop(7, std::nullopt, true), 6u);
  EXPECT_EQ(screen::NextTabStop(3, 3, false), 0u);
  EXPECT_EQ(screen::NextTabStop(0, std::nullopt, false), std::nullopt);
  EXPECT_EQ(screen::NextTabStop(0, 0, true), std::nullopt);
}

}  // namespace
}  // namespace tarnsel::ui
