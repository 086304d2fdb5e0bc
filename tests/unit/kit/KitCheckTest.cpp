// The check's predictions on the simulated Windows: what the launcher will do with
// a kit, and one finding, with its own exit code, for each pitfall of the layout.
#include "kit/KitCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "kit/KitError.h"
#include "unit/kit/KitWorld.h"

namespace tarnsel::kit {
namespace {

namespace attr = platform::attr;

class KitCheck : public ::testing::Test {
 protected:
  KitCheck() {
    windows.addDrive('E');
    windows.addFile("E:\\kit\\viewer.exe", attr::Archive, "launcher");
    windows.addFolder("E:\\kit\\viewer");
  }
  KitPrediction check(const std::string& launcher = "E:\\kit\\viewer.exe") {
    return CheckKit(windows.platform(), world.kitFiles, world.target, launcher);
  }
  static std::vector<ExitCode> codes(const KitPrediction& p) {
    std::vector<ExitCode> found;
    for (const KitFinding& finding : p.findings) found.push_back(finding.code);
    return found;
  }
  static bool has(const KitPrediction& p, ExitCode code) {
    const auto found = codes(p);
    return std::find(found.begin(), found.end(), code) != found.end();
  }

  testing::KitWorld world;
  sim::SimulatedWindows& windows = world.windows;
};

TEST_F(KitCheck, PredictsTheLaunchersStartOnACleanKit) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe", attr::Archive, "program");
  windows.addFile("E:\\kit\\viewer\\startup.txt", attr::Archive, "start");
  windows.addFile("E:\\kit\\viewer\\data\\big.bin", attr::Archive, std::string(1000, 'x'));
  windows.addFile("E:\\kit\\index.html");
  const KitPrediction p = check();
  EXPECT_EQ(p.installName, "\\viewer");
  EXPECT_EQ(p.sourceFolder, "E:\\kit\\viewer");
  EXPECT_EQ(p.programEntries, std::vector<std::string>{"viewer.exe"});
  EXPECT_EQ(p.startEntries, std::vector<std::string>{"startup.txt"});
  EXPECT_EQ(p.introPageURL, "file:///E:\\kit\\index.html");
  EXPECT_EQ(p.destination, "C:\\Users\\user\\Desktop\\viewer");
  EXPECT_EQ(p.commandLine,
            "\"C:\\Users\\user\\Desktop\\viewer\\viewer.exe\" "
            "C:\\Users\\user\\Desktop\\viewer\\startup.txt");
  EXPECT_EQ(p.files, 3u);
  EXPECT_EQ(p.folders, 1u);
  EXPECT_EQ(p.bytes, 7u + 5u + 1000u);
  EXPECT_TRUE(p.findings.empty()) << p.findings.front().text;
  EXPECT_EQ(p.exitCode(), ExitCode::Clean);
}

TEST_F(KitCheck, WithoutIntroPageOrStartFileTheWindowCollapsesAndNoParameterIsPassed) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe");
  windows.addFolder("E:\\kit\\index.html");
  const KitPrediction p = check();
  EXPECT_TRUE(p.introPageURL.empty());
  EXPECT_EQ(p.commandLine, "\"C:\\Users\\user\\Desktop\\viewer\\viewer.exe\"");
  EXPECT_EQ(codes(p), std::vector<ExitCode>{ExitCode::IntroIsFolder});
}

TEST_F(KitCheck, ProgramPitfalls) {
  {
    const KitPrediction p = check();
    EXPECT_EQ(codes(p), std::vector<ExitCode>{ExitCode::NoProgram});
    EXPECT_TRUE(p.commandLine.empty());
  }
  windows.addFile("E:\\kit\\viewer\\viewer.exe", attr::Hidden);
  windows.addFile("E:\\kit\\viewer\\tool.exe", attr::System);
  EXPECT_EQ(codes(check()), std::vector<ExitCode>{ExitCode::ProgramHidden});

  windows.addFile("E:\\kit\\viewer\\zeta.exe");
  windows.addFile("E:\\kit\\viewer\\alpha.exe");
  const KitPrediction two = check();
  EXPECT_EQ(two.programEntries, (std::vector<std::string>{"alpha.exe", "zeta.exe"}));
  EXPECT_EQ(codes(two),
            (std::vector<ExitCode>{ExitCode::SeveralPrograms, ExitCode::HiddenIgnored}));
  EXPECT_NE(two.findings[0].text.find("\"alpha.exe\" wins"), std::string::npos);
  EXPECT_EQ(two.exitCode(), ExitCode::SeveralPrograms);

  // A folder named like a program is listed in brackets and sorts before the letters.
  windows.addFolder("E:\\kit\\viewer\\tools.exe");
  const KitPrediction folder = check();
  ASSERT_FALSE(folder.programEntries.empty());
  EXPECT_EQ(folder.programEntries.front(), "[tools.exe]");
  EXPECT_TRUE(has(folder, ExitCode::FolderSortsFirst));
  EXPECT_EQ(folder.exitCode(), ExitCode::FolderSortsFirst);
  EXPECT_EQ(folder.targetProgramPath, "C:\\Users\\user\\Desktop\\viewer\\[tools.exe]");
  EXPECT_TRUE(folder.commandLine.empty());
}

TEST_F(KitCheck, StartFilePitfalls) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe");
  windows.addFolder("E:\\kit\\viewer\\startup.d");
  const KitPrediction folder = check();
  EXPECT_TRUE(folder.startEntries.empty());
  EXPECT_EQ(codes(folder), std::vector<ExitCode>{ExitCode::StartFileIsFolder});

  windows.remove("E:\\kit\\viewer\\startup.d");
  windows.addFile("E:\\kit\\viewer\\startup.dat", attr::Hidden);
  EXPECT_EQ(codes(check()), std::vector<ExitCode>{ExitCode::StartFileHidden});

  windows.addFile("E:\\kit\\viewer\\startup2.txt");
  windows.addFile("E:\\kit\\viewer\\startup1.txt");
  const KitPrediction two = check();
  EXPECT_EQ(two.startEntries.front(), "startup1.txt");
  EXPECT_EQ(codes(two),
            (std::vector<ExitCode>{ExitCode::SeveralStartFiles, ExitCode::HiddenIgnored}));
}

TEST_F(KitCheck, SourceFolderMissingOrAFile) {
  windows.remove("E:\\kit\\viewer");
  const KitPrediction missing = check();
  EXPECT_EQ(codes(missing), std::vector<ExitCode>{ExitCode::NoSourceFolder});
  EXPECT_TRUE(missing.sourceFolder.empty());
  windows.addFile("E:\\kit\\viewer");
  EXPECT_EQ(codes(check()), std::vector<ExitCode>{ExitCode::NoSourceFolder});
  windows.remove("E:\\kit\\viewer");
  windows.addFolder("E:\\kit\\viewer");
  windows.denyAccess("E:\\kit\\viewer");
  EXPECT_EQ(codes(check()), std::vector<ExitCode>{ExitCode::NoSourceFolder});
}

TEST_F(KitCheck, NamesTheUsersCodePageLacksAndUnreadableFolders) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe");
  windows.addFolder("E:\\kit\\viewer\\docs");
  windows.addRealNameFile("E:\\kit\\viewer\\docs", "한국어.txt");
  windows.addRealNameFile("E:\\kit\\viewer", "日本語.txt");
  windows.addFolder("E:\\kit\\viewer\\locked");
  windows.denyAccess("E:\\kit\\viewer\\locked");
  const KitPrediction p = check();
  EXPECT_EQ(codes(p),
            (std::vector<ExitCode>{ExitCode::NameOutsideCodePage, ExitCode::UnreadableFolder}));
  EXPECT_NE(p.findings[0].text.find("docs\\한국어.txt"), std::string::npos);
  EXPECT_EQ(p.exitCode(), ExitCode::UnreadableFolder);
}

TEST_F(KitCheck, PathsReaching260BytesUnderTheAssumedDesktop) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe");
  // The assumed desktop and "\viewer" take 44 bytes; each level adds 51.
  const std::string level = std::string(50, 'd');
  std::string folder = "E:\\kit\\viewer";
  for (int i = 0; i < 4; ++i) folder += "\\" + level;
  windows.addFolder(folder);  // 44 + 4 * 51 = 248 bytes
  EXPECT_EQ(check().longestPath, 248u);
  EXPECT_TRUE(check().findings.empty());
  windows.addFile(folder + "\\abcdefghij");  // 248 + 11 = 259: still fits with its NUL
  EXPECT_TRUE(check().findings.empty());
  windows.addFile(folder + "\\abcdefghijk");  // 260
  const KitPrediction p = check();
  EXPECT_EQ(codes(p), std::vector<ExitCode>{ExitCode::PathTooLong});
  EXPECT_EQ(p.longestPath, 260u);
}

TEST_F(KitCheck, AnotherCodePageOnThisMachineIsAWarning) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe");
  world.target.active = false;
  EXPECT_EQ(codes(check()), std::vector<ExitCode>{ExitCode::OtherCodePage});
}

TEST_F(KitCheck, BadLauncherPathIsAnInputErrorAndNothingChanges) {
  windows.addFile("E:\\kit\\viewer\\viewer.exe", attr::ReadOnly | attr::Hidden);
  windows.setCurrentDirectory("C:\\");
  try {
    check("E:\\kit\\other.exe");
    FAIL() << "a missing launcher was accepted";
  } catch (const KitInputError& error) {
    EXPECT_EQ(error.code(), ExitCode::Missing);
  }
  try {
    check("E:\\kit\\viewer");
    FAIL() << "a folder was taken for the launcher";
  } catch (const KitInputError& error) {
    EXPECT_EQ(error.code(), ExitCode::WrongKind);
  }
  check();
  EXPECT_EQ(windows.currentDirectory(), "C:\\");
  EXPECT_EQ(windows.fileAttributes("E:\\kit\\viewer\\viewer.exe"), attr::ReadOnly | attr::Hidden);
}

}  // namespace
}  // namespace tarnsel::kit
