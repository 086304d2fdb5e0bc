// The drive list model on the simulated Windows: its entries, pictures and texts
// by drive kind and case, the selected drive, item height and drawing.
#include "controls/DriveComboBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/simulated/SimulatedWindows.h"
#include "support/FakeScreen.h"
#include "support/RecordingCanvas.h"

namespace tarnsel::controls {
namespace {

using enum TDriveComboBox::TTextCase;
using Texts = std::vector<std::string>;
using test_support::FakeScreen;
using test_support::RecordingCanvas;

// The simulated drives with a log of every query and the error mode it ran in;
// it can report extra drive bits and make label queries throw.
class RecordingDrives : public platform::Drives {
 public:
  explicit RecordingDrives(sim::SimulatedWindows& windows) : windows_(windows) {}
  std::uint32_t logicalDrives() override { return windows_.logicalDrives() | extraBits; }
  std::uint32_t driveType(const std::string& rootPath) override {
    calls.push_back("type " + rootPath);
    return windows_.driveType(rootPath);
  }
  std::optional<std::string> volumeLabel(const std::string& rootPath) override {
    calls.push_back("label " + rootPath + " mode " + std::to_string(windows_.errorMode()));
    if (labelsThrow) throw std::runtime_error("device removed");
    return windows_.volumeLabel(rootPath);
  }
  std::optional<std::string> networkConnection(const std::string& localName) override {
    calls.push_back("net " + localName);
    return windows_.networkConnection(localName);
  }
  std::uint32_t setErrorMode(std::uint32_t mode) override { return windows_.setErrorMode(mode); }

  std::uint32_t extraBits = 0;
  bool labelsThrow = false;
  Texts calls;

 private:
  sim::SimulatedWindows& windows_;
};

// A drive of GetDriveType kind `type`.
sim::DriveSettings Kind(std::uint32_t type, std::string label,
                        std::optional<std::string> networkName = std::nullopt, bool ready = true) {
  sim::DriveSettings settings;
  settings.type = type;
  settings.label = std::move(label);
  settings.networkName = std::move(networkName);
  settings.ready = ready;
  return settings;
}

class FakeView : public DriveListView {
 public:
  void entriesCleared() override { events.push_back("cleared"); }
  void entryAdded(int index) override { events.push_back("add " + box->entry(index).text); }
  void selectionChanged(int index) override { events.push_back("select " + std::to_string(index)); }
  void recreateWindow() override {
    ++recreations;
    box->windowDestroyed();
    box->windowCreated();
  }

  TDriveComboBox* box = nullptr;
  Texts events;
  int recreations = 0;
};

class DriveList : public ::testing::Test {
 protected:
  DriveList() : drives(windows) {
    windows.addFolder("C:\\work");
    windows.setCurrentDirectory("C:\\work");
    makeBox(windows);
  }

  void makeBox(platform::FileSystem& files) {
    box = std::make_unique<TDriveComboBox>(platform::Platform{files, windows, drives, windows},
                                           screen);
    view.box = box.get();
    box->setView(&view);
    box->OnChange = [this] { changes.push_back(box->Drive()); };
  }

  // One drive of each listed kind, and two kinds that are not listed.
  void addEveryKindOfDrive() {
    windows.addDrive('A', Kind(2, "BOOT"));
    windows.addDrive('C', Kind(3, "System"));
    windows.addDrive('D', Kind(5, "Movies"));
    windows.addDrive('F', Kind(4, "Share", "\\\\Server\\Public"));
    windows.addDrive('G', Kind(0, "Unknown"));
    windows.addDrive('H', Kind(1, "NoRoot"));
    windows.addDrive('R', Kind(6, "RamDisk"));
  }

  Texts texts() const {
    Texts result;
    for (int i = 0; i < box->count(); ++i) result.push_back(box->entry(i).text);
    return result;
  }

  // The text shown for drive C: once the list is filled.
  std::string shownForC() {
    box->setTextCase(box->TextCase());
    return box->entry(0).text;
  }

  sim::SimulatedWindows windows;
  RecordingDrives drives;
  FakeScreen screen;
  FakeView view;
  std::unique_ptr<TDriveComboBox> box;
  std::vector<char> changes;  // Drive as each OnChange saw it
};

TEST_F(DriveList, ListsEachKindOfDriveWithItsPictureInLetterOrder) {
  addEveryKindOfDrive();
  box->windowCreated();
  EXPECT_EQ(texts(),
            (Texts{"a:", "c: [system]", "d: [movies]", "f: \\\\server\\public", "r: [ramdisk]"}));
  std::vector<screen::Picture> pictures;
  for (int i = 0; i < box->count(); ++i) pictures.push_back(box->entry(i).picture);
  EXPECT_EQ(pictures, (std::vector<screen::Picture>{screen::Picture::Floppy, screen::Picture::Hard, screen::Picture::CDROM,
                                            screen::Picture::Network, screen::Picture::RAM}));
  EXPECT_EQ(view.events.front(), "cleared");
  EXPECT_EQ(view.events.back(), "select 1");
}

TEST_F(DriveList, UpperCaseShowsLettersLabelsAndNetworkNamesInUpperCase) {
  addEveryKindOfDrive();
  box->setTextCase(tcUpperCase);
  EXPECT_EQ(texts(),
            (Texts{"A:", "C: [SYSTEM]", "D: [MOVIES]", "F: \\\\SERVER\\PUBLIC", "R: [RAMDISK]"}));
}

TEST_F(DriveList, LabelAndNetworkTextsTakeTheCaseOfTheLetterAskedFor) {
  addEveryKindOfDrive();
  ASSERT_EQ(box->TextCase(), tcLowerCase);
  EXPECT_EQ(box->VolumeLabelText('C'), "[SYSTEM]");
  EXPECT_EQ(box->NetworkNameText('F'), "\\\\SERVER\\PUBLIC");
  box->setTextCase(tcUpperCase);
  EXPECT_EQ(box->VolumeLabelText('c'), "[system]");
  EXPECT_EQ(box->NetworkNameText('f'), "\\\\server\\public");
}

TEST_F(DriveList, AsksTypesByLowerCaseRootAndNeverAsksARemovableDrivesMedium) {
  addEveryKindOfDrive();
  drives.extraBits = 0xFC000000;  // bits past z name no drive
  box->setTextCase(tcLowerCase);
  // No label query for a:, and labels asked with the entry's letter.
  EXPECT_EQ(drives.calls, (Texts{"type a:\\", "type c:\\", "label c:\\ mode 1", "type d:\\",
                                 "label d:\\ mode 1", "type f:\\", "net F:", "type g:\\",
                                 "type h:\\", "type r:\\", "label r:\\ mode 1"}));
  drives.calls.clear();
  box->setTextCase(tcUpperCase);
  EXPECT_EQ(drives.calls, (Texts{"type a:\\", "type c:\\", "label C:\\ mode 1", "type d:\\",
                                 "label D:\\ mode 1", "type f:\\", "net F:", "type g:\\",
                                 "type h:\\", "type r:\\", "label R:\\ mode 1"}));
}

TEST_F(DriveList, CdRomWithoutADiscShowsEmptyBrackets) {
  windows.addDrive('D', Kind(5, "Movies"));
  windows.setDriveReady('D', false);
  box->windowCreated();
  EXPECT_EQ(texts(), (Texts{"c: []", "d: []"}));
}

TEST_F(DriveList, ErrorModeFailsCriticalErrorsOnlyWhileALabelIsRead) {
  windows.addDrive('D', Kind(5, "Movies"));
  windows.setDriveReady('D', false);
  windows.setErrorMode(0x8000);
  box->windowCreated();
  EXPECT_EQ(drives.calls,
            (Texts{"type c:\\", "label c:\\ mode 1", "type d:\\", "label d:\\ mode 1"}));
  EXPECT_EQ(windows.errorMode(), 0x8000u) << "restored after a failed query";
  drives.labelsThrow = true;
  EXPECT_THROW(box->VolumeLabelText('c'), std::runtime_error);
  EXPECT_EQ(windows.errorMode(), 0x8000u) << "restored after a query that threw";
}

TEST_F(DriveList, LabelKeepsAmpersandsAndDoubleByteCharactersWhole) {
  // ア (0x83 0x41) and Ｂ (0x82 0x61): their second bytes look like "A" and "a".
  windows.addDrive('C', Kind(3, "Tom&Jerry\x83\x41\x82\x61"));
  EXPECT_EQ(shownForC(), "c: [tom&jerry\x83\x41\x82\x61]");
  box->setTextCase(tcUpperCase);
  EXPECT_EQ(shownForC(), "C: [TOM&JERRY\x83\x41\x82\x61]");
}

TEST_F(DriveList, SingleByteCodePageFoldsAccentedLetters) {
  windows.setCodePage(1252);
  windows.addDrive('C', Kind(3, "\xC9t\xE9"));  // Été
  EXPECT_EQ(shownForC(), "c: [\xE9t\xE9]");
  box->setTextCase(tcUpperCase);
  EXPECT_EQ(shownForC(), "C: [\xC9T\xC9]");
}

TEST_F(DriveList, NetworkDriveWithoutARemoteNameShowsItsLabel) {
  windows.addDrive('F', Kind(4, "Share"));
  windows.addDrive('N', Kind(4, "Gone", std::nullopt, false));
  box->windowCreated();
  EXPECT_EQ(texts(), (Texts{"c: []", "f: [share]", "n: []"}));
}

TEST_F(DriveList, DriveComesFromTheCurrentDirectoryAndTakesTheListsCaseAtCreation) {
  windows.addDrive('D');
  EXPECT_EQ(box->Drive(), 'C') << "as the platform reports it";
  EXPECT_EQ(box->count(), 0);
  box->windowCreated();
  EXPECT_EQ(box->Drive(), 'c');
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(changes, (std::vector<char>{'c'}));
}

TEST_F(DriveList, CurrentDirectoryOnAShareSelectsTheDriveOfTheSystemFolder) {
  windows.addDrive('D');
  windows.setSystemFolder("D:\\WINNT\\system32");
  windows.addShare("\\\\server\\share");
  windows.addFolder("\\\\server\\share\\kit");
  ASSERT_EQ(windows.setCurrentDirectory("\\\\server\\share\\kit"), 0u);
  makeBox(windows);
  EXPECT_EQ(box->Drive(), 'D') << "as the system names its folder";
  box->windowCreated();
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(changes, (std::vector<char>{'d'}));
}

TEST_F(DriveList, CurrentDirectoryOnAShareWithoutASystemFolderSelectsNothingButNotifies) {
  windows.setSystemFolder("");
  windows.addShare("\\\\server\\share");
  ASSERT_EQ(windows.setCurrentDirectory("\\\\server\\share"), 0u);
  makeBox(windows);
  EXPECT_EQ(box->Drive(), 0);
  box->windowCreated();
  EXPECT_EQ(box->count(), 1);
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(changes, (std::vector<char>{0}));
}

TEST_F(DriveList, DriveWriteSelectsTheEntryAndReadsBackInTheListsCase) {
  windows.addDrive('D');
  box->windowCreated();
  view.events.clear();
  box->setDrive('D');
  EXPECT_EQ(box->Drive(), 'd');
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(view.events, (Texts{"select 1"}));
  box->setDrive('d');
  box->setDrive('D');
  EXPECT_EQ(changes, (std::vector<char>{'c', 'd'})) << "the selected drive again: no notice";
  box->setTextCase(tcUpperCase);
  box->setDrive('c');
  EXPECT_EQ(box->Drive(), 'C');
}

TEST_F(DriveList, DriveWriteWithoutAnEntryKeepsTheSelectionButNotifies) {
  windows.addDrive('D');
  box->windowCreated();
  box->setDrive('Q');
  EXPECT_EQ(box->Drive(), 'q');
  EXPECT_EQ(box->ItemIndex(), 0);
  box->setDrive(0);
  EXPECT_EQ(box->Drive(), 0);
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(changes, (std::vector<char>{'c', 'q', 0}));
}

TEST_F(DriveList, NonLetterWriteIsNeverTakenForAnotherDrive) {
  windows.addDrive('Q');  // "1" shifted by 32 would read as "Q"
  box->windowCreated();
  box->setDrive('1');
  EXPECT_EQ(box->Drive(), '1');
  EXPECT_EQ(box->ItemIndex(), 0) << "c: stays selected";
  EXPECT_EQ(changes, (std::vector<char>{'c', '1'}));
}

TEST_F(DriveList, TextCaseWriteRefillsAndNotifiesEvenWhenUnchanged) {
  windows.addDrive('D', Kind(3, "Data"));
  box->windowCreated();
  view.events.clear();
  box->setTextCase(tcLowerCase);
  EXPECT_EQ(view.events, (Texts{"cleared", "add c: []", "add d: [data]", "select 0"}));
  box->setTextCase(tcUpperCase);
  EXPECT_EQ(texts(), (Texts{"C: []", "D: [DATA]"}));
  EXPECT_EQ(changes, (std::vector<char>{'c', 'c', 'C'}));
}

TEST_F(DriveList, PickingAnotherDriveNotifiesTwiceAndTheSameDriveOnce) {
  windows.addDrive('D');
  box->windowCreated();
  Texts notices;
  box->OnClick = [&] { notices.push_back("click"); };
  box->OnChange = [&] { notices.push_back(std::string("change ") + box->Drive()); };
  box->userPicked(1);
  EXPECT_EQ(notices, (Texts{"click", "change d", "change d"}));
  notices.clear();
  box->userPicked(1);
  EXPECT_EQ(notices, (Texts{"click", "change d"}));
  notices.clear();
  box->userPicked(7);
  EXPECT_EQ(box->ItemIndex(), -1) << "an index beyond the list selects nothing";
  EXPECT_EQ(notices, (Texts{"click", "change d"}));
}

TEST_F(DriveList, ItemHeightFitsTheFontButNeverBelowThePictures) {
  EXPECT_EQ(box->ItemHeight(), 13);
  screen.lineHeight = 8;
  box->fontChanged();
  EXPECT_EQ(box->ItemHeight(), 11);
  EXPECT_EQ(view.recreations, 0) << "no window to re-create yet";
  EXPECT_TRUE(changes.empty());
}

TEST_F(DriveList, ItemHeightChangeRecreatesTheWindowWhichRefillsAndNotifies) {
  box->windowCreated();
  box->setItemHeight(20);
  EXPECT_EQ(view.recreations, 1);
  screen.lineHeight = 16;
  box->fontChanged();
  EXPECT_EQ(box->ItemHeight(), 16);
  EXPECT_EQ(view.recreations, 2) << "one re-creation for a font change";
  box->setItemHeight(0);
  EXPECT_EQ(box->ItemHeight(), 16);
  EXPECT_EQ(view.recreations, 2);
  EXPECT_EQ(changes, (std::vector<char>{'c', 'c', 'c'}));
}

TEST_F(DriveList, DrawsThePictureCentredAndTheTextAfterItWithoutPrefixes) {
  windows.addDrive('C', Kind(3, "R&D"));
  box->windowCreated();
  RecordingCanvas canvas;
  box->DrawItem(canvas, 0, {4, 10, 200, 30});
  box->DrawItem(canvas, 0, {4, -20, 200, -4});
  box->DrawItem(canvas, -1, {0, 0, 200, 16});
  box->DrawItem(canvas, 1, {0, 0, 200, 16});
  // The brush and font stay the ones the window selected (#010203, #040506).
  EXPECT_EQ(canvas.calls,
            (Texts{"fill 4,10,200,30 #010203", "picture HARD 6,14",    // (40 - 11) / 2
                   "text 26,10,200,30 c: [r&d] in #040506",            // 4 + 16 + 6
                   "fill 4,-20,200,-4 #010203", "picture HARD 6,-17",  // truncated toward 0
                   "text 26,-20,200,-4 c: [r&d] in #040506",           //
                   "fill 0,0,200,16 #010203", "fill 0,0,200,16 #010203"}));
}

}  // namespace
}  // namespace tarnsel::controls
