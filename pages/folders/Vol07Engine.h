// The delete-folders page (page 07) below its windows: SmartDelete, which
// empties one main folder's tree (and with mode 3 removes the main folder
// too), the run over the Include list's main folders, and the pre-count.
// A simulation is the same run on the dry disk (SmartDeleteSimul is
// SmartDelete handed it), so its lines and counters are the run's.
//
// Every entry is judged by what its held parent folder says it is: a
// folder is walked, anything else (a file, a link, a FIFO) is removed as
// the entry it is; a link is never followed, also one that takes a
// folder's place during the run, and a folder on another file system is
// not entered. Files go whatever the file-selection masks hold, by the
// delete pages' removal rules: a file's mode is never touched (a hard link
// elsewhere keeps it), the read-only option decides whether read-only
// files go, and with it a folder that must be emptied gets its owner write
// bit, and its old mode back when it stays. A main folder that is the root of a
// drive or file system, the program folder, the working folder or a folder
// in it stops the run; the program and working folders are never entered
// below one.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/RemovalRules.h"
#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/RunLog.h"
#include "pages/RunMemory.h"
#include "pages/WalkFence.h"
#include "pages/folders/FolderRuns.h"

// The Visual Log's lists, in the order of TfrmStatistics07::Category.
enum Vol07Category : int {
    Vol07CatFoldersDeleted,
    Vol07CatFoldersOtherReasons,
    Vol07CatMainFoldersNotExist,
    Vol07CatFilesDeleted,
    Vol07CatFilesOtherReasons,
    Vol07CatFoldersNotExists,
    Vol07CatFilesNotExists,
};

// The page's counters, in the order of kVol07CounterLabels.
struct Vol07Counters {
    double FoldersToDelete = 0, FilesToDelete = 0;
    double FoldersDeleted = 0, FoldersNotExists = 0, FoldersOtherReasons = 0;
    double FilesDeleted = 0, FilesNotExists = 0, FilesOtherReasons = 0;
    double MainFoldersNotExist = 0;

    std::array<double, 9> Values() const {
        return {FoldersToDelete, FilesToDelete,  FoldersDeleted,    FoldersNotExists,   FoldersOtherReasons,
                FilesDeleted,    FilesNotExists, FilesOtherReasons, MainFoldersNotExist};
    }
    // The values under the labels of the Visual Log.
    std::array<CounterLabel, 9> Labels() const;
};
inline constexpr std::array<const char*, 9> kVol07CounterLabels = {
    "lblStat07FoldersToDelete", "lblStat07FilesToDelete",     "lblStat07FoldersDeleted",
    "lblStat07FoldersNotExists", "lblStat07FoldersOtherReasons", "lblStat07FilesDeleted",
    "lblStat07FilesNotExists",  "lblStat07FilesOtherReasons", "lblStat07MainFoldersNotExist"};

// The six result counters to 0 (not the main folders that did not exist).
void Vol07ResetCounters(Vol07Counters& counters);

// What one SmartDelete works with: the run's disk, fence and option, and
// the item's own lines and counters (on the run pool each main folder
// counts from 0 into its outcome) and its worker's parent folders.
struct DeleteFoldersContext {
    RunDisk& Disk;
    RunLog& Log;
    Vol07Counters& Counters;
    bool ReadOnlyFolders = false;  // chkVol07ReadOnlyFolders: read-only files and folders too
    const WalkFence& Fence;        // folders never entered
    ParentBases& Parents;          // the main folders' parents, for removing a main folder
};

class SmartDelete {
public:
    // The walk works beneath `base`, the main folder `root` held open.
    SmartDelete(const std::string& root, plat::Beneath& base, DeleteFoldersContext& context);
    // The same for another main folder: the engine keeps the room of its
    // queue and listing from the one before.
    void Restart(const std::string& root, plat::Beneath& base, DeleteFoldersContext& context);
    // 1: every folder below the root goes; 3: the root too; any other: no folder.
    void SetMode(unsigned mode) { mode_ = mode; }
    void Run();

    // The folder to list next: the lowest level first, then the earliest found.
    PAIR_NIVO_FOLDER_NAMES TakeQueueEntry();
    // Lists one folder: deletes its other entries, queues its folders.
    void ExamineLevel();
    // Removes the collected folders, the deepest first.
    void DeleteCollected();

private:
    void Count(double& counter, int category, const std::string& line);
    void Count(double& counter, int category, double& second, int secondCategory, const std::string& line);
    // The folder beneath which the removal of `path` works: the root's
    // own entry lies beneath its parent.
    plat::Beneath* BaseOf(const std::string& path);
    // With the read-only option: a folder of the tree without its owner
    // write bit gets it, once, when something in it would not go; true
    // when it is writable now.
    bool MakeWritable(const std::string& folder);
    // The folders that got the bit and stay get their old mode back.
    void RestoreModes();

    std::string rootFolder_;
    plat::Beneath* base_;
    DeleteFoldersContext* ctx_;
    unsigned mode_ = 1;
    // The walk's queue is filled level by level (a child lies one level
    // below its folder), so first in, first out is the level order.
    std::deque<PAIR_NIVO_FOLDER_NAMES> workQueue_;
    // In the order the walk took them: by level, then as found.
    std::vector<std::string> collectedFolders_;
    std::vector<std::unique_ptr<FolderToEmpty>> emptied_;
    std::unordered_set<std::string> triedWritable_;
    std::vector<plat::DirEntry> entries_, unsayable_;
};

// The simulation's engine is the same walk on the dry disk.
using SmartDeleteSimul = SmartDelete;

struct Vol07Inputs {
    StringList IncludeFolders;           // lstVol07IncludeFolderList, in list order
    bool DeleteSubFolders = true;        // rdoVol07DeleteSubFolders checked: mode 1
    bool DeleteCompleteFolders = false;  // rdoVol07DeleteCompleteFolders checked: mode 3
    bool ReadOnlyFolders = true;         // chkVol07ReadOnlyFolders (checked in the page's layout)
    std::string ProgramFolder;
    std::string WorkingDir;
};

// The lexical bare-drive test of the page: a trimmed text of 3 characters
// or fewer, or the root of a drive or share however written.
bool Vol07BareDrive(const std::string& path);

// How a run over the main folders ended: each was handled, or the run
// stopped at one it may not touch (the page then shows its warning 70039).
struct Vol07RunEnd {
    bool Refused = false;
    bool ProgramFolder = false;  // refused as one of the program's own folders, not as a root
    std::string RefusedFolder;
};

// One main folder's part of the figures a count gives: the folders and the
// other entries the run will meet in it.
struct Vol07Share {
    double Folders = 0, Files = 0;
    double LineBytes = 0;  // the characters of the paths the run names them by
};

// The run's work after its confirmations: the top-most main folders of the
// Include list (MainFoldersAsRead), in level order, each checked and handed
// to SmartDelete. Handed the dry disk, this is the simulation. A folder that
// an earlier main folder names too (another spelling, a link), as a first
// look at all of them finds, is deleted in once, as the pre-count counts it.
//
// Each main folder is one item of the run pool (as many workers as the
// first main folder's file system pays for removals): its scope writes the
// main folder. Every main folder is judged in its own work, on the handle its
// delete uses; one that may stop the run (a bare drive, or one that a
// first look over all of them finds to be a root or the program's folders)
// also runs alone, so nothing after it starts before the run knows whether
// it stops there.
// The lines and counters reach `log` in the order of a one-at-a-time run.
//
// After a count for the run (Vol07CountForRun), `disk` is its listings
// around the run's disk and `counted` its shares: a main folder gone since
// the count is named among those that do not exist, and what was counted
// in it goes under the other reasons.
Vol07RunEnd Vol07DeleteMainFolders(Vol07Counters& counters, const Vol07Inputs& in, RunDisk& disk, RunLog& log,
                                   const std::vector<Vol07Share>* counted = nullptr);
// What a run or simulation adds to the memory, from its count's shares.
RunMemoryNeed Vol07MemoryNeed(const Vol07Inputs& in, const std::vector<Vol07Share>& shares, bool simulation);

// The pre-count of a page refresh, as the run will count: mode 3 every
// folder and every other entry (files, links, special files) below the
// main folders, a folder in `fence` counted but not entered; 4 the main
// folders too; any other mode nothing, as the run deletes nothing without
// a mode. The main folders are read on the run pool
// through `disk`, the window painting meanwhile. A main folder that the run
// refuses (a root, the bare-drive test, or one of the program's folders
// when they are given) counts nothing, nor do those after it: the run
// stops there. A folder listed again counts once. A list that names one of
// the program's own folders on any line counts nothing at all; each line
// is judged in the item that reads its folder, beside the others' walks.
// `shares` (when given) gets each main folder's part, in the run's order.
void Vol07CountFoldersToDelete(Vol07Counters& counters, const StringList& includeFolders, int mode, RunDisk& disk,
                               const WalkFence& fence, const std::string& programFolder,
                               const std::string& workingDir, std::vector<Vol07Share>* shares = nullptr);
// The same on the disk as it is, nothing fenced, only roots refused.
void Vol07CountFoldersToDelete(Vol07Counters& counters, const StringList& includeFolders, int mode);
// The page's pre-count: the program folder and the working folder fenced
// and refused, on the dry disk.
void Vol07CountFoldersToDelete(Vol07Counters& counters, const StringList& includeFolders, int mode,
                               const std::string& programFolder, const std::string& workingDir);
// The count's mode for the run's: 3 for its mode 1, 4 for its mode 3, else 2.
int Vol07CountMode(const Vol07Inputs& in);
// The count a run makes once its questions are answered, from the disk as
// it is then: the to-delete figures, each main folder's share of them, and
// the listings it read, kept in `listings` (around the disk the count
// reads) for the run to take over.
void Vol07CountForRun(Vol07Counters& counters, const Vol07Inputs& in, ListingRecord& listings,
                      std::vector<Vol07Share>& shares);