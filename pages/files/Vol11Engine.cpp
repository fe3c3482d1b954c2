#include "pages/files/Vol11Engine.h"

#include <array>
#include <iterator>
#include <memory>
#include <numeric>
#include <optional>
#include <utility>

#include "core/PathTools.h"
#include "core/RemovalRules.h"
#include "core/Validation.h"
#include "core/WalkRule.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "pages/ListedFolders.h"
#include "pages/PageKinds.h"
#include "pages/PageMessages.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"

using namespace pagekit;

namespace {

StringList MainFolders(const Vol11Inputs& in) {
    return FoldersAsRead(in.IncludeFolders, !in.DeleteOnlyFilesInMainFolder);
}

// The text by which the run opens a main folder to delete in it; none for
// one it refuses by its text (no drive, a root).
std::string OpenedText(const std::string& folder) {
    return GetDrivePart(folder).empty() || IsDriveRootPath(folder) ? std::string() : folder;
}

// Every entry but a folder goes, by its name: a link as the link, a FIFO
// or a socket without being opened; folders stay.
bool Deletable(plat::EntryKind kind) { return TakesAsFile(kind, WalkTakes::ByName); }

// What a count takes in one main folder: entries, their bytes (when
// asked), and the characters of the paths the run names them by.
struct Taken {
    double files = 0, bytes = 0, lineBytes = 0;
    void Add(std::size_t pathBytes) {
        files += 1;
        lineBytes += static_cast<double>(pathBytes);
    }
};

// What the run takes in one main folder, as its engines list it: every
// entry but a folder that the masks take, in the folder alone or, with
// `tree`, in every folder below it that the walk enters too; and each
// folder the run cannot go through (one it cannot read; in a tree one no
// path names, one another file system is mounted on or one of the
// program's own), which stands for the files it holds. `sizes`: their
// bytes too.
void CountTaken(RunDisk& disk, plat::Beneath& base, const std::string& root, bool tree, const StringList& masks,
                const WalkFence& fence, bool sizes, Taken& counted) {
    std::vector<std::string> queue{root};
    std::vector<plat::DirEntry> entries, unsayable;
    plat::EntryInfo info;
    while (!queue.empty()) {
        const std::string folder = std::move(queue.back());
        queue.pop_back();
        // Listed as the run lists: what it sees is what it tries.
        if (!disk.ListKinds(base, folder, entries, &unsayable)) {
            if (disk.WhyNotListed(base, folder) != plat::NotListed::Gone) counted.Add(folder.size() + kReasonBytes);
            continue;
        }
        const auto path = [&folder](const plat::DirEntry& e) { return folder.size() + 1 + e.name.size(); };
        // An entry no path names is one the run names as not deleted.
        for (const plat::DirEntry& e : unsayable)
            if (Deletable(e.kind) ? MasksTake(masks, e.name) : tree && e.kind == plat::EntryKind::Folder)
                counted.Add(path(e) + kReasonBytes);
        for (const plat::DirEntry& e : entries) {
            if (e.kind == plat::EntryKind::Folder) {
                if (!tree) continue;
                if (fence.HoldsOwn({e.dev, e.ino}))
                    counted.Add(path(e) + kReasonBytes);
                else if (!fence.Holds({e.dev, e.ino}))
                    queue.push_back(JoinEntry(folder, e.name));
            } else if (Deletable(e.kind) && MasksTake(masks, e.name)) {
                counted.Add(path(e) + kReasonBytes * (e.kind != plat::EntryKind::File));
                if (sizes && e.kind == plat::EntryKind::File &&
                    disk.Look(base, JoinEntry(folder, e.name), info) == plat::FsResult::Ok)
                    counted.bytes += static_cast<double>(info.size);
            }
        }
    }
}

// Each main folder's files and bytes as the run will take them (MainFolders),
// read through `disk`; a folder listed again counts once, where first listed.
std::vector<Taken> CountMainFolders(const Vol11Inputs& in, RunDisk& disk, bool sizes) {
    const StringList mains = MainFolders(in);
    std::vector<Taken> counted(mains.size());
    if (mains.empty() || !(in.DeleteOnlyFilesInMainFolder || in.DeleteOnlyFiles)) return counted;
    // Each main folder read on the run pool: they only read, so they all
    // overlap, and the window paints while they count.
    const StringList masks = UsableFileMasks(in.Masks);
    WalkFence fence;
    FenceOwnOnPool(fence, in.ProgramFolder, in.WorkingDir);
    std::vector<std::optional<plat::FileIdentity>> ids(mains.size());
    JudgeOnPool(mains, in.ProgramFolder, in.WorkingDir, [&](std::size_t i, RunFolderRefusal& refusal) {
        // Judged as the run judges it: only a folder it deletes in counts.
        plat::Beneath base;
        if (OpenedText(mains[i]).empty() || !plat::FolderExists(mains[i]) || base.Open(mains[i]) != plat::FsResult::Ok)
            return;
        if (refusal.Refuses(base)) return;
        ids[i] = base.Identity();
        CountTaken(disk, base, mains[i], !in.DeleteOnlyFilesInMainFolder, masks, fence, sizes, counted[i]);
    });
    // A folder listed again (another spelling, a link) is deleted in once.
    const std::vector<char> repeated = RepeatedFolders(ids);
    for (std::size_t i = 0; i < mains.size(); ++i)
        if (repeated[i]) counted[i] = Taken();
    return counted;
}

}  // namespace

std::array<CounterLabel, 2> Vol11State::ToDeleteLabels() const {
    return {{{"lblStat11FoldersToDelete", FoldersToDelete}, {"lblStat11FilesToDelete", FilesToDelete}}};
}

std::array<CounterLabel, 7> Vol11State::ResultLabels() const {
    return {{{"lblStat11FoldersDeleted", FoldersDeleted},
             {"lblStat11FoldersNotExists", FoldersNotExists},
             // The window shows the main folders that do not exist here.
             {"lblStat11MainFoldersNotExist", FoldersNotExists},
             {"lblStat11FoldersOtherReasons", FoldersOtherReasons},
             {"lblStat11FilesDeleted", FilesDeleted},
             {"lblStat11FilesNotExists", FilesNotExists},
             {"lblStat11FilesOtherReasons", FilesOtherReasons}}};
}

void Vol11ClearTotals(Vol11State& s) { s.FoldersToDelete = s.FilesToDelete = s.BytesToDelete = 0; }

void Vol11ResetCounters(Vol11State& s) {
    s.FoldersDeleted = s.FilesDeleted = s.FoldersNotExists = s.FilesNotExists = s.FoldersOtherReasons =
        s.FilesOtherReasons = 0;
}

namespace {

std::array<StringList*, 5> ResultLists(Vol11State& s) {
    return {&s.Vol11FilesDeleted, &s.Vol11FilesNotExists, &s.Vol11FilesOtherReasons, &s.Vol11FoldersNotExists,
            &s.Vol11FoldersOtherReasons};
}

}  // namespace

void Vol11ClearResultLists(Vol11State& s) {
    for (StringList* list : ResultLists(s)) list->clear();
}

void Vol11CountFilesToDelete(Vol11State& state, const Vol11Inputs& in) {
    double files = 0, bytes = 0;
    RealDisk disk;  // the count only looks and lists
    for (const Taken& taken : CountMainFolders(in, disk, true)) {
        files += taken.files;
        bytes += taken.bytes;
    }
    state.FoldersToDelete = 0;
    state.FilesToDelete = files;
    state.BytesToDelete = bytes;
}

void DeleteFilesContext::GetDeleteFilesOneTotals(double totals[3]) const {
    for (int i = 0; i < 3; ++i) totals[i] = OneTotals[i];
}
void DeleteFilesContext::GetDeleteFilesTotals(double totals[3]) const {
    for (int i = 0; i < 3; ++i) totals[i] = WalkTotals[i];
}

// ---- one folder -------------------------------------------------------------------------

SmartDeleteFilesOne::SmartDeleteFilesOne(const std::string& folder, plat::Beneath& base, DeleteFilesContext& context)
    : folder_(folder), base_(base), ctx_(context) {}

namespace {

// A folder the run cannot go through stands for the files in it: one file
// not deleted, for another reason, named by the folder.
void NoteNotDone(DeleteFilesContext& ctx, const std::string& folder) {
    ctx.Count(1);
    ctx.Log.AddLine(Vol11CatFilesOtherReasons, folder);
    if (ctx.CountersChanged) ctx.CountersChanged();
}

// A folder that cannot be read is not one without files: it is one not
// done, and so is one another file system is mounted on, named with its reason.
void NoteNotRead(DeleteFilesContext& ctx, plat::Beneath& base, const std::string& folder) {
    const plat::NotListed why = ctx.Disk.WhyNotListed(base, folder);
    if (why != plat::NotListed::Gone)
        NoteNotDone(ctx, NotListedName(folder, why));
}

}  // namespace

void SmartDeleteFilesOne::List(std::vector<plat::DirEntry>& entries, std::vector<plat::DirEntry>& unsayable) {
    base_.Release();
    if (!ctx_.Disk.ListKinds(base_, folder_, entries, &unsayable)) NoteNotRead(ctx_, base_, folder_);
}

void SmartDeleteFilesOne::Execute() {
    std::vector<plat::DirEntry> entries, unsayable;
    List(entries, unsayable);
    DeleteMatching(ctx_.Masks, entries);
    LeaveUnsayable(ctx_.Masks, unsayable);
}

void SmartDeleteFilesOne::DeleteMatching(const std::string& mask) {
    std::vector<plat::DirEntry> entries, unsayable;
    List(entries, unsayable);
    const StringList masks = UsableFileMasks({mask});
    DeleteMatching(masks, entries);
    LeaveUnsayable(masks, unsayable);
}

void SmartDeleteFilesOne::DeleteMatching(const StringList& masks, const std::vector<plat::DirEntry>& entries) {
    for (const plat::DirEntry& e : entries) {
        // A link or a special file goes as the entry it is, never opened.
        if (!Deletable(e.kind) || !MasksTake(masks, e.name)) continue;
        DeleteOne(JoinEntry(folder_, e.name), e);
    }
}

void SmartDeleteFilesOne::LeaveUnsayable(const StringList& masks, const std::vector<plat::DirEntry>& unsayable) {
    for (const plat::DirEntry& e : unsayable) {
        if (!Deletable(e.kind) || !MasksTake(masks, e.name)) continue;
        ctx_.Count(1);
        ctx_.Log.AddLine(Vol11CatFilesOtherReasons, JoinEntry(folder_, e.name));
        if (ctx_.CountersChanged) ctx_.CountersChanged();
    }
}

void SmartDeleteFilesOne::DeleteOne(const std::string& path, const plat::DirEntry& e) {
    RunLog& log = ctx_.Log;
    // The program's own file stays: not deleted, for another reason.
    const plat::FsResult r = ctx_.Own && ctx_.Own->Holds({e.dev, e.ino})
                                 ? plat::FsResult::Failed
                                 : RemoveTakenFile(ctx_.Disk, base_, path, e.kind, ctx_.ReadOnlyFiles);
    if (r == plat::FsResult::Ok) {
        ctx_.Count(0);
        log.AddLine(Vol11CatFilesDeleted, path);
    } else if (r == plat::FsResult::NotFound) {
        ctx_.Count(1);
        ctx_.Count(2);
        log.AddLine(Vol11CatFilesNotExists, path);
        log.AddLine(Vol11CatFilesOtherReasons, path);
    } else {
        ctx_.Count(1);
        log.AddLine(Vol11CatFilesOtherReasons, path);
    }
    if (ctx_.CountersChanged) ctx_.CountersChanged();
}

// ---- a folder tree ------------------------------------------------------------------------

SmartDeleteFiles::SmartDeleteFiles(const std::string& root, plat::Beneath& base, DeleteFilesContext& context)
    : root_(root), base_(base), ctx_(context) {
    queue_.emplace(0, root_);
}

void SmartDeleteFiles::Execute() { Run(); }

void SmartDeleteFiles::Run() {
    // One walk with every mask: a file two masks take is deleted once.
    queue_.clear();
    queue_.emplace(0, root_);
    while (!queue_.empty()) ExamineLevel();
}

PAIR_NIVO_FOLDER_NAMES SmartDeleteFiles::TakeQueueEntry() {
    auto last = std::prev(queue_.end());
    PAIR_NIVO_FOLDER_NAMES entry = std::move(*last);
    queue_.erase(last);
    return entry;
}

void SmartDeleteFiles::ExamineLevel() {
    const std::string folder = TakeQueueEntry().second;
    std::vector<std::string> subfolders, own;
    std::vector<plat::DirEntry> files, unsayable;
    base_.Release();
    ctx_.ResetDeleteFilesOneTotals();
    if (!SplitListing(ctx_.Disk, base_, folder, ctx_.Fence, WalkTakes::ByName, subfolders, files, &own, &unsayable))
        NoteNotRead(ctx_, base_, folder);
    for (const std::string& fenced : own) NoteNotDone(ctx_, fenced);
    // A folder no path names is not entered either.
    for (const plat::DirEntry& e : unsayable)
        if (e.kind == plat::EntryKind::Folder) NoteNotDone(ctx_, JoinEntry(folder, e.name));
    SmartDeleteFilesOne one(folder, base_, ctx_);
    one.DeleteMatching(ctx_.Masks, files);
    one.LeaveUnsayable(ctx_.Masks, unsayable);
    double totals[3];
    ctx_.GetDeleteFilesOneTotals(totals);
    for (int i = 0; i < 3; ++i) ctx_.WalkTotals[i] += totals[i];
    ctx_.ResetDeleteFilesOneTotals();
    for (std::string& sub : subfolders) queue_.emplace(CountPathSeparators(sub), std::move(sub));
}

// ---- the run ----------------------------------------------------------------------------------

namespace {

// The result labels as the items applied so far stand during a run.
struct RunningTotals {
    double Totals[3] = {0, 0, 0};  // deleted, other reasons, no longer there
    std::array<CounterLabel, 6> Labels() const {
        return {{{"lblStat11FoldersDeleted", 0},
                 {"lblStat11FoldersNotExists", 0},
                 {"lblStat11FoldersOtherReasons", 0},
                 {"lblStat11FilesDeleted", Totals[0]},
                 {"lblStat11FilesNotExists", Totals[2]},
                 {"lblStat11FilesOtherReasons", Totals[1]}}};
    }
};

// What one main folder came to, kept until it is applied in list order.
struct Vol11Outcome {
    // Refused: a root; Own: one of the program's own folders, where the run stops.
    enum Folder { Walked, OtherReasons, Refused, Own, NotExists } Result = Walked;
    ItemLog Log;
    RunningTotals Totals;  // counted as its lines are added (the window follows them)
};

// One main folder: refused, missing, or its files deleted beneath its own
// handle. Touches nothing but the outcome.
void DeleteInMainFolder(const Vol11Inputs& in, const std::string& folder, RunDisk& disk, const StringList& masks,
                        const WalkFence& fence, const OwnFiles& own, RunFolderRefusal& refusal, Vol11Outcome& out) {
    plat::Beneath base;
    if (GetDrivePart(folder).empty()) {
        out.Result = Vol11Outcome::OtherReasons;
    } else if (IsDriveRootPath(folder)) {
        out.Result = Vol11Outcome::Refused;
    } else if (!plat::FolderExists(folder) || base.Open(folder) != plat::FsResult::Ok) {
        out.Result = Vol11Outcome::NotExists;
    } else if (refusal.IsOwnFolder(base)) {
        // The list named none (the run was refused before it began): this
        // one was swapped in since.
        out.Result = Vol11Outcome::Own;
    } else if (refusal.Refuses(base)) {
        out.Result = Vol11Outcome::Refused;
    }
    if (out.Result != Vol11Outcome::Walked) return;
    DeleteFilesContext ctx{disk, out.Log, masks, in.ReadOnlyFiles, fence, {}, &own};
    ctx.Live = out.Totals.Totals;
    if (in.DeleteOnlyFilesInMainFolder) {
        SmartDeleteFilesOne one(folder, base, ctx);
        one.Execute();
        ctx.GetDeleteFilesOneTotals(out.Totals.Totals);
    } else if (in.DeleteOnlyFiles) {
        SmartDeleteFiles walk(folder, base, ctx);
        walk.Execute();
        ctx.GetDeleteFilesTotals(out.Totals.Totals);
    }
}

// One main folder's outcome into the page, its lines into the log; what
// it was. Emptied in place: the lines' room stays for the slot's next item.
Vol11Outcome::Folder ApplyMainFolder(Vol11State& state, const std::string& folder, Vol11Outcome& out, RunLog& log,
                                     RunningTotals& running) {
    const Vol11Outcome::Folder result = out.Result;
    switch (out.Result) {
    case Vol11Outcome::Walked: break;
    case Vol11Outcome::Own: [[fallthrough]];
    case Vol11Outcome::Refused: [[fallthrough]];
    case Vol11Outcome::OtherReasons:
        state.FoldersOtherReasons += 1;
        state.Vol11FoldersOtherReasons.push_back(folder);
        log.AddLine(Vol11CatFoldersOtherReasons, folder);
        break;
    case Vol11Outcome::NotExists:
        state.FoldersNotExists += 1;
        state.Vol11FoldersNotExists.push_back(folder);
        log.AddLine(Vol11CatFoldersNotExists, folder);
        log.AddLine(Vol11CatMainFoldersNotExist, folder);
        break;
    }
    out.Log.ReplayInto(log);
    AddCounters(running, out.Totals);
    out.Result = Vol11Outcome::Walked;
    out.Totals = RunningTotals{};
    log.CountersChanged(running);
    return result;
}

// How many workers a run over main folders `folders` gets.
unsigned Workers(const StringList& folders) {
    return folders.empty() ? 1 : PageRunWorkers(folders.front(), plat::RunWork::Remove);
}

// The box that refuses one of the program's own folders.
PageMessage Vol11OwnFolderBox(const std::string& folder) {
    return {OwnFolderRefusal("DELETE", "Folder", folder), kFileRootRefusalCaption};
}

// Every main folder is an item of the run pool; a folder nested in another
// listed one waits for it, since both write below it. `counted`: the files
// the count for the run found in each main folder.
void DeleteAll(Vol11State& state, const Vol11Inputs& in, RunLog& log, RunDisk& disk, RunningTotals& running,
               const std::vector<double>& counted, double slotBytes) {
    const StringList masks = UsableFileMasks(in.Masks);
    WalkFence fence;
    FenceOwnOnPool(fence, in.ProgramFolder, in.WorkingDir);
    const OwnFiles own;
    const StringList folders = MainFolders(in);
    // A folder listed again (another spelling, a link) is deleted in once,
    // as the count counts it. A look that fails leaves folders unjudged
    // (the failure is said at the end).
    StringList opened;
    for (const std::string& folder : folders) opened.push_back(OpenedText(folder));
    const std::vector<char> repeated = RepeatedOnPool(opened);
    bool refused = false;
    const unsigned workers = Workers(folders);
    // Each worker opens the program's folders and the drives' roots once.
    WorkerRefusals refusals(workers, in.ProgramFolder, in.WorkingDir);
    PooledRun<Vol11Outcome> run;
    run.Items = folders.size();
    run.Workers = workers;
    run.SlotBytes = slotBytes;
    run.Scope = [&](std::size_t i, RunScope& scope) {
        if (!repeated[i]) scope.Write(folders[i]);
    };
    run.Work = [&](std::size_t i, Vol11Outcome& out, RunItemContext& ctx) {
        if (repeated[i]) return;
        DeleteInMainFolder(in, folders[i], disk, masks, fence, own, refusals.Of(ctx.Worker()), out);
        // Gone since its count: its files go unseen, named by the main folder.
        if (out.Result == Vol11Outcome::NotExists && i < counted.size()) out.Totals.Totals[1] += counted[i];
        if (out.Result == Vol11Outcome::Own) ctx.Stop();  // nothing after it starts
    };
    run.Apply = [&](std::size_t i, Vol11Outcome& out, RunApplyContext& ctx) {
        const Vol11Outcome::Folder result = ApplyMainFolder(state, folders[i], out, log, running);
        refused = refused || result == Vol11Outcome::Refused;
        if (result != Vol11Outcome::Own) return;
        ctx.Show(Vol11OwnFolderBox(folders[i]).text, kFileRootRefusalCaption, kWarn);
        ctx.Stop();
    };
    // The totals move with the lines, as the head item's are published.
    run.Stream = StreamLines(&Vol11Outcome::Log, &Vol11Outcome::Totals, log, running);
    run.Name = [&](std::size_t i) { return folders[i]; };
    RunPageItems(run);
    if (refused)
        plat::MessageBox("You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
                         kFileRootRefusalCaption, kWarn);
}

void Totals(Vol11State& state, const RunningTotals& running) {
    state.FilesDeleted += running.Totals[0];
    state.FilesOtherReasons += running.Totals[1];
    state.FilesNotExists += running.Totals[2];
}

// What the count for a run read: the files of each main folder, and the
// listings the run takes over.
struct Vol11Counted {
    ListingRecord listings;
    std::vector<double> files, lineBytes;  // by main folder
    double Total() const { return std::accumulate(files.begin(), files.end(), 0.0); }
    // What main folder i's outcome slot keeps: its lines.
    double SlotBytes(std::size_t i) const {
        return kept::SlotFixed(sizeof(Vol11Outcome), lineBytes[i]) + Weigh(files[i], lineBytes[i], kept::kSlotLine);
    }
    double LargestSlot() const {
        double most = 0;
        for (std::size_t i = 0; i < files.size(); ++i) most = std::max(most, SlotBytes(i));
        return most;
    }
};

// Each file taken named in the log (the simulation pretends it gone), and
// a main folder the run names; each main folder's lines wait in its slot
// until it is applied. (The listings the count read are held already.)
RunMemoryNeed MemoryNeed(const Vol11Counted& counted, const Vol11Inputs& in, bool simulation) {
    using namespace kept;
    const double files = counted.Total(), mains = static_cast<double>(in.IncludeFolders.size());
    const double chars = std::accumulate(counted.lineBytes.begin(), counted.lineBytes.end(), 0.0);
    const double mainChars = TotalLength(in.IncludeFolders);
    const unsigned workers = PoolThreads(Workers(MainFolders(in)), static_cast<double>(counted.files.size()));
    RunMemoryNeed need{files + mains, RunBase(workers) + 6 * kListUnused, chars + mainChars};
    // Each main folder: its two lines, its place in the page's list, and
    // the run's list of them as read and its name in its outcome.
    need.bytes += Weigh(files, chars, simulation ? kLine + kDryFile : kLine) +
                  Weigh(mains, mainChars, 2 * kLine + 3 * kListPath);
    std::vector<double> slots;
    for (std::size_t i = 0; i < counted.files.size(); ++i) slots.push_back(counted.SlotBytes(i));
    need.bytes += SlotsWeight(slots, workers);
    if (simulation) need.bytes += DryBase(need.entries > 0 ? need.lines / need.entries : 0, workers);
    return need;
}

// The frame of the run and of its twin on the dry disk, without questions and end.
RunFrame Vol11Frame(Vol11State& state, const Vol11Inputs& in, RunLog& log, bool simulation, Vol11Counted& counted) {
    RunFrame frame;
    frame.Simulation = simulation;
    // Counted from the disk as it is now (what stayed after an earlier run
    // too), the run to meet what was counted; the page's counters are the
    // last run's until the run starts.
    frame.Count = [&in, &counted] {
        counted.files.clear();
        counted.lineBytes.clear();
        const CountingBusy counting;
        for (const Taken& taken : CountMainFolders(in, counted.listings, false)) {
            counted.files.push_back(taken.files);
            counted.lineBytes.push_back(taken.lineBytes);
        }
    };
    frame.Memory = [&in, &counted, simulation] { return MemoryNeed(counted, in, simulation); };
    frame.MemoryTopic = kVol11Topic;
    frame.MemoryAction = "Narrow the lists or the file selection.";
    frame.Room = [&state] {
        double bytes = 0;
        for (const StringList* list : ResultLists(state)) bytes += ListBytes(*list);
        return bytes;
    };
    // No label shows the bytes: the refresh's stay.
    frame.Start = [&state, &counted] {
        Vol11ResetCounters(state);
        state.FoldersToDelete = 0;
        state.FilesToDelete = counted.Total();
        Vol11ClearResultLists(state);
    };
    frame.Counters = [&state] {
        std::vector<CounterLabel> labels;
        for (const CounterLabel& l : state.ToDeleteLabels()) labels.push_back(l);
        for (const CounterLabel& l : state.ResultLabels()) labels.push_back(l);
        return labels;
    };
    frame.ShowLog = in.ShowDetailedResults;
    frame.OwnFolders = {in.IncludeFolders, in.ProgramFolder, in.WorkingDir, Vol11OwnFolderBox};
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.Work = [&state, &in, &log, &counted](RunDisk& disk) {
        RunningTotals running;
        counted.listings.Answer(disk);
        DeleteAll(state, in, log, counted.listings, running, counted.files, counted.LargestSlot());
        Totals(state, running);
    };
    return frame;
}

}  // namespace

void Vol11RunDeleteFiles(Vol11State& state, const Vol11Inputs& in, RunLog& log, const RunHooks& hooks) {
    const std::string body =
        "Do you want to DELETE Files PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop the "
        "Delete process.\n\n\n\nNote: If the <Select Files> button is active, only the Selected Files will be used.";
    Vol11Counted counted;
    RunFrame frame = Vol11Frame(state, in, log, false, counted);
    const std::string first = in.DeleteDoubleConfirm ? "First Confirmation for DELETING Folders/Files\n\n"
                                                     : "Final Confirmation for DELETING Folders/Files\n\n";
    frame.Questions = {{first + body, MessageCaption(kVol11RunTopic, "Information", "110030")}};
    if (in.DeleteDoubleConfirm)
        frame.Questions.push_back({"Final Confirmation for DELETING Folders/Files\n\n" + body,
                                   MessageCaption(kVol11RunTopic, "Information", "110031")});
    frame.IncludeEmptyMessage = {
        "The Include Folder list is empty !!!\nYou must enter at least one Folder to Delete folders.",
        MessageCaption(kVol11Topic, "Warning", "110035", "           ")};
    frame.End = {"End of the Delete process !!!", MessageCaption(kVol11Topic, "Information", "110034")};
    RunOnFrame(frame, log, hooks);
}

void Vol11SimulateDeleteFiles(const Vol11State& state, const Vol11Inputs& in, RunLog& log, const RunHooks& hooks) {
    // The Visual Log shows the simulation; the page keeps its counts and
    // lists.
    Vol11State dry = state;
    Vol11Counted counted;
    RunOnFrame(Vol11Frame(dry, in, log, true, counted), log, hooks);
}
