// The treap behind a node's children: split and merge by position, sums pulled
// up from the tree children after every change.
#include "controls/OutlineChildList.h"

namespace tarnsel::controls {

namespace {

// Priorities only need to look random to keep the tree balanced; a fixed
// sequence keeps runs repeatable.
std::uint32_t NextPriority() {
  static std::uint32_t state = 2463534242u;
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

}  // namespace

ChildList::~ChildList() {
  // Post-order without recursion: free leaves one by one, climbing back up.
  ChildListEntry* entry = root_;
  while (entry != nullptr) {
    if (entry->left_ != nullptr) {
      entry = entry->left_;
    } else if (entry->right_ != nullptr) {
      entry = entry->right_;
    } else {
      ChildListEntry* up = entry->up_;
      if (up != nullptr) (up->left_ == entry ? up->left_ : up->right_) = nullptr;
      delete entry;
      entry = up;
    }
  }
}

int ChildList::size() const { return count(root_); }
int ChildList::nodes() const { return nodeSum(root_); }
int ChildList::rows() const { return rowSum(root_); }

void ChildList::pull(ChildListEntry* entry) {
  ChildListEntry* left = entry->left_;
  ChildListEntry* right = entry->right_;
  entry->count_ = 1 + count(left) + count(right);
  entry->nodes_ = entry->ownNodes_ + nodeSum(left) + nodeSum(right);
  entry->rows_ = entry->ownRows_ + rowSum(left) + rowSum(right);
  if (left != nullptr) left->up_ = entry;
  if (right != nullptr) right->up_ = entry;
}

std::pair<ChildListEntry*, ChildListEntry*> ChildList::split(ChildListEntry* tree, int position) {
  if (tree == nullptr) return {nullptr, nullptr};
  if (position <= count(tree->left_)) {
    auto [front, back] = split(tree->left_, position);
    tree->left_ = back;
    pull(tree);
    if (front != nullptr) front->up_ = nullptr;
    tree->up_ = nullptr;
    return {front, tree};
  }
  auto [front, back] = split(tree->right_, position - count(tree->left_) - 1);
  tree->right_ = front;
  pull(tree);
  if (back != nullptr) back->up_ = nullptr;
  tree->up_ = nullptr;
  return {tree, back};
}

ChildListEntry* ChildList::merge(ChildListEntry* front, ChildListEntry* back) {
  if (front == nullptr) return back;
  if (back == nullptr) return front;
  if (front->priority_ > back->priority_) {
    front->right_ = merge(front->right_, back);
    pull(front);
    return front;
  }
  back->left_ = merge(front, back->left_);
  pull(back);
  return back;
}

ChildListEntry* ChildList::leftmost(ChildListEntry* entry) {
  while (entry != nullptr && entry->left_ != nullptr) entry = entry->left_;
  return entry;
}

ChildListEntry* ChildList::rightmost(ChildListEntry* entry) {
  while (entry != nullptr && entry->right_ != nullptr) entry = entry->right_;
  return entry;
}

ChildListEntry* ChildList::at(int position) const {
  ChildListEntry* entry = root_;
  while (entry != nullptr) {
    const int left = count(entry->left_);
    if (position < left) {
      entry = entry->left_;
    } else if (position == left) {
      return entry;
    } else {
      position -= left + 1;
      entry = entry->right_;
    }
  }
  return nullptr;
}

ChildListEntry* ChildList::first() const { return leftmost(root_); }
ChildListEntry* ChildList::last() const { return rightmost(root_); }

ChildListEntry* ChildList::next(const ChildListEntry* entry) {
  if (entry->right_ != nullptr) return leftmost(entry->right_);
  while (entry->up_ != nullptr && entry->up_->right_ == entry) entry = entry->up_;
  return entry->up_;
}

ChildListEntry* ChildList::previous(const ChildListEntry* entry) {
  if (entry->left_ != nullptr) return rightmost(entry->left_);
  while (entry->up_ != nullptr && entry->up_->left_ == entry) entry = entry->up_;
  return entry->up_;
}

template <typename Sum, typename Own>
int ChildList::before(const ChildListEntry* entry, Sum sum, Own own) {
  int total = sum(entry->left_);
  for (; entry->up_ != nullptr; entry = entry->up_) {
    const ChildListEntry* up = entry->up_;
    if (up->right_ == entry) total += sum(up->left_) + own(up);
  }
  return total;
}

int ChildList::positionOf(const ChildListEntry* entry) {
  return before(entry, count, [](const ChildListEntry*) { return 1; });
}

int ChildList::nodesBefore(const ChildListEntry* entry) {
  return before(entry, nodeSum, [](const ChildListEntry* up) { return up->ownNodes_; });
}

int ChildList::rowsBefore(const ChildListEntry* entry) {
  return before(entry, rowSum, [](const ChildListEntry* up) { return up->ownRows_; });
}

template <typename Sum, typename Own>
ChildList::Found ChildList::find(int offset, Sum sum, Own own) const {
  if (offset < 0) return {};
  ChildListEntry* entry = root_;
  while (entry != nullptr) {
    const int left = sum(entry->left_);
    if (offset < left) {
      entry = entry->left_;
    } else if (offset < left + own(entry)) {
      return {entry, offset - left};
    } else {
      offset -= left + own(entry);
      entry = entry->right_;
    }
  }
  return {};
}

ChildList::Found ChildList::findByNodes(int offset) const {
  return find(offset, nodeSum, [](const ChildListEntry* entry) { return entry->ownNodes_; });
}

ChildList::Found ChildList::findByRows(int offset) const {
  return find(offset, rowSum, [](const ChildListEntry* entry) { return entry->ownRows_; });
}

void ChildList::insert(int position, std::unique_ptr<ChildListEntry> owned) {
  ChildListEntry* entry = owned.release();
  entry->left_ = entry->right_ = entry->up_ = nullptr;
  entry->priority_ = NextPriority();
  pull(entry);
  auto [front, back] = split(root_, position);
  root_ = merge(merge(front, entry), back);
  root_->up_ = nullptr;
}

std::unique_ptr<ChildListEntry> ChildList::remove(ChildListEntry* entry) {
  auto [front, rest] = split(root_, positionOf(entry));
  auto [removed, back] = split(rest, 1);
  root_ = merge(front, back);
  if (root_ != nullptr) root_->up_ = nullptr;
  removed->left_ = removed->right_ = removed->up_ = nullptr;
  pull(removed);
  return std::unique_ptr<ChildListEntry>(removed);
}

void ChildList::setOwnWeights(ChildListEntry* entry, int nodes, int rows) {
  entry->ownNodes_ = nodes;
  entry->ownRows_ = rows;
  for (ChildListEntry* up = entry; up != nullptr; up = up->up_) pull(up);
}

}  // namespace tarnsel::controls
