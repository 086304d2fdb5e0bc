// Library search limited to the system folder.
#include "platform/win32/SystemLibrary.h"

#include <string>

namespace tarnsel::platform::win32 {

void restrictLibrarySearch() {
  // Removes the current directory from the search of LoadLibrary by name.
  SetDllDirectoryW(L"");
  // Windows 7 has SetDefaultDllDirectories only with its update KB2533623:
  // looked up by name, and left out where it is missing.
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto setDefault = reinterpret_cast<SetDefaultDirectories>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault != nullptr) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

SystemLibrary::SystemLibrary(const wchar_t* fileName, Source source) {
  if (source == Source::SideBySide) {
    module_ = LoadLibraryW(fileName);
    return;
  }
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
  module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

}  // namespace tarnsel::platform::win32
