// The attribute reset walk: every file below a folder gets the archive attribute
// alone. Written against the platform's file system; reports nothing.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tarnsel::launcher {

// Walks `folder` depth first and sets each file found to the archive attribute.
// Folders keep their own attributes. Entries are listed and changed by their real
// names, so names the code page cannot hold are reset too. Entries reached through
// a link (a folder junction or a symbolic link) are left alone, so the walk never
// changes anything outside the folder it was given and never loops on a link back
// into it.
void RESETATTR(platform::FileSystem& files, const platform::CodePage& codePage,
               const std::string& folder);

// How the walk makes sure an entry lies where it appears.
enum class LinkGuard {
  // The entry's final path where the file system answers, and always the link bit
  // and identity of the entry opened as itself.
  FinalPathWhereAnswered,
  // The link bit and identity alone: what remains on file systems that refuse
  // final paths. Selectable so that it can be shown where final paths work.
  IdentityOnly,
};

// RESETATTR with the guard chosen.
void ResetAttributesBelow(platform::FileSystem& files, const platform::CodePage& codePage,
                          const std::string& folder, LinkGuard guard);

}  // namespace tarnsel::launcher
