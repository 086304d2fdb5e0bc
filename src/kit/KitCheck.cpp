// Predicts the launcher's start-up on a kit with the launcher's own file lists and
// install paths, then looks for every pitfall of the layout.
#include "kit/KitCheck.h"

#include <algorithm>

#include "controls/FileListBox.h"
#include "kit/KitError.h"
#include "kit/KitWalk.h"
#include "launcher/InstallPaths.h"
#include "platform/Errors.h"
#include "platform/PathText.h"

namespace tarnsel::kit {

namespace attr = platform::attr;
using controls::TFileAttr;
using controls::TFileListBox;

namespace {

// The file lists ask for a screen; a check has none.
class NoScreen final : public screen::ScreenServices {
 public:
  screen::TCursor screenCursor() override { return screen::TCursor::crDefault; }
  void setScreenCursor(screen::TCursor) override {}
  int fontLineHeight() override { return 12; }
};

// Puts the process's current directory back, which the file lists change.
class CurrentDirectoryKeeper {
 public:
  explicit CurrentDirectoryKeeper(platform::FileSystem& files)
      : files_(files), saved_(files.currentDirectory()) {}
  ~CurrentDirectoryKeeper() { files_.setCurrentDirectory(saved_); }
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

 private:
  platform::FileSystem& files_;
  std::string saved_;
};

struct Listed {
  std::string directory;
  std::vector<std::string> entries;
};

// What a file list set up as the main window's shows for `folder`.
Listed ListAsTheLauncher(platform::Platform platform, const std::string& folder,
                         const std::string& mask, bool listFolders) {
  NoScreen screen;
  TFileListBox list(platform, screen);
  list.setMask(mask);
  if (listFolders) list.setFileType({TFileAttr::ftDirectory, TFileAttr::ftNormal});
  list.setDirectory(folder);
  Listed listed{list.Directory(), {}};
  for (int i = 0; i < list.count(); ++i) listed.entries.push_back(list.entry(i).text);
  return listed;
}

// Entries matching `mask` in `folder` whose attributes hold any of `bits`.
std::vector<std::string> EntriesWith(platform::Platform platform, const std::string& folder,
                                     const std::string& mask, std::uint32_t bits) {
  std::vector<std::string> found;
  const auto search =
      platform.files.findFirst(platform::JoinPath(platform.codePage, folder, mask), attr::Any);
  if (search == nullptr) return found;
  do {
    if ((search->entry().attributes & bits) != 0) found.push_back(search->entry().name);
  } while (search->next());
  return found;
}

std::vector<std::string> HiddenFiles(platform::Platform platform, const std::string& folder,
                                     const std::string& mask) {
  std::vector<std::string> hidden;
  for (const std::string& name : EntriesWith(platform, folder, mask, attr::Hidden | attr::System)) {
    const auto attributes =
        platform.files.fileAttributes(platform::JoinPath(platform.codePage, folder, name));
    if (attributes && (*attributes & attr::Directory) == 0) hidden.push_back(name);
  }
  return hidden;
}

bool IsFolderEntry(const std::string& text) {
  return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

class Checker {
 public:
  Checker(platform::Platform platform, KitFiles& kitFiles, const TargetCodePage& target)
      : platform_(platform), kitFiles_(kitFiles), target_(target) {}

  KitPrediction run(const std::string& launcherPath);

 private:
  std::string utf8(const std::string& ansi) const { return platform_.codePage.toUtf8(ansi); }
  void add(ExitCode code, const std::string& text) { p_.findings.push_back({code, text}); }
  std::string names(const std::vector<std::string>& ansiNames) const;
  bool listSource();
  void checkPrograms();
  void checkStartFiles();
  void checkHiddenFiles();
  void checkIntroPage();
  void predictHandOver();
  void checkNames();
  void walkSource();

  platform::Platform platform_;
  KitFiles& kitFiles_;
  const TargetCodePage& target_;
  KitPrediction p_;
  std::string launcherPath_;
};

std::string Checker::names(const std::vector<std::string>& ansiNames) const {
  std::string text;
  for (const std::string& name : ansiNames) {
    if (!text.empty()) text += ", ";
    text += "\"" + utf8(name) + "\"";
  }
  return text;
}

KitPrediction Checker::run(const std::string& launcherPath) {
  const platform::CodePage& codePage = platform_.codePage;
  launcherPath_ = launcherPath;
  p_.launcherPath = launcherPath;
  const auto attributes = platform_.files.fileAttributes(launcherPath);
  if (!attributes) {
    throw KitInputError(ExitCode::Missing, "cannot read the launcher \"" + utf8(launcherPath) +
                                               "\": it is missing or unreadable");
  }
  if ((*attributes & attr::Directory) != 0) {
    throw KitInputError(ExitCode::WrongKind, "\"" + utf8(launcherPath) +
                                                 "\" is a folder; name the launcher's .exe file");
  }
  p_.installName = launcher::InstallNameOf(codePage, launcherPath);
  checkNames();
  if (listSource()) {
    checkPrograms();
    checkStartFiles();
    checkHiddenFiles();
    walkSource();
  }
  checkIntroPage();
  predictHandOver();
  if (!target_.isActiveCodePage()) {
    add(ExitCode::OtherCodePage,
        "this machine's ANSI code page is not 932: the lists above are in this machine's order "
        "and spelling; run the check under code page 932 for the users' view");
  }
  return std::move(p_);
}

bool Checker::listSource() {
  const std::string source =
      launcher::LauncherFolderOf(platform_.codePage, launcherPath_) + p_.installName;
  const auto attributes = platform_.files.fileAttributes(source);
  if (attributes && (*attributes & attr::Directory) == 0) {
    add(ExitCode::NoSourceFolder, "\"" + utf8(source) +
                                      "\" is a file; the launcher needs a folder of that name "
                                      "beside it and shows an error box");
    return false;
  }
  CurrentDirectoryKeeper keeper(platform_.files);
  try {
    const Listed programs = ListAsTheLauncher(platform_, source, "*.exe", true);
    const Listed starts = ListAsTheLauncher(platform_, source, "startup*.*", false);
    p_.sourceFolder = programs.directory;
    p_.programEntries = programs.entries;
    p_.startEntries = starts.entries;
  } catch (const EInOutError& error) {
    add(ExitCode::NoSourceFolder, "the folder \"" + utf8(source) +
                                      "\" beside the launcher cannot be entered (" + error.what() +
                                      "); the launcher shows an error box");
    return false;
  }
  return true;
}

void Checker::checkPrograms() {
  std::vector<std::string> programs;  // files only, in the list's order
  for (const std::string& text : p_.programEntries) {
    if (!IsFolderEntry(text)) programs.push_back(text);
  }
  if (p_.programEntries.empty()) {
    const auto hidden = HiddenFiles(platform_, p_.sourceFolder, "*.exe");
    if (!hidden.empty()) {
      add(ExitCode::ProgramHidden,
          "the only programs are hidden or system files, which the "
          "launcher never lists: " +
              names(hidden));
    } else {
      add(ExitCode::NoProgram, "no program (\"*.exe\") in \"" + utf8(p_.sourceFolder) +
                                   "\": the launcher copies the folder and starts nothing");
    }
    return;
  }
  const std::string& first = p_.programEntries.front();
  if (IsFolderEntry(first)) {
    std::string text = "the folder listed as \"" + utf8(first) +
                       "\" sorts first among \"*.exe\" and is taken as the program: nothing "
                       "is started";
    if (!programs.empty()) text += " (the program " + names({programs.front()}) + " comes later)";
    add(ExitCode::FolderSortsFirst, text + "; rename the folder");
    return;
  }
  if (programs.size() > 1) {
    add(ExitCode::SeveralPrograms,
        "several programs: " + names({programs.front()}) + " wins; ignored: " +
            names(std::vector<std::string>(programs.begin() + 1, programs.end())));
  }
}

void Checker::checkStartFiles() {
  const auto folders = EntriesWith(platform_, p_.sourceFolder, "startup*.*", attr::Directory);
  if (!folders.empty()) {
    add(ExitCode::StartFileIsFolder,
        "folders are never passed as the start file, yet " + names(folders) +
            " matches \"startup*.*\"" +
            (p_.startEntries.empty() ? std::string(": the program gets no start file")
                                     : ": the start file is " + names({p_.startEntries[0]})));
  }
  if (p_.startEntries.size() > 1) {
    add(ExitCode::SeveralStartFiles,
        "several start files: " + names({p_.startEntries.front()}) + " wins; ignored: " +
            names(std::vector<std::string>(p_.startEntries.begin() + 1, p_.startEntries.end())));
  }
  if (p_.startEntries.empty()) {
    const auto hidden = HiddenFiles(platform_, p_.sourceFolder, "startup*.*");
    if (!hidden.empty()) {
      add(ExitCode::StartFileHidden,
          "the only start files are hidden or system files, which "
          "the launcher never lists: " +
              names(hidden) + "; the program gets no start file");
    }
  }
}

void Checker::checkHiddenFiles() {
  // Hidden start-file candidates without a visible one are reported on their own.
  std::vector<std::string> hidden;
  if (!p_.programEntries.empty()) hidden = HiddenFiles(platform_, p_.sourceFolder, "*.exe");
  if (!p_.startEntries.empty()) {
    const auto starts = HiddenFiles(platform_, p_.sourceFolder, "startup*.*");
    hidden.insert(hidden.end(), starts.begin(), starts.end());
  }
  if (!hidden.empty()) {
    add(ExitCode::HiddenIgnored, "hidden or system files never count: " + names(hidden));
  }
}

void Checker::checkIntroPage() {
  const std::string page =
      launcher::LauncherFolderWithSeparator(platform_.codePage, launcherPath_) + "index.html";
  if (platform_.files.fileExists(page)) {
    p_.introPageURL = launcher::IntroPageURLOf(platform_.codePage, launcherPath_);
  } else if (platform::FolderExists(platform_.files, page)) {
    add(ExitCode::IntroIsFolder, "\"" + utf8(page) + "\" is a folder, not a page");
  }
}

void Checker::predictHandOver() {
  p_.desktop = platform_.shell.desktopFolder(0);
  p_.destination = launcher::InstalledCopyOf(p_.desktop, p_.installName);
  if (!p_.programEntries.empty()) {
    p_.targetProgramPath = p_.destination + "\\" + p_.programEntries.front();
  }
  if (!p_.startEntries.empty()) p_.startFilePath = p_.destination + "\\" + p_.startEntries.front();
  // The shell quotes the program and passes the parameters verbatim. A folder taken
  // as the program is never started: the start-up finds no file there.
  if (!p_.targetProgramPath.empty() && !IsFolderEntry(p_.programEntries.front())) {
    p_.commandLine = "\"" + p_.targetProgramPath + "\"";
    if (!p_.startFilePath.empty()) p_.commandLine += " " + p_.startFilePath;
  }
}

void Checker::checkNames() {
  const std::string name = utf8(p_.installName.substr(1));
  if (!target_.encode(name)) {
    add(ExitCode::NameOutsideCodePage,
        "the launcher's name \"" + name + "\" has characters code page 932 lacks");
  }
}

void Checker::walkSource() {
  const std::string base = std::string(kAssumedDesktop) + p_.installName;
  const std::size_t baseLength =
      std::string(kAssumedDesktop).size() +
      target_.encode(utf8(p_.installName)).value_or(utf8(p_.installName)).size();
  const KitWalk walk = WalkKitFolder(platform_.files.realNames(), kitFiles_, target_,
                                     utf8(p_.sourceFolder), baseLength);
  p_.files = walk.files;
  p_.folders = walk.folders;
  p_.bytes = walk.bytes;
  p_.longestPath = walk.longestPath;
  p_.longestPathName = walk.longestName;
  for (const std::string& name : walk.outsideCodePage) {
    add(ExitCode::NameOutsideCodePage,
        "\"" + name +
            "\" has characters code page 932 lacks; the users' machines see "
            "another name, so programs that open it by name miss it");
  }
  for (const std::string& name : walk.tooLong) {
    add(ExitCode::PathTooLong,
        "\"" + utf8(base) + "\\" + name + "\" would be 260 bytes or longer; shorten the names");
  }
  for (const std::string& name : walk.unreadable) {
    add(ExitCode::UnreadableFolder,
        "cannot read \"" + (name.empty() ? utf8(p_.sourceFolder) : name) + "\"");
  }
}

}  // namespace

ExitCode KitPrediction::exitCode() const {
  ExitCode worst = ExitCode::Clean;
  for (const KitFinding& finding : findings) worst = std::max(worst, finding.code);
  return worst;
}

KitPrediction CheckKit(platform::Platform platform, KitFiles& kitFiles,
                       const TargetCodePage& target, const std::string& launcherPath) {
  return Checker(platform, kitFiles, target).run(launcherPath);
}

}  // namespace tarnsel::kit
