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

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/RunPool.h"
#include "pages/RunCounters.h"
#include "pages/RunLog.h"
#include "platform/RunWorkers.h"

// One item's lines, kept as the engines send them.
class ItemLog final : public RunLog {
public:
    void AddLine(int category, const std::string& line) override { Keep(category, false, line); }
    void AddExportLine(int category, const std::string& line) override { Keep(category, true, line); }
    void ShowCounters(std::span<const CounterLabel>) override {}
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}

    bool Empty() const { return used_ == 0; }
    // Sends every kept line to `log`, in the order they came, and forgets them.
    void ReplayInto(RunLog& log);
    void Clear() { used_ = 0; }

protected:
    bool CountersDue() override { return false; }

private:
    struct Entry {
        int category = 0;
        bool exportLine = false;
        std::string text;
    };
    void Keep(int category, bool exportLine, const std::string& line) {
        if (used_ == entries_.size()) entries_.emplace_back();
        Entry& e = entries_[used_++];
        e.category = category;
        e.exportLine = exportLine;
        e.text.assign(line);
    }
    // The lines are the first used_; the rest keep their texts' room for the
    // next item, so a line costs no allocation.
    std::vector<Entry> entries_;
    std::size_t used_ = 0;
};

// An applied item's lines into the run's log and its counters into the
// run's, which reach the screen at the log's pace; both left empty for the
// slot's next item.
template <class Counters>
void ApplyItemLines(ItemLog& lines, Counters& item, RunLog& log, Counters& run) {
    lines.ReplayInto(log);
    AddCounters(run, item);
    item = Counters{};
    log.CountersChanged(run);
}

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
// slot per window place, made when a worker first uses it. Work gets the
// item's slot as Apply left it: Outcome{}, or emptied by Apply (keeping its
// room), or as the last item left it when Work empties it first thing (so
// that what that item kept is freed on a worker, not on the window thread);
// Apply gets the same slot in item order.
template <class Outcome>
RunPoolResult RunPageItems(std::size_t count, unsigned workers, const RunPool::ScopeFn& scope,
                           const std::function<void(std::size_t, Outcome&, RunItemContext&)>& work,
                           const std::function<void(std::size_t, Outcome&, RunApplyContext&)>& apply) {
    RunPool pool(PageRunPoolOptions(workers));
    // Not "slots": a Qt macro. Each is used by one item at a time.
    std::vector<std::unique_ptr<Outcome>> outcomes(pool.Window());
    const RunPoolResult result = pool.Run(
        count, scope,
        [&](std::size_t i, RunItemContext& ctx) {
            std::unique_ptr<Outcome>& out = outcomes[ctx.Slot()];
            if (!out) out = std::make_unique<Outcome>();
            work(i, *out, ctx);
        },
        [&](std::size_t i, RunApplyContext& ctx) { apply(i, *outcomes[ctx.Slot()], ctx); });
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
// A subtree's entries of each list, where the run's lists keep them: a
// group names index ranges, it copies nothing.
struct UndoGroup {
    std::string top;  // the top-most folder of the subtree: the item's scope
    std::size_t depth = 0;
    std::array<std::uint32_t, 4> first{}, count{};  // created, second, byRun, files
};
// The groups, the deepest first. `all` keeps the entries, each group's side
// by side (reordered where a run left them apart), and must stay unchanged
// while the groups are undone.
std::vector<UndoGroup> SplitUndo(const VEC_UNDO_BASES& bases, UndoLists& all);

// What an undo done in parts left, in item order.
struct UndoPartsResult {
    DEQ_CREATED_FOLDERS failedFolders;
    DEQ_CREATED_FILES failedFiles;
    std::string failureLines;  // FolderFileUndo::ReportOf makes the report
};
// Undoes each group on the pool: an undo with the run's bases, handed the
// group's lists (views of `all`'s) by `prepare` (which also queues by its
// plan), its files deleted, its folders removed.
UndoPartsResult UndoInParts(const std::vector<UndoGroup>& groups, const UndoLists& all, const VEC_UNDO_BASES& bases,
                            unsigned workers, const std::function<void(FolderFileUndo&, UndoLists&)>& prepare);
