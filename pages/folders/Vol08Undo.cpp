// Undo on page 08: removes what the last copy run made. Files go only as
// the run left them; folders only while empty, only the very folders the
// run made, deepest first; a main folder, and a folder that was there
// before the run, never. What stays is kept for the next Undo.
#include "core/FolderFileUndo.h"
#include "pages/PageMessages.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/UndoMemory.h"
#include "pages/folders/Vol08Engine.h"

using namespace pagekit;

bool Vol08HasUndo(const Vol08State& state) {
    // Files copied into folders that were there count too: they are the run's.
    return !state.Vol08FailedUndoFolders.empty() || !state.Vol08FailedUndoFiles.empty() ||
           !state.Vol08CreatedSubFolders.empty() || !state.Vol08CreatedParents.empty() ||
           !state.Vol08CopiedFiles.empty();
}

std::optional<std::string> Vol08UndoCopies(Vol08State& state, RunLog& log) {
    // The lists go to the undo as they are (no copy): it empties them anyway.
    // Until what stays is kept, a failure gives every record back.
    UndoLists all;
    UndoTaking taking;
    bool copyPlan = false;
    if (!state.Vol08FailedUndoFolders.empty() || !state.Vol08FailedUndoFiles.empty()) {
        taking.Take(state.Vol08FailedUndoFolders, all.second);
        taking.Take(state.Vol08FailedUndoFiles, all.files);
        all.secondSet = true;
    } else if (state.Vol08LastSourceMode == "F") {
        taking.TakeJoined(state.Vol08CreatedSubFolders, state.Vol08CreatedParents, all.second);
        taking.Take(state.Vol08CopiedFiles, all.files);
        all.secondSet = true;
    } else if (state.Vol08LastSourceMode == "R") {
        // Each made folder with the parents the run made on the way, up to
        // its main folder: a parent that was there stops the climb.
        taking.Take(state.Vol08MainFoldersCopied, all.created);
        taking.Take(state.Vol08CreatedSubFolders, all.second);
        taking.Take(state.Vol08CreatedParents, all.byRun);
        all.secondSet = all.byRunSet = true;
        copyPlan = true;
    }
    // One item per subtree the run made below a main folder, deepest first.
    std::vector<UndoGroup> groups = SplitUndo(state.Vol08LastBases, all);
    const std::string workFolder = state.Vol08LastBases.empty() ? std::string() : state.Vol08LastBases.front().Path;
    const unsigned workers = groups.size() < 2 ? 1 : PageRunWorkers(workFolder, plat::RunWork::Remove);
    // Refused, every record goes back for a later try.
    if (!CheckUndoFitsMemory(UndoPartsMemoryNeed(groups, all, state.Vol08LastBases, workers), 0, kVol08Topic))
        return std::nullopt;
    log.ClearLogLists();
    const auto prepare = [&](FolderFileUndo& undo, UndoLists& l) {
        undo.SetCreatedFolders(std::move(l.created));
        if (l.secondSet) undo.SetCreatedSubFolders(std::move(l.second));
        if (l.byRunSet) undo.SetFoldersCreatedByRun(std::move(l.byRun));
        undo.SetCreatedFiles(std::move(l.files));
        if (copyPlan)
            undo.PrepareCopyFolders();
        else
            undo.QueueSecondFolderList();
    };
    UndoPartsResult parts = UndoInParts(groups, all, state.Vol08LastBases, workers, prepare);

    // What failed keeps the run's bases for the retry (by moves alone:
    // nothing here fails), then it is listed.
    VEC_UNDO_BASES bases = std::move(state.Vol08LastBases);
    Vol08ClearLastRunLists(state);
    Vol08ResetResultCounters(state);
    state.Vol08FailedUndoFiles = std::move(parts.failedFiles);
    state.Vol08FailedUndoFolders = std::move(parts.failedFolders);
    if (!state.Vol08FailedUndoFolders.empty() || !state.Vol08FailedUndoFiles.empty())
        state.Vol08LastBases = std::move(bases);
    taking.Kept();
    for (const auto folder : state.Vol08FailedUndoFolders) {
        state.Counters.SubFoldersFailedUndo += 1.0;
        log.AddLine(Vol08CatSubFoldersFailedUndo, std::string(folder.Path));
    }
    log.CountersChanged(state.Counters);
    return FolderFileUndo::ReportOf(parts.failureLines);
}

void Vol08UndoLastRun(Vol08State& state, RunLog& log) {
    // A close waits until the undo, end box included, is over; a failure ends it with its box.
    RunGuarded([&] {
        if (!Vol08HasUndo(state)) {
            plat::MessageBox("No UNDO process !!!\nThere are no copied Subfolders (and files) !!!\nYou must copy at least "
                             "on one Subfolder to UNDO them.",
                             MessageCaption(kVol08Topic, "Warning", 80054), kWarn);
            return;
        }
        if (plat::MessageBox("Do you want to delete all folders (and files)\ncopied last time ?",
                             MessageCaption(kVol08Topic, "Information", 80055), kAsk) != plat::IDYES)
            return;
        const std::optional<std::string> report = Vol08UndoCopies(state, log);
        if (!report) return;
        log.ShowCounters(state.Counters.Labels());
        if (!report->empty())
            plat::MessageBox(
                *report, MessageCaption("Copy Folder Structure(s).-From a Folder List Level.", "Information", 80056), kWarn);
        if (!ShowRunFailures(RunKeeps::Undo))
            plat::MessageBox("End of the Undo process !!!", MessageCaption(kVol08Topic, "Information", 80057), kInfo);
    }, RunKeeps::Undo);
}
