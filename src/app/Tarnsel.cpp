// The program's entry: derives the install paths from its own location and resets
// attributes in an installed copy on the desktop.
#include <windows.h>

#include "launcher/InstallPaths.h"
#include "launcher/ResetAttr.h"
#include "platform/win32/Win32Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tarnsel::platform::win32::Win32Platform system;
  const tarnsel::platform::Platform platform = system.platform();
  const std::string launcherPath = platform.files.moduleFileName();
  const std::string installName = tarnsel::launcher::InstallNameOf(platform.codePage, launcherPath);
  const std::string destination = platform.shell.desktopFolder(0);
  tarnsel::launcher::RESETATTR(platform.files, platform.codePage,
                               tarnsel::launcher::InstalledCopyOf(destination, installName));
  return 0;
}
