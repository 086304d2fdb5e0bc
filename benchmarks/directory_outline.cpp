// Expanding a directory tree's folder that holds many sub-folders: the real
// expand path (expand notification, one directory search, each name placed by
// binary search among the siblings listed so far) on the simulated platform.
//
// The simulation's builders look every new name up among its siblings, so a
// folder of 10^5 entries would take minutes to lay out. The big folder's listing
// is therefore prepared once and served in place of the simulation's search for
// that one pattern; drives, current directory and code page stay simulated.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "controls/DirectoryOutline.h"
#include "platform/simulated/ForwardingFileSystem.h"
#include "platform/simulated/SimulatedWindows.h"

namespace {

using tarnsel::controls::OutlineServices;
using tarnsel::controls::TDirectoryOutline;
using tarnsel::screen::Bitmap;
namespace platform = tarnsel::platform;

class QuietServices : public OutlineServices {
 public:
  int fontPointSize() override { return 9; }
  int pixelsPerInch() override { return 96; }
  std::optional<Bitmap> loadBitmap(const std::string&) override { return std::nullopt; }
};

class ListedSearch final : public platform::DirectorySearch {
 public:
  explicit ListedSearch(const std::vector<platform::DirectoryEntry>& entries) : entries_(entries) {}
  const platform::DirectoryEntry& entry() const override { return entries_[position_]; }
  bool next() override { return ++position_ < entries_.size(); }

 private:
  const std::vector<platform::DirectoryEntry>& entries_;
  std::size_t position_ = 0;
};

// The simulated file system, except that one pattern finds a prepared listing.
class PreparedFolder final : public tarnsel::sim::ForwardingFileSystem {
 public:
  PreparedFolder(tarnsel::sim::SimulatedWindows& windows, std::string pattern,
                 std::vector<platform::DirectoryEntry> entries)
      : ForwardingFileSystem(windows), pattern_(std::move(pattern)), entries_(std::move(entries)) {}

  std::unique_ptr<platform::DirectorySearch> findFirst(const std::string& pattern,
                                                       std::uint32_t mask) override {
    // Every prepared entry is a plain folder, which a folder search admits.
    if (pattern == pattern_ && (mask & platform::attr::Directory) != 0 && !entries_.empty()) {
      return std::make_unique<ListedSearch>(entries_);
    }
    return ForwardingFileSystem::findFirst(pattern, mask);
  }

 private:
  std::string pattern_;
  std::vector<platform::DirectoryEntry> entries_;
};

class BenchmarkedTree : public TDirectoryOutline {
 public:
  using TDirectoryOutline::RebuildTree;
  using TDirectoryOutline::TDirectoryOutline;
};

enum class Order { Sorted, Reversed, Random };

// Mixed-case names, so that the default lower-case rule has work to do.
std::vector<platform::DirectoryEntry> Folders(int count, Order order) {
  std::vector<platform::DirectoryEntry> folders;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Dir%07d", i);
    folders.push_back({name, platform::attr::Directory});
  }
  if (order == Order::Reversed) std::reverse(folders.begin(), folders.end());
  if (order == Order::Random) std::shuffle(folders.begin(), folders.end(), std::mt19937(42));
  return folders;
}

void ExpandFolder(benchmark::State& state, Order order) {
  const int count = static_cast<int>(state.range(0));
  tarnsel::sim::SimulatedWindows windows;
  windows.addDrive('D');
  PreparedFolder files(windows, "d:\\*.*", Folders(count, order));
  QuietServices services;
  BenchmarkedTree tree(services, {files, windows, windows, windows});
  tree.BeginLoading();
  tree.setDrive('d');
  tree.Loaded();  // the tree shows the drive's root, not yet listed

  for (auto _ : state) {
    state.PauseTiming();
    tree.RebuildTree();  // discards the last listing
    state.ResumeTiming();
    tree.ItemAt(1).setExpanded(true);
  }

  const auto& root = tree.ItemAt(1);
  bool inOrder = root.ChildCount() == count && root.Child(0)->Text() == "dir0000000";
  for (int position = 1; inOrder && position < count; ++position) {
    inOrder = root.Child(position - 1)->Text() < root.Child(position)->Text();
  }
  if (!inOrder) state.SkipWithError("the level is not listed in order");
  state.SetItemsProcessed(state.iterations() * count);
  // Time per folder: flat while each placement costs the same at every size.
  state.counters["per_item"] = benchmark::Counter(
      count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(ExpandFolder, DirectoryOutline_sorted, Order::Sorted)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExpandFolder, DirectoryOutline_reversed, Order::Reversed)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExpandFolder, DirectoryOutline_random, Order::Random)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
