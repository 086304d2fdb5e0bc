// This test program's global allocation functions count the allocations made
// while a FailingAllocation is alive and make one chosen allocation among them
// throw std::bad_alloc, as a program that runs out of memory sees it.
#pragma once

namespace tarnsel::testing {

class FailingAllocation {
 public:
  // The allocation after `succeeding` successful ones fails, once; a negative
  // count fails none and only counts.
  explicit FailingAllocation(int succeeding);
  ~FailingAllocation();
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;

  // Allocations asked for so far in this scope, the failed one included.
  int allocations() const;
  bool failed() const;
};

}  // namespace tarnsel::testing
