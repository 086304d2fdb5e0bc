// Formats a check's prediction: one labelled line per fact, then one line per finding.
#include "kit/KitReport.h"

#include <algorithm>

namespace tarnsel::kit {

namespace {

std::string Line(const std::string& label, const std::string& value) {
  std::string line = label + ":";
  line.resize(std::max<std::size_t>(line.size() + 1, 16), ' ');
  return line + value + "\n";
}

}  // namespace

std::string FormatReport(const KitPrediction& p, const platform::CodePage& codePage) {
  const auto utf8 = [&](const std::string& ansi) { return codePage.toUtf8(ansi); };
  std::string text;
  text += Line("Launcher", utf8(p.launcherPath));
  text += Line("Install name", utf8(p.installName));
  text +=
      Line("Source folder", p.sourceFolder.empty() ? "(cannot be listed)" : utf8(p.sourceFolder));
  text += Line("Program", p.programEntries.empty() ? "(none: nothing is started)"
                                                   : utf8(p.programEntries.front()));
  text += Line("Start file", p.startEntries.empty() ? "(none: the program gets no parameter)"
                                                    : utf8(p.startEntries.front()));
  text +=
      Line("Intro page", p.introPageURL.empty() ? "(none: the window collapses to the setup panel)"
                                                : utf8(p.introPageURL));
  text += Line("Destination",
               utf8(p.destination) + "  (this machine's desktop; users may pick another)");
  text += Line("Program path", p.targetProgramPath.empty() ? "(none)" : utf8(p.targetProgramPath));
  text += Line("Command line",
               p.commandLine.empty() ? "(none: nothing is started)" : utf8(p.commandLine));
  text += Line("Copy", std::to_string(p.files) + " files, " + std::to_string(p.folders) +
                           " folders, " + std::to_string(p.bytes) + " bytes");
  if (p.longestPath > 0) {
    text += Line("Longest path", std::to_string(p.longestPath) + " bytes under " + kAssumedDesktop +
                                     " (" + p.longestPathName + ")");
  }
  for (const KitFinding& finding : p.findings) {
    text += std::string(SeverityName(SeverityOf(finding.code))) + " " +
            std::to_string(static_cast<int>(finding.code)) + ": " + finding.text + "\n";
  }
  const ExitCode code = p.exitCode();
  text += "Result: " + std::to_string(static_cast<int>(code)) + " (" +
          SeverityName(SeverityOf(code)) + ")\n";
  return text;
}

}  // namespace tarnsel::kit
