// Where the folder picker's drive list and tree start at program start, and what
// they fall back on when the current directory lies on a network share.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tarnsel::controls {

// The process's current directory when it lies on a drive. On a network path
// ("\\server\share\...") there is no drive letter to show, so the root of the
// drive that holds the Windows system folder stands in, "C:\" for instance; when
// the system cannot name that folder either, the current directory as it is.
std::string StartFolder(platform::FileSystem& files);

}  // namespace tarnsel::controls
