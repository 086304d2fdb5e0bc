#include "platform/simulated/PathResolution.h"

#include <optional>
#include <vector>

#include "platform/simulated/PathSyntax.h"

namespace tarnsel::sim {
namespace {

// The next path to walk after meeting a link: its target's root, and the target's
// names followed by the names that were still to come.
std::vector<std::string> linkContinuation(const AnsiCodePage& codePage, const Entry& link,
                                          const std::vector<std::string>& names, std::size_t next,
                                          std::string& root) {
  const std::size_t length = rootLength(codePage, link.linkTarget);
  root = link.linkTarget.substr(0, length);
  std::vector<std::string> continued = splitComponents(codePage, link.linkTarget.substr(length));
  continued.insert(continued.end(), names.begin() + next, names.end());
  return continued;
}

Resolution unresolved(Outcome outcome, Entry* parent = nullptr) {
  Resolution resolution;
  resolution.outcome = outcome;
  resolution.parent = parent;
  return resolution;
}

// The drive or share a root ("X:" or "\\server\share") names, with the real path
// of its root folder without the final separator; null when there is none.
Drive* volumeOf(Volumes& volumes, const AnsiCodePage& codePage, const std::string& root,
                std::string& realRoot) {
  if (startsWithDrive(root)) {
    const auto found = volumes.drives.find(static_cast<char>(root[0] & ~0x20));
    if (found == volumes.drives.end()) return nullptr;
    realRoot = {found->first, ':'};
    return &found->second;
  }
  Drive* share = findShare(volumes.shares, codePage, root);
  if (share != nullptr) realRoot = share->root.name;
  return share;
}

// Walks `names` from `root`. On meeting a link to follow, it puts the link's
// continuation into `root` and `names` and returns nullopt.
std::optional<Resolution> walkFromRoot(Volumes& volumes, const AnsiCodePage& codePage,
                                       std::string& root, std::vector<std::string>& names,
                                       const ResolveOptions& options) {
  std::string realPath;
  Drive* volume = volumeOf(volumes, codePage, root, realPath);
  if (volume == nullptr) return unresolved(Outcome::PathMissing);
  if (!volume->settings.ready && !options.ignoreFaults) return unresolved(Outcome::NotReady);

  Entry* current = &volume->root;
  Entry* parent = nullptr;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool last = i + 1 == names.size();
    if (current->accessDenied && !options.ignoreFaults) return unresolved(Outcome::AccessDenied);
    Entry* next = current->child(codePage, names[i]);
    if (next == nullptr && options.createMissingFolders) next = &current->add(makeEntry(names[i]));
    if (next == nullptr) {
      return last ? unresolved(Outcome::FinalMissing, current) : unresolved(Outcome::PathMissing);
    }
    if (next->isLink() && (!last || options.followFinalLink)) {
      names = linkContinuation(codePage, *next, names, i + 1, root);
      return std::nullopt;
    }
    if (!last && !next->isFolder()) return unresolved(Outcome::PathMissing);
    parent = current;
    current = next;
    realPath += '\\' + next->name;
  }
  if (parent == nullptr) realPath += '\\';
  return Resolution{Outcome::Found, current, parent, std::move(realPath)};
}

}  // namespace

Drive* findShare(ShareList& shares, const AnsiCodePage& codePage, const std::string& root) {
  for (Drive& share : shares) {
    if (codePage.sameName(share.root.name, root)) return &share;
  }
  return nullptr;
}

Resolution resolvePath(Volumes& volumes, const AnsiCodePage& codePage, const std::string& fullPath,
                       const ResolveOptions& options) {
  const std::size_t length = rootLength(codePage, fullPath);
  if (length == 0) return {};
  std::string root = fullPath.substr(0, length);
  std::vector<std::string> names = splitComponents(codePage, fullPath.substr(length));
  for (int hops = 0; hops <= MaxLinkHops; ++hops) {
    if (std::optional<Resolution> result = walkFromRoot(volumes, codePage, root, names, options)) {
      return std::move(*result);
    }
  }
  return {};
}

}  // namespace tarnsel::sim
