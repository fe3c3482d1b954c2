// Simulation on page 02: the run's own frame and engine on a disk that only
// pretends to write, so it shows exactly what CREATE would do and changes
// nothing, on disk or in what the Undo would undo.
#include <QPushButton>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"
#include "pages/creation/Vol02Page.h"
#include "pages/VisualLog.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "ui_Vol02Page.h"

void Vol02SimulateCreateFolders(Vol02State& state, const Vol02Inputs& in, RunLog& log, const RunHooks& hooks,
                                const std::string& startText, const std::string& endText) {
    RunFrame frame = Vol02Frame(state, in, log, hooks, true, MessageCaption(kVol02SimulateTopic, "Warning", 20071));
    frame.Questions = {{startText, MessageCaption(kVol02SimulateTopic, "Information", 20072)}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one item to create folders.",
                                 MessageCaption(kVol02SimulateTopic, "Warning", 20076)};
    frame.End = {endText, MessageCaption(kVol02SimulateTopic, "Information", 20075)};
    frame.ViewTopic = kVol02SimulateTopic;
    RunOnFrame(frame, log, hooks);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol02Page::btnVol02CreateFoldersSimulationClick() { Vol02SimulateCreateFolders(); }

void Vol02Page::Vol02SimulateCreateFolders() {
    VisualLog log = Vol02VisualLog();
    ::Vol02SimulateCreateFolders(*this, Vol02ReadInputs(), log, Vol02Hooks(), Shared.CreateSimulationStartText,
                                 Shared.CreateSimulationEndText);
}
