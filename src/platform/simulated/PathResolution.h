// Finds the entry a full path names: components compared without letter case,
// folder links followed, drive faults and denied folders reported.
#pragma once

#include <string>

#include "platform/simulated/AnsiCodePage.h"
#include "platform/simulated/EntryTree.h"

namespace tarnsel::sim {

enum class Outcome {
  Found,
  FinalMissing,  // every folder on the way exists; the last name does not
  PathMissing,   // a folder on the way is missing or is no folder, or links loop
  NotReady,      // the drive holds no medium
  AccessDenied,  // a folder on the way cannot be entered
};

struct Resolution {
  Outcome outcome = Outcome::PathMissing;
  Entry* entry = nullptr;   // the entry named, when found
  Entry* parent = nullptr;  // the folder that holds (or lacks) the last name; null for a root
  // Where the entry really lies, links followed: upper-case drive letter (or the
  // share's root as added), stored names (real names in UTF-8 when resolved by
  // real names).
  std::string realPath;
};

struct ResolveOptions {
  bool followFinalLink = true;  // false: a link named last is itself the result
  bool ignoreFaults = false;    // true: pass unready drives and denied folders, as builders do
  bool createMissingFolders = false;  // true: make plain folders for missing names
  bool realNames = false;             // true: the path and the names it finds are UTF-8
};

// Windows gives up on a path after this many reparse points.
inline constexpr int MaxLinkHops = 32;

// The share whose root is `root` ("\\server\share", any letter case); null when none.
Drive* findShare(ShareList& shares, const AnsiCodePage& codePage, const std::string& root);

// `fullPath` is an expanded path such as "C:\a\b" or "\\server\share\a" (a trailing
// separator is allowed).
Resolution resolvePath(Volumes& volumes, const AnsiCodePage& codePage, const std::string& fullPath,
                       const ResolveOptions& options = {});

}  // namespace tarnsel::sim
