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
    RunFrame frame = Vol02Frame(state, in, log, hooks, true, Vol02Caption(kVol02SimulateTopic, 20071, true));
    frame.Questions = {{startText, Vol02Caption(kVol02SimulateTopic, 20072, false)}};
    frame.IncludeEmptyMessage = {"The Include list is empty !!!\nYou must enter at least one item to create folders.",
                                 Vol02Caption(kVol02SimulateTopic, 20076, true)};
    frame.End = {endText, Vol02Caption(kVol02SimulateTopic, 20075, false)};
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
