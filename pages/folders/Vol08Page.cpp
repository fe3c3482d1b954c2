// Page 08: the Include and Exclude lists, the structure sources, attach
// options and structure list on the shared handlers with this page's
// messages, the enable rules, the page refresh, file selection and Clear All.
#include "pages/folders/Vol08Page.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/RunFrame.h"
#include "pages/StructureLists.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "ui_Vol08Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmVol08EditIncludeList.h"

using namespace pagekit;

namespace {

constexpr const char* kListTopic = "Copy Folder Structure(s).-From a Folder List.";
const char* const kThirteen = "             ";

IncludeExcludeProfile Vol08ListProfile() {
    IncludeExcludeProfile p;
    p.SelectionEmpty.caption = MessageCaption(kVol08Topic, "Warning", 80008);
    p.InInclude.caption = MessageCaption(kVol08Topic, "Warning", 80009);
    p.InExclude.caption = MessageCaption(kVol08Topic, "Warning", 80010);
    p.ImportEmpty.caption = MessageCaption(kVol08Topic, "Warning", 80017);
    // These two captions are the program's own, cut as they are.
    p.ImportEnd.caption = "Copy Folder Structure(s).-From a Folder List - Level        rning no: 80052.";
    p.BuilderEmpty = {"Empty Result List in the Subfolder List Window!\n", MessageCaption(kVol08Topic, "Warning", 80012)};
    p.BuilderEnd.caption = "Copy Folder Structure(s).-From a Folder List - Level        rning no: 80051.";
    p.ViewNone.caption = MessageCaption(kVol08Topic, "Warning", 80016);
    p.ViewTopic = kVol08Topic;
    p.ExportEmpty.caption = MessageCaption(kVol08Topic, "Warning", 80022, kThirteen);
    p.DeleteSelectedAsk.caption = MessageCaption(kVol08Topic, "Warning", 80023);
    p.DeleteSelectedEmpty.caption = MessageCaption(kVol08Topic, "Warning", 80024);
    p.DeleteAllEmpty.caption = MessageCaption(kVol08Topic, "Warning", 80025);
    p.DeleteAllAsk.caption = MessageCaption(kVol08Topic, "Warning", 80026);
    p.MoveTakes = HasDrivePart;
    // Imported and built lines go in as they are; a "." or ".." name would
    // lead out of the folder it names, so such a line never enters.
    p.ImportTakes = [](std::string& line) {
        return !TrimControlAndBlanks(line).empty() && !HasDotFolderName(line);
    };
    p.ImportNeedsDrive = true;
    p.BuilderNeedsDrive = true;
    p.ExportTakes = HasDrivePart;
    p.Editor = []() -> IncludeListEditor* { return frmVol08EditIncludeList; };
    return p;
}

StructureListMessages Vol08StructureMessages() {
    StructureListMessages m;
    m.EmptyPath = {"The selection field is empty !\nAction : You must select a folder with subfolder structure.",
                   MessageCaption(kVol08Topic, "Warning", 80030)};
    m.AskWholeDrive = {"Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick "
                       "YES to Copy,\nClick NO to Cancel.",
                       MessageCaption(kVol08Topic, "Information", 80029)};
    m.ImportEmpty = {"Empty Result List in the File Import Window!\n", MessageCaption(kVol08Topic, "Warning", 80031)};
    m.ImportFullPaths = {"", MessageCaption(kListTopic, "Warning", 80032)};
    m.ImportTemplates = {"", MessageCaption(kListTopic, "Warning", 80033)};
    m.ImportEnd = {"End of the Import Process !!!\n",
                   "Copy Folder Structure(s).-From a Folder List - Level        rning no: 80053."};
    m.ExportEmpty = {"The Folder Structure/Templates Window is empty !\n",
                     MessageCaption(kVol08Topic, "Warning", 80037, kThirteen)};
    m.EditTemplates = {"", MessageCaption(kListTopic, "Warning", 80038)};
    m.EditFullPaths = {"", MessageCaption(kListTopic, "Warning", 80039, kThirteen)};
    m.ViewNoneSelected = {
        "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
        MessageCaption(kVol08Topic, "Warning", 80041)};
    m.AskDeleteSelected = {"Do you want to delete the selected item(s) from the Folder Structures/Templates list ?",
                           MessageCaption(kVol08Topic, "Warning", 80042)};
    m.DeleteAllEmpty = {"Empty List in the Folder Structure/Templates Window!\n",
                        MessageCaption(kVol08Topic, "Warning", 80043)};
    m.AskDeleteAll = {"Do you want to delete all item(s) from the Folder Structure/Templates list ?",
                      MessageCaption(kVol08Topic, "Warning", 80044)};
    return m;
}

}  // namespace

Vol08Page::Vol08Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol08Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol08IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol08ExcludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol08AddFolderStructure, 3000);
    listtools::ShowCountOf(ui->lstVol08IncludeFolderList, ui->lblVol08IncludeSum);
    listtools::ShowCountOf(ui->lstVol08ExcludeFolderList, ui->lblVol08ExcludeSum);
    listtools::ShowCountOf(ui->lstVol08AddFolderStructure, ui->lblVol08FolderStructuresTemplatesSum);
    ui->lblVol08IncludeSum->setText("0");
    ui->lblVol08ExcludeSum->setText("0");

    IncludeExcludeProfile lists = Vol08ListProfile();
    lists.Refresh = [this] { Vol08RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol08IncludeFolderList, ui->lstVol08ExcludeFolderList}, std::move(lists));

    StructureListWidgets widgets = QM_STRUCTURE_WIDGETS(ui, Vol08);
    // The source radios leave the list's title and count caption as they are.
    widgets.Title = nullptr;
    widgets.SumCaption = nullptr;
    widgets.Options = ui->btnVol08FolderTemplatesOptions;
    Structures = std::make_unique<StructureListHandlers>(this, widgets, 4, Vol08StructureMessages());
    Structures->ViewTopic = kVol08Topic;
    // Full folder paths, told apart exactly: on Linux "Models" and "models" are two folders.
    Structures->Refresh = [this](bool withFiles) { Vol08TotalsRefresh(withFiles); };
    Structures->RefreshAfterListChange = [this] { Vol08RefreshPage(); };
    Structures->EnableRunButtons = [this](bool flag) { Vol08EnableRunButtons(flag); };
    Structures->UpdateRunButtons = [this](bool flag) { Vol08EnableRunButtons(flag); };

    auto click = [this](QAbstractButton* button, void (Vol08Page::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol08IncToExc, &Vol08Page::btnVol08IncToExcClick);
    click(ui->btnVol08ExcToInc, &Vol08Page::btnVol08ExcToIncClick);
    click(ui->btnVol08AllFromInc, &Vol08Page::btnVol08AllFromIncClick);
    click(ui->btnVol08AllFromExc, &Vol08Page::btnVol08AllFromExcClick);
    click(ui->btnVol08ExchangeIncExc, &Vol08Page::btnVol08ExchangeIncExcClick);
    click(ui->btnVol08AddFolderToList, &Vol08Page::btnVol08AddFolderToListClick);
    click(ui->btnVol08SmartImport, &Vol08Page::btnVol08SmartImportClick);
    click(ui->btnVol08SubFolderListBuilder, &Vol08Page::btnVol08SubFolderListBuilderClick);
    click(ui->btnVol08EditIncludeList, &Vol08Page::btnVol08EditIncludeListClick);
    click(ui->btnVol08IncludeFolderListView, &Vol08Page::btnVol08IncludeFolderListViewClick);
    click(ui->btnVol08SmartExport, &Vol08Page::btnVol08SmartExportClick);
    click(ui->btnVol08ZoomIncludeWindow, &Vol08Page::btnVol08ZoomIncludeWindowClick);
    click(ui->btnVol08DeleteFromExcludeList, &Vol08Page::btnVol08DeleteFromExcludeListClick);
    click(ui->btnVol08DeleteExcludedAll, &Vol08Page::btnVol08DeleteExcludedAllClick);
    ConnectSourceRadio(ui->rdoVol08StructureImportRelativePaths, this,
                       [this] { rdoVol08StructureImportRelativePathsClick(); });
    ConnectSourceRadio(ui->rdoVol08StructureImportFullPaths, this, [this] { rdoVol08StructureImportFullPathsClick(); });
    click(ui->rdoVol08AttachMainFolderWithoutFiles, &Vol08Page::rdoVol08AttachMainFolderWithoutFilesClick);
    click(ui->rdoVol08AttachSubFoldersOnlyWithoutFiles, &Vol08Page::rdoVol08AttachSubFoldersOnlyWithoutFilesClick);
    click(ui->rdoVol08AttachMainFolderWithFiles, &Vol08Page::rdoVol08AttachMainFolderWithFilesClick);
    click(ui->rdoVol08AttachSubFoldersOnlyWithFiles, &Vol08Page::rdoVol08AttachSubFoldersOnlyWithFilesClick);
    click(ui->btnVol08FolderTemplatesOptions, &Vol08Page::btnVol08FolderTemplatesOptionsClick);
    click(ui->btnVol08FileSelection, &Vol08Page::btnVol08FileSelectionClick);
    click(ui->btnVol08AddFolderStructure, &Vol08Page::btnVol08AddFolderStructureClick);
    click(ui->btnVol08ImportFolderStructuresTemplates, &Vol08Page::btnVol08ImportFolderStructuresTemplatesClick);
    click(ui->btnVol08ExportFolderStructuresTemplates, &Vol08Page::btnVol08ExportFolderStructuresTemplatesClick);
    click(ui->btnVol08EditFolderStructuresTemplates, &Vol08Page::btnVol08EditFolderStructuresTemplatesClick);
    click(ui->btnVol08ViewFolderStructure, &Vol08Page::btnVol08ViewFolderStructureClick);
    click(ui->btnVol08DeleteSelFolderStructuresTemplates, &Vol08Page::btnVol08DeleteSelFolderStructuresTemplatesClick);
    click(ui->btnVol08DeleteAllFolderStructuresTemplates, &Vol08Page::btnVol08DeleteAllFolderStructuresTemplatesClick);
    click(ui->btnVol08CopyFolders, &Vol08Page::btnVol08CopyFoldersClick);
    click(ui->btnVol08CopyFoldersSimulation, &Vol08Page::btnVol08CopyFoldersSimulationClick);
    click(ui->btnVol08Undo, &Vol08Page::btnVol08UndoClick);
    click(ui->btnVol08Statistics, &Vol08Page::btnVol08StatisticsClick);
    click(ui->btnVol08Help, &Vol08Page::btnVol08HelpClick);
    click(ui->btnVol08Examples, &Vol08Page::btnVol08ExamplesClick);
    click(ui->btnVol08ClearAll, &Vol08Page::btnVol08ClearAllClick);
    Vol08EnableRunButtons(false);
}

Vol08Page::~Vol08Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol08Page::btnVol08IncToExcClick() { Lists->IncToExcClick(); }
void Vol08Page::btnVol08ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol08Page::btnVol08AllFromIncClick() { Lists->AllFromIncClick(); }
void Vol08Page::btnVol08AllFromExcClick() { Lists->AllFromExcClick(); }
void Vol08Page::btnVol08ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol08Page::btnVol08AddFolderToListClick() { Lists->AddFolderClick(); }
void Vol08Page::btnVol08SmartImportClick() { Lists->ImportClick(); }
void Vol08Page::btnVol08SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol08Page::btnVol08EditIncludeListClick() { Lists->EditListClick(); }
void Vol08Page::btnVol08IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol08Page::btnVol08SmartExportClick() { Lists->ExportClick(ui->btnVol08SmartExport); }
void Vol08Page::btnVol08ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol08Page::btnVol08DeleteFromExcludeListClick() { Lists->DeleteFromExcludeClick(); }
void Vol08Page::btnVol08DeleteExcludedAllClick() { Lists->DeleteExcludeAllClick(ui->btnVol08DeleteExcludedAll); }

// ---- structure sources, attach options and the structure list ------------------------------

void Vol08Page::rdoVol08StructureImportRelativePathsClick() { Structures->RelativePathsClick(); }
void Vol08Page::rdoVol08StructureImportFullPathsClick() { Structures->FullPathsClick(); }

void Vol08Page::Vol08SetRelativePathsMode() { Structures->SetRelativePathsMode(); }

void Vol08Page::Vol08SetFullPathsMode() {
    Structures->SetFullPathsMode();
    Vol08EnableFolderStructureButtons();
}

// Existing folders are added by the browser and viewed; template lines
// come by Import and Edit.
void Vol08Page::Vol08EnableFolderStructureButtons() {
    const bool folders = IsEnabledAndChecked(ui->rdoVol08StructureImportFullPaths);
    SetEnabled(this, {"btnVol08AddFolderStructure", "btnVol08ViewFolderStructure"}, folders);
    SetEnabled(this,
               {"btnVol08DeleteSelFolderStructuresTemplates", "btnVol08DeleteAllFolderStructuresTemplates",
                "lstVol08AddFolderStructure"},
               folders || IsEnabledAndChecked(ui->rdoVol08StructureImportRelativePaths));
}

void Vol08Page::rdoVol08AttachMainFolderWithoutFilesClick() {
    Vol08EnableFolderStructureButtons();
    Structures->AttachOptionClick(false);
}

void Vol08Page::rdoVol08AttachSubFoldersOnlyWithoutFilesClick() { rdoVol08AttachMainFolderWithoutFilesClick(); }

void Vol08Page::rdoVol08AttachMainFolderWithFilesClick() {
    Vol08AttachWithFiles(ui->rdoVol08AttachMainFolderWithFiles, Vol08HintShownMain, 80027);
}

void Vol08Page::rdoVol08AttachSubFoldersOnlyWithFilesClick() {
    Vol08AttachWithFiles(ui->rdoVol08AttachSubFoldersOnlyWithFiles, Vol08HintShownSub, 80028);
}

void Vol08Page::Vol08AttachWithFiles(QAbstractButton* radio, int& shown, int number) {
    Vol08EnableFolderStructureButtons();
    Structures->AttachOptionClick(radio->isChecked());
    if (shown != 0) return;
    plat::MessageBox(Shared.FileSelectionHintText, MessageCaption(kVol08Topic, "Warning", number), kWarn);
    shown = 1;
}

void Vol08Page::Vol08EnableFileSelection() {
    SetEnabled(this, {"btnVol08FileSelection", "lstVol08FileTypesAllSelected"},
               IsEnabledAndChecked(ui->rdoVol08AttachMainFolderWithFiles) ||
                   IsEnabledAndChecked(ui->rdoVol08AttachSubFoldersOnlyWithFiles));
}

void Vol08Page::btnVol08FolderTemplatesOptionsClick() { Structures->TemplateOptionsClick(); }
void Vol08Page::btnVol08AddFolderStructureClick() { Structures->AddFolderStructureClick(); }
void Vol08Page::Vol08AddFolderStructurePath(const std::string& path) { Structures->AddStructure(path); }
void Vol08Page::btnVol08ImportFolderStructuresTemplatesClick() { Structures->ImportClick(); }
void Vol08Page::btnVol08ExportFolderStructuresTemplatesClick() { Structures->ExportClick(); }
void Vol08Page::btnVol08EditFolderStructuresTemplatesClick() { Structures->EditClick(); }
void Vol08Page::btnVol08ViewFolderStructureClick() { Structures->ViewSelectedClick(); }
void Vol08Page::btnVol08DeleteSelFolderStructuresTemplatesClick() { Structures->DeleteSelectedClick(); }
void Vol08Page::btnVol08DeleteAllFolderStructuresTemplatesClick() { Structures->DeleteAllClick(); }

// The masks are read by the run through the settings store; only the
// totals follow the choice.
void Vol08Page::btnVol08FileSelectionClick() {
    if (!frmFileSelection || qtplat::ExecModal(frmFileSelection) != QDialog::Accepted) return;
    Vol08ResetCounters();
    const bool withFiles = Vol08WithFilesChecked();
    if (withFiles || ui->rdoVol08AttachMainFolderWithoutFiles->isChecked() ||
        ui->rdoVol08AttachSubFoldersOnlyWithoutFiles->isChecked())
        Vol08ComputeTotalsAndCheckSpace(withFiles);
    Vol08UpdateResultLabels();
}

// ---- counters and page state ----------------------------------------------------------------

void Vol08Page::Vol08ResetCounters() { ::Vol08ResetCounters(*this); }
void Vol08Page::Vol08ResetResultCounters() { ::Vol08ResetResultCounters(*this); }
void Vol08Page::Vol08ClearResultLists() { ::Vol08ClearResultLists(*this); }
void Vol08Page::Vol08ClearLastRunLists() { ::Vol08ClearLastRunLists(*this); }

bool Vol08Page::Vol08WithFilesChecked() const { return Structures->WithFilesChecked(); }

// The structures and the main folders are read on the run pool: the window
// paints meanwhile, with the busy cursor, and no click gets in.
bool Vol08Page::Vol08ComputeTotalsAndCheckSpace(bool withFiles) {
    const bool room = ::Vol08ComputeTotalsAndCheckSpace(*this, Vol08ReadInputs(), withFiles);
    return !ShowRunFailures(RunKeeps::Nothing) && room;
}

void Vol08Page::Vol08TotalsRefresh(bool withFiles) {
    // A source or attach choice decides whether files can be selected.
    Vol08EnableFileSelection();
    Vol08ResetCounters();
    Vol08ComputeTotalsAndCheckSpace(withFiles);
    Vol08UpdateResultLabels();
    ui->lblVol08FolderStructuresTemplatesSum->setText(CountText(ui->lstVol08AddFolderStructure));
    Vol08EnableRunButtons(true);
}

void Vol08Page::Vol08RefreshPage() {
    const bool filled = ui->lstVol08IncludeFolderList->count() > 0;
    Vol08EnablePageControls(filled);
    Vol08EnableRunButtons(filled);
    Vol08ResetCounters();
    Vol08ComputeTotalsAndCheckSpace(Vol08WithFilesChecked());
    Vol08UpdateResultLabels();
    ui->lblVol08IncludeSum->setText(CountText(ui->lstVol08IncludeFolderList));
    ui->lblVol08ExcludeSum->setText(CountText(ui->lstVol08ExcludeFolderList));
}

void Vol08Page::Vol08EnablePageControls(bool flag) {
    SetEnabled(this,
               {"btnVol08Statistics", "btnVol08Undo", "chkVol08ShowDetailedResults", "btnVol08FolderTemplatesOptions",
                "lblVol08FolderStructuresTemplatesSource", "lblVol08FolderStructuresTemplates",
                "lblVol08FolderStructuresTemplatesSumCimke", "lblVol08FolderStructuresTemplatesSum",
                "btnVol08AddFolderStructure", "btnVol08ImportFolderStructuresTemplates", "btnVol08ViewFolderStructure",
                "btnVol08ExportFolderStructuresTemplates", "btnVol08DeleteSelFolderStructuresTemplates",
                "btnVol08DeleteAllFolderStructuresTemplates", "btnVol08EditFolderStructuresTemplates",
                "lstVol08AddFolderStructure", "rdoVol08AttachMainFolderWithoutFiles",
                "rdoVol08AttachSubFoldersOnlyWithoutFiles", "rdoVol08AttachMainFolderWithFiles",
                "rdoVol08AttachSubFoldersOnlyWithFiles", "rdoVol08StructureImportFullPaths",
                "rdoVol08StructureImportRelativePaths"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol08StructureImportFullPaths))
        Vol08SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol08StructureImportRelativePaths))
        Vol08SetRelativePathsMode();
    Vol08EnableFileSelection();
    Vol08EnableRunButtons(true);
}

void Vol08Page::Vol08EnableRunButtons(bool flag) {
    const bool on = flag && ui->lstVol08IncludeFolderList->count() > 0 && ui->lstVol08AddFolderStructure->count() > 0;
    ui->btnVol08CopyFolders->setEnabled(on);
    ui->btnVol08CopyFoldersSimulation->setEnabled(on);
}

Vol08Inputs Vol08Page::Vol08ReadInputs() const {
    Vol08Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol08IncludeFolderList);
    in.FolderStructures = ListItems(ui->lstVol08AddFolderStructure);
    in.FullPaths = IsEnabledAndChecked(ui->rdoVol08StructureImportFullPaths);
    in.RelativePaths = IsEnabledAndChecked(ui->rdoVol08StructureImportRelativePaths);
    in.MainFolderWithoutFiles = ui->rdoVol08AttachMainFolderWithoutFiles->isChecked();
    in.SubFoldersOnlyWithoutFiles = ui->rdoVol08AttachSubFoldersOnlyWithoutFiles->isChecked();
    in.MainFolderWithFiles = ui->rdoVol08AttachMainFolderWithFiles->isChecked();
    in.SubFoldersOnlyWithFiles = ui->rdoVol08AttachSubFoldersOnlyWithFiles->isChecked();
    in.ViewDetailedResults = ui->chkVol08ShowDetailedResults->isChecked();
    in.ViewDestFolder = false;  // the page has no "Show Explorer"
    in.Masks = GetFileSelNameMasks();
    return in;
}

// ---- Help, Examples and Clear All ----------------------------------------------------------

void Vol08Page::btnVol08HelpClick() { ShowHelpTopic(HelpTopic::Vol08); }
void Vol08Page::btnVol08ExamplesClick() { ShowExamples(ExampleWindow::Vol08); }

void Vol08Page::btnVol08ClearAllClick() {
    if (plat::MessageBox("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop "
                         "the delete process.",
                         MessageCaption(kVol08Topic, "Information", 80045), kAsk) != plat::IDYES)
        return;
    ui->lblVol08IncludeSum->setText("0");
    ui->lblVol08ExcludeSum->setText("0");
    ui->lstVol08IncludeFolderList->clear();
    ui->lstVol08ExcludeFolderList->clear();
    ui->lstVol08AddFolderStructure->clear();
    ui->chkVol08ShowDetailedResults->setChecked(true);
    SetChecked(ui->rdoVol08StructureImportFullPaths, true);
    SetChecked(ui->rdoVol08StructureImportRelativePaths, false);
    SetChecked(ui->rdoVol08AttachMainFolderWithoutFiles, true);
    for (QRadioButton* r : {ui->rdoVol08AttachSubFoldersOnlyWithoutFiles, ui->rdoVol08AttachMainFolderWithFiles,
                            ui->rdoVol08AttachSubFoldersOnlyWithFiles})
        SetChecked(r, false);
    Vol08ResetCounters();
    Vol08ClearResultLists();
    Vol08UpdateResultLabels();
    Vol08EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n",
                     MessageCaption("Copy Folder Structure(s).-From a Folder List Level.", "Warning", 80046,
                                    "           "),
                     kWarn);
}
