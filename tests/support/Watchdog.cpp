#include "tests/support/Watchdog.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace testsupport {

namespace {

// What the signal says: written before the timer is set, read only by it.
char message[1024];
std::size_t messageLength = 0;

void OnTimeUp(int) {
    if (write(STDERR_FILENO, message, messageLength) < 0) {
        // Nothing more to say it with.
    }
    _exit(1);
}

class Watchdog : public ::testing::EmptyTestEventListener {
public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit) {
        struct sigaction action {};
        action.sa_handler = OnTimeUp;
        sigemptyset(&action.sa_mask);
        sigaction(SIGALRM, &action, &previous_);
    }
    ~Watchdog() override {
        alarm(0);
        sigaction(SIGALRM, &previous_, nullptr);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void OnTestStart(const ::testing::TestInfo& test) override {
        const int n = std::snprintf(message, sizeof message, "\n%s.%s did not end within %lld s: the run is stopped\n",
                                    test.test_suite_name(), test.name(), static_cast<long long>(limit_.count()));
        messageLength = n < 0 ? 0 : std::min(static_cast<std::size_t>(n), sizeof message - 1);
        alarm(static_cast<unsigned>(limit_.count()));
    }
    void OnTestEnd(const ::testing::TestInfo&) override { alarm(0); }

private:
    const std::chrono::seconds limit_;
    struct sigaction previous_ {};
};

}  // namespace

int RunAllTestsWithin(std::chrono::seconds limit) {
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    auto* watchdog = new Watchdog(limit);
    listeners.Append(watchdog);
    const int rc = RUN_ALL_TESTS();
    delete listeners.Release(watchdog);
    return rc;
}

}  // namespace testsupport
