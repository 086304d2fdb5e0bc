// What the kit tool needs beyond the launcher's platform: copies and sizes by
// real names (UTF-8 paths), and the users' code page, which may differ from the
// code page of the machine the tool runs on. No Windows headers here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarnsel::kit {

class KitFiles {
 public:
  virtual ~KitFiles() = default;
  // The path expanded against the current directory; nullopt when it cannot be.
  virtual std::optional<std::string> fullPath(const std::string& path) = 0;
  // The size in bytes of the file; nullopt when it cannot be read.
  virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
  // Creates the folder and any missing parents; false when that fails.
  virtual bool createFolders(const std::string& path) = 0;
  // Copies one file with its attributes; fails rather than replace `to`.
  virtual bool copyFile(const std::string& from, const std::string& to) = 0;
};

// The ANSI code page of the users' machines (932).
class TargetCodePage {
 public:
  virtual ~TargetCodePage() = default;
  // The name's bytes in that code page; nullopt when it lacks a character.
  virtual std::optional<std::string> encode(const std::string& utf8) const = 0;
  // True when the machine the tool runs on lists names in that code page too, so
  // that names and their order are seen exactly as the users' launcher sees them.
  virtual bool isActiveCodePage() const = 0;
};

}  // namespace tarnsel::kit
