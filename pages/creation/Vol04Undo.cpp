// Undo on page 04: removes what the last run made, deepest first, and keeps
// what it could not remove for the next Undo. Parents that were there
// before the run are never touched.
#include "pages/VisualLog.h"
#include "pages/creation/Vol04Engine.h"
#include "pages/creation/Vol04Page.h"

void Vol04UndoLastRun(Vol04State& state, RunLog& log) {
    CreationUndoProfile p = CreationUndoMessages(
        "Creating Folder(s).- From a Folder List.", 40050,
        "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folders and "
        "files to UNDO them.");
    p.Retry = UndoPlan::QueueCreated;
    p.ExistingStructures = UndoPlan::FromList;
    // The template folders with the parents the run made, and the main
    // folders too: one that got no template folder is removed as well.
    p.Templates = UndoPlan::FromListDrivesBoth;
    p.Nothing = UndoPlan::FromListDrives;
    UndoCreationRun(state, log, p);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol04Page::btnVol04UndoClick() {
    VisualLog log = Vol04VisualLog();
    Vol04UndoLastRun(*this, log);
}
