// How every path the launcher works with follows from its own path and from the
// destination folder. All delimiter searches know double-byte characters.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tarnsel::launcher {

// "\" and the launcher's file name without its extension: E:\kit\viewer.exe gives \viewer.
std::string InstallNameOf(const platform::CodePage& codePage, const std::string& launcherPath);

// The launcher's folder without its final backslash, except where that backslash
// follows ":" or another backslash (a drive root keeps it): E:\kit, E:\.
std::string LauncherFolderOf(const platform::CodePage& codePage, const std::string& launcherPath);

// The launcher path up to and including its last "\" or ":": E:\kit\.
std::string LauncherFolderWithSeparator(const platform::CodePage& codePage,
                                        const std::string& launcherPath);

// "file:///" and the launcher folder with separator and "index.html", unescaped.
std::string IntroPageURLOf(const platform::CodePage& codePage, const std::string& launcherPath);

// The destination followed by the install name; a destination ending in a
// backslash keeps it, so the result then holds a doubled one.
inline std::string InstalledCopyOf(const std::string& destination, const std::string& installName) {
  return destination + installName;
}

}  // namespace tarnsel::launcher
