// The consistency checker (page 15) below its windows: what the page reads
// from its controls, what it keeps between runs, and the check itself.
// Plain C++: the page fills a Vol15Inputs from its controls and hands over
// the RunLog that writes the Visual Log and the zoom window.
//
// How a check compares:
//  - Every model (an existing folder, or the template lines) is read once
//    into memory; each project folder is then walked once, beneath the
//    project folder held open, and its listings are compared with the model
//    in memory. Links and mount points inside a project are never entered:
//    a link (as a pipe or device) is an entry of its own, in a model as in
//    a project, compared as a file of its kind: it matches a link of its
//    name, never a file or folder of that name.
//  - Names are compared as the file system compares them, letter case
//    included: a project that holds "docs" where the model holds "Docs"
//    lacks "Docs" and has "docs" in addition; so do the page's lines (the
//    Include list's repeats), but for the drive letter. "Same as the
//    source" keeps ignoring letter case: it only ever refuses.
//  - Several models are one model: an entry of a project is extra only when
//    no model holds it, and an entry that several models hold is missing
//    once.
//  - With files, only files that the File Selection masks take are looked
//    at, in the models and in the projects alike.
//  - A folder that cannot be read (a model's or a project's) is reported as
//    not checked, never as missing or as holding nothing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/RunPool.h"
#include "core/Types.h"
#include "pages/RunFrame.h"
#include "pages/RunLog.h"

// The page's controls as a run reads them.
struct Vol15Inputs {
    StringList IncludeFolders;    // lstVol15IncludeFolderList, in list order
    StringList FolderStructures;  // lstVol15AddFolderStructure, in list order
    bool FullPaths = false;       // existing folders: enabled and checked
    bool RelativePaths = false;   // template lines: enabled and checked
    bool MainFolderWithoutFiles = false;
    bool SubFoldersOnlyWithoutFiles = false;
    bool MainFolderWithFiles = false;
    bool SubFoldersOnlyWithFiles = false;
    bool ShowDetailedResults = true;  // "Show Visual Log"

    bool WithFiles() const { return MainFolderWithFiles || SubFoldersOnlyWithFiles; }
    bool SubFoldersOnly() const { return SubFoldersOnlyWithFiles || SubFoldersOnlyWithoutFiles; }
};

// The eleven counters of the Visual Log, in the order of its labels.
struct Vol15Counters {
    double Stat15FoldersToCheck = 0, Stat15SubFoldersToCheck = 0, Stat15FilesToCheck = 0;
    double Stat15FoldersMissing = 0, Stat15SubFoldersMissing = 0, Stat15FilesMissing = 0;
    double Stat15FoldersExtra = 0, Stat15SubFoldersExtra = 0, Stat15FilesExtra = 0;
    double Stat15FoldersNotExists = 0, Stat15SubFoldersOtherReasons = 0;

    std::array<double, 11> Values() const;
    // The values with the labels of the Visual Log.
    std::array<CounterLabel, 11> Labels() const;
};

// The outcome lists of the Visual Log, in the window's order.
enum Vol15Category : int {
    Vol15FoldersMissing,
    Vol15SubFoldersMissing,
    Vol15FilesMissing,
    Vol15FoldersNotExists,
    Vol15FoldersExtra,
    Vol15SubFoldersExtra,
    Vol15FilesExtra,
    Vol15SubFoldersOtherReasons,
};

// What the page keeps between runs.
struct Vol15State {
    Vol15Counters Counters;
    std::uint8_t CheckerPassFlag = 0;  // 1 while missing items are looked for, 2 for extra ones
    std::string EngineCurrentFolder15;  // the project folder being checked
    // The models' totals for one project: folders and files to compare.
    std::uint32_t Vol15StructureFolders = 0;
    std::uint32_t Vol15StructureFiles = 0;
    // Every line the last run listed as not checked.
    StringList OtherReasonsList;
};

// The to-check counters, then the result counters.
void Vol15ResetCounters(Vol15State& state);
void Vol15ResetResultCounters(Vol15State& state);

// The project folders of a run: the Include list's lines as every run reads
// them (FoldersAsRead), sorted, each a valid full path, and each once
// (SameFolderLine, as the Include list holds them).
StringList Vol15Destinations(const StringList& includeFolders);

// The to-check counters for the page as it stands: the project folders of
// a run, and per project the model's folders and, with `countFiles`, files.
void Vol15CountItemsToCheck(Vol15State& state, const Vol15Inputs& in, bool countFiles);

// The check of the projects against the models, on the RunLog. Built
// once per run; the bench drives its steps one by one.
class Vol15Checker {
public:
    Vol15Checker(const Vol15Inputs& in, Vol15State& state, RunLog& log);
    ~Vol15Checker();
    Vol15Checker(const Vol15Checker&) = delete;
    Vol15Checker& operator=(const Vol15Checker&) = delete;

    // The project folders of the run (Vol15Destinations of the Include list).
    const StringList& Destinations() const;
    // Reads every model once, each model folder an item of the run pool.
    // With `report`, what could not be read goes to the Visual Log as not
    // checked. False when the reading failed (noted for the failure box).
    bool ReadModels(bool report);
    // Per project: the model's folders and files to compare (after ReadModels).
    std::uint32_t ModelFolders() const;
    std::uint32_t ModelFiles() const;

    // Every project folder of the run compared with the models, on the run
    // pool (as many workers as the first project's file system pays for
    // reading): one item per project, reading it only. Each project's
    // missing entries reach the Visual Log in the projects' order; its
    // extra entries are kept for WriteExtra.
    RunPoolResult CheckProjects();
    // The extra entries of every project checked, in the order checked.
    void WriteExtra();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "Check Projects Consistency" on the run frame: the MISSING pass, and
// after it, when it was confirmed, the EXTRA pass. The checker only reads:
// the frame's disk is not asked.
void Vol15CheckProjectsConsistency(Vol15State& state, const Vol15Inputs& in, RunLog& log, const RunHooks& hooks);

// The topics of the page's message captions.
inline constexpr const char* kVol15Topic = "Checking Projects Consistency.";
inline constexpr const char* kVol15CheckTopic = "Checking Projects Consistency..";
