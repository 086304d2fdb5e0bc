// Drive queries for the drive list.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <winnetwk.h>

#include "platform/win32/SystemLibrary.h"

#include <cstring>

namespace tarnsel::platform::win32 {

namespace {
constexpr DWORD kNameBuffer = 261;
}

Win32Drives::Win32Drives() = default;
Win32Drives::~Win32Drives() = default;

std::uint32_t Win32Drives::logicalDrives() { return GetLogicalDrives(); }

std::uint32_t Win32Drives::driveType(const std::string& rootPath) {
  return GetDriveTypeA(rootPath.c_str());
}

std::optional<std::string> Win32Drives::volumeLabel(const std::string& rootPath) {
  char label[kNameBuffer];
  label[0] = 0;
  DWORD maximumComponentLength = 0;
  DWORD fileSystemFlags = 0;
  if (!GetVolumeInformationA(rootPath.c_str(), label, kNameBuffer, nullptr, &maximumComponentLength,
                             &fileSystemFlags, nullptr, 0)) {
    return std::nullopt;
  }
  // A label that fills the buffer without a NUL is cut at the buffer's end.
  return std::string(label, strnlen(label, kNameBuffer));
}

std::optional<std::string> Win32Drives::networkConnection(const std::string& localName) {
  char remote[kNameBuffer];
  remote[0] = 0;
  DWORD size = kNameBuffer;
  if (!networkLibrary_) networkLibrary_ = std::make_unique<SystemLibrary>(L"mpr.dll");
  using GetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  const auto getConnection = networkLibrary_->function<GetConnection>("WNetGetConnectionA");
  if (getConnection == nullptr) return std::nullopt;
  if (getConnection(localName.c_str(), remote, &size) != NO_ERROR) return std::nullopt;
  return std::string(remote, strnlen(remote, kNameBuffer));
}

std::uint32_t Win32Drives::setErrorMode(std::uint32_t mode) { return SetErrorMode(mode); }

}  // namespace tarnsel::platform::win32
