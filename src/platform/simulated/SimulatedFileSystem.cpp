// The file system services of the simulated Windows over its in-memory tree.
#include "platform/simulated/SimulatedWindows.h"

#include "platform/simulated/NamePattern.h"
#include "platform/simulated/PathSyntax.h"
#include "platform/simulated/SnapshotListing.h"

namespace tarnsel::sim {

namespace attr = platform::attr;
namespace error = platform::error;

namespace {

using SnapshotSearch = SnapshotListing<platform::DirectorySearch, platform::DirectoryEntry>;

std::uint32_t changeDirectoryError(const Resolution& resolution) {
  switch (resolution.outcome) {
    case Outcome::Found:
      if (!resolution.entry->isFolder()) return error::Directory;
      return resolution.entry->accessDenied ? error::AccessDenied : 0;
    case Outcome::FinalMissing:
      return error::FileNotFound;
    case Outcome::PathMissing:
      return error::PathNotFound;
    case Outcome::NotReady:
      return error::NotReady;
    case Outcome::AccessDenied:
      return error::AccessDenied;
  }
  return error::PathNotFound;
}

}  // namespace

std::string SimulatedWindows::moduleFileName() { return moduleFileName_; }

std::string SimulatedWindows::systemFolder() { return systemFolder_; }

std::optional<std::string> SimulatedWindows::fullPathName(const std::string& path) {
  std::optional<std::string> full = expand(path);
  if (full && full->size() >= platform::MaxPath) return std::nullopt;
  return full;
}

std::string SimulatedWindows::currentDirectory() { return currentDirectory_; }

std::uint32_t SimulatedWindows::setCurrentDirectory(const std::string& path) {
  std::optional<std::string> full = expand(path);
  if (!full) return error::PathNotFound;
  if (full->size() >= platform::MaxPath) return error::FilenameTooLong;
  if (const std::uint32_t failure = changeDirectoryError(resolvePath(volumes_, codePage_, *full));
      failure != 0) {
    return failure;
  }
  // Only a drive's root keeps its separator; a share's root reads "\\server\share".
  if (endsWithSeparator(codePage_, *full) && full->size() > 3) full->pop_back();
  currentDirectory_ = *full;
  if (startsWithDrive(*full)) driveDirectories_[static_cast<char>((*full)[0] & ~0x20)] = *full;
  return 0;
}

std::unique_ptr<platform::DirectorySearch> SimulatedWindows::findFirst(
    const std::string& pattern, std::uint32_t attributeMask) {
  if (onFindFirst) onFindFirst(pattern);

  std::string folderPath = ".";
  std::string namePattern = pattern;
  if (const std::size_t separator = lastSeparator(codePage_, pattern);
      separator != std::string::npos) {
    folderPath = pattern.substr(0, separator + 1);
    namePattern = pattern.substr(separator + 1);
  } else if (startsWithDrive(pattern)) {
    folderPath = pattern.substr(0, 2);
    namePattern = pattern.substr(2);
  }
  if (namePattern.empty()) return nullptr;

  const Resolution folder = resolve(folderPath);
  if (folder.outcome != Outcome::Found || !folder.entry->isFolder() || folder.entry->accessDenied) {
    return nullptr;
  }

  std::vector<platform::DirectoryEntry> candidates;
  if (folder.parent != nullptr) {  // drive roots have no "." and ".."
    candidates.push_back({".", attr::Directory});
    candidates.push_back({"..", attr::Directory});
  }
  for (const auto& child : folder.entry->children) {
    candidates.push_back({child->name, child->attributes});
  }

  std::vector<platform::DirectoryEntry> found;
  for (auto& candidate : candidates) {
    const bool passedOver = (candidate.attributes & ~attributeMask & attr::SearchSpecial) != 0;
    if (!passedOver && matchesNamePattern(codePage_, candidate.name, namePattern)) {
      found.push_back(std::move(candidate));
    }
  }
  if (found.empty()) return nullptr;
  return std::make_unique<SnapshotSearch>(std::move(found));
}

bool SimulatedWindows::fileExists(const std::string& path) {
  const Resolution found = resolve(path);
  return found.outcome == Outcome::Found && !found.entry->isFolder() && found.entry->hasDosDate();
}

std::optional<std::uint32_t> SimulatedWindows::fileAttributes(const std::string& path) {
  const Resolution found = resolve(path, {.followFinalLink = false});
  if (found.outcome != Outcome::Found) return std::nullopt;
  return found.entry->attributes;
}

bool SimulatedWindows::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  const Resolution found = resolve(path, {.followFinalLink = false});
  if (found.outcome != Outcome::Found) return false;
  found.entry->attributes = attributeWordFor(*found.entry, attributes);
  return true;
}

bool SimulatedWindows::createDirectory(const std::string& path) {
  const std::optional<std::string> full = expand(path);
  if (!full) return false;
  const Resolution place = resolve(*full, {.followFinalLink = false});
  if (place.outcome != Outcome::FinalMissing) return false;
  const std::vector<std::string> names = splitComponents(codePage_, *full);
  place.parent->add(makeEntry(names.back()));
  return true;
}

std::optional<std::string> SimulatedWindows::finalPath(const std::string& path) {
  Resolution found = resolve(path);
  if (found.outcome != Outcome::Found || !answersFinalPath(found)) return std::nullopt;
  return std::move(found.realPath);
}

}  // namespace tarnsel::sim
