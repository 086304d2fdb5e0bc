// A plain outline tree for the outline fuzz target to hold the model against:
// nodes own their children in a vector, and indices, levels and rows are found
// by walking the tree, the slow and obvious way.
#pragma once

#include <memory>
#include <string>
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

// The nodes below `node`, at any depth.
inline int Descendants(const ReferenceNode& node) {
  int count = 0;
  for (const auto& child : node.children) count += 1 + Descendants(*child);
  return count;
}

// The rows that `node` shows below itself: none while it is collapsed.
inline int RowsBelow(const ReferenceNode& node) {
  if (!node.expanded) return 0;
  int rows = 0;
  for (const auto& child : node.children) rows += 1 + RowsBelow(*child);
  return rows;
}

// What one walk over the tree tells about each node, by index (0 for the root,
// then pre-order from 1): the node, its level, the nodes below it and the rows
// it shows below itself; and for each row the index of the item it shows.
struct Numbering {
  std::vector<ReferenceNode*> nodes;
  std::vector<int> level, descendants, rowsBelow;
  std::vector<int> rowIndex;

  // The index after the block of the node at `index` and its descendants: the
  // next sibling's, when it has one.
  int indexAfter(int index) const {
    return index + 1 + descendants[static_cast<std::size_t>(index)];
  }
};

// Numbers `node`'s subtree; `shown` tells whether the node has a row.
inline void Number(ReferenceNode& node, int level, bool shown, Numbering& out) {
  const std::size_t index = out.nodes.size();
  out.nodes.push_back(&node);
  out.level.push_back(level);
  out.descendants.push_back(0);
  out.rowsBelow.push_back(0);
  if (shown && level > 0) out.rowIndex.push_back(static_cast<int>(index));
  int rows = 0;
  for (auto& child : node.children) {
    const std::size_t childIndex = out.nodes.size();
    Number(*child, level + 1, shown && node.expanded, out);
    rows += 1 + out.rowsBelow[childIndex];
  }
  out.descendants[index] = static_cast<int>(out.nodes.size() - index) - 1;
  out.rowsBelow[index] = node.expanded ? rows : 0;
}

// `nodes`, the count with the root, sizes the vectors once.
inline Numbering NumberTree(ReferenceNode& root, std::size_t nodes) {
  Numbering numbering;
  for (auto* column : {&numbering.level, &numbering.descendants, &numbering.rowsBelow}) {
    column->reserve(nodes);
  }
  numbering.nodes.reserve(nodes);
  numbering.rowIndex.reserve(nodes);
  Number(root, 0, true, numbering);
  return numbering;
}

}  // namespace tarnsel::fuzzing
