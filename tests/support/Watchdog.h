// A test that waits for ever (a modal loop nobody ends, a child that never
// does) is named and the run ends at once, instead of the whole run being
// stopped without a word later.
#pragma once

#include <chrono>

namespace testsupport {

// RUN_ALL_TESTS, a test still running `limit` after its start ending the
// process with its name and code 1. A timer signal, not a thread: a test
// process that forks stays single-threaded, as ThreadSanitizer needs when
// the child starts threads of its own.
int RunAllTestsWithin(std::chrono::seconds limit);

}  // namespace testsupport
