#pragma once

#include <cstdint>

// Counts the allocations made through operator new while a counter is alive, so that tests can
// bound the work and memory of a parse by counts instead of by time or the process's peak.
// Linking AllocationCounter.cpp replaces the global operator new and delete of the whole program:
// it belongs only in test programs of its own.
namespace dux::test {

struct tAllocations {
  std::int64_t count = 0;          // calls of operator new
  std::int64_t bytes = 0;          // bytes asked for, in all
  std::int64_t peakLiveBytes = 0;  // the most bytes held at once, counted from the counter's start
};

// One at a time: a second live counter is a test error (it aborts).
class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  // What was allocated since construction.
  tAllocations Totals() const;
};

}  // namespace dux::test
