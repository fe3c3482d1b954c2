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
    p.NothingCaption = MessageCaption(kVol02Topic, "Warning", 20055);
    p.NothingText =
        "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folder to UNDO "
        "them.";
    p.AskCaption = MessageCaption(kVol02Topic, "Information", 20056);
    p.ReportCaption = MessageCaption(kVol02Topic, "Information", 20057);
    p.EndCaption = MessageCaption(kVol02Topic, "Information", 20058);
    UndoCreationRun(state, log, p);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol02Page::btnVol02UndoClick() {
    VisualLog log = Vol02VisualLog();
    Vol02UndoLastRun(*this, log);
}
