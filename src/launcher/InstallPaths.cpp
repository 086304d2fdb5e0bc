#include "launcher/InstallPaths.h"

#include "platform/PathText.h"

namespace tarnsel::launcher {

using platform::LastDelimiter;

std::string InstallNameOf(const platform::CodePage& codePage, const std::string& launcherPath) {
  const std::size_t slash = LastDelimiter(codePage, launcherPath, "\\:");
  std::string name = launcherPath.substr(slash == std::string::npos ? 0 : slash + 1);
  const std::size_t dot = LastDelimiter(codePage, name, ".");
  if (dot != std::string::npos) name.erase(dot);
  return "\\" + name;
}

std::string LauncherFolderOf(const platform::CodePage& codePage, const std::string& launcherPath) {
  const std::size_t slash = LastDelimiter(codePage, launcherPath, "\\:");
  if (slash == std::string::npos) return {};
  if (launcherPath[slash] == ':') return launcherPath.substr(0, slash + 1);
  if (slash > 0) {
    // The byte before counts only when it is a character of its own.
    const std::size_t before =
        platform::LastCharacterStart(codePage, launcherPath.substr(0, slash));
    const bool single = before == slash - 1;
    const char c = launcherPath[slash - 1];
    if (single && (c == ':' || c == '\\')) return launcherPath.substr(0, slash + 1);
  }
  return launcherPath.substr(0, slash);
}

std::string LauncherFolderWithSeparator(const platform::CodePage& codePage,
                                        const std::string& launcherPath) {
  const std::size_t slash = LastDelimiter(codePage, launcherPath, "\\:");
  return slash == std::string::npos ? std::string() : launcherPath.substr(0, slash + 1);
}

std::string IntroPageURLOf(const platform::CodePage& codePage, const std::string& launcherPath) {
  return "file:///" + LauncherFolderWithSeparator(codePage, launcherPath) + "index.html";
}

}  // namespace tarnsel::launcher
