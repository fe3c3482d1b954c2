#include "pages/folders/Vol07Engine.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

#include "core/PathTools.h"
#include "core/RemovalRules.h"
#include "core/Validation.h"
#include "core/WalkRule.h"
#include "pages/AttachWalk.h"
#include "pages/ListedFolders.h"
#include "pages/PageKinds.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"

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
    : rootFolder_(root), base_(&base), ctx_(&context) {}

void SmartDelete::Restart(const std::string& root, plat::Beneath& base, DeleteFoldersContext& context) {
    rootFolder_.assign(root);
    base_ = &base;
    ctx_ = &context;
}

void SmartDelete::Run() {
    workQueue_.clear();
    workQueue_.emplace_back(0, rootFolder_);
    collectedFolders_.clear();
    try {
        while (!workQueue_.empty()) ExamineLevel();
        DeleteCollected();
    } catch (...) {
        RestoreModes();  // while the folders' base is still open
        throw;
    }
    RestoreModes();
}

PAIR_NIVO_FOLDER_NAMES SmartDelete::TakeQueueEntry() {
    PAIR_NIVO_FOLDER_NAMES entry = std::move(workQueue_.front());
    workQueue_.pop_front();
    return entry;
}

void SmartDelete::Count(double& counter, int category, const std::string& line) {
    counter += 1;
    ctx_->Log.AddLine(category, line);
}

void SmartDelete::Count(double& counter, int category, double& second, int secondCategory, const std::string& line) {
    counter += 1;
    second += 1;
    ctx_->Log.AddLine(category, line);
    ctx_->Log.AddLine(secondCategory, line);
}

void SmartDelete::ExamineLevel() {
    const auto [level, folder] = TakeQueueEntry();
    const bool collected = mode_ == 3 || (mode_ == 1 && level > 0);
    if (collected) collectedFolders_.push_back(folder);
    Vol07Counters& c = ctx_->Counters;
    // Listed through the handles of the folders above it, taken without
    // passing a link; what is deleted in it is deleted in the folder listed.
    // A folder that cannot be listed (or is no longer a folder) is not
    // entered; its removal later tells what became of it. One that is not
    // to be removed (a main folder that stays) and could not be read is an
    // item of its own, not deleted. One another file system is mounted on
    // is never entered, so never emptied: it stays, named with its reason.
    if (!ctx_->Disk.ListKinds(*base_, folder, entries_, &unsayable_)) {
        const plat::NotListed why = ctx_->Disk.WhyNotListed(*base_, folder);
        if (PassedFolder(why)) {
            if (collected) collectedFolders_.pop_back();
            Count(c.FoldersOtherReasons, Vol07CatFoldersOtherReasons, NotListedName(folder, why));
        } else if (!collected && why == plat::NotListed::Unreadable) {
            Count(c.FoldersOtherReasons, Vol07CatFoldersOtherReasons, folder);
        }
        return;
    }
    const unsigned long childLevel = CountPathSeparators(folder) + 1;
    for (const plat::DirEntry& e : entries_) {
        std::string path = JoinEntry(folder, e.name);
        if (e.kind == plat::EntryKind::Folder) {
            if (ctx_->Fence.Holds({e.dev, e.ino}))
                Count(c.FoldersOtherReasons, Vol07CatFoldersOtherReasons, path);
            else
                workQueue_.emplace_back(childLevel, std::move(path));
            continue;
        }
        // A file, a link or a special file: the name goes, nothing is opened.
        FsResult r = RemoveTakenFile(ctx_->Disk, *base_, path, e.kind, ctx_->ReadOnlyFolders);
        if (r == FsResult::Failed && MakeWritable(folder))
            r = RemoveTakenFile(ctx_->Disk, *base_, path, e.kind, ctx_->ReadOnlyFolders);
        if (r == FsResult::Ok)
            Count(c.FilesDeleted, Vol07CatFilesDeleted, path);
        else if (r == FsResult::NotFound)
            Count(c.FilesNotExists, Vol07CatFilesNotExists, c.FilesOtherReasons, Vol07CatFilesOtherReasons, path);
        else
            Count(c.FilesOtherReasons, Vol07CatFilesOtherReasons, path);
    }
    // No path names these: neither entered nor removed, each said by its
    // name (and the folder holding one stays).
    for (const plat::DirEntry& e : unsayable_) {
        if (e.kind == plat::EntryKind::Folder)
            Count(c.FoldersOtherReasons, Vol07CatFoldersOtherReasons, JoinEntry(folder, e.name));
        else
            Count(c.FilesOtherReasons, Vol07CatFilesOtherReasons, JoinEntry(folder, e.name));
    }
}

void SmartDelete::DeleteCollected() {
    Vol07Counters& c = ctx_->Counters;
    for (std::size_t i = collectedFolders_.size(); i-- > 0;) {
        const std::string& folder = collectedFolders_[i];
        const bool isRoot = i == 0 && mode_ == 3;
        plat::Beneath* base = BaseOf(folder);
        FsResult r = FsResult::Failed;
        if (base) {
            const plat::FileIdentity root = base_->Identity();
            r = ctx_->Disk.RemoveFolder(*base, folder, isRoot ? &root : nullptr);
            // Only a folder of the tree gets its write bit, never the root's parent.
            if (r == FsResult::Failed && !isRoot && MakeWritable(std::string(ParentText(folder))))
                r = ctx_->Disk.RemoveFolder(*base, folder);
        }
        if (r == FsResult::Changed && base) {
            // No longer the folder listed: a link put in its place goes as
            // the link it is; anything else stays.
            plat::EntryInfo info;
            if (ctx_->Disk.Look(*base, folder, info) == FsResult::Ok && info.kind == plat::EntryKind::Link &&
                ctx_->Disk.RemoveFile(*base, folder) == FsResult::Ok) {
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
    if (path != rootFolder_) return base_;
    // The root's parent by its text: the root itself must be what is found
    // there (its removal names the identity held).
    plat::Beneath* parent = ctx_->Parents.Get(ParentText(rootFolder_));
    if (parent) parent->Release();
    return parent;
}

bool SmartDelete::MakeWritable(const std::string& folder) {
    // Asked once per folder, and only when something in it would not go.
    if (!ctx_->ReadOnlyFolders || !triedWritable_.insert(folder).second || !base_->Holds(folder)) return false;
    emptied_.push_back(std::make_unique<FolderToEmpty>(ctx_->Disk, *base_, folder, true));
    return emptied_.back()->Writable();
}

void SmartDelete::RestoreModes() {
    // Each gives its folder the old mode back where it still stands.
    while (!emptied_.empty()) emptied_.pop_back();
    triedWritable_.clear();
}

// ---- the run --------------------------------------------------------------------------------------

bool Vol07BareDrive(const std::string& path) {
    // The trimmed text's length, counted in place.
    std::size_t begin = 0, end = path.size();
    while (begin < end && static_cast<unsigned char>(path[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(path[end - 1]) <= 32) --end;
    return end - begin <= 3 || IsDriveRootPath(path);
}

namespace {

// The text by which a main folder is opened where the run may delete in
// it; none for a bare drive, an item without a drive or one the run refuses
// by its text.
std::string OpenedText(const std::string& item, const std::string& folder) {
    if (Vol07BareDrive(item) || Vol07BareDrive(folder) || GetDrivePart(folder).empty() || UnusableFolderItem(folder))
        return {};
    return LexicallyResolved(folder);
}

// One main folder's outcome on the run pool.
struct Vol07ItemOutcome {
    ItemLog Lines;
    Vol07Counters Counters;
    bool Refused = false;
    bool ProgramFolder = false;
};

// How many workers a run over the main folders `mains` (MainFoldersAsRead)
// gets: one main folder is one item, nothing to overlap.
unsigned Vol07Workers(const StringList& mains) {
    return mains.size() < 2 ? 1 : PageRunWorkers(NormalizeFolderItem(mains.front()), plat::RunWork::Remove);
}

// What main folder `share`'s outcome slot keeps: its lines.
double ItemSlotBytes(const Vol07Share& share) {
    return kept::SlotFixed(sizeof(Vol07ItemOutcome), share.LineBytes) + Weigh(share.Folders + share.Files, share.LineBytes, kept::kSlotLine);
}

// The run over the top-most main folders: each one an item of the run pool.
class Vol07Run {
public:
    Vol07Run(Vol07Counters& counters, const Vol07Inputs& in, RunDisk& disk, RunLog& log,
             const std::vector<Vol07Share>* counted)
        : c_(counters), in_(in), disk_(disk), log_(log), counted_(counted),
          mode_(in.DeleteSubFolders ? 1 : in.DeleteCompleteFolders ? 3 : 0) {
        items_ = MainFoldersAsRead(in.IncludeFolders, true);
        // Each item's text as the run uses it, and whether it is a bare
        // drive, once for its look, scope and work.
        folders_.reserve(items_.size());
        bare_.reserve(items_.size());
        for (const std::string& item : items_) {
            folders_.push_back(NormalizeFolderItem(item));
            bare_.push_back(Vol07BareDrive(item) || Vol07BareDrive(folders_.back()));
        }
        FenceOwnOnPool(fence_, in.ProgramFolder, in.WorkingDir);
    }

    Vol07RunEnd Run() {
        // A folder the list names twice (other spellings, a link) is
        // deleted in once, as the count counts it once. A look that fails
        // leaves folders unjudged (the failure is said at the end).
        StringList opened;
        for (std::size_t i = 0; i < items_.size(); ++i) opened.push_back(OpenedText(items_[i], folders_[i]));
        repeated_ = RepeatedOnPool(opened);
        PooledRun<Vol07ItemOutcome> run;
        run.Items = items_.size();
        if (counted_)
            for (const Vol07Share& share : *counted_) run.SlotBytes = std::max(run.SlotBytes, ItemSlotBytes(share));
        run.Workers = Vol07Workers(items_);
        const bool pooled = run.Workers > 1;
        refusals_.emplace(run.Workers, in_.ProgramFolder, in_.WorkingDir);
        parents_.resize(run.Workers);
        engines_.resize(run.Workers);
        alone_.assign(items_.size(), 0);
        // One worker deletes the main folders one after another: nothing to
        // keep apart, nothing to run alone.
        if (pooled) {
            real_.resize(items_.size());
            opens_.assign(items_.size(), 0);
            run.Look = [this](std::size_t i, unsigned worker) { Look(i, worker); };
            run.Scope = [this](std::size_t i, RunScope& scope) { Scope(i, scope); };
        }
        run.Work = [this](std::size_t i, Vol07ItemOutcome& out, RunItemContext& ctx) {
            Work(i, out, ctx.Worker());
            // Nothing after a refused main folder starts (one it did not run
            // alone for had only the workers' other items beside it).
            if (out.Refused) ctx.Stop();
        };
        run.Apply = [this](std::size_t i, Vol07ItemOutcome& out, RunApplyContext& ctx) { Apply(i, out, ctx); };
        run.Stream = StreamLines(&Vol07ItemOutcome::Lines, &Vol07ItemOutcome::Counters, log_, c_);
        run.Name = [this](std::size_t i) { return items_[i]; };
        RunPageItems(run);
        return end_;
    }

private:
    // Each worker's: the program's folders and the drives' roots opened once.
    RunFolderRefusal& RefusalOf(unsigned worker) { return refusals_->Of(worker); }

    // On the pool, before anything is removed: the folder as the kernel
    // names it (so that a text through a link meets the folder it reaches
    // in the scopes), and whether it is refused, so that it runs alone and
    // nothing after it starts before the run knows whether it stops there.
    // It only informs: every item is judged again in its own work, on the
    // very handle its delete uses, since a folder on its path may be
    // swapped for a link meanwhile.
    void Look(std::size_t i, unsigned worker) {
        const std::string& folder = folders_[i];
        if (bare_[i] || GetDrivePart(folder).empty()) return;
        plat::Beneath base;
        if (base.Open(LexicallyResolved(folder)) != FsResult::Ok) return;
        opens_[i] = 1;
        real_[i] = base.RealNative();
        alone_[i] = RefusalOf(worker).Refuses(base);
    }

    // A main folder writes itself; one that did not exist at the look
    // writes nothing (a run that only removes makes none).
    void Scope(std::size_t i, RunScope& s) const {
        const std::string& folder = folders_[i];
        if (repeated_[i]) return;
        if (alone_[i] || bare_[i]) s.Serial();
        if (GetDrivePart(folder).empty() || !opens_[i]) return;
        s.Write(real_[i].empty() ? folder : real_[i]);
    }

    void Work(std::size_t i, Vol07ItemOutcome& out, unsigned worker) {
        const std::string& text = items_[i];
        const std::string& folder = folders_[i];
        Vol07Counters& ic = out.Counters;
        const auto count = [&](double& counter, int category, const std::string& line) {
            counter += 1;
            out.Lines.AddLine(category, line);
        };
        if (repeated_[i]) return;
        // A folder the run may not touch is named among those not deleted,
        // and the run stops there.
        if (bare_[i]) {
            out.Refused = true;
            return count(ic.FoldersOtherReasons, Vol07CatFoldersOtherReasons, text);
        }
        if (GetDrivePart(folder).empty()) return count(ic.FoldersOtherReasons, Vol07CatFoldersOtherReasons, text);
        // Judged by the real folder that the text names as the file system
        // would read it, however it is spelt, and by the folder above the
        // handle the delete uses (a mount's root lies on another device).
        plat::Beneath base;
        const FsResult opened = base.Open(LexicallyResolved(folder));
        if (opened == FsResult::Ok && RefusalOf(worker).Refuses(base)) {
            out.Refused = true;
            out.ProgramFolder = RefusalOf(worker).IsOwnFolder(base);
            return count(ic.FoldersOtherReasons, Vol07CatFoldersOtherReasons, text);
        }
        if (UnusableFolderItem(folder)) return count(ic.FoldersOtherReasons, Vol07CatFoldersOtherReasons, folder);
        if (opened != FsResult::Ok) {
            // Gone since its count: what was counted in it goes unseen, named by the main folder.
            if (counted_ && i < counted_->size()) {
                ic.FoldersOtherReasons += (*counted_)[i].Folders;
                ic.FilesOtherReasons += (*counted_)[i].Files;
            }
            return count(ic.MainFoldersNotExist, Vol07CatMainFoldersNotExist, folder);
        }
        if (mode_ == 0) return;
        DeleteFoldersContext ctx{disk_, out.Lines, ic, in_.ReadOnlyFolders, fence_, parents_[worker]};
        std::unique_ptr<SmartDelete>& engine = engines_[worker];
        if (!engine)
            engine = std::make_unique<SmartDelete>(folder, base, ctx);
        else
            engine->Restart(folder, base, ctx);
        engine->SetMode(mode_);
        engine->Run();
    }

    void Apply(std::size_t i, Vol07ItemOutcome& out, RunApplyContext& ctx) {
        ApplyItemLines(out.Lines, out.Counters, log_, c_);
        if (!out.Refused) return;
        out.Refused = false;
        end_.Refused = true;
        end_.ProgramFolder = std::exchange(out.ProgramFolder, false);
        end_.RefusedFolder = items_[i];
        ctx.Stop();
    }

    Vol07Counters& c_;
    const Vol07Inputs& in_;
    RunDisk& disk_;
    RunLog& log_;
    const std::vector<Vol07Share>* counted_;  // the count's share of each main folder, if it counted
    const unsigned mode_;
    StringList items_;
    std::vector<std::string> folders_;  // each item normalised
    std::vector<char> bare_;            // each item a bare drive
    std::vector<char> repeated_;        // each item a folder an earlier one names
    WalkFence fence_;
    std::optional<WorkerRefusals> refusals_;  // as many as the run has workers
    std::vector<ParentBases> parents_;  // each worker's
    std::vector<std::unique_ptr<SmartDelete>> engines_;  // each worker's, kept for its room
    // On the pool, each item's look: refused (runs alone), opened, its real folder.
    std::vector<char> alone_, opens_;
    std::vector<std::string> real_;
    Vol07RunEnd end_;
};

}  // namespace

Vol07RunEnd Vol07DeleteMainFolders(Vol07Counters& c, const Vol07Inputs& in, RunDisk& disk, RunLog& log,
                                   const std::vector<Vol07Share>* counted) {
    return Vol07Run(c, in, disk, log, counted).Run();
}

RunMemoryNeed Vol07MemoryNeed(const Vol07Inputs& in, const std::vector<Vol07Share>& shares, bool simulation) {
    using namespace kept;
    // Each entry deleted is named in the log; the simulation pretends it
    // gone. Each main folder's lines wait in its slot until it is applied.
    const unsigned workers =
        PoolThreads(Vol07Workers(MainFoldersAsRead(in.IncludeFolders, true)), static_cast<double>(shares.size()));
    RunMemoryNeed need{0, RunBase(workers) + 5 * kListUnused, 0};
    std::vector<double> slots;
    for (const Vol07Share& share : shares) {
        need.entries += share.Folders + share.Files;
        need.lines += share.LineBytes;
        need.bytes += Weigh(share.Folders + share.Files, share.LineBytes, kLine);
        if (simulation) need.bytes += Weigh(share.Folders, 0, kDryFolder) + Weigh(share.Files, 0, kDryFile);
        slots.push_back(ItemSlotBytes(share));
    }
    need.bytes += SlotsWeight(slots, workers);
    if (simulation) need.bytes += DryBase(need.entries > 0 ? need.lines / need.entries : 0, workers);
    return need;
}

namespace {

// What a main folder holds as the run will count it: every folder below it
// (one the run does not enter counts once) and every other entry, a link
// or a special file as much as a file. A main folder that stays and cannot
// be read is one folder the run names as not deleted.
void CountBelow(RunDisk& disk, plat::Beneath& base, const std::string& root, bool rootStays, const WalkFence& fence,
                Vol07Share& out) {
    std::deque<std::string> queue{root};
    std::vector<plat::DirEntry> entries, unsayable;
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        if (!disk.ListKinds(base, folder, entries, &unsayable)) {
            if (rootStays && folder == root && disk.WhyNotListed(base, folder) == plat::NotListed::Unreadable) {
                out.Folders += 1;
                out.LineBytes += static_cast<double>(folder.size());
            }
            continue;
        }
        const auto path = [&folder](const plat::DirEntry& e, std::size_t more = 0) {
            return static_cast<double>(folder.size() + 1 + e.name.size() + more);
        };
        // The run names each of these among what it did not delete.
        for (const plat::DirEntry& e : unsayable) {
            (e.kind == plat::EntryKind::Folder ? out.Folders : out.Files) += 1;
            out.LineBytes += path(e, kReasonBytes);
        }
        for (const plat::DirEntry& e : entries) {
            if (e.kind != plat::EntryKind::Folder) {
                out.Files += 1;
                out.LineBytes += path(e, e.kind == plat::EntryKind::File ? 0 : kReasonBytes);
                continue;
            }
            out.Folders += 1;
            out.LineBytes += path(e, kReasonBytes * fence.Holds({e.dev, e.ino}));
            if (!fence.Holds({e.dev, e.ino})) queue.push_back(JoinEntry(folder, e.name));
        }
    }
}

}  // namespace

void Vol07CountFoldersToDelete(Vol07Counters& c, const StringList& includeFolders, int mode, RunDisk& disk,
                               const WalkFence& fence, const std::string& programFolder,
                               const std::string& workingDir, std::vector<Vol07Share>* shares) {
    c.FoldersToDelete = c.FilesToDelete = 0;
    if (shares) shares->clear();
    if (includeFolders.empty()) return;
    const StringList mains = MainFoldersAsRead(includeFolders, true);
    const bool walks = mode == 3 || mode == 4;
    // Every line is judged whether it is one of the program's own folders,
    // each in the item that reads its folder: the main folders first, then
    // the lines below them. No pass over the list goes ahead of the walks:
    // on a share that answers the lookups in one folder one at a time, it
    // would keep them all waiting.
    StringList judged = mains;
    {
        std::unordered_set<std::string> texts;
        for (const std::string& main : mains) texts.insert(NormalizeFolderItem(main));
        for (const std::string& line : includeFolders) {
            std::string text = NormalizeFolderItem(line);
            if (!text.empty() && texts.insert(std::move(text)).second) judged.push_back(line);
        }
    }
    // Each main folder on the pool: they only read, so they all overlap,
    // and the window paints while they count.
    std::vector<Vol07Share> counts(mains.size());
    std::vector<char> refused(mains.size(), 0), own(judged.size(), 0);
    std::vector<std::optional<plat::FileIdentity>> ids(mains.size());
    const bool read = JudgeOnPool(judged, programFolder, workingDir, [&](std::size_t i, RunFolderRefusal& refusal) {
        // Judged as the run judges it, on the folder its text reaches.
        const std::string folder = NormalizeFolderItem(judged[i]);
        plat::Beneath base;
        const bool opened = !GetDrivePart(folder).empty() && base.Open(LexicallyResolved(folder)) == FsResult::Ok;
        own[i] = opened && refusal.IsOwnFolder(base);
        if (own[i] || i >= mains.size() || !walks) return;
        if (Vol07BareDrive(judged[i]) || Vol07BareDrive(folder)) {
            refused[i] = 1;
            return;
        }
        if (!opened) return;
        refused[i] = refusal.Refuses(base);
        if (refused[i] || UnusableFolderItem(folder)) return;
        ids[i] = base.Identity();
        if (mode == 4) {
            counts[i].Folders += 1;
            counts[i].LineBytes += static_cast<double>(folder.size());
        }
        CountBelow(disk, base, folder, mode == 3, fence, counts[i]);
    });
    // A list that names one of the program's own folders deletes nothing;
    // a count that failed counts nothing.
    if (!read || std::find(own.begin(), own.end(), 1) != own.end()) return;
    // Without a mode the run deletes nothing.
    if (!walks) return;
    // The run stops at a main folder it refuses: nothing from there on goes.
    // A folder listed again (another spelling, a link) goes once.
    const std::vector<char> repeated = RepeatedFolders(ids);
    if (shares) shares->resize(mains.size());
    for (std::size_t i = 0; i < counts.size() && !refused[i]; ++i) {
        if (repeated[i]) continue;
        c.FoldersToDelete += counts[i].Folders;
        c.FilesToDelete += counts[i].Files;
        if (shares) (*shares)[i] = counts[i];
    }
}

void Vol07CountFoldersToDelete(Vol07Counters& c, const StringList& includeFolders, int mode) {
    DryDisk disk;  // only reads: what the disk holds
    Vol07CountFoldersToDelete(c, includeFolders, mode, disk, WalkFence(), "", "");
}

void Vol07CountFoldersToDelete(Vol07Counters& c, const StringList& includeFolders, int mode,
                               const std::string& programFolder, const std::string& workingDir) {
    WalkFence fence;
    FenceOwnOnPool(fence, programFolder, workingDir);
    DryDisk disk;  // the count only reads
    Vol07CountFoldersToDelete(c, includeFolders, mode, disk, fence, programFolder, workingDir);
}

int Vol07CountMode(const Vol07Inputs& in) { return in.DeleteSubFolders ? 3 : in.DeleteCompleteFolders ? 4 : 2; }

void Vol07CountForRun(Vol07Counters& c, const Vol07Inputs& in, ListingRecord& listings,
                      std::vector<Vol07Share>& shares) {
    // Fenced as the run's walks are: what the count does not enter, the run does not either.
    WalkFence fence;
    FenceOwnOnPool(fence, in.ProgramFolder, in.WorkingDir);
    Vol07CountFoldersToDelete(c, in.IncludeFolders, Vol07CountMode(in), listings, fence, in.ProgramFolder,
                              in.WorkingDir, &shares);
}
