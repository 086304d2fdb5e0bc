// The directory tree on the simulated Windows: building and opening it at the
// current directory, drive and case rules, stale drives, and clicks and expansions.
#include "controls/DirectoryOutline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "OutlineFakes.h"
#include "platform/Errors.h"
#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::controls {
namespace {

using namespace outline_testing;
using enum TDirectoryOutline::TTextCase;
using Texts = std::vector<std::string>;
namespace attr = platform::attr;

const std::string NotFound = "アウトライン インデックスが見つかりません";
const std::string InvalidSelection = "選択範囲が不正です";

// The message of the error of type E that `action` raises; "" when it raises none.
template <typename E>
std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& error) {
    return error.what();
  }
  return "";
}

class TestDirectoryOutline : public TDirectoryOutline {
 public:
  using TDirectoryOutline::LoadFolderLevel;
  using TDirectoryOutline::RowOfNode;
  using TDirectoryOutline::TDirectoryOutline;
};

class DirectoryOutline : public ::testing::Test {
 protected:
  DirectoryOutline() {
    // The simulation starts with C:\Users\user\Desktop.
    windows.addFolder("C:\\Windows\\System32");
    windows.addFile("C:\\readme.txt");
    view.outline = &tree;
    tree.setView(&view);
    tree.OnChange = [this] { changes.push_back(tree.Directory()); };
    windows.onFindFirst = [this](const std::string& pattern) { searches.push_back(pattern); };
  }

  // The end of loading as the form reader brings it about; the folder picker
  // ends it with LoadedOrDriveRoot.
  void load(bool asThePicker = false) {
    tree.BeginLoading();
    tree.setItemHeight(14);
    tree.setOptions(ooDrawFocusRect);
    tree.Picture(OutlinePicture::Leaf);  // the reader fills the stored picture in
    tree.ReadData(16);
    asThePicker ? tree.LoadedOrDriveRoot() : tree.Loaded();
  }
  // Loads with `folder` as the current directory and forgets what that did.
  void loadAt(const std::string& folder, TDirectoryOutline::TTextCase textCase = tcLowerCase) {
    ASSERT_EQ(windows.setCurrentDirectory(folder), 0u) << folder;
    tree.BeginLoading();
    tree.setTextCase(textCase);
    load();
    changes.clear();
    searches.clear();
  }

  // The index of the item with this text; the texts in a test are unique.
  int indexOf(const std::string& text) {
    for (int index = 1; index <= tree.ItemCount(); ++index) {
      if (tree.ItemAt(index).Text() == text) return index;
    }
    ADD_FAILURE() << "no item " << text;
    return -1;
  }
  TOutlineNode& item(const std::string& text) { return tree.ItemAt(indexOf(text)); }
  void expand(const std::string& text) { item(text).setExpanded(true); }
  void collapse(const std::string& text) { item(text).setExpanded(false); }
  // A mouse click on the item's row.
  void click(const std::string& text) {
    tree.MouseDown(tree.RowOfNode(item(text)), false);
    tree.MouseUp();
  }
  std::string items() { return Items(tree); }
  std::string selected() { return tree.ItemAt(tree.SelectedIndex()).Text(); }
  std::string children(const std::string& text) {
    TOutlineNode& node = item(text);
    std::string names;
    for (int position = 0; position < node.ChildCount(); ++position) {
      names += (position > 0 ? " " : "") + node.Child(position)->Text();
    }
    return names;
  }

  sim::SimulatedWindows windows;
  FakeServices services;
  FakeView view;
  TestDirectoryOutline tree{services, windows.platform()};
  Texts changes;
  Texts searches;
};

// Construction and the form file

TEST_F(DirectoryOutline, StartsEmptyWithClosedFolderAsLeafPictureThatFormFilesStore) {
  EXPECT_EQ(tree.Drive(), 0);
  EXPECT_EQ(tree.Directory(), "");
  EXPECT_EQ(tree.ItemCount(), 0);
  EXPECT_EQ(NameOf(*tree.Picture(OutlinePicture::Leaf)), "CLOSED");
  EXPECT_EQ(tree.WriteData(), 16) << "the leaf slot alone is user-set";
  EXPECT_EQ(tree.Options(), ooDrawFocusRect);
  EXPECT_TRUE(tree.OptionsStored());
  EXPECT_FALSE(tree.TextCaseStored());
  tree.setOptions(TDirectoryOutline::StoredOptionsDefault);
  EXPECT_FALSE(tree.OptionsStored());
}

// Window creation and the end of loading

TEST_F(DirectoryOutline, WindowCreationTakesDriveAndDirectoryFromCurrentDirectoryOnce) {
  ASSERT_EQ(windows.setCurrentDirectory("C:\\Users\\user"), 0u);
  tree.windowCreated();
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\users\\user");
  EXPECT_EQ(tree.ItemCount(), 0) << "at run time the end of loading builds the tree";
  EXPECT_TRUE(changes.empty());

  ASSERT_EQ(windows.setCurrentDirectory("C:\\Windows"), 0u);
  tree.windowDestroyed();
  tree.windowCreated();
  EXPECT_EQ(tree.Directory(), "c:\\users\\user") << "a drive is set already";
}

TEST_F(DirectoryOutline, WindowCreatedInTheDesignerBuildsTheTree) {
  tree.setDesigning(true);
  tree.windowCreated();
  EXPECT_EQ(items(), "c:\\");
  EXPECT_EQ(changes, Texts{"c:\\"});
}

TEST_F(DirectoryOutline, EndOfLoadingOpensTheTreeDownToTheCurrentDirectory) {
  ASSERT_EQ(windows.setCurrentDirectory("C:\\Users\\user\\Desktop"), 0u);
  load();
  EXPECT_EQ(items(), "c:\\ .users ..user ...desktop .windows");
  EXPECT_EQ(selected(), "desktop");
  EXPECT_TRUE(item("user").Expanded());
  EXPECT_FALSE(item("desktop").Expanded()) << "the last folder is selected, not expanded";
  EXPECT_FALSE(item("windows").Expanded());
  EXPECT_EQ(changes, Texts{"c:\\users\\user\\desktop"}) << "exactly one notification";
  EXPECT_TRUE(tree.hasWindow()) << "measuring the column made the window";
  EXPECT_EQ(tree.ItemHeight(), 14);
  EXPECT_EQ(NameOf(*tree.Picture(OutlinePicture::Leaf)), "CLOSED") << "the stored picture stays";
  EXPECT_EQ(windows.currentDirectory(), "C:\\Users\\user\\Desktop");
}

TEST_F(DirectoryOutline, EndOfLoadingWithoutWindowTakesTheCurrentDirectoryItself) {
  ASSERT_EQ(windows.setCurrentDirectory("C:\\Windows"), 0u);
  tree.setScrollBars(TScrollStyle::ssVertical);  // nothing is measured, no window made
  load();
  EXPECT_FALSE(tree.hasWindow());
  EXPECT_EQ(tree.Directory(), "c:\\windows");
  EXPECT_EQ(selected(), "windows");
  EXPECT_EQ(changes, Texts{"c:\\windows"});
}

TEST_F(DirectoryOutline, EndOfLoadingAtADriveRootSelectsTheUnexpandedDriveNode) {
  load();
  EXPECT_EQ(items(), "c:\\");
  EXPECT_EQ(tree.SelectedIndex(), 1);
  EXPECT_FALSE(tree.ItemAt(1).Expanded());
  EXPECT_TRUE(searches.empty()) << "nothing listed";
  EXPECT_EQ(changes, Texts{"c:\\"});
}

// Directory

TEST_F(DirectoryOutline, OnTheCurrentDriveOnlyTheRootMovesTheSelection) {
  loadAt("C:\\Users");
  tree.setDirectory("user\\");  // from the current directory; the backslash goes
  EXPECT_EQ(tree.Directory(), "c:\\users\\user");
  tree.setDirectory("C:\\Windows\\System32\\");
  EXPECT_EQ(tree.Directory(), "c:\\windows\\system32");
  EXPECT_EQ(windows.currentDirectory(), "c:\\windows\\system32");
  EXPECT_EQ(selected(), "users");
  EXPECT_FALSE(item("windows").Expanded());
  tree.setDirectory("C:\\");
  EXPECT_EQ(tree.Directory(), "c:\\") << "a drive root keeps its backslash";
  EXPECT_EQ(tree.SelectedIndex(), 1);
  EXPECT_EQ(changes, (Texts{"c:\\users\\user", "c:\\windows\\system32", "c:\\"}));
}

TEST_F(DirectoryOutline, FolderNameEndingInABackslashTrailByteKeepsIt) {
  const std::string so = "\x83\x5c";  // katakana so, whose trail byte is "\"
  windows.addFolder("C:\\" + so + "\\inner");
  loadAt("C:\\");
  tree.setDirectory("C:\\" + so);
  EXPECT_EQ(tree.Directory(), "c:\\" + so);
  expand("c:\\");
  expand(so);
  EXPECT_EQ(searches.back(), "c:\\" + so + "\\*.*");
  EXPECT_EQ(children(so), "inner");
}

TEST_F(DirectoryOutline, FolderDifferingOnlyInLetterCaseChangesNothing) {
  loadAt("C:\\Windows", tcAsIs);  // no folding that could make the two texts equal
  ASSERT_EQ(windows.setCurrentDirectory("C:\\Users"), 0u);
  tree.setDirectory("c:\\WINDOWS");
  EXPECT_EQ(tree.Directory(), "C:\\Windows");
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(windows.currentDirectory(), "C:\\Users") << "the current directory was not set";
}

TEST_F(DirectoryOutline, FolderThatCannotBeEnteredRaisesAndStaysStored) {
  loadAt("C:\\Users");
  EXPECT_EQ(ErrorOf<EInOutError>([&] { tree.setDirectory("C:\\Missing"); }),
            "ファイルが見つかりません");
  EXPECT_EQ(tree.Directory(), "c:\\missing");
  windows.addFolder("C:\\Locked");
  windows.denyAccess("C:\\Locked");
  EXPECT_EQ(ErrorOf<EInOutError>([&] { tree.setDirectory("C:\\Locked"); }),
            "ファイルへのアクセスが拒否されました");
  EXPECT_EQ(tree.Directory(), "c:\\locked");
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(windows.currentDirectory(), "C:\\Users");
}

TEST_F(DirectoryOutline, PathTooLongToExpandRaisesWithoutBeingStored) {
  loadAt("C:\\Users");
  EXPECT_EQ(ErrorOf<EInOutError>([&] { tree.setDirectory("C:\\" + std::string(300, 'x')); }),
            "I/O エラー (206)");
  EXPECT_EQ(tree.Directory(), "c:\\users");
  EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryOutline, FolderOnAnotherDriveRebuildsForThatDrivesRoot) {
  windows.addDrive('D');
  windows.addFolder("D:\\tools");
  loadAt("C:\\Users");
  tree.setDirectory("D:\\Tools");
  EXPECT_EQ(tree.Drive(), 'd');
  EXPECT_EQ(tree.Directory(), "d:\\") << "the drive change goes to the root";
  EXPECT_EQ(items(), "d:\\");
  EXPECT_EQ(changes, Texts{"d:\\"});
}

// Drive

TEST_F(DirectoryOutline, SameLetterInTheOtherCaseOrANonLetterIsIgnored) {
  loadAt("C:\\Users");
  for (const char letter : {'C', 'c', '1', '\\', ':', '\0'}) tree.setDrive(letter);
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\users");
  EXPECT_EQ(windows.currentDirectory(), "C:\\Users");
  EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryOutline, AnotherDriveShowsOnlyItsRootSelectedAndCollapsed) {
  windows.addDrive('D');
  windows.addFolder("D:\\tools");
  ASSERT_EQ(windows.setCurrentDirectory("D:\\tools"), 0u);  // D's own current directory
  loadAt("C:\\Users");
  tree.setDrive('D');
  EXPECT_EQ(tree.Drive(), 'D') << "held as assigned";
  EXPECT_EQ(tree.Directory(), "d:\\");
  EXPECT_EQ(windows.currentDirectory(), "D:\\");
  EXPECT_EQ(items(), "d:\\");
  EXPECT_EQ(tree.SelectedIndex(), 1);
  EXPECT_FALSE(tree.ItemAt(1).Expanded());
  EXPECT_EQ(changes, Texts{"d:\\"});
}

TEST_F(DirectoryOutline, DriveAssignedWhileLoadingIsNotBuiltYet) {
  windows.addDrive('D');
  tree.BeginLoading();
  tree.setDrive('d');
  EXPECT_EQ(tree.Directory(), "d:\\");
  EXPECT_EQ(tree.ItemCount(), 0);
  EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryOutline, DriveNotReadyRaisesAndAClickOnTheOldTreeReturnsToTheOldDrive) {
  windows.addDrive('E');
  windows.setDriveReady('E', false);
  loadAt("C:\\Users\\user");
  EXPECT_EQ(ErrorOf<EInOutError>([&] { tree.setDrive('e'); }), "I/O エラー (21)");
  EXPECT_EQ(tree.Drive(), 'e');
  EXPECT_EQ(tree.Directory(), "c:\\users\\user");
  EXPECT_EQ(items(), "c:\\ .users ..user .windows");
  EXPECT_TRUE(changes.empty());
  EXPECT_NO_THROW(tree.setDrive('E')) << "the same letter again is ignored";

  click("users");
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\") << "the rebuild goes to the root, not the clicked folder";
  EXPECT_EQ(items(), "c:\\");
  EXPECT_EQ(changes, Texts{"c:\\"});
}

// A click that a collapse, an expansion or a deletion raises on a tree left
// over from a drive that could not be entered rebuilds the items while the
// outline is still at work on them: it must stop touching the old ones.

TEST_F(DirectoryOutline, CollapseAroundTheSelectionOnAStaleDriveRebuildsForTheOldDrive) {
  windows.addDrive('E');
  windows.setDriveReady('E', false);
  loadAt("C:\\Users\\user");
  ASSERT_FALSE(ErrorOf<EInOutError>([&] { tree.setDrive('e'); }).empty());
  collapse("users");  // the row moves to "users" and clicks it
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\");
  EXPECT_EQ(items(), "c:\\");
  EXPECT_EQ(changes, Texts{"c:\\"});
}

TEST_F(DirectoryOutline, ExpandAllAboveTheSelectionOnAStaleDriveRebuildsForTheOldDrive) {
  windows.addFolder("C:\\Apps\\tool");
  windows.addDrive('E');
  windows.setDriveReady('E', false);
  loadAt("C:\\Users\\user");
  expand("apps");
  collapse("apps");
  tree.setDirectory("C:\\Windows");  // the selection stays on "user"
  ASSERT_FALSE(ErrorOf<EInOutError>([&] { tree.setDrive('e'); }).empty());
  tree.ExpandAll();  // "apps" opens above the selection, whose row moves and clicks
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\");
  EXPECT_EQ(items(), "c:\\");
}

TEST_F(DirectoryOutline, DeletingTheLastChildOnAStaleDriveRebuildsForTheOldDrive) {
  windows.addFolder("C:\\Zed");
  windows.addDrive('E');
  windows.setDriveReady('E', false);
  loadAt("C:\\Users\\user\\Desktop");
  tree.setSelectedIndex(indexOf("windows"));
  tree.setDirectory("C:\\Users");  // the selection stays on "windows"
  ASSERT_FALSE(ErrorOf<EInOutError>([&] { tree.setDrive('e'); }).empty());
  // "user" loses its last child and collapses; the selection's row moves up and clicks.
  tree.DeleteItem(indexOf("desktop"));
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\");
  EXPECT_EQ(items(), "c:\\");
}

TEST_F(DirectoryOutline, AddingAboveTheSelectionOnAStaleDriveRebuildsForTheOldDrive) {
  windows.addDrive('E');
  windows.setDriveReady('E', false);
  loadAt("C:\\Users\\user");
  tree.setSelectedIndex(indexOf("windows"));
  tree.setDirectory("C:\\Users");  // the selection stays on "windows"
  ASSERT_FALSE(ErrorOf<EInOutError>([&] { tree.setDrive('e'); }).empty());
  // A new child of the open "users" pushes the selection's row down; it clicks.
  EXPECT_EQ(tree.AppendChild(indexOf("users"), "extra"), 0) << "the new item went with the rest";
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\");
  EXPECT_EQ(items(), "c:\\");
}

// A handler that rebuilds the tree while a rebuild walks it or a level is
// listed: the interrupted work stops, and the handler's rebuild has notified.

class DirectoryOutlineRebuiltByHandlers : public DirectoryOutline {
 protected:
  DirectoryOutlineRebuiltByHandlers() {
    windows.addDrive('D');
    windows.addFolder("D:\\Data");
  }
  // Rebuilds the tree under upper case; the first expansion of its walk runs `write`.
  void rebuildWritingOnFirstExpansion(const std::function<void()>& write) {
    loadAt("C:\\Users\\user");
    tree.OnExpand = [write, done = false](int) mutable {
      if (!std::exchange(done, true)) write();
    };
    tree.setTextCase(tcUpperCase);
  }
};

TEST_F(DirectoryOutlineRebuiltByHandlers, DriveWrittenDuringTheWalkEndsIt) {
  rebuildWritingOnFirstExpansion([this] { tree.setDrive('d'); });
  EXPECT_EQ(items(), "D:\\");
  EXPECT_EQ(tree.Directory(), "D:\\");
  EXPECT_EQ(changes, Texts{"D:\\"}) << "the interrupted rebuild does not notify";
}

TEST_F(DirectoryOutlineRebuiltByHandlers, DirectoryOnAnotherDriveWrittenDuringTheWalkEndsIt) {
  rebuildWritingOnFirstExpansion([this] { tree.setDirectory("D:\\Data"); });
  EXPECT_EQ(tree.Drive(), 'D');
  EXPECT_EQ(items(), "D:\\");
  EXPECT_EQ(changes, Texts{"D:\\"});
}

TEST_F(DirectoryOutlineRebuiltByHandlers, TextCaseWrittenDuringTheWalkEndsIt) {
  rebuildWritingOnFirstExpansion([this] { tree.setTextCase(tcAsIs); });
  EXPECT_EQ(items(), "C:\\ .Users ..user .Windows");
  EXPECT_EQ(selected(), "user");
  EXPECT_EQ(changes, Texts{"C:\\Users\\user"});
}

TEST_F(DirectoryOutlineRebuiltByHandlers, ClickWhileAnOpenLevelIsListedEndsTheListing) {
  loadAt("C:\\Users\\user");
  tree.OnClick = [this, done = false]() mutable {
    if (!std::exchange(done, true)) tree.setDrive('d');
  };
  // Listing the open drive node again puts a row above the selected "user".
  tree.LoadFolderLevel(indexOf("c:\\"));
  EXPECT_EQ(items(), "d:\\");
  EXPECT_EQ(item("d:\\").ItemData(), 0) << "the new drive node is not marked listed";
  EXPECT_EQ(changes, Texts{"d:\\"});
}

// TextCase

TEST_F(DirectoryOutline, UpperCaseRebuildsWithUpperTextsAndKeepsTheStoredPath) {
  loadAt("C:\\Users\\user");
  tree.setTextCase(tcUpperCase);
  EXPECT_EQ(items(), "C:\\ .USERS ..USER .WINDOWS");
  EXPECT_EQ(selected(), "USER");
  EXPECT_EQ(tree.Drive(), 'c');
  EXPECT_EQ(tree.Directory(), "c:\\users\\user");
  EXPECT_EQ(changes, Texts{"c:\\users\\user"});
  tree.setTextCase(tcUpperCase);
  EXPECT_EQ(changes.size(), 1u) << "the same rule again changes nothing";
}

TEST_F(DirectoryOutline, UnderUpperCaseAClickedFolderIsStillReported) {
  loadAt("C:\\Users\\user");
  tree.setTextCase(tcUpperCase);
  click("WINDOWS");
  EXPECT_EQ(tree.Directory(), "C:\\WINDOWS");
  EXPECT_EQ(changes, (Texts{"c:\\users\\user", "C:\\WINDOWS"}));
  EXPECT_EQ(items(), "C:\\ .USERS ..USER .WINDOWS") << "the same drive is not rebuilt";
}

TEST_F(DirectoryOutline, AsIsTakesTheCurrentDirectoryUnconverted) {
  loadAt("C:\\Users\\user");
  tree.setTextCase(tcAsIs);
  EXPECT_EQ(tree.Drive(), 'C');
  EXPECT_EQ(tree.Directory(), "C:\\Users\\user");
  EXPECT_EQ(items(), "C:\\ .Users ..user .Windows");
  EXPECT_EQ(selected(), "user");
  EXPECT_EQ(changes, Texts{"C:\\Users\\user"});
}

// Listing a level

TEST_F(DirectoryOutline, ExpandingListsAFoldersSubFoldersOnlyOnceAndBeforeOnExpand) {
  loadAt("C:\\");
  Texts expandedWith;
  tree.OnExpand = [&](int index) { expandedWith.push_back(children(tree.ItemAt(index).Text())); };
  expand("c:\\");
  expand("users");
  EXPECT_EQ(searches, (Texts{"c:\\*.*", "c:\\users\\*.*"})) << "no doubled backslash";
  EXPECT_EQ(expandedWith, (Texts{"users windows", "user"}));
  EXPECT_EQ(item("users").ItemData(), 1);
  EXPECT_EQ(item("windows").ItemData(), 0);

  windows.addFolder("C:\\Users\\late");
  collapse("users");
  expand("users");
  EXPECT_EQ(searches.size(), 2u);
  EXPECT_EQ(children("users"), "user") << "folders made after the listing are not seen";
}

TEST_F(DirectoryOutline, AsIsOrdersByByteValueAndLowerCaseFoldsFirst) {
  windows.addFolder("C:\\p\\a");
  windows.addFolder("C:\\p\\B");
  loadAt("C:\\p", tcAsIs);
  expand("p");
  EXPECT_EQ(children("p"), "B a");
  tree.setTextCase(tcLowerCase);
  expand("p");
  EXPECT_EQ(children("p"), "a b");
}

TEST_F(DirectoryOutline, SubFoldersStandInOrdinalOrderWhateverOrderTheyArriveIn) {
  // Unsigned bytes: digits, upper case, "_", lower case, then Shift-JIS; a prefix first.
  const Texts sorted = {
      "1",       "ZZ", "Zed", "_x", "a", "a_",       "ab",       "abc",
      "b",       "b0", "m",   "mm", "z", "\x82\xa0", "\x83\x41", "\x83\x41\x83\x41",
      "\x88\x9f"};
  std::string expected;
  for (const std::string& name : sorted) expected += (expected.empty() ? "" : " ") + name;
  Texts shuffled = sorted;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  const std::vector<std::pair<std::string, Texts>> arrivals = {
      {"sorted", sorted},
      {"reversed", Texts(sorted.rbegin(), sorted.rend())},
      {"shuffled", shuffled}};
  for (const auto& [folder, order] : arrivals) {
    for (const std::string& name : order) windows.addFolder("C:\\" + folder + "\\" + name);
  }
  loadAt("C:\\", tcAsIs);
  expand("C:\\");
  for (const auto& [folder, order] : arrivals) {
    ASSERT_EQ(windows.listNames("C:\\" + folder), order) << "arrival order";
    expand(folder);
    EXPECT_EQ(children(folder), expected) << folder;
  }
}

TEST_F(DirectoryOutline, ListingBesideChildrenAddedByHandPlacesAsTheBinarySearchDoes) {
  // Items added to a folder before its listing may stand in any order; each
  // listed name still goes where a binary search over positions ends.
  windows.addFolder("C:\\p\\c");
  loadAt("C:\\", tcAsIs);
  expand("C:\\");
  for (const char* text : {"a", "y", "b", "y", "b", "y", "b", "z"}) {
    tree.AppendChild(indexOf("p"), text);
  }
  expand("p");
  EXPECT_EQ(children("p"), "a c y b y b y b z");
}

TEST_F(DirectoryOutline, ShiftJisTrailByteInTheLetterRangeKeepsItsCase) {
  windows.addFolder("C:\\p\\\x83\x41X");  // katakana A, whose trail byte is "A"
  loadAt("C:\\p");
  expand("p");
  EXPECT_EQ(children("p"), "\x83\x41x");
  tree.setTextCase(tcUpperCase);
  windows.addFolder("C:\\p\\\x83\x61y");  // its trail byte is "a"
  expand("P");
  EXPECT_EQ(children("P"), "\x83\x41X \x83\x61Y");
}

TEST_F(DirectoryOutline, HiddenSystemAndDotFoldersNeverAppear) {
  windows.addFolder("C:\\p\\hid", attr::Directory | attr::Hidden);
  windows.addFolder("C:\\p\\sys", attr::Directory | attr::System);
  windows.addFolder("C:\\p\\.git");
  windows.addFolder("C:\\p\\shown", attr::Directory | attr::ReadOnly | attr::Archive);
  windows.addFolder("C:\\q\\.cache");
  windows.addFolder("C:\\q\\hid", attr::Directory | attr::Hidden);
  loadAt("C:\\");
  expand("c:\\");
  expand("p");
  EXPECT_EQ(children("p"), "shown");
  expand("q");
  EXPECT_EQ(children("q"), "");
  EXPECT_EQ(item("q").ItemData(), 1);

  RecordingCanvas canvas;
  tree.DrawCell(canvas, tree.RowOfNode(item("q")), {0, 0, 200, 14});
  EXPECT_NE(std::find_if(canvas.calls.begin(), canvas.calls.end(),
                         [](const std::string& call) { return call.starts_with("bitmap CLOSED"); }),
            canvas.calls.end())
      << "an expanded folder without sub-folders keeps the closed-folder picture";
}

TEST_F(DirectoryOutline, UnreadableFolderShowsNothingAndIsNotReadAgain) {
  windows.addFolder("C:\\locked\\inside");
  windows.denyAccess("C:\\locked");
  loadAt("C:\\");
  expand("c:\\");
  searches.clear();
  expand("locked");
  EXPECT_EQ(children("locked"), "");
  EXPECT_EQ(item("locked").ItemData(), 1);
  collapse("locked");
  expand("locked");
  EXPECT_EQ(searches, Texts{"c:\\locked\\*.*"});
}

TEST_F(DirectoryOutline, ExpandAllKeysLeaveUnlistedFoldersAlone) {
  loadAt("C:\\Users\\user");
  collapse("c:\\");
  tree.KeyDown(OutlineKey::Multiply, true);
  EXPECT_TRUE(item("c:\\").Expanded());
  EXPECT_TRUE(item("users").Expanded());
  EXPECT_FALSE(item("user").Expanded()) << "listed as a child, never itself";
  EXPECT_FALSE(item("windows").Expanded());
  tree.setSelectedIndex(indexOf("windows"));
  tree.KeyPress('*');
  EXPECT_FALSE(item("windows").Expanded());
  EXPECT_TRUE(searches.empty());
}

// Clicks

TEST_F(DirectoryOutline, ClickingAFolderMakesItTheDirectoryAndTheCurrentDirectory) {
  loadAt("C:\\Users\\user");
  click("users");
  EXPECT_EQ(tree.Directory(), "c:\\users") << "no doubled backslash below the root";
  EXPECT_EQ(windows.currentDirectory(), "c:\\users");
  click("user");
  click("windows");
  click("c:\\");
  EXPECT_EQ(tree.Directory(), "c:\\");
  EXPECT_EQ(changes, (Texts{"c:\\users", "c:\\users\\user", "c:\\windows", "c:\\"}));
  click("c:\\");
  EXPECT_EQ(changes.size(), 4u) << "the folder that is the Directory already";
}

TEST_F(DirectoryOutline, ClickOnAnEmptyTreeChangesNothing) {
  tree.MouseDown(0, false);
  tree.MouseUp();
  EXPECT_EQ(tree.Directory(), "");
  EXPECT_TRUE(changes.empty());
}

// Walking to a folder the tree does not show

TEST_F(DirectoryOutline, WalkStopsWithAnOutlineErrorAtAMissingFolderThatHasMoreBelow) {
  windows.addFolder("C:\\hid\\inner");
  windows.addFolder("C:\\hid", attr::Directory | attr::Hidden);
  ASSERT_EQ(windows.setCurrentDirectory("C:\\hid\\inner"), 0u);
  EXPECT_EQ(ErrorOf<EOutlineError>([&] { load(); }), NotFound);
  EXPECT_EQ(items(), "c:\\ .users .windows") << "the nodes built so far stay";
  EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryOutline, WalkStopsWithAnOutlineErrorAtAMissingLastFolder) {
  windows.addFolder("C:\\.cache");
  ASSERT_EQ(windows.setCurrentDirectory("C:\\.cache"), 0u);
  EXPECT_EQ(ErrorOf<EOutlineError>([&] { load(); }), InvalidSelection);
  EXPECT_TRUE(changes.empty());
}

TEST_F(DirectoryOutline, PickerOpensAnUnreachableStartFolderAtItsDrivesRoot) {
  windows.addFolder("C:\\hid\\inner");
  windows.addFolder("C:\\hid", attr::Directory | attr::Hidden);
  ASSERT_EQ(windows.setCurrentDirectory("C:\\hid\\inner"), 0u);
  load(true);
  EXPECT_EQ(tree.Directory(), "c:\\");
  EXPECT_EQ(selected(), "c:\\");
  EXPECT_EQ(changes, Texts{"c:\\"}) << "the picker's path field follows";
  EXPECT_EQ(windows.currentDirectory(), "c:\\");
}

// Started from a network share

class DirectoryOutlineOnAShare : public DirectoryOutline {
 protected:
  DirectoryOutlineOnAShare() {
    windows.addDrive('D');
    windows.addFolder("D:\\WINNT\\system32");
    windows.addFolder("D:\\Apps");
    windows.setSystemFolder("D:\\WINNT\\system32");
    windows.addShare("\\\\server\\share");
    windows.addFolder("\\\\server\\share\\kit");
    EXPECT_EQ(windows.setCurrentDirectory("\\\\server\\share\\kit"), 0u);
  }
};

TEST_F(DirectoryOutlineOnAShare, PickerOpensAtTheRootOfTheSystemsDriveAndReportsIt) {
  load(true);
  EXPECT_EQ(tree.Drive(), 'd');
  EXPECT_EQ(tree.Directory(), "d:\\");
  EXPECT_EQ(items(), "d:\\") << "the drive node alone, not expanded";
  EXPECT_EQ(selected(), "d:\\");
  EXPECT_EQ(changes, Texts{"d:\\"});
  tree.setDrive('D');
  EXPECT_EQ(changes.size(), 1u) << "the drive list's same letter is ignored";
  expand("d:\\");
  EXPECT_EQ(children("d:\\"), "apps winnt");
}

TEST_F(DirectoryOutlineOnAShare, AsIsCaseTakesTheSystemsDriveRoot) {
  load(true);
  tree.setTextCase(tcAsIs);
  EXPECT_EQ(tree.Drive(), 'D');
  EXPECT_EQ(tree.Directory(), "D:\\");
  EXPECT_EQ(changes, (Texts{"d:\\", "D:\\"}));
}

TEST_F(DirectoryOutlineOnAShare, WithoutASystemFolderThePickersBuildStillFails) {
  windows.setSystemFolder("");
  EXPECT_THROW(load(true), EOutlineError) << "no drive to fall back on";
  EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace tarnsel::controls
