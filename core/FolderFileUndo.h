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

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/FolderMarks.h"
#include "core/RunRecord.h"
#include "core/Types.h"
#include "core/UndoToolkit.h"
#include "platform/Beneath.h"

// The reason an undo's report gives a path that changed since the run
// (the longest reason any undo's report gives).
inline constexpr const char* kChangedSinceRun = "  (changed since the run)";

class FolderFileUndo {
public:
    FolderFileUndo();
    // The marks look into this undo's lists.
    FolderFileUndo(const FolderFileUndo&) = delete;
    FolderFileUndo& operator=(const FolderFileUndo&) = delete;

    // ---- what the run recorded (before any plan: a list set anew drops
    // what the plans queued) ----
    void SetMainFolder(const std::string& folder) { mainFolder_ = folder; }
    void SetBases(VEC_UNDO_BASES bases);
    // Works beneath the bases of an opener that outlives this undo instead
    // of its own: the parts of an undo that one worker takes then open and
    // check each base once.
    void ShareBases(UndoBaseOpener& bases) { opener_ = &bases; }
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
    // Another list than the undo's own is copied in first.
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
    // Where each failed folder stood, parallel to GetFailedFolderRecords:
    // its level, the index of its record in its list (for a plan that
    // queues one list, its place there) and what the report adds to its
    // path. Sorted deepest first, equal levels the later first, the
    // failures of parts come in the order one undo of the whole list gives.
    struct FailedPlace {
        std::size_t level;
        std::uint32_t index;
        const char* reason;
    };
    const std::vector<FailedPlace>& GetFailedFolderPlaces() const { return notRemovedPlaces_; }
    // The report's lines without its heading, and the report of such lines
    // (an undo done in parts joins its parts' lines).
    const std::string& GetFailureLines() const { return failureLines_; }
    static std::string ReportOf(const std::string& failureLines);

private:
    // An entry of one of the undo's folder lists: the list and the index.
    using RecordRef = std::uint32_t;
    static constexpr unsigned kListShift = 29;
    static constexpr RecordRef kNoRecord = ~RecordRef{0};
    // kTextList: not a list; the queue's entries that name a part of a path.
    enum : std::uint32_t { kCreatedList, kSecondList, kByRunList, kExtraList, kTextList };
    static RecordRef Ref(std::uint32_t list, std::size_t index) {
        return (list << kListShift) | static_cast<std::uint32_t>(index);
    }
    static std::uint32_t IndexOf(RecordRef ref) { return ref & ((1u << kListShift) - 1); }
    const DEQ_CREATED_FOLDERS& ListOf(RecordRef ref) const;
    runrecord::FolderRef Record(RecordRef ref) const;

    // A queued folder whose text is not its record's whole path (a parent
    // met in a climb, a trimmed path): the path it lies in, where, and
    // what the run recorded for the folder.
    struct QueuedText {
        RecordRef owner;
        std::uint32_t offset;
        std::uint32_t length;
        RecordRef record;
    };
    void PushQueued(RecordRef owner, std::string_view text, RecordRef record);
    bool RecentlySeen(std::string_view text) const;
    void NoteSeen(std::string_view text);
    std::string_view QueuedTextOf(RecordRef entry) const;
    RecordRef QueuedRecordOf(RecordRef entry) const;
    void ReserveQueue(std::size_t more);
    void Queue(RecordRef record, std::string_view text);
    void QueueList(std::uint32_t list);
    void QueueListWithAncestors(std::uint32_t list);
    void AddRoot(const std::string& folder);
    void AddDriveRootsOfCreatedFolders();
    void MarkCreatedFolders();
    void ForgetQueue();

    std::string mainFolder_;
    UndoBaseOpener bases_;
    UndoBaseOpener* opener_ = &bases_;
    DEQ_CREATED_FOLDERS createdFolders_;
    DEQ_CREATED_FOLDERS secondFolders_;
    DEQ_CREATED_FOLDERS foldersCreatedByRun_;
    DEQ_CREATED_FOLDERS extraFolders_;
    DEQ_CREATED_FILES createdFiles_;
    StringList foldersGone_;
    DEQ_CREATED_FOLDERS foldersNotRemoved_;
    std::vector<FailedPlace> notRemovedPlaces_;  // parallel to foldersNotRemoved_
    DEQ_CREATED_FILES filesNotDeleted_;
    StringList filesChanged_;
    std::string currentFile_;
    std::string report_;
    std::string failureLines_;
    // Folders the run created and folders already queued by a climb, as
    // marks on one key per folder: separators as one "\", none trailing, no
    // trailing blanks or dots in a name, the drive letter in lower case.
    // Names keep their case: on Linux "Jobs" and "jobs" are two folders, and
    // the one the run did not create must never be climbed into. A mark's
    // record is one of the lists' (RecordRef).
    enum : unsigned char { kCreated = 1, kSeen = 2 };
    FolderMarks marks_;
    // Roots, in lower case: a root in any spelling ends a climb (stopping
    // early never removes more).
    std::unordered_set<std::string> roots_;
    std::unordered_set<std::size_t> rootLengths_;
    bool createdMarksReady_ = false;
    // The folders to remove in queueing order; removed as if level by
    // level, deepest first, equal levels in reverse queueing order (see
    // RemoveCreatedFolders). An entry is a record whose whole path is the
    // text, or a kTextList one.
    std::vector<RecordRef> queue_;
    std::vector<QueuedText> queuedTexts_;
    // The folders of one climb, bottom up, before they are queued.
    struct Climbed {
        std::string_view text;
        RecordRef record;
    };
    std::vector<Climbed> climb_;
    // Texts of folders marked as queued lately: a climb that meets one ends
    // without a lookup.
    std::array<std::string_view, 16> recentSeen_{};
    std::size_t recentNext_ = 0;
};
