// The name patterns of a directory search: "*" and "?" wildcards compared
// character by character, letter case ignored.
#pragma once

#include <string>

#include "platform/simulated/AnsiCodePage.h"

namespace tarnsel::sim {

// "*" matches any run of characters (also none), "?" exactly one character (a
// double-byte character counts as one). As in Windows, "*.*" matches every
// name, dotted or not, and a wildcard pattern ending in "." matches only names
// without a dot ("*." lists names that have no extension).
bool matchesNamePattern(const AnsiCodePage& codePage, const std::string& name,
                        const std::string& pattern);

}  // namespace tarnsel::sim
