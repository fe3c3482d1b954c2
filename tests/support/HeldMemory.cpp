#include "tests/support/HeldMemory.h"

#include <atomic>
#include <cerrno>
#include <cstddef>

#include <malloc.h>

namespace {

std::atomic<std::int64_t> held{0};
std::atomic<std::int64_t> peak{0};
std::atomic<std::int64_t> low{0};

// A block of `size` usable bytes as the C library lays it out.
std::int64_t Block(std::size_t size) {
    const std::size_t laid = (size + 8 + 15) & ~std::size_t{15};
    return static_cast<std::int64_t>(laid < 32 ? 32 : laid);
}

void Add(std::int64_t bytes) {
    const std::int64_t now = held.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    std::int64_t top = peak.load(std::memory_order_relaxed);
    while (now > top && !peak.compare_exchange_weak(top, now, std::memory_order_relaxed)) {
    }
    std::int64_t bottom = low.load(std::memory_order_relaxed);
    while (now < bottom && !low.compare_exchange_weak(bottom, now, std::memory_order_relaxed)) {
    }
}

}  // namespace

namespace testsupport {

std::int64_t HeldNow() { return held.load(std::memory_order_relaxed); }
std::int64_t HeldPeak() { return peak.load(std::memory_order_relaxed); }
std::int64_t HeldLow() { return low.load(std::memory_order_relaxed); }
void ResetHeldPeak() {
    const std::int64_t now = held.load(std::memory_order_relaxed);
    peak.store(now, std::memory_order_relaxed);
    low.store(now, std::memory_order_relaxed);
}

}  // namespace testsupport

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)

// The sanitizers own the allocator: they tell of each block, by the size asked.
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*made)(const volatile void*, std::size_t),
                                              void (*freed)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* p);
}

namespace {
void Made(const volatile void*, std::size_t size) { Add(Block(size)); }
void Freed(const volatile void* p) { Add(-Block(__sanitizer_get_allocated_size(p))); }
const int installed = __sanitizer_install_malloc_and_free_hooks(Made, Freed);
}  // namespace

#else

// The C library's allocator, each call counted on its way through. Every
// entry point is here, so that what one of them makes another frees.
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void* __libc_valloc(std::size_t);
void* __libc_pvalloc(std::size_t);
void __libc_free(void*);
}

namespace {
void* Counted(void* p) {
    if (p) Add(Block(malloc_usable_size(p)));
    return p;
}
void Uncount(void* p) {
    if (p) Add(-Block(malloc_usable_size(p)));
}
}  // namespace

extern "C" {
void* malloc(std::size_t size) { return Counted(__libc_malloc(size)); }
void* calloc(std::size_t n, std::size_t size) { return Counted(__libc_calloc(n, size)); }
void* realloc(void* p, std::size_t size) {
    if (!p) return malloc(size);
    const std::int64_t before = Block(malloc_usable_size(p));
    void* moved = __libc_realloc(p, size);
    if (moved) {
        Add(-before);
        Counted(moved);
    } else if (size == 0) {
        Add(-before);  // freed
    }
    return moved;
}
void free(void* p) {
    Uncount(p);
    __libc_free(p);
}
void* memalign(std::size_t align, std::size_t size) { return Counted(__libc_memalign(align, size)); }
void* aligned_alloc(std::size_t align, std::size_t size) { return Counted(__libc_memalign(align, size)); }
void* valloc(std::size_t size) { return Counted(__libc_valloc(size)); }
void* pvalloc(std::size_t size) { return Counted(__libc_pvalloc(size)); }
int posix_memalign(void** out, std::size_t align, std::size_t size) {
    if (align < sizeof(void*) || (align & (align - 1)) != 0) return EINVAL;
    void* p = Counted(__libc_memalign(align, size));
    if (!p && size != 0) return ENOMEM;
    *out = p;
    return 0;
}
}

#endif
