// TOutlineNode: the queries of one item. Indices and rows are not stored: they
// follow from the node and row counts that each children list keeps summed.
#include "controls/Outline.h"

#include <utility>

namespace tarnsel::controls {

TOutlineNode::TOutlineNode(TCustomOutline& owner, std::string text, std::intptr_t data)
    : owner_(owner), text_(std::move(text)), itemData_(data) {}

void TOutlineNode::setText(const std::string& text) {
  text_ = text;
  ChildList::orderKeyChanged(this);
  owner_.textChanged(*this);
}

OrderKey TOutlineNode::orderKey() const { return TextOrderKey(text_); }

OrderKey TextOrderKey(std::string_view text) {
  // Big-endian, so that the numbers compare as the bytes do.
  std::uint64_t halves[2] = {0, 0};
  for (std::size_t at = 0; at < 16; ++at) {
    const std::uint64_t byte = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
    halves[at / 8] = halves[at / 8] << 8 | byte;
  }
  return {halves[0], halves[1]};
}

int TOutlineNode::ChildTextPartitionPoint(const std::string& text) const {
  return children_.partitionPoint(TextOrderKey(text), [&](const ChildListEntry& entry) {
    return static_cast<const TOutlineNode&>(entry).text_ < text;
  });
}

int TOutlineNode::Index() const {
  if (parent_ == nullptr) return this == &owner_.RootNode() ? 0 : -1;
  return owner_.indexOf(*this);
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
