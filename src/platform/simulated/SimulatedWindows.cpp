// Construction, the builders that lay out the simulated world, inspection, and
// the code page services.
#include "platform/simulated/SimulatedWindows.h"

#include <stdexcept>

#include "platform/simulated/PathSyntax.h"
#include "platform/simulated/Utf8Conversion.h"

namespace tarnsel::sim {

namespace attr = platform::attr;

namespace {

char upperLetter(char letter) {
  return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 0x20) : letter;
}

// True for a drive's root "C:\" and a share's root "\\server\share" with or
// without its separator.
bool isRoot(const AnsiCodePage& codePage, const std::string& fullPath) {
  const std::size_t root = rootLength(codePage, fullPath);
  return root != 0 && fullPath.size() <= root + 1;
}

// "C:\a\b" → ("C:\a", "b"); "C:\b" → ("C:\", "b"); "\\s\h\b" → ("\\s\h\", "b").
// A trailing separator is ignored.
std::pair<std::string, std::string> splitLastName(const AnsiCodePage& codePage,
                                                  std::string fullPath) {
  if (endsWithSeparator(codePage, fullPath) && !isRoot(codePage, fullPath)) fullPath.pop_back();
  const std::size_t separator = lastSeparator(codePage, fullPath);
  const bool belowRoot = separator == rootLength(codePage, fullPath);
  std::string folder = fullPath.substr(0, belowRoot ? separator + 1 : separator);
  return {std::move(folder), fullPath.substr(separator + 1)};
}

}  // namespace

SimulatedWindows::SimulatedWindows() {
  addDrive('C');
  addFolder(desktopFolder_);
}

platform::Platform SimulatedWindows::platform() { return {*this, *this, *this, *this}; }

void SimulatedWindows::addDrive(char letter, DriveSettings settings) {
  const char key = upperLetter(letter);
  if (key < 'A' || key > 'Z') throw std::invalid_argument("a drive letter must be A to Z");
  volumes_.drives[key].settings = std::move(settings);
}

void SimulatedWindows::setDriveReady(char letter, bool ready) {
  driveOf(letter).settings.ready = ready;
}

void SimulatedWindows::addShare(const std::string& root) {
  // Nothing may follow the share's name but one separator.
  const std::string normal = networkRoot(codePage_, root);
  const bool rootAlone = root.size() == normal.size() ||
                         (root.size() == normal.size() + 1 && endsWithSeparator(codePage_, root));
  if (normal.empty() || !rootAlone) {
    throw std::invalid_argument("a share root is \\\\server\\share: " + root);
  }
  if (findShare(volumes_.shares, codePage_, normal) != nullptr) return;
  Drive& share = volumes_.shares.emplace_back();
  share.settings.type = 4;  // what GetDriveType reports for a share
  share.root.name = normal;
}

void SimulatedWindows::addFolder(const std::string& path, std::uint32_t attributes) {
  const std::optional<std::string> full = expand(path);
  if (full && isRoot(codePage_, *full)) {
    Drive* volume = findVolume(*full);
    if (volume == nullptr) throw std::invalid_argument("no drive or share for " + path);
    volume->root.attributes = folderAttributeWord(attributes, false);
    return;
  }
  auto [folder, name] = builderPlace(path);
  if (Entry* existing = folder->child(codePage_, name)) {
    if (!existing->isFolder()) throw std::invalid_argument("a file is in the way: " + path);
    existing->attributes = folderAttributeWord(attributes, existing->isLink());
    return;
  }
  folder->add(makeEntry(name, folderAttributeWord(attributes, false)));
}

void SimulatedWindows::addFile(const std::string& path, std::uint32_t attributes,
                               std::string content, int lastWriteYear) {
  auto [folder, name] = builderPlace(path);
  Entry* file = folder->child(codePage_, name);
  if (file != nullptr && file->isFolder()) {
    throw std::invalid_argument("a folder is in the way: " + path);
  }
  if (file == nullptr) file = &folder->add(makeEntry(name));
  file->attributes = fileAttributeWord(attributes);
  file->content = std::move(content);
  file->lastWriteYear = lastWriteYear;
}

void SimulatedWindows::addRealNameFile(const std::string& folder, const std::string& utf8Name,
                                       std::uint32_t attributes, int lastWriteYear) {
  const Resolution place = resolve(folder, {.ignoreFaults = true});
  if (place.outcome != Outcome::Found || !place.entry->isFolder()) {
    throw std::invalid_argument("no folder to hold " + utf8Name);
  }
  if (place.entry->childByRealName(codePage_, utf8Name) != nullptr) {
    throw std::invalid_argument("an entry is in the way: " + utf8Name);
  }
  auto file = makeEntry(bestFitName(codePage_, utf8Name), fileAttributeWord(attributes));
  if (!holdsName(codePage_, utf8Name)) file->unicodeName = utf8Name;
  file->lastWriteYear = lastWriteYear;
  place.entry->add(std::move(file));
}

void SimulatedWindows::addLink(const std::string& path, const std::string& target) {
  addLinkEntry(path, target, attr::Directory | attr::ReparsePoint);
}

void SimulatedWindows::addFileLink(const std::string& path, const std::string& target) {
  addLinkEntry(path, target, attr::Archive | attr::ReparsePoint);
}

void SimulatedWindows::addLinkEntry(const std::string& path, const std::string& target,
                                    std::uint32_t attributes) {
  std::optional<std::string> fullTarget = expand(target);
  const bool onDrive = startsWithDrive(target) && target.size() >= 3 && isSeparator(target[2]);
  if (!(onDrive || networkRoot(codePage_, target).size() > 0) || !fullTarget) {
    throw std::invalid_argument("a link target must be an absolute path: " + target);
  }
  if (endsWithSeparator(codePage_, *fullTarget) && !isRoot(codePage_, *fullTarget)) {
    fullTarget->pop_back();
  }
  auto [folder, name] = builderPlace(path);
  if (folder->child(codePage_, name) != nullptr) {
    throw std::invalid_argument("an entry is in the way: " + path);
  }
  folder->add(makeEntry(name, attributes, std::move(*fullTarget)));
}

void SimulatedWindows::rename(const std::string& path, const std::string& newName) {
  const Resolution found = resolve(path, {.followFinalLink = false, .ignoreFaults = true});
  if (found.outcome != Outcome::Found || found.parent == nullptr) {
    throw std::invalid_argument("nothing to rename: " + path);
  }
  if (found.parent->child(codePage_, newName) != nullptr) {
    throw std::invalid_argument("the name is taken: " + newName);
  }
  found.entry->name = newName;
  found.entry->unicodeName.clear();
}

void SimulatedWindows::remove(const std::string& path) {
  const Resolution found = resolve(path, {.followFinalLink = false, .ignoreFaults = true});
  if (found.outcome != Outcome::Found) return;
  if (found.parent == nullptr) throw std::invalid_argument("a drive root cannot be removed");
  found.parent->removeChild(*found.entry);
}

void SimulatedWindows::denyAccess(const std::string& path) {
  const Resolution found = resolve(path, {.ignoreFaults = true});
  if (found.outcome != Outcome::Found || !found.entry->isFolder()) {
    throw std::invalid_argument("no folder to deny: " + path);
  }
  found.entry->accessDenied = true;
}

void SimulatedWindows::setModuleFileName(std::string path) { moduleFileName_ = std::move(path); }

void SimulatedWindows::setSystemFolder(std::string path) { systemFolder_ = std::move(path); }

void SimulatedWindows::setDesktopFolder(std::string path) { desktopFolder_ = std::move(path); }

void SimulatedWindows::setCodePage(unsigned codePage) { codePage_ = AnsiCodePage(codePage); }

bool SimulatedWindows::exists(const std::string& path) {
  return resolve(path, {.ignoreFaults = true}).outcome == Outcome::Found;
}

std::string SimulatedWindows::contentOf(const std::string& path) {
  const Resolution found = resolve(path, {.ignoreFaults = true});
  if (found.outcome != Outcome::Found || found.entry->isFolder()) {
    throw std::out_of_range("no such file: " + path);
  }
  return found.entry->content;
}

std::vector<std::string> SimulatedWindows::listNames(const std::string& folder) {
  const Resolution found = resolve(folder, {.ignoreFaults = true});
  if (found.outcome != Outcome::Found || !found.entry->isFolder()) {
    throw std::out_of_range("no such folder: " + folder);
  }
  std::vector<std::string> names;
  for (const auto& child : found.entry->children) names.push_back(child->name);
  return names;
}

const std::vector<platform::ShellFileOperation>& SimulatedWindows::fileOperations() const {
  return fileOperations_;
}

const std::vector<ExecuteCall>& SimulatedWindows::executions() const { return executions_; }

const std::vector<std::uint32_t>& SimulatedWindows::beeps() const { return beeps_; }

std::uint32_t SimulatedWindows::errorMode() const { return errorMode_; }

std::vector<std::string> SimulatedWindows::volumeQueries() const { return volumeQueries_; }

std::optional<std::string> SimulatedWindows::expand(const std::string& path) const {
  return expandFullPath(codePage_, path, currentDirectory_,
                        [this](char letter) { return driveDirectory(letter); });
}

std::string SimulatedWindows::driveDirectory(char letter) const {
  const auto remembered = driveDirectories_.find(upperLetter(letter));
  if (remembered != driveDirectories_.end()) return remembered->second;
  return std::string{letter, ':', '\\'};
}

Resolution SimulatedWindows::resolve(const std::string& path, const ResolveOptions& options) {
  const std::optional<std::string> full = expand(path);
  if (!full || full->size() >= platform::MaxPath) return {};
  return resolvePath(volumes_, codePage_, *full, options);
}

std::pair<Entry*, std::string> SimulatedWindows::builderPlace(const std::string& path) {
  const std::optional<std::string> full = expand(path);
  if (!full || isRoot(codePage_, *full)) throw std::invalid_argument("no name to add: " + path);
  auto [folderPath, name] = splitLastName(codePage_, *full);
  const Resolution folder =
      resolve(folderPath, {.ignoreFaults = true, .createMissingFolders = true});
  if (folder.outcome != Outcome::Found || !folder.entry->isFolder()) {
    throw std::invalid_argument("no folder to hold " + path);
  }
  return {folder.entry, std::move(name)};
}

Drive* SimulatedWindows::findDrive(char letter) {
  const auto found = volumes_.drives.find(upperLetter(letter));
  return found == volumes_.drives.end() ? nullptr : &found->second;
}

Drive* SimulatedWindows::findVolume(const std::string& fullPath) {
  if (startsWithDrive(fullPath)) return findDrive(fullPath[0]);
  return findShare(volumes_.shares, codePage_, networkRoot(codePage_, fullPath));
}

Drive& SimulatedWindows::driveOf(char letter) {
  Drive* drive = findDrive(letter);
  if (drive == nullptr) throw std::invalid_argument(std::string("no drive ") + letter + ":");
  return *drive;
}

bool SimulatedWindows::isDoubleByte() const { return codePage_.isDoubleByte(); }

bool SimulatedWindows::isLeadByte(unsigned char byte) const { return codePage_.isLeadByte(byte); }

std::string SimulatedWindows::localeLower(const std::string& text) const {
  return codePage_.lower(text);
}

std::string SimulatedWindows::localeUpper(const std::string& text) const {
  return codePage_.upper(text);
}

int SimulatedWindows::localeCompare(const std::string& a, const std::string& b) const {
  return codePage_.compare(a, b);
}

int SimulatedWindows::listCompare(const std::string& a, const std::string& b) const {
  return codePage_.listCompare(a, b);
}

std::string SimulatedWindows::toUtf8(const std::string& ansi) const {
  return ansiToUtf8(codePage_, ansi);
}

std::string SimulatedWindows::fromUtf8(const std::string& utf8) const {
  return utf8ToAnsi(codePage_, utf8);
}

}  // namespace tarnsel::sim
