// TFileListBox: entering a typed path — splitting it into drive, folder and file,
// changing the listed folder, and selecting the file or taking it as the mask.
#include "controls/FileListBox.h"

#include <string>

#include "platform/Errors.h"
#include "platform/PathText.h"

namespace tarnsel::controls {

namespace {

// The drive part of a path: "X:" for a drive path, "\\server\share" for a UNC
// path (up to the separator after the share), otherwise empty.
std::string DrivePart(const platform::CodePage& codePage, const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    const std::size_t server = platform::FirstDelimiter(codePage, path, "\\", 2);
    if (server == std::string::npos) return path;
    const std::size_t share = platform::FirstDelimiter(codePage, path, "\\", server + 1);
    return share == std::string::npos ? path : path.substr(0, share);
  }
  return "";
}

// "*" and "?" lie below the trail-byte range, so a byte search cannot mistake a
// double-byte character for them.
bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

void EnterFolder(platform::FileSystem& files, const std::string& folder) {
  if (const std::uint32_t code = files.setCurrentDirectory(folder); code != 0) {
    throw EInOutError(code);
  }
}

// Returns to the current directory a split started from, whatever the split did,
// as long as that folder still exists.
class CurrentDirectoryRestorer {
 public:
  CurrentDirectoryRestorer(platform::FileSystem& files, std::string saved)
      : files_(files), saved_(std::move(saved)) {}
  ~CurrentDirectoryRestorer() {
    if (platform::FolderExists(files_, saved_)) files_.setCurrentDirectory(saved_);
  }
  CurrentDirectoryRestorer(const CurrentDirectoryRestorer&) = delete;
  CurrentDirectoryRestorer& operator=(const CurrentDirectoryRestorer&) = delete;

 private:
  platform::FileSystem& files_;
  std::string saved_;
};

}  // namespace

void TFileListBox::ApplyPath(const std::string& enteredPath) {
  const platform::CodePage& codePage = platform_.codePage;
  if (platform::SameFileName(codePage, FileName(), enteredPath) || enteredPath.empty()) return;
  const EnteredPath path = SplitEnteredPath(enteredPath);
  ChangeDirectory(path.drive != 0 ? std::string{path.drive, ':'} + path.folder : path.folder);
  if (HasWildcard(path.file)) {
    setMask(path.file);
    return;
  }
  if (path.file.empty()) return;
  SelectName(path.file);
  // Looked up in the listed folder: when the folder was already listed nothing
  // moved the current directory there, and it may stand elsewhere.
  if (!platform_.files.fileExists(platform::JoinPath(codePage, directory_, path.file))) {
    throw EInvalidOperation("不正なファイル名 - " + codePage.toUtf8(enteredPath));
  }
  if (SelectedName().empty()) {  // the mask hides the file: show just that file
    setMask(path.file);
    SelectName(path.file);
  }
}

EnteredPath TFileListBox::SplitEnteredPath(const std::string& text) {
  platform::FileSystem& files = platform_.files;
  const platform::CodePage& codePage = platform_.codePage;
  const std::string started = files.currentDirectory();

  EnteredPath result;
  result.drive = started.empty() ? 0 : started[0];
  std::string folder = text;
  std::string root;
  if (text.size() >= 2 && text.front() == '[' && platform::EndsWithCharacter(codePage, text, ']')) {
    folder = text.substr(1, text.size() - 2);  // a folder entry as the list shows it
  } else {
    root = DrivePart(codePage, folder);
    if (root.empty()) {
      root = DrivePart(codePage, started);
    } else {
      folder.erase(0, root.size());
    }
    result.drive = root.size() >= 2 && root[1] == ':' ? root[0] : 0;
  }

  const CurrentDirectoryRestorer restorer(files, started);
  if (platform::FolderExists(files, root)) EnterFolder(files, root);

  const std::size_t delimiter = platform::LastDelimiter(codePage, folder, "\\:");
  std::string file = delimiter == std::string::npos ? folder : folder.substr(delimiter + 1);
  if (folder.size() == file.size() + 1) {
    folder = "\\";
  } else if (folder.size() > file.size()) {
    folder.resize(folder.size() - file.size() - 1);
  } else {  // a bare name: it lies in the current folder of the drive
    const std::string current = files.currentDirectory();
    folder = current.substr(DrivePart(codePage, current).size());
    if (folder.empty()) folder = "\\";
  }
  if (!folder.empty()) EnterFolder(files, folder);

  if (!file.empty() && !HasWildcard(file) && !files.fileExists(file)) {
    EnterFolder(files, file);  // no such file: the name must be a folder
    folder = (folder == "\\" ? "" : folder) + "\\" + file;
    file.clear();
  }
  if (result.drive == 0) folder = root + folder;
  result.folder = std::move(folder);
  result.file = std::move(file);
  return result;
}

void TFileListBox::ChangeDirectory(const std::string& folder) {
  platform::FileSystem& files = platform_.files;
  if (platform::SameFileName(platform_.codePage, folder, directory_)) return;
  // A relative folder is taken from the listed one, wherever the current directory went.
  if (platform::FolderExists(files, directory_)) files.setCurrentDirectory(directory_);
  EnterFolder(files, folder);
  directory_ = files.currentDirectory();
  Reload();
}

}  // namespace tarnsel::controls
