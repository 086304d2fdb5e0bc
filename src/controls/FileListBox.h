// TFileListBox: the entries of one folder whose names match a mask and whose
// attributes match a set of kinds, in the sorted list's order. The model works
// through the platform's current directory; its window (the Win32 view, or a test
// double) is told what changed through FileListView.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "screen/Canvas.h"
#include "screen/ScreenServices.h"
#include "screen/TextControl.h"

namespace tarnsel::controls {

enum class TFileAttr {
  ftReadOnly,
  ftHidden,
  ftSystem,
  ftVolumeID,
  ftDirectory,
  ftArchive,
  ftNormal
};

// A set of TFileAttr.
class TFileType {
 public:
  TFileType() = default;
  TFileType(std::initializer_list<TFileAttr> members);
  bool contains(TFileAttr member) const { return (bits_ & bit(member)) != 0; }
  // The OR of the attribute bits of ftReadOnly..ftArchive; ftNormal adds nothing.
  std::uint32_t attributeWord() const;
  bool operator==(const TFileType&) const = default;

 private:
  static unsigned bit(TFileAttr member) { return 1u << static_cast<unsigned>(member); }
  unsigned bits_ = 0;
};

struct FileListEntry {
  std::string text;
  std::optional<screen::Picture> picture;
};

// What the model tells its window. `ensureWindow` must create the window when
// there is none and then call TFileListBox::windowCreated().
class FileListView {
 public:
  virtual ~FileListView() = default;
  virtual void ensureWindow() = 0;
  virtual void entriesCleared() = 0;
  virtual void entryInserted(int index) = 0;
  virtual void selectionChanged(int index) = 0;  // -1: none
  virtual void itemHeightChanged(int height) = 0;
  virtual void repaint() = 0;
  // A listing replaces every entry between these two calls (the second comes also
  // when the listing is interrupted); a window may hold back its repaints meanwhile.
  virtual void listingStarted() {}
  virtual void listingEnded() {}
};

// The result of SplitEnteredPath.
struct EnteredPath {
  char drive = 0;  // 0: none
  std::string folder;
  std::string file;
  bool operator==(const EnteredPath&) const = default;
};

class TFileListBox {
 public:
  // Takes `Directory` from the current directory and sets `ItemHeight`; lists nothing.
  TFileListBox(platform::Platform platform, screen::ScreenServices& screen);
  TFileListBox(const TFileListBox&) = delete;
  TFileListBox& operator=(const TFileListBox&) = delete;

  void setView(FileListView* view) { view_ = view; }

  // Window lifecycle, called by the view.
  void windowCreated();  // the first and every later creation lists again
  void windowDestroyed() { hasWindow_ = false; }
  bool hasWindow() const { return hasWindow_; }

  const std::string& Directory() const { return directory_; }
  void setDirectory(const std::string& path);  // ApplyPath
  std::string FileName();
  void setFileName(const std::string& path);  // ApplyPath
  const std::string& Mask() const { return mask_; }
  void setMask(const std::string& mask);
  const TFileType& FileType() const { return fileType_; }
  void setFileType(const TFileType& fileType);
  bool ShowGlyphs() const { return showGlyphs_; }
  void setShowGlyphs(bool show);
  int ItemHeight() const { return itemHeight_; }
  void setItemHeight(int height);
  screen::TextControl* FileEdit() const { return fileEdit_; }
  void setFileEdit(screen::TextControl* edit);
  // The linked edit control is being destroyed: drop the link.
  void fileEditDestroyed(screen::TextControl* edit);
  int LastSelection() const { return lastSelection_; }

  std::function<void()> OnChange;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

  // Items
  int count() const { return static_cast<int>(entries_.size()); }
  const FileListEntry& entry(int index) const { return entries_.at(index); }
  int ItemIndex() const { return itemIndex_; }
  // Selection made by the user in the window; no notification by itself.
  void userSelected(int index);
  // The user's click (mouse or keys) and double click, as the window reports them.
  void click();
  void doubleClick();
  void fontChanged();

  // Operations of the control.
  void Reload();
  void ApplyPath(const std::string& enteredPath);
  EnteredPath SplitEnteredPath(const std::string& text);
  void ChangeDirectory(const std::string& folder);
  std::string SelectedName() const;
  void SelectName(const std::string& name);
  void NotifyChange();
  void FitItemHeight();

  // Paints entry `index` in `rect` (the current brush holds the selection colours).
  void DrawItem(screen::Canvas& canvas, int index, const screen::Rect& rect) const;

 private:
  // Creates the window when there is none, so that the selection can be read.
  void ensureWindow();
  // What the linked edit shows: the selected name, or the mask when there is none.
  std::string editText() const;
  void clearEntries();
  FileListEntry listEntryFor(const platform::DirectoryEntry& found) const;
  // Inserts at the entry's sorted place and returns that index.
  int insertEntry(FileListEntry listed);

  platform::Platform platform_;
  screen::ScreenServices& screen_;
  FileListView* view_ = nullptr;  // not owned
  bool hasWindow_ = false;
  std::string directory_;
  std::string mask_ = "*.*";
  TFileType fileType_{TFileAttr::ftNormal};
  bool showGlyphs_ = false;
  int itemHeight_ = 0;
  screen::TextControl* fileEdit_ = nullptr;  // not owned
  int lastSelection_ = -1;
  std::vector<FileListEntry> entries_;
  int itemIndex_ = -1;
};

}  // namespace tarnsel::controls
