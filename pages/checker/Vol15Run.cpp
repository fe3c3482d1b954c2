// "Check Projects Consistency" and "Visual Log" on page 15: the page's side
// of the run (its controls read, its hooks).
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "pages/checker/Vol15Page.h"
#include "pages/VisualLog.h"
#include "results/TfrmStatistic15.h"
#include "ui_Vol15Page.h"

using namespace pagekit;

Vol15Inputs Vol15Page::Vol15ReadInputs() const {
    Vol15Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol15IncludeFolderList);
    in.FolderStructures = ListItems(ui->lstVol15AddFolderStructure);
    in.FullPaths = IsEnabledAndChecked(ui->rdoVol15StructureImportFullPaths);
    in.RelativePaths = !in.FullPaths && IsEnabledAndChecked(ui->rdoVol15StructureImportRelativePaths);
    in.MainFolderWithoutFiles = ui->rdoVol15AttachMainFolderWithoutFiles->isChecked();
    in.SubFoldersOnlyWithoutFiles = ui->rdoVol15AttachSubFoldersOnlyWithoutFiles->isChecked();
    in.MainFolderWithFiles = ui->rdoVol15AttachMainFolderWithFiles->isChecked();
    in.SubFoldersOnlyWithFiles = ui->rdoVol15AttachSubFoldersOnlyWithFiles->isChecked();
    in.ShowDetailedResults = ui->chkVol15ShowDetailedResults->isChecked();
    return in;
}

void Vol15Page::btnVol15CheckProjectsConsistencyClick() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons =
        RunButtonsHook({ui->btnVol15CheckProjectsConsistency}, [this] { Vol15EnableRunButtons(true); });
    hooks.FocusAddFolderStructure = [this] { ui->btnVol15AddFolderStructure->setFocus(); };
    VisualLog log = Vol15VisualLog();
    Vol15CheckProjectsConsistency(*this, Vol15ReadInputs(), log, hooks);
}

void Vol15Page::btnVol15StatisticsClick() {
    Vol15UpdateResultLabels();
    if (frmStatistic15) frmStatistic15->ShowLog();
}
