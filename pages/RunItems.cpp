#include "pages/RunItems.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <array>
#include <atomic>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <unordered_map>

#include "core/PathTools.h"
#include "pages/RunBusy.h"
#include "platform/HandleTable.h"
#include "results/ResultsList.h"

namespace {
std::atomic<unsigned> forcedWorkers{0};
thread_local RunPoolResult lastRun;
thread_local std::string runFailures;
thread_local std::size_t runFailuresNoted = 0;

std::string FailureText(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "Not enough memory.";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "An unknown error.";
    }
}
}  // namespace

void NoteRunFailure(std::exception_ptr failure, const std::string& item) {
    if (!failure) return;
    try {
        std::rethrow_exception(failure);
    } catch (const RunFailureNoted&) {
        return;
    } catch (...) {
    }
    runFailures += item.empty() ? FailureText(failure) : item + " : " + FailureText(failure);
    runFailures += '\n';
    ++runFailuresNoted;
}

std::string TakeRunFailures() { return std::exchange(runFailures, std::string()); }

std::size_t RunFailuresNoted() { return runFailuresNoted; }


const char* ItemLog::Texts::Put(std::string_view text) {
    while (block_ < blocks_.size() && used_ + text.size() > blocks_[block_].second) {
        ++block_;
        used_ = 0;
    }
    if (block_ == blocks_.size()) {
        // Small at first: a window of short items keeps little.
        const std::size_t grown = blocks_.empty() ? kFirstBlock : std::min(kBlock, 2 * blocks_.back().second);
        const std::size_t size = std::max(grown, text.size());
        blocks_.emplace_back(std::make_unique<char[]>(size), size);
        used_ = 0;
    }
    char* at = blocks_[block_].first.get() + used_;
    std::copy(text.begin(), text.end(), at);
    used_ += text.size();
    return at;
}

void ItemLog::Send(RunLog& log, std::size_t upTo) {
    for (; sent_ < upTo; ++sent_) {
        const Entry& e = entries_[sent_];
        line_.assign(e.text, e.size);
        if (e.exportLine)
            log.AddExportLine(e.category, line_);
        else
            log.AddLine(e.category, line_);
    }
}

void ItemLog::ReplayInto(RunLog& log) {
    Send(log, entries_.Size());
    Clear();
}

unsigned PageRunWorkers(const std::string& folder, plat::RunWork work) {
    if (const unsigned forced = forcedWorkers.load()) return forced;
    unsigned workers = 1;
    ReadBesideWindow([&] { workers = plat::RunWorkerCount(folder, work); });
    return workers;
}

void ReadBesideWindow(const std::function<void()>& read) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) return read();
    const RunBusy busy;  // a close that comes in meanwhile waits for the read, as for a run
    // Two workers and one item: the item goes to a thread of its own, and
    // the window thread answers while it waits (its first wait included).
    RunPoolOptions options = PageRunPoolOptions(2);
    options.WorkerStart = {};  // a single read closes what it opens
    RunPool pool(std::move(options));
    pool.Run(1, {}, [&read](std::size_t, RunItemContext&) { read(); }, [](std::size_t, RunApplyContext&) {});
}

std::size_t SlotWindow(unsigned workers, double itemBytes) {
    const std::size_t window = RunPool::DefaultWindow(workers);
    if (window <= 2 || itemBytes <= 0) return window;
    // Every worker keeps an item at hand, whatever it keeps.
    const std::size_t least = std::min<std::size_t>(window, std::max(2u, workers));
    return std::clamp<std::size_t>(static_cast<std::size_t>(kSlotsBytes / itemBytes), least, window);
}

RunPoolResult LastPageRun() { return lastRun; }
void NoteLastPageRun(const RunPoolResult& result) { lastRun = result; }

ForceRunWorkers::ForceRunWorkers(unsigned workers) : previous_(forcedWorkers.exchange(workers)) {}
ForceRunWorkers::~ForceRunWorkers() { forcedWorkers.store(previous_); }

namespace {
// Set before a run starts and cleared after it: workers only read it.
std::atomic<bool> failArmed{false};
std::string failName;
}  // namespace

FailRunItemsNamed::FailRunItemsNamed(std::string name) {
    failName = std::move(name);
    failArmed = true;
}
FailRunItemsNamed::~FailRunItemsNamed() {
    failArmed = false;
    failName.clear();
}

void FailIfNamed(const std::function<std::string(std::size_t)>& name, std::size_t item) {
    if (failArmed.load(std::memory_order_acquire) && name && name(item) == failName)
        throw std::runtime_error("a failure made by a test");
}

RunPoolOptions PageRunPoolOptions(unsigned workers) {
    RunPoolOptions options;
    options.Workers = workers < 1 ? 1 : workers;
    // The window answers a few times a tenth of a second; the Visual Log's
    // lists are shown at their own pace, which keeps showing a long list at
    // about a twentieth of the run's time.
    options.Pump = [] { results::PaceNow(); };
    options.PumpInterval = std::chrono::milliseconds(results::kAnswerMs);
    // Workers open and close handles by the thousand: each on a table of its
    // own, so that they do not queue on the process's (copy folders on tmpfs
    // took twice the time on one table).
    options.WorkerStart = plat::OwnHandleTable;
    return options;
}

namespace {

// The top-most folder below its base that `path` lies in: the base's text
// and the path's first name below it; the path itself when it is not below.
std::string SubtreeOf(const VEC_UNDO_BASES& bases, std::string_view path, std::uint32_t base) {
    if (base < bases.size()) {
        std::string_view b = bases[base].Path;
        while (!b.empty() && (b.back() == '\\' || b.back() == '/')) b.remove_suffix(1);
        if (path.size() > b.size() + 1 && (path[b.size()] == '\\' || path[b.size()] == '/') &&
            ToLowerCase(std::string(path.substr(0, b.size()))) == ToLowerCase(std::string(b))) {
            const std::size_t end = path.find_first_of("\\/", b.size() + 1);
            return std::string(path.substr(0, end));
        }
    }
    return std::string(path);
}

// Puts each group's entries of `list` side by side, in the order they had
// (a run makes a subtree's entries one after another, so mostly they are
// already), and notes each group's range of them.
template <class List>
void RangeList(List& list, const std::vector<std::uint32_t>& groupOf, std::vector<UndoGroup>& groups,
               std::size_t which) {
    bool together = true;
    for (std::size_t i = 0; i < groupOf.size(); ++i) {
        UndoGroup& g = groups[groupOf[i]];
        if (g.count[which] == 0)
            g.first[which] = static_cast<std::uint32_t>(i);
        else if (g.first[which] + g.count[which] != i)
            together = false;
        ++g.count[which];
    }
    if (together) return;
    std::uint32_t next = 0;
    for (UndoGroup& g : groups) {
        g.first[which] = next;
        next += g.count[which];
    }
    std::vector<std::uint32_t> order(groupOf.size());
    std::vector<std::uint32_t> at(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) at[g] = groups[g].first[which];
    for (std::size_t i = 0; i < groupOf.size(); ++i) order[at[groupOf[i]]++] = static_cast<std::uint32_t>(i);
    List sorted;
    for (const std::uint32_t i : order) sorted.AppendEntryOf(list, i);
    list = std::move(sorted);
}

}  // namespace

std::vector<UndoGroup> SplitUndo(const VEC_UNDO_BASES& bases, UndoLists& all) {
    std::vector<UndoGroup> groups;
    std::unordered_map<std::string, std::uint32_t> byTop;
    // A run names a subtree's entries one after another: an entry below the
    // last one's top (in the very same letters) is in its group.
    struct {
        std::uint32_t group = 0, base = 0;
        bool known = false;
    } last;
    auto groupOf = [&](std::string_view path, std::uint32_t base) {
        if (last.known && base == last.base) {
            const std::string_view top = groups[last.group].top;
            if (path.starts_with(top) &&
                (path.size() == top.size() || path[top.size()] == '\\' || path[top.size()] == '/'))
                return last.group;
        }
        std::string top = SubtreeOf(bases, path, base);
        const bool below = top.size() < path.size();
        auto [it, added] = byTop.try_emplace(ToLowerCase(top), static_cast<std::uint32_t>(groups.size()));
        if (added) {
            UndoGroup g;
            g.depth = static_cast<std::size_t>(std::count_if(top.begin(), top.end(),
                                                             [](char c) { return c == '\\' || c == '/'; }));
            g.top = std::move(top);
            groups.push_back(std::move(g));
        }
        last = {it->second, base, below};
        return it->second;
    };
    auto split = [&](const auto& list) {
        std::vector<std::uint32_t> of(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) of[i] = groupOf(list.PathAt(i), list.FactsAt(i).Base);
        return of;
    };
    // In this order: the groups come in the order the lists first name them.
    const std::array<std::vector<std::uint32_t>, 4> of = {split(all.created), split(all.second), split(all.byRun),
                                                          split(all.files)};
    RangeList(all.created, of[0], groups, 0);
    RangeList(all.second, of[1], groups, 1);
    RangeList(all.byRun, of[2], groups, 2);
    RangeList(all.files, of[3], groups, 3);
    // Deepest first: a subtree below another one's top goes before it.
    std::stable_sort(groups.begin(), groups.end(),
                     [](const UndoGroup& a, const UndoGroup& b) { return a.depth > b.depth; });
    return groups;
}

namespace {

// One undo done in parts: each group an item of the pool. A group whose
// undo failed, or that never came to its turn, keeps all its entries for
// the next Undo (which judges each again).
class UndoParts {
public:
    UndoParts(const std::vector<UndoGroup>& groups, const UndoLists& all, const VEC_UNDO_BASES& bases,
              unsigned workers, const std::function<void(FolderFileUndo&, UndoLists&)>& prepare)
        : groups_(groups), all_(all), prepare_(prepare) {
        // One opener per worker: every part checking its own copy of the
        // bases grew with parts times bases.
        openers_.reserve(std::max(1u, workers));
        for (unsigned w = 0; w < std::max(1u, workers); ++w) openers_.emplace_back(&bases);
    }

    UndoPartsResult Run(unsigned workers) {
        PooledRun<UndoPartsResult> run;
        run.Items = groups_.size();
        run.Workers = workers;
        run.Scope = [this](std::size_t g, RunScope& scope) { scope.Write(groups_[g].top); };
        run.Work = [this](std::size_t g, UndoPartsResult& out, RunItemContext& ctx) { Undo(g, out, ctx.Worker()); };
        run.Apply = [this](std::size_t g, UndoPartsResult& out, RunApplyContext& ctx) {
            if (ctx.Failure())
                Keep(g);
            else
                Add(out);
            out = UndoPartsResult();
        };
        run.Skipped = [this](std::size_t g) { Keep(g); };
        run.Name = [this](std::size_t g) { return groups_[g].top; };
        RunPageItems(run);
        return std::move(result_);
    }

private:
    // The group's lists as views of the run's: nothing is copied.
    UndoLists ListsOf(const UndoGroup& g) const {
        using Folders = DEQ_CREATED_FOLDERS;
        return {Folders::ViewOf(all_.created, g.first[0], g.count[0]),
                Folders::ViewOf(all_.second, g.first[1], g.count[1]),
                Folders::ViewOf(all_.byRun, g.first[2], g.count[2]),
                DEQ_CREATED_FILES::ViewOf(all_.files, g.first[3], g.count[3]),
                all_.secondSet,
                all_.byRunSet};
    }

    // The outcome is whole once set: it is built aside and moved in.
    void Undo(std::size_t g, UndoPartsResult& out, unsigned worker) {
        UndoLists lists = ListsOf(groups_[g]);
        FolderFileUndo undo;
        undo.ShareBases(openers_[worker]);
        prepare_(undo, lists);
        undo.DeleteCreatedFiles();
        undo.RemoveCreatedFolders();
        undo.BuildReport();
        UndoPartsResult done{undo.GetFailedFolderRecords(), undo.GetFailedFileRecords(), undo.GetFailureLines()};
        out = std::move(done);
    }

    // Whole or not at all: a part added half would be kept twice (its
    // Apply failing, it is kept whole).
    template <class Append>
    void AddWhole(const Append& append) {
        const std::size_t folders = result_.failedFolders.size(), files = result_.failedFiles.size();
        try {
            append();
        } catch (...) {
            result_.failedFolders.Truncate(folders);
            result_.failedFiles.Truncate(files);
            throw;
        }
    }

    void Add(const UndoPartsResult& out) {
        AddWhole([&] {
            result_.failedFolders.insert(result_.failedFolders.end(), out.failedFolders.begin(),
                                         out.failedFolders.end());
            result_.failedFiles.insert(result_.failedFiles.end(), out.failedFiles.begin(), out.failedFiles.end());
            result_.failureLines += out.failureLines;
        });
    }

    void Keep(std::size_t g) {
        const UndoLists lists = ListsOf(groups_[g]);
        AddWhole([&] {
            for (const DEQ_CREATED_FOLDERS* list : {&lists.created, &lists.second, &lists.byRun})
                result_.failedFolders.insert(result_.failedFolders.end(), list->begin(), list->end());
            result_.failedFiles.insert(result_.failedFiles.end(), lists.files.begin(), lists.files.end());
        });
    }

    const std::vector<UndoGroup>& groups_;
    const UndoLists& all_;
    const std::function<void(FolderFileUndo&, UndoLists&)>& prepare_;
    std::vector<UndoBaseOpener> openers_;
    UndoPartsResult result_;
};

}  // namespace

UndoPartsResult UndoInParts(const std::vector<UndoGroup>& groups, const UndoLists& all, const VEC_UNDO_BASES& bases,
                            unsigned workers, const std::function<void(FolderFileUndo&, UndoLists&)>& prepare) {
    return UndoParts(groups, all, bases, workers, prepare).Run(workers);
}
