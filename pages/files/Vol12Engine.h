// The rename-files page (page 12) below its windows: the new-name rules,
// the per-folder worker and the walkers (SmartRenameOne, SmartRename and
// their simulation twins), the conflict rules, the run, the simulation and
// the undo.
//
// A folder's files are read once before any of them is renamed, so a file
// is never renamed twice by one pass; a file whose new name is its old one
// is left alone. A move never replaces anything. The overwrite rule saves
// the existing file into the working folder (one working copy per target
// path and run) and only then makes room for the move; when the move still
// fails, the file is put back. Undo replays the run newest first: each file
// goes back only when it is the very file the run renamed and nothing
// stands at its old name, and each replaced file comes back from its copy.
// The simulation is the run on the dry disk.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>

#include "core/RenameUndo.h"
#include "core/Types.h"
#include "pages/RunFrame.h"
#include "pages/files/FileRuns.h"

// The Visual Log's lists, in the order of TfrmStatistic12::Category.
enum Vol12Category : int {
    Vol12CatFilesRenamed,
    Vol12CatFilesSkipped,
    Vol12CatFilesOverWrited,
    Vol12CatFilesIncreasedFileNames,
    Vol12CatFilesIncreasedTypes,
    Vol12CatFilesSourceNotExist,
    Vol12CatFilesOtherReasons,
    Vol12CatFoldersNotExist,
    Vol12CatFilesFailedUndo,
};

struct Vol12Inputs {
    StringList IncludeFolders;  // lstVol12IncludeFolderList, in list order
    bool AddPrefixesSuffixes = true;  // enabled and checked
    bool ChangeFileType = false;      // enabled and checked
    std::string NewPrefix, DelimiterPrefix, DelimiterSuffix, NewSuffix;  // as typed
    std::string OldFileType, NewFileType;                               // as typed
    bool InMainFolders = true, InMainFoldersAndSubFolders = false, InSubFolders = false;
    bool DuplicatedFilesDrop = true, DuplicatedFilesOverWrite = false, DuplicatedFilesIncreaseFileNames = false,
         DuplicatedFilesIncreaseFileTypes = false;
    bool ShowDetailedResults = true;
    std::string WorkingDir;        // the working folder: never walked into
    // Where this copy keeps its working copies (the working folder itself,
    // or its own folder in it), emptied of files before every run; none:
    // no file is replaced.
    std::string WorkingCopiesDir;
    std::string ProgramFolder;
};

// One step of a run, for the Undo: a rename, or a file the run replaced
// (saved in a working copy first).
struct _tagRenameStep {
    bool Replaced = false;
    _tagRenameRecord Move;  // a rename
    _tagWorkingCopy Saved;  // a replaced file
};
using DEQ_RENAME_STEPS = std::deque<_tagRenameStep>;

struct Vol12Counters {
    double FoldersNotExist = 0, FilesRenamed = 0, FilesSourceNotExist = 0, FilesOtherReasons = 0, FilesDropped = 0,
           FilesOverWrited = 0, FilesIncreasedNames = 0, FilesIncreasedTypes = 0;

    std::array<CounterLabel, 8> Labels() const;
};

// The page's counters with its result lists and undo data beside them.
struct Vol12State : Vol12Counters {
    StringList Vol12FoldersNotExist, Vol12FilesSkipped, Vol12FilesNotRenamed;
    DEQ_REPLACE_FOLDER_STRUCT Vol12OverwrittenPairs, Vol12IncreasedNamePairs;
    // Undo data of the last real run, in the order the run made it.
    VEC_UNDO_BASES Vol12UndoBases;
    DEQ_RENAME_STEPS Vol12UndoSteps;
    DEQ_RENAME_STEPS Vol12FailedUndoSteps;
    WorkingCopies Vol12WorkingNames;
};

void Vol12ResetCounters(Vol12State& state);
// The result lists and the undo data of the last run (not the failed-undo list).
void Vol12ClearResultLists(Vol12State& state);

// Prefix + delimiter, base name, delimiter, suffix, extension: their
// concatenation is the new path of `path`.
std::array<std::string, 5> Vol12BuildPrefixSuffixName(const Vol12Inputs& in, const std::string& path);
// The new path under the page's method; "" when the file is no candidate.
std::string Vol12NewPath(const Vol12Inputs& in, const std::string& path);
// The same for a name alone, whatever it holds (a name no path can say
// may hold a backslash or a colon).
std::string Vol12NewName(const Vol12Inputs& in, const std::string& name);
// The parts a new name is built from, checked: no character a file name
// may not hold, no "." or ".." part, and no "." in a file type. `found`
// gets the characters or parts refused.
bool Vol12CheckNameParts(const Vol12Inputs& in, std::string& found);

class Vol12Renamer;

// The walkers. Mode 2: every folder with the root; 3: every folder below it.
class SmartRenameOne {
public:
    SmartRenameOne(const std::string& folder, Vol12Renamer& worker) : folder_(folder), worker_(worker) {}
    void Execute();

private:
    std::string folder_;
    Vol12Renamer& worker_;
};

class SmartRename {
public:
    SmartRename(const std::string& root, Vol12Renamer& worker) : root_(root), worker_(worker) {}
    void SetMode(int mode) { mode_ = mode; }
    void Execute();

private:
    std::string root_;
    Vol12Renamer& worker_;
    int mode_ = 2;
    AS_MULTIMAP_NIVO_FOLDER_NAMES queue_;
};

// The simulation's walkers are the same walks on the dry disk.
using SmartRenameSimulOne = SmartRenameOne;
using SmartRenameSimul = SmartRename;

// Rename Files and Simulation: one frame, the real or the dry disk.
void Vol12RunRenameFiles(Vol12State& state, const Vol12Inputs& in, RunLog& log, const RunHooks& hooks);
void Vol12SimulateRenameFiles(Vol12State& state, const Vol12Inputs& in, RunLog& log, const RunHooks& hooks);
void Vol12UndoLastRun(Vol12State& state, RunLog& log);

inline constexpr const char* kVol12Topic = "Rename Multiple Files.-From a Folder List.";
inline constexpr const char* kVol12RunTopic = "Rename Multiple Files. - From a Folder List.";
