// COPY and its simulation on page 08, both the one frame (the simulation
// on the dry disk), the undo of the last run, and the Visual Log.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "pages/VisualLog.h"
#include "pages/folders/Vol08Page.h"
#include "platform/MessageBox.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmVol08ZoomStatistics.h"
#include "ui_Vol08Page.h"

using namespace pagekit;

static_assert(int(Vol08CatFoldersCopied) == TfrmStatistic08::FoldersCopied &&
              int(Vol08CatSubFoldersCopied) == TfrmStatistic08::SubFoldersCopied &&
              int(Vol08CatFilesCopied) == TfrmStatistic08::FilesCopied &&
              int(Vol08CatFoldersNotExists) == TfrmStatistic08::FoldersNotExists &&
              int(Vol08CatSubFoldersExists) == TfrmStatistic08::SubFoldersExists &&
              int(Vol08CatFilesExists) == TfrmStatistic08::FilesExists &&
              int(Vol08CatSubFoldersOtherReasons) == TfrmStatistic08::SubFoldersOtherReasons &&
              int(Vol08CatSubFoldersFailedUndo) == TfrmStatistic08::SubFoldersFailedUndo);

namespace {

constexpr const char* kSimulationTopic = "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.";
const char* const kEleven = "           ";
const std::string kEmptyIncludeText =
    "The Include list is empty !!!\nYou must enter at least one Folder to copy folders.";

// The window sets its top label by the run mode itself.
VisualLog Vol08VisualLog() {
    return VisualLog([]() -> VisualLogWindow* { return frmStatistic08; },
                     []() -> ZoomStatisticsWindow* { return frmVol08ZoomStatistics; });
}

// What a run holds for the count the checks made: a line for each folder
// and file copied, below its destination; a real run records each.
void WeighMemory(RunFrame& frame, const Vol08State& state, const Vol08Inputs& in, bool simulation, const char* topic) {
    frame.Memory = [&state, &in, simulation] { return Vol08Copier::MemoryNeed(state, in, simulation); };
    frame.MemoryTopic = topic;
    frame.MemoryAction = "Narrow the lists or the structure.";
}

}  // namespace

void Vol08Page::Vol08ClearStatisticLists() { Vol08VisualLog().ClearLogLists(); }

void Vol08Page::Vol08UpdateResultLabels() { Vol08VisualLog().ShowCounters(Counters.Labels()); }

RunHooks Vol08Page::Vol08Hooks() {
    RunHooks hooks = PageRunHooks(this, Shared);
    hooks.EnableRunButtons = RunButtonsHook({ui->btnVol08CopyFolders, ui->btnVol08CopyFoldersSimulation},
                                            [this] { Vol08EnableRunButtons(true); });
    hooks.FocusAddFolderStructure = [this] { ui->btnVol08AddFolderStructure->setFocus(); };
    return hooks;
}

// Before the question: with files, the totals and the room on every
// destination drive (they also give each file's size to the run); then a
// structure must be listed.
void Vol08Page::btnVol08CopyFoldersClick() {
    const Vol08Inputs in = Vol08ReadInputs();
    const RunHooks hooks = Vol08Hooks();
    VisualLog log = Vol08VisualLog();
    RunFrame frame;
    frame.Keeps = RunKeeps::Undo;
    frame.Check = [this, &in, &hooks] {
        // Counted now, as the disk is: what the run reports adds up to it.
        if (!Vol08ComputeTotalsAndCheckSpace(in.WithFiles()) && in.WithFiles()) return false;
        return CheckStructuresListed(!in.FolderStructures.empty(), MessageCaption(kVol08Topic, "Warning", 80047),
                                     hooks);
    };
    frame.Questions = {
        {in.WithFiles() ? "Do you want to copy folders with files?\n\n\n\nNote: If the <Select Files> button is "
                          "active, only the Selected Files will be used.\n\n"
                        : "Do you want to copy folders ?\n\nNote: Folders will be Copied without Files.\n\n",
         MessageCaption("Copy Folder Structure(s).-From a Folder List.", "Information", 80048)}};
    // The last run's undo data goes only once this run is confirmed.
    WeighMemory(frame, *this, in, false, kVol08Topic);
    frame.Room = [this] { return Vol08LastRunBytes(*this); };
    frame.Start = [this] { Vol08StartRun(*this, true); };
    frame.Counters = CountersOf(Counters);
    frame.ShowLog = in.ViewDetailedResults;
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.IncludeEmptyMessage = {kEmptyIncludeText, MessageCaption(kVol08Topic, "Warning", 80053, kEleven)};
    frame.Work = [this, &in, &log](RunDisk& disk) { Vol08CopyFolders(*this, in, disk, log, Vol08RunMessages()); };
    frame.End = {"End of the Copy process !!!", MessageCaption(kVol08Topic, "Information", 80052)};
    RunOnFrame(frame, log, hooks);
}

void Vol08Page::btnVol08CopyFoldersSimulationClick() { Vol08SimulateCopyFolders(); }

// The run's work on the dry disk: the same lines and counts, nothing made
// and the last run's undo data left as it is.
void Vol08Page::Vol08SimulateCopyFolders() {
    const Vol08Inputs in = Vol08ReadInputs();
    const RunHooks hooks = Vol08Hooks();
    VisualLog log = Vol08VisualLog();
    RunFrame frame;
    frame.Simulation = true;
    frame.Check = [this, &in, &hooks] {
        if (!Vol08ComputeTotalsAndCheckSpace(in.WithFiles()) && in.WithFiles()) return false;
        return CheckStructuresListed(!in.FolderStructures.empty(),
                                     MessageCaption(kSimulationTopic, "Warning", 80071), hooks);
    };
    frame.Questions = {
        {Shared.CopyFoldersSimulationStartText + (in.WithFiles() ? "" : "Note: Folders will be Copied without Files.\n\n"),
         MessageCaption("Simulate Copy Folder Structure(s) Process.-From a Folder List.", "Information", 80072)}};
    WeighMemory(frame, *this, in, true, kSimulationTopic);
    frame.Start = [this] { Vol08StartRun(*this, false); };
    frame.Counters = CountersOf(Counters);
    frame.ShowLog = in.ViewDetailedResults;
    frame.IncludeEmpty = in.IncludeFolders.empty();
    frame.IncludeEmptyMessage = {kEmptyIncludeText, MessageCaption(kSimulationTopic, "Warning", 80076, kEleven)};
    frame.Work = [this, &in, &log](RunDisk& disk) {
        Vol08CopyFolders(*this, in, disk, log, Vol08SimulationMessages());
    };
    frame.End = {Shared.CopyFoldersSimulationEndText, MessageCaption(kSimulationTopic, "Information", 80075)};
    RunOnFrame(frame, log, hooks);
}

void Vol08Page::btnVol08UndoClick() {
    VisualLog log = Vol08VisualLog();
    Vol08UndoLastRun(*this, log);
}

void Vol08Page::btnVol08StatisticsClick() {
    Vol08UpdateResultLabels();
    if (frmStatistic08) frmStatistic08->ShowLog();
}
