#include "platform/simulated/PathResolution.h"

#include <optional>
#include <vector>

#include "platform/simulated/PathSyntax.h"
#include "platform/simulated/Utf8Conversion.h"

namespace tarnsel::sim {
namespace {

// UTF-8 never uses a byte below 0x80 inside a character, so a single-byte page
// splits it at the right places.
const AnsiCodePage& splittingPage(const AnsiCodePage& codePage, const ResolveOptions& options) {
  static const AnsiCodePage singleByte(1252);
  return options.realNames ? singleByte : codePage;
}

// The next path to walk after meeting a link: its target's root, and the target's
// names followed by the names that were still to come. Link targets are stored
// in ANSI; a walk by real names goes on in UTF-8.
std::vector<std::string> linkContinuation(const AnsiCodePage& codePage, const Entry& link,
                                          const std::vector<std::string>& names, std::size_t next,
                                          std::string& root, const ResolveOptions& options) {
  const std::size_t length = rootLength(codePage, link.linkTarget);
  root = link.linkTarget.substr(0, length);
  const std::string rest = link.linkTarget.substr(length);
  std::vector<std::string> continued =
      options.realNames
          ? splitComponents(splittingPage(codePage, options), ansiToUtf8(codePage, rest))
          : splitComponents(codePage, rest);
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
  if (options.realNames) realPath = ansiToUtf8(codePage, realPath);

  Entry* current = &volume->root;
  Entry* parent = nullptr;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool last = i + 1 == names.size();
    if (current->accessDenied && !options.ignoreFaults) return unresolved(Outcome::AccessDenied);
    Entry* next = options.realNames ? current->childByRealName(codePage, names[i])
                                    : current->child(codePage, names[i]);
    if (next == nullptr && options.createMissingFolders) next = &current->add(makeEntry(names[i]));
    if (next == nullptr) {
      return last ? unresolved(Outcome::FinalMissing, current) : unresolved(Outcome::PathMissing);
    }
    if (next->isLink() && (!last || options.followFinalLink)) {
      names = linkContinuation(codePage, *next, names, i + 1, root, options);
      return std::nullopt;
    }
    if (!last && !next->isFolder()) return unresolved(Outcome::PathMissing);
    parent = current;
    current = next;
    realPath += '\\' + (options.realNames ? next->realName(codePage) : next->name);
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
  const AnsiCodePage& splitting = splittingPage(codePage, options);
  const std::size_t length = rootLength(splitting, fullPath);
  if (length == 0) return {};
  // Server and share names are kept in ANSI, as the shares were added.
  std::string root = fullPath.substr(0, length);
  if (options.realNames) root = utf8ToAnsi(codePage, root);
  std::vector<std::string> names = splitComponents(splitting, fullPath.substr(length));
  for (int hops = 0; hops <= MaxLinkHops; ++hops) {
    if (std::optional<Resolution> result = walkFromRoot(volumes, codePage, root, names, options)) {
      return std::move(*result);
    }
  }
  return {};
}

}  // namespace tarnsel::sim
