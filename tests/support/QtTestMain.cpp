#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>

#include "tests/support/CleanStart.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Watchdog.h"

int main(int argc, char** argv) {
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
        rc = testsupport::RunAllTestsWithin(std::chrono::seconds(60));
    }
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
