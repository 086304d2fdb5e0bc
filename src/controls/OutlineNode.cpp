// TOutlineNode: the queries of one item. Indices and rows are not stored: they
// follow from the node and row counts that each children list keeps summed.
#include "controls/Outline.h"

#include <utility>

namespace tarnsel::controls {

TOutlineNode::TOutlineNode(TCustomOutline& owner, std::string text, std::intptr_t data)
    : owner_(owner), text_(std::move(text)), itemData_(data) {}

void TOutlineNode::setText(const std::string& text) {
  text_ = text;
  owner_.textChanged(*this);
}

int TOutlineNode::Index() const {
  if (parent_ == nullptr) return this == &owner_.RootNode() ? 0 : -1;
  // Each level adds the parent itself and the subtrees of the earlier siblings.
  int index = 0;
  for (const TOutlineNode* node = this; node->parent_ != nullptr; node = node->parent_) {
    index += 1 + ChildList::nodesBefore(node);
  }
  return index;
}

int TOutlineNode::Level() const {
  int level = 0;
  for (const TOutlineNode* node = parent_; node != nullptr; node = node->parent_) ++level;
  return level;
}

TOutlineNode* TOutlineNode::Child(int position) const {
  ChildListEntry* entry = children_.at(position);
  return entry != nullptr ? from(entry) : nullptr;
}

TOutlineNode* TOutlineNode::nextSibling() const {
  ChildListEntry* entry = ChildList::next(this);
  return entry != nullptr ? from(entry) : nullptr;
}

int TOutlineNode::FirstChildIndex() const {
  return HasChildren() ? from(children_.first())->Index() : -1;
}

int TOutlineNode::LastChildIndex() const {
  return HasChildren() ? from(children_.last())->Index() : -1;
}

int TOutlineNode::NextChildIndex(int index) const {
  const int own = Index();
  if (own < 0) return -1;
  const ChildList::Found found = children_.findByNodes(index - own - 1);
  if (found.entry == nullptr || found.offset != 0) return -1;  // not a child's index
  const ChildListEntry* next = ChildList::next(found.entry);
  return next != nullptr ? index + found.entry->ownNodes() : -1;
}

std::string TOutlineNode::FullPath() const {
  if (parent_ == nullptr) return "";
  if (parent_->parent_ == nullptr) return text_;
  return parent_->FullPath() + owner_.PathSeparator() + text_;
}

}  // namespace tarnsel::controls
