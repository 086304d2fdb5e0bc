// The contract tests' world on real files: a fresh folder under the temporary
// folder, filled through the Win32 API and removed afterwards.
#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "contract/ContractWorld.h"
#include "platform/win32/Win32Platform.h"
#include "tools/ReadOnlyLast.h"

namespace tarnsel::contract {
namespace {

void Require(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what + " failed: " + std::to_string(GetLastError()));
}

std::wstring Wide(UINT codePage, const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(codePage, 0, text.data(), text.size(), wide.data(), wide.size()));
  return wide;
}

// Wide calls, so that names outside the code page go too.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      const bool link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) {
        RemoveTree(path);
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(path.c_str());
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

void RemoveTree(const std::string& folder) { RemoveTree(Wide(CP_ACP, folder)); }

class Win32World final : public ContractWorld {
 public:
  Win32World() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    Require(GetTempPathA(MAX_PATH, temp) > 0, "GetTempPath");
    root_ = std::string(temp) + "tarnsel-contract-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    RemoveTree(root_);
    Require(CreateDirectoryA(root_.c_str(), nullptr), "CreateDirectory " + root_);
  }
  ~Win32World() override { RemoveTree(root_); }

  platform::Platform platform() override { return system_.platform(); }
  const std::string& root() const override { return root_; }

  void makeFolder(const std::string& relative, std::uint32_t attributes) override {
    const std::string full = path(relative);
    Require(CreateDirectoryA(full.c_str(), nullptr), "CreateDirectory " + full);
    if (attributes != 0) {
      Require(tools::SetAttributesReadOnlyLast(full.c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY),
              "SetFileAttributes " + full);
    }
  }

  void makeFile(const std::string& relative, std::uint32_t attributes, int lastWriteYear) override {
    const std::string full = path(relative);
    const HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    Require(file != INVALID_HANDLE_VALUE, "CreateFile " + full);
    SYSTEMTIME when = {};
    when.wYear = static_cast<WORD>(lastWriteYear);
    when.wMonth = 6;
    when.wDay = 1;
    FILETIME time;
    const bool timed =
        SystemTimeToFileTime(&when, &time) && SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    Require(timed, "SetFileTime " + full);
    if (attributes != 0) {
      Require(tools::SetAttributesReadOnlyLast(full.c_str(), attributes),
              "SetFileAttributes " + full);
    }
  }

  void makeRealNameFile(const std::string& relativeFolder, const std::string& utf8Name,
                        std::uint32_t attributes) override {
    const std::string folder = relativeFolder.empty() ? root_ : path(relativeFolder);
    const std::wstring full = Wide(CP_ACP, folder) + L"\\" + Wide(CP_UTF8, utf8Name);
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    Require(file != INVALID_HANDLE_VALUE, "CreateFileW " + utf8Name);
    CloseHandle(file);
    if (attributes != 0) {
      Require(tools::SetAttributesReadOnlyLast(full.c_str(), attributes),
              "SetFileAttributesW " + utf8Name);
    }
  }

  void rename(const std::string& relative, const std::string& newName) override {
    // The relative names of the tests are ASCII, so the last backslash byte is one.
    const std::size_t separator = relative.rfind('\\');
    const std::string from = path(relative);
    const std::string to = path(
        separator == std::string::npos ? newName : relative.substr(0, separator + 1) + newName);
    Require(MoveFileA(from.c_str(), to.c_str()), "MoveFile " + from);
  }

  bool makeFolderLink(const std::string& relative, const std::string& target) override {
    // Wine accepts the call but makes no link; trust only what can be seen.
    const std::string full = path(relative);
    CreateSymbolicLinkA(full.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    const DWORD attributes = GetFileAttributesA(full.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

 private:
  platform::win32::Win32Platform system_;
  std::string root_;
};

}  // namespace

std::unique_ptr<ContractWorld> MakeContractWorld() { return std::make_unique<Win32World>(); }

}  // namespace tarnsel::contract
