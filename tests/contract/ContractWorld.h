// A small world for the platform contract tests: a scratch folder, ways to fill
// it, and the platform under test. One implementation builds it in the simulated
// Windows, the other on real files through the Win32 API.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace tarnsel::contract {

class ContractWorld {
 public:
  virtual ~ContractWorld() = default;
  virtual platform::Platform platform() = 0;
  // An empty folder that exists for the test: absolute, no trailing backslash.
  virtual const std::string& root() const = 0;
  // Paths below are relative to root(); parents exist already.
  virtual void makeFolder(const std::string& relative, std::uint32_t attributes = 0) = 0;
  virtual void makeFile(const std::string& relative, std::uint32_t attributes = 0,
                        int lastWriteYear = 2020) = 0;
  // A link at `relative` leading to the absolute `target`; false when the
  // platform under test cannot make one.
  virtual bool makeFolderLink(const std::string& relative, const std::string& target) = 0;
  // A file with a real name (UTF-8, which the code page may not hold) in the
  // folder `relativeFolder` ("" for the root).
  virtual void makeRealNameFile(const std::string& relativeFolder, const std::string& utf8Name,
                                std::uint32_t attributes = 0) = 0;
  // Gives an entry a new name in the same folder.
  virtual void rename(const std::string& relative, const std::string& newName) = 0;

  std::string path(const std::string& relative) const { return root() + "\\" + relative; }
};

// Provided once per test binary.
std::unique_ptr<ContractWorld> MakeContractWorld();

}  // namespace tarnsel::contract
