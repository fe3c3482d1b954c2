// Tests that need an ordinary user: CI runs as root, so such a test runs
// its body in a child process that dropped to user and group "nobody".
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>

namespace testsupport {

constexpr unsigned kNobody = 65534;
// How long a child may run before it counts as hung: bodies take seconds,
// but under the sanitizers on a machine loaded several times over one took
// past 30 s. Well below a whole test's limit, so that a child that hangs
// fails its own test and the run goes on.
constexpr std::chrono::seconds kChildLimit{240};

// Runs `body` in a forked child as nobody (when running as root; as
// yourself otherwise) and returns its exit code, 128 + signal when it died.
// The body reports through its result: 0 for success. Waited for as
// WaitForChild says.
int RunAsNobody(const std::function<int()>& body);
// The forked children of tests (RunAsNobody's, InOwnMountNamespace's).
// In the child, once its user is what it stays (a change clears this): it
// is killed when the test program ends, so that none outlives a program
// stopped by its time limit, holding the output the test runner reads to
// its end. `parent`: getpid() before the fork.
void EndWithTestProgram(pid_t parent);
// In the parent: the child's wait status. One still running after
// kChildLimit is killed and fails the test, saying so. False when there was
// no such child.
bool WaitForChild(pid_t pid, int& status);

// Gives everyone search access to each folder from `native` up to the
// root, so a dropped child can reach a test's temporary folders.
void OpenPathToEveryone(const std::string& native);
// Hands the tree below `native` (itself included) to nobody.
void GiveToNobody(const std::string& native);

}  // namespace testsupport
