// The system libraries loaded from the system folder before any window exists and
// kept for the owner's life; see platform/PreloadedLibraries.h for the choice.
#pragma once

#include <vector>

#include "platform/win32/SystemLibrary.h"

namespace tarnsel::platform::win32 {

class PreloadedLibraries {
 public:
  PreloadedLibraries();
  PreloadedLibraries(const PreloadedLibraries&) = delete;
  PreloadedLibraries& operator=(const PreloadedLibraries&) = delete;

  // How many of the listed libraries the system folder held.
  int loadedCount() const;

 private:
  std::vector<SystemLibrary> libraries_;
};

}  // namespace tarnsel::platform::win32
