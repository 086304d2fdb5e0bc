// The shell's copy, execution and beeps in the simulated Windows.
#include <gtest/gtest.h>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {
namespace {

namespace attr = platform::attr;
using namespace std::string_literals;

platform::ShellFileOperation copyOperation(const std::string& from, const std::string& to) {
  return {.owner = 7,
          .operation = platform::FO_Copy,
          .from = from + "\0\0"s,
          .to = to + "\0\0"s,
          .flags = platform::FOF_NoConfirmMkdir};
}

class SimulatedShell : public testing::Test {
 protected:
  SimulatedShell() {
    windows.addDrive('E', {.type = 5, .label = "VIEWER", .networkName = {}, .ready = true});
    windows.addFile("E:\\Viewer\\viewer.exe", attr::ReadOnly, "MZ new", 2001);
    windows.addFile("E:\\Viewer\\data\\old.dat", attr::Hidden, "", 1970);
  }
  SimulatedWindows windows;
  const std::string tools = "C:\\Users\\user\\Desktop\\Tools";
};

TEST_F(SimulatedShell, CopyPutsSourceUnderItsNameInACreatedDestination) {
  EXPECT_EQ(windows.fileOperation(copyOperation("E:\\viewer", tools)), 0);
  EXPECT_EQ(windows.listNames(tools), (std::vector<std::string>{"Viewer"}));
  EXPECT_EQ(windows.contentOf(tools + "\\viewer\\viewer.exe"), "MZ new");
  EXPECT_EQ(windows.fileAttributes(tools + "\\viewer\\viewer.exe"), attr::ReadOnly | attr::Archive);
  EXPECT_EQ(windows.fileAttributes(tools + "\\viewer\\data\\old.dat"),
            attr::Hidden | attr::Archive);
  EXPECT_FALSE(windows.fileExists(tools + "\\viewer\\data\\old.dat"));
  EXPECT_EQ(windows.fileAttributes("E:\\viewer\\viewer.exe"), attr::ReadOnly);
}

TEST_F(SimulatedShell, CopyMergesIntoWhatIsAlreadyThere) {
  windows.addFile(tools + "\\Viewer\\VIEWER.EXE", attr::Archive, "MZ old");
  windows.addFile(tools + "\\Viewer\\notes.txt", attr::Archive, "mine");
  EXPECT_EQ(windows.fileOperation(copyOperation("E:\\viewer", tools)), 0);
  EXPECT_EQ(windows.contentOf(tools + "\\viewer\\viewer.exe"), "MZ new");
  EXPECT_EQ(windows.contentOf(tools + "\\viewer\\notes.txt"), "mine");
  EXPECT_EQ(windows.listNames(tools + "\\viewer"),
            (std::vector<std::string>{"VIEWER.EXE", "notes.txt", "data"}));
}

TEST_F(SimulatedShell, CopyOfAMissingSourceFailsWithoutTouchingTheDestination) {
  EXPECT_EQ(windows.fileOperation(copyOperation("E:\\absent", tools)), 0x402);
  EXPECT_FALSE(windows.exists(tools));
  windows.setDriveReady('E', false);
  EXPECT_EQ(windows.fileOperation(copyOperation("E:\\viewer", tools)), 0x402);
  EXPECT_FALSE(windows.exists(tools));
}

TEST_F(SimulatedShell, RecordsEveryCallAsMade) {
  const platform::ShellFileOperation copy = copyOperation("E:\\viewer", tools);
  platform::ShellFileOperation remove = copy;
  remove.operation = 3;
  windows.fileOperation(copy);
  EXPECT_NE(windows.fileOperation(remove), 0);
  ASSERT_EQ(windows.fileOperations().size(), 2u);
  EXPECT_EQ(windows.fileOperations()[0].from, "E:\\viewer\0\0"s);
  EXPECT_EQ(windows.fileOperations()[0].flags, platform::FOF_NoConfirmMkdir);
  EXPECT_EQ(windows.fileOperations()[1].operation, 3u);

  EXPECT_GT(windows.execute(9, "OPEN", "E:\\viewer.exe", "-x", "", 5), 32);
  ASSERT_EQ(windows.executions().size(), 1u);
  const ExecuteCall& call = windows.executions()[0];
  EXPECT_EQ(call.owner, 9u);
  EXPECT_EQ(call.verb + "|" + call.file + "|" + call.parameters + "|" + call.directory,
            "OPEN|E:\\viewer.exe|-x|");
  EXPECT_EQ(call.showCommand, 5);

  windows.messageBeep(0x30);
  EXPECT_EQ(windows.beeps(), (std::vector<std::uint32_t>{0x30}));
}

}  // namespace
}  // namespace tarnsel::sim
