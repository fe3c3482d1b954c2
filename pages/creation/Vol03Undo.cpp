// Undo on page 03: removes what the last run made, deepest first, and keeps
// what it could not remove for the next Undo.
#include "pages/VisualLog.h"
#include "pages/creation/Vol03Engine.h"
#include "pages/creation/Vol03Page.h"

void Vol03UndoLastRun(Vol03State& state, RunLog& log) {
    const CreationUndoProfile p =
        CreationUndoMessages(kVol03Topic, 30036,
                             "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at "
                             "least one folders and files to UNDO them.",
                             "Creating Folder(s).- Increased Numbers.");
    UndoCreationRun(state, log, p);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol03Page::btnVol03UndoClick() {
    VisualLog log = Vol03VisualLog();
    Vol03UndoLastRun(*this, log);
}
