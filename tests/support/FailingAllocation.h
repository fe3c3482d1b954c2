// Memory running out where a test says: the test programs replace the
// global operator new, so that one chosen allocation of the calling thread
// throws std::bad_alloc as a full memory would. Other threads (a run's
// workers) allocate as ever.
#pragma once

#include <cstddef>
#include <new>

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

// Runs `body` with allocation `n` of this thread failing, the
// std::bad_alloc it ends with caught: whether that allocation came.
template <class Body>
bool FailsAt(std::size_t n, const Body& body) {
    const FailAllocation fail(n);
    try {
        body();
    } catch (const std::bad_alloc&) {
    }
    return fail.Failed();
}

}  // namespace testsupport
