// Page 06: method edits and their character check, enable rules, the run
// and its simulation on the one frame, the undo, and Clear All; the
// Include and Exclude buttons are the shared IncludeExcludeLists.
#include "pages/folders/Vol06Page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "core/Validation.h"
#include "help/HelpWindows.h"
#include "pages/FieldChecks.h"
#include "pages/IncludeExcludeLists.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunFrame.h"
#include "pages/VisualLog.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmVol06ZoomStatistics.h"
#include "ui_Vol06Page.h"
#include "windows/ListTools.h"
#include "windows/TfrmVol06EditIncludeList.h"

using namespace pagekit;

static_assert(int(Vol06CatFoldersRenamed) == TfrmStatistic06::FoldersRenamed &&
              int(Vol06CatSourceNotExists) == TfrmStatistic06::FoldersSourceNotExists &&
              int(Vol06CatDestinationExists) == TfrmStatistic06::FoldersDestinationExists &&
              int(Vol06CatOtherReasons) == TfrmStatistic06::FoldersOtherReasons &&
              int(Vol06CatFoldersFailedUndo) == TfrmStatistic06::FoldersFailedUndo);

namespace {

constexpr const char* kTopic = "Rename Folders. - From a Folder List.";
constexpr const char* kListTopic = "Rename Folder(s).-From a Folder List.";
constexpr const char* kBareTopic = "Rename Folders - From a Folder List.";
constexpr const char* kLowerTopic = "Rename folders. - From a Folder List.";
constexpr const char* kLevelTopic = "Rename Folder(s).-From a Folder List - Level.";
const char* const kThirteen = "             ";
const char* const kEleven = "           ";

const std::string kEmptyIncludeText =
    "The Include list is empty !!!\nYou must enter at least one Folder to Rename folders.";

// A folder of the program's own is not renamed: the run stops before it
// begins when the list names one, and where it meets one swapped in since.
PageMessage Vol06OwnFolderBox(const std::string& folder) {
    return {OwnFolderRefusal("RENAME", "Folder", folder, true), MessageCaption(kListTopic, "Warning", "60040")};
}

void RefuseOwnFolders(RunFrame& frame, const Vol06Inputs& in) {
    // A folder directly in the program folder is renamed there.
    const auto inProgram = [](const std::string& folder) {
        return PageMessage{InProgramFolderRefusal("RENAME", "Folder", folder),
                           MessageCaption(kListTopic, "Warning", "60040")};
    };
    frame.OwnFolders = {in.IncludeFolders, in.ProgramFolder, in.WorkingDir, Vol06OwnFolderBox, true, inProgram};
}

// A new last name of nothing or of blanks alone would give every listed
// folder a name no list shows: refused before the questions. Blanks around
// other characters stay, as typed.
bool CheckNewLastSubFolder(const Vol06Inputs& in) {
    if (in.AddPrefixesSuffixes || !TrimControlAndBlanks(in.RenameNewLastSubFolder).empty()) return true;
    plat::MessageBox("The New Name is empty or holds blanks only !!!\nYou must enter a New Name to Rename the last "
                     "Subfolder of the folders.",
                     MessageCaption(kListTopic, "Warning", "60041"), kWarn);
    return false;
}

void ShowRefused(const std::string& folder) {
    if (folder.empty()) return;
    const PageMessage box = Vol06OwnFolderBox(folder);
    plat::MessageBox(box.text, box.caption, kWarn);
}

// The window sets its top label by the run mode itself.
VisualLog Vol06VisualLog() {
    return VisualLog([]() -> VisualLogWindow* { return frmStatistic06; },
                     []() -> ZoomStatisticsWindow* { return frmVol06ZoomStatistics; });
}

IncludeExcludeProfile Vol06ListProfile() {
    IncludeExcludeProfile p;
    p.SelectionEmpty.caption = MessageCaption(kBareTopic, "Warning", "60011");
    p.InInclude.caption = MessageCaption(kTopic, "Warning", "60012");
    p.InExclude.caption = MessageCaption(kBareTopic, "Warning", "60013");
    p.ImportEmpty.caption = MessageCaption(kListTopic, "Warning", "60015", kThirteen);
    p.ImportEnd.caption = MessageCaption(kTopic, "Warning", "60051", kEleven);
    p.BuilderEmpty.caption = MessageCaption(kListTopic, "Warning", "60020", kThirteen);
    p.BuilderEnd.caption = MessageCaption(kTopic, "Warning", "60052", kEleven);
    p.ViewNone.caption = MessageCaption(kLowerTopic, "Warning", "60024");
    p.ViewTopic = kLowerTopic;
    p.ExportEmpty.caption = MessageCaption(kListTopic, "Warning", "60025", kThirteen);
    p.DeleteSelectedAsk.caption = MessageCaption(kTopic, "Warning", "60026");
    p.DeleteSelectedEmpty.caption = MessageCaption(kLowerTopic, "Warning", "60027");
    p.DeleteAllEmpty.caption = MessageCaption(kLevelTopic, "Warning", "60028");
    p.DeleteAllAsk.caption = MessageCaption(kLevelTopic, "Warning", "60029");
    p.MoveTakes = HasDrivePart;
    // Imported and built lines go in as they are, blank ones never.
    p.ImportTakes = [](std::string& line) { return !TrimControlAndBlanks(line).empty(); };
    p.ImportNeedsDrive = true;
    p.BuilderNeedsDrive = false;
    p.ExportTakes = HasDrivePart;
    p.Editor = []() -> IncludeListEditor* { return frmVol06EditIncludeList; };
    return p;
}

}  // namespace

Vol06Page::Vol06Page(MainWindowShared& shared, QWidget* parent)
    : QWidget(parent), ui(new Ui::Vol06Page), Shared(shared) {
    ui->setupUi(this);
    SetHorizontalExtent(ui->lstVol06IncludeFolderList, 3000);
    SetHorizontalExtent(ui->lstVol06ExcludeFolderList, 3000);
    listtools::ShowCountOf(ui->lstVol06IncludeFolderList, ui->lblVol06IncludeSum);
    listtools::ShowCountOf(ui->lstVol06ExcludeFolderList, ui->lblVol06ExcludeSum);
    ui->lblVol06IncludeSum->setText("0");
    ui->lblVol06ExcludeSum->setText("0");
    IncludeExcludeProfile lists = Vol06ListProfile();
    lists.Refresh = [this] { Vol06RefreshPage(); };
    Lists = std::make_unique<IncludeExcludeLists>(
        this, IncludeExcludeWidgets{ui->lstVol06IncludeFolderList, ui->lstVol06ExcludeFolderList}, std::move(lists));
    auto click = [this](QAbstractButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    click(ui->btnVol06IncToExc, &Vol06Page::btnVol06IncToExcClick);
    click(ui->btnVol06ExcToInc, &Vol06Page::btnVol06ExcToIncClick);
    click(ui->btnVol06AllfromInc, &Vol06Page::btnVol06AllfromIncClick);
    click(ui->btnVol06AllfromExc, &Vol06Page::btnVol06AllfromExcClick);
    click(ui->btnVol06ExchangeIncExc, &Vol06Page::btnVol06ExchangeIncExcClick);
    click(ui->btnVol06AddFolderToList, &Vol06Page::btnVol06AddFolderToListClick);
    click(ui->btnVol06SmartImport, &Vol06Page::btnVol06SmartImportClick);
    click(ui->btnVol06SubFolderListBuilder, &Vol06Page::btnVol06SubFolderListBuilderClick);
    click(ui->btnVol06EditIncludeList, &Vol06Page::btnVol06EditIncludeListClick);
    click(ui->btnVol06IncludeFolderListView, &Vol06Page::btnVol06IncludeFolderListViewClick);
    click(ui->btnVol06SmartExport, &Vol06Page::btnVol06SmartExportClick);
    click(ui->btnVol06ZoomIncludeWindow, &Vol06Page::btnVol06ZoomIncludeWindowClick);
    click(ui->btnVol06DeleteFromExcludelist, &Vol06Page::btnVol06DeleteFromExcludelistClick);
    click(ui->btnVol06DeleteExcludeAll, &Vol06Page::btnVol06DeleteExcludeAllClick);
    click(ui->btnVol06RenameFolders, &Vol06Page::btnVol06RenameFoldersClick);
    click(ui->btnVol06RenameFoldersSimulation, &Vol06Page::btnVol06RenameFoldersSimulationClick);
    click(ui->btnVol06Undo, &Vol06Page::btnVol06UndoClick);
    click(ui->btnVol06Statistics, &Vol06Page::btnVol06StatisticsClick);
    click(ui->btnVol06ClearAll, &Vol06Page::btnVol06ClearAllClick);
    click(ui->btnVol06Help, &Vol06Page::btnVol06HelpClick);
    click(ui->btnVol06Examples, &Vol06Page::btnVol06ExamplesClick);
    click(ui->rdoVol06RenameAddPrefixesSuffixes, &Vol06Page::rdoVol06RenameAddPrefixesSuffixesClick);
    click(ui->rdoVol06RenameTheLastSubFolder, &Vol06Page::rdoVol06RenameTheLastSubFolderClick);
    auto* checks = new FieldChecks(this);
    checks->Watch(ui->edtVol06NewPrefix, [this] { edtVol06NewPrefixChange(); }, [this] { edtVol06NewPrefixExit(); });
    checks->Watch(ui->edtVol06NewSuffix, [this] { edtVol06NewSuffixChange(); }, [this] { edtVol06NewSuffixExit(); });
    checks->Watch(ui->edtVol06DelimiterPrefixSubFolder, [this] { edtVol06DelimiterPrefixSubFolderChange(); },
                  [this] { edtVol06DelimiterPrefixSubFolderExit(); });
    checks->Watch(ui->edtVol06DelimiterSubFolderSuffix, [this] { edtVol06DelimiterSubFolderSuffixChange(); },
                  [this] { edtVol06DelimiterSubFolderSuffixExit(); });
    checks->Watch(ui->edtVol06RenameNewLastSubFolder, [this] { edtVol06RenameNewLastSubFolderChange(); },
                  [this] { edtVol06RenameNewLastSubFolderExit(); });
    Vol06EnableRunButtons(false);
}

Vol06Page::~Vol06Page() { delete ui; }

// ---- Include and Exclude lists ------------------------------------------------------------

void Vol06Page::btnVol06IncToExcClick() { Lists->IncToExcClick(); }
void Vol06Page::btnVol06ExcToIncClick() { Lists->ExcToIncClick(); }
void Vol06Page::btnVol06AllfromIncClick() { Lists->AllFromIncClick(); }
void Vol06Page::btnVol06AllfromExcClick() { Lists->AllFromExcClick(); }
void Vol06Page::btnVol06ExchangeIncExcClick() { Lists->ExchangeClick(); }
void Vol06Page::btnVol06AddFolderToListClick() { Lists->AddFolderClick(); }
void Vol06Page::btnVol06SmartImportClick() { Lists->ImportClick(); }
void Vol06Page::btnVol06SubFolderListBuilderClick() { Lists->SubFolderListBuilderClick(); }
void Vol06Page::btnVol06EditIncludeListClick() { Lists->EditListClick(); }
void Vol06Page::btnVol06IncludeFolderListViewClick() { Lists->ViewClick(); }
void Vol06Page::btnVol06SmartExportClick() { Lists->ExportClick(ui->btnVol06SmartExport); }
void Vol06Page::btnVol06ZoomIncludeWindowClick() { Lists->ZoomClick(); }
void Vol06Page::btnVol06DeleteFromExcludelistClick() { Lists->DeleteFromExcludeClick(); }
void Vol06Page::btnVol06DeleteExcludeAllClick() { Lists->DeleteExcludeAllClick(ui->btnVol06DeleteExcludeAll); }

// ---- method edits -------------------------------------------------------------------------

void Vol06Page::Vol06CheckNameField(QLineEdit* field, const char* message, const std::string& caption) {
    std::string found;
    if (!FindIllegalChars("F", S(field->text()), found)) return;
    plat::MessageBox(message + found, caption, kWarn);
    // Change checks again after this, until nothing forbidden is left.
    field->setText(WithoutLastCharacter(field->text()));
    field->setFocus();
}

void Vol06Page::edtVol06NewPrefixChange() {
    Vol06CheckNameField(ui->edtVol06NewPrefix, "Illegal character in the Prefix : ",
                        MessageCaption(kTopic, "Warning", "60031   "));
}
void Vol06Page::edtVol06NewSuffixChange() {
    Vol06CheckNameField(ui->edtVol06NewSuffix, "Illegal character in the Suffix : ",
                        MessageCaption(kListTopic, "Warning", "60033"));
}
void Vol06Page::edtVol06DelimiterPrefixSubFolderChange() {
    Vol06CheckNameField(ui->edtVol06DelimiterPrefixSubFolder, "Illegal character in the Delimiter : ",
                        MessageCaption(kTopic, "Warning", "60034"));
}
void Vol06Page::edtVol06DelimiterSubFolderSuffixChange() {
    Vol06CheckNameField(ui->edtVol06DelimiterSubFolderSuffix, "Illegal character in the Delimiter : ",
                        MessageCaption(kTopic, "Warning", "60035"));
}
void Vol06Page::edtVol06RenameNewLastSubFolderChange() {
    Vol06CheckNameField(ui->edtVol06RenameNewLastSubFolder, "Illegal character in the New Subfolder string : ",
                        MessageCaption(kTopic, "Warning", "60036"));
}
void Vol06Page::edtVol06NewPrefixExit() { edtVol06NewPrefixChange(); }
void Vol06Page::edtVol06NewSuffixExit() { edtVol06NewSuffixChange(); }
void Vol06Page::edtVol06DelimiterPrefixSubFolderExit() { edtVol06DelimiterPrefixSubFolderChange(); }
void Vol06Page::edtVol06DelimiterSubFolderSuffixExit() { edtVol06DelimiterSubFolderSuffixChange(); }
void Vol06Page::edtVol06RenameNewLastSubFolderExit() { edtVol06RenameNewLastSubFolderChange(); }

void Vol06Page::rdoVol06RenameAddPrefixesSuffixesClick() {
    Vol06EnableMethodControls(ui->rdoVol06RenameAddPrefixesSuffixes->isChecked());
}

void Vol06Page::rdoVol06RenameTheLastSubFolderClick() {
    Vol06EnableMethodControls(!ui->rdoVol06RenameTheLastSubFolder->isChecked());
}

void Vol06Page::Vol06EnableMethodControls(bool prefixSuffix) {
    SetEnabled(this,
               {"lblVol06NewPrefixCimke", "edtVol06NewPrefix", "lblVol06DelimiterPrefixSubFolderCimke",
                "edtVol06DelimiterPrefixSubFolder", "lblVol06DelimiterSubFolderSuffixCimke",
                "edtVol06DelimiterSubFolderSuffix", "lblVol06NewSuffixCimke", "edtVol06NewSuffix"},
               prefixSuffix);
    SetEnabled(this, {"lblVol06RenameNewLastSubFolder", "edtVol06RenameNewLastSubFolder"}, !prefixSuffix);
}

// ---- counters and page state --------------------------------------------------------------

void Vol06Page::Vol06InitCounters() {
    Counters.FoldersToRename = 0;
    Vol06ResetCounters();
}

void Vol06Page::Vol06ResetCounters() { ::Vol06ResetCounters(Counters); }

void Vol06Page::Vol06CountFoldersToRename() { Counters.FoldersToRename = ui->lstVol06IncludeFolderList->count(); }

void Vol06Page::Vol06ShowCounters() { Vol06VisualLog().ShowCounters(Counters.Labels()); }

void Vol06Page::Vol06ClearResultLists() {
    if (frmStatistic06) frmStatistic06->ClearLists();
}

void Vol06Page::Vol06ClearUndo() { ::Vol06ClearUndo(Undo); }

void Vol06Page::Vol06RefreshPage() {
    const bool filled = ui->lstVol06IncludeFolderList->count() > 0;
    Vol06EnablePageControls(filled);
    Vol06EnableRunButtons(filled);
    Vol06InitCounters();
    Vol06CountFoldersToRename();
    Vol06ShowCounters();
    ui->lblVol06IncludeSum->setText(CountText(ui->lstVol06IncludeFolderList));
    ui->lblVol06ExcludeSum->setText(CountText(ui->lstVol06ExcludeFolderList));
}

void Vol06Page::Vol06EnablePageControls(bool flag) {
    SetEnabled(this,
               {"rdoVol06RenameAddPrefixesSuffixes", "rdoVol06RenameTheLastSubFolder", "lblVol06NewPrefixCimke",
                "edtVol06NewPrefix", "lblVol06DelimiterPrefixSubFolderCimke", "edtVol06DelimiterPrefixSubFolder",
                "lblVol06DelimiterSubFolderSuffixCimke", "edtVol06DelimiterSubFolderSuffix", "lblVol06NewSuffixCimke",
                "edtVol06NewSuffix", "lblVol06RenameNewLastSubFolder", "edtVol06RenameNewLastSubFolder"},
               flag);
    if (IsEnabledAndChecked(ui->rdoVol06RenameAddPrefixesSuffixes))
        Vol06EnableMethodControls(true);
    else if (IsEnabledAndChecked(ui->rdoVol06RenameTheLastSubFolder))
        Vol06EnableMethodControls(false);
    SetEnabled(this, {"btnVol06Statistics", "btnVol06Undo", "chkVol06ShowDetailedResults"}, flag);
    Vol06EnableRunButtons(flag);
}

void Vol06Page::Vol06EnableRunButtons(bool) {
    // The Include list alone decides.
    const bool on = ui->lstVol06IncludeFolderList->count() > 0;
    ui->btnVol06RenameFolders->setEnabled(on);
    ui->btnVol06RenameFoldersSimulation->setEnabled(on);
}

Vol06Inputs Vol06Page::Vol06ReadInputs() const {
    Vol06Inputs in;
    in.IncludeFolders = ListItems(ui->lstVol06IncludeFolderList);
    in.AddPrefixesSuffixes = ui->rdoVol06RenameAddPrefixesSuffixes->isChecked();
    in.NewPrefix = S(ui->edtVol06NewPrefix->text());
    in.DelimiterPrefixSubFolder = S(ui->edtVol06DelimiterPrefixSubFolder->text());
    in.DelimiterSubFolderSuffix = S(ui->edtVol06DelimiterSubFolderSuffix->text());
    in.NewSuffix = S(ui->edtVol06NewSuffix->text());
    in.RenameNewLastSubFolder = S(ui->edtVol06RenameNewLastSubFolder->text());
    in.ProgramFolder = GetProgramFolder();
    in.WorkingDir = GetWorkingDir();
    return in;
}

RunHooks Vol06Page::Vol06Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = RunButtonsHook({ui->btnVol06RenameFolders, ui->btnVol06RenameFoldersSimulation},
                                            [this] { Vol06EnableRunButtons(true); });
    return hooks;
}

namespace {

// A rename names each listed folder once, with its new name beside it.
void WeighMemory(RunFrame& frame, const Vol06Inputs& in) {
    frame.Memory = [&in, simulation = frame.Simulation] { return Vol06MemoryNeed(in, simulation); };
    frame.MemoryTopic = kListTopic;
    frame.MemoryAction = "Narrow the list.";
}

}  // namespace

// ---- the run, its simulation and the undo -------------------------------------------------

void Vol06Page::btnVol06RenameFoldersClick() {
    const Vol06Inputs in = Vol06ReadInputs();
    VisualLog log = Vol06VisualLog();
    RunFrame frame;
    frame.Keeps = RunKeeps::Undo;
    frame.Check = [&in] { return CheckNewLastSubFolder(in); };
    WeighMemory(frame, in);
    frame.Room = [this] { return Vol06UndoBytes(Undo); };
    frame.Questions = {{"Do you want to RENAME folders ?\n", MessageCaption(kTopic, "Information", "60039")}};
    frame.Start = [this] {
        Vol06ResetCounters();
        Vol06ClearUndo();
    };
    frame.Counters = CountersOf(Counters);
    frame.ShowLog = ui->chkVol06ShowDetailedResults->isChecked();
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.IncludeEmptyMessage = {kEmptyIncludeText, MessageCaption(kListTopic, "Warning", "60043", kEleven)};
    RefuseOwnFolders(frame, in);
    frame.Work = [this, &in, &log](RunDisk& disk) {
        Vol06UndoRecorder recorder(Undo);
        ShowRefused(Vol06RenameFolders(Counters, in, disk, recorder, log));
    };
    frame.End = {"End of the Rename process !!!", MessageCaption(kListTopic, "Information", "60042")};
    RunOnFrame(frame, log, Vol06Hooks());
}

void Vol06Page::btnVol06RenameFoldersSimulationClick() { Vol06SimulateRenameFolders(); }

// The run's work on the dry disk: the same lines and counts, nothing
// renamed and the undo records left as they are.
void Vol06Page::Vol06SimulateRenameFolders() {
    const Vol06Inputs in = Vol06ReadInputs();
    VisualLog log = Vol06VisualLog();
    RunFrame frame;
    frame.Simulation = true;
    frame.Check = [&in] { return CheckNewLastSubFolder(in); };
    WeighMemory(frame, in);
    frame.Questions = {{"Simulation shows you the complete Rename Folder process \nwithout actually Rename them on the "
                        "hard drive.\n\n",
                        MessageCaption("Simulate Rename Folder  Process.-From a Folder List.", "Information", "60054")}};
    frame.Start = [this] { Vol06ResetCounters(); };
    frame.Counters = CountersOf(Counters);
    frame.ShowLog = ui->chkVol06ShowDetailedResults->isChecked();
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.IncludeEmptyMessage = {kEmptyIncludeText, MessageCaption(kListTopic, "Warning", "60056", kEleven)};
    RefuseOwnFolders(frame, in);
    frame.Work = [this, &in, &log](RunDisk& disk) {
        Vol06NoRecorder recorder;
        ShowRefused(Vol06RenameFolders(Counters, in, disk, recorder, log));
    };
    frame.End = {"End of Simulation !!!\n\nNo actual Folders were Renamed because of Simulation.\n\nThe purpose of "
                 "the Simulation is to show the Complete Folder Renaming process\n without actually Renaming them on "
                 "the hard drive.\n\nIf You want to Rename Folders, Use the Rename Folders button.",
                 MessageCaption(kListTopic, "Information", "60055")};
    RunOnFrame(frame, log, Vol06Hooks());
}

void Vol06Page::btnVol06UndoClick() {
    // A close waits until the undo, end box included, is over; a failure ends it with its box.
    RunGuarded([&] {
        if (Undo.Vol06RenamedPairs.empty() && Undo.Vol06FailedUndoPairs.empty()) {
            plat::MessageBox("No UNDO process !!!\nThere are no renamed Folders !!!\nYou must rename at least on one "
                             "Folder to UNDO it.",
                             MessageCaption(kListTopic, "Warning", "60044"), kWarn);
            return;
        }
        if (plat::MessageBox("Do you want UNDO all Folders renamed last time ?",
                             MessageCaption(kListTopic, "Information", "60045"), kAsk) != plat::IDYES)
            return;
        // Refused, its records stay for a later try.
        if (!CheckUndoFitsMemory(Vol06UndoMemoryNeed(Undo), 0, kListTopic)) return;
        VisualLog log = Vol06VisualLog();
        Vol06ClearResultLists();
        const Vol06UndoReport report = Vol06UndoRenames(Undo, Counters, log);
        log.ShowCounters(Counters.Labels());
        const std::string text = Vol06UndoReportText(report);
        if (!text.empty()) plat::MessageBox(text, MessageCaption(kListTopic, "Information", "0213"), kWarn);
        if (!ShowRunFailures(RunKeeps::Undo))
            plat::MessageBox("End of Undo process !!!", MessageCaption(kListTopic, "Information", "60046"), kInfo);
    }, RunKeeps::Undo);
}

// ---- the other buttons --------------------------------------------------------------------

void Vol06Page::btnVol06StatisticsClick() {
    Vol06ShowCounters();
    if (frmStatistic06) frmStatistic06->ShowLog();
}

void Vol06Page::btnVol06HelpClick() { ShowHelpTopic(HelpTopic::Vol06); }
void Vol06Page::btnVol06ExamplesClick() { ShowExamples(ExampleWindow::Vol06); }

void Vol06Page::btnVol06ClearAllClick() {
    if (plat::MessageBox("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop "
                         "the delete process.",
                         MessageCaption(kTopic, "Information", "60037"), kAsk) != plat::IDYES)
        return;
    ui->lblVol06IncludeSum->setText("0");
    ui->lblVol06ExcludeSum->setText("0");
    ui->lstVol06IncludeFolderList->clear();
    ui->lstVol06ExcludeFolderList->clear();
    SetChecked(ui->rdoVol06RenameAddPrefixesSuffixes, true);
    SetChecked(ui->rdoVol06RenameTheLastSubFolder, false);
    for (QLineEdit* edit : {ui->edtVol06NewPrefix, ui->edtVol06NewSuffix, ui->edtVol06DelimiterPrefixSubFolder,
                            ui->edtVol06DelimiterSubFolderSuffix, ui->edtVol06RenameNewLastSubFolder})
        edit->clear();
    ui->chkVol06ShowDetailedResults->setChecked(true);
    Vol06InitCounters();
    Vol06ClearUndo();
    Vol06ShowCounters();
    Vol06EnablePageControls(false);
    plat::MessageBox("End of the CLEAR FIELDS process !!!\n", MessageCaption(kTopic, "Warning", "60038", kEleven),
                     kWarn);
}
