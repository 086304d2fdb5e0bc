// Stands in for an installed program: appends the exact command line it was
// started with, as one line, to the file named by TARNSEL_PROBE_LOG (or to the
// file beside itself with ".log" added), then ends.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/ScopedHandles.h"

int main() {
  char logPath[MAX_PATH * 2] = {};
  if (GetEnvironmentVariableA("TARNSEL_PROBE_LOG", logPath, sizeof logPath) == 0) {
    const DWORD length = GetModuleFileNameA(nullptr, logPath, MAX_PATH);
    std::snprintf(logPath + length, sizeof logPath - length, ".log");
  }
  // MinGW's argument parsing mangles bytes >= 0x80; the raw line is what counts.
  const std::string line = std::string(GetCommandLineA()) + "\n";
  const tarnsel::platform::win32::FileHandle log(CreateFileA(logPath, FILE_APPEND_DATA,
                                                             FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log.valid()) return 2;
  DWORD written = 0;
  const BOOL ok = WriteFile(log.get(), line.data(), line.size(), &written, nullptr);
  return ok && written == line.size() ? 0 : 3;
}
