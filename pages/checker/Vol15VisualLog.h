// The checker's outcomes on the screen: its Visual Log (frmStatistic15) and
// its zoom window. During a run lines and counts reach the screen at most
// every ~50 ms, and less often while putting them there takes long, so
// that showing costs the run little; at once when the run shows them.
#pragma once

#include <chrono>

#include "pages/checker/Vol15Engine.h"

class Vol15VisualLog final : public Vol15Log {
public:
    void AddLine(Vol15Category category, const std::string& line) override;
    void AddExportLine(Vol15Category category, const std::string& line) override;
    void CountersChanged(const Vol15Counters& counters) override;
    void ShowCounters(const Vol15Counters& counters) override;
    void ClearLogLists() override;
    void ClearZoomLists() override;
    void StartRun() override;
    void ShowLog() override;

private:
    void PutCounters(const Vol15Counters& counters);

    unsigned changes_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
    std::chrono::steady_clock::duration interval_ = std::chrono::milliseconds(50);
};

// The count labels of the Visual Log, in the counters' order.
extern const std::array<const char*, 11> kStat15CounterLabels;
