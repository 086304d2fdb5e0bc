// Bad input to the kit tool: the exit code and a message (UTF-8) for the user.
#pragma once

#include <stdexcept>
#include <string>

#include "kit/ExitCodes.h"

namespace tarnsel::kit {

class KitInputError : public std::runtime_error {
 public:
  KitInputError(ExitCode code, const std::string& message)
      : std::runtime_error(message), code_(code) {}
  ExitCode code() const { return code_; }

 private:
  ExitCode code_;
};

}  // namespace tarnsel::kit
