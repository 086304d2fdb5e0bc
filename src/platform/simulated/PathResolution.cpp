#include "platform/simulated/PathResolution.h"

#include <optional>
#include <vector>

#include "platform/simulated/PathSyntax.h"
#include "platform/simulated/Utf8Conversion.h"

namespace tarnsel::sim {
namespace {

char driveKey(char letter) { return static_cast<char>(letter & ~0x20); }

// UTF-8 never uses a byte below 0x80 inside a character, so a single-byte page
// splits it at the right places.
const AnsiCodePage& splittingPage(const AnsiCodePage& codePage, const ResolveOptions& options) {
  static const AnsiCodePage singleByte(1252);
  return options.realNames ? singleByte : codePage;
}

// The next path to walk after meeting a link: its target, then the names that
// were still to come.
std::vector<std::string> linkContinuation(const AnsiCodePage& codePage, const Entry& link,
                                          const std::vector<std::string>& names, std::size_t next,
                                          char& drive, const ResolveOptions& options) {
  drive = link.linkTarget[0];
  const std::string target = link.linkTarget.substr(2);
  std::vector<std::string> continued =
      options.realNames
          ? splitComponents(splittingPage(codePage, options), ansiToUtf8(codePage, target))
          : splitComponents(codePage, target);
  continued.insert(continued.end(), names.begin() + next, names.end());
  return continued;
}

Resolution unresolved(Outcome outcome, Entry* parent = nullptr) {
  Resolution resolution;
  resolution.outcome = outcome;
  resolution.parent = parent;
  return resolution;
}

// Walks `names` from the root of `drive`. On meeting a link to follow, it puts
// the link's continuation into `drive` and `names` and returns nullopt.
std::optional<Resolution> walkFromRoot(DriveMap& drives, const AnsiCodePage& codePage, char& drive,
                                       std::vector<std::string>& names,
                                       const ResolveOptions& options) {
  const auto found = drives.find(driveKey(drive));
  if (found == drives.end()) return unresolved(Outcome::PathMissing);
  if (!found->second.settings.ready && !options.ignoreFaults) return unresolved(Outcome::NotReady);

  Entry* current = &found->second.root;
  Entry* parent = nullptr;
  std::string realPath{found->first, ':'};
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
      names = linkContinuation(codePage, *next, names, i + 1, drive, options);
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

Resolution resolvePath(DriveMap& drives, const AnsiCodePage& codePage, const std::string& fullPath,
                       const ResolveOptions& options) {
  if (!startsWithDrive(fullPath)) return {};
  char drive = fullPath[0];
  std::vector<std::string> names =
      splitComponents(splittingPage(codePage, options), fullPath.substr(2));
  for (int hops = 0; hops <= MaxLinkHops; ++hops) {
    if (std::optional<Resolution> result = walkFromRoot(drives, codePage, drive, names, options)) {
      return std::move(*result);
    }
  }
  return {};
}

}  // namespace tarnsel::sim
