#include "tests/support/FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {
// Plain values: read inside operator new, even before a thread's other
// thread-locals are made.
thread_local std::size_t made = 0;
thread_local std::size_t failAt = 0;
thread_local bool armed = false, failed = false;

void* Allocate(std::size_t size) {
    ++made;
    if (armed && made - 1 == failAt) {
        armed = false;
        failed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
}  // namespace

namespace testsupport {

FailAllocation::FailAllocation(std::size_t n) {
    failAt = made + n;
    failed = false;
    armed = true;
}
FailAllocation::~FailAllocation() { armed = false; }
bool FailAllocation::Failed() const { return failed; }

}  // namespace testsupport

// Every form but the aligned ones (left to the library, which pairs them
// with its own deletes): each new with malloc, each delete with free.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
