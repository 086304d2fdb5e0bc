// The kit tool's exit codes: one for each pitfall a check reports and one for
// each kind of bad input, with the texts that --help and the README show.
#pragma once

#include <span>

namespace tarnsel::kit {

enum class ExitCode : int {
  Clean = 0,
  Usage = 1,
  Missing = 2,
  WrongKind = 3,
  Unconvertible = 4,
  Refused = 5,
  CopyFailed = 6,
  NoLauncherBinary = 7,
  // Warnings: the kit works, but maybe not as meant.
  HiddenIgnored = 10,
  SeveralPrograms = 11,
  SeveralStartFiles = 12,
  StartFileHidden = 13,
  OtherCodePage = 14,
  IntroIsFolder = 15,
  // Errors: the kit does not work as laid out.
  NoSourceFolder = 20,
  NoProgram = 21,
  ProgramHidden = 22,
  FolderSortsFirst = 23,
  StartFileIsFolder = 24,
  NameOutsideCodePage = 25,
  PathTooLong = 26,
  UnreadableFolder = 27,
};

enum class Severity { None, BadInput, Warning, Error };

struct ExitCodeInfo {
  ExitCode code;
  Severity severity;
  const char* meaning;
};

// Every code in ascending order.
std::span<const ExitCodeInfo> ExitCodeTable();
Severity SeverityOf(ExitCode code);
const char* SeverityName(Severity severity);

}  // namespace tarnsel::kit
