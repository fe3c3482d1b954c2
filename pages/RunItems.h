// What every page's run needs to hand its items to the run pool: a log that
// keeps one item's outcome lines on a worker until the window thread
// replays them in item order, the pool's size for the run's destination,
// and the pool's options as every page's run uses them.
//
// How a page splits its run (see core/RunPool.h): the page keeps one
// outcome slot per window place; Work fills the item's slot (its ItemLog,
// its counters, its undo entries, the boxes it wants shown) and touches
// nothing else of the page; Apply replays the slot into the page's log,
// counters and records, shows its boxes, and empties the slot.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/RunPool.h"
#include "pages/RunLog.h"
#include "platform/RunWorkers.h"

// One item's lines, kept as the engines send them.
class ItemLog final : public RunLog {
public:
    void AddLine(int category, const std::string& line) override { entries_.push_back({category, false, line}); }
    void AddExportLine(int category, const std::string& line) override {
        entries_.push_back({category, true, line});
    }
    void ShowCounters(std::span<const CounterLabel>) override {}
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}

    bool Empty() const { return entries_.empty(); }
    // Sends every kept line to `log`, in the order they came, and forgets them.
    void ReplayInto(RunLog& log);
    void Clear() { entries_.clear(); }

protected:
    bool CountersDue() override { return false; }

private:
    struct Entry {
        int category;
        bool exportLine;
        std::string text;
    };
    std::vector<Entry> entries_;
};

// How many workers a page's run of this work on `folder` gets: what the
// file system of the folder pays for (platform/RunWorkers.h), or the
// number forced while a ForceRunWorkers lives.
unsigned PageRunWorkers(const std::string& folder, plat::RunWork work);

// Tests and benchmarks force every page's runs to `workers` (1: one at a
// time) while this lives; 0 leaves the file system's rule.
class ForceRunWorkers {
public:
    explicit ForceRunWorkers(unsigned workers);
    ~ForceRunWorkers();
    ForceRunWorkers(const ForceRunWorkers&) = delete;
    ForceRunWorkers& operator=(const ForceRunWorkers&) = delete;

private:
    unsigned previous_;
};

// The pool options of a page's run: while the window thread waits for
// workers the window paints a few times a second (user input stays out, so
// no click starts another handler mid-run); boxes go through the message seam.
RunPoolOptions PageRunPoolOptions(unsigned workers);

// What the pool reported of the last page run on this thread (benchmarks
// show the window's peak).
RunPoolResult LastPageRun();
void NoteLastPageRun(const RunPoolResult& result);

// A page's run of `count` items on a pool of `workers`, with one Outcome
// slot per window place. Work gets the item's slot emptied (Outcome{} or
// its last state after Apply emptied it: Apply must leave it empty);
// Apply gets the same slot in item order.
template <class Outcome>
RunPoolResult RunPageItems(std::size_t count, unsigned workers, const RunPool::ScopeFn& scope,
                           const std::function<void(std::size_t, Outcome&, RunItemContext&)>& work,
                           const std::function<void(std::size_t, Outcome&, RunApplyContext&)>& apply) {
    RunPool pool(PageRunPoolOptions(workers));
    std::vector<Outcome> outcomes(pool.Window());  // not "slots": a Qt macro
    const RunPoolResult result = pool.Run(
        count, scope, [&](std::size_t i, RunItemContext& ctx) { work(i, outcomes[ctx.Slot()], ctx); },
        [&](std::size_t i, RunApplyContext& ctx) { apply(i, outcomes[ctx.Slot()], ctx); });
    NoteLastPageRun(result);
    return result;
}

// ---- undo in parts ----------------------------------------------------------------------

// The records of one undo: the lists as a plan takes them, split into
// the subtrees of the top-most folders the run made below its bases. The
// subtrees are undone one per item, deepest first inside each; they share
// no folder, so they overlap in time.
struct UndoLists {
    DEQ_CREATED_FOLDERS created, second, byRun;
    DEQ_CREATED_FILES files;
    bool secondSet = false, byRunSet = false;
};
struct UndoGroup {
    std::string top;  // the top-most folder of the subtree: the item's scope
    std::size_t depth = 0;
    UndoLists lists;
};
// The groups, the deepest first; `all` is left empty.
std::vector<UndoGroup> SplitUndo(const VEC_UNDO_BASES& bases, UndoLists& all);

// What an undo done in parts left, in item order.
struct UndoPartsResult {
    DEQ_CREATED_FOLDERS failedFolders;
    DEQ_CREATED_FILES failedFiles;
    std::string failureLines;  // FolderFileUndo::ReportOf makes the report
};
// Undoes each group on the pool: an undo with the run's bases, handed the
// group's lists by `prepare` (which also queues by its plan), its files
// deleted, its folders removed.
UndoPartsResult UndoInParts(std::vector<UndoGroup>& groups, const VEC_UNDO_BASES& bases, unsigned workers,
                            const std::function<void(FolderFileUndo&, UndoLists&)>& prepare);
