// Path expansion and changing the current directory in the simulated Windows.
#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

namespace error = platform::error;

TEST(SimulatedPaths, ExpandsRelativeRootedAndDottedPaths) {
  SimulatedWindows windows;
  windows.addFolder("C:\\work");
  ASSERT_EQ(windows.setCurrentDirectory("C:\\work"), 0u);
  EXPECT_EQ(windows.fullPathName("a.txt"), "C:\\work\\a.txt");
  EXPECT_EQ(windows.fullPathName("\\a"), "C:\\a");
  EXPECT_EQ(windows.fullPathName("..\\b"), "C:\\b");
  EXPECT_EQ(windows.fullPathName("C:\\x\\..\\y\\.\\z"), "C:\\y\\z");
  EXPECT_EQ(windows.fullPathName("C:\\..\\.."), "C:\\");
  EXPECT_EQ(windows.fullPathName("C:"), "C:\\work");
}

TEST(SimulatedPaths, DoubledSeparatorResolvesLikeSingle) {
  SimulatedWindows windows;
  EXPECT_EQ(windows.fullPathName("E:\\\\viewer"), "E:\\viewer");
  EXPECT_EQ(windows.fullPathName("C:\\a\\\\\\b"), "C:\\a\\b");
  EXPECT_EQ(windows.fullPathName("C:/a//b"), "C:\\a\\b");
  windows.addFile("C:\\a\\b.txt");
  EXPECT_TRUE(windows.fileExists("C:\\\\a\\\\b.txt"));
}

TEST(SimulatedPaths, KeepsTrailingSeparatorAndCutsTrailingDotsOfLastName) {
  SimulatedWindows windows;
  EXPECT_EQ(windows.fullPathName("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(windows.fullPathName("C:\\a. ."), "C:\\a");
  EXPECT_EQ(windows.fullPathName("c:\\Mixed\\Case"), "c:\\Mixed\\Case");
}

TEST(SimulatedPaths, DriveRelativePathUsesThatDrivesLastDirectory) {
  SimulatedWindows windows;
  windows.addDrive('D');
  windows.addFolder("D:\\tools");
  windows.addFolder("C:\\work");
  ASSERT_EQ(windows.setCurrentDirectory("D:\\tools"), 0u);
  ASSERT_EQ(windows.setCurrentDirectory("C:\\work"), 0u);
  EXPECT_EQ(windows.fullPathName("D:x"), "D:\\tools\\x");
  EXPECT_EQ(windows.fullPathName("d:x"), "D:\\tools\\x");
  EXPECT_EQ(windows.fullPathName("C:x"), "C:\\work\\x");
  EXPECT_EQ(windows.fullPathName("E:x"), "E:\\x");
}

TEST(SimulatedPaths, RefusesPathsBeyondMaxPathAndNetworkPathsWithoutAShare) {
  SimulatedWindows windows;
  EXPECT_EQ(windows.fullPathName("C:\\" + std::string(256, 'a')), "C:\\" + std::string(256, 'a'));
  EXPECT_EQ(windows.fullPathName("C:\\" + std::string(257, 'a')), std::nullopt);
  EXPECT_EQ(windows.fullPathName("\\\\server"), std::nullopt);
  EXPECT_EQ(windows.fullPathName("\\\\server\\\\x"), std::nullopt);
  EXPECT_EQ(windows.fullPathName(""), std::nullopt);
}

TEST(SimulatedPaths, TrailByte5CIsPartOfTheNameInShiftJis) {
  SimulatedWindows windows;
  const std::string so = "\x83\x5c";  // ソ
  EXPECT_EQ(windows.fullPathName("C:\\" + so), "C:\\" + so);
  EXPECT_EQ(windows.fullPathName("C:\\" + so + "\\.."), "C:\\");
  windows.setCodePage(1252);
  EXPECT_EQ(windows.fullPathName("C:\\" + so), "C:\\\x83\\");
}

TEST(SimulatedPaths, SetCurrentDirectoryReportsWindowsErrorCodes) {
  SimulatedWindows windows;
  windows.addFile("C:\\file.txt");
  windows.addFolder("C:\\secret");
  windows.denyAccess("C:\\secret");
  windows.addDrive('A', {.type = 2, .label = "", .networkName = {}, .ready = false});
  windows.addFolder("C:\\" + std::string(255, 'd'));

  EXPECT_EQ(windows.setCurrentDirectory("C:\\missing"), error::FileNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("C:\\missing\\deeper"), error::PathNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("C:\\file.txt\\deeper"), error::PathNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("Q:\\"), error::PathNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("C:\\file.txt"), error::Directory);
  EXPECT_EQ(windows.setCurrentDirectory("A:\\"), error::NotReady);
  EXPECT_EQ(windows.setCurrentDirectory("C:\\secret"), error::AccessDenied);
  EXPECT_EQ(windows.setCurrentDirectory("C:\\" + std::string(255, 'd') + "\\sub"),
            error::FilenameTooLong);
  EXPECT_EQ(windows.currentDirectory(), "C:\\");
}

TEST(SimulatedPaths, CurrentDirectoryKeepsCaseAsGivenWithoutTrailingSeparator) {
  SimulatedWindows windows;
  windows.addFolder("C:\\Work");
  ASSERT_EQ(windows.setCurrentDirectory("c:\\WORK\\"), 0u);
  EXPECT_EQ(windows.currentDirectory(), "c:\\WORK");
  ASSERT_EQ(windows.setCurrentDirectory("\\"), 0u);
  EXPECT_EQ(windows.currentDirectory(), "c:\\");
}

}  // namespace
}  // namespace tarnsel::sim
