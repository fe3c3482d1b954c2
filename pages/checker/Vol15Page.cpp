// Page 15: the Include and Exclude lists, the enable rules, the refresh,
// Clear All and Help.
#include "pages/checker/Vol15Page.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "help/HelpWindows.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/StructureLists.h"
#include "pages/VisualLog.h"
#include "ui_Vol15Page.h"
#include "results/TfrmStatistic15.h"
#include "windows/ListTools.h"
#include "windows/TfrmVol15EditIncludeList.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(Vol15FoldersMissing) == TfrmStatistic15::FoldersMissing &&
              int(Vol15SubFoldersMissing) == TfrmStatistic15::SubFoldersMissing &&
              int(Vol15FilesMissing) == TfrmStatistic15::FilesMissing &&
              int(Vol15FoldersNotExists) == TfrmStatistic15::FoldersNotExists &&
              int(Vol15FoldersExtra) == TfrmStatistic15::FoldersExtra &&
              int(Vol15SubFoldersExtra) == TfrmStatistic15::SubFoldersExtra &&
              int(Vol15FilesExtra) == TfrmStatistic15::FilesExtra &&
              int(Vol15SubFoldersOtherReasons) == TfrmStatistic15::SubFoldersOtherReasons);

using namespace pagekit;

namespace {

std::string ImportEndCaption(const char* number) {
    return std::string(kVol15Topic) + "        rning no: " + number + ".";
}

}  // namespace

Vol15Page::Vol15Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol15Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol15IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol15ExcludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol15AddFolderStructure, 3000);
    listtools::ShowCountOf(ui->lstVol15IncludeFolderList, ui->lblVol15IncludeSum);
    listtools::ShowCountOf(ui->lstVol15ExcludeFolderList, ui->lblVol15ExcludeSum);
    listtools::ShowCountOf(ui->lstVol15AddFolderStructure, ui->lblVol15FolderStructuresTemplatesSum);

    auto click = [this](QAbstractButton* button, void (Vol15Page::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol15IncToExc, &Vol15Page::btnVol15IncToExcClick);
    click(ui->btnVol15ExcToInc, &Vol15Page::btnVol15ExcToIncClick);
    click(ui->btnVol15AllFromInc, &Vol15Page::btnVol15AllFromIncClick);
    click(ui->btnVol15AllFromExc, &Vol15Page::btnVol15AllFromExcClick);
    click(ui->btnVol15ExchangeIncExc, &Vol15Page::btnVol15ExchangeIncExcClick);
    click(ui->btnVol15AddFolderToList, &Vol15Page::btnVol15AddFolderToListClick);
    click(ui->btnVol15SmartImport, &Vol15Page::btnVol15SmartImportClick);
    click(ui->btnVol15SubFolderListBuilder, &Vol15Page::btnVol15SubFolderListBuilderClick);
    click(ui->btnVol15EditIncludeList, &Vol15Page::btnVol15EditIncludeListClick);
    click(ui->btnVol15IncludeFolderListView, &Vol15Page::btnVol15IncludeFolderListViewClick);
    click(ui->btnVol15SmartExport, &Vol15Page::btnVol15SmartExportClick);
    click(ui->btnVol15ZoomIncludeWindow, &Vol15Page::btnVol15ZoomIncludeWindowClick);
    click(ui->btnVol15DeleteFromExcludeList, &Vol15Page::btnVol15DeleteFromExcludeListClick);
    click(ui->btnVol15DeleteExcludedAll, &Vol15Page::btnVol15DeleteExcludedAllClick);
    ConnectSourceRadio(ui->rdoVol15StructureImportFullPaths, this, [this] { rdoVol15StructureImportFullPathsClick(); });
    ConnectSourceRadio(ui->rdoVol15StructureImportRelativePaths, this,
                       [this] { rdoVol15StructureImportRelativePathsClick(); });
    click(ui->rdoVol15AttachMainFolderWithoutFiles, &Vol15Page::rdoVol15AttachMainFolderWithoutFilesClick);
    click(ui->rdoVol15AttachSubFoldersOnlyWithoutFiles, &Vol15Page::rdoVol15AttachSubFoldersOnlyWithoutFilesClick);
    click(ui->rdoVol15AttachMainFolderWithFiles, &Vol15Page::rdoVol15AttachMainFolderWithFilesClick);
    click(ui->rdoVol15AttachSubFoldersOnlyWithFiles, &Vol15Page::rdoVol15AttachSubFoldersOnlyWithFilesClick);
    click(ui->btnVol15AddFolderStructure, &Vol15Page::btnVol15AddFolderStructureClick);
    click(ui->btnVol15ImportFolderStructuresTemplates, &Vol15Page::btnVol15ImportFolderStructuresTemplatesClick);
    click(ui->btnVol15ExportFolderStructuresTemplates, &Vol15Page::btnVol15ExportFolderStructuresTemplatesClick);
    click(ui->btnVol15EditFolderStructuresTemplates, &Vol15Page::btnVol15EditFolderStructuresTemplatesClick);
    click(ui->btnVol15ViewFolderStructure, &Vol15Page::btnVol15ViewFolderStructureClick);
    click(ui->btnVol15DeleteSelFolderStructuresTemplates, &Vol15Page::btnVol15DeleteSelFolderStructuresTemplatesClick);
    click(ui->btnVol15DeleteAllFolderStructuresTemplates, &Vol15Page::btnVol15DeleteAllFolderStructuresTemplatesClick);
    click(ui->btnVol15FolderTemplatesOptions, &Vol15Page::btnVol15FolderTemplatesOptionsClick);
    click(ui->btnVol15FileSelection, &Vol15Page::btnVol15FileSelectionClick);
    click(ui->btnVol15CheckProjectsConsistency, &Vol15Page::btnVol15CheckProjectsConsistencyClick);
    click(ui->btnVol15Statistics, &Vol15Page::btnVol15StatisticsClick);
    click(ui->btnVol15ClearAll, &Vol15Page::btnVol15ClearAllClick);
    click(ui->btnVol15Help, &Vol15Page::btnVol15HelpClick);

    IncludeExcludeProfile lists;
    lists.SelectionEmpty.caption = MessageCaption(kVol15Topic, "Warning", 150015);
    lists.InInclude.caption = MessageCaption(kVol15Topic, "Warning", 150009);
    lists.InExclude.caption = MessageCaption(kVol15Topic, "Warning", 150010);
    lists.ImportEmpty.caption = MessageCaption(kVol15Topic, "Warning", 150017);
    lists.ImportEnd.caption = ImportEndCaption("150051");
    lists.BuilderEmpty.caption = MessageCaption(kVol15Topic, "Warning", 150012);
    lists.BuilderEnd.caption = ImportEndCaption("15002");
    lists.ViewNone.caption = MessageCaption(kVol15Topic, "Warning", 150016);
    lists.ViewTopic = kVol15Topic;
    lists.ExportEmpty.caption = MessageCaption(kVol15Topic, "Warning", 150022, "             ");
    lists.DeleteSelectedEmpty.caption = MessageCaption(kVol15Topic, "Warning", 150024);
    lists.DeleteSelectedAsk.caption = MessageCaption(kVol15Topic, "Warning", 150023);
    lists.DeleteAllEmpty.caption = MessageCaption(kVol15Topic, "Warning", 150025);
    lists.DeleteAllAsk.caption = MessageCaption(kVol15Topic, "Warning", 150026);
    lists.MoveTakes = [](const std::string& line) { return !line.empty(); };
    // Imported lines join trimmed, with the program's backslashes.
    lists.ImportTakes = [](std::string& line) {
        line = CollapseDoubleBackslashes(SlashesToBackslashes(TrimControlAndBlanks(line)));
        return !line.empty();
    };
    lists.RefreshAfterExport = false;
    lists.Editor = []() -> IncludeListEditor* { return frmVol15EditIncludeList; };
    lists.Refresh = [this] { Vol15RefreshPage(); };
    const IncludeExcludeWidgets widgetsOfLists{ui->lstVol15IncludeFolderList, ui->lstVol15ExcludeFolderList,
                                               ui->lblVol15IncludeSum};
    Lists = std::make_unique<IncludeExcludeLists>(this, widgetsOfLists, std::move(lists));

    StructureListMessages m;
    m.EmptyPath = {"The selection field is empty !\nAction : You must select a folder with subfolder structure.",
                   MessageCaption(kVol15Topic, "Warning", 150030)};
    m.AskWholeDrive = {
        "Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick "
        "YES to Copy,\nClick NO to Cancel.",
        MessageCaption(kVol15Topic, "Information", 150029)};
    m.ImportEmpty = {"Empty Result List in the File Import Window!\n", MessageCaption(kVol15Topic, "Warning", 150031)};
    m.ImportFullPaths = {"", MessageCaption(kVol15Topic, "Warning", 150032)};
    m.ImportTemplates = {"", MessageCaption(kVol15Topic, "Warning", 150033)};
    m.ImportEnd = {"End of the Import Process !!!\n", ImportEndCaption("150053")};
    m.ExportEmpty = {"The Folder Structure/Templates Window is empty !\n",
                     MessageCaption(kVol15Topic, "Warning", 150037, "             ")};
    m.EditTemplates = {"", MessageCaption(kVol15Topic, "Warning", 150038)};
    m.EditFullPaths = {"", MessageCaption(kVol15Topic, "Warning", 150039, "             ")};
    m.ViewNoneSelected = {
        "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder "
        "structure.",
        MessageCaption(kVol15Topic, "Warning", 150041)};
    m.AskDeleteSelected = {"Do you want to delete the selected item(s) from the Exclude list ?",
                           MessageCaption(kVol15Topic, "Warning", 150042)};
    m.DeleteAllEmpty = {"Empty List in the Folder Structure/Templates Window!\n",
                        MessageCaption(kVol15Topic, "Warning", 150043)};
    m.AskDeleteAll = {"Do you want to delete all item(s) from the Folder Structure/Templates list ?",
                      MessageCaption(kVol15Topic, "Warning", 150044)};
    StructureListWidgets widgets = QM_STRUCTURE_WIDGETS(ui, Vol15);
    widgets.Options = ui->btnVol15FolderTemplatesOptions;
    Structures = std::make_unique<StructureListHandlers>(this, widgets, 5, std::move(m));
    Structures->BrowseTitle = "Select the Folder Structure.";
    Structures->ViewTopic = kVol15Topic;
    Structures->CheckDriveOfRoot = true;
    Structures->EmptyChoiceAdds = true;
    Structures->ViewNeedsSelection = true;
    Structures->RefreshAfterOptions = true;  // the options change what the lines give
    Structures->RefreshAfterExport = false;
    Structures->Refresh = [this](bool withFiles) { Vol15StructureTail(withFiles); };
    Structures->AttachChosen = [this](bool withFiles) {
        ui->btnVol15FileSelection->setEnabled(withFiles);
        ui->lstVol15FileTypesAllSelected->setEnabled(withFiles);
    };
    Structures->EnableRunButtons =
        RunButtonsHook({ui->btnVol15CheckProjectsConsistency}, [this] { Vol15EnableRunButtons(true); });
    Structures->UpdateRunButtons = [this](bool on) { Vol15EnableRunButtons(on); };
}

Vol15Page::~Vol15Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol15Page::btnVol15IncToExcClick() { Lists->IncToExcClick(); }
void Vol15Page::btnVol15ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol15Page::btnVol15AllFromIncClick() { Lists->AllFromIncClick(); }
void Vol15Page::btnVol15AllFromExcClick() { Lists->AllFromExcClick(); }
void Vol15Page::btnVol15ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol15Page::btnVol15AddFolderToListClick() { Lists->AddFolderClick(); }
void Vol15Page::btnVol15SmartImportClick() { Lists->ImportClick(); }
void Vol15Page::btnVol15SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol15Page::btnVol15EditIncludeListClick() { Lists->EditListClick(); }
void Vol15Page::btnVol15IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol15Page::btnVol15SmartExportClick() { Lists->ExportClick(); }
void Vol15Page::btnVol15ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol15Page::btnVol15DeleteFromExcludeListClick() { Lists->DeleteFromExcludeClick(); }
void Vol15Page::btnVol15DeleteExcludedAllClick() { Lists->DeleteExcludeAllClick(); }

// ---- counters, refresh and enable rules --------------------------------------------------------

void Vol15Page::Vol15ResetCounters() { ::Vol15ResetCounters(*this); }
void Vol15Page::Vol15ResetResultCounters() { ::Vol15ResetResultCounters(*this); }

void Vol15Page::Vol15UpdateResultLabels() { Vol15VisualLog().ShowCounters(Counters.Labels()); }

// The models are read on the run pool: the window paints meanwhile, with
// the busy cursor, and no click gets in.
void Vol15Page::Vol15CountItemsToCheck(bool countFiles) {
    ::Vol15CountItemsToCheck(*this, Vol15ReadInputs(), countFiles);
    ShowRunFailures(RunKeeps::Nothing);
}

void Vol15Page::Vol15RefreshPage() {
    const bool filled = ui->lstVol15IncludeFolderList->count() > 0;
    Vol15EnablePageControls(filled);
    Vol15EnableRunButtons(filled);
    Vol15ResetCounters();
    Vol15CountItemsToCheck(Structures->WithFilesChecked());
    Vol15UpdateResultLabels();
    ui->lblVol15FolderStructuresTemplatesSum->setText(CountText(ui->lstVol15AddFolderStructure));
}

// A check compares in one of the four ways: one of them stays chosen
// whatever a restore or Clear All left.
void Vol15Page::Vol15KeepOneCompareRadio() {
    for (const QRadioButton* r :
         {ui->rdoVol15AttachMainFolderWithoutFiles, ui->rdoVol15AttachSubFoldersOnlyWithoutFiles,
          ui->rdoVol15AttachMainFolderWithFiles, ui->rdoVol15AttachSubFoldersOnlyWithFiles})
        if (r->isChecked()) return;
    SetChecked(ui->rdoVol15AttachMainFolderWithoutFiles, true);
}

void Vol15Page::Vol15EnablePageControls(bool flag) {
    SetEnabled(this,
               {"btnVol15Statistics", "chkVol15ShowDetailedResults", "btnVol15FolderTemplatesOptions",
                "lblVol15FolderStructuresTemplates", "lblVol15FolderStructuresTemplatesSumCimke",
                "lblVol15FolderStructuresTemplatesSum", "btnVol15AddFolderStructure",
                "btnVol15ImportFolderStructuresTemplates", "btnVol15ViewFolderStructure",
                "btnVol15DeleteSelFolderStructuresTemplates", "btnVol15DeleteAllFolderStructuresTemplates",
                "btnVol15ExportFolderStructuresTemplates", "btnVol15EditFolderStructuresTemplates",
                "lstVol15AddFolderStructure", "rdoVol15AttachMainFolderWithFiles",
                "rdoVol15AttachMainFolderWithoutFiles", "rdoVol15AttachSubFoldersOnlyWithFiles",
                "rdoVol15AttachSubFoldersOnlyWithoutFiles", "rdoVol15StructureImportFullPaths",
                "rdoVol15StructureImportRelativePaths"},
               flag);
    Vol15KeepOneCompareRadio();
    if (IsEnabledAndChecked(ui->rdoVol15StructureImportFullPaths))
        Structures->ApplySource(StructureSource::ExistingFolders);
    else if (IsEnabledAndChecked(ui->rdoVol15StructureImportRelativePaths))
        Structures->ApplySource(StructureSource::TemplateLines);
    const bool withFiles = IsEnabledAndChecked(ui->rdoVol15AttachMainFolderWithFiles) ||
                           IsEnabledAndChecked(ui->rdoVol15AttachSubFoldersOnlyWithFiles);
    SetEnabled(this, {"btnVol15FileSelection", "lstVol15FileTypesAllSelected"}, withFiles);
    Vol15EnableRunButtons(true);
}

void Vol15Page::Vol15EnableRunButtons(bool flag) {
    ui->btnVol15CheckProjectsConsistency->setEnabled(flag && ui->lstVol15IncludeFolderList->count() > 0 &&
                                                     ui->lstVol15AddFolderStructure->count() > 0);
}

void Vol15Page::Vol15ClearPageLists() {
    OtherReasonsList.clear();
    EngineCurrentFolder15.clear();
}

// ---- Clear All and Help ----------------------------------------------------------------------------

void Vol15Page::btnVol15ClearAllClick() {
    if (plat::MessageBox(
            "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
            "delete process.",
            MessageCaption(kVol15Topic, "Information", 150045), kAsk) != plat::IDYES)
        return;
    ui->lstVol15IncludeFolderList->clear();
    ui->lstVol15ExcludeFolderList->clear();
    ui->lstVol15AddFolderStructure->clear();
    ui->chkVol15ShowDetailedResults->setChecked(true);
    SetChecked(ui->rdoVol15StructureImportRelativePaths, true);
    SetChecked(ui->rdoVol15StructureImportFullPaths, false);
    rdoVol15StructureImportRelativePathsClick();
    // The compare ways go back to the first one rather than to none.
    for (QRadioButton* r : {ui->rdoVol15AttachSubFoldersOnlyWithoutFiles, ui->rdoVol15AttachMainFolderWithFiles,
                            ui->rdoVol15AttachSubFoldersOnlyWithFiles})
        SetChecked(r, false);
    SetChecked(ui->rdoVol15AttachMainFolderWithoutFiles, true);
    Vol15ResetCounters();
    Vol15ClearPageLists();
    Vol15UpdateResultLabels();
    Vol15EnablePageControls(false);
    Vol15EnableRunButtons(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n",
                     MessageCaption(kVol15Topic, "Warning", 150046, "           "), kWarn);
}

void Vol15Page::btnVol15HelpClick() { ShowHelpTopic(HelpTopic::Vol15); }
