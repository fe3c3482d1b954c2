// While one lives, the test process stands on a slow network share: every
// file-system call of every thread waits `perCall` first, and every file
// system says it is a share. It measures how long the window thread (the
// one that made it) went at most without polling its event loop, which is
// how long the window did not answer: not painted, deaf to the window
// manager. Only in test programs built with tests/support/SlowShare.c.
#pragma once

#include <chrono>
#include <string>

namespace testsupport {

class SlowShare {
public:
    explicit SlowShare(std::chrono::microseconds perCall);
    ~SlowShare();
    SlowShare(const SlowShare&) = delete;
    SlowShare& operator=(const SlowShare&) = delete;

    // Ends the share now; the figures stay.
    void Stop();
    // The longest stretch so far without a poll, and its file-system calls.
    std::chrono::milliseconds LongestWait() const;
    int CallsInLongestWait() const;
    // Where that stretch made its first file-system call: one function a line.
    std::string WhereLongestWaitBegan() const;
    // The most file-system calls the window thread made between two polls
    // (however long they took), and where the first of them was made.
    int MostCallsWithoutPoll() const;
    std::string WhereMostCallsBegan() const;

private:
    bool on_ = true;
};

}  // namespace testsupport
