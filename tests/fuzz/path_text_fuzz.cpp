// Fuzz target: the double-byte text helpers and the case folding under code
// page 932 and 1252. Each helper is held against character boundaries worked
// out independently, and the folding and conversions against their algebra:
// lengths stay, folding twice changes nothing, round trips hold where the
// characters survive them, and the two orders of the code page are orders.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzEntry.h"
#include "fuzz/TextChecks.h"
#include "platform/PathText.h"

namespace {

using namespace tarnsel;
using fuzzing::Check;

bool IsDelimiterCharacter(const platform::CodePage& codePage, const std::string& text,
                          std::size_t start, const std::string& delimiters) {
  const auto byte = static_cast<unsigned char>(text[start]);
  return !codePage.isLeadByte(byte) && delimiters.find(text[start]) != std::string::npos;
}

void CheckDelimiterSearches(const platform::CodePage& codePage, const std::string& text,
                            const std::string& delimiters, std::size_t from) {
  const std::vector<std::size_t> starts = fuzzing::CharacterStarts(codePage, text);
  std::size_t last = std::string::npos;
  std::size_t first = std::string::npos;
  for (const std::size_t start : starts) {
    if (!IsDelimiterCharacter(codePage, text, start, delimiters)) continue;
    last = start;
    if (first == std::string::npos && start >= from) first = start;
  }
  Check(platform::LastDelimiter(codePage, text, delimiters) == last,
        "last delimiter is the last delimiter character", text);
  Check(platform::FirstDelimiter(codePage, text, delimiters, from) == first,
        "first delimiter is the first delimiter character from the start", text);
  const std::size_t lastStart = starts.empty() ? std::string::npos : starts.back();
  Check(platform::LastCharacterStart(codePage, text) == lastStart, "last character start", text);
  const bool endsInBackslash = lastStart == text.size() - 1 && !text.empty() && text.back() == '\\';
  Check(platform::EndsWithCharacter(codePage, text, '\\') == endsInBackslash,
        "ends with a backslash character", text);
}

void CheckFolding(const platform::CodePage& codePage, const std::string& text) {
  const std::string lower = platform::LowerCaseFileName(codePage, text);
  const std::string upper = platform::UpperCaseFileName(codePage, text);
  Check(lower.size() == text.size() && upper.size() == text.size(), "folding keeps length", text);
  Check(platform::LowerCaseFileName(codePage, lower) == lower, "lower folding is idempotent", text);
  Check(platform::UpperCaseFileName(codePage, upper) == upper, "upper folding is idempotent", text);
  Check(platform::LowerCaseFileName(codePage, upper) == lower, "lower of upper is lower", text);
  Check(platform::UpperCaseFileName(codePage, lower) == upper, "upper of lower is upper", text);
  Check(platform::SameFileName(codePage, text, upper) &&
            platform::SameFileName(codePage, lower, text),
        "a name is the same name in any case", text);
  if (!codePage.isDoubleByte()) return;
  // On a double-byte page only single ASCII letters change.
  const std::vector<std::size_t> starts = fuzzing::CharacterStarts(codePage, text);
  std::vector<bool> single(text.size(), false);
  for (const std::size_t start : starts) {
    single[start] = !codePage.isLeadByte(static_cast<unsigned char>(text[start]));
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool letter = single[i] && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    Check(letter || (lower[i] == c && upper[i] == c), "only ASCII letters change", text);
  }
}

void CheckJoin(const platform::CodePage& codePage, const std::string& folder,
               const std::string& name) {
  const std::string joined = platform::JoinPath(codePage, folder, name);
  const bool hasSeparator = platform::EndsWithCharacter(codePage, folder, '\\');
  Check(joined.size() == folder.size() + name.size() + (hasSeparator ? 0 : 1),
        "a join adds one separator at most", joined);
  Check(joined.starts_with(folder) && joined.ends_with(name), "a join keeps both parts", joined);
  const bool plainName = platform::FirstDelimiter(codePage, name, "\\") == std::string::npos &&
                         fuzzing::CharacterStarts(codePage, name).size() == name.size();
  if (fuzzing::EndsOnCompleteCharacter(codePage, folder) && plainName && !name.empty()) {
    Check(platform::LastDelimiter(codePage, joined, "\\") == joined.size() - name.size() - 1,
          "the joined name follows the last separator", joined);
  }
}

void CheckConversions(const platform::CodePage& codePage, const std::string& text) {
  const std::string utf8 = codePage.toUtf8(text);
  // Unicode text goes to the code page and back unchanged once every character
  // has a place there; the replacement character has none.
  if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
    Check(codePage.toUtf8(codePage.fromUtf8(utf8)) == utf8, "conversion round trip", text);
  }
  // A single-byte page gives every byte a character of its own.
  if (!codePage.isDoubleByte()) {
    Check(codePage.fromUtf8(utf8) == text, "single-byte round trip", text);
  }
}

int Sign(int value) { return (value > 0) - (value < 0); }

template <typename Compare>
void CheckOrder(const char* name, Compare compare, const std::string& a, const std::string& b,
                const std::string& c) {
  Check(compare(a, a) == 0, name, a);
  Check(Sign(compare(a, b)) == -Sign(compare(b, a)), name, a + "|" + b);
  if (compare(a, b) < 0 && compare(b, c) < 0) Check(compare(a, c) < 0, name, a + "|" + b + "|" + c);
  if (compare(a, b) == 0 && compare(b, c) == 0) Check(compare(a, c) == 0, name, a + "|" + c);
}

void CheckOrders(const platform::CodePage& codePage, const std::string& a, const std::string& b,
                 const std::string& c) {
  const auto locale = [&](const std::string& x, const std::string& y) {
    return codePage.localeCompare(x, y);
  };
  const auto list = [&](const std::string& x, const std::string& y) {
    return codePage.listCompare(x, y);
  };
  CheckOrder("locale order", locale, a, b, c);
  CheckOrder("list order", list, a, b, c);
  Check((locale(a, b) == 0) == (a == b), "locale order ties only equal texts", a + "|" + b);
  if (platform::SameFileName(codePage, a, b)) Check(list(a, b) == 0, "list order ignores case", a);
}

void CheckTexts(const platform::CodePage& codePage, FuzzedDataProvider& input) {
  const std::string delimiters = input.ConsumeBool() ? "\\:" : input.ConsumeRandomLengthString(4);
  const auto from = input.ConsumeIntegral<std::uint8_t>();
  const std::string a = input.ConsumeRandomLengthString(64);
  const std::string b = input.ConsumeRandomLengthString(64);
  const std::string c = input.ConsumeRemainingBytesAsString();

  for (const std::string* text : {&a, &b, &c}) {
    CheckDelimiterSearches(codePage, *text, delimiters, from);
    CheckFolding(codePage, *text);
    CheckConversions(codePage, *text);
  }
  CheckJoin(codePage, a, b);
  CheckOrders(codePage, a, b, c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tarnsel::fuzzing::RunOnCodePage(data, size, CheckTexts);
}
