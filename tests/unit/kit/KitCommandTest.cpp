// The kit tool's command line on the simulated Windows: help, usage errors, make
// followed by its check, and the README's table of exit codes against the program's.
#include "kit/KitCommand.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "kit/ExitCodes.h"
#include "unit/kit/KitWorld.h"

namespace tarnsel::kit {
namespace {

TEST(KitCommand, HelpListsEveryExitCodeAndUsageErrorsGiveOne) {
  testing::KitWorld world;
  EXPECT_EQ(RunKitTool(world.tool, {"--help"}), 0);
  for (const ExitCodeInfo& info : ExitCodeTable()) {
    EXPECT_NE(world.console.output.find(info.meaning), std::string::npos) << info.meaning;
  }
  EXPECT_NE(world.console.output.find("beside TarnselKit.exe"), std::string::npos);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                              {"check"},
                                              {"check", "a", "b"},
                                              {"make", "a", "b"},
                                              {"make", "a", "b", "c", "--intro"},
                                              {"unpack", "x"}}) {
    world.console.errors.clear();
    EXPECT_EQ(RunKitTool(world.tool, bad), 1);
    EXPECT_NE(world.console.errors.find("Usage:"), std::string::npos);
  }
}

TEST(KitCommand, MakeThenChecksTheNewKitAndReturnsItsCode) {
  testing::KitWorld world;
  world.windows.addFile("C:\\tools\\Tarnsel.exe");
  world.windows.addFile("C:\\app\\b.exe");
  world.windows.addFile("C:\\app\\a.exe");
  world.windows.setCurrentDirectory("C:\\");
  EXPECT_EQ(RunKitTool(world.tool, {"make", "app", "demo", "kit"}),
            static_cast<int>(ExitCode::SeveralPrograms));
  const std::string& out = world.console.output;
  EXPECT_NE(out.find("Program:        a.exe"), std::string::npos) << out;
  EXPECT_NE(out.find("\"C:\\Users\\user\\Desktop\\demo\\a.exe\""), std::string::npos) << out;
  EXPECT_NE(out.find("warning 11:"), std::string::npos) << out;
  EXPECT_NE(out.find("Result: 11 (warning)"), std::string::npos) << out;

  // The same again is refused: the output is no longer empty.
  EXPECT_EQ(RunKitTool(world.tool, {"make", "app", "demo", "kit"}),
            static_cast<int>(ExitCode::Refused));
  EXPECT_NE(world.console.errors.find("not empty"), std::string::npos);
  EXPECT_EQ(RunKitTool(world.tool, {"check", "C:\\kit\\missing.exe"}),
            static_cast<int>(ExitCode::Missing));
}

TEST(KitCommand, PathsThisMachinesCodePageLacksAreRefused) {
  testing::KitWorld world;
  world.windows.setCodePage(1252);
  EXPECT_EQ(RunKitTool(world.tool, {"check", "C:\\kit\\ビューア.exe"}),
            static_cast<int>(ExitCode::Unconvertible));
  EXPECT_NE(world.console.errors.find("ビューア"), std::string::npos);
}

TEST(KitCommand, ReadmeTableMatchesTheProgram) {
  std::ifstream readme(TARNSEL_README);
  ASSERT_TRUE(readme) << TARNSEL_README;
  std::stringstream text;
  text << readme.rdbuf();
  const std::string content = text.str();
  const std::size_t section = content.find("## Shipping your application with Tarnsel");
  ASSERT_NE(section, std::string::npos);
  const std::regex row(R"(\n\| (\d+) \| (clean|bad input|warning|error) \|)");
  std::vector<std::pair<int, std::string>> documented;
  for (auto it = std::sregex_iterator(content.begin() + section, content.end(), row);
       it != std::sregex_iterator(); ++it) {
    documented.emplace_back(std::stoi((*it)[1]), (*it)[2]);
  }
  std::vector<std::pair<int, std::string>> actual;
  for (const ExitCodeInfo& info : ExitCodeTable()) {
    actual.emplace_back(static_cast<int>(info.code), SeverityName(info.severity));
  }
  EXPECT_EQ(documented, actual);
}

}  // namespace
}  // namespace tarnsel::kit
