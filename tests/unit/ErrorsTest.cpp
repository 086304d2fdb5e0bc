// The program's error kinds: messages by error code, class names, and the code
// address each error records where it is raised.
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tarnsel {
namespace {

TEST(InOutErrorMessages, CodesWithTextsAndTheGeneralForm) {
  EXPECT_STREQ(EInOutError(2).what(), "ファイルが見つかりません");
  EXPECT_STREQ(EInOutError(3).what(), "不正なファイル名です");
  EXPECT_STREQ(EInOutError(5).what(), "ファイルへのアクセスが拒否されました");
  EXPECT_STREQ(EInOutError(106).what(), "入力値が数値ではありません");
  EXPECT_STREQ(EInOutError(21).what(), "I/O エラー (21)");
  EXPECT_EQ(EInOutError(21).code(), 21u);
  EXPECT_STREQ(EInOutError(21).className(), "EInOutError");
}

// Two raising functions of their own, so that their code can be told apart.
[[gnu::noinline]] TarnselError RaiseOutlineError() { return EOutlineError("outline"); }
[[gnu::noinline]] TarnselError RaiseInOutError() { return EInOutError(5); }

std::uintptr_t Address(const void* code) { return reinterpret_cast<std::uintptr_t>(code); }
std::uintptr_t Address(TarnselError (*function)()) {
  return reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(function));
}

TEST(RaiseAddress, LiesInTheFunctionThatRaisedTheError) {
  // The function's code starts at its address; a small function ends well within
  // a page of it.
  const std::uintptr_t outline = Address(RaiseOutlineError().raisedAt());
  EXPECT_GT(outline, Address(&RaiseOutlineError));
  EXPECT_LT(outline, Address(&RaiseOutlineError) + 4096);
  const std::uintptr_t inOut = Address(RaiseInOutError().raisedAt());
  EXPECT_GT(inOut, Address(&RaiseInOutError));
  EXPECT_LT(inOut, Address(&RaiseInOutError) + 4096);
}

TEST(RaiseAddress, OneSiteGivesOneAddressAndEverySiteItsOwn) {
  const void* first = RaiseOutlineError().raisedAt();
  EXPECT_EQ(RaiseOutlineError().raisedAt(), first);
  EXPECT_NE(RaiseInOutError().raisedAt(), first);
  const void* here = EOleError("a").raisedAt();
  const void* there = EOleSysError("b", -1).raisedAt();
  EXPECT_NE(here, nullptr);
  EXPECT_NE(here, there);
  EXPECT_NE(EInvalidOperation("c").raisedAt(), nullptr);
}

TEST(RaiseAddress, SurvivesTheThrow) {
  try {
    throw EOutlineError("thrown");
  } catch (const TarnselError& error) {
    EXPECT_STREQ(error.className(), "EOutlineError");
    EXPECT_NE(error.raisedAt(), nullptr);
  }
}

}  // namespace
}  // namespace tarnsel
