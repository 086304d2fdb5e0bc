// Test helper: starts a program with a given show command in its start-up
// information, as a shortcut set to "maximised" or "minimised" would, and waits
// for it to end. Usage: showrun <show command> <program>
#include <windows.h>

#include <cwchar>
#include <string>

#include "ToolHandles.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(std::wcstol(argv[1], nullptr, 10));
  std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(argv[2], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 3;
  }
  const tarnsel::test_tools::StartedProcess started(process);
  WaitForSingleObject(started.process.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(started.process.get(), &code);
  return static_cast<int>(code);
}
