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

// The current directory of a drive other than the current one, by its letter
// as the path wrote it.
using DriveDirectoryLookup = std::function<std::string(char letter)>;

// Expands `path` like GetFullPathNameA: "\x" against the current drive's root,
// "D:x" against drive D's directory, "x" against the current directory; "." and
// ".." resolved, separators collapsed, trailing dots and spaces cut from the last
// component, a trailing separator kept. No length limit and no existence check.
// nullopt for an empty path and for UNC paths, which the simulation does not have.
std::optional<std::string> expandFullPath(const AnsiCodePage& codePage, const std::string& path,
                                          const std::string& currentDirectory,
                                          const DriveDirectoryLookup& otherDriveDirectory);

}  // namespace tarnsel::sim
