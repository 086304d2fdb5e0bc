// Fuzz target: the file list's split of an entered path and ApplyPath, on the
// simulated machine under code page 932 or 1252. Checks that a split always
// returns to the current directory it started from, and that a path the list
// accepted leaves it listing an existing folder.
#include <cstdint>
#include <string>

#include "controls/FileListBox.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/FuzzWorld.h"
#include "fuzz/TextChecks.h"
#include "platform/PathText.h"
#include "support/FakeScreen.h"

namespace {

using namespace tarnsel;
using fuzzing::Check;

// A window that always exists and lists what the model inserts.
class View : public controls::FileListView {
 public:
  explicit View(controls::TFileListBox& box) : box_(box) {}
  void ensureWindow() override { box_.windowCreated(); }
  void entriesCleared() override {}
  void entryInserted(int) override {}
  void selectionChanged(int) override {}
  void itemHeightChanged(int) override {}
  void repaint() override {}

 private:
  controls::TFileListBox& box_;
};

// The list holds files of the listed folder, in the sorted list's order.
void CheckListing(sim::SimulatedWindows& windows, const controls::TFileListBox& box) {
  const platform::CodePage& codePage = windows;
  for (int index = 0; index < box.count(); ++index) {
    const std::string& text = box.entry(index).text;
    Check(windows.fileExists(platform::JoinPath(codePage, box.Directory(), text)),
          "a listed name is a file of the listed folder", text);
    if (index > 0) {
      Check(codePage.listCompare(box.entry(index - 1).text, text) <= 0, "the list is sorted", text);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  sim::SimulatedWindows windows;
  fuzzing::BuildWorld(windows, fuzzing::CodePageFrom(input));
  fuzzing::EnterStartFolder(windows, input);

  test_support::FakeScreen screen;
  controls::TFileListBox box(windows.platform(), screen);
  View view(box);
  box.setView(&view);
  if (input.ConsumeBool()) box.windowCreated();

  while (input.remaining_bytes() > 0) {
    const std::string text = fuzzing::PathText(input);
    if (input.ConsumeBool()) {
      const std::string started = windows.currentDirectory();
      fuzzing::RunExpectingClearErrors([&] { box.SplitEnteredPath(text); });
      Check(windows.currentDirectory() == started, "a split returns to where it started", text);
    } else {
      const bool accepted = fuzzing::RunExpectingClearErrors([&] { box.ApplyPath(text); });
      Check(!accepted || platform::FolderExists(windows, box.Directory()),
            "the listed folder exists", box.Directory());
      if (accepted) CheckListing(windows, box);
    }
  }
  return 0;
}
