// A create page's outcomes on the screen: its Visual Log and its zoom
// window. During a run lines and counts reach the screen at most every
// ~50 ms, and less often while putting them there takes long (very long
// lists), so that showing costs the run no more than about a twentieth of
// its time; at once when the run shows them.
#pragma once

#include <array>
#include <chrono>

#include "pages/creation/Creation.h"

class VisualLogWindow;
class ZoomStatisticsWindow;

class CreationVisualLog final : public CreationLog {
public:
    using LogWindow = VisualLogWindow* (*)();
    using ZoomWindow = ZoomStatisticsWindow* (*)();
    // The windows are looked up at each use (they may not exist in tests);
    // `labels` are the sixteen count labels in the counters' order.
    CreationVisualLog(LogWindow log, ZoomWindow zoom, const std::array<const char*, 16>& labels);

    void AddLine(CreationCategory category, const std::string& line) override;
    SharedLine AddRecordedLine(CreationCategory category, const std::string& line) override;
    void CountersChanged(const CreationCounters& counters) override;
    void ShowCounters(const CreationCounters& counters) override;
    void ClearLogLists() override;
    void ClearZoomLists() override;
    void SetRunMode(bool realRun) override;
    void ShowLog() override;

private:
    void PutCounters(const CreationCounters& counters);

    VisualLogWindow* Log() const { return log_(); }
    ZoomStatisticsWindow* Zoom() const { return zoom_(); }

    LogWindow log_;
    ZoomWindow zoom_;
    const std::array<const char*, 16>& labels_;
    unsigned changes_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
    std::chrono::steady_clock::duration interval_ = std::chrono::milliseconds(50);
};

// The count labels of the three create pages' Visual Logs.
extern const std::array<const char*, 16> kStat02CounterLabels;
extern const std::array<const char*, 16> kStat03CounterLabels;
extern const std::array<const char*, 16> kStat04CounterLabels;

// The logs of pages 02, 03 and 04: frmStatistic0N and frmVol0NZoomStatistics.
CreationVisualLog Vol02VisualLog();
CreationVisualLog Vol03VisualLog();
CreationVisualLog Vol04VisualLog();
