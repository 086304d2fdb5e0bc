// Plans a kit's copy, refusing bad input before anything is written, then copies.
#include "kit/KitMake.h"

#include <string_view>
#include <utility>
#include <vector>

#include "kit/KitError.h"

namespace tarnsel::kit {

namespace attr = platform::attr;

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

void RequireValidName(const TargetCodePage& target, const std::string& name) {
  const bool reserved = name.empty() || name == "." || name == ".." || name.back() == '.' ||
                        name.back() == ' ' ||
                        name.find_first_of("\\/:*?\"<>|") != std::string::npos;
  bool control = false;
  for (const char c : name) control = control || static_cast<unsigned char>(c) < 0x20;
  if (reserved || control) {
    throw KitInputError(ExitCode::Unconvertible,
                        Quoted(name) + " is not a valid file name for the kit");
  }
  if (!target.encode(name)) {
    throw KitInputError(ExitCode::Unconvertible,
                        "the kit name " + Quoted(name) + " has characters code page 932 lacks");
  }
}

// The entry's own attributes, following links; nullopt when it can't be opened.
std::optional<std::uint32_t> AttributesOf(platform::RealNameFiles& names, const std::string& path) {
  const auto opened = names.openEntry(path, true);
  if (opened == nullptr) return std::nullopt;
  return opened->attributes();
}

void RequireFile(platform::RealNameFiles& names, const std::string& path, const char* what,
                 ExitCode missingCode = ExitCode::Missing) {
  const auto attributes = AttributesOf(names, path);
  if (!attributes) {
    throw KitInputError(
        missingCode, std::string("the ") + what + " " + Quoted(path) + " is missing or unreadable");
  }
  if ((*attributes & attr::Directory) != 0) {
    throw KitInputError(ExitCode::WrongKind,
                        std::string("the ") + what + " " + Quoted(path) + " is a folder");
  }
}

// Where a path really lies: the final path of its nearest existing part, and the rest.
std::string Resolved(platform::RealNameFiles& names, const std::string& path) {
  std::string existing = WithoutTrailingSeparators(path);
  std::string rest;
  while (!existing.empty()) {
    if (const auto opened = names.openEntry(existing, true)) {
      const auto final = opened->finalPath();
      return (final ? WithoutTrailingSeparators(*final) : existing) + rest;
    }
    const std::size_t slash = existing.find_last_of('\\');
    if (slash == std::string::npos) break;
    rest = existing.substr(slash) + rest;
    existing.erase(slash);
  }
  return path;
}

bool HasEntries(platform::RealNameFiles& names, const std::string& folder) {
  const auto listing = names.listFolder(folder);
  if (listing == nullptr) return false;
  do {
    const std::string& name = listing->entry().name;
    if (name != "." && name != "..") return true;
  } while (listing->next());
  return false;
}

struct CopyPlan {
  std::vector<std::string> folders;                        // to create, in order
  std::vector<std::pair<std::string, std::string>> files;  // from, to
};

void PlanFolder(platform::RealNameFiles& names, const std::string& from, const std::string& to,
                CopyPlan& plan) {
  plan.folders.push_back(to);
  const auto listing = names.listFolder(from);
  if (listing == nullptr) {
    throw KitInputError(ExitCode::Missing, "cannot read the folder " + Quoted(from));
  }
  do {
    const platform::NamedEntry entry = listing->entry();
    if (entry.name == "." || entry.name == "..") continue;
    const std::string source = from + "\\" + entry.name;
    if ((entry.attributes & attr::Directory) == 0) {
      plan.files.emplace_back(source, to + "\\" + entry.name);
    } else if ((entry.attributes & attr::ReparsePoint) != 0) {
      throw KitInputError(ExitCode::WrongKind,
                          Quoted(source) +
                              " is a folder link; copy what it leads to into the "
                              "application folder instead");
    } else {
      PlanFolder(names, source, to + "\\" + entry.name, plan);
    }
  } while (listing->next());
}

}  // namespace

bool IsSameOrInside(const std::string& inner, const std::string& outer) {
  const std::string base = WithoutTrailingSeparators(outer);
  const std::string path = WithoutTrailingSeparators(inner);
  if (path.size() < base.size()) return false;
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (LowerAscii(path[i]) != LowerAscii(base[i])) return false;
  }
  return path.size() == base.size() || path[base.size()] == '\\' || base.back() == '\\';
}

std::string MakeKit(platform::RealNameFiles& names, KitFiles& kitFiles,
                    const TargetCodePage& target, const MakeRequest& request) {
  RequireValidName(target, request.name);
  RequireFile(names, request.launcherBinary, "launcher", ExitCode::NoLauncherBinary);
  const auto application = AttributesOf(names, request.application);
  if (!application) {
    throw KitInputError(ExitCode::Missing, "the application folder " + Quoted(request.application) +
                                               " is missing or unreadable");
  }
  if ((*application & attr::Directory) == 0) {
    throw KitInputError(ExitCode::WrongKind,
                        "the application folder " + Quoted(request.application) + " is a file");
  }
  if (!request.intro.empty()) RequireFile(names, request.intro, "intro page");

  if (const auto output = AttributesOf(names, request.output)) {
    if ((*output & attr::Directory) == 0) {
      throw KitInputError(ExitCode::WrongKind,
                          "the output " + Quoted(request.output) + " is a file, not a folder");
    }
    if (HasEntries(names, request.output)) {
      throw KitInputError(ExitCode::Refused, "the output folder " + Quoted(request.output) +
                                                 " is not empty; name a new or empty folder");
    }
  }
  const std::string applicationReally = Resolved(names, request.application);
  const std::string outputReally = Resolved(names, request.output);
  if (IsSameOrInside(request.output, request.application) ||
      IsSameOrInside(outputReally, applicationReally)) {
    throw KitInputError(ExitCode::Refused, "the output folder " + Quoted(request.output) +
                                               " lies inside the application folder " +
                                               Quoted(request.application) +
                                               "; a folder cannot be copied into itself");
  }

  const std::string output = WithoutTrailingSeparators(request.output);
  const std::string launcher = output + "\\" + request.name + ".exe";
  CopyPlan plan;
  plan.files.emplace_back(request.launcherBinary, launcher);
  if (!request.intro.empty()) plan.files.emplace_back(request.intro, output + "\\index.html");
  PlanFolder(names, WithoutTrailingSeparators(request.application), output + "\\" + request.name,
             plan);

  if (!kitFiles.createFolders(output)) {
    throw KitInputError(ExitCode::CopyFailed, "cannot create the folder " + Quoted(output));
  }
  for (const std::string& folder : plan.folders) {
    if (!kitFiles.createFolders(folder)) {
      throw KitInputError(ExitCode::CopyFailed, "cannot create the folder " + Quoted(folder));
    }
  }
  for (const auto& [from, to] : plan.files) {
    if (!kitFiles.copyFile(from, to)) {
      throw KitInputError(ExitCode::CopyFailed,
                          "cannot copy " + Quoted(from) + " to " + Quoted(to));
    }
  }
  return launcher;
}

}  // namespace tarnsel::kit
