// A CreationLog that keeps every line and the last counters it was shown,
// for the create pages' engine tests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "pages/creation/Creation.h"

namespace creationtest {

using Lines = std::vector<std::string>;

class RecordingLog : public CreationLog {
public:
    std::array<Lines, 6> lines;
    std::array<Lines, 6> zoom;
    CreationCounters shown;
    int runMode = -1;
    int logShown = 0;
    void AddLine(CreationCategory c, const std::string& line) override {
        lines[c].push_back(line);
        zoom[c].push_back(line);
    }
    void CountersChanged(const CreationCounters& c) override { shown = c; }
    void ShowCounters(const CreationCounters& c) override { shown = c; }
    void ClearLogLists() override {
        for (auto& l : lines) l.clear();
    }
    void ClearZoomLists() override {
        for (auto& l : zoom) l.clear();
    }
    void SetRunMode(bool realRun) override { runMode = realRun ? 1 : 0; }
    void ShowLog() override { ++logShown; }
};

}  // namespace creationtest
