#include "core/FolderStructSize.h"

#include <string_view>
#include <vector>

#include "core/PathTools.h"
#include "core/RunDisk.h"
#include "core/SettingsStore.h"
#include "platform/FileSystem.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }


// "*" and "?" on texts already lowered; backtracks to the last star only,
// so it is linear for one star and never worse than pattern × name. "?"
// and the star's steps take whole UTF-8 characters; other characters match
// byte for byte, which keeps both texts at character boundaries.
bool Glob(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += Utf8CharLength(name, n);
        } else if (p < pattern.size() && pattern[p] == name[n]) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN += Utf8CharLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool MatchLowered(std::string_view pattern, std::string_view name) {
    if (Glob(pattern, name)) return true;
    if (name.find('.') != std::string_view::npos) return false;
    // A name without a dot has an empty extension: "x.*" and "x." take it.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
        return Glob(pattern.substr(0, pattern.size() - 2), name);
    if (!pattern.empty() && pattern.back() == '.') return Glob(pattern.substr(0, pattern.size() - 1), name);
    return false;
}

// The depth of the root: a trailing separator ("D:\") adds none, so the
// children of a drive root are on level 1 like every "D:\Name".
std::uint32_t RootLevel(const std::string& root) {
    std::size_t end = root.size();
    while (end > 0 && IsSeparator(root[end - 1])) --end;
    return static_cast<std::uint32_t>(CountPathSeparators(root.substr(0, end)));
}

// The settings store's masks, each by the platform's wildcard: a file once
// for every mask that finds it.
FileSelection StoreMaskSelection() {
    StringList masks = GetFileSelNameMasks();
    for (auto& mask : masks) mask = ToLowerCase(mask);
    const auto passes = static_cast<std::uint32_t>(masks.size());
    return {[masks = std::move(masks)](const std::string& name) {
                const std::string lowered = ToLowerCase(name);
                std::uint32_t times = 0;
                for (const auto& mask : masks) times += MatchLowered(mask, lowered) ? 1 : 0;
                return times;
            },
            passes};
}

// A block of `bytes` as the allocator lays it out: its header, rounded up to 16 bytes.
double HeapBlock(std::size_t bytes) {
    const std::size_t laid = (bytes + 8 + 15) / 16 * 16;
    return static_cast<double>(laid < 32 ? 32 : laid);
}
// A text's characters on the heap, beyond what the string holds itself.
double TextHeap(std::size_t length) { return length > 15 ? HeapBlock(length + 1) : 0; }
// A map's node (its links and colour beside the pair) and a queue's entry.
constexpr std::size_t kMapNode = 32 + sizeof(MAP_FILE_NAME_SIZE::value_type);
constexpr std::size_t kQueueEntry = sizeof(std::pair<std::uint32_t, std::string>);
// What a walk gathers before it reports it: a few thousand entries at most.
constexpr double kHeldReportBytes = 16 * 1024;
constexpr std::uint64_t kHeldReportFiles = 1024;

}  // namespace

bool MatchesSearchPattern(const std::string& pattern, const std::string& name) {
    return MatchLowered(ToLowerCase(pattern), ToLowerCase(name));
}

bool MatchesLoweredSearchPattern(std::string_view pattern, std::string_view name) {
    return MatchLowered(pattern, name);
}

FolderStructSize::FolderStructSize(const std::string& root, bool withFiles) : root_(root), withFiles_(withFiles) {
    if (!root_.empty()) queue_.emplace_back(RootLevel(root_), root_);
}

std::pair<std::uint32_t, std::string> FolderStructSize::TakeFolder(std::uint32_t passes) {
    auto entry = std::move(queue_.front());
    queue_.pop_front();
    levelCounts_[entry.first] += passes;
    return entry;
}

// Lists a folder taken from the queue, beneath the root opened once per walk.
bool FolderStructSize::ListTaken(const std::string& folder, std::vector<plat::DirEntry>& entries) {
    if (progress_ && (++taken_ & 63) == 0) progress_(taken_);
    if (!base_.IsOpen() && (root_.empty() || base_.Open(root_) != plat::FsResult::Ok)) {
        rootMissing_ = true;  // no folder there: no tree to count, not even its root
        entries.clear();
        return false;
    }
    const bool listed = disk_ ? disk_->List(base_, folder, entries, &passedHere_)
                              : base_.List(folder, entries, &passedHere_);
    if (!listed) return false;
    // It measures what it takes: what it cannot open is passed over.
    PassOver(entries, passedHere_, WalkTakes::Opened);
    for (plat::DirEntry& e : passedHere_) {
        const PassedBy why = WhyPassed(e.kind, WalkTakes::Opened);
        CountPath(folder.size() + 1 + e.name.size() + kReasonBytes);
        // Its place in a vector that doubles, its folder's and its name's characters.
        Held(2.0 * sizeof(PassedOver) + TextHeap(folder.size()) + TextHeap(e.name.size()));
        passed_.push_back({folder, std::move(e), why, 0});
    }
    return true;
}

void FolderStructSize::MetUnlisted(std::uint32_t level, std::uint32_t passes, const std::string& folder) {
    const plat::NotListed why = disk_ ? disk_->WhyNotListed(base_, folder) : base_.WhyNotListed(folder);
    if (why == plat::NotListed::Unreadable) {
        if (unread_.empty()) unread_ = folder;
        return;
    }
    const std::size_t slash = folder.rfind('\\');
    if (!PassedFolder(why) || folder == root_ || slash == std::string::npos) return;
    // Counted when its folder listed it; passed over once the walk tried to enter it.
    --folderCount_;
    if ((levelCounts_[level] -= passes) == 0) levelCounts_.erase(level);
    plat::DirEntry entry;
    entry.name = folder.substr(slash + 1);
    entry.kind = plat::EntryKind::Folder;
    passed_.push_back({std::string(ParentText(folder)), std::move(entry), PassedBy::OtherFileSystem, 0});
}

void FolderStructSize::MaskPassed(std::size_t first) {
    for (std::size_t i = first; i < passed_.size(); ++i) {
        PassedOver& p = passed_[i];
        if (p.entry.kind != plat::EntryKind::Folder) p.masks = selection_.times(p.entry.name);
    }
}

void FolderStructSize::FinishWalk() {
    base_.Close();
    if (rootMissing_)
        folderCount_ = 0;
    else if (!countRoot_ && folderCount_ > 0)
        --folderCount_;
}

void FolderStructSize::Examine() {
    std::vector<plat::DirEntry> entries;
    while (!queue_.empty()) {
        const auto [level, folder] = TakeFolder(1);
        if (!ListTaken(folder, entries)) {
            if (!rootMissing_) MetUnlisted(level, 1, folder);
            continue;
        }
        for (const auto& e : entries) {
            if (e.kind == plat::EntryKind::Folder && fenced_ && fenced_(e)) {
                fencedMet_.push_back(JoinFolderAndName(folder, e.name));
            } else if (e.kind == plat::EntryKind::Folder) {
                queue_.emplace_back(level + 1, JoinFolderAndName(folder, e.name));
                CountPath(queue_.back().second.size());
                ++folderCount_;
            } else if (e.kind == plat::EntryKind::File && withFiles_) {
                totalBytes_ += e.size;
                ++fileCount_;
                const auto file = fileMap_.emplace(JoinFolderAndName(folder, e.name), e.size).first;
                CountPath(file->first.size());
            }
        }
    }
    FinishWalk();
}

void FolderStructSize::Held(double bytes, std::uint64_t files) {
    if (!held_) return;
    heldPending_ += bytes;
    filesPending_ += files;
    if (heldPending_ < kHeldReportBytes && filesPending_ < kHeldReportFiles) return;
    if (!held_(heldPending_, filesPending_)) stopped_ = true;
    heldPending_ = 0;
    filesPending_ = 0;
}

void FolderStructSize::CollectMaskedFile(const std::string& path, std::uint64_t size, std::uint32_t times) {
    if (times == 0) return;
    maskedBytes_ += size * times;
    maskedFileCount_ += times;
    // A walk enters each folder once: no path comes twice.
    maskedOnce_ += 1;
    maskedOnceBytes_ += size;
    maskedNameBytes_ += static_cast<double>(path.size() - ParentText(path).size());
    if (keepMaskedMap_) maskedFileMap_.emplace(path, size);
    Held(keepMaskedMap_ ? HeapBlock(kMapNode) + TextHeap(path.size()) : 0, 1);
    CountPath(path.size(), times);
}

// One walk stands for one pass per mask: every folder taken counts once per
// mask on its level, every file the selection takes once each time it
// takes it in the totals, and the subfolders once, as the first pass counts
// them.
void FolderStructSize::ExamineWithMasks() {
    if (!selection_.times) selection_ = StoreMaskSelection();
    queue_.clear();
    if (selection_.passes > 0 && !root_.empty()) queue_.emplace_back(RootLevel(root_), root_);
    std::vector<plat::DirEntry> entries;
    bool inRoot = true;
    while (!queue_.empty() && !stopped_) {
        const auto [level, folder] = TakeFolder(selection_.passes);
        const std::size_t passed = passed_.size();
        const bool listed = ListTaken(folder, entries);
        const bool takeFiles = selection_.rootFiles || !inRoot;
        inRoot = false;
        if (!listed) {
            if (!rootMissing_) MetUnlisted(level, selection_.passes, folder);
            continue;
        }
        if (takeFiles) MaskPassed(passed);
        for (const auto& e : entries) {
            if (stopped_) break;
            if (e.kind == plat::EntryKind::Folder && fenced_ && fenced_(e)) {
                fencedMet_.push_back(JoinFolderAndName(folder, e.name));
                Held(2.0 * sizeof(std::string) + TextHeap(fencedMet_.back().size()));
            } else if (e.kind == plat::EntryKind::Folder) {
                queue_.emplace_back(level + 1, JoinFolderAndName(folder, e.name));
                CountPath(queue_.back().second.size());
                ++folderCount_;
                // Counted as the queue grows, never back as it shrinks: its most, at most.
                Held(kQueueEntry + TextHeap(queue_.back().second.size()));
            } else if (e.kind == plat::EntryKind::File && takeFiles) {
                CollectMaskedFile(JoinFolderAndName(folder, e.name), e.size, selection_.times(e.name));
            }
        }
    }
    FinishWalk();
    if (stopped_) {
        // What it met is let go at once: the walk counts nothing.
        MAP_FILE_NAME_SIZE().swap(maskedFileMap_);
        std::vector<PassedOver>().swap(passed_);
        StringList().swap(fencedMet_);
        queue_.clear();
        queue_.shrink_to_fit();
    }
}
