// Simulation on page 02: the run's own engine on a disk that only pretends
// to write, so it shows exactly what CREATE would do and changes nothing,
// on disk or in what the Undo would undo.
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

void Vol02SimulateCreateFolders(Vol02State& state, const Vol02Inputs& in, RunLog& log, const Vol02PageHooks& hooks,
                                const std::string& startText, const std::string& endText) {
    if (in.WithFiles() && !Vol02CheckDiskSpace(state, in, true)) return;
    if (!CheckCreationStructuresListed(in, Vol02Caption(kVol02SimulateTopic, 20071, true),
                                       hooks.FocusAddFolderStructure))
        return;
    if (!ConfirmCreationAndOpenLog(state, in, log, startText, Vol02Caption(kVol02SimulateTopic, 20072, false), true))
        return;
    if (hooks.EnableOtherTabSheets) hooks.EnableOtherTabSheets(false);
    log.ClearZoomLists();
    if (in.IncludeStrings.empty()) {
        plat::MessageBox("The Include list is empty !!!\nYou must enter at least one item to create folders.",
                         Vol02Caption(kVol02SimulateTopic, 20076, true), plat::MB_OK | plat::MB_ICONWARNING);
    } else {
        DryDisk disk;
        Vol02Creator(in, state, log, disk, true).CreateAll();
        log.ShowCounters(state.Labels());
        plat::MessageBox(endText, Vol02Caption(kVol02SimulateTopic, 20075, false),
                         plat::MB_OK | plat::MB_ICONINFORMATION);
        if (in.ViewDestFolder) ViewFolder(TrimControlAndBlanks(in.DestFolder), kVol02SimulateTopic);
    }
    if (hooks.EnableOtherTabSheets) hooks.EnableOtherTabSheets(true);
}

// ---- the page's side ------------------------------------------------------------------------

void Vol02Page::btnVol02CreateFoldersSimulationClick() {
    Vol02EnableRunButtons(false);
    Vol02SimulateCreateFolders();
    Vol02EnableRunButtons(true);
}

void Vol02Page::Vol02SimulateCreateFolders() {
    VisualLog log = Vol02VisualLog();
    ::Vol02SimulateCreateFolders(*this, Vol02ReadInputs(), log, Vol02Hooks(), Shared.CreateSimulationStartText,
                                 Shared.CreateSimulationEndText);
}
