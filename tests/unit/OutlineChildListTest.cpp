// The children list against a plain vector: positions, weights and lookups at
// the edges of its blocks, as blocks split, merge, share out and empty.
#include "controls/OutlineChildList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace tarnsel::controls {
namespace {

constexpr int Leaf = child_blocks::LeafCapacity;
constexpr int FirstLeaf = child_blocks::FirstLeafCapacity;

struct Entry : ChildListEntry {
  explicit Entry(int key, int* freed = nullptr) : key(key), freed(freed) {}
  ~Entry() override {
    if (freed != nullptr) ++*freed;
  }
  // Coarse on purpose: keys of the same ten tie, and the search reads the entry.
  OrderKey orderKey() const override { return {static_cast<std::uint64_t>(key / 10), 0}; }
  int key;
  int* freed;  // counts the entries freed, when set
};

int KeyOf(const ChildListEntry& entry) { return static_cast<const Entry&>(entry).key; }

// A list and the same entries in a vector, with the weights each was given.
class ChildListModel : public ::testing::Test {
 protected:
  struct Expected {
    Entry* entry;
    int nodes;
    int rows;
  };

  Entry* insert(int position, int key = 0) {
    auto owned = std::make_unique<Entry>(key);
    Entry* entry = owned.get();
    int nodesBefore = 0;
    for (int at = 0; at < position; ++at) nodesBefore += expected[at].nodes;
    EXPECT_EQ(list.insert(position, std::move(owned)), nodesBefore) << "at " << position;
    expected.insert(expected.begin() + position, {entry, 1, 1});
    return entry;
  }
  void remove(int position) {
    std::unique_ptr<ChildListEntry> removed = list.remove(expected[position].entry);
    ASSERT_EQ(removed.get(), expected[position].entry);
    EXPECT_EQ(ChildList::next(removed.get()), nullptr);
    EXPECT_EQ(ChildList::positionOf(removed.get()), 0);
    expected.erase(expected.begin() + position);
  }
  void weigh(int position, int nodes, int rows) {
    ChildList::setOwnWeights(expected[position].entry, nodes, rows);
    expected[position].nodes = nodes;
    expected[position].rows = rows;
  }

  // Every lookup of every entry and every offset agrees with the vector.
  void expectSame() {
    const int size = static_cast<int>(expected.size());
    ASSERT_EQ(list.size(), size);
    EXPECT_EQ(list.empty(), size == 0);
    EXPECT_EQ(list.first(), size > 0 ? expected.front().entry : nullptr);
    EXPECT_EQ(list.last(), size > 0 ? expected.back().entry : nullptr);
    EXPECT_EQ(list.at(-1), nullptr);
    EXPECT_EQ(list.at(size), nullptr);
    int nodes = 0;
    int rows = 0;
    for (int position = 0; position < size; ++position) {
      const Expected& at = expected[position];
      ASSERT_EQ(list.at(position), at.entry) << "at " << position;
      EXPECT_EQ(ChildList::positionOf(at.entry), position);
      EXPECT_EQ(ChildList::nodesBefore(at.entry), nodes) << "at " << position;
      EXPECT_EQ(ChildList::rowsBefore(at.entry), rows) << "at " << position;
      EXPECT_EQ(ChildList::next(at.entry),
                position + 1 < size ? expected[position + 1].entry : nullptr);
      EXPECT_EQ(ChildList::previous(at.entry),
                position > 0 ? expected[position - 1].entry : nullptr);
      EXPECT_EQ(at.entry->ownNodes(), at.nodes);
      for (int offset = 0; offset < at.nodes; ++offset) {
        const ChildList::Found found = list.findByNodes(nodes + offset);
        EXPECT_EQ(found.entry, at.entry) << "node offset " << nodes + offset;
        EXPECT_EQ(found.offset, offset);
      }
      for (int offset = 0; offset < at.rows; ++offset) {
        EXPECT_EQ(list.findByRows(rows + offset).entry, at.entry) << "row offset " << rows + offset;
      }
      nodes += at.nodes;
      rows += at.rows;
    }
    EXPECT_EQ(list.nodes(), nodes);
    EXPECT_EQ(list.rows(), rows);
    EXPECT_EQ(list.findByNodes(nodes).entry, nullptr);
    EXPECT_EQ(list.findByRows(rows).entry, nullptr);
    EXPECT_EQ(list.findByNodes(-1).entry, nullptr);
  }

  ChildList list;
  std::vector<Expected> expected;
};

TEST_F(ChildListModel, AppendedAndPrependedRunsCrossLeafEdges) {
  // In order at the back, then at the front: leaves fill up and split at both ends.
  for (int count = 0; count < 3 * Leaf + 1; ++count) insert(static_cast<int>(expected.size()));
  expectSame();
  for (int count = 0; count < 3 * Leaf + 1; ++count) insert(0);
  expectSame();
  // Right at the edges of full leaves, and in the middle of one; in the front
  // half and, counted from the back, in the back half of the list.
  for (const int position : {Leaf, Leaf - 1, Leaf + 1, 2 * Leaf, 0, Leaf / 2}) {
    insert(position);
    expectSame();
    const int size = static_cast<int>(expected.size());
    insert(size - position);
    expectSame();
  }
}

TEST_F(ChildListModel, FirstLeafGrowsWithItsWeightsAndKeys) {
  // Filled in the middle up to and past each size at which the only leaf grows
  // or splits, with weights and keys that must move along with the entries.
  std::vector<int> sizes;
  for (int capacity = FirstLeaf; capacity <= Leaf; capacity *= 2) {
    sizes.insert(sizes.end(), {capacity, capacity + 1});
  }
  for (const int size : sizes) {
    SCOPED_TRACE(size);
    for (auto& at : expected) list.remove(at.entry).reset();
    expected.clear();
    for (int count = 0; count < size; ++count) {
      const int middle = static_cast<int>(expected.size() / 2);
      insert(middle);
      weigh(middle, 2 + count % 3, 1 + count % 2);
    }
    expectSame();
    // Keys as they stand now, in list order: the search finds each in its place.
    for (int position = 0; position < size; ++position) {
      auto* entry = static_cast<Entry*>(expected[position].entry);
      entry->key = 10 * position;
      ChildList::orderKeyChanged(entry);
    }
    for (int position = 0; position < size; ++position) {
      const int key = 10 * position;
      EXPECT_EQ(
          list.partitionPoint(Entry(key).orderKey(),
                              [&](const ChildListEntry& entry) { return KeyOf(entry) < key; }),
          position);
    }
  }
}

TEST_F(ChildListModel, ManyLevelsStayConsistentThroughRandomWork) {
  // Enough entries for blocks above the leaves' parents, then a churn that
  // splits, merges and shares out at every level.
  std::mt19937 random(7);
  for (int count = 0; count < Leaf * Leaf + 3 * Leaf; ++count) {
    insert(static_cast<int>(random() % (expected.size() + 1)));
  }
  expectSame();
  for (int step = 0; step < 6000; ++step) {
    const int size = static_cast<int>(expected.size());
    switch (random() % 3) {
      case 0:
        insert(static_cast<int>(random() % (size + 1)));
        break;
      case 1:
        remove(static_cast<int>(random() % size));
        break;
      default:
        weigh(static_cast<int>(random() % size), 1 + random() % 5, 1 + random() % 3);
    }
  }
  expectSame();
}

TEST_F(ChildListModel, RemovingDownToEmptyFromEitherEndAndTheMiddle) {
  // More leaves than one block above them holds, so that blocks at both levels
  // fall short, merge and share out.
  for (int count = 0; count < 70 * Leaf; ++count) insert(static_cast<int>(expected.size()));
  for (int position = 0; position < 70 * Leaf; position += 7) weigh(position, 3, 2);
  std::mt19937 random(11);
  while (!expected.empty()) {
    const int size = static_cast<int>(expected.size());
    const int pick = static_cast<int>(random() % 3);
    remove(pick == 0 ? 0 : pick == 1 ? size - 1 : size / 2);
    if (expected.size() % 97 == 0 || expected.size() < 40) expectSame();
  }
  expectSame();
  // An emptied list takes entries again.
  insert(0);
  insert(1);
  expectSame();
}

TEST_F(ChildListModel, RemovingFromTheFrontSharesOutWithFullerNeighbours) {
  // Appended in order, the blocks at the back are fuller than the ones in front,
  // so a block that falls short takes entries from its neighbour.
  for (int count = 0; count < 90 * Leaf; ++count) insert(static_cast<int>(expected.size()));
  while (!expected.empty()) {
    remove(0);
    if (expected.size() % 101 == 0) expectSame();
  }
  expectSame();
}

TEST_F(ChildListModel, WeightsReachTheSumsOfEveryLevel) {
  for (int count = 0; count < 4 * Leaf; ++count) insert(static_cast<int>(expected.size()));
  // The last entry of one leaf, the first of the next, and a lone heavy entry.
  weigh(Leaf - 1, 10, 4);
  weigh(Leaf, 6, 9);
  weigh(3 * Leaf + 5, 100, 1);
  expectSame();
  weigh(Leaf, 1, 1);
  expectSame();
  // Entries that take part in no list keep their weights, and take them along.
  Entry loose(0);
  ChildList::setOwnWeights(&loose, 4, 2);
  EXPECT_EQ(loose.ownNodes(), 4);
  EXPECT_EQ(loose.ownRows(), 2);
  EXPECT_EQ(ChildList::nodesBefore(&loose), 0);
  EXPECT_EQ(ChildList::previous(&loose), nullptr);
}

TEST_F(ChildListModel, RemovedEntryMovesToAnotherListWithItsWeights) {
  for (int count = 0; count < 2 * Leaf; ++count) insert(static_cast<int>(expected.size()));
  weigh(Leaf, 5, 3);
  Entry* moved = expected[Leaf].entry;
  std::unique_ptr<ChildListEntry> taken = list.remove(moved);
  expected.erase(expected.begin() + Leaf);
  ChildList other;
  other.insert(0, std::move(taken));
  EXPECT_EQ(other.nodes(), 5);
  EXPECT_EQ(other.rows(), 3);
  EXPECT_EQ(other.findByNodes(4).entry, moved);
  expectSame();
}

TEST_F(ChildListModel, PartitionPointMatchesLowerBoundOfSortedKeys) {
  std::mt19937 random(3);
  std::vector<int> keys;
  for (int count = 0; count < 3 * Leaf * Leaf; ++count) {
    const int key = static_cast<int>(random() % 100000);
    const int position =
        list.partitionPoint([&](const ChildListEntry& entry) { return KeyOf(entry) < key; });
    const auto bound = std::lower_bound(keys.begin(), keys.end(), key);
    ASSERT_EQ(position, bound - keys.begin()) << "key " << key;
    ASSERT_EQ(list.partitionPoint(Entry(key).orderKey(),
                                  [&](const ChildListEntry& entry) { return KeyOf(entry) < key; }),
              position)
        << "by order keys, key " << key;
    keys.insert(bound, key);
    insert(position, key);
  }
  // Before every entry and after every entry.
  EXPECT_EQ(list.partitionPoint([](const ChildListEntry&) { return false; }), 0);
  EXPECT_EQ(list.partitionPoint([](const ChildListEntry&) { return true; }), list.size());
  ChildList none;
  EXPECT_EQ(none.partitionPoint([](const ChildListEntry&) { return true; }), 0);
}

TEST_F(ChildListModel, ChangedOrderKeysReachTheBlocksAboveTheirLeaf) {
  // Keys 0, 100, 200...: order keys 0, 10, 20... The first entries of the leaves
  // stand for them in the blocks above.
  for (int count = 0; count < 3 * Leaf; ++count) insert(count, 100 * count);
  auto keyedPoint = [&](int key) {
    return list.partitionPoint(Entry(key).orderKey(),
                               [&](const ChildListEntry& entry) { return KeyOf(entry) < key; });
  };
  // Moved up within their gaps, so the order holds; the old keys would now
  // place a search for a key in between after them.
  for (const int position : {0, Leaf, Leaf + 1, 2 * Leaf}) {
    Entry& entry = *static_cast<Entry*>(expected[position].entry);
    entry.key += 50;
    ChildList::orderKeyChanged(&entry);
    EXPECT_EQ(keyedPoint(entry.key - 5), position) << position;
    EXPECT_EQ(keyedPoint(entry.key), position) << position;
    EXPECT_EQ(keyedPoint(entry.key + 1), position + 1) << position;
  }
  expectSame();
}

TEST(ChildListTeardown, FreesEveryEntryOnceAtEverySize) {
  // A lone entry, a grown first leaf, and lists of two and three levels.
  for (const int size : {1, 2 * FirstLeaf + 1, 3 * Leaf, Leaf * Leaf + Leaf}) {
    int freed = 0;
    {
      ChildList list;
      std::mt19937 random(size);
      for (int count = 0; count < size; ++count) {
        list.insert(static_cast<int>(random() % (count + 1)),
                    std::make_unique<Entry>(count, &freed));
      }
      ASSERT_EQ(list.size(), size);
    }
    EXPECT_EQ(freed, size) << size;
  }
}

}  // namespace
}  // namespace tarnsel::controls
