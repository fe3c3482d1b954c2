// Undo on page 02: removes what the last run made, deepest first, and keeps
// what it could not remove for the next Undo.
#include "pages/VisualLog.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"

void Vol02UndoLastRun(Vol02State& state, RunLog& log) {
    CreationUndoProfile p;
    p.Retry = UndoPlan::CollectByLevel;
    p.ExistingStructures = UndoPlan::CollectByLevel;
    p.Templates = UndoPlan::PrepareCreateFolders;
    p.Nothing = UndoPlan::CollectByLevel;
    p.NothingCaption = CreationCaption(kVol02Topic, 20055, true);
    p.NothingText =
        "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folder to UNDO "
        "them.";
    p.AskCaption = CreationCaption(kVol02Topic, 20056, false);
    p.ReportCaption = CreationCaption(kVol02Topic, 20057, false);
    p.EndCaption = CreationCaption(kVol02Topic, 20058, false);
    UndoCreationRun(state, log, p);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol02Page::btnVol02UndoClick() {
    VisualLog log = Vol02VisualLog();
    Vol02UndoLastRun(*this, log);
}
