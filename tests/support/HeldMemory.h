// What the test program holds from its allocator: every block counted as
// the C library's allocator lays it out (its size with its header, rounded
// to 16 bytes), whichever allocator the build uses, so that the figures
// are the same with the sanitizers and without them, and do not depend on
// what the kernel has paged in.
#pragma once

#include <cstdint>

namespace testsupport {

// The bytes held now, and the most and the least held since the last
// ResetHeldPeak.
std::int64_t HeldNow();
std::int64_t HeldPeak();
std::int64_t HeldLow();
// From here on the peak and the low count from what is held now.
void ResetHeldPeak();

}  // namespace testsupport
