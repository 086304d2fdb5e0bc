#include "platform/simulated/Utf8Conversion.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <stdexcept>

namespace tarnsel::sim {
namespace {

// Owns one iconv conversion descriptor.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~IconvHandle() { iconv_close(handle_); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

const char* iconvName(const AnsiCodePage& codePage) {
  return codePage.isDoubleByte() ? "CP932" : "CP1252";
}

// Converts what it can; returns how the conversion stopped (0, EILSEQ or EINVAL)
// and leaves `position` at the first unconverted byte.
int convertRun(iconv_t handle, const std::string& input, std::size_t& position,
               std::string& output) {
  char buffer[256];
  while (position < input.size()) {
    char* in = const_cast<char*>(input.data()) + position;
    std::size_t inLeft = input.size() - position;
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
    const int failure = errno;
    output.append(buffer, out - buffer);
    position = input.size() - inLeft;
    if (result == static_cast<std::size_t>(-1) && failure != E2BIG) return failure;
  }
  return 0;
}

// Position after the character that starts at `position`: its lead byte and the
// continuation bytes that follow, at most as many as the lead byte announces.
std::size_t skipUtf8Character(const std::string& text, std::size_t position) {
  const auto lead = static_cast<unsigned char>(text[position]);
  const std::size_t announced = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  ++position;
  for (std::size_t i = 0; i < announced && position < text.size(); ++i, ++position) {
    if ((static_cast<unsigned char>(text[position]) & 0xC0) != 0x80) break;
  }
  return position;
}

// The byte a single-byte page passes through as the C1 control U+0080..U+009F
// that starts at `position`, for the bytes the converter leaves undefined; 0 for
// any other character.
unsigned char passedThroughByte(const AnsiCodePage& codePage, const std::string& utf8,
                                std::size_t position) {
  if (codePage.isDoubleByte() || position + 1 >= utf8.size()) return 0;
  if (static_cast<unsigned char>(utf8[position]) != 0xC2) return 0;
  const auto byte = static_cast<unsigned char>(utf8[position + 1]);
  const bool undefined =
      byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
  return undefined ? byte : 0;
}

// The Latin letters with marks that best-fit conversion maps to a plain letter.
const std::map<std::string, char>& latinBestFits() {
  static const std::map<std::string, char> fits = [] {
    std::map<std::string, char> table;
    const std::pair<const char*, char> groups[] = {
        {"àáâãäåā", 'a'}, {"ÀÁÂÃÄÅĀ", 'A'}, {"çć", 'c'},    {"ÇĆ", 'C'},    {"èéêëē", 'e'},
        {"ÈÉÊËĒ", 'E'},   {"ìíîïī", 'i'},   {"ÌÍÎÏĪ", 'I'}, {"ñń", 'n'},    {"ÑŃ", 'N'},
        {"òóôõöøō", 'o'}, {"ÒÓÔÕÖØŌ", 'O'}, {"ùúûüū", 'u'}, {"ÙÚÛÜŪ", 'U'}, {"ýÿ", 'y'},
        {"Ý", 'Y'},       {"ß", 's'},       {"šś", 's'},    {"ŠŚ", 'S'},    {"žź", 'z'},
        {"ŽŹ", 'Z'}};
    for (const auto& [letters, plain] : groups) {
      const std::string text = letters;
      for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = skipUtf8Character(text, i);
        table.emplace(text.substr(i, end - i), plain);
        i = end;
      }
    }
    return table;
  }();
  return fits;
}

}  // namespace

bool holdsName(const AnsiCodePage& codePage, const std::string& utf8) {
  return ansiToUtf8(codePage, utf8ToAnsi(codePage, utf8)) == utf8;
}

std::string bestFitName(const AnsiCodePage& codePage, const std::string& utf8) {
  std::string ansi;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t end = skipUtf8Character(utf8, i);
    const std::string character = utf8.substr(i, end - i);
    if (holdsName(codePage, character)) {
      ansi += utf8ToAnsi(codePage, character);
    } else if (const auto fit = latinBestFits().find(character); fit != latinBestFits().end()) {
      ansi += fit->second;
    } else {
      ansi += '?';
    }
    i = end;
  }
  return ansi;
}

std::string ansiToUtf8(const AnsiCodePage& codePage, const std::string& ansi) {
  IconvHandle handle("UTF-8", iconvName(codePage));
  std::string utf8;
  std::size_t position = 0;
  while (convertRun(handle.get(), ansi, position, utf8) != 0) {
    const auto byte = static_cast<unsigned char>(ansi[position]);
    if (!codePage.isDoubleByte() && byte >= 0x80 && byte <= 0x9F) {
      utf8 += static_cast<char>(0xC2);
      utf8 += static_cast<char>(byte);
    } else {
      utf8 += "\xEF\xBF\xBD";
    }
    position += codePage.characterLength(ansi, position);
  }
  return utf8;
}

std::string utf8ToAnsi(const AnsiCodePage& codePage, const std::string& utf8) {
  IconvHandle handle(iconvName(codePage), "UTF-8");
  std::string ansi;
  std::size_t position = 0;
  while (convertRun(handle.get(), utf8, position, ansi) != 0) {
    if (const unsigned char byte = passedThroughByte(codePage, utf8, position); byte != 0) {
      ansi += static_cast<char>(byte);
      position += 2;
      continue;
    }
    ansi += '?';
    position = skipUtf8Character(utf8, position);
  }
  return ansi;
}

}  // namespace tarnsel::sim
