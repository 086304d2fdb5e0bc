// Adding many children under one outline item the way the directory tree lists a
// folder: each name is placed by one descent over the ordered children, then
// inserted at the position found, before a child or after the last. For
// comparison, `random_by_index` places them as a client that knows only indices
// would, by a binary search with a lookup by index per probe, then InsertBefore
// or AppendSibling.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "controls/Outline.h"

namespace {

using tarnsel::controls::OutlineServices;
using tarnsel::controls::TCustomOutline;
using tarnsel::controls::TOutlineNode;
using tarnsel::screen::Bitmap;

class QuietServices : public OutlineServices {
 public:
  int fontPointSize() override { return 9; }
  int pixelsPerInch() override { return 96; }
  std::optional<Bitmap> loadBitmap(const std::string&) override { return std::nullopt; }
};

// std::string compares as unsigned bytes: the ordinal order the tree keeps. The
// position among the children at which the name goes.
int SortedChildPosition(TOutlineNode& node, const std::string& name) {
  const int count = node.ChildCount();
  if (count == 0 || name <= node.Child(0)->Text()) return 0;
  if (name >= node.Child(count - 1)->Text()) return count;
  return node.ChildTextPartitionPoint(name);
}

// The index to insert before, or -1 to append.
int FindSortedPositionByIndex(TCustomOutline& outline, TOutlineNode& node,
                              const std::string& name) {
  const int first = node.FirstChildIndex();
  if (first < 0) return -1;
  if (name <= outline.ItemAt(first).Text()) return first;
  const int last = node.LastChildIndex();
  if (name >= outline.ItemAt(last).Text()) return -1;
  int lo = first;
  int hi = last;
  do {
    int mid = (lo + hi) / 2;
    if (mid == lo) ++mid;
    if (name > outline.ItemAt(mid).Text()) {
      lo = mid;
    } else {
      hi = mid;
    }
  } while (lo < hi - 1);
  return hi;
}

enum class Order { Sorted, Reversed, Random, RandomByIndex };

std::vector<std::string> Names(int count, Order order) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "dir%07d", i);
    names.emplace_back(name);
  }
  if (order == Order::Reversed) std::reverse(names.begin(), names.end());
  if (order == Order::Random || order == Order::RandomByIndex)
    std::shuffle(names.begin(), names.end(), std::mt19937(42));
  return names;
}

void InsertChildren(benchmark::State& state, Order order) {
  const std::vector<std::string> names = Names(static_cast<int>(state.range(0)), order);
  QuietServices services;
  for (auto _ : state) {
    TCustomOutline outline(services);
    const int folder = outline.AppendChild(0, "c:\\");
    for (const std::string& name : names) {
      // Looked up again for every entry, as the listing does.
      TOutlineNode& node = outline.ItemAt(folder);
      if (order != Order::RandomByIndex) {
        outline.InsertChildAt(node, SortedChildPosition(node, name), name);
      } else if (!node.HasChildren()) {
        outline.AppendChild(folder, name);
      } else if (const int position = FindSortedPositionByIndex(outline, node, name);
                 position >= 0) {
        outline.InsertBefore(position, name);
      } else {
        outline.AppendSibling(node.LastChildIndex(), name);
      }
    }
    benchmark::DoNotOptimize(outline.ItemCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  // Time per child: flat while each insertion costs the same at every size.
  state.counters["per_item"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A yardstick for what the order of arrival costs on this machine: the standard
// library's ordered set of the same names, which keeps no positions or counts.
void InsertIntoOrderedSet(benchmark::State& state, Order order) {
  const std::vector<std::string> names = Names(static_cast<int>(state.range(0)), order);
  for (auto _ : state) {
    std::set<std::string> set;
    for (const std::string& name : names) set.insert(name);
    benchmark::DoNotOptimize(set.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK_CAPTURE(InsertChildren, sorted, Order::Sorted)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InsertChildren, reversed, Order::Reversed)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InsertChildren, random, Order::Random)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InsertIntoOrderedSet, sorted, Order::Sorted)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InsertIntoOrderedSet, random, Order::Random)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(InsertChildren, random_by_index, Order::RandomByIndex)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
