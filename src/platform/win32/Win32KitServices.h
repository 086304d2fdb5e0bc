// The kit tool's file services and the users' code page on real Windows, through
// the wide calls so that every name arrives as stored.
#pragma once

#include "kit/KitServices.h"

namespace tarnsel::platform::win32 {

class Win32KitFiles final : public kit::KitFiles {
 public:
  std::optional<std::string> fullPath(const std::string& path) override;
  std::optional<std::uint64_t> fileSize(const std::string& path) override;
  bool createFolders(const std::string& path) override;
  bool copyFile(const std::string& from, const std::string& to) override;
};

// Code page 932, whatever this machine's ANSI code page is.
class Win32TargetCodePage final : public kit::TargetCodePage {
 public:
  std::optional<std::string> encode(const std::string& utf8) const override;
  bool isActiveCodePage() const override;
};

}  // namespace tarnsel::platform::win32
