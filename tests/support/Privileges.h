// Tests that need an ordinary user: CI runs as root, so such a test runs
// its body in a child process that dropped to user and group "nobody".
#pragma once

#include <functional>
#include <string>

namespace testsupport {

constexpr unsigned kNobody = 65534;

// Runs `body` in a forked child as nobody (when running as root; as
// yourself otherwise) and returns its exit code, 128 + signal when it died.
// The body reports through its result: 0 for success.
int RunAsNobody(const std::function<int()>& body);
// Gives everyone search access to each folder from `native` up to the
// root, so a dropped child can reach a test's temporary folders.
void OpenPathToEveryone(const std::string& native);
// Hands the tree below `native` (itself included) to nobody.
void GiveToNobody(const std::string& native);

}  // namespace testsupport
