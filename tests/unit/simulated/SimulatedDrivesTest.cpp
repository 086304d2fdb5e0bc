// Drives and the code page of the simulated Windows.
#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

TEST(SimulatedDrives, ReportsDrivesByLetterWhateverTheCase) {
  SimulatedWindows windows;
  windows.addDrive('e', {.type = 5, .label = "DISC", .networkName = {}, .ready = true});
  windows.addDrive('A', {.type = 2, .label = "", .networkName = {}, .ready = false});
  EXPECT_EQ(windows.logicalDrives(), (1u << 0) | (1u << 2) | (1u << 4));
  EXPECT_EQ(windows.driveType("E:\\"), 5u);
  EXPECT_EQ(windows.driveType("a:\\"), 2u);
  EXPECT_EQ(windows.driveType("Q:\\"), 1u);
  EXPECT_EQ(windows.volumeLabel("e:\\"), "DISC");
  EXPECT_EQ(windows.volumeLabel("C:\\"), "");
  EXPECT_EQ(windows.volumeLabel("A:\\"), std::nullopt);
  EXPECT_EQ(windows.volumeLabel("Q:\\"), std::nullopt);
  EXPECT_EQ(windows.volumeQueries(), (std::vector<std::string>{"e:\\", "C:\\", "A:\\", "Q:\\"}));
  windows.setDriveReady('a', true);
  EXPECT_EQ(windows.volumeLabel("A:\\"), "");
}

TEST(SimulatedDrives, NetworkNameOnlyForNetworkDrives) {
  SimulatedWindows windows;
  windows.addDrive('N', {.type = 4, .label = "", .networkName = "\\\\srv\\share", .ready = true});
  windows.addDrive('F', {.type = 3, .label = "", .networkName = "\\\\srv\\x", .ready = true});
  EXPECT_EQ(windows.networkConnection("N:"), "\\\\srv\\share");
  EXPECT_EQ(windows.networkConnection("F:"), std::nullopt);
  EXPECT_EQ(windows.networkConnection("Z:"), std::nullopt);
}

TEST(SimulatedDrives, ErrorModeSwapsAndRemembers) {
  SimulatedWindows windows;
  EXPECT_EQ(windows.setErrorMode(1), 0u);
  EXPECT_EQ(windows.setErrorMode(0x8001), 1u);
  EXPECT_EQ(windows.errorMode(), 0x8001u);
}

TEST(SimulatedCodePage, ShiftJisChangesOnlyAsciiLetters) {
  SimulatedWindows windows;
  EXPECT_TRUE(windows.isLeadByte(0x83));
  EXPECT_TRUE(windows.isLeadByte(0xE0));
  EXPECT_FALSE(windows.isLeadByte(0xA0));
  EXPECT_EQ(windows.localeUpper("a\x83\x61z\xC9"), "A\x83\x61Z\xC9");
  EXPECT_EQ(windows.localeLower("A\x83\x41Z"), "a\x83\x41z");
}

TEST(SimulatedCodePage, WesternMapsItsAccentedLetters) {
  SimulatedWindows windows;
  windows.setCodePage(1252);
  EXPECT_FALSE(windows.isDoubleByte());
  EXPECT_FALSE(windows.isLeadByte(0x83));
  EXPECT_EQ(windows.localeLower("\xC9\x8A\x8C\x8E\x9F\xD7\xDE"), "\xE9\x9A\x9C\x9E\xFF\xD7\xFE");
  EXPECT_EQ(windows.localeUpper("\xE9\x9A\x9C\x9E\xFF\xF7\xFE"), "\xC9\x8A\x8C\x8E\x9F\xF7\xDE");
}

TEST(SimulatedCodePage, ComparesIgnoringCaseThenLowerCaseFirst) {
  SimulatedWindows windows;
  EXPECT_EQ(windows.localeCompare("Setup", "Setup"), 0);
  EXPECT_LT(windows.localeCompare("apple", "Banana"), 0);
  EXPECT_GT(windows.localeCompare("Banana", "apple"), 0);
  EXPECT_LT(windows.localeCompare("abc", "ABC"), 0);
  EXPECT_GT(windows.localeCompare("aBc", "abC"), 0);
  EXPECT_LT(windows.localeCompare("ab", "ABC"), 0);
}

TEST(SimulatedCodePage, ConvertsToAndFromUtf8) {
  SimulatedWindows windows;
  const std::string sjis = "C:\\\x83\x5c\x95\x5c\x93\xfa\x96\x7b\x8c\xea\xb1";
  const std::string utf8 = "C:\\\u30bd\u8868\u65e5\u672c\u8a9e\uff71";
  EXPECT_EQ(windows.toUtf8(sjis), utf8);
  EXPECT_EQ(windows.fromUtf8(utf8), sjis);
  EXPECT_EQ(windows.toUtf8("a\x85\x40z"), "a\uFFFDz");
  EXPECT_EQ(windows.fromUtf8("a\u20ACz\xFFy"), "a?z?y");
  windows.setCodePage(1252);
  EXPECT_EQ(windows.toUtf8("\x80\x81\xE9"), "\u20AC\u0081\u00E9");
  EXPECT_EQ(windows.fromUtf8("\u20AC\u30BD"), "\x80?");
}

TEST(SimulatedCodePage, UndefinedWestern1252BytesGoThereAndBack) {
  SimulatedWindows windows;
  windows.setCodePage(1252);
  const std::string undefined = "\x81\x8D\x8F\x90\x9D";
  EXPECT_EQ(windows.toUtf8(undefined), "\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(windows.fromUtf8(windows.toUtf8("a" + undefined + "z")), "a" + undefined + "z");
  windows.setCodePage(932);
  EXPECT_EQ(windows.fromUtf8("\u0081"), "?") << "Shift-JIS has no C1 controls";
}

}  // namespace
}  // namespace tarnsel::sim
