// A page's outcomes on the screen: its Visual Log and its zoom window, for
// every page. During a run lines and counts reach the screen at most every
// ~50 ms, and less often while putting them there takes long (very long
// lists), so that showing costs the run no more than about a twentieth of
// its time; at once when the run shows them.
#pragma once

#include <chrono>

#include "pages/RunLog.h"

class VisualLogWindow;
class ZoomStatisticsWindow;

class VisualLog final : public RunLog {
public:
    using LogWindow = VisualLogWindow* (*)();
    using ZoomWindow = ZoomStatisticsWindow* (*)();
    // The windows are looked up at each use (they may not exist in tests).
    // With `runLabel`, a real run also puts `runText` into that label of
    // the Visual Log, in maroon.
    VisualLog(LogWindow log, ZoomWindow zoom, const char* runLabel = nullptr, const char* runText = nullptr)
        : log_(log), zoom_(zoom), runLabel_(runLabel), runText_(runText) {}

    void AddLine(int category, const std::string& line) override;
    SharedLine AddRecordedLine(int category, const std::string& line) override;
    void AddExportLine(int category, const std::string& line) override;
    void ShowCounters(std::span<const CounterLabel> counters) override;
    void ClearLogLists() override;
    void ClearZoomLists() override;
    double HeldBytes(bool shared) const override;
    bool Shown() const override;
    void SetRunMode(bool realRun) override;
    void ShowLog() override;

protected:
    bool CountersDue() override;
    void PaceCounters(std::span<const CounterLabel> counters) override;
    void PutCounters(std::span<const CounterLabel> counters) override { Put(counters); }

private:
    void Put(std::span<const CounterLabel> counters);

    LogWindow log_;
    ZoomWindow zoom_;
    const char* runLabel_;
    const char* runText_;
    unsigned changes_ = 0;
    std::chrono::steady_clock::time_point due_{};
    std::chrono::steady_clock::time_point lastShown_{};
    std::chrono::steady_clock::duration interval_ = std::chrono::milliseconds(50);
};

// The logs of the pages: frmStatisticNN and frmVolNNZoomStatistics.
VisualLog Vol02VisualLog();
VisualLog Vol03VisualLog();
VisualLog Vol04VisualLog();
VisualLog Vol07VisualLog();
VisualLog Vol10VisualLog();
VisualLog Vol11VisualLog();
VisualLog Vol12VisualLog();
VisualLog Vol15VisualLog();
