// The in-memory tree of drives, folders, files and folder links that the
// simulated file system serves. Plain data with a few tree operations.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/simulated/AnsiCodePage.h"

namespace tarnsel::sim {

struct DriveSettings {
  std::uint32_t type = 3;  // a GetDriveType value: 2 removable, 3 fixed, 4 network, 5 CD-ROM
  std::string label;
  std::optional<std::string> networkName;
  bool ready = true;
  // False for a file system that refuses to tell where an opened entry lies (a
  // network redirector, a RAM disk, a virtual machine's shared folder).
  bool answersFinalPaths = true;
};

// A network drive whose redirector refuses final paths.
inline DriveSettings RedirectorWithoutFinalPaths() {
  DriveSettings settings;
  settings.type = 4;
  settings.answersFinalPaths = false;
  return settings;
}

struct Entry;
// Shared, so that an opened entry outlives its removal from the tree as an open
// handle does.
using EntryPointer = std::shared_ptr<Entry>;

struct Entry {
  // As created; lookups ignore letter case. For a name the code page cannot hold,
  // the best-fit form that the ANSI calls list (and never find).
  std::string name;
  // The real name in UTF-8 when the code page cannot hold it; empty otherwise.
  std::string unicodeName;
  std::uint64_t index = 0;  // unique among all entries: the file index on its volume
  std::uint32_t attributes = platform::attr::Directory;
  std::string content;
  int lastWriteYear = 2020;
  std::string linkTarget;  // full path a folder link leads to; empty for other entries
  bool accessDenied = false;
  std::vector<EntryPointer> children;  // in creation order, as listings deliver them

  bool isFolder() const { return (attributes & platform::attr::Directory) != 0; }
  bool isLink() const { return !linkTarget.empty(); }
  // The last-write time fits a DOS date, whose years run from 1980 to 2107.
  bool hasDosDate() const { return lastWriteYear >= 1980 && lastWriteYear <= 2107; }
  // The real name in UTF-8.
  std::string realName(const AnsiCodePage& codePage) const;

  // Lookup by an ANSI name, which never finds an entry whose real name the code
  // page cannot hold.
  Entry* child(const AnsiCodePage& codePage, const std::string& childName) const;
  // Lookup by a real name in UTF-8.
  Entry* childByRealName(const AnsiCodePage& codePage, const std::string& utf8Name) const;
  EntryPointer shared(const Entry& entry) const;
  Entry& add(EntryPointer entry);
  void removeChild(const Entry& entry);
};

struct Drive {
  DriveSettings settings;
  Entry root;
};

// Drives by upper-case letter.
using DriveMap = std::map<char, Drive>;

// Network shares; the root entry's name is the share's root as it was added,
// "\\server\share". Server and share names compare without letter case.
using ShareList = std::vector<Drive>;

// The drives and shares that paths lead into.
struct Volumes {
  DriveMap drives;
  ShareList shares;
};

// A new entry with no children and an index of its own; a plain folder unless
// told otherwise.
EntryPointer makeEntry(std::string name, std::uint32_t attributes = platform::attr::Directory,
                       std::string linkTarget = {});

// The attribute word Windows keeps for a file: no folder or link bits, and
// FILE_ATTRIBUTE_NORMAL exactly when no other bit is set.
std::uint32_t fileAttributeWord(std::uint32_t attributes);

// The attribute word for a folder: the folder bit always, the link bit only
// for links, never FILE_ATTRIBUTE_NORMAL.
std::uint32_t folderAttributeWord(std::uint32_t attributes, bool isLink);

// The attribute word `entry` keeps when set to `attributes`: a link stays a link.
std::uint32_t attributeWordFor(const Entry& entry, std::uint32_t attributes);

// A deep copy as the shell's copy makes it: files gain the archive bit.
EntryPointer shellCopyOf(const Entry& entry);

// Puts `incoming` into `folder`: a new name is added, a folder onto a folder
// merges, anything else replaces the entry that was there.
void mergeInto(const AnsiCodePage& codePage, Entry& folder, EntryPointer incoming);

}  // namespace tarnsel::sim
