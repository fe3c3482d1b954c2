// The copy-files page (page 10) below its windows: what the page reads
// from its controls, what it keeps between runs, and its pre-count, run,
// simulation and undo. Plain C++: the page fills a Vol10Inputs from its
// controls and hands over the RunLog of its Visual Log.
//
// The run and the simulation are one copier handed the real or the dry
// disk. An overwrite first saves the old file into the working folder
// (one working copy per target path and run, under a name nothing else
// has); the target is replaced only when that copy succeeded. Undo puts the
// newest overwrites back first, each through a copy renamed over the
// target, and deletes the run's plain copies, leaving anything that was
// changed since.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/FolderStructSize.h"
#include "core/Types.h"
#include "pages/RunFrame.h"
#include "pages/files/FileRuns.h"

// The Visual Log's lists, in the order of TfrmStatistic10::Category.
enum Vol10Category : int {
    Vol10CatFilesCopied,
    Vol10CatFilesExist,
    Vol10CatFilesOtherReasons,
    Vol10CatFoldersNotExists,
    Vol10CatFilesOverWrited,
    Vol10CatFilesSkipped,
    Vol10CatFilesIncreasedFileNames,
    Vol10CatFilesFailedUndo,
    Vol10CatFoldersCopied,
    Vol10CatSubFoldersCopied,
};

struct Vol10Counters {
    double FoldersToCopy = 0, SubFoldersToCopy = 0, FilesToCopy = 0, FileSizeToCopy = 0;
    double FoldersCopied = 0, SubFoldersCopied = 0, FilesCopied = 0, FileSizeCopied = 0;
    double FoldersNotExists = 0, SubFoldersExists = 0, FilesExists = 0, FileSizeExists = 0;
    double FilesOtherReasons = 0, FilesSkipped = 0, FilesOverWrited = 0, FilesIncreasedFileNames = 0;
    double FilesFailedUndo = 0, FoldersFailedUndo = 0;  // shown by no label

    std::array<CounterLabel, 16> Labels() const;
};

// The page's controls as a run reads them.
struct Vol10Inputs {
    StringList IncludeFolders;  // lstVol10IncludeFolderList, in list order
    StringList Sources;         // lstVol10AddFolderStructure, in list order
    bool AttachMainFolderWithSubFolders = true;
    bool AttachSubFoldersOnly = false;
    bool CopyToMainFolders = true;
    bool CopyToMainFoldersExtensions = false;
    bool DuplicatedFilesSkip = true;
    bool DuplicatedFilesOverWrite = false;
    bool DuplicatedFilesIncreaseFileNames = false;
    bool ShowDetailedResults = true;
    StringList Masks;                 // GetFileSelNameMasks
    std::string WorkingDir;           // never walked into
    std::string WorkingDirCopyFiles;  // where this copy's working copies go
    std::string ProgramFolder;
};

// What the page keeps between runs.
struct Vol10State {
    // The pre-count: every source file the masks take, with its size (the
    // run's own count only: the run reads it, and it goes when the run ends); what
    // each destination gets of all sources (a file in two listed sources
    // twice), and of each source, in the list's order (a destination that
    // is not there, or a source refused for one, is that share not copied).
    MAP_FILE_NAME_SIZE Vol10SourceFileSizes;
    std::uint32_t Vol10SourceSubFolders = 0;
    std::uint32_t Vol10SourceFiles = 0;
    std::uint64_t Vol10SourceBytes = 0;
    std::vector<double> Vol10SourceShares;
    // The last count stopped (box 0459): it would not have fitted in memory.
    bool Vol10CountRefused = false;
    // What the run's lines spend on the paths they name: each folder and
    // file by its source path and by its target in every destination.
    double Vol10LineBytes = 0;

    Vol10Counters Counters;

    // Result lists of the last run or simulation.
    StringList Vol10FoldersCopied, Vol10FoldersNotExist, Vol10FilesExist, Vol10FilesOtherReasons;

    // Undo data of real runs. Every record names its folder in the bases.
    VEC_UNDO_BASES Vol10UndoBases;
    DEQ_CREATED_FILES Vol10FilesCopied;         // the last run's copies onto free names
    DEQ_CREATED_FOLDERS Vol10SubFoldersCopied;  // the type folders the last run made
    DEQ_WORKING_COPIES Vol10OverwriteRecords;   // every run's overwrites, oldest first
    DEQ_CREATED_FILES Vol10FilesNotDeleted;     // copies an Undo could not delete
    DEQ_CREATED_FOLDERS Vol10FoldersNotRemoved; // folders an Undo could not remove
    WorkingCopies Vol10WorkingNames;
};

// The texts around the two paths of a file's line (its export line puts a
// comma between them): copied, skipped, overwritten, copied onto an
// increased name.
namespace vol10line {
inline constexpr std::string_view kCopyHead = "Copy  Source: ", kCopyMid = " To Dest: ";
inline constexpr std::string_view kSkipHead = "Dropped Source: ", kSkipMid = " (Dest: ", kSkipTail = ")";
inline constexpr std::string_view kOverHead = "Overwrite: ", kOverMid = " With: ";
inline constexpr std::string_view kIncreaseHead = "Increased File Names : ", kIncreaseMid = " To : ";
}  // namespace vol10line

// Which source files a run copies, as its count and its walk both ask:
// those the masks take, the source's own files only with "Main Folders and
// their Subfolders.", none when no attach mode or no route is chosen.
FileSelection Vol10Selection(const Vol10Inputs& in);

// The counters, the four to-copy totals included.
void Vol10ResetCounters(Vol10State& state);
// The counters of a run (all but the four to-copy totals).
void Vol10ResetRunCounters(Vol10State& state);
// The result lists and the last run's copies and type folders (not the
// overwrite records and not the folders an Undo left).
void Vol10ClearRunLists(Vol10State& state);

// Pre-count and free-space test; false stops a run (an empty Include list
// without a message, a shortage with 100053, a count that would not fit in
// memory with 0459 and Vol10CountRefused). `keepSizes`: the run's own
// count, which keeps each file's size for the run; a page's count keeps
// only the totals.
bool Vol10PrepareTotals(Vol10State& state, const Vol10Inputs& in, bool countFiles, bool keepSizes = false);
// What a run or simulation adds to the memory, from the pre-count, by the
// duplicate mode.
RunMemoryNeed Vol10MemoryNeed(const Vol10State& state, const Vol10Inputs& in, bool simulation);

// Copy Files and Simulation: one frame, the real or the dry disk.
void Vol10RunCopyFiles(Vol10State& state, const Vol10Inputs& in, RunLog& log, const RunHooks& hooks);
void Vol10SimulateCopyFiles(Vol10State& state, const Vol10Inputs& in, RunLog& log, const RunHooks& hooks);
// Undo of the copy runs.
void Vol10UndoLastRun(Vol10State& state, RunLog& log);

inline constexpr const char* kVol10Topic = "Copy Multiple Files.-From a Folder List - Level.";
inline constexpr const char* kVol10ListTopic = "Copy Multiple Files.-From a Folder List.";
inline constexpr const char* kVol10SimTopic = "Simulate the Copy Multiple Files Process.-From a Folder List - Level.";
