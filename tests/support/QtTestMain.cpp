#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "tests/support/TestEnv.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string base = testsupport::IsolateEnvironment();
    // Test discovery runs us without the test's environment: choose the
    // offscreen platform here, before the application exists.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int rc;
    {
        QApplication app(argc, argv);
        rc = RUN_ALL_TESTS();
    }
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
