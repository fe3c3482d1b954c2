// Memory running out where a test says: the test programs replace the
// global operator new, so that one chosen allocation of the calling thread
// throws std::bad_alloc as a full memory would. Other threads (a run's
// workers) allocate as ever.
#pragma once

#include <cstddef>

namespace testsupport {

// While this lives, allocation number `n` of this thread from now on (0:
// the very next) throws std::bad_alloc, once.
class FailAllocation {
public:
    explicit FailAllocation(std::size_t n);
    ~FailAllocation();
    FailAllocation(const FailAllocation&) = delete;
    FailAllocation& operator=(const FailAllocation&) = delete;

    // Whether the allocation came and failed.
    bool Failed() const;
};

// How many allocations this thread has made so far.
std::size_t AllocationsOnThisThread();

}  // namespace testsupport
