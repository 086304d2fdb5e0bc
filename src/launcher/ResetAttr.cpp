#include "launcher/ResetAttr.h"

#include "platform/PathText.h"

namespace tarnsel::launcher {

namespace {

using platform::CodePage;
using platform::FileSystem;

class AttributeResetWalk {
 public:
  AttributeResetWalk(FileSystem& files, const CodePage& codePage)
      : files_(files), codePage_(codePage) {}

  // `realFolder` is where `folder` really lies; every entry handled must lie
  // directly below it under its own name.
  void walk(const std::string& folder, const std::string& realFolder) {
    // A trailing backslash is a whole character: the second byte of a double-byte
    // name such as 表 (95 5C) is no separator, so such a folder still gets one.
    const std::string separator = platform::EndsWithCharacter(codePage_, folder, '\\') ? "" : "\\";
    const auto search = files_.findFirst(folder + separator + "*.*", platform::attr::Any);
    if (!search) return;
    do {
      const std::string& name = search->entry().name;
      const std::string fullName = folder + separator + name;
      const std::string realName = platform::JoinPath(codePage_, realFolder, name);
      if (files_.fileExists(fullName)) {
        if (liesWhereItAppears(fullName, realName)) {
          files_.setFileAttributes(fullName, platform::attr::Archive);
        }
      } else if (platform::FolderExists(files_, fullName) && name != "." && name != "..") {
        if (liesWhereItAppears(fullName, realName)) walk(fullName, realName);
      }
    } while (search->next());
  }

 private:
  // False for an entry that a link leads elsewhere: out of the tree, or back into it.
  bool liesWhereItAppears(const std::string& path, const std::string& expected) {
    const auto real = files_.finalPath(path);
    return real && platform::SameFileName(codePage_, *real, expected);
  }

  FileSystem& files_;
  const CodePage& codePage_;
};

}  // namespace

void RESETATTR(FileSystem& files, const CodePage& codePage, const std::string& folder) {
  // A folder that can't be opened can't be listed either: nothing to do.
  const auto realFolder = files.finalPath(folder);
  if (!realFolder) return;
  AttributeResetWalk(files, codePage).walk(folder, *realFolder);
}

}  // namespace tarnsel::launcher
