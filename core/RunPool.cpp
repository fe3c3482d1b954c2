#include "core/RunPool.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <limits>
#include <stdexcept>
#include <thread>
#include <unordered_map>
#include <utility>

#include "core/PathTools.h"
#include "platform/MessageBox.h"

namespace {

constexpr std::uint64_t kFnvOffset = 1469598103934665603ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

// ---- scopes -----------------------------------------------------------------------------------

// Each leading part of the path is hashed as its lowered names, trailing
// blanks and dots dropped, so that two spellings of one folder give one
// hash. Two hashes that happen to agree only order two items that needed
// no order; they never let two overlapping items run at once.
void RunScope::Add(std::string_view folder, bool write) {
    const std::size_t first = hashes_.size();
    std::uint64_t hash = kFnvOffset;
    bool everything = false;
    std::size_t i = 0;
    while (i < folder.size()) {
        std::size_t j = i;
        while (j < folder.size() && !IsSeparator(folder[j])) ++j;
        std::size_t end = j;
        while (end > i && (folder[end - 1] == ' ' || folder[end - 1] == '.')) --end;
        if (end == i && j > i) everything = true;  // ".", ".." or a name of blanks and dots
        if (end > i) {
            if (hashes_.size() > first) {
                hash ^= static_cast<unsigned char>('\\');
                hash *= kFnvPrime;
            }
            for (std::size_t k = i; k < end; ++k) {
                hash ^= static_cast<unsigned char>(LowerByteAt(folder, k));
                hash *= kFnvPrime;
            }
            hashes_.push_back(hash);
        }
        i = j + 1;
    }
    if (everything) hashes_.resize(first);
    prints_.push_back({static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(hashes_.size() - first), write});
}

// ---- the pooled run's state --------------------------------------------------------------------

struct RunPool::Slot {
    enum State : std::uint8_t { Free, Waiting, Ready, Running, Done, Skipped };
    std::size_t item = 0;
    State state = Free;
    bool serial = false;
    bool stop = false;
    unsigned pending = 0;                // earlier overlapping items not yet done
    std::vector<std::size_t> followers;  // later items waiting for this one
    RunScope scope;
    std::exception_ptr error;
    // A question from the item's work, waiting for the calling thread.
    bool asking = false;
    bool answered = false;
    const std::string* askText = nullptr;
    const std::string* askCaption = nullptr;
    unsigned askFlags = 0;
    int answer = 0;
};

struct RunPool::Shared {
    std::mutex m;
    std::condition_variable workCv;    // workers: an item is ready, the pause ended, or the run ends
    std::condition_variable headCv;    // the calling thread: the head item is done or asks
    std::condition_variable answerCv;  // a worker: its question is answered
    std::vector<Slot> slots;
    std::vector<std::size_t> ready;  // a min-heap of item numbers: the earliest first
    // Active prints (of items admitted and not yet done), by hash: whole
    // paths, and the leading parts of longer paths; [0] the reading ones,
    // [1] the writing ones (a read meets only those).
    struct Prints {
        std::unordered_map<std::uint64_t, std::uint32_t> whole, leading;
        std::size_t active = 0;      // active prints
        std::size_t everything = 0;  // active prints that stand for everything
    };
    Prints prints[2];
    std::uint64_t itemNs = 1'000'000;  // how long an item's work takes, lately (at first: long)
    std::size_t working = 0, peakWorking = 0;  // workers in their items' work: now, at most
    std::size_t head = 0;        // the next item to apply
    std::size_t admitted = 0;    // items admitted: [head, admitted) is the window
    // Items from here on never start; no item starts while paused. Changed
    // with the lock held, read between the items of a chunk without it.
    std::atomic<std::size_t> end{0};
    std::atomic<bool> paused{false};
    bool quit = false;
    // Looks: handed out in runs from nextLook; every item below `looked`
    // has been looked at, and only those are scoped.
    bool looking = false;
    std::size_t nextLook = 0, looked = 0;
    std::uint64_t lookNs = 1'000'000;  // how long a look takes, lately
    std::vector<std::uint8_t> lookDone;  // per item
    std::exception_ptr lookFailure;

    Slot& SlotOf(std::size_t item) { return slots[item % slots.size()]; }
    void LowerEnd(std::size_t item) {
        if (item < end) end = item;
    }

    void PushReady(std::size_t item) {
        ready.push_back(item);
        std::push_heap(ready.begin(), ready.end(), std::greater<>());
    }
    std::size_t PopReady() {
        std::pop_heap(ready.begin(), ready.end(), std::greater<>());
        const std::size_t item = ready.back();
        ready.pop_back();
        return item;
    }

    static bool Overlap(const RunScope& a, const RunScope::Print& pa, const RunScope& b, const RunScope::Print& pb) {
        if (!pa.write && !pb.write) return false;
        if (pa.depth == 0 || pb.depth == 0) return true;
        const std::uint32_t d = std::min(pa.depth, pb.depth);
        return a.hashes_[pa.first + d - 1] == b.hashes_[pb.first + d - 1];
    }

    // Whether any active print may overlap `p` (a quick look before a walk
    // over the window). Items that all read one folder (the source of a
    // copy) need no walk.
    bool MayOverlap(const RunScope& s, const RunScope::Print& p) const {
        for (const Prints& a : prints) {
            if (&a == &prints[0] && !p.write) continue;
            if (a.active == 0) continue;
            if (a.everything > 0 || p.depth == 0) return true;
            const std::uint64_t* h = &s.hashes_[p.first];
            if (a.whole.count(h[p.depth - 1]) || a.leading.count(h[p.depth - 1])) return true;
            for (std::uint32_t k = 0; k + 1 < p.depth; ++k)
                if (a.whole.count(h[k])) return true;
        }
        return false;
    }

    void Count(const RunScope& s, int delta) {
        for (const RunScope::Print& p : s.prints_) {
            Prints& a = prints[p.write ? 1 : 0];
            a.active += static_cast<std::size_t>(delta);
            if (p.depth == 0) {
                a.everything += static_cast<std::size_t>(delta);
                continue;
            }
            const std::uint64_t* h = &s.hashes_[p.first];
            Bump(a.whole, h[p.depth - 1], delta);
            for (std::uint32_t k = 0; k + 1 < p.depth; ++k) Bump(a.leading, h[k], delta);
        }
    }
    static void Bump(std::unordered_map<std::uint64_t, std::uint32_t>& map, std::uint64_t key, int delta) {
        if (delta > 0) {
            ++map[key];
            return;
        }
        auto it = map.find(key);
        if (--it->second == 0) map.erase(it);
    }

    // Makes the admitted item wait for every earlier active item it overlaps.
    void Register(std::size_t item) {
        Slot& s = SlotOf(item);
        s.pending = 0;
        bool look = false;
        for (const RunScope::Print& p : s.scope.prints_) look = look || MayOverlap(s.scope, p);
        if (look) {
            for (std::size_t j = head; j < item; ++j) {
                Slot& o = SlotOf(j);
                if (o.state != Slot::Waiting && o.state != Slot::Ready && o.state != Slot::Running) continue;
                bool overlap = false;
                for (const RunScope::Print& p : s.scope.prints_) {
                    for (const RunScope::Print& q : o.scope.prints_)
                        if (Overlap(s.scope, p, o.scope, q)) {
                            overlap = true;
                            break;
                        }
                    if (overlap) break;
                }
                if (!overlap) continue;
                o.followers.push_back(item);
                ++s.pending;
            }
        }
        Count(s.scope, +1);
        s.state = s.pending == 0 ? Slot::Ready : Slot::Waiting;
        if (s.pending == 0) PushReady(item);
    }

    // The item's work is over (or it will never start): its followers may go.
    // Returns how many became ready.
    unsigned Release(Slot& s) {
        Count(s.scope, -1);
        unsigned woken = 0;
        for (std::size_t f : s.followers) {
            Slot& o = SlotOf(f);
            if (--o.pending == 0 && o.state == Slot::Waiting) {
                o.state = Slot::Ready;
                PushReady(f);
                ++woken;
            }
        }
        s.followers.clear();
        return woken;
    }
};

// ---- the pool ----------------------------------------------------------------------------------

std::size_t RunPool::DefaultWindow(unsigned workers) {
    return workers <= 1 ? 1 : std::max(kMinWindow, kWindowPerWorker * workers);
}

RunPool::RunPool(RunPoolOptions options) : options_(std::move(options)) {
    workers_ = std::max(1u, options_.Workers);
    window_ = workers_ == 1 ? 1 : options_.Window ? options_.Window : DefaultWindow(workers_);
}

RunPool::~RunPool() = default;

int RunPool::ShowNow(const std::string& text, const std::string& caption, unsigned flags) {
    return options_.Show ? options_.Show(text, caption, flags) : plat::MessageBox(text, caption, flags);
}

bool RunPool::PumpDue() const {
    return options_.Pump && std::chrono::steady_clock::now() - lastPump_ >= options_.PumpInterval;
}

void RunPool::PumpIfDue(bool force) {
    if (!options_.Pump || (!force && !PumpDue())) return;
    lastPump_ = std::chrono::steady_clock::now();
    options_.Pump();
}

int RunItemContext::Ask(const std::string& text, const std::string& caption, unsigned flags) {
    if (!serial_) throw std::logic_error("a question from an item that was not declared serial");
    return pool_->AskFromWorker(*this, text, caption, flags);
}

int RunApplyContext::Show(const std::string& text, const std::string& caption, unsigned flags) {
    return pool_->ShowPaused(text, caption, flags);
}

int RunPool::ShowPaused(const std::string& text, const std::string& caption, unsigned flags) {
    if (!shared_) return ShowNow(text, caption, flags);
    {
        std::lock_guard lock(shared_->m);
        shared_->paused = true;
    }
    struct Resume {
        Shared& s;
        ~Resume() {
            {
                std::lock_guard lock(s.m);
                s.paused = false;
            }
            s.workCv.notify_all();
        }
    } resume{*shared_};
    return ShowNow(text, caption, flags);
}

int RunPool::AskFromWorker(RunItemContext& ctx, const std::string& text, const std::string& caption, unsigned flags) {
    if (!shared_) return ShowNow(text, caption, flags);
    Shared& sh = *shared_;
    std::unique_lock lock(sh.m);
    Slot& s = sh.SlotOf(ctx.item_);
    s.askText = &text;
    s.askCaption = &caption;
    s.askFlags = flags;
    s.answered = false;
    s.asking = true;
    sh.headCv.notify_one();
    sh.answerCv.wait(lock, [&] { return s.answered; });
    s.asking = false;
    s.answered = false;
    return s.answer;
}

RunPoolResult RunPool::Run(std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply) {
    // Due at the first wait: the calling thread may have worked since it
    // last pumped (a run's checks, an earlier short pool), and the pump
    // knows best whether its window needs to answer now.
    lastPump_ = {};
    // One item on a worker too: the calling thread paints while it works.
    if (workers_ == 1 || count == 0) return RunInline(count, scope, work, apply);
    return RunPooled(count, scope, work, apply);
}

namespace {
// The plain loop's item working on this thread, for RunPoolPaceInline.
thread_local RunPool* inlinePool = nullptr;
thread_local std::size_t inlineItem = 0;
}  // namespace

RunPool::InlineItem::InlineItem(RunPool& pool, std::size_t item) : previous_(inlinePool), item_(inlineItem) {
    inlinePool = &pool;
    inlineItem = item;
}

RunPool::InlineItem::~InlineItem() {
    inlinePool = previous_;
    inlineItem = item_;
}

void RunPoolPaceInline() {
    if (inlinePool) inlinePool->PaceInline(inlineItem);
}

// Called from inside the item's work: a peek or a pump that fails must not
// cut the work short, so it is kept for after the item's apply, and no more
// peeks or pumps follow.
void RunPool::PaceInline(std::size_t item) {
    if (inlineFailure_ || !PumpDue()) return;
    try {
        if (options_.Peek) {
            RunApplyContext ctx;
            ctx.pool_ = this;
            options_.Peek(item, ctx);
        }
        PumpIfDue(true);
    } catch (...) {
        inlineFailure_ = std::current_exception();
    }
}

RunPoolResult RunPool::RunInline(std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply) {
    RunPoolResult result;
    RunScope itemScope;
    RunItemContext ctx;
    ctx.pool_ = this;
    RunApplyContext actx;
    actx.pool_ = this;
    inlineFailure_ = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        if (options_.Look) options_.Look(i, 0);
        itemScope.Clear();
        if (scope) scope(i, itemScope);
        result.PeakWindow = result.PeakWorking = 1;
        ctx.item_ = i;
        ctx.serial_ = itemScope.serial_;
        ctx.stop_ = false;
        std::exception_ptr error;
        try {
            const InlineItem working(*this, i);
            work(i, ctx);
        } catch (...) {
            error = std::current_exception();
        }
        actx.stop_ = false;
        actx.failure_ = error;
        apply(i, actx);
        ++result.Applied;
        if (error) std::rethrow_exception(error);
        if (inlineFailure_) std::rethrow_exception(std::exchange(inlineFailure_, nullptr));
        if (ctx.stop_ || actx.stop_) {
            result.Stopped = true;
            break;
        }
        PumpIfDue();
    }
    return result;
}

// ---- one pooled run -------------------------------------------------------------------------------

// The calling thread's side of a pooled run, step by step: admit what the
// window allows, apply what is done from the head on, skip what a stop
// leaves, answer a worker's question, wait for the head. Workers never
// throw out of their loop (everything they touch is allocated before they
// start); a failure on this thread stops the run as a failed item does.
class RunPool::Session {
public:
    Session(RunPool& pool, std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply)
        : pool_(pool), count_(count), scope_(scope), work_(work), apply_(apply), sh_(*pool.shared_),
          pump_(static_cast<bool>(pool.options_.Pump)) {}

    // False when no worker could start (nothing was admitted).
    bool StartWorkers();
    RunPoolResult Run();
    void StopWorkers();

private:
    using Lock = std::unique_lock<std::mutex>;

    unsigned Admit(Lock& lock);
    void AskScopes(Lock& lock, std::size_t limit);
    void ApplyDone(Lock& lock);
    void ApplyOne(std::size_t item);
    void SkipStopped();
    void AnswerQuestion(Lock& lock);
    void WaitForHead(Lock& lock);
    void WaitForLooks(Lock& lock);
    void PeekAtHead(Lock& lock);
    void PumpNow(Lock& lock);
    void Fail(std::exception_ptr error) {
        if (!firstError_) firstError_ = error;
        result_.Stopped = true;
    }
    std::size_t Limit() const {
        const std::size_t limit = std::min<std::size_t>(sh_.end, sh_.head + pool_.window_);
        return sh_.looking ? std::min(limit, sh_.looked) : limit;
    }

    RunPool& pool_;
    const std::size_t count_;
    const ScopeFn& scope_;
    const WorkFn& work_;
    const ApplyFn& apply_;
    Shared& sh_;
    RunPoolResult result_;
    std::exception_ptr firstError_;  // rethrown at the end
    bool peek_ = true;               // false once a peek has failed
    bool pump_;                      // false once the pump has failed
    std::size_t scopedEnd_ = 0;      // items below this have their scope in their slot
    std::vector<std::thread> threads_;
    std::vector<std::vector<std::size_t>> chunks_;  // each worker's, made before it starts
};

// Whether a worker should look at more items: some are left, not too far
// ahead of the head.
bool RunPool::LookDue(const Shared& sh) const {
    return sh.looking && sh.nextLook < sh.end && sh.nextLook < sh.head + 2 * window_;
}

// A run of items looked at, with the lock let go; then the calling thread
// may admit those that are looked at without a gap.
void RunPool::LookAhead(std::unique_lock<std::mutex>& lock, unsigned worker) {
    Shared& sh = *shared_;
    const std::size_t byTime = std::max<std::size_t>(1, kChunkNs / std::max<std::uint64_t>(sh.lookNs, 1));
    const std::size_t first = sh.nextLook;
    const std::size_t last = std::min<std::size_t>(sh.end, first + std::min<std::size_t>(byTime, 64));
    sh.nextLook = last;
    lock.unlock();
    std::exception_ptr failure;
    std::size_t item = first;
    const auto t0 = std::chrono::steady_clock::now();
    try {
        for (; item < last; ++item) options_.Look(item, worker);
    } catch (...) {
        failure = std::current_exception();
    }
    const auto spent = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - t0);
    lock.lock();
    sh.lookNs = (sh.lookNs + static_cast<std::uint64_t>(spent.count()) / (last - first)) / 2;
    if (failure) {
        if (!sh.lookFailure) sh.lookFailure = failure;
        sh.LowerEnd(item);  // this item and those after it never start
    }
    for (std::size_t i = first; i < item; ++i) sh.lookDone[i] = 1;
    const std::size_t before = sh.looked;
    while (sh.looked < sh.lookDone.size() && sh.lookDone[sh.looked]) ++sh.looked;
    if (sh.looked != before || failure) sh.headCv.notify_one();
}

// `chunk` has room for the window: nothing here allocates, so nothing
// but the work (which is caught) throws.
void RunPool::WorkerLoop(unsigned worker, const WorkFn& work, std::vector<std::size_t>& chunk) {
    Shared& sh = *shared_;
    RunItemContext ctx;
    ctx.pool_ = this;
    ctx.worker_ = worker;
    try {
        if (options_.WorkerStart) options_.WorkerStart();
    } catch (...) {
        // What it sets up only speeds the work up: it works without.
    }
    std::unique_lock lock(sh.m);
    for (;;) {
        sh.workCv.wait(lock, [&] {
            return sh.quit || (!sh.paused && ((!sh.ready.empty() && sh.ready.front() < sh.end) || LookDue(sh)));
        });
        if (sh.quit) return;
        if (LookDue(sh) && (sh.ready.empty() || sh.ready.front() >= sh.end || sh.looked < sh.head + window_ / 2)) {
            LookAhead(lock, worker);
            continue;
        }
        // Short items go in chunks of consecutive ready items, so that the
        // lock is taken once per chunk rather than once per item; an item
        // that takes long goes alone.
        const std::size_t byTime = std::max<std::size_t>(1, kChunkNs / std::max<std::uint64_t>(sh.itemNs, 1));
        const std::size_t take = std::min(byTime, std::max<std::size_t>(1, sh.ready.size() / workers_));
        chunk.clear();
        while (chunk.size() < take && !sh.ready.empty() && sh.ready.front() < sh.end) {
            chunk.push_back(sh.PopReady());
            sh.SlotOf(chunk.back()).state = Slot::Running;
        }
        sh.peakWorking = std::max(sh.peakWorking, ++sh.working);
        lock.unlock();
        const auto t0 = std::chrono::steady_clock::now();
        std::size_t done = 0;
        bool ended = false;
        for (; done < chunk.size() && !ended; ++done) {
            const std::size_t item = chunk[done];
            if (done > 0 && (sh.paused || item >= sh.end)) break;  // the rest waits, or never starts
            Slot& s = sh.SlotOf(item);
            ctx.item_ = item;
            ctx.slot_ = item % sh.slots.size();
            ctx.serial_ = s.serial;
            ctx.stop_ = false;
            s.error = nullptr;
            try {
                work(item, ctx);
            } catch (...) {
                s.error = std::current_exception();
            }
            s.stop = ctx.stop_;
            ended = s.stop || s.error;
        }
        const auto spent = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - t0);
        lock.lock();
        --sh.working;
        sh.itemNs = (sh.itemNs * 3 + static_cast<std::uint64_t>(spent.count()) / done) / 4;
        unsigned woken = 0;
        bool headDone = false;
        for (std::size_t k = 0; k < done; ++k) {
            Slot& s = sh.SlotOf(chunk[k]);
            s.state = Slot::Done;
            if (s.stop || s.error) sh.LowerEnd(chunk[k] + 1);
            woken += sh.Release(s);
            headDone = headDone || chunk[k] == sh.head;
        }
        for (std::size_t k = done; k < chunk.size(); ++k) {  // not started: back to the others
            sh.SlotOf(chunk[k]).state = Slot::Ready;
            sh.PushReady(chunk[k]);
            ++woken;
        }
        if (woken == 1) sh.workCv.notify_one();
        else if (woken > 1) sh.workCv.notify_all();
        if (headDone) sh.headCv.notify_one();
    }
}

bool RunPool::Session::StartWorkers() {
    const unsigned n = static_cast<unsigned>(std::min<std::size_t>(pool_.workers_, count_));
    threads_.reserve(n);
    chunks_.reserve(n);
    for (unsigned w = 0; w < n; ++w) {
        // A thread that cannot start (too many on the system, memory): the
        // run goes on with the workers it got.
        try {
            chunks_.emplace_back().reserve(pool_.window_);
            std::function<void()> body = [this, w] { pool_.WorkerLoop(w, work_, chunks_[w]); };
            threads_.push_back(pool_.options_.Spawn ? pool_.options_.Spawn(std::move(body)) : std::thread(std::move(body)));
        } catch (...) {
            break;
        }
    }
    return !threads_.empty();
}

void RunPool::Session::StopWorkers() {
    {
        std::lock_guard lock(sh_.m);
        sh_.quit = true;
    }
    sh_.workCv.notify_all();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
}

RunPoolResult RunPool::Session::Run() {
    Lock lock(sh_.m);
    for (;;) {
        try {
            const unsigned newlyReady = Admit(lock);
            if (newlyReady == 1) sh_.workCv.notify_one();
            else if (newlyReady > 1) sh_.workCv.notify_all();
        } catch (...) {
            if (!lock.owns_lock()) lock.lock();
            Fail(std::current_exception());
            sh_.LowerEnd(sh_.admitted);  // nothing more is admitted; the admitted ones end
            // Those admitted before the failure may be ready with every
            // worker asleep: they are told.
            sh_.workCv.notify_all();
        }
        if (sh_.lookFailure) Fail(std::exchange(sh_.lookFailure, nullptr));  // the run ends before its item
        if (sh_.head == sh_.admitted && sh_.admitted >= sh_.end) break;  // all applied, nothing more may start
        if (sh_.head == sh_.admitted) {  // nothing admitted yet: its look is still going on
            WaitForLooks(lock);
            continue;
        }
        Slot& h = sh_.SlotOf(sh_.head);
        if (h.state == Slot::Done)
            ApplyDone(lock);
        else if (sh_.head >= sh_.end && (h.state == Slot::Waiting || h.state == Slot::Ready))
            SkipStopped();
        else if (h.asking && !h.answered)
            AnswerQuestion(lock);
        else
            WaitForHead(lock);
    }
    // The workers stop as the run's guard ends, whichever way it ends.
    result_.PeakWorking = sh_.peakWorking;
    if (firstError_) std::rethrow_exception(firstError_);
    return result_;
}

// Admits what the window and the Serial rule allow. Scopes are the page's
// code: asked for the whole free part of the window at once, with the lock
// let go (those slots are seen by no worker yet).
unsigned RunPool::Session::Admit(Lock& lock) {
    unsigned newlyReady = 0;
    for (;;) {
        const std::size_t limit = Limit();
        if (sh_.admitted >= limit) break;
        if (sh_.admitted > sh_.head && sh_.SlotOf(sh_.admitted - 1).serial) break;  // it runs alone
        if (scopedEnd_ < limit) AskScopes(lock, limit);
        bool held = false;
        while (sh_.admitted < std::min(scopedEnd_, limit)) {
            const std::size_t item = sh_.admitted;
            Slot& s = sh_.SlotOf(item);
            s.serial = s.scope.serial_;
            if ((s.serial && item > sh_.head) || (item > sh_.head && sh_.SlotOf(item - 1).serial)) {
                held = true;  // alone: after every earlier item is applied
                break;
            }
            s.item = item;
            s.stop = false;
            s.error = nullptr;
            s.followers.clear();
            sh_.Register(item);  // on a failure the item stays out, never to start
            sh_.admitted = item + 1;
            if (s.state == Slot::Ready) ++newlyReady;
        }
        result_.PeakWindow = std::max(result_.PeakWindow, sh_.admitted - sh_.head);
        if (held || sh_.admitted < std::min(scopedEnd_, limit)) break;
    }
    return newlyReady;
}

void RunPool::Session::AskScopes(Lock& lock, std::size_t limit) {
    lock.unlock();
    std::size_t item = scopedEnd_;
    try {
        for (; item < limit; ++item) {
            RunScope& sc = sh_.SlotOf(item).scope;
            sc.Clear();
            if (scope_) scope_(item, sc);
            if (sc.serial_) {  // nothing after it is admitted before it is applied
                ++item;
                break;
            }
        }
        lock.lock();
    } catch (...) {
        lock.lock();
        Fail(std::current_exception());
        sh_.LowerEnd(item);
    }
    scopedEnd_ = std::min<std::size_t>(item, sh_.end);
}

// Every item done from the head on, applied with the lock let go (those
// slots are left alone while done); the window paints now and then.
void RunPool::Session::ApplyDone(Lock& lock) {
    std::size_t last = sh_.head;
    while (last < sh_.admitted && sh_.SlotOf(last).state == Slot::Done) ++last;
    const std::size_t first = sh_.head;
    lock.unlock();
    for (std::size_t i = first; i < last; ++i) ApplyOne(i);
    lock.lock();
    for (std::size_t i = first; i < last; ++i) sh_.SlotOf(i).state = Slot::Free;
    sh_.head = last;
    if (pool_.LookDue(sh_)) sh_.workCv.notify_all();  // the head moved: more may be looked at
    if (pump_ && pool_.PumpDue()) PumpNow(lock);
}

void RunPool::Session::ApplyOne(std::size_t item) {
    const Slot& d = sh_.SlotOf(item);
    RunApplyContext ctx;
    ctx.pool_ = &pool_;
    ctx.slot_ = item % sh_.slots.size();
    ctx.failure_ = d.error;
    // An apply that fails ends the run as failed work does: nothing more
    // starts, and what had started is still applied, so that its records
    // are kept.
    bool failed = false;
    try {
        apply_(item, ctx);
        ++result_.Applied;
    } catch (...) {
        failed = true;
        Fail(std::current_exception());
    }
    if (d.error) Fail(d.error);
    if (ctx.stop_ || d.stop) result_.Stopped = true;
    if (ctx.stop_ || failed) {  // nothing more starts
        std::lock_guard stopLock(sh_.m);
        sh_.LowerEnd(item + 1);
    }
}

// The head was stopped before it started: it never runs.
void RunPool::Session::SkipStopped() {
    Slot& h = sh_.SlotOf(sh_.head);
    h.state = Slot::Skipped;
    if (sh_.Release(h)) sh_.workCv.notify_all();
    h.state = Slot::Free;
    ++sh_.head;
}

// The head's work asks: the box is shown with the lock let go, and the
// item hears "no" when the box fails.
void RunPool::Session::AnswerQuestion(Lock& lock) {
    Slot& h = sh_.SlotOf(sh_.head);
    const std::string& text = *h.askText;
    const std::string& caption = *h.askCaption;
    const unsigned flags = h.askFlags;
    lock.unlock();
    int answer = plat::SafeAnswer(flags);
    bool shown = true;
    try {
        answer = pool_.ShowPaused(text, caption, flags);
    } catch (...) {
        shown = false;
        Fail(std::current_exception());
    }
    lock.lock();
    if (!shown) sh_.LowerEnd(sh_.head + 1);
    h.answer = answer;
    h.answered = true;
    sh_.answerCv.notify_all();
}

// Waits until more items have been looked at; the window paints meanwhile.
void RunPool::Session::WaitForLooks(Lock& lock) {
    const std::size_t looked = sh_.looked;
    const auto moved = [&] { return sh_.looked != looked || sh_.lookFailure || sh_.looked >= sh_.end; };
    if (!pump_) return sh_.headCv.wait(lock, moved);
    if (!sh_.headCv.wait_until(lock, pool_.lastPump_ + pool_.options_.PumpInterval, moved)) PumpNow(lock);
}

// Waits for the head item; the window paints meanwhile, and shows what
// the head's work gave so far (only shows: a peek that fails ends the run
// as a failed item does, and every item that started is still applied). More items looked at may be admitted too.
void RunPool::Session::WaitForHead(Lock& lock) {
    Slot& h = sh_.SlotOf(sh_.head);
    const std::size_t looked = sh_.looked;
    const auto headMoves = [&] {
        return h.state == Slot::Done || (h.asking && !h.answered) || sh_.looked != looked || sh_.lookFailure;
    };
    if (!pump_) return sh_.headCv.wait(lock, headMoves);
    if (sh_.headCv.wait_until(lock, pool_.lastPump_ + pool_.options_.PumpInterval, headMoves)) return;
    if (h.state == Slot::Running && pool_.options_.Peek && peek_) PeekAtHead(lock);
    PumpNow(lock);
}

void RunPool::Session::PeekAtHead(Lock& lock) {
    const std::size_t item = sh_.head;
    RunApplyContext ctx;
    ctx.pool_ = &pool_;
    ctx.slot_ = item % sh_.slots.size();
    lock.unlock();
    try {
        pool_.options_.Peek(item, ctx);
    } catch (...) {
        peek_ = false;
        Fail(std::current_exception());
    }
    lock.lock();
    if (!peek_ || ctx.stop_) sh_.LowerEnd(item + 1);
}

void RunPool::Session::PumpNow(Lock& lock) {
    lock.unlock();
    try {
        pool_.PumpIfDue(true);
    } catch (...) {
        pump_ = false;
        Fail(std::current_exception());
    }
    lock.lock();
    if (!pump_) sh_.LowerEnd(sh_.head + 1);
}

RunPoolResult RunPool::RunPooled(std::size_t count, const ScopeFn& scope, const WorkFn& work, const ApplyFn& apply) {
    shared_ = std::make_unique<Shared>();
    shared_->slots.resize(window_);
    // Workers put items back without allocating: never more than the window is ready.
    shared_->ready.reserve(window_);
    shared_->end = count;
    if (options_.Look) {
        shared_->looking = true;
        shared_->lookDone.assign(count, 0);
    }
    Session session(*this, count, scope, work, apply);
    if (!session.StartWorkers()) {  // not one thread: one at a time on this one
        shared_.reset();
        return RunInline(count, scope, work, apply);
    }
    struct Done {
        RunPool& pool;
        Session& session;
        ~Done() {
            session.StopWorkers();
            pool.shared_.reset();
        }
    } done{*this, session};
    return session.Run();
}
