// The paths the launcher derives from its own: the install name, the launcher's
// folder, the intro page's address and the installed copy's path.
#include "launcher/InstallPaths.h"

#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::launcher {
namespace {

class InstallPaths : public ::testing::Test {
 protected:
  sim::SimulatedWindows windows;
  const platform::CodePage& cp = windows;
};

TEST_F(InstallPaths, InstallNameDropsOnlyTheLastExtension) {
  EXPECT_EQ(InstallNameOf(cp, "E:\\kit\\viewer.exe"), "\\viewer");
  EXPECT_EQ(InstallNameOf(cp, "E:\\kit\\my.viewer.exe"), "\\my.viewer");
  EXPECT_EQ(InstallNameOf(cp, "E:\\kit\\viewer"), "\\viewer");
  EXPECT_EQ(InstallNameOf(cp, "E:\\k.it\\viewer"), "\\viewer")
      << "a dot in the folder is no extension";
  EXPECT_EQ(InstallNameOf(cp, "E:viewer.exe"), "\\viewer");
}

TEST_F(InstallPaths, InstallNameKeepsADoubleByteNameWhole) {
  const std::string hyo = "\x95\x5c";  // 表
  EXPECT_EQ(InstallNameOf(cp, "E:\\kit\\" + hyo + ".exe"), "\\" + hyo);
  EXPECT_EQ(InstallNameOf(cp, "E:\\" + hyo + "\\a" + hyo + "b.exe"), "\\a" + hyo + "b");
}

TEST_F(InstallPaths, LauncherFolderKeepsTheBackslashOfADriveRoot) {
  EXPECT_EQ(LauncherFolderOf(cp, "E:\\kit\\viewer.exe"), "E:\\kit");
  EXPECT_EQ(LauncherFolderOf(cp, "E:\\viewer.exe"), "E:\\");
  EXPECT_EQ(LauncherFolderOf(cp, "\\\\server\\share\\\\viewer.exe"), "\\\\server\\share\\\\");
  EXPECT_EQ(LauncherFolderWithSeparator(cp, "E:\\kit\\viewer.exe"), "E:\\kit\\");
  EXPECT_EQ(LauncherFolderOf(cp, "E:\\viewer.exe") + InstallNameOf(cp, "E:\\viewer.exe"),
            "E:\\\\viewer");
}

TEST_F(InstallPaths, ABackslashTrailByteBeforeTheLastSeparatorIsNoSeparator) {
  const std::string so = "\x83\x5c";  // ソ
  EXPECT_EQ(LauncherFolderOf(cp, "E:\\" + so + "\\viewer.exe"), "E:\\" + so);
  EXPECT_EQ(LauncherFolderWithSeparator(cp, "E:\\" + so + "\\viewer.exe"), "E:\\" + so + "\\");
}

TEST_F(InstallPaths, IntroPageUrlInsertsTheFolderUnescaped) {
  EXPECT_EQ(IntroPageURLOf(cp, "E:\\kit\\viewer.exe"), "file:///E:\\kit\\index.html");
  EXPECT_EQ(IntroPageURLOf(cp, "E:\\viewer.exe"), "file:///E:\\index.html");
  EXPECT_EQ(IntroPageURLOf(cp, "E:\\my kit\\v.exe"), "file:///E:\\my kit\\index.html");
}

TEST_F(InstallPaths, LauncherOnAShareTakesItsFolderUpToTheShare) {
  const std::string kit = "\\\\server\\share\\kit\\viewer.exe";
  EXPECT_EQ(LauncherFolderOf(cp, kit) + InstallNameOf(cp, kit), "\\\\server\\share\\kit\\viewer");
  EXPECT_EQ(IntroPageURLOf(cp, kit), "file:///\\\\server\\share\\kit\\index.html");

  // At the share's root the backslash before the name follows the share's name,
  // so it goes, and the source folder gets a single one.
  const std::string root = "\\\\server\\share\\viewer.exe";
  EXPECT_EQ(LauncherFolderOf(cp, root), "\\\\server\\share");
  EXPECT_EQ(LauncherFolderOf(cp, root) + InstallNameOf(cp, root), "\\\\server\\share\\viewer");
  EXPECT_EQ(LauncherFolderWithSeparator(cp, root), "\\\\server\\share\\");
  EXPECT_EQ(IntroPageURLOf(cp, root), "file:///\\\\server\\share\\index.html");
}

TEST_F(InstallPaths, InstalledCopyKeepsADoubledSeparator) {
  EXPECT_EQ(InstalledCopyOf("D:\\Desktop", "\\viewer"), "D:\\Desktop\\viewer");
  EXPECT_EQ(InstalledCopyOf("D:\\", "\\viewer"), "D:\\\\viewer");
}

}  // namespace
}  // namespace tarnsel::launcher
