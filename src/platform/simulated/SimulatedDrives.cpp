// The drive services of the simulated Windows.
#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {

namespace {

// GetDriveType's answer for a path that names no drive.
constexpr std::uint32_t NoRootDirectory = 1;
constexpr std::uint32_t NetworkDrive = 4;

}  // namespace

std::uint32_t SimulatedWindows::logicalDrives() {
  std::uint32_t bits = 0;
  for (const auto& [letter, drive] : volumes_.drives) bits |= 1u << (letter - 'A');
  return bits;
}

std::uint32_t SimulatedWindows::driveType(const std::string& rootPath) {
  // No path asks about the current directory's drive or share.
  const Drive* volume = findVolume(rootPath.empty() ? currentDirectory_ : rootPath);
  return volume == nullptr ? NoRootDirectory : volume->settings.type;
}

std::optional<std::string> SimulatedWindows::volumeLabel(const std::string& rootPath) {
  volumeQueries_.push_back(rootPath);
  const Drive* drive = rootPath.empty() ? nullptr : findDrive(rootPath[0]);
  if (drive == nullptr || !drive->settings.ready) return std::nullopt;
  return drive->settings.label;
}

std::optional<std::string> SimulatedWindows::networkConnection(const std::string& localName) {
  const Drive* drive = localName.empty() ? nullptr : findDrive(localName[0]);
  if (drive == nullptr || drive->settings.type != NetworkDrive) return std::nullopt;
  return drive->settings.networkName;
}

std::uint32_t SimulatedWindows::setErrorMode(std::uint32_t mode) {
  const std::uint32_t previous = errorMode_;
  errorMode_ = mode;
  return previous;
}

}  // namespace tarnsel::sim
