// A RunLog that keeps every line, export line and counter it was given, for
// the pages' engine tests.
#pragma once

#include <array>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "pages/RunLog.h"

namespace testlog {

using Lines = std::vector<std::string>;

class RecordingLog : public RunLog {
public:
    std::array<Lines, 16> lines;    // by category
    std::array<Lines, 16> zoom;     // what the zoom window got
    std::array<Lines, 16> exports;  // the hidden export lines
    std::map<std::string, double> counters;  // by label, as last shown
    int runMode = -1;  // 1 real run, 0 simulation
    int runStarts = 0, logShown = 0, clears = 0, zoomClears = 0;

    void AddLine(int c, const std::string& line) override {
        lines[c].push_back(line);
        zoom[c].push_back(line);
    }
    void AddExportLine(int c, const std::string& line) override { exports[c].push_back(line); }
    void ShowCounters(std::span<const CounterLabel> c) override { Keep(c); }
    void ClearLogLists() override {
        ++clears;
        for (auto& l : lines) l.clear();
        for (auto& l : exports) l.clear();
    }
    void ClearZoomLists() override {
        ++zoomClears;
        for (auto& l : zoom) l.clear();
    }
    void SetRunMode(bool realRun) override {
        runMode = realRun ? 1 : 0;
        ++runStarts;
    }
    void ShowLog() override { ++logShown; }

protected:
    virtual void Keep(std::span<const CounterLabel> c) {
        for (const auto& l : c) counters[l.Label] = l.Value;
    }
};

// The log that also reads the counters back into the page's counters
// (ReadCounters(labels, counters) of the page's tests).
template <class Counters>
class CountingLog : public RecordingLog {
public:
    Counters shown;

protected:
    void Keep(std::span<const CounterLabel> c) override {
        RecordingLog::Keep(c);
        ReadCounters(c, shown);
    }
};

}  // namespace testlog
