// The C++ runtime's per-thread record of caught and uncaught exceptions, kept in
// a fiber-local slot of the kernel's instead of the runtime's emulated TLS.
#include <cxxabi.h>
#include <windows.h>

#include <cstdlib>

// The runtime's own version keeps the record in emulated thread-local storage,
// and that brings the POSIX thread library's thread, key, lock and condition
// code (some 24 KB) into programs that start no thread of their own. Defined
// here under the runtime's names, these are linked instead; the record keeps its
// layout, and every thread that throws still gets its own, freed when the thread
// (or fiber) ends. Should the runtime ever define them beside something the
// program needs, the link fails on the duplicate rather than keeping both.
namespace __cxxabiv1 {

struct __cxa_exception;

struct __cxa_eh_globals {
  __cxa_exception* caughtExceptions;
  unsigned int uncaughtExceptions;
};

namespace {

void WINAPI FreeRecord(void* record) {
  if (record != nullptr) HeapFree(GetProcessHeap(), 0, record);
}

BOOL CALLBACK AllocateSlot(INIT_ONCE*, void* slot, void**) {
  *static_cast<DWORD*>(slot) = FlsAlloc(FreeRecord);
  return TRUE;
}

DWORD RecordSlot() {
  // Both are constant-initialised: no constructor runs, whichever thread or
  // static initialiser throws first.
  static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
  static DWORD slot = FLS_OUT_OF_INDEXES;
  InitOnceExecuteOnce(&once, AllocateSlot, &slot, nullptr);
  return slot;
}

__cxa_eh_globals* ThisThreadsRecord() noexcept {
  const DWORD slot = RecordSlot();
  // Without a slot or the memory for a record no exception can be handled; the
  // runtime's own version aborts in the same case.
  if (slot == FLS_OUT_OF_INDEXES) std::abort();
  auto* record = static_cast<__cxa_eh_globals*>(FlsGetValue(slot));
  if (record == nullptr) {
    record = static_cast<__cxa_eh_globals*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(__cxa_eh_globals)));
    if (record == nullptr || !FlsSetValue(slot, record)) std::abort();
  }
  return record;
}

}  // namespace

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept { return ThisThreadsRecord(); }

// The runtime calls this one where the record is known to exist; it need not,
// so both ways in do the same.
extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept { return ThisThreadsRecord(); }

}  // namespace __cxxabiv1
