// The folders runs work beneath, as their undo finds them again: a run
// records each folder once and its records index the list (UndoBaseIndex);
// an undo opens each recorded base again, once, and works beneath it only
// while it is the very folder the run worked beneath (UndoBaseOpener).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Beneath.h"

// A folder a run worked beneath, as it was opened then.
struct _tagUndoBase {
    std::string Path;
    plat::FileIdentity Id;
};
using VEC_UNDO_BASES = std::vector<_tagUndoBase>;

// The run's side: the index of a base, added when the list lacks it (the
// bases of earlier runs kept in the list are found again by a lookup).
class UndoBaseIndex {
public:
    explicit UndoBaseIndex(VEC_UNDO_BASES& bases);
    std::uint32_t IndexOf(const plat::Beneath& base);

private:
    VEC_UNDO_BASES& bases_;
    std::unordered_map<std::string, std::uint32_t> byPath_;  // the last base of each path
};

// The undo's side: each base opened and checked at its first use.
class UndoBaseOpener {
public:
    explicit UndoBaseOpener(VEC_UNDO_BASES bases = {});
    void Reset(VEC_UNDO_BASES bases);
    const VEC_UNDO_BASES& Bases() const { return bases_; }
    // The base, or null when it is gone or is another folder now.
    plat::Beneath* Get(std::uint32_t index);
    // The same with whatever it resolved before let go: a rename or a copy
    // since may have moved the folders below it.
    plat::Beneath* Fresh(std::uint32_t index);

private:
    VEC_UNDO_BASES bases_;
    std::vector<plat::Beneath> opened_;
    std::vector<unsigned char> state_;  // 0 not tried, 1 usable, 2 not
};
