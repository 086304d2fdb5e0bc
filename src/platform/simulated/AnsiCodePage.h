// The simulated ANSI code page's byte rules: which bytes lead a double-byte
// character, the case mappings, and the comparisons built on them. Standard library only.
#pragma once

#include <cstddef>
#include <string>

namespace tarnsel::sim {

class AnsiCodePage {
 public:
  // 932 (Shift-JIS, double-byte) or 1252 (Western, single byte); throws
  // std::invalid_argument for any other number.
  explicit AnsiCodePage(unsigned number);

  unsigned number() const { return number_; }
  bool isDoubleByte() const { return number_ == 932; }
  bool isLeadByte(unsigned char byte) const;

  // Bytes taken by the character that starts at `position`: two for a lead byte
  // with a byte after it, otherwise one.
  std::size_t characterLength(const std::string& text, std::size_t position) const;

  // Case mappings of one single-byte character.
  unsigned char lowerByte(unsigned char byte) const;
  unsigned char upperByte(unsigned char byte) const;

  // Whole-text mappings; double-byte characters are copied unchanged, so the
  // length never changes.
  std::string lower(const std::string& text) const;
  std::string upper(const std::string& text) const;

  // Equality as the file system sees names: letter case ignored.
  bool sameName(const std::string& a, const std::string& b) const;

  // A user-locale ordering: case-insensitive first, then lower case before upper
  // case; 0 only for byte-identical texts.
  int compare(const std::string& a, const std::string& b) const;

  // The sorted list control's order: letter case ignored, and as in the user
  // locale's collation, punctuation before digits before letters; 0 for texts
  // that differ in letter case only.
  int listCompare(const std::string& a, const std::string& b) const;

 private:
  unsigned number_;
};

}  // namespace tarnsel::sim
