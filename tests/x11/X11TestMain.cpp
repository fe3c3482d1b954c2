#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>

#include "tests/support/CleanStart.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Watchdog.h"

// Runs on the display it is given (tests/x11/run-under-x.sh starts one with
// a window manager): what only a real X server shows is tried here.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::StartEveryTestClean();
    const std::string base = testsupport::IsolateEnvironment();
    int rc;
    {
        QApplication app(argc, argv);
        // The longest test takes some twenty seconds, several times that
        // under the sanitizers: a server or window manager that never
        // answers stops the run naming the test.
        rc = testsupport::RunAllTestsWithin(std::chrono::seconds(120));
    }
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
