#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/TestEnv.h"

// Runs on the display it is given (tests/x11/run-under-x.sh starts one with
// a window manager): what only a real X server shows is tried here.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string base = testsupport::IsolateEnvironment();
    int rc;
    {
        QApplication app(argc, argv);
        rc = RUN_ALL_TESTS();
    }
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
