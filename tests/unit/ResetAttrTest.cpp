// The attribute reset walk on the simulated Windows: its order and extent, its
// link guard with and without final paths, and names outside the code page.
#include "launcher/ResetAttr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::launcher {
namespace {

namespace attr = platform::attr;

class ResetAttr : public ::testing::Test {
 protected:
  void SetUp() override {
    windows.onListFolder = [this](const std::string& folder) { listed.push_back(folder); };
  }
  void walk(const std::string& folder) { RESETATTR(windows, windows, folder); }
  std::uint32_t attributesOf(const std::string& path) {
    return windows.fileAttributes(path).value_or(0xFFFFFFFF) & attr::Any;
  }

  sim::SimulatedWindows windows;
  std::vector<std::string> listed;  // folders listed, in order
};

using Names = std::vector<std::string>;

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

TEST_F(ResetAttr, ListsEachFolderOnceWithoutDoubledSeparators) {
  windows.addDrive('D');
  windows.addFile("D:\\top.txt", attr::Hidden);
  windows.addFile("D:\\sub\\inner.txt", attr::Hidden);
  walk("D:\\");
  EXPECT_EQ(listed, (Names{"D:\\", "D:\\sub"}));
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
  EXPECT_EQ(listed, Names{"C:\\desk\\表"});
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
  EXPECT_EQ(listed, (Names{"C:\\copy", "C:\\copy\\sub"})) << "the link is never listed";
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
  windows.onListFolder = [this](const std::string& folder) {
    if (folder == "C:\\copy\\a") windows.remove("C:\\copy\\b");
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
  EXPECT_EQ(listed, (Names{"C:\\copy", "C:\\copy\\locked"}));
}

// A file system that refuses final paths (a network redirector, a RAM disk, a
// virtual machine's shared folder): the guard rests on the link bit and identities.
class ResetAttrWithoutFinalPaths : public ResetAttr {
 protected:
  void SetUp() override {
    ResetAttr::SetUp();
    windows.addDrive('N', sim::RedirectorWithoutFinalPaths());
    windows.addFile("C:\\Windows\\system.ini", attr::Hidden | attr::System);
    windows.addFile("N:\\copy\\viewer.exe", attr::ReadOnly);
    windows.addFolder("N:\\copy\\sub", attr::Directory | attr::Hidden);
    windows.addFile("N:\\copy\\sub\\data.txt", attr::Hidden | attr::System);
    windows.addFile("N:\\copy\\sub\\deeper\\deep.dat", attr::ReadOnly);
  }
};

TEST_F(ResetAttrWithoutFinalPaths, EveryRealFileIsResetAndNothingOutside) {
  ASSERT_EQ(windows.finalPath("N:\\copy"), std::nullopt);
  windows.addLink("N:\\copy\\windows", "C:\\Windows");
  windows.addFileLink("N:\\copy\\sub\\system.ini", "C:\\Windows\\system.ini");
  windows.addLink("N:\\copy\\sub\\again", "N:\\copy");
  windows.addLink("N:\\copy\\sub\\deeper\\up", "N:\\copy\\sub");
  walk("N:\\copy");
  EXPECT_EQ(attributesOf("N:\\copy\\viewer.exe"), attr::Archive);
  EXPECT_EQ(attributesOf("N:\\copy\\sub\\data.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("N:\\copy\\sub\\deeper\\deep.dat"), attr::Archive);
  EXPECT_EQ(attributesOf("N:\\copy\\sub"), attr::Directory | attr::Hidden);
  EXPECT_EQ(attributesOf("C:\\Windows\\system.ini"), attr::Hidden | attr::System);
  EXPECT_EQ(listed, (Names{"N:\\copy", "N:\\copy\\sub", "N:\\copy\\sub\\deeper"}))
      << "no link is listed, so no folder twice";
}

TEST_F(ResetAttr, CopyOnAShareIsWalkedByRealNamesAndItsLinksAreGuarded) {
  windows.addShare("\\\\server\\share");
  windows.addShare("\\\\other\\share");
  windows.addFile("\\\\other\\share\\keep.txt", attr::ReadOnly);
  windows.addFile("\\\\server\\share\\copy\\viewer.exe", attr::ReadOnly);
  windows.addFolder("\\\\server\\share\\copy\\data");
  windows.addRealNameFile("\\\\server\\share\\copy\\data", "Straße_ö.txt", attr::Hidden);
  windows.addLink("\\\\server\\share\\copy\\elsewhere", "\\\\other\\share");
  walk("\\\\SERVER\\Share\\copy");
  EXPECT_EQ(attributesOf("\\\\server\\share\\copy\\viewer.exe"), attr::Archive);
  EXPECT_EQ(windows.attributesByRealName("\\\\server\\share\\copy\\data\\Straße_ö.txt") & attr::Any,
            attr::Archive);
  EXPECT_EQ(attributesOf("\\\\other\\share\\keep.txt"), attr::ReadOnly)
      << "a link to another share leads out of the tree";
}

TEST_F(ResetAttrWithoutFinalPaths, RootReachedThroughALinkIsWalkedOnce) {
  windows.addLink("C:\\Desktop", "N:\\copy");
  windows.addLink("N:\\copy\\sub\\desktop", "C:\\Desktop");
  walk("C:\\Desktop");
  EXPECT_EQ(attributesOf("N:\\copy\\sub\\deeper\\deep.dat"), attr::Archive);
  EXPECT_EQ(listed, (Names{"C:\\Desktop", "C:\\Desktop\\sub", "C:\\Desktop\\sub\\deeper"}));
}

TEST_F(ResetAttrWithoutFinalPaths, EntrySwappedForALinkBeforeItIsOpenedIsLeftAlone) {
  windows.addFile("C:\\outside\\secret.txt", attr::Hidden);
  windows.addFile("C:\\outside\\inner\\deep.txt", attr::Hidden);
  windows.onOpenEntry = [this](const std::string& path) {
    if (path == "N:\\copy\\viewer.exe") {
      windows.remove(path);
      windows.addFileLink(path, "C:\\outside\\secret.txt");
    } else if (path == "N:\\copy\\sub") {
      windows.remove(path);
      windows.addLink(path, "C:\\outside");
    }
  };
  walk("N:\\copy");
  EXPECT_EQ(attributesOf("C:\\outside\\secret.txt"), attr::Hidden);
  EXPECT_EQ(attributesOf("C:\\outside\\inner\\deep.txt"), attr::Hidden);
  EXPECT_EQ(listed, Names{"N:\\copy"});
}

TEST_F(ResetAttr, EntrySwappedForAFolderIsNotChangedAsAFile) {
  windows.addFile("C:\\copy\\a.txt", attr::Hidden);
  windows.onOpenEntry = [this](const std::string& path) {
    if (path != "C:\\copy\\a.txt") return;
    windows.remove(path);
    windows.addFolder(path, attr::Directory | attr::Hidden);
  };
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\copy\\a.txt"), attr::Directory | attr::Hidden);
}

TEST_F(ResetAttr, FinalPathElsewhereIsLeftAloneWhereItIsAnswered) {
  // A parent folder swapped for a link after it was checked: the entries below
  // then lie elsewhere, which the final path shows.
  windows.addFile("C:\\outside\\sub\\secret.txt", attr::Hidden);
  windows.addFile("C:\\copy\\sub\\secret.txt", attr::Hidden);
  windows.onListFolder = [this](const std::string& folder) {
    if (folder != "C:\\copy\\sub") return;
    windows.remove(folder);
    windows.addLink(folder, "C:\\outside\\sub");
  };
  walk("C:\\copy");
  EXPECT_EQ(attributesOf("C:\\outside\\sub\\secret.txt"), attr::Hidden);
}

TEST_F(ResetAttr, NamesOutsideTheCodePageAreResetByTheirOwnNames) {
  windows.addFile("C:\\kit\\viewer\\Strase_o.txt", attr::Hidden);
  windows.addRealNameFile("C:\\kit\\viewer", "Straße_ö.txt", attr::ReadOnly);
  windows.addRealNameFile("C:\\kit\\viewer", "한국어.txt", attr::ReadOnly | attr::System);
  std::vector<std::string> opened;
  windows.onOpenEntry = [&](const std::string& path) { opened.push_back(path); };
  walk("C:\\kit\\viewer");
  EXPECT_EQ(windows.attributesByRealName("C:\\kit\\viewer\\Straße_ö.txt"), attr::Archive);
  EXPECT_EQ(windows.attributesByRealName("C:\\kit\\viewer\\한국어.txt"), attr::Archive);
  EXPECT_EQ(attributesOf("C:\\kit\\viewer\\Strase_o.txt"), attr::Archive);
  EXPECT_EQ(std::count(opened.begin(), opened.end(), "C:\\kit\\viewer\\Strase_o.txt"), 1);
  EXPECT_EQ(std::count(opened.begin(), opened.end(), "C:\\kit\\viewer\\Straße_ö.txt"), 1);
}

TEST_F(ResetAttr, ShellCopyOfAKitWithForeignNamesEndsArchiveOnly) {
  windows.addFolder("C:\\kit\\viewer");
  windows.addRealNameFile("C:\\kit\\viewer", "Straße_ö.txt", attr::ReadOnly);
  windows.addRealNameFile("C:\\kit\\viewer", "한국어.txt", attr::ReadOnly);
  platform::ShellFileOperation copy{0, platform::FO_Copy, std::string("C:\\kit\\viewer\0", 15),
                                    std::string("C:\\dest\0", 9), platform::FOF_NoConfirmMkdir};
  ASSERT_EQ(windows.fileOperation(copy), 0);
  walk("C:\\dest\\viewer");
  EXPECT_EQ(windows.attributesByRealName("C:\\dest\\viewer\\Straße_ö.txt"), attr::Archive);
  EXPECT_EQ(windows.attributesByRealName("C:\\dest\\viewer\\한국어.txt"), attr::Archive);
  EXPECT_EQ(windows.attributesByRealName("C:\\kit\\viewer\\한국어.txt"), attr::ReadOnly);
}

}  // namespace
}  // namespace tarnsel::launcher
