// TDirectoryOutline: the drive and folder properties, the lazy listing of one
// folder level per first expansion, and the walk that opens the tree along a path.
#include "controls/DirectoryOutline.h"

#include <optional>

#include "controls/StartFolder.h"
#include "platform/Errors.h"
#include "platform/PathText.h"

namespace tarnsel::controls {

namespace attr = platform::attr;

namespace {

// ItemData of an item whose sub-folders have been read, found or not.
constexpr std::intptr_t Listed = 1;

char UpperLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Where FullPath joins a child to the drive root ("c:\" + "\" + "windows"). ':'
// and '\' are never a lead byte and ':' never a trail byte, so a byte search
// cannot match inside a double-byte character.
constexpr std::string_view DoubledRootSeparator = ":\\\\";

}  // namespace

TDirectoryOutline::TDirectoryOutline(OutlineServices& services, platform::Platform platform)
    : TCustomOutline(services), platform_(platform) {
  // Folders not yet read, or without sub-folders, show as closed folders.
  setPicture(OutlinePicture::Leaf, Picture(OutlinePicture::Closed));
  setOptions(ooDrawFocusRect);
  SelectCaseRule();
}

// Properties

void TDirectoryOutline::setDirectory(const std::string& path) {
  if (path.empty()) return;
  std::string newDirectory;
  if (path.ends_with(":\\")) {
    newDirectory = ApplyTextCase(path);
  } else {
    const std::optional<std::string> full = platform_.files.fullPathName(path);
    // Only a path beyond the 260-byte buffer fails to expand; it could not be
    // entered either, so nothing is stored.
    if (!full) throw EInOutError(platform::error::FilenameTooLong);
    newDirectory = ApplyTextCase(*full);
  }
  if (newDirectory.size() > 3 &&
      platform::EndsWithCharacter(platform_.codePage, newDirectory, '\\')) {
    newDirectory.pop_back();
  }
  if (platform::SameFileName(platform_.codePage, newDirectory, directory_)) return;

  directory_ = newDirectory;
  if (const std::uint32_t code = platform_.files.setCurrentDirectory(newDirectory); code != 0) {
    throw EInOutError(code);
  }
  // Letters that differ in case only name the same drive (the tree's texts may be
  // upper case while the stored letter is lower): no rebuild, and the change is
  // still reported.
  if (UpperLetter(newDirectory[0]) != UpperLetter(drive_)) {
    // The drive's rebuild walks and notifies.
    setDrive(newDirectory[0]);
    return;
  }
  // On the same drive only the root moves the selection.
  if (directory_.ends_with(":\\") && !WalkToFolder(newDirectory)) return;
  NotifyChange();
}

void TDirectoryOutline::setDrive(char letter) {
  const char upper = UpperLetter(letter);
  if (upper < 'A' || upper > 'Z') return;
  if (drive_ != 0 && UpperLetter(drive_) == upper) return;
  drive_ = letter;
  // The root itself, not the drive's remembered current directory.
  if (const std::uint32_t code = platform_.files.setCurrentDirectory({letter, ':', '\\'});
      code != 0) {
    throw EInOutError(code);
  }
  directory_ = ApplyTextCase(platform_.files.currentDirectory());
  if (!Loading()) RebuildTree();
}

void TDirectoryOutline::setTextCase(TTextCase textCase) {
  if (textCase == textCase_) return;
  textCase_ = textCase;
  SelectCaseRule();
  if (textCase_ == TTextCase::tcAsIs) {
    // The stored texts may have been folded; take them afresh as the system has them.
    const std::string current = StartFolder(platform_.files);
    drive_ = current.empty() ? 0 : current[0];
    directory_ = current;
  }
  if (!Loading()) RebuildTree();
}

// Lifecycle and input

void TDirectoryOutline::Click() {
  TCustomOutline::Click();
  // An empty tree selects nothing: its root has no path, which changes nothing.
  const int selected = SelectedIndex();
  setDirectory(selected > 0 ? FolderPath(ItemAt(selected)) : std::string());
}

void TDirectoryOutline::Loaded() {
  // The outline's steps measure the column and so create the window, which
  // takes Drive and Directory; without a window they are taken here.
  TCustomOutline::Loaded();
  if (drive_ == 0) takeCurrentDirectory();
  SelectCaseRule();
  RebuildTree();
}

void TDirectoryOutline::LoadedOrDriveRoot() {
  try {
    Loaded();
  } catch (const EOutlineError&) {
    const std::string root = platform::DriveRootOf(directory_);
    if (root.empty()) throw;
    setDirectory(root);
  }
}

void TDirectoryOutline::windowCreated() {
  TCustomOutline::windowCreated();
  if (drive_ == 0) takeCurrentDirectory();
  // At run time the end of loading and the setters build the tree.
  if (Designing() && !Loading()) RebuildTree();
}

void TDirectoryOutline::takeCurrentDirectory() {
  const std::string current = ApplyTextCase(StartFolder(platform_.files));
  drive_ = current.empty() ? 0 : current[0];
  directory_ = current;
}

void TDirectoryOutline::NotifyExpand(int index) {
  TOutlineNode& folder = ItemAt(index);
  if (folder.ItemData() != Listed) {
    const NodeGuard listing(folder);
    LoadFolderLevel(index);
    if (!listing.survived()) return;  // a click while listing rebuilt the tree
  }
  TCustomOutline::NotifyExpand(index);
}

void TDirectoryOutline::NotifyChange() {
  if (OnChange) OnChange();
}

// The tree

void TDirectoryOutline::RebuildTree() {
  ClearItems();
  AppendChild(0, ApplyTextCase({drive_, ':', '\\'}));
  // A rebuild that a handler ran during the walk has notified already.
  if (!WalkToFolder(directory_)) return;
  NotifyChange();
}

void TDirectoryOutline::LoadFolderLevel(int index) {
  TOutlineNode& folder = ItemAt(index);
  // Each new row may move the selection's row and click; the click's handler may
  // rebuild the tree, this folder with it.
  const NodeGuard listing(folder);
  std::string pattern = FolderPath(folder);
  if (!pattern.empty() && !platform::EndsWithCharacter(platform_.codePage, pattern, '\\')) {
    pattern += '\\';
  }
  pattern += "*.*";
  // The search passes over hidden, system and volume entries by itself.
  // Children that were there before the listing, or that a handler added during
  // it, may stand in any order; the search then probes as a plain binary search.
  int placed = 0;
  bool inOrder = true;
  if (const auto search = platform_.files.findFirst(pattern, attr::Directory)) {
    do {
      const platform::DirectoryEntry& found = search->entry();
      if ((found.attributes & attr::Directory) == 0) continue;
      // Also drops "." and ".." and every folder whose name begins with a dot.
      if (found.name.empty() || found.name[0] == '.') continue;
      const std::string name = ApplyTextCase(found.name);
      inOrder = inOrder && folder.ChildCount() == placed;
      // Placed by the node and a position among its children: the same insertion
      // as one before the index of the child found, or after the last child,
      // without looking that index up again.
      InsertChildAt(folder, SortedChildPosition(folder, name, inOrder), name);
      if (!listing.survived()) return;
      placed = folder.ChildCount();
    } while (search->next());
  }
  // An unreadable folder counts as read: it has no children and is not tried again.
  folder.setItemData(Listed);
}

int TDirectoryOutline::SortedChildPosition(const TOutlineNode& node, const std::string& name,
                                           bool inOrder) const {
  // std::string orders its bytes as unsigned char: the ordinal order the tree keeps.
  const int count = node.ChildCount();
  if (count == 0 || name <= node.Child(0)->Text()) return 0;
  if (name >= node.Child(count - 1)->Text()) return count;
  // Among ordered children the binary search below ends at the first child not
  // before the name; one descent of the children finds that child.
  if (inOrder) return node.ChildTextPartitionPoint(name);
  // Children that a handler added may stand in any order: a plain binary search
  // over positions, which holds also below children that have children.
  int lo = 0;
  int hi = count - 1;
  do {
    int mid = (lo + hi) / 2;
    if (mid == lo) ++mid;
    if (name > node.Child(mid)->Text()) {
      lo = mid;
    } else {
      hi = mid;
    }
  } while (lo < hi - 1);
  return hi;
}

bool TDirectoryOutline::WalkToFolder(const std::string& path) {
  const platform::CodePage& codePage = platform_.codePage;
  int current = 1;  // the drive's root
  std::string rest = ApplyTextCase(path);
  if (const std::size_t colon = platform::FirstDelimiter(codePage, rest, ":");
      colon != std::string::npos) {
    rest.erase(0, colon + 1);
  }
  if (rest.starts_with('\\')) rest.erase(0, 1);
  while (!rest.empty()) {
    std::string component;
    if (const std::size_t separator = platform::FirstDelimiter(codePage, rest, "\\");
        separator != std::string::npos) {
      component = rest.substr(0, separator);
      rest.erase(0, separator + 1);
    } else {
      component = std::move(rest);
      rest.clear();
    }
    // A component that was not found leaves -1, and the outline rejects it here
    // or in the selection below.
    TOutlineNode& node = ItemAt(current);
    const NodeGuard walking(node);
    node.setExpanded(true);
    // A handler of the expansion may have rebuilt the tree (a Drive, Directory or
    // TextCase write); that rebuild walked on its own.
    if (!walking.survived()) return false;
    current = -1;
    for (int position = 0; position < node.ChildCount(); ++position) {
      const TOutlineNode& child = *node.Child(position);
      if (child.Text() == component) {
        current = child.Index();
        break;
      }
    }
  }
  // A changed row raises the click, which assigns the walked-to folder again.
  setSelectedIndex(current);
  return true;
}

std::string TDirectoryOutline::FolderPath(const TOutlineNode& node) const {
  std::string path = node.FullPath();
  if (const std::size_t doubled = path.find(DoubledRootSeparator); doubled != std::string::npos) {
    path.erase(doubled + 2, 1);
  }
  return path;
}

// Case rule

void TDirectoryOutline::SelectCaseRule() {
  switch (textCase_) {
    case TTextCase::tcLowerCase:
      caseFunction_ = &platform::LowerCaseFileName;
      break;
    case TTextCase::tcUpperCase:
      caseFunction_ = &platform::UpperCaseFileName;
      break;
    case TTextCase::tcAsIs:
      caseFunction_ = nullptr;
      break;
  }
}

std::string TDirectoryOutline::ApplyTextCase(const std::string& text) const {
  return caseFunction_ != nullptr ? caseFunction_(platform_.codePage, text) : text;
}

}  // namespace tarnsel::controls
