// The one frame of every page's run and simulation. A page hands in its
// checks, questions and messages as data and its work as one call; the
// frame does the steps every run takes, in this order:
//
//   run buttons off; the page's checks; the program's own folders among
//   those the run works on; the memory the run needs (after the walking
//   count, for a page that counts after the questions); the Yes/No
//   questions; the Visual Log
//   readied (run-mode box, the page's counters and lists, lists emptied,
//   counters shown); the other tab sheets off; the log shown on request,
//   painted with them; the zoom lists emptied; an empty Include list stops
//   here with its message; the work on the real disk, or on the dry disk
//   for a simulation; the counters; the end box; the folder shown on
//   request; the tab sheets back; the page's finish; run buttons back.
//
// A simulation is the same frame handed the dry disk: the engines ask the
// disk whether anything is really done, never a second flag.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/PageMessages.h"
#include "pages/RunLog.h"
#include "pages/RunMemory.h"

// What a run that fails keeps: its failure box says whether what was done
// is kept for the Undo.
enum class RunKeeps { Nothing, Undo };

// What a page hands its runs besides the data: the calls into its window.
struct RunHooks {
    // The run starts (false) or ends (true): the other tab sheets follow.
    std::function<void(bool enabled)> EnableOtherTabSheets;
    // The page's run buttons: off while the run works, back by the page's rule.
    std::function<void(bool enabled)> EnableRunButtons;
    // The structure check's refusal leaves the focus on the add button.
    std::function<void()> FocusAddFolderStructure;
    // Pages with a destination history tidy it at the end.
    std::function<void()> TidyDestinationHistory;
};

struct RunFrame {
    // ---- before the question ----
    // False stops the run; it has shown its own message.
    std::function<bool()> Check;
    // The folders the work opens (as listed) and the program's folders: one
    // that is the program's own (RunFolderRefusal) stops the run after the
    // checks, before the questions and before anything changes, with the
    // box Box gives it. No box: no folder is judged.
    struct OwnFolderCheck {
        StringList Folders;
        std::string ProgramFolder, WorkingDir;
        std::function<PageMessage(const std::string& folder)> Box;
        bool Above = false;  // a folder that holds the program folder too (a rename would move it)
        // A run that renames or removes the listed folders themselves: one
        // that lies directly in the program folder stops the run too, with
        // this box (none: such a folder is not judged here).
        std::function<PageMessage(const std::string& folder)> InProgramBox = nullptr;
    } OwnFolders;
    // Yes/No each, No the default; a No stops the run.
    std::vector<PageMessage> Questions;
    // A page that counts by walking, after the Yes and before anything is
    // cleared or shown: the count the run then takes (none: the checks counted).
    std::function<void()> Count;
    // What the run will hold, from its count: weighed once the count is
    // made (after the checks, or after Count), before anything is cleared;
    // one that does not fit stops the run with its box (MemoryTopic's).
    std::function<RunMemoryNeed()> Memory;
    std::string MemoryTopic;
    // What the refusal tells the user to narrow: what the page has.
    std::string MemoryAction;
    // What the page's lists and records that Start drops hold now: room
    // for the run, beside what the log's lists give back.
    std::function<double()> Room;
    // Start drops every record that shares the log's lines: those lines
    // are room too.
    bool StartDropsRecords = false;

    // ---- the Visual Log ----
    bool Simulation = false;  // the dry disk; the run-mode box unchecked
    // False: a later pass on the log as it stands (no run mode, nothing
    // emptied, no counters shown first).
    bool FreshLog = true;
    // After the Yes: the page readies its counters and lists for the run.
    std::function<void()> Start;
    // The page's counters with their labels.
    std::function<std::vector<CounterLabel>()> Counters;
    bool ShowLog = true;  // "Show Visual Log"

    // ---- the work ----
    // Undo: the run records what it does for the Undo (never a simulation).
    RunKeeps Keeps = RunKeeps::Nothing;
    // An empty Include list: no work, and the message when it has a caption.
    bool IncludeEmpty = false;
    PageMessage IncludeEmptyMessage;
    std::function<void(RunDisk& disk)> Work;

    // ---- the end ----
    PageMessage End;  // no caption: no end box
    bool View = false;  // "Show Explorer": the folder after the end box
    std::string ViewFolder, ViewTopic;
    // After the tab sheets are back.
    std::function<void()> Finish;
    // A pass that follows this one when it went, before the run buttons
    // come back (the checker's second pass).
    const RunFrame* NextPass = nullptr;
};

// The frame's Counters for counters that give their Labels(); they must
// outlive the run.
template <class Counted>
std::function<std::vector<CounterLabel>()> CountersOf(const Counted& counters) {
    return [&counters] {
        const auto labels = counters.Labels();
        return std::vector<CounterLabel>(labels.begin(), labels.end());
    };
}

// The frame's steps; true when the run went (every check passed, every
// question answered Yes). A count that fails in the checks or the start
// (a failure noted there) ends the run before its work.
bool RunOnFrame(const RunFrame& frame, RunLog& log, const RunHooks& hooks);

// Runs a page's undo (or other run outside the frame, as the frame runs
// its work): busy while it lasts; a failure, or one a pooled run noted,
// ends it with the failure box instead of leaving the handler.
void RunGuarded(const std::function<void()>& work, RunKeeps keeps);
// An undo weighed as a run is, from its records, before it changes
// anything: false, after the memory box with the page's topic, when what
// it adds beyond them (`need`) does not fit in what the machine can give
// and `room`, what its start drops; its records then stay for a later try.
bool CheckUndoFitsMemory(const RunMemoryNeed& need, double room, const std::string& topic);
// Says the failures noted since the run began, if any: true when it did.
bool ShowRunFailures(RunKeeps keeps);

// The check every run with a structure list makes: an empty list stops it
// with the page's warning, the focus on the add button.
bool CheckStructuresListed(bool listed, const std::string& caption, const RunHooks& hooks);
