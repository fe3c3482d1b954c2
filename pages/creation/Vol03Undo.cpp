// Undo on page 03: removes what the last run made, deepest first, and keeps
// what it could not remove for the next Undo.
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol03Page.h"

void Vol03UndoLastRun(Vol03State& state, RunLog& log) {
    CreationUndoProfile p;
    p.Retry = UndoPlan::CollectByLevel;
    p.ExistingStructures = UndoPlan::CollectByLevel;
    p.Templates = UndoPlan::PrepareCreateFolders;
    p.Nothing = UndoPlan::CollectByLevel;
    p.NothingCaption = MessageCaption(kVol03Topic, "Warning", 30036);
    p.NothingText =
        "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folders and "
        "files to UNDO them.";
    p.AskCaption = MessageCaption(kVol03Topic, "Information", 30037);
    p.ReportCaption = MessageCaption("Creating Folder(s).- Increased Numbers.", "Information", 30038);
    p.EndCaption = MessageCaption(kVol03Topic, "Information", 30039);
    UndoCreationRun(state, log, p);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol03Page::btnVol03UndoClick() {
    VisualLog log = Vol03VisualLog();
    Vol03UndoLastRun(*this, log);
}
