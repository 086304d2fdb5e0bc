// Making a kit on the simulated Windows: what lands where, and every refusal made
// before anything is written.
#include "kit/KitMake.h"

#include <gtest/gtest.h>

#include "kit/KitError.h"
#include "unit/kit/KitWorld.h"

namespace tarnsel::kit {
namespace {

namespace attr = platform::attr;

class KitMake : public ::testing::Test {
 protected:
  KitMake() {
    windows.addFile("C:\\tools\\Tarnsel.exe", attr::Archive, "launcher");
    windows.addFile("C:\\src\\app\\viewer.exe", attr::Archive, "program");
    windows.addFile("C:\\src\\app\\startup.txt", attr::ReadOnly, "start");
    windows.addFile("C:\\src\\app\\data\\one.bin", attr::Archive, "1");
    windows.addFile("C:\\src\\intro.html", attr::Archive, "<p>hello</p>");
  }
  MakeRequest request(const std::string& output = "C:\\out") {
    return {"C:\\src\\app", "viewer", output, "C:\\src\\intro.html", "C:\\tools\\Tarnsel.exe"};
  }
  std::string make(const MakeRequest& r) {
    return MakeKit(windows.realNames(), world.kitFiles, world.target, r);
  }
  // The code of the refusal, after checking that nothing new appeared.
  ExitCode refusal(const MakeRequest& r) {
    const auto before = windows.listNames("C:\\");
    try {
      make(r);
    } catch (const KitInputError& error) {
      EXPECT_EQ(windows.listNames("C:\\"), before) << "a refused make wrote something";
      return error.code();
    }
    ADD_FAILURE() << "make was not refused";
    return ExitCode::Clean;
  }

  testing::KitWorld world;
  sim::SimulatedWindows& windows = world.windows;
};

TEST_F(KitMake, LaysOutLauncherFolderAndIntroPage) {
  EXPECT_EQ(make(request()), "C:\\out\\viewer.exe");
  EXPECT_EQ(windows.contentOf("C:\\out\\viewer.exe"), "launcher");
  EXPECT_EQ(windows.contentOf("C:\\out\\index.html"), "<p>hello</p>");
  EXPECT_EQ(windows.contentOf("C:\\out\\viewer\\viewer.exe"), "program");
  EXPECT_EQ(windows.contentOf("C:\\out\\viewer\\data\\one.bin"), "1");
  EXPECT_EQ(windows.fileAttributes("C:\\out\\viewer\\startup.txt"), attr::ReadOnly);
  // The sources stay as they were.
  EXPECT_EQ(windows.listNames("C:\\src\\app"),
            (std::vector<std::string>{"viewer.exe", "startup.txt", "data"}));
  EXPECT_EQ(windows.contentOf("C:\\tools\\Tarnsel.exe"), "launcher");
}

TEST_F(KitMake, AnEmptyOutputFolderIsTakenAndNoIntroMeansNoPage) {
  windows.addFolder("C:\\out");
  MakeRequest r = request();
  r.intro.clear();
  make(r);
  EXPECT_TRUE(windows.exists("C:\\out\\viewer.exe"));
  EXPECT_FALSE(windows.exists("C:\\out\\index.html"));
}

TEST_F(KitMake, RefusesBeforeWritingAnything) {
  windows.addFile("C:\\busy\\old.txt");
  EXPECT_EQ(refusal(request("C:\\busy")), ExitCode::Refused);
  EXPECT_EQ(refusal(request("C:\\src\\app")), ExitCode::Refused);
  EXPECT_EQ(refusal(request("C:\\src\\app\\kit")), ExitCode::Refused);
  EXPECT_EQ(refusal(request("c:\\SRC\\App\\data\\kit")), ExitCode::Refused);
  // Through a link the output would still land inside the application.
  windows.addLink("C:\\alias", "C:\\src\\app");
  EXPECT_EQ(refusal(request("C:\\alias\\kit")), ExitCode::Refused);
  EXPECT_EQ(refusal(request("C:\\src\\intro.html")), ExitCode::WrongKind);
}

TEST_F(KitMake, BadInputGetsItsOwnCode) {
  MakeRequest r = request();
  r.application = "C:\\src\\none";
  EXPECT_EQ(refusal(r), ExitCode::Missing);
  r.application = "C:\\src\\intro.html";
  EXPECT_EQ(refusal(r), ExitCode::WrongKind);
  r = request();
  r.intro = "C:\\src\\app";
  EXPECT_EQ(refusal(r), ExitCode::WrongKind);
  r = request();
  r.launcherBinary = "C:\\tools\\missing.exe";
  EXPECT_EQ(refusal(r), ExitCode::NoLauncherBinary);
  for (const char* name : {"", "a:b", "a\\b", "dot.", "..", "bad?", "한국어"}) {
    r = request();
    r.name = name;
    EXPECT_EQ(refusal(r), ExitCode::Unconvertible) << name;
  }
  windows.addLink("C:\\src\\app\\linked", "C:\\tools");
  EXPECT_EQ(refusal(request()), ExitCode::WrongKind);
}

TEST(KitPaths, SameOrInsideComparesWholeNamesWithoutCase) {
  EXPECT_TRUE(IsSameOrInside("C:\\a\\b", "C:\\A"));
  EXPECT_TRUE(IsSameOrInside("C:\\a\\", "c:\\a"));
  EXPECT_TRUE(IsSameOrInside("C:\\a\\b", "C:\\"));
  EXPECT_FALSE(IsSameOrInside("C:\\ab", "C:\\a"));
  EXPECT_FALSE(IsSameOrInside("C:\\a", "C:\\a\\b"));
}

}  // namespace
}  // namespace tarnsel::kit
