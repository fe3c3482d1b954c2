#include "pages/files/Vol11Engine.h"

#include <iterator>

#include "core/ExamineSubFolders.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/RemovalRules.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "pages/PageMessages.h"

using namespace pagekit;

namespace {

double oneTotals[3] = {0, 0, 0};
double walkTotals[3] = {0, 0, 0};

StringList MainFolders(const Vol11Inputs& in) {
    ExamineSubFolders examine(in.IncludeFolders);
    if (in.DeleteOnlyFilesInMainFolder)
        examine.ExamineSorted();
    else
        examine.ExamineTopFolders();
    return examine.GetList();
}

}  // namespace

std::array<CounterLabel, 2> Vol11State::ToDeleteLabels() const {
    return {{{"lblStat11FoldersToDelete", FoldersToDelete}, {"lblStat11FilesToDelete", FilesToDelete}}};
}

std::array<CounterLabel, 6> Vol11State::ResultLabels() const {
    return {{{"lblStat11FoldersDeleted", FoldersDeleted},
             {"lblStat11FoldersNotExists", FoldersNotExists},
             {"lblStat11FoldersOtherReasons", FoldersOtherReasons},
             {"lblStat11FilesDeleted", FilesDeleted},
             {"lblStat11FilesNotExists", FilesNotExists},
             {"lblStat11FilesOtherReasons", FilesOtherReasons}}};
}

void Vol11ClearTotals(Vol11State& s) { s.FoldersToDelete = s.FilesToDelete = s.BytesToDelete = s.CarryOver = 0; }

void Vol11ResetCounters(Vol11State& s) {
    s.FoldersDeleted = s.FilesDeleted = s.FoldersNotExists = s.FilesNotExists = s.FoldersOtherReasons =
        s.FilesOtherReasons = 0;
}

void Vol11ClearResultLists(Vol11State& s) {
    for (StringList* list : {&s.Vol11FilesDeleted, &s.Vol11FilesNotExists, &s.Vol11FilesOtherReasons,
                             &s.Vol11FoldersNotExists, &s.Vol11FoldersOtherReasons})
        list->clear();
}

void Vol11CountFilesToDelete(Vol11State& state, const Vol11Inputs& in, int mode) {
    double files = 0, bytes = 0;
    if (!in.IncludeFolders.empty()) {
        for (const std::string& folder : MainFolders(in)) {
            FolderStructSize size(folder);
            size.SetFileMasks(in.Masks);
            if (mode == 1)
                size.ExamineWithMasks();
            else
                size.ExamineRootWithMasks();
            // A file two masks take is deleted once.
            for (const auto& [path, b] : size.GetMaskedFileMap()) {
                files += 1;
                bytes += static_cast<double>(b);
            }
        }
    }
    state.FoldersToDelete = 0;
    state.FilesToDelete = files;
    state.BytesToDelete = bytes;
}

void ResetDeleteFilesOneTotals() { oneTotals[0] = oneTotals[1] = oneTotals[2] = 0; }
void GetDeleteFilesOneTotals(double totals[3]) {
    for (int i = 0; i < 3; ++i) totals[i] = oneTotals[i];
}
void ResetDeleteFilesTotals() { walkTotals[0] = walkTotals[1] = walkTotals[2] = 0; }
void GetDeleteFilesTotals(double totals[3]) {
    for (int i = 0; i < 3; ++i) totals[i] = walkTotals[i];
}

// ---- one folder -------------------------------------------------------------------------

SmartDeleteFilesOne::SmartDeleteFilesOne(const std::string& folder, plat::Beneath& base, DeleteFilesContext& context)
    : folder_(folder), base_(base), ctx_(context) {}

void SmartDeleteFilesOne::Execute() {
    std::vector<plat::DirEntry> entries;
    base_.Release();
    ctx_.Disk.ListKinds(base_, folder_, entries);
    DeleteMatching(ctx_.Masks, entries);
}

void SmartDeleteFilesOne::DeleteMatching(const std::string& mask) {
    std::vector<plat::DirEntry> entries;
    base_.Release();
    ctx_.Disk.ListKinds(base_, folder_, entries);
    DeleteMatching(UsableFileMasks({mask}), entries);
}

void SmartDeleteFilesOne::DeleteMatching(const StringList& masks, const std::vector<plat::DirEntry>& entries) {
    for (const plat::DirEntry& e : entries) {
        // Folders stay; links are entries of their own; special files are left alone.
        if (e.kind != plat::EntryKind::File && e.kind != plat::EntryKind::Link) continue;
        if (!MasksTake(masks, e.name)) continue;
        DeleteOne(JoinEntry(folder_, e.name), e);
    }
}

void SmartDeleteFilesOne::DeleteOne(const std::string& path, const plat::DirEntry& e) {
    RunLog& log = ctx_.Log;
    const plat::FsResult r = RemoveTakenFile(ctx_.Disk, base_, path, e.kind, ctx_.ReadOnlyFiles);
    if (r == plat::FsResult::Ok) {
        oneTotals[0] += 1;
        log.AddLine(Vol11CatFilesDeleted, path);
    } else if (r == plat::FsResult::NotFound) {
        oneTotals[1] += 1;
        oneTotals[2] += 1;
        log.AddLine(Vol11CatFilesNotExists, path);
        log.AddLine(Vol11CatFilesOtherReasons, path);
    } else {
        oneTotals[1] += 1;
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
    std::vector<std::string> subfolders;
    std::vector<plat::DirEntry> files;
    base_.Release();
    SplitListing(ctx_.Disk, base_, folder, ctx_.Fence, subfolders, files);
    ResetDeleteFilesOneTotals();
    SmartDeleteFilesOne(folder, base_, ctx_).DeleteMatching(ctx_.Masks, files);
    double totals[3];
    GetDeleteFilesOneTotals(totals);
    for (int i = 0; i < 3; ++i) walkTotals[i] += totals[i];
    ResetDeleteFilesOneTotals();
    for (std::string& sub : subfolders) queue_.emplace(CountPathSeparators(sub), std::move(sub));
}

// ---- the run ----------------------------------------------------------------------------------

bool Vol11RefusedMainFolder(const Vol11Inputs& in, plat::Beneath& folder) {
    return RefusedRunFolder(folder, in.ProgramFolder, in.WorkingDir);
}

namespace {

// The result labels as the engines' totals stand during a run.
struct RunningTotals {
    std::array<CounterLabel, 6> Labels() const {
        double one[3], walk[3];
        GetDeleteFilesOneTotals(one);
        GetDeleteFilesTotals(walk);
        return {{{"lblStat11FoldersDeleted", 0},
                 {"lblStat11FoldersNotExists", 0},
                 {"lblStat11FoldersOtherReasons", 0},
                 {"lblStat11FilesDeleted", one[0] + walk[0]},
                 {"lblStat11FilesNotExists", one[2] + walk[2]},
                 {"lblStat11FilesOtherReasons", one[1] + walk[1]}}};
    }
};

void DeleteAll(Vol11State& state, const Vol11Inputs& in, RunLog& log, RunDisk& disk) {
    DeleteFilesContext ctx{disk, log, UsableFileMasks(in.Masks), in.ReadOnlyFiles, {}, {}};
    ctx.Fence.Add(in.WorkingDir);
    const bool useOne = in.DeleteOnlyFilesInMainFolder;
    // The running totals of the run.
    ctx.CountersChanged = [&] { log.CountersChanged(RunningTotals{}); };
    bool refused = false;
    for (const std::string& folder : MainFolders(in)) {
        plat::Beneath base;
        if (GetDrivePart(folder).empty()) {
            state.FoldersOtherReasons += 1;
            state.Vol11FoldersOtherReasons.push_back(folder);
            log.AddLine(Vol11CatFoldersOtherReasons, folder);
            continue;
        }
        if (IsDriveRootPath(folder)) {
            refused = true;
            state.FoldersOtherReasons += 1;
            state.Vol11FoldersOtherReasons.push_back(folder);
            log.AddLine(Vol11CatFoldersOtherReasons, folder);
            continue;
        }
        if (!plat::FolderExists(folder) || base.Open(folder) != plat::FsResult::Ok) {
            state.FoldersNotExists += 1;
            state.Vol11FoldersNotExists.push_back(folder);
            log.AddLine(Vol11CatFoldersNotExists, folder);
            continue;
        }
        if (Vol11RefusedMainFolder(in, base)) {
            refused = true;
            state.FoldersOtherReasons += 1;
            state.Vol11FoldersOtherReasons.push_back(folder);
            log.AddLine(Vol11CatFoldersOtherReasons, folder);
            continue;
        }
        if (useOne) {
            SmartDeleteFilesOne one(folder, base, ctx);
            one.Execute();
        } else if (in.DeleteOnlyFiles) {
            SmartDeleteFiles walk(folder, base, ctx);
            walk.Execute();
        }
    }
    if (refused)
        plat::MessageBox("You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
                         MessageCaption(kVol11Topic, "Warning", "110037"), kWarn);
}

void Totals(Vol11State& state, const Vol11Inputs& in) {
    double totals[3];
    if (in.DeleteOnlyFilesInMainFolder)
        GetDeleteFilesOneTotals(totals);
    else
        GetDeleteFilesTotals(totals);
    state.FilesDeleted += totals[0];
    state.FilesOtherReasons += totals[1];
    state.FilesNotExists += totals[2];
    state.CarryOver = state.FilesOtherReasons > 0 ? state.FilesOtherReasons : 0;
}

// The frame of the run and of its twin on the dry disk, without questions and end.
RunFrame Vol11Frame(Vol11State& state, const Vol11Inputs& in, RunLog& log, bool simulation) {
    RunFrame frame;
    frame.Simulation = simulation;
    frame.Start = [&state] {
        Vol11ResetCounters(state);
        Vol11ClearResultLists(state);
        if (state.CarryOver > 0) state.FilesToDelete = state.CarryOver;
        ResetDeleteFilesOneTotals();
        ResetDeleteFilesTotals();
    };
    frame.Counters = [&state] {
        std::vector<CounterLabel> labels;
        for (const CounterLabel& l : state.ToDeleteLabels()) labels.push_back(l);
        for (const CounterLabel& l : state.ResultLabels()) labels.push_back(l);
        return labels;
    };
    frame.ShowLog = in.ShowDetailedResults;
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.Work = [&state, &in, &log](RunDisk& disk) {
        DeleteAll(state, in, log, disk);
        Totals(state, in);
    };
    return frame;
}

}  // namespace

void Vol11RunDeleteFiles(Vol11State& state, const Vol11Inputs& in, RunLog& log, const RunHooks& hooks) {
    const std::string body =
        "Do you want to DELETE Files PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop the "
        "Delete process.\n\n\n\nNote: If the <Select Files> button is active, only the Selected Files will be used.";
    RunFrame frame = Vol11Frame(state, in, log, false);
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
    // The Visual Log shows the simulation; the page keeps its counts, lists
    // and carry-over for the next real run.
    Vol11State dry = state;
    RunOnFrame(Vol11Frame(dry, in, log, true), log, hooks);
}
