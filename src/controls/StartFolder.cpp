// The start folder of the drive list and the directory tree.
#include "controls/StartFolder.h"

#include "platform/PathText.h"

namespace tarnsel::controls {

std::string StartFolder(platform::FileSystem& files) {
  std::string current = files.currentDirectory();
  if (!platform::DriveRootOf(current).empty()) return current;
  std::string systemRoot = platform::DriveRootOf(files.systemFolder());
  return systemRoot.empty() ? current : systemRoot;
}

}  // namespace tarnsel::controls
