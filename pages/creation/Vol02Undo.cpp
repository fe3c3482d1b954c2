// Undo on page 02: removes what the last run made, deepest first, and keeps
// what it could not remove for the next Undo.
#include "pages/VisualLog.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"

void Vol02UndoLastRun(Vol02State& state, RunLog& log) {
    const CreationUndoProfile p = CreationUndoMessages(
        kVol02Topic, 20055,
        "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folder to UNDO "
        "them.");
    UndoCreationRun(state, log, p);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol02Page::btnVol02UndoClick() {
    VisualLog log = Vol02VisualLog();
    Vol02UndoLastRun(*this, log);
}
