// The main window's logic: the start-up check that runs when the window is first
// shown, and the setup and abort actions. It sees the window only through
// MainWindow, so it runs the same against the real window and a scripted one.
#pragma once

#include <string>

#include "controls/FileListBox.h"
#include "platform/Platform.h"

namespace tarnsel::launcher {

// What the logic reads and writes of the main window.
class MainWindow {
 public:
  virtual ~MainWindow() = default;
  virtual std::string edit1Text() = 0;  // the destination folder
  virtual void setEdit1Text(const std::string& text) = 0;
  virtual std::string edit2Text() = 0;  // the source folder as shown
  virtual void setEdit2Text(const std::string& text) = 0;
  virtual controls::TFileListBox& fileListBox1() = 0;  // "*.exe"
  virtual controls::TFileListBox& fileListBox2() = 0;  // "startup*.*"
  virtual int panel2Height() = 0;
  virtual void setClientHeight(int height) = 0;
  // The intro pane's address as ANSI bytes; the window hands it over as UTF-16.
  virtual void navigateIntroPane(const std::string& url) = 0;
  virtual void showAndBringToFront() = 0;
  virtual void setWindowStateNormal() = 0;
  virtual void close() = 0;
  // The window that owns the dialogs and boxes the platform shows for this one.
  virtual platform::WindowHandle dialogOwner() = 0;
  virtual platform::WindowHandle applicationHandle() = 0;
};

inline constexpr int SW_Show = 5;
inline constexpr std::uint32_t MB_Ok = 0;

class Unit1 {
 public:
  Unit1(platform::Platform platform, MainWindow& window) : platform_(platform), window_(window) {}

  void FormShow();
  void STARTUP();
  void BitBtn1Click();
  void BitBtn2Click();
  void RESETATTR(const std::string& folder);

  // Process-wide strings of the main window's unit.
  std::string InstallName;
  std::string TargetProgramPath;
  std::string StartFilePath;

 private:
  std::string launcherPath();
  std::string sourceFolder();
  // Edit1, InstallName, "\" and entry 0 of the list; empty for an empty list.
  std::string installedEntryPath(controls::TFileListBox& list);
  void openInstalledProgram();

  platform::Platform platform_;
  MainWindow& window_;
};

}  // namespace tarnsel::launcher
