// Page 07: options, enable rules, the pre-count, the run and its simulation
// on the one frame, and Clear All; the Include and Exclude buttons are the
// shared IncludeExcludeLists.
#include "pages/folders/Vol07Page.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/PathTools.h"
#include "core/SettingsStore.h"
#include "help/HelpWindows.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunFrame.h"
#include "pages/RunItems.h"
#include "pages/VisualLog.h"
#include "pages/WalksOnPool.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistics07.h"
#include "ui_Vol07Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmVol07EditIncludeList.h"

// The engine names the Visual Log's lists in the window's own order.
static_assert(int(Vol07CatFoldersDeleted) == TfrmStatistics07::FoldersDeleted &&
              int(Vol07CatMainFoldersNotExist) == TfrmStatistics07::MainFoldersNotExist &&
              int(Vol07CatFoldersNotExists) == TfrmStatistics07::FoldersNotExists &&
              int(Vol07CatFilesNotExists) == TfrmStatistics07::FilesNotExists);

using namespace pagekit;

namespace {

constexpr const char* kBareDriveText =
    "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.";
constexpr const char* kListTopic = "Delete Folder(s).-From a Folder List.";
constexpr const char* kStructureTopic = "Delete Folder structure(s).-From a Folder List.";
constexpr const char* kImportTopic = "Delete Folders. - From a Folder List.";
constexpr const char* kLevelTopic = "Delete Folder(s).-From a Folder List - Level.";
constexpr const char* kRunTopic = "Delete Folder(s). - From a Folder List.";
constexpr const char* kSimulationTopic = "Simulate the Folder/File Delete Process.-From a Folder List.";

const char* const kThirteen = "             ";
const char* const kEleven = "           ";

const std::string kVol07SimulationIntroText =
    "Simulation shows you the complete Delete Folder/File process \nwithout actually Delete them on the hard "
    "drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult Folder lists - "
    "all without compromising existing Folder Structures.\n\n";
const std::string kVol07SimulationEndText =
    "End of Simulation !!!\n\nNo actual Folders were Deleted because of Simulation (Test Mode).\n\nThe purpose of "
    "the Simulation is to show the Complete Folder Deleting process\n without actually deleting them on the hard "
    "drive.\n\nIf You want to Delete Folders/Files, Use the Delete Folders button.";

// Warning 70039: the run stops at a bare drive, and the lists take none.
void ShowBareDriveWarning() {
    plat::MessageBox(kBareDriveText, MessageCaption(kListTopic, "Warning", "70039"), kWarn);
}

// The same refusal for the program's own folders.
std::string ProgramFolderText(const std::string& folder) {
    return "You can not Delete the Folder of the program, its Working Folder or a Folder in it!\nFolder : " +
           TrimControlAndBlanks(folder);
}

bool IsProgramFolder(const std::string& line) { return NamesOwnFolder(line, GetProgramFolder(), GetWorkingDir()); }

// The run and its simulation: a listed folder that is one of the program's
// own stops either before anything is deleted.
void RefuseOwnFolders(RunFrame& frame, const Vol07Inputs& in) {
    const auto box = [](const std::string& folder) {
        return PageMessage{ProgramFolderText(folder), MessageCaption(kListTopic, "Warning", "70039")};
    };
    frame.OwnFolders = {in.IncludeFolders, in.ProgramFolder, in.WorkingDir, box};
    // Deleting the main folders themselves: one directly in the program
    // folder would be emptied, and then refused.
    if (in.DeleteCompleteFolders)
        frame.OwnFolders.InProgramBox = [](const std::string& folder) {
            return PageMessage{"You can not Delete a Folder that lies in the Folder of the program!\nFolder : " +
                                   TrimControlAndBlanks(folder),
                               MessageCaption(kListTopic, "Warning", "70039")};
        };
}

// The run's refusal: a bare drive, or the program's folder.
void ShowRefusal(const Vol07RunEnd& end) {
    if (!end.Refused) return;
    if (!end.ProgramFolder) return ShowBareDriveWarning();
    plat::MessageBox(ProgramFolderText(end.RefusedFolder), MessageCaption(kListTopic, "Warning", "70039"), kWarn);
}

IncludeExcludeProfile Vol07ListProfile() {
    IncludeExcludeProfile p;
    p.SelectionEmpty.caption = MessageCaption(kStructureTopic, "Warning", "70011");
    p.InInclude.caption = MessageCaption(kStructureTopic, "Warning", "70012");
    p.InExclude.caption = MessageCaption(kStructureTopic, "Warning", "70013");
    p.ImportEmpty.caption = MessageCaption(kListTopic, "Warning", "70015", kThirteen);
    p.ImportEnd.caption = MessageCaption(kImportTopic, "Warning", "70051", kEleven);
    p.BuilderEmpty.caption = MessageCaption(kListTopic, "Warning", "70020", kThirteen);
    p.BuilderEnd.caption = MessageCaption(kImportTopic, "Warning", "70052", kEleven);
    p.ViewNone.caption = MessageCaption(kListTopic, "Warning", "70024");
    p.ViewTopic = kListTopic;
    p.ExportEmpty.caption = MessageCaption(kListTopic, "Warning", "70025", kThirteen);
    p.DeleteSelectedAsk.caption = MessageCaption(kListTopic, "Warning", "70026");
    p.DeleteSelectedEmpty.caption = MessageCaption(kListTopic, "Warning", "70027");
    p.DeleteAllEmpty.caption = MessageCaption(kLevelTopic, "Warning", "70028");
    p.DeleteAllAsk.caption = MessageCaption(kLevelTopic, "Warning", "70029");
    p.MoveTakes = HasDrivePart;
    // Bare drives never enter by an import or the builder, nor do the
    // program's folders, which are named; the run refuses whatever reaches
    // the list some other way.
    p.ImportTakes = [](std::string& line) {
        line = TrimControlAndBlanks(line);
        return !Vol07BareDrive(line);
    };
    p.ImportDrops = IsProgramFolder;
    p.ImportDropped = {"You can not Delete the Folder of the program, its Working Folder or a Folder in it!\nSo "
                       "these lines were not taken into the Include list",
                       MessageCaption(kListTopic, "Warning", "70039")};
    p.ImportNeedsDrive = true;
    p.BuilderNeedsDrive = false;
    p.AllFromExcludeDrops = [](const std::string& line) {
        const bool bare = Vol07BareDrive(line);
        if (!bare && !IsProgramFolder(line)) return false;
        plat::MessageBox(bare ? std::string(kBareDriveText) : ProgramFolderText(line),
                         MessageCaption(kListTopic, "Warning", "70005"), kWarn);
        return true;
    };
    p.ExportTakes = HasDrivePart;
    p.Editor = []() -> IncludeListEditor* { return frmVol07EditIncludeList; };
    return p;
}

}  // namespace

Vol07Page::Vol07Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol07Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol07IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol07ExcludeFolderList, 3000);
    listtools::ShowCountOf(ui->lstVol07IncludeFolderList, ui->lblVol07IncludeSum);
    listtools::ShowCountOf(ui->lstVol07ExcludeFolderList, ui->lblVol07ExcludeSum);
    ui->lblVol07IncludeSum->setText("0");
    ui->lblVol07ExcludeSum->setText("0");
    IncludeExcludeProfile lists = Vol07ListProfile();
    lists.Refuses = [this](const std::string& line) { return !Vol07CheckNotDriveRoot(line); };
    lists.EditRefuses = lists.Refuses;
    lists.Refresh = [this] { Vol07RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol07IncludeFolderList, ui->lstVol07ExcludeFolderList}, std::move(lists));
    auto click = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol07IncToExc, &Vol07Page::btnVol07IncToExcClick);
    click(ui->btnVol07ExcToInc, &Vol07Page::btnVol07ExcToIncClick);
    click(ui->btnVol07AllfromInc, &Vol07Page::btnVol07AllfromIncClick);
    click(ui->btnVol07AllfromExc, &Vol07Page::btnVol07AllfromExcClick);
    click(ui->btnVol07ExchangeIncExc, &Vol07Page::btnVol07ExchangeIncExcClick);
    click(ui->btnVol07AddFoldersToList, &Vol07Page::btnVol07AddFoldersToListClick);
    click(ui->btnVol07SmartImport, &Vol07Page::btnVol07SmartImportClick);
    click(ui->btnVol07SubFolderListBuilder, &Vol07Page::btnVol07SubFolderListBuilderClick);
    click(ui->btnVol07EditIncludeList, &Vol07Page::btnVol07EditIncludeListClick);
    click(ui->btnVol07IncludeFolderListView, &Vol07Page::btnVol07IncludeFolderListViewClick);
    click(ui->btnVol07SmartExport, &Vol07Page::btnVol07SmartExportClick);
    click(ui->btnVol07ZoomIncludeWindow, &Vol07Page::btnVol07ZoomIncludeWindowClick);
    click(ui->btnVol07DeleteFromExcludeList, &Vol07Page::btnVol07DeleteFromExcludeListClick);
    click(ui->btnVol07DeleteExcludeAll, &Vol07Page::btnVol07DeleteExcludeAllClick);
    click(ui->btnVol07DeleteFolders, &Vol07Page::btnVol07DeleteFoldersClick);
    click(ui->btnVol07DeleteFoldersSimulation, &Vol07Page::btnVol07DeleteFoldersSimulationClick);
    click(ui->btnVol07Statistics, &Vol07Page::btnVol07StatisticsClick);
    click(ui->btnVol07ClearAll, &Vol07Page::btnVol07ClearAllClick);
    click(ui->btnVol07Help, &Vol07Page::btnVol07HelpClick);
    click(ui->btnVol07Examples, &Vol07Page::btnVol07ExamplesClick);
    click(ui->rdoVol07DeleteSubFolders, &Vol07Page::rdoVol07DeleteSubFoldersClick);
    click(ui->rdoVol07DeleteCompleteFolders, &Vol07Page::rdoVol07DeleteCompleteFoldersClick);
    Vol07EnableRunButtons(false);
}

Vol07Page::~Vol07Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol07Page::btnVol07IncToExcClick() { Lists->IncToExcClick(); }
void Vol07Page::btnVol07ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol07Page::btnVol07AllfromIncClick() { Lists->AllFromIncClick(); }
void Vol07Page::btnVol07AllfromExcClick() { Lists->AllFromExcClick(); }
void Vol07Page::btnVol07ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol07Page::btnVol07AddFoldersToListClick() { Lists->AddFolderClick(); }
void Vol07Page::btnVol07SmartImportClick() { Lists->ImportClick(); }
void Vol07Page::btnVol07SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol07Page::btnVol07EditIncludeListClick() { Lists->EditListClick(); }
void Vol07Page::btnVol07IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol07Page::btnVol07SmartExportClick() { Lists->ExportClick(ui->btnVol07SmartExport); }
void Vol07Page::btnVol07ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol07Page::btnVol07DeleteFromExcludeListClick() { Lists->DeleteFromExcludeClick(); }
void Vol07Page::btnVol07DeleteExcludeAllClick() { Lists->DeleteExcludeAllClick(ui->btnVol07DeleteExcludeAll); }

bool Vol07Page::Vol07CheckNotDriveRoot(const std::string& path) {
    const bool bare = Vol07BareDrive(path);
    if (!bare && !IsProgramFolder(path)) return true;
    ShowRefusal({true, !bare, path});
    return false;
}

// ---- counters and labels ------------------------------------------------------------------

void Vol07Page::Vol07InitCounters() {
    Counters.FoldersToDelete = Counters.FilesToDelete = Counters.MainFoldersNotExist = 0;
}

void Vol07Page::Vol07ResetCounters() { ::Vol07ResetCounters(Counters); }

void Vol07Page::Vol07ClearStatisticsLists() {
    if (frmStatistics07) frmStatistics07->ClearLists();
}

void Vol07Page::Vol07ClearResultLists() { Vol07ClearStatisticsLists(); }

void Vol07Page::Vol07FillStatisticsWindow() { Vol07VisualLog().ShowCounters(Counters.Labels()); }

void Vol07Page::Vol07ShowToDeleteCounts() {
    const auto all = Counters.Labels();
    const CounterLabel shown[] = {all[0], all[1], all[8]};
    Vol07VisualLog().ShowCounters(shown);
}

void Vol07Page::Vol07ShowTotals() {
    const auto all = Counters.Labels();
    Vol07VisualLog().ShowCounters(std::span<const CounterLabel>(all).subspan(2, 6));
}

// The main folders are read on the run pool: the window paints meanwhile,
// with the busy cursor, and no click gets in; a close waits for the end.
void Vol07Page::Vol07CountFoldersToDelete(int mode) {
    {
        const CountingBusy counting;
        ::Vol07CountFoldersToDelete(Counters, ListItems(ui->lstVol07IncludeFolderList), mode, GetProgramFolder(),
                                    GetWorkingDir());
    }
    // Figures of a count that failed serve no run: the next one counts again.
    Vol07CountState = ShowRunFailures(RunKeeps::Nothing) ? 0 : 1;
}

int Vol07Page::Vol07CountMode() const {
    Vol07Inputs in;
    Vol07ReadMode(in);
    return ::Vol07CountMode(in);
}

// The mode as the run and its count both read it: a radio counts when it is
// enabled and checked.
void Vol07Page::Vol07ReadMode(Vol07Inputs& in) const {
    in.DeleteSubFolders = IsEnabledAndChecked(ui->rdoVol07DeleteSubFolders);
    in.DeleteCompleteFolders = !in.DeleteSubFolders && IsEnabledAndChecked(ui->rdoVol07DeleteCompleteFolders);
}

// ---- page state ---------------------------------------------------------------------------

void Vol07Page::Vol07RefreshPage() {
    const bool filled = ui->lstVol07IncludeFolderList->count() > 0;
    Vol07EnablePageControls(filled);
    Vol07EnableRunButtons(filled);
    Vol07InitCounters();
    Vol07ResetCounters();
    Vol07ClearStatisticsLists();
    Vol07CountFoldersToDelete(Vol07CountMode());
    Vol07ShowToDeleteCounts();
    ui->lblVol07IncludeSum->setText(CountText(ui->lstVol07IncludeFolderList));
    ui->lblVol07ExcludeSum->setText(CountText(ui->lstVol07ExcludeFolderList));
}

void Vol07Page::Vol07EnablePageControls(bool flag) {
    SetEnabled(this,
               {"chkVol07DeleteDoubleConfirm", "rdoVol07DeleteSubFolders", "rdoVol07DeleteCompleteFolders",
                "btnVol07Statistics", "chkVol07ShowDetailedResults", "chkVol07ReadOnlyFolders"},
               flag);
    Vol07EnableRunButtons(true);
}

void Vol07Page::Vol07EnableRunButtons(bool) {
    // The Include list decides; the simulation button stays hidden.
    const bool on = !running_ && ui->lstVol07IncludeFolderList->count() > 0;
    ui->btnVol07DeleteFolders->setEnabled(on);
    ui->btnVol07DeleteFoldersSimulation->setEnabled(on);
}

Vol07Inputs Vol07Page::Vol07ReadInputs() const {
    Vol07Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol07IncludeFolderList);
    Vol07ReadMode(in);
    in.ReadOnlyFolders = ui->chkVol07ReadOnlyFolders->isChecked();
    in.ProgramFolder = GetProgramFolder();
    in.WorkingDir = GetWorkingDir();
    return in;
}

RunHooks Vol07Page::Vol07Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = RunButtonsHook({ui->btnVol07DeleteFolders, ui->btnVol07DeleteFoldersSimulation},
                                            [this] { Vol07EnableRunButtons(true); });
    return hooks;
}

// ---- the run and its simulation -----------------------------------------------------------

// After the questions: the figures counted from the disk as it is now, the
// run to take over what was read; what the run will hold is weighed on that
// count before the lists give way. Until the run starts the page shows the
// last run's figures.
void Vol07Page::Vol07CountOnFrame(RunFrame& frame, const Vol07Inputs& in, RunCount& count,
                                  std::function<void()> start) {
    frame.Count = [&in, &count] {
        count.counters = Vol07Counters();
        const CountingBusy counting;
        Vol07CountForRun(count.counters, in, count.listings, count.shares);
    };
    // (The listings the count read are held already.)
    frame.Memory = [&in, &count, simulation = frame.Simulation] { return Vol07MemoryNeed(in, count.shares, simulation); };
    frame.MemoryTopic = kListTopic;
    frame.MemoryAction = "Narrow the lists.";
    frame.Start = [this, &count, start = std::move(start)] {
        Vol07ResetCounters();
        Vol07InitCounters();
        Counters.FoldersToDelete = count.counters.FoldersToDelete;
        Counters.FilesToDelete = count.counters.FilesToDelete;
        Vol07ClearStatisticsLists();
        if (start) start();
    };
}

void Vol07Page::btnVol07DeleteFoldersClick() {
    const std::string body =
        "Do you want to DELETE folders PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop "
        "the Delete process.\n\nNote: If the <Select Files> button is active, only the Selected Files will be used.";
    const bool twice = ui->chkVol07DeleteDoubleConfirm->isChecked();
    const Vol07Inputs in = Vol07ReadInputs();
    VisualLog log = Vol07VisualLog();
    RunFrame frame;
    const std::string first = twice ? "First" : "Final";
    frame.Questions = {{first + " Confirmation for DELETING Folders/Files\n\n" + body,
                        MessageCaption(kRunTopic, "Information", "70032")}};
    if (twice)
        frame.Questions.push_back({"Final Confirmation for DELETING Folders/Files\n\n" + body,
                                   MessageCaption(kRunTopic, "Information", "70033")});
    RunCount count;
    Vol07CountOnFrame(frame, in, count, [this] { Vol07CountState = 2; });
    frame.Counters = CountersOf(Counters);
    frame.ShowLog = ui->chkVol07ShowDetailedResults->isChecked();
    RefuseOwnFolders(frame, in);
    frame.Work = [this, &in, &log, &count](RunDisk& disk) {
        // An empty list is told after the questions; the end box follows.
        if (in.IncludeFolders.empty()) {
            plat::MessageBox("The Include Folder list is empty !!!\nYou must enter at least one Folder to Delete "
                             "folders.",
                             MessageCaption(kListTopic, "Warning", "70038", kEleven), kWarn);
            return;
        }
        count.listings.Answer(disk);
        ShowRefusal(Vol07DeleteMainFolders(Counters, in, count.listings, log, &count.shares));
    };
    frame.End = {"End of the Delete process !!!", MessageCaption(kListTopic, "Information", "70037")};
    running_ = true;
    RunOnFrame(frame, log, Vol07Hooks());
    running_ = false;
    Vol07EnableRunButtons(true);
}

void Vol07Page::btnVol07DeleteFoldersSimulationClick() { Vol07SimulateDeleteFolders(); }

// The run's work on the dry disk: the same lines and counts, nothing
// deleted, and the to-delete figures left for the next real run.
void Vol07Page::Vol07SimulateDeleteFolders() {
    const Vol07Inputs in = Vol07ReadInputs();
    VisualLog log = Vol07VisualLog();
    RunFrame frame;
    frame.Simulation = true;
    frame.Check = [] {
        plat::MessageBox(kVol07SimulationIntroText, MessageCaption(kSimulationTopic, "Information", "70050"), kInfo);
        return true;
    };
    RunCount count;
    Vol07CountOnFrame(frame, in, count, nullptr);
    frame.Counters = CountersOf(Counters);
    frame.ShowLog = ui->chkVol07ShowDetailedResults->isChecked();
    RefuseOwnFolders(frame, in);
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.IncludeEmptyMessage = {
        "The Include list is empty !!!\nYou must enter at least one Folder to Delete folders.",
        MessageCaption("Simulate the Folder/File Delete Process.-From a Folder List.", "Warning", "70052", kEleven)};
    frame.Work = [this, &in, &log, &count](RunDisk& disk) {
        // The run would stop at a folder it may not touch: so does its twin.
        count.listings.Answer(disk);
        ShowRefusal(Vol07DeleteMainFolders(Counters, in, count.listings, log, &count.shares));
    };
    frame.End = {kVol07SimulationEndText,
                 MessageCaption("Simulate the Folder/File Delete Process.-From a Folder List - Level.", "Information",
                                "70051")};
    running_ = true;
    RunOnFrame(frame, log, Vol07Hooks());
    running_ = false;
    Vol07EnableRunButtons(true);
}

// ---- the other buttons --------------------------------------------------------------------

void Vol07Page::btnVol07StatisticsClick() {
    Vol07FillStatisticsWindow();
    if (frmStatistics07) frmStatistics07->ShowLog();
}

void Vol07Page::btnVol07HelpClick() { ShowHelpTopic(HelpTopic::Vol07); }
void Vol07Page::btnVol07ExamplesClick() { ShowExamples(ExampleWindow::Vol07); }
void Vol07Page::rdoVol07DeleteSubFoldersClick() { Vol07RefreshPage(); }
void Vol07Page::rdoVol07DeleteCompleteFoldersClick() { Vol07RefreshPage(); }

void Vol07Page::btnVol07ClearAllClick() {
    if (plat::MessageBox("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop "
                         "the delete process.",
                         MessageCaption(kListTopic, "Information", "70030"), kAsk) != plat::IDYES)
        return;
    ui->lblVol07IncludeSum->setText("0");
    ui->lblVol07ExcludeSum->setText("0");
    ui->lstVol07IncludeFolderList->clear();
    ui->lstVol07ExcludeFolderList->clear();
    ui->chkVol07ShowDetailedResults->setChecked(true);
    ui->chkVol07DeleteDoubleConfirm->setChecked(true);
    ui->chkVol07ReadOnlyFolders->setChecked(false);
    SetChecked(ui->rdoVol07DeleteSubFolders, true);
    Vol07InitCounters();
    Vol07ShowToDeleteCounts();
    Vol07EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n",
                     MessageCaption("Delete Foldere(s).-From a Folder List.", "Warning", "70031", kEleven), kWarn);
}
