#include "core/LevelCopy.h"

#include "core/PathTools.h"
#include "core/RunDisk.h"
#include "platform/Beneath.h"

LevelCopy::LevelCopy(const StringList& roots) : roots_(roots) {}

void LevelCopy::ResetLevels() {
    fromLevel_ = toLevel_ = aboveLevel_ = belowLevel_ = 0;
    rootLevel_ = 0;
}

void LevelCopy::SetLevelRange(std::uint32_t from, std::uint32_t to) {
    ResetLevels();
    mode_ = 1;
    fromLevel_ = from;
    toLevel_ = to;
}

void LevelCopy::SetAboveLevel(std::uint32_t n) {
    ResetLevels();
    mode_ = 2;
    aboveLevel_ = n;
}

void LevelCopy::SetBelowLevel(std::uint32_t n) {
    ResetLevels();
    mode_ = 3;
    belowLevel_ = n;
}

void LevelCopy::SetFilter(const std::string& text) {
    filter_ = ToLowerCase(text);
    if (!filter_.empty() && filter_.back() == '\\') filter_.pop_back();
}

LevelCopy::Judgement LevelCopy::Judge(std::uint32_t d) const {
    const bool lastOnly = variant_ == 1;
    const Listing inPath = lastOnly ? Listing::IfNoSubfolder : Listing::Yes;
    switch (mode_) {
    case 1:
        if (d < fromLevel_) return {Listing::No, true};
        if (d < toLevel_) return {inPath, true};
        // On the upper bound: every subfolder below it would be dropped.
        if (d == toLevel_) return {Listing::Yes, false};
        return {};
    case 2:
        if (d < aboveLevel_) return {inPath, true};
        if (d == aboveLevel_) return {Listing::Yes, false};
        return {};
    case 3:
        if (d < belowLevel_) return {Listing::No, true};
        return {inPath, true};
    default:
        return {};
    }
}

// The folder's own name, trimmed and lower-cased, must hold the filter.
bool LevelCopy::NamePassesFilter(const std::string& name) const {
    if (filter_.empty()) return true;
    std::size_t end = name.size();
    while (end > 0 && static_cast<unsigned char>(name[end - 1]) <= 32) --end;
    const std::string own = ToLowerCase(TrimBlanks(name.substr(0, end)));
    return own.find(filter_) != std::string::npos;
}

// A LIFO stack stands in for the level-keyed queue: children are always one
// level deeper than anything pending, so the top is the deepest entry and,
// among equals, the one put in last.
void LevelCopy::Walk(const std::string& root) {
    rootLevel_ = static_cast<std::uint32_t>(CountPathSeparators(root));
    // Beneath the root held open: no link or mount point below it is entered.
    plat::Beneath base;
    if (base.Open(root) != plat::FsResult::Ok) return;
    queue_.push_back({rootLevel_, root, kNoSlot});
    std::vector<plat::DirEntry> entries, unsayable;
    while (!queue_.empty()) {
        Pending folder = std::move(queue_.back());
        queue_.pop_back();
        // One that cannot be opened has no entries.
        if (disk_) disk_->List(base, folder.path, entries, &unsayable);
        else base.List(folder.path, entries, &unsayable);

        const std::uint32_t childLevel = folder.level + 1;
        const Judgement judged = Judge(childLevel - rootLevel_);
        bool hasSubfolder = false;
        for (const auto& e : entries) {
            if (e.kind != plat::EntryKind::Folder) continue;  // files, links, special files
            hasSubfolder = true;
            std::size_t slot = kNoSlot;
            if (judged.listing != Listing::No && NamePassesFilter(e.name)) {
                slot = results_.size();
                results_.push_back({JoinFolderAndName(folder.path, e.name)});
            }
            if (judged.follow) {
                queue_.push_back({childLevel, slot == kNoSlot ? JoinFolderAndName(folder.path, e.name) : results_[slot].path,
                                  judged.listing == Listing::IfNoSubfolder ? slot : kNoSlot});
            }
        }
        for (const auto& e : unsayable) {
            if (e.kind != plat::EntryKind::Folder) continue;
            hasSubfolder = true;
            if (judged.follow || (judged.listing != Listing::No && NamePassesFilter(e.name)))
                unsayable_.push_back(JoinFolderAndName(folder.path, e.name));
        }
        if (folder.slot != kNoSlot && hasSubfolder) results_[folder.slot].withdrawn = true;
    }
}

void LevelCopy::Execute() {
    for (const auto& root : roots_)
        if (!TrimControlAndBlanks(root).empty()) Walk(root);  // "" would name the current directory
}

StringList LevelCopy::GetResult() const {
    StringList out;
    for (const auto& slot : results_)
        if (!slot.withdrawn) out.push_back(slot.path);
    return out;
}
