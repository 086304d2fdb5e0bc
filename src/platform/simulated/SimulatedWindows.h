// A simulated Windows for native tests: an in-memory tree of drives, folders,
// files and folder links behind the platform interfaces, with builders to lay it
// out, faults set by configuration (unready drives, denied folders, a hook into
// every search and every open by real name) and records of what was asked of the shell and the
// drives. Names the code page cannot hold are stored by their real name; the ANSI calls list their
// best-fit form and never find them.
//
// Full paths of 260 bytes (real names: 260 UTF-16 units) or more do not fit a MAX_PATH buffer:
// fullPathName returns nullopt for them, setCurrentDirectory fails with 206 and every other file
// operation fails as for a missing path.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/simulated/AnsiCodePage.h"
#include "platform/simulated/EntryTree.h"
#include "platform/simulated/PathResolution.h"

namespace tarnsel::sim {

struct ExecuteCall {
  platform::WindowHandle owner;
  std::string verb, file, parameters, directory;
  int showCommand;
};

class SimulatedWindows final : public platform::FileSystem,
                               public platform::Shell,
                               public platform::Drives,
                               public platform::CodePage,
                               public platform::RealNameFiles {
 public:
  // Code page 932; drive C: fixed, unlabelled and ready, holding only the desktop
  // folder "C:\Users\user\Desktop"; current directory "C:\"; module "C:\Tarnsel.exe";
  // system folder "C:\Windows\system32" (named, not created).
  SimulatedWindows();

  // The four services, all of them this object.
  platform::Platform platform();

  // --- Building the world. Builders ignore faults and follow links; paths are
  // expanded like fullPathName. A builder that cannot place its entry throws
  // std::invalid_argument.

  // Adds a drive with an empty root folder; the letter may be of either case.
  // Adding a drive that exists takes the new settings and keeps its folders.
  void addDrive(char letter, DriveSettings settings = {});
  void setDriveReady(char letter, bool ready);
  // Adds a network share with an empty root folder at `root`, "\\server\share";
  // server and share names compare without letter case. Paths below it work like
  // paths on a drive; ".." never leaves the share. Adding a share that exists
  // keeps its folders.
  void addShare(const std::string& root);
  // Creates missing parents as plain folders; an existing folder takes the new
  // attributes. The folder bit is always set.
  void addFolder(const std::string& path, std::uint32_t attributes = platform::attr::Directory);
  // Creates missing parent folders; an existing file is replaced.
  void addFile(const std::string& path, std::uint32_t attributes = platform::attr::Archive,
               std::string content = {}, int lastWriteYear = 2020);
  // A file named by its real name (UTF-8) in the folder `folder`, an ANSI path.
  void addRealNameFile(const std::string& folder, const std::string& utf8Name,
                       std::uint32_t attributes = platform::attr::Archive,
                       int lastWriteYear = 2020);
  // A folder link (junction) to the absolute path `target`, which need not exist.
  void addLink(const std::string& path, const std::string& target);
  // A symbolic link to a file at the absolute path `target`.
  void addFileLink(const std::string& path, const std::string& target);
  // Gives the entry a new name (code page bytes) in its folder; throws
  // std::invalid_argument when it is missing or the name is taken.
  void rename(const std::string& path, const std::string& newName);
  // Removes the entry and everything below it; nothing happens when it is missing.
  void remove(const std::string& path);
  // The folder can be neither listed nor entered; its own attributes stay readable.
  void denyAccess(const std::string& path);
  void setModuleFileName(std::string path);
  // "" makes systemFolder() report that the system cannot tell.
  void setSystemFolder(std::string path);
  // "" makes desktopFolder() fail.
  void setDesktopFolder(std::string path);
  // 932 or 1252.
  void setCodePage(unsigned codePage);

  // Runs at the start of every findFirst with its pattern, so a test can change
  // the tree in the middle of a walk.
  std::function<void(const std::string& pattern)> onFindFirst;
  // Run at the start of every listFolder and openEntry by real name with its path.
  std::function<void(const std::string& folder)> onListFolder;
  std::function<void(const std::string& path)> onOpenEntry;

  // --- Inspection. Faults are ignored and links followed.
  bool exists(const std::string& path);
  // Throws std::out_of_range when the path names no file.
  std::string contentOf(const std::string& path);
  // The folder's names in delivery order, without "." and ".."; throws
  // std::out_of_range when the path names no folder.
  std::vector<std::string> listNames(const std::string& folder);
  // The attribute word of the entry a real-name path (UTF-8) names, links not
  // followed at the end; throws std::out_of_range when there is none.
  std::uint32_t attributesByRealName(const std::string& path);
  const std::vector<platform::ShellFileOperation>& fileOperations() const;
  const std::vector<ExecuteCall>& executions() const;
  const std::vector<std::uint32_t>& beeps() const;
  std::uint32_t errorMode() const;
  // Root paths passed to volumeLabel, in order.
  std::vector<std::string> volumeQueries() const;

  // --- platform::FileSystem
  std::string moduleFileName() override;
  std::string systemFolder() override;
  std::optional<std::string> fullPathName(const std::string& path) override;
  std::string currentDirectory() override;
  std::uint32_t setCurrentDirectory(const std::string& path) override;
  std::unique_ptr<platform::DirectorySearch> findFirst(const std::string& pattern,
                                                       std::uint32_t attributeMask) override;
  bool fileExists(const std::string& path) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  bool createDirectory(const std::string& path) override;
  std::optional<std::string> finalPath(const std::string& path) override;
  platform::RealNameFiles& realNames() override;

  // --- platform::RealNameFiles
  std::unique_ptr<platform::NamedListing> listFolder(const std::string& folder) override;
  std::unique_ptr<platform::OpenedEntry> openEntry(const std::string& path,
                                                   bool followLink) override;

  // --- platform::Shell
  std::string desktopFolder(platform::WindowHandle owner) override;
  int fileOperation(const platform::ShellFileOperation& operation) override;
  std::intptr_t execute(platform::WindowHandle owner, const std::string& verb,
                        const std::string& file, const std::string& parameters,
                        const std::string& directory, int showCommand) override;
  void messageBeep(std::uint32_t type) override;

  // --- platform::Drives
  std::uint32_t logicalDrives() override;
  std::uint32_t driveType(const std::string& rootPath) override;
  std::optional<std::string> volumeLabel(const std::string& rootPath) override;
  std::optional<std::string> networkConnection(const std::string& localName) override;
  std::uint32_t setErrorMode(std::uint32_t mode) override;

  // --- platform::CodePage
  bool isDoubleByte() const override;
  bool isLeadByte(unsigned char byte) const override;
  std::string localeLower(const std::string& text) const override;
  std::string localeUpper(const std::string& text) const override;
  int localeCompare(const std::string& a, const std::string& b) const override;
  int listCompare(const std::string& a, const std::string& b) const override;
  std::string toUtf8(const std::string& ansi) const override;
  std::string fromUtf8(const std::string& utf8) const override;

 private:
  // The path expanded against the current directories; nullopt when it cannot
  // be expanded or does not fit MAX_PATH.
  std::optional<std::string> expand(const std::string& path) const;
  // The remembered current directory of a drive, or its root.
  std::string driveDirectory(char letter) const;
  // Expands and resolves; an unexpandable path resolves as missing.
  Resolution resolve(const std::string& path, const ResolveOptions& options = {});
  // The same for a real-name path in UTF-8.
  Resolution resolveRealName(const std::string& path, ResolveOptions options = {});
  // False when the drive that holds the resolved entry refuses final paths.
  bool answersFinalPath(const Resolution& resolution);
  // The existing folder a builder puts `path`'s last name into, with that name.
  std::pair<Entry*, std::string> builderPlace(const std::string& path);
  void addLinkEntry(const std::string& path, const std::string& target, std::uint32_t attributes);
  Drive* findDrive(char letter);
  // The drive or share that the expanded path's root names; null when none.
  Drive* findVolume(const std::string& fullPath);
  Drive& driveOf(char letter);
  int copyWithShell(const platform::ShellFileOperation& operation);

  AnsiCodePage codePage_{932};
  Volumes volumes_;
  std::string currentDirectory_ = "C:\\";
  std::map<char, std::string> driveDirectories_;  // by upper-case letter, as Windows' "=C:"
  std::string moduleFileName_ = "C:\\Tarnsel.exe";
  std::string systemFolder_ = "C:\\Windows\\system32";
  std::string desktopFolder_ = "C:\\Users\\user\\Desktop";

  std::vector<platform::ShellFileOperation> fileOperations_;
  std::vector<ExecuteCall> executions_;
  std::vector<std::uint32_t> beeps_;
  std::vector<std::string> volumeQueries_;
  std::uint32_t errorMode_ = 0;
};

}  // namespace tarnsel::sim
