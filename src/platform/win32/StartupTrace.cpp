// Start-up phase stamps for the measuring build: milliseconds since the process
// was created, from the system's precise clock, appended to a named file.
#include "platform/win32/StartupTrace.h"

#include <windows.h>

#include <cstdio>

namespace tarnsel::platform::win32 {

namespace {

using PreciseTimeCall = void(WINAPI*)(FILETIME*);

ULONGLONG Ticks(const FILETIME& time) {
  return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The precise clock exists from Windows 8 on; the coarse one is the fallback.
FILETIME Now() {
  static const auto precise = reinterpret_cast<PreciseTimeCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME now = {};
  if (precise) {
    precise(&now);
  } else {
    GetSystemTimeAsFileTime(&now);
  }
  return now;
}

}  // namespace

void StampStartupPhase(const char* phase) noexcept {
  const FILETIME now = Now();
  wchar_t path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"TARNSEL_STARTUP_TRACE_FILE", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
  const ULONGLONG since = Ticks(now) > Ticks(created) ? Ticks(now) - Ticks(created) : 0;
  const double milliseconds = double(since) / 10000.0;
  if (FILE* file = _wfopen(path, L"a")) {
    std::fprintf(file, "%s %.2f\n", phase, milliseconds);
    std::fclose(file);
  }
}

}  // namespace tarnsel::platform::win32
