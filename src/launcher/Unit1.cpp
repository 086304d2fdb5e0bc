#include "launcher/Unit1.h"

#include "launcher/InstallPaths.h"
#include "launcher/ResetAttr.h"

namespace tarnsel::launcher {

std::string Unit1::launcherPath() { return platform_.files.moduleFileName(); }

std::string Unit1::sourceFolder() {
  return LauncherFolderOf(platform_.codePage, launcherPath()) + InstallName;
}

std::string Unit1::installedEntryPath(controls::TFileListBox& list) {
  if (list.count() == 0) return {};
  return InstalledCopyOf(window_.edit1Text(), InstallName) + "\\" + list.entry(0).text;
}

void Unit1::RESETATTR(const std::string& folder) {
  launcher::RESETATTR(platform_.files, platform_.codePage, folder);
}

void Unit1::FormShow() {
  InstallName = InstallNameOf(platform_.codePage, launcherPath());
  window_.setEdit1Text(platform_.shell.desktopFolder(window_.applicationHandle()));
  window_.fileListBox1().setDirectory(sourceFolder());
  window_.fileListBox2().setDirectory(sourceFolder());
  window_.setEdit2Text(window_.fileListBox1().Directory());
  const std::string introPage =
      LauncherFolderWithSeparator(platform_.codePage, launcherPath()) + "index.html";
  if (platform_.files.fileExists(introPage)) {
    window_.navigateIntroPane(IntroPageURLOf(platform_.codePage, launcherPath()));
  } else {
    window_.setClientHeight(window_.panel2Height());
  }
  STARTUP();
}

void Unit1::openInstalledProgram() {
  platform_.shell.execute(window_.dialogOwner(), "OPEN", TargetProgramPath, StartFilePath, "",
                          SW_Show);
}

void Unit1::STARTUP() {
  TargetProgramPath = installedEntryPath(window_.fileListBox1());
  StartFilePath = installedEntryPath(window_.fileListBox2());
  RESETATTR(InstalledCopyOf(window_.edit1Text(), InstallName));
  window_.showAndBringToFront();
  window_.setWindowStateNormal();
  if (platform_.files.fileExists(TargetProgramPath)) {
    openInstalledProgram();
    platform_.shell.messageBeep(MB_Ok);
    window_.close();
  }
}

void Unit1::BitBtn1Click() {
  const std::string destination = window_.edit1Text();
  platform_.files.createDirectory(destination);
  TargetProgramPath = installedEntryPath(window_.fileListBox1());
  platform::ShellFileOperation copy;
  copy.owner = window_.dialogOwner();
  copy.operation = platform::FO_Copy;
  copy.from = window_.edit2Text() + std::string(2, '\0');
  copy.to = window_.edit1Text() + std::string(2, '\0');
  copy.flags = platform::FOF_NoConfirmMkdir;
  platform_.shell.fileOperation(copy);
  StartFilePath = installedEntryPath(window_.fileListBox2());
  RESETATTR(InstalledCopyOf(window_.edit1Text(), InstallName));
  openInstalledProgram();
  window_.showAndBringToFront();
  window_.setWindowStateNormal();
  platform_.shell.messageBeep(MB_Ok);
  window_.close();
}

void Unit1::BitBtn2Click() { window_.close(); }

}  // namespace tarnsel::launcher
