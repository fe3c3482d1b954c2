// Undo on page 02: removes what the last run made, deepest first, and keeps
// what it could not remove for the next Undo.
#include <utility>

#include "core/FolderFileUndo.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol02VisualLog.h"
#include "platform/MessageBox.h"

namespace {

DEQ_CREATED_FOLDERS Joined(DEQ_CREATED_FOLDERS first, const DEQ_CREATED_FOLDERS& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

void RecordFailedUndo(Vol02State& state, Vol02Log& log, const _tagCreatedFolder& folder) {
    state.Counters.Vol02FailedUndoCount += 1.0;
    log.CountersChanged(state.Counters);
    state.Vol02FailedUndoFolders.push_back(folder);
    log.AddLine(Vol02FoldersFailedUndo, folder.Path);
}

}  // namespace

void Vol02UndoLastRun(Vol02State& state, Vol02Log& log) {
    if (state.Vol02FailedUndoFolders.empty() && state.Vol02LastCreatedFolders.empty()) {
        plat::MessageBox("No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least "
                         "one folder to UNDO them.",
                         Vol02Caption(kVol02Topic, 20055, true), plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    if (plat::MessageBox("Do you want to delete all folders (and files)\ncreated last time ?",
                         Vol02Caption(kVol02Topic, 20056, false),
                         plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) != plat::IDYES)
        return;

    // Every folder the run made goes, the parents it made on the way too;
    // the plans remove only empty folders and never one that was there before.
    FolderFileUndo undo;
    undo.SetBases(state.Vol02LastBases);
    if (!state.Vol02FailedUndoFolders.empty()) {  // a retry of what the last Undo left
        undo.SetCreatedFolders(state.Vol02FailedUndoFolders);
        undo.SetCreatedFiles(state.Vol02FailedUndoFiles);
        undo.CollectFoldersByLevel();
    } else if (state.UndoMode02 == "F") {
        undo.SetCreatedFolders(state.Vol02LastCreatedFolders);
        undo.SetCreatedSubFolders(Joined(state.Vol02LastCreatedSubFolders, state.Vol02LastCreatedParents));
        undo.SetCreatedFiles(state.Vol02LastCreatedFiles);
        undo.CollectFoldersByLevel();
    } else if (state.UndoMode02 == "R") {
        undo.SetMainFolder(state.Vol02LastDestination);
        undo.SetCreatedFolders(state.Vol02LastCreatedFolders);
        undo.SetCreatedSubFolders(state.Vol02LastCreatedSubFolders);
        undo.SetFoldersCreatedByRun(state.Vol02LastCreatedParents);
        undo.PrepareCreateFolders();
    } else if (state.UndoMode02 == "N") {
        undo.SetCreatedFolders(state.Vol02LastCreatedFolders);
        undo.SetCreatedSubFolders(state.Vol02LastCreatedParents);
        undo.CollectFoldersByLevel();
    }
    undo.DeleteCreatedFiles();
    undo.RemoveCreatedFolders();
    undo.BuildReport();

    // What failed keeps the run's bases for the retry.
    VEC_UNDO_BASES bases = std::move(state.Vol02LastBases);
    Vol02ClearRunLists(state);
    log.ClearLogLists();
    Vol02ResetRunCounters(state);
    const DEQ_CREATED_FOLDERS failed = undo.GetFailedFolderRecords();
    if (!failed.empty()) state.Vol02LastBases = std::move(bases);
    state.Vol02FailedUndoFiles = undo.GetFailedFileRecords();
    for (const auto& folder : failed) RecordFailedUndo(state, log, folder);
    log.ShowCounters(state.Counters);
    if (!undo.GetReport().empty())
        plat::MessageBox(undo.GetReport(), Vol02Caption(kVol02Topic, 20057, false), plat::MB_OK | plat::MB_ICONWARNING);
    plat::MessageBox("End of Undo process !!!", Vol02Caption(kVol02Topic, 20058, false),
                     plat::MB_OK | plat::MB_ICONINFORMATION);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol02Page::btnVol02UndoClick() {
    Vol02VisualLog log;
    Vol02UndoLastRun(*this, log);
}
