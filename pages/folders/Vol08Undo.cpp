// Undo on page 08: removes what the last copy run made. Files go only as
// the run left them; folders only while empty, only the very folders the
// run made, deepest first; a main folder, and a folder that was there
// before the run, never. What stays is kept for the next Undo.
#include "core/FolderFileUndo.h"
#include "pages/PageMessages.h"
#include "pages/folders/Vol08Engine.h"

using namespace pagekit;

bool Vol08HasUndo(const Vol08State& state) {
    // Files copied into folders that were there count too: they are the run's.
    return !state.Vol08FailedUndoFolders.empty() || !state.Vol08FailedUndoFiles.empty() ||
           !state.Vol08CreatedSubFolders.empty() || !state.Vol08CreatedParents.empty() ||
           !state.Vol08CopiedFiles.empty();
}

std::string Vol08UndoCopies(Vol08State& state, FolderRunSink& sink) {
    // The lists go to the undo as they are (no copy): it empties them anyway.
    FolderFileUndo undo;
    undo.SetBases(state.Vol08LastBases);
    if (!state.Vol08FailedUndoFolders.empty() || !state.Vol08FailedUndoFiles.empty()) {
        undo.SetCreatedSubFolders(std::move(state.Vol08FailedUndoFolders));
        undo.SetCreatedFiles(std::move(state.Vol08FailedUndoFiles));
        undo.QueueSecondFolderList();
    } else if (state.Vol08LastSourceMode == "F") {
        DEQ_CREATED_FOLDERS folders = std::move(state.Vol08CreatedSubFolders);
        folders.insert(folders.end(), state.Vol08CreatedParents.begin(), state.Vol08CreatedParents.end());
        undo.SetCreatedSubFolders(std::move(folders));
        undo.SetCreatedFiles(std::move(state.Vol08CopiedFiles));
        undo.QueueSecondFolderList();
    } else if (state.Vol08LastSourceMode == "R") {
        // Each made folder with the parents the run made on the way, up to
        // its main folder: a parent that was there stops the climb.
        undo.SetCreatedFolders(std::move(state.Vol08MainFoldersCopied));
        undo.SetCreatedSubFolders(std::move(state.Vol08CreatedSubFolders));
        undo.SetFoldersCreatedByRun(std::move(state.Vol08CreatedParents));
        undo.PrepareCopyFolders();
    }
    undo.DeleteCreatedFiles();
    undo.RemoveCreatedFolders();
    undo.BuildReport();

    // What failed keeps the run's bases for the retry.
    VEC_UNDO_BASES bases = std::move(state.Vol08LastBases);
    Vol08ClearLastRunLists(state);
    Vol08ResetResultCounters(state);
    state.Vol08FailedUndoFiles = undo.GetFailedFileRecords();
    const DEQ_CREATED_FOLDERS failed = undo.GetFailedFolderRecords();
    if (!failed.empty() || !state.Vol08FailedUndoFiles.empty()) state.Vol08LastBases = std::move(bases);
    for (const auto folder : failed) {
        state.Counters.SubFoldersFailedUndo += 1.0;
        state.Vol08FailedUndoFolders.push_back(folder);
        const auto values = state.Counters.Values();
        sink.Outcome(Vol08CatSubFoldersFailedUndo, folder.Path, values);
    }
    return undo.GetReport();
}

void Vol08UndoLastRun(Vol08State& state, RunLog& log) {
    if (!Vol08HasUndo(state)) {
        plat::MessageBox("No UNDO process !!!\nThere are no copied Subfolders (and files) !!!\nYou must copy at least "
                         "on one Subfolder to UNDO them.",
                         MessageCaption(kVol08Topic, "Warning", 80054), kWarn);
        return;
    }
    if (plat::MessageBox("Do you want to delete all folders (and files)\ncopied last time ?",
                         MessageCaption(kVol08Topic, "Information", 80055), kAsk) != plat::IDYES)
        return;
    log.ClearLogLists();
    FolderLogSink sink(log, kVol08CounterLabels);
    const std::string report = Vol08UndoCopies(state, sink);
    log.ShowCounters(state.Counters.Labels());
    if (!report.empty())
        plat::MessageBox(
            report, MessageCaption("Copy Folder Structure(s).-From a Folder List Level.", "Information", 80056), kWarn);
    plat::MessageBox("End of the Undo process !!!", MessageCaption(kVol08Topic, "Information", 80057), kInfo);
}
