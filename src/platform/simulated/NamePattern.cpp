#include "platform/simulated/NamePattern.h"

#include <string_view>
#include <vector>

namespace tarnsel::sim {
namespace {

std::vector<std::string_view> characters(const AnsiCodePage& codePage, const std::string& text) {
  std::vector<std::string_view> result;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = codePage.characterLength(text, i);
    result.emplace_back(text.data() + i, length);
    i += length;
  }
  return result;
}

bool sameCharacter(const AnsiCodePage& codePage, std::string_view a, std::string_view b) {
  if (a.size() == 1 && b.size() == 1) {
    return codePage.upperByte(static_cast<unsigned char>(a[0])) ==
           codePage.upperByte(static_cast<unsigned char>(b[0]));
  }
  return a == b;
}

bool isWildcard(std::string_view c) { return c == "*" || c == "?"; }

// Glob matching that remembers the last "*" and retries it one character
// further on a mismatch; linear in practice, never exponential.
bool matchesCharacters(const AnsiCodePage& codePage, const std::vector<std::string_view>& name,
                       const std::vector<std::string_view>& pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starPattern = std::string::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == "?" || sameCharacter(codePage, pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starPattern != std::string::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

}  // namespace

bool matchesNamePattern(const AnsiCodePage& codePage, const std::string& name,
                        const std::string& pattern) {
  if (pattern == "*.*") return true;
  std::vector<std::string_view> patternCharacters = characters(codePage, pattern);
  const std::vector<std::string_view> nameCharacters = characters(codePage, name);
  bool hasWildcard = false;
  for (std::string_view c : patternCharacters) hasWildcard = hasWildcard || isWildcard(c);
  if (hasWildcard && patternCharacters.back() == ".") {
    for (std::string_view c : nameCharacters) {
      if (c == ".") return false;
    }
    patternCharacters.pop_back();
  }
  return matchesCharacters(codePage, nameCharacters, patternCharacters);
}

}  // namespace tarnsel::sim
