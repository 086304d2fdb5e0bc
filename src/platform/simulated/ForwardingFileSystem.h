// A file system that hands every call to another one; a test derives from it to
// change one answer (a network current directory, a prepared listing) and keep
// the rest of the simulation.
#pragma once

#include "platform/Platform.h"

namespace tarnsel::sim {

class ForwardingFileSystem : public platform::FileSystem {
 public:
  explicit ForwardingFileSystem(platform::FileSystem& target) : target_(target) {}

  std::string moduleFileName() override { return target_.moduleFileName(); }
  std::string systemFolder() override { return target_.systemFolder(); }
  std::optional<std::string> fullPathName(const std::string& path) override {
    return target_.fullPathName(path);
  }
  std::string currentDirectory() override { return target_.currentDirectory(); }
  std::uint32_t setCurrentDirectory(const std::string& path) override {
    return target_.setCurrentDirectory(path);
  }
  std::unique_ptr<platform::DirectorySearch> findFirst(const std::string& pattern,
                                                       std::uint32_t mask) override {
    return target_.findFirst(pattern, mask);
  }
  bool fileExists(const std::string& path) override { return target_.fileExists(path); }
  std::optional<std::uint32_t> fileAttributes(const std::string& path) override {
    return target_.fileAttributes(path);
  }
  bool setFileAttributes(const std::string& path, std::uint32_t attributes) override {
    return target_.setFileAttributes(path, attributes);
  }
  bool createDirectory(const std::string& path) override { return target_.createDirectory(path); }
  std::optional<std::string> finalPath(const std::string& path) override {
    return target_.finalPath(path);
  }
  platform::RealNameFiles& realNames() override { return target_.realNames(); }

 private:
  platform::FileSystem& target_;
};

}  // namespace tarnsel::sim
