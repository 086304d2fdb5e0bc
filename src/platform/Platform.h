// The seam between the launcher's logic and the operating system: small abstract
// services passed by reference. Nothing here, and nothing that includes only this,
// depends on Windows headers. Paths and names are byte strings in the ANSI code page,
// except in the real-name services, which carry UTF-8.
#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tarnsel::platform {

// A window handle handed through to the shell as its owner; opaque above the seam.
using WindowHandle = std::uintptr_t;

namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t VolumeId = 0x08;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;
inline constexpr std::uint32_t ReparsePoint = 0x400;
// Bits a directory search passes over unless the caller's mask admits them.
inline constexpr std::uint32_t SearchSpecial = Hidden | System | VolumeId | Directory;
inline constexpr std::uint32_t Any = 0x3F;
}  // namespace attr

// Platform error codes that the program names.
namespace error {
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t PathNotFound = 3;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t NotReady = 21;
inline constexpr std::uint32_t InvalidName = 123;
inline constexpr std::uint32_t FilenameTooLong = 206;
inline constexpr std::uint32_t Directory = 267;
}  // namespace error

inline constexpr std::size_t MaxPath = 260;

struct DirectoryEntry {
  std::string name;  // long name, no path, as the file system reports it
  std::uint32_t attributes = 0;
};

// One open directory search; closing happens when the object goes away.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;
  // The entry the search currently stands on.
  virtual const DirectoryEntry& entry() const = 0;
  // Moves to the next entry that the mask admits; false when there is none.
  virtual bool next() = 0;
};

// --- Real names. The ANSI calls see a name the code page cannot hold through its
// best-fit conversion ("Straße_ö.txt" as "Strase_o.txt", Hangul as '?'), which names
// no file or another one. The attribute reset walk therefore lists and changes
// entries through these services, whose paths and names are UTF-8.

// What identifies a file-system object without its path: the volume's serial
// number and the object's index on that volume.
struct FileIdentity {
  std::uint32_t volumeSerial = 0;
  std::uint64_t fileIndex = 0;
  friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// A listed entry with the facts the search record already holds.
struct NamedEntry {
  std::string name;  // UTF-8, as stored
  std::uint32_t attributes = 0;
  // The last-write time, as local time, converts to a DOS date and time.
  bool hasDosTime = false;
};

// One open listing by real names; closing happens when the object goes away.
class NamedListing {
 public:
  virtual ~NamedListing() = default;
  virtual const NamedEntry& entry() const = 0;
  // Moves to the next entry; false when there is none.
  virtual bool next() = 0;
};

// One opened file-system object. What it answers and changes is that object, even
// when its path names something else by now; closing happens when it goes away.
class OpenedEntry {
 public:
  virtual ~OpenedEntry() = default;
  // The object's own attribute word; a link opened as itself has attr::ReparsePoint.
  virtual std::uint32_t attributes() const = 0;
  // nullopt when the file system gives no usable identity.
  virtual std::optional<FileIdentity> identity() const = 0;
  // Where the object lies, as FileSystem::finalPath writes it but in UTF-8;
  // nullopt when the file system refuses the query.
  virtual std::optional<std::string> finalPath() = 0;
  // Sets the attribute word through this object; the times stay as they are.
  virtual bool setAttributes(std::uint32_t attributes) = 0;
};

class RealNameFiles {
 public:
  virtual ~RealNameFiles() = default;
  // Every entry of the folder, "." and ".." included, in the file system's order;
  // nullptr when the folder can't be listed or holds nothing.
  virtual std::unique_ptr<NamedListing> listFolder(const std::string& folder) = 0;
  // Opens the entry that `path` names. A link named last is opened as itself
  // unless `followLink`; links on the way are followed. nullptr when it can't be opened.
  virtual std::unique_ptr<OpenedEntry> openEntry(const std::string& path, bool followLink) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The same file system seen by real names.
  virtual RealNameFiles& realNames() = 0;

  // Full path of the running program's module file, in the plain form: a program
  // on a network share gives "\\server\share\...".
  virtual std::string moduleFileName() = 0;

  // The Windows system folder, such as "C:\Windows\system32"; empty when the
  // system cannot tell.
  virtual std::string systemFolder() = 0;

  // Expands a path against the current directory (and the per-drive current
  // directories); nullopt when the path cannot be expanded.
  virtual std::optional<std::string> fullPathName(const std::string& path) = 0;

  virtual std::string currentDirectory() = 0;
  // 0 on success, otherwise the platform's error code; the directory is unchanged then.
  virtual std::uint32_t setCurrentDirectory(const std::string& path) = 0;

  // Starts a search for `pattern` (a folder path followed by a name pattern).
  // Entries whose attributes share a bit with ~attributeMask & attr::SearchSpecial
  // are passed over. nullptr when nothing is found or the search cannot start.
  virtual std::unique_ptr<DirectorySearch> findFirst(const std::string& pattern,
                                                     std::uint32_t attributeMask) = 0;

  // True exactly when the path names an entry that is no folder and whose
  // last-write time, as local time, converts to a DOS date and time.
  virtual bool fileExists(const std::string& path) = 0;

  // The attribute word, or nullopt when it cannot be read.
  virtual std::optional<std::uint32_t> fileAttributes(const std::string& path) = 0;
  virtual bool setFileAttributes(const std::string& path, std::uint32_t attributes) = 0;

  // Creates one folder level; false when it exists already or its parent is missing.
  virtual bool createDirectory(const std::string& path) = 0;

  // Where the entry named by `path` really lies once every link on the way (folder
  // links, junctions, symbolic links) is followed: "C:\dir\name" with the drive
  // letter in upper case and the names as stored. nullopt when it can't be opened.
  virtual std::optional<std::string> finalPath(const std::string& path) = 0;
};

// The shell's file-operation record, as the setup action fills it. The lists are
// paths each followed by a NUL, the whole closed by a second NUL.
struct ShellFileOperation {
  WindowHandle owner = 0;
  std::uint32_t operation = 0;  // 2 = copy
  std::string from;
  std::string to;
  std::uint16_t flags = 0;
};

inline constexpr std::uint32_t FO_Copy = 2;
inline constexpr std::uint16_t FOF_NoConfirmMkdir = 0x200;

class Shell {
 public:
  virtual ~Shell() = default;
  // The desktop folder's path; empty when the lookup fails.
  virtual std::string desktopFolder(WindowHandle owner) = 0;
  // Runs the operation to its end; returns the shell's result (0 on success).
  virtual int fileOperation(const ShellFileOperation& operation) = 0;
  // Starts `file` with `parameters`; returns the shell's result (> 32 on success).
  virtual std::intptr_t execute(WindowHandle owner, const std::string& verb,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showCommand) = 0;
  virtual void messageBeep(std::uint32_t type) = 0;
};

class Drives {
 public:
  virtual ~Drives() = default;
  // Bit n set: the drive with letter number n exists.
  virtual std::uint32_t logicalDrives() = 0;
  // 0 unknown, 1 no root, 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk.
  virtual std::uint32_t driveType(const std::string& rootPath) = 0;
  // The volume label, or nullopt when the query fails.
  virtual std::optional<std::string> volumeLabel(const std::string& rootPath) = 0;
  // The remote name of a local device such as "E:", or nullopt.
  virtual std::optional<std::string> networkConnection(const std::string& localName) = 0;
  // Sets the process's error mode and returns the previous one.
  virtual std::uint32_t setErrorMode(std::uint32_t mode) = 0;
};

class CodePage {
 public:
  virtual ~CodePage() = default;
  // True when the ANSI code page is a double-byte one (such as Shift-JIS).
  virtual bool isDoubleByte() const = 0;
  virtual bool isLeadByte(unsigned char byte) const = 0;
  // The locale's general case mappings over the whole text; the length stays.
  virtual std::string localeLower(const std::string& text) const = 0;
  virtual std::string localeUpper(const std::string& text) const = 0;
  // The user locale's string comparison without flags: <0, 0 or >0.
  virtual int localeCompare(const std::string& a, const std::string& b) const = 0;
  // The order of the platform's sorted list control: the user locale's
  // comparison with letter case ignored.
  virtual int listCompare(const std::string& a, const std::string& b) const = 0;
  // ANSI bytes to UTF-8 (for messages that embed a path), and back.
  virtual std::string toUtf8(const std::string& ansi) const = 0;
  virtual std::string fromUtf8(const std::string& utf8) const = 0;
};

// The services together, as the launcher and the controls receive them.
struct Platform {
  FileSystem& files;
  Shell& shell;
  Drives& drives;
  CodePage& codePage;
};

}  // namespace tarnsel::platform
