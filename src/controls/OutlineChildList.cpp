// The children list's lookups: by position or weight from the top block down,
// and from an entry up through its leaf and the blocks above it.
#include "controls/OutlineChildList.h"

#include <type_traits>

namespace tarnsel::controls {

using namespace child_blocks;

namespace {

// What a lookup counts: entries, or one of their two weights.
struct ByCount {
  static int of(const Leaf&, int) { return 1; }
  static int of(const Inner& inner, int slot) { return inner.counts[slot]; }
  static int of(const Sums& sums) { return sums.count; }
};

struct ByNodes {
  static int of(const Leaf& leaf, int slot) { return leaf.nodes()[slot]; }
  static int of(const Inner& inner, int slot) { return inner.nodes[slot]; }
  static int of(const Sums& sums) { return sums.nodes; }
};

struct ByRows {
  static int of(const Leaf& leaf, int slot) { return leaf.rows()[slot]; }
  static int of(const Inner& inner, int slot) { return inner.rows[slot]; }
  static int of(const Sums& sums) { return sums.rows; }
};

}  // namespace

ChildList::~ChildList() {
  if (root_ != nullptr) destroy(root_);
}

void ChildList::destroy(Block* block) {
  if (block->isLeaf) {
    // Entries that arrived out of order lie scattered: each is asked for a few
    // deletions ahead, so that the misses overlap.
    constexpr int Ahead = 8;
    const auto& leaf = static_cast<const Leaf&>(*block);
    ChildListEntry* const* entries = leaf.entries();
    for (int slot = 0; slot < leaf.size; ++slot) {
      if (slot + Ahead < leaf.size) PrefetchEntry(entries[slot + Ahead]);
      delete entries[slot];
    }
  } else {
    auto* inner = static_cast<Inner*>(block);
    for (int slot = 0; slot < inner->size; ++slot) destroy(inner->children[slot]);
  }
  DeleteBlock(block);
}

template <typename Measure>
ChildList::Found ChildList::find(int offset) const {
  if (root_ == nullptr || offset < 0 || offset >= Measure::of(root_->sums)) return {};
  const Block* block = root_;
  // The offset lies within the block's sum, so every scan stops inside it.
  while (!block->isLeaf) {
    const auto& inner = static_cast<const Inner&>(*block);
    block = inner.children[SlotHolding(offset, inner.size, Measure::of(inner.sums),
                                       [&](int slot) { return Measure::of(inner, slot); })];
  }
  const auto& leaf = static_cast<const Leaf&>(*block);
  if constexpr (std::is_same_v<Measure, ByCount>) return {leaf.entries()[offset], 0};
  const int slot = SlotHolding(offset, leaf.size, Measure::of(leaf.sums),
                               [&](int slot) { return Measure::of(leaf, slot); });
  return {leaf.entries()[slot], offset};
}

ChildListEntry* ChildList::at(int position) const { return find<ByCount>(position).entry; }

ChildList::Found ChildList::findByNodes(int offset) const { return find<ByNodes>(offset); }

ChildList::Found ChildList::findByRows(int offset) const { return find<ByRows>(offset); }

ChildListEntry* ChildList::first() const { return root_ != nullptr ? FirstOf(*root_) : nullptr; }

ChildListEntry* ChildList::last() const {
  if (root_ == nullptr) return nullptr;
  const Block* block = root_;
  while (!block->isLeaf) {
    const auto& inner = static_cast<const Inner&>(*block);
    block = inner.children[inner.size - 1];
  }
  const auto& leaf = static_cast<const Leaf&>(*block);
  return leaf.entries()[leaf.size - 1];
}

ChildListEntry* ChildList::next(const ChildListEntry* entry) {
  const Leaf* leaf = entry->leaf_;
  if (leaf == nullptr) return nullptr;
  const int slot = SlotOf(*leaf, entry) + 1;
  if (slot < leaf->size) return leaf->entries()[slot];
  return leaf->next != nullptr ? leaf->next->entries()[0] : nullptr;
}

ChildListEntry* ChildList::previous(const ChildListEntry* entry) {
  const Leaf* leaf = entry->leaf_;
  if (leaf == nullptr) return nullptr;
  const int slot = SlotOf(*leaf, entry);
  if (slot > 0) return leaf->entries()[slot - 1];
  const Leaf* previous = leaf->previous;
  return previous != nullptr ? previous->entries()[previous->size - 1] : nullptr;
}

template <typename Measure>
int ChildList::before(const ChildListEntry* entry) {
  const Leaf* leaf = entry->leaf_;
  if (leaf == nullptr) return 0;
  int total = SumBefore(SlotOf(*leaf, entry), leaf->size, Measure::of(leaf->sums),
                        [&](int slot) { return Measure::of(*leaf, slot); });
  for (const Block* block = leaf; block->parent != nullptr; block = block->parent) {
    const Inner& parent = *block->parent;
    total += SumBefore(SlotOf(parent, block), parent.size, Measure::of(parent.sums),
                       [&](int slot) { return Measure::of(parent, slot); });
  }
  return total;
}

int ChildList::positionOf(const ChildListEntry* entry) { return before<ByCount>(entry); }

int ChildList::nodesBefore(const ChildListEntry* entry) { return before<ByNodes>(entry); }

int ChildList::rowsBefore(const ChildListEntry* entry) { return before<ByRows>(entry); }

void ChildList::setOwnWeights(ChildListEntry* entry, int nodes, int rows) {
  const Sums delta{0, nodes - entry->ownNodes_, rows - entry->ownRows_};
  entry->ownNodes_ = nodes;
  entry->ownRows_ = rows;
  Leaf* leaf = entry->leaf_;
  if (leaf == nullptr) return;
  const int slot = SlotOf(*leaf, entry);
  leaf->nodes()[slot] = nodes;
  leaf->rows()[slot] = rows;
  leaf->sums += delta;
  Propagate(leaf, delta);
}

void ChildList::orderKeyChanged(ChildListEntry* entry) {
  Leaf* leaf = entry->leaf_;
  if (leaf == nullptr) return;
  leaf->keys()[SlotOf(*leaf, entry)] = entry->orderKey();
  // The blocks above keep the key when the entry comes first in theirs.
  Propagate(leaf, Sums{});
}

}  // namespace tarnsel::controls
