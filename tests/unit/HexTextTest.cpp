// Hexadecimal text for result codes and code addresses.
#include "platform/HexText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tarnsel {
namespace {

TEST(HexText, UpperCaseDigitsPaddedToTheWidth) {
  EXPECT_EQ(HexText(0x80040154u, 8), "80040154");
  EXPECT_EQ(HexText(0xABCDEFu, 8), "00ABCDEF");
  EXPECT_EQ(HexText(0, 8), "00000000");
  EXPECT_EQ(HexText(0, 0), "0");
}

TEST(HexText, WiderNumbersAreNeverCut) {
  EXPECT_EQ(HexText(0x1234567890ull, 8), "1234567890");
  EXPECT_EQ(HexText(UINT64_MAX, 1), "FFFFFFFFFFFFFFFF");
}

TEST(HexText, AddressesShowEveryDigitOfAPointer) {
  const std::string null = AddressText(nullptr);
  EXPECT_EQ(null.size(), 2 * sizeof(void*));
  EXPECT_EQ(null.find_first_not_of('0'), std::string::npos);
  int local = 0;
  const std::string text = AddressText(&local);
  ASSERT_EQ(text.size(), 2 * sizeof(void*));
  EXPECT_EQ(std::stoull(text, nullptr, 16), reinterpret_cast<std::uintptr_t>(&local));
  EXPECT_EQ(text.find_first_of("abcdef"), std::string::npos);
}

}  // namespace
}  // namespace tarnsel
