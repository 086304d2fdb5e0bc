// Measures how long a program takes from its process start to a visible
// top-level window with a given title, then closes that window and waits for the
// program to end. Prints the milliseconds. Usage: timeshow <program> <title>
#include <windows.h>

#include <cstdio>
#include <string>

#include "ToolHandles.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 3;
  }
  const tarnsel::test_tools::StartedProcess started(process);
  HWND window = nullptr;
  for (int i = 0; i < 60000 && !window; ++i) {
    HWND found = FindWindowW(nullptr, argv[2]);
    DWORD owner = 0;
    if (found) GetWindowThreadProcessId(found, &owner);
    if (found && owner == started.id && IsWindowVisible(found)) window = found;
    if (!window) Sleep(1);
  }
  QueryPerformanceCounter(&now);
  const double milliseconds = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(started.process.get(), 10000);
  if (!window) return 4;
  std::printf("%.1f\n", milliseconds);
  return 0;
}
