// Fuzz target: Directory and Drive writes on the directory tree, with clicks,
// expansions, key presses and case-rule changes between them, on the simulated
// machine under code page 932 or 1252. Paths mix drive letters, trailing and
// doubled backslashes, "..", long names and Shift-JIS names whose second byte is
// a backslash. After every step the tree's folders must exist, be sorted and
// unique under each item, and an accepted Directory must be where the current
// directory went. On some inputs the expansion, collapse or click handlers write
// Drive, Directory or TextCase, rebuilding the tree under the running operation.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/DirectoryOutline.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/FuzzWorld.h"
#include "fuzz/TextChecks.h"
#include "platform/PathText.h"
#include "unit/OutlineFakes.h"

namespace {

using namespace tarnsel;
using namespace tarnsel::controls;
using fuzzing::Check;
using TextCase = TDirectoryOutline::TTextCase;

// A folder path without its final separator, except a drive root's: the current
// directory at a share's root reads "\\server\share" while the share root's full
// path is "\\server\share\".
std::string WithoutFinalSeparator(const platform::CodePage& codePage, std::string path) {
  if (path.size() > 3 && platform::EndsWithCharacter(codePage, path, '\\')) path.pop_back();
  return path;
}

class Session {
 public:
  explicit Session(FuzzedDataProvider& input) : input_(input) {
    fuzzing::BuildWorld(windows_, fuzzing::CodePageFrom(input));
    fuzzing::EnterStartFolder(windows_, input);
    view_.outline = &tree_;
    tree_.setView(&view_);
    tree_.BeginLoading();
    tree_.setTextCase(anyTextCase());
    tree_.setItemHeight(14);
  }

  void run() {
    fuzzing::RunExpectingClearErrors([&] { tree_.Loaded(); });
    checkTree();
    for (int step = 0; step < 60 && input_.remaining_bytes() > 0; ++step) {
      this->step();
      checkTree();
    }
  }

 private:
  TextCase anyTextCase() {
    return input_.PickValueInArray(
        {TextCase::tcLowerCase, TextCase::tcUpperCase, TextCase::tcAsIs});
  }

  void step() {
    switch (input_.ConsumeIntegralInRange(0, 8)) {
      case 0:
      case 1:
      case 2:
        setDirectory(fuzzing::PathText(input_));
        break;
      case 3:
        fuzzing::RunExpectingClearErrors([&] {
          tree_.setDrive(input_.PickValueInArray({'C', 'd', 'E', 'q', 'c', '\x95', '1'}));
        });
        break;
      case 4:
        fuzzing::RunExpectingClearErrors([&] {
          const int row = input_.ConsumeIntegralInRange(-1, tree_.RowCount());
          tree_.MouseDown(row, input_.ConsumeBool());
          tree_.MouseUp();
        });
        break;
      case 5:
        fuzzing::RunExpectingClearErrors([&] {
          const int index = input_.ConsumeIntegralInRange(0, tree_.ItemCount());
          const bool expanded = input_.ConsumeBool();
          tree_.ItemAt(index).setExpanded(expanded);
        });
        break;
      case 6:
        fuzzing::RunExpectingClearErrors([&] { tree_.setTextCase(anyTextCase()); });
        break;
      case 8:
        attachRebuildingHandlers();
        break;
      default:
        fuzzing::RunExpectingClearErrors([&] {
          const OutlineKey key = input_.PickValueInArray(
              {OutlineKey::Enter, OutlineKey::Left, OutlineKey::Right, OutlineKey::Up,
               OutlineKey::Down, OutlineKey::End, OutlineKey::Multiply});
          tree_.KeyDown(key, input_.ConsumeBool());
          tree_.KeyPress(input_.PickValueInArray({'+', '-', '*', ' '}));
        });
        break;
    }
  }

  // The handlers of the notifications that the bits name write a property that
  // rebuilds the tree, on every `every`-th such notification; their errors go
  // through the operation that raised the notification, as in the application.
  void attachRebuildingHandlers() {
    const int notifications = input_.ConsumeIntegralInRange(0, 7);
    const int every = input_.ConsumeIntegralInRange(1, 3);
    const int property = input_.ConsumeIntegralInRange(0, 2);
    const char letter = input_.PickValueInArray({'C', 'd', 'E', 'q'});
    const std::string path = fuzzing::PathText(input_);
    const TextCase textCase = anyTextCase();
    auto rebuild = [this, every, property, letter, path, textCase] {
      if (++notifications_ % every != 0) return;
      if (property == 0) {
        tree_.setDrive(letter);
      } else if (property == 1) {
        tree_.setDirectory(path);
      } else {
        tree_.setTextCase(textCase);
      }
    };
    tree_.OnExpand = nullptr;
    tree_.OnCollapse = nullptr;
    tree_.OnClick = nullptr;
    if ((notifications & 1) != 0) tree_.OnExpand = [rebuild](int) { rebuild(); };
    if ((notifications & 2) != 0) tree_.OnCollapse = [rebuild](int) { rebuild(); };
    if ((notifications & 4) != 0) tree_.OnClick = rebuild;
  }

  void setDirectory(const std::string& path) {
    const platform::CodePage& codePage = windows_;
    const std::string before = tree_.Directory();
    if (!fuzzing::RunExpectingClearErrors([&] { tree_.setDirectory(path); })) return;
    // The same path again changes nothing, also when it is one a failed write
    // left stored: only a path that was taken must have been entered.
    if (platform::SameFileName(codePage, before, tree_.Directory())) return;
    Check(platform::FolderExists(windows_, tree_.Directory()), "the new Directory exists",
          tree_.Directory());
    const auto here = windows_.fullPathName(tree_.Directory());
    Check(here && platform::SameFileName(codePage, WithoutFinalSeparator(codePage, *here),
                                         windows_.currentDirectory()),
          "Directory is the current directory", tree_.Directory() + "|" + path);
  }

  // Checks the items below `item`, whose folder is `folder`.
  void checkChildren(TOutlineNode& item, const std::string& folder) {
    const platform::CodePage& codePage = windows_;
    for (int position = 0; position < item.ChildCount(); ++position) {
      TOutlineNode& child = *item.Child(position);
      const std::string path = platform::JoinPath(codePage, folder, child.Text());
      Check(!child.Text().empty() && child.Text()[0] != '.', "no dot folders", path);
      Check(platform::FolderExists(windows_, path), "every item is a folder", path);
      if (position > 0) {
        Check(item.Child(position - 1)->Text() < child.Text(), "children sorted and unique", path);
      }
      checkChildren(child, path);
    }
  }

  void checkTree() {
    const int count = tree_.ItemCount();
    if (count == 0) return;
    TOutlineNode& top = tree_.ItemAt(1);
    Check(top.Level() == 1 && top.Parent()->ChildCount() == 1, "one drive item", top.Text());
    checkChildren(top, top.Text());
    const int selected = tree_.SelectedIndex();
    Check(selected >= 1 && selected <= count, "a selection in range", tree_.Directory());
  }

  FuzzedDataProvider& input_;
  sim::SimulatedWindows windows_;
  outline_testing::FakeServices services_;
  outline_testing::FakeView view_;
  TDirectoryOutline tree_{services_, windows_.platform()};
  int notifications_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarnsel::fuzzing::RunSession<Session>(data, size);
}
