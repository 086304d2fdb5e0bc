// A library that stands for one planted beside a program under a system DLL's
// name. Loaded into a process, it leaves a marker file next to itself, named
// after itself, that holds the loading program's path; it does nothing else.
#include <windows.h>

#include <string>

#include "platform/win32/ScopedHandles.h"

namespace {

void LeaveMarker(HINSTANCE self) {
  wchar_t own[MAX_PATH];
  char host[MAX_PATH];
  const DWORD ownLength = GetModuleFileNameW(self, own, MAX_PATH);
  const DWORD hostLength = GetModuleFileNameA(nullptr, host, MAX_PATH);
  if (ownLength == 0 || ownLength >= MAX_PATH) return;
  const std::wstring marker = std::wstring(own, ownLength) + L".loaded";
  const tarnsel::platform::win32::FileHandle file(CreateFileW(marker.c_str(), FILE_APPEND_DATA,
                                                              FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return;
  const std::string line = std::string(host, hostLength < MAX_PATH ? hostLength : 0) + "\r\n";
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMarker(self);
  return TRUE;
}
