// The system libraries that the program loads from the system folder at start
// and keeps, so that no later load of the same name can find a planted copy.
#pragma once

#include <array>

namespace tarnsel::platform {

// Libraries that the system's own components (the common controls, the window
// manager, the message boxes, the shell's dialogs) load by name only while the
// program runs, often as a delayed import at first use. Such a load ends in a
// module already loaded under that name, so once these are in, a copy planted
// beside the launcher or in the current directory is never reached, whatever
// search order the loader or an older system uses.
//   msimg32  transparent and alpha blits of the lists, combo boxes and message
//            box icons (a delayed import of the common controls)
//   uxtheme  themed drawing of the controls and the window frames
//   dwmapi   the desktop composition queries of the themed frames and dialogs
inline constexpr std::array<const wchar_t*, 3> kPreloadedSystemLibraries = {
    L"msimg32.dll", L"uxtheme.dll", L"dwmapi.dll"};

}  // namespace tarnsel::platform
