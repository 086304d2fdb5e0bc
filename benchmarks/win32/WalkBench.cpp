// The attribute reset walk against the least a walk can do. For each run the
// files below <folder> get read-only, hidden and system set, then one of the two
// walks is timed: the launcher's RESETATTR over the Win32 platform, or a bare
// recursive FindFirstFileA/FindNextFileA walk that only calls SetFileAttributesA.
// Afterwards every file must carry the archive attribute alone. Prints
// "resetattr <ms>" and "bare <ms>" lines, one of each per run.
//   walkbench <folder> <runs>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Stopwatch.h"
#include "launcher/ResetAttr.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Win32Platform.h"

namespace {

using tarnsel::bench::Stopwatch;
using tarnsel::platform::win32::FindHandle;

// Calls visit(path, attributes) for every file below `folder`; folder links are
// not followed.
template <typename Visit>
void VisitFiles(const std::string& folder, Visit& visit) {
  WIN32_FIND_DATAA data;
  const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &data));
  if (!search.valid()) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      visit(path, data.dwFileAttributes);
    } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      VisitFiles(path, visit);
    }
  } while (FindNextFileA(search.get(), &data));
}

// Sets every file's attributes; returns how many files were set.
int SetEveryFile(const std::string& folder, DWORD attributes) {
  int count = 0;
  auto set = [&](const std::string& path, DWORD) {
    if (SetFileAttributesA(path.c_str(), attributes)) ++count;
  };
  VisitFiles(folder, set);
  return count;
}

// Files whose attributes are not the archive bit alone.
int FilesNotReset(const std::string& folder) {
  int count = 0;
  auto check = [&](const std::string&, DWORD attributes) {
    if ((attributes & 0x3F) != FILE_ATTRIBUTE_ARCHIVE) ++count;
  };
  VisitFiles(folder, check);
  return count;
}

constexpr DWORD Protected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: walkbench <folder> <runs>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int runs = std::atoi(argv[2]);
  tarnsel::platform::win32::Win32Platform system;
  const tarnsel::platform::Platform platform = system.platform();

  auto resetAttr = [&] { tarnsel::launcher::RESETATTR(platform.files, platform.codePage, folder); };
  auto bareWalk = [&] { SetEveryFile(folder, FILE_ATTRIBUTE_ARCHIVE); };
  auto timed = [&](const char* label, auto&& walk) {
    const int files = SetEveryFile(folder, Protected);
    if (files == 0 || FilesNotReset(folder) != files) {
      std::fprintf(stderr, "%s: could not protect the files of %s\n", label, folder.c_str());
      return false;
    }
    const Stopwatch stopwatch;
    walk();
    const double milliseconds = stopwatch.milliseconds();
    if (const int left = FilesNotReset(folder); left != 0) {
      std::fprintf(stderr, "%s: %d of %d files not reset\n", label, left, files);
      return false;
    }
    std::printf("%s %.1f\nfiles %d\n", label, milliseconds, files);
    return true;
  };
  // Alternating which walk goes first evens out caches warmed by the one before.
  for (int run = 0; run < runs; ++run) {
    const bool ok = run % 2 == 0 ? timed("resetattr", resetAttr) && timed("bare", bareWalk)
                                 : timed("bare", bareWalk) && timed("resetattr", resetAttr);
    if (!ok) return 1;
  }
  return 0;
}
