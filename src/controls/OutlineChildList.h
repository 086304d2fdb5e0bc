// The ordered children of an outline node. Each list is a balanced search tree
// (a treap keyed by position) whose entries carry two weights, the nodes and the
// visible rows of the entry's own subtree, with their sums kept per tree node.
// Position, count of nodes or rows before an entry, and lookup by any of them
// thus cost a logarithm of the number of children, however the children arrive.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

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
  ChildListEntry* left_ = nullptr;
  ChildListEntry* right_ = nullptr;
  ChildListEntry* up_ = nullptr;  // the tree parent within the same list
  std::uint32_t priority_ = 0;
  int ownNodes_ = 1;
  int ownRows_ = 1;
  // Sums over this entry's subtree of the list's tree.
  int count_ = 1;
  int nodes_ = 1;
  int rows_ = 1;
};

class ChildList {
 public:
  ChildList() = default;
  ChildList(const ChildList&) = delete;
  ChildList& operator=(const ChildList&) = delete;
  ~ChildList();

  int size() const;
  bool empty() const { return root_ == nullptr; }
  // Sums of the weights of all entries.
  int nodes() const;
  int rows() const;

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
  // partitioned by it (every entry that precedes comes first): one descent of
  // the tree, where a search by position would descend once per probe.
  template <typename Precedes>
  int partitionPoint(Precedes precedes) const {
    int position = 0;
    for (const ChildListEntry* entry = root_; entry != nullptr;) {
      if (precedes(*entry)) {
        position += count(entry->left_) + 1;
        entry = entry->right_;
      } else {
        entry = entry->left_;
      }
    }
    return position;
  }

  void insert(int position, std::unique_ptr<ChildListEntry> entry);
  std::unique_ptr<ChildListEntry> remove(ChildListEntry* entry);
  // Gives an entry new weights, in whatever list it is (or none).
  static void setOwnWeights(ChildListEntry* entry, int nodes, int rows);

 private:
  static int count(const ChildListEntry* entry) { return entry ? entry->count_ : 0; }
  static int nodeSum(const ChildListEntry* entry) { return entry ? entry->nodes_ : 0; }
  static int rowSum(const ChildListEntry* entry) { return entry ? entry->rows_ : 0; }
  // Recomputes an entry's sums from its tree children and links them back to it.
  static void pull(ChildListEntry* entry);
  // Splits a tree into its first `position` entries and the rest.
  static std::pair<ChildListEntry*, ChildListEntry*> split(ChildListEntry* tree, int position);
  static ChildListEntry* merge(ChildListEntry* front, ChildListEntry* back);
  static ChildListEntry* leftmost(ChildListEntry* entry);
  static ChildListEntry* rightmost(ChildListEntry* entry);
  // Sum of a weight over the entries before `entry`.
  template <typename Sum, typename Own>
  static int before(const ChildListEntry* entry, Sum sum, Own own);
  template <typename Sum, typename Own>
  Found find(int offset, Sum sum, Own own) const;

  ChildListEntry* root_ = nullptr;
};

}  // namespace tarnsel::controls
