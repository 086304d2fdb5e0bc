// The attribute reset walk over the real-name services, with its link guard.
#include "launcher/ResetAttr.h"

#include <algorithm>
#include <optional>
#include <set>

namespace tarnsel::launcher {

namespace {

using platform::FileIdentity;
using platform::OpenedEntry;
using platform::RealNameFiles;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

// Final paths come back with the names as stored, as the listing gives them; only
// the letter case of the drive (and of names typed into the root) may differ.
bool SameRealPath(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

std::string Below(const std::string& folder, const std::string& name) {
  // Paths here are UTF-8, where a backslash byte is always a backslash.
  return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

// A folder to walk: the path it is reached by, and where it really lies when known.
struct Place {
  std::string path;
  std::optional<std::string> realPath;
};

class AttributeResetWalk {
 public:
  AttributeResetWalk(RealNameFiles& files, LinkGuard guard) : files_(files), guard_(guard) {}

  void start(const std::string& root) {
    // The root itself may be reached through links (a redirected desktop); what
    // lies below it may not.
    const auto folder = files_.openEntry(root, /*followLink=*/true);
    if (!folder || (folder->attributes() & platform::attr::Directory) == 0) return;
    if (const auto identity = folder->identity()) walked_.insert(*identity);
    walk(Place{root, finalPathOf(*folder)});
  }

 private:
  void walk(const Place& folder) {
    const auto listing = files_.listFolder(folder.path);
    if (!listing) return;
    do {
      const platform::NamedEntry& entry = listing->entry();
      if (entry.name == "." || entry.name == "..") continue;
      Place place{Below(folder.path, entry.name), std::nullopt};
      if (folder.realPath) place.realPath = Below(*folder.realPath, entry.name);
      // The search record answers the file-exists test: no folder, and a
      // last-write time that a DOS date and time can hold.
      if ((entry.attributes & platform::attr::Directory) == 0) {
        if (entry.hasDosTime) resetFile(place);
      } else {
        descend(place);
      }
    } while (listing->next());
  }

  // The entry is opened once, as itself; the check and the change go through
  // that one object, so a link swapped in after the check is never followed.
  void resetFile(const Place& place) {
    const auto file = files_.openEntry(place.path, /*followLink=*/false);
    if (file && liesWhereItAppears(*file, place, /*folder=*/false)) {
      file->setAttributes(platform::attr::Archive);
    }
  }

  void descend(Place place) {
    auto folder = files_.openEntry(place.path, /*followLink=*/false);
    if (!folder || !liesWhereItAppears(*folder, place, /*folder=*/true)) return;
    // A folder met twice (through an alias the link bit does not show) is walked once.
    if (const auto identity = folder->identity(); identity && !walked_.insert(*identity).second) {
      return;
    }
    place.realPath = finalPathOf(*folder);
    folder.reset();  // one open entry per level is enough: the listing is by path
    walk(place);
  }

  // False for a link (out of the tree or back into it), for an entry that is no
  // longer what the listing showed, and for one whose final path is elsewhere.
  bool liesWhereItAppears(OpenedEntry& opened, const Place& place, bool folder) {
    const std::uint32_t attributes = opened.attributes();
    if ((attributes & platform::attr::ReparsePoint) != 0) return false;
    if (((attributes & platform::attr::Directory) != 0) != folder) return false;
    const auto real = finalPathOf(opened);
    return !real || !place.realPath || SameRealPath(*real, *place.realPath);
  }

  std::optional<std::string> finalPathOf(OpenedEntry& opened) {
    if (guard_ == LinkGuard::IdentityOnly) return std::nullopt;
    return opened.finalPath();
  }

  RealNameFiles& files_;
  LinkGuard guard_;
  std::set<FileIdentity> walked_;
};

}  // namespace

void ResetAttributesBelow(platform::FileSystem& files, const platform::CodePage& codePage,
                          const std::string& folder, LinkGuard guard) {
  if (folder.empty()) return;
  // The root comes from the destination field as ANSI bytes; the calls that
  // convert it on the way to the system do the same conversion.
  AttributeResetWalk(files.realNames(), guard).start(codePage.toUtf8(folder));
}

void RESETATTR(platform::FileSystem& files, const platform::CodePage& codePage,
               const std::string& folder) {
  ResetAttributesBelow(files, codePage, folder, LinkGuard::FinalPathWhereAnswered);
}

}  // namespace tarnsel::launcher
