// Shell services: desktop lookup, the shell's file copy, opening a program, beeps.
#include "platform/win32/Win32Platform.h"

#include <cstring>

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/win32/ScopedHandles.h"

namespace tarnsel::platform::win32 {

std::string Win32Shell::desktopFolder(WindowHandle owner) {
  ItemIdList list;
  char buffer[MAX_PATH] = {};
  SHGetSpecialFolderLocation(reinterpret_cast<HWND>(owner), CSIDL_DESKTOP, list.receive());
  if (list.get() == nullptr || !SHGetPathFromIDListA(list.get(), buffer)) return {};
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

int Win32Shell::fileOperation(const ShellFileOperation& operation) {
  SHFILEOPSTRUCTA record = {};
  record.hwnd = reinterpret_cast<HWND>(operation.owner);
  record.wFunc = operation.operation;
  // The lists carry their own closing NULs; c_str() adds one more.
  record.pFrom = operation.from.c_str();
  record.pTo = operation.to.c_str();
  record.fFlags = operation.flags;
  return SHFileOperationA(&record);
}

std::intptr_t Win32Shell::execute(WindowHandle owner, const std::string& verb,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) {
  const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), verb.c_str(), file.c_str(),
                                         parameters.c_str(), directory.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

void Win32Shell::messageBeep(std::uint32_t type) { MessageBeep(type); }

}  // namespace tarnsel::platform::win32
