// Undoes the last create or copy run of a page from what the run recorded:
// deletes the files the run wrote, then removes the folders it created,
// deepest level first, and reports what stayed. Created on the stack for
// one undo; keeps nothing and writes nothing else to disk.
//
// Every recorded entry carries its identity (device and inode; files also
// size and time) and the base folder the run worked beneath. Undo opens
// that base again (it must be the same folder) and reaches each entry
// through held folder handles, never through a link: an entry goes only
// when the object found there is the one the run made, unchanged; anything
// else (a copy, a link, another folder) stays and is reported. A folder
// goes only when empty, and the ancestor climbs of the Prepare* plans pass
// only through folders the run recorded as created; a drive or file-system
// root is never queued.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/Types.h"
#include "platform/Beneath.h"

// A folder a run worked beneath, as it was opened then.
struct _tagUndoBase {
    std::string Path;
    plat::FileIdentity Id;
};
using VEC_UNDO_BASES = std::vector<_tagUndoBase>;

// A folder a run made; Base indexes the run's bases.
struct _tagCreatedFolder {
    std::string Path;
    plat::FileIdentity Id;
    std::uint32_t Base = 0;
};
using DEQ_CREATED_FOLDERS = std::deque<_tagCreatedFolder>;

// A file a run wrote, as it left it.
struct _tagCreatedFile {
    std::string Path;
    bool HasStamp = false;  // false: the run could not read it back; never deleted
    std::uint64_t Size = 0;
    std::int64_t MtimeNs = 0;
    plat::FileIdentity Id;
    std::uint32_t Base = 0;
};
using DEQ_CREATED_FILES = std::deque<_tagCreatedFile>;

class FolderFileUndo {
public:
    // ---- what the run recorded (before any plan: a list set anew drops
    // what the plans queued) ----
    void SetMainFolder(const std::string& folder) { mainFolder_ = folder; }
    void SetBases(VEC_UNDO_BASES bases);
    void SetCreatedFolders(DEQ_CREATED_FOLDERS folders);
    void SetCreatedSubFolders(DEQ_CREATED_FOLDERS folders);
    void SetCreatedFiles(DEQ_CREATED_FILES files) { createdFiles_ = std::move(files); }
    // Every folder the run actually made, parents included, in creation
    // order. The ancestor climbs pass only through these (and through the
    // two folder lists); without it they queue the listed folders alone.
    void SetFoldersCreatedByRun(DEQ_CREATED_FOLDERS folders);

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
    void QueueWithAncestors(const DEQ_CREATED_FOLDERS& folders);

    // ---- steps, in this order ----
    void DeleteCreatedFiles();
    void RemoveCreatedFolders();
    void BuildReport();

    // ---- results ----
    StringList GetFailedFolders() const;
    StringList GetFailedFiles() const;
    // The failures with what was recorded of them, for a retry that keeps
    // the checks (the bases stay those handed in).
    DEQ_CREATED_FOLDERS GetFailedFolderRecords() const { return foldersNotRemoved_; }
    DEQ_CREATED_FILES GetFailedFileRecords() const { return filesNotDeleted_; }
    // Recorded entries left alone because something else stands there now;
    // reported but not in the failed lists, so a retry leaves them too.
    StringList GetChangedFiles() const { return filesChanged_; }
    std::string GetReport() const { return report_; }

private:
    // A folder to remove: its text (trimmed; a view into a record's path,
    // the folder's own or a child's), its level and what the run recorded.
    struct Queued {
        std::string_view text;
        std::uint32_t level;
        const _tagCreatedFolder* record;
    };
    // A folder key's marks: its hash and the record whose path gives the key.
    struct MarkSlot {
        std::uint64_t hash = 0;
        const _tagCreatedFolder* record = nullptr;  // null: an empty slot
        unsigned char bits = 0;
    };
    void Queue(const _tagCreatedFolder& folder, std::string_view text);
    MarkSlot* FindMark(std::string_view key, std::uint64_t hash);
    MarkSlot& AddMark(std::uint64_t hash, const _tagCreatedFolder* record);
    void AddRoot(const std::string& folder);
    void AddDriveRootsOfCreatedFolders();
    void MarkCreatedFolders();
    void ForgetQueue();
    // The base of an entry, opened and checked once per undo; null when it
    // is gone or is another folder now.
    plat::Beneath* BaseOf(std::uint32_t index);

    std::string mainFolder_;
    VEC_UNDO_BASES bases_;
    std::vector<plat::Beneath> opened_;
    std::vector<unsigned char> openState_;  // 0 not tried, 1 usable, 2 not
    DEQ_CREATED_FOLDERS createdFolders_;
    DEQ_CREATED_FOLDERS secondFolders_;
    DEQ_CREATED_FOLDERS foldersCreatedByRun_;
    DEQ_CREATED_FILES createdFiles_;
    StringList foldersGone_;
    DEQ_CREATED_FOLDERS foldersNotRemoved_;
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
    // the one the run did not create must never be climbed into. The keys
    // are made again from the records when hashes meet, never kept.
    enum : unsigned char { kCreated = 1, kSeen = 2 };
    std::vector<MarkSlot> marks_;
    std::size_t markCount_ = 0;
    std::string slotKey_;
    // Roots, in lower case: a root in any spelling ends a climb (stopping
    // early never removes more).
    std::unordered_set<std::string> roots_;
    std::unordered_set<std::size_t> rootLengths_;
    bool createdMarksReady_ = false;
    // The removal order: by level, equal levels in queueing order.
    std::vector<Queued> levelQueue_;
};
