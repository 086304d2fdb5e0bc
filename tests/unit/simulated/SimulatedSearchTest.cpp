// Directory searches, folder links and denied folders in the simulated Windows.
#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

namespace attr = platform::attr;
using Names = std::vector<std::string>;

Names search(SimulatedWindows& windows, const std::string& pattern,
             std::uint32_t mask = attr::Any) {
  Names names;
  auto found = windows.findFirst(pattern, mask);
  if (found == nullptr) return names;
  do names.push_back(found->entry().name);
  while (found->next());
  return names;
}

TEST(SimulatedSearch, DeliversDotEntriesThenCreationOrderExceptInRoots) {
  SimulatedWindows windows;
  windows.addFile("C:\\d\\b");
  windows.addFile("C:\\d\\a");
  windows.addFolder("C:\\d\\c");
  EXPECT_EQ(search(windows, "C:\\d\\*"), (Names{".", "..", "b", "a", "c"}));
  EXPECT_EQ(search(windows, "C:\\*"), (Names{"Users", "d"}));
  ASSERT_EQ(windows.setCurrentDirectory("C:\\D"), 0u);
  EXPECT_EQ(search(windows, "?"), (Names{".", "b", "a", "c"}));
}

TEST(SimulatedSearch, PatternsFollowWindowsWildcardRules) {
  SimulatedWindows windows;
  windows.addDrive('X');
  for (const char* name : {"Readme.TXT", "setup.exe", "NOEXT", "a.b.c"}) {
    windows.addFile(std::string("X:\\") + name);
  }
  EXPECT_EQ(search(windows, "X:\\*.txt"), (Names{"Readme.TXT"}));
  EXPECT_EQ(search(windows, "X:\\*.*"), (Names{"Readme.TXT", "setup.exe", "NOEXT", "a.b.c"}));
  EXPECT_EQ(search(windows, "X:\\*."), (Names{"NOEXT"}));
  EXPECT_EQ(search(windows, "X:\\S?TUP.*"), (Names{"setup.exe"}));
  EXPECT_EQ(search(windows, "X:\\*.b*"), (Names{"a.b.c"}));
  EXPECT_EQ(search(windows, "X:\\noext?"), Names{});
  EXPECT_EQ(windows.findFirst("X:\\", attr::Any), nullptr);
}

TEST(SimulatedSearch, MaskPassesOverHiddenSystemAndFolderEntries) {
  SimulatedWindows windows;
  windows.addDrive('X');
  windows.addFile("X:\\plain");
  windows.addFile("X:\\locked", attr::ReadOnly);
  windows.addFile("X:\\hidden", attr::Hidden);
  windows.addFile("X:\\system", attr::System | attr::Archive);
  windows.addFolder("X:\\folder");
  windows.addFolder("X:\\hiddenFolder", attr::Directory | attr::Hidden);
  EXPECT_EQ(search(windows, "X:\\*", 0), (Names{"plain", "locked"}));
  EXPECT_EQ(search(windows, "X:\\*", attr::Directory), (Names{"plain", "locked", "folder"}));
  EXPECT_EQ(search(windows, "X:\\*", attr::Hidden | attr::System),
            (Names{"plain", "locked", "hidden", "system"}));
  EXPECT_EQ(search(windows, "X:\\h*", attr::Hidden), (Names{"hidden"}));
}

TEST(SimulatedSearch, NothingStartsInUnusableFolders) {
  SimulatedWindows windows;
  windows.addFile("C:\\file.txt");
  windows.addDrive('A', {.type = 2, .label = "", .networkName = {}, .ready = false});
  EXPECT_EQ(windows.findFirst("C:\\missing\\*", attr::Any), nullptr);
  EXPECT_EQ(windows.findFirst("C:\\file.txt\\*", attr::Any), nullptr);
  EXPECT_EQ(windows.findFirst("Q:\\*", attr::Any), nullptr);
  EXPECT_EQ(windows.findFirst("A:\\*", attr::Any), nullptr);
  EXPECT_EQ(windows.fileAttributes("A:\\"), std::nullopt);
}

TEST(SimulatedSearch, SearchKeepsItsEntriesWhenTheTreeChanges) {
  SimulatedWindows windows;
  windows.addFile("C:\\d\\a");
  windows.addFile("C:\\d\\b");
  auto found = windows.findFirst("C:\\d\\*", 0);
  ASSERT_NE(found, nullptr);
  windows.remove("C:\\d");
  EXPECT_FALSE(windows.exists("C:\\d\\b"));
  EXPECT_EQ(found->entry().name, "a");
  ASSERT_TRUE(found->next());
  EXPECT_EQ(found->entry().name, "b");
  EXPECT_FALSE(found->next());
}

TEST(SimulatedSearch, HookRunsBeforeTheSearchReadsTheFolder) {
  SimulatedWindows windows;
  windows.addFile("C:\\d\\a");
  windows.addFile("C:\\d\\b");
  Names patterns;
  windows.onFindFirst = [&](const std::string& pattern) {
    patterns.push_back(pattern);
    windows.remove("C:\\d\\a");
  };
  EXPECT_EQ(search(windows, "C:\\d\\*", 0), (Names{"b"}));
  EXPECT_EQ(patterns, (Names{"C:\\d\\*"}));
}

TEST(SimulatedSearch, ShiftJisNamesWithTrailByte5CAreOneComponent) {
  SimulatedWindows windows;
  const std::string hyo = "\x95\x5c";  // 表
  const std::string so = "\x83\x5c";   // ソ
  windows.addFile("C:\\" + hyo + "\\" + so + ".txt");
  EXPECT_EQ(windows.listNames("C:\\"), (Names{"Users", hyo}));
  EXPECT_EQ(search(windows, "C:\\" + hyo + "\\*.txt"), (Names{so + ".txt"}));
  EXPECT_EQ(search(windows, "C:\\" + hyo + "\\?.TXT"), (Names{so + ".txt"}));
  EXPECT_EQ(search(windows, "C:\\" + hyo + "\\??.txt"), Names{});
  ASSERT_EQ(windows.setCurrentDirectory("C:\\" + hyo), 0u);
  EXPECT_EQ(windows.currentDirectory(), "C:\\" + hyo);
  EXPECT_TRUE(windows.fileExists(so + ".txt"));
}

TEST(SimulatedSearch, TrailBytesAreNotLettersInShiftJis) {
  SimulatedWindows windows;
  windows.addFile("C:\\\x83\x41");  // ア
  windows.addFile("C:\\Readme");
  EXPECT_FALSE(windows.fileExists("C:\\\x83\x61"));
  EXPECT_TRUE(windows.fileExists("C:\\\x83\x41"));
  EXPECT_TRUE(windows.fileExists("c:\\README"));
}

TEST(SimulatedSearch, WesternCodePageFoldsAccentedLetters) {
  SimulatedWindows windows;
  windows.addFile("C:\\\xC9t\xE9.txt");  // Été.txt
  EXPECT_FALSE(windows.fileExists("C:\\\xE9T\xC9.TXT"));
  windows.setCodePage(1252);
  EXPECT_TRUE(windows.fileExists("C:\\\xE9T\xC9.TXT"));
  EXPECT_EQ(search(windows, "C:\\?T?.*"), (Names{"\xC9t\xE9.txt"}));
}

TEST(SimulatedSearch, LinkLeadsToItsTargetAndReportsItself) {
  SimulatedWindows windows;
  windows.addDrive('D');
  windows.addFile("D:\\Real\\f.txt");
  windows.addFolder("D:\\Real\\sub");
  windows.addLink("C:\\link", "D:\\real");
  EXPECT_TRUE(windows.fileExists("C:\\link\\f.txt"));
  EXPECT_EQ(windows.fileAttributes("C:\\link"), attr::Directory | attr::ReparsePoint);
  EXPECT_EQ(search(windows, "C:\\link\\*"), (Names{".", "..", "f.txt", "sub"}));
  EXPECT_EQ(windows.finalPath("c:\\LINK\\SUB"), "D:\\Real\\sub");
  ASSERT_EQ(windows.setCurrentDirectory("C:\\link\\sub"), 0u);
  EXPECT_EQ(windows.currentDirectory(), "C:\\link\\sub");
  ASSERT_TRUE(windows.setFileAttributes("C:\\link\\f.txt", attr::Hidden));
  EXPECT_EQ(windows.fileAttributes("D:\\real\\f.txt"), attr::Hidden);
}

TEST(SimulatedSearch, LinkLoopsEndInPathNotFound) {
  SimulatedWindows windows;
  windows.addFile("C:\\a\\x.txt");
  windows.addLink("C:\\a\\up", "C:\\a");
  windows.addLink("C:\\self", "C:\\self");
  EXPECT_TRUE(windows.fileExists("C:\\a\\up\\up\\up\\x.txt"));
  EXPECT_EQ(windows.finalPath("C:\\a\\up\\up"), "C:\\a");
  EXPECT_EQ(windows.setCurrentDirectory("C:\\self"), platform::error::PathNotFound);
  EXPECT_EQ(windows.findFirst("C:\\self\\*", attr::Any), nullptr);
  EXPECT_FALSE(windows.exists("C:\\self"));
  EXPECT_EQ(windows.fileAttributes("C:\\self"), attr::Directory | attr::ReparsePoint);
}

TEST(SimulatedSearch, DeniedFolderShowsItsAttributesButCannotBeListedOrEntered) {
  SimulatedWindows windows;
  windows.addFile("C:\\secret\\inner\\f.txt");
  windows.addFolder("C:\\secret", attr::Directory | attr::Hidden);
  windows.denyAccess("C:\\secret");
  EXPECT_EQ(windows.fileAttributes("C:\\secret"), attr::Directory | attr::Hidden);
  EXPECT_EQ(search(windows, "C:\\s*"), (Names{"secret"}));
  EXPECT_EQ(windows.findFirst("C:\\secret\\*", attr::Any), nullptr);
  EXPECT_EQ(windows.setCurrentDirectory("C:\\secret\\inner"), platform::error::AccessDenied);
  EXPECT_FALSE(windows.fileExists("C:\\secret\\inner\\f.txt"));
  EXPECT_TRUE(windows.exists("C:\\secret\\inner\\f.txt"));
}

}  // namespace
}  // namespace tarnsel::sim
