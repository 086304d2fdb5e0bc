#include "platform/PathText.h"

namespace tarnsel::platform {

namespace {

// Calls visit(index) for the first byte of each character in order; a lead byte
// and the byte after it form one character.
template <typename Visit>
void ForEachCharacter(const CodePage& codePage, std::string_view text, std::size_t from,
                      Visit&& visit) {
  std::size_t i = from;
  while (i < text.size()) {
    if (!visit(i)) return;
    const bool pair =
        codePage.isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += pair ? 2 : 1;
  }
}

std::string FoldAscii(const CodePage& codePage, std::string_view text, char from, char to) {
  std::string result(text);
  ForEachCharacter(codePage, text, 0, [&](std::size_t i) {
    const char c = text[i];
    const bool lead = codePage.isLeadByte(static_cast<unsigned char>(c));
    if (!lead && c >= from && c <= static_cast<char>(from + 25)) {
      result[i] = static_cast<char>(c - from + to);
    }
    return true;
  });
  return result;
}

}  // namespace

std::size_t LastDelimiter(const CodePage& codePage, std::string_view text,
                          std::string_view delimiters) {
  std::size_t found = std::string_view::npos;
  ForEachCharacter(codePage, text, 0, [&](std::size_t i) {
    const bool lead = codePage.isLeadByte(static_cast<unsigned char>(text[i]));
    if (!lead && delimiters.find(text[i]) != std::string_view::npos) found = i;
    return true;
  });
  return found;
}

std::size_t FirstDelimiter(const CodePage& codePage, std::string_view text,
                           std::string_view delimiters, std::size_t from) {
  std::size_t found = std::string_view::npos;
  ForEachCharacter(codePage, text, 0, [&](std::size_t i) {
    if (i < from) return true;
    const bool lead = codePage.isLeadByte(static_cast<unsigned char>(text[i]));
    if (!lead && delimiters.find(text[i]) != std::string_view::npos) {
      found = i;
      return false;
    }
    return true;
  });
  return found;
}

std::size_t LastCharacterStart(const CodePage& codePage, std::string_view text) {
  std::size_t last = std::string_view::npos;
  ForEachCharacter(codePage, text, 0, [&](std::size_t i) {
    last = i;
    return true;
  });
  return last;
}

bool EndsWithCharacter(const CodePage& codePage, std::string_view text, char c) {
  const std::size_t last = LastCharacterStart(codePage, text);
  return last != std::string_view::npos && last == text.size() - 1 && text[last] == c;
}

std::string LowerCaseFileName(const CodePage& codePage, std::string_view text) {
  if (!codePage.isDoubleByte()) return codePage.localeLower(std::string(text));
  return FoldAscii(codePage, text, 'A', 'a');
}

std::string UpperCaseFileName(const CodePage& codePage, std::string_view text) {
  if (!codePage.isDoubleByte()) return codePage.localeUpper(std::string(text));
  return FoldAscii(codePage, text, 'a', 'A');
}

bool SameFileName(const CodePage& codePage, std::string_view a, std::string_view b) {
  return codePage.localeCompare(LowerCaseFileName(codePage, a), LowerCaseFileName(codePage, b)) ==
         0;
}

std::string JoinPath(const CodePage& codePage, std::string_view folder, std::string_view name) {
  std::string result(folder);
  if (!EndsWithCharacter(codePage, folder, '\\')) result += '\\';
  result += name;
  return result;
}

std::string WithoutNamespacePrefix(std::string path) {
  constexpr std::string_view uncPrefixes[] = {"\\\\?\\UNC\\", "UNC\\"};
  for (const std::string_view prefix : uncPrefixes) {
    if (path.starts_with(prefix)) return "\\\\" + path.substr(prefix.size());
  }
  constexpr std::string_view localPrefix = "\\\\?\\";
  if (path.starts_with(localPrefix)) path.erase(0, localPrefix.size());
  return path;
}

std::string DriveRootOf(const std::string& path) {
  const bool letter = path.size() >= 2 &&
                      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return letter && path[1] == ':' ? std::string{path[0], ':', '\\'} : std::string();
}

bool FolderExists(FileSystem& files, const std::string& path) {
  const auto attributes = files.fileAttributes(path);
  return attributes && (*attributes & attr::Directory) != 0;
}

}  // namespace tarnsel::platform
