// File existence, attribute words and folder creation in the simulated Windows.
#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

namespace attr = platform::attr;

TEST(SimulatedFiles, StartsAsADefaultJapaneseMachine) {
  SimulatedWindows windows;
  EXPECT_EQ(windows.currentDirectory(), "C:\\");
  EXPECT_EQ(windows.moduleFileName(), "C:\\Tarnsel.exe");
  EXPECT_EQ(windows.desktopFolder(0), "C:\\Users\\user\\Desktop");
  EXPECT_EQ(windows.fileAttributes("C:\\Users\\user\\Desktop"), attr::Directory);
  EXPECT_EQ(windows.logicalDrives(), 1u << 2);
  EXPECT_TRUE(windows.isDoubleByte());
  windows.setDesktopFolder("");
  EXPECT_EQ(windows.desktopFolder(0), "");
}

TEST(SimulatedFiles, FileExistsNeedsANonFolderWithADosDate) {
  SimulatedWindows windows;
  windows.addFile("C:\\1979.txt", attr::Archive, "", 1979);
  windows.addFile("C:\\1980.txt", attr::Archive, "", 1980);
  windows.addFile("C:\\2107.txt", attr::Archive, "", 2107);
  windows.addFile("C:\\2108.txt", attr::Archive, "", 2108);
  windows.addFolder("C:\\folder");
  EXPECT_FALSE(windows.fileExists("C:\\1979.txt"));
  EXPECT_TRUE(windows.fileExists("C:\\1980.txt"));
  EXPECT_TRUE(windows.fileExists("C:\\2107.txt"));
  EXPECT_FALSE(windows.fileExists("C:\\2108.txt"));
  EXPECT_FALSE(windows.fileExists("C:\\folder"));
  EXPECT_FALSE(windows.fileExists("C:\\missing.txt"));
}

TEST(SimulatedFiles, AttributeWordsFollowWindowsRules) {
  SimulatedWindows windows;
  windows.addFile("C:\\bare", 0);
  windows.addFile("C:\\file");
  windows.addFolder("C:\\folder", attr::Hidden);
  EXPECT_EQ(windows.fileAttributes("C:\\bare"), attr::Normal);
  EXPECT_EQ(windows.fileAttributes("C:\\folder"), attr::Directory | attr::Hidden);

  ASSERT_TRUE(windows.setFileAttributes("C:\\file", attr::Hidden | attr::Normal));
  EXPECT_EQ(windows.fileAttributes("C:\\file"), attr::Hidden);
  ASSERT_TRUE(windows.setFileAttributes("C:\\file", 0));
  EXPECT_EQ(windows.fileAttributes("C:\\file"), attr::Normal);
  ASSERT_TRUE(windows.setFileAttributes("C:\\folder", attr::ReadOnly));
  EXPECT_EQ(windows.fileAttributes("C:\\folder"), attr::Directory | attr::ReadOnly);
  EXPECT_FALSE(windows.setFileAttributes("C:\\missing", attr::Hidden));
}

TEST(SimulatedFiles, CreateDirectoryMakesExactlyOneNewLevel) {
  SimulatedWindows windows;
  windows.addDrive('A', {.type = 2, .label = "", .networkName = {}, .ready = false});
  EXPECT_TRUE(windows.createDirectory("C:\\new."));
  EXPECT_EQ(windows.fileAttributes("C:\\NEW"), attr::Directory);
  EXPECT_FALSE(windows.createDirectory("C:\\new"));
  EXPECT_FALSE(windows.createDirectory("C:\\x\\y"));
  EXPECT_FALSE(windows.exists("C:\\x"));
  EXPECT_FALSE(windows.createDirectory("A:\\new"));
}

TEST(SimulatedFiles, FinalPathNamesTheStoredEntry) {
  SimulatedWindows windows;
  windows.addFile("C:\\Program Files\\App.exe");
  EXPECT_EQ(windows.finalPath("c:\\program files\\\\APP.EXE"), "C:\\Program Files\\App.exe");
  EXPECT_EQ(windows.finalPath("c:"), "C:\\");
  EXPECT_EQ(windows.finalPath("C:\\missing"), std::nullopt);
}

}  // namespace
}  // namespace tarnsel::sim
