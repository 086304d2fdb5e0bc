// The main window's logic driven headless: a scripted window on the simulated
// Windows, from the first show to the hand-over, the wait or the setup.
#include "launcher/Unit1.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Errors.h"
#include "platform/simulated/SimulatedWindows.h"
#include "support/FakeScreen.h"

namespace tarnsel::launcher {
namespace {

namespace attr = platform::attr;
using controls::TFileAttr;
using controls::TFileListBox;

class ListWindow : public controls::FileListView, public test_support::FakeScreen {
 public:
  ListWindow() { lineHeight = 12; }
  void ensureWindow() override { box->windowCreated(); }
  void entriesCleared() override {}
  void entryInserted(int) override {}
  void selectionChanged(int) override {}
  void itemHeightChanged(int) override {}
  void repaint() override {}
  TFileListBox* box = nullptr;
};

// The main window as a script: fields, the two lists, and a record of requests.
class ScriptedWindow : public MainWindow {
 public:
  explicit ScriptedWindow(platform::Platform platform)
      : list1(platform, list1Window), list2(platform, list2Window) {
    for (auto [box, window] : {std::pair{&list1, &list1Window}, {&list2, &list2Window}}) {
      window->box = box;
      box->setView(window);
    }
    list1.setMask("*.exe");
    list1.setFileType({TFileAttr::ftDirectory, TFileAttr::ftNormal});
    list2.setMask("startup*.*");
  }
  std::string edit1Text() override { return edit1; }
  void setEdit1Text(const std::string& text) override { edit1 = text; }
  std::string edit2Text() override { return edit2; }
  void setEdit2Text(const std::string& text) override { edit2 = text; }
  TFileListBox& fileListBox1() override { return list1; }
  TFileListBox& fileListBox2() override { return list2; }
  int panel2Height() override { return 269; }
  void setClientHeight(int height) override { clientHeight = height; }
  void navigateIntroPane(const std::string& url) override { navigations.push_back(url); }
  void showAndBringToFront() override { requests.push_back("show"); }
  void setWindowStateNormal() override { requests.push_back("normal"); }
  void close() override { requests.push_back("close"); }
  platform::WindowHandle dialogOwner() override { return 0x1234; }
  platform::WindowHandle applicationHandle() override { return 0x5678; }

  std::string edit1 = "Edit1";
  std::string edit2 = "Edit2";
  int clientHeight = 611;
  std::vector<std::string> navigations;
  std::vector<std::string> requests;
  ListWindow list1Window, list2Window;
  TFileListBox list1, list2;
};

class Launcher : public ::testing::Test {
 protected:
  Launcher() {
    windows.addDrive('E');
    windows.setModuleFileName("E:\\kit\\viewer.exe");
    windows.setDesktopFolder("D:\\Desktop");
    windows.addDrive('D');
    windows.addFolder("D:\\Desktop");
  }
  // Builds the window after the world is laid out, as the program does at start.
  void start() {
    window = std::make_unique<ScriptedWindow>(windows.platform());
    unit = std::make_unique<Unit1>(windows.platform(), *window);
    unit->FormShow();
  }
  void kit() {
    windows.addFile("E:\\kit\\viewer\\viewer.exe");
    windows.addFile("E:\\kit\\viewer\\startup.txt");
  }
  void installed(const std::string& desktop = "D:\\Desktop") {
    windows.addFile(desktop + "\\viewer\\viewer.exe", attr::ReadOnly | attr::Hidden);
    windows.addFile(desktop + "\\viewer\\startup.txt", attr::Hidden);
  }

  sim::SimulatedWindows windows;
  std::unique_ptr<ScriptedWindow> window;
  std::unique_ptr<Unit1> unit;
};

TEST_F(Launcher, InstalledCopyIsHandedOverWithoutAsking) {
  kit();
  installed();
  start();
  ASSERT_EQ(windows.executions().size(), 1u);
  const sim::ExecuteCall& call = windows.executions()[0];
  EXPECT_EQ(call.owner, 0x1234u);
  EXPECT_EQ(call.verb, "OPEN");
  EXPECT_EQ(call.file, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(call.parameters, "D:\\Desktop\\viewer\\startup.txt");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.showCommand, 5);
  EXPECT_EQ(windows.beeps(), std::vector<std::uint32_t>{0});
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal", "close"}));
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\viewer\\viewer.exe"), attr::Archive)
      << "attributes are reset before the start";
}

TEST_F(Launcher, WithoutAnInstalledCopyTheWindowWaits) {
  kit();
  start();
  EXPECT_EQ(window->edit1, "D:\\Desktop");
  EXPECT_EQ(window->edit2, "E:\\kit\\viewer");
  EXPECT_EQ(unit->InstallName, "\\viewer");
  EXPECT_EQ(unit->TargetProgramPath, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(unit->StartFilePath, "D:\\Desktop\\viewer\\startup.txt");
  EXPECT_TRUE(windows.executions().empty());
  EXPECT_TRUE(windows.beeps().empty());
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal"}));
  EXPECT_EQ(windows.currentDirectory(), "E:\\kit\\viewer") << "the lists leave it at the source";
}

TEST_F(Launcher, IntroPageDecidesBetweenNavigationAndCollapse) {
  kit();
  start();
  EXPECT_TRUE(window->navigations.empty());
  EXPECT_EQ(window->clientHeight, 269);

  windows.addFile("E:\\kit\\index.html");
  start();
  EXPECT_EQ(window->navigations, std::vector<std::string>{"file:///E:\\kit\\index.html"});
  EXPECT_EQ(window->clientHeight, 611);
}

TEST_F(Launcher, MissingSourceFolderInterruptsAtTheFirstList) {
  window = std::make_unique<ScriptedWindow>(windows.platform());
  unit = std::make_unique<Unit1>(windows.platform(), *window);
  try {
    unit->FormShow();
    FAIL() << "expected an input/output error";
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.code(), 2u);
    EXPECT_STREQ(error.what(), "ファイルが見つかりません");
  }
  EXPECT_EQ(window->edit1, "D:\\Desktop");
  EXPECT_EQ(window->edit2, "Edit2");
  EXPECT_EQ(window->clientHeight, 611);
  EXPECT_TRUE(window->requests.empty()) << "the start-up check never ran";
}

TEST_F(Launcher, FailedNavigationInterruptsBeforeTheStartUpCheck) {
  class FailingPane : public ScriptedWindow {
   public:
    using ScriptedWindow::ScriptedWindow;
    void navigateIntroPane(const std::string&) override {
      throw EOleSysError("navigation failed", static_cast<std::int32_t>(0x80004005));
    }
  };
  kit();
  installed();
  windows.addFile("E:\\kit\\index.html");
  auto failing = std::make_unique<FailingPane>(windows.platform());
  Unit1 logic(windows.platform(), *failing);
  EXPECT_THROW(logic.FormShow(), EOleSysError);
  EXPECT_EQ(failing->edit2, "E:\\kit\\viewer") << "the fields are filled up to the pane";
  EXPECT_TRUE(failing->requests.empty());
  EXPECT_TRUE(windows.executions().empty()) << "an installed copy is not started";
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\viewer\\startup.txt"), attr::Hidden);
}

TEST_F(Launcher, SourceFolderThatIsAFileIsTakenAsAFileName) {
  // The file lists read a path whose last part names a file as that file: the
  // lists show it, the launcher's folder is the source, and nothing starts.
  windows.addFile("E:\\kit\\viewer");
  start();
  EXPECT_EQ(window->edit2, "E:\\kit");
  ASSERT_EQ(window->list1.count(), 1);
  EXPECT_EQ(window->list1.entry(0).text, "viewer");
  EXPECT_EQ(window->list1.Mask(), "viewer");
  EXPECT_TRUE(windows.executions().empty());
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal"}));
}

TEST_F(Launcher, IntroPageThatIsAFolderCollapsesThePane) {
  kit();
  windows.addFolder("E:\\kit\\index.html");
  start();
  EXPECT_TRUE(window->navigations.empty());
  EXPECT_EQ(window->clientHeight, 269);
}

TEST_F(Launcher, OverlongDestinationFailsQuietlyAndStartsNothing) {
  kit();
  windows.setDesktopFolder("D:\\" + std::string(300, 'x'));
  start();
  EXPECT_EQ(unit->TargetProgramPath.size(), 3 + 300 + 7 + 11);
  EXPECT_TRUE(windows.executions().empty());
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal"}));
}

TEST_F(Launcher, LauncherInTheRootOfADriveFindsItsFolder) {
  windows.setModuleFileName("E:\\viewer.exe");
  windows.addFile("E:\\viewer\\viewer.exe");
  windows.addFile("E:\\index.html");
  start();
  EXPECT_EQ(window->edit2, "E:\\viewer");
  EXPECT_EQ(window->navigations, std::vector<std::string>{"file:///E:\\index.html"});
  EXPECT_EQ(unit->TargetProgramPath, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(unit->StartFilePath, "") << "no start file";
}

// A kit on a file server, started from Explorer with the share's folder current.
class LauncherOnAShare : public Launcher {
 protected:
  void kitOnShare(const std::string& folder) {
    windows.addShare("\\\\server\\share");
    windows.setModuleFileName(folder + "\\viewer.exe");
    windows.addFile(folder + "\\viewer\\viewer.exe", attr::ReadOnly, "program");
    windows.addFile(folder + "\\viewer\\startup.txt", attr::Archive, "start");
    windows.addFile(folder + "\\index.html");
    ASSERT_EQ(windows.setCurrentDirectory(folder), 0u);
  }
};

TEST_F(LauncherOnAShare, StartUpListsTheSourceOnTheShareAndWaits) {
  kitOnShare("\\\\server\\share\\kit");
  start();
  EXPECT_EQ(window->edit2, "\\\\server\\share\\kit\\viewer");
  EXPECT_EQ(window->navigations,
            std::vector<std::string>{"file:///\\\\server\\share\\kit\\index.html"});
  EXPECT_EQ(unit->TargetProgramPath, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(unit->StartFilePath, "D:\\Desktop\\viewer\\startup.txt");
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal"}));
  EXPECT_EQ(windows.currentDirectory(), "\\\\server\\share\\kit\\viewer");
}

TEST_F(LauncherOnAShare, SetupCopiesFromTheShareAndStartsTheCopy) {
  kitOnShare("\\\\server\\share\\kit");
  start();
  unit->BitBtn1Click();
  ASSERT_EQ(windows.fileOperations().size(), 1u);
  EXPECT_EQ(windows.fileOperations()[0].from,
            std::string("\\\\server\\share\\kit\\viewer\0\0", 27));
  EXPECT_EQ(windows.contentOf("D:\\Desktop\\viewer\\viewer.exe"), "program");
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\viewer\\viewer.exe"), attr::Archive);
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(windows.executions()[0].parameters, "D:\\Desktop\\viewer\\startup.txt");
  EXPECT_EQ(windows.fileAttributes("\\\\server\\share\\kit\\viewer\\viewer.exe"), attr::ReadOnly)
      << "the share is never touched";
}

TEST_F(LauncherOnAShare, KitAtTheShareRootHandsOverAnInstalledCopy) {
  kitOnShare("\\\\server\\share");
  installed();
  start();
  EXPECT_EQ(window->edit2, "\\\\server\\share\\viewer");
  EXPECT_EQ(window->navigations, std::vector<std::string>{"file:///\\\\server\\share\\index.html"});
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal", "close"}));
}

TEST_F(LauncherOnAShare, UnreachableShareInterruptsAtTheFirstList) {
  windows.setModuleFileName("\\\\server\\gone\\kit\\viewer.exe");
  windows.addFile("C:\\kit\\viewer\\viewer.exe");  // the same folders on the current drive
  EXPECT_THROW(start(), EInOutError);
  EXPECT_EQ(window->edit2, "Edit2");
  EXPECT_EQ(window->list1.Directory(), "C:\\") << "not the same folders on the current drive";
  EXPECT_TRUE(window->requests.empty());
}

TEST_F(Launcher, EntryZeroIsTheFirstInListOrder) {
  windows.addFile("E:\\kit\\viewer\\zeta.exe");
  windows.addFile("E:\\kit\\viewer\\Alpha.exe");
  windows.addFile("E:\\kit\\viewer\\aaa.exe", attr::Hidden);
  windows.addFile("E:\\kit\\viewer\\startup2.txt");
  windows.addFile("E:\\kit\\viewer\\Startup1.txt");
  start();
  EXPECT_EQ(unit->TargetProgramPath, "D:\\Desktop\\viewer\\Alpha.exe") << "hidden never chosen";
  EXPECT_EQ(unit->StartFilePath, "D:\\Desktop\\viewer\\Startup1.txt");
}

TEST_F(Launcher, BracketedFolderFirstMeansNothingIsStarted) {
  windows.addFolder("E:\\kit\\viewer\\[tools.exe");
  windows.addFolder("E:\\kit\\viewer\\tools.exe");
  windows.addFile("E:\\kit\\viewer\\viewer.exe");
  installed();
  start();
  EXPECT_EQ(unit->TargetProgramPath, "D:\\Desktop\\viewer\\[[tools.exe]");
  EXPECT_TRUE(windows.executions().empty());
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal"}));
}

TEST_F(Launcher, InstalledCopyWithoutItsProgramIsResetButNotStarted) {
  kit();
  windows.addFile("D:\\Desktop\\viewer\\startup.txt", attr::Hidden);
  start();
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\viewer\\startup.txt"), attr::Archive);
  EXPECT_TRUE(windows.executions().empty());
}

TEST_F(Launcher, BlanksAndDoubledSeparatorsArePassedOnUnchanged) {
  windows.addFolder("D:\\My Desktop");
  windows.setDesktopFolder("D:\\My Desktop\\");
  kit();
  installed("D:\\My Desktop");
  start();
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "D:\\My Desktop\\\\viewer\\viewer.exe");
  EXPECT_EQ(windows.executions()[0].parameters, "D:\\My Desktop\\\\viewer\\startup.txt")
      << "unquoted";
}

TEST_F(Launcher, ShiftJisLauncherNameWithBackslashTrailByte) {
  const std::string hyo = "\x95\x5c";  // 表
  windows.setModuleFileName("E:\\kit\\" + hyo + ".exe");
  windows.addFile("E:\\kit\\" + hyo + "\\" + hyo + ".exe");
  windows.addFile("D:\\Desktop\\" + hyo + "\\" + hyo + ".exe", attr::Hidden);
  windows.addFile("D:\\Desktop\\" + hyo + "x\\other.txt", attr::Hidden);
  start();
  EXPECT_EQ(unit->InstallName, "\\" + hyo);
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "D:\\Desktop\\" + hyo + "\\" + hyo + ".exe");
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\" + hyo + "x\\other.txt"), attr::Hidden)
      << "a folder beside the installed copy is not walked";
}

TEST_F(Launcher, SetupCopiesResetsStartsBeepsAndCloses) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe", attr::ReadOnly, "program");
  windows.addFile("E:\\kit\\viewer\\data\\startup.txt", attr::Hidden);
  windows.addFile("E:\\kit\\viewer\\startup.txt", attr::ReadOnly, "start");
  start();
  window->requests.clear();
  window->edit1 = "D:\\Apps";  // edited by hand: a missing folder with an existing parent
  unit->BitBtn1Click();
  ASSERT_EQ(windows.fileOperations().size(), 1u);
  const platform::ShellFileOperation& copy = windows.fileOperations()[0];
  EXPECT_EQ(copy.operation, 2u);
  EXPECT_EQ(copy.from, std::string("E:\\kit\\viewer\0\0", 15));
  EXPECT_EQ(copy.to, std::string("D:\\Apps\0\0", 9));
  EXPECT_EQ(copy.flags, 0x200);
  EXPECT_EQ(copy.owner, 0x1234u);
  EXPECT_EQ(windows.contentOf("D:\\Apps\\viewer\\viewer.exe"), "program");
  EXPECT_EQ(windows.fileAttributes("D:\\Apps\\viewer\\viewer.exe"), attr::Archive);
  EXPECT_EQ(windows.fileAttributes("D:\\Apps\\viewer\\data\\startup.txt"), attr::Archive);
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "D:\\Apps\\viewer\\viewer.exe");
  EXPECT_EQ(windows.executions()[0].parameters, "D:\\Apps\\viewer\\startup.txt");
  EXPECT_EQ(windows.beeps(), std::vector<std::uint32_t>{0});
  EXPECT_EQ(window->requests, (std::vector<std::string>{"show", "normal", "close"}));
  EXPECT_EQ(windows.contentOf("E:\\kit\\viewer\\startup.txt"), "start");
  EXPECT_EQ(windows.fileAttributes("E:\\kit\\viewer\\startup.txt"), attr::ReadOnly)
      << "the source is never touched";
}

TEST_F(Launcher, SetupWithoutAProgramStillCopiesAndEnds) {
  windows.addFile("E:\\kit\\viewer\\readme.txt");
  start();
  unit->BitBtn1Click();
  EXPECT_TRUE(windows.exists("D:\\Desktop\\viewer\\readme.txt"));
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "") << "the shell gets an empty name";
  EXPECT_EQ(windows.beeps().size(), 1u);
  EXPECT_EQ(window->requests.back(), "close");
}

TEST_F(Launcher, SetupOntoADriveThatIsNotReadyStartsNothingAndEnds) {
  kit();
  windows.addDrive('Q');
  windows.setDriveReady('Q', false);
  start();
  window->edit1 = "Q:\\apps";
  unit->BitBtn1Click();
  EXPECT_FALSE(windows.exists("Q:\\apps"));
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "Q:\\apps\\viewer\\viewer.exe")
      << "started blindly, as the shell's own affair";
  EXPECT_EQ(windows.beeps().size(), 1u);
  EXPECT_EQ(window->requests.back(), "close");
}

TEST_F(Launcher, SetupWhoseCopyLosesAndLocksFoldersDuringTheWalkStillStartsAndEnds) {
  kit();
  windows.addFile("E:\\kit\\viewer\\a\\one.txt", attr::Hidden);
  windows.addFile("E:\\kit\\viewer\\b\\two.txt", attr::Hidden);
  windows.addFile("E:\\kit\\viewer\\c\\three.txt", attr::Hidden);
  windows.addFile("E:\\kit\\viewer\\d\\four.txt", attr::Hidden);
  start();
  windows.onFindFirst = [this](const std::string& pattern) {
    if (pattern == "D:\\Desktop\\viewer\\a\\*.*") {
      windows.remove("D:\\Desktop\\viewer\\b");
      windows.denyAccess("D:\\Desktop\\viewer\\c");
    }
  };
  unit->BitBtn1Click();
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\viewer\\a\\one.txt"), attr::Archive);
  EXPECT_EQ(windows.fileAttributes("D:\\Desktop\\viewer\\d\\four.txt"), attr::Archive)
      << "the walk goes on past the lost and the locked folder";
  ASSERT_EQ(windows.executions().size(), 1u);
  EXPECT_EQ(windows.executions()[0].file, "D:\\Desktop\\viewer\\viewer.exe");
  EXPECT_EQ(window->requests.back(), "close");
  EXPECT_EQ(windows.fileAttributes("E:\\kit\\viewer\\b\\two.txt"), attr::Hidden)
      << "the source is never touched";
}

TEST_F(Launcher, AbortClosesWithNothingCopied) {
  kit();
  start();
  unit->BitBtn2Click();
  EXPECT_TRUE(windows.fileOperations().empty());
  EXPECT_TRUE(windows.executions().empty());
  EXPECT_EQ(window->requests.back(), "close");
}

}  // namespace
}  // namespace tarnsel::launcher
