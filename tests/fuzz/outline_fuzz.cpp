// Fuzz target: random sequences of operations on the outline model, held against
// a plain reference tree. After every step, cheaply: which operations raise
// errors, the item and row counts, the selection and its row, and the items
// around the indices the step used and got back. After the last step, and now
// and then on the way: every item in index order with its text, parent,
// children, expansion and rows, the numbering (index, level, child indices, row)
// of the items near the top and of a sample of the deep ones. Key and mouse
// input change only expansion and selection; their expansion is taken over into
// the reference after the step.
// An expansion may load a child into an empty item, as the directory tree does.
// Handlers of the expansion, collapse or click may rebuild all items on some
// inputs: the operation under way stops, and the rebuilt items must stand as the
// handler built them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "controls/Outline.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/ReferenceOutline.h"
#include "fuzz/TextChecks.h"
#include "platform/Errors.h"
#include "unit/OutlineFakes.h"

namespace {

using namespace tarnsel;
using namespace tarnsel::controls;
using fuzzing::Check;
using fuzzing::ReferenceNode;

constexpr int DeepestParentLevel = 255;

enum class Add { Child, Sibling, Before };

// The notifications whose handlers may rebuild the items.
constexpr unsigned RebuildOnExpand = 1;
constexpr unsigned RebuildOnCollapse = 2;
constexpr unsigned RebuildOnClick = 4;

// Steps between two full comparisons; every input ends with one as well.
constexpr int FullCheckEvery = 64;

// What a rebuilding handler adds, in index order: the parent's index and the text.
constexpr std::pair<int, const char*> RebuiltItems[] = {{0, "r"}, {1, "r1"}, {2, "r2"}, {0, "s"}};

class Session {
 public:
  explicit Session(FuzzedDataProvider& input) : input_(input) {
    view_.outline = &outline_;
    view_.sizeMessages = input.ConsumeBool();
    outline_.setView(&view_);
    root_.expanded = true;
    if (input.ConsumeBool()) {
      outline_.ReportError = [this](const std::exception&) { ++reports_; };
    }
    lazy_ = input.ConsumeBool();
    outline_.OnExpand = [this](int index) {
      if (!rebuildOn(RebuildOnExpand)) loadOnExpand(index);
    };
    outline_.OnCollapse = [this](int) { rebuildOn(RebuildOnCollapse); };
    outline_.OnClick = [this] { rebuildOn(RebuildOnClick); };
  }

  void run() {
    for (int step = 0; step < 300 && input_.remaining_bytes() > 0; ++step) {
      rebuilt_ = false;
      const bool userInput = this->step();
      if (rebuilt_) {
        adoptRebuild();
      } else if (userInput) {
        syncExpansion();
      }
      checkStep();
      if (step % FullCheckEvery == FullCheckEvery - 1) check();
    }
    check();
  }

 private:
  // The reference's items in index order, kept in step with every item added or
  // removed, so that no step walks the whole tree to find an index.
  const std::vector<ReferenceNode*>& all() const { return all_; }
  // The index of `node`, which stands at index `from` or before it: a walk back
  // as long as the distance, short for a parent or an ancestor.
  int indexAtOrBefore(const ReferenceNode* node, int from) const {
    if (node == &root_) return 0;
    for (int at = std::min(from, count()); at >= 1; --at) {
      if (all_[static_cast<std::size_t>(at - 1)] == node) return at;
    }
    return -1;
  }
  int count() const { return static_cast<int>(all().size()); }
  int anyIndex() {
    const int index = input_.ConsumeIntegralInRange<int>(-1, count() + 1);
    touched_.push_back(index);
    return index;
  }
  std::string anyText() { return input_.ConsumeRandomLengthString(6); }
  ReferenceNode* nodeAt(int index) {
    if (index == 0) return &root_;
    return index > 0 && index <= count() ? all()[static_cast<std::size_t>(index - 1)] : nullptr;
  }
  // The index a new last child of `parent` (at `parentIndex`) gets: the one
  // after the parent's last descendant.
  int appendedIndex(const ReferenceNode& parent, int parentIndex) const {
    return &parent == &root_ ? count() + 1 : parentIndex + 1 + fuzzing::Descendants(parent);
  }
  // Adds a child at `position` among the parent's children, where it gets `index`.
  ReferenceNode& insertChild(ReferenceNode& parent, std::size_t position, int index,
                             const std::string& text) {
    ReferenceNode& added = parent.insertChild(position, text);
    all_.insert(all_.begin() + (index - 1), &added);
    return added;
  }

  // Runs an operation that the reference says raises an outline error or not.
  template <typename Operation>
  void expectError(bool expected, Operation&& operation, const char* what) {
    bool raised = false;
    try {
      operation();
    } catch (const EOutlineError&) {
      raised = true;
    }
    Check(raised == expected, what, raised ? "raised" : "not raised");
  }

  // One operation; true for the input operations whose expansion the reference
  // takes over from the model.
  bool step() {
    const int op = input_.ConsumeIntegralInRange(0, 15);
    switch (op) {
      case 0:
      case 1:
      case 2:
      case 3: {
        // Arguments are read one by one: the order of the input's bytes is fixed.
        const int index = anyIndex();
        add(op <= 1 ? Add::Child : op == 2 ? Add::Sibling : Add::Before, index, anyText());
        return false;
      }
      case 4:
        remove(anyIndex());
        return false;
      case 5:
        setExpanded(anyIndex(), true);
        return false;
      case 6:
        setExpanded(anyIndex(), false);
        return false;
      case 7:
        expandAll();
        return false;
      case 8:
        if (const int choice = input_.ConsumeIntegralInRange(0, 7); choice == 0) {
          clear();
        } else {
          // Which notifications rebuild, as a set of bits, and how often.
          rebuildOn_ = static_cast<unsigned>(choice);
          rebuildEvery_ = input_.ConsumeIntegralInRange(1, 4);
        }
        return false;
      case 9:
        select(anyIndex());
        return false;
      case 10: {
        const int index = anyIndex();
        setText(index, anyText());
        return false;
      }
      case 11: {
        const int index = anyIndex();
        deepen(index, input_.ConsumeIntegralInRange(1, 80));
        return false;
      }
      case 12:
        outline_.setPathSeparator(input_.ConsumeRandomLengthString(2));
        return false;
      default:
        userInput();
        return true;
    }
  }

  int add(Add kind, int index, const std::string& text) {
    if (kind != Add::Child && index == 0) kind = Add::Child;
    ReferenceNode* target = nodeAt(index);
    ReferenceNode* parent = nullptr;
    std::size_t position = 0;
    bool tooDeep = false;
    if (target != nullptr) {
      parent = kind == Add::Child ? target : target->parent;
      position = kind == Add::Before ? target->position() : parent->children.size();
      tooDeep = kind != Add::Before && parent->level() > DeepestParentLevel;
    }
    const bool failed = target == nullptr || tooDeep;
    // A bad index escapes the error box; it is reported as well when it was
    // not negative. A failed attach goes to the box alone, when there is one.
    const bool reportable = index >= 0 && failed && outline_.ReportError;
    const bool raises = index < 0 || target == nullptr || (tooDeep && !outline_.ReportError);
    const int reportsBefore = reports_;
    int result = -1;
    expectError(
        raises,
        [&] {
          switch (kind) {
            case Add::Child:
              result = outline_.AppendChild(index, text);
              break;
            case Add::Sibling:
              result = outline_.AppendSibling(index, text);
              break;
            case Add::Before:
              result = outline_.InsertBefore(index, text);
              break;
          }
        },
        "an add raises exactly for a bad index or a too deep parent");
    Check(reports_ - reportsBefore == (reportable ? 1 : 0), "failed adds are reported", text);
    if (failed) {
      Check(raises || result == 0, "a failed add returns 0", text);
      return 0;
    }
    if (rebuilt_) {
      Check(result == 0, "an add whose item went with a rebuild returns 0", text);
      return 0;
    }
    // An item added before another takes its index; an appended one follows
    // the parent's last descendant.
    const int parentIndex = kind == Add::Child ? index : indexAtOrBefore(parent, index - 1);
    const int expected = kind == Add::Before ? index : appendedIndex(*parent, parentIndex);
    insertChild(*parent, position, expected, text);
    Check(result == expected, "an add returns the new item's index", text);
    touched_.push_back(result);
    return result;
  }

  void remove(int index) {
    ReferenceNode* node = index > 0 ? nodeAt(index) : nullptr;
    expectError(
        node == nullptr, [&] { outline_.DeleteItem(index); }, "delete of a bad index");
    if (node == nullptr || rebuilt_) return;
    ReferenceNode& parent = *node->parent;
    const auto first = all_.begin() + (index - 1);
    all_.erase(first, first + fuzzing::Descendants(*node) + 1);
    parent.children.erase(parent.children.begin() + static_cast<std::ptrdiff_t>(node->position()));
    // A parent that lost its last child collapses.
    if (parent.children.empty() && parent.parent != nullptr) parent.collapseAll();
  }

  void setExpanded(int index, bool expanded) {
    ReferenceNode* node = index > 0 ? nodeAt(index) : nullptr;
    const bool raises =
        node == nullptr || (expanded && !node->expanded && !node->ancestorsExpanded());
    expectError(
        raises, [&] { outline_.ItemAt(index).setExpanded(expanded); },
        "expanding needs expanded ancestors");
    if (raises || rebuilt_) return;
    if (expanded) {
      node->expanded = true;
    } else if (node->expanded) {
      node->collapseAll();
    }
  }

  static void expandAll(ReferenceNode& node) {
    if (node.children.empty()) return;
    node.expanded = true;
    for (auto& child : node.children) expandAll(*child);
  }

  void expandAll() {
    outline_.ExpandAll();
    if (!rebuilt_) expandAll(root_);
  }

  void clear() {
    outline_.ClearItems();
    root_.children.clear();
    all_.clear();
  }

  void select(int index) {
    const int total = count();
    const int effective = index == 0 && total > 0 ? 1 : index;
    ReferenceNode* node = effective > 0 ? nodeAt(effective) : nullptr;
    expectError(
        node == nullptr, [&] { outline_.setSelectedIndex(index); }, "bad selection");
    if (node == nullptr || rebuilt_) return;
    while (!node->parent->expanded) node = node->parent;
    Check(outline_.SelectedIndex() == indexAtOrBefore(node, effective),
          "the selection goes to the item or its shown ancestor", node->text);
  }

  void setText(int index, const std::string& text) {
    ReferenceNode* node = index > 0 ? nodeAt(index) : nullptr;
    expectError(
        node == nullptr, [&] { outline_.ItemAt(index).setText(text); }, "bad text index");
    if (node != nullptr) node->text = text;
  }

  // A chain of children below the item, to reach the deepest level.
  void deepen(int index, int length) {
    for (int i = 0; i < length && index >= 0; ++i) {
      index = add(Add::Child, index, "d");
      if (index == 0) return;
    }
  }

  void userInput() {
    static constexpr OutlineKey keys[] = {
        OutlineKey::Enter,    OutlineKey::Home,     OutlineKey::End,  OutlineKey::Left,
        OutlineKey::Right,    OutlineKey::Up,       OutlineKey::Down, OutlineKey::PageUp,
        OutlineKey::PageDown, OutlineKey::Multiply, OutlineKey::Other};
    switch (input_.ConsumeIntegralInRange(0, 2)) {
      case 0: {
        const auto key = keys[input_.ConsumeIntegralInRange<std::size_t>(0, std::size(keys) - 1)];
        outline_.KeyDown(key, input_.ConsumeBool());
        break;
      }
      case 1:
        outline_.KeyPress(input_.PickValueInArray({'+', '-', '*', 'x'}));
        break;
      default: {
        const int row = input_.ConsumeIntegralInRange(-1, outline_.RowCount());
        outline_.MouseDown(row, input_.ConsumeBool());
        outline_.MouseUp();
        break;
      }
    }
  }

  // An expansion of an item without children loads one, as a folder tree does.
  void loadOnExpand(int index) {
    ReferenceNode* node = nodeAt(index);
    Check(node != nullptr && node != &root_, "expansion names an item", std::to_string(index));
    if (!lazy_ || !node->children.empty() || node->level() > DeepestParentLevel) return;
    const int loaded = outline_.AppendChild(index, "lazy");
    insertChild(*node, 0, index + 1, "lazy");
    Check(loaded == index + 1, "a loaded child gets its index", "lazy");
  }

  // A handler of a notification the bits name rebuilds the items on every
  // rebuildEvery_-th such notification, once a step at most. The reference is
  // left alone here: the step still holds its nodes.
  bool rebuildOn(unsigned notification) {
    if (rebuilt_) return true;
    if ((rebuildOn_ & notification) == 0 || ++notifications_ % rebuildEvery_ != 0) return false;
    rebuilt_ = true;
    outline_.ClearItems();
    for (const auto& [parent, text] : RebuiltItems) outline_.AppendChild(parent, text);
    return true;
  }

  // After a step whose handler rebuilt: the items are the rebuilt ones, whatever
  // the interrupted operation had still meant to do.
  void adoptRebuild() {
    root_.children.clear();
    all_.clear();
    std::vector<ReferenceNode*> added{&root_};
    for (const auto& [parent, text] : RebuiltItems) {
      ReferenceNode& to = *added[static_cast<std::size_t>(parent)];
      added.push_back(&insertChild(to, to.children.size(), appendedIndex(to, parent), text));
    }
    const std::vector<ReferenceNode*>& all = this->all();
    Check(outline_.ItemCount() == static_cast<int>(all.size()), "the rebuilt items stand", "");
    for (std::size_t i = 0; i < all.size(); ++i) {
      Check(outline_.ItemAt(static_cast<int>(i) + 1).Text() == all[i]->text,
            "the rebuilt items stand", all[i]->text);
    }
    syncExpansion();
  }

  void syncExpansion() {
    Check(outline_.ItemCount() == count(), "input added or removed items", "");
    syncExpansion(outline_.RootNode(), root_);
  }
  void syncExpansion(TOutlineNode& item, ReferenceNode& node) {
    checkChildCount(item, node);
    for (int k = 0; k < item.ChildCount(); ++k) {
      TOutlineNode& child = childAt(item, node, k);
      ReferenceNode& reference = *node.children[static_cast<std::size_t>(k)];
      reference.expanded = child.Expanded();
      syncExpansion(child, reference);
    }
  }

  // The model's children of `item` matched by position with the reference's:
  // the count, and each child there with `item` as its parent. No index is
  // looked up, so a walk over them costs a step per item however deep the
  // chains are.
  void checkChildCount(const TOutlineNode& item, const ReferenceNode& node) {
    Check(item.ChildCount() == static_cast<int>(node.children.size()), "child count", node.text);
  }
  TOutlineNode& childAt(TOutlineNode& item, const ReferenceNode& node, int position) {
    TOutlineNode* child = item.Child(position);
    Check(child != nullptr && child->Parent() == &item, "child by position",
          node.children[static_cast<std::size_t>(position)]->text);
    return *child;
  }

  // Whether the full comparison checks an item's numbering: every item near the
  // top, in the first rows and at the end, and every eighth item of the deep
  // chains. A number costs a step per level to compute, so checking every item
  // of a chain 256 levels deep would make the comparison quadratic in depth.
  static bool numbered(int index, int level, int total) {
    return level <= 8 || index <= 64 || index % 8 == 0 || index >= total - 1;
  }

  // Whether the full comparison checks an item's full path: near the top, and
  // not down the deep chains, where each path costs an allocation per level. An
  // item's path is built from its parent's, so every parent of such an item
  // has its path checked too.
  static bool pathChecked(int index, int level) { return index <= 64 && level <= 16; }

  // What the full comparison works from: the reference's numbering, the path
  // separator and, by index, the model's items met so far.
  struct Comparison {
    fuzzing::Numbering numbers;
    std::string separator;
    std::vector<TOutlineNode*> items;
  };

  // Matches the children of the item at `index` with the reference's, checks
  // each (its numbering too when sampled) and goes on below it. The reference's
  // full path is handed down for the items whose path is compared.
  void compareChildren(TOutlineNode& item, ReferenceNode& node, int index, const std::string& path,
                       Comparison& comparison) {
    checkChildCount(item, node);
    const fuzzing::Numbering& numbers = comparison.numbers;
    if (index > 0 && numbered(index, numbers.level[static_cast<std::size_t>(index)], count())) {
      checkChildNumbering(item, node, index, numbers);
    }
    int childIndex = index + 1;
    for (int k = 0; k < static_cast<int>(node.children.size()); ++k) {
      TOutlineNode& child = childAt(item, node, k);
      ReferenceNode& reference = *node.children[static_cast<std::size_t>(k)];
      comparison.items[static_cast<std::size_t>(childIndex)] = &child;
      std::string childPath;
      if (pathChecked(childIndex, numbers.level[static_cast<std::size_t>(childIndex)])) {
        childPath = index == 0 ? reference.text : path + comparison.separator + reference.text;
      }
      compareItem(child, reference, childIndex, childPath, comparison);
      compareChildren(child, reference, childIndex, childPath, comparison);
      childIndex = numbers.indexAfter(childIndex);
    }
  }

  // One item: the parts that cost a step each (text, expansion, rows below it)
  // always, its numbering when sampled; its parent was matched by the caller.
  void compareItem(TOutlineNode& item, ReferenceNode& node, int index, const std::string& path,
                   const Comparison& comparison) {
    const fuzzing::Numbering& numbers = comparison.numbers;
    const auto at = static_cast<std::size_t>(index);
    Check(item.Text() == node.text, "item text", node.text);
    Check(item.Expanded() == node.expanded, "item expansion", node.text);
    Check(!node.expanded || node.parent->expanded, "an expanded item has a row", node.text);
    Check(item.IsShown() == node.parent->expanded, "item shown", node.text);
    Check(item.VisibleCount() == numbers.rowsBelow[at], "visible count", node.text);
    if (!numbered(index, numbers.level[at], count())) return;
    Check(item.Index() == index, "item index", node.text);
    Check(outline_.FindByIndex(outline_.RootNode(), index) == &item, "item by index", node.text);
    Check(item.Level() == numbers.level[at], "item level", node.text);
    if (pathChecked(index, numbers.level[at]))
      Check(item.FullPath() == path, "full path", node.text);
  }

  // The indices of the children of the item at `index` as the item reports them.
  void checkChildNumbering(TOutlineNode& item, const ReferenceNode& node, int index,
                           const fuzzing::Numbering& numbers) {
    const std::size_t children = node.children.size();
    int first = -1;
    int last = -1;
    int childIndex = index + 1;
    for (std::size_t k = 0; k < children; ++k) {
      const int next = k + 1 < children ? numbers.indexAfter(childIndex) : -1;
      Check(item.NextChildIndex(childIndex) == next, "next child", node.text);
      if (k == 0) first = childIndex;
      last = childIndex;
      childIndex = next;
    }
    Check(item.FirstChildIndex() == first && item.LastChildIndex() == last, "child ends",
          node.text);
  }

  // What one item must show, from the reference alone: its index, level, parent,
  // expansion and counts, and its text. The cheap part of compareItem, for items
  // near where a step worked.
  void checkNear(int index) {
    ReferenceNode* node = index > 0 ? nodeAt(index) : nullptr;
    if (node == nullptr) return;
    TOutlineNode& item = outline_.ItemAt(index);
    Check(item.Text() == node->text, "item text", node->text);
    Check(item.Index() == index, "item index", node->text);
    Check(item.Level() == node->level(), "item level", node->text);
    Check(item.Expanded() == node->expanded, "item expansion", node->text);
    Check(item.Parent()->Index() == indexAtOrBefore(node->parent, index - 1), "item parent",
          node->text);
    Check(item.ChildCount() == static_cast<int>(node->children.size()), "child count", node->text);
    Check(item.VisibleCount() == fuzzing::RowsBelow(*node), "visible count", node->text);
  }

  // After every step: the counts, the selection, the items around the index
  // that the step named and the one it got back, and the last item, which every
  // numbering fault before it moves. Each index is checked once.
  void checkStep() {
    const int total = count();
    Check(outline_.ItemCount() == total, "item count", "");
    const int rows = fuzzing::RowsBelow(root_);
    Check(outline_.RowCount() == std::max(1, rows), "row count", "");
    const int selected = total == 0 ? 0 : outline_.SelectedIndex();
    // The index the step named and the last one an add gave back (a chain of
    // adds gives back many).
    std::vector<int>& near = near_;
    near.assign({total, selected});
    if (!touched_.empty()) {
      for (const int index : {touched_.front(), touched_.back()}) {
        for (int at = index - 1; at <= index + 1; ++at) near.push_back(at);
      }
    }
    touched_.clear();
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    for (const int index : near) checkNear(index);
    if (TOutlineNode* item = checkSelection(total)) {
      Check(&outline_.VisibleNodeAt(outline_.RootNode(), outline_.Row() + 1) == item,
            "the selection's row shows it", item->Text());
    }
  }

  // The selection: nothing in an empty outline, else an item in range whose row
  // is the current one. Returns that item, or nullptr when the outline is empty.
  TOutlineNode* checkSelection(int total) {
    if (total == 0) {
      Check(outline_.SelectedIndex() == 0, "an empty outline selects nothing", "");
      return nullptr;
    }
    const int selected = outline_.SelectedIndex();
    Check(selected >= 1 && selected <= total, "selection in range", "");
    TOutlineNode& item = outline_.ItemAt(selected);
    Check(item.IsShown(), "the selected item has a row", item.Text());
    Check(outline_.RowOfNode(item) == outline_.Row(), "the current row is the selection's",
          item.Text());
    return &item;
  }

  // The full comparison: every item, a sample of the numbering, every sampled
  // row, and the selection.
  void check() {
    Comparison comparison{
        fuzzing::NumberTree(root_, all_.size() + 1), outline_.PathSeparator(), {}};
    const fuzzing::Numbering& numbers = comparison.numbers;
    Check(std::equal(numbers.nodes.begin() + 1, numbers.nodes.end(), all_.begin(), all_.end()),
          "the reference's items are kept in index order", "");
    const int total = count();
    Check(outline_.ItemCount() == total, "item count", "");
    comparison.items.assign(numbers.nodes.size(), nullptr);
    comparison.items[0] = &outline_.RootNode();
    compareChildren(outline_.RootNode(), root_, 0, "", comparison);
    Check(outline_.FindByIndex(outline_.RootNode(), total + 1) == nullptr,
          "nothing past the last index", "");
    const auto& rowIndex = numbers.rowIndex;
    const int rows = static_cast<int>(rowIndex.size());
    Check(outline_.RowCount() == std::max(1, rows), "row count", "");
    for (int row = 0; row < rows; ++row) {
      const auto index = static_cast<std::size_t>(rowIndex[static_cast<std::size_t>(row)]);
      if (!numbered(row + 1, numbers.level[index], rows)) continue;
      TOutlineNode& item = outline_.VisibleNodeAt(outline_.RootNode(), row + 1);
      const std::string& text = numbers.nodes[index]->text;
      Check(&item == comparison.items[index], "row's item", text);
      Check(outline_.RowOfNode(item) == row, "item's row", text);
    }
    checkSelection(total);
  }

  FuzzedDataProvider& input_;
  outline_testing::FakeServices services_;
  outline_testing::FakeView view_;
  outline_testing::TestOutline outline_{services_};
  ReferenceNode root_;
  std::vector<ReferenceNode*> all_;
  // The indices the current step named or got back from an add, and the ones
  // checked after it (kept to reuse their storage).
  std::vector<int> touched_;
  std::vector<int> near_;
  bool lazy_ = false;
  int reports_ = 0;
  unsigned rebuildOn_ = 0;
  int rebuildEvery_ = 1;
  int notifications_ = 0;
  bool rebuilt_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarnsel::fuzzing::RunSession<Session>(data, size);
}
