// CREATE on page 04: the checks, the Visual Log, one new folder beside each
// Include path, the end. The simulation (Vol04Simulation.cpp) is this frame
// on the dry disk.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "pages/creation/CreationPage.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol04Internal.h"
#include "pages/creation/Vol04Page.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic04.h"
#include "ui_Vol04Page.h"

using namespace pagekit;

void Vol04CreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log, const Vol04PageHooks& hooks,
                        const Vol04Frame& frame) {
    if (in.WithFiles() && !Vol04CheckDiskSpace(state, in, true)) return;
    if (!CheckCreationStructuresListed(in, frame.NoStructureCaption, hooks.FocusAddFolderStructure)) return;
    if (!ConfirmCreationAndOpenLog(state, in, log, frame.ConfirmText, frame.ConfirmCaption, frame.Simulation))
        return;
    if (hooks.EnableOtherTabSheets) hooks.EnableOtherTabSheets(false);
    log.ClearZoomLists();
    if (in.IncludeFolders.empty()) {
        plat::MessageBox("The Include list is empty !!!\nYou must enter at least one Folder to create folders.",
                         frame.EmptyIncludeCaption, plat::MB_OK | plat::MB_ICONWARNING);
    } else {
        if (frame.Simulation) {
            DryDisk disk;
            Vol04Creator(in, state, log, disk, true).CreateAll();
        } else {
            RealDisk disk;
            Vol04Creator(in, state, log, disk, false).CreateAll();
        }
        log.ShowCounters(state.Labels());
        plat::MessageBox(frame.EndText, frame.EndCaption, plat::MB_OK | plat::MB_ICONINFORMATION);
    }
    if (hooks.EnableOtherTabSheets) hooks.EnableOtherTabSheets(true);
}

void Vol04RunCreateFolders(Vol04State& state, const Vol04Inputs& in, RunLog& log, const Vol04PageHooks& hooks) {
    Vol04Frame frame;
    frame.NoStructureCaption = CreationCaption(kVol04Topic, 40042, true);
    frame.ConfirmText = "Do you want to create folders ?\n";
    frame.ConfirmCaption = CreationCaption(kVol04Topic, 40043, false);
    frame.EmptyIncludeCaption = CreationCaption(kVol04Topic, 40049, true, "           ");
    frame.EndText = "End of Creating Folders/Files !!!";
    frame.EndCaption = CreationCaption(kVol04Topic, 40048, false);
    Vol04CreateFolders(state, in, log, hooks, frame);
}

// ---- the page's side ------------------------------------------------------------------------

Vol04Inputs Vol04Page::Vol04ReadInputs() const {
    Vol04Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol04IncludeFolderList);
    in.Prefix = S(ui->edtVol04Prefix->text());
    in.Suffix = S(ui->edtVol04Suffix->text());
    in.Hyphen = ui->chkVol04Hyphen->isChecked();
    in.FolderStructures = ListItems(ui->lstVol04AddFolderStructure);
    in.AttachNothing = ui->rdoVol04AttachNothing->isChecked();
    in.FullPaths = IsEnabledAndChecked(ui->rdoVol04StructureImportFullPaths);
    in.RelativePaths = IsEnabledAndChecked(ui->rdoVol04StructureImportRelativePaths);
    in.MainFolderWithFiles = ui->rdoVol04AttachMainFolderWithFiles->isChecked();
    in.MainFolderWithoutFiles = ui->rdoVol04AttachMainFolderWithoutFiles->isChecked();
    in.SubFoldersOnlyWithFiles = ui->rdoVol04AttachSubFoldersOnlyWithFiles->isChecked();
    in.SubFoldersOnlyWithoutFiles = ui->rdoVol04AttachSubFoldersOnlyWithoutFiles->isChecked();
    in.ViewDetailedResults = ui->chkVol04ViewDetailedResults->isChecked();
    in.ViewDestFolder = false;  // the page has no "Show Explorer"
    return in;
}

_tagVol0XParts Vol04Page::Vol04GetNameParts(const std::string& item) const {
    return ::Vol04GetNameParts(Vol04ReadInputs(), item);
}

Vol04PageHooks Vol04Page::Vol04Hooks() {
    Vol04PageHooks hooks;
    hooks.EnableOtherTabSheets = [this](bool enabled) {
        EnableOtherTabSheets(this, "tabCreateFolderFolders", enabled);
    };
    hooks.FocusAddFolderStructure = [this] { ui->btnVol04AddFolderStructure->setFocus(); };
    return hooks;
}

void Vol04Page::btnVol04CreateFoldersClick() {
    Vol04EnableRunButtons(false);
    VisualLog log = Vol04VisualLog();
    Vol04RunCreateFolders(*this, Vol04ReadInputs(), log, Vol04Hooks());
    Vol04EnableRunButtons(true);
}

void Vol04Page::btnVol04StatisticsClick() {
    Vol04ShowCounters();
    if (frmStatistic04) frmStatistic04->ShowLog();
}
