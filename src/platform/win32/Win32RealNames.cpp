// The real-name services through the wide calls: listings whose names are UTF-8,
// and entries opened once, as themselves, for their identity and attributes.
#include "platform/win32/Win32Platform.h"

#include <cwchar>
#include <vector>

#include "platform/PathText.h"
#include "platform/win32/FileFacts.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/WideText.h"

namespace tarnsel::platform::win32 {

namespace {

// A path the ANSI calls could not reach either stays out of reach.
std::optional<std::wstring> WidePath(const std::string& utf8) {
  std::wstring wide = Widen(CP_UTF8, utf8);
  if (wide.empty() || wide.size() >= MAX_PATH) return std::nullopt;
  return wide;
}

NamedEntry EntryOf(const WIN32_FIND_DATAW& data) {
  const std::wstring name(data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
  return {Narrow(CP_UTF8, name), data.dwFileAttributes, HasDosTime(data.ftLastWriteTime)};
}

class Win32NamedListing final : public NamedListing {
 public:
  Win32NamedListing(FindHandle handle, const WIN32_FIND_DATAW& first)
      : handle_(std::move(handle)), entry_(EntryOf(first)) {}

  const NamedEntry& entry() const override { return entry_; }

  bool next() override {
    WIN32_FIND_DATAW data;
    if (!FindNextFileW(handle_.get(), &data)) return false;
    entry_ = EntryOf(data);
    return true;
  }

 private:
  FindHandle handle_;
  NamedEntry entry_;
};

// The attributes are read once at open; the identity only when asked, since
// the query behind it (which also reads the volume's serial number) costs many
// times the open itself under Wine, and the walk asks it of folders alone.
class Win32OpenedEntry final : public OpenedEntry {
 public:
  Win32OpenedEntry(FileHandle handle, DWORD attributes)
      : handle_(std::move(handle)), attributes_(attributes) {}

  std::uint32_t attributes() const override { return attributes_; }

  std::optional<FileIdentity> identity() const override {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle_.get(), &information)) return std::nullopt;
    const std::uint64_t index =
        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    // Some redirectors answer 0 (or all ones) for every file; such an index would
    // make different folders look like one.
    if (index == 0 || index == ~std::uint64_t{0}) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, index};
  }

  std::optional<std::string> finalPath() override {
    std::vector<wchar_t> buffer(MAX_PATH + 8);
    for (int attempt = 0; attempt < 4; ++attempt) {
      const DWORD length = GetFinalPathNameByHandleW(
          handle_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
      if (length == 0) return std::nullopt;  // refused: a redirector, a RAM disk, ...
      if (length < buffer.size()) {
        return WithoutNamespacePrefix(Narrow(CP_UTF8, std::wstring(buffer.data(), length)));
      }
      buffer.resize(length + 1);
    }
    return std::nullopt;
  }

  bool setAttributes(std::uint32_t attributes) override {
    FILE_BASIC_INFO basic = {};  // times of 0 stay as they are
    basic.FileAttributes = attributes;
    return SetFileInformationByHandle(handle_.get(), FileBasicInfo, &basic, sizeof basic) != 0;
  }

 private:
  FileHandle handle_;
  DWORD attributes_;
};

FileHandle OpenAsItself(const std::wstring& path, DWORD access, bool followLink) {
  // Backup semantics opens folders too; the reparse-point flag opens a link as
  // itself instead of what it leads to.
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  return FileHandle(CreateFileW(path.c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr));
}

}  // namespace

std::unique_ptr<NamedListing> Win32RealNameFiles::listFolder(const std::string& folder) {
  const std::optional<std::wstring> path = WidePath(folder);
  if (!path) return nullptr;
  const std::wstring pattern = *path + (path->back() == L'\\' ? L"*.*" : L"\\*.*");
  WIN32_FIND_DATAW data;
  FindHandle handle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!handle.valid()) return nullptr;
  return std::make_unique<Win32NamedListing>(std::move(handle), data);
}

std::unique_ptr<OpenedEntry> Win32RealNameFiles::openEntry(const std::string& path,
                                                           bool followLink) {
  const std::optional<std::wstring> wide = WidePath(path);
  if (!wide) return nullptr;
  FileHandle handle = OpenAsItself(*wide, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, followLink);
  // A folder whose own attributes may not be changed can still be looked at.
  if (!handle.valid()) handle = OpenAsItself(*wide, FILE_READ_ATTRIBUTES, followLink);
  if (!handle.valid()) return nullptr;
  FILE_ATTRIBUTE_TAG_INFO tag;
  if (!GetFileInformationByHandleEx(handle.get(), FileAttributeTagInfo, &tag, sizeof tag)) {
    return nullptr;
  }
  return std::make_unique<Win32OpenedEntry>(std::move(handle), tag.FileAttributes);
}

}  // namespace tarnsel::platform::win32
