// The blocks behind a children list: leaves that hold a run of entries side by
// side with their weights, and inner blocks that keep, per child block, its sums
// and its first entry, so that a descent reads a few short arrays per level.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <vector>

namespace tarnsel::controls {

class ChildListEntry;

// A coarse copy of an entry's place in the order its owner keeps the entries in:
// an entry whose key is below another's comes before it; equal keys tell nothing.
// The outline's are the first bytes of the texts. Kept beside the entries in the
// blocks, keys settle most probes of an ordered search without reading an entry.
struct OrderKey {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  friend auto operator<=>(const OrderKey&, const OrderKey&) = default;
};

namespace child_blocks {

// Enough entries per leaf that a lookup touches few blocks, few enough that an
// insertion's shift stays within a handful of cache lines.
inline constexpr int LeafCapacity = 64;
inline constexpr int InnerCapacity = 64;

// The sums over a run of entries: how many, and their node and row weights.
struct Sums {
  int count = 0;
  int nodes = 0;
  int rows = 0;

  Sums& operator+=(const Sums& other) {
    count += other.count;
    nodes += other.nodes;
    rows += other.rows;
    return *this;
  }
  Sums& operator-=(const Sums& other) {
    count -= other.count;
    nodes -= other.nodes;
    rows -= other.rows;
    return *this;
  }
};

struct Inner;

struct Block {
  explicit Block(bool leaf) : isLeaf(leaf) {}
  Inner* parent = nullptr;
  Sums sums;
  const bool isLeaf;
};

// One entry of a leaf, with copies of its weights and order key so that sums
// and searches over a leaf read the leaf alone.
struct Slot {
  ChildListEntry* entry;
  int nodes;
  int rows;
  OrderKey key;
};

struct Leaf : Block {
  Leaf() : Block(true) {}
  // The neighbouring leaves of the same list, in list order.
  Leaf* previous = nullptr;
  Leaf* next = nullptr;
  // At most LeafCapacity; a small list's only leaf grows as it fills.
  std::vector<Slot> slots;
};

struct Inner : Block {
  Inner() : Block(false) {}
  int size = 0;
  // One spare place: a block that overflows holds it until it splits.
  std::array<Block*, InnerCapacity + 1> children{};
  std::array<ChildListEntry*, InnerCapacity + 1> firsts{};
  std::array<OrderKey, InnerCapacity + 1> firstKeys{};
  std::array<int, InnerCapacity + 1> counts{};
  std::array<int, InnerCapacity + 1> nodes{};
  std::array<int, InnerCapacity + 1> rows{};
};

// The place of a block among its parent's children, of an entry in its leaf.
// The scans run in from both ends: recent arrivals at either end, where sorted
// input puts them, are found at once.
template <typename At>
int ScanFromBothEnds(int size, At at) {
  for (int front = 0, back = size - 1;; ++front, --back) {
    if (at(front)) return front;
    if (at(back)) return back;
  }
}

inline int SlotOf(const Inner& parent, const Block* child) {
  return ScanFromBothEnds(parent.size, [&](int slot) { return parent.children[slot] == child; });
}

inline int SlotOf(const Leaf& leaf, const ChildListEntry* entry) {
  return ScanFromBothEnds(static_cast<int>(leaf.slots.size()),
                          [&](int slot) { return leaf.slots[slot].entry == entry; });
}

inline int SizeOf(const Block& block) {
  return block.isLeaf ? static_cast<int>(static_cast<const Leaf&>(block).slots.size())
                      : static_cast<const Inner&>(block).size;
}

inline int CapacityOf(const Block& block) { return block.isLeaf ? LeafCapacity : InnerCapacity; }

// The first entry under a block; nullptr for an empty one.
inline ChildListEntry* FirstOf(const Block& block) {
  if (SizeOf(block) == 0) return nullptr;
  return block.isLeaf ? static_cast<const Leaf&>(block).slots.front().entry
                      : static_cast<const Inner&>(block).firsts[0];
}

inline OrderKey FirstKeyOf(const Block& block) {
  if (SizeOf(block) == 0) return {};
  return block.isLeaf ? static_cast<const Leaf&>(block).slots.front().key
                      : static_cast<const Inner&>(block).firstKeys[0];
}

// Copies a child's sums and first entry into its parent's slot `slot`.
inline void SetChild(Inner& parent, int slot, Block* child) {
  parent.children[slot] = child;
  parent.firsts[slot] = FirstOf(*child);
  parent.firstKeys[slot] = FirstKeyOf(*child);
  parent.counts[slot] = child->sums.count;
  parent.nodes[slot] = child->sums.nodes;
  parent.rows[slot] = child->sums.rows;
  child->parent = &parent;
}

// After `block`'s own sums gained `delta`: refreshes its copies in every
// ancestor, whose sums gain the same.
inline void Propagate(Block* block, const Sums& delta) {
  for (Inner* parent = block->parent; parent != nullptr; block = parent, parent = parent->parent) {
    SetChild(*parent, SlotOf(*parent, block), block);
    parent->sums += delta;
  }
}

inline Sums SumsOf(const Leaf& leaf) {
  Sums sums;
  for (const Slot& slot : leaf.slots) sums += Sums{1, slot.nodes, slot.rows};
  return sums;
}

inline Sums SumsOf(const Inner& inner) {
  Sums sums;
  for (int slot = 0; slot < inner.size; ++slot) {
    sums += Sums{inner.counts[slot], inner.nodes[slot], inner.rows[slot]};
  }
  return sums;
}

// Asks for the start of an entry ahead of its use: two lines, which hold its
// first 64 bytes wherever it starts.
inline void PrefetchEntry(const ChildListEntry* entry) {
  __builtin_prefetch(entry);
  __builtin_prefetch(reinterpret_cast<const char*>(entry) + 64);
}

// Frees a block alone; its entries and children stay.
inline void DeleteBlock(Block* block) {
  if (block->isLeaf) {
    delete static_cast<Leaf*>(block);
  } else {
    delete static_cast<Inner*>(block);
  }
}

}  // namespace child_blocks
}  // namespace tarnsel::controls
