#include <gtest/gtest.h>

#include <QApplication>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "tests/support/CleanStart.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Watchdog.h"

namespace testsupport {
bool ownMountNamespace = false;
}

int main(int argc, char** argv) {
    // As root, a mount namespace of the program's own, its root private, so
    // the mounts a test makes in this process never leave it. Before any
    // thread exists: a process with threads cannot unshare it.
    if (geteuid() == 0 && unshare(CLONE_NEWNS) == 0)
        testsupport::ownMountNamespace = mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::StartEveryTestClean();
    const std::string base = testsupport::IsolateEnvironment();
    // Test discovery runs us without the test's environment: choose the
    // offscreen platform here, before the application exists.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int rc;
    {
        QApplication app(argc, argv);
        // The slowest test takes some eight seconds, under the sanitizers
        // too: one that waits for ever (a modal loop nobody ends, a child
        // that never does) stops the run naming it.
        rc = testsupport::RunAllTestsWithin(std::chrono::seconds(300));
    }
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
