// The programs' own per-thread exception record: each thread sees only the
// exceptions it caught or is unwinding, whatever another thread is doing.
#include <windows.h>

#include <gtest/gtest.h>

#include <exception>
#include <future>
#include <stdexcept>
#include <string>

namespace {

std::string CurrentMessage() {
  try {
    if (std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "none";
}

// Records how many exceptions were unwinding past it on its thread.
struct UnwindWitness {
  int* seen;
  ~UnwindWitness() { *seen = std::uncaught_exceptions(); }
};

// What a second thread sees while the main thread sits in a handler: first
// outside any handler, then inside its own, then while unwinding.
struct OtherThreadView {
  std::string outside;
  std::string inside;
  int unwinding = -1;
  std::string afterwards;
};

OtherThreadView SeenFromAnotherThread() {
  OtherThreadView view;
  view.outside = CurrentMessage();
  try {
    throw std::runtime_error("other thread");
  } catch (const std::exception&) {
    view.inside = CurrentMessage();
  }
  try {
    UnwindWitness witness{&view.unwinding};
    throw std::runtime_error("unwinding");
  } catch (const std::exception&) {
  }
  view.afterwards = CurrentMessage();
  return view;
}

TEST(ExceptionGlobals, EachThreadSeesOnlyItsOwnExceptions) {
  try {
    throw std::runtime_error("main thread");
  } catch (const std::exception&) {
    std::future<OtherThreadView> other = std::async(std::launch::async, SeenFromAnotherThread);
    const OtherThreadView view = other.get();
    EXPECT_EQ(view.outside, "none");
    EXPECT_EQ(view.inside, "other thread");
    EXPECT_EQ(view.unwinding, 1);
    EXPECT_EQ(view.afterwards, "none");
    // The other thread's handlers left this thread's record as it was.
    EXPECT_EQ(CurrentMessage(), "main thread");
    EXPECT_EQ(std::uncaught_exceptions(), 0);
  }
  EXPECT_EQ(CurrentMessage(), "none");
}

// A thread that ends inside a handler leaves its record full; the record is
// handed back, and a thread started after it begins with an empty one even when
// it is given the same memory.
DWORD WINAPI EndInsideAHandler(void*) {
  try {
    throw std::runtime_error("left behind");
  } catch (const std::exception&) {
    ExitThread(0);
  }
  return 1;
}

DWORD WINAPI ReportStart(void* seen) {
  *static_cast<std::string*>(seen) =
      CurrentMessage() + "/" + std::to_string(std::uncaught_exceptions());
  return 0;
}

void RunThread(LPTHREAD_START_ROUTINE start, void* argument) {
  HANDLE thread = CreateThread(nullptr, 0, start, argument, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

TEST(ExceptionGlobals, AThreadStartsWithAnEmptyRecordAfterOneEndedInsideAHandler) {
  for (int round = 0; round < 16; ++round) {
    RunThread(EndInsideAHandler, nullptr);
    std::string seen;
    RunThread(ReportStart, &seen);
    ASSERT_EQ(seen, "none/0") << "round " << round;
  }
}

}  // namespace
