// The kit tool's command line: "check", "make" and "--help", with every error
// turned into a message and an exit code. Arguments and output are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "kit/KitServices.h"
#include "platform/Platform.h"

namespace tarnsel::kit {

class KitConsole {
 public:
  virtual ~KitConsole() = default;
  virtual void out(const std::string& utf8) = 0;
  virtual void err(const std::string& utf8) = 0;
};

struct KitTool {
  platform::Platform platform;
  KitFiles& kitFiles;
  const TargetCodePage& target;
  KitConsole& console;
  std::string launcherBinary;  // Tarnsel.exe beside the tool (UTF-8)
};

std::string HelpText();

// Runs the tool on `arguments` (without the program's name); returns the exit code.
int RunKitTool(KitTool& tool, const std::vector<std::string>& arguments);

}  // namespace tarnsel::kit
