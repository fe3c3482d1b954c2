#include "pages/RunItems.h"

#include <algorithm>
#include <atomic>
#include <string_view>
#include <unordered_map>

#include "core/PathTools.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"

namespace {
std::atomic<unsigned> forcedWorkers{0};
thread_local RunPoolResult lastRun;
}  // namespace

void ItemLog::ReplayInto(RunLog& log) {
    for (const Entry& e : entries_) {
        if (e.exportLine)
            log.AddExportLine(e.category, e.text);
        else
            log.AddLine(e.category, e.text);
    }
    entries_.clear();
}

unsigned PageRunWorkers(const std::string& folder, plat::RunWork work) {
    if (const unsigned forced = forcedWorkers.load()) return forced;
    return plat::RunWorkerCount(folder, work);
}

RunPoolResult LastPageRun() { return lastRun; }
void NoteLastPageRun(const RunPoolResult& result) { lastRun = result; }

ForceRunWorkers::ForceRunWorkers(unsigned workers) : previous_(forcedWorkers.exchange(workers)) {}
ForceRunWorkers::~ForceRunWorkers() { forcedWorkers.store(previous_); }

RunPoolOptions PageRunPoolOptions(unsigned workers) {
    RunPoolOptions options;
    options.Workers = workers < 1 ? 1 : workers;
    options.Pump = [] {
        results::FlushPending();
        qtplat::ProcessPendingPaints();
    };
    // A few paints a second, as the Visual Log paces its counters.
    options.PumpInterval = std::chrono::milliseconds(200);
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

}  // namespace

std::vector<UndoGroup> SplitUndo(const VEC_UNDO_BASES& bases, UndoLists& all) {
    std::vector<UndoGroup> groups;
    std::unordered_map<std::string, std::size_t> byTop;
    auto groupOf = [&](std::string_view path, std::uint32_t base) -> UndoLists& {
        std::string top = SubtreeOf(bases, path, base);
        auto [it, added] = byTop.try_emplace(ToLowerCase(top), groups.size());
        if (added) {
            UndoGroup g;
            g.depth = static_cast<std::size_t>(std::count_if(top.begin(), top.end(),
                                                             [](char c) { return c == '\\' || c == '/'; }));
            g.top = std::move(top);
            g.lists.secondSet = all.secondSet;
            g.lists.byRunSet = all.byRunSet;
            groups.push_back(std::move(g));
        }
        return groups[it->second].lists;
    };
    // The groups share the paths where the run's lists keep them: no copy.
    for (std::size_t i = 0; i < all.created.size(); ++i)
        groupOf(all.created.PathAt(i), all.created.FactsAt(i).Base).created.AppendEntryOf(all.created, i);
    for (std::size_t i = 0; i < all.second.size(); ++i)
        groupOf(all.second.PathAt(i), all.second.FactsAt(i).Base).second.AppendEntryOf(all.second, i);
    for (std::size_t i = 0; i < all.byRun.size(); ++i)
        groupOf(all.byRun.PathAt(i), all.byRun.FactsAt(i).Base).byRun.AppendEntryOf(all.byRun, i);
    for (std::size_t i = 0; i < all.files.size(); ++i)
        groupOf(all.files.PathAt(i), all.files.FactsAt(i).Base).files.AppendEntryOf(all.files, i);
    all = UndoLists();
    // Deepest first: a subtree below another one's top goes before it.
    std::stable_sort(groups.begin(), groups.end(),
                     [](const UndoGroup& a, const UndoGroup& b) { return a.depth > b.depth; });
    return groups;
}

UndoPartsResult UndoInParts(std::vector<UndoGroup>& groups, const VEC_UNDO_BASES& bases, unsigned workers,
                            const std::function<void(FolderFileUndo&, UndoLists&)>& prepare) {
    UndoPartsResult result;
    RunPageItems<UndoPartsResult>(
        groups.size(), workers, [&](std::size_t i, RunScope& scope) { scope.Write(groups[i].top); },
        [&](std::size_t i, UndoPartsResult& out, RunItemContext&) {
            FolderFileUndo undo;
            undo.SetBases(bases);
            prepare(undo, groups[i].lists);
            undo.DeleteCreatedFiles();
            undo.RemoveCreatedFolders();
            undo.BuildReport();
            out.failedFolders = undo.GetFailedFolderRecords();
            out.failedFiles = undo.GetFailedFileRecords();
            out.failureLines = undo.GetFailureLines();
        },
        [&](std::size_t, UndoPartsResult& out, RunApplyContext&) {
            result.failedFolders.insert(result.failedFolders.end(), out.failedFolders.begin(), out.failedFolders.end());
            result.failedFiles.insert(result.failedFiles.end(), out.failedFiles.begin(), out.failedFiles.end());
            result.failureLines += out.failureLines;
            out = UndoPartsResult();
        });
    return result;
}
