// The table of exit codes and their meanings.
#include "kit/ExitCodes.h"

namespace tarnsel::kit {

namespace {

constexpr ExitCodeInfo kTable[] = {
    {ExitCode::Clean, Severity::None, "the kit is clean (make: made and clean)"},
    {ExitCode::Usage, Severity::BadInput, "wrong arguments"},
    {ExitCode::Missing, Severity::BadInput, "a named file or folder is missing or unreadable"},
    {ExitCode::WrongKind, Severity::BadInput, "a file where a folder belongs, or the reverse"},
    {ExitCode::Unconvertible, Severity::BadInput,
     "a name this machine's or the users' code page cannot hold, or not a valid file name"},
    {ExitCode::Refused, Severity::BadInput,
     "make refused: the output folder is not empty, or lies inside the application folder"},
    {ExitCode::CopyFailed, Severity::BadInput, "make could not copy a file"},
    {ExitCode::NoLauncherBinary, Severity::BadInput, "Tarnsel.exe is not beside TarnselKit.exe"},
    {ExitCode::HiddenIgnored, Severity::Warning, "hidden or system files are ignored by the lists"},
    {ExitCode::SeveralPrograms, Severity::Warning, "several programs: the first in order wins"},
    {ExitCode::SeveralStartFiles, Severity::Warning,
     "several start files: the first in order wins"},
    {ExitCode::StartFileHidden, Severity::Warning,
     "the only start files are hidden or system files: none is passed"},
    {ExitCode::OtherCodePage, Severity::Warning,
     "this machine's code page is not 932: names and order may differ on the users' machines"},
    {ExitCode::IntroIsFolder, Severity::Warning,
     "\"index.html\" is a folder: the window collapses to the setup panel"},
    {ExitCode::NoSourceFolder, Severity::Error,
     "the folder named after the launcher is missing or cannot be entered"},
    {ExitCode::NoProgram, Severity::Error, "no program (\"*.exe\") in the folder"},
    {ExitCode::ProgramHidden, Severity::Error, "the only programs are hidden or system files"},
    {ExitCode::FolderSortsFirst, Severity::Error,
     "a folder named like a program sorts first: nothing is started"},
    {ExitCode::StartFileIsFolder, Severity::Error,
     "a folder matches \"startup*.*\": folders are never passed as the start file"},
    {ExitCode::NameOutsideCodePage, Severity::Error, "a name code page 932 cannot hold"},
    {ExitCode::PathTooLong, Severity::Error,
     "a copied path would reach 260 bytes under the assumed desktop"},
    {ExitCode::UnreadableFolder, Severity::Error, "a folder of the kit cannot be read"},
};

}  // namespace

std::span<const ExitCodeInfo> ExitCodeTable() { return kTable; }

Severity SeverityOf(ExitCode code) {
  for (const ExitCodeInfo& info : kTable) {
    if (info.code == code) return info.severity;
  }
  return Severity::BadInput;
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::None:
      return "clean";
    case Severity::BadInput:
      return "bad input";
    case Severity::Warning:
      return "warning";
    case Severity::Error:
      return "error";
  }
  return "";
}

}  // namespace tarnsel::kit
