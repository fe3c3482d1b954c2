#include <gtest/gtest.h>

#include "tests/support/CleanStart.h"
#include "tests/support/TestEnv.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::StartEveryTestClean();
    const std::string base = testsupport::IsolateEnvironment();
    const int rc = RUN_ALL_TESTS();
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
