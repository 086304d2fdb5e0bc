// The double-byte path helpers: delimiters and last characters on character
// boundaries, joins, case folding and comparison, and namespace prefixes.
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::platform {
namespace {

class PathText : public ::testing::Test {
 protected:
  sim::SimulatedWindows windows;
  const CodePage& cp = windows;
};

const std::string so = "\x83\x5c";   // ソ, second byte 0x5C
const std::string hyo = "\x95\x5c";  // 表, second byte 0x5C

TEST_F(PathText, DelimiterSearchesSkipTrailBytes) {
  EXPECT_EQ(LastDelimiter(cp, "E:\\kit\\viewer.exe", "\\:"), 6u);
  EXPECT_EQ(LastDelimiter(cp, "E:\\" + so, "\\:"), 2u);
  EXPECT_EQ(LastDelimiter(cp, so + hyo, "\\"), std::string::npos);
  EXPECT_EQ(LastDelimiter(cp, "a.b.c", "."), 3u);
  EXPECT_EQ(FirstDelimiter(cp, so + "\\x\\y", "\\"), 2u);
  EXPECT_EQ(FirstDelimiter(cp, so + "\\x\\y", "\\", 3), 4u);
}

TEST_F(PathText, LastCharacterIsAWholeDoubleByteCharacter) {
  EXPECT_TRUE(EndsWithCharacter(cp, "C:\\", '\\'));
  EXPECT_FALSE(EndsWithCharacter(cp, "C:\\" + so, '\\'));
  EXPECT_FALSE(EndsWithCharacter(cp, "", '\\'));
  EXPECT_EQ(LastCharacterStart(cp, "ab" + hyo), 2u);
}

TEST_F(PathText, JoinPathAddsASeparatorAfterABackslashTrailByte) {
  EXPECT_EQ(JoinPath(cp, "C:\\", "x"), "C:\\x");
  EXPECT_EQ(JoinPath(cp, "C:\\kit", "x"), "C:\\kit\\x");
  EXPECT_EQ(JoinPath(cp, "C:\\" + so, "x"), "C:\\" + so + "\\x");
}

TEST_F(PathText, DoubleByteFoldingChangesOnlyAsciiLetters) {
  const std::string trailInAZ = "\x83\x41";  // ア: trail byte is 'A'
  EXPECT_EQ(LowerCaseFileName(cp, "VIEWER" + trailInAZ + ".EXE"), "viewer" + trailInAZ + ".exe");
  EXPECT_EQ(UpperCaseFileName(cp, "viewer\x83\x61.exe"), "VIEWER\x83\x61.EXE");
  EXPECT_EQ(LowerCaseFileName(cp, "\xC4"), "\xC4") << "no locale mapping on a double-byte page";
}

TEST_F(PathText, SingleByteFoldingUsesTheLocaleMapping) {
  windows.setCodePage(1252);
  EXPECT_EQ(LowerCaseFileName(cp, "\xC4PFEL.TXT"), "\xE4pfel.txt");
  EXPECT_EQ(UpperCaseFileName(cp, "\xE4pfel\x83\x41"), "\xC4PFEL\x83\x41");
}

TEST_F(PathText, FileNamesCompareWithoutLetterCase) {
  EXPECT_TRUE(SameFileName(cp, "C:\\Kit\\VIEWER", "c:\\kit\\viewer"));
  EXPECT_FALSE(SameFileName(cp, "C:\\kit\\viewer", "C:\\kit\\viewer2"));
  EXPECT_FALSE(SameFileName(cp, "\x83\x41", "\x83\x61")) << "trail bytes never fold";
}

TEST(PathPrefixes, NamespacePrefixesGiveThePlainPath) {
  EXPECT_EQ(WithoutNamespacePrefix("UNC\\server\\share\\kit\\viewer.exe"),
            "\\\\server\\share\\kit\\viewer.exe")
      << "how Wine names a program started from a share";
  EXPECT_EQ(WithoutNamespacePrefix("\\\\?\\UNC\\server\\share\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(WithoutNamespacePrefix("\\\\?\\E:\\kit\\viewer.exe"), "E:\\kit\\viewer.exe");
  EXPECT_EQ(WithoutNamespacePrefix("\\\\server\\UNC\\x"), "\\\\server\\UNC\\x");
  EXPECT_EQ(WithoutNamespacePrefix("E:\\UNC\\viewer.exe"), "E:\\UNC\\viewer.exe");
}

TEST(PathPrefixes, DriveRootOnlyForADriveLetterAndColon) {
  EXPECT_EQ(DriveRootOf("C:\\Windows\\system32"), "C:\\");
  EXPECT_EQ(DriveRootOf("d:"), "d:\\");
  EXPECT_EQ(DriveRootOf("\\\\server\\share\\x"), "");
  EXPECT_EQ(DriveRootOf("1:\\x"), "");
  EXPECT_EQ(DriveRootOf(""), "");
}

}  // namespace
}  // namespace tarnsel::platform
