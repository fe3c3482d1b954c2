// Page 10: the source list, the options' enable rules, the run buttons and
// Clear All; the Include and Exclude buttons are the shared IncludeExcludeLists.
#include "pages/files/Vol10Page.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "core/ShellServices.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/files/FilePages.h"
#include "pages/CountShown.h"
#include "pages/VisualLog.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/TfrmStatistic10.h"
#include "ui_Vol10Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmVol10EditIncludeList.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(Vol10CatFilesCopied) == TfrmStatistic10::FilesCopied &&
              int(Vol10CatFilesFailedUndo) == TfrmStatistic10::FilesFailedUndo &&
              int(Vol10CatSubFoldersCopied) == TfrmStatistic10::SubFoldersCopied);

using namespace pagekit;

namespace {

IncludeExcludeProfile Vol10ListProfile() {
    IncludeExcludeProfile p = FileListProfile(false);
    auto cap = [](const char* number, const char* gap = "            ") {
        return MessageCaption(kVol10Topic, "Warning", number, gap);
    };
    p.SelectionEmpty.caption = cap("100009");
    p.InInclude.caption = cap("100010");
    p.InExclude.caption = cap("100011");
    p.ImportEmpty.caption = cap("100013");
    p.ImportEnd.caption = "Copy Multiple Files.-From a Folder List - Level.        rning no: 100051.";
    p.BuilderEmpty.caption = cap("100017");
    p.BuilderEnd.caption = "Copy Multiple Files.-From a Folder List - Level.        rning no: 100052.";
    p.ViewNone.caption = cap("100021");
    p.ExportEmpty.caption = cap("100022", "             ");
    p.DeleteSelectedEmpty.caption = cap("100024");
    p.DeleteSelectedAsk.caption = cap("100023");
    p.DeleteAllEmpty.caption = cap("100025");
    p.DeleteAllAsk.caption = cap("100026");
    p.ViewTopic = kVol10Topic;
    p.Editor = []() -> IncludeListEditor* { return frmVol10EditIncludeList; };
    return p;
}

}  // namespace

Vol10Page::Vol10Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol10Page), Shared(shared) {
    ui->setupUi(this);
    for (QListWidget* list : {ui->lstVol10IncludeFolderList, ui->lstVol10ExcludeFolderList, ui->lstVol10AddFolderStructure})
        SetHorizontalExtent(list, 3000);
    listtools::ShowCountOf(ui->lstVol10IncludeFolderList, ui->lblVol10IncludeSum);
    listtools::ShowCountOf(ui->lstVol10ExcludeFolderList, ui->lblVol10ExcludeSum);
    ui->lblVol10IncludeSum->setText("0");
    ui->lblVol10ExcludeSum->setText("0");
    ui->lblVol10FolderStructuresSum->setText("0");
    listtools::ShowCountOf(ui->lstVol10AddFolderStructure, ui->lblVol10FolderStructuresSum);
    IncludeExcludeProfile lists = Vol10ListProfile();
    lists.Refresh = [this] { Vol10RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol10IncludeFolderList, ui->lstVol10ExcludeFolderList}, std::move(lists));

    auto click = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol10IncToExc, &Vol10Page::btnVol10IncToExcClick);
    click(ui->btnVol10ExcToInc, &Vol10Page::btnVol10ExcToIncClick);
    click(ui->btnVol10AllFromInc, &Vol10Page::btnVol10AllFromIncClick);
    click(ui->btnVol10AllFromExc, &Vol10Page::btnVol10AllFromExcClick);
    click(ui->btnVol10ExchangeIncExc, &Vol10Page::btnVol10ExchangeIncExcClick);
    click(ui->btnVol10AddFolderToList, &Vol10Page::btnVol10AddFolderToListClick);
    click(ui->btnVol10SmartImport, &Vol10Page::btnVol10SmartImportClick);
    click(ui->btnVol10SubFolderListBuilder, &Vol10Page::btnVol10SubFolderListBuilderClick);
    click(ui->btnVol10EditIncludeList, &Vol10Page::btnVol10EditIncludeListClick);
    click(ui->btnVol10IncludeFolderListView, &Vol10Page::btnVol10IncludeFolderListViewClick);
    click(ui->btnVol10SmartExport, &Vol10Page::btnVol10SmartExportClick);
    click(ui->btnVol10ZoomIncludeWindow, &Vol10Page::btnVol10ZoomIncludeWindowClick);
    click(ui->btnVol10DeleteFromExcludeList, &Vol10Page::btnVol10DeleteFromExcludeListClick);
    click(ui->btnVol10DeleteExcludedAll, &Vol10Page::btnVol10DeleteExcludedAllClick);
    click(ui->btnVol10CopyFiles, &Vol10Page::btnVol10CopyFilesClick);
    click(ui->btnVol10CopyFilesSimulation, &Vol10Page::btnVol10CopyFilesSimulationClick);
    click(ui->btnVol10Undo, &Vol10Page::btnVol10UndoClick);
    click(ui->btnVol10Statistics, &Vol10Page::btnVol10StatisticsClick);
    click(ui->btnVol10ClearAll, &Vol10Page::btnVol10ClearAllClick);
    click(ui->btnVol10Help, &Vol10Page::btnVol10HelpClick);
    click(ui->btnVol10Examples, &Vol10Page::btnVol10ExamplesClick);
    click(ui->btnVol10FileSelection, &Vol10Page::btnVol10FileSelectionClick);
    click(ui->btnVol10AddFolderStructures, &Vol10Page::btnVol10AddFolderStructuresClick);
    click(ui->btnVol10ViewFolderStructures, &Vol10Page::btnVol10ViewFolderStructuresClick);
    click(ui->btnVol10DeleteSelectedFolderStructures, &Vol10Page::btnVol10DeleteSelectedFolderStructuresClick);
    click(ui->btnVol10DeleteAllFolderStructures, &Vol10Page::btnVol10DeleteAllFolderStructuresClick);
    Vol10EnableRunButtons(false);
}

Vol10Page::~Vol10Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol10Page::btnVol10IncToExcClick() { Lists->IncToExcClick(); }
void Vol10Page::btnVol10ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol10Page::btnVol10AllFromIncClick() { Lists->AllFromIncClick(); }
void Vol10Page::btnVol10AllFromExcClick() { Lists->AllFromExcClick(); }
void Vol10Page::btnVol10ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol10Page::btnVol10AddFolderToListClick() { Lists->AddFolderClick(); }
void Vol10Page::btnVol10SmartImportClick() { Lists->ImportClick(); }
void Vol10Page::btnVol10SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol10Page::btnVol10EditIncludeListClick() { Lists->EditListClick(); }
void Vol10Page::btnVol10IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol10Page::btnVol10SmartExportClick() { Lists->ExportClick(ui->btnVol10SmartExport); }
void Vol10Page::btnVol10ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol10Page::btnVol10DeleteFromExcludeListClick() { Lists->DeleteFromExcludeClick(); }
void Vol10Page::btnVol10DeleteExcludedAllClick() { Lists->DeleteExcludeAllClick(ui->btnVol10DeleteExcludedAll); }

// ---- state and enable rules ------------------------------------------------------------------

void Vol10Page::Vol10ResetCounters() { ::Vol10ResetCounters(*this); }

void Vol10Page::Vol10ClearResultLists() {
    Vol10ClearRunLists(*this);
    if (frmStatistic10) frmStatistic10->ClearLists();
}

void Vol10Page::Vol10ShowCounters() { Vol10VisualLog().ShowCounters(Counters.Labels()); }

bool Vol10Page::Vol10AttachChecked() const {
    return ui->rdoVol10AttachMainFolderWithSubFolders->isChecked() || ui->rdoVol10AttachSubFoldersOnly->isChecked();
}

// The sources and the destinations' drives are read on the run pool: the
// window paints meanwhile, with the busy cursor and the files counted so
// far above the sources, and no click gets in.
bool Vol10Page::Vol10PrepareTotals(bool countFiles) {
    bool room = false;
    {
        const CountShown shown(ui->lblVol10FolderStructuresSource, "Counting the sources");
        room = ::Vol10PrepareTotals(*this, Vol10ReadInputs(), countFiles);
    }
    return !ShowRunFailures(RunKeeps::Nothing) && room;
}

void Vol10Page::Vol10RefreshPage() {
    const bool filled = ui->lstVol10IncludeFolderList->count() > 0;
    Vol10EnablePageControls(filled);
    Vol10EnableRunButtons(filled);
    Vol10ResetCounters();
    Vol10PrepareTotals(Vol10AttachChecked());
    Vol10ShowCounters();
}

void Vol10Page::Vol10EnablePageControls(bool flag) {
    SetEnabled(this,
               {"lblVol10FolderStructuresSource", "lblVol10FolderStructures", "lblVol10FolderStructuresCimke",
                "lblVol10FolderStructuresSum", "rdoVol10CopyToMainFolders", "rdoVol10CopyToMainFoldersExtensions",
                "rdoVol10DuplicatedFilesSkip", "rdoVol10DuplicatedFilesOverWrite",
                "rdoVol10DuplicatedFilesIncreaseFileNames", "btnVol10Statistics", "btnVol10Undo",
                "chkVol10ShowDetailedResults", "rdoVol10AttachMainFolderWithSubFolders", "rdoVol10AttachSubFoldersOnly",
                "btnVol10AddFolderStructures", "btnVol10ViewFolderStructures", "btnVol10DeleteSelectedFolderStructures",
                "lstVol10AddFolderStructure", "btnVol10DeleteAllFolderStructures", "btnVol10ImportFolderStructures",
                "btnVol10ExportFolderStructures", "btnVol10CutPast"},
               flag);
    const bool attach = IsEnabledAndChecked(ui->rdoVol10AttachMainFolderWithSubFolders) ||
                        IsEnabledAndChecked(ui->rdoVol10AttachSubFoldersOnly);
    SetEnabled(this, {"btnVol10FileSelection", "lstVol10FileTypesAllSelected"}, attach);
    Vol10EnableRunButtons(true);
}

void Vol10Page::Vol10EnableRunButtons(bool) {
    const bool attach = IsEnabledAndChecked(ui->rdoVol10AttachMainFolderWithSubFolders) ||
                        IsEnabledAndChecked(ui->rdoVol10AttachSubFoldersOnly);
    const bool on = ui->lstVol10IncludeFolderList->count() > 0 &&
                    (!attach || ui->lstVol10AddFolderStructure->count() > 0);
    ui->btnVol10CopyFiles->setEnabled(on);
    ui->btnVol10CopyFilesSimulation->setEnabled(on);
}

Vol10Inputs Vol10Page::Vol10ReadInputs() const {
    Vol10Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol10IncludeFolderList);
    in.Sources = ListItems(ui->lstVol10AddFolderStructure);
    in.AttachMainFolderWithSubFolders = ui->rdoVol10AttachMainFolderWithSubFolders->isChecked();
    in.AttachSubFoldersOnly = ui->rdoVol10AttachSubFoldersOnly->isChecked();
    in.CopyToMainFolders = ui->rdoVol10CopyToMainFolders->isChecked();
    in.CopyToMainFoldersExtensions = ui->rdoVol10CopyToMainFoldersExtensions->isChecked();
    in.DuplicatedFilesSkip = ui->rdoVol10DuplicatedFilesSkip->isChecked();
    in.DuplicatedFilesOverWrite = ui->rdoVol10DuplicatedFilesOverWrite->isChecked();
    in.DuplicatedFilesIncreaseFileNames = ui->rdoVol10DuplicatedFilesIncreaseFileNames->isChecked();
    in.ShowDetailedResults = ui->chkVol10ShowDetailedResults->isChecked();
    in.Masks = GetFileSelNameMasks();
    in.WorkingDir = GetWorkingDir();
    in.WorkingDirCopyFiles = GetOwnWorkingDirCopyFiles();
    in.ProgramFolder = GetProgramFolder();
    return in;
}

RunHooks Vol10Page::Vol10Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = RunButtonsHook({ui->btnVol10CopyFiles, ui->btnVol10CopyFilesSimulation},
                                            [this] { Vol10EnableRunButtons(true); });
    hooks.FocusAddFolderStructure = [this] { ui->btnVol10AddFolderStructures->setFocus(); };
    return hooks;
}

// ---- run, simulation, undo -------------------------------------------------------------------

void Vol10Page::btnVol10CopyFilesClick() {
    VisualLog log = Vol10VisualLog();
    Vol10RunCopyFiles(*this, Vol10ReadInputs(), log, Vol10Hooks());
}

void Vol10Page::btnVol10CopyFilesSimulationClick() {
    VisualLog log = Vol10VisualLog();
    // The simulation leaves the last run's undo data as it is.
    Vol10SimulateCopyFiles(*this, Vol10ReadInputs(), log, Vol10Hooks());
}

void Vol10Page::btnVol10UndoClick() {
    VisualLog log = Vol10VisualLog();
    Vol10UndoLastRun(*this, log);
}

void Vol10Page::btnVol10StatisticsClick() {
    Vol10ShowCounters();
    if (frmStatistic10) frmStatistic10->ShowLog();
}

void Vol10Page::btnVol10HelpClick() { ShowHelpTopic(HelpTopic::Vol10); }
void Vol10Page::btnVol10ExamplesClick() { ShowExamples(ExampleWindow::Vol10); }

void Vol10Page::btnVol10FileSelectionClick() {
    if (!frmFileSelection || qtplat::ExecModal(frmFileSelection) != QDialog::Accepted) return;
    Vol10ResetCounters();
    if (Vol10AttachChecked()) Vol10PrepareTotals(true);
    Vol10ShowCounters();
}

void Vol10Page::btnVol10ClearAllClick() {
    if (plat::MessageBox(
            "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
            "delete process.",
            MessageCaption(kVol10Topic, "Information", "100042"), kAsk) == plat::IDNO)
        return;
    ui->lstVol10IncludeFolderList->clear();
    ui->lstVol10ExcludeFolderList->clear();
    ui->lstVol10AddFolderStructure->clear();
    ui->chkVol10ShowDetailedResults->setChecked(true);
    SetChecked(ui->rdoVol10AttachMainFolderWithSubFolders, true);
    Vol10ResetCounters();
    // The overwrite records stay: Undo can still put those files back.
    Vol10ClearResultLists();
    Vol10ShowCounters();
    Vol10EnablePageControls(false);
    plat::MessageBox(
        "End of the CLEAR FIELDS process !!!\n",
        MessageCaption("Copy Multiple Files.-From a Folder List Level.", "Warning", "100043", "           "), kWarn);
}

// ---- sources -----------------------------------------------------------------------------------

namespace {

// What a page's count gave (its totals and shares): kept aside while a
// source is counted, and put back when that count is refused.
struct Vol10CountAside {
    explicit Vol10CountAside(const Vol10State& s)
        : counters(s.Counters), shares(s.Vol10SourceShares), subs(s.Vol10SourceSubFolders),
          files(s.Vol10SourceFiles), bytes(s.Vol10SourceBytes), lineBytes(s.Vol10LineBytes) {}
    void Back(Vol10State& s) const {
        s.Counters = counters;
        s.Vol10SourceShares = shares;
        s.Vol10SourceSubFolders = subs;
        s.Vol10SourceFiles = files;
        s.Vol10SourceBytes = bytes;
        s.Vol10LineBytes = lineBytes;
    }
    Vol10Counters counters;
    std::vector<double> shares;
    std::uint32_t subs, files;
    std::uint64_t bytes;
    double lineBytes;
};

}  // namespace

void Vol10Page::btnVol10AddFolderStructuresClick() {
    const FolderPick pick = BrowseForFolder(window(), "Select the Folder Structure.");
    if (pick.refused) return;
    const std::string chosen = TrimBlanks(pick.folder);
    if (chosen.size() == 3) {
        if (CheckDrive(chosen) &&
            plat::MessageBox(
                "Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick "
                "YES to Copy,\nClick NO to Cancel.",
                MessageCaption(kVol10Topic, "Information", "100028"), kAsk) == plat::IDYES)
            Vol10AddSource(chosen);
    } else if (chosen.size() > 3) {
        Vol10AddSource(chosen);
    }
}

void Vol10Page::Vol10AddSource(const std::string& path) {
    const std::string trimmed = TrimBlanks(path);
    if (trimmed.empty()) {
        ui->btnVol10CopyFiles->setEnabled(false);
        ui->btnVol10CopyFilesSimulation->setEnabled(false);
        plat::MessageBox("The selection field is empty !\nAction : You must select a folder with subfolder structure.",
                         MessageCaption(kVol10Topic, "Warning", "100029"), kWarn);
        return;
    }
    const bool added = listtools::FindListLine(ui->lstVol10AddFolderStructure, Q(trimmed)) < 0;
    if (added) listtools::AddListItem(ui->lstVol10AddFolderStructure, Q(trimmed));
    const Vol10CountAside before(*this);
    Vol10ResetCounters();
    Vol10PrepareTotals(true);
    // A source whose count would not fit is not added: the page stays as it was.
    if (Vol10CountRefused) {
        if (added) delete ui->lstVol10AddFolderStructure->takeItem(
            listtools::FindListLine(ui->lstVol10AddFolderStructure, Q(trimmed)));
        before.Back(*this);
    }
    Vol10ShowCounters();
    Vol10EnableRunButtons(true);
}

void Vol10Page::btnVol10ViewFolderStructuresClick() {
    QListWidgetItem* item = ui->lstVol10AddFolderStructure->currentItem();
    if (!item || !item->isSelected()) {
        plat::MessageBox(
            "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder "
            "structure.",
            MessageCaption(kVol10Topic, "Warning", "100038"), kWarn);
        return;
    }
    ViewFolder(TrimBlanks(S(item->text())), kVol10Topic);
}

void Vol10Page::btnVol10DeleteSelectedFolderStructuresClick() {
    if (plat::MessageBox("Do you want to delete the selected item(s) from the Exclude list ?",
                         MessageCaption(kVol10Topic, "Warning", "100039"), kAsk) == plat::IDYES) {
        QStringList keep;
        for (int i = 0; i < ui->lstVol10AddFolderStructure->count(); ++i)
            if (!ui->lstVol10AddFolderStructure->item(i)->isSelected())
                keep.append(ui->lstVol10AddFolderStructure->item(i)->text());
        listtools::SetListLines(ui->lstVol10AddFolderStructure, keep);
    }
    Vol10ResetCounters();
    Vol10PrepareTotals(true);
    Vol10ShowCounters();
    Vol10EnableRunButtons(true);
    ui->btnVol10DeleteSelectedFolderStructures->setFocus();
}

void Vol10Page::btnVol10DeleteAllFolderStructuresClick() {
    if (ui->lstVol10AddFolderStructure->count() == 0) {
        plat::MessageBox("Empty List in the Folder Structure/Templates Window!\n",
                         MessageCaption(kVol10Topic, "Warning", "100040"), kWarn);
    } else if (plat::MessageBox("Do you want to delete all item(s) from the Folder Structure/Templates list ?",
                                MessageCaption(kVol10Topic, "Warning", "100041"), kAsk) == plat::IDYES) {
        ui->lstVol10AddFolderStructure->clear();
    }
    Vol10RefreshPage();
    ui->btnVol10DeleteAllFolderStructures->setFocus();
}
