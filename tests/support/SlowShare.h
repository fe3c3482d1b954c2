// While one lives, the process stands on a slow network share: every
// file-system call of every thread waits `perCall` first, and every file
// system says it is a share. It counts the file-system calls the window
// thread (the one that made it) makes between two polls of its event loop,
// and measures how long it went at most without polling, which is how long
// the window did not answer: not painted, deaf to the window manager. Only
// in programs built with tests/support/SlowShare.c.
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
    // The longest stretch so far without a poll, and its file-system calls:
    // a figure of the machine's load as much as of the program.
    std::chrono::milliseconds LongestWait() const;
    int CallsInLongestWait() const;
    // The most file-system calls the window thread made between two polls
    // (however long they took), and where the first of them was made: one
    // function a line.
    int MostCallsWithoutPoll() const;
    std::string WhereMostCallsBegan() const;

private:
    bool on_ = true;
};

}  // namespace testsupport
