// Fuzz target: the install paths derived from an arbitrary launcher path and
// destination, under code page 932 or 1252. Every derived folder must be a prefix
// of the launcher path that ends on a character boundary, and every name must be
// free of separators and dots.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzEntry.h"
#include "fuzz/TextChecks.h"
#include "launcher/InstallPaths.h"
#include "platform/PathText.h"

namespace {

using namespace tarnsel;
using fuzzing::Check;
using fuzzing::IsCharacterBoundary;

void CheckDerivedPaths(const platform::CodePage& codePage, const std::string& path) {
  const std::string name = launcher::InstallNameOf(codePage, path);
  Check(name.starts_with('\\'), "install name starts with a backslash", path);
  const std::string bare = name.substr(1);
  Check(platform::LastDelimiter(codePage, bare, "\\:") == std::string::npos,
        "install name holds no separator", path);

  const std::string withSeparator = launcher::LauncherFolderWithSeparator(codePage, path);
  Check(path.starts_with(withSeparator), "folder with separator is a prefix", path);
  Check(IsCharacterBoundary(codePage, path, withSeparator.size()),
        "folder with separator ends on a character boundary", path);
  const std::string rest = path.substr(withSeparator.size());
  Check(platform::LastDelimiter(codePage, rest, "\\:") == std::string::npos,
        "no separator after the folder", path);
  Check(withSeparator.empty() || platform::EndsWithCharacter(codePage, withSeparator, '\\') ||
            platform::EndsWithCharacter(codePage, withSeparator, ':'),
        "folder with separator ends in one", path);
  // The name is the file-name part up to its last dot.
  const std::size_t dot = platform::LastDelimiter(codePage, rest, ".");
  Check(rest.substr(0, dot) == bare, "install name is the file name without extension", path);

  const std::string folder = launcher::LauncherFolderOf(codePage, path);
  Check(withSeparator.starts_with(folder) && withSeparator.size() - folder.size() <= 1,
        "folder drops at most the separator", path);
  Check(IsCharacterBoundary(codePage, path, folder.size()), "folder ends on a boundary", path);

  Check(launcher::IntroPageURLOf(codePage, path) == "file:///" + withSeparator + "index.html",
        "intro page beside the launcher", path);
}

void CheckInstalledCopy(const platform::CodePage& codePage, FuzzedDataProvider& input) {
  const std::string destination = input.ConsumeRandomLengthString(300);
  const std::string launcherPath = input.ConsumeRemainingBytesAsString();
  CheckDerivedPaths(codePage, launcherPath);

  // The installed copy, started through a launcher beside it, names itself again,
  // unless the destination or the name ends in a lone lead byte that takes the
  // following backslash or dot in as its second byte.
  const std::string name = launcher::InstallNameOf(codePage, launcherPath);
  const std::string copy = launcher::InstalledCopyOf(destination, name);
  Check(copy == destination + name, "installed copy joins destination and name", copy);
  CheckDerivedPaths(codePage, copy + ".exe");
  if (fuzzing::EndsOnCompleteCharacter(codePage, destination) &&
      fuzzing::EndsOnCompleteCharacter(codePage, name)) {
    Check(launcher::InstallNameOf(codePage, copy + ".exe") == name,
          "the installed copy keeps its name", copy);
    Check(launcher::LauncherFolderWithSeparator(codePage, copy + ".exe") == destination + "\\",
          "the installed copy lies in the destination", copy);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarnsel::fuzzing::RunOnCodePage(data, size, CheckInstalledCopy);
}
