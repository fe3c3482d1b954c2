// Page 02's outcomes on the screen: the Visual Log frmStatistic02 and the
// zoom window frmVol02ZoomStatistics. During a run lines and counts reach
// the screen at most every ~50 ms, and less often while putting them there
// takes long (very long lists), so that showing costs the run no more than
// about a twentieth of its time; at once when the run shows them.
#pragma once

#include <chrono>

#include "pages/creation/Vol02Engine.h"

class Vol02VisualLog final : public Vol02Log {
public:
    void AddLine(Vol02Category category, const std::string& line) override;
    void CountersChanged(const Vol02Counters& counters) override;
    void ShowCounters(const Vol02Counters& counters) override;
    void ClearLogLists() override;
    void ClearZoomLists() override;
    void SetRunMode(bool realRun) override;
    void ShowLog() override;

private:
    void PutCounters(const Vol02Counters& counters);

    unsigned changes_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
    std::chrono::steady_clock::duration interval_ = std::chrono::milliseconds(50);
};
