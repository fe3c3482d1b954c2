// Page 11: options, enable rules, the run button and Clear All; the Include
// and Exclude buttons are the shared IncludeExcludeLists.
#include "pages/files/Vol11Page.h"

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "help/HelpWindows.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/files/FilePages.h"
#include "pages/RunFrame.h"
#include "pages/VisualLog.h"
#include "pages/WalksOnPool.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmStatistics11.h"
#include "ui_Vol11Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmVol11EditIncludeList.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(Vol11CatFilesDeleted) == TfrmStatistics11::FilesDeleted &&
              int(Vol11CatFoldersNotExists) == TfrmStatistics11::FoldersNotExists &&
              int(Vol11CatFilesNotExists) == TfrmStatistics11::FilesNotExists);

using namespace pagekit;

namespace {

IncludeExcludeProfile Vol11ListProfile() {
    IncludeExcludeProfile p = FileListProfile(true);
    const std::string folders = "Delete Folder structure(s).-From a Folder List.";
    p.SelectionEmpty.caption = MessageCaption(folders, "Warning", "110008");
    p.InInclude.caption = MessageCaption(folders, "Warning", "110009");
    p.InExclude.caption = MessageCaption(folders, "Warning", "110010");
    p.ImportEmpty.caption = MessageCaption(kVol11Topic, "Warning", "110012", "             ");
    p.ImportEnd.caption = "Delete Multiple Files.-From a Folder List - Level.        rning no: 110051.";
    p.BuilderEmpty.caption = MessageCaption(kVol11Topic, "Warning", "110016", "             ");
    p.BuilderEnd.caption = "Delete Multiple Files.-From a Folder List - Level.        rning no: 110052.";
    p.ViewNone.caption = MessageCaption(kVol11Topic, "Warning", "110020");
    p.ExportEmpty.caption = MessageCaption(kVol11Topic, "Warning", "110021", "             ");
    p.DeleteSelectedEmpty.caption = MessageCaption(kVol11Topic, "Warning", "110023");
    p.DeleteSelectedAsk.caption = MessageCaption(kVol11Topic, "Warning", "110022");
    p.DeleteAllEmpty.caption =
        MessageCaption("Delete Multiple Files.-From a Folder List - Level.", "Warning", "110024");
    p.DeleteAllAsk.caption = MessageCaption("Delete Multiple Files.-From a Folder List - Level.", "Warning", "110025");
    p.ViewTopic = kVol11Topic;
    p.Refuses = FileRefusesDriveRoot;
    p.ImportStopsAtRoot = true;
    p.BuilderNeedsDrive = false;
    p.Editor = []() -> IncludeListEditor* { return frmVol11EditIncludeList; };
    return p;
}

}  // namespace

Vol11Page::Vol11Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol11Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol11IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol11ExcludeFolderList, 3000);
    listtools::ShowCountOf(ui->lstVol11IncludeFolderList, ui->lblVol11IncludeSum);
    listtools::ShowCountOf(ui->lstVol11ExcludeFolderList, ui->lblVol11ExcludeSum);
    ui->lblVol11IncludeSum->setText("0");
    ui->lblVol11ExcludeSum->setText("0");
    IncludeExcludeProfile lists = Vol11ListProfile();
    lists.Refresh = [this] { Vol11RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol11IncludeFolderList, ui->lstVol11ExcludeFolderList}, std::move(lists));
    auto click = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol11IncToExc, &Vol11Page::btnVol11IncToExcClick);
    click(ui->btnVol11ExcToInc, &Vol11Page::btnVol11ExcToIncClick);
    click(ui->btnVol11AllfromInc, &Vol11Page::btnVol11AllfromIncClick);
    click(ui->btnVol11AllfromExc, &Vol11Page::btnVol11AllfromExcClick);
    click(ui->btnVol11ExchangeIncExc, &Vol11Page::btnVol11ExchangeIncExcClick);
    click(ui->btnVol11AddFoldersToList, &Vol11Page::btnVol11AddFoldersToListClick);
    click(ui->btnVol11SmartImport, &Vol11Page::btnVol11SmartImportClick);
    click(ui->btnVol11SubFolderListBuilder, &Vol11Page::btnVol11SubFolderListBuilderClick);
    click(ui->btnVol11EditIncludeList, &Vol11Page::btnVol11EditIncludeListClick);
    click(ui->btnVol11IncludeFolderListView, &Vol11Page::btnVol11IncludeFolderListViewClick);
    click(ui->btnVol11SmartExport, &Vol11Page::btnVol11SmartExportClick);
    click(ui->btnVol11ZoomIncludeWindow, &Vol11Page::btnVol11ZoomIncludeWindowClick);
    click(ui->btnVol11DeleteFromExcludeList, &Vol11Page::btnVol11DeleteFromExcludeListClick);
    click(ui->btnVol11DeleteExcludeAll, &Vol11Page::btnVol11DeleteExcludeAllClick);
    click(ui->btnVol11DeleteFiles, &Vol11Page::btnVol11DeleteFilesClick);
    click(ui->btnVol11Statistics, &Vol11Page::btnVol11StatisticsClick);
    click(ui->btnVol11ClearAll, &Vol11Page::btnVol11ClearAllClick);
    click(ui->btnVol11Help, &Vol11Page::btnVol11HelpClick);
    click(ui->btnVol11Examples, &Vol11Page::btnVol11ExamplesClick);
    click(ui->btnVol11FileSelection, &Vol11Page::btnVol11FileSelectionClick);
    click(ui->rdoVol11DeleteOnlyFilesInMainFolder, &Vol11Page::rdoVol11DeleteOnlyFilesInMainFolderClick);
    click(ui->rdoVol11DeleteOnlyFiles, &Vol11Page::rdoVol11DeleteOnlyFilesClick);
    Vol11EnableRunButtons(false);
}

Vol11Page::~Vol11Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol11Page::btnVol11IncToExcClick() { Lists->IncToExcClick(); }
void Vol11Page::btnVol11ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol11Page::btnVol11AllfromIncClick() { Lists->AllFromIncClick(); }
void Vol11Page::btnVol11AllfromExcClick() { Lists->AllFromExcClick(); }
void Vol11Page::btnVol11ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol11Page::btnVol11AddFoldersToListClick() { Lists->AddFolderClick(); }
void Vol11Page::btnVol11SmartImportClick() { Lists->ImportClick(); }
void Vol11Page::btnVol11SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol11Page::btnVol11EditIncludeListClick() { Lists->EditListClick(); }
void Vol11Page::btnVol11IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol11Page::btnVol11SmartExportClick() { Lists->ExportClick(ui->btnVol11SmartExport); }
void Vol11Page::btnVol11ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol11Page::btnVol11DeleteFromExcludeListClick() { Lists->DeleteFromExcludeClick(); }
void Vol11Page::btnVol11DeleteExcludeAllClick() { Lists->DeleteExcludeAllClick(ui->btnVol11DeleteExcludeAll); }

void Vol11Page::Vol11ClearTotals() { ::Vol11ClearTotals(*this); }
void Vol11Page::Vol11ResetCounters() { ::Vol11ResetCounters(*this); }

void Vol11Page::Vol11ClearResultLists() {
    ::Vol11ClearResultLists(*this);
    if (frmStatistics11) frmStatistics11->ClearLists();
}

void Vol11Page::Vol11UpdateToDeleteLabels() { Vol11VisualLog().ShowCounters(ToDeleteLabels()); }
void Vol11Page::Vol11UpdateResultLabels() { Vol11VisualLog().ShowCounters(ResultLabels()); }

Vol11Inputs Vol11Page::Vol11ReadInputs() const {
    Vol11Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol11IncludeFolderList);
    in.DeleteOnlyFilesInMainFolder = ui->rdoVol11DeleteOnlyFilesInMainFolder->isChecked();
    in.DeleteOnlyFiles = ui->rdoVol11DeleteOnlyFiles->isChecked();
    in.ReadOnlyFiles = ui->chkVol11ReadOnlyFiles->isChecked();
    in.DeleteDoubleConfirm = ui->chkVol11DeleteDoubleConfirm->isChecked();
    in.ShowDetailedResults = ui->chkVol11ShowDetailedResults->isChecked();
    in.Masks = GetFileSelNameMasks();
    in.WorkingDir = GetWorkingDir();
    in.ProgramFolder = GetProgramFolder();
    return in;
}

void Vol11Page::Vol11RefreshPage() {
    const bool filled = ui->lstVol11IncludeFolderList->count() > 0;
    Vol11EnablePageControls(filled);
    Vol11EnableRunButtons(filled);
    Vol11ClearTotals();
    {
        // The main folders are read on the run pool: the window paints, with
        // the busy cursor, no click gets in, and a close waits for the end.
        const CountingBusy counting;
        Vol11CountFilesToDelete(*this, Vol11ReadInputs());
    }
    ShowRunFailures(RunKeeps::Nothing);
    Vol11UpdateToDeleteLabels();
}

void Vol11Page::Vol11EnablePageControls(bool flag) {
    SetEnabled(this,
               {"chkVol11DeleteDoubleConfirm", "rdoVol11DeleteOnlyFilesInMainFolder", "rdoVol11DeleteOnlyFiles",
                "btnVol11Statistics", "chkVol11ShowDetailedResults", "chkVol11ReadOnlyFiles"},
               flag);
    const bool scope = IsEnabledAndChecked(ui->rdoVol11DeleteOnlyFilesInMainFolder) ||
                       IsEnabledAndChecked(ui->rdoVol11DeleteOnlyFiles);
    SetEnabled(this, {"btnVol11FileSelection", "lstVol11FileTypesAllSelected"}, scope);
    Vol11EnableRunButtons(flag);
}

void Vol11Page::Vol11EnableRunButtons(bool) {
    const bool on = ui->lstVol11IncludeFolderList->count() > 0;
    ui->btnVol11DeleteFiles->setEnabled(on);
    // Simulation stays hidden and disabled: the page offers none.
}

void Vol11Page::btnVol11DeleteFilesClick() {
    VisualLog log = Vol11VisualLog();
    RunHooks hooks = Vol11Hooks();
    hooks.EnableRunButtons = RunButtonsHook({ui->btnVol11DeleteFiles}, [this] { Vol11EnableRunButtons(true); });
    Vol11RunDeleteFiles(*this, Vol11ReadInputs(), log, hooks);
}

// No button runs it: the run buttons stay as they are.
void Vol11Page::Vol11SimulateDeleteFiles() {
    VisualLog log = Vol11VisualLog();
    ::Vol11SimulateDeleteFiles(*this, Vol11ReadInputs(), log, Vol11Hooks());
}

RunHooks Vol11Page::Vol11Hooks() { return PageRunHooks(this, Shared); }

void Vol11Page::btnVol11StatisticsClick() {
    Vol11UpdateToDeleteLabels();
    if (frmStatistics11) frmStatistics11->ShowLog();
}

void Vol11Page::btnVol11HelpClick() { ShowHelpTopic(HelpTopic::Vol11); }
void Vol11Page::btnVol11ExamplesClick() { ShowExamples(ExampleWindow::Vol11); }

void Vol11Page::btnVol11FileSelectionClick() {
    if (frmFileSelection && qtplat::ExecModal(frmFileSelection) == QDialog::Accepted) Vol11RefreshPage();
}

void Vol11Page::rdoVol11DeleteOnlyFilesInMainFolderClick() {
    ui->btnVol11FileSelection->setEnabled(true);
    Vol11RefreshPage();
    if (Vol11HintShownMain++ == 0)
        plat::MessageBox("You can Select File Names/Types by Clicking on the <Select Files> button.",
                         MessageCaption("Delete Foldere(s).-From a Folder List.", "Warning", "110026", "           "),
                         kWarn);
}

void Vol11Page::rdoVol11DeleteOnlyFilesClick() {
    ui->btnVol11FileSelection->setEnabled(true);
    Vol11RefreshPage();
    if (Vol11HintShownFiles++ == 0)
        plat::MessageBox("You can Select File Names/Types by Clicking on the <Select Files> button.",
                         MessageCaption("Delete Foldere(s).-From a Folder List.", "Warning", "110027", "           "),
                         kWarn);
}

void Vol11Page::btnVol11ClearAllClick() {
    if (plat::MessageBox(
            "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
            "delete process.",
            MessageCaption(kVol11Topic, "Information", "110028"), kAsk) == plat::IDNO)
        return;
    ui->lstVol11IncludeFolderList->clear();
    ui->lstVol11ExcludeFolderList->clear();
    ui->chkVol11ShowDetailedResults->setChecked(true);
    ui->chkVol11DeleteDoubleConfirm->setChecked(true);
    SetChecked(ui->rdoVol11DeleteOnlyFilesInMainFolder, true);
    Vol11ClearTotals();
    Vol11ClearResultLists();
    Vol11UpdateToDeleteLabels();
    Vol11EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n",
                     MessageCaption("Delete Foldere(s).-From a Folder List.", "Warning", "110029", "           "),
                     kWarn);
}
