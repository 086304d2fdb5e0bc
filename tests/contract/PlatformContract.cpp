// Behaviour that the launcher relies on from the platform, checked the same way
// against the simulated Windows (natively) and the Win32 services (under Wine).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "contract/ContractWorld.h"
#include "launcher/ResetAttr.h"
#include "platform/PathText.h"

namespace tarnsel::contract {
namespace {

using namespace platform;

class PlatformContract : public ::testing::Test {
 protected:
  void SetUp() override {
    world = MakeContractWorld();
    files = &world->platform().files;
    startDirectory = files->currentDirectory();
  }
  void TearDown() override { files->setCurrentDirectory(startDirectory); }

  std::set<std::string> Names(const std::string& pattern, std::uint32_t mask) {
    std::set<std::string> names;
    auto search = files->findFirst(pattern, mask);
    if (!search) return names;
    do names.insert(search->entry().name);
    while (search->next());
    return names;
  }

  std::uint32_t AttributesOf(const std::string& relative) {
    return files->fileAttributes(world->path(relative)).value_or(0xFFFFFFFF);
  }

  CodePage& codePage() { return world->platform().codePage; }

  RealNameFiles& realNames() { return files->realNames(); }
  // A path below the root by real names (UTF-8).
  std::string realPath(const std::string& utf8Relative) {
    return codePage().toUtf8(world->root()) + "\\" + utf8Relative;
  }
  std::set<std::string> RealNames(const std::string& utf8Relative) {
    std::set<std::string> names;
    const auto listing = realNames().listFolder(realPath(utf8Relative));
    if (!listing) return names;
    do names.insert(listing->entry().name);
    while (listing->next());
    return names;
  }
  std::uint32_t RealAttributesOf(const std::string& utf8Relative) {
    const auto opened = realNames().openEntry(realPath(utf8Relative), false);
    return opened ? opened->attributes() : 0xFFFFFFFF;
  }

  std::unique_ptr<ContractWorld> world;
  FileSystem* files = nullptr;
  std::string startDirectory;
};

using Set = std::set<std::string>;

TEST_F(PlatformContract, CurrentDirectoryKeepsTheGivenCaseAndDropsTrailingSeparator) {
  world->makeFolder("Sub");
  ASSERT_EQ(files->setCurrentDirectory(world->path("SUB\\")), 0u);
  EXPECT_EQ(files->currentDirectory(), world->root() + "\\SUB");
}

TEST_F(PlatformContract, DoubledSeparatorResolvesLikeASingleOne) {
  world->makeFolder("viewer");
  ASSERT_EQ(files->setCurrentDirectory(world->root() + "\\\\viewer"), 0u);
  EXPECT_EQ(files->currentDirectory(), world->path("viewer"));
}

TEST_F(PlatformContract, FailedChangeOfDirectoryGivesCodeAndKeepsDirectory) {
  world->makeFile("file.txt");
  ASSERT_EQ(files->setCurrentDirectory(world->root()), 0u);
  EXPECT_EQ(files->setCurrentDirectory(world->path("missing")), error::FileNotFound);
  EXPECT_EQ(files->setCurrentDirectory(world->path("missing\\deeper")), error::PathNotFound);
  EXPECT_EQ(files->setCurrentDirectory(world->path("file.txt")), error::Directory);
  EXPECT_EQ(files->currentDirectory(), world->root());
}

TEST_F(PlatformContract, RelativePathsResolveAgainstCurrentDirectory) {
  world->makeFolder("a");
  world->makeFolder("a\\b");
  ASSERT_EQ(files->setCurrentDirectory(world->path("a")), 0u);
  EXPECT_EQ(files->fullPathName("b"), world->path("a\\b"));
  EXPECT_EQ(files->fullPathName("..\\a\\.\\b"), world->path("a\\b"));
  ASSERT_EQ(files->setCurrentDirectory("b"), 0u);
  EXPECT_EQ(files->currentDirectory(), world->path("a\\b"));
}

TEST_F(PlatformContract, SearchWithFullMaskReturnsEveryEntryWithDotEntries) {
  world->makeFile("plain.exe");
  world->makeFile("hidden.exe", attr::Hidden);
  world->makeFile("system.exe", attr::System);
  world->makeFile("readonly.exe", attr::ReadOnly);
  world->makeFolder("folder.exe");
  EXPECT_EQ(
      Names(world->path("*.*"), attr::Any),
      (Set{".", "..", "plain.exe", "hidden.exe", "system.exe", "readonly.exe", "folder.exe"}));
}

TEST_F(PlatformContract, SearchMaskPassesOverHiddenSystemAndFoldersUnlessAdmitted) {
  world->makeFile("plain.exe");
  world->makeFile("hidden.exe", attr::Hidden);
  world->makeFile("system.exe", attr::System);
  world->makeFile("readonly.exe", attr::ReadOnly);
  world->makeFolder("folder.exe");
  world->makeFolder("hiddenfolder.exe", attr::Hidden);
  EXPECT_EQ(Names(world->path("*.exe"), 0), (Set{"plain.exe", "readonly.exe"}));
  EXPECT_EQ(Names(world->path("*.exe"), attr::Directory),
            (Set{"plain.exe", "readonly.exe", "folder.exe"}));
  EXPECT_EQ(Names(world->path("*.exe"), attr::Directory | attr::Hidden),
            (Set{"plain.exe", "readonly.exe", "folder.exe", "hidden.exe", "hiddenfolder.exe"}));
}

TEST_F(PlatformContract, PatternsIgnoreLetterCase) {
  world->makeFile("VIEWER.EXE");
  world->makeFile("Startup.txt");
  world->makeFile("readme");
  EXPECT_EQ(Names(world->path("*.exe"), 0), Set{"VIEWER.EXE"});
  EXPECT_EQ(Names(world->path("startup*.*"), 0), Set{"Startup.txt"});
  EXPECT_EQ(Names(world->path("*.*"), 0), (Set{"VIEWER.EXE", "Startup.txt", "readme"}));
  EXPECT_EQ(Names(world->path("read?e"), 0), Set{"readme"});
  EXPECT_EQ(Names(world->path("*.com"), 0), Set{});
  EXPECT_EQ(files->findFirst(world->path("nothing\\*.*"), attr::Any), nullptr);
}

TEST_F(PlatformContract, FileExistsHoldsOnlyForFilesWithDosRepresentableTimes) {
  world->makeFile("new.txt");
  world->makeFile("ancient.txt", 0, 1975);
  world->makeFolder("folder");
  EXPECT_TRUE(files->fileExists(world->path("new.txt")));
  EXPECT_FALSE(files->fileExists(world->path("ancient.txt")));
  EXPECT_FALSE(files->fileExists(world->path("folder")));
  EXPECT_FALSE(files->fileExists(world->path("missing.txt")));
  EXPECT_TRUE(FolderExists(*files, world->path("folder")));
  EXPECT_FALSE(FolderExists(*files, world->path("new.txt")));
  EXPECT_FALSE(FolderExists(*files, world->path("missing")));
}

TEST_F(PlatformContract, FileAttributesAreStoredAndReadBack) {
  world->makeFile("f.txt");
  // Hidden and system before read-only: under Wine an unprivileged user can no
  // longer store them once the file is read-only (Windows takes either order).
  ASSERT_TRUE(files->setFileAttributes(world->path("f.txt"), attr::Hidden | attr::System));
  ASSERT_TRUE(
      files->setFileAttributes(world->path("f.txt"), attr::ReadOnly | attr::Hidden | attr::System));
  // Wine reports the archive bit on every file; Windows keeps it as set. Compare
  // the three bits that both store.
  constexpr std::uint32_t kept = attr::ReadOnly | attr::Hidden | attr::System;
  EXPECT_EQ(AttributesOf("f.txt") & kept, kept);
  ASSERT_TRUE(files->setFileAttributes(world->path("f.txt"), attr::Archive));
  EXPECT_EQ(AttributesOf("f.txt") & attr::Any, attr::Archive);
  EXPECT_FALSE(files->setFileAttributes(world->path("missing"), attr::Archive));
  EXPECT_EQ(files->fileAttributes(world->path("missing")), std::nullopt);
}

TEST_F(PlatformContract, CreateDirectoryMakesOneLevelOnly) {
  EXPECT_TRUE(files->createDirectory(world->path("one")));
  EXPECT_FALSE(files->createDirectory(world->path("one")));
  EXPECT_FALSE(files->createDirectory(world->path("two\\three")));
  EXPECT_TRUE(FolderExists(*files, world->path("one")));
  EXPECT_FALSE(FolderExists(*files, world->path("two")));
}

TEST_F(PlatformContract, FinalPathOfAPlainEntryIsWhereItLies) {
  world->makeFolder("dir");
  world->makeFile("dir\\f.txt");
  const auto real = files->finalPath(world->path("dir\\f.txt"));
  const auto realRoot = files->finalPath(world->root());
  ASSERT_TRUE(real && realRoot);
  EXPECT_TRUE(SameFileName(codePage(), *real, *realRoot + "\\dir\\f.txt")) << *real;
  EXPECT_EQ(files->finalPath(world->path("missing")), std::nullopt);
}

TEST_F(PlatformContract, FinalPathFollowsAFolderLink) {
  world->makeFolder("target");
  world->makeFile("target\\f.txt");
  if (!world->makeFolderLink("link", world->path("target"))) GTEST_SKIP() << "no links here";
  EXPECT_NE(AttributesOf("link") & attr::Directory, 0u);
  const auto viaLink = files->finalPath(world->path("link\\f.txt"));
  const auto direct = files->finalPath(world->path("target\\f.txt"));
  ASSERT_TRUE(viaLink && direct);
  EXPECT_TRUE(SameFileName(codePage(), *viaLink, *direct));
}

TEST_F(PlatformContract, ShiftJisNameWithBackslashTrailByteIsOneComponent) {
  if (!codePage().isDoubleByte()) GTEST_SKIP() << "needs a double-byte code page";
  const std::string so = "\x83\x5c";  // ソ: its second byte is the backslash's value
  world->makeFolder(so);
  world->makeFile(so + "\\viewer.exe");
  EXPECT_EQ(Names(world->path(so + "\\*.exe"), 0), Set{"viewer.exe"});
  EXPECT_EQ(Names(world->path("*.*"), attr::Directory), (Set{".", "..", so}));
  ASSERT_EQ(files->setCurrentDirectory(world->path(so)), 0u);
  EXPECT_EQ(files->currentDirectory(), world->path(so));
  EXPECT_TRUE(files->fileExists("viewer.exe"));
}

TEST_F(PlatformContract, CodePageServicesOfShiftJis) {
  CodePage& cp = codePage();
  if (!cp.isDoubleByte()) GTEST_SKIP() << "needs a double-byte code page";
  EXPECT_TRUE(cp.isLeadByte(0x83));
  EXPECT_TRUE(cp.isLeadByte(0xE0));
  EXPECT_FALSE(cp.isLeadByte('A'));
  EXPECT_FALSE(cp.isLeadByte(0xA1));  // half-width katakana is single-byte
  EXPECT_EQ(LowerCaseFileName(cp, "ABC\x83\x41Z"), "abc\x83\x41z");
  EXPECT_EQ(UpperCaseFileName(cp, "abc\x83\x61z"), "ABC\x83\x61Z");
  EXPECT_EQ(cp.toUtf8("\x83\x5c\x95\x5c"), "ソ表");
  EXPECT_EQ(cp.fromUtf8("ソ表"), "\x83\x5c\x95\x5c");
  EXPECT_EQ(cp.localeCompare("abc", "abc"), 0);
  EXPECT_LT(cp.localeCompare("abc", "abd"), 0);
  EXPECT_GT(cp.localeCompare("b", "A"), 0);
  EXPECT_TRUE(SameFileName(cp, "Viewer.EXE", "viewer.exe"));
  EXPECT_FALSE(SameFileName(cp, "viewer.exe", "viewer.ex"));
}

TEST_F(PlatformContract, ListOrderIgnoresCaseAndPutsPunctuationAndDigitsFirst) {
  const CodePage& cp = codePage();
  const std::vector<std::string> sorted = {"[tools.exe]", "0setup.exe", "a.exe",
                                           "B.exe",       "b2.exe",     "c.exe",
                                           "viewer.exe",  "Viewer2.exe"};
  for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
    EXPECT_LT(cp.listCompare(sorted[i], sorted[i + 1]), 0) << sorted[i] << " < " << sorted[i + 1];
    EXPECT_GT(cp.listCompare(sorted[i + 1], sorted[i]), 0) << sorted[i + 1] << " > " << sorted[i];
  }
  EXPECT_EQ(cp.listCompare("VIEWER.EXE", "viewer.exe"), 0);
}

TEST_F(PlatformContract, ShellCopyPutsTheFolderInsideTheDestination) {
  world->makeFolder("desk");
  world->makeFolder("kit");
  world->makeFolder("kit\\viewer");
  world->makeFile("kit\\viewer\\viewer.exe", attr::Hidden);
  world->makeFolder("kit\\viewer\\data");
  world->makeFile("kit\\viewer\\data\\startup.txt", attr::ReadOnly);
  ShellFileOperation copy;
  copy.operation = FO_Copy;
  copy.from = world->path("kit\\viewer") + std::string(2, '\0');
  copy.to = world->path("desk") + std::string(2, '\0');
  copy.flags = FOF_NoConfirmMkdir;
  EXPECT_EQ(world->platform().shell.fileOperation(copy), 0);
  EXPECT_TRUE(files->fileExists(world->path("desk\\viewer\\viewer.exe")));
  EXPECT_TRUE(files->fileExists(world->path("desk\\viewer\\data\\startup.txt")));
  EXPECT_NE(AttributesOf("desk\\viewer\\viewer.exe") & attr::Hidden, 0u);
  EXPECT_NE(AttributesOf("desk\\viewer\\data\\startup.txt") & attr::ReadOnly, 0u);
}

TEST_F(PlatformContract, ShellCopyOfAMissingSourceFailsAndCopiesNothing) {
  ShellFileOperation copy;
  copy.operation = FO_Copy;
  copy.from = world->path("nothing") + std::string(2, '\0');
  copy.to = world->path("desk") + std::string(2, '\0');
  copy.flags = FOF_NoConfirmMkdir;
  EXPECT_NE(world->platform().shell.fileOperation(copy), 0);
  EXPECT_FALSE(files->fileExists(world->path("desk\\nothing")));
}

TEST_F(PlatformContract, NetworkPathsExpandWithoutLeavingTheShare) {
  EXPECT_EQ(files->fullPathName("\\\\srv\\shr\\a\\..\\..\\b"), "\\\\srv\\shr\\b");
  EXPECT_EQ(files->fullPathName("\\\\srv\\shr\\.."), "\\\\srv\\shr\\");
  EXPECT_EQ(files->fullPathName("\\\\srv\\shr"), "\\\\srv\\shr");
  EXPECT_EQ(files->fullPathName("//Srv/Shr/x\\"), "\\\\Srv\\Shr\\x\\");
}

TEST_F(PlatformContract, ChangingToAMissingShareFailsAndKeepsTheDirectory) {
  ASSERT_EQ(files->setCurrentDirectory(world->root()), 0u);
  EXPECT_NE(files->setCurrentDirectory("\\\\tarnsel-no-server\\none\\kit"), 0u);
  EXPECT_EQ(files->currentDirectory(), world->root());
}

TEST_F(PlatformContract, SystemFolderIsAnExistingFolderOnADrive) {
  const std::string folder = files->systemFolder();
  EXPECT_FALSE(DriveRootOf(folder).empty()) << folder;
  EXPECT_TRUE(FolderExists(*files, folder)) << folder;
}

TEST_F(PlatformContract, ErrorModeIsSetAndTheOldOneReturned) {
  Drives& drives = world->platform().drives;
  const std::uint32_t before = drives.setErrorMode(1);
  EXPECT_EQ(drives.setErrorMode(before), 1u);
}

TEST_F(PlatformContract, DriveOfTheScratchFolderIsListedAndFixed) {
  Drives& drives = world->platform().drives;
  const char letter = static_cast<char>(world->root()[0] | 0x20);
  EXPECT_NE(drives.logicalDrives() & (1u << (letter - 'a')), 0u);
  EXPECT_EQ(drives.driveType(std::string(1, letter) + ":\\"), 3u);
}

// The walk over real attributes: every file ends with the archive bit alone,
// folders keep theirs.
TEST_F(PlatformContract, AttributeResetWalkLeavesEveryFileArchiveOnly) {
  world->makeFolder("copy");
  world->makeFile("copy\\viewer.exe", attr::ReadOnly);
  world->makeFile("copy\\startup.txt", attr::Hidden | attr::System);
  world->makeFolder("copy\\hidden", attr::Hidden);
  world->makeFile("copy\\hidden\\deep.dat", attr::ReadOnly | attr::Hidden);
  world->makeFolder("copy\\empty");
  world->makeFile("copy\\old.txt", attr::Hidden, 1975);
  world->makeFile("outside.txt", attr::Hidden);
  launcher::RESETATTR(*files, codePage(), world->path("copy"));
  EXPECT_EQ(AttributesOf("copy\\viewer.exe") & attr::Any, attr::Archive);
  EXPECT_EQ(AttributesOf("copy\\startup.txt") & attr::Any, attr::Archive);
  EXPECT_EQ(AttributesOf("copy\\hidden\\deep.dat") & attr::Any, attr::Archive);
  EXPECT_NE(AttributesOf("copy\\hidden") & attr::Hidden, 0u);
  EXPECT_NE(AttributesOf("copy\\old.txt") & attr::Hidden, 0u) << "no DOS time: left alone";
  EXPECT_NE(AttributesOf("outside.txt") & attr::Hidden, 0u);
}

TEST_F(PlatformContract, AttributeResetWalkDoesNotFollowALinkOutOfTheTree) {
  world->makeFolder("elsewhere");
  world->makeFile("elsewhere\\system.ini", attr::Hidden | attr::System);
  world->makeFolder("copy");
  world->makeFile("copy\\viewer.exe", attr::Hidden);
  if (!world->makeFolderLink("copy\\windows", world->path("elsewhere")) ||
      !world->makeFolderLink("copy\\loop", world->path("copy"))) {
    GTEST_SKIP() << "no links here";
  }
  launcher::RESETATTR(*files, codePage(), world->path("copy"));
  EXPECT_EQ(AttributesOf("copy\\viewer.exe") & attr::Any, attr::Archive);
  constexpr std::uint32_t hiddenSystem = attr::Hidden | attr::System;
  EXPECT_EQ(AttributesOf("elsewhere\\system.ini") & hiddenSystem, hiddenSystem);
}

TEST_F(PlatformContract, RealNameListingCarriesNamesTheCodePageCannotHold) {
  world->makeFolder("kit");
  world->makeRealNameFile("kit", "Straße_ö.txt", attr::ReadOnly);
  world->makeRealNameFile("kit", "한국어.txt", attr::Hidden);
  world->makeFile("kit\\plain.txt");
  world->makeFile("kit\\ancient.txt", 0, 1975);
  world->makeFolder("kit\\sub");
  EXPECT_EQ(RealNames("kit"),
            (Set{".", "..", "Straße_ö.txt", "한국어.txt", "plain.txt", "ancient.txt", "sub"}));
  std::set<std::string> dosTimed;
  const auto listing = realNames().listFolder(realPath("kit"));
  ASSERT_NE(listing, nullptr);
  do {
    if (listing->entry().hasDosTime && (listing->entry().attributes & attr::Directory) == 0) {
      dosTimed.insert(listing->entry().name);
    }
  } while (listing->next());
  EXPECT_EQ(dosTimed, (Set{"Straße_ö.txt", "한국어.txt", "plain.txt"}));
  EXPECT_EQ(realNames().listFolder(realPath("missing")), nullptr);

  // The ANSI calls list a stand-in for a name the code page lacks, and that
  // stand-in reaches no file.
  for (const std::string& name : Names(world->path("kit\\*.*"), attr::Any)) {
    const std::string real = codePage().toUtf8(name);
    if (RealNames("kit").count(real) == 0) {
      EXPECT_FALSE(files->setFileAttributes(world->path("kit\\" + name), attr::Archive)) << real;
    }
  }
  EXPECT_NE(RealAttributesOf("kit\\한국어.txt") & attr::Hidden, 0u);
}

TEST_F(PlatformContract, OpenedEntryTellsItsIdentityAndKind) {
  world->makeFolder("dir");
  world->makeFile("dir\\a.txt", attr::Hidden);
  world->makeRealNameFile("dir", "한국어.txt");
  const auto first = realNames().openEntry(realPath("dir\\a.txt"), false);
  const auto again = realNames().openEntry(realPath("DIR\\A.TXT"), false);
  const auto other = realNames().openEntry(realPath("dir\\한국어.txt"), false);
  const auto folder = realNames().openEntry(realPath("dir"), false);
  ASSERT_TRUE(first && again && other && folder);
  ASSERT_TRUE(first->identity() && other->identity() && folder->identity());
  EXPECT_EQ(first->identity(), again->identity());
  EXPECT_NE(first->identity(), other->identity());
  EXPECT_NE(first->identity(), folder->identity());
  EXPECT_EQ(first->attributes() & (attr::Directory | attr::Hidden), attr::Hidden);
  EXPECT_NE(folder->attributes() & attr::Directory, 0u);
  EXPECT_EQ(first->attributes() & attr::ReparsePoint, 0u);
  EXPECT_EQ(realNames().openEntry(realPath("dir\\missing.txt"), false), nullptr);
  if (const auto real = other->finalPath()) {
    const auto realFolder = folder->finalPath();
    ASSERT_TRUE(realFolder);
    EXPECT_EQ(*real, *realFolder + "\\한국어.txt");
  }
}

TEST_F(PlatformContract, FolderLinkOpenedAsItselfShowsTheLinkBit) {
  world->makeFolder("target");
  if (!world->makeFolderLink("link", world->path("target"))) GTEST_SKIP() << "no links here";
  const auto link = realNames().openEntry(realPath("link"), false);
  const auto followed = realNames().openEntry(realPath("link"), true);
  const auto target = realNames().openEntry(realPath("target"), false);
  ASSERT_TRUE(link && followed && target);
  EXPECT_NE(link->attributes() & attr::ReparsePoint, 0u);
  EXPECT_EQ(followed->attributes() & attr::ReparsePoint, 0u);
  EXPECT_EQ(followed->identity(), target->identity());
  EXPECT_NE(link->identity(), target->identity());
}

TEST_F(PlatformContract, SettingThroughAnOpenedEntryChangesThatObjectWhateverItsPathNamesNow) {
  world->makeFile("a.txt", attr::Hidden);
  world->makeRealNameFile("", "Straße_ö.txt", attr::ReadOnly);
  const auto opened = realNames().openEntry(realPath("a.txt"), false);
  const auto foreign = realNames().openEntry(realPath("Straße_ö.txt"), false);
  ASSERT_TRUE(opened && foreign);
  world->rename("a.txt", "moved.txt");
  world->makeFile("a.txt", attr::Hidden);
  EXPECT_TRUE(opened->setAttributes(attr::Archive));
  EXPECT_TRUE(foreign->setAttributes(attr::Archive));
  EXPECT_EQ(AttributesOf("moved.txt") & attr::Any, attr::Archive);
  EXPECT_NE(AttributesOf("a.txt") & attr::Hidden, 0u);
  EXPECT_EQ(RealAttributesOf("Straße_ö.txt") & attr::Any, attr::Archive);
}

// The guard that remains where final paths are refused, shown on a file system
// that answers them: link bits and identities alone.
TEST_F(PlatformContract, WalkWithoutFinalPathsResetsEveryFileByItsRealName) {
  world->makeFolder("elsewhere");
  world->makeFile("elsewhere\\system.ini", attr::Hidden | attr::System);
  world->makeFolder("copy");
  world->makeRealNameFile("copy", "Straße_ö.txt", attr::ReadOnly);
  world->makeRealNameFile("copy", "한국어.txt", attr::ReadOnly | attr::Hidden);
  world->makeFolder("copy\\sub", attr::Hidden);
  world->makeFile("copy\\sub\\deep.dat", attr::System);
  // Where no links can be made (Wine), the walk is shown on real names alone.
  world->makeFolderLink("copy\\windows", world->path("elsewhere"));
  world->makeFolderLink("copy\\sub\\loop", world->path("copy"));
  launcher::ResetAttributesBelow(*files, codePage(), world->path("copy"),
                                 launcher::LinkGuard::IdentityOnly);
  EXPECT_EQ(RealAttributesOf("copy\\Straße_ö.txt") & attr::Any, attr::Archive);
  EXPECT_EQ(RealAttributesOf("copy\\한국어.txt") & attr::Any, attr::Archive);
  EXPECT_EQ(AttributesOf("copy\\sub\\deep.dat") & attr::Any, attr::Archive);
  EXPECT_NE(AttributesOf("copy\\sub") & attr::Hidden, 0u);
  constexpr std::uint32_t hiddenSystem = attr::Hidden | attr::System;
  EXPECT_EQ(AttributesOf("elsewhere\\system.ini") & hiddenSystem, hiddenSystem);
}

}  // namespace
}  // namespace tarnsel::contract
