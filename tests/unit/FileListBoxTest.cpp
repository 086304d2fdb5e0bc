// The file list model on the simulated Windows: what it lists and in what order,
// entered paths, the hourglass, selection, the linked edit, item height and drawing.
#include "controls/FileListBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/simulated/SimulatedWindows.h"
#include "support/FakeScreen.h"
#include "support/RecordingCanvas.h"

namespace tarnsel::controls {
namespace {

namespace attr = platform::attr;
using enum TFileAttr;
using test_support::FakeScreen;
using test_support::RecordingCanvas;

const std::string hyo = "\x95\x5c";  // 表, second byte 0x5C

class FakeView : public FileListView {
 public:
  void ensureWindow() override {
    ++creations;
    box->windowCreated();
  }
  void entriesCleared() override { events.push_back("cleared"); }
  void entryInserted(int index) override { events.push_back("insert " + std::to_string(index)); }
  void selectionChanged(int index) override { events.push_back("select " + std::to_string(index)); }
  void itemHeightChanged(int height) override { heights.push_back(height); }
  void repaint() override { ++repaints; }
  void listingStarted() override { events.push_back("listing"); }
  void listingEnded() override { events.push_back("listed"); }

  TFileListBox* box = nullptr;
  int creations = 0;
  std::vector<std::string> events;
  std::vector<int> heights;
  int repaints = 0;
};

class FakeEdit : public screen::TextControl {
 public:
  void setText(const std::string& value) override { text = value; }
  void selectAll() override { ++selections; }
  std::string text;
  int selections = 0;
};

class FileList : public ::testing::Test {
 protected:
  FileList() {
    screen.cursor = tarnsel::screen::TCursor{7};  // some cursor of the caller's, to be given back
    windows.addFolder("C:\\start");
    windows.setCurrentDirectory("C:\\start");
    box = std::make_unique<TFileListBox>(windows.platform(), screen);
    view.box = box.get();
    box->setView(&view);
    box->OnChange = [this] { ++changes; };
    windows.onFindFirst = [this](const std::string& pattern) {
      searches.push_back(windows.currentDirectory() + ">" + pattern);
    };
  }

  // The source folder the launcher's main window lists.
  void addSourceFolder() {
    windows.addFile("C:\\src\\viewer.exe");
    windows.addFile("C:\\src\\Setup.exe");
    windows.addFile("C:\\src\\readme.txt");
    windows.addFile("C:\\src\\startup.htm");
    windows.addFile("C:\\src\\STARTUP.jpg");
    windows.addFile("C:\\src\\secret.exe", attr::Hidden | attr::Archive);
    windows.addFile("C:\\src\\kernel.exe", attr::System);
    windows.addFolder("C:\\src\\tools.exe");
    windows.addFolder("C:\\src\\startup.d");
    windows.addFolder("C:\\src\\data");
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (int i = 0; i < box->count(); ++i) result.push_back(box->entry(i).text);
    return result;
  }

  sim::SimulatedWindows windows;
  FakeScreen screen;
  FakeView view;
  std::unique_ptr<TFileListBox> box;
  std::vector<std::string> searches;
  int changes = 0;
};

using Texts = std::vector<std::string>;

TEST_F(FileList, ListsNothingUntilItsWindowExists) {
  windows.addFile("C:\\start\\a.txt");
  EXPECT_EQ(box->Directory(), "C:\\start");
  EXPECT_EQ(box->count(), 0);
  EXPECT_TRUE(searches.empty());
  box->setMask("*.txt");
  EXPECT_TRUE(searches.empty()) << "no window, no listing";
  box->windowCreated();
  EXPECT_EQ(texts(), Texts{"a.txt"});
  EXPECT_EQ(changes, 1);
}

TEST_F(FileList, DirectoryWriteBeforeTheWindowListsTheOldFolderFirst) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  EXPECT_EQ(view.creations, 1);
  EXPECT_EQ(searches, (Texts{"C:\\start>*.*", "C:\\src>*.*"}));
  EXPECT_EQ(box->Directory(), "C:\\src");
}

TEST_F(FileList, WithoutAViewADirectoryWriteStillLists) {
  addSourceFolder();
  TFileListBox alone(windows.platform(), screen);
  alone.setDirectory("C:\\src");
  EXPECT_TRUE(alone.hasWindow());
  EXPECT_EQ(alone.count(), 5);
}

TEST_F(FileList, ProgramsAndFoldersConfigurationListsFolderByItsBracketedText) {
  addSourceFolder();
  windows.addFile("C:\\src\\zeta.exe");
  box->setFileType({ftDirectory, ftNormal});
  box->setMask("*.exe");
  box->setDirectory("C:\\src");
  EXPECT_EQ(texts(), (Texts{"[tools.exe]", "Setup.exe", "viewer.exe", "zeta.exe"}))
      << "hidden and system programs stay out";
  EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(FileList, StartupConfigurationListsOnlyFiles) {
  addSourceFolder();
  box->setMask("startup*.*");
  box->setDirectory("C:\\src");
  EXPECT_EQ(texts(), (Texts{"startup.htm", "STARTUP.jpg"}));
}

TEST_F(FileList, SortsWithoutLetterCaseWhateverTheDeliveryOrder) {
  for (const char* name : {"b.txt", "C.txt", "_x.txt", "a.txt", "B1.txt"}) {
    windows.addFile(std::string("C:\\sort\\") + name);
  }
  box->setDirectory("C:\\sort");
  EXPECT_EQ(texts(), (Texts{"_x.txt", "a.txt", "b.txt", "B1.txt", "C.txt"}));
}

TEST_F(FileList, FoldersIncludingDotEntriesNeedTheDirectoryKind) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  EXPECT_EQ(texts(),
            (Texts{"readme.txt", "Setup.exe", "startup.htm", "STARTUP.jpg", "viewer.exe"}));
  box->setFileType({ftDirectory, ftNormal});
  EXPECT_EQ(texts(), (Texts{"[..]", "[.]", "[data]", "[startup.d]", "[tools.exe]", "readme.txt",
                            "Setup.exe", "startup.htm", "STARTUP.jpg", "viewer.exe"}));
  box->setFileType({ftDirectory});
  EXPECT_EQ(texts(), (Texts{"[..]", "[.]", "[data]", "[startup.d]", "[tools.exe]"}));
}

TEST_F(FileList, HiddenAndSystemEntriesNeedTheirKinds) {
  windows.addFile("C:\\k\\plain.txt");
  windows.addFile("C:\\k\\hidden.txt", attr::Hidden);
  windows.addFile("C:\\k\\system.txt", attr::System);
  windows.addFile("C:\\k\\locked.txt", attr::ReadOnly);
  windows.addFolder("C:\\k\\cache", attr::Directory | attr::Hidden);
  box->setDirectory("C:\\k");
  EXPECT_EQ(texts(), (Texts{"locked.txt", "plain.txt"}));
  box->setFileType({ftDirectory, ftNormal});
  EXPECT_EQ(texts(), (Texts{"[..]", "[.]", "locked.txt", "plain.txt"}));
  box->setFileType({ftHidden, ftNormal});
  EXPECT_EQ(texts(), (Texts{"hidden.txt", "locked.txt", "plain.txt"}));
  box->setFileType({ftDirectory, ftHidden, ftSystem, ftNormal});
  EXPECT_EQ(texts(), (Texts{"[..]", "[.]", "[cache]", "hidden.txt", "locked.txt", "plain.txt",
                            "system.txt"}));
  box->setFileType({ftReadOnly});
  EXPECT_EQ(texts(), Texts{"locked.txt"}) << "without ftNormal an entry must share a kind";
}

TEST_F(FileList, MaskPatternsAreSearchedOneByOne) {
  windows.addFile("C:\\m\\ab");
  windows.addFile("C:\\m\\ac");
  box->setDirectory("C:\\m");
  view.events.clear();
  box->setMask("a*;*b");
  EXPECT_EQ(texts(), (Texts{"ab", "ab", "ac"}));
  EXPECT_EQ(view.events,
            (Texts{"listing", "cleared", "insert 0", "insert 1", "insert 1", "listed"}))
      << "an equal text goes after the one already there";

  const int before = changes;
  searches.clear();
  box->setMask("");
  EXPECT_EQ(box->count(), 0);
  EXPECT_EQ(changes, before + 1) << "an empty listing still notifies";
  box->setMask("ab;");
  EXPECT_EQ(texts(), Texts{"ab"});
  EXPECT_EQ(searches, Texts{"C:\\m>ab"}) << "patterns are relative; empty ones find nothing";
}

TEST_F(FileList, RelistsOnlyWhenMaskOrFileTypeReallyChange) {
  box->setDirectory("C:\\start");
  searches.clear();
  box->setMask("*.*");
  box->setFileType({ftNormal});
  EXPECT_TRUE(searches.empty());
  box->setMask("*.*;");
  EXPECT_EQ(searches.size(), 1u);
}

TEST_F(FileList, PicturesComeFromTheKindAndTheExtension) {
  for (const char* name : {"a.EXE", "b.com", "c.Bat", "d.pif", "e.txt", "exe", "f.exe.txt"}) {
    windows.addFile(std::string("C:\\p\\") + name);
  }
  windows.addFolder("C:\\p\\sub");
  box->setFileType({ftDirectory, ftNormal});
  box->setMask("*.*;sub");
  box->setDirectory("C:\\p");
  std::vector<std::optional<screen::Picture>> pictures;
  for (int i = 0; i < box->count(); ++i) pictures.push_back(box->entry(i).picture);
  const auto exe = screen::Picture::Executable;
  const auto unknown = screen::Picture::UnknownFile;
  ASSERT_EQ(texts(), (Texts{"[..]", "[.]", "[sub]", "[sub]", "a.EXE", "b.com", "c.Bat", "d.pif",
                            "e.txt", "exe", "f.exe.txt"}));
  EXPECT_EQ(pictures, (std::vector<std::optional<screen::Picture>>{std::nullopt, std::nullopt, std::nullopt,
                                                           std::nullopt, exe, exe, exe, exe,
                                                           unknown, unknown, unknown}));

  box->setShowGlyphs(true);
  EXPECT_FALSE(box->entry(2).picture) << "entries keep what they got when listed";
  box->setMask("sub");
  EXPECT_EQ(box->entry(0).picture, screen::Picture::ClosedFolder);
}

TEST_F(FileList, HourglassShowsOnlyWhenAnEntryLandsAtPosition100) {
  for (int i = 100; i >= 0; --i) windows.addFile("C:\\many\\f" + std::to_string(1000 + i));
  box->setDirectory("C:\\many");
  EXPECT_EQ(box->count(), 101);
  EXPECT_EQ(screen.cursors, (std::vector{tarnsel::screen::TCursor{7}, tarnsel::screen::TCursor{7}})) << "each entry landed at the front";

  windows.remove("C:\\many");
  for (int i = 0; i <= 100; ++i) {
    windows.addFile("C:\\many\\f" + std::to_string(1000 + i), attr::ReadOnly);
  }
  windows.addFile("C:\\many\\skipped");
  screen.cursors.clear();
  box->setFileType({ftReadOnly});
  EXPECT_EQ(screen.cursors, (std::vector{tarnsel::screen::TCursor::crHourGlass, tarnsel::screen::TCursor::crHourGlass, tarnsel::screen::TCursor{7}}))
      << "a skipped entry leaves the latest position at 100; the old cursor comes back";
}

TEST_F(FileList, ListingThatFailsMidwayGivesTheCursorBack) {
  for (int i = 0; i <= 100; ++i) windows.addFile("C:\\many\\f" + std::to_string(1000 + i));
  box->setDirectory("C:\\many");
  windows.onFindFirst = [](const std::string& pattern) {
    if (pattern == "g*") throw std::runtime_error("search failed");
  };
  screen.cursors.clear();
  const int before = changes;
  EXPECT_THROW(box->setMask("f*;g*"), std::runtime_error);
  EXPECT_EQ(screen.cursors, (std::vector{tarnsel::screen::TCursor::crHourGlass, tarnsel::screen::TCursor{7}}));
  EXPECT_EQ(changes, before) << "an unfinished listing does not notify";
  EXPECT_EQ(view.events.back(), "listed") << "an unfinished listing still ends for the view";
}

TEST_F(FileList, ViewHearsTheListingEndBeforeTheChangeNotification) {
  windows.addFile("C:\\m\\ab");
  box->setDirectory("C:\\m");
  view.events.clear();
  box->OnChange = [this] { view.events.push_back("change"); };
  box->Reload();
  EXPECT_EQ(view.events, (Texts{"listing", "cleared", "insert 0", "listed", "change"}));
}

TEST_F(FileList, ListedFolderThatVanishedKeepsTheOldEntries) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  const Texts listed = texts();
  windows.setCurrentDirectory("C:\\start");
  windows.remove("C:\\src");
  try {
    box->setMask("*.txt");
    FAIL() << "listing a vanished folder must fail";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.code(), platform::error::FileNotFound);
  }
  EXPECT_EQ(texts(), listed);
}

TEST_F(FileList, DirectoryWriteThatChangesFolderLeavesCurrentDirectoryThere) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  EXPECT_EQ(windows.currentDirectory(), "C:\\src");
  box->setDirectory("[data]");
  EXPECT_EQ(box->Directory(), "C:\\src\\data");
  box->setDirectory("[..]");
  EXPECT_EQ(box->Directory(), "C:\\src");
  box->setDirectory("data");
  EXPECT_EQ(box->Directory(), "C:\\src\\data");
  EXPECT_EQ(windows.currentDirectory(), "C:\\src\\data");
}

TEST_F(FileList, DirectoryWriteNamingTheListedFolderReadsNothing) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  windows.setCurrentDirectory("C:\\start");
  searches.clear();
  box->setDirectory("c:\\SRC");
  EXPECT_TRUE(searches.empty());
  EXPECT_EQ(box->Directory(), "C:\\src");
  EXPECT_EQ(windows.currentDirectory(), "C:\\start");
}

TEST_F(FileList, DoubledBackslashOnAnotherDriveEntersTheFolder) {
  windows.addDrive('E');
  windows.addFile("E:\\viewer\\viewer.exe");
  windows.addFolder("C:\\work");
  windows.setCurrentDirectory("C:\\work");
  EXPECT_EQ(box->SplitEnteredPath("E:\\\\viewer"), (EnteredPath{'E', "\\viewer", ""}));
  EXPECT_EQ(windows.currentDirectory(), "C:\\work");

  box->setDirectory("E:\\\\viewer");
  EXPECT_EQ(box->Directory(), "E:\\viewer");
  EXPECT_EQ(texts(), Texts{"viewer.exe"});
}

TEST_F(FileList, PathToAFileSelectsItAndShowsItWhenTheMaskHidesIt) {
  addSourceFolder();
  box->setFileName("C:\\src\\readme.txt");
  EXPECT_EQ(box->Directory(), "C:\\src");
  EXPECT_EQ(box->SelectedName(), "readme.txt");
  EXPECT_EQ(box->FileName(), "C:\\src\\readme.txt");

  box->setMask("*.exe");
  box->setFileName("c:\\src\\README.TXT");
  EXPECT_EQ(box->Mask(), "README.TXT");
  EXPECT_EQ(texts(), Texts{"readme.txt"});
  EXPECT_EQ(box->ItemIndex(), 0);
}

TEST_F(FileList, FileInTheListedFolderIsFoundWhereverTheCurrentDirectoryWent) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  windows.setCurrentDirectory("C:\\start");
  box->setFileName("C:\\src\\viewer.exe");
  EXPECT_EQ(box->FileName(), "C:\\src\\viewer.exe");
}

TEST_F(FileList, WildcardInTheLastNameBecomesTheMask) {
  addSourceFolder();
  box->setDirectory("C:\\src\\*.tx?");
  EXPECT_EQ(box->Directory(), "C:\\src");
  EXPECT_EQ(box->Mask(), "*.tx?");
  EXPECT_EQ(texts(), Texts{"readme.txt"});
}

TEST_F(FileList, MissingFolderFailsAndChangesNothing) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  box->SelectName("viewer.exe");
  windows.setCurrentDirectory("C:\\start");
  const Texts listed = texts();
  for (const char* missing : {"C:\\src\\missing", "C:\\nowhere\\x", "[gone]"}) {
    try {
      box->setDirectory(missing);
      ADD_FAILURE() << missing << " was accepted";
    } catch (const EInOutError& error) {
      EXPECT_EQ(error.code(), 2u) << missing;
      EXPECT_STREQ(error.what(), "ファイルが見つかりません");
    }
    EXPECT_EQ(box->Directory(), "C:\\src");
    EXPECT_EQ(texts(), listed);
    EXPECT_EQ(box->SelectedName(), "viewer.exe");
    EXPECT_EQ(windows.currentDirectory(), "C:\\start") << missing;
  }
}

TEST_F(FileList, FailedChangeOfDirectoryLeavesTheListedFolderCurrent) {
  addSourceFolder();
  windows.denyAccess("C:\\src\\data");
  box->setDirectory("C:\\src");
  windows.setCurrentDirectory("C:\\start");
  try {
    box->ChangeDirectory("data");
    FAIL() << "a denied folder must not be entered";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.code(), platform::error::AccessDenied);
  }
  EXPECT_EQ(box->Directory(), "C:\\src");
  EXPECT_EQ(box->count(), 5);
  EXPECT_EQ(windows.currentDirectory(), "C:\\src");
}

TEST_F(FileList, EmptyPathDoesNothing) {
  box->setDirectory("C:\\start");
  searches.clear();
  const int before = changes;
  box->setDirectory("");
  box->setFileName("");
  EXPECT_TRUE(searches.empty());
  EXPECT_EQ(changes, before);
  EXPECT_EQ(box->Directory(), "C:\\start");
}

TEST_F(FileList, FolderEndingInABackslashTrailByteIsEnteredAndJoined) {
  windows.addFile("C:\\desk\\" + hyo + "\\inside.txt");
  EXPECT_EQ(box->SplitEnteredPath("C:\\desk\\" + hyo + "\\inside.txt"),
            (EnteredPath{'C', "\\desk\\" + hyo, "inside.txt"}));
  box->setDirectory("C:\\desk\\" + hyo);
  EXPECT_EQ(box->Directory(), "C:\\desk\\" + hyo);
  box->SelectName("inside.txt");
  EXPECT_EQ(box->FileName(), "C:\\desk\\" + hyo + "\\inside.txt");
  box->setDirectory("C:\\start");
  box->setFileName("C:\\desk\\" + hyo + "\\inside.txt");
  EXPECT_EQ(box->FileName(), "C:\\desk\\" + hyo + "\\inside.txt");
}

TEST_F(FileList, FileThatVanishesWhileListedIsAnInvalidName) {
  windows.addFile("C:\\" + hyo + "\\gone.txt");
  box->setDirectory("C:\\start");
  windows.onFindFirst = [this](const std::string&) { windows.remove("C:\\" + hyo + "\\gone.txt"); };
  try {
    box->setFileName("C:\\" + hyo + "\\gone.txt");
    FAIL() << "a file that is not there must not be accepted";
  } catch (const EInvalidOperation& error) {
    EXPECT_STREQ(error.what(), "不正なファイル名 - C:\\表\\gone.txt");
  }
}

TEST_F(FileList, SelectNameFindsALaterDuplicateFirstAndNotifiesOnlyOnChange) {
  windows.addFile("C:\\m\\ab");
  windows.addFile("C:\\m\\ac");
  box->setMask("a*;*b");
  box->setDirectory("C:\\m");
  const int before = changes;
  box->SelectName("AB");
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(box->LastSelection(), 1);
  box->SelectName("ab");
  EXPECT_EQ(changes, before + 1) << "the same name again changes nothing";
  box->SelectName("zz");
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->SelectedName(), "");
  EXPECT_EQ(view.events.back(), "select -1");
  EXPECT_EQ(changes, before + 2);
}

TEST_F(FileList, LinkedEditShowsTheSelectionOrTheMask) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  FakeEdit edit;
  box->setFileEdit(&edit);
  EXPECT_EQ(edit.text, "*.*");
  EXPECT_EQ(edit.selections, 0);
  box->SelectName("setup.exe");
  EXPECT_EQ(edit.text, "Setup.exe");
  EXPECT_EQ(edit.selections, 1);
  view.events.clear();
  box->setMask("*.txt");
  EXPECT_EQ(edit.text, "*.txt") << "listing again drops the selection";
  EXPECT_EQ(view.events[2], "select -1");

  FakeEdit other;
  box->fileEditDestroyed(&other);
  EXPECT_EQ(box->FileEdit(), &edit);
  box->fileEditDestroyed(&edit);
  EXPECT_EQ(box->FileEdit(), nullptr);
  box->SelectName("readme.txt");
  EXPECT_EQ(edit.text, "*.txt");
}

TEST_F(FileList, ClickNotifiesAfterOnClickOnlyWhenTheSelectionMoved) {
  addSourceFolder();
  box->setDirectory("C:\\src");
  std::vector<std::string> calls;
  box->OnClick = [&] { calls.push_back("click"); };
  box->OnDblClick = [&] { calls.push_back("double"); };
  box->OnChange = [&] { calls.push_back("change"); };
  box->userSelected(2);
  EXPECT_TRUE(calls.empty());
  box->click();
  box->click();
  box->doubleClick();
  EXPECT_EQ(calls, (Texts{"click", "change", "click", "double"}));
  EXPECT_EQ(box->SelectedName(), "startup.htm");
  box->userSelected(99);
  EXPECT_EQ(box->ItemIndex(), -1) << "an index beyond the list selects nothing";
  EXPECT_EQ(box->SelectedName(), "");
}

TEST_F(FileList, ItemHeightFitsTheFontAndLeavesRoomForGlyphs) {
  EXPECT_EQ(box->ItemHeight(), 13);
  box->setShowGlyphs(true);
  box->setShowGlyphs(true);
  EXPECT_EQ(box->ItemHeight(), 16);
  EXPECT_EQ(view.repaints, 1);
  screen.lineHeight = 20;
  box->fontChanged();
  EXPECT_EQ(box->ItemHeight(), 20);
  box->setShowGlyphs(false);
  screen.lineHeight = 12;
  box->fontChanged();
  EXPECT_EQ(view.heights, (std::vector<int>{16, 20, 12}));
}

TEST_F(FileList, DrawsThePictureCentredBeforeTheText) {
  addSourceFolder();
  box->setFileType({ftDirectory, ftNormal});
  box->setMask("*.exe");
  box->setDirectory("C:\\src");
  ASSERT_EQ(texts(), (Texts{"[tools.exe]", "Setup.exe", "viewer.exe"}));
  RecordingCanvas canvas;
  box->DrawItem(canvas, 1, {4, 10, 100, 30});
  box->setShowGlyphs(true);
  box->DrawItem(canvas, 1, {4, 10, 100, 30});
  box->DrawItem(canvas, 1, {4, -20, 100, -4});
  box->DrawItem(canvas, 0, {4, 0, 100, 16});
  box->DrawItem(canvas, -1, {0, 0, 100, 16});
  EXPECT_EQ(canvas.calls,
            (Texts{"fill 4,10,100,30 #010203", "textout 6,10 Setup.exe",  // no glyphs
                   "fill 4,10,100,30 #010203", "picture EXECUTABLE 6,12",
                   "textout 26,10 Setup.exe",  // (40 - 15) / 2
                   "fill 4,-20,100,-4 #010203", "picture EXECUTABLE 6,-19",
                   "textout 26,-20 Setup.exe",                            // rounds toward 0
                   "fill 4,0,100,16 #010203", "textout 6,0 [tools.exe]",  // listed without
                   "fill 0,0,100,16 #010203"}));
}

}  // namespace
}  // namespace tarnsel::controls
