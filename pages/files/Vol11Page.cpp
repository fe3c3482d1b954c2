// Page 11: options, enable rules, the run button and Clear All; the Include
// and Exclude buttons are FileListButtons.
#include "pages/files/Vol11Page.h"

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "help/HelpWindows.h"
#include "pages/files/FileListButtons.h"
#include "pages/files/FilePages.h"
#include "pages/VisualLog.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmStatistics11.h"
#include "ui_Vol11Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmVol11EditIncludeList.h"

using namespace pagekit;

namespace {

FileListProfile Vol11ListProfile() {
    FileListProfile p;
    const std::string folders = "Delete Folder structure(s).-From a Folder List.";
    p.AddEmpty = FileCaption(folders, "Warning", "110008");
    p.AddInInclude = FileCaption(folders, "Warning", "110009");
    p.AddInExclude = FileCaption(folders, "Warning", "110010");
    p.ImportEmpty = FileCaption(kVol11Topic, "Warning", "110012", "             ");
    p.ImportEnd = "Delete Multiple Files.-From a Folder List - Level.        rning no: 110051.";
    p.BuilderEmpty = FileCaption(kVol11Topic, "Warning", "110016", "             ");
    p.BuilderEnd = "Delete Multiple Files.-From a Folder List - Level.        rning no: 110052.";
    p.ViewNone = FileCaption(kVol11Topic, "Warning", "110020");
    p.ExportEmpty = FileCaption(kVol11Topic, "Warning", "110021", "             ");
    p.DeleteSelectedEmpty = FileCaption(kVol11Topic, "Warning", "110023");
    p.DeleteSelectedAsk = FileCaption(kVol11Topic, "Warning", "110022");
    p.DeleteAllEmpty = FileCaption("Delete Multiple Files.-From a Folder List - Level.", "Warning", "110024");
    p.DeleteAllAsk = FileCaption("Delete Multiple Files.-From a Folder List - Level.", "Warning", "110025");
    p.ViewTopic = kVol11Topic;
    p.CheckNotDriveRoot = FileCheckNotDriveRoot;
    p.ImportNeedsMoreThanThree = true;
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
    Lists = new FileListButtons(this, ui->lstVol11IncludeFolderList, ui->lstVol11ExcludeFolderList, Vol11ListProfile(),
                                [this] { Vol11RefreshPage(); });
    auto click = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol11IncToExc, [this] { Lists->IncToExc(); });
    click(ui->btnVol11ExcToInc, [this] { Lists->ExcToInc(); });
    click(ui->btnVol11AllfromInc, [this] { Lists->AllFromInc(); });
    click(ui->btnVol11AllfromExc, [this] { Lists->AllFromExc(); });
    click(ui->btnVol11ExchangeIncExc, [this] { Lists->ExchangeIncExc(); });
    click(ui->btnVol11AddFoldersToList, [this] { Lists->AddFolder(); });
    click(ui->btnVol11SmartImport, [this] { Lists->SmartImport(); });
    click(ui->btnVol11SubFolderListBuilder, [this] { Lists->SubFolderListBuilder(); });
    click(ui->btnVol11EditIncludeList, [this] { Lists->EditIncludeList(); });
    click(ui->btnVol11IncludeFolderListView, [this] { Lists->IncludeFolderListView(); });
    click(ui->btnVol11SmartExport, [this] {
        Lists->SmartExport();
        ui->btnVol11SmartExport->setFocus();
    });
    click(ui->btnVol11ZoomIncludeWindow, [this] { Lists->ZoomIncludeWindow(); });
    click(ui->btnVol11DeleteFromExcludeList, [this] { Lists->DeleteFromExcludeList(); });
    click(ui->btnVol11DeleteExcludeAll, [this] {
        Lists->DeleteExcludeAll();
        ui->btnVol11DeleteExcludeAll->setFocus();
    });
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

Vol11Page::~Vol11Page() {
    delete Lists;
    delete ui;
}

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
    Vol11CountFilesToDelete(*this, Vol11ReadInputs(), ui->rdoVol11DeleteOnlyFiles->isChecked() ? 1 : 2);
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
    hooks.EnableRunButtons = [this](bool on) {
        if (on)
            Vol11EnableRunButtons(true);
        else
            ui->btnVol11DeleteFiles->setEnabled(false);
    };
    Vol11RunDeleteFiles(*this, Vol11ReadInputs(), log, hooks);
}

// No button runs it: the run buttons stay as they are.
void Vol11Page::Vol11SimulateDeleteFiles() {
    VisualLog log = Vol11VisualLog();
    ::Vol11SimulateDeleteFiles(*this, Vol11ReadInputs(), log, Vol11Hooks());
}

RunHooks Vol11Page::Vol11Hooks() {
    RunHooks hooks;
    hooks.EnableOtherTabSheets = [this](bool on) { EnableFileTabSheets(this, "tabFileDelete", on); };
    return hooks;
}

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
                         FileCaption("Delete Foldere(s).-From a Folder List.", "Warning", "110026", "           "),
                         kWarn);
}

void Vol11Page::rdoVol11DeleteOnlyFilesClick() {
    ui->btnVol11FileSelection->setEnabled(true);
    Vol11RefreshPage();
    if (Vol11HintShownFiles++ == 0)
        plat::MessageBox("You can Select File Names/Types by Clicking on the <Select Files> button.",
                         FileCaption("Delete Foldere(s).-From a Folder List.", "Warning", "110027", "           "),
                         kWarn);
}

void Vol11Page::btnVol11ClearAllClick() {
    if (FilePageBox("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
                    "delete process.",
                    kVol11Topic, "Information", "110028", kAsk) == plat::IDNO)
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
                     FileCaption("Delete Foldere(s).-From a Folder List.", "Warning", "110029", "           "),
                     kWarn);
}
