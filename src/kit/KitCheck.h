// The check of a kit: what the launcher will do with it on a user's machine, found
// with the launcher's own file lists and install paths, and every pitfall of the
// layout. Paths in the prediction are ANSI bytes of this machine's code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kit/ExitCodes.h"
#include "kit/KitServices.h"
#include "platform/Platform.h"

namespace tarnsel::kit {

// A usual desktop on the users' machines: a user name of twenty characters.
inline constexpr const char* kAssumedDesktop = "C:\\Users\\abcdefghijklmnopqrst\\Desktop";

struct KitFinding {
  ExitCode code;
  std::string text;  // UTF-8
};

struct KitPrediction {
  std::string launcherPath;
  std::string installName;
  std::string sourceFolder;  // as the file list holds it; empty when it can't be listed
  std::vector<std::string> programEntries;  // FileListBox1's entries in order
  std::vector<std::string> startEntries;    // FileListBox2's entries in order
  std::string introPageURL;                 // empty: the window collapses
  std::string desktop;                      // this machine's, as the launcher looks it up
  std::string destination;                  // desktop + install name
  std::string targetProgramPath;
  std::string startFilePath;
  std::string commandLine;  // as the started program receives it
  std::uint64_t files = 0;
  std::uint64_t folders = 0;
  std::uint64_t bytes = 0;
  std::size_t longestPath = 0;  // bytes under kAssumedDesktop, code page 932
  std::string longestPathName;  // UTF-8, relative to the install name's folder
  std::vector<KitFinding> findings;

  // The highest code among the findings (errors above warnings); Clean when none.
  ExitCode exitCode() const;
};

// Checks the kit of the launcher at `launcherPath` (absolute, ANSI). Throws
// KitInputError when the launcher is missing or not a file. Changes nothing on
// disk; the current directory is put back.
KitPrediction CheckKit(platform::Platform platform, KitFiles& kitFiles,
                       const TargetCodePage& target, const std::string& launcherPath);

}  // namespace tarnsel::kit
