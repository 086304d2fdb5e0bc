#include "platform/simulated/AnsiCodePage.h"

#include <algorithm>

#include <stdexcept>

namespace tarnsel::sim {
namespace {

bool isAsciiUpper(unsigned char byte) { return byte >= 'A' && byte <= 'Z'; }
bool isAsciiLower(unsigned char byte) { return byte >= 'a' && byte <= 'z'; }

// Windows-1252 letters outside ASCII: the Latin-1 block (except the
// multiplication and division signs) and the four pairs Windows adds at 0x8A-0x9F.
bool is1252Upper(unsigned char byte) {
  if (byte >= 0xC0 && byte <= 0xDE) return byte != 0xD7;
  return byte == 0x8A || byte == 0x8C || byte == 0x8E || byte == 0x9F;
}

bool is1252Lower(unsigned char byte) {
  if (byte >= 0xE0 && byte <= 0xFE) return byte != 0xF7;
  return byte == 0x9A || byte == 0x9C || byte == 0x9E || byte == 0xFF;
}

unsigned char lower1252(unsigned char byte) {
  if (byte == 0x9F) return 0xFF;
  if (byte >= 0x8A && byte <= 0x8E) return byte + 0x10;
  return byte + 0x20;
}

unsigned char upper1252(unsigned char byte) {
  if (byte == 0xFF) return 0x9F;
  if (byte >= 0x9A && byte <= 0x9E) return byte - 0x10;
  return byte - 0x20;
}

}  // namespace

AnsiCodePage::AnsiCodePage(unsigned number) : number_(number) {
  if (number != 932 && number != 1252) {
    throw std::invalid_argument("simulated code page must be 932 or 1252");
  }
}

bool AnsiCodePage::isLeadByte(unsigned char byte) const {
  return isDoubleByte() && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

std::size_t AnsiCodePage::characterLength(const std::string& text, std::size_t position) const {
  const bool pair =
      isLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < text.size();
  return pair ? 2 : 1;
}

unsigned char AnsiCodePage::lowerByte(unsigned char byte) const {
  if (isAsciiUpper(byte)) return byte + 0x20;
  if (!isDoubleByte() && is1252Upper(byte)) return lower1252(byte);
  return byte;
}

unsigned char AnsiCodePage::upperByte(unsigned char byte) const {
  if (isAsciiLower(byte)) return byte - 0x20;
  if (!isDoubleByte() && is1252Lower(byte)) return upper1252(byte);
  return byte;
}

std::string AnsiCodePage::lower(const std::string& text) const {
  std::string result = text;
  for (std::size_t i = 0; i < result.size(); i += characterLength(result, i)) {
    if (characterLength(result, i) == 1) {
      result[i] = static_cast<char>(lowerByte(static_cast<unsigned char>(result[i])));
    }
  }
  return result;
}

std::string AnsiCodePage::upper(const std::string& text) const {
  std::string result = text;
  for (std::size_t i = 0; i < result.size(); i += characterLength(result, i)) {
    if (characterLength(result, i) == 1) {
      result[i] = static_cast<char>(upperByte(static_cast<unsigned char>(result[i])));
    }
  }
  return result;
}

bool AnsiCodePage::sameName(const std::string& a, const std::string& b) const {
  return a.size() == b.size() && upper(a) == upper(b);
}

int AnsiCodePage::compare(const std::string& a, const std::string& b) const {
  if (a == b) return 0;
  const std::string foldedA = lower(a);
  const std::string foldedB = lower(b);
  // std::string compares through char_traits<char>, which orders bytes as unsigned.
  if (const int order = foldedA.compare(foldedB); order != 0) return order < 0 ? -1 : 1;
  // Same letters, different case: the first case difference decides, lower case first.
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) {
      const auto byteA = static_cast<unsigned char>(a[i]);
      return lowerByte(byteA) == byteA ? -1 : 1;
    }
  }
  return 0;
}

namespace {

// Collation rank of a lower-cased byte: punctuation and symbols, then digits,
// then letters, then everything beyond ASCII in byte order.
int CollationRank(unsigned char byte) {
  if (byte >= '0' && byte <= '9') return 0x100 + byte;
  if (byte >= 'a' && byte <= 'z') return 0x200 + byte;
  if (byte >= 0x80) return 0x300 + byte;
  return byte;
}

}  // namespace

int AnsiCodePage::listCompare(const std::string& a, const std::string& b) const {
  const std::string foldedA = lower(a);
  const std::string foldedB = lower(b);
  const std::size_t common = std::min(foldedA.size(), foldedB.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int rankA = CollationRank(static_cast<unsigned char>(foldedA[i]));
    const int rankB = CollationRank(static_cast<unsigned char>(foldedB[i]));
    if (rankA != rankB) return rankA < rankB ? -1 : 1;
  }
  if (foldedA.size() == foldedB.size()) return 0;
  return foldedA.size() < foldedB.size() ? -1 : 1;
}

}  // namespace tarnsel::sim
