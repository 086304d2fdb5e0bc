// TFileListBox: listing a folder through the platform's current directory,
// selection and its notifications, item height and drawing. Entering a typed path
// (ApplyPath and its helpers) lives in EnteredPath.cpp.
#include "controls/FileListBox.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/PathText.h"

namespace tarnsel::controls {

namespace attr = platform::attr;

namespace {

// Puts the screen cursor back when a listing ends, also when it is interrupted.
class ScreenCursorRestorer {
 public:
  explicit ScreenCursorRestorer(screen::ScreenServices& screen)
      : screen_(screen), saved_(screen.screenCursor()) {}
  ~ScreenCursorRestorer() { screen_.setScreenCursor(saved_); }
  ScreenCursorRestorer(const ScreenCursorRestorer&) = delete;
  ScreenCursorRestorer& operator=(const ScreenCursorRestorer&) = delete;

 private:
  screen::ScreenServices& screen_;
  screen::TCursor saved_;
};

// Brackets a listing for the view, also when the listing is interrupted.
class ListingInView {
 public:
  explicit ListingInView(FileListView* view) : view_(view) {
    if (view_ != nullptr) view_->listingStarted();
  }
  ~ListingInView() {
    if (view_ != nullptr) view_->listingEnded();
  }
  ListingInView(const ListingInView&) = delete;
  ListingInView& operator=(const ListingInView&) = delete;

 private:
  FileListView* view_;  // not owned
};

// The mask's patterns, one per ";"-separated part, empty parts kept. ";" lies
// below the trail-byte range of the double-byte code pages, so a byte split is safe.
std::vector<std::string> SplitMask(const std::string& mask) {
  std::vector<std::string> patterns;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = mask.find(';', start);
    patterns.push_back(mask.substr(start, end - start));
    if (end == std::string::npos) return patterns;
    start = end + 1;
  }
}

bool IsProgramName(const platform::CodePage& codePage, const std::string& name) {
  const std::size_t dot = platform::LastDelimiter(codePage, name, ".");
  if (dot == std::string::npos) return false;
  const std::string extension = platform::LowerCaseFileName(codePage, name.substr(dot));
  return extension == ".exe" || extension == ".com" || extension == ".bat" || extension == ".pif";
}

// The height an entry needs to show its picture with a pixel to spare.
int GlyphItemHeight() { return screen::SizeOf(screen::Picture::Executable).height + 1; }

}  // namespace

TFileType::TFileType(std::initializer_list<TFileAttr> members) {
  for (const TFileAttr member : members) bits_ |= bit(member);
}

std::uint32_t TFileType::attributeWord() const {
  std::uint32_t word = 0;
  if (contains(TFileAttr::ftReadOnly)) word |= attr::ReadOnly;
  if (contains(TFileAttr::ftHidden)) word |= attr::Hidden;
  if (contains(TFileAttr::ftSystem)) word |= attr::System;
  if (contains(TFileAttr::ftVolumeID)) word |= attr::VolumeId;
  if (contains(TFileAttr::ftDirectory)) word |= attr::Directory;
  if (contains(TFileAttr::ftArchive)) word |= attr::Archive;
  return word;
}

TFileListBox::TFileListBox(platform::Platform platform, screen::ScreenServices& screen)
    : platform_(platform), screen_(screen), directory_(platform.files.currentDirectory()) {
  FitItemHeight();
}

void TFileListBox::windowCreated() {
  hasWindow_ = true;
  Reload();
}

void TFileListBox::ensureWindow() {
  if (hasWindow_) return;
  // Without a view the model stands in for its window: it counts as created.
  if (view_ == nullptr) {
    windowCreated();
  } else {
    view_->ensureWindow();
  }
}

void TFileListBox::setDirectory(const std::string& path) {
  ensureWindow();  // applying reads the selection, which lives in the window
  ApplyPath(path);
}

std::string TFileListBox::FileName() {
  const std::string selected = SelectedName();
  if (selected.empty()) return "";
  return platform::JoinPath(platform_.codePage, directory_, selected);
}

void TFileListBox::setFileName(const std::string& path) {
  ensureWindow();
  ApplyPath(path);
}

void TFileListBox::setMask(const std::string& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  Reload();
}

void TFileListBox::setFileType(const TFileType& fileType) {
  if (fileType == fileType_) return;
  fileType_ = fileType;
  Reload();
}

void TFileListBox::setShowGlyphs(bool show) {
  if (show == showGlyphs_) return;
  showGlyphs_ = show;
  if (showGlyphs_ && itemHeight_ < GlyphItemHeight()) FitItemHeight();
  if (view_ != nullptr) view_->repaint();
}

void TFileListBox::setItemHeight(int height) {
  itemHeight_ = height;
  if (view_ != nullptr) view_->itemHeightChanged(height);
}

void TFileListBox::setFileEdit(screen::TextControl* edit) {
  fileEdit_ = edit;
  if (fileEdit_ != nullptr) fileEdit_->setText(editText());
}

void TFileListBox::fileEditDestroyed(screen::TextControl* edit) {
  if (fileEdit_ == edit) fileEdit_ = nullptr;
}

void TFileListBox::userSelected(int index) {
  // An index outside the list would make the selection name an entry that isn't there.
  itemIndex_ = index >= 0 && index < count() ? index : -1;
}

void TFileListBox::click() {
  if (OnClick) OnClick();
  if (itemIndex_ != lastSelection_) NotifyChange();
}

void TFileListBox::doubleClick() {
  if (OnDblClick) OnDblClick();
}

void TFileListBox::fontChanged() { FitItemHeight(); }

void TFileListBox::Reload() {
  if (!hasWindow_) return;
  const std::uint32_t word = fileType_.attributeWord();
  // Patterns are searched relative to the listed folder.
  if (const std::uint32_t code = platform_.files.setCurrentDirectory(directory_); code != 0) {
    throw EInOutError(code);
  }
  {
    ListingInView listing(view_);
    clearEntries();
    ScreenCursorRestorer cursor(screen_);
    int latest = -1;  // where the latest accepted entry went
    for (const std::string& pattern : SplitMask(mask_)) {
      if (pattern.empty()) continue;  // an empty pattern finds nothing
      const auto search = platform_.files.findFirst(pattern, word);
      if (search == nullptr) continue;
      do {
        const platform::DirectoryEntry& found = search->entry();
        if (fileType_.contains(TFileAttr::ftNormal) || (found.attributes & word) != 0) {
          latest = insertEntry(listEntryFor(found));
        }
        // A long listing shows the hourglass from its hundred-and-first entry on.
        if (latest == 100) screen_.setScreenCursor(screen::TCursor::crHourGlass);
      } while (search->next());
    }
  }
  NotifyChange();
}

std::string TFileListBox::SelectedName() const {
  if (itemIndex_ < 0 || itemIndex_ >= count()) return "";
  return entries_[itemIndex_].text;
}

void TFileListBox::SelectName(const std::string& name) {
  const platform::CodePage& codePage = platform_.codePage;
  if (platform::SameFileName(codePage, name, SelectedName())) return;
  // Like the list control's exact search from entry 0: it begins after that entry
  // and wraps around to it last.
  int found = -1;
  for (int step = 1; step <= count() && found < 0; ++step) {
    const int index = step % count();
    if (platform::SameFileName(codePage, entries_[index].text, name)) found = index;
  }
  itemIndex_ = found;
  if (view_ != nullptr) view_->selectionChanged(found);
  NotifyChange();
}

void TFileListBox::NotifyChange() {
  lastSelection_ = itemIndex_;
  if (fileEdit_ != nullptr) {
    fileEdit_->setText(editText());
    fileEdit_->selectAll();
  }
  if (OnChange) OnChange();
}

void TFileListBox::FitItemHeight() {
  int height = screen_.fontLineHeight();
  if (showGlyphs_ && height < GlyphItemHeight()) height = GlyphItemHeight();
  setItemHeight(height);
}

void TFileListBox::DrawItem(screen::Canvas& canvas, int index, const screen::Rect& rect) const {
  canvas.fillRect(rect);
  // The window asks for index -1 to paint the focus of an empty list: nothing to write.
  if (index < 0 || index >= count()) return;
  const FileListEntry& drawn = entries_[index];
  int offset = 2;
  if (showGlyphs_ && drawn.picture) {
    const screen::PictureSize size = screen::SizeOf(*drawn.picture);
    canvas.drawPicture(*drawn.picture, rect.left + 2, (rect.top + rect.bottom - size.height) / 2);
    offset = size.width + 6;
  }
  canvas.textOut(rect.left + offset, rect.top, drawn.text);
}

std::string TFileListBox::editText() const {
  std::string selected = SelectedName();
  return selected.empty() ? mask_ : selected;
}

void TFileListBox::clearEntries() {
  const bool hadSelection = itemIndex_ != -1;
  entries_.clear();
  itemIndex_ = -1;
  if (view_ == nullptr) return;
  view_->entriesCleared();
  if (hadSelection) view_->selectionChanged(-1);
}

FileListEntry TFileListBox::listEntryFor(const platform::DirectoryEntry& found) const {
  if ((found.attributes & attr::Directory) != 0) {
    FileListEntry folder{"[" + found.name + "]", std::nullopt};
    if (showGlyphs_) folder.picture = screen::Picture::ClosedFolder;
    return folder;
  }
  // Files get their picture whatever ShowGlyphs says, so turning glyphs on later shows them.
  const bool program = IsProgramName(platform_.codePage, found.name);
  return {found.name, program ? screen::Picture::Executable : screen::Picture::UnknownFile};
}

int TFileListBox::insertEntry(FileListEntry listed) {
  const platform::CodePage& codePage = platform_.codePage;
  // After any equal texts, as the sorted list control inserts.
  const auto place = std::upper_bound(entries_.begin(), entries_.end(), listed.text,
                                      [&](const std::string& text, const FileListEntry& entry) {
                                        return codePage.listCompare(text, entry.text) < 0;
                                      });
  const int index = static_cast<int>(place - entries_.begin());
  entries_.insert(place, std::move(listed));
  if (view_ != nullptr) view_->entryInserted(index);
  return index;
}

}  // namespace tarnsel::controls
