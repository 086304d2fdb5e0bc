#include "platform/simulated/PathSyntax.h"

namespace tarnsel::sim {
namespace {

bool isAsciiLetter(char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

bool sameDriveLetter(char a, char b) { return (a | 0x20) == (b | 0x20); }

// Windows drops trailing dots and spaces from a path's last name.
std::string withoutTrailingDotsAndSpaces(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name;
}

}  // namespace

bool isSeparator(char byte) { return byte == '\\' || byte == '/'; }

std::size_t lastSeparator(const AnsiCodePage& codePage, const std::string& text) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < text.size(); i += codePage.characterLength(text, i)) {
    if (codePage.characterLength(text, i) == 1 && isSeparator(text[i])) found = i;
  }
  return found;
}

bool endsWithSeparator(const AnsiCodePage& codePage, const std::string& text) {
  return !text.empty() && lastSeparator(codePage, text) == text.size() - 1;
}

std::vector<std::string> splitComponents(const AnsiCodePage& codePage, const std::string& text) {
  std::vector<std::string> components;
  std::string current;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = codePage.characterLength(text, i);
    if (length == 1 && isSeparator(text[i])) {
      if (!current.empty()) components.push_back(std::move(current));
      current.clear();
    } else {
      current.append(text, i, length);
    }
    i += length;
  }
  if (!current.empty()) components.push_back(std::move(current));
  return components;
}

bool startsWithDrive(const std::string& text) {
  return text.size() >= 2 && isAsciiLetter(text[0]) && text[1] == ':';
}

std::string networkRoot(const AnsiCodePage& codePage, const std::string& text) {
  if (text.size() < 2 || !isSeparator(text[0]) || !isSeparator(text[1])) return {};
  // The server and share names run to the next separator each.
  std::string names[2];
  std::size_t i = 2;
  for (std::string& name : names) {
    while (i < text.size()) {
      const std::size_t length = codePage.characterLength(text, i);
      if (length == 1 && isSeparator(text[i])) break;
      name.append(text, i, length);
      i += length;
    }
    if (name.empty()) return {};
    ++i;
  }
  return "\\\\" + names[0] + "\\" + names[1];
}

std::size_t rootLength(const AnsiCodePage& codePage, const std::string& text) {
  if (startsWithDrive(text)) return 2;
  return networkRoot(codePage, text).size();
}

std::optional<std::string> expandFullPath(const AnsiCodePage& codePage, const std::string& path,
                                          const std::string& currentDirectory,
                                          const DriveDirectoryLookup& otherDriveDirectory) {
  if (path.empty()) return std::nullopt;

  // The folder the path is relative to, and the part of the path after its root.
  std::string base;
  std::string rest;
  if (startsWithDrive(path)) {
    rest = path.substr(2);
    if (path.size() > 2 && isSeparator(path[2])) {
      base = path.substr(0, 2);
    } else if (sameDriveLetter(path[0], currentDirectory[0])) {
      base = currentDirectory;
    } else {
      base = otherDriveDirectory(path[0]);
    }
  } else if (path.size() > 1 && isSeparator(path[0]) && isSeparator(path[1])) {
    base = networkRoot(codePage, path);
    if (base.empty()) return std::nullopt;
    rest = path.substr(base.size());
  } else if (isSeparator(path[0])) {
    base = currentDirectory.substr(0, rootLength(codePage, currentDirectory));
    rest = path;
  } else {
    base = currentDirectory;
    rest = path;
  }

  const std::size_t baseRoot = rootLength(codePage, base);
  std::vector<std::string> components = splitComponents(codePage, base.substr(baseRoot));
  const bool trailingSeparator = endsWithSeparator(codePage, rest);
  const std::vector<std::string> added = splitComponents(codePage, rest);
  for (std::size_t i = 0; i < added.size(); ++i) {
    std::string name = added[i];
    if (name == ".") continue;
    if (name == "..") {
      if (!components.empty()) components.pop_back();
      continue;
    }
    if (i + 1 == added.size() && !trailingSeparator) {
      name = withoutTrailingDotsAndSpaces(std::move(name));
      if (name.empty()) continue;
    }
    components.push_back(std::move(name));
  }

  std::string full = base.substr(0, baseRoot);
  for (const std::string& name : components) full += "\\" + name;
  // A drive root always ends in its separator; a share root written bare stays bare.
  const bool bareShareRoot = baseRoot > 2 && components.empty() && added.empty();
  if ((components.empty() && !bareShareRoot) || trailingSeparator) full += '\\';
  return full;
}

}  // namespace tarnsel::sim
