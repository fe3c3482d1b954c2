// What the three file pages (copy 10, delete 11, rename 12) share below
// their windows: where a run's outcomes go, which files the name masks
// take, the folders a walk never enters, and the working copies that keep
// an overwritten file's old content for the Undo. Plain C++: the pages hand
// in the RunLog that writes their Visual Log and zoom window.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/FolderFileUndo.h"
#include "core/UndoToolkit.h"
#include "core/RunDisk.h"
#include "core/Types.h"
#include "pages/RunLog.h"
#include "platform/Beneath.h"

// ---- name masks ---------------------------------------------------------------------

// The stored masks a run goes by, lower-cased: a mask that is a path
// rather than a name pattern (a separator, a colon or "..") takes nothing;
// no mask at all (a blank names text) means "*.*".
StringList UsableFileMasks(const StringList& stored);
// True when any of the (lowered) masks takes the file name: the name
// pattern finds it and its extension passes MatchFileMask, letter case
// ignored. A mask's extension ".*" takes every extension, none too, so
// "*.*" takes every name; a mask without extension ("*", "r*") takes only
// names without one.
bool MasksTake(const StringList& loweredMasks, const std::string& name);

// ---- walks --------------------------------------------------------------------------

// Folders a walk never enters, known by identity (device and inode), so no
// spelling, link or bind mount leads into them.
class WalkFence {
public:
    // Adds the folder when it exists (a link to one is not followed).
    void Add(const std::string& folder);
    void Add(const plat::FileIdentity& id) { ids_.insert({id.dev, id.ino}); }
    bool Holds(const plat::FileIdentity& id) const { return ids_.count({id.dev, id.ino}) > 0; }
    bool Empty() const { return ids_.empty(); }

private:
    std::set<std::pair<std::uint64_t, std::uint64_t>> ids_;
};

// True when a run may not work on the folder, judged by the real folder
// behind its text: the root of a drive or of a file system however
// written, the program folder or the working folder.
bool RefusedRunFolder(plat::Beneath& folder, const std::string& programFolder, const std::string& workingDir);
// The same judgement for the many main folders of one run: the program's
// folders and each drive's root are opened once.
class RunFolderRefusal {
public:
    RunFolderRefusal(const std::string& programFolder, const std::string& workingDir);
    // `parent`, when known, is the folder that holds `folder`'s name.
    bool Refuses(const plat::Beneath& folder, const plat::Beneath* parent = nullptr);

private:
    std::vector<plat::FileIdentity> own_;
    std::map<std::string, plat::FileIdentity> driveRoots_;  // by drive part; none known: {}
};

// The subfolders of `folder` (drive form, below `base`) that a walk may
// enter: real folders outside the fence, in listing order. `files` gets
// the folder's other entries.
void SplitListing(RunDisk& disk, plat::Beneath& base, const std::string& folder, const WalkFence& fence,
                  std::vector<std::string>& subfolders, std::vector<plat::DirEntry>& files);

// "D:\a" + "b" -> "D:\a\b"; the name is used as the listing gave it.
std::string JoinEntry(const std::string& folder, const std::string& name);
// The text behind the last backslash.
std::string LastName(const std::string& path);

// ---- undo on the run pool ----------------------------------------------------------------

// An undo's items: the bases of its records, those that lie in another one
// (letter case ignored) with the top-most of them, so that no two items
// touch one tree. `group[b]` is base b's item; items are numbered in the
// order of their first base; `tops[g]` is item g's top-most folder.
void GroupNestedBases(const VEC_UNDO_BASES& bases, std::vector<std::uint32_t>& group, StringList& tops);

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
    void SetTaken(const std::set<std::string>& taken) { taken_ = taken; }
    // Copies `target` (below `from`) into the working folder (`work`).
    // `copy` gets the working copy's path and stamp. Failed when no name is
    // free within 30000 tries (`exhausted` set) or the copy fails.
    plat::FsResult Make(RunDisk& disk, plat::Beneath& from, const std::string& target, plat::Beneath& work,
                        std::string& copy, plat::FileStamp& stamp, bool* exhausted = nullptr);

private:
    std::set<std::string> taken_;
    // Per file name, the name to try next.
    std::map<std::string, std::string> next_;
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
