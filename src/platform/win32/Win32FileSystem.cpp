// File-system services through the ANSI calls, so that paths stay byte strings in
// the system's code page.
#include "platform/win32/Win32Platform.h"

#include <cstring>
#include <vector>

#include "platform/PathText.h"
#include "platform/win32/FileFacts.h"
#include "platform/win32/ScopedHandles.h"

namespace tarnsel::platform::win32 {

namespace {

bool Admitted(DWORD attributes, std::uint32_t mask) {
  return (attributes & ~mask & attr::SearchSpecial) == 0;
}

DirectoryEntry EntryOf(const WIN32_FIND_DATAA& data) {
  // cFileName holds at most MAX_PATH bytes; never read past it.
  return {std::string(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName)),
          data.dwFileAttributes};
}

class Win32DirectorySearch final : public DirectorySearch {
 public:
  Win32DirectorySearch(FindHandle handle, const WIN32_FIND_DATAA& first, std::uint32_t mask)
      : handle_(std::move(handle)), entry_(EntryOf(first)), mask_(mask) {}

  const DirectoryEntry& entry() const override { return entry_; }

  bool next() override {
    WIN32_FIND_DATAA data;
    while (FindNextFileA(handle_.get(), &data)) {
      if (Admitted(data.dwFileAttributes, mask_)) {
        entry_ = EntryOf(data);
        return true;
      }
    }
    return false;
  }

 private:
  FindHandle handle_;
  DirectoryEntry entry_;
  std::uint32_t mask_;
};

// Fills a buffer through a call that returns the length it needs when the buffer is
// too small (GetModuleFileName-style calls are handled by their own loop).
template <typename Call>
std::optional<std::string> ReadGrowing(Call&& call, DWORD start) {
  std::vector<char> buffer(start);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
  return std::nullopt;
}

}  // namespace

std::string Win32FileSystem::moduleFileName() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), buffer.size());
    // Wine names a program started from a share "UNC\server\share\..."; Windows
    // gives the plain "\\server\share\..." that the install paths are built from.
    if (length < buffer.size()) return WithoutNamespacePrefix(std::string(buffer.data(), length));
    buffer.resize(buffer.size() * 2);  // truncated: a long-path location
  }
}

std::string Win32FileSystem::systemFolder() {
  return ReadGrowing([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); },
                     MAX_PATH)
      .value_or(std::string());
}

std::optional<std::string> Win32FileSystem::fullPathName(const std::string& path) {
  char buffer[MAX_PATH];
  char* filePart = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &filePart);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return std::string(buffer, length);
}

std::string Win32FileSystem::currentDirectory() {
  return ReadGrowing([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); },
                     MAX_PATH)
      .value_or(std::string());
}

std::uint32_t Win32FileSystem::setCurrentDirectory(const std::string& path) {
  if (SetCurrentDirectoryA(path.c_str())) return 0;
  const DWORD code = GetLastError();
  return code != 0 ? code : error::PathNotFound;
}

std::unique_ptr<DirectorySearch> Win32FileSystem::findFirst(const std::string& pattern,
                                                            std::uint32_t attributeMask) {
  WIN32_FIND_DATAA data;
  FindHandle handle(FindFirstFileA(pattern.c_str(), &data));
  if (!handle.valid()) return nullptr;
  // Windows returns every entry; passing over by attribute is the caller's part.
  while (!Admitted(data.dwFileAttributes, attributeMask)) {
    if (!FindNextFileA(handle.get(), &data)) return nullptr;
  }
  return std::make_unique<Win32DirectorySearch>(std::move(handle), data, attributeMask);
}

bool Win32FileSystem::fileExists(const std::string& path) {
  WIN32_FIND_DATAA data;
  FindHandle handle(FindFirstFileA(path.c_str(), &data));
  if (!handle.valid() || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  return HasDosTime(data.ftLastWriteTime);
}

std::optional<std::uint32_t> Win32FileSystem::fileAttributes(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

bool Win32FileSystem::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool Win32FileSystem::createDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

std::optional<std::string> Win32FileSystem::finalPath(const std::string& path) {
  // Backup semantics lets the call open folders; the handle is only asked for its name.
  FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return std::nullopt;
  auto name = ReadGrowing(
      [&](char* buffer, DWORD size) {
        return GetFinalPathNameByHandleA(file.get(), buffer, size, VOLUME_NAME_DOS);
      },
      MAX_PATH + 8);
  if (!name) return std::nullopt;
  return WithoutNamespacePrefix(std::move(*name));
}

}  // namespace tarnsel::platform::win32
