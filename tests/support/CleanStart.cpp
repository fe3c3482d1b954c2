#include "tests/support/CleanStart.h"

#include <gtest/gtest.h>

#include "core/SettingsStore.h"

namespace testsupport {

namespace {

class CleanStart final : public ::testing::EmptyTestEventListener {
    // A test that set a program folder on a drive that is gone would have
    // every later run refuse its changes.
    void OnTestStart(const ::testing::TestInfo&) override { ResetSettingsToInitialValues(); }
};

}  // namespace

void StartEveryTestClean() { ::testing::UnitTest::GetInstance()->listeners().Append(new CleanStart); }

}  // namespace testsupport
