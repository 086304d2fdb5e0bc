// The ordered children of an outline node. Each list is a shallow tree of blocks
// (OutlineChildBlocks.h) whose entries carry two weights, the nodes and the
// visible rows of the entry's own subtree, with their sums kept per block.
// Position, count of nodes or rows before an entry, and lookup by any of them
// thus cost a few short array scans, however the children arrive.
#pragma once

#include <memory>

#include "controls/OutlineChildBlocks.h"

namespace tarnsel::controls {

class ChildList;

class ChildListEntry {
 public:
  ChildListEntry() = default;
  ChildListEntry(const ChildListEntry&) = delete;
  ChildListEntry& operator=(const ChildListEntry&) = delete;
  virtual ~ChildListEntry() = default;

  // The weights of this entry alone.
  int ownNodes() const { return ownNodes_; }
  int ownRows() const { return ownRows_; }

 private:
  friend class ChildList;
  child_blocks::Leaf* leaf_ = nullptr;  // the leaf that holds it; null outside a list
  int ownNodes_ = 1;
  int ownRows_ = 1;
};

class ChildList {
 public:
  ChildList() = default;
  ChildList(const ChildList&) = delete;
  ChildList& operator=(const ChildList&) = delete;
  ~ChildList();

  int size() const { return root_ != nullptr ? root_->sums.count : 0; }
  bool empty() const { return root_ == nullptr; }
  // Sums of the weights of all entries.
  int nodes() const { return root_ != nullptr ? root_->sums.nodes : 0; }
  int rows() const { return root_ != nullptr ? root_->sums.rows : 0; }

  ChildListEntry* at(int position) const;  // nullptr outside the list
  ChildListEntry* first() const;
  ChildListEntry* last() const;
  static ChildListEntry* next(const ChildListEntry* entry);  // nullptr after the last
  static ChildListEntry* previous(const ChildListEntry* entry);

  static int positionOf(const ChildListEntry* entry);
  static int nodesBefore(const ChildListEntry* entry);
  static int rowsBefore(const ChildListEntry* entry);

  // The entry whose block of nodes (or rows) holds `offset`, counted from the
  // list's start, with the offset inside that block; {nullptr, 0} past the end.
  struct Found {
    ChildListEntry* entry = nullptr;
    int offset = 0;
  };
  Found findByNodes(int offset) const;
  Found findByRows(int offset) const;

  // The number of leading entries for which `precedes` holds, the list being
  // partitioned by it (every entry that precedes comes first): one descent that
  // probes the first entries of the blocks on its way, then one leaf.
  template <typename Precedes>
  int partitionPoint(Precedes precedes) const {
    if (root_ == nullptr) return 0;
    int position = 0;
    const child_blocks::Block* block = root_;
    while (!block->isLeaf) {
      const auto& inner = static_cast<const child_blocks::Inner&>(*block);
      // The first child whose first entry does not precede; the point lies in
      // the child before it, or here when there is none.
      const int after = firstFailing(
          inner.size, [&](int slot) { return inner.firsts[slot]; }, precedes);
      if (after == 0) return position;
      for (int slot = 0; slot < after - 1; ++slot) position += inner.counts[slot];
      block = inner.children[after - 1];
    }
    const auto& slots = static_cast<const child_blocks::Leaf&>(*block).slots;
    return position + firstFailing(
                          static_cast<int>(slots.size()),
                          [&](int slot) { return slots[slot].entry; }, precedes);
  }

  void insert(int position, std::unique_ptr<ChildListEntry> entry);
  std::unique_ptr<ChildListEntry> remove(ChildListEntry* entry);
  // Gives an entry new weights, in whatever list it is (or none).
  static void setOwnWeights(ChildListEntry* entry, int nodes, int rows);

 private:
  using Block = child_blocks::Block;
  using Inner = child_blocks::Inner;
  using Leaf = child_blocks::Leaf;
  using Sums = child_blocks::Sums;

  // A binary search for the first of `size` entries that does not precede. The
  // entries lie anywhere in memory, each probe a likely cache miss: the entries
  // that the probes two steps ahead may read are requested early, so that the
  // misses overlap instead of following one another.
  template <typename EntryAt, typename Precedes>
  static int firstFailing(int size, EntryAt entryAt, Precedes& precedes) {
    constexpr int Ahead = 2;
    for (int depth = 0; depth < Ahead; ++depth) prefetchProbes(0, size, depth, entryAt);
    int low = 0;
    int high = size;
    while (low < high) {
      const int middle = (low + high) / 2;
      if (precedes(*entryAt(middle))) {
        low = middle + 1;
      } else {
        high = middle;
      }
      prefetchProbes(low, high, Ahead, entryAt);
    }
    return low;
  }

  // Requests the entries that the search over [low, high) probes `depth` steps on.
  template <typename EntryAt>
  static void prefetchProbes(int low, int high, int depth, EntryAt entryAt) {
    if (low >= high) return;
    const int middle = (low + high) / 2;
    if (depth > 0) {
      prefetchProbes(low, middle, depth - 1, entryAt);
      prefetchProbes(middle + 1, high, depth - 1, entryAt);
      return;
    }
    // Two lines: wherever the object starts, they hold its first 64 bytes.
    const char* entry = reinterpret_cast<const char*>(entryAt(middle));
    __builtin_prefetch(entry);
    __builtin_prefetch(entry + 64);
  }

  template <typename Measure>
  static int before(const ChildListEntry* entry);
  template <typename Measure>
  Found find(int offset) const;

  // Changes to the shape of the tree (OutlineChildListShape.cpp).
  // Puts `fresh` beside `old` in old's parent (a new root when old is the
  // root); `delta` is what the entries under old's former place gained.
  void placeBeside(Block* old, Block* fresh, bool freshAfter, const Sums& delta);
  // After a removal: frees an emptied block, or merges or evens out a block
  // that fell below a quarter with a neighbour, and lowers a one-child root.
  void afterRemoval(Block* block, const Sums& delta);
  void removeBlock(Block* block, const Sums& delta);
  void rebalance(Inner& parent, int leftSlot, const Sums& delta);
  // Shares the entries (children) of two neighbouring blocks out evenly, or
  // moves them all into the left one when `all` is set.
  static void shareOut(Leaf& left, Leaf& right, bool all);
  static void shareOut(Inner& left, Inner& right, bool all);
  static void destroy(Block* block);

  Block* root_ = nullptr;
};

}  // namespace tarnsel::controls
