// A call made once per once-word, however many threads ask for it at a time.
#pragma once

#include <windows.h>

#include <atomic>

namespace tarnsel::runtime {

// The word is zero before the first call (a static initialiser makes it so),
// then Running while `init` runs on the thread that came first, then Done. A
// thread that comes while another runs `init` waits, giving up the processor,
// until it is done: every caller returns after `init` has returned. A call that
// ends by an exception leaves the word as it found it, so that the next caller
// (or one that waits) makes it again.
enum OnceState : long { NotRun = 0, Running = 1, Done = 2 };

inline void RunOnce(long& word, void (*init)()) {
  std::atomic_ref<long> state(word);
  for (;;) {
    long seen = state.load(std::memory_order_acquire);
    if (seen == Done) return;
    if (seen == NotRun && state.compare_exchange_strong(seen, Running, std::memory_order_acquire)) {
      try {
        init();
      } catch (...) {
        state.store(NotRun, std::memory_order_release);
        throw;
      }
      state.store(Done, std::memory_order_release);
      return;
    }
    SwitchToThread();
  }
}

}  // namespace tarnsel::runtime
