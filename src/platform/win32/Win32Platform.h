// The platform services on real Windows, through the ANSI API calls.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace tarnsel::platform::win32 {

class SystemLibrary;

// Real names through the wide calls. Paths are kept below MAX_PATH UTF-16 units,
// as the ANSI calls keep them, so both see the same part of a deep tree.
class Win32RealNameFiles final : public RealNameFiles {
 public:
  std::unique_ptr<NamedListing> listFolder(const std::string& folder) override;
  std::unique_ptr<OpenedEntry> openEntry(const std::string& path, bool followLink) override;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::string moduleFileName() override;
  std::string systemFolder() override;
  std::optional<std::string> fullPathName(const std::string& path) override;
  std::string currentDirectory() override;
  std::uint32_t setCurrentDirectory(const std::string& path) override;
  std::unique_ptr<DirectorySearch> findFirst(const std::string& pattern,
                                             std::uint32_t attributeMask) override;
  bool fileExists(const std::string& path) override;
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override;
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  bool createDirectory(const std::string& path) override;
  std::optional<std::string> finalPath(const std::string& path) override;
  RealNameFiles& realNames() override { return realNames_; }

 private:
  Win32RealNameFiles realNames_;
};

class Win32Shell final : public Shell {
 public:
  std::string desktopFolder(WindowHandle owner) override;
  int fileOperation(const ShellFileOperation& operation) override;
  std::intptr_t execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCommand) override;
  void messageBeep(std::uint32_t type) override;
};

class Win32Drives final : public Drives {
 public:
  Win32Drives();
  ~Win32Drives() override;
  std::uint32_t logicalDrives() override;
  std::uint32_t driveType(const std::string& rootPath) override;
  std::optional<std::string> volumeLabel(const std::string& rootPath) override;
  std::optional<std::string> networkConnection(const std::string& localName) override;
  std::uint32_t setErrorMode(std::uint32_t mode) override;

 private:
  // The network provider library, loaded from the system folder on first use.
  std::unique_ptr<SystemLibrary> networkLibrary_;
};

class Win32CodePage final : public CodePage {
 public:
  Win32CodePage();
  bool isDoubleByte() const override { return doubleByte_; }
  bool isLeadByte(unsigned char byte) const override;
  std::string localeLower(const std::string& text) const override;
  std::string localeUpper(const std::string& text) const override;
  int localeCompare(const std::string& a, const std::string& b) const override;
  int listCompare(const std::string& a, const std::string& b) const override;
  std::string toUtf8(const std::string& ansi) const override;
  std::string fromUtf8(const std::string& utf8) const override;

 private:
  bool doubleByte_ = false;
};

// All four services of the running system.
class Win32Platform {
 public:
  Platform platform() { return {files_, shell_, drives_, codePage_}; }

 private:
  Win32FileSystem files_;
  Win32Shell shell_;
  Win32Drives drives_;
  Win32CodePage codePage_;
};

}  // namespace tarnsel::platform::win32
