// The real-name services of the simulated Windows: listings that carry names the
// code page cannot hold, and entries opened as objects that outlive their path.
#include "platform/simulated/SimulatedWindows.h"

#include <cctype>
#include <functional>

#include "platform/simulated/PathSyntax.h"
#include "platform/simulated/SnapshotListing.h"
#include "platform/simulated/Utf8Conversion.h"

namespace tarnsel::sim {

namespace attr = platform::attr;

namespace {

using RealNameListing = SnapshotListing<platform::NamedListing, platform::NamedEntry>;

// Holds the entry itself, so a later change of the tree at its path (a swap for
// a link, a removal) does not change what it answers or sets.
class SimulatedOpenedEntry final : public platform::OpenedEntry {
 public:
  SimulatedOpenedEntry(EntryPointer entry, platform::FileIdentity identity,
                       std::optional<std::string> finalPath)
      : entry_(std::move(entry)), identity_(identity), finalPath_(std::move(finalPath)) {}

  std::uint32_t attributes() const override { return entry_->attributes; }
  std::optional<platform::FileIdentity> identity() const override { return identity_; }
  std::optional<std::string> finalPath() override { return finalPath_; }
  bool setAttributes(std::uint32_t attributes) override {
    entry_->attributes = attributeWordFor(*entry_, attributes);
    return true;
  }

 private:
  EntryPointer entry_;
  platform::FileIdentity identity_;
  std::optional<std::string> finalPath_;
};

// UTF-16 code units of a UTF-8 text: one per character, two above U+FFFF.
std::size_t utf16Length(const std::string& utf8) {
  std::size_t units = 0;
  for (const char byte : utf8) {
    const auto value = static_cast<unsigned char>(byte);
    if ((value & 0xC0) != 0x80) units += value >= 0xF0 ? 2 : 1;
  }
  return units;
}

// Each drive and each share a volume serial number of its own: a drive's from its
// letter, a share's from its "\\server\share" root with letter case folded.
std::uint32_t volumeSerialOf(const std::string& realPath) {
  if (realPath.size() > 1 && realPath[1] == ':') {
    return 0x5EA1'0000u | static_cast<unsigned char>(realPath[0] & ~0x20);
  }
  const std::size_t server = realPath.find('\\', 2);
  std::string root = realPath.substr(0, realPath.find('\\', server + 1));
  for (char& c : root) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return static_cast<std::uint32_t>(std::hash<std::string>{}(root)) | 0x8000'0000u;
}

}  // namespace

platform::RealNameFiles& SimulatedWindows::realNames() { return *this; }

std::unique_ptr<platform::NamedListing> SimulatedWindows::listFolder(const std::string& folder) {
  if (onListFolder) onListFolder(folder);
  const Resolution found = resolveRealName(folder);
  if (found.outcome != Outcome::Found || !found.entry->isFolder() || found.entry->accessDenied) {
    return nullptr;
  }
  std::vector<platform::NamedEntry> entries;
  if (found.parent != nullptr) {  // drive roots have no "." and ".."
    entries.push_back({".", found.entry->attributes, true});
    entries.push_back({"..", attr::Directory, true});
  }
  for (const auto& child : found.entry->children) {
    entries.push_back({child->realName(codePage_), child->attributes, child->hasDosDate()});
  }
  if (entries.empty()) return nullptr;
  return std::make_unique<RealNameListing>(std::move(entries));
}

std::unique_ptr<platform::OpenedEntry> SimulatedWindows::openEntry(const std::string& path,
                                                                   bool followLink) {
  if (onOpenEntry) onOpenEntry(path);
  Resolution found = resolveRealName(path, {.followFinalLink = followLink});
  if (found.outcome != Outcome::Found) return nullptr;
  EntryPointer entry = found.parent != nullptr ? found.parent->shared(*found.entry) : nullptr;
  if (entry == nullptr) {
    // A drive root lives in the drive itself; it is never removed, so a
    // non-owning pointer is safe.
    entry = EntryPointer(EntryPointer(), found.entry);
  }
  const platform::FileIdentity identity{volumeSerialOf(found.realPath), entry->index};
  std::optional<std::string> finalPath;
  if (answersFinalPath(found)) finalPath = std::move(found.realPath);
  return std::make_unique<SimulatedOpenedEntry>(std::move(entry), identity, std::move(finalPath));
}

std::uint32_t SimulatedWindows::attributesByRealName(const std::string& path) {
  const Resolution found = resolveRealName(path, {.followFinalLink = false, .ignoreFaults = true});
  if (found.outcome != Outcome::Found) throw std::out_of_range("no such entry: " + path);
  return found.entry->attributes;
}

Resolution SimulatedWindows::resolveRealName(const std::string& path, ResolveOptions options) {
  static const AnsiCodePage singleByte(1252);  // splits UTF-8 at its separators only
  const std::optional<std::string> full =
      expandFullPath(singleByte, path, ansiToUtf8(codePage_, currentDirectory_),
                     [this](char letter) { return ansiToUtf8(codePage_, driveDirectory(letter)); });
  if (!full || utf16Length(*full) >= platform::MaxPath) return {};
  options.realNames = true;
  return resolvePath(volumes_, codePage_, *full, options);
}

bool SimulatedWindows::answersFinalPath(const Resolution& resolution) {
  const Drive* volume = findVolume(utf8ToAnsi(codePage_, resolution.realPath));
  return volume != nullptr && volume->settings.answersFinalPaths;
}

}  // namespace tarnsel::sim
