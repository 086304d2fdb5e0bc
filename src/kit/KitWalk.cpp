// Walks a kit's application folder by real names, counting what a copy moves.
#include "kit/KitWalk.h"

namespace tarnsel::kit {

namespace attr = platform::attr;

namespace {

class Walker {
 public:
  Walker(platform::RealNameFiles& names, KitFiles& kitFiles, const TargetCodePage& target)
      : names_(names), kitFiles_(kitFiles), target_(target) {}

  void walk(const std::string& folder, const std::string& relative, std::size_t length) {
    const auto listing = names_.listFolder(folder);
    if (listing == nullptr) {
      result.unreadable.push_back(relative);
      return;
    }
    do {
      const platform::NamedEntry entry = listing->entry();
      if (entry.name == "." || entry.name == "..") continue;
      visit(folder + "\\" + entry.name,
            relative.empty() ? entry.name : relative + "\\" + entry.name, entry, length);
    } while (listing->next());
  }

  KitWalk result;

 private:
  void visit(const std::string& path, const std::string& relative,
             const platform::NamedEntry& entry, std::size_t parentLength) {
    const auto encoded = target_.encode(entry.name);
    if (!encoded) result.outsideCodePage.push_back(relative);
    // A name the code page lacks is measured by its UTF-8 bytes, never fewer.
    const std::size_t length = parentLength + 1 + (encoded ? encoded->size() : entry.name.size());
    if (length >= platform::MaxPath) result.tooLong.push_back(relative);
    if (length > result.longestPath) {
      result.longestPath = length;
      result.longestName = relative;
    }
    if ((entry.attributes & attr::Directory) != 0) {
      ++result.folders;
      if ((entry.attributes & attr::ReparsePoint) == 0) walk(path, relative, length);
      return;
    }
    ++result.files;
    if (const auto size = kitFiles_.fileSize(path)) {
      result.bytes += *size;
    } else {
      result.unreadable.push_back(relative);
    }
  }

  platform::RealNameFiles& names_;
  KitFiles& kitFiles_;
  const TargetCodePage& target_;
};

}  // namespace

KitWalk WalkKitFolder(platform::RealNameFiles& names, KitFiles& kitFiles,
                      const TargetCodePage& target, const std::string& folder,
                      std::size_t baseLength) {
  Walker walker(names, kitFiles, target);
  walker.walk(folder, "", baseLength);
  return walker.result;
}

}  // namespace tarnsel::kit
