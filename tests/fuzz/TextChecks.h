// Checks shared by the fuzz targets: a failed property prints what broke and on
// which text, then aborts so that libFuzzer keeps the input. Character
// boundaries are worked out here from the code page's lead bytes alone, apart
// from the helpers under test.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace tarnsel::fuzzing {

// Prints the text as C escapes, so that double-byte characters show as bytes.
inline void PrintEscaped(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      std::fputc(byte, stderr);
    } else {
      std::fprintf(stderr, "\\x%02x", byte);
    }
  }
}

inline void Check(bool holds, const char* property, std::string_view text) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n  text: \"", property);
  PrintEscaped(text);
  std::fprintf(stderr, "\"\n");
  std::abort();
}

// The index of the first byte of every character: a lead byte followed by any
// byte makes one character, a lead byte at the very end stands alone.
inline std::vector<std::size_t> CharacterStarts(const platform::CodePage& codePage,
                                                std::string_view text) {
  std::vector<std::size_t> starts;
  std::size_t i = 0;
  while (i < text.size()) {
    starts.push_back(i);
    const bool lead = codePage.isLeadByte(static_cast<unsigned char>(text[i]));
    i += lead && i + 1 < text.size() ? 2 : 1;
  }
  return starts;
}

// True when a character starts at `position`, or `position` is the end.
inline bool IsCharacterBoundary(const platform::CodePage& codePage, std::string_view text,
                                std::size_t position) {
  if (position == text.size()) return true;
  for (const std::size_t start : CharacterStarts(codePage, text)) {
    if (start == position) return true;
  }
  return false;
}

// True when the text does not end in a lead byte that still waits for its
// second byte: anything appended then begins a character of its own.
inline bool EndsOnCompleteCharacter(const platform::CodePage& codePage, std::string_view text) {
  const std::vector<std::size_t> starts = CharacterStarts(codePage, text);
  if (starts.empty()) return true;
  const std::size_t last = starts.back();
  return last + 1 < text.size() || !codePage.isLeadByte(static_cast<unsigned char>(text[last]));
}

}  // namespace tarnsel::fuzzing
