// The once-call the 32-bit exception unwinder makes: one call per word, and no
// caller returns before that call has.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "app/OnceWord.h"

namespace {

using tarnsel::runtime::Done;
using tarnsel::runtime::RunOnce;

std::atomic<int> calls{0};
std::atomic<bool> finished{false};

void CountCall() { ++calls; }

// Slow enough that every other thread arrives while it runs.
void SlowCall() {
  Sleep(100);
  ++calls;
  finished = true;
}

struct Caller {
  long* word;
  HANDLE start;
  bool sawFinished = false;
};

DWORD WINAPI CallOnceWhenStarted(void* argument) {
  auto& caller = *static_cast<Caller*>(argument);
  WaitForSingleObject(caller.start, INFINITE);
  RunOnce(*caller.word, SlowCall);
  caller.sawFinished = finished;
  return 0;
}

TEST(OnceWord, CallsItsFunctionOnceHoweverOftenAsked) {
  calls = 0;
  long word = 0;
  for (int i = 0; i < 3; ++i) RunOnce(word, CountCall);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(word, Done);
}

void FailingCall() {
  ++calls;
  throw std::runtime_error("not this time");
}

TEST(OnceWord, ACallEndedByAnExceptionIsMadeAgainByTheNextCaller) {
  calls = 0;
  long word = 0;
  EXPECT_THROW(RunOnce(word, FailingCall), std::runtime_error);
  EXPECT_EQ(word, 0);
  RunOnce(word, CountCall);
  RunOnce(word, CountCall);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(word, Done);
}

TEST(OnceWord, ThreadsArrivingTogetherReturnOnlyAfterTheOneCall) {
  calls = 0;
  finished = false;
  long word = 0;
  HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(start, nullptr);
  std::vector<Caller> callers(8, Caller{&word, start});
  std::vector<HANDLE> threads;
  for (Caller& caller : callers) {
    HANDLE thread = CreateThread(nullptr, 0, CallOnceWhenStarted, &caller, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    threads.push_back(thread);
  }
  SetEvent(start);
  ASSERT_EQ(WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, 10000),
            WAIT_OBJECT_0);
  for (HANDLE thread : threads) CloseHandle(thread);
  CloseHandle(start);
  EXPECT_EQ(calls, 1);
  for (const Caller& caller : callers) EXPECT_TRUE(caller.sawFinished);
  EXPECT_EQ(word, Done);
}

}  // namespace
