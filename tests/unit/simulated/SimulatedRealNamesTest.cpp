// Names outside the code page, entries opened as themselves, identities and
// refused final paths in the simulated Windows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

namespace attr = platform::attr;

std::vector<std::string> RealNames(SimulatedWindows& windows, const std::string& folder) {
  std::vector<std::string> names;
  const auto listing = windows.listFolder(folder);
  if (!listing) return names;
  do names.push_back(listing->entry().name);
  while (listing->next());
  return names;
}

std::vector<std::string> AnsiNames(SimulatedWindows& windows, const std::string& pattern) {
  std::vector<std::string> names;
  const auto search = windows.findFirst(pattern, attr::Any);
  if (!search) return names;
  do names.push_back(search->entry().name);
  while (search->next());
  return names;
}

TEST(SimulatedRealNames, AnsiCallsSeeBestFitNamesAndNeverReachThem) {
  SimulatedWindows windows;
  windows.addFolder("C:\\kit");
  windows.addRealNameFile("C:\\kit", "Straße_ö.txt", attr::ReadOnly);
  windows.addRealNameFile("C:\\kit", "한국어.txt", attr::Hidden);
  windows.addRealNameFile("C:\\kit", "表.txt", attr::System);  // the code page holds it
  EXPECT_EQ(AnsiNames(windows, "C:\\kit\\*.*"),
            (std::vector<std::string>{".", "..", "Strase_o.txt", "???.txt", "\x95\x5c.txt"}));
  EXPECT_EQ(RealNames(windows, "C:\\kit"),
            (std::vector<std::string>{".", "..", "Straße_ö.txt", "한국어.txt", "表.txt"}));
  EXPECT_FALSE(windows.fileExists("C:\\kit\\Strase_o.txt"));
  EXPECT_FALSE(windows.setFileAttributes("C:\\kit\\Strase_o.txt", attr::Archive));
  EXPECT_EQ(windows.fileAttributes("C:\\kit\\\x95\x5c.txt"), attr::System);
  EXPECT_EQ(windows.attributesByRealName("C:\\KIT\\straße_ö.TXT"), attr::ReadOnly)
      << "real names ignore ASCII letter case";
}

TEST(SimulatedRealNames, WesternCodePageHoldsLatinLettersButNotHangul) {
  SimulatedWindows windows;
  windows.setCodePage(1252);
  windows.addFolder("C:\\kit");
  windows.addRealNameFile("C:\\kit", "Straße_ö.txt", attr::ReadOnly);
  windows.addRealNameFile("C:\\kit", "한국어.txt", attr::ReadOnly);
  EXPECT_EQ(AnsiNames(windows, "C:\\kit\\*.*"),
            (std::vector<std::string>{".", "..", "Stra\xDF\x65_\xF6.txt", "???.txt"}));
  EXPECT_TRUE(windows.fileExists("C:\\kit\\Stra\xDF\x65_\xF6.txt"));
}

TEST(SimulatedRealNames, ABestFitTwinIsADifferentFile) {
  SimulatedWindows windows;
  windows.addFile("C:\\kit\\Strase_o.txt", attr::Hidden);
  windows.addRealNameFile("C:\\kit", "Straße_ö.txt", attr::ReadOnly);
  windows.setFileAttributes("C:\\kit\\Strase_o.txt", attr::Archive);
  EXPECT_EQ(windows.attributesByRealName("C:\\kit\\Strase_o.txt"), attr::Archive);
  EXPECT_EQ(windows.attributesByRealName("C:\\kit\\Straße_ö.txt"), attr::ReadOnly);
}

TEST(SimulatedRealNames, ShellCopyKeepsRealNames) {
  SimulatedWindows windows;
  windows.addFolder("C:\\kit\\viewer");
  windows.addRealNameFile("C:\\kit\\viewer", "한국어.txt", attr::Hidden);
  platform::ShellFileOperation copy{0, platform::FO_Copy, std::string("C:\\kit\\viewer\0", 15),
                                    std::string("C:\\dest\0", 9), platform::FOF_NoConfirmMkdir};
  ASSERT_EQ(windows.fileOperation(copy), 0);
  EXPECT_EQ(RealNames(windows, "C:\\dest\\viewer"),
            (std::vector<std::string>{".", "..", "한국어.txt"}));
  EXPECT_EQ(windows.attributesByRealName("C:\\dest\\viewer\\한국어.txt"),
            attr::Hidden | attr::Archive);
}

TEST(SimulatedRealNames, OpenedEntryAnswersAndChangesItselfAfterASwap) {
  SimulatedWindows windows;
  windows.addFile("C:\\outside\\secret.txt", attr::Hidden);
  windows.addFile("C:\\copy\\a.txt", attr::ReadOnly);
  const auto opened = windows.openEntry("C:\\copy\\a.txt", false);
  ASSERT_NE(opened, nullptr);
  const auto identity = opened->identity();
  windows.remove("C:\\copy\\a.txt");
  windows.addFileLink("C:\\copy\\a.txt", "C:\\outside\\secret.txt");
  EXPECT_TRUE(opened->setAttributes(attr::Archive));
  EXPECT_EQ(opened->attributes(), attr::Archive);
  EXPECT_EQ(windows.fileAttributes("C:\\outside\\secret.txt"), attr::Hidden);

  const auto link = windows.openEntry("C:\\copy\\a.txt", false);
  const auto followed = windows.openEntry("C:\\copy\\a.txt", true);
  ASSERT_TRUE(link && followed);
  EXPECT_NE(link->attributes() & attr::ReparsePoint, 0u);
  EXPECT_EQ(followed->attributes(), attr::Hidden);
  EXPECT_NE(link->identity(), identity);
  EXPECT_EQ(followed->identity(), windows.openEntry("C:\\outside\\secret.txt", false)->identity());
  EXPECT_EQ(windows.openEntry("C:\\copy\\missing.txt", false), nullptr);
}

TEST(SimulatedRealNames, DriveThatRefusesFinalPathsStillGivesIdentities) {
  SimulatedWindows windows;
  windows.addDrive('N', RedirectorWithoutFinalPaths());
  windows.addFile("N:\\share\\one.txt");
  windows.addFile("C:\\local\\two.txt");
  windows.addLink("C:\\local\\share", "N:\\share");
  EXPECT_EQ(windows.finalPath("N:\\share\\one.txt"), std::nullopt);
  EXPECT_EQ(windows.finalPath("C:\\local\\share\\one.txt"), std::nullopt);
  EXPECT_EQ(windows.finalPath("C:\\local\\two.txt"), "C:\\local\\two.txt");
  const auto remote = windows.openEntry("N:\\share\\one.txt", false);
  const auto local = windows.openEntry("C:\\local\\two.txt", false);
  ASSERT_TRUE(remote && local);
  EXPECT_EQ(remote->finalPath(), std::nullopt);
  EXPECT_EQ(local->finalPath(), "C:\\local\\two.txt");
  ASSERT_TRUE(remote->identity() && local->identity());
  EXPECT_NE(remote->identity()->volumeSerial, local->identity()->volumeSerial);
  EXPECT_EQ(windows.openEntry("C:\\local\\share\\one.txt", true)->identity(), remote->identity());
}

TEST(SimulatedRealNames, RealNamePathsAreMeasuredInUtf16Units) {
  SimulatedWindows windows;
  std::string folder = "C:\\deep";  // 7 + 4 × 61 = 251 units
  for (int i = 0; i < 4; ++i) folder += "\\" + std::string(60, 'n');
  windows.addFolder(folder);
  windows.addRealNameFile(folder, "한국어.txt");              // 259 units, 265 bytes of UTF-8
  windows.addRealNameFile(folder, "한국어한국어한국어.txt");  // 265 units
  EXPECT_NE(windows.openEntry(folder + "\\한국어.txt", false), nullptr);
  EXPECT_EQ(windows.openEntry(folder + "\\한국어한국어한국어.txt", false), nullptr);
}

}  // namespace
}  // namespace tarnsel::sim
