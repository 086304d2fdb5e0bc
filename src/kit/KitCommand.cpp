// Parses the kit tool's arguments, runs check or make and reports the outcome.
#include "kit/KitCommand.h"

#include "kit/KitCheck.h"
#include "kit/KitError.h"
#include "kit/KitMake.h"
#include "kit/KitReport.h"

namespace tarnsel::kit {

namespace {

// An absolute path of the argument, in UTF-8.
std::string FullPath(KitTool& tool, const std::string& argument) {
  const auto full = tool.kitFiles.fullPath(argument);
  if (!full) throw KitInputError(ExitCode::Missing, "cannot expand the path \"" + argument + "\"");
  return *full;
}

// The path in this machine's ANSI code page, which the launcher's calls take.
std::string AnsiPath(KitTool& tool, const std::string& utf8) {
  const std::string ansi = tool.platform.codePage.fromUtf8(utf8);
  if (tool.platform.codePage.toUtf8(ansi) != utf8) {
    throw KitInputError(ExitCode::Unconvertible,
                        "\"" + utf8 +
                            "\" has characters this machine's ANSI code page lacks; "
                            "move the kit to a path without them");
  }
  return ansi;
}

int Check(KitTool& tool, const std::string& launcherUtf8) {
  const KitPrediction prediction =
      CheckKit(tool.platform, tool.kitFiles, tool.target, AnsiPath(tool, launcherUtf8));
  tool.console.out(FormatReport(prediction, tool.platform.codePage));
  return static_cast<int>(prediction.exitCode());
}

int Usage(KitTool& tool, const std::string& problem) {
  tool.console.err("TarnselKit: " + problem + "\n\n" + HelpText());
  return static_cast<int>(ExitCode::Usage);
}

int Dispatch(KitTool& tool, const std::vector<std::string>& arguments) {
  if (arguments.empty()) return Usage(tool, "no command");
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h" || command == "/?" || command == "help") {
    tool.console.out(HelpText());
    return 0;
  }
  if (command == "check") {
    if (arguments.size() != 2) return Usage(tool, "check takes one launcher path");
    return Check(tool, FullPath(tool, arguments[1]));
  }
  if (command == "make") {
    MakeRequest request;
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
      if (arguments[i] == "--intro") {
        if (i + 1 == arguments.size()) return Usage(tool, "--intro needs a file");
        if (!request.intro.empty()) return Usage(tool, "--intro given twice");
        request.intro = FullPath(tool, arguments[++i]);
      } else {
        positional.push_back(arguments[i]);
      }
    }
    if (positional.size() != 3) {
      return Usage(tool, "make takes an application folder, a name and an output folder");
    }
    request.application = FullPath(tool, positional[0]);
    request.name = positional[1];
    request.output = FullPath(tool, positional[2]);
    request.launcherBinary = tool.launcherBinary;
    const std::string launcher =
        MakeKit(tool.platform.files.realNames(), tool.kitFiles, tool.target, request);
    tool.console.out("Made the kit in \"" + request.output + "\"\n");
    return Check(tool, launcher);
  }
  return Usage(tool, "unknown command \"" + command + "\"");
}

}  // namespace

std::string HelpText() {
  std::string text =
      "Usage:\n"
      "  TarnselKit check <launcher.exe>\n"
      "      Prints what the launcher will do on a user's machine and every pitfall of\n"
      "      the kit around it. Changes nothing.\n"
      "  TarnselKit make <application-folder> <name> <output-folder> [--intro FILE]\n"
      "      Copies Tarnsel.exe (which must lie beside TarnselKit.exe) to\n"
      "      <output-folder>\\<name>.exe, the application folder to <output-folder>\\<name>\n"
      "      and FILE to <output-folder>\\index.html, then checks the new kit. The output\n"
      "      folder must be missing or empty and must not lie inside the application\n"
      "      folder; the sources are only read.\n"
      "  TarnselKit --help\n"
      "\n"
      "Paths are checked under an assumed desktop of the users: ";
  text += kAssumedDesktop;
  text +=
      ".\n"
      "The exit code is the highest code found: 0 clean, 1-9 bad input,\n"
      "10-19 warnings, 20-29 errors.\n\n";
  for (const ExitCodeInfo& info : ExitCodeTable()) {
    std::string code = std::to_string(static_cast<int>(info.code));
    code.resize(4, ' ');
    std::string severity = SeverityName(info.severity);
    severity.resize(10, ' ');
    text += "  " + code + severity + info.meaning + "\n";
  }
  return text;
}

int RunKitTool(KitTool& tool, const std::vector<std::string>& arguments) {
  try {
    return Dispatch(tool, arguments);
  } catch (const KitInputError& error) {
    tool.console.err(std::string("TarnselKit: ") + error.what() + "\n");
    return static_cast<int>(error.code());
  } catch (const std::exception& error) {
    tool.console.err(std::string("TarnselKit: unexpected failure: ") + error.what() + "\n");
    return static_cast<int>(ExitCode::Missing);
  }
}

}  // namespace tarnsel::kit
