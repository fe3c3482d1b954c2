// Tests that mount: the body runs in a forked child in a mount namespace
// of its own, so that its mounts touch nothing outside the test; an
// ordinary user gets it inside a user namespace of its own. A namespace or
// a mount that cannot be made fails the test with the reason, never lets
// it pass untried.
#pragma once

#include <functional>
#include <string>

namespace testsupport {

struct MountChild {
    bool mounted = false;  // false: the namespace or a mount could not be made
    std::string why;       // then: what could not, with the system's reason
    int code = 0;          // else: the body's result, 0 for success; 128 + signal when it died
};

// Runs `body` in a forked child with a mount namespace of its own (its
// root made private: nothing it mounts reaches the parent's namespace).
MountChild InOwnMountNamespace(const std::function<int()>& body);

// Whether the test program entered a mount namespace of its own at start
// (as root): a test may then mount in its own process.
extern bool ownMountNamespace;

// In the body: a mount it needs failed; `what` names it. Ends the child,
// which reports the reason (and errno's text) back.
[[noreturn]] void CannotMount(const std::string& what);

}  // namespace testsupport
