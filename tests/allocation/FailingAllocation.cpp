#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

// The one scope in force; the tests run on one thread.
struct Countdown {
  bool active = false;
  int succeeding = -1;
  int allocations = 0;
  bool failed = false;
};
Countdown countdown;

void* Allocate(std::size_t size) {
  if (countdown.active) {
    const int number = countdown.allocations++;
    if (number == countdown.succeeding) {
      countdown.failed = true;
      throw std::bad_alloc();
    }
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

namespace tarnsel::testing {

FailingAllocation::FailingAllocation(int succeeding) { countdown = {true, succeeding, 0, false}; }

FailingAllocation::~FailingAllocation() { countdown.active = false; }

int FailingAllocation::allocations() const { return countdown.allocations; }

bool FailingAllocation::failed() const { return countdown.failed; }

}  // namespace tarnsel::testing

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
