// A file page's outcomes on the screen: its Visual Log and its zoom window.
// Lines and counts reach the screen at most every ~50 ms during a run (less
// often while putting them there takes long), and all at once at its end.
#pragma once

#include <chrono>

#include "pages/files/FileRuns.h"

class VisualLogWindow;
class ZoomStatisticsWindow;

class FileVisualLog final : public FileRunLog {
public:
    using LogWindow = VisualLogWindow* (*)();
    using ZoomWindow = ZoomStatisticsWindow* (*)();
    // The windows are looked up at each use (they may not exist in tests).
    FileVisualLog(LogWindow log, ZoomWindow zoom) : log_(log), zoom_(zoom) {}

    void AddLine(int category, const std::string& line) override;
    void AddExportLine(int category, const std::string& line) override;
    void CountersChanged(std::span<const CounterLabel> counters) override;
    void ShowCounters(std::span<const CounterLabel> counters) override;
    void ClearLogLists() override;
    void ClearZoomLists() override;
    void SetRunMode(bool realRun) override;
    void ShowLog() override;

private:
    void Put(std::span<const CounterLabel> counters);
    LogWindow log_;
    ZoomWindow zoom_;
    unsigned changes_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
    std::chrono::steady_clock::duration interval_ = std::chrono::milliseconds(50);
};

// The logs of pages 10, 11 and 12.
FileVisualLog Vol10VisualLog();
FileVisualLog Vol11VisualLog();
FileVisualLog Vol12VisualLog();
