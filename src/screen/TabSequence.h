// The order in which Tab moves the focus through a form's controls, worked out
// without any window so that it can be tested natively.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarnsel::screen {

// Status bits that a hosted OLE control reports about itself (OLEMISC_*).
inline constexpr std::uint32_t kMiscActsLikeLabel = 0x2000;
inline constexpr std::uint32_t kMiscNoUiActivate = 0x4000;

// Whether a hosted control with these status bits belongs to the tab sequence:
// not when it acts like a label or never activates its user interface.
bool TakesTabStop(std::uint32_t miscStatus);

// Sorts siblings by their tab order; those without one (negative) go last. Equal
// orders keep their places. An insertion sort: a parent has a handful of
// children, and it needs none of a merge sort's buffers.
template <typename Node>
void SortByTabOrder(std::vector<Node*>& siblings) {
  const auto before = [](const Node* a, const Node* b) {
    if ((a->tabOrder >= 0) != (b->tabOrder >= 0)) return a->tabOrder >= 0;
    return a->tabOrder >= 0 && a->tabOrder < b->tabOrder;
  };
  for (auto next = siblings.begin(); next != siblings.end(); ++next) {
    Node* node = *next;
    const auto place = std::upper_bound(siblings.begin(), next, node, before);
    std::move_backward(place, next, next + 1);
    *place = node;
  }
}

// The members of the tab sequence below `roots`: depth first, each parent before
// its children, siblings by tab order; a node is a member when `isStop(node)`.
// The children of a node that is not a member are still visited.
template <typename Node, typename IsStop>
std::vector<Node*> TabSequence(std::vector<Node*> roots, const IsStop& isStop) {
  std::vector<Node*> members;
  SortByTabOrder(roots);
  for (Node* node : roots) {
    if (isStop(*node)) members.push_back(node);
    const std::vector<Node*> below = TabSequence(node->children(), isStop);
    members.insert(members.end(), below.begin(), below.end());
  }
  return members;
}

// Where Tab (Shift+Tab with `backward`) takes the focus in a sequence of `count`
// members when member `current` holds it (none: the focus is outside the
// sequence): the next member, round from the last to the first (backward, the
// previous one, round from the first to the last); none for an empty sequence.
std::optional<std::size_t> NextTabStop(std::size_t count, std::optional<std::size_t> current,
                                       bool backward);

}  // namespace tarnsel::screen
