// What the three file pages (copy 10, delete 11, rename 12) share below
// their windows: the items of an undo on the run pool, and the working
// copies that keep an overwritten file's old content for the Undo.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/UndoToolkit.h"
#include "core/RunDisk.h"
#include "core/StripedSet.h"
#include "core/Types.h"
#include "pages/FileMasks.h"
#include "pages/RunFolderRefusal.h"
#include "pages/RunLog.h"
#include "pages/WalkFence.h"
#include "platform/Beneath.h"
#include "platform/BriefMutex.h"

// ---- undo on the run pool ----------------------------------------------------------------

// An undo's items: the bases of its records, those that lie in another one
// (letter case ignored) with the top-most of them, so that no two items
// touch one tree. `group[b]` is base b's item; items are numbered in the
// order of their first base; `tops[g]` is item g's top-most folder.
void GroupNestedBases(const VEC_UNDO_BASES& bases, std::vector<std::uint32_t>& group, StringList& tops);

// ---- the program's own -----------------------------------------------------------------

// The caption of the delete and rename pages' refusals.
inline constexpr const char* kFileRootRefusalCaption =
    "Delete Multiple Files.-From a Folder List.            Warning no: 110037.";

// The files no run of the file pages removes, renames or writes over, by identity: the
// lock files of this process's locks, the settings folder's among them
// whether this copy holds it or another copy does (a further copy would
// take a fresh lock where the lock file went). Fixed when the run starts.
class OwnFiles {
public:
    OwnFiles();
    bool Holds(const plat::FileIdentity& id) const;
    bool Empty() const { return ids_.empty(); }

private:
    std::vector<plat::FileIdentity> ids_;
};

// ---- working copies -------------------------------------------------------------------

// A file's old content saved before a run replaced it: the path it stood
// at, the working copy, and the copy as it was made.
struct _tagWorkingCopy {
    std::string Target;
    std::string WorkingCopy;
    plat::FileStamp Copy;
    // The target as the run left it (copy page: the file written over it).
    plat::FileStamp Written;
    std::uint32_t Base = 0;  // the folder the run worked beneath
};
using DEQ_WORKING_COPIES = std::deque<_tagWorkingCopy>;

// Makes working copies in one working folder under names nothing else has:
// the target's file name, then name + INC number (report.txt,
// reportINC0000001.txt, ...), never a name on disk or one a record still
// holds; a copy never replaces anything.
class WorkingCopies {
public:
    // `taken`: working-copy names that records still refer to.
    void SetTaken(const std::set<std::string>& taken) {
        taken_.Clear();
        for (const std::string& copy : taken) taken_.Add(copy);
        anyTaken_ = !taken.empty();
    }
    // Copies `target` (below `from`) into the working folder (`work`).
    // `copy` gets the working copy's path and stamp. Failed when no name is
    // free within 30000 tries (`exhausted` set) or the copy fails. Items that
    // overlap share the names under `shared`, held only while a name is
    // chosen, never while the disk is asked (nor while the names taken are
    // asked: those are a set of their own).
    plat::FsResult Make(RunDisk& disk, plat::Beneath& from, const std::string& target, plat::Beneath& work,
                        std::string& copy, plat::FileStamp& stamp, bool* exhausted = nullptr,
                        BriefMutex* shared = nullptr);

private:
    StripedSet taken_;
    // Per file name, the name to try next: how often its stem is increased
    // (0: the name itself), a count, so that the lock is held for an
    // addition; and the first never tried, which no copy can have yet.
    struct Next {
        std::uint64_t next = 0, untried = 0;
    };
    std::unordered_map<std::string, Next> next_;
    bool anyTaken_ = false;  // names given by SetTaken, of any number
};

// The working copies an undo takes files back from: each working folder
// opened once, each copy used only as the run made it.
class WorkingCopyFinder {
public:
    // The working folder holding the record's copy when the copy is there
    // as the run made it; null otherwise.
    plat::Beneath* Find(const _tagWorkingCopy& record);
    // The copy goes once it served.
    void Drop(RunDisk& disk, const _tagWorkingCopy& record);

private:
    plat::Beneath work_;
};
