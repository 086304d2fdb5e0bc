// The attribute reset walk: every file below a folder gets the archive attribute
// alone. Written against the platform's file system; reports nothing.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tarnsel::launcher {

// Walks `folder` depth first and sets each file found to the archive attribute.
// Folders keep their own attributes. Entries reached through a link (a folder
// junction or a symbolic link) are left alone, so the walk never changes anything
// outside the folder it was given and never loops on a link back into it.
void RESETATTR(platform::FileSystem& files, const platform::CodePage& codePage,
               const std::string& folder);

}  // namespace tarnsel::launcher
