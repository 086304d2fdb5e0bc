// Loads the listed system libraries by their full path in the system folder.
#include "platform/win32/PreloadedLibraries.h"

#include <algorithm>

#include "platform/PreloadedLibraries.h"
#include "platform/win32/StartupTrace.h"

namespace tarnsel::platform::win32 {

PreloadedLibraries::PreloadedLibraries() {
  libraries_.reserve(kPreloadedSystemLibraries.size());
  // A library missing from an older system is simply left out: then nothing of
  // the system loads it either.
  for (const wchar_t* name : kPreloadedSystemLibraries) libraries_.emplace_back(name);
  TARNSEL_STARTUP_STAMP("preloaded");
}

int PreloadedLibraries::loadedCount() const {
  return static_cast<int>(
      std::count_if(libraries_.begin(), libraries_.end(),
                    [](const SystemLibrary& library) { return library.loaded(); }));
}

}  // namespace tarnsel::platform::win32
