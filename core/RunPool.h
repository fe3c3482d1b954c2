// Runs the items of a run on a pool of workers, the results applied in the
// order of a one-at-a-time run.
//
// A page hands its run in as items by index and three calls:
//   Scope(i, scope)  on the calling (window) thread, in item order, before
//                    item i starts: which folders it reads or changes, and
//                    whether it may ask the user something or end the run;
//   Work(i, item)    on a worker: the item's disk work, beneath the worker's
//                    own held folders; what it finds goes into the page's
//                    outcome slot item.Slot(), nothing to the screen;
//   Apply(i, apply)  on the calling thread, strictly in item order: the
//                    outcome's lines, counters, undo records and messages.
// Items whose scopes overlap (one folder, letter case ignored, or one inside
// the other, where at least one of them changes it) start one after the
// other in item order; others overlap in time. At most Window() items are
// between start and apply, so outcomes take bounded memory: a page keeps
// Window() outcome slots and item i uses slot i % Window().
//
// Questions. A box an Apply shows (apply.Show) pauses the pool: no item
// starts until it is answered; the items already working go on, and since
// their work does not depend on any answer, they end as they would have.
// An item whose work may ask a question (item.Ask) or end the run is
// declared Serial: it starts only when every earlier item has been applied
// (so every earlier box has been shown) and no later item starts before it
// has been applied, so nothing after it touches the disk before the answer,
// exactly as one at a time. Ask from an item not declared Serial is a fault
// of the page and fails that item (std::logic_error), with any worker count.
//
// Stops. item.Stop() or apply.Stop() ends the run after that item: no later
// item starts. Later items that had already started (only possible when the
// stopping item was not Serial) still finish and are applied, so nothing a
// run did on disk goes unrecorded.
//
// Failures. Work that throws leaves what it recorded; its item is applied
// all the same (apply.Failure() says so), no later item starts, the items
// already started are finished and applied, and Run rethrows. Scope, Apply,
// Peek, the pump or the pool's own bookkeeping failing on the calling
// thread stops the run the same way (the items already started are still
// applied, each whose Apply did not fail; a failed Peek peeks no more) and
// is rethrown. A Peek or a pump that fails inside the plain loop's work
// leaves the work to end; the item is applied, then the failure rethrown.
// A worker thread that cannot start leaves the run to the others (to the
// calling thread alone when none started).
//
// Sharing. Work reads only what the run fixed before it started and what
// its own worker holds; the page's run state (counters, lists, "shown once"
// flags, undo records) changes in Apply alone. A fact one item's work needs
// from an earlier item's work (a folder the run made) goes through
// something both lock, and their scopes overlap so that the earlier one is
// done first. The dry disk is such a thing.
//
// Scopes, as a run gives them: a main folder made below a destination
// writes the top-most folder it may make there (so that items making
// parents in common keep their order; all of them the destination itself
// when it does not exist yet); a folder copied from, compared with or
// walked is read; a removal or a rename writes the folder it changes. The
// texts must be in one form (all drive form): "C:\x" and "/x" are not
// seen as one folder, nor are two paths that reach one folder through a
// link or a bind mount.
//
// With one worker everything happens on the calling thread, one item after
// another, as a plain loop: Scope, Work, Apply.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// What one item touches, said before it starts.
class RunScope {
public:
    // The item makes, removes or renames something in this folder or below
    // it. Drive form or Linux form; letter case, the separator and trailing
    // blanks and dots of names do not matter. A path with a "." or ".."
    // name stands for everything.
    void Write(std::string_view folder) { Add(folder, true); }
    // The item only looks at this folder or what lies below it.
    void Read(std::string_view folder) { Add(folder, false); }
    // The item may ask the user or end the run: it runs alone (see above).
    void Serial() { serial_ = true; }

private:
    friend class RunPool;
    struct Print {
        std::uint32_t first;  // into hashes_: the hash of each leading part, the whole path last
        std::uint32_t depth;  // 0: everything
        bool write;
    };
    void Add(std::string_view folder, bool write);
    void Clear() {
        prints_.clear();
        hashes_.clear();
        serial_ = false;
    }
    std::vector<Print> prints_;
    std::vector<std::uint64_t> hashes_;
    bool serial_ = false;
};

using RunMessageFn = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

class RunApplyContext;

struct RunPoolOptions {
    // 1: the plain loop on the calling thread.
    unsigned Workers = 1;
    // Items between start and apply; 0: RunPool::DefaultWindow(Workers).
    std::size_t Window = 0;
    // Called on the calling thread while it waits for workers, at its first
    // wait and then at most every PumpInterval (the window paints, user
    // input stays out), and between items of the plain loop at the same pace.
    std::function<void()> Pump{};
    std::chrono::milliseconds PumpInterval{20};
    // The message seam; plat::MessageBox when empty.
    RunMessageFn Show{};
    // Called first on each worker thread (not in the plain loop).
    std::function<void()> WorkerStart{};
    // What an item's Scope needs to know of the disk, found on a worker for
    // every item before it is scoped, in no order, while earlier items
    // work (in the plain loop: right before its Scope). It writes only what
    // the page keeps for that item; a look that throws ends the run there.
    std::function<void(std::size_t item, unsigned worker)> Look{};
    // Called on the calling thread at the pump's pace, before the pump,
    // while the head item (the next to apply) works: the page may show what
    // its work gave so far (its outcome slot is the page's to read as far
    // as the work has published it). `ctx` shows boxes as Apply does. In
    // the plain loop the work itself runs here: it lets the head be peeked
    // at by calling RunPoolPaceInline() now and then.
    std::function<void(std::size_t item, RunApplyContext& ctx)> Peek{};
    // Starts a worker thread running `body`; std::thread when empty. A
    // thread that cannot start leaves the run to the workers that did (to
    // the calling thread alone when none did).
    std::function<std::thread(std::function<void()> body)> Spawn{};
};

struct RunPoolResult {
    std::size_t Applied = 0;  // items whose work ran and was applied
    bool Stopped = false;     // ended by a Stop or a failure before the last item
    // The most items that were between start and apply at once.
    std::size_t PeakWindow = 0;
    // The most items that worked at once (on as many workers).
    std::size_t PeakWorking = 0;
};

class RunPool;

// Work in the plain loop runs on the calling thread: called now and then
// from it (a page's outcome entries do, as they are added), it peeks at the
// item and pumps when the pump is due. Does nothing on a worker thread.
void RunPoolPaceInline();

// A worker's side of one item.
class RunItemContext {
public:
    unsigned Worker() const { return worker_; }  // 0 .. Workers() - 1: the page's per-worker state
    std::size_t Slot() const { return slot_; }    // the item's outcome slot
    // Shows a box in item order and waits for the answer; Serial items only.
    int Ask(const std::string& text, const std::string& caption, unsigned flags);
    // Ends the run after this item.
    void Stop() { stop_ = true; }

private:
    friend class RunPool;
    RunPool* pool_ = nullptr;
    unsigned worker_ = 0;
    std::size_t item_ = 0;
    std::size_t slot_ = 0;
    bool serial_ = false;
    bool stop_ = false;
};

// The calling thread's side of applying one item.
class RunApplyContext {
public:
    std::size_t Slot() const { return slot_; }
    // Shows a box; no item starts until it is answered.
    int Show(const std::string& text, const std::string& caption, unsigned flags);
    // Ends the run after this item.
    void Stop() { stop_ = true; }
    // Set when the item's work threw; what it recorded is applied all the same.
    std::exception_ptr Failure() const { return failure_; }

private:
    friend class RunPool;
    RunPool* pool_ = nullptr;
    std::size_t slot_ = 0;
    bool stop_ = false;
    std::exception_ptr failure_;
};

class RunPool {
public:
    using ScopeFn = std::function<void(std::size_t item, RunScope& scope)>;
    using WorkFn = std::function<void(std::size_t item, RunItemContext& ctx)>;
    using ApplyFn = std::function<void(std::size_t item, RunApplyContext& ctx)>;

    // The window: at least 4 items per worker, so that a slow item at the
    // head (which holds up its followers' apply, not their work) may take 4
    // times an average item before workers go idle; and at least 256 items,
    // so that short items cost few wake-ups (with 64, items of one mkdirat
    // on tmpfs took 1.3 times the bare threads, with 256 the same). 256
    // outcomes are what a page keeps at most: a few MB for main folders of
    // a hundred lines each. More room for short items (up to 1,024 behind a
    // worker the system set aside at the head) gained nothing measurable on
    // tmpfs, loaded or not: while workers wait, the cores run others.
    static constexpr std::size_t kWindowPerWorker = 4;
    static constexpr std::size_t kMinWindow = 256;
    // Short items are handed out in chunks of about this much work, so that
    // each chunk costs the pool one lock, not each item.
    static constexpr std::uint64_t kChunkNs = 50'000;
    static std::size_t DefaultWindow(unsigned workers);

    explicit RunPool(RunPoolOptions options = {});
    ~RunPool();
    RunPool(const RunPool&) = delete;
    RunPool& operator=(const RunPool&) = delete;

    unsigned Workers() const { return workers_; }
    std::size_t Window() const { return window_; }

    RunPoolResult Run(std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply);

private:
    friend class RunItemContext;
    friend class RunApplyContext;
    struct Slot;
    struct Shared;
    class Session;

    friend void RunPoolPaceInline();
    // The plain loop's item while it works, for RunPoolPaceInline.
    class InlineItem {
    public:
        InlineItem(RunPool& pool, std::size_t item);
        ~InlineItem();
        InlineItem(const InlineItem&) = delete;
        InlineItem& operator=(const InlineItem&) = delete;

    private:
        RunPool* previous_;
        std::size_t item_;
    };
    void PaceInline(std::size_t item);
    std::exception_ptr inlineFailure_;  // a peek or pump that failed inside the plain loop's work
    RunPoolResult RunInline(std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply);
    RunPoolResult RunPooled(std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply);
    void WorkerLoop(unsigned worker, const WorkFn& work, std::vector<std::size_t>& chunk);
    bool LookDue(const Shared& sh) const;
    void LookAhead(std::unique_lock<std::mutex>& lock, unsigned worker);
    int AskFromWorker(RunItemContext& ctx, const std::string& text, const std::string& caption, unsigned flags);
    int ShowPaused(const std::string& text, const std::string& caption, unsigned flags);
    int ShowNow(const std::string& text, const std::string& caption, unsigned flags);
    bool PumpDue() const;  // a pump is wanted and its interval has passed
    void PumpIfDue(bool force = false);

    RunPoolOptions options_;
    unsigned workers_ = 1;
    std::size_t window_ = 1;
    std::chrono::steady_clock::time_point lastPump_{};
    std::unique_ptr<Shared> shared_;  // the pooled run's state
};
