// A plain outline tree for the outline fuzz target to hold the model against:
// nodes own their children in a vector, and indices and rows are found by
// walking the whole tree, the slow and obvious way.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarnsel::fuzzing {

struct ReferenceNode {
  std::string text;
  bool expanded = false;
  ReferenceNode* parent = nullptr;
  std::vector<std::unique_ptr<ReferenceNode>> children;

  int level() const { return parent == nullptr ? 0 : parent->level() + 1; }

  bool ancestorsExpanded() const {
    for (const ReferenceNode* at = parent; at != nullptr; at = at->parent) {
      if (!at->expanded) return false;
    }
    return true;
  }

  ReferenceNode& insertChild(std::size_t position, std::string childText) {
    auto child = std::make_unique<ReferenceNode>();
    child->text = std::move(childText);
    child->parent = this;
    ReferenceNode& added = *child;
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(position), std::move(child));
    return added;
  }

  std::size_t position() const {
    for (std::size_t i = 0; i < parent->children.size(); ++i) {
      if (parent->children[i].get() == this) return i;
    }
    return parent->children.size();
  }

  void collapseAll() {
    expanded = false;
    for (auto& child : children) child->collapseAll();
  }
};

// Every node below `node` in pre-order; with `shownOnly`, only those with a row.
inline void PreOrder(ReferenceNode& node, std::vector<ReferenceNode*>& out, bool shownOnly) {
  for (auto& child : node.children) {
    out.push_back(child.get());
    if (!shownOnly || child->expanded) PreOrder(*child, out, shownOnly);
  }
}

inline std::vector<ReferenceNode*> AllNodes(ReferenceNode& root) {
  std::vector<ReferenceNode*> all;
  PreOrder(root, all, false);
  return all;
}

inline std::vector<ReferenceNode*> ShownNodes(ReferenceNode& root) {
  std::vector<ReferenceNode*> shown;
  PreOrder(root, shown, true);
  return shown;
}

// The rows that `node` shows below itself: none while it is collapsed.
inline int RowsBelow(const ReferenceNode& node) {
  if (!node.expanded) return 0;
  int rows = 0;
  for (const auto& child : node.children) rows += 1 + RowsBelow(*child);
  return rows;
}

// Absolute index: 0 for the root, then pre-order from 1.
inline int IndexOf(ReferenceNode& root, const ReferenceNode* node) {
  if (node == &root) return 0;
  const std::vector<ReferenceNode*> all = AllNodes(root);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] == node) return static_cast<int>(i) + 1;
  }
  return -1;
}

// What one walk over the tree tells about each node: its index, its level and
// the rows shown below it.
struct Numbering {
  std::vector<ReferenceNode*> all;  // pre-order, the root left out
  std::unordered_map<const ReferenceNode*, int> index, level, rowsBelow;
};

// Numbers `node`'s subtree; returns the rows that `node` shows below itself.
inline int Number(ReferenceNode& node, int level, Numbering& out) {
  out.index[&node] = static_cast<int>(out.all.size());
  out.level[&node] = level;
  int rows = 0;
  for (auto& child : node.children) {
    out.all.push_back(child.get());
    rows += 1 + Number(*child, level + 1, out);
  }
  if (!node.expanded) rows = 0;
  out.rowsBelow[&node] = rows;
  return rows;
}

inline Numbering NumberTree(ReferenceNode& root) {
  Numbering numbering;
  Number(root, 0, numbering);
  return numbering;
}

}  // namespace tarnsel::fuzzing
