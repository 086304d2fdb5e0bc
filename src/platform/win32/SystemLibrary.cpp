// Library search limited to the system folder.
#include "platform/win32/SystemLibrary.h"

#include <string>

namespace tarnsel::platform::win32 {

void restrictLibrarySearch() {
  // Removes the current directory from the search of LoadLibrary by name.
  SetDllDirectoryW(L"");
  // Windows 7 has SetDefaultDllDirectories only with its update KB2533623:
  // looked up by name, and left out where it is missing.
  using FlagsCall = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto kernelCall = [kernel](const char* name) {
    return reinterpret_cast<FlagsCall>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
  };
  if (const auto setDefault = kernelCall("SetDefaultDllDirectories")) {
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // Program and file searches by name, too, look in the current directory last.
  if (const auto setSearchMode = kernelCall("SetSearchPathMode")) {
    setSearchMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
  }
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
