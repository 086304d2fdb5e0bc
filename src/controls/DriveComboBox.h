// TDriveComboBox: the machine's drives as a drop-down list, each entry a picture
// for the kind of drive and the letter with its volume label or network name. The
// model asks the platform's drive queries; its window (the Win32 view, or a test
// double) is told what changed through DriveListView.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/FileListBox.h"
#include "platform/Platform.h"
#include "screen/Canvas.h"

namespace tarnsel::controls {

struct DriveEntry {
  std::string text;  // the letter, ":" and for most kinds a blank and the label
  screen::Picture picture;
};

// What the model tells its window.
class DriveListView {
 public:
  virtual ~DriveListView() = default;
  virtual void entriesCleared() = 0;             // nothing is selected then
  virtual void entryAdded(int index) = 0;        // at the end of the list
  virtual void selectionChanged(int index) = 0;  // -1: none
  // The item height changed while the window exists: destroy the window and create
  // it again, calling windowDestroyed() and then windowCreated().
  virtual void recreateWindow() = 0;
};

class TDriveComboBox {
 public:
  // The case of the drive letters and of the label and network texts. The
  // directory tree has a text case of its own that adds tcAsIs.
  enum class TTextCase { tcLowerCase, tcUpperCase };

  // Takes `Drive` from the current directory and sets `ItemHeight`; lists nothing.
  TDriveComboBox(platform::Platform platform, screen::ScreenServices& screen);
  TDriveComboBox(const TDriveComboBox&) = delete;
  TDriveComboBox& operator=(const TDriveComboBox&) = delete;

  void setView(DriveListView* view) { view_ = view; }

  // Window lifecycle, called by the view. Every creation fills the list, selects
  // the entry of `Drive` and raises OnChange.
  void windowCreated();
  void windowDestroyed() { hasWindow_ = false; }
  bool hasWindow() const { return hasWindow_; }

  // The selected drive letter; 0 for none.
  char Drive() const { return drive_; }
  void setDrive(char letter) { SelectDrive(letter); }
  TTextCase TextCase() const { return textCase_; }
  // Refills the list and selects `Drive` again, also when the case is unchanged.
  void setTextCase(TTextCase textCase);
  int ItemHeight() const { return itemHeight_; }
  // Re-creates the window when it exists; a height below 1 is ignored.
  void setItemHeight(int height);

  std::function<void()> OnChange;
  std::function<void()> OnClick;

  // Items
  int count() const { return static_cast<int>(entries_.size()); }
  const DriveEntry& entry(int index) const { return entries_.at(index); }
  int ItemIndex() const { return itemIndex_; }

  // A pick in the drop-down by mouse or keys: the click reaction, then the
  // change notification.
  void userPicked(int index);
  void click();
  void Change();
  void fontChanged() { FitItemHeight(); }

  // Operations of the control.
  void FillDriveList();
  void SelectDrive(char letter);
  std::string VolumeLabelText(char letter);
  std::string NetworkNameText(char letter);
  void FitItemHeight();

  // Paints entry `index` in `rect` (the current brush holds the selection colours).
  void DrawItem(screen::Canvas& canvas, int index, const screen::Rect& rect) const;

 private:
  void addEntry(DriveEntry added);
  void select(int index);
  // The label or remote name in the case of `letter`.
  std::string foldLikeLetter(char letter, const std::string& text) const;

  platform::Platform platform_;
  screen::ScreenServices& screen_;
  DriveListView* view_ = nullptr;  // not owned
  bool hasWindow_ = false;
  char drive_ = 0;
  TTextCase textCase_ = TTextCase::tcLowerCase;
  int itemHeight_ = 0;
  std::vector<DriveEntry> entries_;
  int itemIndex_ = -1;
};

}  // namespace tarnsel::controls
