#include "pages/creation/Creation.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/Validation.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/WalksOnPool.h"
#include "pages/creation/FolderCreator.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

std::array<double, 16> CreationCounters::Values() const {
    return {FoldersToCreate, SubFoldersToCreate, FilesToCreate, FilesSizeToCreate,
            FoldersCreated,  SubFoldersCreated,  FilesCreated,  FilesSizeCreated,
            FoldersExists,   SubFoldersExists,   FilesExists,   FilesSizeExists,
            FoldersOther,    SubFoldersOther,    FilesOther,    FilesSizeOther};
}

#define QM_CREATION_LABELS(n)                                                                             \
    {                                                                                                     \
        "lblStat" n "FoldersToCreate", "lblStat" n "SubFoldersToCreate", "lblStat" n "FilesToCreate",    \
            "lblStat" n "FilesSizeToCreate", "lblStat" n "FoldersCreated", "lblStat" n "SubFoldersCreated", \
            "lblStat" n "FilesCreated", "lblStat" n "FilesSizeCreated", "lblStat" n "FoldersExists",       \
            "lblStat" n "SubFoldersExists", "lblStat" n "FilesExists", "lblStat" n "FilesSizeExists",     \
            "lblStat" n "FoldersOther", "lblStat" n "SubFoldersOther", "lblStat" n "FilesOther",          \
            "lblStat" n "FilesSizeOther"                                                                  \
    }
const CreationCounterNames kStat02CounterLabels = QM_CREATION_LABELS("02");
const CreationCounterNames kStat03CounterLabels = QM_CREATION_LABELS("03");
const CreationCounterNames kStat04CounterLabels = QM_CREATION_LABELS("04");
#undef QM_CREATION_LABELS

std::array<CounterLabel, 16> CreationState::Labels() const {
    const auto values = Counters.Values();
    std::array<CounterLabel, 16> labels;
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = {(*CounterNames)[i], values[i]};
    return labels;
}

_tagVol0XParts GetNameParts(const NamePartInputs& in) {
    _tagVol0XParts parts;
    std::string destination = TrimControlAndBlanks(in.DestFolder);
    if (destination.empty() || destination.back() != '\\') destination += '\\';
    const bool prefixHyphen = in.Hyphen && !TrimControlAndBlanks(in.Prefix).empty();
    const bool suffixHyphen = in.Hyphen && !TrimControlAndBlanks(in.Suffix).empty();
    parts.Part[0] = destination + in.Prefix + (prefixHyphen ? "-" : "");
    parts.Part[2] = suffixHyphen ? "-" : "";
    parts.Part[3] = in.Suffix;
    return parts;
}

void ResetCreationCounters(CreationState& state) {
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = c.SubFoldersToCreate = c.FilesToCreate = c.FilesSizeToCreate = 0;
    ResetCreationRunCounters(state);
}

void ResetCreationRunCounters(CreationState& state) {
    const CreationCounters old = state.Counters;
    state.Counters = CreationCounters();
    state.Counters.FoldersToCreate = old.FoldersToCreate;
    state.Counters.SubFoldersToCreate = old.SubFoldersToCreate;
    state.Counters.FilesToCreate = old.FilesToCreate;
    state.Counters.FilesSizeToCreate = old.FilesSizeToCreate;
}

void ClearCreationRunLists(CreationState& state) {
    state.LastBases.clear();
    state.LastCreatedFolders.clear();
    state.LastCreatedSubFolders.clear();
    state.LastCreatedFiles.clear();
    state.LastCreatedParents.clear();
    state.LastExistingFolders.clear();
    state.LastOtherFolders.clear();
    state.FailedUndoFolders.clear();
}

// ---- the run frame ----------------------------------------------------------------------

RunFrame CreationFrame(CreationState& state, const CreationInputs& in, bool simulation, std::function<bool()> check,
                       const std::string& noStructureCaption, const RunHooks& hooks) {
    RunFrame frame;
    frame.Simulation = simulation;
    frame.Keeps = RunKeeps::Undo;
    frame.Check = [&in, &hooks, check = std::move(check), noStructureCaption] {
        return (!check || check()) && CheckStructuresListed(in.AttachNothing || !in.FolderStructures.empty(),
                                                            noStructureCaption, hooks);
    };
    frame.Start = [&state, simulation] {
        ResetCreationRunCounters(state);
        if (!simulation) ClearCreationRunLists(state);  // from here on the last run gives way to this one
    };
    frame.Counters = CountersOf(state);
    frame.ShowLog = in.ViewDetailedResults;
    return frame;
}

// ---- disk space -------------------------------------------------------------------------

namespace {

// The structures `walked` measured into the totals and the free space at
// each of `folders` read, all at once on the run pool.
bool MeasureOnPool(CreationState& state, const CreationInputs& in, bool withFiles, const StringList& walked,
                   const StringList& folders, std::vector<CreationFreeSpace>& space) {
    state.StructureFolders = 0;
    state.StructureFiles = 0;
    state.StructureBytes = 0;
    state.StructureFileSizes.clear();
    state.StructureShares.clear();
    const bool countRoot = !in.SubFoldersOnlyMode();
    StringList read = walked;
    read.insert(read.end(), folders.begin(), folders.end());
    space.assign(folders.size(), CreationFreeSpace{});
    // They only read, the window painting meanwhile; a failed read (a
    // folder it cannot read among them) leaves its structure out, and the
    // totals are short: a run does not go on them.
    const std::size_t n = walked.size();
    std::vector<std::optional<FolderStructSize>> sizes(n);
    const bool done = ReadAside(read, [&](std::size_t i) {
        if (i >= n) {
            CreationFreeSpace& at = space[i - n];
            GetDriveFreeBytes(read[i], at.root, at.bytes);
            return;
        }
        FolderStructSize size(walked[i], withFiles);
        size.SetCountRoot(countRoot);
        size.Examine();
        FailOnUnread(size);
        sizes[i] = std::move(size);
    });
    for (std::size_t i = 0; i < n; ++i) {
        const auto& size = sizes[i];
        if (!size) continue;
        CreationState::Share share;
        share.Folders = size->GetFolderCount();
        for (auto& file : size->GetFileMap()) state.StructureFileSizes.insert(file);  // the first size stays
        if (withFiles) {
            share.Bytes = static_cast<double>(size->GetTotalFileSize());
            share.Files = size->GetFileCount();
        }
        // What the walk passes over, the run names among what it did not make.
        for (const FolderStructSize::PassedOver& u : size->GetPassedOver()) {
            if (u.entry.kind == plat::EntryKind::Folder)
                share.Folders += 1;
            else if (withFiles)
                share.Files += 1;
        }
        state.StructureFolders += static_cast<std::uint32_t>(share.Folders);
        state.StructureFiles += static_cast<std::uint32_t>(share.Files);
        state.StructureBytes += static_cast<std::uint64_t>(share.Bytes);
        state.StructureShares[walked[i]] = share;
    }
    return done;
}

}  // namespace

bool MeasureCreationStructures(CreationState& state, const CreationInputs& in, bool withFiles,
                               const std::string& extra) {
    StringList walked = WalkedStructures(in.FolderStructures);
    if (!extra.empty())
        for (std::string& entry : WalkedStructures({extra})) walked.push_back(std::move(entry));
    std::vector<CreationFreeSpace> none;
    return MeasureOnPool(state, in, withFiles, walked, {}, none);
}

bool MeasureCreationSpace(CreationState& state, const CreationInputs& in, bool withFiles, const StringList& folders,
                          std::vector<CreationFreeSpace>& space) {
    return MeasureOnPool(state, in, withFiles, WalkedStructures(in.FolderStructures), folders, space);
}

bool MakesNoFolder(const std::string& path) {
    const std::string drive = TrimControlAndBlanks(GetDrivePart(path));
    return drive.empty() || HasDotFolderName(path) || path.find(':', drive.size()) != std::string::npos;
}

namespace {

// The folder that holds `path`; a drive's root keeps its backslash.
std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return {};
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

}  // namespace

bool PlanMadeOnTheWay(CreationState& state, const std::vector<CreationItem>& items) {
    state.MadeOnTheWay.clear();
    // Whether each folder above a main folder is there, asked on the pool
    // once each: the main folders' parents, then the folders above those
    // that are missing, and so on up.
    std::unordered_map<std::string, bool> there;  // by FolderLineKey
    StringList ask;
    const auto toAsk = [&](const std::string& folder) {
        if (!folder.empty() && !IsDriveRootPath(folder) && there.emplace(FolderLineKey(folder), true).second)
            ask.push_back(folder);
    };
    // Only beneath a folder the run may work in: another gets nothing made.
    const auto plans = [](const CreationItem& item) {
        return item.makes && !MakesNoFolder(item.path) &&
               IsUsableRunItem(ParentOf(item.path), RunItemUse::Destination);
    };
    // Items mostly share their folder: each new one is judged and looked up once.
    std::string last;
    for (const CreationItem& item : items) {
        if (!item.makes || MakesNoFolder(item.path)) continue;
        std::string parent = ParentOf(item.path);
        if (parent == last) continue;
        if (IsUsableRunItem(parent, RunItemUse::Destination)) toAsk(parent);
        last = std::move(parent);
    }
    while (!ask.empty()) {
        const StringList asked = std::move(ask);
        ask.clear();
        std::vector<char> found(asked.size(), 1);
        if (!ReadOnPool(asked, [&](std::size_t i) { found[i] = plat::FolderExists(asked[i]); })) return false;
        for (std::size_t i = 0; i < asked.size(); ++i) {
            there[FolderLineKey(asked[i])] = found[i];
            if (!found[i]) toAsk(ParentOf(asked[i]));
        }
    }
    if (std::all_of(there.begin(), there.end(), [](const auto& folder) { return folder.second; })) return true;
    const auto missing = [&](const std::string& folder) {
        const auto it = there.find(FolderLineKey(folder));
        return it != there.end() && !it->second;
    };
    std::unordered_set<std::string> made;  // by FolderLineKey: what the items before made
    StringList chain;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CreationItem& item = items[i];
        if (!plans(item)) continue;
        chain.clear();
        for (std::string folder = ParentOf(item.path); missing(folder); folder = ParentOf(folder))
            chain.push_back(folder);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            if (made.insert(FolderLineKey(*it)).second) state.MadeOnTheWay.emplace_back(i, *it);
        made.insert(FolderLineKey(item.path));
    }
    return true;
}

void SetTemplateTotals(CreationState& state, const CreationInputs& in, const std::vector<CreationItem>& items,
                       int templateIndex) {
    std::string term;
    const int mode = GetFolderTemplateMode(templateIndex, term);
    StringList mains;
    for (const CreationItem& item : items) mains.push_back(item.path);
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = static_cast<double>(items.size() + state.MadeOnTheWay.size());
    c.SubFoldersToCreate = TemplateFoldersIn(in.FolderStructures, mains, mode, term);
    state.StructureFolders = static_cast<std::uint32_t>(in.FolderStructures.size());
    state.StructureFiles = 0;
    state.StructureBytes = 0;
}

void SetCreationToCreate(CreationState& state, double mainFolders) {
    CreationCounters& c = state.Counters;
    c.FoldersToCreate = mainFolders + static_cast<double>(state.MadeOnTheWay.size());
    c.SubFoldersToCreate = static_cast<double>(state.StructureFolders) * mainFolders;
    c.FilesToCreate = static_cast<double>(state.StructureFiles) * mainFolders;
    c.FilesSizeToCreate = static_cast<double>(state.StructureBytes) * mainFolders;
}

bool WeighCreationDiskSpace(CreationState& state, double mainFolders, std::uint64_t freeBytes,
                            const std::string& root, const std::string& shortageCaption) {
    if (mainFolders <= 0) return false;
    const double required = static_cast<double>(state.StructureBytes) * mainFolders;
    // A run that copies no file needs no room for one.
    if (required <= 0 || static_cast<double>(freeBytes) > required) {
        SetCreationToCreate(state, mainFolders);
        return true;
    }
    plat::MessageBox(DiskShortageText(root, freeBytes, required), shortageCaption,
                     pagekit::kWarn);
    return false;
}

// ---- undo -------------------------------------------------------------------------------------

namespace {

void Plan(FolderFileUndo& undo, UndoPlan plan) {
    switch (plan) {
    case UndoPlan::CollectByLevel: undo.CollectFoldersByLevel(); break;
    case UndoPlan::QueueCreated: undo.QueueCreatedFolders(); break;
    case UndoPlan::PrepareCreateFolders: undo.PrepareCreateFolders(); break;
    case UndoPlan::FromList: undo.PrepareCreateFromList(); break;
    case UndoPlan::FromListDrives: undo.PrepareCreateFromListDrives(); break;
    case UndoPlan::FromListDrivesSecond: undo.PrepareCreateFromListDrivesSecond(); break;
    case UndoPlan::FromListDrivesBoth:
        undo.PrepareCreateFromListDrivesSecond();
        undo.PrepareCreateFromListDrives();
        break;
    }
}


}  // namespace

CreationUndoProfile CreationUndoMessages(const std::string& topic, int first, const std::string& nothingText,
                                         const std::string& reportTopic) {
    CreationUndoProfile p;
    p.NothingCaption = MessageCaption(topic, "Warning", first);
    p.NothingText = nothingText;
    p.AskCaption = MessageCaption(topic, "Information", first + 1);
    p.ReportCaption = MessageCaption(reportTopic.empty() ? topic : reportTopic, "Information", first + 2);
    p.EndCaption = MessageCaption(topic, "Information", first + 3);
    return p;
}

namespace {

// The lists an undo works through, taken out of the state: what the last
// Undo left, or what the last run made (its plan by what it attached).
void TakeUndoLists(CreationState& state, const CreationUndoProfile& profile, UndoTaking& taking, UndoLists& all,
                   UndoPlan& plan, std::string& mainFolder) {
    plan = profile.Nothing;
    if (!state.FailedUndoFolders.empty()) {  // a retry of what the last Undo left
        taking.Take(state.FailedUndoFolders, all.created);
        taking.Take(state.FailedUndoFiles, all.files);
        plan = profile.Retry;
    } else if (state.UndoMode == "F") {
        taking.TakeJoined(state.LastCreatedSubFolders, state.LastCreatedParents, all.second);
        all.secondSet = true;
        taking.Take(state.LastCreatedFolders, all.created);
        taking.Take(state.LastCreatedFiles, all.files);
        plan = profile.ExistingStructures;
    } else if (state.UndoMode == "R") {
        mainFolder = state.LastDestination;
        taking.Take(state.LastCreatedFolders, all.created);
        taking.Take(state.LastCreatedSubFolders, all.second);
        taking.Take(state.LastCreatedParents, all.byRun);
        all.secondSet = all.byRunSet = true;
        plan = profile.Templates;
    } else if (state.UndoMode == "N") {
        if (profile.Nothing == UndoPlan::CollectByLevel) {
            all.second = state.LastCreatedParents;
            all.secondSet = true;
        }
        taking.Take(state.LastCreatedParents, all.byRun);
        all.byRunSet = true;
        taking.Take(state.LastCreatedFolders, all.created);
    }
}

// What stayed is kept for the next Undo, with the run's bases (by moves
// alone: nothing here fails), then listed.
void KeepWhatStayed(CreationState& state, RunLog& log, UndoPartsResult& parts, UndoTaking& taking) {
    VEC_UNDO_BASES bases = std::move(state.LastBases);
    ClearCreationRunLists(state);
    ResetCreationRunCounters(state);
    if (!parts.failedFolders.empty() || !parts.failedFiles.empty()) state.LastBases = std::move(bases);
    state.FailedUndoFiles = std::move(parts.failedFiles);
    state.FailedUndoFolders = std::move(parts.failedFolders);
    taking.Kept();
    log.ClearLogLists();
    for (const auto folder : state.FailedUndoFolders) {
        state.Counters.FoldersFailedUndo += 1.0;
        log.CountersChanged(state);
        log.AddLine(CreationFoldersFailedUndo, std::string(folder.Path));
    }
}

}  // namespace

void UndoCreationRun(CreationState& state, RunLog& log, const CreationUndoProfile& profile) {
    // A close waits until the undo, end box included, is over; a failure ends it with its box.
    RunGuarded([&] {
        if (state.FailedUndoFolders.empty() && state.LastCreatedFolders.empty()) {
            plat::MessageBox(profile.NothingText, profile.NothingCaption, pagekit::kWarn);
            return;
        }
        if (plat::MessageBox("Do you want to delete all folders (and files)\ncreated last time ?", profile.AskCaption,
                             pagekit::kAsk) != plat::IDYES)
            return;
        // Every folder the run made goes, the parents it made on the way too;
        // the plans remove only empty folders, never one that was there before,
        // and only the very objects the run made.
        UndoPlan plan;
        std::string mainFolder;
        UndoLists all;
        UndoTaking taking;  // until what stays is kept, a failure gives every record back
        TakeUndoLists(state, profile, taking, all, plan, mainFolder);
        // The groups read their ranges of `all` until the undo is done.
        const std::vector<UndoGroup> groups = SplitUndo(state.LastBases, all);
        const VEC_UNDO_BASES& runBases = state.LastBases;
        const std::string workFolder = runBases.empty() ? state.LastDestination : runBases.front().Path;
        UndoPartsResult parts = UndoInParts(groups, all, runBases, PageRunWorkers(workFolder, plat::RunWork::Remove),
                                            [&](FolderFileUndo& undo, UndoLists& lists) {
                                                if (!mainFolder.empty()) undo.SetMainFolder(mainFolder);
                                                undo.SetCreatedFolders(std::move(lists.created));
                                                if (lists.secondSet) undo.SetCreatedSubFolders(std::move(lists.second));
                                                if (lists.byRunSet) undo.SetFoldersCreatedByRun(std::move(lists.byRun));
                                                undo.SetCreatedFiles(std::move(lists.files));
                                                Plan(undo, plan);
                                            });
        KeepWhatStayed(state, log, parts, taking);
        all = UndoLists();
        const std::string report = FolderFileUndo::ReportOf(parts.failureLines);
        log.ShowCounters(state.Labels());
        if (!report.empty()) plat::MessageBox(report, profile.ReportCaption, pagekit::kWarn);
        if (!ShowRunFailures(RunKeeps::Undo))
            plat::MessageBox("End of Undo process !!!", profile.EndCaption, pagekit::kInfo);
    }, RunKeeps::Undo);
}
