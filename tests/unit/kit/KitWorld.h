// A simulated Windows for the kit tool's tests: the kit's file services and the
// users' code page over the simulated tree, and a console that keeps what it got.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "kit/KitCommand.h"
#include "kit/KitServices.h"
#include "platform/simulated/AnsiCodePage.h"
#include "platform/simulated/SimulatedWindows.h"
#include "platform/simulated/Utf8Conversion.h"

namespace tarnsel::kit::testing {

class SimulatedKitFiles final : public KitFiles {
 public:
  explicit SimulatedKitFiles(sim::SimulatedWindows& windows) : windows_(windows) {}
  std::optional<std::string> fullPath(const std::string& path) override {
    // The real tool expands in UTF-16; a path this code page lacks is kept as given.
    if (!roundTrips(path)) return path;
    const auto full = windows_.fullPathName(windows_.fromUtf8(path));
    if (!full) return std::nullopt;
    return windows_.toUtf8(*full);
  }
  std::optional<std::uint64_t> fileSize(const std::string& path) override {
    // Files named beyond the code page hold nothing here, as the builder makes them.
    try {
      if (!roundTrips(path)) {
        windows_.attributesByRealName(path);  // throws when there is no such file
        return 0;
      }
      return windows_.contentOf(windows_.fromUtf8(path)).size();
    } catch (const std::out_of_range&) {
      return std::nullopt;
    }
  }
  bool createFolders(const std::string& path) override {
    try {
      windows_.addFolder(windows_.fromUtf8(path));
      return true;
    } catch (const std::invalid_argument&) {
      return false;
    }
  }
  bool copyFile(const std::string& from, const std::string& to) override {
    const std::string source = windows_.fromUtf8(from);
    const std::string target = windows_.fromUtf8(to);
    const auto attributes = windows_.fileAttributes(source);
    if (!attributes || windows_.exists(target)) return false;
    windows_.addFile(target, *attributes, windows_.contentOf(source));
    return true;
  }

 private:
  bool roundTrips(const std::string& utf8) const {
    return windows_.toUtf8(windows_.fromUtf8(utf8)) == utf8;
  }
  sim::SimulatedWindows& windows_;
};

class SimulatedTargetCodePage final : public TargetCodePage {
 public:
  std::optional<std::string> encode(const std::string& utf8) const override {
    if (!sim::holdsName(codePage_, utf8)) return std::nullopt;
    return sim::utf8ToAnsi(codePage_, utf8);
  }
  bool isActiveCodePage() const override { return active; }
  bool active = true;

 private:
  sim::AnsiCodePage codePage_{932};
};

class KeptConsole final : public KitConsole {
 public:
  void out(const std::string& utf8) override { output += utf8; }
  void err(const std::string& utf8) override { errors += utf8; }
  std::string output;
  std::string errors;
};

// The simulated machine with everything the kit tool takes.
struct KitWorld {
  sim::SimulatedWindows windows;
  SimulatedKitFiles kitFiles{windows};
  SimulatedTargetCodePage target;
  KeptConsole console;
  KitTool tool{windows.platform(), kitFiles, target, console, "C:\\tools\\Tarnsel.exe"};
};

}  // namespace tarnsel::kit::testing
