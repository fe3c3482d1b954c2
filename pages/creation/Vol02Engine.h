// The create-from-strings page (page 02) below its windows: what the page
// reads from its controls, what it keeps between runs, and the operations of
// its run, simulation, disk-space check and undo. Plain C++: the page fills a
// Vol02Inputs from its controls and hands over a Vol02Log that writes the
// Visual Log and the zoom window.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/FolderFileUndo.h"
#include "core/Types.h"

// The sixteen counters of the Visual Log, in the order of its count labels
// (to create, created, already exist, other reasons; each row folders,
// subfolders, files, bytes), then the failed-undo counter, which no label shows.
struct Vol02Counters {
    double Stat02FoldersToCreate = 0, Stat02SubFoldersToCreate = 0, Stat02FilesToCreate = 0,
           Stat02FilesSizeToCreate = 0;
    double Stat02FoldersCreated = 0, Stat02SubFoldersCreated = 0, Stat02FilesCreated = 0,
           Stat02FilesSizeCreated = 0;
    double Stat02FoldersExists = 0, Stat02SubFoldersExists = 0, Stat02FilesExists = 0, Stat02FilesSizeExists = 0;
    double Stat02FoldersOther = 0, Stat02SubFoldersOther = 0, Stat02FilesOther = 0, Stat02FilesSizeOther = 0;
    double Vol02FailedUndoCount = 0;

    std::array<double, 16> Values() const;
};
// The count labels of TfrmStatistic02, in the order of Vol02Counters::Values.
extern const std::array<const char*, 16> kVol02CounterLabels;

// The result categories of the Visual Log, in the window's order.
enum Vol02Category : int {
    Vol02FoldersCreated,
    Vol02SubFoldersCreated,
    Vol02FilesCreated,
    Vol02FoldersExists,
    Vol02FoldersOther,
    Vol02FoldersFailedUndo,
};

// Where a run's outcomes go: the Visual Log frmStatistic02 and the zoom
// window frmVol02ZoomStatistics.
class Vol02Log {
public:
    virtual ~Vol02Log() = default;
    // One line into the category's list of the Visual Log and of the zoom window.
    virtual void AddLine(Vol02Category category, const std::string& line) = 0;
    // The counters changed; they may reach the screen a little later.
    virtual void CountersChanged(const Vol02Counters& counters) = 0;
    // Every count label and pending line on the screen now.
    virtual void ShowCounters(const Vol02Counters& counters) = 0;
    virtual void ClearLogLists() = 0;
    virtual void ClearZoomLists() = 0;
    // Real run: the run-mode box checked; simulation: unchecked.
    virtual void SetRunMode(bool realRun) = 0;
    virtual void ShowLog() = 0;
};

// The page's controls as a run reads them.
struct Vol02Inputs {
    std::string DestFolder;  // text of cboVol02DestFolders
    std::string Prefix;      // edtVol02Prefix, as typed
    std::string Suffix;      // edtVol02Suffix, as typed
    bool Hyphen = false;
    StringList IncludeStrings;    // lstVol02IncludeStrings, in list order
    StringList FolderStructures;  // lstVol02AddFolderStructure, in list order

    bool AttachNothing = false;  // rdoVol02AttachNothing checked
    bool FullPaths = false;      // rdoVol02StructureImportFullPaths enabled and checked
    bool RelativePaths = false;  // rdoVol02StructureImportRelativePaths enabled and checked
    bool MainFolderWithFiles = false;
    bool MainFolderWithoutFiles = false;
    bool SubFoldersOnlyWithFiles = false;
    bool SubFoldersOnlyWithoutFiles = false;
    bool ViewDetailedResults = true;  // "Show Visual Log"
    bool ViewDestFolder = true;       // "Show Explorer"

    bool WithFiles() const { return MainFolderWithFiles || SubFoldersOnlyWithFiles; }
    bool MainFolderMode() const { return MainFolderWithFiles || MainFolderWithoutFiles; }
    bool SubFoldersOnlyMode() const { return SubFoldersOnlyWithFiles || SubFoldersOnlyWithoutFiles; }
};

// What the page keeps between runs.
struct Vol02State {
    // Every file of every listed structure with its size, kept by the disk-space check.
    MAP_FILE_NAME_SIZE Vol02StructureFileSizes;
    // The trimmed destination of the last run with a trailing backslash.
    std::string Vol02LastDestination;
    // Totals over all listed structures.
    std::uint64_t Vol02StructureBytes = 0;
    std::uint32_t Vol02StructureFolders = 0;
    std::uint32_t Vol02StructureFiles = 0;

    Vol02Counters Counters;

    // Last-run lists: what the last real run made, for the Undo, each
    // folder and file with its identity and the folder the run worked
    // beneath (Vol02LastBases).
    VEC_UNDO_BASES Vol02LastBases;
    DEQ_CREATED_FOLDERS Vol02LastCreatedFolders;     // main folders
    DEQ_CREATED_FOLDERS Vol02LastCreatedSubFolders;  // structure folders and template folders
    DEQ_CREATED_FILES Vol02LastCreatedFiles;
    // The missing parents the run made on the way to a recorded folder.
    DEQ_CREATED_FOLDERS Vol02LastCreatedParents;
    StringList Vol02LastExistingFolders;
    StringList Vol02LastOtherFolders;
    // Folders and files the last Undo could not remove; the next Undo retries them.
    DEQ_CREATED_FOLDERS Vol02FailedUndoFolders;
    DEQ_CREATED_FILES Vol02FailedUndoFiles;
    // "F" existing structures, "R" template lines, "N" nothing attached.
    std::string UndoMode02;
};

// ---- name parts, counters and lists ---------------------------------------------

// [0] trimmed destination with a trailing backslash, the prefix as typed
// and its separator; [2] the suffix separator; [3] the suffix as typed. A
// separator is "-" when Hyphen is set and the trimmed text is not empty.
_tagVol0XParts Vol02GetNameParts(const Vol02Inputs& in);

// The four to-create counters, then the run counters.
void Vol02ResetCounters(Vol02State& state);
// The created, already-exist and other-reasons counters and the failed-undo counter.
void Vol02ResetRunCounters(Vol02State& state);
// Every last-run list but the undo work list (Vol02FailedUndoFiles).
void Vol02ClearRunLists(Vol02State& state);

// ---- disk space ----------------------------------------------------------------------

// Measures every listed structure (and `extra`, when not empty) into the
// structure totals and the size map; files and bytes only with files.
void Vol02ComputeStructureTotals(Vol02State& state, const Vol02Inputs& in, bool withFiles,
                                 const std::string& extra = std::string());
// True when the run may go on; sets the to-create counters. Shows 20059
// when the destination's drive is short of space.
bool Vol02CheckDiskSpace(Vol02State& state, const Vol02Inputs& in, bool withFiles);

// ---- run, simulation, undo ---------------------------------------------------------

// What the run needs of the page around its work.
struct Vol02PageHooks {
    std::function<void(bool enabled)> EnableOtherTabSheets;
    std::function<void()> FocusAddFolderStructure;
    // The run tidies the destination history at its end.
    std::function<void()> TidyDestinationHistory;
};

// CREATE, between disabling and enabling the two run buttons.
void Vol02RunCreateFolders(Vol02State& state, const Vol02Inputs& in, Vol02Log& log, const Vol02PageHooks& hooks);
// Simulation, likewise: the same outcomes as the run, nothing on disk or in
// the undo data changed. The texts are the main window's confirmation and
// end texts of the creation simulations.
void Vol02SimulateCreateFolders(Vol02State& state, const Vol02Inputs& in, Vol02Log& log, const Vol02PageHooks& hooks,
                                const std::string& startText, const std::string& endText);
// Undo of the last run.
void Vol02UndoLastRun(Vol02State& state, Vol02Log& log);
