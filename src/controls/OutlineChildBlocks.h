// The blocks behind a children list: leaves that hold a run of entries side by
// side with their weights, and inner blocks that keep, per child block, its sums
// and its first entry, so that a descent reads a few short arrays per level.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

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

// A list's first leaf holds this many entries at first and doubles its room
// each time it fills, up to LeafCapacity: the many short lists of a tree stay
// small.
inline constexpr int FirstLeafCapacity = 2;

// A leaf keeps its slots in its own allocation, right behind it, each field in
// an array of its own: the keys first, so that a search reads the leaf's first
// lines alone, then the entries and the two weights.
struct alignas(OrderKey) Leaf : Block {
  explicit Leaf(int capacity) : Block(true), capacity(capacity) {}
  // The neighbouring leaves of the same list, in list order.
  Leaf* previous = nullptr;
  Leaf* next = nullptr;
  int size = 0;
  const int capacity;

  // The arrays behind the leaf. Like a pointer member's target they stay
  // writable through a const leaf; the lookups that take one only read them.
  OrderKey* keys() const { return reinterpret_cast<OrderKey*>(array(0)); }
  ChildListEntry** entries() const { return reinterpret_cast<ChildListEntry**>(array(1)); }
  int* nodes() const { return reinterpret_cast<int*>(array(2)); }
  int* rows() const { return reinterpret_cast<int*>(array(3)); }

  void put(int at, const Slot& slot) {
    keys()[at] = slot.key;
    entries()[at] = slot.entry;
    nodes()[at] = slot.nodes;
    rows()[at] = slot.rows;
  }

  // Per slot: the bytes of each array, and where each starts behind the leaf
  // (times the capacity).
  static constexpr std::size_t FieldSizes[4] = {sizeof(OrderKey), sizeof(ChildListEntry*),
                                                sizeof(int), sizeof(int)};
  static constexpr std::size_t FieldStarts[4] = {0, FieldSizes[0], FieldSizes[0] + FieldSizes[1],
                                                 FieldSizes[0] + FieldSizes[1] + FieldSizes[2]};
  static constexpr std::size_t SlotBytes = FieldStarts[3] + FieldSizes[3];

  char* array(int field) const {
    return reinterpret_cast<char*>(const_cast<Leaf*>(this)) + sizeof(Leaf) +
           FieldStarts[field] * capacity;
  }
};
// Each array starts where its type may start, whatever the capacity and the
// size of a pointer (the 32-bit program has 4-byte ones).
static_assert(sizeof(Leaf) % alignof(OrderKey) == 0 &&
              Leaf::FieldStarts[1] % alignof(ChildListEntry*) == 0 &&
              Leaf::FieldStarts[2] % alignof(int) == 0 && Leaf::FieldStarts[3] % alignof(int) == 0);

// A new empty leaf with room for `capacity` slots, in one allocation.
inline Leaf* NewLeaf(int capacity) {
  return new (::operator new(sizeof(Leaf) + capacity * Leaf::SlotBytes)) Leaf(capacity);
}

// Opens a gap of `count` slots at `at`, moving the slots from there on back.
inline void OpenGap(Leaf& leaf, int at, int count) {
  for (int field = 0; field < 4; ++field) {
    char* array = leaf.array(field);
    const std::size_t size = Leaf::FieldSizes[field];
    std::memmove(array + (at + count) * size, array + at * size, (leaf.size - at) * size);
  }
  leaf.size += count;
}

// Closes the `count` slots at `at`, moving the slots after them forward.
inline void CloseGap(Leaf& leaf, int at, int count) {
  for (int field = 0; field < 4; ++field) {
    char* array = leaf.array(field);
    const std::size_t size = Leaf::FieldSizes[field];
    std::memmove(array + at * size, array + (at + count) * size, (leaf.size - at - count) * size);
  }
  leaf.size -= count;
}

// Per child block, its first key, its first entry and its sums. The keys come
// first, so that a search reads the block's first lines alone.
struct Inner : Block {
  Inner() : Block(false) {}
  int size = 0;
  // One spare place: a block that overflows holds it until it splits.
  std::array<OrderKey, InnerCapacity + 1> firstKeys{};
  std::array<Block*, InnerCapacity + 1> children{};
  std::array<ChildListEntry*, InnerCapacity + 1> firsts{};
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

// The sum of `weight` over the first `end` of `size` places whose sum is
// `total`, adding whichever side of `end` is shorter.
template <typename Weight>
int SumBefore(int end, int size, int total, Weight weight) {
  int sum = 0;
  if (end <= size / 2) {
    for (int slot = 0; slot < end; ++slot) sum += weight(slot);
    return sum;
  }
  for (int slot = end; slot < size; ++slot) sum += weight(slot);
  return total - sum;
}

// The place among `size` places whose run of `weight` holds `offset`, for an
// offset within their sum `total`; `offset` becomes the offset inside that
// run. Counts from whichever end is nearer: lookups at the back, where
// appends go, cost as little as those at the front.
template <typename Weight>
int SlotHolding(int& offset, int size, int total, Weight weight) {
  int slot = 0;
  if (offset < total / 2) {
    while (offset >= weight(slot)) offset -= weight(slot++);
    return slot;
  }
  slot = size - 1;
  int start = total - weight(slot);
  while (offset < start) start -= weight(--slot);
  offset -= start;
  return slot;
}

inline int SlotOf(const Inner& parent, const Block* child) {
  return ScanFromBothEnds(parent.size, [&](int slot) { return parent.children[slot] == child; });
}

inline int SlotOf(const Leaf& leaf, const ChildListEntry* entry) {
  ChildListEntry* const* entries = leaf.entries();
  return ScanFromBothEnds(leaf.size, [&](int slot) { return entries[slot] == entry; });
}

inline int SizeOf(const Block& block) {
  return block.isLeaf ? static_cast<const Leaf&>(block).size
                      : static_cast<const Inner&>(block).size;
}

inline int CapacityOf(const Block& block) {
  return block.isLeaf ? static_cast<const Leaf&>(block).capacity : InnerCapacity;
}

// The first entry under a block; nullptr for an empty one.
inline ChildListEntry* FirstOf(const Block& block) {
  if (SizeOf(block) == 0) return nullptr;
  return block.isLeaf ? static_cast<const Leaf&>(block).entries()[0]
                      : static_cast<const Inner&>(block).firsts[0];
}

inline OrderKey FirstKeyOf(const Block& block) {
  if (SizeOf(block) == 0) return {};
  return block.isLeaf ? static_cast<const Leaf&>(block).keys()[0]
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
  Sums sums{leaf.size, 0, 0};
  for (int slot = 0; slot < leaf.size; ++slot) {
    sums.nodes += leaf.nodes()[slot];
    sums.rows += leaf.rows()[slot];
  }
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

// Asks for a block's first lines, which hold its header and its keys, all at
// once: a descent then waits for one fetch per level rather than one per probe.
inline void PrefetchKeys(const Block* block) {
  // A header within one line, then at most this many keys.
  constexpr std::size_t Bytes = 64 + sizeof(OrderKey) * (InnerCapacity + 1);
  const char* bytes = reinterpret_cast<const char*>(block);
  for (std::size_t offset = 0; offset < Bytes; offset += 64) __builtin_prefetch(bytes + offset);
}

// Asks for the rest of a leaf, behind its keys, for writing: an ordered search
// mostly ends in an insertion there, which moves the entries and weights after
// the point, and the lines then arrive together rather than one by one.
inline void PrefetchSlotsBehindKeys(const Leaf& leaf) {
  const char* end = leaf.array(0) + leaf.capacity * Leaf::SlotBytes;
  for (const char* line = leaf.array(1); line < end; line += 64) __builtin_prefetch(line, 1);
}

// Frees a block alone; its entries and children stay.
inline void DeleteBlock(Block* block) {
  if (block->isLeaf) {
    auto* leaf = static_cast<Leaf*>(block);
    leaf->~Leaf();
    ::operator delete(leaf);
  } else {
    delete static_cast<Inner*>(block);
  }
}

}  // namespace child_blocks
}  // namespace tarnsel::controls
