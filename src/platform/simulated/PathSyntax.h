// Windows path text: separators that respect double-byte characters, and the
// expansion rules of GetFullPathNameA. Pure text; nothing here looks at the tree.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/simulated/AnsiCodePage.h"

namespace tarnsel::sim {

// Both "\" and "/" separate components on input.
bool isSeparator(char byte);

// Index of the last separator that is a character of its own (not the second
// byte of a double-byte character); npos when there is none.
std::size_t lastSeparator(const AnsiCodePage& codePage, const std::string& text);

bool endsWithSeparator(const AnsiCodePage& codePage, const std::string& text);

// The non-empty components between separators, so doubled separators collapse.
std::vector<std::string> splitComponents(const AnsiCodePage& codePage, const std::string& text);

// True when the text starts with a drive letter and a colon.
bool startsWithDrive(const std::string& text);

// The root of a network path, "\\server\share" with backslashes, for a text that
// begins with two separators, a server name, a separator and a share name; empty
// for any other text.
std::string networkRoot(const AnsiCodePage& codePage, const std::string& text);

// The length of the path's root: 2 for "X:", the root's length for a network
// path, 0 for a path without a root.
std::size_t rootLength(const AnsiCodePage& codePage, const std::string& text);

// The current directory of a drive other than the current one, by its letter
// as the path wrote it.
using DriveDirectoryLookup = std::function<std::string(char letter)>;

// Expands `path` like GetFullPathNameA: "\x" against the root of the current
// directory (a drive's or a share's), "D:x" against drive D's directory, "x"
// against the current directory; "." and ".." resolved, never above a root (so
// never above "\\server\share"), separators collapsed, trailing dots and spaces
// cut from the last component, a trailing separator kept; a share root written
// bare stays bare. No length limit and no existence check. nullopt for an empty
// path and for a network path without a server or share name.
std::optional<std::string> expandFullPath(const AnsiCodePage& codePage, const std::string& path,
                                          const std::string& currentDirectory,
                                          const DriveDirectoryLookup& otherDriveDirectory);

}  // namespace tarnsel::sim
