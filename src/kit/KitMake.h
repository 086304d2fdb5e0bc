// Assembling a kit: the launcher binary under the kit's name, the application
// folder beside it under the same name, and an optional intro page. All paths are
// absolute and UTF-8 (real names).
#pragma once

#include <string>

#include "kit/KitServices.h"
#include "platform/Platform.h"

namespace tarnsel::kit {

struct MakeRequest {
  std::string application;     // the folder to ship
  std::string name;            // the kit's name: "<name>.exe" and "<name>\"
  std::string output;          // a missing or empty folder
  std::string intro;           // empty: no intro page
  std::string launcherBinary;  // Tarnsel.exe
};

// Checks everything first and throws KitInputError on bad input or a refusal
// before anything is written; copies only then. Never writes to the sources.
// Returns the path of the launcher in the new kit.
std::string MakeKit(platform::RealNameFiles& names, KitFiles& kitFiles,
                    const TargetCodePage& target, const MakeRequest& request);

// True when `inner` is `outer` or lies below it; letter case is ignored.
bool IsSameOrInside(const std::string& inner, const std::string& outer);

}  // namespace tarnsel::kit
