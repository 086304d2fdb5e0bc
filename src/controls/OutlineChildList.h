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

 protected:
  // The entry's coarse place in its owner's order; the list asks when the entry
  // is inserted and when ChildList::orderKeyChanged says so. All entries equal
  // unless the owner tells them apart.
  virtual OrderKey orderKey() const { return {}; }

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
    return partitionBy(
        [&](const OrderKey&, ChildListEntry* const& entry) { return precedes(*entry); });
  }
  // The same for an order that agrees with the entries' order keys: an entry
  // whose key is below `key` precedes, one above does not, and `precedes`
  // decides between equal keys alone, so that most probes read no entry.
  template <typename Precedes>
  int partitionPoint(const OrderKey& key, Precedes precedes) const {
    return partitionBy([&](const OrderKey& probed, ChildListEntry* const& entry) {
      if (probed != key) return probed < key;
      return precedes(*entry);
    });
  }

  // Returns the node weights of the entries before the new one, summed on the
  // way down. When memory runs out the list stays as it was and the entry is
  // freed with the argument.
  int insert(int position, std::unique_ptr<ChildListEntry> entry);
  std::unique_ptr<ChildListEntry> remove(ChildListEntry* entry);
  // Gives an entry new weights, in whatever list it is (or none).
  static void setOwnWeights(ChildListEntry* entry, int nodes, int rows);
  // Takes the entry's order key afresh, in whatever list it is (or none).
  static void orderKeyChanged(ChildListEntry* entry);

 private:
  using Block = child_blocks::Block;
  using Inner = child_blocks::Inner;
  using Leaf = child_blocks::Leaf;
  using Sums = child_blocks::Sums;

  // A probe takes a key and the place of its entry, which it reads only when it
  // must: the entries of a leaf lie in lines of their own.
  template <typename Probe>
  int partitionBy(Probe probe) const {
    if (root_ == nullptr) return 0;
    int position = 0;
    const child_blocks::Block* block = root_;
    child_blocks::PrefetchKeys(block);
    while (!block->isLeaf) {
      const auto& inner = static_cast<const child_blocks::Inner&>(*block);
      // The first child whose first entry does not precede; the point lies in
      // the child before it, or here when there is none.
      const int after = firstFailing(
          inner.size, [&](int slot) { return probe(inner.firstKeys[slot], inner.firsts[slot]); });
      if (after == 0) return position;
      block = inner.children[after - 1];
      // Likely out of the cache: its keys are on their way while the counts add up.
      child_blocks::PrefetchKeys(block);
      position += child_blocks::SumBefore(after - 1, inner.size, inner.sums.count,
                                          [&](int slot) { return inner.counts[slot]; });
    }
    const auto& leaf = static_cast<const child_blocks::Leaf&>(*block);
    child_blocks::PrefetchSlotsBehindKeys(leaf);
    const OrderKey* keys = leaf.keys();
    ChildListEntry* const* entries = leaf.entries();
    const int point =
        firstFailing(leaf.size, [&](int slot) { return probe(keys[slot], entries[slot]); });
    // Callers of an ordered search mostly go on with the entry found.
    if (point < leaf.size) child_blocks::PrefetchEntry(entries[point]);
    return position + point;
  }

  // A binary search for the first of `size` places where `precedes` fails.
  template <typename Precedes>
  static int firstFailing(int size, Precedes precedes) {
    int low = 0;
    int high = size;
    while (low < high) {
      const int middle = (low + high) / 2;
      if (precedes(middle)) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return low;
  }

  template <typename Measure>
  static int before(const ChildListEntry* entry);
  template <typename Measure>
  Found find(int offset) const;

  // Changes to the shape of the tree (OutlineChildListShape.cpp).
  // The inner blocks that splitting a full leaf needs, allocated before the list
  // changes, so that running out of memory leaves it as it was: one for every
  // full block above the leaf, and a new top when the split reaches the top.
  class SpareInners;
  // Puts `fresh` beside `old` in old's parent (a new root when old is the
  // root); `delta` is what the entries under old's former place gained.
  void placeBeside(Block* old, Block* fresh, bool freshAfter, const Sums& delta,
                   SpareInners& spare);
  // After a removal: frees an emptied block, or merges or evens out a block
  // that fell below a quarter with a neighbour, and lowers a one-child root.
  void afterRemoval(Block* block, const Sums& delta);
  void removeBlock(Block* block, const Sums& delta);
  void rebalance(Inner& parent, int leftSlot, const Sums& delta);
  // Shares the entries (children) of two neighbouring blocks out evenly, or
  // moves them all into the left one when `all` is set.
  static void shareOut(Leaf& left, Leaf& right, bool all);
  // Copies `count` slots from `start` in `from` into the open places from `at`
  // in `into`, whose entries then name `into` as their leaf.
  static void copySlots(const Leaf& from, int start, int count, Leaf& into, int at);
  // Replaces the full only leaf by one with more room.
  Leaf& growOnlyLeaf(Leaf& leaf);
  static void shareOut(Inner& left, Inner& right, bool all);
  static void destroy(Block* block);

  Block* root_ = nullptr;
};

}  // namespace tarnsel::controls
