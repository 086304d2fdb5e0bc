#include "launcher/ResetAttr.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::launcher {
namespace {

namespace attr = platform::attr;

class ResetAttr : public ::testing::Test {
 protected:
  void SetUp() override {
    windows.onFindFirst = [this](const std::string& pattern) { patterns.push_back(pattern); };
  }
  void walk(const std::string& folder) { RESETATTR(windows, windows, folder); }
  std::uint32_t attributesOf(const std::string& path) {
    return windows.fileAttributes(path).value_or(0xFFFFFFFF) & attr::Any;
  }

  sim::SimulatedWindows windows;
  std::vector<std::string> patterns;
};

TEST_F(ResetAttr, EveryFileAtEveryDepthEndsArchiveOnly) {
  windows.addFile("C:\\copy\\viewer.exe", attr::ReadOnly | attr::Archive);
  windows.addFile("C:\\copy\\startup.txt", attr::Hidden | attr::System);
  windows.addFolder("C:\\copy\\locked", attr::Directory | attr::ReadOnly | attr::Hidden);
  windows.addFile("C:\\copy\\locked\\a\\b\\deep.dat", attr::System | attr::ReadOnly);
  windows.addFile("C:\\copy\\plain.txt", 0);
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\viewer.exe"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\copy\\startup.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\copy\\locked\\a\\b\\deep.dat"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\copy\\plain.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\copy\\locked"), attr::Directory | attr::ReadOnly | attr::Hidden)
      << "folders keep their own attributes";
  EXPECT_EQ(attributesOf("C:\\copy"), attr::Directory);
}

TEST_F(ResetAttr, SearchesEachFolderOnceWithoutDoubledSeparators) {
  windows.addDrive('D');
  windows.addFile("D:\\top.txt", attr::Hidden);
  windows.addFile("D:\\sub\\inner.txt", attr::Hidden);
  walk("D:\\");
  EXPECT_EQ(patterns, (std::vector<std::string>{"D:\\*.*", "D:\\sub\\*.*"}));
  EXPECT_EQ(attributesOf("D:\\top.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("D:\\sub\\inner.txt"), attr::Archive);
}

TEST_F(ResetAttr, MissingOrEmptyFoldersChangeNothing) {
  windows.addFolder("C:\\empty");
  windows.addFile("C:\\beside.txt", attr::Hidden);
  walk("C:\\missing");
  walk("C:\\empty");
  walk("");
  EXPECT_EQ(attributesOf("C:\\beside.txt"), attr::Hidden);
}

TEST_F(ResetAttr, FileWithoutADosTimeKeepsItsAttributes) {
  windows.addFile("C:\\copy\\old.txt", attr::Hidden, {}, 1975);
  windows.addFile("C:\\copy\\far.txt", attr::Hidden, {}, 2200);
  windows.addFile("C:\\copy\\new.txt", attr::Hidden);
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\old.txt"), attr::Hidden);
  EXPECT_EQ(attributesOf("C:\\copy\\far.txt"), attr::Hidden);
  EXPECT_EQ(attributesOf("C:\\copy\\new.txt"), attr::Archive);
}

TEST_F(ResetAttr, FolderEndingInABackslashTrailByteStillGetsASeparator) {
  const std::string hyo = "\x95\x5c";  // 表
  windows.addFile("C:\\desk\\" + hyo + "\\inside.txt", attr::Hidden);
  windows.addFile("C:\\desk\\" + hyo + "x\\sibling.txt", attr::Hidden);
  walk("C:\\desk\\" + hyo);
  EXPECT_EQ(patterns.front(), "C:\\desk\\" + hyo + "\\*.*");
  EXPECT_EQ(attributesOf("C:\\desk\\" + hyo + "\\inside.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\desk\\" + hyo + "x\\sibling.txt"), attr::Hidden)
      << "a folder beside the walked one is never touched";
}

TEST_F(ResetAttr, LinksOutOfTheTreeAreNotFollowed) {
  windows.addFile("C:\\Windows\\system.ini", attr::Hidden | attr::System);
  windows.addFile("C:\\copy\\viewer.exe", attr::Hidden);
  windows.addLink("C:\\copy\\windows", "C:\\Windows");
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\viewer.exe"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\Windows\\system.ini"), attr::Hidden | attr::System);
}

TEST_F(ResetAttr, ALinkBackIntoTheTreeEndsTheWalk) {
  windows.addFile("C:\\copy\\sub\\data.txt", attr::ReadOnly);
  windows.addLink("C:\\copy\\sub\\again", "C:\\copy");
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\sub\\data.txt"), attr::Archive);
  EXPECT_EQ(patterns.size(), 2u) << "the link is never searched";
}

TEST_F(ResetAttr, WalkStartedThroughALinkStillWorksBelowIt) {
  // The desktop itself may be a link (a redirected folder); the tree below is real.
  windows.addDrive('D');
  windows.addFile("D:\\real\\viewer\\viewer.exe", attr::Hidden);
  windows.addLink("C:\\Desktop", "D:\\real");
  walk("C:\\Desktop\\viewer");
  EXPECT_EQ(attributesOf("D:\\real\\viewer\\viewer.exe"), attr::Archive);
}

TEST_F(ResetAttr, FolderThatVanishesMidWalkIsPassedOver) {
  windows.addFile("C:\\copy\\a\\one.txt", attr::Hidden);
  windows.addFile("C:\\copy\\b\\two.txt", attr::Hidden);
  windows.addFile("C:\\copy\\c.txt", attr::Hidden);
  windows.onFindFirst = [this](const std::string& pattern) {
    if (pattern == "C:\\copy\\a\\*.*") windows.remove("C:\\copy\\b");
  };
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\a\\one.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\copy\\c.txt"), attr::Archive);
  EXPECT_FALSE(windows.exists("C:\\copy\\b"));
}

TEST_F(ResetAttr, UnreadableFolderIsSkippedAndTheRestHandled) {
  windows.addFile("C:\\copy\\locked\\secret.txt", attr::Hidden);
  windows.addFile("C:\\copy\\open.txt", attr::Hidden);
  windows.denyAccess("C:\\copy\\locked");
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\open.txt"), attr::Archive);
  EXPECT_EQ(patterns, (std::vector<std::string>{"C:\\copy\\*.*", "C:\\copy\\locked\\*.*"}));
}

}  // namespace
}  // namespace tarnsel::launcher
