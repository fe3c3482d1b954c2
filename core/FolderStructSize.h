// Measures one folder tree: subfolders per level, files and their sizes,
// and the files a run's selection takes (FileSelection; by default the File
// Selection name masks). Created on the stack for one measurement; shows
// nothing.
//
// Walks are breadth-first (lowest level first), beneath the root held open.
// It measures what it takes, so it takes entries as a walk that opens them
// (WalkTakes::Opened): a link, a special file, a folder another file system
// is mounted on and an entry no drive path can name are neither walked nor
// counted but kept (GetPassedOver), for a page's count to weigh as its run
// will; so a walk ends on any tree, never opens a FIFO or a device and stays
// on the root's file system. A root that is no folder (not there) counts
// nothing, not even itself. A folder that cannot be listed still counts as
// a folder and contributes nothing else; GetUnreadFolder names the first one
// that is there all the same, so that a count need not take it for an empty
// one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Types.h"
#include "core/WalkRule.h"
#include "platform/Beneath.h"

class RunDisk;

// Which files a walk takes by their names, and how many times it takes each
// (0: not at all): a run's own rule over its name masks, so that a count
// made before the run meets the files the run will. `passes`: the masks it
// stands for (a masked walk counts each folder once per mask on its level,
// and with none walks nothing); `rootFiles`: whether the files lying directly in the walked folder are
// taken at all.
struct FileSelection {
    std::function<std::uint32_t(const std::string& name)> times;
    std::uint32_t passes = 1;
    bool rootFiles = true;
};

class FolderStructSize {
public:
    using LevelCounts = std::map<std::uint32_t, std::uint32_t>;
    // An entry the walk passes over (WalkRule.h), in `folder`; `masks`: how
    // many times the masked walk's selection takes it (all but folders).
    struct PassedOver {
        std::string folder;
        plat::DirEntry entry;
        PassedBy why = PassedBy::Unsayable;
        std::uint32_t masks = 0;
    };

    // withFiles false: the plain walk counts folders only (no files, bytes
    // or file map), for callers that need the folder count alone.
    explicit FolderStructSize(const std::string& root, bool withFiles = true);

    void SetCountRoot(bool countRoot) { countRoot_ = countRoot; }
    void SetFolderCount(std::uint32_t count) { folderCount_ = count; }
    // The files the masked walk takes; without one, the masks of the
    // settings store by the platform's wildcard, each file once per mask.
    void SetFileSelection(FileSelection selection) { selection_ = std::move(selection); }
    // Called now and then during a walk with the number of folders taken
    // so far, so a long walk can keep its window painted.
    void SetProgress(std::function<void(std::uint64_t)> progress) { progress_ = std::move(progress); }
    // Lists through this disk (a window's read seam) instead of the held
    // root alone; it must outlive the walk.
    void SetDisk(RunDisk* disk) { disk_ = disk; }
    // Folders the walk does not enter, as a run's walk fences them (by the
    // entry's device and inode): each one met is kept (GetFenced) and
    // counted nowhere else.
    void SetFence(std::function<bool(const plat::DirEntry&)> fenced) { fenced_ = std::move(fenced); }
    // Without the map of the files the masked walk takes (a count that only
    // needs its totals): it still counts them, their bytes and their names.
    void SetKeepMaskedFileMap(bool keep) { keepMaskedMap_ = keep; }
    // Called now and then during a walk with what the walk has come to hold
    // since the last call (its map, its queue, the entries it passes over:
    // bytes as the allocator lays them out) and the files it took since;
    // false stops the walk (Stopped), which then counts nothing it met.
    using HeldReport = std::function<bool(double bytes, std::uint64_t files)>;
    void SetHeldReport(HeldReport report) { held_ = std::move(report); }
    bool Stopped() const { return stopped_; }

    void Examine();
    // The whole tree, collecting the files the selection takes; a file it
    // takes twice counts twice in the totals and once in the map.
    // Subfolders are counted once per call.
    void ExamineWithMasks();

    std::uint64_t GetTotalFileSize() const { return totalBytes_; }
    std::uint32_t GetFileCount() const { return fileCount_; }
    std::uint32_t GetFolderCount() const { return folderCount_; }
    const MAP_FILE_NAME_SIZE& GetFileMap() const { return fileMap_; }
    std::uint64_t GetMaskedTotalSize() const { return maskedBytes_; }
    std::uint32_t GetMaskedFileCount() const { return maskedFileCount_; }
    const MAP_FILE_NAME_SIZE& GetMaskedFileMap() const { return maskedFileMap_; }
    // The map itself, for a caller that keeps it: the walk is left without.
    MAP_FILE_NAME_SIZE TakeMaskedFileMap() { return std::move(maskedFileMap_); }
    // The files the masked walk took, each once however many masks take it,
    // their bytes and the characters of their names (kept map or not).
    std::uint64_t GetMaskedFilesOnce() const { return maskedOnce_; }
    std::uint64_t GetMaskedBytesOnce() const { return maskedOnceBytes_; }
    double GetMaskedNameBytes() const { return maskedNameBytes_; }
    // The characters a run's lines spend on the entries counted below the
    // root: each subfolder's and each counted file's path after the root
    // (a masked file as often as it counts), and each entry passed over
    // with room for its reason. What a run that lists them writes, beyond
    // the folder it puts them in.
    double GetPathBytes() const { return pathBytes_; }
    // The first folder of the tree that is there but could not be read (no
    // right to list it, or a read error); empty when every one was read.
    const std::string& GetUnreadFolder() const { return unread_; }
    // Every entry passed over in the folders read, of every kind, as found.
    const std::vector<PassedOver>& GetPassedOver() const { return passed_; }
    // The fenced folders the walk met, by path.
    const StringList& GetFenced() const { return fencedMet_; }

    // What the level summary windows show: the root, and per level (number
    // of separators of the folder's path, a trailing one not counted) how
    // many folders were taken from the queue, the root included; the masked
    // walk counts each folder once per mask. A window row shows level − 1, so a
    // folder directly below a drive root is on level number 0.
    const std::string& GetRoot() const { return root_; }
    LevelCounts GetLevelCounts() const { return levelCounts_; }

private:
    std::pair<std::uint32_t, std::string> TakeFolder(std::uint32_t passes);
    bool ListTaken(const std::string& folder, std::vector<plat::DirEntry>& entries);
    void CollectMaskedFile(const std::string& path, std::uint64_t size, std::uint32_t times);
    // The entries passed over from `first` on: how often the selection takes each that is no folder.
    void MaskPassed(std::size_t first);
    // A listed folder the walk could not list: an unreadable one noted, one
    // another file system is mounted on passed over instead of counted.
    void MetUnlisted(std::uint32_t level, std::uint32_t passes, const std::string& folder);
    void FinishWalk();
    // What the walk came to hold: reported to held_ once enough has gathered.
    void Held(double bytes, std::uint64_t files = 0);
    // A path of `length` characters, counted `times`.
    void CountPath(std::size_t length, std::uint32_t times = 1) {
        pathBytes_ += static_cast<double>(times) * static_cast<double>(length - std::min(length, root_.size()));
    }

    std::string root_;
    // Breadth-first work queue: a child is one level below its parent, so
    // first in, first out takes the lowest level first.
    std::deque<std::pair<std::uint32_t, std::string>> queue_;
    LevelCounts levelCounts_;
    std::uint64_t totalBytes_ = 0;
    std::uint32_t fileCount_ = 0;
    std::uint32_t folderCount_ = 1;
    std::uint64_t maskedBytes_ = 0;
    std::uint32_t maskedFileCount_ = 0;
    double pathBytes_ = 0;
    bool countRoot_ = false;
    bool rootMissing_ = false;
    bool withFiles_ = true;
    MAP_FILE_NAME_SIZE fileMap_;
    MAP_FILE_NAME_SIZE maskedFileMap_;
    bool keepMaskedMap_ = true;
    std::uint64_t maskedOnce_ = 0;
    std::uint64_t maskedOnceBytes_ = 0;
    double maskedNameBytes_ = 0;
    HeldReport held_;
    double heldPending_ = 0;
    std::uint64_t filesPending_ = 0;
    bool stopped_ = false;
    FileSelection selection_;
    std::function<void(std::uint64_t)> progress_;
    RunDisk* disk_ = nullptr;
    std::uint64_t taken_ = 0;
    std::string unread_;
    std::vector<PassedOver> passed_;
    std::function<bool(const plat::DirEntry&)> fenced_;
    StringList fencedMet_;
    std::vector<plat::DirEntry> passedHere_;  // the last listing's, kept for its room
    plat::Beneath base_;
};

// The platform's file-name pattern test: "*" any run, "?" one character,
// letters in either case; "x.*" and "x." also take names without a dot.
bool MatchesSearchPattern(const std::string& pattern, const std::string& name);
// The same on texts already lowered (ToLowerCase).
bool MatchesLoweredSearchPattern(std::string_view pattern, std::string_view name);
