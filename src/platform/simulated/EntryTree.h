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
};

struct Entry {
  std::string name;  // as created; lookups ignore letter case
  std::uint32_t attributes = platform::attr::Directory;
  std::string content;
  int lastWriteYear = 2020;
  std::string linkTarget;  // full path a folder link leads to; empty for other entries
  bool accessDenied = false;
  std::vector<std::unique_ptr<Entry>> children;  // in creation order, as listings deliver them

  bool isFolder() const { return (attributes & platform::attr::Directory) != 0; }
  bool isLink() const { return !linkTarget.empty(); }

  Entry* child(const AnsiCodePage& codePage, const std::string& childName) const;
  Entry& add(std::unique_ptr<Entry> entry);
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

// A new entry with no children; a plain folder unless told otherwise.
std::unique_ptr<Entry> makeEntry(std::string name,
                                 std::uint32_t attributes = platform::attr::Directory,
                                 std::string linkTarget = {});

// The attribute word Windows keeps for a file: no folder or link bits, and
// FILE_ATTRIBUTE_NORMAL exactly when no other bit is set.
std::uint32_t fileAttributeWord(std::uint32_t attributes);

// The attribute word for a folder: the folder bit always, the link bit only
// for links, never FILE_ATTRIBUTE_NORMAL.
std::uint32_t folderAttributeWord(std::uint32_t attributes, bool isLink);

// A deep copy as the shell's copy makes it: files gain the archive bit.
std::unique_ptr<Entry> shellCopyOf(const Entry& entry);

// Puts `incoming` into `folder`: a new name is added, a folder onto a folder
// merges, anything else replaces the entry that was there.
void mergeInto(const AnsiCodePage& codePage, Entry& folder, std::unique_ptr<Entry> incoming);

}  // namespace tarnsel::sim
