// Unsigned numbers as upper-case hexadecimal text, without the C library's
// formatted printing (which brings its floating-point formatting along).
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace tarnsel {

// The number in upper-case hexadecimal, zero-padded on the left to at least
// `digits` digits.
inline std::string HexText(std::uint64_t value, int digits) {
  char buffer[16];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
  std::string text(buffer, end);
  for (char& c : text) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

// A code address as the fatal error box shows it: every digit of a pointer.
inline std::string AddressText(const void* address) {
  return HexText(reinterpret_cast<std::uintptr_t>(address), 2 * sizeof(void*));
}

}  // namespace tarnsel
