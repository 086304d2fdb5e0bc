// A children list that runs out of memory part-way through a change: the
// insertion fails before it changes anything and frees its entry, the removal
// needs no memory at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <new>
#include <random>
#include <vector>

#include "FailingAllocation.h"
#include "controls/OutlineChildList.h"

namespace tarnsel::controls {
namespace {

using testing::FailingAllocation;

class Entry : public ChildListEntry {
 public:
  explicit Entry(int* freed) : freed_(freed) {}
  ~Entry() override { ++*freed_; }

 private:
  int* freed_;
};

class ChildListOutOfMemory : public ::testing::Test {
 protected:
  ~ChildListOutOfMemory() override {
    list.reset();
    EXPECT_EQ(freed, made) << "every entry freed once";
  }

  std::unique_ptr<Entry> newEntry() {
    ++made;
    return std::make_unique<Entry>(&freed);
  }

  // Inserts at `position`, first with every allocation the insertion makes
  // failing in turn, each failure checked to leave the list as it was; then
  // with none failing. Returns how many allocations the insertion made.
  int insertFailingEachAllocation(int position) {
    for (int succeeding = 0;; ++succeeding) {
      const int freedBefore = freed;
      auto entry = newEntry();
      Entry* raw = entry.get();
      bool threw = false;
      int allocations = 0;
      {
        FailingAllocation failing(succeeding);
        try {
          list->insert(position, std::move(entry));
        } catch (const std::bad_alloc&) {
          threw = true;
        }
        allocations = failing.allocations();
        EXPECT_EQ(threw, failing.failed());
      }
      if (!threw) {
        expected.insert(expected.begin() + position, raw);
        return allocations;
      }
      EXPECT_EQ(freed, freedBefore + 1) << "the entry went with the failed call";
      expectUnchangedAround(position);
      if (::testing::Test::HasFailure()) return allocations;
    }
  }

  // The size, the ends and the entries beside `position` are as expected.
  void expectUnchangedAround(int position) {
    const int size = static_cast<int>(expected.size());
    ASSERT_EQ(list->size(), size);
    ASSERT_EQ(list->nodes(), size);
    if (size == 0) {
      EXPECT_TRUE(list->empty());
      return;
    }
    EXPECT_EQ(list->first(), expected.front());
    EXPECT_EQ(list->last(), expected.back());
    for (int at = std::max(0, position - 2); at < std::min(size, position + 2); ++at) {
      EXPECT_EQ(list->at(at), expected[at]);
      EXPECT_EQ(ChildList::positionOf(expected[at]), at);
      EXPECT_EQ(ChildList::nodesBefore(expected[at]), at);
      EXPECT_EQ(ChildList::next(expected[at]), at + 1 < size ? expected[at + 1] : nullptr);
    }
  }

  // Every entry in order, by walking and by position.
  void expectSame() {
    const int size = static_cast<int>(expected.size());
    ASSERT_EQ(list->size(), size);
    int position = 0;
    for (ChildListEntry* entry = list->first(); entry != nullptr;
         entry = ChildList::next(entry), ++position) {
      ASSERT_LT(position, size);
      ASSERT_EQ(entry, expected[position]) << "at " << position;
    }
    EXPECT_EQ(position, size);
    for (int at = 0; at < size; at += 97) {
      EXPECT_EQ(ChildList::positionOf(expected[at]), at);
      EXPECT_EQ(ChildList::rowsBefore(expected[at]), at);
    }
  }

  int made = 0;
  int freed = 0;
  std::unique_ptr<ChildList> list = std::make_unique<ChildList>();
  std::vector<ChildListEntry*> expected;
};

TEST_F(ChildListOutOfMemory, AppendsThatSplitUpToTheTopFailWithoutAChange) {
  // Appends leave full leaves and, now and then, a full block above the last
  // leaf; enough of them fill the top too, and the next split then needs a
  // leaf, an inner block per full level and a new top, four allocations.
  int mostAllocations = 0;
  for (int count = 0; count < 140000 && mostAllocations < 4; ++count) {
    mostAllocations = std::max(mostAllocations, insertFailingEachAllocation(count));
    if (HasFailure()) return;
  }
  EXPECT_GE(mostAllocations, 4) << "a split reached the top";
  expectSame();
}

TEST_F(ChildListOutOfMemory, InsertionsAnywhereFailWithoutAChange) {
  std::mt19937 random(31);
  for (int count = 0; count < 6000; ++count) {
    insertFailingEachAllocation(static_cast<int>(random() % (count + 1)));
    if (HasFailure()) return;
  }
  expectSame();
}

TEST_F(ChildListOutOfMemory, RemovalsNeedNoMemory) {
  std::mt19937 random(32);
  for (int count = 0; count < 6000; ++count) {
    const int position = static_cast<int>(random() % (count + 1));
    auto entry = newEntry();
    expected.insert(expected.begin() + position, entry.get());
    list->insert(position, std::move(entry));
  }
  // Leaves merge and share out, and so do the blocks above them.
  const FailingAllocation failing(0);
  while (!expected.empty()) {
    const int position = static_cast<int>(random() % expected.size());
    std::unique_ptr<ChildListEntry> removed;
    ASSERT_NO_THROW(removed = list->remove(expected[position]));
    expected.erase(expected.begin() + position);
    if (expected.size() % 500 == 0) expectSame();
  }
  EXPECT_FALSE(failing.failed());
  EXPECT_EQ(failing.allocations(), 0);
  EXPECT_TRUE(list->empty());
}

}  // namespace
}  // namespace tarnsel::controls
