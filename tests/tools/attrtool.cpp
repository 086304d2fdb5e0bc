// Test helper for the end-to-end scripts: reads and sets Windows attributes and
// file times through the real API.
//   attrtool set <hex attributes> <path>     SetFileAttributesA (read-only last)
//   attrtool age <year> <path>               last-write time to 1 Jan of that year
//   attrtool dump <folder>                   "<hex>\t<relative path>" for every entry below
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ReadOnlyLast.h"
#include "platform/win32/ScopedHandles.h"

namespace {

using tarnsel::platform::win32::FileHandle;
using tarnsel::platform::win32::FindHandle;

void Dump(const std::string& folder, const std::string& relative) {
  WIN32_FIND_DATAA data;
  const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &data));
  if (!search.valid()) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative.empty() ? name : relative + "\\" + name;
    std::printf("%02lx\t%s\n", data.dwFileAttributes & 0x3F, path.c_str());
    const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) {
      Dump(folder + "\\" + name, path);
    }
  } while (FindNextFileA(search.get(), &data));
}

bool Age(int year, const char* path) {
  SYSTEMTIME when = {};
  when.wYear = static_cast<WORD>(year);
  when.wMonth = 1;
  when.wDay = 1;
  when.wHour = 12;
  FILETIME time;
  if (!SystemTimeToFileTime(&when, &time)) return false;
  const FileHandle file(CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return false;
  return SetFileTime(file.get(), nullptr, nullptr, &time) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "set" && argc == 4) {
    return tarnsel::tools::SetAttributesReadOnlyLast(argv[3], std::strtoul(argv[2], nullptr, 16))
               ? 0
               : 1;
  }
  if (command == "age" && argc == 4) return Age(std::atoi(argv[2]), argv[3]) ? 0 : 1;
  if (command == "dump" && argc == 3) {
    Dump(argv[2], "");
    return 0;
  }
  std::fprintf(stderr, "usage: attrtool set <hex> <path> | age <year> <path> | dump <folder>\n");
  return 2;
}
