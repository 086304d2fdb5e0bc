// The publisher's console tool: checks a kit and makes one. Reads its arguments as
// UTF-16 and prints UTF-8 (or UTF-16 to a console window).
#include <windows.h>

#include <string>
#include <vector>

#include "kit/KitCommand.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32KitServices.h"
#include "platform/win32/Win32Platform.h"

namespace {

using tarnsel::platform::win32::Narrow;
using tarnsel::platform::win32::Widen;

// Console windows get the text as UTF-16, which shows every character; pipes and
// files get UTF-8 bytes.
class StandardStreams final : public tarnsel::kit::KitConsole {
 public:
  void out(const std::string& utf8) override { write(STD_OUTPUT_HANDLE, utf8); }
  void err(const std::string& utf8) override { write(STD_ERROR_HANDLE, utf8); }

 private:
  static void write(DWORD which, const std::string& utf8) {
    const HANDLE stream = GetStdHandle(which);  // not owned
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE || utf8.empty()) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(stream, &mode)) {
      const std::wstring wide = Widen(CP_UTF8, utf8);
      WriteConsoleW(stream, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
      WriteFile(stream, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
  }
};

// The launcher binary that make ships: Tarnsel.exe in this program's folder.
std::string LauncherBesideThisProgram() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  return Narrow(CP_UTF8, folder + L"\\Tarnsel.exe");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Before anything loads a library: none may come from the folder of a kit.
  tarnsel::platform::win32::restrictLibrarySearch();
  tarnsel::platform::win32::Win32Platform system;
  tarnsel::platform::win32::Win32KitFiles kitFiles;
  tarnsel::platform::win32::Win32TargetCodePage target;
  StandardStreams console;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(Narrow(CP_UTF8, argv[i]));
  tarnsel::kit::KitTool tool{system.platform(), kitFiles, target, console,
                             LauncherBesideThisProgram()};
  return tarnsel::kit::RunKitTool(tool, arguments);
}
