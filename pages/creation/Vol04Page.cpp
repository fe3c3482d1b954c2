// Page 04: the Include and Exclude lists, prefix, suffix and hyphen, the
// enable rules, the page refresh and Clear All.
#include "pages/creation/Vol04Page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/FieldChecks.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/StructureLists.h"
#include "pages/VisualLog.h"
#include "platform/MessageBox.h"
#include "ui_Vol04Page.h"
#include "results/TfrmStatistic04.h"
#include "windows/ListTools.h"
#include "windows/TfrmVol04EditIncludeList.h"
#include "pages/PageMessages.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(CreationFoldersCreated) == TfrmStatistic04::FoldersCreated &&
              int(CreationFoldersFailedUndo) == TfrmStatistic04::FoldersFailedUndo);

using namespace pagekit;

Vol04Page::Vol04Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol04Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol04IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol04ExcludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol04AddFolderStructure, 3000);
    listtools::ShowCountOf(ui->lstVol04IncludeFolderList, ui->lblVol04IncludeSum);
    listtools::ShowCountOf(ui->lstVol04ExcludeFolderList, ui->lblVol04ExcludeSum);
    listtools::ShowCountOf(ui->lstVol04AddFolderStructure, ui->lblVol04FolderStructuresTemplatesSum);

    auto click = [this](QAbstractButton* button, void (Vol04Page::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol04AddToList, &Vol04Page::btnVol04AddToListClick);
    click(ui->btnVol04IncToExc, &Vol04Page::btnVol04IncToExcClick);
    click(ui->btnVol04ExcToInc, &Vol04Page::btnVol04ExcToIncClick);
    click(ui->btnVol04AllfromInc, &Vol04Page::btnVol04AllfromIncClick);
    click(ui->btnVol04AllfromExc, &Vol04Page::btnVol04AllfromExcClick);
    click(ui->btnVol04ExchangeIncExc, &Vol04Page::btnVol04ExchangeIncExcClick);
    click(ui->btnVol04SmartImport, &Vol04Page::btnVol04SmartImportClick);
    click(ui->btnVol04EditIncludeList, &Vol04Page::btnVol04EditIncludeListClick);
    click(ui->btnVol04SmartExport, &Vol04Page::btnVol04SmartExportClick);
    click(ui->btnVol04ZoomIncludeWindow, &Vol04Page::btnVol04ZoomIncludeWindowClick);
    click(ui->btnVol04DeleteFromExclude, &Vol04Page::btnVol04DeleteFromExcludeClick);
    click(ui->btnVol04DeleteExcludeAll, &Vol04Page::btnVol04DeleteExcludeAllClick);
    click(ui->chkVol04Hyphen, &Vol04Page::chkVol04HyphenClick);
    click(ui->btnVol04Help, &Vol04Page::btnVol04HelpClick);
    click(ui->btnVol04Examples, &Vol04Page::btnVol04ExamplesClick);
    click(ui->btnVol04ClearAll, &Vol04Page::btnVol04ClearAllClick);
    ConnectSourceRadio(ui->rdoVol04AttachNothing, this, [this] { rdoVol04AttachNothingClick(); });
    ConnectSourceRadio(ui->rdoVol04StructureImportFullPaths, this, [this] { rdoVol04StructureImportFullPathsClick(); });
    ConnectSourceRadio(ui->rdoVol04StructureImportRelativePaths, this,
                       [this] { rdoVol04StructureImportRelativePathsClick(); });
    click(ui->rdoVol04AttachMainFolderWithoutFiles, &Vol04Page::rdoVol04AttachMainFolderWithoutFilesClick);
    click(ui->rdoVol04AttachSubFoldersOnlyWithoutFiles, &Vol04Page::rdoVol04AttachSubFoldersOnlyWithoutFilesClick);
    click(ui->rdoVol04AttachMainFolderWithFiles, &Vol04Page::rdoVol04AttachMainFolderWithFilesClick);
    click(ui->rdoVol04AttachSubFoldersOnlyWithFiles, &Vol04Page::rdoVol04AttachSubFoldersOnlyWithFilesClick);
    click(ui->btnVol04FolderTemplatesOptions, &Vol04Page::btnVol04FolderTemplatesOptionsClick);
    click(ui->btnVol04AddFolderStructure, &Vol04Page::btnVol04AddFolderStructureClick);
    click(ui->btnVol04ImportFolderStructuresTemplates, &Vol04Page::btnVol04ImportFolderStructuresTemplatesClick);
    click(ui->btnVol04ExportFolderStructuresTemplates, &Vol04Page::btnVol04ExportFolderStructuresTemplatesClick);
    click(ui->btnVol04EditFolderStructuresTemplates, &Vol04Page::btnVol04EditFolderStructuresTemplatesClick);
    click(ui->btnVol04ViewFolderStructure, &Vol04Page::btnVol04ViewFolderStructureClick);
    click(ui->btnVol04DeleteSelFolderStructuresTemplates, &Vol04Page::btnVol04DeleteSelFolderStructuresTemplatesClick);
    click(ui->btnVol04DeleteAllFolderStructuresTemplates, &Vol04Page::btnVol04DeleteAllFolderStructuresTemplatesClick);
    click(ui->btnVol04CreateFolders, &Vol04Page::btnVol04CreateFoldersClick);
    click(ui->btnVol04CreateFoldersSimulation, &Vol04Page::btnVol04CreateFoldersSimulationClick);
    click(ui->btnVol04Statistics, &Vol04Page::btnVol04StatisticsClick);
    click(ui->btnVol04Undo, &Vol04Page::btnVol04UndoClick);
    connect(ui->edtVol04AddToList, &QLineEdit::returnPressed, this, &Vol04Page::edtVol04AddToListKeyPress);
    auto* checks = new FieldChecks(this);
    checks->Watch(ui->edtVol04Prefix, [this] { edtVol04PrefixChange(); }, [this] { edtVol04PrefixExit(); });
    checks->Watch(ui->edtVol04Suffix, [this] { edtVol04SuffixChange(); }, [this] { edtVol04SuffixExit(); });

    // Full folder paths, told apart exactly: on Linux "Jobs" and "jobs" are two folders.
    IncludeExcludeProfile lists;
    lists.TextEmpty.caption = MessageCaption(kVol04Topic, "Warning", 40002);
    lists.ColonsCaption = MessageCaption(kVol04Topic, "Warning", 40003);
    lists.PathRefusedCaption = MessageCaption(kVol04Topic, "Warning", 40004);
    lists.ImportEmpty.caption = MessageCaption(kVol04Topic, "Warning", 40012, "             ");
    lists.ImportEnd.caption = MessageCaption(kVol04Topic, "Warning", 40051, "           ");
    lists.ExportEmpty.caption = MessageCaption(kVol04Topic, "Warning", 40016);
    lists.DeleteSelectedAsk.caption = MessageCaption(kVol04Topic, "Warning", 40017);
    lists.DeleteSelectedEmpty.caption = MessageCaption(kVol04Topic, "Warning", 40018);
    const char* listTopic = "Creating Folder List(s).-From a Folder List.";
    lists.DeleteAllEmpty.caption = MessageCaption(listTopic, "Warning", 40019);
    lists.DeleteAllAsk.caption = MessageCaption(listTopic, "Warning", 40020, "             ");
    // An imported line must be a full path of a drive, without "." or ".." names
    // (they would lead out of the folder they name).
    lists.ImportTakes = [](std::string& line) {
        StringList one;
        NormalizePath(line, one);
        line = one.front();
        return !TrimBlanks(line).empty() && line.size() >= 2 && line[1] == ':' && !HasDotFolderName(line);
    };
    lists.ImportEmptiesWindow = true;
    lists.ExportTakes = [](const std::string& item) {
        const std::string text = TrimBlanks(item);
        return text.size() >= 2 && (text[1] == ':' || (text[0] == '\\' && text[1] == '\\'));
    };
    lists.Editor = []() -> IncludeListEditor* { return frmVol04EditIncludeList; };
    lists.Refresh = [this] { Vol04RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(this,
                                                  IncludeExcludeWidgets{ui->lstVol04IncludeFolderList,
                                                                        ui->lstVol04ExcludeFolderList,
                                                                        ui->lblVol04IncludeSum, ui->edtVol04AddToList},
                                                  std::move(lists));

    StructureListMessages m;
    m.EmptyPath = {"The selection field is empty !\nAction : You must select a folder with subfolder structure.",
                   MessageCaption(kVol04Topic, "Warning", 40025)};
    m.AskWholeDrive = {
        "Do you want to Attach the Entire Disk to the Folders specified in The Include Window ?\nClick "
        "YES to Attach,\nClick NO to Cancel.",
        MessageCaption(kVol04Topic, "Warning", 50024)};
    m.ImportEmpty = {"Empty Result List in the File Import Window!\n",
                     MessageCaption(kVol04Topic, "Warning", 40026, "             ")};
    m.ImportFullPaths = {"", MessageCaption(kVol04Topic, "Warning", 40027)};
    m.ImportTemplates = {"", MessageCaption(kVol04Topic, "Warning", 40028)};
    m.ImportEnd = {"End of the Import Process !!!\n", MessageCaption(kVol04Topic, "Warning", 40052, "           ")};
    m.ExportEmpty = {"The Folder Structure/Templates Window is empty !\n",
                     MessageCaption(kVol04Topic, "Warning", 40031, "             ")};
    m.EditTemplates = {"", MessageCaption("Creating Folder(s).- From a Folder List - Level.", "Warning", 40032)};
    m.EditFullPaths = {"", MessageCaption("Creating Folder(s).- From a Folder List - Level.", "Warning", 40033)};
    m.ViewNoneSelected = {
        "There is no selected Folder Structure !\nAction : You must select a Folder with subfolders "
        "structure.",
        MessageCaption(kVol04Topic, "Warning", 40035)};
    m.AskDeleteSelected = {"Do you want to delete the selected item(s) from the Folder Structures/Templates list ?",
                           MessageCaption(kVol04Topic, "Warning", 40036)};
    m.DeleteAllEmpty = {"Empty List in the Folder Structures/Templates Window!\n",
                        MessageCaption("Creating Folder(s).-From a Folder List..", "Warning", 40038)};
    m.AskDeleteAll = {"Do you want to delete all item(s) from the Folder Structures/Templates list ?",
                      MessageCaption(kVol04Topic, "Warning", 40039)};
    StructureListWidgets widgets = QM_STRUCTURE_WIDGETS(ui, Vol04);
    widgets.Options = ui->btnVol04FolderTemplatesOptions;
    widgets.AttachNothing = ui->rdoVol04AttachNothing;
    Structures = std::make_unique<StructureListHandlers>(this, widgets, 1, std::move(m));
    Structures->ViewTopic = kVol04Topic;
    Structures->Refresh = [this](bool withFiles) { Vol04TotalsRefresh(withFiles); };
    Structures->RefreshAfterListChange = [this] { Vol04RefreshPage(); };
    Structures->NothingChosen = [this] {
        Vol04ResetStructureTotals();
        Counters.FoldersToCreate = ui->lstVol04IncludeFolderList->count();
        Vol04ShowCounters();
        ui->lblVol04FolderStructuresTemplatesSum->setText("0");
        Vol04EnableStructureControls(true);
    };
    Structures->EnableRunButtons = [this](bool flag) { Vol04EnableRunButtons(flag); };
    Structures->UpdateRunButtons = [this](bool flag) { Vol04EnableStructureControls(flag); };
}

Vol04Page::~Vol04Page() { delete ui; }

// ---- Include and Exclude lists -----------------------------------------------------------

void Vol04Page::btnVol04AddToListClick() { Lists->AddToListClick(ui->edtVol04AddToList); }
void Vol04Page::edtVol04AddToListKeyPress() { Lists->AddToListClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04IncToExcClick() { Lists->IncToExcClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04ExcToIncClick() { Lists->ExcToIncClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04AllfromIncClick() { Lists->AllFromIncClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04AllfromExcClick() { Lists->AllFromExcClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04ExchangeIncExcClick() { Lists->ExchangeClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04SmartImportClick() { Lists->ImportClick(ui->btnVol04AddToList); }
void Vol04Page::btnVol04EditIncludeListClick() { Lists->EditListClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04SmartExportClick() { Lists->ExportClick(ui->btnVol04SmartExport); }
void Vol04Page::btnVol04ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol04Page::btnVol04DeleteFromExcludeClick() { Lists->DeleteFromExcludeClick(ui->edtVol04AddToList); }
void Vol04Page::btnVol04DeleteExcludeAllClick() { Lists->DeleteExcludeAllClick(ui->btnVol04AddToList); }

bool Vol04Page::Vol04AddPathsToIncludeList(const std::string& text, bool single, std::string& normalised,
                                           std::string& message) {
    return Lists->AddPathsToIncludeList(text, single, normalised, message);
}

// ---- prefix and suffix -------------------------------------------------------------------------

void Vol04Page::Vol04CheckNameField(bool prefix) {
    QLineEdit* field = prefix ? ui->edtVol04Prefix : ui->edtVol04Suffix;
    std::string found;
    if (!FindIllegalChars("F", S(field->text()), found)) return;
    plat::MessageBox((prefix ? "Illegal character in the Prefix : " : "Illegal character in the Suffix : ") + found,
                     MessageCaption(kVol04Topic, "Warning", prefix ? 40021 : 40022), kWarn);
    // Change checks again after this, until nothing forbidden is left.
    field->setText(WithoutLastCharacter(field->text()));
    field->setFocus();
}

void Vol04Page::edtVol04PrefixChange() { Vol04CheckNameField(true); }
void Vol04Page::edtVol04PrefixExit() { edtVol04PrefixChange(); }
void Vol04Page::edtVol04SuffixChange() { Vol04CheckNameField(false); }
void Vol04Page::edtVol04SuffixExit() { edtVol04SuffixChange(); }

// ---- page state ------------------------------------------------------------------------------------

void Vol04Page::Vol04ResetStructureTotals() { ResetCreationCounters(*this); }
void Vol04Page::Vol04ResetCounters() { ResetCreationRunCounters(*this); }
void Vol04Page::Vol04ShowCounters() { Vol04VisualLog().ShowCounters(Labels()); }
void Vol04Page::Vol04ClearResultLists() { Vol04VisualLog().ClearLogLists(); }
void Vol04Page::Vol04ClearLastRunLists() { ClearCreationRunLists(*this); }

void Vol04Page::Vol04ClearUndoLists() {
    Vol04ClearLastRunLists();
    FailedUndoFiles.clear();
}

bool Vol04Page::Vol04WithFilesChecked() const { return Structures->WithFilesChecked(); }

bool Vol04Page::Vol04CheckDiskSpace(bool withFiles) {
    return ::Vol04CheckDiskSpace(*this, Vol04ReadInputs(), withFiles);
}

// After a list changed: controls and run buttons by the Include list, the
// totals and disk space again, the counters shown, the two counts.
void Vol04Page::Vol04RefreshPage() {
    const bool items = ui->lstVol04IncludeFolderList->count() > 0;
    Vol04EnablePageControls(items);
    Vol04EnableStructureControls(items);
    Vol04ResetStructureTotals();
    Vol04CheckDiskSpace(Vol04WithFilesChecked());
    Vol04ShowCounters();
    ui->lblVol04IncludeSum->setText(CountText(ui->lstVol04IncludeFolderList));
    ui->lblVol04ExcludeSum->setText(CountText(ui->lstVol04ExcludeFolderList));
}

// The totals refresh after the structure options or the list changed.
void Vol04Page::Vol04TotalsRefresh(bool withFiles) {
    Vol04ResetStructureTotals();
    Vol04CheckDiskSpace(withFiles);
    ui->lblVol04FolderStructuresTemplatesSum->setText(CountText(ui->lstVol04AddFolderStructure));
    Vol04ShowCounters();
    Vol04EnableStructureControls(true);
}

void Vol04Page::Vol04EnablePageControls(bool flag) {
    SetEnabled(this,
               {"lblVol04Prefix", "edtVol04Prefix", "lblVol04Suffix", "edtVol04Suffix", "chkVol04Hyphen",
                "btnVol04Statistics", "btnVol04Undo", "chkVol04ViewDetailedResults", "btnVol04FolderTemplatesOptions",
                "lblVol04FolderStructuresTemplates", "lblVol04FolderStructuresTemplatesSumCimke",
                "lblVol04FolderStructuresTemplatesSum", "btnVol04AddFolderStructure",
                "btnVol04ImportFolderStructuresTemplates", "btnVol04ViewFolderStructure",
                "btnVol04DeleteSelFolderStructuresTemplates", "btnVol04DeleteAllFolderStructuresTemplates",
                "btnVol04ExportFolderStructuresTemplates", "btnVol04EditFolderStructuresTemplates",
                "lstVol04AddFolderStructure", "rdoVol04AttachNothing", "rdoVol04AttachMainFolderWithFiles",
                "rdoVol04AttachMainFolderWithoutFiles", "rdoVol04AttachSubFoldersOnlyWithFiles",
                "rdoVol04AttachSubFoldersOnlyWithoutFiles", "rdoVol04StructureImportFullPaths",
                "rdoVol04StructureImportRelativePaths"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol04AttachNothing))
        rdoVol04AttachNothingClick();
    else if (IsEnabledAndChecked(ui->rdoVol04StructureImportFullPaths))
        Vol04SetFullPathsMode();
    else if (IsEnabledAndChecked(ui->rdoVol04StructureImportRelativePaths))
        Vol04SetRelativePathsMode();
    Vol04EnableStructureControls(true);
}

void Vol04Page::Vol04EnableRunButtons(bool flag) {
    ui->btnVol04CreateFolders->setEnabled(flag);
    ui->btnVol04CreateFoldersSimulation->setEnabled(flag);
}

void Vol04Page::Vol04EnableStructureControls(bool flag) {
    Vol04EnableRunButtons(flag);
    if (ui->lstVol04IncludeFolderList->count() == 0) {
        Vol04EnableRunButtons(false);
        return;
    }
    const bool nothing = IsEnabledAndChecked(ui->rdoVol04AttachNothing);
    if (ui->lstVol04AddFolderStructure->count() == 0)
        Vol04EnableRunButtons(nothing);
    else if (nothing || IsOwnEnabled(ui->rdoVol04StructureImportRelativePaths) ||
             IsOwnEnabled(ui->rdoVol04StructureImportFullPaths))
        Vol04EnableRunButtons(true);
}

// ---- Clear All, Help and Examples -------------------------------------------------------------------

void Vol04Page::btnVol04ClearAllClick() {
    // The caption has no closing full stop.
    const std::string caption = "Creating Folder(s).-From a Folder List.            Information no: 40040";
    if (plat::MessageBox("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop "
                         "the delete process.",
                         caption, kAsk) != plat::IDYES)
        return;
    ui->edtVol04AddToList->clear();
    ui->lstVol04IncludeFolderList->clear();
    ui->lstVol04ExcludeFolderList->clear();
    ui->lblVol04IncludeSum->setText("0");
    ui->lblVol04ExcludeSum->setText("0");
    ui->edtVol04Prefix->clear();
    ui->edtVol04Suffix->clear();
    ui->chkVol04Hyphen->setChecked(true);
    ui->lstVol04AddFolderStructure->clear();
    SetChecked(ui->rdoVol04StructureImportFullPaths, true);
    SetChecked(ui->rdoVol04StructureImportRelativePaths, false);
    SetChecked(ui->rdoVol04AttachNothing, false);
    SetChecked(ui->rdoVol04AttachMainFolderWithoutFiles, true);
    for (QRadioButton* r : {ui->rdoVol04AttachSubFoldersOnlyWithoutFiles, ui->rdoVol04AttachMainFolderWithFiles,
                            ui->rdoVol04AttachSubFoldersOnlyWithFiles})
        SetChecked(r, false);
    ui->chkVol04ViewDetailedResults->setChecked(true);
    Vol04ResetStructureTotals();
    Vol04ClearUndoLists();
    Vol04ShowCounters();
    Vol04EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n",
                     MessageCaption(kVol04Topic, "Warning", 40041, "           "), kWarn);
}

void Vol04Page::btnVol04HelpClick() { ShowHelpTopic(HelpTopic::Vol04); }

void Vol04Page::btnVol04ExamplesClick() { ShowExamples(ExampleWindow::Vol04); }
