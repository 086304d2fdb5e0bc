// The shell services of the simulated Windows: every call is recorded, and a
// copy operation really copies inside the tree.
#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::sim {

namespace {

// SHFileOperation's results: DE_ROOTDIR, "unknown error" (what a missing source
// gives), and the code returned for operations the simulation does not perform.
constexpr int RootAsSource = 0x74;
constexpr int UnknownError = 0x402;
constexpr int NotPerformed = 0x78;

// ShellExecute reports success with any value above 32.
constexpr std::intptr_t ExecuteSucceeded = 42;

// The first path of a list of NUL-terminated paths.
std::string firstPath(const std::string& list) { return list.substr(0, list.find('\0')); }

}  // namespace

std::string SimulatedWindows::desktopFolder(platform::WindowHandle) { return desktopFolder_; }

int SimulatedWindows::fileOperation(const platform::ShellFileOperation& operation) {
  fileOperations_.push_back(operation);
  if (operation.operation != platform::FO_Copy) return NotPerformed;
  return copyWithShell(operation);
}

int SimulatedWindows::copyWithShell(const platform::ShellFileOperation& operation) {
  const Resolution source = resolve(firstPath(operation.from), {.followFinalLink = false});
  if (source.outcome != Outcome::Found) return UnknownError;
  if (source.parent == nullptr) return RootAsSource;
  // Copied before the destination is touched, so a destination inside the
  // source cannot make the copy copy itself.
  EntryPointer copy = shellCopyOf(*source.entry);

  const Resolution destination = resolve(firstPath(operation.to), {.createMissingFolders = true});
  if (destination.outcome != Outcome::Found || !destination.entry->isFolder()) {
    return UnknownError;
  }
  mergeInto(codePage_, *destination.entry, std::move(copy));
  return 0;
}

std::intptr_t SimulatedWindows::execute(platform::WindowHandle owner, const std::string& verb,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int showCommand) {
  executions_.push_back({owner, verb, file, parameters, directory, showCommand});
  return ExecuteSucceeded;
}

void SimulatedWindows::messageBeep(std::uint32_t type) { beeps_.push_back(type); }

}  // namespace tarnsel::sim
