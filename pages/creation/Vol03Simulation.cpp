// Simulation on page 03: the run's own frame and engine on a disk that only
// pretends to write, so it shows exactly what CREATE would do and changes
// nothing, on disk or in what the Undo would undo.
#include <QPushButton>

#include "pages/VisualLog.h"
#include "pages/creation/Vol03Internal.h"
#include "pages/creation/Vol03Page.h"
#include "ui_Vol03Page.h"

void Vol03SimulateCreateFolders(Vol03State& state, const Vol03Inputs& in, RunLog& log,
                                const Vol03PageHooks& hooks, const std::string& startText,
                                const std::string& endText) {
    RunFrame frame =
        Vol03Frame(state, in, log, hooks, true, MessageCaption(kVol03SimulateTopic, "Warning", 30049, "    "),
                   MessageCaption(kVol03SimulateTopic, "Warning", 30050, kVol03Tabs));
    frame.Questions = {
        {startText, MessageCaption("Simulate Creating Folder(s).- Increased Numbers.", "Information", 30051)}};
    frame.End = {endText, MessageCaption(kVol03SimulateTopic, "Information", 30054)};
    frame.ViewTopic = kVol03SimulateTopic;
    RunOnFrame(frame, log, hooks);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol03Page::btnVol03CreateFoldersSimulationClick() { Vol03SimulateCreateFolders(); }

void Vol03Page::Vol03SimulateCreateFolders() {
    VisualLog log = Vol03VisualLog();
    ::Vol03SimulateCreateFolders(*this, Vol03ReadInputs(), log, Vol03Hooks(), Shared.CreateSimulationStartText,
                                 Shared.CreateSimulationEndText);
}
