// TDirectoryOutline: the folders of one drive as an outline tree. The top-level
// item is the drive's root, every item below it one folder name; a folder's
// sub-folders are read the first time its item is expanded. The model works
// through the platform's directory search and current directory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/Outline.h"
#include "platform/Platform.h"

namespace tarnsel::controls {

class TDirectoryOutline : public TCustomOutline {
 public:
  // The case of item texts and paths. The drive list has a text case of its own
  // without tcAsIs.
  enum class TTextCase : std::uint8_t { tcLowerCase, tcUpperCase, tcAsIs };

  // The form file's default for Options; a new tree starts with ooDrawFocusRect
  // alone, so form files always store it.
  static constexpr unsigned StoredOptionsDefault = ooDrawFocusRect | ooStretchBitmaps;

  // The leaf picture is the closed folder's; no items, no drive, no folder yet.
  TDirectoryOutline(OutlineServices& services, platform::Platform platform);

  // The drive letter as last assigned, in the case of that assignment; 0 unset.
  char Drive() const { return drive_; }
  // Another drive letter makes that drive's root the current directory and the
  // tree shows that drive alone. Raises EInOutError when the root cannot be
  // entered; the new letter stays stored then.
  void setDrive(char letter);
  // Full path of the current folder after the case rule; a drive root keeps its
  // backslash.
  const std::string& Directory() const { return directory_; }
  // Makes the folder the current directory and raises OnChange. Raises
  // EInOutError when it cannot be entered; the new path stays stored then.
  void setDirectory(const std::string& path);
  TTextCase TextCase() const { return textCase_; }
  // Applies the new case rule to the next rebuild, which runs at once.
  void setTextCase(TTextCase textCase);

  // Whether the form file writes Options and TextCase.
  bool OptionsStored() const { return Options() != StoredOptionsDefault; }
  bool TextCaseStored() const { return textCase_ != TTextCase::tcLowerCase; }

  std::function<void()> OnChange;

  // The clicked item's folder becomes Directory.
  void Click() override;
  // Builds the tree down to Directory, which then is selected.
  void Loaded() override;
  // The folder picker's first build at program start: Loaded, but a start folder
  // that the walk cannot reach (a hidden or dot folder on its way, a short name)
  // opens the tree at its drive's root, selected and reported, instead of ending
  // the program. Raises EOutlineError only when Directory names no drive.
  void LoadedOrDriveRoot();
  // Takes Drive and Directory from the start folder (the current directory, or the
  // system's drive root off a network path) if no drive is set.
  void windowCreated() override;

 protected:
  // Reads the sub-folders of the item at `index` into it, in ordinal order, and
  // marks the item listed, also when the folder cannot be read.
  virtual void LoadFolderLevel(int index);
  // Discards every item, adds the drive's root, walks down to Directory and
  // notifies.
  virtual void RebuildTree();
  virtual void NotifyChange();
  // A folder's first expansion reads its sub-folders.
  void NotifyExpand(int index) override;

 private:
  using CaseFunction = std::string (*)(const platform::CodePage&, std::string_view);

  void SelectCaseRule();
  std::string ApplyTextCase(const std::string& text) const;
  // The position among the node's children at which `name` goes: before the
  // first child whose text is not below it, ChildCount() after them all.
  // `inOrder`: every child was placed by this search, so they stand in order.
  int SortedChildPosition(const TOutlineNode& node, const std::string& name, bool inOrder) const;
  // Expands the items along `path` and selects the last one. False when a
  // handler rebuilt the tree during an expansion on the way: the walk stopped.
  bool WalkToFolder(const std::string& path);
  // The item's folder path: its FullPath without the doubled backslash after the
  // drive root's own.
  std::string FolderPath(const TOutlineNode& node) const;
  void takeCurrentDirectory();

  platform::Platform platform_;
  char drive_ = 0;
  std::string directory_;
  TTextCase textCase_ = TTextCase::tcLowerCase;
  CaseFunction caseFunction_ = nullptr;
};

}  // namespace tarnsel::controls
