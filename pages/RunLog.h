// Where every page's run, simulation and undo send their outcomes: lines
// into the Visual Log's lists (and the zoom window's), hidden export lines,
// and counters with the labels that show them. Plain C++; the screen side is
// VisualLog, tests hand in logs that keep what they were given.
#pragma once

#include <span>
#include <string>

#include "core/SharedLine.h"

// One count label and the counter it shows.
struct CounterLabel {
    const char* Label;
    double Value;
};

class RunLog {
public:
    virtual ~RunLog() = default;

    // One line into the category's list of the Visual Log and of the zoom window.
    virtual void AddLine(int category, const std::string& line) = 0;
    // The same, for a line the run's record keeps too: where the log keeps
    // it, so that the record shares it; nothing where it keeps no lines.
    virtual SharedLine AddRecordedLine(int category, const std::string& line) {
        AddLine(category, line);
        return {};
    }
    // One line into the category's hidden export list.
    virtual void AddExportLine(int category, const std::string& line) = 0;
    // The given count labels, and every pending line, on the screen now.
    virtual void ShowCounters(std::span<const CounterLabel> counters) = 0;
    virtual void ClearLogLists() = 0;
    virtual void ClearZoomLists() = 0;
    // What the two clears give back now: the lines no run's record keeps
    // (`shared`: those the records keep too, which go as well).
    virtual double HeldBytes(bool /*shared*/) const { return 0; }
    // On the screen already: what its showing took is held.
    virtual bool Shown() const { return false; }
    // Real run: the run-mode box checked; simulation: unchecked.
    virtual void SetRunMode(bool realRun) = 0;
    virtual void ShowLog() = 0;

    // The counters changed: they reach the screen at the log's pace.
    // `counters.Labels()` is asked for only when they go.
    template <class Counters>
    void CountersChanged(const Counters& counters) {
        if (CountersDue()) PaceCounters(counters.Labels());
    }
    // While an item works, a few times a second: the counters with what it
    // did so far, on the screen with the next paint (a log without a screen
    // waits for the item's end).
    template <class Counters>
    void CountersSoFar(const Counters& counters) {
        PutCounters(counters.Labels());
    }

protected:
    // Whether changed counters go to the screen now; every time unless the
    // log paces itself.
    virtual bool CountersDue() { return true; }
    virtual void PaceCounters(std::span<const CounterLabel> counters) { ShowCounters(counters); }
    virtual void PutCounters(std::span<const CounterLabel>) {}
};

// A log that shows nothing: counting without a screen.
class SilentLog final : public RunLog {
public:
    void AddLine(int, const std::string&) override {}
    void AddExportLine(int, const std::string&) override {}
    void ShowCounters(std::span<const CounterLabel>) override {}
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}

protected:
    bool CountersDue() override { return false; }
};
