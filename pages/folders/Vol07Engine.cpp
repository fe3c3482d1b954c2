#include "pages/folders/Vol07Engine.h"

#include <algorithm>

#include "core/ExamineSubFolders.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/RemovalRules.h"
#include "core/Validation.h"
#include "pages/RunCounters.h"
#include "pages/RunItems.h"

using plat::FsResult;

std::array<CounterLabel, 9> Vol07Counters::Labels() const {
    const auto values = Values();
    std::array<CounterLabel, 9> labels{};
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = {kVol07CounterLabels[i], values[i]};
    return labels;
}

void Vol07ResetCounters(Vol07Counters& c) {
    c.FoldersDeleted = c.FoldersNotExists = c.FoldersOtherReasons = 0;
    c.FilesDeleted = c.FilesNotExists = c.FilesOtherReasons = 0;
}

// ---- the engine ------------------------------------------------------------------------------

SmartDelete::SmartDelete(const std::string& root, plat::Beneath& base, DeleteFoldersContext& context)
    : rootFolder_(root), base_(base), ctx_(context) {}

void SmartDelete::Run() {
    workQueue_.clear();
    workQueue_.emplace_back(0, rootFolder_);
    collectedFolders_.clear();
    while (!workQueue_.empty()) ExamineLevel();
    DeleteCollected();
    RestoreModes();
}

PAIR_NIVO_FOLDER_NAMES SmartDelete::TakeQueueEntry() {
    PAIR_NIVO_FOLDER_NAMES entry = std::move(workQueue_.front());
    workQueue_.pop_front();
    return entry;
}

void SmartDelete::Count(double& counter, int category, const std::string& line) {
    counter += 1;
    ctx_.Log.AddLine(category, line);
}

void SmartDelete::Count(double& counter, int category, double& second, int secondCategory, const std::string& line) {
    counter += 1;
    second += 1;
    ctx_.Log.AddLine(category, line);
    ctx_.Log.AddLine(secondCategory, line);
}

void SmartDelete::ExamineLevel() {
    const auto [level, folder] = TakeQueueEntry();
    if (mode_ == 3 || (mode_ == 1 && level > 0)) collectedFolders_.push_back(folder);
    Vol07Counters& c = ctx_.Counters;
    // Listed through the handles of the folders above it, taken without
    // passing a link; what is deleted in it is deleted in the folder listed.
    // A folder that cannot be listed (or is no longer a folder) is not
    // entered; its removal later tells what became of it.
    if (!ctx_.Disk.ListKinds(base_, folder, entries_)) return;
    const unsigned long childLevel = CountPathSeparators(folder) + 1;
    for (const plat::DirEntry& e : entries_) {
        std::string path = JoinEntry(folder, e.name);
        if (e.kind == plat::EntryKind::Folder) {
            if (ctx_.Fence.Holds({e.dev, e.ino}))
                Count(c.FoldersOtherReasons, Vol07CatFoldersOtherReasons, path);
            else
                workQueue_.emplace_back(childLevel, std::move(path));
            continue;
        }
        // A file, a link or a special file: the name goes, nothing is opened.
        FsResult r = RemoveTakenFile(ctx_.Disk, base_, path, e.kind, ctx_.ReadOnlyFolders);
        if (r == FsResult::Failed && MakeWritable(folder))
            r = RemoveTakenFile(ctx_.Disk, base_, path, e.kind, ctx_.ReadOnlyFolders);
        if (r == FsResult::Ok)
            Count(c.FilesDeleted, Vol07CatFilesDeleted, path);
        else if (r == FsResult::NotFound)
            Count(c.FilesNotExists, Vol07CatFilesNotExists, c.FilesOtherReasons, Vol07CatFilesOtherReasons, path);
        else
            Count(c.FilesOtherReasons, Vol07CatFilesOtherReasons, path);
    }
}

void SmartDelete::DeleteCollected() {
    Vol07Counters& c = ctx_.Counters;
    for (std::size_t i = collectedFolders_.size(); i-- > 0;) {
        const std::string& folder = collectedFolders_[i];
        const bool isRoot = i == 0 && mode_ == 3;
        plat::Beneath* base = BaseOf(folder);
        FsResult r = FsResult::Failed;
        if (base) {
            const plat::FileIdentity root = base_.Identity();
            r = ctx_.Disk.RemoveFolder(*base, folder, isRoot ? &root : nullptr);
            // Only a folder of the tree gets its write bit, never the root's parent.
            if (r == FsResult::Failed && !isRoot && MakeWritable(std::string(ParentText(folder))))
                r = ctx_.Disk.RemoveFolder(*base, folder);
        }
        if (r == FsResult::Changed && base) {
            // No longer the folder listed: a link put in its place goes as
            // the link it is; anything else stays.
            plat::EntryInfo info;
            if (ctx_.Disk.Look(*base, folder, info) == FsResult::Ok && info.kind == plat::EntryKind::Link &&
                ctx_.Disk.RemoveFile(*base, folder) == FsResult::Ok) {
                Count(c.FilesDeleted, Vol07CatFilesDeleted, folder);
                continue;
            }
        }
        if (r == FsResult::Ok)
            Count(c.FoldersDeleted, Vol07CatFoldersDeleted, folder);
        else if (r == FsResult::NotFound)
            Count(c.FoldersNotExists, Vol07CatFoldersNotExists, c.FoldersOtherReasons, Vol07CatFoldersOtherReasons,
                  folder);
        else
            Count(c.FoldersOtherReasons, Vol07CatFoldersOtherReasons, folder);
    }
    collectedFolders_.clear();
}

plat::Beneath* SmartDelete::BaseOf(const std::string& path) {
    if (path != rootFolder_) return &base_;
    // The root's parent by its text: the root itself must be what is found
    // there (its removal names the identity held).
    plat::Beneath* parent = ctx_.Parents.Get(ParentText(rootFolder_));
    if (parent) parent->Release();
    return parent;
}

bool SmartDelete::MakeWritable(const std::string& folder) {
    // Asked once per folder, and only when something in it would not go.
    if (!ctx_.ReadOnlyFolders || !triedWritable_.insert(folder).second || !base_.Holds(folder)) return false;
    emptied_.push_back(std::make_unique<FolderToEmpty>(ctx_.Disk, base_, folder, true));
    return emptied_.back()->Writable();
}

void SmartDelete::RestoreModes() {
    // Each gives its folder the old mode back where it still stands.
    while (!emptied_.empty()) emptied_.pop_back();
    triedWritable_.clear();
}

// ---- the run --------------------------------------------------------------------------------------

bool Vol07BareDrive(const std::string& path) {
    return TrimControlAndBlanks(path).size() <= 3 || IsDriveRootPath(path);
}

namespace {

// One main folder's outcome on the run pool.
struct Vol07ItemOutcome {
    ItemLog Lines;
    Vol07Counters Counters;
    bool Refused = false;
};

}  // namespace

Vol07RunEnd Vol07DeleteMainFolders(Vol07Counters& c, const Vol07Inputs& in, RunDisk& disk, RunLog& log) {
    ExamineSubFolders examine(in.IncludeFolders);
    examine.ExamineTopFolders();
    const StringList items = examine.GetList();
    WalkFence fence;
    fence.Add(in.ProgramFolder);
    fence.Add(in.WorkingDir);
    const unsigned mode = in.DeleteSubFolders ? 1 : in.DeleteCompleteFolders ? 3 : 0;
    // One main folder is one item: nothing to overlap.
    const unsigned workers =
        items.size() < 2 ? 1 : PageRunWorkers(NormalizeFolderItem(items.front()), plat::RunWork::Remove);
    const bool pooled = workers > 1;

    // On the pool, a first look (on the pool too, before anything is
    // removed) groups the items: one it finds refused runs alone, so that
    // nothing after it starts before the run knows whether it stops there;
    // and each writes its folder as the kernel names it (so that a text
    // through a link meets the folder it reaches), nothing for one that does
    // not exist (a run that only removes makes none). It only informs: every
    // item is judged again in its own work, on the very handle its delete
    // uses, since a folder on its path may be swapped for a link meanwhile.
    std::vector<char> alone(items.size(), 0);
    std::vector<std::string> real(pooled ? items.size() : 0);
    std::vector<char> opens(pooled ? items.size() : 0);
    // Each worker's: the program's folders and the drives' roots opened once.
    std::vector<std::unique_ptr<RunFolderRefusal>> refusals(workers);
    const auto refusalOf = [&](unsigned worker) -> RunFolderRefusal& {
        auto& refusal = refusals[worker];
        if (!refusal) refusal = std::make_unique<RunFolderRefusal>(in.ProgramFolder, in.WorkingDir);
        return *refusal;
    };
    std::vector<ParentBases> parents(workers);
    if (pooled) {
        const auto lookAt = [&](std::size_t i, unsigned worker) {
            const std::string folder = NormalizeFolderItem(items[i]);
            if (Vol07BareDrive(items[i]) || Vol07BareDrive(folder) || GetDrivePart(folder).empty()) return;
            plat::Beneath base;
            const std::string resolved = LexicallyResolved(folder);
            if (base.Open(resolved) != FsResult::Ok) return;
            opens[i] = 1;
            real[i] = base.RealNative();
            alone[i] = refusalOf(worker).Refuses(base, parents[worker].Get(ParentText(resolved)));
        };
        // A look takes a few microseconds: the pool gets runs of items, so
        // that the workers do not wait on this thread admitting and applying
        // each one (they share nothing, and nothing is applied).
        const std::size_t run = std::clamp<std::size_t>(items.size() / (workers * std::size_t{4}), 1, 32);
        RunPool pool(PageRunPoolOptions(workers));
        pool.Run(
            (items.size() + run - 1) / run, [](std::size_t, RunScope&) {},
            [&](std::size_t r, RunItemContext& item) {
                for (std::size_t i = r * run; i < std::min(items.size(), (r + 1) * run); ++i) lookAt(i, item.Worker());
            },
            [](std::size_t, RunApplyContext&) {});
    }

    const auto scope = [&](std::size_t i, RunScope& s) {
        const std::string folder = NormalizeFolderItem(items[i]);
        if (alone[i] || Vol07BareDrive(items[i]) || Vol07BareDrive(folder)) s.Serial();
        if (GetDrivePart(folder).empty() || (pooled && !opens[i])) return;
        s.Write(pooled && !real[i].empty() ? real[i] : folder);
    };
    const std::function<void(std::size_t, Vol07ItemOutcome&, RunItemContext&)> work =
        [&](std::size_t i, Vol07ItemOutcome& out, RunItemContext& item) {
            const std::string& text = items[i];
            const std::string folder = NormalizeFolderItem(text);
            Vol07Counters& ic = out.Counters;
            const auto count = [&](double& counter, int category, const std::string& line) {
                counter += 1;
                out.Lines.AddLine(category, line);
            };
            if (Vol07BareDrive(text) || Vol07BareDrive(folder)) {
                out.Refused = true;
                return;
            }
            if (GetDrivePart(folder).empty()) {
                count(ic.FoldersOtherReasons, Vol07CatFoldersOtherReasons, text);
                return;
            }
            ParentBases& mine = parents[item.Worker()];
            // Judged by the real folder that the text names as the file
            // system would read it, however it is spelt.
            plat::Beneath base;
            const std::string resolved = LexicallyResolved(folder);
            const FsResult opened = base.Open(resolved);
            // The folder that holds its name is its real parent (a mount's
            // root lies on another device than that).
            if (opened == FsResult::Ok && refusalOf(item.Worker()).Refuses(base, mine.Get(ParentText(resolved)))) {
                out.Refused = true;
                return;
            }
            if (UnusableFolderItem(folder)) {
                count(ic.FoldersOtherReasons, Vol07CatFoldersOtherReasons, folder);
                return;
            }
            if (opened != FsResult::Ok) {
                count(ic.MainFoldersNotExist, Vol07CatMainFoldersNotExist, folder);
                return;
            }
            if (mode == 0) return;
            DeleteFoldersContext ctx{disk, out.Lines, ic, in.ReadOnlyFolders, fence, mine};
            SmartDelete engine(folder, base, ctx);
            engine.SetMode(mode);
            engine.Run();
        };
    Vol07RunEnd end;
    const std::function<void(std::size_t, Vol07ItemOutcome&, RunApplyContext&)> apply =
        [&](std::size_t i, Vol07ItemOutcome& out, RunApplyContext& a) {
            ApplyItemLines(out.Lines, out.Counters, log, c);
            if (out.Refused) {
                out.Refused = false;
                end.Refused = true;
                end.RefusedFolder = items[i];
                a.Stop();
            }
        };
    RunPageItems<Vol07ItemOutcome>(items.size(), workers, scope, work, apply);
    return end;
}

void Vol07CountFoldersToDelete(Vol07Counters& c, const StringList& includeFolders, int mode) {
    double folders = 0, files = 0;
    if (!includeFolders.empty()) {
        ExamineSubFolders examine(includeFolders);
        examine.ExamineTopFolders();
        for (const std::string& item : examine.GetList()) {
            const std::string folder = NormalizeFolderItem(item);
            if (UnusableFolderItem(folder) || !plat::FolderExists(folder)) continue;
            FolderStructSize size(folder, true);
            if (mode == 3 || mode == 4) {
                size.Examine();
                folders += size.GetFolderCount() + (mode == 4 ? 1 : 0);
                files += size.GetFileCount();
            } else {
                size.ExamineRootWithMasks();
                files += size.GetMaskedFileCount();
            }
        }
    }
    c.FoldersToDelete = folders;
    c.FilesToDelete = files;
}
