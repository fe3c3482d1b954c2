// Points HOME, the XDG folders and TMPDIR at one fresh temporary folder so
// that no test writes outside it (the trash lives under XDG_DATA_HOME).
#pragma once

#include <string>

namespace testsupport {
// Returns the folder; RemoveIsolatedEnvironment deletes it at the end.
std::string IsolateEnvironment();
void RemoveIsolatedEnvironment(const std::string& base);
}  // namespace testsupport
