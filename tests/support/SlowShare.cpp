#include "tests/support/SlowShare.h"

#include <cxxabi.h>
#include <execinfo.h>

#include <cstdlib>
#include <memory>

#include "tests/support/SlowShareCalls.h"

namespace testsupport {

SlowShare::SlowShare(std::chrono::microseconds perCall) { SlowShareStart(static_cast<long>(perCall.count())); }

SlowShare::~SlowShare() { Stop(); }

void SlowShare::Stop() {
    if (!on_) return;
    on_ = false;
    SlowShareStop();
}

std::chrono::milliseconds SlowShare::LongestWait() const { return std::chrono::milliseconds(SlowShareLongestMs()); }

int SlowShare::CallsInLongestWait() const { return SlowShareLongestCalls(); }

namespace {

// One function a line, the share's own frame left out.
std::string Where(void** frames, int n) {
    std::unique_ptr<char*, decltype(&std::free)> names(backtrace_symbols(frames, n), &std::free);
    std::string where;
    for (int i = 1; i < n && names; ++i) {  // not the share's own frame
        // "program(mangled+0x12) [0x...]": the name demangled where there is one.
        std::string line = names.get()[i];
        const auto open = line.find('('), plus = line.find('+', open);
        if (open != std::string::npos && plus != std::string::npos && plus > open + 1) {
            int status = 0;
            std::unique_ptr<char, decltype(&std::free)> plain(
                abi::__cxa_demangle(line.substr(open + 1, plus - open - 1).c_str(), nullptr, nullptr, &status),
                &std::free);
            if (status == 0 && plain) line = plain.get();
        }
        where += "  " + line + "\n";
    }
    return where;
}

}  // namespace

int SlowShare::MostCallsWithoutPoll() const { return SlowShareMostCalls(); }

std::string SlowShare::WhereMostCallsBegan() const {
    void* frames[48];
    return Where(frames, SlowShareMostCallsStack(frames, 48));
}

}  // namespace testsupport
