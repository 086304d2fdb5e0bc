// Listing a folder of many files in the file list model: one Reload (the search,
// each name placed at its sorted index) on the simulated platform, with no window
// attached. The names arrive in name order, as NTFS delivers them, or shuffled, as
// a hashed directory (ext4 under Wine) delivers them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "controls/FileListBox.h"
#include "platform/simulated/SimulatedWindows.h"
#include "support/FakeScreen.h"

namespace {

using tarnsel::controls::TFileListBox;
using tarnsel::test_support::FakeScreen;

enum class Order { Sorted, Random };

std::vector<std::string> FileNames(int count, Order order) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    char name[24];
    std::snprintf(name, sizeof name, "File%06d.dat", i);
    names.emplace_back(name);
  }
  if (order == Order::Random) std::shuffle(names.begin(), names.end(), std::mt19937(42));
  return names;
}

void ListFolder(benchmark::State& state, Order order) {
  const int count = static_cast<int>(state.range(0));
  tarnsel::sim::SimulatedWindows windows;
  for (const std::string& name : FileNames(count, order)) windows.addFile("C:\\many\\" + name);
  windows.setCurrentDirectory("C:\\many");
  FakeScreen screen;
  TFileListBox list(windows.platform(), screen);
  list.windowCreated();  // without a view the model lists as its own window

  for (auto _ : state) list.Reload();

  if (list.count() != count || list.entry(0).text != "File000000.dat") {
    state.SkipWithError("the folder is not listed whole and in order");
  }
  state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK_CAPTURE(ListFolder, FileListBox_sorted, Order::Sorted)
    ->RangeMultiplier(10)
    ->Range(1000, 10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ListFolder, FileListBox_random, Order::Random)
    ->RangeMultiplier(10)
    ->Range(1000, 10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
