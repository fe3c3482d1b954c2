// Lists the subfolders of source folders by their depth below the source
// (a direct subfolder has depth 1): a range of depths, at most N, or at
// least N levels deep; either every folder on the way or only the last one
// of each path; optionally only folders whose own name holds a filter text.
// Created on the stack for one list; shows nothing.
//
// The walk takes the deepest pending folder next, the one found last among
// equals, so results come deep-first in that order. The source itself is
// never listed. A symbolic link is an entry of its own: it is neither
// listed nor walked, so the walk ends on any tree. A folder that cannot be
// opened counts as a folder without entries. A folder whose name no drive
// path can say is never listed or walked, yet it is its parent's subfolder
// (the parent is no last subfolder); GetUnsayable names it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"

class RunDisk;

class LevelCopy {
public:
    explicit LevelCopy(const StringList& roots);

    // Depth from..to (mode 1).
    void SetLevelRange(std::uint32_t from, std::uint32_t to);
    // Depth 1..n (mode 2).
    void SetAboveLevel(std::uint32_t n);
    // Depth n and deeper (mode 3).
    void SetBelowLevel(std::uint32_t n);
    // 1: only the last subfolder of a path; any other value: every one.
    void SetVariant(int variant) { variant_ = variant; }
    // Lower-cased, one trailing backslash dropped; empty lists every folder.
    void SetFilter(const std::string& text);
    // Lists through this disk (a window's read seam) instead of the held
    // root alone; it must outlive Execute.
    void SetDisk(RunDisk* disk) { disk_ = disk; }

    void Execute();
    StringList GetResult() const;
    // The folders no drive path can say ("folder\name") that the list would
    // have held or walked into, in the order met.
    const StringList& GetUnsayable() const { return unsayable_; }

private:
    enum class Listing { No, Yes, IfNoSubfolder };
    struct Judgement {
        Listing listing = Listing::No;
        bool follow = false;
    };
    // A folder still to be examined, with the result slot that waits for
    // its subfolder test (or none).
    struct Pending {
        std::uint32_t level;
        std::string path;
        std::size_t slot;
    };
    // A result in the order found; a folder listed only when it has no
    // subfolder is withdrawn once its own examination finds one.
    struct Slot {
        std::string path;
        bool withdrawn = false;
    };
    static constexpr std::size_t kNoSlot = static_cast<std::size_t>(-1);

    void ResetLevels();
    Judgement Judge(std::uint32_t depth) const;
    bool NamePassesFilter(const std::string& name) const;
    void Walk(const std::string& root);

    int mode_ = 0;
    std::uint32_t fromLevel_ = 0;
    std::uint32_t toLevel_ = 0;
    std::uint32_t aboveLevel_ = 0;
    std::uint32_t belowLevel_ = 0;
    int variant_ = 1;
    std::uint32_t rootLevel_ = 0;
    StringList roots_;
    std::vector<Pending> queue_;
    std::vector<Slot> results_;
    StringList unsayable_;
    std::string filter_;
    RunDisk* disk_ = nullptr;
};
