#include "tests/support/TestEnv.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace testsupport {

std::string IsolateEnvironment() {
    std::string tmpl = (fs::temp_directory_path() / "qmtest-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return {};
    const std::string base = tmpl;
    for (const char* sub : {"home", "data", "config", "runtime", "tmp"}) fs::create_directories(base + "/" + sub);
    fs::permissions(base + "/runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("HOME", (base + "/home").c_str(), 1);
    setenv("XDG_DATA_HOME", (base + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (base + "/runtime").c_str(), 1);
    setenv("TMPDIR", (base + "/tmp").c_str(), 1);
    return base;
}

void RemoveIsolatedEnvironment(const std::string& base) {
    if (base.empty()) return;
    std::error_code ec;
    fs::remove_all(base, ec);
}

}  // namespace testsupport
