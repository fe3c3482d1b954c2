// Simulation on page 04: the run's own frame and engine on a disk that only
// pretends to write. It keeps its own messages; its outcomes are the run's,
// the Include paths taken as the run takes them.
#include <QPushButton>

#include "pages/VisualLog.h"
#include "pages/creation/Vol04Internal.h"
#include "pages/creation/Vol04Page.h"
#include "ui_Vol04Page.h"

void Vol04SimulateCreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log, const RunHooks& hooks,
                                const std::string& startText, const std::string& endText) {
    RunFrame frame = Vol04Frame(state, in, log, hooks, true, MessageCaption(kVol04SimulateTopic, "Warning", 40066));
    frame.Questions = {{startText, MessageCaption(kVol04SimulateTopic, "Information", 40067)}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one Folder to create folders.",
                                 MessageCaption(kVol04SimulateTopic, "Warning", 40071, "           ")};
    frame.End = {endText, MessageCaption(kVol04SimulateTopic, "Information", 40070)};
    RunOnFrame(frame, log, hooks);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol04Page::btnVol04CreateFoldersSimulationClick() { Vol04SimulateCreateFolders(); }

void Vol04Page::Vol04SimulateCreateFolders() {
    VisualLog log = Vol04VisualLog();
    ::Vol04SimulateCreateFolders(*this, Vol04ReadInputs(), log, Vol04Hooks(), Shared.CreateSimulationStartText,
                                 Shared.CreateSimulationEndText);
}
