// Network shares in the simulated Windows: path expansion below a share's root,
// the current directory on a share, searches and the builders.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

namespace attr = platform::attr;
namespace error = platform::error;
using Names = std::vector<std::string>;

class SimulatedShares : public ::testing::Test {
 protected:
  SimulatedShares() {
    windows.addShare("\\\\server\\share");
    windows.addFile("\\\\server\\share\\kit\\viewer.exe");
    windows.addFolder("\\\\server\\share\\kit\\viewer");
  }

  Names found(const std::string& pattern, std::uint32_t mask = attr::Directory) {
    Names names;
    auto search = windows.findFirst(pattern, mask);
    if (!search) return names;
    do names.push_back(search->entry().name);
    while (search->next());
    return names;
  }

  SimulatedWindows windows;
};

TEST_F(SimulatedShares, FullPathsStayBelowTheShareRoot) {
  EXPECT_EQ(windows.fullPathName("\\\\server\\share\\kit\\..\\..\\..\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(windows.fullPathName("\\\\server\\share\\.."), "\\\\server\\share\\");
  EXPECT_EQ(windows.fullPathName("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(windows.fullPathName("\\\\server\\share\\"), "\\\\server\\share\\");
  EXPECT_EQ(windows.fullPathName("//Server/Share/a//b."), "\\\\Server\\Share\\a\\b")
      << "forward slashes become backslashes; the case stays as written";
}

TEST_F(SimulatedShares, CurrentDirectoryOnAShareResolvesRelativeAndRootedPaths) {
  ASSERT_EQ(windows.setCurrentDirectory("\\\\SERVER\\Share\\kit\\"), 0u);
  EXPECT_EQ(windows.currentDirectory(), "\\\\SERVER\\Share\\kit");
  EXPECT_EQ(windows.fullPathName("viewer"), "\\\\SERVER\\Share\\kit\\viewer");
  EXPECT_EQ(windows.fullPathName("..\\..\\x"), "\\\\SERVER\\Share\\x");
  EXPECT_EQ(windows.fullPathName("\\other"), "\\\\SERVER\\Share\\other");
  EXPECT_EQ(windows.fullPathName("C:x"), "C:\\x") << "drive C keeps its own directory";
  EXPECT_TRUE(windows.fileExists("viewer.exe"));

  ASSERT_EQ(windows.setCurrentDirectory(".."), 0u);
  EXPECT_EQ(windows.currentDirectory(), "\\\\SERVER\\Share") << "a share's root has no separator";
  ASSERT_EQ(windows.setCurrentDirectory(".."), 0u);
  EXPECT_EQ(windows.currentDirectory(), "\\\\SERVER\\Share");
  EXPECT_EQ(windows.fullPathName("kit"), "\\\\SERVER\\Share\\kit");
}

TEST_F(SimulatedShares, ChangingToAMissingShareOrFolderFailsAndKeepsTheDirectory) {
  EXPECT_EQ(windows.setCurrentDirectory("\\\\server\\other"), error::PathNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("\\\\elsewhere\\share\\kit"), error::PathNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("\\\\server\\share\\missing"), error::FileNotFound);
  EXPECT_EQ(windows.setCurrentDirectory("\\\\server\\share\\kit\\viewer.exe"), error::Directory);
  EXPECT_EQ(windows.setCurrentDirectory("\\\\server"), error::PathNotFound);
  EXPECT_EQ(windows.currentDirectory(), "C:\\");
}

TEST_F(SimulatedShares, SearchesListAShareLikeADrive) {
  windows.addFile("\\\\server\\share\\kit\\hidden.exe", attr::Hidden);
  EXPECT_EQ(found("\\\\Server\\SHARE\\kit\\*.*"), (Names{".", "..", "viewer.exe", "viewer"}));
  EXPECT_EQ(found("\\\\server\\share\\*.*"), (Names{"kit"})) << "a share's root, like a drive's";
  ASSERT_EQ(windows.setCurrentDirectory("\\\\server\\share\\kit"), 0u);
  EXPECT_EQ(found("*.exe", 0), (Names{"viewer.exe"}));
  EXPECT_EQ(windows.fileAttributes("\\\\server\\share"), attr::Directory);
}

TEST_F(SimulatedShares, BuildersAndShellCopyWorkOnShares) {
  windows.addShare("\\\\SERVER\\SHARE\\");  // the same share: its folders stay
  EXPECT_TRUE(windows.exists("\\\\server\\share\\kit\\viewer.exe"));
  windows.addFolder("\\\\server\\share", attr::Directory | attr::ReadOnly);
  EXPECT_EQ(windows.fileAttributes("\\\\server\\share\\"), attr::Directory | attr::ReadOnly);
  EXPECT_THROW(windows.addShare("\\\\server"), std::invalid_argument);
  EXPECT_THROW(windows.addShare("\\\\server\\share\\kit"), std::invalid_argument);
  EXPECT_THROW(windows.addFile("\\\\nosuch\\share\\x"), std::invalid_argument);

  platform::ShellFileOperation copy;
  copy.operation = platform::FO_Copy;
  copy.from = std::string("\\\\server\\share\\kit\\viewer") + '\0' + '\0';
  copy.to = std::string("C:\\Users\\user\\Desktop") + '\0' + '\0';
  windows.addFile("\\\\server\\share\\kit\\viewer\\viewer.exe", attr::ReadOnly);
  EXPECT_EQ(windows.fileOperation(copy), 0);
  EXPECT_EQ(windows.fileAttributes("C:\\Users\\user\\Desktop\\viewer\\viewer.exe"),
            attr::ReadOnly | attr::Archive);
}

TEST_F(SimulatedShares, DriveTypeOfAShareIsNetwork) {
  EXPECT_EQ(windows.driveType("\\\\server\\share\\"), 4u);
  EXPECT_EQ(windows.driveType("\\\\server\\other\\"), 1u);
  ASSERT_EQ(windows.setCurrentDirectory("\\\\server\\share\\kit"), 0u);
  EXPECT_EQ(windows.driveType(""), 4u) << "no path: the current directory's";
}

TEST_F(SimulatedShares, FinalPathOnAShareGivesTheStoredNames) {
  EXPECT_EQ(windows.finalPath("\\\\SERVER\\share\\KIT\\viewer.exe"),
            "\\\\server\\share\\kit\\viewer.exe")
      << "the stored names";
}

}  // namespace
}  // namespace tarnsel::sim
