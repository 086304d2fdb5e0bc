// The children list's insertions and removals: a full block splits in two, a
// block that falls below a quarter merges with a neighbour or shares out with
// it, and the tree gains or loses a level at its top.
#include "controls/OutlineChildList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace tarnsel::controls {

using namespace child_blocks;

namespace {

void LinkAfter(Leaf& leaf, Leaf& fresh) {
  fresh.previous = &leaf;
  fresh.next = leaf.next;
  if (leaf.next != nullptr) leaf.next->previous = &fresh;
  leaf.next = &fresh;
}

void LinkBefore(Leaf& leaf, Leaf& fresh) {
  fresh.next = &leaf;
  fresh.previous = leaf.previous;
  if (leaf.previous != nullptr) leaf.previous->next = &fresh;
  leaf.previous = &fresh;
}

void Unlink(Leaf& leaf) {
  if (leaf.previous != nullptr) leaf.previous->next = leaf.next;
  if (leaf.next != nullptr) leaf.next->previous = leaf.previous;
}

// Moves the children from `slot` on to the front of the empty `fresh`.
void MoveTail(Inner& inner, int slot, Inner& fresh) {
  for (int from = slot; from < inner.size; ++from)
    SetChild(fresh, from - slot, inner.children[from]);
  fresh.size = inner.size - slot;
  inner.size = slot;
}

void OpenSlot(Inner& inner, int slot) {
  for (int at = inner.size; at > slot; --at) {
    inner.children[at] = inner.children[at - 1];
    inner.firsts[at] = inner.firsts[at - 1];
    inner.firstKeys[at] = inner.firstKeys[at - 1];
    inner.counts[at] = inner.counts[at - 1];
    inner.nodes[at] = inner.nodes[at - 1];
    inner.rows[at] = inner.rows[at - 1];
  }
  ++inner.size;
}

void CloseSlot(Inner& inner, int slot) {
  --inner.size;
  for (int at = slot; at < inner.size; ++at) {
    inner.children[at] = inner.children[at + 1];
    inner.firsts[at] = inner.firsts[at + 1];
    inner.firstKeys[at] = inner.firstKeys[at + 1];
    inner.counts[at] = inner.counts[at + 1];
    inner.nodes[at] = inner.nodes[at + 1];
    inner.rows[at] = inner.rows[at + 1];
  }
}

}  // namespace

class ChildList::SpareInners {
 public:
  explicit SpareInners(const Leaf& splitting) {
    for (const Block* block = &splitting;; block = block->parent) {
      const Inner* parent = block->parent;
      if (parent != nullptr && parent->size < InnerCapacity) break;
      inners_[count_++] = std::make_unique<Inner>();
      if (parent == nullptr) break;
    }
  }

  Inner* take() { return inners_[--count_].release(); }

 private:
  // A full block of any level has InnerCapacity children and every level below
  // the top at least a quarter of that, so no list reaches this many levels.
  std::array<std::unique_ptr<Inner>, 16> inners_;
  int count_ = 0;
};

void ChildList::copySlots(const Leaf& from, int start, int count, Leaf& into, int at) {
  for (int field = 0; field < 4; ++field) {
    const std::size_t size = Leaf::FieldSizes[field];
    std::memcpy(into.array(field) + at * size, from.array(field) + start * size, count * size);
  }
  ChildListEntry* const* entries = into.entries();
  for (int slot = at; slot < at + count; ++slot) entries[slot]->leaf_ = &into;
}

void ChildList::shareOut(Leaf& left, Leaf& right, bool all) {
  const int total = left.size + right.size;
  const int leftSize = all ? total : total / 2;
  if (left.size < leftSize) {
    // The right leaf's first slots move to the end of the left one.
    const int moved = leftSize - left.size;
    copySlots(right, 0, moved, left, left.size);
    left.size = leftSize;
    CloseGap(right, 0, moved);
  } else {
    const int moved = left.size - leftSize;
    OpenGap(right, 0, moved);
    copySlots(left, leftSize, moved, right, 0);
    left.size = leftSize;
  }
  left.sums = SumsOf(left);
  right.sums = SumsOf(right);
}

void ChildList::shareOut(Inner& left, Inner& right, bool all) {
  // On the stack: a removal allocates nothing, so it cannot fail half-way.
  std::array<Block*, 2 * (InnerCapacity + 1)> joined;
  const auto end = std::copy_n(right.children.begin(), right.size,
                               std::copy_n(left.children.begin(), left.size, joined.begin()));
  const int total = static_cast<int>(end - joined.begin());
  const int leftSize = all ? total : total / 2;
  left.size = right.size = 0;
  for (auto child = joined.begin(); child != end; ++child) {
    Inner& into = left.size < leftSize ? left : right;
    SetChild(into, into.size++, *child);
  }
  left.sums = SumsOf(left);
  right.sums = SumsOf(right);
}

ChildList::Leaf& ChildList::growOnlyLeaf(Leaf& leaf) {
  Leaf* grown = NewLeaf(std::min(leaf.capacity * 2, LeafCapacity));
  copySlots(leaf, 0, leaf.size, *grown, 0);
  grown->size = leaf.size;
  grown->sums = leaf.sums;
  DeleteBlock(&leaf);
  root_ = grown;
  return *grown;
}

int ChildList::insert(int position, std::unique_ptr<ChildListEntry> owned) {
  // The list owns the entry only once nothing more can fail.
  ChildListEntry* entry = owned.get();
  const Slot slot{entry, entry->ownNodes_, entry->ownRows_, entry->orderKey()};
  const Sums delta{1, slot.nodes, slot.rows};
  if (root_ == nullptr) root_ = NewLeaf(FirstLeafCapacity);
  // Down to the leaf; a position between two blocks goes to the end of the first.
  // The node weights of the blocks passed add up to those before the entry.
  int nodesBefore = 0;
  Block* block = root_;
  while (!block->isLeaf) {
    auto& inner = static_cast<Inner&>(*block);
    // From the nearer end, as in a lookup; a position at the back, where
    // appends go, costs as little as one at the front.
    int child = 0;
    if (position <= inner.sums.count / 2) {
      while (child < inner.size - 1 && position > inner.counts[child]) {
        position -= inner.counts[child];
        nodesBefore += inner.nodes[child++];
      }
    } else {
      child = inner.size - 1;
      int start = inner.sums.count - inner.counts[child];
      int nodesStart = inner.sums.nodes - inner.nodes[child];
      while (child > 0 && position <= start) {
        --child;
        start -= inner.counts[child];
        nodesStart -= inner.nodes[child];
      }
      position -= start;
      nodesBefore += nodesStart;
    }
    block = inner.children[child];
  }
  Leaf* leaf = static_cast<Leaf*>(block);
  // A split below keeps the order, so the sum within the leaf holds after it.
  nodesBefore +=
      SumBefore(position, leaf->size, leaf->sums.nodes, [&](int at) { return leaf->nodes()[at]; });
  // Only a list's only leaf starts with less room than the rest.
  if (leaf->size == leaf->capacity && leaf->capacity < LeafCapacity) leaf = &growOnlyLeaf(*leaf);
  if (leaf->size < leaf->capacity) {
    owned.release();
    entry->leaf_ = leaf;
    OpenGap(*leaf, position, 1);
    leaf->put(position, slot);
    leaf->sums += delta;
    Propagate(leaf, delta);
    return nodesBefore;
  }
  // Everything the split allocates, before anything changes.
  SpareInners spare(*leaf);
  Leaf* fresh = NewLeaf(LeafCapacity);
  owned.release();
  entry->leaf_ = leaf;
  // Past the last entry or before the first, the full leaf stays full and the
  // new entry starts a leaf of its own beside it.
  const bool pastTheEnd = position == LeafCapacity && leaf->next == nullptr;
  const bool beforeTheStart = position == 0 && leaf->previous == nullptr;
  const bool freshAfter = !beforeTheStart;
  if (pastTheEnd || beforeTheStart) {
    fresh->put(0, slot);
    fresh->size = 1;
    entry->leaf_ = fresh;
  } else {
    const int half = LeafCapacity / 2;
    copySlots(*leaf, half, LeafCapacity - half, *fresh, 0);
    fresh->size = LeafCapacity - half;
    leaf->size = half;
    Leaf& into = position <= half ? *leaf : *fresh;
    const int at = position <= half ? position : position - half;
    OpenGap(into, at, 1);
    into.put(at, slot);
    entry->leaf_ = &into;
  }
  if (freshAfter) {
    LinkAfter(*leaf, *fresh);
  } else {
    LinkBefore(*leaf, *fresh);
  }
  leaf->sums = SumsOf(*leaf);
  fresh->sums = SumsOf(*fresh);
  placeBeside(leaf, fresh, freshAfter, delta, spare);
  return nodesBefore;
}

void ChildList::placeBeside(Block* old, Block* fresh, bool freshAfter, const Sums& delta,
                            SpareInners& spare) {
  Inner* parent = old->parent;
  if (parent == nullptr) {
    Inner* top = spare.take();
    SetChild(*top, 0, freshAfter ? old : fresh);
    SetChild(*top, 1, freshAfter ? fresh : old);
    top->size = 2;
    top->sums = SumsOf(*top);
    root_ = top;
    return;
  }
  const int slot = SlotOf(*parent, old);
  const int freshSlot = freshAfter ? slot + 1 : slot;
  OpenSlot(*parent, freshSlot);
  SetChild(*parent, freshSlot, fresh);
  SetChild(*parent, freshAfter ? slot : slot + 1, old);
  parent->sums += delta;
  if (parent->size <= InnerCapacity) {
    Propagate(parent, delta);
    return;
  }
  Inner* sibling = spare.take();
  MoveTail(*parent, parent->size / 2, *sibling);
  parent->sums = SumsOf(*parent);
  sibling->sums = SumsOf(*sibling);
  placeBeside(parent, sibling, true, delta, spare);
}

std::unique_ptr<ChildListEntry> ChildList::remove(ChildListEntry* entry) {
  Leaf& leaf = *entry->leaf_;
  const int slot = SlotOf(leaf, entry);
  const Sums delta{-1, -leaf.nodes()[slot], -leaf.rows()[slot]};
  CloseGap(leaf, slot, 1);
  leaf.sums += delta;
  entry->leaf_ = nullptr;
  afterRemoval(&leaf, delta);
  return std::unique_ptr<ChildListEntry>(entry);
}

void ChildList::afterRemoval(Block* block, const Sums& delta) {
  if (SizeOf(*block) == 0) {
    removeBlock(block, delta);
    return;
  }
  Inner* parent = block->parent;
  if (parent == nullptr) {
    // A top block with one child gives way to it.
    while (!root_->isLeaf && static_cast<Inner*>(root_)->size == 1) {
      Block* only = static_cast<Inner*>(root_)->children[0];
      DeleteBlock(root_);
      only->parent = nullptr;
      root_ = only;
    }
    return;
  }
  if (SizeOf(*block) >= CapacityOf(*block) / 4 || parent->size < 2) {
    Propagate(block, delta);
    return;
  }
  const int slot = SlotOf(*parent, block);
  rebalance(*parent, slot + 1 < parent->size ? slot : slot - 1, delta);
}

void ChildList::removeBlock(Block* block, const Sums& delta) {
  Inner* parent = block->parent;
  if (block->isLeaf) Unlink(static_cast<Leaf&>(*block));
  if (parent == nullptr) {
    root_ = nullptr;
  } else {
    CloseSlot(*parent, SlotOf(*parent, block));
    parent->sums += delta;
  }
  DeleteBlock(block);
  if (parent != nullptr) afterRemoval(parent, delta);
}

void ChildList::rebalance(Inner& parent, int leftSlot, const Sums& delta) {
  Block* left = parent.children[leftSlot];
  Block* right = parent.children[leftSlot + 1];
  const bool merge = SizeOf(*left) + SizeOf(*right) <= CapacityOf(*left);
  if (left->isLeaf) {
    shareOut(static_cast<Leaf&>(*left), static_cast<Leaf&>(*right), merge);
  } else {
    shareOut(static_cast<Inner&>(*left), static_cast<Inner&>(*right), merge);
  }
  SetChild(parent, leftSlot, left);
  SetChild(parent, leftSlot + 1, right);
  parent.sums += delta;
  if (!merge) {
    Propagate(&parent, delta);
    return;
  }
  // The emptied right block goes; its parent may fall short in turn.
  if (right->isLeaf) Unlink(static_cast<Leaf&>(*right));
  CloseSlot(parent, leftSlot + 1);
  DeleteBlock(right);
  afterRemoval(&parent, delta);
}

}  // namespace tarnsel::controls
