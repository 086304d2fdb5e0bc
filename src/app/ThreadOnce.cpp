// The POSIX once-call, on the kernel's interlocked operations.
#include <pthread.h>

#include "app/OnceWord.h"

// The 32-bit exception unwinder makes this call once, before its first unwind.
// The POSIX thread library's own version comes with its thread code, and with
// the locks, conditions and scheduling calls that code uses (some 30 KB), into a
// program that starts no thread of its own. Defined here under the library's
// name, this is linked instead; the once-word keeps the library's meaning (zero
// before the call). Should the library's thread code ever be needed beside it,
// the link fails on the duplicate rather than keeping both.
extern "C" int pthread_once(pthread_once_t* once, void (*init)(void)) {
  tarnsel::runtime::RunOnce(*once, init);
  return 0;
}
