// Page 12: method edits, enable rules, the run buttons and Clear All; the
// Include and Exclude buttons are the shared IncludeExcludeLists.
#include "pages/files/Vol12Page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "help/HelpWindows.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/files/FilePages.h"
#include "pages/VisualLog.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic12.h"
#include "ui_Vol12Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmVol12EditIncludeList.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(Vol12CatFilesRenamed) == TfrmStatistic12::FilesRenamed &&
              int(Vol12CatFoldersNotExist) == TfrmStatistic12::FoldersNotExist &&
              int(Vol12CatFilesFailedUndo) == TfrmStatistic12::FilesFailedUndo);

using namespace pagekit;

namespace {

IncludeExcludeProfile Vol12ListProfile() {
    IncludeExcludeProfile p = FileListProfile(true);
    p.SelectionEmpty.caption = MessageCaption("Rename Multiple Files - From a Folder List.", "Warning", "120010");
    p.InInclude = {"This Folder exists in the INCLUDE FOLDER LIST !!!",
                   MessageCaption(kVol12RunTopic, "Warning", "120011")};
    p.InExclude = {"This Folder exists in the EXCLUDE FOLDER LIST !!!",
                   MessageCaption("Rename Multiple Files - From a Folder List.", "Warning", "120012")};
    p.ImportEmpty.caption = MessageCaption(kVol12Topic, "Warning", "120015", "             ");
    p.ImportEnd.caption = "Rename Multiple Files.-From a Folder List - Level.        rning no: 120051.";
    p.BuilderEmpty.caption = MessageCaption(kVol12Topic, "Warning", "120019", "             ");
    p.BuilderEnd.caption = p.ImportEnd.caption;
    p.ViewNone.caption = MessageCaption(kVol12RunTopic, "Warning", "120023");
    p.ExportEmpty.caption = MessageCaption(kVol12Topic, "Warning", "120024", "             ");
    p.DeleteSelectedEmpty.caption = MessageCaption(kVol12RunTopic, "Warning", "120026");
    p.DeleteSelectedAsk.caption = MessageCaption(kVol12RunTopic, "Warning", "120025");
    p.DeleteAllEmpty.caption =
        MessageCaption("Rename Multiple Files. - From a Folder List - Level.", "Warning", "120027");
    p.DeleteAllAsk.caption =
        MessageCaption("Rename Multiple Files. - From a Folder List - Level.", "Warning", "120028");
    p.ViewTopic = kVol12RunTopic;
    p.Refuses = FileRefusesDriveRoot;
    p.RootCheckOnAllFromExclude = true;
    p.Editor = []() -> IncludeListEditor* { return frmVol12EditIncludeList; };
    return p;
}

}  // namespace

Vol12Page::Vol12Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol12Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol12IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol12ExcludeFolderList, 3000);
    listtools::ShowCountOf(ui->lstVol12IncludeFolderList, ui->lblVol12IncludeSum);
    listtools::ShowCountOf(ui->lstVol12ExcludeFolderList, ui->lblVol12ExcludeSum);
    ui->lblVol12IncludeSum->setText("0");
    ui->lblVol12ExcludeSum->setText("0");
    IncludeExcludeProfile lists = Vol12ListProfile();
    lists.Refresh = [this] { Vol12RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol12IncludeFolderList, ui->lstVol12ExcludeFolderList}, std::move(lists));
    auto click = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol12IncToExc, &Vol12Page::btnVol12IncToExcClick);
    click(ui->btnVol12ExcToInc, &Vol12Page::btnVol12ExcToIncClick);
    click(ui->btnVol12AllfromInc, &Vol12Page::btnVol12AllfromIncClick);
    click(ui->btnVol12AllfromExc, &Vol12Page::btnVol12AllfromExcClick);
    click(ui->btnVol12ExchangeIncExc, &Vol12Page::btnVol12ExchangeIncExcClick);
    click(ui->btnVol12AddFolderToList, &Vol12Page::btnVol12AddFolderToListClick);
    click(ui->btnVol12SmartImport, &Vol12Page::btnVol12SmartImportClick);
    click(ui->btnVol12SubFolderListBuilder, &Vol12Page::btnVol12SubFolderListBuilderClick);
    click(ui->btnVol12EditIncludeList, &Vol12Page::btnVol12EditIncludeListClick);
    click(ui->btnVol12IncludeFolderListView, &Vol12Page::btnVol12IncludeFolderListViewClick);
    click(ui->btnVol12SmartExport, &Vol12Page::btnVol12SmartExportClick);
    click(ui->btnVol12ZoomIncludeWindow, &Vol12Page::btnVol12ZoomIncludeWindowClick);
    click(ui->btnVol12DeleteFromExcludelist, &Vol12Page::btnVol12DeleteFromExcludelistClick);
    click(ui->btnVol12DeleteExcludeAll, &Vol12Page::btnVol12DeleteExcludeAllClick);
    click(ui->btnVol12RenameFiles, &Vol12Page::btnVol12RenameFilesClick);
    click(ui->btnVol12RenameFilesSimulation, &Vol12Page::btnVol12RenameFilesSimulationClick);
    click(ui->btnVol12Undo, &Vol12Page::btnVol12UndoClick);
    click(ui->btnVol12Statistics, &Vol12Page::btnVol12StatisticsClick);
    click(ui->btnVol12ClearAll, &Vol12Page::btnVol12ClearAllClick);
    click(ui->btnVol12Help, &Vol12Page::btnVol12HelpClick);
    click(ui->btnVol12Examples, &Vol12Page::btnVol12ExamplesClick);
    click(ui->rdoVol12RenameAddPrefixesSuffixes, &Vol12Page::rdoVol12RenameAddPrefixesSuffixesClick);
    click(ui->rdoVol12RenameChangeFileType, &Vol12Page::rdoVol12RenameChangeFileTypeClick);
    Vol12EnableRunButtons(false);
}

Vol12Page::~Vol12Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol12Page::btnVol12IncToExcClick() { Lists->IncToExcClick(); }
void Vol12Page::btnVol12ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol12Page::btnVol12AllfromIncClick() { Lists->AllFromIncClick(); }
void Vol12Page::btnVol12AllfromExcClick() { Lists->AllFromExcClick(); }
void Vol12Page::btnVol12ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol12Page::btnVol12AddFolderToListClick() { Lists->AddFolderClick(); }
void Vol12Page::btnVol12SmartImportClick() { Lists->ImportClick(); }
void Vol12Page::btnVol12SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol12Page::btnVol12EditIncludeListClick() { Lists->EditListClick(); }
void Vol12Page::btnVol12IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol12Page::btnVol12SmartExportClick() { Lists->ExportClick(); }
void Vol12Page::btnVol12ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol12Page::btnVol12DeleteFromExcludelistClick() { Lists->DeleteFromExcludeClick(); }
void Vol12Page::btnVol12DeleteExcludeAllClick() { Lists->DeleteExcludeAllClick(); }

void Vol12Page::Vol12ResetCounters() { ::Vol12ResetCounters(*this); }
void Vol12Page::Vol12UpdateResultLabels() { Vol12VisualLog().ShowCounters(Labels()); }

void Vol12Page::Vol12ClearResultLists() {
    ::Vol12ClearResultLists(*this);
    if (frmStatistic12) frmStatistic12->ClearLists();
}

void Vol12Page::Vol12RefreshPage() {
    const bool filled = ui->lstVol12IncludeFolderList->count() > 0;
    Vol12EnablePageControls(filled);
    Vol12EnableRunButtons(filled);
    Vol12ResetCounters();
    Vol12UpdateResultLabels();
}

void Vol12Page::Vol12EnablePageControls(bool flag) {
    SetEnabled(this,
               {"rdoVol12RenameAddPrefixesSuffixes", "rdoVol12RenameChangeFileType", "lblVol12NewPrefixCimke",
                "edtVol12NewPrefix", "lblVol12DelimiterPrefixSubFolderCimke", "edtVol12DelimiterPrefixSubFolder",
                "lblVol12DelimiterSubFolderSuffixCimke", "edtVol12DelimiterSubFolderSuffix", "lblVol12NewSuffixCimke",
                "edtVol12NewSuffix", "lblVol12RenameChangeOldFileType", "edtVol12RenameChangeOldFileType",
                "lblVol12RenameChangeNewFileType", "edtVol12RenameChangeNewFileType",
                "rdoVol12RenameFilesInMainFolders", "rdoVol12RenameFilesInMainFoldersAndSubFolders",
                "rdoVol12RenameFilesInSubFolders", "rdoVol12RenameDuplicatedFilesDrop",
                "rdoVol12RenameDuplicatedFilesOverWrite", "rdoVol12RenameDuplicatedFilesIncreaseFileNames",
                "rdoVol12RenameDuplicatedFilesIncreaseFileTypes"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol12RenameAddPrefixesSuffixes))
        Vol12EnableMethodControls(true);
    else if (IsEnabledAndChecked(ui->rdoVol12RenameChangeFileType))
        Vol12EnableMethodControls(false);
    SetEnabled(this, {"btnVol12Statistics", "btnVol12Undo", "chkVol12ShowDetailedResults"}, flag);
}

void Vol12Page::Vol12EnableRunButtons(bool) {
    const bool on = ui->lstVol12IncludeFolderList->count() > 0;
    ui->btnVol12RenameFiles->setEnabled(on);
    ui->btnVol12RenameFilesSimulation->setEnabled(on);
}

void Vol12Page::rdoVol12RenameAddPrefixesSuffixesClick() {
    Vol12EnableMethodControls(ui->rdoVol12RenameAddPrefixesSuffixes->isChecked());
}

void Vol12Page::rdoVol12RenameChangeFileTypeClick() {
    Vol12EnableMethodControls(!ui->rdoVol12RenameChangeFileType->isChecked());
}

void Vol12Page::Vol12EnableMethodControls(bool prefixSuffix) {
    SetEnabled(this,
               {"lblVol12NewPrefixCimke", "edtVol12NewPrefix", "lblVol12DelimiterPrefixSubFolderCimke",
                "edtVol12DelimiterPrefixSubFolder", "lblVol12DelimiterSubFolderSuffixCimke",
                "edtVol12DelimiterSubFolderSuffix", "lblVol12NewSuffixCimke", "edtVol12NewSuffix"},
               prefixSuffix);
    SetEnabled(this,
               {"lblVol12RenameChangeOldFileType", "edtVol12RenameChangeOldFileType", "lblVol12RenameChangeNewFileType",
                "edtVol12RenameChangeNewFileType"},
               !prefixSuffix);
}

Vol12Inputs Vol12Page::Vol12ReadInputs() const {
    Vol12Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol12IncludeFolderList);
    in.AddPrefixesSuffixes = IsEnabledAndChecked(ui->rdoVol12RenameAddPrefixesSuffixes);
    in.ChangeFileType = !in.AddPrefixesSuffixes && IsEnabledAndChecked(ui->rdoVol12RenameChangeFileType);
    in.NewPrefix = S(ui->edtVol12NewPrefix->text());
    in.DelimiterPrefix = S(ui->edtVol12DelimiterPrefixSubFolder->text());
    in.DelimiterSuffix = S(ui->edtVol12DelimiterSubFolderSuffix->text());
    in.NewSuffix = S(ui->edtVol12NewSuffix->text());
    in.OldFileType = S(ui->edtVol12RenameChangeOldFileType->text());
    in.NewFileType = S(ui->edtVol12RenameChangeNewFileType->text());
    in.InMainFolders = ui->rdoVol12RenameFilesInMainFolders->isChecked();
    in.InMainFoldersAndSubFolders = ui->rdoVol12RenameFilesInMainFoldersAndSubFolders->isChecked();
    in.InSubFolders = ui->rdoVol12RenameFilesInSubFolders->isChecked();
    in.DuplicatedFilesDrop = ui->rdoVol12RenameDuplicatedFilesDrop->isChecked();
    in.DuplicatedFilesOverWrite = ui->rdoVol12RenameDuplicatedFilesOverWrite->isChecked();
    in.DuplicatedFilesIncreaseFileNames = ui->rdoVol12RenameDuplicatedFilesIncreaseFileNames->isChecked();
    in.DuplicatedFilesIncreaseFileTypes = IsEnabledAndChecked(ui->rdoVol12RenameDuplicatedFilesIncreaseFileTypes);
    in.ShowDetailedResults = ui->chkVol12ShowDetailedResults->isChecked();
    in.WorkingDir = GetWorkingDir();
    in.WorkingCopiesDir = GetOwnWorkingDirRenameFiles();
    in.ProgramFolder = GetProgramFolder();
    return in;
}

RunHooks Vol12Page::Vol12Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = RunButtonsHook({ui->btnVol12RenameFiles, ui->btnVol12RenameFilesSimulation},
                                            [this] { Vol12EnableRunButtons(true); });
    return hooks;
}

void Vol12Page::btnVol12RenameFilesClick() {
    VisualLog log = Vol12VisualLog();
    Vol12RunRenameFiles(*this, Vol12ReadInputs(), log, Vol12Hooks());
}

void Vol12Page::btnVol12RenameFilesSimulationClick() {
    VisualLog log = Vol12VisualLog();
    Vol12SimulateRenameFiles(*this, Vol12ReadInputs(), log, Vol12Hooks());
}

void Vol12Page::btnVol12UndoClick() {
    VisualLog log = Vol12VisualLog();
    Vol12UndoLastRun(*this, log);
}

void Vol12Page::btnVol12StatisticsClick() {
    Vol12UpdateResultLabels();
    if (frmStatistic12) frmStatistic12->ShowLog();
}

void Vol12Page::btnVol12HelpClick() { ShowHelpTopic(HelpTopic::Vol12); }
void Vol12Page::btnVol12ExamplesClick() { ShowExamples(ExampleWindow::Vol12); }

void Vol12Page::btnVol12ClearAllClick() {
    if (plat::MessageBox(
            "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
            "delete process.",
            MessageCaption(kVol12RunTopic, "Information", "120029"), kAsk) != plat::IDYES)
        return;
    ui->lstVol12IncludeFolderList->clear();
    ui->lstVol12ExcludeFolderList->clear();
    SetChecked(ui->rdoVol12RenameAddPrefixesSuffixes, true);
    for (QLineEdit* edit : {ui->edtVol12NewPrefix, ui->edtVol12DelimiterPrefixSubFolder,
                            ui->edtVol12DelimiterSubFolderSuffix, ui->edtVol12NewSuffix,
                            ui->edtVol12RenameChangeOldFileType, ui->edtVol12RenameChangeNewFileType})
        edit->clear();
    ui->chkVol12ShowDetailedResults->setChecked(true);
    Vol12ResetCounters();
    Vol12ClearResultLists();  // the undo data of the last run goes too
    Vol12UpdateResultLabels();
    Vol12EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n",
                     MessageCaption(kVol12RunTopic, "Warning", "120030", "           "), kWarn);
}
