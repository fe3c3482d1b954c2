#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "tests/support/TestEnv.h"

namespace {

// A test on a real server can wait on the window manager or the server for
// ever (a modal loop nobody closes). Such a test is named and the run ends
// at once, instead of the whole run being stopped without a word later.
class Watchdog : public ::testing::EmptyTestEventListener {
public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { Watch(); }) {}
    ~Watchdog() override {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_one();
        thread_.join();
    }

    void OnTestStart(const ::testing::TestInfo& test) override {
        {
            std::lock_guard lock(mutex_);
            name_ = std::string(test.test_suite_name()) + "." + test.name();
            deadline_ = std::chrono::steady_clock::now() + limit_;
            running_ = true;
        }
        changed_.notify_one();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        std::lock_guard lock(mutex_);
        running_ = false;
    }

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        while (!stop_) {
            if (!running_) {
                changed_.wait(lock);
            } else if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout && running_ &&
                       std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "\n%s did not end within %lld s: the run is stopped\n", name_.c_str(),
                             static_cast<long long>(limit_.count()));
                std::fflush(stderr);
                std::_Exit(1);
            }
        }
    }

    const std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string name_;
    std::chrono::steady_clock::time_point deadline_;
    bool running_ = false;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace

// Runs on the display it is given (tests/x11/run-under-x.sh starts one with
// a window manager): what only a real X server shows is tried here.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string base = testsupport::IsolateEnvironment();
    // The longest test takes some twenty seconds, several times that under
    // the sanitizers.
    auto* watchdog = new Watchdog(std::chrono::seconds(120));
    ::testing::UnitTest::GetInstance()->listeners().Append(watchdog);
    int rc;
    {
        QApplication app(argc, argv);
        rc = RUN_ALL_TESTS();
    }
    delete ::testing::UnitTest::GetInstance()->listeners().Release(watchdog);
    testsupport::RemoveIsolatedEnvironment(base);
    return rc;
}
