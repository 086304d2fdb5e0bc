// The contract tests' world inside the simulated Windows.
#include "contract/ContractWorld.h"
#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::contract {
namespace {

class SimulatedWorld final : public ContractWorld {
 public:
  SimulatedWorld() {
    windows_.addFolder(root_);
    windows_.addFolder(windows_.systemFolder());  // a real system has its folder
  }
  platform::Platform platform() override { return windows_.platform(); }
  const std::string& root() const override { return root_; }
  void makeFolder(const std::string& relative, std::uint32_t attributes) override {
    windows_.addFolder(path(relative), attributes | platform::attr::Directory);
  }
  void makeFile(const std::string& relative, std::uint32_t attributes, int lastWriteYear) override {
    windows_.addFile(path(relative), attributes | platform::attr::Archive, {}, lastWriteYear);
  }
  bool makeFolderLink(const std::string& relative, const std::string& target) override {
    windows_.addLink(path(relative), target);
    return true;
  }
  void makeRealNameFile(const std::string& relativeFolder, const std::string& utf8Name,
                        std::uint32_t attributes) override {
    const std::string folder = relativeFolder.empty() ? root_ : path(relativeFolder);
    windows_.addRealNameFile(folder, utf8Name, attributes | platform::attr::Archive);
  }
  void rename(const std::string& relative, const std::string& newName) override {
    windows_.rename(path(relative), newName);
  }

 private:
  sim::SimulatedWindows windows_;
  std::string root_ = "C:\\scratch";
};

}  // namespace

std::unique_ptr<ContractWorld> MakeContractWorld() { return std::make_unique<SimulatedWorld>(); }

}  // namespace tarnsel::contract
