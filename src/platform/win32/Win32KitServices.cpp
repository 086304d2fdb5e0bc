// Copies, sizes and path expansion by real names, and encoding into code page 932
// without best-fit replacements, for the kit tool.
#include "platform/win32/Win32KitServices.h"

#include <shlobj.h>
#include <windows.h>

#include "platform/win32/WideText.h"

namespace tarnsel::platform::win32 {

namespace {

constexpr UINT kUsersCodePage = 932;

// The UTF-16 form, or nullopt for malformed UTF-8.
std::optional<std::wstring> StrictWiden(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      wide.data(), length);
  return wide;
}

}  // namespace

std::optional<std::string> Win32KitFiles::fullPath(const std::string& path) {
  const auto wide = StrictWiden(path);
  if (!wide || wide->empty()) return std::nullopt;
  const DWORD length = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
  if (length == 0) return std::nullopt;
  std::wstring full(length, L'\0');
  const DWORD written = GetFullPathNameW(wide->c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) return std::nullopt;
  full.resize(written);
  return Narrow(CP_UTF8, full);
}

std::optional<std::uint64_t> Win32KitFiles::fileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(CP_UTF8, path).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Win32KitFiles::createFolders(const std::string& path) {
  const std::wstring wide = Widen(CP_UTF8, path);
  const int result = SHCreateDirectoryExW(nullptr, wide.c_str(), nullptr);
  if (result == ERROR_SUCCESS) return true;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32KitFiles::copyFile(const std::string& from, const std::string& to) {
  return CopyFileW(Widen(CP_UTF8, from).c_str(), Widen(CP_UTF8, to).c_str(), TRUE) != 0;
}

std::optional<std::string> Win32TargetCodePage::encode(const std::string& utf8) const {
  const auto wide = StrictWiden(utf8);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  BOOL usedDefault = FALSE;
  const int size = static_cast<int>(wide->size());
  const int length = WideCharToMultiByte(kUsersCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), size,
                                         nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(length, '\0');
  WideCharToMultiByte(kUsersCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), size, bytes.data(),
                      length, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return bytes;
}

bool Win32TargetCodePage::isActiveCodePage() const { return GetACP() == kUsersCodePage; }

}  // namespace tarnsel::platform::win32
