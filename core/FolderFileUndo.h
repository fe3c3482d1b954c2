// Undoes the last create or copy run of a page from the lists the page
// recorded: deletes the files the run wrote, then removes the folders it
// created, deepest level first, and reports what stayed. Created on the
// stack for one undo; keeps nothing and writes nothing else to disk.
//
// Only what the run recorded goes: a folder is removed only when empty, a
// recorded file only when it is as the run left it (when its size and time
// were recorded), and the ancestor climbs of the Prepare* plans stop at the
// first folder the run did not record as created, at a root, and at a
// drive or file-system root, which is never queued.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/Types.h"

// A file a run wrote, with its size and modification time right after.
struct _tagCreatedFile {
    std::string Path;
    bool HasStamp = false;  // false: deleted without the check
    std::uint64_t Size = 0;
    std::int64_t MtimeNs = 0;
};
using DEQ_CREATED_FILES = std::deque<_tagCreatedFile>;

// The record of a file just written (no stamp when it cannot be read).
_tagCreatedFile StampCreatedFile(const std::string& path);

class FolderFileUndo {
public:
    // ---- what the run recorded ----
    void SetMainFolder(const std::string& folder) { mainFolder_ = folder; }
    void SetCreatedFolders(StringList folders);
    void SetCreatedSubFolders(StringList folders);
    void SetCreatedFiles(StringList files);
    void SetCreatedFiles(DEQ_CREATED_FILES files) { createdFiles_ = std::move(files); }
    // Every folder the run actually made, parents included, in creation
    // order. The ancestor climbs pass only through these (and through the
    // two folder lists); without it they queue the listed folders alone.
    void SetFoldersCreatedByRun(StringList folders);

    // ---- removal plans: fill the roots and the level queue ----
    void CollectFoldersByLevel();
    void QueueCreatedFolders();
    void QueueSecondFolderList();
    void PrepareCreateFolders();
    void PrepareCreateFromList();
    void PrepareCreateFromListDrives();
    void PrepareCreateFromListDrivesSecond();
    void PrepareCopyFolders();
    // Queues each folder and the parents the run created, up to a root.
    void QueueWithAncestors(StringList folders);

    // ---- steps, in this order ----
    void DeleteCreatedFiles();
    void RemoveCreatedFolders();
    void BuildReport();

    // ---- results ----
    StringList GetFailedFolders() const { return foldersNotRemoved_; }
    StringList GetFailedFiles() const;
    // The failed files with their stamps, for a retry that keeps the check.
    DEQ_CREATED_FILES GetFailedFileRecords() const { return filesNotDeleted_; }
    // Recorded files left alone because they changed since the run; they
    // are reported but not in the failed lists, so a retry leaves them too.
    StringList GetChangedFiles() const { return filesChanged_; }
    std::string GetReport() const { return report_; }

private:
    void Queue(const std::string& folder);
    void AddRoot(const std::string& folder);
    void AddDriveRootsOfCreatedFolders();
    void MarkCreatedFolders();

    std::string mainFolder_;
    StringList createdFolders_;
    StringList secondFolders_;
    StringList foldersCreatedByRun_;
    DEQ_CREATED_FILES createdFiles_;
    StringList foldersGone_;
    StringList foldersNotRemoved_;
    StringList notRemovedReasons_;  // parallel to foldersNotRemoved_
    DEQ_CREATED_FILES filesNotDeleted_;
    StringList filesChanged_;
    std::string currentFile_;
    std::string report_;
    std::string failureLines_;
    // Folders the run created and folders already queued by a climb, as
    // marks on one key per folder: separators as one "\", none trailing, no
    // trailing blanks or dots in a name, the drive letter in lower case.
    // Names keep their case: on Linux "Jobs" and "jobs" are two folders, and
    // the one the run did not create must never be climbed into.
    enum : unsigned char { kCreated = 1, kSeen = 2 };
    std::unordered_map<std::string, unsigned char> marks_;
    // Roots, in lower case: a root in any spelling ends a climb (stopping
    // early never removes more).
    std::unordered_set<std::string> roots_;
    bool createdMarksReady_ = false;
    AS_MULTIMAP_NIVO_FOLDER_NAMES levelQueue_;
};
