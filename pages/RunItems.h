// What every page's run needs to hand its items to the run pool: a log that
// keeps one item's outcome lines on a worker until the window thread
// replays them in item order, the pool's size for the run's destination,
// and the pool's options as every page's run uses them.
//
// How a page splits its run: a PooledRun, filled in with a few short
// functions (look, scope, work, apply). Work fills the item's outcome slot
// (its ItemLog, its counters, its undo entries, the boxes it wants shown)
// and touches nothing else of the page; Apply replays the slot into the
// page's log, counters and records, shows its boxes, and empties the slot.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/RunPool.h"
#include "pages/RunCounters.h"
#include "pages/RunLog.h"
#include "pages/RunMemory.h"
#include "platform/RunWorkers.h"

// The entries of an item's first chunk (ItemEntries); chunk k holds so
// many << k.
inline constexpr std::size_t kFirstItemEntries = 16;

// An item's entries as its worker adds them. The window thread may read
// them, as far as they are published, while the work goes on (the head of
// a run shows its lines as it works): entries never move (chunks of
// doubling size), and adding one publishes the ones before it. The rest
// is the worker's until the item is done. Entries keep their room for the
// slot's next item, so that a line costs no allocation.
template <class Entry>
class ItemEntries {
public:
    ItemEntries() = default;
    ItemEntries(const ItemEntries&) = delete;
    ItemEntries& operator=(const ItemEntries&) = delete;

    // The worker's: the next entry to fill; every earlier one is published.
    // (Now and then the plain loop's item lets the window show them: often
    // enough that a slow share, an entry every few tens of milliseconds,
    // still paints a few times a second.)
    Entry& Next() {
        published_.store(used_, std::memory_order_release);
        if ((used_ & 7) == 7) RunPoolPaceInline();
        return At(used_++);
    }
    // How many entries the window thread may read now.
    std::size_t Published() const { return published_.load(std::memory_order_acquire); }
    // All of them: the worker's count, or the item's once it is done.
    std::size_t Size() const { return used_; }
    Entry& operator[](std::size_t i) { return At(i); }
    void Clear() {
        used_ = 0;
        published_.store(0, std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t kFirst = kFirstItemEntries;
    Entry& At(std::size_t i) {
        const std::size_t q = i / kFirst + 1;
        const unsigned k = static_cast<unsigned>(std::bit_width(q)) - 1;
        std::unique_ptr<Entry[]>& chunk = chunks_[k];
        if (!chunk) chunk = std::make_unique<Entry[]>(kFirst << k);
        return chunk[i - kFirst * ((std::size_t{1} << k) - 1)];
    }
    std::array<std::unique_ptr<Entry[]>, 48> chunks_;
    std::size_t used_ = 0;
    std::atomic<std::size_t> published_{0};
};

// One item's lines, kept as the engines send them.
class ItemLog final : public RunLog {
public:
    // What a line's entry takes beside its characters.
    static constexpr std::size_t kLineBytes = 24;
    // The blocks its lines' characters go in: the first, and the largest.
    static constexpr std::size_t kFirstTextBlock = 1024, kTextBlock = 64 * 1024;

    void AddLine(int category, const std::string& line) override { Keep(category, false, line); }
    void AddExportLine(int category, const std::string& line) override { Keep(category, true, line); }
    void ShowCounters(std::span<const CounterLabel>) override {}
    void ClearLogLists() override {}
    void ClearZoomLists() override {}
    void SetRunMode(bool) override {}
    void ShowLog() override {}

    // On the window thread while the item works: sends the lines published
    // so far that were not sent yet.
    void StreamInto(RunLog& log) { Send(log, entries_.Published()); }
    // On the window thread: from now on the worker copies `counters` (the
    // item's, which it counts as it adds its lines) with each line it
    // adds, so that CountersSoFar shows what the item did so far. Named by
    // the first look at a working item: those never looked at pay nothing.
    template <CounterSet C>
    void Follow(const C& counters) {
        static_assert(sizeof(C) <= sizeof(soFar_));
        if (follow_.load(std::memory_order_relaxed) == &counters) return;
        followBytes_.store(sizeof(C), std::memory_order_relaxed);
        follow_.store(&counters, std::memory_order_release);
    }
    // The followed counters as the worker last copied them (zero before).
    template <CounterSet C>
    C CountersSoFar() const {
        std::array<double, sizeof(C) / sizeof(double)> values{};
        {
            const std::lock_guard lock(soFarLock_);
            std::copy_n(soFar_.begin(), values.size(), values.begin());
        }
        return std::bit_cast<C>(values);
    }
    // Sends every kept line not sent yet to `log`, in the order they came,
    // and forgets them.
    void ReplayInto(RunLog& log);
    void Clear() {
        entries_.Clear();
        text_.Clear();
        sent_ = 0;
        if (follow_.load(std::memory_order_relaxed)) {
            const std::lock_guard lock(soFarLock_);
            soFar_.fill(0);
        }
    }

protected:
    bool CountersDue() override { return false; }

private:
    // The lines' texts one after another in blocks that never move (a line
    // costs no allocation of its own, and one being read stays put); kept
    // for the slot's next item.
    class Texts {
    public:
        const char* Put(std::string_view text);
        void Clear() { block_ = used_ = 0; }

    private:
        static constexpr std::size_t kFirstBlock = kFirstTextBlock;
        static constexpr std::size_t kBlock = kTextBlock;
        std::vector<std::pair<std::unique_ptr<char[]>, std::size_t>> blocks_;  // each with its size
        std::size_t block_ = 0, used_ = 0;
    };
    struct Entry {
        int category = 0;
        bool exportLine = false;
        const char* text = nullptr;
        std::size_t size = 0;
    };
    static_assert(sizeof(Entry) == kLineBytes);
    void Keep(int category, bool exportLine, const std::string& line) {
        const char* text = text_.Put(line);
        // Before the entry: adding it may let the window look (one worker).
        if (const void* counters = follow_.load(std::memory_order_acquire)) {
            const std::lock_guard lock(soFarLock_);
            std::memcpy(soFar_.data(), counters, followBytes_.load(std::memory_order_relaxed));
        }
        Entry& e = entries_.Next();
        e.category = category;
        e.exportLine = exportLine;
        e.text = text;
        e.size = line.size();
    }
    void Send(RunLog& log, std::size_t upTo);
    ItemEntries<Entry> entries_;
    Texts text_;
    std::size_t sent_ = 0;  // the window thread's: lines sent before the item was applied
    std::string line_;      // the window thread's: the line being sent
    // The followed counters, and the worker's last copy of them.
    std::atomic<const void*> follow_{nullptr};
    std::atomic<std::size_t> followBytes_{0};
    mutable std::mutex soFarLock_;
    std::array<double, 64> soFar_{};
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
// file system of the folder pays for (platform/RunWorkers.h, asked beside
// the window), or the number forced while a ForceRunWorkers lives.
unsigned PageRunWorkers(const std::string& folder, plat::RunWork work);

// `read` on a thread beside the window's, which answers meanwhile at a
// run's pace: a share may take long to answer, or never answer. What it
// throws is thrown here. Off the window thread it reads where it is.
void ReadBesideWindow(const std::function<void()>& read);

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

// Tests make page runs fail while this lives: the work of every item that
// its run's Name gives as `name` (a count's path, a run's main folder)
// throws before it starts.
class FailRunItemsNamed {
public:
    explicit FailRunItemsNamed(std::string name);
    ~FailRunItemsNamed();
    FailRunItemsNamed(const FailRunItemsNamed&) = delete;
    FailRunItemsNamed& operator=(const FailRunItemsNamed&) = delete;
};
// Throws when a FailRunItemsNamed lives for `name`.
void FailIfNamed(const std::function<std::string(std::size_t)>& name, std::size_t item);

// The items between start and apply of a run whose outcome slots each keep
// up to `itemBytes` (0: not known): as many as fit in kSlotsBytes
// (pages/RunMemory.h), but at least one for each worker, and two.
std::size_t SlotWindow(unsigned workers, double itemBytes);

// The pool options of a page's run: while the window thread waits for
// workers the window paints a few times a second (user input stays out, so
// no click starts another handler mid-run); boxes go through the message seam.
RunPoolOptions PageRunPoolOptions(unsigned workers);

// What the pool reported of the last page run on this thread (benchmarks
// show the window's peak).
RunPoolResult LastPageRun();
void NoteLastPageRun(const RunPoolResult& result);

// One pooled run of a page, as the page fills it in: its items, its
// workers and its steps (see core/RunPool.h). Work and Apply are required.
template <class Outcome>
struct PooledRun {
    std::size_t Items = 0;
    unsigned Workers = 1;
    // What the largest item's outcome slot keeps (0: not known): the
    // window is narrowed to it (SlotWindow).
    double SlotBytes = 0;
    // The workers stay on the process's table of handles, so that what
    // they open (a structure folder a run copies from) is of use after the
    // pool, on the window thread and to a later run's workers.
    bool KeepHandles = false;
    // On a worker, for each item before it is scoped, in no order, while
    // earlier items work: what its scope needs to know of the disk (the
    // real name of a folder, a first judgement). It only informs: the work
    // judges again where it acts. Touches nothing but what the page keeps
    // for that item.
    std::function<void(std::size_t item, unsigned worker)> Look;
    // On the window thread, in item order, before the item starts: the
    // folders it reads or changes; none: it overlaps nothing.
    RunPool::ScopeFn Scope;
    // On a worker: the item's disk work into its outcome slot, which comes
    // as Apply left it (Outcome{}, or emptied keeping its room).
    std::function<void(std::size_t item, Outcome& out, RunItemContext& ctx)> Work;
    // On the window thread, strictly in item order: the outcome into the
    // page (lines, counters, records, boxes), leaving the slot empty. An
    // item whose work failed comes too (ctx.Failure()), with what it recorded.
    // An Apply that throws counts as never applied (Skipped follows): what
    // it keeps it keeps whole, or not at all.
    std::function<void(std::size_t item, Outcome& out, RunApplyContext& ctx)> Apply;
    // On the window thread, after the run, in item order: each item that
    // was never applied (the run stopped or failed before it, or its Apply
    // threw), so that an undo keeps what it did not undo.
    std::function<void(std::size_t item)> Skipped;
    // On the window thread while the head item (the next to be applied)
    // works, a few times a second: what may be shown of its outcome so far
    // (the lines its work has published), so that a large item shows its
    // lines as it goes.
    std::function<void(std::size_t item, Outcome& out, RunApplyContext& ctx)> Stream;
    // The item as the failure box names it.
    std::function<std::string(std::size_t item)> Name;
};

// A PooledRun's Stream for outcomes that keep their lines in `lines`.
template <class Outcome>
auto StreamLines(ItemLog Outcome::*lines, RunLog& log) {
    return [lines, &log](std::size_t, Outcome& out, RunApplyContext&) { (out.*lines).StreamInto(log); };
}
// The same for outcomes that count into `counters` as they add their
// lines (each counted before its line): the run's counters `run` with the
// item's so far are shown too. `counters` may hold more than the counters
// (a page's whole state): those are what is followed.
template <class Outcome, CounterSet C, class Held, class Owner>
    requires std::derived_from<Held, C> && std::derived_from<Outcome, Owner>
auto StreamLines(ItemLog Outcome::*lines, Held Owner::*counters, RunLog& log, const C& run) {
    return [lines, counters, &log, &run](std::size_t, Outcome& out, RunApplyContext&) {
        ItemLog& item = out.*lines;
        item.Follow(static_cast<const C&>(out.*counters));
        item.StreamInto(log);
        C shown = run;
        AddCounters(shown, item.CountersSoFar<C>());
        log.CountersSoFar(shown);
    };
}

// Thrown inside a run's work where a read on the pool failed and noted its
// failure (ReadOnPool's false): it ends the run there, and is not noted again.
struct RunFailureNoted {};

// A failure that ended a page's run: kept on the window thread until the
// run's frame (or its undo) says it. `item` names what failed, if known.
void NoteRunFailure(std::exception_ptr failure, const std::string& item = std::string());
// The failures noted since the last call, one line each; empty: none.
std::string TakeRunFailures();
// How many failures were ever noted on this thread: a step that compares
// it before and after knows whether something under it failed.
std::size_t RunFailuresNoted();

// Runs a page's pooled run, one Outcome slot per window place. A failure (of an item's work, or of the run itself)
// ends the run as RunPool says and is noted for the frame to say; this
// returns what was done, so that the page keeps every record of it.
template <class Outcome>
RunPoolResult RunPageItems(const PooledRun<Outcome>& run) {
    RunPoolResult result;
    std::vector<char> applied(run.Items, 0);
    std::size_t failed = run.Items;
    try {
        // Not "slots": a Qt macro. Each is used by one item at a time; all
        // are made here, so that the window thread may peek at any.
        std::vector<std::unique_ptr<Outcome>> outcomes;
        RunPoolOptions options = PageRunPoolOptions(run.Workers);
        options.Window = SlotWindow(run.Workers, run.SlotBytes);
        if (run.KeepHandles) options.WorkerStart = {};
        options.Look = run.Look;
        if (run.Stream)
            options.Peek = [&](std::size_t i, RunApplyContext& ctx) { run.Stream(i, *outcomes[ctx.Slot()], ctx); };
        RunPool pool(std::move(options));
        outcomes.resize(std::min(pool.Window(), run.Items));
        for (auto& out : outcomes) out = std::make_unique<Outcome>();
        result = pool.Run(
            run.Items, run.Scope,
            [&](std::size_t i, RunItemContext& ctx) {
                FailIfNamed(run.Name, i);
                run.Work(i, *outcomes[ctx.Slot()], ctx);
            },
            [&](std::size_t i, RunApplyContext& ctx) {
                if (ctx.Failure() && failed == run.Items) failed = i;
                try {
                    run.Apply(i, *outcomes[ctx.Slot()], ctx);
                } catch (...) {
                    if (failed == run.Items) failed = i;
                    throw;
                }
                applied[i] = 1;
            });
    } catch (...) {
        NoteRunFailure(std::current_exception(), failed < run.Items && run.Name ? run.Name(failed) : std::string());
        result.Applied = static_cast<std::size_t>(std::count(applied.begin(), applied.end(), 1));
        result.Stopped = true;
    }
    if (run.Skipped)
        for (std::size_t i = 0; i < run.Items; ++i)
            if (!applied[i]) run.Skipped(i);
    NoteLastPageRun(result);
    return result;
}

// ---- the records an undo takes --------------------------------------------------------

// The records an undo takes out of the page, each list with Take. Until
// Kept(), however the undo ends (its set-up, its pool or what it keeps
// throwing), every taken list goes back where it came from, whole: the next
// Undo has each record again and judges each anew. An undo puts what stays
// into the page by moves alone, then says Kept().
class UndoTaking {
public:
    UndoTaking() = default;
    ~UndoTaking() {
        if (kept_) return;
        for (auto it = back_.rbegin(); it != back_.rend(); ++it) (*it)();
    }
    UndoTaking(const UndoTaking&) = delete;
    UndoTaking& operator=(const UndoTaking&) = delete;

    // `from`'s records into `into` (which outlives this), `from` left empty.
    // Lists whose moves cannot fail: the records' lists, deques, vectors.
    template <class List>
    void Take(List& from, List& into) {
        static_assert(std::is_nothrow_move_assignable_v<List>);
        back_.push_back([&from, &into]() noexcept {
            from = std::move(into);
            into.clear();
        });
        into = std::move(from);
        from.clear();
    }
    // `first`'s records and then `second`'s into `into`, both left empty.
    // Given back, all go to `first`: from here on the two are one list.
    // (A list whose append is whole or nothing.)
    template <class List>
    void TakeJoined(List& first, List& second, List& into) {
        Take(first, into);
        into.insert(into.end(), second.begin(), second.end());
        second.clear();
    }
    void Kept() { kept_ = true; }

private:
    std::vector<std::function<void()>> back_;
    bool kept_ = false;
};

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
