// The delete-files page (page 11) below its windows: the engines that
// delete the files the name masks take in one folder (SmartDeleteFilesOne)
// or in a folder tree (SmartDeleteFiles), the pre-count and the run.
//
// The engines never remove a folder and never follow a link: a link the
// masks take is deleted as the entry it is, never what it points to. Each
// file is handled once per folder, however many masks take it. A read-only
// file (no owner write bit) is deleted only with "Delete Read-Only Files
// too." checked, and no file's mode is ever changed (RemoveTakenFile). A
// folder they cannot go through (one they cannot read; in a walk one no
// path names or one of the program's own) stands for the files it holds:
// one file not deleted for another reason, named by the folder.
// Before a main folder is touched, the run finds the real folder behind its
// text and refuses the root of a drive or file system, the program folder,
// the working folder and any folder in it; a walk below one never enters
// the program folder or the working folder.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>

#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/RunFrame.h"
#include "pages/files/FileRuns.h"

// The Visual Log's lists, in the order of TfrmStatistics11::Category.
enum Vol11Category : int {
    Vol11CatFilesDeleted,
    Vol11CatFilesOtherReasons,
    Vol11CatMainFoldersNotExist,
    Vol11CatFoldersDeleted,
    Vol11CatFoldersOtherReasons,
    Vol11CatFoldersNotExists,
    Vol11CatFilesNotExists,
};

struct Vol11Inputs {
    StringList IncludeFolders;  // lstVol11IncludeFolderList, in list order
    bool DeleteOnlyFilesInMainFolder = true;
    bool DeleteOnlyFiles = false;  // the main folders' subfolders too
    bool ReadOnlyFiles = false;
    bool DeleteDoubleConfirm = true;
    bool ShowDetailedResults = true;
    StringList Masks;  // GetFileSelNameMasks
    std::string WorkingDir;
    std::string ProgramFolder;
};

struct Vol11State {
    // To delete: the refresh's count, then the one a run makes once its questions are answered.
    double FoldersToDelete = 0, FilesToDelete = 0, BytesToDelete = 0;
    double FoldersDeleted = 0, FilesDeleted = 0, FoldersNotExists = 0, FilesNotExists = 0, FoldersOtherReasons = 0,
           FilesOtherReasons = 0;
    StringList Vol11FilesDeleted, Vol11FilesNotExists, Vol11FilesOtherReasons, Vol11FoldersNotExists,
        Vol11FoldersOtherReasons;

    std::array<CounterLabel, 2> ToDeleteLabels() const;
    std::array<CounterLabel, 7> ResultLabels() const;
};

void Vol11ClearTotals(Vol11State& state);
void Vol11ResetCounters(Vol11State& state);
void Vol11ClearResultLists(Vol11State& state);
// Counted as the run takes them, in the mode it reads: the files and links
// the masks take, in each folder it deletes in (the main folders alone, or
// with their subfolders; none without a mode), once however often the list
// names it; and each folder it cannot go through as one file. The run
// counts so again once its questions are answered.
void Vol11CountFilesToDelete(Vol11State& state, const Vol11Inputs& in);

// What the engines work with for one main folder of a run. Each main
// folder has its own, so that folders may be worked on at once.
struct DeleteFilesContext {
    RunDisk& Disk;
    RunLog& Log;
    const StringList& Masks;  // as UsableFileMasks gives them
    bool ReadOnlyFiles = false;
    const WalkFence& Fence;  // folders a walk never enters
    // Called after each file (null: nothing to show).
    std::function<void()> CountersChanged;
    // Files that stay whatever the masks take (null: none).
    const OwnFiles* Own = nullptr;
    // The main folder's totals so far (deleted, other reasons, no longer
    // there), counted before each line that says it, so that a window
    // following them shows them with the line (null: none).
    double* Live = nullptr;

    // One more of total `k` (0 deleted, 1 other reasons, 2 no longer there).
    void Count(int k) {
        OneTotals[k] += 1;
        if (Live) Live[k] += 1;
    }

    // The totals of the two engines: deleted, failed for other reasons, no
    // longer there.
    void ResetDeleteFilesOneTotals() { OneTotals[0] = OneTotals[1] = OneTotals[2] = 0; }
    void GetDeleteFilesOneTotals(double totals[3]) const;
    void ResetDeleteFilesTotals() { WalkTotals[0] = WalkTotals[1] = WalkTotals[2] = 0; }
    void GetDeleteFilesTotals(double totals[3]) const;
    double OneTotals[3] = {0, 0, 0};
    double WalkTotals[3] = {0, 0, 0};
};

class SmartDeleteFilesOne {
public:
    // The folder lies beneath `base`.
    SmartDeleteFilesOne(const std::string& folder, plat::Beneath& base, DeleteFilesContext& context);
    void Execute();
    // One mask, or the files of a listing already made (every mask at once).
    void DeleteMatching(const std::string& mask);
    void DeleteMatching(const StringList& masks, const std::vector<plat::DirEntry>& entries);
    // The files and links of a listing's unsayable entries (no path names
    // them) that the masks take: each not deleted, for another reason.
    void LeaveUnsayable(const StringList& masks, const std::vector<plat::DirEntry>& unsayable);

private:
    void DeleteOne(const std::string& path, const plat::DirEntry& entry);
    void List(std::vector<plat::DirEntry>& entries, std::vector<plat::DirEntry>& unsayable);
    std::string folder_;
    plat::Beneath& base_;
    DeleteFilesContext& ctx_;
};

class SmartDeleteFiles {
public:
    SmartDeleteFiles(const std::string& root, plat::Beneath& base, DeleteFilesContext& context);
    void Execute();
    void Run();
    void ExamineLevel();
    PAIR_NIVO_FOLDER_NAMES TakeQueueEntry();

private:
    std::string root_;
    plat::Beneath& base_;
    DeleteFilesContext& ctx_;
    AS_MULTIMAP_NIVO_FOLDER_NAMES queue_;
};

// The run: once its questions are answered it counts the files to delete
// from the disk as it is then, and works from the listings that count read.
// A main folder gone since is named among those that do not exist, and the
// files counted in it go under the other reasons.
void Vol11RunDeleteFiles(Vol11State& state, const Vol11Inputs& in, RunLog& log, const RunHooks& hooks);
// The run's frame on the dry disk, without its questions and messages: the
// same outcomes, nothing deleted, the page's state left as it was. No button
// offers it; the run's code is what it shows.
void Vol11SimulateDeleteFiles(const Vol11State& state, const Vol11Inputs& in, RunLog& log, const RunHooks& hooks);

inline constexpr const char* kVol11Topic = "Delete Multiple Files.-From a Folder List.";
inline constexpr const char* kVol11RunTopic = "Delete Multiple Files. - From a Folder List.";
