// The walk over a kit's application folder by real names: what the setup will
// copy, which names code page 932 cannot hold and which paths grow too long.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kit/KitServices.h"
#include "platform/Platform.h"

namespace tarnsel::kit {

struct KitWalk {
  std::uint64_t files = 0;
  std::uint64_t folders = 0;
  std::uint64_t bytes = 0;
  std::size_t longestPath = 0;               // bytes, with the base length
  std::string longestName;                   // relative, UTF-8
  std::vector<std::string> outsideCodePage;  // relative paths of names 932 lacks
  std::vector<std::string> tooLong;          // relative paths of 260 bytes or more
  std::vector<std::string> unreadable;       // relative paths ("" for the folder itself)
};

// Walks `folder` (UTF-8). `baseLength` is the byte length of the folder's path on
// the users' machines, which each entry's "\" and name (in code page 932) extend.
// Links are counted but not followed.
KitWalk WalkKitFolder(platform::RealNameFiles& names, KitFiles& kitFiles,
                      const TargetCodePage& target, const std::string& folder,
                      std::size_t baseLength);

}  // namespace tarnsel::kit
